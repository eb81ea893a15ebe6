// What a keyboard shortcut or a desktop action may type after "kolvane", and what
// Kolvane makes of it before any display is opened.
#include "app/commandline.h"

#include <QTest>

using namespace kv;
using Action = CommandLine::Action;

Q_DECLARE_METATYPE(Action)
Q_DECLARE_METATYPE(StartCommand)

class TestCommandLine : public QObject {
    Q_OBJECT
private slots:
    void parse_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<Action>("action");
        QTest::addColumn<StartCommand>("command");
        QTest::addColumn<QString>("errorNames"); // what the error line must name

        QTest::newRow("plain start") << QStringList{} << Action::Run << StartCommand::None << "";
        QTest::newRow("region") << QStringList{"--region"} << Action::Run << StartCommand::Region
                                << "";
        QTest::newRow("full screen")
            << QStringList{"--full-screen"} << Action::Run << StartCommand::FullScreen << "";
        QTest::newRow("window") << QStringList{"--window"} << Action::Run << StartCommand::Window
                                << "";
        QTest::newRow("pin") << QStringList{"--pin"} << Action::Run << StartCommand::Pin << "";
        QTest::newRow("pin and a capture") << QStringList{"--pin", "--region"} << Action::Error
                                           << StartCommand::None << "only one";
        QTest::newRow("same command twice")
            << QStringList{"--region", "--region"} << Action::Run << StartCommand::Region << "";
        QTest::newRow("help") << QStringList{"--help"} << Action::Help << StartCommand::None << "";
        QTest::newRow("short help")
            << QStringList{"-h"} << Action::Help << StartCommand::None << "";
        QTest::newRow("help wins over a command")
            << QStringList{"--region", "--help"} << Action::Help << StartCommand::None << "";
        QTest::newRow("version") << QStringList{"--version"} << Action::Version
                                 << StartCommand::None << "";
        QTest::newRow("unknown option")
            << QStringList{"--frobnicate"} << Action::Error << StartCommand::None << "--frobnicate";
        QTest::newRow("unknown after a good one")
            << QStringList{"--region", "-x"} << Action::Error << StartCommand::None << "-x";
        QTest::newRow("option spelt with one dash")
            << QStringList{"-region"} << Action::Error << StartCommand::None << "-region";
        QTest::newRow("option with a value")
            << QStringList{"--region=1"} << Action::Error << StartCommand::None << "--region=1";
        QTest::newRow("bare word")
            << QStringList{"region"} << Action::Error << StartCommand::None << "region";
        QTest::newRow("two different commands")
            << QStringList{"--region", "--window"} << Action::Error << StartCommand::None
            << "only one";
        QTest::newRow("upper case")
            << QStringList{"--REGION"} << Action::Error << StartCommand::None << "--REGION";
        QTest::newRow("text of a picture")
            << QStringList{"--ocr", "a.png"} << Action::RecogniseText << StartCommand::None << "";
        QTest::newRow("text of a picture named like an option")
            << QStringList{"--ocr", "--region"} << Action::RecogniseText << StartCommand::None
            << "";
        QTest::newRow("text without a picture")
            << QStringList{"--ocr"} << Action::Error << StartCommand::None << "--ocr";
        QTest::newRow("text with a command") << QStringList{"--region", "--ocr", "a.png"}
                                             << Action::Error << StartCommand::None << "--ocr";
        QTest::newRow("text then something else") << QStringList{"--ocr", "a.png", "b.png"}
                                                  << Action::Error << StartCommand::None << "--ocr";
        QTest::newRow("empty argument")
            << QStringList{""} << Action::Error << StartCommand::None << "''";
    }
    void parse() {
        QFETCH(QStringList, arguments);
        QFETCH(Action, action);
        QFETCH(StartCommand, command);
        QFETCH(QString, errorNames);
        const CommandLine line = parseCommandLine(arguments);
        QCOMPARE(line.action, action);
        if (action == Action::Run) QCOMPARE(line.command, command);
        if (action == Action::RecogniseText) QCOMPARE(line.picture, arguments.last());
        if (action == Action::Error) {
            QVERIFY2(line.error.contains(errorNames), qPrintable(line.error));
            QVERIFY2(!line.error.contains('\n'), "the error is one line");
            QVERIFY(line.error.startsWith("kolvane: "));
        } else {
            QVERIFY(line.error.isEmpty());
        }
    }

    // The words that travel between two processes come back as the same command,
    // and nothing else is taken for one.
    void wordsRoundTrip() {
        for (StartCommand c :
             {StartCommand::Region, StartCommand::FullScreen, StartCommand::Window})
            QCOMPARE(commandFromWord(commandWord(c)), c);
        QCOMPARE(commandWord(StartCommand::None), QString());
        for (const char* stray : {"", "quit", "--region", "Region", "region "})
            QCOMPARE(commandFromWord(stray), StartCommand::None);
    }

    // The help lists every option a user may type, the version names this one.
    void helpAndVersion() {
        for (const char* option :
             {"--region", "--full-screen", "--window", "--ocr", "--help", "--version"})
            QVERIFY2(helpText().contains(option), option);
        QCOMPARE(versionText(), QString("kolvane " KOLVANE_VERSION "\n"));
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "test_commandline.moc"
