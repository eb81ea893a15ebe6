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
    // The space is the last character, when the list has it.
    const int space = !characters.isEmpty() && characters.back() == QLatin1String(" ")
                          ? int(characters.size())
                          : -1;
    double sum = 0;
    int kept = 0;
    int previous = 0;
    float spacePeak = kNoSpace;
    for (int t = 0; t < steps; ++t) {
        const float* row = logits + size_t(t) * classes;
        const int best = int(std::max_element(row, row + classes) - row);
        if (best == 0 && space > 0 && space < classes)
            spacePeak = std::max(spacePeak, row[space] - row[0]);
        if (best != 0 && best != previous && best - 1 < characters.size()) {
            result.text += characters[best - 1];
            result.steps.append(t);
            result.spaceBefore.append(result.text.size() == 1 ? kNoSpace : spacePeak);
            sum += probabilityOfBest(row, classes, row[best]);
            ++kept;
        }
        if (best != 0) spacePeak = kNoSpace;
        previous = best;
    }
    result.confidence = kept ? float(sum / kept) : 0.f;
    return result;
}

namespace {

// The space class less than this much below the blank (about 1 : 30) is a word
// space: in rendered 12–16 px lines word gaps came at -4.1 and above (mostly above
// -3), letter gaps at -5.8 and below (mostly below -8).
constexpr float kSureSpace = -3.5f;
// Between the two, the line's picture decides; below, it is a letter gap however
// wide it looks (a monospaced "l" or "j" stands far from its neighbours, at -7 to
// -9). In a Chinese line the space scores lower: a number and its unit ("1.2 MB")
// came at -6 to -8.
constexpr float kPossibleSpace = -5.5f;
constexpr float kPossibleSpaceInChinese = -8.0f;
// A word gap is this many times the line's typical gap between letters.
constexpr double kWordGapRatio = 2.0;
// Between a Chinese character and a Latin letter or digit the network's space
// says little (-2.4 to -9.4 where a space stood, -6.9 to -14 where none did:
// "设置 Settings" lost its space); the picture's gap decides, in multiples of the
// least Latin word gap: from kHanGap on a space; from kFaintHanGap on where the
// space class came at least kHanSpace close. (Rendered 12–16 px, at the
// network's height: gaps of 9–32 columns with a space, 0–12 without.)
constexpr double kHanGap = 1.8;
constexpr double kFaintHanGap = 1.25;
constexpr float kHanSpace = -6.5f;

bool isAscii(QChar c) {
    return c.unicode() > 0x20 && c.unicode() < 0x7F;
}

bool isWide(QChar c) {
    return c.unicode() >= 0x2E80;
}

// Whether a space may stand before character i at all: not before closing
// punctuation ("argc,", "f(x)") nor after an opening bracket or a slash ("://",
// "/usr/share"; a comment's "// " apart), not inside a dotted number or a time
// ("1.1.0", "10:24") nor after "::", not between Chinese characters.
bool spaceable(const QString& s, int i) {
    static const QString closing = QStringLiteral(".,:;!?)]}");
    static const QString opening = QStringLiteral("([{");
    const QChar a = s[i - 1], b = s[i];
    if (a == QLatin1Char(' ') || b == QLatin1Char(' ')) return false;
    if (closing.contains(b) || opening.contains(a)) return false;
    // After a slash only where it ends a comment's "//" (not a URL's "://").
    if (a == QLatin1Char('/') &&
        !(i >= 2 && s[i - 2] == QLatin1Char('/') && (i < 3 || s[i - 3] != QLatin1Char(':'))))
        return false;
    if (a == QLatin1Char(':') && (b == QLatin1Char('/') || (i >= 2 && s[i - 2] == a)))
        return false; // "://", "std::"
    // A slash within a path or URL: one came before it in the same word.
    const int wordStart = int(s.lastIndexOf(QLatin1Char(' '), i - 1)) + 1;
    if (b == QLatin1Char('/') && s.mid(wordStart, i - wordStart).contains(QLatin1Char('/')))
        return false;
    // A digit may be read as "o" or "l" (mended later): "1.1.o", "l.l.0".
    const auto digitLike = [](QChar c) {
        return c.isDigit() || QStringLiteral("oOlI").contains(c);
    };
    if (digitLike(b) && i >= 2 && digitLike(s[i - 2]) && QStringLiteral(".,:").contains(a))
        return false;
    return !(isWide(a) && isWide(b));
}

// Where the picture may show a space: between letters and digits, or after a
// comma, colon or semicolon before a letter ("a, b" but "1.5", "10:24").
bool gapMayBeSpace(QChar a, QChar b) {
    if (!isAscii(a) || !isAscii(b) || !b.isLetterOrNumber()) return false;
    return a.isLetterOrNumber() || (QStringLiteral(",;:").contains(a) && b.isLetter());
}

int longestEmptyRun(const std::vector<bool>& ink, int from, int to) {
    int longest = 0, run = 0;
    for (int x = std::max(0, from); x < std::min<int>(to, int(ink.size())); ++x) {
        run = ink[size_t(x)] ? 0 : run + 1;
        longest = std::max(longest, run);
    }
    return longest;
}

// The empty run between each two neighbouring characters the picture may space;
// -1 elsewhere.
QList<int> latinGaps(const DecodedText& read, const std::vector<bool>& ink, int step) {
    QList<int> gaps(read.text.size(), -1);
    for (int i = 1; i < read.text.size(); ++i)
        if (gapMayBeSpace(read.text[i - 1], read.text[i]))
            gaps[i] = longestEmptyRun(ink, read.steps[i - 1] * step + step / 2,
                                      read.steps[i] * step + step / 2);
    return gaps;
}

// The empty run between each two neighbouring characters; -1 before the first.
QList<int> allGaps(const DecodedText& read, const std::vector<bool>& ink, int step) {
    QList<int> gaps(read.text.size(), -1);
    for (int i = 1; i < read.text.size(); ++i)
        gaps[i] = longestEmptyRun(ink, read.steps[i - 1] * step + step / 2,
                                  read.steps[i] * step + step / 2);
    return gaps;
}

// The typical word space of the line: the median gap between two Latin
// characters where both the network and the picture clearly show a space; 0
// when there is none. In a monospaced line that is a whole cell, and a letter
// gap beside a narrow letter ("r c", ". c", ": ~"), where the network at times
// comes close to a space as well, is well under half of it.
int typicalWordSpace(const DecodedText& read, const QList<int>& gaps, int threshold) {
    QList<int> spaces;
    for (int i = 1; i < read.text.size(); ++i)
        if (isAscii(read.text[i - 1]) && isAscii(read.text[i]) && gaps[i] >= threshold &&
            read.spaceBefore[i] >= kSureSpace)
            spaces.append(gaps[i]);
    if (spaces.isEmpty()) return 0;
    std::nth_element(spaces.begin(), spaces.begin() + spaces.size() / 2, spaces.end());
    return spaces[spaces.size() / 2];
}

// The smallest gap that is a word space: well above the line's median gap (most
// gaps are between letters) and at least `minGap`. A few gaps have no telling
// median: in a Chinese line (a unit after a number) twice `minGap` then; in a
// short Latin one none (a monospaced "r" stands that far apart).
int wordGapThreshold(QList<int> gaps, int minGap, bool chinese) {
    gaps.removeAll(-1);
    if (gaps.size() < 4) return chinese ? 2 * minGap : INT_MAX;
    std::nth_element(gaps.begin(), gaps.begin() + gaps.size() / 2, gaps.end());
    const int median = gaps[gaps.size() / 2];
    return std::max(minGap, int(std::ceil(kWordGapRatio * std::max(1, median))));
}

// The spaces the network read itself made clear scores of the next character, so
// that the same rules keep or drop them ("1.1. 0"); a score for every character,
// kUnknown where the network said nothing.
constexpr float kUnknown = -1e8f;
constexpr float kWritten = 0.f;
DecodedText withoutSpaces(const DecodedText& read) {
    DecodedText out{{}, read.confidence, {}, {}};
    bool space = false;
    for (int i = 0; i < read.text.size(); ++i) {
        if (read.text[i] == QLatin1Char(' ')) {
            space = !out.text.isEmpty();
            continue;
        }
        const float hint = i < read.spaceBefore.size() ? read.spaceBefore[i] : kUnknown;
        out.text += read.text[i];
        out.steps.append(read.steps[i]);
        out.spaceBefore.append(space ? kWritten : hint);
        space = false;
    }
    return out;
}

bool isHan(QChar c) {
    return isWide(c) && c.isLetter();
}

struct Spacing {
    QList<int> latin, all; // the gaps (latinGaps, allGaps)
    int threshold = 0;     // wordGapThreshold
    float possible = 0;    // the faintest space score the picture may confirm
    int wordSpace = 0;     // typicalWordSpace
    int minGap = 0;
};

bool wordSpace(const DecodedText& read, int i, const Spacing& s) {
    if (!spaceable(read.text, i)) return false;
    const QChar a = read.text[i - 1], b = read.text[i];
    // Without the network's word the picture alone decides.
    const float hint = read.spaceBefore[i] == kUnknown ? s.possible : read.spaceBefore[i];
    const int gap = s.all[i];
    if ((isHan(a) && isAscii(b) && b.isLetterOrNumber()) ||
        (isAscii(a) && a.isLetterOrNumber() && isHan(b)))
        return gap >= kHanGap * s.minGap || (gap >= kFaintHanGap * s.minGap && hint >= kHanSpace);
    // Under half the line's typical word space the picture shows a letter gap,
    // unless the network wrote the space itself (a serif "A j" stands close).
    const bool written = read.spaceBefore[i] == kWritten;
    if (!written && s.wordSpace > 0 && isAscii(a) && isAscii(b) && 2 * gap < s.wordSpace)
        return false;
    if (hint >= kSureSpace) return true;
    // Digits stand apart in many fonts ("11"); only the network splits numbers.
    const bool digits = a.isDigit() && b.isDigit();
    return !digits && hint >= s.possible && s.latin[i] >= s.threshold;
}

} // namespace

void addWordSpaces(DecodedText& read, const std::vector<bool>& ink, int step, int minGap) {
    read = withoutSpaces(read);
    const bool chinese = std::any_of(read.text.begin(), read.text.end(), isWide);
    Spacing s;
    s.latin = latinGaps(read, ink, step);
    s.all = allGaps(read, ink, step);
    s.threshold = wordGapThreshold(s.latin, minGap, chinese);
    s.possible = chinese ? kPossibleSpaceInChinese : kPossibleSpace;
    s.wordSpace = typicalWordSpace(read, s.all, s.threshold);
    s.minGap = minGap;
    DecodedText spaced{{}, read.confidence, {}, {}};
    for (int i = 0; i < read.text.size(); ++i) {
        if (i > 0 && wordSpace(read, i, s)) {
            spaced.text += QLatin1Char(' ');
            spaced.steps.append(read.steps[i - 1]);
            spaced.spaceBefore.append(kNoSpace);
        }
        spaced.text += read.text[i];
        spaced.steps.append(read.steps[i]);
        spaced.spaceBefore.append(read.spaceBefore[i]);
    }
    read = spaced;
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
