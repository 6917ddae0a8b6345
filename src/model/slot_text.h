#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <iosfwd>
#include <string>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tl {

#if defined(__SSE2__)
namespace slot_text {
// For a text of k bytes kept inline: which of the 16 bytes to keep, then the
// last byte's value in place.
struct alignas(16) Form : std::array<uint8_t, 32> {};
inline constexpr std::array<Form, 16> kForms = [] {
    std::array<Form, 16> forms{};
    for (size_t k = 0; k < forms.size(); ++k) {
        for (size_t i = 0; i < k; ++i)
            forms[k][i] = 0xFF;
        forms[k][31] = static_cast<uint8_t>(15 - k);
    }
    return forms;
}();
} // namespace slot_text
#endif

// A text of a day slot: a code or a short note. A crew member has three a
// day for 62 days, so a month holds 186,000 of them. Nearly all are a few
// letters: up to 15 bytes are kept in the object itself, in half the room of
// a std::string, and longer ones on the heap. Reads as a std::string_view.
class SlotText {
public:
    static constexpr size_t kInline = 15;

    SlotText() noexcept { SetEmpty(); }
    explicit SlotText(std::string_view text)
    {
        SetEmpty();
        Assign(text);
    }
    SlotText(const SlotText& other)
    {
        SetEmpty();
        Assign(other.View());
    }
    SlotText(SlotText&& other) noexcept
    {
        std::memcpy(m_bytes, other.m_bytes, sizeof m_bytes);
        other.SetEmpty();
    }
    ~SlotText() { Release(); }

    SlotText& operator=(const SlotText& other)
    {
        if (this != &other)
            Assign(other.View());
        return *this;
    }
    SlotText& operator=(SlotText&& other) noexcept
    {
        if (this != &other) {
            Release();
            std::memcpy(m_bytes, other.m_bytes, sizeof m_bytes);
            other.SetEmpty();
        }
        return *this;
    }
    SlotText& operator=(std::string_view text)
    {
        Assign(text);
        return *this;
    }
    SlotText& operator=(const char* text) { return *this = std::string_view(text); }
    SlotText& operator=(const std::string& text) { return *this = std::string_view(text); }

    // The file reader's way in, with no call and no loop: the text of
    // `length` bytes (up to 16) at `chars`, cut at its first zero byte,
    // where 16 bytes may be read whatever `length` is. False, with nothing
    // changed, when the text is 16 bytes long and so not kept inline.
    bool AssignCut16(const char* chars, size_t length);

    void clear()
    {
        Release();
        SetEmpty();
    }

    size_t size() const
    {
        if (IsLong()) {
            size_t size = 0;
            std::memcpy(&size, Heap(), sizeof size);
            return size;
        }
        return kInline - static_cast<uint8_t>(m_bytes[kInline]);
    }
    bool empty() const { return size() == 0; }
    const char* data() const { return IsLong() ? Heap() + sizeof(size_t) : m_bytes; }
    // Always ends in a zero byte.
    const char* c_str() const { return data(); }
    char operator[](size_t i) const { return data()[i]; }
    const char* begin() const { return data(); }
    const char* end() const { return data() + size(); }

    std::string_view View() const { return {data(), size()}; }
    operator std::string_view() const { return View(); }
    std::string str() const { return std::string(View()); }
    std::string substr(size_t pos, size_t count = std::string_view::npos) const
    {
        return std::string(View().substr(pos, count));
    }

    friend bool operator==(const SlotText& a, const SlotText& b) { return a.View() == b.View(); }
    friend bool operator==(const SlotText& a, std::string_view b) { return a.View() == b; }
    friend bool operator==(const SlotText& a, const char* b) { return a.View() == b; }
    friend bool operator==(const SlotText& a, const std::string& b) { return a.View() == b; }

    friend std::string operator+(const SlotText& a, const SlotText& b)
    {
        return std::string(a.View()).append(b.View());
    }
    friend std::string operator+(const SlotText& a, std::string_view b)
    {
        return std::string(a.View()).append(b);
    }
    friend std::string operator+(std::string_view a, const SlotText& b)
    {
        return std::string(a).append(b.View());
    }

private:
    // The last byte tells the kind: 15 minus the size for a text kept
    // inline, which makes it the zero byte behind a text of 15; kLong for a
    // longer text, whose block on the heap (its size, its bytes and a zero
    // byte) has its address in the first bytes.
    static constexpr uint8_t kLong = 0xFF;

    bool IsLong() const { return static_cast<uint8_t>(m_bytes[kInline]) == kLong; }
    char* Heap() const
    {
        char* heap = nullptr;
        std::memcpy(&heap, m_bytes, sizeof heap);
        return heap;
    }
    void SetEmpty()
    {
        std::memset(m_bytes, 0, sizeof m_bytes);
        m_bytes[kInline] = static_cast<char>(kInline);
    }
    void Release()
    {
        if (IsLong())
            FreeLong();
    }
    void FreeLong();
    void Assign(std::string_view text);

    char m_bytes[16];
};

std::ostream& operator<<(std::ostream& out, const SlotText& text);

inline bool SlotText::AssignCut16(const char* chars, size_t length)
{
#if defined(__SSE2__)
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(chars));
    const auto zeros =
        static_cast<uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, _mm_setzero_si128())));
    // A text without a zero byte ends at its length.
    const uint32_t end = 1;
    const auto kept = static_cast<size_t>(std::countr_zero(zeros | end << length));
    if (kept > kInline)
        return false;
    if (IsLong())
        Release();
    const auto* form = reinterpret_cast<const __m128i*>(slot_text::kForms[kept].data());
    _mm_storeu_si128(
        reinterpret_cast<__m128i*>(m_bytes),
        _mm_or_si128(_mm_and_si128(bytes, _mm_load_si128(form)), _mm_load_si128(form + 1)));
    return true;
#else
    size_t kept = 0;
    while (kept < length && chars[kept] != '\0')
        ++kept;
    if (kept > kInline)
        return false;
    Release();
    std::memset(m_bytes, 0, sizeof m_bytes);
    std::memcpy(m_bytes, chars, kept);
    m_bytes[kInline] = static_cast<char>(kInline - kept);
    return true;
#endif
}

} // namespace tl
