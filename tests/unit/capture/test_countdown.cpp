// The timed-capture countdown on a clock of the test's own: timers fire at
// whole-second beats from when they were enabled, without real waiting.
#include "capture/countdown.h"

#include <QtTest>
#include <memory>
#include <vector>

using namespace kv;

namespace {

// Repeating one-second timers on a simulated clock.
class Timeline {
public:
    class Timer final : public CountdownTimer {
    public:
        explicit Timer(const Timeline& t) : timeline_(t) {}
        void setEnabled(bool on) override {
            if (on && !enabled_) next = timeline_.now + 1000;
            enabled_ = on;
        }
        bool isEnabled() const override { return enabled_; }
        int next = 0;

    private:
        const Timeline& timeline_;
        bool enabled_ = false;
    };

    Timer& add() {
        timers_.push_back(std::make_unique<Timer>(*this));
        return *timers_.back();
    }

    // Fires every tick due up to `end`, earliest first (the older timer first at
    // the same moment), calling fire(index of the timer).
    template <typename F> void runUntil(int end, F fire) {
        for (;;) {
            Timer* due = nullptr;
            size_t index = 0;
            for (size_t i = 0; i < timers_.size(); ++i) {
                Timer& t = *timers_[i];
                if (t.isEnabled() && t.next <= end && (!due || t.next < due->next)) {
                    due = &t;
                    index = i;
                }
            }
            if (!due) break;
            now = due->next;
            due->next += 1000;
            fire(index);
        }
        now = end;
    }

    int now = 0;

private:
    std::vector<std::unique_ptr<Timer>> timers_;
};

struct Start {
    int at;
    CaptureKind kind;
};

} // namespace

Q_DECLARE_METATYPE(std::vector<Start>)

class TestCountdown : public QObject {
    Q_OBJECT
private slots:
    void sequence_data() {
        using K = CaptureKind;
        QTest::addColumn<std::vector<Start>>("starts");
        QTest::addColumn<QString>("expected");
        QTest::newRow("full screen") << std::vector<Start>{{0, K::FullScreen}}
                                     << "1000 1500, 2000 1500, 3000 3000, 3000 screen";
        QTest::newRow("active window") << std::vector<Start>{{0, K::ActiveWindow}}
                                       << "1000 1500, 2000 1500, 3000 3000, 3000 window";
        // Both countdowns on the one counter: the full-screen one captures early
        // and the window one counts on from zero.
        QTest::newRow("window half a second after full screen")
            << std::vector<Start>{{0, K::FullScreen}, {500, K::ActiveWindow}}
            << "1000 1500, 1500 1500, 2000 3000, 2000 screen, "
               "2500 1500, 3500 1500, 4500 3000, 4500 window";
        QTest::newRow("both at once")
            << std::vector<Start>{{0, K::FullScreen}, {0, K::ActiveWindow}}
            << "1000 1500, 1000 1500, 2000 3000, 2000 screen, "
               "2000 1500, 3000 1500, 4000 3000, 4000 window";
        // A second click on a running countdown keeps it on its beat.
        QTest::newRow("clicked again while counting")
            << std::vector<Start>{{0, K::FullScreen}, {1500, K::FullScreen}}
            << "1000 1500, 2000 1500, 3000 3000, 3000 screen";
        QTest::newRow("again after a capture")
            << std::vector<Start>{{0, K::ActiveWindow}, {3200, K::ActiveWindow}}
            << "1000 1500, 2000 1500, 3000 3000, 3000 window, "
               "4200 1500, 5200 1500, 6200 3000, 6200 window";
    }
    void sequence() {
        QFETCH(std::vector<Start>, starts);
        QFETCH(QString, expected);

        Timeline timeline;
        auto& timer2 = timeline.add(); // full screen
        auto& timer3 = timeline.add(); // active window
        QStringList log;
        CaptureCountdown countdown(
            timer2, timer3,
            {[&](int frequency, int duration) {
                 QCOMPARE(duration, 100);
                 log << QString("%1 %2").arg(timeline.now).arg(frequency);
             },
             [&](CaptureKind kind) {
                 // The timer is already off and the counter back at zero when
                 // the capture runs.
                 QVERIFY(!(kind == CaptureKind::FullScreen ? timer2 : timer3).isEnabled());
                 QCOMPARE(countdown.captureCountdown, qint16(0));
                 log << QString("%1 %2")
                            .arg(timeline.now)
                            .arg(kind == CaptureKind::FullScreen ? "screen" : "window");
             }});
        auto fire = [&](size_t index) {
            countdown.tick(index == 0 ? CaptureKind::FullScreen : CaptureKind::ActiveWindow);
        };
        for (const Start& s : starts) {
            timeline.runUntil(s.at, fire);
            countdown.start(s.kind);
        }
        timeline.runUntil(60000, fire);

        QCOMPARE(log.join(", "), expected);
        QVERIFY(!timer2.isEnabled());
        QVERIFY(!timer3.isEnabled());
        QCOMPARE(countdown.captureCountdown, qint16(0));
    }
};

QTEST_GUILESS_MAIN(TestCountdown)
#include "test_countdown.moc"
