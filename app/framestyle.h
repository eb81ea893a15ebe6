#pragma once

// The main window's designed colours and label helpers, shared by the frame and its
// pages.
#include "platform/colourvalue.h"

#include <QColor>
#include <QFont>
#include <QWidget>

class QLabel;

namespace kv {

class ClickableLabel;

// The main window's designed colours and the small helpers its frame and pages share
// to build their labels.
inline const QColor kTextBlue = ColourFromValue(0x00FF901E);    // title, notations, captions
inline const QColor kCommandBlue = ColourFromValue(0x00FF6600); // command labels
inline const QColor kTipOrange = ColourFromValue(0x000099FF);   // tip line and clock line
inline const QColor kLinkRest = ColourFromValue(0x00FF6666);
inline const QColor kLinkHover = ColourFromValue(0x00FF00FF);
inline const QColor kLinkVisited = ColourFromValue(0x00FF8080);
inline const QColor kHighlightRed = ColourFromValue(0x000000FF);
inline const QColor kPanelBorder(176, 208, 240);
inline const QColor kWindowBack(248, 251, 255);

QFont smallFont(QFont f);
void setTextColour(QWidget* w, const QColor& c);
void setUnderline(QLabel* label, bool on);
// A designed size is a minimum: the label grows to its text about its designed middle.
void fitLabel(QLabel* label);
// A label at a designed place in a given colour.
QLabel* makeLabel(QWidget* parent, const QString& text, QRect r, QColor colour);
// The same, for a label that acts on the pointer.
ClickableLabel* makeClickableLabel(QWidget* parent, const QString& text, QRect r, QColor colour);

// A thin line (the colour page's separators); the mouse passes through it.
class LineWidget : public QWidget {
public:
    LineWidget(QWidget* parent, QColor colour);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QColor colour_;
};

} // namespace kv
