#include "imageio/saveerror.h"

namespace kv {

QString saveErrorText(const SaveError& error) {
    return QStringLiteral("在保存图片的过程中发生错误:\r\n\r\n错误号: ") +
           QString::number(error.number) + QStringLiteral("\r\n错误描述: ") + error.description;
}

} // namespace kv
