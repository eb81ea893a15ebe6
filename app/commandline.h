#pragma once

// Kolvane's command line: what a start may ask for, read without a display.
#include <QString>
#include <QStringList>

namespace kv {

// What a keyboard shortcut or a desktop action can ask of Kolvane.
enum class StartCommand { None, Region, FullScreen, Window, Pin };

struct CommandLine {
    enum class Action { Run, Help, Version, Error, RecogniseText };
    Action action = Action::Run;
    StartCommand command = StartCommand::None;
    QString error;   // one line, for Action::Error
    QString picture; // the file whose text --ocr prints
};

// Reads the arguments after the program name. Nothing here needs a display, so the
// answer is there before any window system is touched.
CommandLine parseCommandLine(const QStringList& arguments);

// The word a command travels under between two Kolvane processes, and back.
QString commandWord(StartCommand command);
StartCommand commandFromWord(const QString& word);

QString helpText();
QString versionText();

} // namespace kv
