#pragma once

// Text recognition off the user interface's thread: the picture goes to a worker,
// the text comes back as a signal; the engine is loaded at the first run and kept.
#include <QImage>
#include <QList>
#include <QObject>
#include <QString>
#include <atomic>
#include <memory>

class QThread;

namespace kv {

struct OcrOutcome {
    QString text;  // the assembled text; empty when the picture holds none
    QString error; // set when the engine could not be loaded
};

class OcrRunner : public QObject {
    Q_OBJECT
public:
    explicit OcrRunner(const struct OcrModelFiles& files, QObject* parent = nullptr);
    // Cancels what runs and waits for the worker (at most one network pass).
    ~OcrRunner() override;

    // Recognises `picture`; a run in progress is cancelled first. finished() comes
    // once, unless the run is cancelled.
    void start(const QImage& picture);
    // Drops the run in progress: finished() does not come for it.
    void cancel();
    bool busy() const { return current_ != nullptr; }

signals:
    // false after finished(), or at once on cancel().
    void busyChanged(bool busy);
    void finished(const kv::OcrOutcome& outcome);

private:
    struct Engine;
    void deliver(const std::shared_ptr<std::atomic_bool>& run, const OcrOutcome& outcome);

    std::shared_ptr<Engine> engine_;
    std::shared_ptr<std::atomic_bool> current_; // the running run's cancel flag
    QList<QThread*> workers_;
};

} // namespace kv
