#include "platform/tray.h"

#include <QImageReader>
#include <QPixmap>
#include <QSystemTrayIcon>

namespace kv {

namespace {
constexpr int kSmallIcon = 16;
}

QIcon loadSmallIcon(const QString& path) {
    QImageReader reader(path);
    QImage best;
    // An .ico file holds several pictures; take the one made for 16 x 16.
    do {
        QImage image = reader.read();
        if (image.isNull()) break;
        if (image.size() == QSize(kSmallIcon, kSmallIcon)) {
            best = image;
            break;
        }
        if (best.isNull() || image.width() * image.height() > best.width() * best.height())
            best = image;
    } while (reader.jumpToNextImage());
    if (best.isNull()) return {};
    if (best.size() != QSize(kSmallIcon, kSmallIcon))
        best = best.scaled(kSmallIcon, kSmallIcon, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return QIcon(QPixmap::fromImage(best));
}

TrayIcon::TrayIcon() = default;

TrayIcon::~TrayIcon() = default;

void TrayIcon::show(const QString& iconPath, const QString& tip) {
    QIcon picture = loadSmallIcon(iconPath);
    if (picture.isNull()) {
        // Qt refuses to dock an icon without a picture; a transparent one gives
        // the entry the user can still see in the tray, empty.
        QPixmap empty(kSmallIcon, kSmallIcon);
        empty.fill(Qt::transparent);
        picture = QIcon(empty);
    }
    if (!icon_) icon_ = std::make_unique<QSystemTrayIcon>();
    icon_->setIcon(picture);
    icon_->setToolTip(tip);
    icon_->show();
}

void TrayIcon::hide() {
    // Dropping the object takes the entry out of the tray; the next show starts
    // afresh with a newly read picture.
    icon_.reset();
}

bool TrayIcon::isShown() const {
    return icon_ && icon_->isVisible();
}

QIcon TrayIcon::icon() const {
    return icon_ ? icon_->icon() : QIcon();
}

QString TrayIcon::tip() const {
    return icon_ ? icon_->toolTip() : QString();
}

} // namespace kv
