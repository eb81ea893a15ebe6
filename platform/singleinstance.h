#pragma once

#include <QString>

namespace kv {

// Holds a lock on a file in the user's runtime folder for as long as it lives; a
// second program that asks for the same lock learns that one is already running.
// The kernel's file lock goes with the process, so an instance that crashed
// leaves nothing to clean up, and taking it writes nothing to the disk.
class SingleInstance {
public:
    explicit SingleInstance(const QString& name);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;
    bool anotherIsRunning() const { return !locked_; }

private:
    int fd_ = -1;
    bool locked_ = false;
};

} // namespace kv
