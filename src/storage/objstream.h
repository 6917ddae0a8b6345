#pragma once

#include "storage/streamable.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tl {

// The persistent-object stream of the block file. All integers are
// little-endian. A stream starts with ':' and its format version; words are
// 32 bits and text lengths 32 bits in the current version, while the reader
// also takes the older encodings (16-bit words in version 0, one-byte text
// lengths below 0x101).
inline constexpr uint8_t kStreamMagic = 0x3A;
inline constexpr uint32_t kStreamVersion = 0x101;
inline constexpr uint8_t kObjectBegin = 0x5B; // '['
inline constexpr uint8_t kObjectEnd = 0x5D;   // ']'
inline constexpr size_t kMaxClassNameLength = 127;
// The text length that stands for a missing text.
inline constexpr uint32_t kMissingText32 = 0xFFFFFFFFu;
// Streams below this version carry one-byte text lengths.
inline constexpr uint32_t kLongTextVersion = 0x101;

// Tags in front of an object written through a pointer.
inline constexpr uint8_t kPointerNull = 0;
inline constexpr uint8_t kPointerRepeated = 1;
inline constexpr uint8_t kPointerNew = 2;

// Maps the class names found in a stream to factories of fresh records.
class ClassRegistry {
public:
    using Factory = std::function<std::unique_ptr<TStreamableBase>()>;

    struct Entry {
        std::string Name;
        int Version = 0;
        Factory Make;
    };

    void Register(std::string name, int version, Factory make);
    const Entry* Find(std::string_view name) const;

private:
    std::vector<Entry> m_entries;
};

// The registry of the record classes stored in block files: "TPair" and
// "TPilot" (record_stream.cpp).
const ClassRegistry& RecordClassRegistry();

// Writes a stream into memory; the caller puts the bytes where they belong.
class ObjectWriter {
public:
    // Starts the stream with its header.
    ObjectWriter();

    // Room for this many more bytes, so a large stream grows once.
    void Reserve(size_t bytes) { m_data.reserve(m_data.size() + bytes); }

    void WriteByte(uint8_t value) { m_data.push_back(value); }
    void WriteWord(int32_t value)
    {
        // Records are written a word at a time: grow and store, no range insert.
        const auto bits = static_cast<uint32_t>(value);
        const size_t at = m_data.size();
        m_data.resize(at + 4);
        uint8_t* b = m_data.data() + at;
        b[0] = static_cast<uint8_t>(bits);
        b[1] = static_cast<uint8_t>(bits >> 8);
        b[2] = static_cast<uint8_t>(bits >> 16);
        b[3] = static_cast<uint8_t>(bits >> 24);
    }
    void WriteBool(bool value);
    void WriteText(std::string_view text);
    void WriteMissingText();
    void WriteRaw(std::span<const uint8_t> bytes);
    // The 4 memory bytes of a number, as employee numbers and dates are kept.
    void WriteRawInt32(int32_t value);

    // '[', class name, class version, body, ']'. Every framed object takes
    // the next number, as the reader counts them.
    void WriteObject(const TStreamableBase& object);
    // Tag 0 for none, 1 and the object's number for one already written
    // through a pointer in this stream, 2 and the framing for a new one. The
    // writer keeps the objects it wrote this way, so no later object can take
    // the address of one it numbered. An object written by reference is
    // written anew: the writer cannot know whether it still lives.
    void WritePointer(std::shared_ptr<const TStreamableBase> object);

    const std::vector<uint8_t>& Data() const { return m_data; }
    std::vector<uint8_t> TakeData() { return std::move(m_data); }

private:
    std::vector<uint8_t> m_data;
    int32_t m_written = 0;
    std::unordered_map<const TStreamableBase*, int32_t> m_numbers;
    std::vector<std::shared_ptr<const TStreamableBase>> m_kept;
};

// Reads a stream from memory. The first error (running past the end, a bad
// framing byte, an unknown class) puts it into its failed state: from then on
// numbers read as 0, raw bytes as zeros and texts keep their contents, so a
// loader runs to its end and checks the outcome once.
class ObjectReader {
public:
    // Brings more of the input into the buffer: asked for the stream's first
    // `wanted` bytes, it reads at least up to there and answers how many
    // bytes from the start the buffer now holds, fewer only at the input's
    // end. Never more than the buffer's size.
    using Fill = std::function<size_t(size_t wanted)>;

    explicit ObjectReader(std::span<const uint8_t> data,
                          const ClassRegistry& registry = RecordClassRegistry());
    // Reads from `buffer` as `fill` brings the input into it, so the bytes
    // are parsed while they are still in the cache.
    ObjectReader(std::span<const uint8_t> buffer, Fill fill,
                 const ClassRegistry& registry = RecordClassRegistry());

    uint32_t StreamVersion() const { return m_version; }
    bool Failed() const { return m_failed; }
    void SetFailed() { m_failed = true; }
    // What the buffer holds from here; more may follow from the input.
    size_t Remaining() const { return m_filled - m_pos; }
    // Makes up to `count` bytes from here readable, as far as the input goes.
    void Ensure(size_t count)
    {
        if (count > Remaining() && m_fill)
            Bring(count);
    }

    uint8_t ReadByte()
    {
        if (!m_failed && m_pos < m_filled)
            return m_data[m_pos++];
        return ReadByteSlow();
    }
    int32_t ReadWord()
    {
        // Records are read a word at a time: keep the common case short.
        if (m_version != 0 && !m_failed && Remaining() >= 4) {
            const uint8_t* b = m_data.data() + m_pos;
            m_pos += 4;
            return static_cast<int32_t>(
                static_cast<uint32_t>(b[0]) | static_cast<uint32_t>(b[1]) << 8 |
                static_cast<uint32_t>(b[2]) << 16 | static_cast<uint32_t>(b[3]) << 24);
        }
        return ReadWordSlow();
    }
    bool ReadBool();

    // The next `count` 32-bit words as their raw bytes, for records that
    // read long runs of numbers; decode each with WordAt. Null when the
    // stream has no such run here (failed, too short, or 16-bit words): the
    // caller then reads word by word, which gives the same result.
    const uint8_t* TakeWords(size_t count)
    {
        if (m_version == 0 || m_failed || count > Remaining() / 4)
            return nullptr;
        const uint8_t* bytes = m_data.data() + m_pos;
        m_pos += 4 * count;
        return bytes;
    }
    static int32_t WordAt(const uint8_t* bytes, size_t index)
    {
        const uint8_t* b = bytes + 4 * index;
        return static_cast<int32_t>(static_cast<uint32_t>(b[0]) | static_cast<uint32_t>(b[1]) << 8 |
                                    static_cast<uint32_t>(b[2]) << 16 |
                                    static_cast<uint32_t>(b[3]) << 24);
    }
    // The length of a text cut at its first zero byte; `readable` is how
    // many bytes the buffer holds from `chars` on. Short texts, the most of
    // them, are looked at 16 bytes at a time: no call, no loop.
    static size_t TextLength(const char* chars, size_t length, size_t readable)
    {
        if constexpr (std::endian::native == std::endian::little) {
            if (length <= 16 && readable >= 16) {
                uint64_t low = 0;
                uint64_t high = 0;
                std::memcpy(&low, chars, 8);
                std::memcpy(&high, chars + 8, 8);
                // The lowest byte flagged is the first zero byte.
                const uint64_t zeroLow = ZeroBytes(low);
                const uint64_t zeroHigh = ZeroBytes(high);
                const size_t first =
                    zeroLow != 0    ? static_cast<size_t>(std::countr_zero(zeroLow)) / 8
                    : zeroHigh != 0 ? 8 + static_cast<size_t>(std::countr_zero(zeroHigh)) / 8
                                    : 16;
                return std::min(first, length);
            }
        }
        if (length <= 16) {
            for (size_t i = 0; i < length; ++i)
                if (chars[i] == '\0')
                    return i;
            return length;
        }
        const void* zero = std::memchr(chars, '\0', length);
        return zero ? static_cast<size_t>(static_cast<const char*>(zero) - chars) : length;
    }

    // A missing text reads as empty; the text ends at its first zero byte.
    void ReadText(std::string& text)
    {
        // Records hold hundreds of short texts each: the common case of a
        // current stream with the text in the buffer stays inline.
        if (m_version >= kLongTextVersion && !m_failed && Remaining() >= 4) {
            const uint8_t* b = m_data.data() + m_pos;
            const size_t length = static_cast<uint32_t>(WordAt(b, 0));
            const size_t readable = Remaining() - 4;
            if (length != kMissingText32 && length <= readable) {
                m_pos += 4 + length;
                const auto* chars = reinterpret_cast<const char*>(b + 4);
                const size_t kept = TextLength(chars, length, readable);
                if (kept == 0)
                    text.clear();
                else
                    text.assign(chars, kept);
                return;
            }
        }
        ReadTextSlow(text);
    }
    void ReadRaw(std::span<uint8_t> bytes);
    int32_t ReadRawInt32();

    // The bytes readable from here, for a record that reads a run of fields
    // from them itself and then Skips what it read; empty where only the
    // reader's own calls read the stream right (failed, or an older stream
    // with short words or short text lengths).
    std::span<const uint8_t> Window() const
    {
        if (m_version < kLongTextVersion || m_failed)
            return {};
        return m_data.subspan(m_pos, Remaining());
    }
    // Moves past `count` bytes of the Window.
    void Skip(size_t count) { m_pos += std::min(count, Remaining()); }

    // Reads a framed record into `object`, whose class must be the one named
    // in the stream. Returns false when the stream has failed.
    bool ReadObject(TStreamableBase& object);
    // Reads an object framed through a pointer. A new object is made by the
    // registry; a repeated one is the object read before under that number
    // (not owned by the result when it was read by reference). Null for a
    // missing object or on failure.
    std::shared_ptr<TStreamableBase> ReadPointer();

private:
    // High bits set in the bytes of `word` that are zero, and maybe in bytes
    // above one that is.
    static constexpr uint64_t ZeroBytes(uint64_t word)
    {
        return (word - 0x0101010101010101u) & ~word & 0x8080808080808080u;
    }

    void ReadTextSlow(std::string& text);
    // Whether `count` bytes from here are readable, bringing them in first.
    bool Bring(size_t count);
    bool Take(size_t count, const uint8_t*& bytes);
    uint8_t ReadByteSlow();
    int32_t ReadWordSlow();
    uint32_t ReadUnsigned32();
    // Reads the text length; false for a missing text or on failure.
    bool ReadTextLength(size_t& length);
    // The next `length` bytes as a text, up to their first zero byte.
    std::string_view TakeText(size_t length);
    const ClassRegistry::Entry* ReadClassName();
    void ReadBody(TStreamableBase& object);

    std::span<const uint8_t> m_data;
    size_t m_filled = 0;
    Fill m_fill;
    size_t m_pos = 0;
    uint32_t m_version = 0;
    bool m_failed = false;
    const ClassRegistry& m_registry;
    std::vector<std::shared_ptr<TStreamableBase>> m_objects;
};

} // namespace tl
