// Spacing, punctuation and dotted numbers of recognised text.
#include "ocr/textassembly.h"

#include <QHash>
#include <QRegularExpression>

namespace kv {
namespace {

bool isHan(QChar c) {
    const ushort u = c.unicode();
    return (u >= 0x4E00 && u <= 0x9FFF) || (u >= 0x3400 && u <= 0x4DBF) ||
           (u >= 0xF900 && u <= 0xFAFF);
}

// Punctuation of Chinese text: the CJK block's and the full-width forms'.
bool isWidePunctuation(QChar c) {
    const ushort u = c.unicode();
    return (u >= 0x3000 && u <= 0x303F) || (u >= 0xFF01 && u <= 0xFF0F) ||
           (u >= 0xFF1A && u <= 0xFF20) || (u >= 0xFF3B && u <= 0xFF40) ||
           (u >= 0xFF5B && u <= 0xFF65) || (u >= 0x2018 && u <= 0x201D);
}

bool isChinese(QChar c) {
    return isHan(c) || isWidePunctuation(c);
}

// Full-width punctuation and its ASCII twin.
const QHash<QChar, QChar>& asciiOf() {
    static const QHash<QChar, QChar> table = [] {
        QHash<QChar, QChar> t;
        for (ushort u = 0xFF01; u <= 0xFF5E; ++u) // the full-width forms of ASCII
            t.insert(QChar(u), QChar(u - 0xFEE0));
        t.insert(QChar(0x3002), QLatin1Char('.'));  // 。
        t.insert(QChar(0x3001), QLatin1Char(','));  // 、
        t.insert(QChar(0x201C), QLatin1Char('"'));  // “
        t.insert(QChar(0x201D), QLatin1Char('"'));  // ”
        t.insert(QChar(0x2018), QLatin1Char('\'')); // ‘
        t.insert(QChar(0x2019), QLatin1Char('\'')); // ’
        t.insert(QChar(0x3010), QLatin1Char('['));  // 【
        t.insert(QChar(0x3011), QLatin1Char(']'));  // 】
        t.insert(QChar(0x3000), QLatin1Char(' '));  // ideographic space
        return t;
    }();
    return table;
}

// The nearest character other than a space on one side of `i`; null at the end.
QChar neighbour(const QString& s, int i, int step) {
    for (int k = i + step; k >= 0 && k < s.size(); k += step)
        if (s[k] != QLatin1Char(' ')) return s[k];
    return {};
}

QChar punctuationFor(const QString& s, int i, bool anyHan) {
    const QChar c = s[i];
    const QChar before = neighbour(s, i, -1), after = neighbour(s, i, +1);
    const auto ascii = asciiOf().constFind(c);
    if (ascii != asciiOf().cend()) {
        // Letters and digits are half-width in Chinese text too.
        if (ascii->isLetterOrNumber() || !anyHan) return *ascii;
        const bool chineseAround = isHan(before) || isHan(after);
        return chineseAround ? c : *ascii;
    }
    static const QString kWidened = QStringLiteral(",;:!?()");
    if (kWidened.contains(c) && isHan(before) && (after.isNull() || isHan(after)))
        return QChar(c.unicode() + 0xFEE0);
    return c;
}

// Dotted numbers ("1.1.0", "192.168.1.1") with a letter the recogniser took for a
// digit, as it does with a round "0" or a plain "1" among digits: "1.1.o".
QString numbersMended(QString s) {
    static const QRegularExpression dotted(
        QStringLiteral("(?<![A-Za-z0-9])[0-9oOlI]+(?:\\.[0-9oOlI]+)+(?![A-Za-z0-9])"));
    for (auto it = dotted.globalMatch(s); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        QString number = m.captured();
        if (!number.contains(QRegularExpression(QStringLiteral("[0-9]")))) continue;
        for (QChar& c : number)
            if (c == QLatin1Char('o') || c == QLatin1Char('O'))
                c = QLatin1Char('0');
            else if (c == QLatin1Char('l') || c == QLatin1Char('I'))
                c = QLatin1Char('1');
        s.replace(m.capturedStart(), number.size(), number);
    }
    return s;
}

} // namespace

QString tidyText(const QString& piece) {
    const QString s = piece.simplified();
    bool anyHan = false;
    for (QChar c : s)
        anyHan = anyHan || isHan(c);
    QString out;
    out.reserve(s.size());
    for (int i = 0; i < s.size(); ++i) {
        if (s[i] == QLatin1Char(' ')) {
            const QChar before = out.isEmpty() ? QChar() : out.back();
            const QChar after = i + 1 < s.size() ? s[i + 1] : QChar();
            if (isChinese(before) && isChinese(after)) continue;
            out += s[i];
            continue;
        }
        out += punctuationFor(s, i, anyHan);
    }
    return numbersMended(out.simplified());
}

} // namespace kv
