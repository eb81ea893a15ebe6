// Greedy CTC decoding and the character list.
#include "ocr/ctcdecode.h"

#include <QFile>
#include <algorithm>
#include <climits>
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
            result.steps.append(t);
            sum += probabilityOfBest(row, classes, row[best]);
            ++kept;
        }
        previous = best;
    }
    result.confidence = kept ? float(sum / kept) : 0.f;
    return result;
}

namespace {

constexpr double kWordGapRatio = 1.8;

bool isLatin(QChar c) {
    return c.unicode() > 0x20 && c.unicode() < 0x7F;
}

int longestEmptyRun(const std::vector<bool>& ink, int from, int to) {
    int longest = 0, run = 0;
    for (int x = std::max(0, from); x < std::min<int>(to, int(ink.size())); ++x) {
        run = ink[size_t(x)] ? 0 : run + 1;
        longest = std::max(longest, run);
    }
    return longest;
}

// The empty run between each two neighbouring Latin characters; -1 elsewhere.
QList<int> latinGaps(const DecodedText& read, const std::vector<bool>& ink, int step) {
    QList<int> gaps(read.text.size(), -1);
    for (int i = 1; i < read.text.size(); ++i)
        // Digits stand apart in many fonts ("11"); a number is seldom split wrongly
        // by the recogniser itself.
        if (isLatin(read.text[i - 1]) && isLatin(read.text[i]) &&
            !(read.text[i - 1].isDigit() && read.text[i].isDigit()))
            gaps[i] = longestEmptyRun(ink, read.steps[i - 1] * step + step / 2,
                                      read.steps[i] * step + step / 2);
    return gaps;
}

// The smallest gap that is a word space: the gaps fall in two groups, the upper
// starting well above the lower (letters of a monospaced font stand apart too);
// INT_MAX when they do not.
int wordGapThreshold(QList<int> gaps, int minGap) {
    gaps.removeAll(-1);
    std::sort(gaps.begin(), gaps.end());
    for (int i = 0; i + 1 < gaps.size(); ++i)
        if (gaps[i + 1] >= minGap && gaps[i + 1] >= kWordGapRatio * std::max(1, gaps[i]))
            return gaps[i + 1];
    return INT_MAX;
}

} // namespace

void addWordSpaces(DecodedText& read, const std::vector<bool>& ink, int step, int minGap) {
    const QList<int> gaps = latinGaps(read, ink, step);
    const int threshold = wordGapThreshold(gaps, minGap);
    QString text;
    QList<int> steps;
    for (int i = 0; i < read.text.size(); ++i) {
        if (gaps[i] >= threshold) {
            text += QLatin1Char(' ');
            steps.append(read.steps[i - 1]);
        }
        text += read.text[i];
        steps.append(read.steps[i]);
    }
    read.text = text;
    read.steps = steps;
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
