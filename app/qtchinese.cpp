// Loading Qt's Simplified Chinese catalogue for the windows Qt draws.
#include "app/qtchinese.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace kv {

bool installQtChinese(QCoreApplication& app) {
    auto* translator = new QTranslator(&app);
    if (!translator->load(QStringLiteral("qtbase_zh_CN"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

} // namespace kv
