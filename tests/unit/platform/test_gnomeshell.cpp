// Whether GNOME Shell animates windows, asked of a shell's introspection object on a
// bus of the test's own: its answer when it gives one; where no shell answers, or
// answers something else, Kolvane takes the safe side and waits for a fade.
#include "platform/gnomeshell.h"
#include "support/privatebus.h"

#include <QDBusConnectionInterface>
#include <QScopeGuard>
#include <QTest>
#include <QThread>

using namespace kv;

// What GNOME Shell's org.gnome.Shell.Introspect offers of it.
class FakeIntrospect : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.gnome.Shell.Introspect")
    Q_PROPERTY(bool AnimationsEnabled READ animationsEnabled)

public:
    explicit FakeIntrospect(bool animates) : animates_(animates) {}
    bool animationsEnabled() const { return animates_; }

private:
    bool animates_;
};

class TestGnomeShell : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void asksTheShell_data() {
        QTest::addColumn<int>("shell"); // -1: none on the bus, else what it says
        QTest::addColumn<bool>("animates");
        QTest::newRow("animations on") << 1 << true;
        QTest::newRow("left out (software rendering, remote control)") << 0 << false;
        QTest::newRow("no shell") << -1 << true;
    }
    void asksTheShell() {
        QFETCH(int, shell);
        QFETCH(bool, animates);
        kv::test::PrivateBus bus;
        QVERIFY(bus.ok());
        QDBusConnection shellSide = bus.connect("shell");
        // The shell answers from a thread of its own: the program's call blocks this one.
        FakeIntrospect introspect(shell == 1);
        QThread shellThread;
        introspect.moveToThread(&shellThread);
        shellThread.start();
        auto stop = qScopeGuard([&] {
            shellThread.quit();
            shellThread.wait();
        });
        if (shell >= 0) {
            QVERIFY(shellSide.registerObject("/org/gnome/Shell/Introspect", &introspect,
                                             QDBusConnection::ExportAllProperties));
            QVERIFY(shellSide.registerService("org.gnome.Shell.Introspect"));
        }
        QCOMPARE(gnomeShellAnimates(bus.connect("kolvane")), animates);
    }

    void noBusMeansWaiting() { QVERIFY(gnomeShellAnimates(QDBusConnection("none"))); }
};

QTEST_GUILESS_MAIN(TestGnomeShell)
#include "test_gnomeshell.moc"
