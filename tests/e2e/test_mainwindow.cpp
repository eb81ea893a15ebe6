// The built program as a user meets it: its window, a second start, copying a
// notation and nudging a slider, and a link opened in the browser.
#include "e2e/support/desktop.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace e2e;

namespace {

// Designed positions inside the main window, in its own pixels.
const QPoint kColourTab(66, 128);      // "取色"
const QPoint kRgbBox(500, 190);        // TxtClrVal(2)
const QPoint kHtmlBox(500, 158);       // TxtClrVal(0)
const QPoint kRedRightArrow(330, 352); // right arrow of HSLR (192,344 145x17)
const QPoint kBlogLink(500, 440);      // "我的博客"

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    // The designed size, times the scale the desktop asks Qt programs for.
    void windowAppearsAtDesignedSize_data() {
        QTest::addColumn<QString>("variable");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QSize>("size");
        QTest::newRow("as is") << QString() << QString() << QSize(561, 465);
        QTest::newRow("scale factor 1") << "QT_SCALE_FACTOR"
                                        << "1" << QSize(561, 465);
        QTest::newRow("scale factor 2") << "QT_SCALE_FACTOR"
                                        << "2" << QSize(1122, 930);
        QTest::newRow("screen scale factors 2") << "QT_SCREEN_SCALE_FACTORS"
                                                << "2" << QSize(1122, 930);
        QTest::newRow("scale 3 is lowered to fit the screen") << "QT_SCALE_FACTOR"
                                                              << "3" << QSize(1262, 1046);
    }
    void windowAppearsAtDesignedSize() {
        QFETCH(QString, variable);
        QFETCH(QString, value);
        QFETCH(QSize, size);
        Program kolvane;
        if (!variable.isEmpty()) {
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(variable, value);
            kolvane.process().setProcessEnvironment(env);
        }
        QVERIFY(kolvane.start());
        const QString id = kolvane.mainWindow();
        QVERIFY2(!id.isEmpty(), "no window named Kolvane appeared");
        QCOMPARE(windowGeometry(id).size(), size);
        QCOMPARE(xdotool({"getwindowname", id}), QStringLiteral("Kolvane"));
    }

    void secondInstanceLeavesAtOnce() {
        Program first;
        QVERIFY(first.start());
        QVERIFY(!first.mainWindow().isEmpty());

        Program second;
        QElapsedTimer t;
        t.start();
        QVERIFY(second.start());
        QVERIFY(second.process().waitForFinished(10000));
        QCOMPARE(second.process().exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.process().exitCode(), 0);
        // It never mapped a window of its own: only the first one is there.
        const QStringList windows = xdotool({"search", "--onlyvisible", "--name", "^Kolvane$"})
                                        .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(windows.size(), 1);
        qInfo("second instance ended after %lld ms", t.elapsed());
    }

    void doubleClickCopiesNotationAndArrowNudgesChannel() {
        Program kolvane;
        QVERIFY(kolvane.start());
        QVERIFY(!kolvane.mainWindow().isEmpty());
        kolvane.click(kColourTab);
        QTest::qWait(300);

        kolvane.doubleClick(kRgbBox);
        QVERIFY(waitFor([] { return clipboardText() == QLatin1String("RGB(30,144,255)"); }, 5000));
        QCOMPARE(clipboardText(), QStringLiteral("RGB(30,144,255)")); // exactly, no line end

        kolvane.click(kRedRightArrow);
        QTest::qWait(300);
        kolvane.doubleClick(kRgbBox);
        QVERIFY(waitFor([] { return clipboardText() == QLatin1String("RGB(31,144,255)"); }, 5000));
        kolvane.doubleClick(kHtmlBox);
        QVERIFY(waitFor([] { return clipboardText() == QLatin1String("#1F90FF"); }, 5000));
    }

    void leftDragOnBannerMovesWindow_data() {
        QTest::addColumn<QPoint>("grip");
        QTest::addColumn<int>("button");
        QTest::addColumn<bool>("moves");
        QTest::newRow("banner, left") << QPoint(250, 12) << 1 << true;
        QTest::newRow("title label, left") << QPoint(40, 15) << 1 << true;
        QTest::newRow("banner, right") << QPoint(250, 12) << 3 << false;
    }
    void leftDragOnBannerMovesWindow() {
        QFETCH(QPoint, grip);
        QFETCH(int, button);
        QFETCH(bool, moves);
        Program kolvane;
        QVERIFY(kolvane.start());
        const QString id = kolvane.mainWindow();
        QVERIFY(!id.isEmpty());
        const QPoint before = windowGeometry(id).topLeft();
        kolvane.moveTo(grip);
        xdotool({"mousedown", QString::number(button)});
        QTest::qWait(150);
        const QPoint start = before + grip;
        for (int step = 1; step <= 10; ++step) {
            xdotool({"mousemove", QString::number(start.x() - 12 * step),
                     QString::number(start.y() + 9 * step)});
            QTest::qWait(30);
        }
        xdotool({"mouseup", QString::number(button)});
        QTest::qWait(400);
        const QPoint after = windowGeometry(id).topLeft();
        if (moves)
            QCOMPARE(after, before + QPoint(-120, 90));
        else
            QCOMPARE(after, before);
    }

    void closeButtonEndsTheProgram() {
        Program kolvane;
        QVERIFY(kolvane.start());
        QVERIFY(!kolvane.mainWindow().isEmpty());
        kolvane.click(QPoint(543, 11)); // ImgClose
        QVERIFY(kolvane.process().waitForFinished(5000));
        QCOMPARE(kolvane.process().exitCode(), 0);
    }

    void blogLinkOpensItsAddress() {
        // A stand-in browser records what it is asked to open.
        QTemporaryDir dir;
        const QString log = dir.filePath(QStringLiteral("opened.txt"));
        const QString browser = dir.filePath(QStringLiteral("browser.sh"));
        QFile script(browser);
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write(QStringLiteral("#!/bin/sh\necho \"$1\" >> '%1'\n").arg(log).toUtf8());
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("BROWSER", browser.toUtf8());
        qputenv("DEFAULT_BROWSER", browser.toUtf8());

        Program kolvane;
        QVERIFY(kolvane.start());
        QVERIFY(!kolvane.mainWindow().isEmpty());
        kolvane.moveTo(kBlogLink);
        kolvane.click(kBlogLink, 3); // any button opens it
        QVERIFY(waitFor([&] { return QFile::exists(log); }, 8000));
        QFile opened(log);
        QVERIFY(opened.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(opened.readAll()).trimmed(),
                 QStringLiteral("https://kolvane.example.org/blog"));
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"
