#pragma once

// Helpers for end-to-end tests of pins on an X desktop: a picture put on the
// clipboard by another program (xclip), `kolvane --pin` run as a keyboard shortcut
// runs it, the pins found by their title and their pixels read back from the screen.
#include "e2e/support/desktop.h"

#include <QImage>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QStringList>
#include <QVector>
#include <memory>

namespace e2e {

// Every pixel differs from its neighbours and from the rest of the screen (no
// desktop colour is this saturated blue-green mix), so a shifted, scaled or
// blurred copy never matches by chance.
QImage pinPattern(QSize size, int seed = 0);

// The picture with each pixel an exact block of `factor` x `factor` pixels.
QImage enlarged(const QImage& picture, int factor);

// Puts a PNG of `picture` on the clipboard through xclip, which keeps serving it
// in the background; true once the clipboard offers it.
bool putPngOnClipboard(const QImage& picture);
// Puts plain text on the clipboard through xclip.
bool putTextOnClipboard(const QString& text);

// Moves the pointer and waits until the server reports it there.
void movePointer(QPoint to);

// The visible pins of a process, as xdotool window ids.
QStringList pinWindows(qint64 pid);

// Where the screen shows `picture` pixel for pixel with its top-left at `at`;
// waits up to `timeoutMs` for it. On failure the log says what was there.
bool screenShows(const QImage& picture, QPoint at, int timeoutMs = 10000);

// The number of pixels of `picture` that the screen does not show at `at`.
int differencesOnScreen(const QImage& screen, const QImage& picture, QPoint at);

// The window's _NET_WM_STATE atoms, as xprop prints them.
QString windowStates(const QString& windowId);

// Runs `kolvane --pin`; its exit status (what it said on failure goes to the log).
int runPin();

// Pins on a desktop of one or more monitors (the monitors as the desktop is
// expected to have them, in root pixels), run by each desktop's test: a pin opens
// exactly at the pointer on every monitor, is kept on the pointer's own monitor
// near its corner, and a drag from the first monitor to the last moves it exactly.
class PinMonitorsTest : public QObject {
    Q_OBJECT
public:
    explicit PinMonitorsTest(QVector<QRect> monitors);
    ~PinMonitorsTest() override;

private slots:
    void init();
    void cleanup();
    void pinsAtThePointerOnEveryMonitor();
    void keptOnThePointersMonitor();
    void dragMovesItExactly();
    void zoomsToExactBlocks();
    void pinsTheSelectionOnTheLastMonitor();

private:
    QVector<QRect> monitors_;
    std::unique_ptr<Program> program_;
    qint64 pid_ = 0;
};

} // namespace e2e
