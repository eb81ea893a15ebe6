#pragma once

#include <QString>

namespace kv {

// Error numbers shown in the save error box.
enum SaveErrorNumber : int {
    NoPictureError = 1,          // nothing to save
    UnknownFormatError = 2,      // the format key is none of the known ones
    FileWriteError = 3,          // the file cannot be created or written
    EncoderError = 4,            // the encoder could not turn the picture into the format
    UnsupportedSettingError = 5, // quality, colour depth or compression out of range
};

struct SaveError {
    int number = 0;
    QString description;
};

// The text of the save error box.
QString saveErrorText(const SaveError& error);

} // namespace kv
