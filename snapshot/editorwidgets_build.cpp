// Building the editor's widgets: outline, read-outs, handles, the bars and the text box,
// from the bottom up, and the loupe drawn from the picture the editor shows.
#include "colour/notations.h"
#include "platform/units.h"
#include "snapshot/editorstyle.h"
#include "snapshot/editorwidgets.h"
#include "snapshot/optionbar.h"
#include "snapshot/secondbar.h"
#include "snapshot/toolbar.h"

namespace kv {

namespace {

QLabel* makeReadOut(QWidget* parent, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    label->setAttribute(Qt::WA_TranslucentBackground);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, kReadOutColour);
    label->setPalette(pal);
    QFont f = label->font();
    f.setPixelSize(kReadOutPixelSize);
    label->setFont(f);
    label->setContentsMargins(0, 0, 0, 0);
    label->adjustSize();
    label->hide();
    return label;
}

} // namespace

EditorWidgets::EditorWidgets(QWidget* editor, const EditorSession& session, const QString& keysTip)
    : editor_(editor), session_(session) {
    build(keysTip);
}

EditorOverlays EditorWidgets::overlays() const {
    return {Shape1,   Image1,       LblPos,   lblInfo,  LblHelp,    LblKeys,   Picture1,
            Picture2, secondPanel_, TextEdit, toolBar_, optionBar_, secondBar_};
}

void EditorWidgets::build(const QString& keysTip) {
    // Created from the bottom up: outline, read-outs, handles, then the bars and the
    // text box, which lie above everything else.
    Shape1 = new SelectionOutline(editor_);
    Shape1->hide();
    LblPos = makeReadOut(editor_, QStringLiteral("区域大小:宽*高"));
    lblInfo = makeReadOut(editor_, QStringLiteral("当前RGB:(0,0,0)"));
    LblHelp = makeReadOut(editor_, QStringLiteral("双击可以快速完成截图。"));
    LblKeys = makeReadOut(editor_, keysTip);
    for (int i = 0; i < kHandleCount; ++i) {
        Image1[std::size_t(i)] = new HandleBox(i, editor_);
        Image1[std::size_t(i)]->hide();
    }
    Picture1 = new ToolBarPanel(editor_);
    Picture1->hide();
    toolBar_ = new ToolBar(Picture1);
    secondPanel_ = new ToolBarPanel(editor_);
    secondPanel_->hide();
    secondBar_ = new SecondBar(secondPanel_);
    Picture2 = new ClickableLabel(editor_);
    Picture2->setAutoFillBackground(true);
    QPalette pal = Picture2->palette();
    pal.setColor(QPalette::Window, kBarBackground);
    Picture2->setPalette(pal);
    Picture2->resize(twips(3620), twips(560));
    Picture2->hide();
    optionBar_ = new OptionBar(Picture2, session_.strokes().options());
    TextEdit = new QLineEdit(editor_);
    TextEdit->hide();
    TextEdit->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void EditorWidgets::showLoupe(QPoint hot) {
    const LoupeSource source = LoupeSourceFrom(session_.surface().screen(), QPoint(0, 0), hot);
    QStringList caption;
    if (source.centreValid()) {
        const QRgb c = source.centre();
        caption << FormatColourNotations(qRed(c), qGreen(c), qBlue(c))[0];
    }
    caption << QStringLiteral("(%1,%2)").arg(hot.x()).arg(hot.y());
    // The editor's (0, 0) is the desktop's, so its children's places are desktop pixels.
    std::vector<QRect> readOuts;
    for (const QWidget* w : {static_cast<QWidget*>(LblPos), static_cast<QWidget*>(lblInfo),
                             static_cast<QWidget*>(LblHelp), static_cast<QWidget*>(LblKeys)})
        if (w->isVisible()) readOuts.push_back(w->geometry().translated(editor_->pos()));
    loupe_.Show(hot, source, caption, session_.monitors().monitorFor(hot), readOuts);
}

} // namespace kv
