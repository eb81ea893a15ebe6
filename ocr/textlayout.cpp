// Reading order: lines into rows, rows into blocks, blocks cut into reading order.
#include "ocr/textassembly.h"

#include <algorithm>

namespace kv {
namespace {

// Pieces of one row further apart than this many line heights are separate texts
// (a sidebar's entry and the article's line beside it).
constexpr double kPieceGap = 4.0;
// Rows closer than this many line heights, overlapping across, make one block.
constexpr double kRowGap = 1.0;
constexpr double kSimilarHeight = 1.6;
// An empty band across at least this many line heights tall ends what is above it
// (a page's header); a narrower one may be only the space between paragraphs,
// and a column beside them is read whole first.
constexpr double kSectionGap = 1.5;

constexpr double kColumn = 1.5;
constexpr double kColumnGap = 1.5;

struct Row {
    QRect box;
    QString text;
};

bool sameRow(const QRect& a, const QRect& b) {
    const int overlap = std::min(a.bottom(), b.bottom()) - std::max(a.top(), b.top());
    return overlap * 2 >= std::min(a.height(), b.height());
}

// The lines of one row, left to right, joined where they are near.
QList<Row> rowPieces(QList<OcrLine> row) {
    std::sort(row.begin(), row.end(), [](auto& a, auto& b) { return a.box.left() < b.box.left(); });
    QList<Row> pieces;
    for (const OcrLine& line : row) {
        const QString text = tidyText(line.text);
        if (text.isEmpty()) continue;
        if (!pieces.isEmpty()) {
            Row& last = pieces.back();
            const int height = std::min(last.box.height(), line.box.height());
            if (line.box.left() - last.box.right() <= kPieceGap * height) {
                last.box |= line.box;
                last.text += QLatin1Char(' ') + text;
                continue;
            }
        }
        pieces.append({line.box, text});
    }
    return pieces;
}

QList<Row> rowsOf(QList<OcrLine> lines) {
    std::sort(lines.begin(), lines.end(),
              [](auto& a, auto& b) { return a.box.center().y() < b.box.center().y(); });
    QList<Row> rows;
    QList<OcrLine> current;
    for (const OcrLine& line : lines) {
        if (!current.isEmpty() && !sameRow(current.front().box, line.box)) {
            rows += rowPieces(current);
            current.clear();
        }
        current.append(line);
    }
    rows += rowPieces(current);
    return rows;
}

bool continues(const Row& above, const Row& below) {
    const QRect a = above.box, b = below.box;
    const int gap = b.top() - a.bottom();
    const int taller = std::max(a.height(), b.height()), shorter = std::min(a.height(), b.height());
    return gap <= kRowGap * taller && b.left() <= a.right() && a.left() <= b.right() &&
           taller <= kSimilarHeight * shorter;
}

QList<OcrBlock> blocksOf(const QList<Row>& rows) {
    QList<OcrBlock> blocks;
    QList<QRect> lastRow;
    for (const Row& row : rows) {
        int into = -1;
        for (int i = int(blocks.size()) - 1; i >= 0 && into < 0; --i)
            if (continues({lastRow[i], {}}, row)) into = i;
        if (into < 0) {
            blocks.append({row.box, {row.text}});
            lastRow.append(row.box);
        } else {
            blocks[into].box |= row.box;
            blocks[into].lines << row.text;
            lastRow[into] = row.box;
        }
    }
    return blocks;
}

// The widest empty band across (vertical == false) or down the blocks: its start,
// and its width; width 0 when there is none.
std::pair<int, int> widestGap(const QList<OcrBlock>& blocks, bool vertical) {
    QList<std::pair<int, int>> spans;
    for (const OcrBlock& b : blocks)
        spans.append(vertical ? std::pair{b.box.left(), b.box.right()}
                              : std::pair{b.box.top(), b.box.bottom()});
    std::sort(spans.begin(), spans.end());
    std::pair<int, int> best{0, 0};
    int reach = spans.front().second;
    for (const auto& [from, to] : spans) {
        if (from > reach && from - reach > best.second) best = {reach, from - reach};
        reach = std::max(reach, to);
    }
    return best;
}

int typicalLineHeight(const QList<OcrBlock>& blocks) {
    QList<int> heights;
    for (const OcrBlock& b : blocks)
        heights.append(b.box.height() / std::max<qsizetype>(1, b.lines.size()));
    std::nth_element(heights.begin(), heights.begin() + heights.size() / 2, heights.end());
    return heights[heights.size() / 2];
}

void cutInReadingOrder(const QList<OcrBlock>& blocks, QList<OcrBlock>& out) {
    if (blocks.size() <= 1) {
        out += blocks;
        return;
    }
    const auto across = widestGap(blocks, false), down = widestGap(blocks, true);
    if (across.second == 0 && down.second == 0) {
        QList<OcrBlock> sorted = blocks;
        std::sort(sorted.begin(), sorted.end(), [](auto& a, auto& b) {
            return std::pair{a.box.top(), a.box.left()} < std::pair{b.box.top(), b.box.left()};
        });
        out += sorted;
        return;
    }
    const bool vertical =
        down.second > 0 && across.second < kSectionGap * typicalLineHeight(blocks);
    const int at = vertical ? down.first : across.first;
    QList<OcrBlock> first, second;
    for (const OcrBlock& b : blocks)
        ((vertical ? b.box.right() : b.box.bottom()) <= at ? first : second).append(b);
    cutInReadingOrder(first, out);
    cutInReadingOrder(second, out);
}

// Text written in columns, top to bottom: a line this many times as tall as
// wide, of more than one character.
bool isColumn(const OcrLine& line) {
    return line.box.height() >= kColumn * line.box.width() && line.text.trimmed().size() > 1;
}

// Columns side by side (no further apart than kColumnGap of their width, level
// with each other) make one block, read from the right-hand column leftwards.
QList<OcrBlock> columnBlocks(QList<OcrLine> columns) {
    std::sort(columns.begin(), columns.end(),
              [](auto& a, auto& b) { return a.box.right() > b.box.right(); });
    QList<OcrBlock> blocks;
    QRect last;
    for (const OcrLine& column : columns) {
        const QRect box = column.box;
        const bool beside = !blocks.isEmpty() &&
                            last.left() - box.right() <= kColumnGap * last.width() &&
                            sameRow(last, box);
        if (!beside) blocks.append({box, {}});
        blocks.back().box |= box;
        blocks.back().lines << tidyText(column.text);
        last = box;
    }
    return blocks;
}

} // namespace

QList<OcrBlock> arrangeBlocks(const QList<OcrLine>& lines) {
    QList<OcrBlock> ordered;
    if (lines.isEmpty()) return ordered;
    QList<OcrLine> rows, columns;
    for (const OcrLine& line : lines)
        (isColumn(line) ? columns : rows).append(line);
    cutInReadingOrder(blocksOf(rowsOf(rows)) + columnBlocks(columns), ordered);
    return ordered;
}

QString assembleText(const QList<OcrLine>& lines) {
    QStringList all;
    for (const OcrBlock& block : arrangeBlocks(lines))
        all += block.lines;
    return all.join(QLatin1Char('\n'));
}

} // namespace kv
