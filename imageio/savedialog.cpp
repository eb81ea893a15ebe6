#include "imageio/savedialog.h"

#include <QFileDialog>
#include <memory>
#include <utility>

namespace kv {

namespace {

struct FileType {
    const char* text;    // shown to the user
    const char* pattern; // what the list of files shows
};

// The JPEG type names both extensions but lists *.jpg files only; what is
// written depends on the extension of the name alone.
constexpr FileType fileTypes[] = {
    {"PNG文件(*.PNG)", "*.PNG"}, {"JPEG文件(*.jpg;*.jpeg)", "*.jpg"}, {"位图文件(*.bmp)", "*.bmp"},
    {"GIF文件(*.gif)", "*.gif"}, {"TIFF文件(*.TIFF)", "*.tiff"},      {"所有文件(*.*)", "*.*"},
};

// The dialog's labels and buttons in the words of the system's own save dialog, in
// Chinese like the rest of the program, whether or not Qt's catalogue is at hand.
// Only the name box's label has a keyboard shortcut (a label without a buddy would
// show the "&" as it is).
constexpr std::pair<QFileDialog::DialogLabel, const char*> dialogLabels[] = {
    {QFileDialog::LookIn, "保存在:"},     {QFileDialog::FileName, "文件名(&N):"},
    {QFileDialog::FileType, "保存类型:"}, {QFileDialog::Accept, "保存(&S)"},
    {QFileDialog::Reject, "取消"},
};

} // namespace

QStringList savePictureFilterTexts() {
    QStringList texts;
    for (const FileType& t : fileTypes)
        texts << QString::fromUtf8(t.text);
    return texts;
}

QFileDialog* createSavePictureDialog(const QString& startFolder, QWidget* parent) {
    auto* dialog = new QFileDialog(parent, QStringLiteral("保存为"), startFolder);
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setOption(QFileDialog::DontConfirmOverwrite);
    // Qt reads a type's patterns from the last parentheses of its text; the
    // shown text keeps only what comes before them.
    dialog->setOption(QFileDialog::HideNameFilterDetails);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    QStringList filters;
    for (const FileType& t : fileTypes)
        filters << QStringLiteral("%1 (%2)").arg(QString::fromUtf8(t.text),
                                                 QString::fromUtf8(t.pattern));
    dialog->setNameFilters(filters);
    dialog->selectNameFilter(filters.first());
    dialog->setDefaultSuffix(QStringLiteral("PNG"));
    // A name typed without extension takes that of the chosen file type, so that
    // choosing "位图文件" and typing "shot" gives a bitmap, not a PNG; with every
    // file shown it stays PNG.
    // (The dialog names the type by its shown text, or by the whole filter.)
    QObject::connect(dialog, &QFileDialog::filterSelected, dialog,
                     [dialog, filters](const QString& chosen) {
                         QString suffix = QStringLiteral("PNG");
                         for (qsizetype i = 0; i < filters.size(); ++i) {
                             const FileType& t = fileTypes[i];
                             if (chosen != filters[i] && chosen != QString::fromUtf8(t.text))
                                 continue;
                             const QString pattern = QString::fromUtf8(t.pattern);
                             if (pattern != u"*.*") suffix = pattern.mid(2);
                         }
                         dialog->setDefaultSuffix(suffix);
                     });
    for (const auto& [label, text] : dialogLabels)
        dialog->setLabelText(label, QString::fromUtf8(text));
    return dialog;
}

std::optional<QString> askSavePictureName(const QString& startFolder, QWidget* parent) {
    std::unique_ptr<QFileDialog> dialog(createSavePictureDialog(startFolder, parent));
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return std::nullopt;
    return dialog->selectedFiles().first();
}

} // namespace kv
