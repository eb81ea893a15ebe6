// The commands a keyboard shortcut runs, as the desktop runs them: "kolvane --region"
// while Kolvane runs opens the frozen editor in that instance and exits; with none
// running it starts Kolvane and opens it; a plain second start shows nothing.
#include "e2e/support/desktop.h"

#include <QElapsedTimer>
#include <QTest>

using namespace e2e;

namespace {

QStringList visibleWindows(const QString& nameRegex, qint64 pid = 0) {
    QStringList args{"search", "--all", "--onlyvisible"};
    if (pid) args << "--pid" << QString::number(pid);
    args << "--name" << nameRegex;
    return xdotool(args).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}
// The frozen editor covers the screen; its title starts with the program's name.
bool editorShownBy(qint64 pid) {
    return !visibleWindows(QStringLiteral("^Kolvane "), pid).isEmpty();
}
bool mainShownBy(qint64 pid) {
    return !visibleWindows(QStringLiteral("^Kolvane$"), pid).isEmpty();
}

} // namespace

class TestCommandsE2E : public QObject {
    Q_OBJECT
private slots:
    // Answered without a display or a window, with no instance running.
    void answersWithoutStarting_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out"); // must appear on standard output
        QTest::addColumn<QString>("err"); // must appear on standard error, one line
        QTest::newRow("help") << QStringList{"--help"} << 0 << "--region"
                              << "";
        QTest::newRow("version") << QStringList{"--version"} << 0 << "kolvane " KOLVANE_VERSION
                                 << "";
        QTest::newRow("unknown option") << QStringList{"--frobnicate"} << 2 << ""
                                        << "--frobnicate";
        QTest::newRow("stray word") << QStringList{"region"} << 2 << ""
                                    << "region";
        QTest::newRow("two commands") << QStringList{"--region", "--window"} << 2 << ""
                                      << "only one";
    }
    void answersWithoutStarting() {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, out);
        QFETCH(QString, err);
        const CommandResult r = run(binary(), args, 5000);
        QCOMPARE(r.exitCode, exitCode);
        QVERIFY2(QString::fromUtf8(r.out).contains(out), r.out.constData());
        if (err.isEmpty()) {
            QVERIFY2(r.err.isEmpty(), r.err.constData());
        } else {
            QVERIFY2(QString::fromUtf8(r.err).contains(err), r.err.constData());
            QCOMPARE(r.err.count('\n'), 1);
        }
        QVERIFY(visibleWindows("^Kolvane").isEmpty());
    }

    // Where there is no display at all (a console, an ssh session), a start says so in
    // one line and ends with status 1 instead of aborting in Qt; the answers that need
    // no window still come.
    void withoutAGraphicalSession_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        const QString needs = "needs a graphical session";
        QTest::newRow("region") << QStringList{"--region"} << 1 << "" << needs;
        QTest::newRow("plain start") << QStringList{} << 1 << "" << needs;
        QTest::newRow("help") << QStringList{"--help"} << 0 << "--region"
                              << "";
        QTest::newRow("version") << QStringList{"--version"} << 0 << "kolvane " KOLVANE_VERSION
                                 << "";
    }
    void withoutAGraphicalSession() {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, out);
        QFETCH(QString, err);
        const QStringList env{"-u", "DISPLAY", "-u", "WAYLAND_DISPLAY", "-u", "QT_QPA_PLATFORM"};
        const CommandResult r = run("env", env + QStringList{binary()} + args, 10000);
        QCOMPARE(r.exitCode, exitCode);
        QVERIFY2(QString::fromUtf8(r.out).contains(out), r.out.constData());
        if (err.isEmpty()) {
            QVERIFY2(r.err.isEmpty(), r.err.constData());
        } else {
            QVERIFY2(QString::fromUtf8(r.err).contains(err), r.err.constData());
            QCOMPARE(r.err.count('\n'), 1);
        }
    }

    // None running: the command starts Kolvane, which opens the editor at once
    // and brings the main window back when the editor is left.
    void startsAndOpens() {
        Program program;
        QVERIFY(program.start({"--region"}));
        const qint64 pid = program.process().processId();
        QVERIFY(waitFor([&] { return editorShownBy(pid); }));
        QVERIFY(!mainShownBy(pid));
        QTest::qWait(300);
        xdotool({"key", "Escape"});
        QVERIFY(waitFor([&] { return mainShownBy(pid) && !editorShownBy(pid); }));
    }

    // Running: the new process hands the command over and exits at once; the
    // editor opens in the running instance, which stays the only one.
    void handsOverToTheRunningInstance() {
        Program program;
        QVERIFY(program.start());
        QVERIFY(!program.mainWindow().isEmpty());
        const qint64 pid = program.process().processId();
        for (int round = 0; round < 2; ++round) {
            QElapsedTimer t;
            t.start();
            const CommandResult r = run(binary(), {"--region"}, 5000);
            QCOMPARE(r.exitCode, 0);
            QVERIFY2(r.err.isEmpty(), r.err.constData());
            qInfo("round %d: hand-over took %lld ms", round, t.elapsed());
            QVERIFY(waitFor([&] { return editorShownBy(pid); }));
            QCOMPARE(visibleWindows("^Kolvane").size(), 1); // the editor, nothing else
            // A second press of the shortcut while the editor is open changes nothing.
            QCOMPARE(run(binary(), {"--region"}, 5000).exitCode, 0);
            QTest::qWait(300);
            QCOMPARE(visibleWindows("^Kolvane").size(), 1);
            xdotool({"key", "Escape"});
            QVERIFY(waitFor([&] { return mainShownBy(pid) && !editorShownBy(pid); }));
        }
        QCOMPARE(program.process().state(), QProcess::Running);
    }

    // A plain second start ends silently: no window, no message, the first one
    // is left as it was.
    void plainSecondStartShowsNothing() {
        Program program;
        QVERIFY(program.start());
        QVERIFY(!program.mainWindow().isEmpty());
        const CommandResult r = run(binary(), {}, 5000);
        QCOMPARE(r.exitCode, 0);
        QVERIFY(r.out.isEmpty() && r.err.isEmpty());
        QTest::qWait(300);
        QCOMPARE(visibleWindows("^Kolvane").size(), 1);
        QVERIFY(mainShownBy(program.process().processId()));
    }
};

QTEST_MAIN(TestCommandsE2E)
#include "test_commands.moc"
