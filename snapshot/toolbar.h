#pragma once

// The region editor's tool bar of ten buttons.
#include "snapshot/toolbar_layout.h"
#include "snapshot/toolbar_widgets.h"

#include <QObject>
#include <array>

namespace kv {

// The tool bar's controls, built inside the editor's tool-bar panel: the ten buttons
// Image2 0..9, their hover frames, the outline and the two separators. It keeps its
// hover frames itself and reports clicks; what a click does is the editor's business.
class ToolBar : public QObject {
    Q_OBJECT
public:
    // Builds the bar inside `panel`, which keeps every pointer event from the editor.
    explicit ToolBar(ClickableLabel* panel);

    ClickableLabel* Picture1;
    std::array<IconButton*, kToolButtonCount> Image2{};
    std::array<OutlineShape*, kToolButtonCount> Shape3{};
    OutlineShape* Shape2 = nullptr;
    LineShape* Line1 = nullptr;
    LineShape* Line2 = nullptr;

    // Pointer over button `index`: only its frame shows.
    void Image2_MouseMove(int index);
    // Pointer over the bar's background: the plain arrow and no frame.
    void Picture1_MouseMove();
    // The index of the frame shown, or -1.
    int hoverFrame() const;

signals:
    // A left click (press and release on the same button).
    void Image2_Click(int index);

private:
    void hideFrames();
};

} // namespace kv
