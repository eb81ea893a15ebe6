// Stitching a scrolled page from pictures of one rectangle: the result must be the
// page itself, row for row.
#include "longcapture/stitcher.h"

#include <QRandomGenerator>
#include <QTest>

using kv::Stitcher;

namespace {

constexpr int kWidth = 64;

// Rows of distinct noise; with `gaps`, every 90 rows 40 white ones, so that frames
// often begin and end with rows that look alike before and after a scroll.
QImage noiseRows(int rows, quint32 seed, bool gaps = false) {
    QImage img(kWidth, rows, QImage::Format_RGB32);
    QRandomGenerator rng(seed);
    for (int y = 0; y < rows; ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        const bool white = gaps && y % 90 >= 50;
        for (int x = 0; x < kWidth; ++x)
            line[x] = white ? 0xffffffffu : (rng.generate() | 0xff000000u);
    }
    return img;
}

QImage stacked(const QList<QImage>& parts) {
    int h = 0;
    for (const QImage& p : parts)
        h += p.height();
    QImage out(kWidth, h, QImage::Format_RGB32);
    int y = 0;
    for (const QImage& p : parts)
        for (int r = 0; r < p.height(); ++r, ++y)
            memcpy(out.scanLine(y), p.constScanLine(r), size_t(kWidth) * 4);
    return out;
}

// A window with a fixed header and footer around a scrolled view of `content`.
struct Page {
    QImage header, content, footer;
    int view = 0; // rows of content the view shows
    QImage frame(int offset) const {
        return stacked({header, content.copy(0, offset, kWidth, view), footer});
    }
    QImage whole() const { return stacked({header, content, footer}); }
    int lastOffset() const { return content.height() - view; }
};

Page makePage(int header, int footer, int view, int contentRows, bool gaps) {
    return Page{noiseRows(header, 1), noiseRows(contentRows, 2, gaps), noiseRows(footer, 3), view};
}

} // namespace

class TestStitcher : public QObject {
    Q_OBJECT
private slots:
    void scrolledPage_data();
    void scrolledPage();
    void nothingMovedAddsNothing();
    void unrelatedPictureIsLeftOut();
    void stopsAtTheGreatestHeight();
    void footerThatLooksFixedOnceIsKept();
    void scrollBarAtTheRightIsLeftOut();
};

void TestStitcher::scrolledPage_data() {
    QTest::addColumn<int>("header");
    QTest::addColumn<int>("footer");
    QTest::addColumn<int>("view");
    QTest::addColumn<int>("contentRows");
    QTest::addColumn<QList<int>>("steps"); // scroll of each step; the last one repeats
    QTest::addColumn<bool>("gaps");

    QTest::newRow("plain, steady steps") << 0 << 0 << 300 << 2000 << QList<int>{120} << false;
    QTest::newRow("sticky header") << 40 << 0 << 300 << 2000 << QList<int>{120} << false;
    QTest::newRow("sticky footer") << 0 << 25 << 300 << 2000 << QList<int>{120} << false;
    QTest::newRow("header and footer") << 40 << 25 << 300 << 2000 << QList<int>{150} << false;
    QTest::newRow("one-row steps") << 3 << 2 << 80 << 300 << QList<int>{1} << false;
    QTest::newRow("steps of almost a view") << 0 << 0 << 300 << 2000 << QList<int>{280} << false;
    QTest::newRow("uneven steps") << 30 << 10 << 250 << 1500 << QList<int>{13, 200, 57, 120}
                                  << false;
    QTest::newRow("white gaps in the page") << 0 << 0 << 300 << 2000 << QList<int>{120} << true;
    QTest::newRow("white gaps, header and footer")
        << 40 << 25 << 300 << 2000 << QList<int>{100} << true;
    QTest::newRow("page shorter than two steps")
        << 10 << 10 << 300 << 350 << QList<int>{120} << false;
    QTest::newRow("page no taller than the view")
        << 10 << 10 << 300 << 300 << QList<int>{120} << false;
}

// Scrolls through the page as a window would (the last step only as far as the page
// goes), then once more at the end: the result is the whole page, and the end says so.
void TestStitcher::scrolledPage() {
    QFETCH(int, header);
    QFETCH(int, footer);
    QFETCH(int, view);
    QFETCH(int, contentRows);
    QFETCH(QList<int>, steps);
    QFETCH(bool, gaps);
    const Page page = makePage(header, footer, view, contentRows, gaps);

    Stitcher s(page.frame(0));
    int offset = 0;
    for (int i = 0; offset < page.lastOffset(); ++i) {
        const int next = std::min(offset + steps[i % steps.size()], page.lastOffset());
        const Stitcher::Outcome out = s.add(page.frame(next));
        QCOMPARE(int(out.step), int(Stitcher::Step::Added));
        QCOMPARE(out.shift, next - offset);
        offset = next;
    }
    QCOMPARE(int(s.add(page.frame(offset)).step), int(Stitcher::Step::NothingNew));
    const QImage expected = page.whole();
    QCOMPARE(s.height(), expected.height());
    QCOMPARE(s.result(), expected);
}

void TestStitcher::nothingMovedAddsNothing() {
    const Page page = makePage(20, 20, 200, 1000, false);
    Stitcher s(page.frame(0));
    QCOMPARE(int(s.add(page.frame(0)).step), int(Stitcher::Step::NothingNew));
    QCOMPARE(s.result(), page.frame(0));
}

// A picture that is not a scroll of the last one (the page changed, or it moved more
// than a view) adds nothing, and the next real scroll still joins on.
void TestStitcher::unrelatedPictureIsLeftOut() {
    const Page page = makePage(0, 0, 200, 1000, false);
    Stitcher s(page.frame(0));
    QCOMPARE(int(s.add(noiseRows(200, 99)).step), int(Stitcher::Step::NoOverlap));
    QCOMPARE(int(s.add(page.frame(150)).step), int(Stitcher::Step::Added));
    QCOMPARE(s.result(), page.whole().copy(0, 0, kWidth, 350));
}

// At the greatest height the page ends as a screen that tall would show it: the
// footer still at the bottom.
void TestStitcher::stopsAtTheGreatestHeight() {
    const Page page = makePage(10, 15, 100, 1000, false);
    Stitcher s(page.frame(0), 400);
    Stitcher::Outcome out;
    for (int offset = 80; out.step != Stitcher::Step::Full; offset += 80) {
        QVERIFY(offset < 900);
        out = s.add(page.frame(offset));
    }
    QCOMPARE(s.height(), 400);
    const QImage expected =
        stacked({page.header, page.content.copy(0, 0, kWidth, 400 - 25), page.footer});
    QCOMPARE(s.result(), expected);
}

// Bottom rows that happen to look the same in two pictures are taken for a footer;
// when they move later they are the page's own rows and are kept in order.
void TestStitcher::footerThatLooksFixedOnceIsKept() {
    Page page = makePage(0, 0, 100, 400, false);
    // Rows 100..109 and 150..159 alike, so a first scroll by 50 leaves the bottom
    // ten rows unchanged.
    for (int r = 0; r < 10; ++r)
        memcpy(page.content.scanLine(150 + r), page.content.constScanLine(90 + r), kWidth * 4);
    Stitcher s(page.frame(0));
    QCOMPARE(s.add(page.frame(60)).shift, 60);
    QCOMPARE(s.add(page.frame(130)).shift, 70);
    QCOMPARE(int(s.add(page.frame(300)).step), int(Stitcher::Step::NoOverlap));
    QCOMPARE(s.add(page.frame(200)).shift, 70);
    QCOMPARE(s.add(page.frame(270)).shift, 70);
    QCOMPARE(s.add(page.frame(300)).shift, 30);
    QCOMPARE(s.result(), page.whole());
}

// Pictures with a scroll bar at their right edge, its thumb moving down as the page
// scrolls: the page comes out whole, without the bar.
void TestStitcher::scrollBarAtTheRightIsLeftOut() {
    const Page page = makePage(20, 10, 200, 1500, false);
    constexpr int bar = 12;
    auto withBar = [&](int offset) {
        const QImage f = page.frame(offset);
        QImage out(kWidth + bar, f.height(), QImage::Format_RGB32);
        out.fill(0xffd0d0d0u);
        for (int y = 0; y < f.height(); ++y)
            memcpy(out.scanLine(y), f.constScanLine(y), kWidth * 4);
        const int thumb = page.view * page.view / page.content.height();
        const int top = page.header.height() + offset * page.view / page.content.height();
        for (int y = top; y < top + thumb; ++y)
            for (int x = kWidth; x < kWidth + bar; ++x)
                out.setPixel(x, y, 0xff505050u);
        return out;
    };
    Stitcher s(withBar(0));
    for (int offset = 90; offset <= page.lastOffset(); offset += 90)
        QCOMPARE(int(s.add(withBar(offset)).step), int(Stitcher::Step::Added));
    QCOMPARE(int(s.add(withBar(page.lastOffset())).step), int(Stitcher::Step::Added));
    QCOMPARE(s.result(), page.whole());
}

QTEST_APPLESS_MAIN(TestStitcher)
#include "test_stitcher.moc"
