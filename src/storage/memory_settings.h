#pragma once

#include "storage/settings.h"

#include <map>
#include <string>

namespace tl {

// Settings kept in memory, keys matched without regard to case: for the
// command line, which keeps no preferences, and for tests.
class MemorySettingsStore : public SettingsStore {
public:
    std::optional<std::string> Get(std::string_view section, std::string_view key) const override;
    void Set(std::string_view section, std::string_view key, std::string_view value) override;

    // Every key as "section/key=value" in the spelling last written.
    std::map<std::string, std::string> Entries() const;

private:
    struct Entry {
        std::string Spelling;
        std::string Value;
    };
    static std::string Fold(std::string_view section, std::string_view key);
    std::map<std::string, Entry> m_values;
};

} // namespace tl
