// A pin driven in-process: its menu (with "文字识别" only once recognition is
// wired, "置顶" checked and switchable), "关闭全部贴图", the colour under the pointer
// in the editor's two notations, Ctrl+C with the picture's own pixels whatever the
// zoom, and the opacity steps.
#include "pin/pinboard.h"
#include "pin/pinwindow.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMimeData>
#include <QTimer>
#include <QtTest>

using namespace kv;

namespace {

QImage pattern(QSize size) {
    QImage img(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            img.setPixel(x, y, qRgb(x * 9 & 255, y * 5 & 255, 200));
    return img;
}

// The menu's items as it opens on `pin`; `choose` is triggered when given.
QStringList menuOf(PinWindow* pin, const QString& choose = {}, bool* onTopChecked = nullptr) {
    QStringList items;
    QAction* chosen = nullptr;
    // Read once the menu is up (its own event loop runs meanwhile), then closed.
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu || !menu->isVisible()) return;
        poll.stop();
        for (QAction* a : menu->actions()) {
            if (a->isSeparator() || !a->isVisible()) continue;
            items << a->text();
            if (a->text() == choose) chosen = a;
            if (a->text() == QStringLiteral("置顶") && onTopChecked) *onTopChecked = a->isChecked();
        }
        // Chosen as a click chooses: the menu closes, then the item acts.
        if (chosen) chosen->activate(QAction::Trigger);
        menu->close();
    });
    poll.start(50);
    QContextMenuEvent e(QContextMenuEvent::Mouse, QPoint(5, 5), pin->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(pin, &e);
    return items;
}

} // namespace

class TestPinWindow : public QObject {
    Q_OBJECT
private slots:
    void menuAndTextRecognitionHook() {
        PinBoard board{PinContext{}};
        PinWindow* pin = board.pin(pattern({120, 80}), {200, 200});
        QVERIFY(QTest::qWaitForWindowExposed(pin));
        bool onTop = false;
        QCOMPARE(menuOf(pin, {}, &onTop),
                 QStringList({"复制", "另存为…", "原始大小", "置顶", "关闭", "关闭全部贴图"}));
        QVERIFY(onTop);

        QImage recognised;
        board.setTextRecognition([&](const QImage& picture) { recognised = picture; });
        QCOMPARE(menuOf(pin, QStringLiteral("文字识别")),
                 QStringList(
                     {"复制", "另存为…", "文字识别", "原始大小", "置顶", "关闭", "关闭全部贴图"}));
        QTRY_COMPARE(recognised, pin->picture());

        menuOf(pin, QStringLiteral("置顶"));
        QTRY_VERIFY(!pin->staysOnTop());
        QVERIFY(pin->isVisible()); // switched on the window as it stands
        menuOf(pin, QStringLiteral("置顶"));
        QTRY_VERIFY(pin->staysOnTop());
    }

    void closeAllClosesEveryPin() {
        PinBoard board{PinContext{}};
        PinWindow* first = board.pin(pattern({50, 40}), {100, 100});
        board.pin(pattern({60, 30}), {400, 100});
        board.pin(pattern({70, 20}), {700, 100});
        QVERIFY(QTest::qWaitForWindowExposed(first));
        QCOMPARE(board.pins().size(), 3);
        menuOf(first, QStringLiteral("关闭全部贴图"));
        QTRY_COMPARE(board.pins().size(), 0);
    }

    // The picture pixel under a screen point, in "#RRGGBB" and "RGB(r,g,b)", also
    // enlarged; the border and outside give nothing.
    void copiesTheColourUnderThePointer_data() {
        QTest::addColumn<int>("zoom");
        QTest::addColumn<QPoint>("offset"); // from the picture's top-left on the screen
        QTest::addColumn<QString>("html");
        QTest::addColumn<QString>("rgb");
        // pattern(): red x * 9, green y * 5, blue 200.
        QTest::newRow("100 %") << 100 << QPoint(10, 7) << "#5A23C8"
                               << "RGB(90,35,200)";
        QTest::newRow("200 %, a block's last pixel") << 200 << QPoint(21, 15) << "#5A23C8"
                                                     << "RGB(90,35,200)";
        QTest::newRow("border") << 100 << QPoint(-1, 5) << ""
                                << "";
        QTest::newRow("outside") << 100 << QPoint(500, 5) << ""
                                 << "";
    }
    void copiesTheColourUnderThePointer() {
        QFETCH(int, zoom);
        QFETCH(QPoint, offset);
        QFETCH(QString, html);
        QFETCH(QString, rgb);
        PinBoard board{PinContext{}};
        PinWindow* pin = board.pin(pattern({120, 80}), {200, 200});
        QVERIFY(QTest::qWaitForWindowExposed(pin));
        pin->zoomTo(zoom, pin->pictureGeometry().topLeft());
        const QPoint at = pin->pictureGeometry().topLeft() + offset;
        for (bool asRgb : {false, true}) {
            QApplication::clipboard()->setText(QStringLiteral("before"));
            pin->copyColourAt(at, asRgb);
            const QString want = asRgb ? rgb : html;
            QCOMPARE(QApplication::clipboard()->text(), want.isEmpty() ? "before" : want);
        }
    }

    void ctrlCCopiesTheOriginalPixels() {
        PinBoard board{PinContext{}};
        const QImage picture = pattern({97, 61});
        PinWindow* pin = board.pin(picture, {300, 300});
        QVERIFY(QTest::qWaitForWindowExposed(pin));
        pin->zoomBy(3, pin->pictureGeometry().topLeft());
        QCOMPARE(pin->zoom(), 200);
        QCOMPARE(pin->pictureGeometry().size(), QSize(194, 122));
        QTest::keyClick(pin, Qt::Key_C, Qt::ControlModifier);
        QTRY_VERIFY(QApplication::clipboard()->mimeData()->hasImage());
        QCOMPARE(QApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32), picture);
        QTest::keyClick(pin, Qt::Key_1);
        QCOMPARE(pin->zoom(), 100);
    }

    void opacitySteps() {
        PinBoard board{PinContext{}};
        PinWindow* pin = board.pin(pattern({40, 40}), {100, 500});
        QVERIFY(QTest::qWaitForWindowExposed(pin));
        for (int i = 0; i < 12; ++i) {
            QWheelEvent wheel(QPointF(10, 10), pin->mapToGlobal(QPointF(10, 10)), QPoint(),
                              QPoint(0, -120), Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase,
                              false);
            QApplication::sendEvent(pin, &wheel);
        }
        QCOMPARE(pin->opacityPercent(), 10);
        QCOMPARE(pin->zoom(), 100); // Ctrl+wheel does not zoom
        QVERIFY(qAbs(pin->windowOpacity() - 0.1) < 0.01);
    }
};

QTEST_MAIN(TestPinWindow)
#include "test_pinwindow.moc"
