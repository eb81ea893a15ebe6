#pragma once

// Reading a recognition network's output: per time step a score (logit) for each
// class, class 0 the CTC blank.
#include <QString>
#include <QStringList>

namespace kv {

struct DecodedText {
    QString text;
    float confidence = 0; // mean probability of the characters kept; 0 when none
};

// Greedy CTC: the likeliest class per step, repeats merged, blanks dropped; class i
// (i ≥ 1) is `characters[i - 1]`. `logits` holds `steps` rows of `classes` values,
// before the softmax; only the kept classes' probabilities are worked out.
DecodedText decodeCtc(const float* logits, int steps, int classes, const QStringList& characters);

// PaddleOCR's character list: one character a line, the space appended as the
// last class. Empty when the file cannot be read.
QStringList readCharacterList(const QString& file);

} // namespace kv
