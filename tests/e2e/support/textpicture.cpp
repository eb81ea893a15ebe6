#include "e2e/support/textpicture.h"

#include <QFont>
#include <QPainter>

namespace e2e {

QImage textPicture(QSize size, const QStringList& lines, int pitch) {
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter p(&picture);
    QFont font(QStringLiteral("WenQuanYi Micro Hei"));
    font.setPixelSize(16);
    p.setFont(font);
    for (int i = 0; i < lines.size(); ++i)
        p.drawText(20, pitch * (i + 1), lines[i]);
    return picture;
}

} // namespace e2e
