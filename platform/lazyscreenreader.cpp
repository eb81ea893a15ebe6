#include "platform/lazyscreenreader.h"

namespace kv {

namespace {

// Stands in when the factory gives nothing: no pixels, one screen of no size.
class NoScreen : public ScreenReader {
public:
    std::optional<QRgb> pixel(QPoint) override { return std::nullopt; }
    ScreenGrab grab(const QRect&) override { return {QImage(), failure()}; }
    QSize screenSize() const override { return {}; }
    PictureHold holdPicture() override { return {false, failure()}; }

private:
    static QString failure() { return QStringLiteral("无法读取屏幕。"); }
};

} // namespace

ScreenReader& LazyScreenReader::reader() const {
    std::call_once(once_, [this] {
        reader_ = make_ ? make_() : nullptr;
        if (!reader_) reader_ = std::make_unique<NoScreen>();
    });
    return *reader_;
}

} // namespace kv
