#pragma once

// The region editor's widgets over its picture, and how the session's view is copied
// onto them.
#include "loupe/loupe.h"
#include "snapshot/editorsession.h"
#include "snapshot/overlays.h"

#include <QLabel>
#include <QLineEdit>
#include <array>

namespace kv {

class ToolBar;
class OptionBar;
class SecondBar;

// The editor's widgets, for whoever checks what the window shows.
struct EditorOverlays {
    SelectionOutline* Shape1;
    const std::array<HandleBox*, kHandleCount>& Image1;
    QLabel* LblPos;
    QLabel* lblInfo;
    QLabel* LblHelp;
    QLabel* LblKeys;
    QWidget* Picture1; // tool bar
    QWidget* Picture2; // option bar
    QWidget* secondBar;
    QLineEdit* TextEdit;
    ToolBar* toolBar;
    OptionBar* optionBar;
    SecondBar* secondBarButtons;
};

class EditorWidgets {
public:
    // Builds the widgets inside `editor`, all hidden.
    EditorWidgets(QWidget* editor, const EditorSession& session, const QString& keysTip);

    EditorOverlays overlays() const;
    ToolBar* toolBar() const { return toolBar_; }
    SecondBar* secondBar() const { return secondBar_; }
    OptionBar* optionBar() const { return optionBar_; }
    QLineEdit* textEdit() const { return TextEdit; }
    const std::array<HandleBox*, kHandleCount>& handles() const { return Image1; }
    const Loupe& loupe() const { return loupe_; }
    void hideLoupe() { loupe_.Hide(); }
    // Whether apply() is setting the widgets now (their signals are its own then).
    bool applying() const { return applying_; }

    // Copies the session's view onto the widgets.
    void apply();

private:
    void build(const QString& keysTip);
    void applyHandles();
    void applyReadOuts();
    void applyBars();
    void applyTextBox();
    void applyPointerAndLoupe();
    void stackReadOuts();
    bool keysTipFits() const;
    void showLoupe(QPoint hot);

    QWidget* editor_;
    const EditorSession& session_;
    EditorView applied_; // what apply() last copied
    bool appliedOnce_ = false;
    bool applying_ = false;
    Loupe loupe_;

    SelectionOutline* Shape1 = nullptr;
    std::array<HandleBox*, kHandleCount> Image1{};
    QLabel* LblPos = nullptr;
    QLabel* lblInfo = nullptr;
    QLabel* LblHelp = nullptr;
    QLabel* LblKeys = nullptr;
    ToolBarPanel* Picture1 = nullptr;   // tool bar
    ClickableLabel* Picture2 = nullptr; // option bar
    ToolBarPanel* secondPanel_ = nullptr;
    QLineEdit* TextEdit = nullptr;
    ToolBar* toolBar_ = nullptr;
    OptionBar* optionBar_ = nullptr;
    SecondBar* secondBar_ = nullptr;
};

} // namespace kv
