// The recognition benchmark's whole page: a web page at 1920 × 1080 with a header,
// a sidebar and an article, which must come out block by block.
#include "bench/ocrsamples.h"

#include <QFont>
#include <QPainter>

namespace kv::bench {
namespace {

void write(QPainter& p, QStringList& truth, int px, QPoint at, const QString& line, QColor colour) {
    QFont f(QStringLiteral("WenQuanYi Micro Hei"));
    f.setPixelSize(px);
    p.setFont(f);
    p.setPen(colour);
    p.drawText(at, line);
    truth << line;
}

const QStringList kArticle{
    QStringLiteral("屏幕截图是日常工作中最常用的功能之一。用户经常需要把界面上的文字复制出来，"),
    QStringLiteral("例如错误信息、设置项的名称或者网页中的一段说明。过去只能手工输入这些文字，"),
    QStringLiteral("既费时又容易出错。文字识别功能可以直接从截图中读出中文和英文，"),
    QStringLiteral("并按照阅读顺序整理成段落，保留原来的换行。"),
    QStringLiteral("识别在本机完成，不需要联网，也不会上传任何图片。模型文件随程序一起安装，"),
    QStringLiteral("首次使用时加载，之后每次识别一个对话框大约需要几百毫秒。"),
    QStringLiteral("对于代码和终端中的文字，识别结果使用半角标点，可以直接粘贴到编辑器中。"),
    QStringLiteral("Kolvane supports both light and dark themes, and small 9 px status text."),
};

} // namespace

OcrSample page1080() {
    QImage picture(1920, 1080, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter p(&picture);
    QStringList truth;
    p.fillRect(0, 0, 1920, 64, QColor(0x24, 0x29, 0x2e));
    write(p, truth, 22, {40, 42}, QStringLiteral("Kolvane 文档中心"), Qt::white);
    write(p, truth, 16, {1300, 40}, QStringLiteral("首页    下载    社区    关于"),
          QColor(0xdd, 0xdd, 0xdd));
    p.fillRect(0, 64, 300, 1016, QColor(0xf6, 0xf8, 0xfa));
    const QStringList side{QStringLiteral("快速开始"),   QStringLiteral("安装与升级"),
                           QStringLiteral("取色器"),     QStringLiteral("区域截图"),
                           QStringLiteral("标注工具"),   QStringLiteral("文字识别"),
                           QStringLiteral("命令行参数"), QStringLiteral("常见问题")};
    for (int i = 0; i < side.size(); ++i)
        write(p, truth, 15, {40, 120 + i * 44}, side[i], QColor(0x33, 0x33, 0x33));
    write(p, truth, 28, {380, 140}, QStringLiteral("文字识别"), Qt::black);
    for (int i = 0; i < kArticle.size(); ++i)
        write(p, truth, 16, {380, 200 + i * 30 + (i >= 4 ? 20 : 0)}, kArticle[i],
              QColor(0x24, 0x29, 0x2e));
    write(p, truth, 13, {380, 1040},
          QStringLiteral("© 2024 Kolvane 开发者    本页内容采用 CC BY 4.0 许可"),
          QColor(0x6a, 0x73, 0x7d));
    p.end();
    return {QStringLiteral("page 1920x1080"), picture, truth.join(QLatin1Char('\n'))};
}

} // namespace kv::bench
