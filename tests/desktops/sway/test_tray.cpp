// The tray icon in a Wayland session, with a real StatusNotifier host on the bus
// (waybar's tray, a bar on the headless output): a region capture registers one
// item whose picture and tip are ours; activating it (a click in the host) does what
// a click on the tray icon does on X, nothing, so the editor stays and the main
// window stays hidden; leaving the editor takes the item away again.
#include "desktops/sway/swaydesktop.h"
#include "platform/tray.h"

#include <QApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusMetaType>
#include <QDBusReply>
#include <QDBusVariant>

namespace {

struct IconPixmap {
    int width = 0, height = 0;
    QByteArray argb; // big-endian ARGB32, row by row
};
using IconPixmaps = QList<IconPixmap>;

const QDBusArgument& operator>>(const QDBusArgument& in, IconPixmap& p) {
    in.beginStructure();
    in >> p.width >> p.height >> p.argb;
    in.endStructure();
    return in;
}
QDBusArgument& operator<<(QDBusArgument& out, const IconPixmap& p) {
    out.beginStructure();
    out << p.width << p.height << p.argb;
    out.endStructure();
    return out;
}

} // namespace

Q_DECLARE_METATYPE(IconPixmap)

namespace {

const QString kWatcher = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString kItem = QStringLiteral("org.kde.StatusNotifierItem");

QVariant busProperty(const QString& service, const QString& path, const QString& iface,
                     const QString& name) {
    QDBusInterface props(service, path, QStringLiteral("org.freedesktop.DBus.Properties"));
    const QDBusReply<QDBusVariant> reply = props.call(QStringLiteral("Get"), iface, name);
    return reply.isValid() ? reply.value().variant() : QVariant();
}

// The items the host knows of, each as "service/path" or a bare service.
QStringList registeredItems() {
    return busProperty(kWatcher, QStringLiteral("/StatusNotifierWatcher"), kWatcher,
                       QStringLiteral("RegisteredStatusNotifierItems"))
        .toStringList();
}

std::pair<QString, QString> splitItem(const QString& item) {
    const int slash = item.indexOf('/');
    if (slash < 0) return {item, QStringLiteral("/StatusNotifierItem")};
    return {item.left(slash), item.mid(slash)};
}

// The 16 x 16 picture our tray icon is drawn from, as the item's big-endian ARGB.
QByteArray ourIconArgb() {
    const QString ico = QFileInfo(e2e::binary()).dir().filePath("app.ico");
    const QImage image =
        kv::loadSmallIcon(ico).pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32);
    QByteArray out;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            out.append(char(qAlpha(c))).append(char(qRed(c))).append(char(qGreen(c)));
            out.append(char(qBlue(c)));
        }
    return out;
}

} // namespace

class TestTray : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    QProcess host_;

private Q_SLOTS:
    void initTestCase() {
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("wayland"));
        qDBusRegisterMetaType<IconPixmap>();
        qDBusRegisterMetaType<IconPixmaps>();
        QFile config(dir_.filePath("config"));
        QVERIFY(config.open(QIODevice::WriteOnly));
        config.write(R"({"layer": "top", "position": "bottom", "height": 24,
                         "modules-right": ["tray"], "tray": {"icon-size": 16}})");
        config.close();
        QFile style(dir_.filePath("style.css"));
        QVERIFY(style.open(QIODevice::WriteOnly));
        style.write("* { font-size: 12px; }");
        style.close();
        host_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        host_.setStandardOutputFile(QProcess::nullDevice());
        host_.start("waybar", {"-c", config.fileName(), "-s", style.fileName()});
        QVERIFY(host_.waitForStarted(10000));
        QVERIFY2(e2e::waitFor(
                     [&] {
                         return QDBusConnection::sessionBus().interface()->isServiceRegistered(
                             kWatcher);
                     },
                     15000),
                 "waybar's tray never took the StatusNotifier watcher's name");
    }

    void cleanupTestCase() {
        host_.terminate();
        if (!host_.waitForFinished(3000)) host_.kill();
    }

    void itemDuringRegionCapture() {
        sway::Program kolvane;
        const QRect main = kolvane.start();
        QVERIFY(main.isValid());
        QVERIFY(registeredItems().isEmpty()); // no icon while the main window shows
        QVERIFY(kolvane.click(sway::kRegionCommand));
        QVERIFY(e2e::waitFor([&] { return registeredItems().size() == 1; }, 15000));
        const auto [service, path] = splitItem(registeredItems().first());

        const QDBusArgument tip =
            busProperty(service, path, kItem, "ToolTip").value<QDBusArgument>();
        QString iconName, title, text;
        IconPixmaps tipIcons;
        tip.beginStructure();
        tip >> iconName >> tipIcons >> title >> text;
        tip.endStructure();
        QCOMPARE(title, QStringLiteral("Kolvane"));
        IconPixmaps icons;
        busProperty(service, path, kItem, "IconPixmap").value<QDBusArgument>() >> icons;
        const auto small = std::find_if(icons.begin(), icons.end(),
                                        [](const IconPixmap& p) { return p.width == 16; });
        QVERIFY2(small != icons.end(), "no 16 x 16 picture in the item");
        QCOMPARE(small->height, 16);
        QCOMPARE(small->argb, ourIconArgb());

        // A click in the host: the editor stays, the main window stays hidden.
        QDBusInterface item(service, path, kItem);
        item.call("Activate", 10, 10);
        item.call("SecondaryActivate", 10, 10);
        // The editor shows once the portal's picture came, which may take a busy
        // machine longer than the clicks.
        QVERIFY(e2e::waitFor(
            [&] {
                const auto views = kolvane.windows();
                return views.size() == 1 && sway::rectOf(views.first()) == QRect(0, 0, 1920, 1080);
            },
            15000));
        QTest::qWait(500);
        QCOMPARE(kolvane.process().state(), QProcess::Running);
        const auto views = kolvane.windows();
        QCOMPARE(views.size(), 1);
        QCOMPARE(sway::rectOf(views.first()), QRect(0, 0, 1920, 1080));

        // Leaving the editor brings the main window back and takes the item away.
        QVERIFY(sway::pointer({"move", "960", "540", "click", "right"}));
        QVERIFY(e2e::waitFor([&] {
            const QList<QRect> rects = kolvane.windowRects();
            return rects.size() == 1 && rects.first().width() == 561;
        }));
        QVERIFY(e2e::waitFor([&] { return registeredItems().isEmpty(); }, 5000));
    }
};

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "wayland");
    QApplication app(argc, argv);
    TestTray test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_tray.moc"
