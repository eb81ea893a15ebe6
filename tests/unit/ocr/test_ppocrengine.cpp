// The recognition engine on small rendered pictures: clear 16 px lines come out
// exactly, light on dark as well as dark on light, and an empty picture has none.
#include "ocr/ocrengine.h"
#include "ocr/textassembly.h"

#include <QDir>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QTest>

using namespace kv;

namespace {

QImage rendered(const QStringList& lines, QColor ink, QColor ground, int px = 16,
                const QString& family = QStringLiteral("WenQuanYi Micro Hei")) {
    QImage picture(480, 24 + int(lines.size()) * 2 * px, QImage::Format_RGB32);
    picture.fill(ground);
    QPainter p(&picture);
    QFont font(family);
    font.setPixelSize(px);
    p.setFont(font);
    p.setPen(ink);
    for (int i = 0; i < lines.size(); ++i)
        p.drawText(QPoint(16, 12 + px + i * 2 * px), lines[i]);
    return picture;
}

} // namespace

class TestPpOcrEngine : public QObject {
    Q_OBJECT
    std::unique_ptr<OcrEngine> engine_;

private slots:
    void initTestCase() {
        const QString program = qEnvironmentVariable("KOLVANE_PROGRAM_DIR");
        QString error;
        engine_ = createOcrEngine(
            OcrModelFiles::inFolder(QDir(program).filePath(QStringLiteral("ocr-models")), program),
            &error);
        QVERIFY2(engine_, qPrintable(error));
    }

    void exactText_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QColor>("ink");
        QTest::addColumn<QColor>("ground");
        const QStringList chinese{QStringLiteral("截图后复制到剪贴板"),
                                  QStringLiteral("关闭主窗口时最小化到系统托盘")};
        const QStringList english{QStringLiteral("Copy the text out of a screenshot"),
                                  QStringLiteral("Press Esc to cancel.")};
        QTest::newRow("Chinese, dark on light")
            << chinese << QColor(Qt::black) << QColor(Qt::white);
        QTest::newRow("Chinese, light on dark")
            << chinese << QColor(0xe0, 0xe0, 0xe0) << QColor(0x2b, 0x2b, 0x2b);
        QTest::newRow("English, dark on light")
            << english << QColor(0x20, 0x20, 0x20) << QColor(0xf3, 0xf3, 0xf3);
        QTest::newRow("English, light on dark")
            << english << QColor(Qt::white) << QColor(0x1e, 0x1e, 0x1e);
        QTest::newRow("Chinese with full-width punctuation")
            << QStringList{QStringLiteral("提示：按回车键确认，按空格键取消。")}
            << QColor(Qt::black) << QColor(Qt::white);
        // A space between Chinese and a Latin word is kept, none is added where
        // the Latin follows straight on.
        QTest::newRow("Chinese and Latin words")
            << QStringList{QStringLiteral("设置 Settings"), QStringLiteral("关于 Kolvane"),
                           QStringLiteral("使用PaddleOCR的模型")}
            << QColor(Qt::black) << QColor(Qt::white);
        // More than one strip's worth of lines: strips are read side by side, each
        // line's answer must land on its own line.
        QTest::newRow("many lines, several strips read at once")
            << QStringList{QStringLiteral("截图后复制到剪贴板"),
                           QStringLiteral("Copy the text out of a screenshot"),
                           QStringLiteral("关闭主窗口时最小化到系统托盘"),
                           QStringLiteral("Press Esc to cancel"),
                           QStringLiteral("开机时自动启动"),
                           QStringLiteral("Save the picture as PNG"),
                           QStringLiteral("播放快门声音"),
                           QStringLiteral("首选项"),
                           QStringLiteral("文字识别把截图中的文字复制出来"),
                           QStringLiteral("保存位置：/home/user/图片")}
            << QColor(Qt::black) << QColor(Qt::white);
    }
    void exactText() {
        QFETCH(QStringList, lines);
        QFETCH(QColor, ink);
        QFETCH(QColor, ground);
        QCOMPARE(assembleText(engine_->recognise(rendered(lines, ink, ground))), lines.join('\n'));
    }

    // Latin text as English desktops show it: word spaces kept (the recogniser's
    // blank wins most word gaps), and none before the dots of a version or a
    // path's slashes.
    void latinText_data() {
        QTest::addColumn<QString>("family");
        QTest::addColumn<int>("px");
        QTest::addColumn<bool>("dark");
        QTest::addColumn<QStringList>("lines");
        const QString sans = QStringLiteral("DejaVu Sans"),
                      mono = QStringLiteral("DejaVu Sans Mono"),
                      hei = QStringLiteral("WenQuanYi Micro Hei");
        const QStringList prose{QStringLiteral("The quick brown fox jumps over the lazy dog"),
                                QStringLiteral("Version 1.1.0 is installed in /usr/share"),
                                QStringLiteral("https://example.org/kolvane/releases")};
        const QStringList code{QStringLiteral("int main(int argc, char** argv) {"),
                               QStringLiteral("1.1.0"), QStringLiteral("/usr/share/kolvane")};
        QTest::newRow("DejaVu Sans 12, prose") << sans << 12 << false << prose;
        QTest::newRow("DejaVu Sans 14, prose, light on dark") << sans << 14 << true << prose;
        QTest::newRow("DejaVu Sans 16, prose") << sans << 16 << false << prose;
        QTest::newRow("DejaVu Sans 12, code") << sans << 12 << false << code;
        QTest::newRow("DejaVu Sans Mono 12, code") << mono << 12 << false << code;
        QTest::newRow("DejaVu Sans Mono 16, prose, light on dark") << mono << 16 << true << prose;
        QTest::newRow("WenQuanYi 14, prose") << hei << 14 << false << prose;
        QTest::newRow("WenQuanYi 16, prose, light on dark") << hei << 16 << true << prose;
        QTest::newRow("WenQuanYi 12, code") << hei << 12 << false << code;
        // A terminal's monospaced text: no space beside its narrow letters.
        const QStringList terminal{QStringLiteral("cd ~/src/kolvane"),
                                   QStringLiteral("user@debian:~$ kolvane --ocr shot.png"),
                                   QStringLiteral("make -j2 kolvane")};
        QTest::newRow("WenQuanYi Mono 12, terminal")
            << QStringLiteral("WenQuanYi Micro Hei Mono") << 12 << false << terminal;
        QTest::newRow("DejaVu Sans Mono 12, terminal") << mono << 12 << false << terminal;
    }
    void latinText() {
        QFETCH(QString, family);
        QFETCH(int, px);
        QFETCH(bool, dark);
        QFETCH(QStringList, lines);
        const QColor ink = dark ? QColor(0xe0, 0xe0, 0xe0) : QColor(0x20, 0x20, 0x20);
        const QColor ground = dark ? QColor(0x1e, 0x1e, 0x1e) : QColor(Qt::white);
        QCOMPARE(assembleText(engine_->recognise(rendered(lines, ink, ground, px, family))),
                 lines.join('\n'));
    }

    // A line's closing full stop or comma, selected closely as a user selects one
    // line: the detector's box ends right at it, and the recogniser left it out
    // when nothing followed it in the cut.
    void closingPunctuation_data() {
        QTest::addColumn<QString>("family");
        QTest::addColumn<int>("px");
        QTest::addColumn<bool>("dark");
        QTest::addColumn<QString>("line");
        const QString sans = QStringLiteral("DejaVu Sans"),
                      mono = QStringLiteral("WenQuanYi Micro Hei Mono"),
                      hei = QStringLiteral("WenQuanYi Micro Hei");
        const QStringList latin{QStringLiteral("Kolvane reads text."),
                                QStringLiteral("See the manual."),
                                QStringLiteral("Press Esc to cancel."), QStringLiteral("Done.")};
        for (const QString& line : latin) {
            QTest::addRow("DejaVu Sans 12: %s", qPrintable(line)) << sans << 12 << false << line;
            QTest::addRow("WenQuanYi Mono 14, light on dark: %s", qPrintable(line))
                << mono << 14 << true << line;
        }
        const QStringList chinese{QStringLiteral("识别完成。"), QStringLiteral("文件已保存。"),
                                  QStringLiteral("你好，"),
                                  QStringLiteral("设置已保存，请重新启动。")};
        for (const QString& line : chinese)
            for (int px : {12, 14, 16})
                QTest::addRow("WenQuanYi %d: %s", px, qPrintable(line))
                    << hei << px << false << line;
    }
    void closingPunctuation() {
        QFETCH(QString, family);
        QFETCH(int, px);
        QFETCH(bool, dark);
        QFETCH(QString, line);
        QFont font(family);
        font.setPixelSize(px);
        QImage picture(QFontMetrics(font).horizontalAdvance(line) + 32, 3 * px,
                       QImage::Format_RGB32);
        picture.fill(dark ? QColor(0x1e, 0x1e, 0x1e) : QColor(Qt::white));
        QPainter p(&picture);
        p.setFont(font);
        p.setPen(dark ? QColor(0xd0, 0xd0, 0xd0) : QColor(0x20, 0x20, 0x20));
        p.drawText(QPoint(16, 2 * px), line);
        p.end();
        QCOMPARE(assembleText(engine_->recognise(picture)), line);
    }

    // Chinese in columns, top to bottom: the detector finds each column in
    // pieces (split where two characters stand apart, or one a character when
    // small); they are read whole, and the columns from the right.
    void columnsFromTheRight_data() {
        QTest::addColumn<int>("px");
        QTest::newRow("24 px") << 24;
        QTest::newRow("20 px, a piece a character") << 20;
    }
    void columnsFromTheRight() {
        QFETCH(int, px);
        const QStringList columns{QStringLiteral("文字识别"), QStringLiteral("竖排文本"),
                                  QStringLiteral("截图工具")};
        QImage picture(8 * px, 7 * px, QImage::Format_RGB32);
        picture.fill(Qt::white);
        QPainter p(&picture);
        QFont font(QStringLiteral("WenQuanYi Micro Hei"));
        font.setPixelSize(px);
        p.setFont(font);
        for (int i = 0; i < columns.size(); ++i)
            for (int k = 0; k < columns[i].size(); ++k)
                p.drawText(QPoint(int((6 - 1.8 * i) * px), int((1.6 + 1.15 * k) * px)),
                           columns[i].mid(k, 1));
        p.end();
        QCOMPARE(assembleText(engine_->recognise(picture)), columns.join('\n'));
    }

    void boxesWhereTheLinesAre() {
        const QList<OcrLine> found = engine_->recognise(
            rendered({QStringLiteral("第一行"), QStringLiteral("第二行")}, Qt::black, Qt::white));
        QCOMPARE(found.size(), 2);
        for (const OcrLine& line : found) {
            const int row = line.text == QStringLiteral("第一行") ? 0 : 1;
            // Each box holds its line's baseline area and stays left of the text's end.
            QVERIFY2(line.box.contains(QPoint(30, 12 + 16 + row * 32 - 6)), qPrintable(line.text));
            QVERIFY(line.box.width() < 120);
        }
    }

    void nothingInAPlainPicture() {
        QImage blank(320, 200, QImage::Format_RGB32);
        blank.fill(Qt::white);
        QVERIFY(engine_->recognise(blank).isEmpty());
        QVERIFY(engine_->recognise(QImage()).isEmpty());
    }

    void cancelledBeforeStarting() {
        const std::atomic_bool cancel{true};
        QVERIFY(
            engine_->recognise(rendered({QStringLiteral("取消")}, Qt::black, Qt::white), &cancel)
                .isEmpty());
    }
};

QTEST_MAIN(TestPpOcrEngine)
#include "test_ppocrengine.moc"
