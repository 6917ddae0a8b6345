#pragma once

#include "storage/settings.h"

#include <QSettings>

#include <memory>

namespace tl::ui {

// The settings file tlines.ini, in INI form in the user's configuration
// folder. Sections and keys are found whatever their case, as older files
// spell some of them differently, and are written back in one spelling.
// Values are UTF-8 text, as the file holds it.
class QtSettingsStore : public SettingsStore {
public:
    // The program's own tlines.ini.
    QtSettingsStore();
    // A given file, for tests.
    explicit QtSettingsStore(const QString& path);

    std::optional<std::string> Get(std::string_view section, std::string_view key) const override;
    void Set(std::string_view section, std::string_view key, std::string_view value) override;
    bool Save() override;
    std::string Location() const override;

    QString FileName() const { return m_settings->fileName(); }
    void Sync() { m_settings->sync(); }

private:
    // The file's spellings of `section`, the given one first when present.
    QStringList Sections(const QString& section) const;
    QString FindKey(const QString& section, const QString& key) const;
    std::unique_ptr<QSettings> m_settings;
};

} // namespace tl::ui
