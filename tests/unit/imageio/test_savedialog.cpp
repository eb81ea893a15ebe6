// The save dialog as the user types into it.
#include "imageio/savedialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace kv;

namespace {

// Types into the next modal file dialog and presses Enter, or cancels it when
// the text is empty; first steps down the file-type list `typeSteps` times with
// the keyboard, as a user would.
void answerNextDialog(const QString& typed, int typeSteps = 0) {
    auto* poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, poll, [typed, typeSteps, poll] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible()) return;
        poll->deleteLater();
        if (typed.isEmpty()) {
            dialog->reject();
            return;
        }
        auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        for (int i = 0; i < typeSteps; ++i)
            QTest::keyClick(types, Qt::Key_Down);
        auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        edit->setText(typed);
        QTest::keyClick(edit, Qt::Key_Return);
    });
    poll->start(20);
}

} // namespace

class TestSaveDialog : public QObject {
    Q_OBJECT

private slots:
    void layout() {
        QTemporaryDir dir;
        std::unique_ptr<QFileDialog> dialog(createSavePictureDialog(dir.path()));
        QCOMPARE(dialog->windowTitle(), QString("保存为"));
        QVERIFY(dialog->testOption(QFileDialog::DontUseNativeDialog));
        QVERIFY(dialog->testOption(QFileDialog::DontConfirmOverwrite));
        QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptSave);
        QCOMPARE(dialog->defaultSuffix(), QString("PNG"));
        QCOMPARE(QFileInfo(dialog->directory().path()), QFileInfo(dir.path()));
        auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        QVERIFY(types);
        QStringList shown;
        for (int i = 0; i < types->count(); ++i)
            shown << types->itemText(i);
        QCOMPARE(shown, QStringList({"PNG文件(*.PNG)", "JPEG文件(*.jpg;*.jpeg)", "位图文件(*.bmp)",
                                     "GIF文件(*.gif)", "TIFF文件(*.TIFF)", "所有文件(*.*)"}));
        QCOMPARE(shown, savePictureFilterTexts());
        QCOMPARE(types->currentIndex(), 0);
    }

    // What the user reads on the dialog is Chinese, like the rest of the program. A
    // "&" marks a shortcut only on a button or a label with a buddy; anywhere else it
    // would be read as it is.
    void chineseLabels_data() {
        QTest::addColumn<QString>("objectName");
        QTest::addColumn<QString>("read");
        QTest::newRow("folder") << "lookInLabel"
                                << "保存在:";
        QTest::newRow("name") << "fileNameLabel"
                              << "文件名(N):";
        QTest::newRow("type") << "fileTypeLabel"
                              << "保存类型:";
        QTest::newRow("save") << "accept"
                              << "保存(S)";
        QTest::newRow("cancel") << "reject"
                                << "取消";
    }
    void chineseLabels() {
        QFETCH(QString, objectName);
        QFETCH(QString, read);
        QTemporaryDir dir;
        std::unique_ptr<QFileDialog> dialog(createSavePictureDialog(dir.path()));
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        QString text;
        if (auto* label = dialog->findChild<QLabel*>(objectName)) {
            text = label->text();
            if (label->buddy()) text.remove('&');
        } else {
            auto* buttons = dialog->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
            QVERIFY(buttons);
            const auto role = objectName == u"accept" ? QDialogButtonBox::AcceptRole
                                                      : QDialogButtonBox::RejectRole;
            for (QAbstractButton* b : buttons->buttons())
                if (buttons->buttonRole(b) == role) text = b->text().remove('&');
        }
        QCOMPARE(text, read);
    }

    void typedNames_data() {
        QTest::addColumn<int>("type"); // steps down from "PNG文件"
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("chosen");
        QTest::newRow("no extension gets PNG") << 0 << "shot"
                                               << "shot.PNG";
        QTest::newRow("own extension kept") << 0 << "shot.jpeg"
                                            << "shot.jpeg";
        QTest::newRow("existing file, no question") << 0 << "old.bmp"
                                                    << "old.bmp";
        QTest::newRow("cancelled") << 0 << ""
                                   << "";
        QTest::newRow("JPEG type") << 1 << "shot"
                                   << "shot.jpg";
        QTest::newRow("bitmap type") << 2 << "shot"
                                     << "shot.bmp";
        QTest::newRow("TIFF type") << 4 << "shot"
                                   << "shot.tiff";
        QTest::newRow("every file: PNG") << 5 << "shot"
                                         << "shot.PNG";
        QTest::newRow("bitmap type, own extension") << 2 << "shot.gif"
                                                    << "shot.gif";
    }
    void typedNames() {
        QFETCH(int, type);
        QFETCH(QString, typed);
        QFETCH(QString, chosen);
        QTemporaryDir dir;
        QFile old(dir.filePath("old.bmp"));
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.close();
        answerNextDialog(typed, type);
        const std::optional<QString> name = askSavePictureName(dir.path());
        if (chosen.isEmpty()) {
            QVERIFY(!name);
        } else {
            QVERIFY(name);
            QCOMPARE(*name, dir.filePath(chosen));
        }
    }
};

QTEST_MAIN(TestSaveDialog)
#include "test_savedialog.moc"
