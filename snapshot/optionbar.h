#pragma once

// The region editor's option bar: colour, pen size and font size for the tools.
#include "snapshot/toolbar_widgets.h"
#include "snapshot/toolicons.h"
#include "snapshot/tooloptions.h"

#include <QObject>
#include <QString>
#include <array>

class QComboBox;
class QLineEdit;

namespace kv {

// A colour cell of the colour grid: its colour fills it; a single-line border shows
// while it is marked.
class ColourCell : public ClickableLabel {
public:
    ColourCell(QWidget* parent, const QColor& colour);
    QColor colour() const { return colour_; }
    void setColour(const QColor& colour);
    bool bordered() const { return bordered_; }
    void setBordered(bool on);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor colour_;
    bool bordered_ = false;
};

// The option bar's controls, built inside the editor's option-bar panel: the colour
// grid (cells Pcolor 0..16, cell 16 holding the current colour), the pen-size chooser
// (three dots with their frames) and the font-size chooser (a face over a real list).
// The choosers edit a ToolOptions value, which the bar keeps and reports with every
// change; the editor hands it back at each load.
class OptionBar : public QObject {
    Q_OBJECT
public:
    // Builds the bar inside `panel`, which keeps every pointer event from the editor.
    explicit OptionBar(ClickableLabel* panel, const ToolOptions& options = {});

    ClickableLabel* Picture2;
    OutlineShape* Shape4 = nullptr;

    ClickableLabel* PicColor = nullptr;
    std::array<ColourCell*, 17> Pcolor{};

    QWidget* PicPoint = nullptr;
    std::array<IconButton*, 3> ImgPoint{};
    std::array<OutlineShape*, 3> Shape5{};

    ClickableLabel* PicFont = nullptr;
    IconButton* Image3 = nullptr;
    IconButton* PicCombox = nullptr;
    QLineEdit* Text1 = nullptr;
    QComboBox* Combo1 = nullptr;
    std::array<QImage, 3> Image4;

    // What the choosers show now.
    const ToolOptions& options() const { return options_; }
    // Shows `options` in the choosers (no optionsChanged for it).
    void setOptions(const ToolOptions& options);
    // The colour of the next stroke: cell 16's.
    QColor currentColour() const { return options_.colour; }
    // The font size written in the size box, in points; a box that does not hold a
    // usable size gives the last size that was usable (11 at first).
    float fontSize() const { return options_.fontSize; }

    // Lays the bar out for `tool`, the tool now armed: which chooser shows, where the
    // colour grid goes, the bar's width and its outline, the frame of the tool's
    // remembered pen size.
    void arrangeFor(ToolKind tool);
    // Whether the drop-down list of sizes is open.
    bool sizeListOpen() const;

    void Pcolor_MouseUp(int index);
    void Pcolor_MouseMove(int index);
    void PicColor_MouseMove();
    void ImgPoint_MouseDown(int size);
    void ImgPoint_MouseMove(int size);
    void Picture2_MouseMove();
    void PicCombox_MouseMove();
    void PicCombox_MouseDown();
    void PicFont_MouseMove();
    void Combo1_Click(const QString& item);
    // The size box's text changed, typed or chosen from the list.
    void Text1_Change();
    // Opens the list when it is closed and closes it when it is open.
    static void OpenCombo(QComboBox* combo);

signals:
    // A chooser changed the options.
    void optionsChanged(const ToolOptions& options);

protected:
    // Watches the open list of sizes, a window of its own.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool filterSizeList(QEvent* event);
    void Picture2_PointerLeft();
    void showRememberedPenFrame();
    void buildColourGrid();
    void buildPenChooser();
    void buildFontChooser();

    ToolOptions options_;
    ToolKind tool_ = ToolKind::None;
    bool listClosingPress_ = false;
    bool swallowOpeningRelease_ = false;
};

} // namespace kv
