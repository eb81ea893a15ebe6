#include "platform/clickablelabel.h"

#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

// Pointer events straight to the label: the rule for a click, the signals' arguments,
// and that none of them reaches the window beneath.
class TestClickableLabel : public QObject {
    Q_OBJECT

    // Sends one step of a script: P/p left/right press, D a left double-click press,
    // R/r left/right release over the label, O a left release outside it, M a move.
    static void send(kv::ClickableLabel& label, QChar step) {
        const QPoint inside(5, 5), outside(500, 500);
        const char c = step.toLatin1();
        const Qt::MouseButton button = QChar(c).isUpper() ? Qt::LeftButton : Qt::RightButton;
        QEvent::Type type = QEvent::MouseMove;
        if (c == 'P' || c == 'p') type = QEvent::MouseButtonPress;
        if (c == 'D') type = QEvent::MouseButtonDblClick;
        if (c == 'R' || c == 'r' || c == 'O') type = QEvent::MouseButtonRelease;
        const QPoint at = c == 'O' ? outside : inside;
        const Qt::MouseButton changed = type == QEvent::MouseMove ? Qt::NoButton : button;
        QMouseEvent e(type, QPointF(at), label.mapToGlobal(QPointF(at)), changed,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button),
                      Qt::NoModifier);
        QApplication::sendEvent(&label, &e);
    }

private slots:
    void clicks_data() {
        QTest::addColumn<QString>("script");
        QTest::addColumn<int>("clicks");
        QTest::newRow("left press and release") << "PR" << 1;
        QTest::newRow("released outside") << "PO" << 0;
        QTest::newRow("right button") << "pr" << 0;
        QTest::newRow("release without a press") << "R" << 0;
        QTest::newRow("moves between") << "PMMR" << 1;
        QTest::newRow("double click is two clicks") << "PRDR" << 2;
        QTest::newRow("right button came and went") << "PprR" << 1;
        QTest::newRow("left press, right release only") << "Pr" << 0;
        QTest::newRow("a release ends the press") << "PRR" << 1;
    }
    void clicks() {
        QFETCH(QString, script);
        QFETCH(int, clicks);
        kv::ClickableLabel label(QStringLiteral("label"), nullptr);
        label.resize(40, 20);
        QSignalSpy clicked(&label, &kv::ClickableLabel::clicked);
        QSignalSpy pressed(&label, &kv::ClickableLabel::pressed);
        QSignalSpy doublePressed(&label, &kv::ClickableLabel::doublePressed);
        QSignalSpy released(&label, &kv::ClickableLabel::released);
        for (QChar step : script)
            send(label, step);
        QCOMPARE(clicked.count(), clicks);
        QCOMPARE(pressed.count(), int(script.count('P') + script.count('p')));
        QCOMPARE(doublePressed.count(), int(script.count('D')));
        QCOMPARE(released.count(), int(script.count('R') + script.count('r') + script.count('O')));
    }

    void signalsCarryButtonsAndScreenPosition() {
        kv::ClickableLabel label;
        label.resize(40, 20);
        label.move(100, 50);
        QSignalSpy pressed(&label, &kv::ClickableLabel::pressed);
        QSignalSpy moved(&label, &kv::ClickableLabel::moved);
        QTest::mousePress(&label, Qt::RightButton, {}, QPoint(3, 4));
        kv::ClickableLabel* l = &label;
        QMouseEvent move(QEvent::MouseMove, QPointF(7, 8), l->mapToGlobal(QPointF(7, 8)),
                         Qt::NoButton, Qt::LeftButton | Qt::RightButton, Qt::NoModifier);
        QApplication::sendEvent(l, &move);
        QCOMPARE(pressed.count(), 1);
        QCOMPARE(pressed[0][0].value<Qt::MouseButton>(), Qt::RightButton);
        QCOMPARE(pressed[0][1].toPoint(), label.mapToGlobal(QPoint(3, 4)));
        QCOMPARE(moved[0][0].value<Qt::MouseButtons>(), Qt::LeftButton | Qt::RightButton);
        QCOMPARE(moved[0][1].toPoint(), label.mapToGlobal(QPoint(7, 8)));
    }

    // What the label takes is not the window's: a window beneath sees no press or move.
    void eventsStopAtTheLabel() {
        struct Counting : QWidget {
            int events = 0;
            void mousePressEvent(QMouseEvent*) override { ++events; }
            void mouseMoveEvent(QMouseEvent*) override { ++events; }
            void mouseReleaseEvent(QMouseEvent*) override { ++events; }
        } window;
        auto* label = new kv::ClickableLabel(&window);
        label->resize(40, 20);
        for (QChar step : QStringLiteral("PMRDRpr"))
            send(*label, step);
        QCOMPARE(window.events, 0);
    }

    // A picture label asks for no room, so that fitting labels to their text leaves it
    // at its designed size; a text label asks for its text's.
    void onlyTextAsksForRoom() {
        kv::ClickableLabel picture;
        picture.setPicture(kv::Picture(QImage(20, 20, QImage::Format_RGB32)));
        QCOMPARE(picture.sizeHint(), QSize(0, 0));
        kv::ClickableLabel text(QStringLiteral("屏幕截图"), nullptr);
        QVERIFY(text.sizeHint().width() > 0);
    }

    void drawsItsPictureOverTheBackground() {
        QImage image(4, 3, QImage::Format_RGB32);
        image.fill(qRgb(10, 20, 30));
        kv::ClickableLabel label;
        label.resize(8, 6);
        label.setBackground(QColor(200, 100, 50));
        label.setPicture(kv::Picture(image));
        const QImage shown = label.grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shown.pixel(3, 2), qRgb(10, 20, 30));
        QCOMPARE(shown.pixel(4, 2), qRgb(200, 100, 50));
        QCOMPARE(shown.pixel(3, 3), qRgb(200, 100, 50));
    }
};

QTEST_MAIN(TestClickableLabel)
#include "test_clickablelabel.moc"
