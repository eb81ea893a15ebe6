// Greedy CTC decoding and the character list.
#include "ocr/ctcdecode.h"

#include <QFile>
#include <algorithm>
#include <cmath>

namespace kv {

namespace {

// The softmax's value for the row's largest logit.
double probabilityOfBest(const float* row, int classes, float best) {
    double sum = 0;
    for (int c = 0; c < classes; ++c)
        sum += std::exp(double(row[c] - best));
    return 1 / sum;
}

} // namespace

DecodedText decodeCtc(const float* logits, int steps, int classes, const QStringList& characters) {
    DecodedText result;
    double sum = 0;
    int kept = 0;
    int previous = 0;
    for (int t = 0; t < steps; ++t) {
        const float* row = logits + size_t(t) * classes;
        const int best = int(std::max_element(row, row + classes) - row);
        if (best != 0 && best != previous && best - 1 < characters.size()) {
            result.text += characters[best - 1];
            sum += probabilityOfBest(row, classes, row[best]);
            ++kept;
        }
        previous = best;
    }
    result.confidence = kept ? float(sum / kept) : 0.f;
    return result;
}

QStringList readCharacterList(const QString& file) {
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly)) return {};
    QStringList characters;
    for (const QByteArray& line : in.readAll().split('\n')) {
        const QString character = QString::fromUtf8(line).remove(QLatin1Char('\r'));
        if (!character.isEmpty()) characters << character;
    }
    characters << QStringLiteral(" ");
    return characters;
}

} // namespace kv
