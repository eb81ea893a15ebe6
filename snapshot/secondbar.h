#pragma once

// Kolvane's own bar beside the editor's tool bar: its tools and actions, one button
// each, in the tool bar's look.
#include "snapshot/toolbar_widgets.h"

#include <QObject>
#include <QRect>
#include <vector>

namespace kv {

class OutlineShape;

// Where the second bar stands beside the tool bar at `toolBar`: on the same row, its
// right edge 4 pixels left of the tool bar; where that would leave `monitor`, 4 pixels
// right of the tool bar instead. Empty for a bar without buttons.
QRect secondBarGeometry(const QRect& toolBar, int width, const QRect& monitor);
// The bar's width for `buttons` buttons; 0 for none.
int secondBarWidth(int buttons);

class SecondBar : public QObject {
    Q_OBJECT
public:
    // Builds the bar inside `panel`, which keeps every pointer event from the editor.
    explicit SecondBar(ClickableLabel* panel);
    // 0 while the bar has no buttons (it is never shown then).
    int width() const { return width_; }
    // The button widgets, left to right, and the editor button index of each.
    const std::vector<IconButton*>& buttons() const { return buttons_; }
    const std::vector<int>& buttonIndexes() const { return indexes_; }

signals:
    // A left click (press and release on the same button) on editor button `index`.
    void clicked(int index);

private:
    void hover(int position);

    ClickableLabel* panel_;
    int width_ = 0;
    std::vector<IconButton*> buttons_;
    std::vector<OutlineShape*> frames_;
    std::vector<int> indexes_;
};

} // namespace kv
