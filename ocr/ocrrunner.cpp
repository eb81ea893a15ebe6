// Text recognition on a worker thread.
#include "ocr/ocrrunner.h"

#include "ocr/ocrengine.h"
#include "ocr/textassembly.h"

#include <QMutex>
#include <QThread>

namespace kv {

// The engine, loaded by the first worker and used by one worker at a time.
struct OcrRunner::Engine {
    QMutex mutex;
    OcrModelFiles files;
    std::unique_ptr<OcrEngine> engine;
    QString error;

    OcrOutcome recognise(const QImage& picture, const std::atomic_bool& cancel) {
        QMutexLocker lock(&mutex);
        if (!engine && error.isEmpty()) {
            engine = createOcrEngine(files, &error);
        }
        if (!engine) return {{}, error};
        return {assembleText(engine->recognise(picture, &cancel)), {}};
    }
};

OcrRunner::OcrRunner(const OcrModelFiles& files, QObject* parent)
    : QObject(parent), engine_(std::make_shared<Engine>()) {
    engine_->files = files;
}

OcrRunner::~OcrRunner() {
    cancel();
    for (QThread* worker : std::as_const(workers_)) {
        worker->wait();
        delete worker;
    }
}

void OcrRunner::start(const QImage& picture) {
    cancel();
    auto run = std::make_shared<std::atomic_bool>(false);
    current_ = run;
    QThread* worker = QThread::create([this, engine = engine_, run, picture] {
        const OcrOutcome outcome = engine->recognise(picture, *run);
        // Queued to this object's thread; the destructor waits for this worker,
        // so `this` is alive here.
        QMetaObject::invokeMethod(
            this, [this, run, outcome] { deliver(run, outcome); }, Qt::QueuedConnection);
    });
    workers_.append(worker);
    connect(worker, &QThread::finished, this, [this, worker] {
        workers_.removeOne(worker);
        worker->deleteLater();
    });
    worker->start(QThread::LowPriority);
    emit busyChanged(true);
}

void OcrRunner::cancel() {
    if (!current_) return;
    *current_ = true;
    current_.reset();
    emit busyChanged(false);
}

void OcrRunner::deliver(const std::shared_ptr<std::atomic_bool>& run, const OcrOutcome& outcome) {
    if (run != current_ || *run) return; // cancelled or replaced meanwhile
    current_.reset();
    emit finished(outcome);
    emit busyChanged(false);
}

} // namespace kv
