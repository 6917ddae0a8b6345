#include "storage/memory_settings.h"

#include <cctype>

namespace tl {

std::string MemorySettingsStore::Fold(std::string_view section, std::string_view key)
{
    std::string folded;
    folded.reserve(section.size() + key.size() + 1);
    for (char c : section)
        folded += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    folded += '/';
    for (char c : key)
        folded += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return folded;
}

std::optional<std::string> MemorySettingsStore::Get(std::string_view section,
                                                    std::string_view key) const
{
    auto it = m_values.find(Fold(section, key));
    if (it == m_values.end())
        return std::nullopt;
    return it->second.Value;
}

void MemorySettingsStore::Set(std::string_view section, std::string_view key,
                              std::string_view value)
{
    m_values[Fold(section, key)] =
        Entry{std::string(section) + "/" + std::string(key), std::string(value)};
}

std::map<std::string, std::string> MemorySettingsStore::Entries() const
{
    std::map<std::string, std::string> out;
    for (const auto& [folded, entry] : m_values)
        out[entry.Spelling] = entry.Value;
    return out;
}

} // namespace tl
