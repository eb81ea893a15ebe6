// A picture on the real X clipboard, read back by another program (xclip).
#include "platform/pictureclipboard.h"

#include <QApplication>
#include <QClipboard>
#include <QProcess>
#include <QtTest>

using namespace kv;

namespace {

// Runs xclip while our event loop keeps serving the clipboard.
QByteArray xclip(const QStringList& args, const QByteArray& input = {}) {
    QProcess proc;
    proc.start(QStringLiteral("xclip"), args);
    if (!input.isNull()) {
        proc.write(input);
        proc.closeWriteChannel();
    }
    QElapsedTimer t;
    t.start();
    while (proc.state() != QProcess::NotRunning && t.elapsed() < 10000)
        QTest::qWait(20);
    return proc.exitCode() == 0 ? proc.readAllStandardOutput() : QByteArray();
}

QImage region() {
    QImage img(31, 17, QImage::Format_RGB32);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            img.setPixel(x, y, qRgb(x * 8, 255 - y * 9, x * y % 256));
    return img;
}

} // namespace

class TestPictureClipboard : public QObject {
    Q_OBJECT

private slots:
    void otherProgramsPasteThePicture() {
        PictureClipboard clip(QApplication::clipboard());
        clip.put(Picture(region()));
        QVERIFY(clip.holdsPut());
        const QByteArray png = xclip({"-selection", "clipboard", "-t", "image/png", "-o"});
        QCOMPARE(QImage::fromData(png, "PNG").convertToFormat(QImage::Format_RGB32), region());
    }

    // Only our own picture is ever cleared away.
    void clearsOnlyItsOwnPicture_data() {
        QTest::addColumn<int>("since");
        QTest::newRow("nothing copied since") << 0;
        QTest::newRow("text copied here") << 1;
        QTest::newRow("text copied by another program") << 2;
    }
    void clearsOnlyItsOwnPicture() {
        QFETCH(int, since);
        PictureClipboard clip(QApplication::clipboard());
        clip.put(Picture(region()));
        if (since == 1) QApplication::clipboard()->setText(QStringLiteral("#1E90FF"));
        if (since == 2) {
            xclip({"-selection", "clipboard", "-i"}, "#1E90FF");
            QTRY_VERIFY(!QApplication::clipboard()->ownsClipboard());
        }
        QCOMPARE(clip.clearIfHeld(), since == 0);
        const QByteArray text = xclip({"-selection", "clipboard", "-o"});
        QCOMPARE(text, since == 0 ? QByteArray() : QByteArray("#1E90FF"));
    }
};

QTEST_MAIN(TestPictureClipboard)
#include "test_pictureclipboard.moc"
