// A test window with a page much taller than itself: rows of distinct noise in a
// scroll area, optionally with a header and a footer that stay put. Long captures are
// checked against the page it writes with --write.
//
//   kv_long_page [--rows N] [--width N] [--view N] [--header N] [--footer N]
//                [--at X,Y] [--static] [--native] [--write FILE]
//
// Once its window is on the screen it prints "selection X Y W H" (the page's part of
// the screen: header, view and footer, without the scroll bar), "window ID" and
// "scrollbar W" (the scroll bar's width right of the view; 0 with --static).
#include <QApplication>
#include <QCommandLineParser>
#include <QPaintEvent>
#include <QPainter>
#include <QRandomGenerator>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>
#include <cstdio>

namespace {

// Every row its own noise, the same in every run.
QImage noise(int width, int rows, quint32 seed) {
    QImage img(width, rows, QImage::Format_RGB32);
    for (int y = 0; y < rows; ++y) {
        QRandomGenerator rng(seed * 100003u + quint32(y));
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < width; ++x)
            line[x] = rng.generate() | 0xff000000u;
    }
    return img;
}

class Picture : public QWidget {
public:
    explicit Picture(const QImage& img) : img_(img) {
        setFixedSize(img.size());
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent* e) override {
        QPainter(this).drawImage(e->rect().topLeft(), img_, e->rect());
    }

private:
    QImage img_;
};

QImage stacked(const QList<QImage>& parts, int width) {
    int h = 0;
    for (const QImage& p : parts)
        h += p.height();
    QImage out(width, h, QImage::Format_RGB32);
    QPainter painter(&out);
    int y = 0;
    for (const QImage& p : parts) {
        painter.drawImage(0, y, p);
        y += p.height();
    }
    return out;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QCommandLineParser cli;
    const QCommandLineOption rowsOpt("rows", "page rows", "N", "5000"),
        widthOpt("width", "width", "N", "600"), viewOpt("view", "view height", "N", "500"),
        headerOpt("header", "header rows", "N", "0"), footerOpt("footer", "footer rows", "N", "0"),
        atOpt("at", "window place", "X,Y", "100,80"), staticOpt("static", "no scrolling"),
        nativeOpt("native", "view as its own X window"),
        writeOpt("write", "write the page as PNG", "FILE");
    cli.addOptions(
        {rowsOpt, widthOpt, viewOpt, headerOpt, footerOpt, atOpt, staticOpt, nativeOpt, writeOpt});
    cli.process(app);
    const int width = cli.value(widthOpt).toInt(), view = cli.value(viewOpt).toInt();
    const bool still = cli.isSet(staticOpt);
    const QImage header = noise(width, cli.value(headerOpt).toInt(), 1);
    const QImage footer = noise(width, cli.value(footerOpt).toInt(), 3);
    const QImage content = noise(width, still ? view : cli.value(rowsOpt).toInt(), 2);
    if (cli.isSet(writeOpt) && !stacked({header, content, footer}, width).save(cli.value(writeOpt)))
        return 1;

    QWidget window;
    window.setWindowTitle("long page");
    auto* column = new QVBoxLayout(&window);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(new Picture(header), 0, Qt::AlignLeft);
    QWidget* viewport = nullptr;
    int scrollBarWidth = 0;
    if (still) {
        viewport = new Picture(content);
        column->addWidget(viewport, 0, Qt::AlignLeft);
    } else {
        auto* area = new QScrollArea;
        area->setFrameShape(QFrame::NoFrame);
        area->setWidget(new Picture(content));
        area->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        area->verticalScrollBar()->setSingleStep(40);
        area->setFixedSize(width + area->verticalScrollBar()->sizeHint().width(), view);
        column->addWidget(area, 0, Qt::AlignLeft);
        viewport = area->viewport();
        scrollBarWidth = area->verticalScrollBar()->sizeHint().width();
    }
    column->addWidget(new Picture(footer), 0, Qt::AlignLeft);
    if (cli.isSet(nativeOpt)) viewport->winId();
    const QStringList at = cli.value(atOpt).split(',');
    window.move(at.value(0).toInt(), at.value(1).toInt());
    window.show();

    // Tell where the page is once the window is on the screen and has settled.
    auto* poll = new QTimer(&window);
    QObject::connect(poll, &QTimer::timeout, [&, poll] {
        if (!window.windowHandle() || !window.windowHandle()->isExposed()) return;
        poll->stop();
        QTimer::singleShot(300, [&] {
            const QPoint top = viewport->mapToGlobal(QPoint(0, -header.height()));
            std::printf("selection %d %d %d %d\nwindow %llu\nscrollbar %d\n", top.x(), top.y(),
                        width, header.height() + view + footer.height(),
                        static_cast<unsigned long long>(window.winId()), scrollBarWidth);
            std::fflush(stdout);
        });
    });
    poll->start(20);
    return app.exec();
}
