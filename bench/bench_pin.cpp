// How quickly a pin appears and zooms, beside the same picture shown by a plain
// QLabel in the same run:
// - call to mapped pin: PinBoard::pin for a 1920 x 1080 picture until its window is
//   mapped, drawn and the X server has it (target <= 30 ms), against a frameless
//   QLabel showing the picture as a pixmap;
// - one zoom step of a 3840 x 2160 pin (100 <-> 125 % enlarged, 100 <-> 75 % reduced),
//   drawn and flushed (target <= 8 ms), against the QLabel given the picture scaled
//   to the same size.
#include "bench/measure.h"
#include "pin/pinboard.h"
#include "pin/pinwindow.h"
#include "platform/screenreaderfactory.h"
#include "tests/support/screenshot.h"

#include <QApplication>
#include <QLabel>
#include <QPixmap>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <memory>

namespace {

// Counts the paints a widget gets.
class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) ++paints;
        return false;
    }
};

// The screen reader shares Qt's X connection: one pixel read is a round trip, so
// everything drawn before it has reached the server.
kv::ScreenReader& reader() {
    static std::unique_ptr<kv::ScreenReader> r = kv::createScreenReader();
    return *r;
}
void roundTrip() {
    (void)reader().pixel({0, 0});
}

// Runs the event loop until the widget's window is exposed and drawn. It sleeps
// while it waits: on a busy machine a polling loop would take processor time from
// the X server and the window manager it waits for.
void waitShown(QWidget* w, PaintCounter& counter) {
    QTimer heartbeat;
    heartbeat.start(20);
    while (!(w->windowHandle() && w->windowHandle()->isExposed() && counter.paints > 0))
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    roundTrip();
}

void settle() {
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

void callToMapped(const QImage& picture) {
    kv::PinBoard board{kv::PinContext{}};
    const auto pin = [&] {
        PaintCounter counter;
        kv::PinWindow* w = board.pin(picture, {0, 0});
        w->installEventFilter(&counter);
        waitShown(w, counter);
        delete w;
        settle();
    };
    const auto label = [&] {
        PaintCounter counter;
        auto* l = new QLabel(nullptr, Qt::Tool | Qt::FramelessWindowHint);
        l->installEventFilter(&counter);
        l->setPixmap(QPixmap::fromImage(picture));
        l->setGeometry(QRect(QPoint(0, 0), picture.size()));
        l->show();
        waitShown(l, counter);
        delete l;
        settle();
    };
    const std::vector<double> t = kv::bench::interleavedMedians(15, {pin, label}, 2);
    std::printf("call to mapped, %dx%d: pin %.1f ms, QLabel %.1f ms, x%.2f\n", picture.width(),
                picture.height(), t[0], t[1], kv::bench::ratio(t[0], t[1]));
    kv::bench::summaryRow("pin: call to mapped 1920x1080", t[0], "QLabel with the pixmap", t[1],
                          "<= 30 ms");
}

// What of that is the program's own work: making the window and its first frame
// (drawn whole, flushed, and in the X server), without the wait for the server and
// the window manager to map it.
void ownWork(const QImage& picture) {
    kv::PinBoard board{kv::PinContext{}};
    PaintCounter counter;
    kv::PinWindow* shown = board.pin(picture, {0, 0});
    shown->installEventFilter(&counter);
    waitShown(shown, counter);
    QLabel label(nullptr, Qt::Tool | Qt::FramelessWindowHint);
    PaintCounter labelCounter;
    label.installEventFilter(&labelCounter);
    label.setPixmap(QPixmap::fromImage(picture));
    label.setGeometry(QRect(QPoint(0, 0), picture.size()));
    label.show();
    waitShown(&label, labelCounter);
    const auto make = [&] { kv::PinWindow w(picture, {0, 0}, kv::PinContext{}); };
    const auto makeLabel = [&] {
        QLabel l(nullptr, Qt::Tool | Qt::FramelessWindowHint);
        l.setPixmap(QPixmap::fromImage(picture));
        l.setGeometry(QRect(QPoint(0, 0), picture.size()));
    };
    const auto frame = [&] {
        shown->repaint();
        roundTrip();
    };
    const auto labelFrame = [&] {
        label.repaint();
        roundTrip();
    };
    const std::vector<double> t =
        kv::bench::interleavedMedians(21, {make, makeLabel, frame, labelFrame}, 2);
    std::printf("window made: pin %.2f ms, QLabel %.2f ms; first frame drawn and flushed: "
                "pin %.1f ms, QLabel %.1f ms, x%.2f\n",
                t[0], t[1], t[2], t[3], kv::bench::ratio(t[2], t[3]));
    kv::bench::summaryRow("pin: window made + frame 1920x1080", t[0] + t[2],
                          "QLabel with the pixmap", t[1] + t[3], "<= 30 ms (with mapping)");
}

void zoomStep(const QImage& picture, int other, const char* name) {
    kv::PinBoard board{kv::PinContext{}};
    PaintCounter counter;
    kv::PinWindow* pin = board.pin(picture, {0, 0});
    pin->installEventFilter(&counter);
    waitShown(pin, counter);
    const QPoint anchor(1, 1); // the picture's top-left stays where it is
    const auto pinStep = [&] {
        pin->zoomTo(pin->zoom() == 100 ? other : 100, anchor);
        pin->repaint();
        roundTrip();
    };
    PaintCounter labelCounter;
    QLabel label(nullptr, Qt::Tool | Qt::FramelessWindowHint);
    label.installEventFilter(&labelCounter);
    label.setPixmap(QPixmap::fromImage(picture));
    label.setGeometry(QRect(QPoint(0, 0), picture.size()));
    label.show();
    waitShown(&label, labelCounter);
    int labelZoom = 100;
    const auto labelStep = [&] {
        labelZoom = labelZoom == 100 ? other : 100;
        const QSize size = picture.size() * labelZoom / 100;
        label.setPixmap(QPixmap::fromImage(
            labelZoom == 100 ? picture
                             : picture.scaled(size, Qt::IgnoreAspectRatio,
                                              labelZoom < 100 ? Qt::SmoothTransformation
                                                              : Qt::FastTransformation)));
        label.resize(size);
        label.repaint();
        roundTrip();
    };
    const std::vector<double> t = kv::bench::interleavedMedians(21, {pinStep, labelStep}, 2);
    std::printf("zoom step %s, %dx%d: pin %.1f ms, QLabel %.1f ms, x%.2f\n", name, picture.width(),
                picture.height(), t[0], t[1], kv::bench::ratio(t[0], t[1]));
    kv::bench::summaryRow(qPrintable(QStringLiteral("pin: zoom step 4K %1").arg(name)), t[0],
                          "QLabel given the scaled picture", t[1], "<= 8 ms");
    delete pin;
    settle();
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    QApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    const QImage hd = kv::testing::desktopScreenshot(1920, 1080);
    callToMapped(hd);
    ownWork(hd);
    const QImage big = kv::testing::desktopScreenshot(3840, 2160);
    zoomStep(big, 125, "100<->125 %");
    zoomStep(big, 75, "100<->75 %");
    zoomStep(big, 50, "100<->50 %");
    zoomStep(big, 200, "100<->200 %");
    return 0;
}
