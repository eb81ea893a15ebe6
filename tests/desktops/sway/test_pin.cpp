// Pins in a Wayland session (headless sway): a PNG another program put on the
// Wayland clipboard is pinned by "kolvane --pin" as an ordinary window showing
// exactly that picture, also on an output of scale 2; text on the clipboard makes
// the command fail and changes nothing.
#include "swaydesktop.h"

#include <QBuffer>

namespace {

bool wlCopy(const QByteArray& bytes, const QString& type) {
    return e2e::run("wl-copy", {"-t", type}, 5000, bytes).exitCode == 0;
}

QByteArray pngOf(const QImage& picture) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    return png;
}

} // namespace

class TestPin : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void pinShowsTheExactPicture_data() {
        QTest::addColumn<int>("scale");
        QTest::newRow("scale 1") << 1;
        QTest::newRow("scale 2") << 2;
    }
    void pinShowsTheExactPicture() {
        QFETCH(int, scale);
        struct Restore {
            ~Restore() { e2e::run("swaymsg", {"output", "*", "scale", "1"}); }
        } restore;
        e2e::run("swaymsg", {"output", "*", "scale", QString::number(scale)});
        sway::Program kolvane;
        QVERIFY(kolvane.start(scale).isValid());
        // Odd sides: at scale 2 the window must still hold every picture pixel.
        const QImage picture = sway::pattern({211, 137});
        QVERIFY(wlCopy(pngOf(picture), "image/png"));
        QTest::qWait(300);
        const e2e::CommandResult r = e2e::run(e2e::binary(), {"--pin"}, 20000);
        QVERIFY2(r.exitCode == 0, r.err.constData());
        QRect pin;
        QVERIFY(e2e::waitFor([&] {
            const QList<QRect> rects = kolvane.windowRects();
            if (rects.size() != 2) return false;
            // The pin is the smaller window; at scale 2 its sides are whole layout
            // units, the picture's odd sides padded by the border.
            pin = rects.first().width() < rects.last().width() ? rects.first() : rects.last();
            return true;
        }));
        QCOMPARE(pin.size() * scale, scale == 1 ? QSize(213, 139) : QSize(214, 140));
        QTest::qWait(500);
        // The view's place in layout units; the picture one device pixel inside.
        const QPoint at = pin.topLeft() * scale + QPoint(1, 1);
        QImage screen;
        QVERIFY2(e2e::waitFor([&] {
                     screen = sway::grim();
                     return screen.copy(QRect(at, picture.size())) == picture;
                 }),
                 qPrintable(QString("pin at %1,%2 %3x%4")
                                .arg(pin.x())
                                .arg(pin.y())
                                .arg(pin.width())
                                .arg(pin.height())));

        // Text instead: the command says so, fails, and no pin is added.
        QVERIFY(wlCopy("#1E90FF", "text/plain;charset=utf-8"));
        QTest::qWait(300);
        const e2e::CommandResult text = e2e::run(e2e::binary(), {"--pin"}, 20000);
        QCOMPARE(text.exitCode, 1);
        QCOMPARE(text.err.count('\n'), 1);
        QTest::qWait(300);
        QCOMPARE(kolvane.windowRects().size(), 2);
    }
};

QTEST_MAIN(TestPin)
#include "test_pin.moc"
