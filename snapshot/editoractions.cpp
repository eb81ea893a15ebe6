// The table of Kolvane's own editor actions, and the second bar's items drawn from it
// and from the tool table.
#include "snapshot/editoractions.h"

#include "snapshot/toolbar_layout.h"
#include "snapshot/tooltable.h"

#include <algorithm>

namespace kv {

const std::vector<EditorActionInfo>& editorActions() {
    static const std::vector<EditorActionInfo> table{};
    return table;
}

EditorAction actionOfButton(int button) {
    for (const EditorActionInfo& a : editorActions())
        if (a.button == button) return a.action;
    return EditorAction::None;
}

std::vector<SecondBarItem> secondBarItems() {
    std::vector<SecondBarItem> items;
    for (const ToolInfo& t : toolTable())
        if (t.button >= kFirstSecondBarButton)
            items.push_back({t.button, QString::fromUtf8(t.tip), t.key, t.paintIcon});
    for (const EditorActionInfo& a : editorActions())
        items.push_back({a.button, QString::fromUtf8(a.tip), a.key, a.paintIcon});
    std::sort(items.begin(), items.end(),
              [](const SecondBarItem& a, const SecondBarItem& b) { return a.button < b.button; });
    return items;
}

int secondBarButtonForKey(int key) {
    for (const SecondBarItem& item : secondBarItems())
        if (item.key != 0 && item.key == key) return item.button;
    return -1;
}

} // namespace kv
