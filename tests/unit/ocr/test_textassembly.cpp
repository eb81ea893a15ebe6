// The recognised lines turned into pasteable text: reading order, lines, spacing and
// punctuation; and the reading of the network's per-step scores (CTC).
#include "ocr/ctcdecode.h"
#include "ocr/textassembly.h"

#include <QTest>
#include <cmath>

using namespace kv;

namespace {

// "x,y,w,h:text" per line.
QList<OcrLine> linesOf(const QStringList& rows) {
    QList<OcrLine> lines;
    for (const QString& row : rows) {
        const int colon = row.indexOf(QLatin1Char(':'));
        const QStringList n = row.left(colon).split(QLatin1Char(','));
        lines.append({QRect(n[0].toInt(), n[1].toInt(), n[2].toInt(), n[3].toInt()),
                      row.mid(colon + 1), 1.f});
    }
    return lines;
}

} // namespace

class TestTextAssembly : public QObject {
    Q_OBJECT

private slots:
    void tidy_data() {
        QTest::addColumn<QString>("read");
        QTest::addColumn<QString>("expected");
        QTest::newRow("spaces between Chinese characters") << "保存 位置 ： 图片"
                                                           << "保存位置：图片";
        QTest::newRow("Latin words keep their spaces") << "The quick  brown fox"
                                                       << "The quick brown fox";
        QTest::newRow("spaces beside Latin in Chinese kept") << "使用 Qt 6 构建"
                                                             << "使用 Qt 6 构建";
        QTest::newRow("full-width comma kept in Chinese") << "截图，复制。"
                                                          << "截图，复制。";
        QTest::newRow("full-width punctuation made ASCII in Latin text")
            << "Hello，world！ (see：note)。"
            << "Hello,world! (see:note).";
        QTest::newRow("code") << "if （a ＞ 0） return b；"
                              << "if (a > 0) return b;";
        QTest::newRow("Latin run inside a Chinese line") << "版本 1．1，发布"
                                                         << "版本 1.1，发布";
        QTest::newRow("ASCII colon after Chinese widened") << "保存位置:"
                                                           << "保存位置：";
        QTest::newRow("ASCII colon before a path kept") << "路径:/home/user"
                                                        << "路径:/home/user";
        QTest::newRow("full-width letters and digits folded") << "ＡＢＣ１２３号"
                                                              << "ABC123号";
        QTest::newRow("quotes around Latin") << "“hello”"
                                             << "\"hello\"";
        QTest::newRow("ideographic space between Chinese") << "常规\u3000截图"
                                                           << "常规截图";
        QTest::newRow("letters misread in a dotted number") << "Version 1.1.o, l.2.O and 10.O.0.l"
                                                            << "Version 1.1.0, 1.2.0 and 10.0.0.1";
        QTest::newRow("words and hosts with dots left alone") << "example.org lo.l o.O"
                                                              << "example.org lo.l o.O";
    }
    void tidy() {
        QFETCH(QString, read);
        QFETCH(QString, expected);
        QCOMPARE(tidyText(read), expected);
    }

    void readingOrder_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("expected");
        QTest::newRow("lines top to bottom, whatever order found")
            << QStringList{"10,40,200,20:第二行", "10,10,200,20:第一行", "10,70,200,20:第三行"}
            << "第一行\n第二行\n第三行";
        QTest::newRow("pieces of one row joined left to right")
            << QStringList{"120,10,60,20:admin", "10,12,80,18:用户名："} << "用户名： admin";
        QTest::newRow("sidebar read before the article, not interleaved")
            << QStringList{"20,100,80,20:首页",        "300,100,600,20:文章第一行",
                           "20,140,80,20:文档",        "300,130,600,20:文章第二行",
                           "20,180,80,20:下载",        "300,160,600,20:文章第三行",
                           "300,190,600,20:文章第四行"}
            << "首页\n文档\n下载\n文章第一行\n文章第二行\n文章第三行\n文章第四行";
        QTest::newRow("header across the top first, then the columns")
            << QStringList{"300,100,600,20:正文", "20,100,80,20:目录", "10,10,900,30:标题"}
            << "标题\n目录\n正文";
        QTest::newRow("page header with its navigation on the right, then the columns")
            << QStringList{"380,180,1100,22:正文第一行",
                           "1300,22,300,24:首页",
                           "40,149,80,22:安装",
                           "40,105,80,22:快速开始",
                           "40,20,210,30:Kolvane 文档中心",
                           "380,210,1100,22:正文第二行",
                           "380,290,1100,22:正文第二段"}
            << "Kolvane 文档中心\n首页\n快速开始\n安装\n正文第一行\n正文第二行\n正文第二段";
        QTest::newRow("two paragraphs in order")
            << QStringList{"10,200,400,20:第二段", "10,10,400,20:第一段上", "10,40,400,20:第一段下"}
            << "第一段上\n第一段下\n第二段";
        QTest::newRow("buttons on one row")
            << QStringList{"400,10,40,20:取消", "340,10,40,20:确定"} << "确定 取消";
        // Text in columns, top to bottom: each column a line, the right-hand first;
        // a title across the top still comes before them.
        QTest::newRow("columns read from the right")
            << QStringList{"20,40,30,150:低头思故乡", "100,40,30,150:疑是地上霜",
                           "140,40,30,150:床前明月光", "60,40,30,150:举头望明月",
                           "10,5,160,24:静夜思"}
            << "静夜思\n床前明月光\n疑是地上霜\n举头望明月\n低头思故乡";
        QTest::newRow("a column beside a paragraph is a block of its own")
            << QStringList{"10,10,300,20:第一行", "10,40,300,20:第二行", "400,10,30,120:竖排的标语"}
            << "第一行\n第二行\n竖排的标语";
        QTest::newRow("nothing") << QStringList{} << "";
    }
    void readingOrder() {
        QFETCH(QStringList, lines);
        QFETCH(QString, expected);
        QCOMPARE(assembleText(linesOf(lines)), expected);
    }

    void wordSpaces_data() {
        QTest::addColumn<QString>("read");
        QTest::addColumn<QList<int>>("steps");   // the step of each character
        QTest::addColumn<QList<float>>("hints"); // the space's score before each; none: unknown
        QTest::addColumn<QString>("ink");        // one column a character: '#' ink, '.' empty
        QTest::addColumn<QString>("expected");
        const float n = kNoSpace;
        // Letters two columns apart, words five: without the network's word the
        // wider gaps are word spaces.
        QTest::newRow("dropped spaces put back from the picture alone")
            << "abcde" << QList<int>{0, 3, 9, 12, 15} << QList<float>{} << "##.##.....##.##.##"
            << "ab cde";
        QTest::newRow("too few gaps in a Latin line to tell a word gap")
            << "abcd" << QList<int>{0, 3, 9, 12} << QList<float>{} << "##.##.....##.##"
            << "abcd";
        QTest::newRow("evenly spaced letters stay one word")
            << "abcd" << QList<int>{0, 3, 6, 9} << QList<float>{} << "##.##.##.##"
            << "abcd";
        QTest::newRow("a space already read is kept, no second one")
            << "ab cd" << QList<int>{0, 3, 6, 9, 12} << QList<float>{} << "##.##.....##.##"
            << "ab cd";
        QTest::newRow("digits are not split")
            << "1122" << QList<int>{0, 3, 9, 12} << QList<float>{} << "##.##.....##.##"
            << "1122";
        QTest::newRow("a space the network read itself, where none may be, dropped")
            << "1. 1.0 a" << QList<int>{0, 1, 2, 3, 4, 5, 6, 7} << QList<float>{} << "########"
            << "1.1.0 a";
        QTest::newRow("two numbers the network reads apart")
            << "Mar1510" << QList<int>{0, 1, 2, 3, 4, 5, 6}
            << QList<float>{n, -9, -9, -1, -9, -1, -9} << "#######"
            << "Mar 15 10";
        QTest::newRow("the network's clear space, however narrow the gap")
            << "abcd" << QList<int>{0, 3, 6, 9} << QList<float>{n, -9, -1, -9} << "##.##.##.##"
            << "ab cd";
        QTest::newRow("a faint space where the gap is wide")
            << "abcde" << QList<int>{0, 3, 9, 12, 15} << QList<float>{n, -9, -5, -9, -9}
            << "##.##.....##.##.##"
            << "ab cde";
        QTest::newRow("no space at all: a wide gap is a letter's (monospaced l)")
            << "abcd" << QList<int>{0, 3, 9, 12} << QList<float>{n, -9, -8, -9} << "##.##.....##.##"
            << "abcd";
        QTest::newRow("none before closing punctuation, one after a comma")
            << "f(a,b);" << QList<int>{0, 1, 2, 3, 4, 5, 6}
            << QList<float>{n, -9, -1, -1, -1, -1, -1} << "#######"
            << "f(a, b);";
        QTest::newRow("none inside a version, even before a misread digit")
            << "v1.1.o" << QList<int>{0, 1, 2, 3, 4, 5} << QList<float>{n, -1, -1, -1, -1, -1}
            << "######"
            << "v 1.1.o";
        QTest::newRow("none inside a time or a path, one before the path")
            << "10:24/a/b" << QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8}
            << QList<float>{n, -9, -1, -1, -9, -1, -1, -1, -1} << "#########"
            << "10:24 /a/b";
        QTest::newRow("after a comment's //, not a URL's")
            << "x;//ab" << QList<int>{0, 1, 2, 3, 4, 5} << QList<float>{n, -9, -1, -9, -1, -9}
            << "######"
            << "x; // ab";
        QTest::newRow("a faint space counts for more in a Chinese line")
            << "共1.2MB" << QList<int>{0, 3, 4, 5, 12, 13} << QList<float>{n, -9, -9, -9, -7, -9}
            << "#..###......##"
            << "共1.2 MB";
        QTest::newRow("none after a scope's ::")
            << "std::cout" << QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8}
            << QList<float>{n, -9, -9, -1, -1, -1, -9, -9, -9} << "#########"
            << "std::cout";
        QTest::newRow("none in a URL's ://")
            << "a://b" << QList<int>{0, 1, 2, 3, 4} << QList<float>{n, -1, -1, -1, -1} << "#####"
            << "a://b";
        // Between Chinese and Latin the picture's gap decides ("设置 Settings",
        // "使用PaddleOCR"): the network's space score says little there.
        QTest::newRow("Chinese characters not spaced, Latin after a gap is")
            << "中文ab" << QList<int>{0, 9, 14, 17} << QList<float>{n, -1, -1, -9}
            << "##.......##...##.##"
            << "中文 ab";
        QTest::newRow("Latin right after Chinese not spaced, whatever the network says")
            << "中文ab" << QList<int>{0, 9, 12, 15} << QList<float>{n, -1, -1, -9}
            << "##.......##.##.##"
            << "中文ab";
        QTest::newRow("a wide gap after Chinese spaced, though the network is faint")
            << "设置ab" << QList<int>{0, 9, 15, 18} << QList<float>{n, -1, -12, -9}
            << "##.......##....##.##"
            << "设置 ab";
        // A monospaced line: the network's space beside a narrow letter ("sr c",
        // "ko lvane") is a gap well under the line's word space.
        QTest::newRow("a narrow letter's gap in a monospaced line is no space")
            << "ab cdrc" << QList<int>{0, 2, 7, 12, 14, 16, 20}
            << QList<float>{n, -9, -9, -9, -9, -9, -2} << "#.#.........#.#.#...#"
            << "ab cdrc";
    }
    void wordSpaces() {
        QFETCH(QString, read);
        QFETCH(QList<int>, steps);
        QFETCH(QList<float>, hints);
        QFETCH(QString, ink);
        QFETCH(QString, expected);
        DecodedText text{read, 1.f, steps, hints};
        std::vector<bool> columns;
        for (QChar c : ink)
            columns.push_back(c == QLatin1Char('#'));
        addWordSpaces(text, columns, 1, 2);
        QCOMPARE(text.text, expected);
        QCOMPARE(text.steps.size(), text.text.size());
        QCOMPARE(text.spaceBefore.size(), text.text.size());
    }

    void ctc_data() {
        QTest::addColumn<QList<int>>("best"); // the likeliest class at each step
        QTest::addColumn<QString>("expected");
        QTest::newRow("repeats merged") << QList<int>{1, 1, 2, 2, 2} << "ab";
        QTest::newRow("blank separates a doubled letter") << QList<int>{1, 0, 1} << "aa";
        QTest::newRow("blanks dropped") << QList<int>{0, 0, 3, 0} << "中";
        QTest::newRow("last class is the space") << QList<int>{1, 4, 2} << "a b";
        QTest::newRow("only blanks") << QList<int>{0, 0} << "";
    }
    void ctc() {
        QFETCH(QList<int>, best);
        QFETCH(QString, expected);
        const QStringList characters{"a", "b", "中", " "};
        const int classes = int(characters.size()) + 1;
        // Logits: the best class 2 above the others, so its probability is
        // e² / (e² + 4) at every step.
        QList<float> logits(best.size() * classes, -1.f);
        for (int t = 0; t < best.size(); ++t)
            logits[t * classes + best[t]] = 1.f;
        const DecodedText read =
            decodeCtc(logits.constData(), int(best.size()), classes, characters);
        QCOMPARE(read.text, expected);
        const float e2 = std::exp(2.f);
        QCOMPARE(read.confidence, expected.isEmpty() ? 0.f : e2 / (e2 + 4));
        QCOMPARE(read.spaceBefore.size(), read.text.size());
    }

    // The space class's score against the blank's, at its highest between two
    // characters: what tells a word gap the blank won from a letter gap.
    void spaceScoreBetweenCharacters() {
        const QStringList characters{"a", "b", " "};
        const int classes = 4;
        // a, blank (space 5 below), blank (space 2 below), b, blank, b.
        const QList<QList<float>> rows{{0, 9, 0, 0}, {9, 0, 0, 4}, {9, 0, 0, 7},
                                       {0, 0, 9, 0}, {9, 0, 0, 0}, {0, 0, 9, 0}};
        QList<float> logits;
        for (const auto& row : rows)
            logits += row;
        const DecodedText read =
            decodeCtc(logits.constData(), int(rows.size()), classes, characters);
        QCOMPARE(read.text, QStringLiteral("abb"));
        QCOMPARE(read.spaceBefore, (QList<float>{kNoSpace, -2.f, -9.f}));
    }
};

QTEST_GUILESS_MAIN(TestTextAssembly)
#include "test_textassembly.moc"
