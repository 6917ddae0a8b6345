#include "ui/settings/qtsettingsstore.h"

#include "model/text_encoding.h"

#include <QStringList>

namespace tl::ui {

namespace {

QString ToQt(std::string_view text)
{
    return QString::fromStdString(Cp1252ToUtf8(text));
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

QString QtSettingsStore::FindKey(const QString& section, const QString& key) const
{
    const QString exact = section + QLatin1Char('/') + key;
    if (m_settings->contains(exact))
        return exact;
    m_settings->beginGroup(section);
    const QStringList keys = m_settings->childKeys();
    m_settings->endGroup();
    for (const QString& k : keys)
        if (k.compare(key, Qt::CaseInsensitive) == 0)
            return section + QLatin1Char('/') + k;
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
    return Utf8ToCp1252(text.toStdString());
}

void QtSettingsStore::Set(std::string_view section, std::string_view key, std::string_view value)
{
    const QString qSection = ToQt(section);
    const QString qKey = ToQt(key);
    // Drop other spellings of the key so one value stands.
    m_settings->beginGroup(qSection);
    const QStringList keys = m_settings->childKeys();
    for (const QString& k : keys)
        if (k != qKey && k.compare(qKey, Qt::CaseInsensitive) == 0)
            m_settings->remove(k);
    m_settings->endGroup();
    m_settings->setValue(qSection + QLatin1Char('/') + qKey, ToQt(value));
}

} // namespace tl::ui
