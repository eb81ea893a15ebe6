#include "app/fontprimer.h"

#include <QFontMetrics>
#include <QString>

namespace kv {

FontPrimer::FontPrimer(QFont font)
    : worker_([font]() mutable {
          // Latin and Chinese text, so that the fallback for either is settled too.
          const QString sample = QStringLiteral("Kolvane V1.1.0 取色屏幕截图");
          QFontMetrics(font).horizontalAdvance(sample);
          font.setBold(true);
          QFontMetrics(font).horizontalAdvance(sample);
      }) {}

FontPrimer::~FontPrimer() {
    if (worker_.joinable()) worker_.join();
}

} // namespace kv
