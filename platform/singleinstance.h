#pragma once

#include <QString>
#include <memory>

class QLockFile;

namespace kv {

// Holds a lock file in the user's runtime folder for as long as it lives; a second
// program that asks for the same lock learns that one is already running.
class SingleInstance {
public:
    explicit SingleInstance(const QString& name);
    ~SingleInstance();
    bool anotherIsRunning() const { return !locked_; }

private:
    std::unique_ptr<QLockFile> lock_;
    bool locked_ = false;
};

} // namespace kv
