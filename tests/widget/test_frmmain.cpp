#include "app/frameartwork.h"
#include "app/frametexts.h"
#include "app/frmmain.h"
#include "platform/screenreaderfactory.h"
#include "support/fakeclock.h"
#include "support/mouse.h"

#include <QApplication>
#include <QClipboard>
#include <QMouseEvent>
#include <QTest>
#include <QThreadPool>

#include <mutex>
#include <sched.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

QColor textColour(QWidget* w) {
    return w->palette().color(QPalette::WindowText);
}

// Whether a label, as it is drawn on screen, shows a line under its text: some row of
// ink running across nearly the whole width of the text. Glyphs alone never do, as
// characters stand apart.
bool showsUnderline(QLabel* label) {
    const QImage image = label->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QHash<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ++counts[image.pixel(x, y)];
    QRgb back = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() > counts.value(back)) back = it.key();
    auto ink = [&](int x, int y) {
        const QRgb p = image.pixel(x, y);
        return std::abs(qRed(p) - qRed(back)) + std::abs(qGreen(p) - qGreen(back)) +
                   std::abs(qBlue(p) - qBlue(back)) >
               120;
    };
    int left = image.width(), right = -1, longest = 0;
    for (int y = 0; y < image.height(); ++y) {
        int run = 0;
        for (int x = 0; x < image.width(); ++x) {
            run = ink(x, y) ? run + 1 : 0;
            longest = std::max(longest, run);
            if (ink(x, y)) left = std::min(left, x), right = std::max(right, x);
        }
    }
    return right >= left && longest >= (right - left + 1) * 9 / 10;
}

} // namespace

class TestFrmMain : public QObject {
    Q_OBJECT

    kvtest::FixedClock clock;
    std::unique_ptr<kv::ScreenReader> screen = kv::createScreenReader();
    std::unique_ptr<kv::FrmMain> w;
    int refreshes_ = 0; // runs of RefreshColourPanel since the window was made
    int refreshCount() const { return refreshes_; }

    QStringList notationTexts() const {
        QStringList t;
        for (auto* box : w->colourPage().TxtClrVal)
            t << box->text();
        return t;
    }
    void moveOver(QWidget* target, QPoint at = QPoint(2, 2)) { kvtest::sendMove(target, at); }
    // A point of the bare window background (inside the status bar box, between labels).
    QPoint background() const { return QPoint(380, 452); }

private slots:
    void initTestCase() {
        // The face the program itself uses, so that sizes and fits are the real ones.
        QFont ui(QStringLiteral("WenQuanYi Micro Hei"));
        ui.setPointSize(9);
        QApplication::setFont(ui);
    }
    void init() {
        kv::FrmMainServices s;
        s.clock = &clock;
        s.screen = screen.get();
        s.programDir = QCoreApplication::applicationDirPath();
        w = std::make_unique<kv::FrmMain>(s);
        refreshes_ = 0;
        connect(&w->colourPage(), &kv::ColourPage::panelRefreshed, this, [this] { ++refreshes_; });
        w->Form_Load();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    }
    void cleanup() { w.reset(); }

    void startsOnCapturePage() {
        QCOMPARE(w->size(), QSize(561, 465));
        QCOMPARE(w->windowTitle(), QStringLiteral("Kolvane"));
        QVERIFY(w->capturePage().PicMain->isVisible());
        QVERIFY(
            w->capturePage().PicMain->picture().sameAs(w->ImgTmp[kv::StoredPicture::CaptureRest]));
        QVERIFY(!w->colourPage().ImgCLR->isVisible());
        QVERIFY(!w->colourPage().HSLR->isVisible());
        QCOMPARE(w->LblHelp->text(), QStringLiteral("温馨提示：欢迎使用Kolvane。"));
        QCOMPARE(w->LblTime->text(), QStringLiteral("2026年03月05日  星期四  09:07:45"));
        QCOMPARE(w->weekdayName, QStringLiteral("星期四"));
        QCOMPARE(w->colourPage().TxtClrVal[kv::Notation::Vb]->text(),
                 QStringLiteral("&H00FF901E&"));
        QVERIFY(w->colourPage().Label5->text().startsWith(
            QStringLiteral("作者承接软件定做业务，价钱可议。\r\n\r\n")));
        QCOMPARE(refreshCount(), 0); // the design already shows the initial colour
    }

    // The pictures drawn on a worker at start are the window's own, at every scale:
    // the banner among them has the size of its strip (else it is drawn again), and the
    // window looks as it does when it draws everything itself.
    void artworkDrawnAhead_data() {
        QTest::addColumn<double>("scale");
        QTest::newRow("1") << 1.0;
        QTest::newRow("1.5") << 1.5;
        QTest::newRow("2") << 2.0;
    }
    void artworkDrawnAhead() {
        QFETCH(double, scale);
        kv::FrmMainServices s;
        s.clock = &clock;
        s.screen = screen.get();
        s.programDir = QCoreApplication::applicationDirPath();
        s.scale = kv::UiScale(scale);
        kv::FrmMain itself(s);
        itself.Form_Load();
        itself.finishFirstFrame(); // as a first show would
        kv::FrameArtworkDrawing drawing(s.scale);
        const kv::FrameArtwork ahead = kv::DrawFrameArtwork(s.scale);
        s.artwork = &drawing;
        kv::FrmMain given(s);
        given.Form_Load();
        given.finishFirstFrame();
        QCOMPARE(given.ImgBanner->size(), kv::BannerSize(s.scale));
        QCOMPARE(given.ImgBanner->picture().image(), ahead.banner);
        QCOMPARE(given.grab().toImage(), itself.grab().toImage());
    }

    // Qt's shared pool starts its threads from whichever thread first needs one,
    // and a thread keeps the priority it was started with. The pictures' worker
    // paints, so the pool's threads it starts (which later encode the clipboard's
    // pictures) must come out at the program's own priority.
    void artworkWorkerLeavesThePoolAtNormalPriority() {
        QThreadPool* pool = QThreadPool::globalInstance();
        const int keep = pool->expiryTimeout();
        pool->setExpiryTimeout(0); // the threads there are now end
        pool->waitForDone();
        QTest::qWait(50);
        pool->setExpiryTimeout(keep);
        kv::FrameArtworkDrawing drawing(kv::UiScale(2.0));
        drawing.take();
        const auto priority = [] {
            return std::pair(sched_getscheduler(0),
                             getpriority(PRIO_PROCESS, static_cast<id_t>(gettid())));
        };
        const auto mine = priority();
        std::mutex m;
        QList<std::pair<int, int>> seen;
        for (int i = 0; i < 64; ++i)
            pool->start([&] {
                QThread::msleep(2);
                std::lock_guard lock(m);
                seen << priority();
            });
        pool->waitForDone();
        for (const auto& p : seen)
            QCOMPARE(p, mine);
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
        QWidget* widgets[] = {
            w->capturePage().PicMain, w->colourPage().ImgCLR, w->colourPage().Picture1, w->ImgClose,
            w->colourPage().PicCLR,   w->ImgBanner,           w->colourPage().HSLR};
        QCOMPARE(widgets[index]->geometry(), rect);
    }

    void pageSwitchKeepsValues() {
        w->ShowColourPage();
        QVERIFY(w->colourPage().ImgCLR->isVisible() && w->colourPage().HSLB->isVisible() &&
                !w->capturePage().PicMain->isVisible());
        w->colourPage().SetCurrentColour(255, 5, 16);
        const QStringList before = notationTexts();
        QCOMPARE(before.first(), QStringLiteral("#FF0510"));
        for (int i = 0; i < 3; ++i) {
            w->LblTrim_Click();
            w->ShowColourPage();
        }
        QCOMPARE(notationTexts(), before);
        QCOMPARE(w->colourPage().HSLR->value(), 255);
        QCOMPARE(w->colourPage().HSLG->value(), 5);
        QCOMPARE(w->colourPage().HSLB->value(), 16);
        QCOMPARE(w->colourPage().LblG->text(), QStringLiteral("绿 5"));
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
        const int before = refreshCount();
        w->colourPage().SetCurrentColour(colour[0], colour[1], colour[2]);
        QCOMPARE(refreshCount() - before, refreshes);
        QCOMPARE(w->colourPage().TxtClrVal[kv::Notation::RgbCall]->text(),
                 QStringLiteral("RGB(%1,%2,%3)").arg(colour[0]).arg(colour[1]).arg(colour[2]));
        QCOMPARE(w->colourPage().PicCLR->background(), QColor(colour[0], colour[1], colour[2]));
        for (auto* box : w->colourPage().TxtClrVal)
            QCOMPARE(box->cursorPosition(), 0); // each text shown from its start
    }

    void arrowKeysStepChannel_data() {
        QTest::addColumn<int>("channel");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("step");
        const char* names[3] = {"red", "green", "blue"};
        for (int c = 0; c < 3; ++c) {
            QTest::addRow("%s right", names[c]) << c << int(Qt::Key_Right) << 1;
            QTest::addRow("%s left", names[c]) << c << int(Qt::Key_Left) << -1;
        }
    }
    void arrowKeysStepChannel() {
        QFETCH(int, channel);
        QFETCH(int, key);
        QFETCH(int, step);
        w->ShowColourPage();
        w->colourPage().SetCurrentColour(100, 100, 100);
        QScrollBar* slider =
            std::array{w->colourPage().HSLR, w->colourPage().HSLG, w->colourPage().HSLB}[channel];
        slider->setFocus();
        QTest::keyClick(slider, Qt::Key(key));
        QCOMPARE(slider->value(), 100 + step);
        QCOMPARE(w->focusWidget(),
                 w->colourPage().PicCLR); // a second press no longer reaches the slider
    }

    void sliderChangeMovesFocusToPreview() {
        w->ShowColourPage();
        w->colourPage().HSLB->setFocus();
        w->colourPage().HSLB->setValue(254);
        QCOMPARE(w->colourPage().LblB->text(), QStringLiteral("蓝 254"));
        QVERIFY(w->colourPage().PicCLR->hasFocus());
        // At the top of the range a step right changes nothing and refreshes nothing.
        w->colourPage().HSLB->setValue(255);
        const int before = refreshCount();
        w->colourPage().HSLB->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(w->colourPage().HSLB->value(), 255);
        QCOMPARE(refreshCount(), before);
    }

    void doubleClickCopiesExactText() {
        w->ShowColourPage();
        QGuiApplication::clipboard()->setText(QStringLiteral("old"));
        QTest::mouseDClick(w->colourPage().TxtClrVal[kv::Notation::RgbCall], Qt::LeftButton);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("RGB(30,144,255)"));
        QCOMPARE(w->colourPage().TxtClrVal[kv::Notation::RgbCall]->selectedText(),
                 QStringLiteral("RGB(30,144,255)"));
        // Typed text is copied as it stands.
        w->colourPage().TxtClrVal[kv::Notation::Html]->setText(QStringLiteral("hello"));
        QTest::mouseDClick(w->colourPage().TxtClrVal[kv::Notation::Html], Qt::LeftButton);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("hello"));
    }

    void hoverHighlightAndReset() {
        w->ShowColourPage();
        moveOver(w->colourPage().TxtClrVal[kv::Notation::Decimal]);
        moveOver(w->colourPage().TxtClrVal[kv::Notation::Cpp]);
        QCOMPARE(w->LblHelp->text(), kv::frametexts::CopyTip());
        for (int i = 0; i < kv::Notation::Count; ++i)
            QCOMPARE(w->colourPage().TxtClrVal[i]->palette().color(QPalette::Text),
                     i == kv::Notation::Cpp ? QColor(255, 0, 0) : QColor(30, 144, 255));
        moveOver(w->ImgMin);
        QVERIFY(w->ImgMin->picture().sameAs(w->ImgTmp[kv::StoredPicture::ButtonHover]));
        moveOver(w->LblColr);
        QVERIFY(w->LblColr->font().underline());

        moveOver(w.get(), background());
        QVERIFY(w->ImgMin->picture().sameAs(w->ImgTmp[kv::StoredPicture::ButtonRest]));
        QVERIFY(!w->LblColr->font().underline());
        QCOMPARE(w->LblHelp->text(), kv::frametexts::WelcomeTip());
        for (auto* box : w->colourPage().TxtClrVal)
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
        moveOver(w->LblColor[kv::Command::RegionCapture]);
        QCOMPARE(w->LblHelp->text(), QStringLiteral("温馨提示：鼠标左键拖拽进行屏幕部分截图。"));
        QVERIFY(w->LblColor[kv::Command::RegionCapture]->font().underline());
        // Over a control without hover handling nothing is restored.
        moveOver(w->capturePage().PicMain);
        QVERIFY(w->LblColor[kv::Command::RegionCapture]->font().underline());
        QCOMPARE(w->LblHelp->text(), QStringLiteral("温馨提示：鼠标左键拖拽进行屏幕部分截图。"));

        moveOver(w.get(), background());
        QVERIFY(w->linkHover);
        QVERIFY(!w->LblColor[kv::Command::RegionCapture]->font().underline());
        QVERIFY(!w->LblWeb[1]->font().underline());
        for (auto* l : w->LblWeb)
            QCOMPARE(textColour(l), QColor(0x80, 0x80, 0xFF));
    }

    void hoveredLabelShowsUnderline_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("colour tab") << "LblColr";
        QTest::newRow("capture tab") << "LblTrim";
        for (int i = 0; i < kv::kCommandCount; ++i)
            QTest::addRow("command %d", i) << QStringLiteral("LblColor%1").arg(i);
        for (int i = 0; i < 4; ++i)
            QTest::addRow("link %d", i) << QStringLiteral("LblWeb%1").arg(i);
    }
    void hoveredLabelShowsUnderline() {
        QFETCH(QString, name);
        QLabel* label = name == "LblColr"             ? w->LblColr
                        : name == "LblTrim"           ? w->LblTrim
                        : name.startsWith("LblColor") ? w->LblColor[name.mid(8).toInt()]
                                                      : w->LblWeb[name.mid(6).toInt()];
        QVERIFY(!showsUnderline(label));
        moveOver(label);
        QVERIFY(label->font().underline());
        QVERIFY2(showsUnderline(label), "the underline is cut off by the label's height");
        moveOver(w.get(), background());
        QVERIFY(!showsUnderline(label));
    }

    void everyTipFitsTheTipLine_data() {
        QTest::addColumn<QString>("tip");
        for (int i = 0; i < kv::kCommandCount; ++i)
            QTest::addRow("command %d", i) << kv::frametexts::CommandTip(i);
        for (int i : {0, 2, 3})
            QTest::addRow("link %d", i) << kv::frametexts::LinkTip(i);
        QTest::newRow("copy") << kv::frametexts::CopyTip();
    }
    void everyTipFitsTheTipLine() {
        QFETCH(QString, tip);
        w->LblHelp->setText(tip);
        QVERIFY(w->LblHelp->sizeHint().width() <= w->LblHelp->width());
        QVERIFY(w->LblHelp->geometry().right() < w->width() - 1); // inside the border
    }

    void rightButtonOnBannerDoesNotMove() {
        const QPoint before = w->pos();
        QTest::mousePress(w->ImgBanner, Qt::RightButton, {}, QPoint(100, 10));
        QTest::mouseMove(w->ImgBanner, QPoint(200, 20));
        QTest::mouseRelease(w->ImgBanner, Qt::RightButton, {}, QPoint(200, 20));
        QTest::qWait(100);
        QCOMPARE(w->pos(), before);
    }

    void minimiseKeepsPressedPictureUntilBannerMove() {
        // Keep the real pointer off the window, so that no move of its own resets it.
        const QRect frame = w->frameGeometry();
        QCursor::setPos(frame.right() < 1800 ? QPoint(1900, 1000) : QPoint(5, 5));
        QTest::mouseClick(w->ImgMin, Qt::LeftButton);
        QVERIFY(w->isMinimized());
        w->showNormal();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        QVERIFY(w->ImgMin->picture().sameAs(w->ImgTmp[kv::StoredPicture::ButtonPressed]));
        moveOver(w->ImgBanner, QPoint(200, 10));
        QVERIFY(w->ImgMin->picture().sameAs(w->ImgTmp[kv::StoredPicture::ButtonRest]));
    }

    void maximiseIsInert() {
        moveOver(w->ImgMax);
        QTest::mouseClick(w->ImgMax, Qt::LeftButton);
        QVERIFY(w->ImgMax->picture().sameAs(w->ImgTmp[kv::StoredPicture::ButtonPressed]));
        QVERIFY(!w->isMaximized() && !w->isMinimized());
    }

    void commandLabelsSwitchPages() {
        QTest::mouseClick(w->LblColr, Qt::LeftButton);
        QVERIFY(w->colourPageShown());
        QTest::mouseClick(w->LblTrim, Qt::LeftButton);
        QVERIFY(!w->colourPageShown());
        QTest::mousePress(w->LblColor[kv::Command::ComputerPalette],
                          Qt::LeftButton); // colour commands act on the press
        QVERIFY(w->colourPageShown());
        QTest::mouseRelease(w->LblColor[kv::Command::ComputerPalette], Qt::LeftButton);
    }

    // The capture commands are the capture page's alone: clicking one leaves the colour
    // page unbuilt (a command handed over at start would otherwise build it first).
    void captureCommandsLeaveTheColourPageUnbuilt() {
        kv::FrmMainServices s;
        s.clock = &clock;
        s.screen = screen.get();
        s.programDir = QCoreApplication::applicationDirPath();
        kv::FrmMain unshown(s);
        unshown.Form_Load();
        kv::ClickableLabel* save = unshown.LblColor[kv::Command::SaveRegion];
        emit save->pressed(Qt::LeftButton, QPoint());
        emit save->clicked();
        QVERIFY(!unshown.colourPageBuilt());
        QVERIFY(unshown.capturePage().PicMain->isVisibleTo(&unshown));
        emit unshown.LblColor[kv::Command::Wheel]->pressed(Qt::LeftButton, QPoint());
        QVERIFY(unshown.colourPageBuilt());
        QVERIFY(unshown.colourPage().ImgCLR->isVisibleTo(&unshown));
    }
};

QTEST_MAIN(TestFrmMain)
#include "test_frmmain.moc"
