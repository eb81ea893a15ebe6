#pragma once

// Turning the engine's lines into the text a person would paste: blocks in reading
// order (a sidebar is not interleaved with the article beside it), lines kept as
// lines, the spacing and punctuation of Chinese and of Latin text each as written.
#include "ocr/ocrengine.h"

#include <QList>
#include <QRect>
#include <QStringList>

namespace kv {

// Lines that belong together (a paragraph, a column of a form), top to bottom.
struct OcrBlock {
    QRect box;
    QStringList lines;
};

// The blocks in reading order: cut the page at an empty band across it (a wide
// one first) or else down it, and read the parts top to bottom or left to right,
// recursively.
QList<OcrBlock> arrangeBlocks(const QList<OcrLine>& lines);

// All blocks' lines, one line a line.
QString assembleText(const QList<OcrLine>& lines);

// One recognised piece of a line tidied: no spaces between Chinese characters;
// full-width punctuation made ASCII among Latin text and code, ASCII punctuation
// between Chinese characters made full-width; other spaces kept; a letter read
// for a digit inside a dotted number ("1.1.o") made the digit.
QString tidyText(const QString& piece);

} // namespace kv
