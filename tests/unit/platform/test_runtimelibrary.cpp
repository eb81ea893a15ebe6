// Libraries opened at run time: all or nothing, and what is found is the real thing.
#include "platform/runtimelibrary.h"

#include <QtTest>

#include <zlib.h>

namespace {

struct Zlib {
    decltype(&::zlibVersion) version = nullptr;
    decltype(&::crc32) crc = nullptr;
    void* extra = nullptr;
};

// Opened through the shared, once-only entry; counts how often it looked.
const Zlib* openZlib(int* lookups) {
    return kv::OpenRuntimeLibrary<Zlib>("libz.so.1", [lookups](kv::RuntimeLibrary& so, Zlib& z) {
        ++*lookups;
        so.find(z.version, "zlibVersion");
        so.find(z.crc, "crc32");
    });
}

} // namespace

class TestRuntimeLibrary : public QObject {
    Q_OBJECT
private slots:
    void allOrNothing_data() {
        QTest::addColumn<QByteArray>("soname");
        QTest::addColumn<QByteArray>("extraSymbol"); // empty: none asked for
        QTest::addColumn<bool>("complete");
        QTest::newRow("every symbol there") << QByteArray("libz.so.1") << QByteArray() << true;
        QTest::newRow("one symbol missing")
            << QByteArray("libz.so.1") << QByteArray("kolvane_no_such_symbol") << false;
        QTest::newRow("no such library")
            << QByteArray("libkolvane-no-such-library.so.0") << QByteArray() << false;
    }
    void allOrNothing() {
        QFETCH(QByteArray, soname);
        QFETCH(QByteArray, extraSymbol);
        QFETCH(bool, complete);
        const std::optional<Zlib> zlib =
            kv::LoadRuntimeLibrary<Zlib>(soname.constData(), [&](kv::RuntimeLibrary& so, Zlib& z) {
                so.find(z.version, "zlibVersion");
                so.find(z.crc, "crc32");
                if (!extraSymbol.isEmpty()) so.find(z.extra, extraSymbol.constData());
            });
        QCOMPARE(zlib.has_value(), complete);
        if (!zlib) return;
        // The functions found are the library's own: they answer as the linked ones do.
        QCOMPARE(QByteArray(zlib->version()), QByteArray(zlibVersion()));
        const QByteArray text("Kolvane");
        const auto* bytes = reinterpret_cast<const Bytef*>(text.constData());
        QCOMPARE(zlib->crc(0, bytes, uInt(text.size())), crc32(0, bytes, uInt(text.size())));
    }

    // Every caller after the first gets the same functions without a second look-up.
    void openedOnceForTheRun() {
        int lookups = 0;
        const Zlib* first = openZlib(&lookups);
        const Zlib* again = openZlib(&lookups);
        QVERIFY(first);
        QCOMPARE(again, first);
        QCOMPARE(lookups, 1);
        QCOMPARE(QByteArray(first->version()), QByteArray(zlibVersion()));
    }
};

QTEST_GUILESS_MAIN(TestRuntimeLibrary)
#include "test_runtimelibrary.moc"
