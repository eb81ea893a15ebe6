// The tray icon docks in the desktop's tray host (trayer, started by the test
// desktop) while shown, and leaves it when removed.
#include "platform/tray.h"

#include "e2e/test_tray_host.h"

#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QImageWriter>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

using namespace kv;

namespace {

int dockedIcons() {
    return trayhost::dockedIcons(QCoreApplication::applicationName());
}

bool waitForDocked(int expected) {
    return trayhost::waitForDocked(QCoreApplication::applicationName(), expected);
}

// An .ico file holding several pictures, made from one-picture files written by
// Qt (whose writer stores a single picture): one directory, entries re-pointed.
QByteArray joinIcons(const QList<QImage>& pictures) {
    QList<QByteArray> files;
    for (const QImage& p : pictures) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QImageWriter(&buffer, "ico").write(p);
        files << buffer.data();
    }
    QByteArray out(6 + 16 * files.size(), '\0');
    qToLittleEndian<quint16>(1, out.data() + 2);
    qToLittleEndian<quint16>(quint16(files.size()), out.data() + 4);
    for (int i = 0; i < files.size(); ++i) {
        const QByteArray& f = files[i];
        const quint32 offset = qFromLittleEndian<quint32>(f.constData() + 6 + 12);
        const quint32 size = qFromLittleEndian<quint32>(f.constData() + 6 + 8);
        char* entry = out.data() + 6 + 16 * i;
        memcpy(entry, f.constData() + 6, 16);
        qToLittleEndian<quint32>(quint32(out.size()), entry + 12);
        out.append(f.mid(offset, size));
    }
    return out;
}

QImage filled(int size, QColor colour) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
}

} // namespace

class TestTray : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QVERIFY2(dockedIcons() == 0, "the tray host is not running or holds our icon already");
    }

    // The picture made for 16 x 16 when the file has one; otherwise the largest,
    // scaled down.
    void picks16x16Picture_data() {
        QTest::addColumn<QList<QImage>>("pictures");
        QTest::addColumn<QColor>("expected");
        const QColor green(0, 200, 0);
        QTest::newRow("32 and 16")
            << QList<QImage>{filled(32, Qt::blue), filled(16, green)} << green;
        QTest::newRow("48, 16 and 32")
            << QList<QImage>{filled(48, Qt::red), filled(16, green), filled(32, Qt::blue)} << green;
        QTest::newRow("32 and 24")
            << QList<QImage>{filled(24, Qt::red), filled(32, Qt::blue)} << QColor(Qt::blue);
    }
    void picks16x16Picture() {
        QFETCH(QList<QImage>, pictures);
        QFETCH(QColor, expected);
        QTemporaryDir dir;
        QFile file(dir.filePath("app.ico"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(joinIcons(pictures));
        file.close();
        const QIcon icon = loadSmallIcon(file.fileName());
        QVERIFY(!icon.isNull());
        const QImage image = icon.pixmap(16, 16).toImage();
        QCOMPARE(image.size(), QSize(16, 16));
        QCOMPARE(QColor(image.pixel(8, 8)), expected);
    }

    void unreadableFiles() {
        QTemporaryDir dir;
        QVERIFY(loadSmallIcon(dir.filePath("missing.ico")).isNull());
        QFile junk(dir.filePath("junk.ico"));
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.write("not an icon at all");
        junk.close();
        QVERIFY(loadSmallIcon(junk.fileName()).isNull());
    }

    // Shown: one docked icon with the tip; shown again: still one; hidden: none.
    // A missing icon file still gives an entry.
    void docksOnce_data() {
        QTest::addColumn<bool>("withFile");
        QTest::newRow("app.ico present") << true;
        QTest::newRow("app.ico missing") << false;
    }
    void docksOnce() {
        QFETCH(bool, withFile);
        QTemporaryDir dir;
        QString path = dir.filePath("app.ico");
        if (withFile) {
            QImage picture(16, 16, QImage::Format_ARGB32);
            picture.fill(QColor(200, 30, 30));
            QVERIFY(QImageWriter(path, "ico").write(picture));
        }
        TrayIcon tray;
        QVERIFY(!tray.isShown());
        tray.show(path, "Kolvane");
        QVERIFY(tray.isShown());
        QCOMPARE(tray.tip(), QString("Kolvane"));
        QVERIFY2(waitForDocked(1), qPrintable(QString::number(dockedIcons())));
        const QImage shown = tray.icon().pixmap(16, 16).toImage();
        QCOMPARE(shown.size(), QSize(16, 16));
        QCOMPARE(qAlpha(shown.pixel(8, 8)), withFile ? 255 : 0);

        tray.show(path, "Kolvane");
        QTest::qWait(300);
        QCOMPARE(dockedIcons(), 1);

        tray.hide();
        QVERIFY(!tray.isShown());
        QVERIFY(waitForDocked(0));

        // Each region capture adds and removes it again.
        tray.show(path, "Kolvane");
        QVERIFY(waitForDocked(1));
        tray.hide();
        QVERIFY(waitForDocked(0));
    }
};

QTEST_MAIN(TestTray)
#include "test_tray.moc"
