#include "ui/frame/recentfiles.h"

#include "storage/settings.h"
#include "ui/seam/qtinteraction.h"

#include <QDir>
#include <QFileInfo>

#include <string>

namespace tl::ui {

namespace {

constexpr std::string_view kSection = "Files";

std::string Key(int index)
{
    return "Recent" + std::to_string(index + 1);
}

// The same file reached by another spelling of its path is one entry.
QString Canonical(const QString& path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

} // namespace

QStringList RecentFiles::List() const
{
    QStringList list;
    for (int i = 0; i < kMax; ++i) {
        QString path = FromFileName(m_settings.GetText(kSection, Key(i), ""));
        if (!path.isEmpty() && !list.contains(path))
            list << path;
    }
    return list;
}

void RecentFiles::Add(const QString& path)
{
    const QString entry = Canonical(path);
    QStringList list = List();
    list.removeAll(entry);
    list.prepend(entry);
    Write(list);
}

void RecentFiles::Remove(const QString& path)
{
    QStringList list = List();
    list.removeAll(path);
    list.removeAll(Canonical(path));
    Write(list);
}

void RecentFiles::Write(const QStringList& list)
{
    for (int i = 0; i < kMax; ++i)
        m_settings.Set(kSection, Key(i), i < list.size() ? ToFileName(list[i]) : std::string());
}

} // namespace tl::ui
