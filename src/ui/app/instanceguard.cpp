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
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return QDir(folder).filePath(QStringLiteral("tessara-lines.lock"));
}

} // namespace tl::ui
