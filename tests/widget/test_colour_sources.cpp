// The main window's colour sources driven in-process: dropper press, drag and
// release, the palettes and the colour dialog, the hue and saturation sliders.
#include "app/frmmain.h"
#include "support/fakeclock.h"
#include "support/fakescreen.h"

#include <QApplication>
#include <QColorDialog>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>

namespace {

void send(QWidget* target, QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held) {
    const QPointF at(5, 5);
    QMouseEvent e(type, at, target->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(target, &e);
}
void press(QWidget* w, Qt::MouseButton b) {
    send(w, QEvent::MouseButtonPress, b, b);
}
void release(QWidget* w, Qt::MouseButton b) {
    send(w, QEvent::MouseButtonRelease, b, {});
}
void moveWith(QWidget* w, Qt::MouseButtons held) {
    send(w, QEvent::MouseMove, Qt::NoButton, held);
}

QList<int> rgbOf(kv::FrmMain& w) {
    return {w.colourPage().HSLR->value(), w.colourPage().HSLG->value(),
            w.colourPage().HSLB->value()};
}

// Moves the real pointer, so that the next sample is at a new point.
void nudgePointer() {
    static int step = 0;
    QCursor::setPos(600 + (++step % 50), 600);
    QCoreApplication::processEvents();
}

int worstDifference(const QImage& a, const QImage& b) {
    int worst = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            worst = std::max({worst, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                              std::abs(qBlue(p) - qBlue(q))});
        }
    return worst;
}

} // namespace

class TestColourSources : public QObject {
    Q_OBJECT

    kvtest::FixedClock clock;
    // The screen shows one colour everywhere, or nothing readable.
    kvtest::FakeScreen screen;
    std::optional<QRgb> colour;
    std::unique_ptr<kv::FrmMain> w;
    int refreshes_ = 0; // runs of RefreshColourPanel since the window was made
    int refreshCount() const { return refreshes_; }

private slots:
    void init() {
        screen = kvtest::FakeScreen();
        colour = qRgb(0x3C, 0x8A, 0x5F);
        screen.pixelAt = [this](QPoint) { return colour; };
        screen.readsRectangles = false;
        kv::FrmMainServices s;
        s.clock = &clock;
        s.screen = &screen;
        s.programDir = QCoreApplication::applicationDirPath();
        w = std::make_unique<kv::FrmMain>(s);
        refreshes_ = 0;
        connect(&w->colourPage(), &kv::ColourPage::panelRefreshed, this, [this] { ++refreshes_; });
        w->Form_Load();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        nudgePointer();
    }
    void cleanup() {
        w.reset();
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
    }

    void storedPictures() {
        QCOMPARE(w->ImgTmp[kv::StoredPicture::Wheel].size(), QSize(187, 169));
        QCOMPARE(w->ImgTmp[kv::StoredPicture::WebPalette].size(), QSize(189, 174));
        QCOMPARE(w->ImgTmp[kv::StoredPicture::ComputerPalette].size(), QSize(188, 172));
        QCOMPARE(w->ImgTmp[kv::StoredPicture::GradientPalette].size(), QSize(188, 173));
        QVERIFY(w->colourPage().ImgCLR->picture().sameAs(w->ImgTmp[kv::StoredPicture::Wheel]));
        QCOMPARE(w->ImgTmp[kv::StoredPicture::Wheel].image().pixel(177, 84),
                 qRgb(0xD0, 0x74, 0x17));
    }

    void dropperPressDragRelease() {
        w->LblColr_Click();
        press(w->colourPage().Picture1, Qt::LeftButton);
        QVERIFY(w->colourPage().picking());
        QVERIFY(w->colourPage().Picture1->picture().isNull()); // the dropper travels as the pointer
        QVERIFY(QGuiApplication::overrideCursor());
        QCOMPARE(rgbOf(*w), (QList<int>{0x3C, 0x8A, 0x5F}));

        colour = qRgb(1, 2, 3);
        nudgePointer();
        moveWith(w->colourPage().Picture1, Qt::LeftButton);
        QCOMPARE(rgbOf(*w), (QList<int>{1, 2, 3}));

        release(w->colourPage().Picture1, Qt::LeftButton);
        QVERIFY(!w->colourPage().picking());
        QVERIFY(w->colourPage().Picture1->picture().sameAs(w->ImgTmp[kv::StoredPicture::Dropper]));
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);

        // After the release moves take no sample.
        colour = qRgb(9, 9, 9);
        nudgePointer();
        moveWith(w->colourPage().Picture1, Qt::LeftButton);
        QCOMPARE(rgbOf(*w), (QList<int>{1, 2, 3}));
    }

    void dropperMoveButtons_data() {
        QTest::addColumn<int>("held");
        QTest::addColumn<bool>("samples");
        QTest::newRow("left") << int(Qt::LeftButton) << true;
        QTest::newRow("right") << int(Qt::RightButton) << false;
        QTest::newRow("left and right") << int(Qt::LeftButton | Qt::RightButton) << false;
        QTest::newRow("middle") << int(Qt::MiddleButton) << false;
        QTest::newRow("none") << 0 << false;
    }

    void dropperMoveButtons() {
        QFETCH(int, held);
        QFETCH(bool, samples);
        w->LblColr_Click();
        press(w->colourPage().Picture1, Qt::RightButton); // any button starts a pick
        QCOMPARE(rgbOf(*w), (QList<int>{0x3C, 0x8A, 0x5F}));
        colour = qRgb(200, 100, 50);
        nudgePointer();
        moveWith(w->colourPage().Picture1, Qt::MouseButtons(held));
        QCOMPARE(rgbOf(*w) == (QList<int>{200, 100, 50}), samples);
        release(w->colourPage().Picture1, Qt::RightButton);
        QVERIFY(!w->colourPage().picking());
    }

    void unreadablePixelLeavesTheColour() {
        w->LblColr_Click();
        colour.reset();
        const int refreshes = refreshCount();
        press(w->colourPage().Picture1, Qt::LeftButton);
        release(w->colourPage().Picture1, Qt::LeftButton);
        QCOMPARE(rgbOf(*w), (QList<int>{30, 144, 255}));
        QCOMPARE(refreshCount(), refreshes);
    }

    void wheelBoxPicksAndKeepsTheFlag() {
        w->LblColr_Click();
        press(w->colourPage().ImgCLR, Qt::LeftButton);
        QCOMPARE(rgbOf(*w), (QList<int>{0x3C, 0x8A, 0x5F}));
        colour = qRgb(7, 8, 9);
        nudgePointer();
        moveWith(w->colourPage().ImgCLR, Qt::LeftButton);
        QCOMPARE(rgbOf(*w), (QList<int>{7, 8, 9}));
        release(w->colourPage().ImgCLR, Qt::LeftButton);
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
        QVERIFY(w->colourPage().picking()); // only the dropper's release ends a pick
        press(w->colourPage().Picture1, Qt::LeftButton);
        release(w->colourPage().Picture1, Qt::LeftButton);
        QVERIFY(!w->colourPage().picking());
    }

    void palettesFromTheCapturePage_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("stored");
        using kv::Command, kv::StoredPicture;
        QTest::newRow("web") << int(Command::WebPalette) << int(StoredPicture::WebPalette);
        QTest::newRow("computer") << int(Command::ComputerPalette)
                                  << int(StoredPicture::ComputerPalette);
        QTest::newRow("gradient") << int(Command::GradientPalette)
                                  << int(StoredPicture::GradientPalette);
    }

    void palettesFromTheCapturePage() {
        QFETCH(int, index);
        QFETCH(int, stored);
        QVERIFY(!w->colourPage().ImgCLR->isVisible());
        w->colourPage().LblColor_MouseDown(index, Qt::RightButton);
        QVERIFY(w->colourPage().ImgCLR->isVisible());
        QVERIFY(w->colourPage().Picture1->isVisible());
        QVERIFY(w->colourPage().HSLR->isVisible());
        QVERIFY(w->colourPage().ImgCLR->picture().sameAs(w->ImgTmp[stored]));
        QVERIFY(!w->colourPage().wheel.built()); // the palettes do not build the wheel buffers
    }

    void saturationGreyAndBack() {
        w->LblColr_Click();
        const QImage original = w->ImgTmp[kv::StoredPicture::Wheel].image().copy();
        const QList<int> colour = rgbOf(*w);
        const int refreshes = refreshCount();
        w->colourPage().HSLF->setValue(0);
        QCOMPARE(w->colourPage().LblFull->text(), QStringLiteral("饱和度:    0"));
        const QImage grey = w->ImgTmp[kv::StoredPicture::Wheel].image();
        for (int y = 0; y < grey.height(); y += 3)
            for (int x = 0; x < grey.width(); x += 3) {
                const QRgb p = grey.pixel(x, y);
                QVERIFY(qRed(p) == qGreen(p) && qGreen(p) == qBlue(p));
            }
        w->colourPage().HSLF->setValue(128);
        QCOMPARE(w->colourPage().LblFull->text(), QStringLiteral("饱和度:    128"));
        QVERIFY(worstDifference(w->ImgTmp[kv::StoredPicture::Wheel].image(), original) <= 2);
        // The current colour is not theirs to change.
        QCOMPARE(rgbOf(*w), colour);
        QCOMPARE(refreshCount(), refreshes);
        QVERIFY(w->colourPage().PicCLR->hasFocus() || !w->isActiveWindow());
    }

    void hueCaptionsAndAxes() {
        w->LblColr_Click();
        w->colourPage().HSLL->setValue(0);
        QCOMPARE(w->colourPage().LblLight->text(), QStringLiteral("色调:      -128"));
        QCOMPARE(w->colourPage().wheel.factors.vFactor, 0.0f);
        w->colourPage().HSLL->setValue(256);
        QCOMPARE(w->colourPage().LblLight->text(), QStringLiteral("色调:      128"));
        QCOMPARE(w->colourPage().wheel.factors.uFactor, 0.0f);
        QCOMPARE(w->colourPage().wheel.factors.vFactor, 1.0f);
        // Blue equals luma once U is gone.
        const QImage img = w->ImgTmp[kv::StoredPicture::Wheel].image();
        const QRgb corner = img.pixel(177, 84);
        QCOMPARE(qBlue(corner), int(w->colourPage().wheel.wheelYuv[(84 * 187 + 177) * 4 + 2]));
    }

    void sliderBringsTheWheelBackOverAPalette() {
        w->LblColr_Click();
        w->colourPage().LblColor_MouseDown(kv::Command::ComputerPalette, Qt::LeftButton);
        const QImage palette = w->ImgTmp[kv::StoredPicture::ComputerPalette].image().copy();
        w->colourPage().HSLF->setValue(64);
        QVERIFY(w->colourPage().ImgCLR->picture().sameAs(w->ImgTmp[kv::StoredPicture::Wheel]));
        QCOMPARE(w->ImgTmp[kv::StoredPicture::ComputerPalette].image(), palette);
    }

    void sliderBeforeTheWheelWasBuilt() {
        w->colourPage().LblColor_MouseDown(kv::Command::WebPalette, Qt::LeftButton);
        QVERIFY(!w->colourPage().wheel.built());
        w->colourPage().HSLL->setValue(100);
        QVERIFY(w->colourPage().wheel.built());
        QVERIFY(w->colourPage().ImgCLR->picture().sameAs(w->ImgTmp[kv::StoredPicture::Wheel]));
        QCOMPARE(w->colourPage().LblLight->text(), QStringLiteral("色调:      -28"));
    }

    void rebuildTakesTheAdjustedWheelAsBase() {
        w->LblColr_Click();
        w->colourPage().HSLF->setValue(0);
        w->LblColr_Click();
        QCOMPARE(w->colourPage().wheel.factors.saturationFactor, 1.0f);
        QCOMPARE(w->colourPage().HSLF->value(), 0); // the slider keeps its place
        // The grey wheel is the base now: moving the slider cannot bring colour back.
        w->colourPage().HSLF->setValue(256);
        const QRgb p = w->ImgTmp[kv::StoredPicture::Wheel].image().pixel(177, 84);
        QVERIFY(qRed(p) == qGreen(p) && qGreen(p) == qBlue(p));
    }

    void colourDialog_data() {
        QTest::addColumn<bool>("accept");
        QTest::addColumn<QColor>("choice");
        QTest::addColumn<QList<int>>("result");
        QTest::newRow("black") << true << QColor(0, 0, 0) << QList<int>{0, 0, 0};
        QTest::newRow("odd") << true << QColor(255, 5, 16) << QList<int>{255, 5, 16};
        QTest::newRow("cancelled") << false << QColor(0, 0, 0) << QList<int>{30, 144, 255};
    }

    void colourDialog() {
        QFETCH(bool, accept);
        QFETCH(QColor, choice);
        QFETCH(QList<int>, result);
        bool seen = false;
        auto* poll = new QTimer(w.get());
        connect(poll, &QTimer::timeout, w.get(), [&] {
            auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
            if (!dialog) return;
            poll->stop();
            seen = true;
            QCOMPARE(dialog->currentColor(), QColor(30, 144, 255));
            QVERIFY(dialog->testOption(QColorDialog::DontUseNativeDialog));
            dialog->setCurrentColor(choice);
            accept ? dialog->accept() : dialog->reject();
        });
        poll->start(20);
        w->colourPage().LblColor_MouseDown(kv::Command::ColourDialog, Qt::LeftButton);
        QVERIFY(seen);
        QVERIFY(w->colourPage().ImgCLR->isVisible());
        QCOMPARE(rgbOf(*w), result);
        const QString html = QColor(result[0], result[1], result[2]).name().toUpper();
        QCOMPARE(w->colourPage().TxtClrVal[kv::Notation::Html]->text(), html);
    }
};

QTEST_MAIN(TestColourSources)
#include "test_colour_sources.moc"
