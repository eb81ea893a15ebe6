// Reading Kolvane's command line, and the help and version texts.
#include "app/commandline.h"

#include <algorithm>
#include <array>

namespace kv {
namespace {

struct CommandOption {
    StartCommand command;
    const char* option;
    const char* word;
};

constexpr std::array<CommandOption, 4> kCommands{{
    {StartCommand::Region, "--region", "region"},
    {StartCommand::FullScreen, "--full-screen", "full-screen"},
    {StartCommand::Window, "--window", "window"},
    {StartCommand::Pin, "--pin", "pin"},
}};

CommandLine failure(const QString& text) {
    CommandLine result;
    result.action = CommandLine::Action::Error;
    result.error = text + QStringLiteral(" (kolvane --help lists the options)");
    return result;
}

} // namespace

CommandLine parseCommandLine(const QStringList& arguments) {
    CommandLine result;
    for (auto it = arguments.begin(); it != arguments.end(); ++it) {
        const QString& argument = *it;
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            result.action = CommandLine::Action::Help;
            return result;
        }
        if (argument == QLatin1String("--version")) {
            result.action = CommandLine::Action::Version;
            return result;
        }
        // --ocr FILE prints a picture's text and starts nothing else.
        if (argument == QLatin1String("--ocr")) {
            if (++it == arguments.end())
                return failure(QStringLiteral("kolvane: --ocr needs a picture file"));
            if (result.command != StartCommand::None || !result.picture.isEmpty())
                return failure(QStringLiteral("kolvane: --ocr goes alone"));
            result.action = CommandLine::Action::RecogniseText;
            result.picture = *it;
            continue;
        }
        if (result.action == CommandLine::Action::RecogniseText)
            return failure(QStringLiteral("kolvane: --ocr goes alone"));
        const auto found = std::find_if(kCommands.begin(), kCommands.end(), [&](const auto& c) {
            return argument == QLatin1String(c.option);
        });
        if (found == kCommands.end()) {
            return failure(argument.startsWith(QLatin1Char('-'))
                               ? QStringLiteral("kolvane: unknown option '%1'").arg(argument)
                               : QStringLiteral("kolvane: unexpected argument '%1'").arg(argument));
        }
        // A shortcut runs one thing; two at once would be a typing slip, not a plan.
        if (result.command != StartCommand::None && result.command != found->command)
            return failure(QStringLiteral("kolvane: only one of --region, --full-screen, "
                                          "--window and --pin at a time"));
        result.command = found->command;
    }
    return result;
}

QString commandWord(StartCommand command) {
    for (const CommandOption& c : kCommands)
        if (c.command == command) return QString::fromLatin1(c.word);
    return {};
}

StartCommand commandFromWord(const QString& word) {
    for (const CommandOption& c : kCommands)
        if (word == QLatin1String(c.word)) return c.command;
    return StartCommand::None;
}

QString helpText() {
    return QStringLiteral(
        "Usage: kolvane [OPTION]\n"
        "Colour picker and screenshot tool.\n"
        "\n"
        "  --region       freeze the screen and select a region (区域截图)\n"
        "  --full-screen  capture the whole screen after a three-second countdown (全屏截图)\n"
        "  --window       capture the active window after a three-second countdown (窗体截图)\n"
        "  --pin          pin the clipboard's picture to the screen at the pointer (贴图)\n"
        "  --ocr FILE     print the text in a picture file and exit (文字识别)\n"
        "  -h, --help     show this help and exit\n"
        "      --version  show the version and exit\n"
        "\n"
        "When Kolvane is already running, the command goes to the running program and\n"
        "this one exits at once; otherwise Kolvane starts and runs it. Without a command\n"
        "a second start does nothing.\n");
}

QString versionText() {
    return QStringLiteral("kolvane %1\n").arg(QStringLiteral(KOLVANE_VERSION));
}

} // namespace kv
