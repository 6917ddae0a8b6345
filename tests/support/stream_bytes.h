#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace tl::test {

// Builds stream bytes by hand, little-endian, so tests can check the reader
// and the writer against the documented layout rather than against each
// other.
class StreamBytes {
public:
    StreamBytes& U8(uint32_t value)
    {
        m_bytes.push_back(static_cast<uint8_t>(value));
        return *this;
    }
    StreamBytes& U16(uint32_t value) { return U8(value).U8(value >> 8); }
    StreamBytes& U32(uint32_t value) { return U16(value).U16(value >> 16); }
    StreamBytes& I32(int32_t value) { return U32(static_cast<uint32_t>(value)); }
    StreamBytes& Chars(std::string_view text)
    {
        for (char c : text)
            U8(static_cast<uint8_t>(c));
        return *this;
    }
    StreamBytes& Text32(std::string_view text)
    {
        return U32(static_cast<uint32_t>(text.size())).Chars(text);
    }
    StreamBytes& Text8(std::string_view text)
    {
        return U8(static_cast<uint32_t>(text.size())).Chars(text);
    }
    StreamBytes& Append(std::span<const uint8_t> bytes)
    {
        m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
        return *this;
    }
    StreamBytes& Header() { return U8(0x3A).U32(0x101); }
    // '[', name, class version, body, ']' as a current stream frames a record.
    StreamBytes& Framed(std::string_view name, uint32_t version, const StreamBytes& body)
    {
        return U8('[').Text32(name).U32(version).Append(body.Bytes()).U8(']');
    }

    const std::vector<uint8_t>& Bytes() const { return m_bytes; }
    std::span<const uint8_t> Span() const { return m_bytes; }

private:
    std::vector<uint8_t> m_bytes;
};

} // namespace tl::test
