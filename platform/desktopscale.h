#pragma once

#include <QByteArray>
#include <QSize>
#include <QString>

namespace kv {

// What the desktop says about the scale of the monitor the main window opens on.
struct DesktopScaleInputs {
    QString scaleFactor;        // QT_SCALE_FACTOR as set, empty when unset
    QString screenScaleFactors; // QT_SCREEN_SCALE_FACTORS as set, empty when unset
    QString fontDpi;            // QT_FONT_DPI as set, empty when unset
    int xftDpi = 0;             // Xft.dpi of the X resources, 0 when not set
    QString screenName;         // the main window's monitor, empty when unknown
    QSize screenSize;           // that monitor in screen pixels, empty when unknown
};

// Size of the main window as designed, at scale 1.
constexpr QSize kDesignedWindowSize(561, 465);

// The one scale the main window is drawn at, chosen once at start:
// - QT_SCREEN_SCALE_FACTORS (the entry named after the monitor, or else the first
//   entry of a plain list, the primary monitor's) times QT_SCALE_FACTOR, when either
//   gives a factor: these are what the user asked of Qt programs;
// - otherwise the font resolution (QT_FONT_DPI, else Xft.dpi) over 96;
// - otherwise 1.
// It is rounded to a quarter, never below 1, and lowered (by quarters) until the
// designed window fits on the monitor.
double ChooseDesktopScale(const DesktopScaleInputs& in);

// Xft.dpi from the text of the X resources (RESOURCE_MANAGER); 0 when absent or
// not a positive number.
int XftDpiFromResources(const QByteArray& resources);

// Reads the X side of the inputs (Xft.dpi, the primary monitor's name and size)
// through a connection of its own; before the application connects to the
// display. Leaves the fields empty where there is no X display.
void ReadX11ScaleInputs(DesktopScaleInputs& in);

} // namespace kv
