// Recognition off the interface's thread and its result window: the text comes
// back once, a cancelled run never answers, and the window copies what it shows
// (or says "未识别到文字" and copies nothing).
#include "ocr/ocrengine.h"
#include "ocr/ocrresultwindow.h"
#include "ocr/ocrrunner.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace kv;

namespace {

OcrModelFiles modelFolder() {
    const QString program = qEnvironmentVariable("KOLVANE_PROGRAM_DIR");
    return OcrModelFiles::inFolder(QDir(program).filePath(QStringLiteral("ocr-models")), program);
}

QImage line(const QString& text) {
    QImage picture(360, 60, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter p(&picture);
    QFont font(QStringLiteral("WenQuanYi Micro Hei"));
    font.setPixelSize(16);
    p.setFont(font);
    p.drawText(16, 36, text);
    return picture;
}

QImage blank() {
    QImage picture(360, 60, QImage::Format_RGB32);
    picture.fill(Qt::white);
    return picture;
}

OcrResultWindow* shownResult() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* r = qobject_cast<OcrResultWindow*>(w); r && r->isVisible()) return r;
    return nullptr;
}

} // namespace

Q_DECLARE_METATYPE(kv::OcrOutcome)

class TestOcrRunner : public QObject {
    Q_OBJECT

private slots:
    void cleanup() {
        while (OcrResultWindow* w = shownResult())
            w->close();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void answersOnce() {
        OcrRunner runner(modelFolder());
        QSignalSpy busy(&runner, &OcrRunner::busyChanged);
        QSignalSpy done(&runner, &OcrRunner::finished);
        runner.start(line(QStringLiteral("截图后复制到剪贴板")));
        QVERIFY(runner.busy());
        QVERIFY(done.wait(60000));
        QCOMPARE(done.size(), 1);
        QCOMPARE(done[0][0].value<OcrOutcome>().text, QStringLiteral("截图后复制到剪贴板"));
        QVERIFY(!runner.busy());
        QCOMPARE(busy.size(), 2);
        QCOMPARE(busy[1][0].toBool(), false);
    }

    void cancelledRunNeverAnswers() {
        OcrRunner runner(modelFolder());
        QSignalSpy done(&runner, &OcrRunner::finished);
        runner.start(line(QStringLiteral("取消")));
        runner.cancel();
        QVERIFY(!runner.busy());
        // A new run after it answers for itself only.
        runner.start(line(QStringLiteral("关闭")));
        QVERIFY(done.wait(60000));
        QTest::qWait(200);
        QCOMPARE(done.size(), 1);
        QCOMPARE(done[0][0].value<OcrOutcome>().text, QStringLiteral("关闭"));
    }

    void missingModelsAreAnError() {
        OcrRunner runner(OcrModelFiles::inFolder(QStringLiteral("/nonexistent"), {}));
        QSignalSpy done(&runner, &OcrRunner::finished);
        runner.start(blank());
        QVERIFY(done.wait(10000));
        const OcrOutcome outcome = done[0][0].value<OcrOutcome>();
        QVERIFY(outcome.text.isEmpty());
        QVERIFY(outcome.error.contains(QStringLiteral("/nonexistent")));
    }

    void textIsCopiedAndShown() {
        OcrRunner runner(modelFolder());
        QStringList copied;
        recogniseAndShow(runner, line(QStringLiteral("播放快门声音")),
                         [&](const QString& t) { copied << t; });
        QVERIFY(QTest::qWaitFor([] { return shownResult() != nullptr; }, 60000));
        QCOMPARE(copied, QStringList{QStringLiteral("播放快门声音")});
        OcrResultWindow* window = shownResult();
        QCOMPARE(window->text(), QStringLiteral("播放快门声音"));
        // What the user edits is what "复制" copies.
        window->findChild<QPlainTextEdit*>()->setPlainText(QStringLiteral("快门声音"));
        QCOMPARE(window->copyButton()->text(), QStringLiteral("复制"));
        window->copyButton()->click();
        QCOMPARE(copied.last(), QStringLiteral("快门声音"));
        QCOMPARE(window->closeButton()->text(), QStringLiteral("关闭"));
        window->closeButton()->click();
        QVERIFY(!shownResult());
    }

    void noTextLeavesTheClipboardAlone() {
        OcrRunner runner(modelFolder());
        QStringList copied;
        recogniseAndShow(runner, blank(), [&](const QString& t) { copied << t; });
        QVERIFY(QTest::qWaitFor([] { return shownResult() != nullptr; }, 60000));
        OcrResultWindow* window = shownResult();
        QVERIFY(window->findChild<QLabel*>());
        QCOMPARE(window->findChild<QLabel*>()->text(), QStringLiteral("未识别到文字"));
        QVERIFY(!window->copyButton()->isEnabled());
        QVERIFY(copied.isEmpty());
    }

    void cancelledShowsNothing() {
        OcrRunner runner(modelFolder());
        QStringList copied;
        recogniseAndShow(runner, line(QStringLiteral("取消")),
                         [&](const QString& t) { copied << t; });
        runner.cancel();
        QTest::qWait(3000);
        QVERIFY(!shownResult());
        QVERIFY(copied.isEmpty());
    }
};

QTEST_MAIN(TestOcrRunner)
#include "test_ocrrunner.moc"
