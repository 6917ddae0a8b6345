#pragma once

#include <QStringList>

namespace tl {
class SettingsStore;
}

namespace tl::ui {

// The File menu's recently opened files, most recent first, kept in the
// settings file as [Files] Recent1 .. Recent4. Names are stored as the
// system spells them. A shorter list leaves the later keys empty rather
// than deleting them, as nothing is ever deleted from the settings file.
class RecentFiles {
public:
    static constexpr int kMax = 4;

    explicit RecentFiles(SettingsStore& settings) : m_settings(settings) {}

    QStringList List() const;
    // Puts `path` first; an entry already there moves up rather than repeating.
    void Add(const QString& path);
    void Remove(const QString& path);

private:
    void Write(const QStringList& list);

    SettingsStore& m_settings;
};

} // namespace tl::ui
