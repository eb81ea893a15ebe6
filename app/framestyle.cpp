// The label helpers the main window's frame and pages share.
#include "app/framestyle.h"

#include "platform/clickablelabel.h"

#include <QLabel>
#include <QPainter>

namespace kv {

QFont smallFont(QFont f) {
    f.setPointSize(8);
    return f;
}

void setTextColour(QWidget* w, const QColor& c) {
    QPalette pal = w->palette();
    pal.setColor(QPalette::WindowText, c);
    pal.setColor(QPalette::Text, c);
    w->setPalette(pal);
}

void setUnderline(QLabel* label, bool on) {
    QFont f = label->font();
    if (f.underline() == on) return;
    f.setUnderline(on);
    label->setFont(f);
}

// Longer texts (the clock line in a wide font) must not be cut off, and a line of text
// is taller than the 12 px the labels were laid out with. Growing about the designed
// middle keeps the text where the design put it, and the underline of a hovered label
// is no longer clipped.
void fitLabel(QLabel* label) {
    const QSize hint = label->sizeHint();
    QRect r = label->geometry();
    r.setWidth(std::max(r.width(), hint.width()));
    if (hint.height() > r.height()) {
        const int grow = (hint.height() - r.height() + 1) / 2; // the same above and below
        r.adjust(0, -grow, 0, grow);
    }
    label->setGeometry(r);
}

namespace {
template <typename Label>
Label* placeLabel(QWidget* parent, const QString& text, QRect r, QColor colour) {
    auto* l = new Label(text, parent);
    l->setGeometry(r);
    setTextColour(l, colour);
    return l;
}
} // namespace

QLabel* makeLabel(QWidget* parent, const QString& text, QRect r, QColor colour) {
    return placeLabel<QLabel>(parent, text, r, colour);
}

ClickableLabel* makeClickableLabel(QWidget* parent, const QString& text, QRect r, QColor colour) {
    return placeLabel<ClickableLabel>(parent, text, r, colour);
}

LineWidget::LineWidget(QWidget* parent, QColor colour) : QWidget(parent), colour_(colour) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void LineWidget::paintEvent(QPaintEvent*) {
    QPainter(this).fillRect(rect(), colour_);
}

} // namespace kv
