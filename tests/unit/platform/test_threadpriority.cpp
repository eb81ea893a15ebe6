// A warm-up worker lowers its own priority, never the user-interface thread's.
#include "platform/threadpriority.h"

#include <QtTest>

#include <sched.h>
#include <sys/resource.h>
#include <thread>
#include <unistd.h>

namespace {

struct Priority {
    int policy = -1;
    int nice = -100;
    bool operator==(const Priority&) const = default;
};

Priority ofThisThread() {
    return {sched_getscheduler(0), getpriority(PRIO_PROCESS, static_cast<id_t>(gettid()))};
}

} // namespace

class TestThreadPriority : public QObject {
    Q_OBJECT
private slots:
    void onlyTheCallingThreadIsLowered() {
        const Priority before = ofThisThread();
        Priority worker;
        std::thread([&] {
            kv::LowerThisThreadsPriority();
            worker = ofThisThread();
        }).join();
        QVERIFY2(
            worker.policy == SCHED_IDLE || worker.nice >= 19,
            qPrintable(QStringLiteral("policy %1, nice %2").arg(worker.policy).arg(worker.nice)));
        QVERIFY(ofThisThread() == before);
        // A thread started afterwards starts at the program's own priority.
        Priority later;
        std::thread([&] { later = ofThisThread(); }).join();
        QVERIFY(later == before);
    }
};

QTEST_MAIN(TestThreadPriority)
#include "test_threadpriority.moc"
