// Tones reach the desktop's sound server as real sine tones, in the order asked;
// with no server the player stays harmless. The test desktop's null sink is
// recorded through its monitor.
#include "platform/tone.h"

#include "e2e/test_tone_recording.h"

#include <QtTest>

using namespace kv;

class TestTone : public QObject {
    Q_OBJECT
private slots:
    void playsTonesInOrder() {
        tonetest::MonitorRecording recording;
        QVERIFY2(recording.start(), "could not record the null sink's monitor");
        auto player = createTonePlayer();
        // Apart, as the countdown plays them, so that the two low tones stay two.
        player->Beep(1500, 100);
        QTest::qWait(400);
        player->Beep(1500, 100);
        QTest::qWait(400);
        player->Beep(3000, 100);
        const auto tones = recording.waitForTones(3, {1500, 3000}, 8000);
        qInfo() << "heard:" << tonetest::describe(tones);
        QVERIFY2(tonetest::isCountdown(tones), qPrintable(tonetest::describe(tones)));
    }

    // Tones asked for in a row are queued and come out one after the other.
    void queuedTonesKeepTheirOrder() {
        tonetest::MonitorRecording recording;
        QVERIFY(recording.start());
        auto player = createTonePlayer();
        player->Beep(3000, 150);
        player->Beep(1500, 150);
        const auto tones = recording.waitForTones(2, {1500, 3000}, 8000);
        QVERIFY2(tones.size() == 2, qPrintable(tonetest::describe(tones)));
        QCOMPARE(tones[0].frequency, 3000);
        QCOMPARE(tones[1].frequency, 1500);
    }

    // No sound server: the X bell stands in (Xvfb has no speaker, so nothing can
    // be heard here); nothing fails and nothing hangs when the player goes away
    // with tones still queued.
    void withoutSoundServer() {
        const QByteArray saved = qgetenv("PULSE_SERVER");
        qputenv("PULSE_SERVER", "unix:/nonexistent/kolvane-no-pulse");
        {
            auto player = createTonePlayer();
            player->Beep(1500, 50);
            player->Beep(3000, 50);
            player->Beep(0, 100); // ignored
            QTest::qWait(80);
            player->Beep(1500, 2000);
            player->Beep(1500, 2000);
        }
        qputenv("PULSE_SERVER", saved);
    }
};

QTEST_MAIN(TestTone)
#include "test_tone.moc"
