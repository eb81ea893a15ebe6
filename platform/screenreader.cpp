#include "platform/screenreader.h"

#include "platform/x11connection.h"
#include "platform/x11screenreader.h"
#include "platform/x11shmsegment.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QtEndian>
#include <xcb/shm.h>

#include <cstdlib>
#ifdef __SSE2__
#include <emmintrin.h>
#endif
#include <cstring>
#include <sys/ipc.h>
#include <sys/shm.h>

namespace kv {
namespace {

// Qt's own grab of the root window: slow (a round trip through a pixmap), but it
// works wherever Qt does. Used when the fast path below is not available.
class QtScreenReader final : public ScreenReader {
public:
    std::optional<QRgb> pixel(QPoint p) override {
        QImage one = grab(QRect(p, QSize(1, 1)));
        if (one.isNull() || one.size() != QSize(1, 1)) return std::nullopt;
        return one.pixel(0, 0) | 0xff000000u;
    }
    QImage grab(const QRect& r) override {
        QScreen* screen = QGuiApplication::primaryScreen();
        if (!screen || r.isEmpty()) return {};
        return screen->grabWindow(0, r.x(), r.y(), r.width(), r.height())
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    }
    QSize screenSize() const override {
        QScreen* screen = QGuiApplication::primaryScreen();
        return screen ? screen->geometry().size() * screen->devicePixelRatio() : QSize();
    }
};

// How the root window's pixels are laid out in a Z-pixmap image. Only the layout
// every current X server uses for true colour is read directly: 32 bits a pixel,
// 8 bits a channel; anything else goes through Qt.
struct RootFormat {
    bool direct = false;
    bool swapBytes = false; // server byte order differs from ours
    int redShift = 16, greenShift = 8, blueShift = 0;
};

int maskShift(uint32_t mask) {
    switch (mask) {
    case 0xff000000u:
        return 24;
    case 0x00ff0000u:
        return 16;
    case 0x0000ff00u:
        return 8;
    case 0x000000ffu:
        return 0;
    default:
        return -1;
    }
}

RootFormat rootFormat(const xcb_setup_t* setup, const xcb_screen_t* screen) {
    RootFormat f;
    int bpp = 0;
    for (auto it = xcb_setup_pixmap_formats_iterator(setup); it.rem; xcb_format_next(&it))
        if (it.data->depth == screen->root_depth) bpp = it.data->bits_per_pixel;
    if (bpp != 32) return f;
    const xcb_visualtype_t* visual = nullptr;
    for (auto d = xcb_screen_allowed_depths_iterator(screen); d.rem && !visual;
         xcb_depth_next(&d)) {
        for (auto v = xcb_depth_visuals_iterator(d.data); v.rem; xcb_visualtype_next(&v))
            if (v.data->visual_id == screen->root_visual) visual = v.data;
    }
    if (!visual || (visual->_class != XCB_VISUAL_CLASS_TRUE_COLOR &&
                    visual->_class != XCB_VISUAL_CLASS_DIRECT_COLOR))
        return f;
    f.redShift = maskShift(visual->red_mask);
    f.greenShift = maskShift(visual->green_mask);
    f.blueShift = maskShift(visual->blue_mask);
    if (f.redShift < 0 || f.greenShift < 0 || f.blueShift < 0) return f;
    const bool serverLittle = setup->image_byte_order == XCB_IMAGE_ORDER_LSB_FIRST;
    f.swapBytes = serverLittle != (QSysInfo::ByteOrder == QSysInfo::LittleEndian);
    f.direct = true;
    return f;
}

// Sets the unused top byte of `count` pixels, as Format_RGB32 requires, while
// copying them. A full screen is two million pixels, so this is written out four
// pixels at a time rather than left to the optimiser.
void copyOpaque(const uint32_t* src, uint32_t* dst, size_t count) {
    size_t i = 0;
#ifdef __SSE2__
    const __m128i opaque = _mm_set1_epi32(int(0xff000000u));
    for (; i + 16 <= count; i += 16) {
        const auto* s = reinterpret_cast<const __m128i*>(src + i);
        auto* d = reinterpret_cast<__m128i*>(dst + i);
        const __m128i a = _mm_loadu_si128(s), b = _mm_loadu_si128(s + 1),
                      c = _mm_loadu_si128(s + 2), e = _mm_loadu_si128(s + 3);
        _mm_storeu_si128(d, _mm_or_si128(a, opaque));
        _mm_storeu_si128(d + 1, _mm_or_si128(b, opaque));
        _mm_storeu_si128(d + 2, _mm_or_si128(c, opaque));
        _mm_storeu_si128(d + 3, _mm_or_si128(e, opaque));
    }
#endif
    for (; i < count; ++i)
        dst[i] = src[i] | 0xff000000u;
}

// Copies `count` server pixels into RGB32 pixels.
void convertPixels(const RootFormat& f, const uint32_t* src, uint32_t* dst, size_t count) {
    if (!f.swapBytes && f.redShift == 16 && f.greenShift == 8 && f.blueShift == 0) {
        copyOpaque(src, dst, count);
        return;
    }
    for (size_t i = 0; i < count; ++i) {
        uint32_t v = f.swapBytes ? qbswap(src[i]) : src[i];
        dst[i] =
            qRgb((v >> f.redShift) & 0xff, (v >> f.greenShift) & 0xff, (v >> f.blueShift) & 0xff);
    }
}

// Reads the root window straight from the X server: rectangles through one
// MIT-SHM segment that is reused from read to read, single pixels through a 1x1
// GetImage. Falls back to Qt where the server offers no shared memory (a remote
// display, for instance) or an unusual pixel layout.
class X11ScreenReader final : public ScreenReader {
public:
    X11ScreenReader(std::shared_ptr<X11Connection> x, bool allowSharedMemory)
        : x_(std::move(x)), format_(rootFormat(xcb_get_setup(x_->get()), x_->screen())) {
        shmUsable_ = allowSharedMemory && format_.direct && shmPresent();
        root_ = queryRootRect();
    }

    ~X11ScreenReader() override { releaseSegment(); }

    std::optional<QRgb> pixel(QPoint p) override {
        if (!format_.direct) return fallbackPixel(p);
        // Off the root the server answers with an error, which reads as nothing.
        if (p.x() < 0 || p.y() < 0 || p.x() > 0x7fff || p.y() > 0x7fff) return std::nullopt;
        xcb_connection_t* c = x_->get();
        auto cookie = xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, x_->root(), int16_t(p.x()),
                                    int16_t(p.y()), 1, 1, ~0u);
        xcb_get_image_reply_t* reply = xcb_get_image_reply(c, cookie, nullptr);
        if (!reply) return std::nullopt;
        std::optional<QRgb> result;
        if (xcb_get_image_data_length(reply) >= 4) {
            uint32_t src;
            std::memcpy(&src, xcb_get_image_data(reply), 4);
            uint32_t out;
            convertPixels(format_, &src, &out, 1);
            result = out;
        }
        std::free(reply);
        return result;
    }

    QImage grab(const QRect& r) override {
        if (r.isEmpty()) return {};
        if (!shmUsable_) return fallbackGrab(r);
        QImage out(r.size(), QImage::Format_RGB32);
        if (out.isNull()) return {};
        // The root's size is asked again only when the rectangle reaches past
        // what we know of it, or the read fails because the screen shrank: a full
        // screen read then costs one round trip to the server, not two.
        if (!root_.contains(r)) root_ = queryRootRect();
        for (int attempt = 0; attempt < 2; ++attempt) {
            // Whatever lies off the screen reads as black, as a copy from the
            // screen beyond its edge does.
            const QRect src = r & root_;
            if (src != r) out.fill(Qt::black);
            if (src.isEmpty()) return out;
            if (readShm(src, out, src.topLeft() - r.topLeft())) return out;
            if (!shmUsable_) break;
            root_ = queryRootRect();
        }
        return fallbackGrab(r);
    }

    QSize screenSize() const override {
        if (QGuiApplication::primaryScreen()) return fallback_.screenSize();
        return queryRootRect().size();
    }

private:
    // The root window follows screen changes (RandR).
    QRect queryRootRect() const {
        xcb_connection_t* c = x_->get();
        auto reply = xcb_get_geometry_reply(c, xcb_get_geometry(c, x_->root()), nullptr);
        if (!reply)
            return QRect(0, 0, x_->screen()->width_in_pixels, x_->screen()->height_in_pixels);
        QRect rect(0, 0, reply->width, reply->height);
        std::free(reply);
        return rect;
    }

    bool shmPresent() const {
        xcb_connection_t* c = x_->get();
        const xcb_query_extension_reply_t* ext = xcb_get_extension_data(c, &xcb_shm_id);
        if (!ext || !ext->present) return false;
        auto reply = xcb_shm_query_version_reply(c, xcb_shm_query_version(c), nullptr);
        if (!reply) return false;
        std::free(reply);
        return true;
    }

    // One segment, sized for the whole root window and grown when a larger read
    // asks for more, so a run of captures does not create and attach a segment
    // each time.
    bool ensureSegment(size_t bytes) {
        if (shmAddr_ && shmSize_ >= bytes) return true;
        releaseSegment();
        const size_t size = std::max(bytes, size_t(root_.width()) * size_t(root_.height()) * 4);
        const ShmSegment segment = AttachShmSegment(x_->get(), size);
        if (!segment.valid()) return false;
        seg_ = segment.seg;
        shmAddr_ = static_cast<uchar*>(segment.addr);
        shmSize_ = size;
        return true;
    }

    void releaseSegment() {
        ShmSegment segment{seg_, shmAddr_};
        DetachShmSegment(x_->get(), segment);
        shmAddr_ = nullptr;
        shmSize_ = 0;
    }

    bool readShm(const QRect& src, QImage& out, QPoint at) {
        const size_t bytes = size_t(src.width()) * size_t(src.height()) * 4;
        if (!ensureSegment(bytes)) {
            shmUsable_ = false;
            return false;
        }
        xcb_connection_t* c = x_->get();
        auto cookie = xcb_shm_get_image(c, x_->root(), int16_t(src.x()), int16_t(src.y()),
                                        uint16_t(src.width()), uint16_t(src.height()), ~0u,
                                        XCB_IMAGE_FORMAT_Z_PIXMAP, seg_, 0);
        xcb_generic_error_t* error = nullptr;
        xcb_shm_get_image_reply_t* reply = xcb_shm_get_image_reply(c, cookie, &error);
        if (!reply) {
            std::free(error);
            return false;
        }
        std::free(reply);
        const auto* pixels = reinterpret_cast<const uint32_t*>(shmAddr_);
        const int w = src.width();
        if (at.isNull() && out.width() == w && out.bytesPerLine() == w * 4) {
            convertPixels(format_, pixels, reinterpret_cast<uint32_t*>(out.bits()),
                          size_t(w) * size_t(src.height()));
        } else {
            for (int y = 0; y < src.height(); ++y)
                convertPixels(format_, pixels + size_t(y) * w,
                              reinterpret_cast<uint32_t*>(out.scanLine(at.y() + y)) + at.x(),
                              size_t(w));
        }
        return true;
    }

    QImage fallbackGrab(const QRect& r) {
        if (QGuiApplication::primaryScreen()) return fallback_.grab(r);
        return {};
    }
    std::optional<QRgb> fallbackPixel(QPoint p) {
        if (QGuiApplication::primaryScreen()) return fallback_.pixel(p);
        return std::nullopt;
    }

    std::shared_ptr<X11Connection> x_;
    RootFormat format_;
    bool shmUsable_ = false;
    QRect root_;
    xcb_shm_seg_t seg_ = 0;
    uchar* shmAddr_ = nullptr;
    size_t shmSize_ = 0;
    QtScreenReader fallback_;
};

} // namespace

std::unique_ptr<ScreenReader> createX11ScreenReader(bool allowSharedMemory) {
    auto x = X11Connection::open();
    if (!x || !x->screen()) return nullptr;
    return std::make_unique<X11ScreenReader>(std::move(x), allowSharedMemory);
}

std::unique_ptr<ScreenReader> createQtScreenReader() {
    return std::make_unique<QtScreenReader>();
}

std::unique_ptr<ScreenReader> createScreenReader() {
    if (auto reader = createX11ScreenReader(true)) return reader;
    return createQtScreenReader();
}

} // namespace kv
