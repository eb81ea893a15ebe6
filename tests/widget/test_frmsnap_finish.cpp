// Finishing a region in the editor and saving it, driven in-process: what the cut
// contains, what the main window is told, and what a save does to the region
// and the clipboard.
#include "platform/screenpointer.h"
#include "snapshot/frmsnap.h"
#include "support/mouse.h"
#include "support/snapfakes.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QImageReader>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

using namespace kv;
using kvtest::FakeHost;
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

class TestFrmSnapFinish : public QObject {
    Q_OBJECT
    std::unique_ptr<FakeScreen> screen;
    std::unique_ptr<FakeHost> host;
    std::unique_ptr<FrmSnap> snap;
    QTemporaryDir dir;
    QString saveFolder; // dir itself when empty

    // Opens the editor and drags out kRegion.
    void openWithSelection() {
        host = std::make_unique<FakeHost>();
        FrmSnapServices services;
        services.screen = screen.get();
        services.host = host.get();
        services.saveFolder = saveFolder.isEmpty() ? dir.path() : saveFolder;
        snap = std::make_unique<FrmSnap>(services);
        snap->Form_Load();
        snap->ShowEditor();
        QVERIFY(QTest::qWaitForWindowExposed(snap.get()));
        kvtest::sendDrag(snap.get(), kRegion.topLeft(),
                         kRegion.topLeft() + QPoint(kRegion.width(), kRegion.height()));
        QCOMPARE(snap->selection(), (SelBox{float(kRegion.x()), float(kRegion.y()),
                                            float(kRegion.width()), float(kRegion.height())}));
    }
    QImage frozenRegion() { return snap->surface.committed().copy(kRegion); }
    // Finishes with a double click in the middle of the selection.
    void doubleClickInside() {
        QTest::mousePress(snap.get(), Qt::LeftButton, {}, kRegion.center());
        QTest::mouseRelease(snap.get(), Qt::LeftButton, {}, kRegion.center());
        QTest::mouseDClick(snap.get(), Qt::LeftButton, {}, kRegion.center());
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
    void init() { openWithSelection(); }
    void cleanup() {
        snap.reset();
        resetScreenPointer();
        QApplication::clipboard()->clear();
        saveFolder.clear();
    }

    // The dialog opens in the folder timed captures go to, made for it when it
    // is not there yet (an installed program's first save).
    void dialogStartsInTheSaveFolder() {
        saveFolder = dir.filePath("Pictures/用户图片");
        QVERIFY(!QDir(saveFolder).exists());
        openWithSelection();
        snap->FinishRegion();
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
        snap->CutdSave();
        QCOMPARE(shown, saveFolder);
        QVERIFY(snap->flaga); // cancelled: the region still waits
    }

    // Bars, outline, handles and read-outs never get into the cut; a text box
    // still open when a button finishes does, a double click drops it.
    void cutHoldsWhatTheEditorShows_data() {
        QTest::addColumn<bool>("byDoubleClick");
        QTest::addColumn<bool>("textBoxOpen");
        QTest::newRow("button") << false << false;
        QTest::newRow("button, text box open") << false << true;
        QTest::newRow("double click, text box open") << true << true;
    }
    void cutHoldsWhatTheEditorShows() {
        QFETCH(bool, byDoubleClick);
        QFETCH(bool, textBoxOpen);
        // The option bar open over the selection, the read-outs shown on it.
        snap->Picture2->move(kRegion.center());
        snap->Picture2->show();
        QVERIFY(snap->LblPos->isVisible() && snap->Shape1->isVisible());
        if (textBoxOpen) {
            snap->TextEdit->setGeometry(kRegion.x() + 10, kRegion.y() + 10, 120, 30);
            snap->TextEdit->setText(QStringLiteral("标注 text"));
            snap->TextEdit->show();
        }
        if (byDoubleClick)
            doubleClickInside();
        else
            snap->FinishRegion();

        QVERIFY(snap->flaga);
        QVERIFY(!snap->isVisible());
        QVERIFY(!snap->unloaded());
        QCOMPARE(host->calls, QStringList({"picture", "show", "tray"}));
        QCOMPARE(host->shown.image(), clipboardImage());
        QCOMPARE(host->shown.size(), kRegion.size());
        const bool showsTextBox = textBoxOpen && !byDoubleClick;
        QCOMPARE(host->shown.image() != frozenRegion(), showsTextBox);
        if (showsTextBox) {
            // Only the box's area differs from the frozen picture.
            const QRect box = snap->TextEdit->geometry().translated(-kRegion.topLeft());
            QImage outside = host->shown.image();
            QImage expected = frozenRegion();
            QPainter(&outside).fillRect(box, Qt::black);
            QPainter(&expected).fillRect(box, Qt::black);
            QCOMPARE(outside, expected);
        }
        QVERIFY(!screenPointerIs(Qt::CrossCursor));
    }

    void doubleClickOutsideDoesNothing() {
        QTest::mouseDClick(snap.get(), Qt::LeftButton, {}, QPoint(20, 20));
        QVERIFY(!snap->flaga);
        QVERIFY(host->calls.isEmpty());
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
        snap->FinishRegion();
        const QImage region = host->shown.image();
        if (copyTextMeanwhile) QApplication::clipboard()->setText(QStringLiteral("#1E90FF"));
        host->calls.clear();

        const bool refused = !typed.isEmpty() && written.isEmpty();
        QString boxText;
        answerNext(typed);
        if (refused) answerNext(QString(), &boxText);
        snap->CutdSave();

        if (written.isEmpty()) {
            QCOMPARE(boxText.isEmpty(), !refused);
            QVERIFY(snap->flaga);
            QVERIFY(!snap->unloaded());
            QVERIFY(host->calls.isEmpty());
            QCOMPARE(clipboardImage(), region);
            return;
        }
        QVERIFY(!snap->flaga);
        QVERIFY(snap->unloaded());
        QCOMPARE(host->calls, QStringList({"unloaded"}));
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

QTEST_MAIN(TestFrmSnapFinish)
#include "test_frmsnap_finish.moc"
