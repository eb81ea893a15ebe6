// The recognition benchmark's pictures: what a user selects on a real desktop.
#include "bench/ocrsamples.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

namespace kv::bench {
namespace {

const QString kSans = QStringLiteral("WenQuanYi Micro Hei");
const QString kMono = QStringLiteral("WenQuanYi Micro Hei Mono");

struct Theme {
    QColor ground, text, field, frame;
};
const Theme kLight{QColor(0xf3, 0xf3, 0xf3), QColor(0x20, 0x20, 0x20), Qt::white,
                   QColor(0xb0, 0xb0, 0xb0)};
const Theme kDark{QColor(0x2b, 0x2b, 0x2b), QColor(0xe0, 0xe0, 0xe0), QColor(0x1e, 0x1e, 0x1e),
                  QColor(0x55, 0x55, 0x55)};

// Draws text lines and remembers them, in the order they are drawn.
class Canvas {
public:
    Canvas(QSize size, QColor ground) : picture_(size, QImage::Format_RGB32) {
        picture_.fill(ground);
        painter_.begin(&picture_);
        painter_.setRenderHint(QPainter::TextAntialiasing);
    }
    void font(const QString& family, int px) {
        QFont f(family);
        f.setPixelSize(px);
        painter_.setFont(f);
    }
    void text(int x, int y, const QString& line, QColor colour, bool remember = true) {
        painter_.setPen(colour);
        painter_.drawText(QPoint(x, y), line);
        if (remember) lines_ << line;
    }
    void remember(const QString& line) { lines_ << line; }
    void box(const QRect& r, QColor fill, QColor frame) {
        painter_.setPen(frame);
        painter_.setBrush(fill);
        painter_.drawRect(r);
        painter_.setBrush(Qt::NoBrush);
    }
    OcrSample finish(const QString& name) {
        painter_.end();
        return {name, picture_, lines_.join(QLatin1Char('\n'))};
    }

private:
    QImage picture_;
    QPainter painter_;
    QStringList lines_;
};

OcrSample dialog(const QString& name, const Theme& t) {
    Canvas c({800, 600}, t.ground);
    c.font(kSans, 16);
    c.text(24, 36, QStringLiteral("首选项"), t.text);
    c.font(kSans, 14);
    c.text(24, 80, QStringLiteral("常规    截图    快捷键    关于"), t.text);
    const QStringList labels{QStringLiteral("保存位置："), QStringLiteral("文件名格式："),
                             QStringLiteral("图片格式："), QStringLiteral("延时（秒）：")};
    const QStringList values{QStringLiteral("/home/user/图片/截图"),
                             QStringLiteral("截图_%Y%m%d_%H%M%S"), QStringLiteral("PNG"),
                             QStringLiteral("3")};
    for (int i = 0; i < labels.size(); ++i) {
        const int y = 140 + i * 44;
        c.box({160, y - 20, 400, 28}, t.field, t.frame);
        c.text(40, y, labels[i] + QStringLiteral("  "), t.text, false);
        c.text(170, y, values[i], t.text, false);
        // One line as the user reads it: the label, then its value.
        c.remember(labels[i] + values[i]);
    }
    const QStringList checks{QStringLiteral("开机时自动启动"), QStringLiteral("截图后复制到剪贴板"),
                             QStringLiteral("关闭主窗口时最小化到系统托盘"),
                             QStringLiteral("播放快门声音")};
    for (int i = 0; i < checks.size(); ++i) {
        const int y = 340 + i * 34;
        c.box({40, y - 14, 14, 14}, t.field, t.frame);
        c.text(64, y, checks[i], t.text);
    }
    c.text(40, 500, QStringLiteral("提示：按 Esc 键可以随时取消截图。"), t.text);
    c.text(500, 560, QStringLiteral("确定    取消    应用"), t.text);
    return c.finish(name);
}

OcrSample mixed() {
    Canvas c({800, 600}, Qt::white);
    c.font(kSans, 15);
    const QStringList lines{
        QStringLiteral("Kolvane 是一个用 C++20 和 Qt 6 编写的取色与截图工具。"),
        QStringLiteral("它在 X11 和 Wayland 会话中都能运行，支持多显示器。"),
        QStringLiteral("文字识别使用 PaddleOCR 的 PP-OCRv4 模型，运行在 OpenCV 4.6 上。"),
        QStringLiteral("Press Ctrl+C to copy the selection, or Esc to cancel."),
        QStringLiteral("版本 1.1.0 发布于 2024 年 3 月 15 日，修复了 12 个问题。"),
        QStringLiteral("The quick brown fox jumps over the lazy dog."),
        QStringLiteral("下载地址：https://example.org/kolvane/releases"),
        QStringLiteral("内存占用约 45 MB，启动时间小于 200 ms。"),
    };
    for (int i = 0; i < lines.size(); ++i)
        c.text(30, 50 + i * 40, lines[i], Qt::black);
    return c.finish(QStringLiteral("mixed"));
}

OcrSample code() {
    Canvas c({800, 600}, QColor(0xfa, 0xfa, 0xfa));
    c.font(kMono, 14);
    const QStringList lines{
        QStringLiteral("#include <QImage>"),
        QStringLiteral("int main(int argc, char** argv) {"),
        QStringLiteral("    QImage picture(argv[1]);"),
        QStringLiteral("    if (picture.isNull()) return 1;"),
        QStringLiteral("    const auto lines = engine->recognise(picture);"),
        QStringLiteral("    for (const OcrLine& line : lines)"),
        QStringLiteral("        std::printf(\"%s\\n\", qPrintable(line.text));"),
        QStringLiteral("    return 0; // done"),
        QStringLiteral("}"),
    };
    for (int i = 0; i < lines.size(); ++i)
        c.text(20, 40 + i * 24, lines[i], QColor(0x1f, 0x29, 0x37));
    return c.finish(QStringLiteral("code"));
}

OcrSample terminal() {
    Canvas c({800, 600}, QColor(0x1e, 0x1e, 0x1e));
    c.font(kMono, 14);
    const QStringList lines{
        QStringLiteral("user@debian:~$ ls -la ~/Pictures"),
        QStringLiteral("total 2048"),
        QStringLiteral("drwxr-xr-x  2 user user    4096 Mar 15 10:24 ."),
        QStringLiteral("-rw-r--r--  1 user user  183520 Mar 15 10:22 screenshot.png"),
        QStringLiteral("user@debian:~$ sudo apt-get install tesseract-ocr"),
        QStringLiteral("Reading package lists... Done"),
        QStringLiteral("0 upgraded, 3 newly installed, 0 to remove."),
        QStringLiteral("user@debian:~$ echo $?"),
        QStringLiteral("0"),
    };
    for (int i = 0; i < lines.size(); ++i)
        c.text(12, 30 + i * 22, lines[i],
               i % 4 == 0 ? QColor(0x8a, 0xe2, 0x34) : QColor(0xd0, 0xd0, 0xd0));
    return c.finish(QStringLiteral("terminal"));
}

// Latin text in the fonts of an English desktop, where word spaces and the
// punctuation of versions, paths and code matter most.
OcrSample latin() {
    Canvas c({800, 600}, Qt::white);
    const QString sans = QStringLiteral("DejaVu Sans"), mono = QStringLiteral("DejaVu Sans Mono");
    const QList<std::pair<QString, int>> fonts{{sans, 12}, {sans, 14}, {sans, 16}, {mono, 14}};
    const QStringList lines{
        QStringLiteral("The quick brown fox jumps over the lazy dog."),
        QStringLiteral("Version 1.1.0 is installed in /usr/share/kolvane"),
        QStringLiteral("See https://example.org/kolvane/releases for details."),
        QStringLiteral("int main(int argc, char** argv) {"),
    };
    int y = 36;
    for (const auto& [family, px] : fonts) {
        c.font(family, px);
        for (const QString& line : lines) {
            c.text(24, y, line, QColor(0x20, 0x20, 0x20));
            y += px + 14;
        }
    }
    return c.finish(QStringLiteral("latin"));
}

// Chinese written in columns, top to bottom, the first column at the right, as
// on a poster or a book's page; each column is one line of the text.
OcrSample columns() {
    Canvas c({400, 300}, QColor(0xfb, 0xf8, 0xf0));
    c.font(kSans, 24);
    const QStringList columns{QStringLiteral("床前明月光"), QStringLiteral("疑是地上霜"),
                              QStringLiteral("举头望明月"), QStringLiteral("低头思故乡")};
    for (int i = 0; i < columns.size(); ++i) {
        for (int k = 0; k < columns[i].size(); ++k)
            c.text(330 - i * 44, 60 + k * 28, columns[i].mid(k, 1), QColor(0x20, 0x20, 0x20),
                   false);
        c.remember(columns[i]);
    }
    return c.finish(QStringLiteral("columns"));
}

// Lines that end in a full stop or comma, as a status line or a message shows
// them: the detector's box ends right at that last mark.
OcrSample sentences() {
    Canvas c({800, 600}, Qt::white);
    const QList<std::pair<QString, int>> fonts{
        {QStringLiteral("DejaVu Sans"), 12}, {kSans, 14}, {QStringLiteral("DejaVu Sans Mono"), 14}};
    const QStringList lines{
        QStringLiteral("Kolvane reads text."),  QStringLiteral("See the manual."),
        QStringLiteral("识别完成。"),           QStringLiteral("文件已保存，请重新启动。"),
        QStringLiteral("Press Esc to cancel."), QStringLiteral("设置已更改，"),
        QStringLiteral("Saved 3 files."),       QStringLiteral("确定要退出吗？"),
    };
    int y = 30;
    for (const auto& [family, px] : fonts) {
        c.font(family, px);
        for (const QString& line : lines) {
            c.text(24, y, line, QColor(0x20, 0x20, 0x20));
            y += px + 10;
        }
    }
    return c.finish(QStringLiteral("sentences"));
}

// One line selected closely, as a user selects a message to copy: the detector
// then scales the picture a little, and its box stopped short of the full stop.
OcrSample oneLine() {
    const QString line = QStringLiteral("Copied to the clipboard. See the manual.");
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(12);
    Canvas c({QFontMetrics(font).horizontalAdvance(line) + 32, 36}, Qt::white);
    c.font(font.family(), 12);
    c.text(16, 24, line, QColor(0x20, 0x20, 0x20));
    return c.finish(QStringLiteral("one line"));
}

OcrSample smallText() {
    Canvas c({640, 240}, Qt::white);
    int y = 24;
    for (int px : {9, 10, 11}) {
        c.font(kSans, px);
        c.text(10, y, QStringLiteral("状态栏：已保存 3 个文件，共 1.2 MB"), Qt::black);
        c.text(10, y + px + 8, QStringLiteral("Status: saved 3 files, 1.2 MB in total"), Qt::black);
        y += 2 * px + 36;
    }
    return c.finish(QStringLiteral("small 9-11px"));
}

} // namespace

OcrSample page1080(); // ocrsamples_page.cpp

QList<OcrSample> renderOcrSamples() {
    return {dialog(QStringLiteral("dialog light"), kLight),
            dialog(QStringLiteral("dialog dark"), kDark),
            mixed(),
            code(),
            terminal(),
            latin(),
            columns(),
            sentences(),
            oneLine(),
            smallText(),
            page1080()};
}

} // namespace kv::bench
