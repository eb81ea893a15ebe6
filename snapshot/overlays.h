#pragma once

// The editor's overlay widgets: the selection outline and its eight handles.
#include "platform/clickablelabel.h"
#include "snapshot/selection.h"

#include <QColor>
#include <QWidget>
#include <functional>

class QMouseEvent;

namespace kv {

// The blue of the selection outline and its handles: RGB(0, 122, 236).
inline const QColor kSelectionBlue{0, 122, 236};

// The selection outline: a 1-pixel rectangle whose geometry is the selection. It lets
// the mouse through to the editor and paints only its border, so moving it repaints
// just the border.
class SelectionOutline : public QWidget {
public:
    explicit SelectionOutline(QWidget* parent);
    const SelBox& box() const { return box_; }
    void setBox(const SelBox& box);
    // The pixels the outline covers: the rounded selection.
    QRect pixelRect() const;

protected:
    void paintEvent(QPaintEvent*) override;

private:
    SelBox box_;
};

// A 4 x 4 resize handle that hands its mouse events to the editor.
class HandleBox : public QWidget {
public:
    HandleBox(int index, QWidget* parent);
    int index() const { return index_; }
    std::function<void(int index, QMouseEvent*)> onPress, onMove, onRelease;

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;

private:
    int index_;
};

// The tool bar panel: 265 x 26 pixels, light blue with a blue-violet outline and two
// separator lines; the tool buttons are placed on it by the tool bar code.
class ToolBarPanel : public ClickableLabel {
public:
    static constexpr int kWidth = 265;
    static constexpr int kHeight = 26;
    explicit ToolBarPanel(QWidget* parent);

protected:
    void paintEvent(QPaintEvent*) override;
};

} // namespace kv
