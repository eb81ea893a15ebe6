#include "app/frmmain.h"
#include "app/qtchinese.h"
#include "platform/desktopscale.h"
#include "platform/heap.h"
#include "platform/screenreader.h"
#include "platform/singleinstance.h"
#include "platform/tone.h"
#include "platform/tray.h"
#include "platform/units.h"
#include "platform/waylandscale.h"
#include "platform/x11windows.h"

#include <QApplication>
#include <QFont>
#include <QStyleFactory>

namespace {

// The desktop's scale for the main window on X11, from what the environment asked
// of Qt programs (`asked`) and the X resources. Qt itself scales nothing; it is
// given the matching font resolution, so text, dialogs and the style's metrics
// follow the scale.
double takeDesktopScale(kv::DesktopScaleInputs asked) {
    kv::ReadX11ScaleInputs(asked);
    const double scale = kv::ChooseDesktopScale(asked);
    qputenv("QT_FONT_DPI", QByteArray::number(kv::nearInt(96 * scale)));
    return scale;
}

} // namespace

int main(int argc, char** argv) {
    kv::DesktopScaleInputs asked;
    asked.scaleFactor = qEnvironmentVariable("QT_SCALE_FACTOR");
    asked.screenScaleFactors = qEnvironmentVariable("QT_SCREEN_SCALE_FACTORS");
    asked.fontDpi = qEnvironmentVariable("QT_FONT_DPI");
    // Kolvane works in X screen pixels throughout: no scaling between the screen
    // and what we read, draw and cut. The main window applies the desktop's scale
    // itself.
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    qunsetenv("QT_SCALE_FACTOR");
    qunsetenv("QT_SCREEN_SCALE_FACTORS");
    // In a Wayland session Kolvane is a Wayland client: under XWayland it would see
    // only the X programs' pixels. The screen comes from the desktop portal then.
    if (kv::isWaylandSession() && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "wayland;xcb");
    // On a Wayland output of scale 2 a window is sized in layout units, half its
    // pixels. Scaling Qt by the inverse makes one widget pixel one device pixel
    // again: the pixels of the portal's pictures, which the editor cuts from.
    if (kv::isWaylandSession() && qgetenv("QT_QPA_PLATFORM").startsWith("wayland")) {
        if (const int scale = kv::waylandOutputScale(); scale > 1) {
            qputenv("QT_ENABLE_HIGHDPI_SCALING", "1");
            qputenv("QT_SCALE_FACTOR", QByteArray::number(1.0 / scale));
            qputenv("QT_SCALE_FACTOR_ROUNDING_POLICY", "PassThrough");
        }
    }
    kv::keepLargeBlocksForReuse();
    // A second start leaves before it even connects to the display.
    kv::SingleInstance instance(QStringLiteral("kolvane"));
    if (instance.anotherIsRunning()) return 0;
    // A Wayland client keeps to the output's device pixels as set above.
    const bool onWayland = qgetenv("QT_QPA_PLATFORM").startsWith("wayland");
    const double scale = onWayland ? 1.0 : takeDesktopScale(asked);

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kolvane"));
    kv::installQtChinese(app);

    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QFont ui(QStringLiteral("WenQuanYi Micro Hei"));
    ui.setPointSize(9);
    QApplication::setFont(ui);

    kv::SystemClock clock;
    auto screen = kv::createScreenReader();
    kv::FrmMainServices services;
    services.clock = &clock;
    services.screen = screen.get();
    services.programDir = QCoreApplication::applicationDirPath();
    services.scale = kv::UiScale(scale);

    // ---- capture: window information, countdown tones, tray icon ----
    auto windows = kv::createDesktopWindows();
    auto tones = kv::createTonePlayer();
    kv::TrayIcon tray;
    services.windows = windows.get();
    services.tones = tones.get();
    services.tray = &tray;
    // ---- end capture ----

    kv::FrmMain main(services);
    main.Form_Load();
    main.show();
    return app.exec();
}
