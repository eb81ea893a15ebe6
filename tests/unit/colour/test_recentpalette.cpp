// The recent colours (order, limit, repeats), the previous colour for the contrast
// check, and the GIMP palette file written from them and read back.
#include "colour/gimppalette.h"
#include "colour/recentcolours.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct PaletteEntry {
    QRgb colour;
    QString name;
    bool operator==(const PaletteEntry&) const = default;
};

// A reader written the way GIMP reads: the magic line, header fields, "#" comment
// lines, then "R G B<whitespace>name" lines with free spacing.
std::optional<std::vector<PaletteEntry>> readGpl(const QByteArray& bytes, QString* name) {
    const QStringList lines = QString::fromUtf8(bytes).split(QLatin1Char('\n'));
    if (lines.isEmpty() || lines[0] != u"GIMP Palette") return std::nullopt;
    static const QRegularExpression entry(
        QStringLiteral("^\\s*(\\d+)\\s+(\\d+)\\s+(\\d+)\\s+(.*)$"));
    std::vector<PaletteEntry> out;
    for (const QString& line : lines.mid(1)) {
        if (line.startsWith(u"Name: ")) *name = line.mid(6);
        if (line.isEmpty() || line.startsWith(u'#') || line.contains(u':')) continue;
        const auto m = entry.match(line);
        if (!m.hasMatch()) return std::nullopt;
        out.push_back({qRgb(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt()),
                       m.captured(4)});
    }
    return out;
}

} // namespace

class TestRecentPalette : public QObject {
    Q_OBJECT
private slots:
    void newestFirstWithoutRepeats_data() {
        QTest::addColumn<QList<int>>("added");
        QTest::addColumn<QList<int>>("listed");
        QTest::newRow("newest first") << QList<int>{1, 2, 3} << QList<int>{3, 2, 1};
        QTest::newRow("a repeat moves to the front")
            << QList<int>{1, 2, 3, 1} << QList<int>{1, 3, 2};
        QTest::newRow("the newest again changes nothing")
            << QList<int>{1, 2, 2} << QList<int>{2, 1};
        QList<int> seventeen, sixteen;
        for (int i = 1; i <= 17; ++i)
            seventeen << i;
        for (int i = 17; i >= 2; --i)
            sixteen << i;
        QTest::newRow("the 17th pushes the oldest out") << seventeen << sixteen;
        QList<int> repeatAtLimit = sixteen.mid(0);
        std::reverse(repeatAtLimit.begin(), repeatAtLimit.end()); // 2..17
        repeatAtLimit << 2;
        QList<int> rotated;
        rotated << 2;
        for (int i = 17; i >= 3; --i)
            rotated << i;
        QTest::newRow("a repeat at the limit drops nothing else") << repeatAtLimit << rotated;
    }
    void newestFirstWithoutRepeats() {
        QFETCH(QList<int>, added);
        QFETCH(QList<int>, listed);
        kv::RecentColours recent;
        for (int v : added)
            recent.add(qRgb(v, v, v));
        std::vector<QRgb> expected;
        for (int v : listed)
            expected.push_back(qRgb(v, v, v));
        QCOMPARE(recent.colours(), expected);
    }

    void alphaDoesNotMakeANewColour() {
        kv::RecentColours recent;
        recent.add(qRgba(30, 144, 255, 0));
        recent.add(qRgb(30, 144, 255));
        QCOMPARE(recent.colours(), std::vector<QRgb>{qRgb(30, 144, 255)});
    }

    void previousColour() {
        const QRgb start = qRgb(30, 144, 255), background = qRgb(250, 250, 240),
                   text = qRgb(20, 20, 20), adjusted = qRgb(20, 20, 60);
        kv::SettledColours settled(start);
        QVERIFY(settled.previousOf(start) == std::nullopt); // nothing before the start
        QVERIFY(settled.previousOf(adjusted) == start);     // sliders moved from the start
        settled.settle(background);
        QVERIFY(settled.previousOf(background) == start);
        settled.settle(text);
        QVERIFY(settled.previousOf(text) == background); // text picked onto a background
        QVERIFY(settled.previousOf(adjusted) == text);   // the text colour adjusted
        settled.settle(text);                            // picked again: nothing moves
        QVERIFY(settled.previousOf(text) == background);
        settled.settle(background); // chosen back
        QVERIFY(settled.previousOf(background) == text);
    }

    void paletteText() {
        const QByteArray text = kv::GimpPaletteText({qRgb(30, 144, 255), qRgb(0, 5, 16)},
                                                    QStringLiteral("Kolvane 最近颜色"));
        QCOMPARE(text, QByteArray("GIMP Palette\nName: Kolvane \xe6\x9c\x80\xe8\xbf\x91\xe9\xa2\x9c"
                                  "\xe8\x89\xb2\nColumns: 0\n#\n"
                                  " 30 144 255\t#1E90FF\n"
                                  "  0   5  16\t#000510\n"));
    }

    void paletteFileReadBack() {
        const std::vector<QRgb> colours = {qRgb(30, 144, 255), qRgb(255, 255, 255), qRgb(0, 0, 0),
                                           qRgb(171, 205, 239)};
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("最近颜色.gpl"));
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(kv::GimpPaletteText(colours, QStringLiteral("最近\n颜色")));
        }
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QString name;
        const auto read = readGpl(file.readAll(), &name);
        QVERIFY(read);
        QCOMPARE(name, QStringLiteral("最近 颜色")); // a line break cannot end the header early
        const std::vector<PaletteEntry> expected = {{colours[0], "#1E90FF"},
                                                    {colours[1], "#FFFFFF"},
                                                    {colours[2], "#000000"},
                                                    {colours[3], "#ABCDEF"}};
        QVERIFY(*read == expected);
    }

    void emptyPaletteIsStillAPalette() {
        QString name;
        const auto read = readGpl(kv::GimpPaletteText({}, QStringLiteral("x")), &name);
        QVERIFY(read);
        QVERIFY(read->empty());
        QCOMPARE(name, QStringLiteral("x"));
    }
};

QTEST_APPLESS_MAIN(TestRecentPalette)
#include "test_recentpalette.moc"
