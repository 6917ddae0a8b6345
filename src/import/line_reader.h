#pragma once

#include <cstring>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

namespace tl {

// Reads text lines from a stream in large chunks. The line feed ends a line
// and a carriage return before it is dropped; a line longer than maxLength is
// cut there and the rest of it skipped, so it cannot pose as further lines.
class ChunkLineReader {
public:
    ChunkLineReader(std::istream& in, size_t maxLength)
        : m_in(&in), m_buffer(kChunk), m_data(m_buffer.data()), m_maxLength(maxLength)
    {
    }
    // The lines of bytes already in memory, read where they are.
    ChunkLineReader(std::string_view bytes, size_t maxLength)
        : m_data(bytes.data()), m_end(bytes.size()), m_maxLength(maxLength)
    {
    }
    ChunkLineReader(const ChunkLineReader&) = delete;
    ChunkLineReader& operator=(const ChunkLineReader&) = delete;

    bool Next(std::string& line)
    {
        line.clear();
        bool any = false;
        bool cut = false;
        for (;;) {
            if (m_pos == m_end && !Fill())
                break;
            any = true;
            const char* start = m_data + m_pos;
            const size_t avail = m_end - m_pos;
            const void* lf = std::memchr(start, '\n', avail);
            const size_t take =
                lf ? static_cast<size_t>(static_cast<const char*>(lf) - start) : avail;
            if (!cut) {
                const size_t room = m_maxLength - line.size();
                if (take > room) {
                    line.append(start, room);
                    cut = true;
                } else {
                    line.append(start, take);
                }
            }
            m_pos += take;
            m_consumed += take;
            if (lf) {
                ++m_pos;
                ++m_consumed;
                break;
            }
        }
        if (!line.empty() && line.back() == '\r' && !cut)
            line.pop_back();
        return any;
    }

    // Bytes of the stream taken so far.
    size_t Consumed() const { return m_consumed; }

private:
    static constexpr size_t kChunk = 1 << 16;

    bool Fill()
    {
        if (!m_in || !*m_in)
            return false;
        m_in->read(m_buffer.data(), static_cast<std::streamsize>(m_buffer.size()));
        m_pos = 0;
        m_end = static_cast<size_t>(m_in->gcount());
        return m_end > 0;
    }

    std::istream* m_in = nullptr; // null for bytes in memory
    std::vector<char> m_buffer;
    const char* m_data;
    size_t m_pos = 0;
    size_t m_end = 0;
    size_t m_consumed = 0;
    size_t m_maxLength;
};

// A read-only stream over bytes already in memory, without copying them.
class MemoryStreamBuf : public std::streambuf {
public:
    MemoryStreamBuf(const char* data, size_t size)
    {
        char* p = const_cast<char*>(data);
        setg(p, p, p + size);
    }
};

} // namespace tl
