// GNOME's animation setting as Kolvane reads it, from a settings file of a private
// home (GLib's keyfile backend): the key Kolvane asks for is the one GNOME's own
// settings change, and a change is seen by the next read.
#include "platform/gnomesettings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace kv;

namespace {

QTemporaryDir& home() {
    static QTemporaryDir dir;
    return dir;
}

QString keyFile() {
    return home().filePath("glib-2.0/settings/keyfile");
}

void writeSettings(const QByteArray& interfaceSection) {
    QFile file(keyFile());
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(interfaceSection.isEmpty() ? QByteArray("\n")
                                          : "[org/gnome/desktop/interface]\n" + interfaceSection);
}

} // namespace

class TestGnomeSettings : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        if (!QFile::exists("/usr/share/glib-2.0/schemas/org.gnome.desktop.interface.gschema.xml"))
            QSKIP("GNOME's settings schemas are not installed");
    }

    void animations_data() {
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<bool>("animates");
        QTest::newRow("turned off") << QByteArray("enable-animations=false\n") << false;
        QTest::newRow("turned on") << QByteArray("enable-animations=true\n") << true;
        QTest::newRow("never set: GNOME's default") << QByteArray("gtk-theme='Adwaita'\n") << true;
        QTest::newRow("off again") << QByteArray("enable-animations=false\n") << false;
        QTest::newRow("no settings at all") << QByteArray() << true;
    }
    void animations() {
        QFETCH(QByteArray, settings);
        QFETCH(bool, animates);
        writeSettings(settings);
        // GLib notices the file's change through its own watch, on the event loop.
        QVERIFY(QTest::qWaitFor([&] { return gnomeAnimatesWindows() == animates; }, 5000));
    }
};

int main(int argc, char** argv) {
    // Before GLib reads any setting: its keyfile backend, in a private home.
    QDir().mkpath(home().filePath("glib-2.0/settings"));
    qputenv("XDG_CONFIG_HOME", home().path().toUtf8());
    qputenv("GSETTINGS_BACKEND", "keyfile");
    QCoreApplication app(argc, argv);
    TestGnomeSettings test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_gnomesettings.moc"
