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

bool onWayland() {
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

} // namespace

PinWindow::PinWindow(const QImage& picture, QPoint pictureTopLeft, const PinContext& context)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      context_(context), view_(picture) {
    setAttribute(Qt::WA_DeleteOnClose);
    // Every pixel is drawn by paintEvent: no background fill first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::ClickFocus);
    setWindowTitle(QStringLiteral("贴图 - Kolvane"));
    setGeometry(windowRectAt(pictureTopLeft));
    // The native window now, so that its task-bar hint is there when it is mapped.
    winId();
    keepOutOfTaskBar(windowHandle());
}

QRect PinWindow::windowRectAt(QPoint pictureTopLeft) const {
    const QRect r = pinWindowRect(pictureTopLeft, view_.shownSize());
    return QRect(r.topLeft(), roundedUpTo(r.size(), context_.sizeStep));
}

PinWindow::~PinWindow() = default;

bool PinWindow::staysOnTop() const {
    return windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

QRect PinWindow::pictureGeometry() const {
    return QRect(geometry().topLeft() + QPoint(1, 1), view_.shownSize());
}

void PinWindow::zoomTo(int percent, QPoint anchor) {
    if (percent == zoom()) return;
    const QPoint topLeft = zoomAround(pictureGeometry().topLeft(), anchor, zoom(), percent);
    view_.setZoom(percent);
    setGeometry(windowRectAt(topLeft));
    update();
}

void PinWindow::zoomBy(int notches, QPoint anchor) {
    zoomTo(pinZoomStep(zoom(), notches), anchor);
}

void PinWindow::actualSize() {
    const QPoint pointer = QCursor::pos();
    zoomTo(100, geometry().contains(pointer) ? pointer : pictureGeometry().topLeft());
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
    const QPoint at = mapFromGlobal(screenPos);
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

QRegion PinWindow::onDesktop() const {
    // A Wayland client is not told where its window is.
    if (onWayland() || !screen()) return QRegion(rect());
    return QRegion(rect()) & QRegion(screen()->virtualGeometry().translated(-pos()));
}

void PinWindow::paintEvent(QPaintEvent* event) {
    const QRegion todo = event->region() & onDesktop();
    if (todo.isEmpty()) return;
    QPainter painter(this);
    for (const QRect& r : todo& border())
        painter.fillRect(r, hovered_ ? kBorderHovered : kBorder);
    for (const QRect& r : todo& pictureArea())
        view_.draw(painter, QPoint(1, 1), r.translated(-1, -1));
    painted_ += todo;
}

void PinWindow::resizeEvent(QResizeEvent* event) {
    painted_ = QRegion();
    QWidget::resizeEvent(event);
}

void PinWindow::moveEvent(QMoveEvent* event) {
    // Parts that were off the desktop and have come into view.
    const QRegion fresh = onDesktop() - painted_;
    if (!fresh.isEmpty()) update(fresh);
    QWidget::moveEvent(event);
}

void PinWindow::enterEvent(QEnterEvent* event) {
    hovered_ = true;
    update(border());
    QWidget::enterEvent(event);
}

void PinWindow::leaveEvent(QEvent* event) {
    hovered_ = false;
    update(border());
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
    if (onWayland()) {
        if (QWindow* w = windowHandle()) w->startSystemMove();
        return;
    }
    dragging_ = true;
    dragOffset_ = event->globalPosition().toPoint() - pos();
}

void PinWindow::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_) move(event->globalPosition().toPoint() - dragOffset_);
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
