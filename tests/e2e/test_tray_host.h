#pragma once
// What the test desktop's tray host (trayer) holds, read from the X server's
// window tree: docked icons are reparented into its panel. Shared by the tray
// tests.

#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QTest>

namespace trayhost {

// How many windows of the program with this application name (its WM_CLASS)
// sit inside the panel; -1 when the tree cannot be read.
inline int dockedIcons(const QString& applicationName) {
    QProcess p;
    p.start("xwininfo", {"-root", "-tree"});
    if (!p.waitForFinished(10000)) return -1;
    const QStringList lines = QString::fromLocal8Bit(p.readAllStandardOutput()).split('\n');
    const QString ours = QString("\"%1\"").arg(applicationName);
    int panelIndent = -1;
    int count = 0;
    for (const QString& line : lines) {
        const int indent = int(line.indexOf(QRegularExpression("\\S")));
        if (indent < 0) continue;
        if (panelIndent >= 0 && indent <= panelIndent) panelIndent = -1;
        if (panelIndent < 0 && line.contains("\"trayer\")") && line.contains("\"panel\"")) {
            panelIndent = indent;
            continue;
        }
        if (panelIndent >= 0 && line.contains(ours)) ++count;
    }
    return count;
}

inline bool waitForDocked(const QString& applicationName, int expected, int timeoutMs = 5000) {
    for (int waited = 0; waited < timeoutMs; waited += 50) {
        if (dockedIcons(applicationName) == expected) return true;
        QTest::qWait(50);
    }
    return dockedIcons(applicationName) == expected;
}

} // namespace trayhost
