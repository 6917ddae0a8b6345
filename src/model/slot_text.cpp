#include "model/slot_text.h"

#include <ostream>

namespace tl {

void SlotText::FreeLong()
{
    delete[] Heap();
    SetEmpty();
}

void SlotText::Assign(std::string_view text)
{
    // The text may lie in this object's own bytes: it is copied before the
    // old ones go.
    if (text.size() <= kInline) {
        char kept[16] = {};
        if (!text.empty())
            std::memcpy(kept, text.data(), text.size());
        Release();
        std::memcpy(m_bytes, kept, sizeof kept);
        m_bytes[kInline] = static_cast<char>(kInline - text.size());
        return;
    }
    char* heap = new char[sizeof(size_t) + text.size() + 1];
    const size_t size = text.size();
    std::memcpy(heap, &size, sizeof size);
    std::memcpy(heap + sizeof size, text.data(), size);
    heap[sizeof size + size] = '\0';
    Release();
    std::memcpy(m_bytes, &heap, sizeof heap);
    m_bytes[kInline] = static_cast<char>(kLong);
}

std::ostream& operator<<(std::ostream& out, const SlotText& text)
{
    return out << text.View();
}

} // namespace tl
