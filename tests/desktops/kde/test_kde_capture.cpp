// Kolvane on headless KWin (KDE Plasma's compositor), driven as a user would
// through KWin's fake input: its captures and frozen editor show exactly what the
// compositor shows (the portal's picture), a region reaches the clipboard pixel
// for pixel, and the dropper picks a native window's colour.
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
};

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "wayland");
    QApplication app(argc, argv);
    TestKdeCapture test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_kde_capture.moc"
