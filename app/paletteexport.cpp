#include "app/paletteexport.h"

#include "colour/gimppalette.h"
#include "imageio/filewriter.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <memory>

namespace kv {

QFileDialog* createSavePaletteDialog(const QString& folder, QWidget* parent) {
    auto* dialog = new QFileDialog(parent, QStringLiteral("导出调色板"), folder);
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setNameFilters({QStringLiteral("GIMP调色板 (*.gpl)"), QStringLiteral("所有文件 (*)")});
    dialog->setDefaultSuffix(QStringLiteral("gpl"));
    dialog->selectFile(QStringLiteral("最近颜色.gpl"));
    // In the words of the picture save dialog.
    dialog->setLabelText(QFileDialog::LookIn, QStringLiteral("保存在:"));
    dialog->setLabelText(QFileDialog::FileName, QStringLiteral("文件名(&N):"));
    dialog->setLabelText(QFileDialog::FileType, QStringLiteral("保存类型:"));
    dialog->setLabelText(QFileDialog::Accept, QStringLiteral("保存(&S)"));
    dialog->setLabelText(QFileDialog::Reject, QStringLiteral("取消"));
    return dialog;
}

std::optional<SaveError> writePaletteFile(const QString& fileName, const QByteArray& bytes) {
    FileWriter writer(fileName);
    if (auto failed = writer.open()) return failed;
    writer.write(bytes.constData(), bytes.size());
    return writer.commit();
}

namespace {

void showFailure(const SaveError& error, QWidget* parent) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Kolvane"),
                    QStringLiteral("调色板未能导出。\n\n%1\n\n最近颜色都还在，可以另选位置再导出。")
                        .arg(error.description),
                    QMessageBox::Ok, parent);
    box.button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
    box.exec();
}

} // namespace

std::optional<QString> PaletteExport::Run(const std::vector<QRgb>& colours) {
    const QString start = folder_.isEmpty() ? QDir::homePath() : folder_;
    std::unique_ptr<QFileDialog> dialog(createSavePaletteDialog(start, parent_));
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return std::nullopt;
    const QString fileName = dialog->selectedFiles().first();
    folder_ = QFileInfo(fileName).absolutePath();
    const QByteArray text = GimpPaletteText(colours, QStringLiteral("Kolvane 最近颜色"));
    if (auto failed = writePaletteFile(fileName, text)) {
        showFailure(*failed, parent_);
        return std::nullopt;
    }
    return fileName;
}

} // namespace kv
