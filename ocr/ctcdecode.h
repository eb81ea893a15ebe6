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
    // For each character of `text`: how much likelier than the blank the space class
    // came at its likeliest since the previous character (the logits' difference);
    // kNoSpace where no step lay between them.
    QList<float> spaceBefore;
};
constexpr float kNoSpace = -1e9f;

// Greedy CTC: the likeliest class per step, repeats merged, blanks dropped; class i
// (i ≥ 1) is `characters[i - 1]`, the last one the space. `logits` holds `steps` rows of `classes`
// values, before the softmax; only the kept classes' probabilities are worked out.
DecodedText decodeCtc(const float* logits, int steps, int classes, const QStringList& characters);

// PaddleOCR's character list: one character a line, the space appended as the
// last class. Empty when the file cannot be read.
QStringList readCharacterList(const QString& file);

// The recogniser often drops the narrow spaces between Latin words: its blank
// wins the steps of a word gap, yet the space class comes far closer to it there
// than anywhere inside a word. A space goes between two characters where it came
// close (clearly so, or less clearly where the line's picture also has an empty
// run, `ink` per column at `step` columns per step, well wider than its letter
// gaps and at least `minGap`), but never before closing punctuation (". , : ; ) ]")
// or after opening brackets, nor between two digits or Chinese characters.
void addWordSpaces(DecodedText& read, const std::vector<bool>& ink, int step, int minGap);

} // namespace kv
