#pragma once
// Records what the test desktop's null sink plays (its monitor source) and finds
// the sine tones in it with a Goertzel filter. Shared by the tone tests.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QString>
#include <QVector>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <numbers>

namespace tonetest {

constexpr int kRate = 16000;
constexpr int kBlock = 160; // 10 ms; 1500 and 3000 Hz fall on whole bins

struct Tone {
    int frequency;
    int startMs;
    int lengthMs;
};

inline QString describe(const QVector<Tone>& tones) {
    QStringList parts;
    for (const Tone& t : tones)
        parts
            << QString("%1 Hz at %2 ms for %3 ms").arg(t.frequency).arg(t.startMs).arg(t.lengthMs);
    return parts.join("; ");
}

// The countdown as heard: two low tones and one high tone, each about a tenth of a
// second.
inline bool isCountdown(const QVector<Tone>& tones) {
    const int expected[] = {1500, 1500, 3000};
    if (tones.size() != 3) return false;
    for (int i = 0; i < 3; ++i)
        if (tones[i].frequency != expected[i] || tones[i].lengthMs < 60 || tones[i].lengthMs > 200)
            return false;
    return true;
}

// Share of a block's energy that lies at `frequency`: about 1 for a pure tone
// there, about 0 for silence or another tone.
inline double toneShare(const int16_t* x, int n, int frequency) {
    const double w = 2 * std::numbers::pi * frequency / kRate;
    const double coeff = 2 * std::cos(w);
    double s1 = 0, s2 = 0, energy = 0;
    for (int i = 0; i < n; ++i) {
        const double v = x[i] / 32768.0;
        const double s = v + coeff * s1 - s2;
        s2 = s1;
        s1 = s;
        energy += v * v;
    }
    if (energy < n * 1e-4) return 0; // quieter than -40 dB: silence
    const double power = s1 * s1 + s2 * s2 - coeff * s1 * s2;
    return power / (energy * n / 2);
}

// The tones among `frequencies`, in order, each a run of 10 ms blocks dominated
// by that frequency.
inline QVector<Tone> findTones(const QVector<int16_t>& samples, const QVector<int>& frequencies) {
    QVector<Tone> tones;
    int current = 0, start = 0, quiet = 0;
    auto close = [&](int endBlock) {
        if (current) tones.push_back({current, start * 10, (endBlock - start) * 10});
        current = 0;
    };
    const int blocks = int(samples.size()) / kBlock;
    for (int b = 0; b < blocks; ++b) {
        int found = 0;
        for (int f : frequencies)
            if (toneShare(samples.constData() + b * kBlock, kBlock, f) > 0.5) found = f;
        if (found && found == current) {
            quiet = 0;
            continue;
        }
        if (!found && current && ++quiet <= 1) continue; // bridge one odd block
        close(b - quiet);
        quiet = 0;
        if (found) {
            current = found;
            start = b;
        }
    }
    close(blocks - quiet);
    return tones;
}

// parec on the null sink's monitor, as 16 kHz mono 16-bit samples.
class MonitorRecording {
public:
    bool start() {
        parec_.setProgram("parec");
        parec_.setArguments({"-d", "kolvane_null.monitor", "--format=s16le",
                             QString("--rate=%1").arg(kRate), "--channels=1", "--raw",
                             "--latency-msec=20"});
        parec_.start();
        if (!parec_.waitForStarted(5000)) return false;
        // The monitor streams silence all the time; the first bytes mean the
        // recording runs.
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < 5000) {
            collect();
            if (!bytes_.isEmpty()) return true;
            parec_.waitForReadyRead(100);
        }
        return false;
    }

    void collect() { bytes_ += parec_.readAllStandardOutput(); }

    QVector<int16_t> samples() {
        collect();
        QVector<int16_t> out(bytes_.size() / 2);
        std::memcpy(out.data(), bytes_.constData(), size_t(out.size()) * 2);
        return out;
    }

    // Records until `count` tones are found or the time is up.
    QVector<Tone> waitForTones(int count, const QVector<int>& frequencies, int timeoutMs) {
        QElapsedTimer t;
        t.start();
        QVector<Tone> tones;
        while (t.elapsed() < timeoutMs) {
            parec_.waitForReadyRead(100);
            QCoreApplication::processEvents();
            tones = findTones(samples(), frequencies);
            // Let the last tone end before it is measured.
            if (tones.size() >= count && t.elapsed() > 0) {
                const QVector<int16_t> s = samples();
                if ((s.size() / kBlock) * 10 > tones.back().startMs + tones.back().lengthMs + 200)
                    break;
            }
        }
        return findTones(samples(), frequencies);
    }

    ~MonitorRecording() {
        parec_.kill();
        parec_.waitForFinished(2000);
    }

private:
    QProcess parec_;
    QByteArray bytes_;
};

} // namespace tonetest
