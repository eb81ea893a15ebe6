#pragma once

// Qt's own windows (dialogs, message boxes) in Simplified Chinese.
class QCoreApplication;

namespace kv {

// Kolvane speaks Simplified Chinese whatever the desktop's language, and so must
// the windows Qt draws for it (the colour dialog, the save dialog, message boxes).
// Loads Qt's own Simplified Chinese catalogue; false when it is not installed, and
// those windows then stay in English.
bool installQtChinese(QCoreApplication& app);

} // namespace kv
