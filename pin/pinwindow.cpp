#include "pin/pinwindow.h"

#include "colour/notations.h"
#include "imageio/encoders.h"
#include "imageio/pictureformat.h"
#include "imageio/savedialog.h"
#include "imageio/savepicfile.h"
#include "platform/picture.h"
#include "platform/pictureclipboard.h"
#include "platform/taskbarhint.h"

#include <QClipboard>
#include <QCursor>
#include <QDir>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QToolTip>
#include <QWindow>

namespace kv {
namespace {

const QColor kBorder(0x80, 0x80, 0x80);
const QColor kBorderHovered(0x1e, 0x90, 0xff);

// The rectangle round every monitor; nothing where a window's place is not known.
QRect virtualDesktop(const PinContext& context) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen && context.placesOwnWindows ? screen->virtualGeometry() : QRect();
}

} // namespace

PinWindow::PinWindow(const QImage& picture, QPoint pictureTopLeft, const PinContext& context,
                     int sizeStep)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      context_(context), sizeStep_(std::max(1, sizeStep)), view_(picture),
      pictureTopLeft_(pictureTopLeft) {
    setAttribute(Qt::WA_DeleteOnClose);
    // Every pixel is drawn by paintEvent: no background fill first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::ClickFocus);
    setWindowTitle(QStringLiteral("贴图 - Kolvane"));
    place();
    // The native window now, so that its task-bar hint is there when it is mapped.
    winId();
    keepOutOfTaskBar(windowHandle());
}

QRect PinWindow::pinRect() const {
    const QRect r = pinWindowRect(pictureTopLeft_, view_.shownSize());
    return QRect(r.topLeft(), roundedUpTo(r.size(), sizeStep_));
}

QRegion PinWindow::border() const {
    return QRegion(QRect(QPoint(0, 0), pinRect().size())) - pictureArea();
}

void PinWindow::place() {
    const QRect pin = pinRect();
    const QRect seen = pin.intersected(virtualDesktop(context_));
    const QRect window = seen.isEmpty() ? pin : seen;
    const QPoint offset = pin.topLeft() - window.topLeft();
    placedAt_ = window.topLeft();
    if (window.size() == size() && offset == offset_) {
        // Only moved: the window system keeps what it shows.
        if (window.topLeft() != pos()) move(window.topLeft());
        return;
    }
    offset_ = offset;
    setGeometry(window);
    update();
}

PinWindow::~PinWindow() = default;

bool PinWindow::staysOnTop() const {
    return windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

QRect PinWindow::pictureGeometry() const {
    return QRect(pictureTopLeft_, view_.shownSize());
}

void PinWindow::zoomTo(int percent, QPoint anchor) {
    if (percent == zoom()) return;
    pictureTopLeft_ = zoomAround(pictureTopLeft_, anchor, zoom(), percent);
    view_.setZoom(percent);
    place();
    update();
}

void PinWindow::zoomBy(int notches, QPoint anchor) {
    zoomTo(pinZoomStep(zoom(), notches), anchor);
}

void PinWindow::actualSize() {
    const QPoint pointer = QCursor::pos();
    zoomTo(100, pinRect().contains(pointer) ? pointer : pictureTopLeft_);
}

void PinWindow::setOpacityPercent(int percent) {
    opacity_ = std::clamp(percent, 10, 100);
    setWindowOpacity(opacity_ / 100.0);
}

void PinWindow::setStaysOnTop(bool on) {
    Qt::WindowFlags flags = windowFlags();
    flags.setFlag(Qt::WindowStaysOnTopHint, on);
    // Changed on the native window as it stands: QWidget::setWindowFlags would
    // hide it and map it anew.
    overrideWindowFlags(flags);
    if (QWindow* w = windowHandle()) w->setFlags(flags);
}

void PinWindow::copyPicture() {
    PictureClipboard(nullptr, context_.clipboardEncoder).put(Picture(picture()));
}

void PinWindow::savePicture() {
    const QString folder = context_.saveFolder ? context_.saveFolder() : QString();
    if (!folder.isEmpty()) QDir().mkpath(folder);
    const std::optional<QString> name = askSavePictureName(folder, this);
    if (!name) return;
    // A failed save is shown in the error box; the pin keeps its picture, so
    // another name or folder can be tried.
    const EncodeSettings settings; // JPEG quality 80, TIFF 24 bits uncompressed
    SavePicFile(Picture(picture()), *name, formatKeyOf(*name), settings.jpegQuality,
                settings.tiffColourDepth, settings.tiffCompression, this);
}

void PinWindow::copyColourAt(QPoint screenPos, bool rgb) {
    const QPoint at = mapFromGlobal(screenPos) - offset_;
    if (!pictureArea().contains(at)) return;
    const QPoint offset = at - pictureArea().topLeft();
    const QRgb c = picture().pixel(pictureCoordinate(offset, picture().size(), zoom()));
    const QString text = FormatColourNotations(qRed(c), qGreen(c), qBlue(c))[rgb ? 2 : 0];
    QClipboard* clip = QGuiApplication::clipboard();
    clip->clear();
    clip->setText(text);
    QToolTip::showText(screenPos, QStringLiteral("已复制:%1").arg(text), this);
}

// ---------------------------------------------------------------- drawing

void PinWindow::paintEvent(QPaintEvent* event) {
    // Drawn in the pin's own pixels; the window shows the part from -offset_ on.
    QPainter painter(this);
    painter.translate(offset_);
    const QRegion todo = event->region().translated(-offset_);
    for (const QRect& r : todo& border())
        painter.fillRect(r, hovered_ ? kBorderHovered : kBorder);
    for (const QRect& r : todo& pictureArea())
        view_.draw(painter, QPoint(1, 1), r.translated(-1, -1));
}

void PinWindow::moveEvent(QMoveEvent* event) {
    // Moved by someone else (the window manager): the pin goes along.
    if (context_.placesOwnWindows && pos() != placedAt_) {
        pictureTopLeft_ += pos() - placedAt_;
        place();
    }
    QWidget::moveEvent(event);
}

void PinWindow::enterEvent(QEnterEvent* event) {
    hovered_ = true;
    update(border().translated(offset_));
    QWidget::enterEvent(event);
}

void PinWindow::leaveEvent(QEvent* event) {
    hovered_ = false;
    update(border().translated(offset_));
    QWidget::leaveEvent(event);
}

// ---------------------------------------------------------------- input

void PinWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    raise();
    activateWindow();
    setFocus(Qt::MouseFocusReason);
    // The compositor moves a Wayland window; on X the pin follows the pointer
    // itself, pixel for pixel.
    if (!context_.placesOwnWindows) {
        if (QWindow* w = windowHandle()) w->startSystemMove();
        return;
    }
    dragging_ = true;
    dragOffset_ = event->globalPosition().toPoint() - pictureTopLeft_;
}

void PinWindow::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_) return;
    pictureTopLeft_ = event->globalPosition().toPoint() - dragOffset_;
    place();
}

void PinWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) dragging_ = false;
}

void PinWindow::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) close();
}

void PinWindow::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    if (event->modifiers() & Qt::ControlModifier) {
        if (const int n = opacityWheel_.take(delta)) setOpacityPercent(pinOpacityStep(opacity_, n));
    } else if (const int n = zoomWheel_.take(delta)) {
        zoomBy(n, event->globalPosition().toPoint());
    }
    event->accept();
}

void PinWindow::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers mods =
        event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    const int key = event->key();
    if (key == Qt::Key_Escape && !mods) {
        close();
    } else if (key == Qt::Key_1 && !mods) {
        actualSize();
    } else if (key == Qt::Key_C && mods == Qt::ControlModifier) {
        copyPicture();
    } else if (key == Qt::Key_S && mods == Qt::ControlModifier) {
        savePicture();
    } else if (key == Qt::Key_C && (!mods || mods == Qt::ShiftModifier)) {
        copyColourAt(QCursor::pos(), mods == Qt::ShiftModifier);
    } else {
        QWidget::keyPressEvent(event);
    }
}

void PinWindow::contextMenuEvent(QContextMenuEvent* event) {
    showMenu(event->globalPos());
}

} // namespace kv
