// Accuracy measures of the recognition benchmark.
#include "bench/ocraccuracy.h"

#include <QList>
#include <algorithm>
#include <vector>

namespace kv::bench {
namespace {

QChar folded(QChar c) {
    const ushort u = c.unicode();
    if (u >= 0xFF01 && u <= 0xFF5E) return QChar(u - 0xFEE0);
    if (u == 0x3002) return QLatin1Char('.');
    if (u == 0x3001) return QLatin1Char(',');
    if (u == 0x201C || u == 0x201D) return QLatin1Char('"');
    if (u == 0x2018 || u == 0x2019) return QLatin1Char('\'');
    return c;
}

// The characters without whitespace, and for each whether whitespace came before
// it on its line.
struct Characters {
    QString text;
    QList<bool> spaceBefore;
    QList<bool> chinese; // a Chinese character or punctuation before folding
};

Characters charactersOf(const QString& text) {
    Characters out;
    bool space = false;
    for (QChar c : text) {
        if (c == QLatin1Char('\n')) {
            space = false;
        } else if (c.isSpace()) {
            space = !out.text.isEmpty();
        } else {
            out.text += folded(c);
            out.chinese.append(c.unicode() >= 0x2E80);
            out.spaceBefore.append(space);
            space = false;
        }
    }
    return out;
}

// Edit distance's table, (a.size() + 1) × (b.size() + 1).
std::vector<int> distances(const QString& a, const QString& b) {
    const size_t w = size_t(b.size()) + 1;
    std::vector<int> d((size_t(a.size()) + 1) * w);
    for (size_t j = 0; j < w; ++j)
        d[j] = int(j);
    for (int i = 1; i <= a.size(); ++i) {
        d[size_t(i) * w] = i;
        for (int j = 1; j <= b.size(); ++j) {
            const size_t k = size_t(i) * w + size_t(j);
            d[k] = std::min(
                {d[k - w] + 1, d[k - 1] + 1, d[k - w - 1] + (a[i - 1] == b[j - 1] ? 0 : 1)});
        }
    }
    return d;
}

// For each character of `a`, the equal character of `b` it lines up with; -1 if none.
QList<int> alignment(const QString& a, const QString& b) {
    const std::vector<int> d = distances(a, b);
    const size_t w = size_t(b.size()) + 1;
    QList<int> match(a.size(), -1);
    int i = int(a.size()), j = int(b.size());
    while (i > 0 && j > 0) {
        const size_t k = size_t(i) * w + size_t(j);
        if (a[i - 1] == b[j - 1] && d[k] == d[k - w - 1]) {
            match[i - 1] = j - 1;
            --i, --j;
        } else if (d[k] == d[k - w] + 1) {
            --i;
        } else {
            --j;
        }
    }
    return match;
}

} // namespace

double characterAccuracy(const QString& truth, const QString& read) {
    const QString t = charactersOf(truth).text, r = charactersOf(read).text;
    const std::vector<int> d = distances(t, r);
    return std::max(0.0, 1.0 - double(d.back()) / std::max<qsizetype>(1, t.size()));
}

double wordSpaceAccuracy(const QString& truth, const QString& read) {
    const Characters t = charactersOf(truth), r = charactersOf(read);
    const QList<int> match = alignment(t.text, r.text);
    int found = 0, wrong = 0;
    // Only where both neighbours were read, and read next to each other.
    for (int i = 1; i < t.text.size(); ++i) {
        if (match[i] < 0 || match[i - 1] != match[i] - 1) continue;
        if (t.chinese[i - 1] || t.chinese[i]) continue;
        const bool want = t.spaceBefore[i], got = r.spaceBefore[match[i]];
        if (want && got) ++found;
        if (want != got) ++wrong;
    }
    return found + wrong == 0 ? -1.0 : double(found) / (found + wrong);
}

} // namespace kv::bench
