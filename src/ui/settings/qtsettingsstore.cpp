#include "ui/settings/qtsettingsstore.h"

#include <QFile>
#include <QStringList>

namespace tl::ui {

namespace {

QString ToQt(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

QtSettingsStore::QtSettingsStore()
    : m_settings(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                             QStringLiteral("TessaraLines"), QStringLiteral("tlines")))
{
}

QtSettingsStore::QtSettingsStore(const QString& path)
    : m_settings(std::make_unique<QSettings>(path, QSettings::IniFormat))
{
}

QStringList QtSettingsStore::Sections(const QString& section) const
{
    QStringList found;
    const QStringList groups = m_settings->childGroups();
    if (groups.contains(section))
        found << section;
    for (const QString& g : groups)
        if (g != section && g.compare(section, Qt::CaseInsensitive) == 0)
            found << g;
    return found;
}

QString QtSettingsStore::FindKey(const QString& section, const QString& key) const
{
    for (const QString& s : Sections(section)) {
        const QString exact = s + QLatin1Char('/') + key;
        if (m_settings->contains(exact))
            return exact;
        m_settings->beginGroup(s);
        const QStringList keys = m_settings->childKeys();
        m_settings->endGroup();
        for (const QString& k : keys)
            if (k.compare(key, Qt::CaseInsensitive) == 0)
                return s + QLatin1Char('/') + k;
    }
    return {};
}

std::optional<std::string> QtSettingsStore::Get(std::string_view section, std::string_view key) const
{
    const QString found = FindKey(ToQt(section), ToQt(key));
    if (found.isEmpty())
        return std::nullopt;
    const QVariant value = m_settings->value(found);
    // An unquoted value with commas comes back as a list; the file holds one text.
    const QString text = value.typeId() == QMetaType::QStringList
                             ? value.toStringList().join(QLatin1Char(','))
                             : value.toString();
    return text.toStdString();
}

void QtSettingsStore::Set(std::string_view section, std::string_view key, std::string_view value)
{
    const QString qKey = ToQt(key);
    const QStringList sections = Sections(ToQt(section));
    // Written into the section as the file spells it; other spellings of the
    // key go, so one value stands.
    const QString target = sections.isEmpty() ? ToQt(section) : sections.first();
    for (const QString& s : sections) {
        m_settings->beginGroup(s);
        const QStringList keys = m_settings->childKeys();
        for (const QString& k : keys)
            if ((s != target || k != qKey) && k.compare(qKey, Qt::CaseInsensitive) == 0)
                m_settings->remove(k);
        m_settings->endGroup();
    }
    m_settings->setValue(target + QLatin1Char('/') + qKey, ToQt(value));
}

bool QtSettingsStore::Save()
{
    m_settings->sync();
    // A format error is about reading a hand-edited file, not about writing.
    return m_settings->status() != QSettings::AccessError;
}

std::string QtSettingsStore::Location() const
{
    return QFile::encodeName(m_settings->fileName()).toStdString();
}

} // namespace tl::ui
