// Start-up: the command line, Qt's pixel environment, the single instance, and the
// main window with its outside world.
#include "app/afterfirstframe.h"
#include "app/commandline.h"
#include "app/frameartwork.h"
#include "app/frmmain.h"
#include "app/ocrcommand.h"
#include "app/openingreport.h"
#include "app/qtchinese.h"
#include "app/runtimefiles.h"
#include "app/startcommand.h"
#include "capture/capturefolder.h"
#include "platform/desktopscale.h"
#include "platform/fontwarmup.h"
#include "platform/heap.h"
#include "platform/instancechannel.h"
#include "platform/platform.h"
#include "platform/pluginpreload.h"
#include "platform/singleinstance.h"
#include "platform/tone.h"
#include "platform/tray.h"
#include "platform/units.h"
#include "platform/x11windows.h"

#include <QApplication>
#include <QClipboard>
#include <QFont>
#include <QIcon>
#include <QStyleFactory>
#include <QTimer>
#include <cstdio>
#include <optional>

namespace {

const QString kInstanceName = QStringLiteral("kolvane");

// --help, --version and mistakes are answered without a display, as is a start where
// there is none; nullopt means run.
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
    case kv::CommandLine::Action::RecogniseText:
        break;
    }
    // Qt would abort without a display to open; say what is missing instead.
    if (!kv::hasGraphicalSession()) {
        std::fprintf(stderr, "kolvane: Kolvane needs a graphical session (X11 or Wayland); "
                             "neither DISPLAY nor WAYLAND_DISPLAY is set\n");
        return 1;
    }
    return std::nullopt;
}

// Another instance runs: a plain start ends silently, a command goes over to it.
int handOver(int argc, char** argv, kv::StartCommand command) {
    if (command == kv::StartCommand::None) return 0;
    QCoreApplication core(argc, argv);
    // A pin's answer waits for the running program to read the clipboard, which
    // another program serves.
    const int timeoutMs = command == kv::StartCommand::Pin ? 15000 : 3000;
    QString answer;
    switch (kv::handOverToRunningInstance(kInstanceName, kv::commandWord(command), timeoutMs,
                                          &answer)) {
    case kv::HandOver::Delivered:
        return 0;
    case kv::HandOver::Refused:
        std::fprintf(stderr, "kolvane: %s\n", qPrintable(answer));
        return 1;
    case kv::HandOver::NoAnswer:
        break;
    }
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

kv::CommandLine readCommandLine(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return kv::parseCommandLine(arguments);
}

// Sets Qt's pixel environment; returns the scale the environment had asked for.
kv::DesktopScaleInputs takePixelEnvironment() {
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
    return asked;
}

// The command this start was given, run once the event loop runs.
void runOnceStarted(kv::FrmMain& main, kv::StartCommand command) {
    if (command == kv::StartCommand::None) return;
    QTimer::singleShot(0, &main, [&main, command] {
        if (command != kv::StartCommand::Pin) return kv::RunStartCommand(main, command);
        const QString why = kv::PinClipboardPicture(main);
        if (!why.isEmpty()) std::fprintf(stderr, "kolvane: %s\n", qPrintable(why));
    });
}

QFont uiFont() {
    QFont ui(QStringLiteral("WenQuanYi Micro Hei"));
    ui.setPointSize(9);
    return ui;
}

void setUpApplication(QApplication& app) {
    QApplication::setApplicationName(QStringLiteral("kolvane"));
    QApplication::setApplicationVersion(QStringLiteral(KOLVANE_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral(KOLVANE_APP_ID));
    kv::installQtChinese(app);

    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setFont(uiFont());
}

// The main window's outside world, alive as long as the window.
struct Desktop {
    explicit Desktop(kv::Platform::Backend backend) : platform(kv::createPlatform(backend)) {}
    kv::SystemClock clock;
    // The screen (opened at its first read: the first frame reads nothing from it)
    // and the windows, and what the session allows.
    std::unique_ptr<kv::Platform> platform;
    std::unique_ptr<kv::TonePlayer> tones = kv::createTonePlayer();
    kv::TrayIcon tray;
    kv::OpeningReport openingReport;

    kv::FrmMainServices services(double scale) {
        kv::FrmMainServices s;
        s.clock = &clock;
        s.screen = &platform->screen();
        s.programDir = QCoreApplication::applicationDirPath();
        s.scale = kv::UiScale(scale);
        const kv::RuntimeFiles runtimeFiles = kv::findRuntimeFiles(s.programDir);
        s.iconFile = runtimeFiles.file(QStringLiteral("app.ico"));
        s.captureFolder = kv::chooseCaptureFolder(s.programDir, runtimeFiles.installed);
        s.windows = &platform->windows();
        s.capabilities = platform->capabilities();
        s.tones = tones.get();
        s.tray = &tray;
        if (qEnvironmentVariableIsSet("KOLVANE_TIMING")) s.probe = &openingReport;
        return s;
    }
};

// The icon theme is searched (some 10 ms) once the first frame is out: the window
// manager shows the icon a moment later, and the window's content that much sooner.
// Then, with nothing else to do, what the first region capture would load.
void afterFirstFrame(kv::FrmMain& main, const QString& iconFile) {
    new kv::AfterFirstFrame(&main, [&main, iconFile] {
        if (qEnvironmentVariableIsSet("KOLVANE_TIMING")) qInfo("kolvane: main window first frame");
        QApplication::setWindowIcon(
            QIcon::fromTheme(QStringLiteral(KOLVANE_APP_ID), QIcon(iconFile)));
        QTimer::singleShot(0, &main, [&main] { main.capturePage().prepareRegionCapture(); });
    });
}

// Started only to pin the clipboard, with no picture on it: nothing to start for.
// Where the clipboard cannot be read before a window shows, the running program says
// it on its tip line instead.
bool nothingToPin(kv::StartCommand command, const kv::Platform& platform) {
    if (command != kv::StartCommand::Pin || !platform.capabilities().readsClipboardWithoutWindow)
        return false;
    if (!QApplication::clipboard()->image().isNull()) return false;
    std::fprintf(stderr, "kolvane: %s\n", qPrintable(kv::NoPictureToPin()));
    return true;
}

} // namespace

int main(int argc, char** argv) {
    const kv::CommandLine commandLine = readCommandLine(argc, argv);
    // Reading a picture's text needs no display.
    if (commandLine.action == kv::CommandLine::Action::RecogniseText)
        return kv::printPictureText(argc, argv, commandLine.picture);
    if (const std::optional<int> answered = answerWithoutStarting(commandLine)) return *answered;
    const kv::Platform::Backend backend = kv::chooseBackend();
    const kv::DesktopScaleInputs asked = takePixelEnvironment();
    // A Wayland client keeps to the output's device pixels: no scale of our own.
    const bool devicePixels = kv::prepareToolkit(backend);
    kv::keepLargeBlocksForReuse();
    // A second start leaves before it even connects to the display.
    kv::SingleInstance instance(kInstanceName);
    if (instance.anotherIsRunning()) return handOver(argc, argv, commandLine.command);
    const kv::FontWarmUp fonts;
    const kv::PluginPreload plugins;
    const double scale = devicePixels ? 1.0 : takeDesktopScale(asked);

    QApplication app(argc, argv);
    setUpApplication(app);
    // The window's pictures are drawn on a worker while the main window is built and
    // mapped; they are put in place before its first frame. Started earlier, the
    // worker would only slow the toolkit's own start.
    kv::FrameArtworkDrawing artwork{kv::UiScale(scale)};
    Desktop desktop(backend);
    if (nothingToPin(commandLine.command, *desktop.platform)) return 1;
    kv::FrmMainServices services = desktop.services(scale);
    services.artwork = &artwork;

    kv::FrmMain main(services);
    main.Form_Load();
    // Started for a region capture, the window would only flash before the editor
    // hides it; it appears when the editor closes.
    if (commandLine.command != kv::StartCommand::Region) main.show();
    afterFirstFrame(main, services.iconFile);

    // Later starts hand their commands over here (a keyboard shortcut's kolvane --region).
    kv::InstanceChannel channel(kInstanceName, [&main](const QString& word) {
        kv::RunStartCommand(main, kv::commandFromWord(word));
    });
    channel.answerAfterRunning(kv::commandWord(kv::StartCommand::Pin),
                               [&main] { return kv::PinClipboardPicture(main); });
    channel.listen();
    runOnceStarted(main, commandLine.command);
    return app.exec();
}
