#pragma once

// Kolvane's own actions on the editor's second bar: what is done with the selection
// beyond cutting it (pinning it, reading its text, a long capture).
#include "snapshot/toolkind.h"

#include <QImage>
#include <QString>
#include <vector>

namespace kv {

enum class EditorAction { None, Pin, Recognise, LongCapture };

// A row of the action table: its button on the second bar, tip, key and icon.
struct EditorActionInfo {
    EditorAction action;
    int button;      // >= kFirstSecondBarButton
    const char* tip; // UTF-8
    int key;         // Qt::Key
    IconPainter paintIcon;
};

const std::vector<EditorActionInfo>& editorActions();
EditorAction actionOfButton(int button);

// Everything on the second bar, tools and actions, in button order.
struct SecondBarItem {
    int button;
    QString tip;
    int key;
    IconPainter paintIcon;
};
std::vector<SecondBarItem> secondBarItems();
// The second-bar button that `key` (without modifiers) stands for; -1 for none.
int secondBarButtonForKey(int key);

} // namespace kv
