// Kolvane on headless GNOME, driven as a user would through Mutter's remote
// desktop: its captures and frozen editor show exactly what the compositor shows
// (the portal's picture), a region reaches the clipboard pixel for pixel, the
// dropper picks a native window's colour, and the screenshot permission GNOME asks
// for once: refused, and not yet answered.
#include "support/waylandcases.h"

#include <QApplication>
#include <QUrl>

namespace {

// The top bar: its clock and the name of the focused program change on their own.
const QRect kTopBar(0, 0, 1920, 32);

bool setPermission(const QString& answer) {
    const QString store = "org.freedesktop.impl.portal.PermissionStore";
    QStringList args{"call",    "--session",     "--dest",
                     store,     "--object-path", "/org/freedesktop/impl/portal/PermissionStore",
                     "--method"};
    if (answer.isEmpty())
        args << store + ".DeletePermission"
             << "screenshot"
             << "screenshot"
             << "";
    else
        args << store + ".SetPermission"
             << "screenshot"
             << "true"
             << "screenshot"
             << "" << QString("['%1']").arg(answer);
    return e2e::run("gdbus", args).exitCode == 0;
}

QString permission() {
    return QString::fromUtf8(
        e2e::run("gdbus",
                 {"call", "--session", "--dest", "org.freedesktop.impl.portal.PermissionStore",
                  "--object-path", "/org/freedesktop/impl/portal/PermissionStore", "--method",
                  "org.freedesktop.impl.portal.PermissionStore.Lookup", "screenshot", "screenshot"})
            .out);
}

} // namespace

class TestGnomeCapture : public QObject {
    Q_OBJECT
    wld::CaptureCases cases_{{kTopBar}};
    QTemporaryDir dir_;

private Q_SLOTS:
    void initTestCase() {
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("wayland"));
        QVERIFY(setPermission("yes"));
        // A background different in every pixel, drawn one to one, so that a shifted
        // picture never passes for the screen.
        const QString file = dir_.filePath("pattern.png");
        QVERIFY(wld::pattern(QSize(1920, 1080)).save(file));
        const QString uri = QUrl::fromLocalFile(file).toString();
        for (const QStringList& kv :
             {QStringList{"picture-options", "centered"}, QStringList{"picture-uri", uri},
              QStringList{"picture-uri-dark", uri}})
            QCOMPARE(e2e::run("gsettings", QStringList{"set", "org.gnome.desktop.background"} + kv)
                         .exitCode,
                     0);
        QVERIFY(wld::park());
        QVERIFY(e2e::waitFor(
            [] { return wld::screen().pixel(1000, 500) != qRgb(0x20, 0x30, 0x40); }, 20000));
        QTest::qWait(500);
    }
    void fullScreenCapture() { cases_.fullScreenCapture(); }
    void regionToClipboard() { cases_.regionToClipboard(); }
    void dropperPicksNativeWindow() { cases_.dropperPicksNativeWindow(); }

    // A stored "no": the portal refuses at once, and the message (saying how to
    // allow it again) is up beside the main window long before the time limit, with
    // no editor. (The test's own pictures need the permission: it is taken away
    // only while the program asks.)
    void refusedPermission() {
        struct Restore {
            ~Restore() { setPermission("yes"); }
        } restore;
        wld::ScreenProgram kolvane;
        QVERIFY(kolvane.start({kTopBar}).isValid());
        QVERIFY(setPermission("no"));
        QVERIFY(kolvane.click(wld::kRegionCommand));
        QVERIFY(wld::park());
        QTest::qWait(3000);
        QVERIFY(setPermission("yes"));
        QVERIFY(kolvane.mainWithMessage());
    }

    // Nobody has answered yet: GNOME asks, and Kolvane gives up after its time
    // limit with a message while the question stays; answered ("Allow"), the
    // permission is kept and the next region capture opens the editor.
    void unansweredPermission() {
        struct Restore {
            ~Restore() { setPermission("yes"); }
        } restore;
        wld::ScreenProgram kolvane;
        const QRect main = kolvane.start({kTopBar});
        QVERIFY(main.isValid());
        const QImage truth = kolvane.emptyScreen();
        QVERIFY(setPermission(""));
        QVERIFY(kolvane.click(wld::kRegionCommand));
        QVERIFY(wld::park());
        // The question takes all input until answered: Tab to "Allow", then Return,
        // once Kolvane has given up.
        QTest::qWait(12000);
        QVERIFY(wld::pointer({"key", "0xff09", "sleep", "100", "key", "0xff0d", "sleep", "500"}));
        QVERIFY2(permission().contains("'yes'"), qPrintable(permission()));
        QVERIFY(e2e::waitFor([&] { return kolvane.mainWithMessage(); }, 8000));
        QVERIFY(kolvane.click(wld::kRegionCommand));
        const QList<QRect> moving{kTopBar, wld::pointerArea(main.topLeft() + wld::kRegionCommand),
                                  wld::pointerArea(wld::kParked)};
        QVERIFY(wld::park());
        QVERIFY(
            e2e::waitFor([&] { return wld::sameOutside(wld::screen(), truth, moving); }, 20000));
    }
};

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "wayland");
    QApplication app(argc, argv);
    TestGnomeCapture test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_gnome_capture.moc"
