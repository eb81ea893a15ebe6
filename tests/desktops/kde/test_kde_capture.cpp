// Kolvane on headless KWin (KDE Plasma's compositor), driven as a user would
// through KWin's fake input: its captures and frozen editor show exactly what the
// compositor shows (the portal's picture), a region reaches the clipboard pixel
// for pixel, and the dropper picks a native window's colour.
#include "platform/kwinscreenshot.h"
#include "support/waylandcases.h"

#include <QApplication>

class TestKdeCapture : public QObject {
    Q_OBJECT
    wld::CaptureCases cases_{{}};

private Q_SLOTS:
    void initTestCase() { QCOMPARE(QGuiApplication::platformName(), QStringLiteral("wayland")); }
    void fullScreenCapture() { cases_.fullScreenCapture(); }
    void regionToClipboard() { cases_.regionToClipboard(); }
    void dropperPicksNativeWindow() { cases_.dropperPicksNativeWindow(); }

    // KWin's own screenshot, which the program takes instead of the portal's, gives
    // the portal's picture (this test is allowed it by its desktop entry, as the
    // installed program is). Its answer's sizes arrive marshalled: a reader that
    // missed them threw every picture away and asked the portal after all.
    void kwinScreenshotIsThePortalsPicture() {
        wld::ColourWindow target(QColor(200, 30, 120));
        target.show();
        QVERIFY(e2e::waitFor(
            [&] {
                return !wld::findBlock(wld::screen(), qRgb(200, 30, 120), {900, 700}).isNull();
            },
            20000));
        QVERIFY(wld::park());
        kv::KWinScreenshot kwin(QDBusConnection::sessionBus(), 15000);
        const kv::KWinPicture own = kwin.take();
        QVERIFY2(!own.image.isNull(), qPrintable(own.detail));
        const QImage portal = wld::screen();
        QCOMPARE(own.image.size(), portal.size());
        QVERIFY(wld::sameOutside(own.image, portal, {wld::pointerArea(wld::kParked)}));
    }
};

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "wayland");
    QApplication app(argc, argv);
    TestKdeCapture test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_kde_capture.moc"
