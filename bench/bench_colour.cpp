// How long one dropper sample and one wheel re-render take, against a plain copy
// of the same bytes measured in the same run.
#include "app/frmmain.h"
#include "colour/screenpicker.h"
#include "colour/wheel.h"
#include "colour/wheelbuffers.h"
#include "platform/clock.h"
#include "platform/screenreaderfactory.h"

#include <QApplication>
#include <QTest>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

using Clock = std::chrono::steady_clock;

namespace {

template <typename F> double nanosPerCall(int calls, F&& f) {
    const auto start = Clock::now();
    for (int i = 0; i < calls; ++i)
        f(i);
    return std::chrono::duration<double, std::nano>(Clock::now() - start).count() / calls;
}

// A copy the optimiser cannot drop.
double copyNanos(std::size_t bytes, int calls) {
    std::vector<unsigned char> from(bytes, 7), to(bytes);
    volatile unsigned char sink = 0;
    const double ns = nanosPerCall(calls, [&](int i) {
        from[0] = static_cast<unsigned char>(i);
        std::memcpy(to.data(), from.data(), bytes);
        sink = sink + to[bytes - 1];
    });
    return ns;
}

void report(const char* what, double ns, double baseline) {
    std::printf("%-44s %10.1f us/call  %8.1f x copy\n", what, ns / 1000.0, ns / baseline);
}

// Re-rendering the wheel: the byte work alone, and the whole slider step with its
// event processing and repaint.
void benchWheel(kv::FrmMain& main) {
    const std::size_t wheelBytes = main.colourPage().wheel.wheelPixels.size();
    const double wheelCopy = copyNanos(wheelBytes, 2000);
    std::printf("wheel %d x %d, %zu bytes; plain copy %.2f us\n",
                main.colourPage().wheel.wheelWidth, main.colourPage().wheel.wheelHeight, wheelBytes,
                wheelCopy / 1000.0);
    kv::WheelBuffers buffers;
    QImage picture = kv::wheel::MakePicture();
    buffers.Build(picture);
    buffers.factors.saturationFactor = 0.5f;
    report("render + write (bytes only)",
           nanosPerCall(500,
                        [&](int) {
                            buffers.Render();
                            buffers.WriteTo(picture);
                        }),
           wheelCopy);
    report("DoJob (with events and repaint)",
           nanosPerCall(200,
                        [&](int i) {
                            main.colourPage().wheel.factors.saturationFactor =
                                (i % 2) ? 0.5f : 1.5f;
                            main.colourPage().DoJob();
                        }),
           wheelCopy);
}

// One dropper sample: the 1 x 1 screen read and the slider refresh, alternating
// between two wheel cells of different colours so that every sample changes all
// three sliders.
void benchDropper(kv::FrmMain& main, kv::ScreenReader& screen) {
    const QPoint a = main.colourPage().ImgCLR->mapToGlobal(QPoint(177, 84)); // right corner cell
    const QPoint b = main.colourPage().ImgCLR->mapToGlobal(QPoint(9, 84));   // left corner cell
    const double pixelCopy = copyNanos(4, 200000);
    std::printf("one pixel, 4 bytes; plain copy %.4f us\n", pixelCopy / 1000.0);
    report("screen read of one pixel",
           nanosPerCall(500, [&](int i) { (void)screen.pixel(i % 2 ? a : b); }), pixelCopy);
    QPoint at = a;
    kv::ScreenPicker picker(
        screen, [&] { return at; },
        [&](int r, int g, int bl) { main.colourPage().SetCurrentColour(r, g, bl); });
    picker.BeginPick();
    report("dropper sample (read + slider refresh)",
           nanosPerCall(500,
                        [&](int i) {
                            at = i % 2 ? a : b;
                            picker.PickScreenPixel();
                        }),
           pixelCopy);
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    QApplication app(argc, argv);

    kv::SystemClock clock;
    auto screen = kv::createScreenReader();
    kv::FrmMainServices services;
    services.clock = &clock;
    services.screen = screen.get();
    kv::FrmMain main(services);
    main.Form_Load();
    main.show();
    if (!QTest::qWaitForWindowExposed(&main)) std::printf("window not exposed\n");
    main.LblColr_Click();
    QTest::qWait(200);

    benchWheel(main);
    benchDropper(main, *screen);
    std::printf("current colour after the run: %d,%d,%d\n", main.colourPage().HSLR->value(),
                main.colourPage().HSLG->value(), main.colourPage().HSLB->value());
    return 0;
}
