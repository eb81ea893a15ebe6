// Numbered step markers and the rule that numbers them.
#include "snapshot/stepnumber.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <algorithm>
#include <cmath>

namespace kv {

namespace {

// How much of the circle the number may fill: its height, and its width for numbers of
// several digits.
constexpr double kNumberHeight = 0.6;
constexpr double kNumberWidth = 0.70;

double linearChannel(double c) {
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

// The number's outline, centred on `centre` by its drawn shape rather than by the font's
// line box, so that digits sit in the middle of the circle whatever font draws them.
QPainterPath numberPath(int number, int diameter, QPointF centre) {
    QFont font;
    font.setBold(true);
    font.setPixelSize(100); // drawn large, then scaled, so that small circles keep sharp shapes
    QPainterPath path;
    path.addText(0, 0, font, QString::number(number));
    const QRectF shape = path.boundingRect();
    if (shape.isEmpty()) return path;
    const double scale = std::min(kNumberHeight * diameter / shape.height(),
                                  kNumberWidth * diameter / shape.width());
    QTransform t;
    t.translate(centre.x(), centre.y());
    t.scale(scale, scale);
    t.translate(-shape.center().x(), -shape.center().y());
    return t.map(path);
}

} // namespace

int stepMarkerDiameter(int penWidth) {
    return std::clamp(16 + 4 * penWidth, kStepMarkerMinDiameter, kStepMarkerMaxDiameter);
}

QPointF stepMarkerCentre(QPointF at) {
    return {std::floor(at.x()) + 0.5, std::floor(at.y()) + 0.5};
}

double relativeLuminance(const QColor& colour) {
    const QColor c = colour.toRgb();
    return 0.2126 * linearChannel(c.redF()) + 0.7152 * linearChannel(c.greenF()) +
           0.0722 * linearChannel(c.blueF());
}

double contrastRatio(const QColor& a, const QColor& b) {
    const double la = relativeLuminance(a), lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor stepDigitColour(const QColor& fill) {
    const QColor white(255, 255, 255), black(0, 0, 0);
    return contrastRatio(fill, white) >= contrastRatio(fill, black) ? white : black;
}

std::optional<QLineF> stepPointerLine(QPointF centre, int diameter, QPointF end) {
    const QPointF d = end - centre;
    const double length = std::hypot(d.x(), d.y());
    const double radius = diameter / 2.0;
    if (length <= radius) return std::nullopt;
    return QLineF(centre + d * (radius / length), end);
}

int stepPointerWidth(int diameter) {
    return std::clamp(diameter / 10, 2, 4);
}

QRect stepMarkerBounds(const StepMarker& m) {
    const double r = m.diameter / 2.0;
    QRectF box(m.centre.x() - r, m.centre.y() - r, m.diameter, m.diameter);
    // A rectangle without extent would be ignored by the union: span from the centre.
    if (m.pointerEnd) box |= QRectF(m.centre, *m.pointerEnd).normalized();
    const int margin = stepPointerWidth(m.diameter) + 2;
    return box.toAlignedRect().adjusted(-margin, -margin, margin, margin);
}

void drawStepMarker(QPainter& painter, const StepMarker& m) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    const double radius = m.diameter / 2.0;
    if (m.pointerEnd) {
        if (const auto line = stepPointerLine(m.centre, m.diameter, *m.pointerEnd)) {
            // Drawn first: the circle covers the line's round start.
            painter.setPen(QPen(m.colour, stepPointerWidth(m.diameter), Qt::SolidLine, Qt::RoundCap,
                                Qt::RoundJoin));
            painter.drawLine(*line);
        }
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(m.colour);
    painter.drawEllipse(m.centre, radius, radius);
    painter.setBrush(stepDigitColour(m.colour));
    painter.drawPath(numberPath(m.number, m.diameter, m.centre));
    painter.restore();
}

void StepCounter::pushed(int entry, bool marker) {
    if (entry < 2) return;
    markerAt_.resize(std::size_t(entry - 2));
    markerAt_.push_back(marker);
}

int StepCounter::next(int count) const {
    const auto shown = std::min<std::size_t>(std::size_t(std::max(count - 1, 0)), markerAt_.size());
    return int(std::count(markerAt_.begin(), markerAt_.begin() + std::ptrdiff_t(shown), true)) + 1;
}

} // namespace kv
