#pragma once

// Reading a recognition network's output: per time step a score (logit) for each
// class, class 0 the CTC blank.
#include <QList>
#include <QString>
#include <QStringList>
#include <vector>

namespace kv {

struct DecodedText {
    QString text;
    float confidence = 0; // mean probability of the characters kept; 0 when none
    QList<int> steps;     // the step at which each character of `text` was read
};

// Greedy CTC: the likeliest class per step, repeats merged, blanks dropped; class i
// (i ≥ 1) is `characters[i - 1]`. `logits` holds `steps` rows of `classes` values,
// before the softmax; only the kept classes' probabilities are worked out.
DecodedText decodeCtc(const float* logits, int steps, int classes, const QStringList& characters);

// PaddleOCR's character list: one character a line, the space appended as the
// last class. Empty when the file cannot be read.
QStringList readCharacterList(const QString& file);

// The recogniser often drops the narrow spaces between Latin words. The empty
// runs of columns between neighbouring Latin characters (`ink`: per column of the
// line's picture, any ink in it; `step` columns per step) fall into letter gaps
// and, where the line has words, clearly wider word gaps of at least `minGap`;
// a space goes into each word gap that has none.
void addWordSpaces(DecodedText& read, const std::vector<bool>& ink, int step, int minGap);

} // namespace kv
