#pragma once

// The tool bar's layout and button indexes.
#include <array>

namespace kv {

// The tool bar as laid out: ten icon buttons on a 265 x 26 pixel bar, in twips of
// the bar (15 to a pixel) where the layout was made in twips.
constexpr int kToolBarWidth = 265;
constexpr int kToolBarHeight = 26;
constexpr int kToolButtonCount = 10;
constexpr int kToolIconSize = 16;

// The button indexes by their job.
enum ToolButton : int {
    kUndoButton = 0,
    kFinishButton = 1,
    kSaveButton = 2,
    kExitButton = 3,
    kArrowButton = 4,
    kTextButton = 5,
    kEllipseButton = 6,
    kRectangleButton = 7,
    kRedoButton = 8,
    kBrushButton = 9,
};

// Kolvane's own buttons on the second bar are numbered on from the tool bar's, in
// their order from left to right.
constexpr int kFirstSecondBarButton = kToolButtonCount;

struct ToolButtonLayout {
    int index;
    int leftTwips;      // the icon
    int frameLeftTwips; // its hover frame
};

// In order from left to right on the bar.
inline constexpr std::array<ToolButtonLayout, kToolButtonCount> kToolButtons{{
    {kRectangleButton, 100, 80},
    {kEllipseButton, 480, 450},
    {kArrowButton, 855, 820},
    {kBrushButton, 1220, 1190},
    {kTextButton, 1590, 1560},
    {kUndoButton, 2055, 2025},
    {kRedoButton, 2430, 2400},
    {kSaveButton, 2805, 2775},
    {kExitButton, 3255, 3225},
    {kFinishButton, 3630, 3600},
}};

constexpr int kToolIconTopTwips = 75;
constexpr int kToolFrameTopTwips = 45;
constexpr int kToolFrameSizeTwips = 300;
// The two separators: after the drawing tools and before the exit button.
constexpr int kSeparatorXTwips[2] = {1935, 3135};
constexpr int kSeparatorTopTwips = 45;
constexpr int kSeparatorBottomTwips = 325;

} // namespace kv
