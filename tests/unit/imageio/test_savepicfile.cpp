// The saving command as the user meets it: the error box, the pointer, and trying
// again after a failure.
#include "imageio/savepicfile.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace kv;

namespace {

struct SeenBox {
    bool shown = false;
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QString okText;
    bool pointerOverridden = true;
};

// Answers the next modal message box with OK and records what it showed.
void answerNextBox(SeenBox& seen) {
    auto* poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, poll, [&seen, poll] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        poll->deleteLater();
        seen.shown = true;
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        seen.buttons = box->standardButtons();
        seen.okText = box->button(QMessageBox::Ok)->text();
        seen.pointerOverridden = QGuiApplication::overrideCursor() != nullptr;
        box->button(QMessageBox::Ok)->click();
    });
    poll->start(10);
}

QImage picture() {
    QImage img(33, 21, QImage::Format_RGB32);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            img.setPixel(x, y, qRgb(x * 7, y * 11, (x ^ y) * 5));
    return img;
}

} // namespace

class TestSavePicFile : public QObject {
    Q_OBJECT

private slots:
    void failureShowsTheBox_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("number");
        QTest::newRow("tif") << "shot.tif"
                             << "tif" << 2;
        QTest::newRow("missing folder") << "nowhere/shot.png"
                                        << "png" << 3;
    }
    void failureShowsTheBox() {
        QFETCH(QString, name);
        QFETCH(QString, key);
        QFETCH(int, number);
        QTemporaryDir dir;
        SeenBox seen;
        answerNextBox(seen);
        // Whatever pointer was set before, the box and the caller see the default one.
        QGuiApplication::setOverrideCursor(Qt::CrossCursor);
        QVERIFY(!SavePicFile(Picture(picture()), dir.filePath(name), key, 80, 24, 6));
        QVERIFY(seen.shown);
        QCOMPARE(seen.title, QString("错误"));
        QCOMPARE(seen.icon, QMessageBox::Information);
        QCOMPARE(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(seen.okText, QString("确定"));
        QVERIFY(seen.text.startsWith(
            QString("在保存图片的过程中发生错误:\r\n\r\n错误号: %1\r\n错误描述: ").arg(number)));
        QVERIFY(!seen.pointerOverridden);
        QVERIFY(!QGuiApplication::overrideCursor());
        QVERIFY(!QFile::exists(dir.filePath(name)));
    }

    // After a failure the same picture can be saved under another name.
    void retryAfterFailure() {
        QTemporaryDir dir;
        const Picture region(picture());
        SeenBox seen;
        answerNextBox(seen);
        QVERIFY(!SavePicFile(region, dir.filePath("gone/region.png"), "png", 80, 24, 6));
        QVERIFY(seen.shown);

        const QString path = dir.filePath("region.png");
        QVERIFY(SavePicFile(region, path, "png", 80, 24, 6));
        QCOMPARE(QImage(path).convertToFormat(QImage::Format_RGB32), region.image());
        QVERIFY(!QGuiApplication::overrideCursor());
    }
};

QTEST_MAIN(TestSavePicFile)
#include "test_savepicfile.moc"
