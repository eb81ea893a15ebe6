// Kolvane installed into a prefix as "cmake --install" lays it out, and run from
// there as a desktop user runs it: its files where the desktop looks for them,
// validated; its icon found; timed captures in the user's pictures folder; the
// tray icon during a region capture.
#include "e2e/support/desktop.h"
#include "e2e/test_tray_host.h"

#include <QDir>
#include <QPainter>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTest>

using namespace e2e;

namespace {
const QString kId = QStringLiteral(KOLVANE_APP_ID);

// Mean difference per channel, alpha included, between two pictures of one size.
double meanDifference(const QImage& a, const QImage& b) {
    const QImage x = a.convertToFormat(QImage::Format_ARGB32);
    const QImage y = b.convertToFormat(QImage::Format_ARGB32);
    double sum = 0;
    for (int j = 0; j < x.height(); ++j)
        for (int i = 0; i < x.width(); ++i) {
            const QRgb p = x.pixel(i, j), q = y.pixel(i, j);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                   std::abs(qBlue(p) - qBlue(q)) + std::abs(qAlpha(p) - qAlpha(q));
        }
    return sum / (4.0 * x.width() * x.height());
}
} // namespace

class TestInstalledE2E : public QObject {
    Q_OBJECT
    QTemporaryDir prefix;
    QString file(const QString& relative) const { return prefix.filePath(relative); }

private slots:
    void initTestCase() {
        QVERIFY(prefix.isValid());
        const CommandResult r =
            run("cmake", {"--install", KOLVANE_BUILD_DIR, "--prefix", prefix.path()}, 120000);
        QVERIFY2(r.exitCode == 0, r.err.constData());
    }

    void layout_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("iconSize"); // 0: not a pixel icon
        QTest::newRow("program") << "bin/kolvane" << 0;
        QTest::newRow("tray icon file") << "share/kolvane/app.ico" << 0;
        QTest::newRow("desktop entry") << "share/applications/" + kId + ".desktop" << 0;
        QTest::newRow("metainfo") << "share/metainfo/" + kId + ".metainfo.xml" << 0;
        QTest::newRow("scalable icon") << "share/icons/hicolor/scalable/apps/" + kId + ".svg" << 0;
        for (int s : {16, 32, 48, 64, 128, 256})
            QTest::newRow(qPrintable(QString("icon %1").arg(s)))
                << QString("share/icons/hicolor/%1x%1/apps/%2.png").arg(s).arg(kId) << s;
        QTest::newRow("manual page") << "share/man/man1/kolvane.1.gz" << 0;
        QTest::newRow("recognition models") << "share/kolvane/ocr-models/ppocrv4_rec.onnx" << 0;
        QTest::newRow("recognition models' notice") << "share/kolvane/ocr-models/NOTICE" << 0;
    }
    void layout() {
        QFETCH(QString, path);
        QFETCH(int, iconSize);
        QVERIFY2(QFileInfo(file(path)).isFile(), qPrintable(path));
        if (iconSize == 0) return;
        const QImage icon(file(path));
        QCOMPARE(icon.size(), QSize(iconSize, iconSize));
        QVERIFY(icon.hasAlphaChannel());
        QCOMPARE(qAlpha(icon.pixel(0, 0)), 0);
        const QColor heart = icon.pixelColor(iconSize / 2, iconSize / 2);
        QVERIFY(std::min({heart.red(), heart.green(), heart.blue()}) >= 230);
        // Nothing of the build folder is needed: no run-time file beside bin/kolvane.
        QVERIFY(!QFile::exists(file("bin/app.ico")));
    }

    void validators_data() {
        QTest::addColumn<QString>("tool");
        QTest::addColumn<QStringList>("args");
        QTest::newRow("desktop entry")
            << "desktop-file-validate"
            << QStringList{file("share/applications/" + kId + ".desktop")};
        QTest::newRow("appstream") << "appstreamcli"
                                   << QStringList{"validate", "--no-net", "--explain",
                                                  file("share/metainfo/" + kId + ".metainfo.xml")};
    }
    void validators() {
        QFETCH(QString, tool);
        QFETCH(QStringList, args);
        const CommandResult r = run(tool, args, 60000);
        QVERIFY2(r.exitCode == 0, (r.out + r.err).constData());
        // The desktop entry is clean, hints included (one main category: the program
        // appears once in the menus); the metadata's hints are advice.
        const bool hintsCount = tool == "desktop-file-validate";
        for (const QByteArray& line : (r.out + r.err).split('\n'))
            QVERIFY2(!line.contains("error:") && !line.contains("warning:") &&
                         !(hintsCount && line.contains("hint:")),
                     line.constData());
    }

    // What the menu and the desktop's shortcut settings read from the entry.
    // The program by its full path: KWin's screenshot interface answers only the
    // program an entry that asks for it names so.
    void desktopEntry() {
        const QString exec = file("bin/kolvane");
        QFile f(file("share/applications/" + kId + ".desktop"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(f.readAll()).split('\n');
        for (const QString& want :
             {QString("Name=Kolvane"), "Exec=" + exec, QString("Icon=") + kId,
              QString("Categories=Graphics;2DGraphics;RasterGraphics;"),
              QString("StartupNotify=true"), "Exec=" + exec + " --region",
              "Exec=" + exec + " --full-screen", "Exec=" + exec + " --pin",
              QString("Name[zh_CN]=贴图"),
              QString("X-KDE-DBUS-Restricted-Interfaces=org.kde.KWin.ScreenShot2")})
            QVERIFY2(lines.contains(want), qPrintable(want));
        for (const char* key : {"Name[zh_CN]=", "Comment[zh_CN]="})
            QVERIFY(std::any_of(lines.begin(), lines.end(), [&](const QString& l) {
                return l.startsWith(key) && l.size() > 16;
            }));
    }

    // The scalable icon draws what the 256 px picture shows, drawn by librsvg as the
    // desktops draw it (ImageMagick's own renderer differs where it is installed).
    void scalableIconDrawsTheSame() {
        const CommandResult r = run(
            "rsvg-convert",
            {"--format", "png", file("share/icons/hicolor/scalable/apps/" + kId + ".svg")}, 60000);
        QCOMPARE(r.exitCode, 0);
        const QImage drawn = QImage::fromData(r.out, "png");
        const QImage pixels(file(QString("share/icons/hicolor/256x256/apps/%1.png").arg(kId)));
        QCOMPARE(drawn.size(), pixels.size());
        const double diff = meanDifference(drawn, pixels);
        QVERIFY2(diff < 6, qPrintable(QString::number(diff)));
    }

    // The text recognition finds its models and its backend in the installed
    // layout, with nothing of the build folder.
    void recognisesFromThePrefix() {
        QImage picture(300, 60, QImage::Format_RGB32);
        picture.fill(Qt::white);
        QPainter p(&picture);
        QFont font(QStringLiteral("WenQuanYi Micro Hei"));
        font.setPixelSize(16);
        p.setFont(font);
        p.drawText(16, 36, QStringLiteral("区域截图"));
        p.end();
        QTemporaryDir dir;
        QVERIFY(picture.save(dir.filePath("text.png")));
        const CommandResult r =
            run(file("bin/kolvane"), {"--ocr", dir.filePath("text.png")}, 60000);
        QVERIFY2(r.exitCode == 0, r.err.constData());
        QCOMPARE(QString::fromUtf8(r.out), QStringLiteral("区域截图\n"));
    }

    // Started from the prefix by a user with a fresh home: the command starts the
    // full-screen countdown, the bitmap lands in the user's pictures folder, the
    // window carries the program's icon, and a region capture docks the tray icon.
    void runsFromThePrefix() {
        QTemporaryDir home;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", home.path());
        env.remove("XDG_CONFIG_HOME");
        QProcess program;
        program.setProcessEnvironment(env);
        program.setProcessChannelMode(QProcess::ForwardedChannels);
        program.start(file("bin/kolvane"), {"--full-screen"});
        QVERIFY(program.waitForStarted(5000));
        const auto stop = qScopeGuard([&] {
            program.terminate();
            if (!program.waitForFinished(3000)) program.kill();
            program.waitForFinished(2000);
        });

        const QDir captures(home.filePath("Pictures/用户图片"));
        QVERIFY2(
            waitFor([&] { return !captures.entryList({"*.bmp"}, QDir::Files).isEmpty(); }, 15000),
            qPrintable(captures.path()));
        QTest::qWait(500);
        const QStringList bmps = captures.entryList({"*.bmp"}, QDir::Files);
        QCOMPARE(bmps.size(), 1);
        QCOMPARE(QImage(captures.filePath(bmps.first()), "bmp").size(), QSize(1920, 1080));
        QVERIFY(!QFileInfo::exists(file("bin/用户图片")));

        const QString pid = QString::number(program.processId());
        const QString window =
            xdotool({"search", "--all", "--onlyvisible", "--pid", pid, "--name", "^Kolvane$"})
                .section('\n', 0, 0);
        QVERIFY(!window.isEmpty());
        const CommandResult icon = run("xprop", {"-id", window, "_NET_WM_ICON"});
        QVERIFY2(icon.out.contains("Icon (16 x 16)"), icon.out.left(200).constData());

        QCOMPARE(trayhost::dockedIcons("kolvane"), 0);
        const CommandResult region = run(file("bin/kolvane"), {"--region"}, 5000);
        QCOMPARE(region.exitCode, 0);
        QVERIFY(trayhost::waitForDocked("kolvane", 1));
        QTest::qWait(300);
        xdotool({"key", "Escape"});
        QVERIFY(trayhost::waitForDocked("kolvane", 0));
    }
};

QTEST_MAIN(TestInstalledE2E)
#include "test_installed.moc"
