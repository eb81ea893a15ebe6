#pragma once

// End-to-end checks for a desktop of two monitors, run by the tests of each
// two-monitor test desktop (tests/desktops/<name>/): the built program is started as
// a user starts it and driven with xdotool; pictures are compared with ImageMagick's
// grab of the root window and the clipboard read with xclip.

#include <QDir>
#include <QImage>
#include <QObject>
#include <QRect>
#include <QTemporaryDir>
#include <QVector>
#include <memory>

namespace e2e {

class Program;

// The layout a test desktop is expected to have.
struct TwoMonitors {
    QVector<QRect> monitors;
    int primary = 0;
    int second() const { return primary == 0 ? 1 : 0; }
};

class MultiMonitorTest : public QObject {
    Q_OBJECT
public:
    explicit MultiMonitorTest(TwoMonitors layout);
    ~MultiMonitorTest() override;

protected:
    QRect primary() const { return layout_.monitors[layout_.primary]; }
    QRect second() const { return layout_.monitors[layout_.second()]; }
    QRect shorter() const;
    // "区域截图", then waits until the editor is up and its first frame shows.
    bool openEditor();
    // Esc, then waits for the main window.
    bool closeEditor();
    // Drags a selection from `from` to `to` with the left button.
    void drag(QPoint from, QPoint to);
    // The bitmap a timed capture ("全屏截图" or "窗体截图") saved, once it is there.
    QImage newCapture(const QStringList& before, int timeoutMs = 15000);
    QStringList captures() const;
    // Clicks a capture command of the main window.
    void clickCommand(QPoint command);

    TwoMonitors layout_;
    QTemporaryDir dir_;
    QImage desktop_; // the root with the background and nothing of ours
    QRect mainArea_;
    QString folder_; // where timed captures are saved
    std::unique_ptr<Program> program_;

private slots:
    void initTestCase();
    void cleanup();
    void cleanupTestCase();
    void flippingWindowsStopOnceTheEditorIsOpen();
    void regionsEqualTheRootPixels_data();
    void regionsEqualTheRootPixels();
    void toolBarStaysOnTheSelectionsMonitor();
    void fullScreenCaptureIsThePrimaryMonitor();
    void activeWindowOnTheSecondMonitor();
};

// Where two pictures of one size differ, for a failure message ("" when they agree).
QString pictureDifference(const QImage& a, const QImage& b);

} // namespace e2e
