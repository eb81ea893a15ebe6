#pragma once
// The long page test window (tests/longpage) started as a program of its own.
#include <QImage>
#include <QProcess>
#include <QRect>
#include <QStringList>
#include <QTemporaryDir>

namespace e2e {

class LongPage {
public:
    ~LongPage();
    // Starts the window with kv_long_page's options and waits until it says where its
    // page is. The whole page is written first, and read back into page().
    bool start(const QStringList& options);
    // The page's part of the screen (header, view and footer, no scroll bar).
    QRect selection() const { return selection_; }
    WId window() const { return window_; }
    // The scroll bar's width, right of the selection.
    int scrollBarWidth() const { return scrollBarWidth_; }
    // The page as a screen tall enough for all of it would show it.
    const QImage& page() const { return page_; }

private:
    QTemporaryDir dir_;
    QProcess process_;
    QRect selection_;
    WId window_ = 0;
    int scrollBarWidth_ = 0;
    QImage page_;
};

// Where two pictures first differ (their sizes, or the first row that differs), for
// the log of a failed comparison; "same" when they do not.
QString firstDifference(const QImage& got, const QImage& want);

} // namespace e2e
