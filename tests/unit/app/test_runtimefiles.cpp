// Where the program finds its run-time files: beside itself in a build folder or a
// portable copy, under share/kolvane when installed.
#include "app/runtimefiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace kv;

class TestRuntimeFiles : public QObject {
    Q_OBJECT
    static void touch(const QString& path) {
        QDir().mkpath(QFileInfo(path).path());
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
    }

private slots:
    void lookup_data() {
        QTest::addColumn<QStringList>("files"); // relative to a prefix; the program is in bin
        QTest::addColumn<QString>("expected");  // folder found, relative to the prefix
        QTest::addColumn<bool>("installed");
        QTest::newRow("build folder") << QStringList{"bin/app.ico"} << "bin" << false;
        QTest::newRow("installed")
            << QStringList{"share/kolvane/app.ico"} << "share/kolvane" << true;
        // A copy beside the program wins: a developer's build inside a prefix
        // must not read an older installed icon.
        QTest::newRow("both") << QStringList{"bin/app.ico", "share/kolvane/app.ico"} << "bin"
                              << false;
        QTest::newRow("neither") << QStringList{} << "bin" << false;
        QTest::newRow("share folder without the icon")
            << QStringList{"share/kolvane/other"} << "bin" << false;
    }
    void lookup() {
        QFETCH(QStringList, files);
        QFETCH(QString, expected);
        QFETCH(bool, installed);
        QTemporaryDir prefix;
        QDir(prefix.path()).mkpath("bin");
        for (const QString& f : files)
            touch(prefix.filePath(f));
        const RuntimeFiles found = findRuntimeFiles(prefix.filePath("bin"), "../share/kolvane");
        QCOMPARE(QDir(found.folder).canonicalPath(),
                 QDir(prefix.filePath(expected)).canonicalPath());
        QCOMPARE(found.installed, installed);
        QCOMPARE(QFileInfo(found.file("app.ico")).dir().canonicalPath(),
                 QDir(found.folder).canonicalPath());
    }

    // The build's own install layout leads from bin to share/kolvane.
    void buildLayout() {
        QTemporaryDir prefix;
        touch(prefix.filePath("share/kolvane/app.ico"));
        QDir(prefix.path()).mkpath("bin");
        const RuntimeFiles found = findRuntimeFiles(prefix.filePath("bin"));
        QVERIFY(found.installed);
        QVERIFY(QFile::exists(found.file("app.ico")));
    }
};

QTEST_GUILESS_MAIN(TestRuntimeFiles)
#include "test_runtimefiles.moc"
