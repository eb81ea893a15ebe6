// The colour preview's menu driven in-process: opened by a real right click, its
// texts for the start colour, copying read back from the X clipboard by another
// program, the recent colours that picks leave and choosing one, the palette export.
#include "app/colourmenu.h"
#include "app/frmmain.h"
#include "support/fakeclock.h"
#include "support/fakescreen.h"

#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

// The colour the screen shows everywhere at the start of each test.
const QRgb kStartColour = qRgb(0x3C, 0x8A, 0x5F);

// The clipboard as another program reads it, while this one keeps serving it.
QByteArray clipboardFromOutside() {
    QProcess xclip;
    xclip.start(QStringLiteral("xclip"), {"-selection", "clipboard", "-t", "UTF8_STRING", "-o"});
    if (!xclip.waitForStarted(5000)) return "(xclip did not start)";
    QElapsedTimer waited;
    waited.start();
    while (xclip.state() != QProcess::NotRunning && waited.elapsed() < 10000)
        QTest::qWait(10);
    return xclip.readAllStandardOutput();
}

// Waits for a modal window of type T and hands it to `act`.
template <typename T, typename F> void whenModal(F act) {
    auto* timer = new QTimer;
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        if (auto* w = qobject_cast<T*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            act(w);
        }
    });
    timer->start();
}

QStringList textsOf(const QMenu* menu) {
    QStringList texts;
    for (const QAction* a : menu->actions())
        texts << (a->isSeparator() ? QStringLiteral("---") : a->text());
    return texts;
}

QAction* actionNamed(const QMenu* menu, const QString& text) {
    for (QAction* a : menu->actions())
        if (a->text() == text) return a;
    return nullptr;
}

// Types a whole path into the dialog's name box, as a user may.
void typeName(QFileDialog* dialog, const QString& path) {
    auto* box = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    QVERIFY(box);
    box->setText(path);
}

void clickAction(QMenu* menu, QAction* action) {
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
}

} // namespace

class TestColourMenu : public QObject {
    Q_OBJECT

    kvtest::FixedClock clock;
    QRgb colour_ = kStartColour; // what every pixel of the screen reads
    kvtest::FakeScreen screen{QSize(1920, 1080), [this](QPoint, QPoint) { return colour_; }};
    std::unique_ptr<kv::FrmMain> w;

    kv::ColourPage& page() { return w->colourPage(); }
    kv::ColourMenu& colourMenu() { return *w->colourMenu(); }

    // A right click on the preview, through the window system's path.
    QMenu* rightClickPreview() {
        const QPoint at = page().PicCLR->mapTo(w.get(), page().PicCLR->rect().center());
        QTest::mouseClick(w->windowHandle(), Qt::RightButton, {}, at);
        QMenu* menu = colourMenu().menu();
        if (!QTest::qWaitFor([&] { return (menu = colourMenu().menu()) && menu->isVisible(); }))
            return nullptr;
        return menu;
    }

    void pickWithDropper(QRgb colour) {
        colour_ = colour;
        QTest::mousePress(page().Picture1, Qt::LeftButton);
        QTest::mouseRelease(page().Picture1, Qt::LeftButton);
    }

    QList<int> sliders() {
        return {page().HSLR->value(), page().HSLG->value(), page().HSLB->value()};
    }

private slots:
    void init() {
        colour_ = kStartColour;
        screen.pixelAt = [this](QPoint) { return std::optional<QRgb>(colour_); };
        kv::FrmMainServices s;
        s.clock = &clock;
        s.screen = &screen;
        s.programDir = QCoreApplication::applicationDirPath();
        w = std::make_unique<kv::FrmMain>(s);
        w->Form_Load();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        w->LblColr_Click();
        QVERIFY(w->colourMenu());
    }
    void cleanup() {
        if (QMenu* m = colourMenu().menu()) m->hide();
        w.reset();
    }

    void textsForTheStartColour() {
        QMenu* menu = rightClickPreview();
        QVERIFY(menu);
        QCOMPARE(textsOf(menu),
                 (QStringList{"hsl(210, 100%, 56%)", "hsv(210, 88%, 100%)",
                              "cmyk(88%, 44%, 0%, 0%)", "lab(58.36% 0.89 -64.78)",
                              "oklch(65.20% 0.1901 253.2)", "vec3(0.118, 0.565, 1.000)",
                              "rgb(30 144 255)", "---", "对比度 白 3.24:1 AA 大字 · 黑 6.49:1 AA",
                              "---", "最近颜色", "导出调色板…"}));
        // Nothing picked yet: no list to choose from or export.
        QVERIFY(!actionNamed(menu, "最近颜色")->isEnabled());
        QVERIFY(!actionNamed(menu, "导出调色板…")->isEnabled());
        // The six notations are untouched.
        QCOMPARE(page().TxtClrVal[0]->text(), QStringLiteral("#1E90FF"));
    }

    void copyPutsExactlyTheText_data() {
        QTest::addColumn<int>("index");
        for (int i = 0; i < 7; ++i)
            QTest::newRow(qPrintable(QString::number(i))) << i;
        QTest::newRow("contrast") << 8; // after the separator
    }
    void copyPutsExactlyTheText() {
        QFETCH(int, index);
        QApplication::clipboard()->setText(QStringLiteral("older"));
        QMenu* menu = rightClickPreview();
        QVERIFY(menu);
        QAction* action = menu->actions().at(index);
        const QString text = action->text();
        clickAction(menu, action);
        QTRY_VERIFY(!menu->isVisible());
        QCOMPARE(QString::fromUtf8(clipboardFromOutside()), text); // no line end
        QCOMPARE(w->LblHelp->text(), QStringLiteral("温馨提示：已复制 ") + text);
    }

    void picksAreRecentColoursAndOneCanBeChosen() {
        const QRgb background = qRgb(250, 250, 240), text = qRgb(20, 20, 20);
        pickWithDropper(background);
        pickWithDropper(text);
        // A slider move is no pick.
        page().HSLB->setValue(99);
        QCOMPARE(colourMenu().recent().colours(), (std::vector<QRgb>{text, background}));
        page().HSLB->setValue(20);

        QMenu* menu = rightClickPreview();
        QVERIFY(menu);
        QVERIFY(textsOf(menu).contains("对比度 上一颜色 #FAFAF0 17.54:1 AAA"));
        QAction* recentAction = actionNamed(menu, "最近颜色");
        QVERIFY(recentAction && recentAction->isEnabled());
        QMenu* list = recentAction->menu();
        QCOMPARE(textsOf(list), (QStringList{"#141414", "#FAFAF0"}));
        QCOMPARE(list->actions()[1]->icon().pixmap(8, 8).toImage().pixel(4, 4), background);

        clickAction(menu, recentAction);
        QTRY_VERIFY(list->isVisible());
        clickAction(list, list->actions()[1]);
        QTRY_VERIFY(!menu->isVisible());
        QCOMPARE(sliders(), (QList<int>{250, 250, 240}));
        QCOMPARE(page().TxtClrVal[0]->text(), QStringLiteral("#FAFAF0"));
        // Choosing does not reorder the list; the previous colour is now the text's.
        QCOMPARE(colourMenu().recent().colours(), (std::vector<QRgb>{text, background}));
        QCOMPARE(colourMenu().contrastTexts().value(1),
                 QStringLiteral("对比度 上一颜色 #141414 17.54:1 AAA"));
    }

    void dialogPickIsRecorded() {
        whenModal<QColorDialog>([](QColorDialog* d) {
            d->setCurrentColor(QColor(1, 2, 3));
            d->accept();
        });
        w->colourPage().LblColor_MouseDown(4, Qt::LeftButton);
        QCOMPARE(colourMenu().recent().colours(), (std::vector<QRgb>{qRgb(1, 2, 3)}));
    }

    void exportWritesThePalette() {
        pickWithDropper(qRgb(30, 144, 255));
        pickWithDropper(qRgb(0, 5, 16));
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("picked"));
        whenModal<QFileDialog>([path](QFileDialog* d) {
            typeName(d, path);
            QMetaObject::invokeMethod(d, "accept"); // as the save button does
        });
        colourMenu().ExportPalette();
        QFile file(path + QStringLiteral(".gpl")); // the type's extension added
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray text = file.readAll();
        QVERIFY(text.startsWith("GIMP Palette\n"));
        QVERIFY(text.endsWith("  0   5  16\t#000510\n 30 144 255\t#1E90FF\n"));
        QVERIFY(w->LblHelp->text().endsWith(path + QStringLiteral(".gpl")));
    }

    void exportFailureSaysWhyAndLosesNothing() {
        pickWithDropper(qRgb(30, 144, 255));
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("no such folder/最近颜色.gpl"));
        QString told;
        whenModal<QFileDialog>([path, &told](QFileDialog* d) {
            whenModal<QMessageBox>([&told](QMessageBox* box) {
                told = box->text();
                box->accept();
            });
            typeName(d, path);
            QMetaObject::invokeMethod(d, "accept"); // as the save button does
        });
        colourMenu().ExportPalette();
        QVERIFY2(told.contains(QStringLiteral("不存在")), qPrintable(told));
        QVERIFY(told.contains(QStringLiteral("最近颜色都还在")));
        QVERIFY(!QFileInfo::exists(path));
        QCOMPARE(colourMenu().recent().colours(), (std::vector<QRgb>{qRgb(30, 144, 255)}));
    }
};

QTEST_MAIN(TestColourMenu)
#include "test_colour_menu.moc"
