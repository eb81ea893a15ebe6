// The main window's fixed texts: command captions, tips, links and the rights notice.
#include "app/frametexts.h"

namespace kv::frametexts {
namespace {

QString pick(const char* const* table, int count, int index) {
    return index >= 0 && index < count ? QString::fromUtf8(table[index]) : QString();
}

} // namespace

QString WelcomeTip() {
    return QStringLiteral("温馨提示：欢迎使用Kolvane。");
}

QString CopyTip() {
    return QStringLiteral("温馨提示：双击把颜色复制到剪贴板。");
}

QString CommandCaption(int index) {
    static const char* const captions[9] = {"取色轮",   "网页色",     "电脑色",
                                            "渐进色",   "颜色对话框", "窗体截图",
                                            "区域截图", "全屏截图",   "保存图像"};
    return pick(captions, 9, index);
}

QString CommandTip(int index) {
    static const char* const tips[9] = {
        "温馨提示：取色轮有多种颜色选择，可通过取色轮调节来调整取色范围。",
        "温馨提示：网页色中的颜色全部都是网页安全色。",
        "温馨提示：电脑色中的颜色是电脑里最常用的颜色。",
        "温馨提示：渐进色中的颜色是由白色RGB(0,0,0)，每格单独加51渐进的。",
        "温馨提示：打开计算机颜色对话框，进行颜色选择。",
        "温馨提示：三秒钟后自动捕捉活动窗体并保存图像。",
        "温馨提示：鼠标左键拖拽进行屏幕部分截图。",
        "温馨提示：三秒钟后自动进行全屏截图并保存图像。",
        "温馨提示：点击选择保存类型并保存区域截取的图像。",
    };
    return pick(tips, 9, index);
}

QString AuthorEmail() {
    return QStringLiteral("kolvane@example.org");
}

QString LinkCaption(int index) {
    switch (index) {
    case 0:
        return AuthorEmail();
    case 1:
        return QStringLiteral("Quillfen工作室");
    case 2:
        return QStringLiteral("联系作者");
    case 3:
        return QStringLiteral("我的博客");
    default:
        return QString();
    }
}

QString LinkTip(int index) {
    switch (index) {
    case 0:
        return QStringLiteral("温馨提示：作者的E-Mail。");
    case 2:
        return QStringLiteral("温馨提示：BUG报告以及软件定制，可点击此处联系作者！");
    case 3:
        return QStringLiteral("温馨提示：欢迎访问作者的博客，查看作者近期动向！");
    default:
        return QString();
    }
}

QString LinkTarget(int index) {
    // The project's own pages; example.org until Kolvane has a domain of its own.
    switch (index) {
    case 2:
        return QStringLiteral("https://kolvane.example.org/contact");
    case 3:
        return QStringLiteral("https://kolvane.example.org/blog");
    default:
        return QString();
    }
}

QString AuthorNotice() {
    const QString crlf = QStringLiteral("\r\n");
    return QStringLiteral("作者承接软件定做业务，价钱可议。") + crlf + crlf +
           QStringLiteral("有意向者可点击下面的 联系作者") + crlf + crlf +
           QStringLiteral("或E-mail至 ") + AuthorEmail();
}

QString RightsLine(int index) {
    static const char* const lines[2] = {"© 2026 Kolvane", "GPL-3.0 或更高版本"};
    return pick(lines, 2, index);
}

} // namespace kv::frametexts
