#include "app/commandline.h"
#include "app/frmmain.h"
#include "app/qtchinese.h"
#include "app/runtimefiles.h"
#include "app/startcommand.h"
#include "capture/capturefolder.h"
#include "platform/desktopscale.h"
#include "platform/fontwarmup.h"
#include "platform/heap.h"
#include "platform/instancechannel.h"
#include "platform/screenreader.h"
#include "platform/singleinstance.h"
#include "platform/tone.h"
#include "platform/tray.h"
#include "platform/units.h"
#include "platform/waylandscale.h"
#include "platform/x11windows.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QStyleFactory>
#include <QTimer>
#include <cstdio>
#include <optional>

namespace {

const QString kInstanceName = QStringLiteral("kolvane");

// --help, --version and mistakes are answered without a display; nullopt means run.
std::optional<int> answerWithoutStarting(const kv::CommandLine& line) {
    switch (line.action) {
    case kv::CommandLine::Action::Help:
        std::fputs(qPrintable(kv::helpText()), stdout);
        return 0;
    case kv::CommandLine::Action::Version:
        std::fputs(qPrintable(kv::versionText()), stdout);
        return 0;
    case kv::CommandLine::Action::Error:
        std::fprintf(stderr, "%s\n", qPrintable(line.error));
        return 2;
    case kv::CommandLine::Action::Run:
        break;
    }
    return std::nullopt;
}

// Another instance runs: a plain start ends silently, a command goes over to it.
int handOver(int argc, char** argv, kv::StartCommand command) {
    if (command == kv::StartCommand::None) return 0;
    QCoreApplication core(argc, argv);
    if (kv::handOverToRunningInstance(kInstanceName, kv::commandWord(command)) ==
        kv::HandOver::Delivered)
        return 0;
    std::fprintf(stderr, "kolvane: the running Kolvane did not take the command\n");
    return 1;
}

} // namespace

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
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const kv::CommandLine commandLine = kv::parseCommandLine(arguments);
    if (const std::optional<int> answered = answerWithoutStarting(commandLine)) return *answered;

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
    kv::SingleInstance instance(kInstanceName);
    if (instance.anotherIsRunning()) return handOver(argc, argv, commandLine.command);
    const kv::FontWarmUp fonts;
    // A Wayland client keeps to the output's device pixels as set above.
    const bool onWayland = qgetenv("QT_QPA_PLATFORM").startsWith("wayland");
    const double scale = onWayland ? 1.0 : takeDesktopScale(asked);

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kolvane"));
    QApplication::setApplicationVersion(QStringLiteral(KOLVANE_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral(KOLVANE_APP_ID));
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
    const kv::RuntimeFiles runtimeFiles = kv::findRuntimeFiles(services.programDir);
    services.iconFile = runtimeFiles.file(QStringLiteral("app.ico"));
    services.captureFolder = kv::chooseCaptureFolder(services.programDir, runtimeFiles.installed);
    QApplication::setWindowIcon(
        QIcon::fromTheme(QStringLiteral(KOLVANE_APP_ID), QIcon(services.iconFile)));

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
    // Started for a region capture, the window would only flash before the editor
    // hides it; it appears when the editor closes.
    if (commandLine.command != kv::StartCommand::Region) main.show();

    // Later starts hand their commands over here (a keyboard shortcut's kolvane --region).
    kv::InstanceChannel channel(kInstanceName, [&main](const QString& word) {
        kv::RunStartCommand(main, kv::commandFromWord(word));
    });
    channel.listen();
    if (commandLine.command != kv::StartCommand::None)
        QTimer::singleShot(
            0, &main, [&main, &commandLine] { kv::RunStartCommand(main, commandLine.command); });
    return app.exec();
}
