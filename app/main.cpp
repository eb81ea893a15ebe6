#include "app/frmmain.h"
#include "app/qtchinese.h"
#include "platform/desktopscale.h"
#include "platform/heap.h"
#include "platform/screenreader.h"
#include "platform/singleinstance.h"
#include "platform/tone.h"
#include "platform/tray.h"
#include "platform/units.h"
#include "platform/x11windows.h"

#include <QApplication>
#include <QFont>
#include <QStyleFactory>

namespace {

// The desktop's scale for the main window, from what the environment asks of Qt
// programs and the X resources. Qt itself is then told to scale nothing but text.
double takeDesktopScale() {
    kv::DesktopScaleInputs in;
    in.scaleFactor = qEnvironmentVariable("QT_SCALE_FACTOR");
    in.screenScaleFactors = qEnvironmentVariable("QT_SCREEN_SCALE_FACTORS");
    in.fontDpi = qEnvironmentVariable("QT_FONT_DPI");
    kv::ReadX11ScaleInputs(in);
    const double scale = kv::ChooseDesktopScale(in);
    // Kolvane works in X screen pixels throughout: no scaling between the screen
    // and what we read, draw and cut. The main window applies the scale itself;
    // fonts (and the style's metrics) follow the font resolution.
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    qunsetenv("QT_SCALE_FACTOR");
    qunsetenv("QT_SCREEN_SCALE_FACTORS");
    qputenv("QT_FONT_DPI", QByteArray::number(kv::nearInt(96 * scale)));
    return scale;
}

} // namespace

int main(int argc, char** argv) {
    // In a Wayland session Kolvane is a Wayland client: under XWayland it would see
    // only the X programs' pixels. The screen comes from the desktop portal then.
    if (kv::isWaylandSession() && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "wayland;xcb");
    kv::keepLargeBlocksForReuse();
    // A second start leaves before it even connects to the display.
    kv::SingleInstance instance(QStringLiteral("kolvane"));
    if (instance.anotherIsRunning()) return 0;
    const double scale = takeDesktopScale();

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
