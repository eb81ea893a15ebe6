// kolvane --ocr FILE as a user types it: the text of a picture on standard output,
// with no display at all; a missing or broken file is one clear line and exit 1.
#include "e2e/support/desktop.h"
#include "e2e/support/textpicture.h"

#include <QTemporaryDir>
#include <QTest>

using namespace e2e;

namespace {

// The command with no display in reach, X11 or Wayland.
CommandResult recognise(const QString& file) {
    return run(QStringLiteral("env"),
               {"-u", "DISPLAY", "-u", "WAYLAND_DISPLAY", binary(), "--ocr", file}, 60000);
}

} // namespace

class TestOcrE2E : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

private slots:
    void printsTheText() {
        const QImage picture = textPicture({520, 100}, kKnownLines);
        const QString file = dir_.filePath(QStringLiteral("text.png"));
        QVERIFY(picture.save(file));
        const CommandResult r = recognise(file);
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(QString::fromUtf8(r.out), kKnownLines.join('\n') + '\n');
    }

    void failsClearly_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content"); // empty: the file is not made
        QTest::newRow("missing file") << "missing.png" << QByteArray();
        QTest::newRow("not a picture") << "notes.png" << QByteArray("just some words\n");
    }
    void failsClearly() {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        const QString file = dir_.filePath(name);
        if (!content.isEmpty()) {
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(content);
        }
        const CommandResult r = recognise(file);
        QCOMPARE(r.exitCode, 1);
        QVERIFY(r.out.isEmpty());
        QCOMPARE(r.err.count('\n'), 1);
        QVERIFY2(r.err.startsWith("kolvane: ") && r.err.contains(name.toUtf8()), r.err.constData());
    }
};

QTEST_MAIN(TestOcrE2E)
#include "test_ocr.moc"
