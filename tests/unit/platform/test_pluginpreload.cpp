// The plugin files opened ahead of the toolkit must be the ones it loads next:
// a wrong name costs a failed open and gains nothing. The last case opens the
// real plugins of this machine.
#include "platform/pluginpreload.h"

#include <QFile>
#include <QLibraryInfo>
#include <QtTest>

using namespace kv;

class TestPluginPreload : public QObject {
    Q_OBJECT
private slots:
    void files_data() {
        QTest::addColumn<QByteArray>("platform");
        QTest::addColumn<QByteArray>("im");
        QTest::addColumn<QStringList>("files");
        const QString xcb = QStringLiteral("/p/platforms/libqxcb.so");
        const QString compose =
            QStringLiteral("/p/platforminputcontexts/libcomposeplatforminputcontextplugin.so");
        // clang-format off
        QTest::newRow("nothing set: X11 and compose") << QByteArray() << QByteArray() << QStringList{xcb, compose};
        QTest::newRow("xcb named") << QByteArray("xcb") << QByteArray() << QStringList{xcb, compose};
        QTest::newRow("xcb with options") << QByteArray("xcb:nograb") << QByteArray() << QStringList{xcb, compose};
        QTest::newRow("an input method") << QByteArray("xcb") << QByteArray("ibus")
            << QStringList{xcb, QStringLiteral("/p/platforminputcontexts/libibusplatforminputcontextplugin.so")};
        QTest::newRow("an input method that is no file name") << QByteArray() << QByteArray("../x")
            << QStringList{xcb};
        QTest::newRow("Wayland first: left to Qt") << QByteArray("wayland;xcb") << QByteArray() << QStringList{};
        QTest::newRow("another platform: nothing") << QByteArray("offscreen") << QByteArray() << QStringList{};
        // clang-format on
    }
    void files() {
        QFETCH(QByteArray, platform);
        QFETCH(QByteArray, im);
        QFETCH(QStringList, files);
        QCOMPARE(PluginsToPreload(QStringLiteral("/p"), platform, im), files);
    }

    void theNamesExistHere() {
        // The X11 plugin and compose are what every X session here loads.
        for (const QString& f :
             PluginsToPreload(QLibraryInfo::path(QLibraryInfo::PluginsPath), "xcb", {}))
            QVERIFY2(QFile::exists(f), qPrintable(f));
    }
};

QTEST_GUILESS_MAIN(TestPluginPreload)
#include "test_pluginpreload.moc"
