// Which folder timed captures go to: beside a build or portable copy while it can
// be written, otherwise in the user's pictures folder.
#include "capture/capturefolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace kv;

class TestCaptureFolder : public QObject {
    Q_OBJECT
private slots:
    void choice_data() {
        QTest::addColumn<bool>("installed");
        QTest::addColumn<QString>("made");       // what already stands at program/用户图片
        QTest::addColumn<QStringList>("locked"); // folders this user may not write to
        QTest::addColumn<QString>("expected");   // "program" or "pictures"
        QTest::newRow("build folder") << false << "" << QStringList{} << "program";
        QTest::newRow("build folder with its captures folder")
            << false << "folder" << QStringList{} << "program";
        QTest::newRow("read-only program folder")
            << false << "" << QStringList{"program"} << "pictures";
        QTest::newRow("read-only program folder, writable captures folder")
            << false << "folder" << QStringList{"program"} << "program";
        QTest::newRow("read-only captures folder")
            << false << "folder" << QStringList{"program/用户图片"} << "pictures";
        // A file in the way is the user's to see: saving reports it.
        QTest::newRow("plain file named like the folder")
            << false << "file" << QStringList{} << "program";
        QTest::newRow("installed, even with a writable prefix")
            << true << "" << QStringList{} << "pictures";
        QTest::newRow("installed, captures folder beside the program")
            << true << "folder" << QStringList{} << "pictures";
    }
    void choice() {
        QFETCH(bool, installed);
        QFETCH(QString, made);
        QFETCH(QStringList, locked);
        QFETCH(QString, expected);
        QTemporaryDir root;
        const QString program = root.filePath("program");
        const QString pictures = root.filePath("pictures");
        QDir(root.path()).mkpath("program");
        if (made == "folder") QDir(program).mkpath("用户图片");
        if (made == "file") {
            QFile f(program + "/用户图片");
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        // Permissions mean nothing to root, who runs the CI: ask a stand-in instead.
        const auto writable = [&](const QString& folder) {
            for (const QString& l : locked)
                if (QDir(folder) == QDir(root.filePath(l))) return false;
            return folderWritable(folder);
        };
        const QString chosen = chooseCaptureFolder(program, installed, pictures, writable);
        QCOMPARE(chosen, root.filePath(expected) + "/用户图片");
        // Choosing makes nothing: the folder appears with the first capture.
        if (expected == "pictures") QVERIFY(!QDir(pictures).exists());
    }

    void noPicturesFolderKnown() {
        QTemporaryDir root;
        const QString chosen =
            chooseCaptureFolder(root.path(), true, QString(), [](const QString&) { return true; });
        QCOMPARE(chosen, QDir::homePath() + "/用户图片");
    }

    // The desktop's choice of pictures folder is followed.
    void followsTheDesktopsPicturesFolder() {
        QTemporaryDir root;
        qputenv("XDG_CONFIG_HOME", root.path().toLocal8Bit());
        QFile dirs(root.filePath("user-dirs.dirs"));
        QVERIFY(dirs.open(QIODevice::WriteOnly));
        dirs.write(QString("XDG_PICTURES_DIR=\"%1/图片\"\n").arg(root.path()).toUtf8());
        dirs.close();
        QCOMPARE(chooseCaptureFolder(root.path(), true), root.path() + "/图片/用户图片");
    }
};

QTEST_GUILESS_MAIN(TestCaptureFolder)
#include "test_capturefolder.moc"
