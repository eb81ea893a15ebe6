// Reading the screen on X: straight from the server through shared memory (and
// Render), or through Qt's grab where the server cannot.
#include "platform/x11screenreader.h"

#include "platform/x11connection.h"
#include "platform/x11monitors.h"
#include "platform/x11rendercopy.h"
#include "platform/x11shmpool.h"
#include "platform/x11shmsegment.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QtEndian>
#include <xcb/shm.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#ifdef __SSE2__
#include <emmintrin.h>
#endif
#include <cstring>

namespace kv {
namespace {

// Qt's own grab of the root window: slow (a round trip through a pixmap), but it
// works wherever Qt does. Used when the fast path below is not available.
class QtScreenReader final : public ScreenReader {
public:
    // `root`: the X root window where known. Qt's grab of "the screen" (window 0)
    // stops at the primary screen's width, so a monitor to the right of it, or a
    // primary monitor that is not the left one, would read black; the root window
    // named as a window is read whole.
    explicit QtScreenReader(WId root = 0) : root_(root) {}

    std::optional<QRgb> pixel(QPoint p) override {
        QImage one = grabImage(QRect(p, QSize(1, 1)));
        if (one.isNull() || one.size() != QSize(1, 1)) return std::nullopt;
        return one.pixel(0, 0) | 0xff000000u;
    }
    ScreenGrab grab(const QRect& r) override { return grabImage(r); }
    QImage grabImage(const QRect& r) {
        QScreen* screen = QGuiApplication::primaryScreen();
        if (!screen || r.isEmpty()) return {};
        return screen->grabWindow(root_, r.x(), r.y(), r.width(), r.height())
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    }
    QSize screenSize() const override {
        QScreen* screen = QGuiApplication::primaryScreen();
        return screen ? screen->geometry().size() * screen->devicePixelRatio() : QSize();
    }
    // Qt's screens, as good as Qt knows them; the X reader asks the server instead.
    Monitors monitors() const override {
        Monitors m;
        const QList<QScreen*> screens = QGuiApplication::screens();
        for (QScreen* screen : screens) {
            const QRect g = screen->geometry();
            const qreal dpr = screen->devicePixelRatio();
            const QRect rect(QPoint(qRound(g.x() * dpr), qRound(g.y() * dpr)), g.size() * dpr);
            if (screen == QGuiApplication::primaryScreen()) m.primary = int(m.list.size());
            m.list.push_back({rect, dpr});
            m.root |= rect;
        }
        if (m.list.empty()) return Monitors::single(QRect(QPoint(0, 0), screenSize()));
        m.root = QRect(QPoint(0, 0), m.root.bottomRight() + QPoint(1, 1));
        return m;
    }

private:
    WId root_;
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

// Copies `count` server pixels into RGB32 pixels; `src` may be `dst`.
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

// Reads the root window straight from the X server: rectangles into MIT-SHM
// segments, through Render where the server can, single pixels through a 1x1
// GetImage. Falls back to Qt where the server offers no shared memory (a remote
// display, for instance) or an unusual pixel layout.
class X11ScreenReader final : public ScreenReader {
public:
    X11ScreenReader(std::shared_ptr<X11Connection> x, X11ReadPath path)
        : x_(std::move(x)), format_(rootFormat(xcb_get_setup(x_->get()), x_->screen())) {
        shmUsable_ = path != X11ReadPath::NoSharedMemory && format_.direct &&
                     QueryShmSupport(x_->get()).present;
        if (shmUsable_) pool_ = std::make_unique<ShmPool>(x_);
        if (shmUsable_ && path == X11ReadPath::Best && !xineramaActive(x_->get()))
            render_ = X11RenderCopy::create(x_);
        root_ = queryRootRect();
    }

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

    ScreenGrab grab(const QRect& r) override {
        if (r.isEmpty()) return {};
        if (!shmUsable_) return fallbackGrab(r);
        // The root's size is asked again only when the rectangle reaches past
        // what we know of it, or the read fails because the screen shrank: a full
        // screen read then costs one round trip to the server, not two.
        if (!root_.contains(r)) root_ = queryRootRect();
        for (int attempt = 0; attempt < 2; ++attempt) {
            // Whatever lies off the screen reads as black, as a copy from the
            // screen beyond its edge does.
            const QRect src = r & root_;
            if (src.isEmpty()) {
                QImage out(r.size(), QImage::Format_RGB32);
                out.fill(Qt::black);
                return out;
            }
            if (std::optional<QImage> out = readShm(src, r)) return *out;
            if (!shmUsable_) break;
            root_ = queryRootRect();
        }
        return fallbackGrab(r);
    }

    QSize screenSize() const override { return monitors().primaryRect().size(); }
    Monitors monitors() const override { return queryX11Monitors(x_->get(), x_->root()); }

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

    // Reads `src`, the part of `r` on the screen, into a picture of `r`;
    // nothing when the server refuses the read.
    std::optional<QImage> readShm(const QRect& src, const QRect& r) {
        const size_t bytes = size_t(src.width()) * size_t(src.height()) * 4;
        const size_t rootBytes = size_t(root_.width()) * size_t(root_.height()) * 4;
        std::optional<ShmPool::Lease> lease = pool_->acquire(std::max(bytes, rootBytes));
        if (!lease) {
            shmUsable_ = false;
            return std::nullopt;
        }
        if (!copyInto(src, *lease)) {
            pool_->release(*lease);
            return std::nullopt;
        }
        // A read of (nearly) the whole screen becomes the picture itself, with no
        // copy; a smaller one is copied out, so that a small picture does not keep
        // a screen-sized segment alive.
        if (src == r && bytes * 4 >= rootBytes * 3)
            return pool_->adopt(*lease, r.size(), QImage::Format_RGB32);
        QImage out(r.size(), QImage::Format_RGB32);
        if (!out.isNull()) {
            if (src != r) out.fill(Qt::black);
            const QPoint at = src.topLeft() - r.topLeft();
            const size_t row = size_t(src.width()) * 4;
            for (int y = 0; y < src.height(); ++y)
                std::memcpy(out.scanLine(at.y() + y) + at.x() * 4, lease->bits() + y * row, row);
        }
        pool_->release(*lease);
        return out;
    }

    // Has the server put `src` into the segment as RGB32 rows without padding.
    bool copyInto(const QRect& src, const ShmPool::Lease& lease) {
        if (render_) {
            if (render_->copy(src, lease.segment.seg)) return true;
            // A server that refuses once will refuse again; GetImage still works.
            render_.reset();
        }
        return readBands(src, lease);
    }

    // Has the server write `src` into the segment in bands and makes each band
    // RGB32 in place as soon as it has arrived: while the server writes the next
    // one, and while this one is still in the cache.
    bool readBands(const QRect& src, const ShmPool::Lease& lease) {
        // Bands of about 2 MB measured fastest: smaller ones cost more round
        // trips than they save.
        constexpr size_t bandBytes = 2 << 20;
        constexpr int maxBands = 64;
        const int w = src.width(), h = src.height();
        // Offsets into the segment are 32-bit.
        if (size_t(w) * size_t(h) * 4 > 0xffffffffu) return false;
        const int bandRows = int(std::max<size_t>(1, bandBytes / (size_t(w) * 4)));
        const int bands = std::clamp(h / bandRows, 1, maxBands);
        xcb_connection_t* c = x_->get();
        std::array<xcb_shm_get_image_cookie_t, maxBands> cookies;
        for (int b = 0; b < bands; ++b) {
            const int y0 = h * b / bands, y1 = h * (b + 1) / bands;
            cookies[b] =
                xcb_shm_get_image(c, x_->root(), int16_t(src.x()), int16_t(src.y() + y0),
                                  uint16_t(w), uint16_t(y1 - y0), ~0u, XCB_IMAGE_FORMAT_Z_PIXMAP,
                                  lease.segment.seg, uint32_t(size_t(y0) * size_t(w) * 4));
        }
        bool ok = true;
        for (int b = 0; b < bands; ++b) {
            xcb_generic_error_t* error = nullptr;
            xcb_shm_get_image_reply_t* reply = xcb_shm_get_image_reply(c, cookies[b], &error);
            std::free(error);
            ok = ok && reply;
            std::free(reply);
            if (!ok) continue; // the remaining replies are still collected
            const int y0 = h * b / bands, y1 = h * (b + 1) / bands;
            auto* band = reinterpret_cast<uint32_t*>(lease.bits()) + size_t(y0) * size_t(w);
            convertPixels(format_, band, band, size_t(w) * size_t(y1 - y0));
        }
        return ok;
    }

    QImage fallbackGrab(const QRect& r) {
        if (QGuiApplication::primaryScreen()) return fallback_.grabImage(r);
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
    std::unique_ptr<ShmPool> pool_;
    std::unique_ptr<X11RenderCopy> render_;
    QtScreenReader fallback_{x_->root()};
};

} // namespace

std::unique_ptr<ScreenReader> createX11ScreenReader(X11ReadPath path) {
    auto x = X11Connection::open();
    if (!x || !x->screen()) return nullptr;
    return std::make_unique<X11ScreenReader>(std::move(x), path);
}

std::unique_ptr<ScreenReader> createQtScreenReader() {
    return std::make_unique<QtScreenReader>();
}

} // namespace kv
