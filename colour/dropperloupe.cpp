#include "colour/dropperloupe.h"

#include "colour/notations.h"
#include "platform/windowgone.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

namespace kv {

namespace {

// Long enough for any program beneath to repaint, short enough that a drag never
// seems to stick.
constexpr int kRepaintWaitMs = 120;

} // namespace

void DropperLoupe::clearAround(QPoint at) {
    if (!loupe_.covers(LoupeSourceArea(at))) return;
    const QRect area = loupe_.geometry();
    const QImage before = screen_.grab(area).image;
    loupe_.Hide();
    syncWithDisplay();
    // What lay beneath is repainted by its owner, which may be this very program
    // (the main window): its paint events must run meanwhile, but no input.
    QElapsedTimer clock;
    clock.start();
    QImage previous;
    while (clock.elapsed() < kRepaintWaitMs) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        const QImage now = screen_.grab(area).image;
        if (areaSettled(before, previous, now)) break;
        previous = now;
        QThread::msleep(2);
    }
}

void DropperLoupe::sampled(QPoint at, const LoupeSource& source, const QRect& monitor) {
    QStringList caption;
    if (source.centreValid()) {
        const QRgb c = source.centre();
        caption << FormatColourNotations(qRed(c), qGreen(c), qBlue(c))[Notation::Html];
    }
    loupe_.Show(at, source, caption, monitor);
}

} // namespace kv
