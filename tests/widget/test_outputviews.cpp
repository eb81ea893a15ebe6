// The editor's one window per output: the window it lives in and every other one show
// their output's part of it, overlays included; it moves with the pointer but not
// during a drag; keys from any window reach it; it outlives its windows.
#include "snapshot/outputviews.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QTest>
#include <QWindow>

using namespace kv;

namespace {

// An editor stand-in: a picture over two outputs side by side, with a child overlay.
class Editor : public QWidget {
public:
    Editor() : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint) {
        picture = QImage(500, 200, QImage::Format_RGB32);
        for (int y = 0; y < 200; ++y)
            for (int x = 0; x < 500; ++x)
                picture.setPixel(x, y, qRgb(x & 255, y, x >> 8 ? 200 : 30));
        setGeometry(0, 0, 500, 200);
        overlay = new QLabel(this);
        overlay->setAutoFillBackground(true);
        overlay->setStyleSheet("background: rgb(222, 238, 255)");
        overlay->setGeometry(350, 50, 40, 20); // on the second output
        setFocusPolicy(Qt::StrongFocus);
    }
    QImage picture;
    QLabel* overlay;
    QList<int> keys;

protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).drawImage(0, 0, picture); }
    void keyPressEvent(QKeyEvent* e) override { keys << e->key(); }
};

Monitors twoOutputs() {
    Monitors m;
    m.root = QRect(0, 0, 500, 200);
    m.list = {{QRect(0, 0, 300, 200), 1.0}, {QRect(300, 0, 200, 150), 1.0}};
    return m;
}

// What a window shows of its output's part, one widget pixel each.
QImage shown(QWidget* view) {
    return view->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QImage expected(Editor& editor, const QRect& part) {
    return editor.grab(part).toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace

class TestOutputViews : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void eachWindowShowsItsPart_data() {
        QTest::addColumn<int>("live");
        QTest::newRow("living in the first") << 0;
        QTest::newRow("living in the second") << 1;
    }
    void eachWindowShowsItsPart() {
        QFETCH(int, live);
        Editor editor;
        OutputViews views(&editor, twoOutputs());
        views.show();
        views.hostIn(live);
        QCOMPARE(editor.parentWidget(), views.view(live));
        QCOMPARE(editor.pos(), -views.view(live)->part().topLeft());
        for (int i = 0; i < views.count(); ++i) {
            const QRect part = views.view(i)->part();
            QCOMPARE(shown(views.view(i)).copy(QRect(QPoint(), part.size())),
                     expected(editor, part));
        }
    }

    // A drag belongs to the window it started in; without a button the editor
    // follows the pointer.
    void followsThePointerButNotADrag() {
        Editor editor;
        OutputViews views(&editor, twoOutputs());
        views.show();
        QWindow* second = views.view(1)->windowHandle();
        QTest::mousePress(views.view(0)->windowHandle(), Qt::LeftButton, {}, QPoint(10, 10));
        QMouseEvent held(QEvent::MouseMove, QPointF(5, 5), QPointF(5, 5), Qt::NoButton,
                         Qt::LeftButton, {});
        QGuiApplication::sendEvent(second, &held);
        QCOMPARE(views.live(), 0);
        QTest::mouseRelease(views.view(0)->windowHandle(), Qt::LeftButton, {}, QPoint(10, 10));
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(305, 5));
        QGuiApplication::sendEvent(second, &enter);
        QCOMPARE(views.live(), 1);
        QCOMPARE(editor.parentWidget(), views.view(1));
    }

    void keysFromAnyWindowReachTheEditorOnce() {
        Editor editor;
        OutputViews views(&editor, twoOutputs());
        views.show();
        views.hostIn(0);
        for (int i = 0; i < views.count(); ++i)
            QTest::keyClick(views.view(i)->windowHandle(), Qt::Key_Escape);
        QCOMPARE(editor.keys, QList<int>({Qt::Key_Escape, Qt::Key_Escape}));
    }

    // Hiding the editor (a finish, a close) takes every window away; the windows
    // going give the editor its own window back instead of deleting it.
    void editorHiddenAndOutlivingItsWindows() {
        Editor editor;
        auto views = std::make_unique<OutputViews>(&editor, twoOutputs());
        views->show();
        QVERIFY(views->view(0)->isVisible() && views->view(1)->isVisible());
        editor.hide();
        QVERIFY(!views->view(0)->isVisible() && !views->view(1)->isVisible());
        views->show();
        QVERIFY(editor.isVisible());
        views.reset();
        QVERIFY(editor.isWindow());
        QVERIFY(editor.isHidden());
        QCOMPARE(editor.overlay->parentWidget(), &editor);
    }
};

QTEST_MAIN(TestOutputViews)
#include "test_outputviews.moc"
