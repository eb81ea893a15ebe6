#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class QFileDialog;
class QWidget;

namespace kv {

// The "保存为" dialog for a finished region: Qt's own dialog (never the desktop's,
// so that it behaves the same everywhere), the six file types in a fixed order
// with PNG first, the chosen type's extension (".PNG" at first and for every
// file) added to a name typed without extension, starting in
// the given folder, and no question before replacing a file.
QFileDialog* createSavePictureDialog(const QString& startFolder, QWidget* parent = nullptr);

// The file types as shown, in order.
QStringList savePictureFilterTexts();

// Shows the dialog modally; the chosen file name, or nothing when cancelled.
std::optional<QString> askSavePictureName(const QString& startFolder, QWidget* parent = nullptr);

} // namespace kv
