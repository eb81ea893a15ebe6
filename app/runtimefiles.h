#pragma once

// Where Kolvane finds the files it reads while it runs (app.ico).
#include <QString>

namespace kv {

// The files Kolvane reads while it runs (app.ico). A build folder or a portable copy
// keeps them beside the executable; an installed program keeps them in
// share/kolvane of its prefix. One lookup at start-up decides which, for every file.
struct RuntimeFiles {
    QString folder;
    bool installed = false; // found under the prefix's share folder
    QString file(const QString& name) const;
};

// Looks beside the program first, then at `fromProgramToData` relative to it (the
// install layout's path from bin to share/kolvane). Where neither holds app.ico the
// program folder is taken: Kolvane still runs, without its icon.
RuntimeFiles findRuntimeFiles(const QString& programDir, const QString& fromProgramToData);
RuntimeFiles findRuntimeFiles(const QString& programDir); // this build's install layout

} // namespace kv
