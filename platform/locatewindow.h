#pragma once

#include <QImage>
#include <QPoint>
#include <optional>

namespace kv {

// Where a window's own picture appears in a picture of the whole screen: a Wayland
// client is never told where its windows are, but it knows what they look like.
// Rows of the window are compared exactly; a few may differ (a hover that changed
// since the screen was taken) as long as most of them match at one place. Nothing
// when the window is not there in one piece, at one scale.
std::optional<QPoint> locateInPicture(const QImage& screen, const QImage& window);

} // namespace kv
