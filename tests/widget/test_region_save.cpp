// Saving the region finished in the editor, from the capture page, driven in-process:
// where the dialog starts, and what a save, a cancel or a failure does to the region,
// the clipboard and the editor.
#include "app/frmmain.h"
#include "platform/screenpointer.h"
#include "support/mouse.h"
#include "support/snapfakes.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QImageReader>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

using namespace kv;
using kvtest::FakeScreen;

namespace {

// Answers the next modal dialog: types a name into a file dialog and accepts it
// (an empty name cancels it), or presses OK on a message box, whose text it keeps.
void answerNext(const QString& typed, QString* boxText = nullptr) {
    auto* poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, poll, [=] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible()) return;
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            if (!boxText) return;
            poll->deleteLater();
            *boxText = box->text();
            box->button(QMessageBox::Ok)->click();
        } else if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
            if (boxText) return;
            poll->deleteLater();
            if (typed.isEmpty()) return dialog->reject();
            auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            edit->setText(typed);
            QTest::keyClick(edit, Qt::Key_Return);
        }
    });
    poll->start(20);
}

const QRect kRegion(100, 80, 240, 160);

} // namespace

class TestRegionSave : public QObject {
    Q_OBJECT
    SystemClock clock;
    std::unique_ptr<FakeScreen> screen;
    std::unique_ptr<FrmMain> w;
    QTemporaryDir dir;
    QPointer<FrmSnap> snap;

    CapturePage& page() { return w->capturePage(); }
    // A main window whose captures (and saves) go to `saveFolder`; the region editor
    // opened from it with kRegion selected and finished.
    void finishRegion(const QString& saveFolder) {
        FrmMainServices s;
        s.clock = &clock;
        s.screen = screen.get();
        s.programDir = QCoreApplication::applicationDirPath();
        s.captureFolder = saveFolder;
        w = std::make_unique<FrmMain>(s);
        w->Form_Load();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        page().OpenRegionCapture();
        snap = page().Snap;
        QVERIFY(snap && QTest::qWaitForWindowExposed(snap.data()));
        kvtest::sendDrag(snap.data(), kRegion.topLeft(),
                         kRegion.topLeft() + QPoint(kRegion.width(), kRegion.height()));
        snap->FinishRegion();
        QVERIFY(page().flaga());
        QCOMPARE(page().finishedRegion().size(), kRegion.size());
    }
    QImage clipboardImage() {
        return QApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32);
    }

private slots:
    void initTestCase() {
        QVERIFY(dir.isValid());
        screen = std::make_unique<FakeScreen>(
            QGuiApplication::primaryScreen()->size(), [](QPoint p, QPoint l) {
                return qRgb(p.x() % 256, p.y() % 256, (l.x() * l.y()) % 256);
            });
    }
    void cleanup() {
        w.reset();
        resetScreenPointer();
        QApplication::clipboard()->clear();
    }

    // The dialog opens in the folder timed captures go to, made for it when it
    // is not there yet (an installed program's first save).
    void dialogStartsInTheSaveFolder() {
        const QString saveFolder = dir.filePath("Pictures/用户图片");
        QVERIFY(!QDir(saveFolder).exists());
        finishRegion(saveFolder);
        QString shown;
        auto* poll = new QTimer(qApp);
        QObject::connect(poll, &QTimer::timeout, poll, [&shown, poll] {
            if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
                poll->deleteLater();
                shown = dialog->directory().absolutePath();
                dialog->reject();
            }
        });
        poll->start(20);
        page().CutdSave();
        QCOMPARE(shown, saveFolder);
        QVERIFY(page().flaga()); // cancelled: the region still waits
    }

    // Cancelling or failing keeps the region waiting, on the clipboard too; a
    // save clears only our own region from the clipboard and unloads the editor.
    void saving_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("copyTextMeanwhile");
        QTest::addColumn<QString>("written"); // empty: the save does not happen
        QTest::addColumn<QByteArray>("format");
        QTest::newRow("cancelled") << "" << false << "" << QByteArray();
        QTest::newRow("missing folder") << "nowhere/region.png" << false << "" << QByteArray();
        QTest::newRow("tif is not a format") << "region.tif" << false << "" << QByteArray();
        QTest::newRow("no extension") << "region" << false << "region.PNG" << QByteArray("png");
        QTest::newRow("jpeg") << "region.jpeg" << false << "region.jpeg" << QByteArray("jpeg");
        QTest::newRow("bmp") << "region.BMP" << false << "region.BMP" << QByteArray("bmp");
        QTest::newRow("text copied since")
            << "copied.png" << true << "copied.png" << QByteArray("png");
    }
    void saving() {
        QFETCH(QString, typed);
        QFETCH(bool, copyTextMeanwhile);
        QFETCH(QString, written);
        QFETCH(QByteArray, format);
        finishRegion(dir.path());
        const QImage region = page().finishedRegion().image();
        QCOMPARE(page().PicMain->picture().image(), region);
        if (copyTextMeanwhile) QApplication::clipboard()->setText(QStringLiteral("#1E90FF"));

        const bool refused = !typed.isEmpty() && written.isEmpty();
        QString boxText;
        answerNext(typed);
        if (refused) answerNext(QString(), &boxText);
        page().SaveRegionImage();

        if (written.isEmpty()) {
            QCOMPARE(boxText.isEmpty(), !refused);
            QVERIFY(page().flaga());
            QCOMPARE(page().Snap.data(), snap.data()); // still loaded
            QVERIFY(!snap->isVisible());
            QCOMPARE(clipboardImage(), region);
            return;
        }
        QVERIFY(!page().flaga());
        QVERIFY(!page().Snap); // unloaded: the page let go of it
        QTRY_VERIFY(snap.isNull());
        QImageReader reader(dir.filePath(written));
        QCOMPARE(reader.format(), format);
        const QImage saved = reader.read().convertToFormat(QImage::Format_RGB32);
        if (format != "jpeg") QCOMPARE(saved, region);
        const QMimeData* now = QApplication::clipboard()->mimeData();
        if (copyTextMeanwhile)
            QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("#1E90FF"));
        else
            QVERIFY(!now || now->formats().isEmpty());
    }
};

QTEST_MAIN(TestRegionSave)
#include "test_region_save.moc"
