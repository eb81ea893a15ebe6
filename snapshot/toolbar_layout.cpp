#include "snapshot/toolbar_layout.h"

#include "snapshot/toolicons.h"
#include "snapshot/tooltable.h"

namespace kv {

const std::array<CommandButton, 5>& commandButtons() {
    static const std::array<CommandButton, 5> table{{
        {kUndoButton, "撤销", paintUndoIcon},
        {kRedoButton, "重做", paintRedoIcon},
        {kSaveButton, "保存", paintSaveIcon},
        {kExitButton, "退出截屏", paintExitIcon},
        {kFinishButton, "完成截图", paintFinishIcon},
    }};
    return table;
}

namespace {

const CommandButton* commandOf(int index) {
    for (const auto& c : commandButtons())
        if (c.index == index) return &c;
    return nullptr;
}

} // namespace

QString toolButtonTip(int index) {
    if (const ToolInfo* t = toolInfo(toolOfButton(index))) return QString::fromUtf8(t->tip);
    if (const CommandButton* c = commandOf(index)) return QString::fromUtf8(c->tip);
    return QString();
}

QImage toolButtonIcon(int index) {
    if (const ToolInfo* t = toolInfo(toolOfButton(index))) return iconImage(t->paintIcon);
    if (const CommandButton* c = commandOf(index)) return iconImage(c->paintIcon);
    return iconImage(nullptr);
}

} // namespace kv
