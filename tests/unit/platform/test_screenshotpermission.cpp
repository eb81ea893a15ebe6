// The screenshot permission GNOME keeps, read from the real permission store
// (xdg-permission-store on a bus of the test's own), what the failures then say,
// and the pictures KWin's screenshot interface sends.
#include "platform/kwinscreenshot.h"
#include "platform/screenshotpermission.h"
#include "support/privatebus.h"

#include <QDBusConnectionInterface>
#include <QTemporaryDir>
#include <QTest>

using namespace kv;

Q_DECLARE_METATYPE(kv::PortalOutcome)
Q_DECLARE_METATYPE(kv::ScreenshotPermission)

class TestScreenshotPermission : public QObject {
    Q_OBJECT

    // `answer`: "yes", "no", or nothing to remove it.
    static bool store(const QString& address, const QString& answer) {
        const QString s = "org.freedesktop.impl.portal.PermissionStore";
        QStringList args{"call",
                         "--address",
                         address,
                         "--dest",
                         s,
                         "--object-path",
                         "/org/freedesktop/impl/portal/PermissionStore",
                         "--method"};
        if (answer.isEmpty())
            args << s + ".DeletePermission"
                 << "screenshot"
                 << "screenshot"
                 << "";
        else
            args << s + ".SetPermission"
                 << "screenshot"
                 << "true"
                 << "screenshot"
                 << "" << QString("['%1']").arg(answer);
        return QProcess::execute("gdbus", args) == 0;
    }

private Q_SLOTS:
    void init() { qputenv("XDG_CURRENT_DESKTOP", "GNOME"); }

    // Nothing stored, then each answer, then the answer removed again; a store that
    // is not there tells nothing; elsewhere than GNOME nobody asks.
    void readsTheStore() {
        kv::test::PrivateBus bus;
        QVERIFY(bus.ok());
        QTemporaryDir data;
        QProcess storeProcess;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DBUS_SESSION_BUS_ADDRESS", bus.address());
        env.insert("XDG_DATA_HOME", data.path());
        storeProcess.setProcessEnvironment(env);
        QDBusConnection c = bus.connect("reader");
        QCOMPARE(readScreenshotPermission(c), ScreenshotPermission::NotAsked);
        storeProcess.start("/usr/libexec/xdg-permission-store", {"--replace"});
        QVERIFY(storeProcess.waitForStarted());
        QVERIFY(QTest::qWaitFor([&] {
            return c.interface()->isServiceRegistered(
                "org.freedesktop.impl.portal.PermissionStore");
        }));
        QCOMPARE(readScreenshotPermission(c), ScreenshotPermission::Unknown);
        QVERIFY(store(bus.address(), "no"));
        QCOMPARE(readScreenshotPermission(c), ScreenshotPermission::Refused);
        QVERIFY(store(bus.address(), "yes"));
        QCOMPARE(readScreenshotPermission(c), ScreenshotPermission::Granted);
        QVERIFY(store(bus.address(), ""));
        QCOMPARE(readScreenshotPermission(c), ScreenshotPermission::Unknown);
        qputenv("XDG_CURRENT_DESKTOP", "KDE");
        QCOMPARE(readScreenshotPermission(c), ScreenshotPermission::NotAsked);
        storeProcess.kill();
        storeProcess.waitForFinished();
    }

    void failureTexts_data() {
        QTest::addColumn<PortalOutcome>("outcome");
        QTest::addColumn<ScreenshotPermission>("now");
        QTest::addColumn<QString>("says");
        QTest::newRow("refused, remembered")
            << PortalOutcome::Refused << ScreenshotPermission::Refused
            << screenshotPermissionCommand();
        QTest::newRow("no answer, question up")
            << PortalOutcome::TimedOut << ScreenshotPermission::Unknown << "还在等待回答";
        QTest::newRow("no answer, though allowed")
            << PortalOutcome::TimedOut << ScreenshotPermission::Granted
            << portalFailureText(PortalOutcome::TimedOut);
        QTest::newRow("refused, nothing stored")
            << PortalOutcome::Refused << ScreenshotPermission::NotAsked
            << portalFailureText(PortalOutcome::Refused);
        QTest::newRow("no portal") << PortalOutcome::NoPortal << ScreenshotPermission::Refused
                                   << portalFailureText(PortalOutcome::NoPortal);
    }
    void failureTexts() {
        QFETCH(PortalOutcome, outcome);
        QFETCH(ScreenshotPermission, now);
        QFETCH(QString, says);
        QVERIFY2(screenshotFailureText(outcome, now).contains(says),
                 qPrintable(screenshotFailureText(outcome, now)));
    }

    void noticeOnlyBeforeTheQuestion() {
        QVERIFY(!screenshotQuestionNotice(ScreenshotPermission::Unknown).isEmpty());
        for (auto p : {ScreenshotPermission::NotAsked, ScreenshotPermission::Granted,
                       ScreenshotPermission::Refused})
            QVERIFY(screenshotQuestionNotice(p).isEmpty());
    }

    // KWin's raw answer: rows of `stride` bytes in the QImage format it names; an
    // answer that does not add up gives no picture rather than garbage.
    void kwinRawPictures() {
        QImage source(5, 3, QImage::Format_ARGB32);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 5; ++x)
                source.setPixel(x, y, qRgba(x * 50, y * 80, 7, 255));
        const int stride = 5 * 4 + 12; // padded rows
        QByteArray data(stride * 3, '\xee');
        for (int y = 0; y < 3; ++y)
            memcpy(data.data() + y * stride, source.constScanLine(y), 20);
        const QImage picture = kwinRawPicture(data, 5, 3, stride, QImage::Format_ARGB32);
        QCOMPARE(picture, source.convertToFormat(QImage::Format_RGB32));
        QVERIFY(
            kwinRawPicture(data.left(stride * 2), 5, 3, stride, QImage::Format_ARGB32).isNull());
        QVERIFY(kwinRawPicture(data, 5, 3, 8, QImage::Format_ARGB32).isNull());
        QVERIFY(kwinRawPicture(data, 5, 3, stride, 9999).isNull());
        QVERIFY(kwinRawPicture(data, 0, 3, stride, QImage::Format_ARGB32).isNull());
        // Where KWin leaves a pixel translucent the picture is converted, not taken
        // as it is (an RGB32 picture's pixels are opaque).
        source.setPixel(2, 1, qRgba(40, 30, 20, 128));
        memcpy(data.data() + stride, source.constScanLine(1), 20);
        QCOMPARE(kwinRawPicture(data, 5, 3, stride, QImage::Format_ARGB32),
                 source.convertToFormat(QImage::Format_RGB32));
    }
};

QTEST_GUILESS_MAIN(TestScreenshotPermission)
#include "test_screenshotpermission.moc"
