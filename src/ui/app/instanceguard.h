#pragma once

#include <QLockFile>
#include <QString>

namespace tl::ui {

// Keeps a second copy of the program from opening the same user's files at
// once. A lock left by a crashed run is taken over.
class InstanceGuard {
public:
    explicit InstanceGuard(const QString& lockPath = DefaultPath());

    // True when this process now holds the lock.
    bool TryAcquire();

    static QString DefaultPath();

private:
    QLockFile m_lock;
};

} // namespace tl::ui
