#pragma once
// Checks of the long capture and the window chain at a given place on the desktop,
// shared by the tests of the test desktops with several monitors.
#include "e2e/support/desktop.h"
#include "e2e/support/longpage.h"
#include "e2e/support/noisewindow.h"
#include "longcapture/longcapture.h"
#include "platform/screenreaderfactory.h"
#include "platform/scroller.h"
#include "platform/windowtree.h"
#include "platform/x11windows.h"

#include <QTest>
#include <optional>

// A page with a sticky header and footer whose window stands at `at` is captured to its
// end, exactly.
inline void checkLongCaptureAt(QPoint at) {
    auto scroller = kv::createScroller();
    if (!scroller->canScroll()) QSKIP("the display offers no XTest");
    e2e::LongPage page;
    QVERIFY(page.start({"--rows", "3000", "--view", "400", "--header", "40", "--footer", "30",
                        "--at", QString("%1,%2").arg(at.x()).arg(at.y())}));
    auto screen = kv::createScreenReader();
    std::optional<kv::LongCaptureResult> result;
    kv::LongCapture capture(*screen, *scroller, page.selection(), screen->monitors(),
                            [&](const kv::LongCaptureResult& r) { result = r; });
    capture.start();
    QVERIFY(e2e::waitFor([&] { return result.has_value(); }, 30000));
    QVERIFY(result->kept);
    QCOMPARE(result->picture.convertToFormat(QImage::Format_RGB32), page.page());
}

// The chain of window rectangles under a point of the page: its frame and its own area
// as the window manager and X report them, cut to the desktop.
inline void checkWindowChainAt(QPoint at, const QRect& desktop) {
    e2e::LongPage page;
    QVERIFY(page.start(
        {"--rows", "800", "--view", "300", "--at", QString("%1,%2").arg(at.x()).arg(at.y())}));
    const std::vector<QRect> chain = kv::createX11DesktopWindows()->windowTree(desktop).chainAt(
        page.selection().topLeft() + QPoint(5, 5));
    QVERIFY(chain.size() >= 2);
    QCOMPARE(chain[0], e2e::frameGeometry(page.window()) & desktop);
    QCOMPARE(chain[1], e2e::clientGeometry(page.window()) & desktop);
}
