#pragma once

#include <QString>
#include <functional>

namespace kv {

// Whether this user may make files in a folder (that exists).
using FolderWritable = std::function<bool(const QString& folder)>;
bool folderWritable(const QString& folder);

// The folder that timed captures are saved in and that the save dialog starts in.
// A build or portable copy keeps "用户图片" beside the program, as long as the program
// folder can take it; an installed program (its run-time files under share/) or a
// folder the user cannot write to gets "用户图片" in the user's pictures folder.
// Nothing is created here; saving makes the folder when it is missing.
QString chooseCaptureFolder(const QString& programDir, bool installed, const QString& picturesDir,
                            const FolderWritable& writable = folderWritable);

// The same for this user: the pictures folder from the desktop's settings
// (XDG_PICTURES_DIR, ~/Pictures by default).
QString chooseCaptureFolder(const QString& programDir, bool installed);

} // namespace kv
