#pragma once

#include "storage/profile_text.h"
#include "storage/settings.h"

#include <QString>

#include <string>
#include <vector>

namespace tl::ui {

// The settings file tlines.ini in the user's configuration folder, read and
// written as the literal text it is (see ProfileText): values are the file's
// bytes, and whatever the program does not set stays as the file has it.
class QtSettingsStore : public SettingsStore {
public:
    // The program's own tlines.ini.
    QtSettingsStore();
    // A given file, for tests.
    explicit QtSettingsStore(const QString& path);

    std::optional<std::string> Get(std::string_view section, std::string_view key) const override;
    void Set(std::string_view section, std::string_view key, std::string_view value) override;
    // Applies what was set since the last save to the file as it now is on
    // disk, so changes made there meanwhile stay, and replaces it whole.
    bool Save() override;
    std::string Location() const override;

    QString FileName() const { return m_path; }

private:
    struct Change {
        std::string Section;
        std::string Key;
        std::string Value;
    };
    enum class ReadResult { Read, Missing, Unusable };
    ReadResult Read(std::string& bytes) const;

    QString m_path;
    ProfileText m_text;
    std::vector<Change> m_unsaved;
};

} // namespace tl::ui
