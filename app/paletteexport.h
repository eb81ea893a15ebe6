#pragma once

#include "imageio/saveerror.h"

#include <QByteArray>
#include <QRgb>
#include <QString>
#include <optional>
#include <vector>

class QFileDialog;
class QWidget;

namespace kv {

// The "导出调色板" dialog: Qt's own save dialog (never the desktop's, as every save
// of the program), GIMP palette files first, ".gpl" added to a name typed without
// one, starting in `folder` with the name "最近颜色.gpl".
QFileDialog* createSavePaletteDialog(const QString& folder, QWidget* parent = nullptr);

// Writes the bytes all or nothing: on failure an existing file stays as it was.
std::optional<SaveError> writePaletteFile(const QString& fileName, const QByteArray& bytes);

// Saving colours as a GIMP palette file through the dialog. The dialog opens where the
// last export of this run went (the home folder at first).
class PaletteExport {
public:
    explicit PaletteExport(QWidget* parent) : parent_(parent) {}

    // Asks for a file and writes the palette there; the written file's name, or
    // nothing when cancelled or failed. A failure is told in a message box; the
    // colours stay where they are, so the export can be tried again elsewhere.
    std::optional<QString> Run(const std::vector<QRgb>& colours);

private:
    QWidget* parent_;
    QString folder_;
};

} // namespace kv
