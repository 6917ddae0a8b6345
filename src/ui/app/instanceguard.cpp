#include "ui/app/instanceguard.h"

#include <QDir>
#include <QStandardPaths>

namespace tl::ui {

InstanceGuard::InstanceGuard(const QString& lockPath) : m_lock(lockPath)
{
    m_lock.setStaleLockTime(0); // only a dead owner makes a lock stale
}

bool InstanceGuard::TryAcquire()
{
    return m_lock.isLocked() || m_lock.tryLock(0);
}

QString InstanceGuard::DefaultPath()
{
    // Asking Qt for the runtime folder when the session has none only earns
    // a warning on stderr; the temporary folder with the user's name serves.
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        QString user = qEnvironmentVariable("USER", qEnvironmentVariable("USERNAME"));
        return QDir(QDir::tempPath()).filePath(QStringLiteral("tessara-lines-%1.lock").arg(user));
    }
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return QDir(folder).filePath(QStringLiteral("tessara-lines.lock"));
}

} // namespace tl::ui
