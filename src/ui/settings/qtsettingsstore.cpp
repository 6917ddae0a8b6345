#include "ui/settings/qtsettingsstore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace tl::ui {

QtSettingsStore::QtSettingsStore()
    : QtSettingsStore(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                      QStringLiteral("/TessaraLines/tlines.ini"))
{
}

QtSettingsStore::QtSettingsStore(const QString& path) : m_path(path)
{
    std::string bytes;
    if (Read(bytes) == ReadResult::Read)
        m_text = ProfileText(bytes);
}

QtSettingsStore::ReadResult QtSettingsStore::Read(std::string& bytes) const
{
    const QFileInfo info(m_path);
    if (!info.exists())
        return ReadResult::Missing;
    // A FIFO or device would block or never end; a huge file is not ours.
    if (!info.isFile() || info.size() > static_cast<qint64>(kMaxProfileBytes))
        return ReadResult::Unusable;
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return ReadResult::Unusable;
    const QByteArray data = file.read(static_cast<qint64>(kMaxProfileBytes) + 1);
    if (data.size() > static_cast<qsizetype>(kMaxProfileBytes) ||
        file.error() != QFileDevice::NoError)
        return ReadResult::Unusable;
    bytes = data.toStdString();
    return ReadResult::Read;
}

std::optional<std::string> QtSettingsStore::Get(std::string_view section,
                                                std::string_view key) const
{
    return m_text.Get(section, key);
}

void QtSettingsStore::Set(std::string_view section, std::string_view key, std::string_view value)
{
    if (!ProfileText::Storable(section, key, value))
        return;
    m_text.Set(section, key, value);
    m_unsaved.push_back(Change{std::string(section), std::string(key), std::string(value)});
}

bool QtSettingsStore::Save()
{
    if (m_unsaved.empty())
        return true;
    std::string bytes;
    const ReadResult read = Read(bytes);
    // A file that cannot be read whole is never written over.
    if (read == ReadResult::Unusable)
        return false;
    ProfileText text(bytes);
    for (const Change& change : m_unsaved)
        text.Set(change.Section, change.Key, change.Value);
    const std::string updated = text.Bytes();
    if (updated != bytes) {
        if (!QDir().mkpath(QFileInfo(m_path).absolutePath()))
            return false;
        QSaveFile file(m_path);
        if (!file.open(QIODevice::WriteOnly))
            return false;
        const auto size = static_cast<qint64>(updated.size());
        if (file.write(updated.data(), size) != size || !file.commit())
            return false;
    }
    m_text = std::move(text);
    m_unsaved.clear();
    return true;
}

std::string QtSettingsStore::Location() const
{
    return QFile::encodeName(m_path).toStdString();
}

} // namespace tl::ui
