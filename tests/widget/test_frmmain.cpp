#include "app/frametexts.h"
#include "app/frmmain.h"

#include <QApplication>
#include <QClipboard>
#include <QMouseEvent>
#include <QTest>

namespace {

class FixedClock : public kv::Clock {
public:
    QDateTime now() const override { return QDateTime(QDate(2026, 3, 5), QTime(9, 7, 45)); }
};

QColor textColour(QWidget* w) {
    return w->palette().color(QPalette::WindowText);
}

} // namespace

class TestFrmMain : public QObject {
    Q_OBJECT

    FixedClock clock;
    std::unique_ptr<kv::ScreenReader> screen = kv::createScreenReader();
    std::unique_ptr<kv::FrmMain> w;

    QStringList notationTexts() const {
        QStringList t;
        for (auto* box : w->TxtClrVal)
            t << box->text();
        return t;
    }
    // Delivered straight to the widget, so the test does not race the X server's
    // own pointer events.
    void moveOver(QWidget* target, QPoint at = QPoint(2, 2)) {
        QMouseEvent move(QEvent::MouseMove, QPointF(at), QPointF(target->mapToGlobal(at)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(target, &move);
    }
    // A point of the bare window background (inside the status bar box, between labels).
    QPoint background() const { return QPoint(380, 452); }

private slots:
    void init() {
        kv::FrmMainServices s;
        s.clock = &clock;
        s.screen = screen.get();
        s.programDir = QCoreApplication::applicationDirPath();
        w = std::make_unique<kv::FrmMain>(s);
        w->Form_Load();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    }
    void cleanup() { w.reset(); }

    void startsOnCapturePage() {
        QCOMPARE(w->size(), QSize(561, 465));
        QCOMPARE(w->windowTitle(), QStringLiteral("Kolvane"));
        QVERIFY(w->PicMain->isVisible());
        QVERIFY(w->PicMain->picture().sameAs(w->ImgTmp[8]));
        QVERIFY(!w->ImgCLR->isVisible());
        QVERIFY(!w->HSLR->isVisible());
        QCOMPARE(w->LblHelp->text(), QStringLiteral("温馨提示：欢迎使用Kolvane。"));
        QCOMPARE(w->LblTime->text(), QStringLiteral("2026年03月05日  星期四  09:07:45"));
        QCOMPARE(w->weekdayName, QStringLiteral("星期四"));
        QCOMPARE(w->TxtClrVal[3]->text(), QStringLiteral("&H00FF901E&"));
        QVERIFY(w->Label5->text().startsWith(
            QStringLiteral("作者承接软件定做业务，价钱可议。\r\n\r\n")));
        QCOMPARE(w->refreshCount(), 0); // the design already shows the initial colour
    }

    void designedGeometry_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QRect>("rect");
        QTest::newRow("PicMain") << 0 << QRect(144, 152, 401, 257);
        QTest::newRow("ImgCLR") << 1 << QRect(146, 156, 187, 169);
        QTest::newRow("Picture1") << 2 << QRect(360, 208, 32, 32);
        QTest::newRow("ImgClose") << 3 << QRect(533, 1, 20, 20);
        QTest::newRow("PicCLR") << 4 << QRect(348, 272, 73, 61);
        QTest::newRow("banner after load") << 5 << QRect(1, 1, 559, 30);
        QTest::newRow("HSLR") << 6 << QRect(192, 344, 145, 17);
    }
    void designedGeometry() {
        QFETCH(int, index);
        QFETCH(QRect, rect);
        QWidget* widgets[] = {w->PicMain, w->ImgCLR,    w->Picture1, w->ImgClose,
                              w->PicCLR,  w->ImgBanner, w->HSLR};
        QCOMPARE(widgets[index]->geometry(), rect);
    }

    void pageSwitchKeepsValues() {
        w->ShowColourPage();
        QVERIFY(w->ImgCLR->isVisible() && w->HSLB->isVisible() && !w->PicMain->isVisible());
        w->SetCurrentColour(255, 5, 16);
        const QStringList before = notationTexts();
        QCOMPARE(before.first(), QStringLiteral("#FF0510"));
        for (int i = 0; i < 3; ++i) {
            w->LblTrim_Click();
            w->ShowColourPage();
        }
        QCOMPARE(notationTexts(), before);
        QCOMPARE(w->HSLR->value(), 255);
        QCOMPARE(w->HSLG->value(), 5);
        QCOMPARE(w->HSLB->value(), 16);
        QCOMPARE(w->LblG->text(), QStringLiteral("绿 5"));
    }

    void refreshOncePerChangedChannel_data() {
        QTest::addColumn<QList<int>>("colour");
        QTest::addColumn<int>("refreshes");
        QTest::newRow("unchanged") << QList<int>{30, 144, 255} << 0;
        QTest::newRow("green only") << QList<int>{30, 200, 255} << 1;
        QTest::newRow("red and blue") << QList<int>{0, 144, 0} << 2;
        QTest::newRow("all three") << QList<int>{1, 2, 3} << 3;
    }
    void refreshOncePerChangedChannel() {
        QFETCH(QList<int>, colour);
        QFETCH(int, refreshes);
        w->ShowColourPage();
        const int before = w->refreshCount();
        w->SetCurrentColour(colour[0], colour[1], colour[2]);
        QCOMPARE(w->refreshCount() - before, refreshes);
        QCOMPARE(w->TxtClrVal[2]->text(),
                 QStringLiteral("RGB(%1,%2,%3)").arg(colour[0]).arg(colour[1]).arg(colour[2]));
        QCOMPARE(w->PicCLR->background(), QColor(colour[0], colour[1], colour[2]));
    }

    void sliderChangeMovesFocusToPreview() {
        w->ShowColourPage();
        w->HSLB->setFocus();
        w->HSLB->setValue(254);
        QCOMPARE(w->LblB->text(), QStringLiteral("蓝 254"));
        QVERIFY(w->PicCLR->hasFocus());
        // At the top of the range a step right changes nothing and refreshes nothing.
        w->HSLB->setValue(255);
        const int before = w->refreshCount();
        w->HSLB->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(w->HSLB->value(), 255);
        QCOMPARE(w->refreshCount(), before);
    }

    void doubleClickCopiesExactText() {
        w->ShowColourPage();
        QGuiApplication::clipboard()->setText(QStringLiteral("old"));
        QTest::mouseDClick(w->TxtClrVal[2], Qt::LeftButton);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("RGB(30,144,255)"));
        QCOMPARE(w->TxtClrVal[2]->selectedText(), QStringLiteral("RGB(30,144,255)"));
        // Typed text is copied as it stands.
        w->TxtClrVal[0]->setText(QStringLiteral("hello"));
        QTest::mouseDClick(w->TxtClrVal[0], Qt::LeftButton);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("hello"));
    }

    void hoverHighlightAndReset() {
        w->ShowColourPage();
        moveOver(w->TxtClrVal[1]);
        moveOver(w->TxtClrVal[4]);
        QCOMPARE(w->LblHelp->text(), kv::frametexts::CopyTip());
        for (int i = 0; i < 6; ++i)
            QCOMPARE(w->TxtClrVal[i]->palette().color(QPalette::Text),
                     i == 4 ? QColor(255, 0, 0) : QColor(30, 144, 255));
        moveOver(w->ImgMin);
        QVERIFY(w->ImgMin->picture().sameAs(w->ImgTmp[1]));
        moveOver(w->LblColr);
        QVERIFY(w->LblColr->font().underline());

        moveOver(w.get(), background());
        QVERIFY(w->ImgMin->picture().sameAs(w->ImgTmp[0]));
        QVERIFY(!w->LblColr->font().underline());
        QCOMPARE(w->LblHelp->text(), kv::frametexts::WelcomeTip());
        for (auto* box : w->TxtClrVal)
            QCOMPARE(box->palette().color(QPalette::Text), QColor(30, 144, 255));
    }

    void linkHoverAndReset() {
        // Before any hover, background moves leave the links in their design colour.
        moveOver(w.get(), background());
        QCOMPARE(textColour(w->LblWeb[2]), QColor(0x66, 0x66, 0xFF));

        moveOver(w->LblWeb[1]);
        QCOMPARE(textColour(w->LblWeb[1]), QColor(0xFF, 0x00, 0xFF));
        QVERIFY(w->LblWeb[1]->font().underline());
        QCOMPARE(w->LblHelp->text(), kv::frametexts::WelcomeTip()); // the studio link writes no tip
        moveOver(w->LblColor[6]);
        QCOMPARE(w->LblHelp->text(), QStringLiteral("温馨提示：鼠标左键拖拽进行屏幕部分截图。"));
        QVERIFY(w->LblColor[6]->font().underline());
        // Over a control without hover handling nothing is restored.
        moveOver(w->PicMain);
        QVERIFY(w->LblColor[6]->font().underline());
        QCOMPARE(w->LblHelp->text(), QStringLiteral("温馨提示：鼠标左键拖拽进行屏幕部分截图。"));

        moveOver(w.get(), background());
        QVERIFY(w->linkHover);
        QVERIFY(!w->LblColor[6]->font().underline());
        QVERIFY(!w->LblWeb[1]->font().underline());
        for (auto* l : w->LblWeb)
            QCOMPARE(textColour(l), QColor(0x80, 0x80, 0xFF));
    }

    void rightButtonOnBannerDoesNotMove() {
        const QPoint before = w->pos();
        QTest::mousePress(w->ImgBanner, Qt::RightButton, {}, QPoint(100, 10));
        QTest::mouseMove(w->ImgBanner, QPoint(200, 20));
        QTest::mouseRelease(w->ImgBanner, Qt::RightButton, {}, QPoint(200, 20));
        QTest::qWait(100);
        QCOMPARE(w->pos(), before);
    }

    void maximiseIsInert() {
        moveOver(w->ImgMax);
        QTest::mouseClick(w->ImgMax, Qt::LeftButton);
        QVERIFY(w->ImgMax->picture().sameAs(w->ImgTmp[2]));
        QVERIFY(!w->isMaximized() && !w->isMinimized());
    }

    void commandLabelsSwitchPages() {
        QTest::mouseClick(w->LblColr, Qt::LeftButton);
        QVERIFY(w->colourPageShown());
        QTest::mouseClick(w->LblTrim, Qt::LeftButton);
        QVERIFY(!w->colourPageShown());
        QTest::mousePress(w->LblColor[2], Qt::LeftButton); // colour commands act on the press
        QVERIFY(w->colourPageShown());
        QTest::mouseRelease(w->LblColor[2], Qt::LeftButton);
    }
};

QTEST_MAIN(TestFrmMain)
#include "test_frmmain.moc"
