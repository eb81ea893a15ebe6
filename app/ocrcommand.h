#pragma once

// kolvane --ocr FILE: the text of a picture file on standard output, without a
// display.
#include <QString>

namespace kv {

// Runs the whole command in its own QCoreApplication; the exit status: 0 with the
// text printed (nothing when the picture holds none), 1 with a one-line message on
// standard error when the file or the models cannot be read.
int printPictureText(int argc, char** argv, const QString& file);

} // namespace kv
