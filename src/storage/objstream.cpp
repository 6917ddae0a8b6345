#include "storage/objstream.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace tl {

namespace {

constexpr uint8_t kMissingText8 = 0xFF;

} // namespace

// ---------------------------------------------------------------------------
// ClassRegistry

void ClassRegistry::Register(std::string name, int version, Factory make)
{
    for (Entry& entry : m_entries) {
        if (entry.Name == name) {
            entry.Version = version;
            entry.Make = std::move(make);
            return;
        }
    }
    m_entries.push_back(Entry{std::move(name), version, std::move(make)});
}

const ClassRegistry::Entry* ClassRegistry::Find(std::string_view name) const
{
    for (const Entry& entry : m_entries)
        if (entry.Name == name)
            return &entry;
    return nullptr;
}

// ---------------------------------------------------------------------------
// ObjectWriter

ObjectWriter::ObjectWriter()
{
    WriteByte(kStreamMagic);
    WriteWord(static_cast<int32_t>(kStreamVersion));
}

void ObjectWriter::WriteBool(bool value)
{
    WriteWord(value ? 1 : 0);
}

void ObjectWriter::WriteText(std::string_view text)
{
    // The all-ones length means a missing text, so no text may reach it.
    const size_t length = std::min<size_t>(text.size(), kMissingText32 - 1);
    WriteWord(static_cast<int32_t>(static_cast<uint32_t>(length)));
    m_data.insert(m_data.end(), text.begin(), text.begin() + static_cast<std::ptrdiff_t>(length));
}

void ObjectWriter::WriteMissingText()
{
    WriteWord(static_cast<int32_t>(kMissingText32));
}

void ObjectWriter::WriteRaw(std::span<const uint8_t> bytes)
{
    m_data.insert(m_data.end(), bytes.begin(), bytes.end());
}

void ObjectWriter::WriteRawInt32(int32_t value)
{
    // The memory bytes of a little-endian machine, whatever this one is.
    WriteWord(value);
}

void ObjectWriter::WriteObject(const TStreamableBase& object)
{
    ++m_written;
    WriteByte(kObjectBegin);
    WriteText(object.StreamableName());
    WriteWord(object.ClassVersion());
    object.Write(*this);
    WriteByte(kObjectEnd);
}

void ObjectWriter::WritePointer(std::shared_ptr<const TStreamableBase> object)
{
    if (object == nullptr) {
        WriteByte(kPointerNull);
        return;
    }
    if (auto it = m_numbers.find(object.get()); it != m_numbers.end()) {
        WriteByte(kPointerRepeated);
        WriteWord(it->second);
        return;
    }
    WriteByte(kPointerNew);
    // Numbered before its body, as the reader numbers it.
    m_numbers.emplace(object.get(), m_written + 1);
    WriteObject(*object);
    m_kept.push_back(std::move(object));
}

// ---------------------------------------------------------------------------
// ObjectReader

ObjectReader::ObjectReader(std::span<const uint8_t> data, const ClassRegistry& registry)
    : ObjectReader(data, Fill(), registry)
{
}

ObjectReader::ObjectReader(std::span<const uint8_t> buffer, Fill fill,
                           const ClassRegistry& registry)
    : m_data(buffer), m_filled(fill ? 0 : buffer.size()), m_fill(std::move(fill)),
      m_registry(registry)
{
    if (Bring(1) && m_data[0] == kStreamMagic) {
        m_pos = 1;
        // The version itself is always 32 bits.
        m_version = ReadUnsigned32();
    }
}

bool ObjectReader::Bring(size_t count)
{
    if (count <= Remaining())
        return true;
    // Nothing is read for a count the buffer could never hold.
    if (!m_fill || count > m_data.size() - m_pos)
        return false;
    m_filled = std::clamp(m_fill(m_pos + count), m_filled, m_data.size());
    return count <= Remaining();
}

bool ObjectReader::Take(size_t count, const uint8_t*& bytes)
{
    if (m_failed)
        return false;
    if (!Bring(count)) {
        m_failed = true;
        return false;
    }
    bytes = m_data.data() + m_pos;
    m_pos += count;
    return true;
}

uint32_t ObjectReader::ReadUnsigned32()
{
    const uint8_t* bytes = nullptr;
    if (!Take(4, bytes))
        return 0;
    return static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
           static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

uint8_t ObjectReader::ReadByteSlow()
{
    const uint8_t* bytes = nullptr;
    if (!Take(1, bytes))
        return 0;
    return bytes[0];
}

int32_t ObjectReader::ReadWordSlow()
{
    if (m_version == 0) {
        const uint8_t* bytes = nullptr;
        if (!Take(2, bytes))
            return 0;
        const auto bits = static_cast<uint16_t>(bytes[0] | bytes[1] << 8);
        return static_cast<int16_t>(bits);
    }
    return static_cast<int32_t>(ReadUnsigned32());
}

bool ObjectReader::ReadBool()
{
    return ReadWord() != 0;
}

bool ObjectReader::ReadTextLength(size_t& length)
{
    if (m_version < kLongTextVersion) {
        const uint8_t value = ReadByte();
        if (m_failed || value == kMissingText8)
            return false;
        length = value;
    } else {
        const uint32_t value = ReadUnsigned32();
        if (m_failed || value == kMissingText32)
            return false;
        length = value;
    }
    // A length the rest of the stream cannot hold fails before anything is
    // allocated for it.
    if (!Bring(length)) {
        m_failed = true;
        return false;
    }
    return true;
}

std::string_view ObjectReader::TakeText(size_t length)
{
    const uint8_t* bytes = nullptr;
    if (!Take(length, bytes))
        return {};
    const auto* chars = reinterpret_cast<const char*>(bytes);
    const void* zero = length ? std::memchr(chars, '\0', length) : nullptr;
    return {chars, zero ? static_cast<size_t>(static_cast<const char*>(zero) - chars) : length};
}

void ObjectReader::ReadTextSlow(std::string& text)
{
    if (m_failed)
        return;
    size_t length = 0;
    if (!ReadTextLength(length)) {
        if (!m_failed)
            text.clear();
        return;
    }
    text = TakeText(length);
}

void ObjectReader::ReadRaw(std::span<uint8_t> bytes)
{
    const uint8_t* source = nullptr;
    if (Take(bytes.size(), source) && !bytes.empty())
        std::memcpy(bytes.data(), source, bytes.size());
    else
        std::fill(bytes.begin(), bytes.end(), uint8_t{0});
}

int32_t ObjectReader::ReadRawInt32()
{
    return static_cast<int32_t>(ReadUnsigned32());
}

const ClassRegistry::Entry* ObjectReader::ReadClassName()
{
    if (ReadByte() != kObjectBegin) {
        m_failed = true;
        return nullptr;
    }
    size_t length = 0;
    if (!ReadTextLength(length) || length > kMaxClassNameLength) {
        m_failed = true;
        return nullptr;
    }
    const ClassRegistry::Entry* entry = m_registry.Find(TakeText(length));
    if (entry == nullptr)
        m_failed = true;
    return entry;
}

void ObjectReader::ReadBody(TStreamableBase& object)
{
    // Version 0 streams carry no class version.
    const int version = m_version > 0 ? ReadWord() : 0;
    if (m_failed)
        return;
    object.Read(*this, version);
    if (ReadByte() != kObjectEnd)
        m_failed = true;
}

bool ObjectReader::ReadObject(TStreamableBase& object)
{
    if (m_failed)
        return false;
    const ClassRegistry::Entry* entry = ReadClassName();
    if (entry == nullptr)
        return false;
    if (entry->Name != object.StreamableName()) {
        m_failed = true;
        return false;
    }
    // Numbered before its body, as the writer numbers it; the caller keeps
    // ownership.
    m_objects.emplace_back(std::shared_ptr<TStreamableBase>(), &object);
    ReadBody(object);
    return !m_failed;
}

std::shared_ptr<TStreamableBase> ObjectReader::ReadPointer()
{
    const uint8_t tag = ReadByte();
    if (m_failed)
        return nullptr;
    switch (tag) {
    case kPointerNull:
        return nullptr;
    case kPointerRepeated: {
        const int32_t number = ReadWord();
        if (m_failed)
            return nullptr;
        if (number < 1 || static_cast<size_t>(number) > m_objects.size()) {
            m_failed = true;
            return nullptr;
        }
        return m_objects[static_cast<size_t>(number) - 1];
    }
    case kPointerNew: {
        const ClassRegistry::Entry* entry = ReadClassName();
        if (entry == nullptr)
            return nullptr;
        std::shared_ptr<TStreamableBase> object = entry->Make ? entry->Make() : nullptr;
        if (!object) {
            m_failed = true;
            return nullptr;
        }
        m_objects.push_back(object);
        ReadBody(*object);
        if (m_failed)
            return nullptr;
        return object;
    }
    default:
        m_failed = true;
        return nullptr;
    }
}

} // namespace tl
