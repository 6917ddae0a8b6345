// Block files come from disks, mail and backups: any bytes at all must read
// as records or put the stream into its failed state, never crash or read
// past the input. The first byte chooses the order of the reads, the rest is
// the stream. The stream is read twice, whole and as a file is opened, a
// piece at a time, and both must read the same.
#include "model/tabsence.h"
#include "model/tpair.h"
#include "model/tpilot.h"
#include "storage/record_stream.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace {

// A record that was read writes the same bytes after one more round trip.
template <typename Record> void CheckRewrite(const Record& record)
{
    tl::ObjectWriter first;
    WriteRecord(first, record);
    auto again = std::make_unique<Record>();
    tl::ObjectReader in(first.Data());
    if (!ReadRecord(in, *again) || in.Remaining() != 0)
        __builtin_trap();
    tl::ObjectWriter second;
    WriteRecord(second, *again);
    if (first.Data() != second.Data())
        __builtin_trap();
}

// Reads records in the order `plan` gives; what was read, written out again,
// and whether the stream failed.
std::vector<uint8_t> ReadInOrder(tl::ObjectReader& in, uint8_t plan)
{
    tl::ObjectWriter out;
    for (int step = 0; step < 16 && !in.Failed(); ++step) {
        switch ((plan >> (2 * (step % 4))) & 3) {
        case 0: {
            tl::TPair pair;
            if (ReadRecord(in, pair)) {
                CheckRewrite(pair);
                WriteRecord(out, pair);
            }
            break;
        }
        case 1: {
            auto pilot = std::make_unique<tl::TPilot>();
            if (ReadRecord(in, *pilot)) {
                CheckRewrite(*pilot);
                WriteRecord(out, *pilot);
            }
            break;
        }
        case 2: {
            tl::TAbsence item;
            tl::ReadRecord(in, item);
            tl::WriteRecord(out, item);
            break;
        }
        default:
            out.WriteBool(in.ReadPointer() != nullptr);
            break;
        }
    }
    out.WriteBool(in.Failed());
    return out.TakeData();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const uint8_t plan = data[0];
    const std::span<const uint8_t> stream(data + 1, size - 1);
    tl::ObjectReader in(stream);
    const std::vector<uint8_t> whole = ReadInOrder(in, plan);

    // Bytes not yet brought in hold rubbish, so reading one changes the result.
    std::vector<uint8_t> buffer(stream.size(), 0xA5);
    const size_t piece = 1 + plan % 61;
    size_t brought = 0;
    tl::ObjectReader pieces(buffer, [&](size_t wanted) {
        const size_t to = std::min(buffer.size(), std::max(wanted, brought + piece));
        std::copy(stream.begin() + static_cast<std::ptrdiff_t>(brought),
                  stream.begin() + static_cast<std::ptrdiff_t>(to),
                  buffer.begin() + static_cast<std::ptrdiff_t>(brought));
        brought = std::max(brought, to);
        return brought;
    });
    if (ReadInOrder(pieces, plan) != whole ||
        brought - pieces.Remaining() != stream.size() - in.Remaining())
        __builtin_trap();
    // Once failed, reads give nothing and leave texts alone.
    if (in.Failed()) {
        std::string text = "kept";
        in.ReadText(text);
        if (text != "kept" || in.ReadWord() != 0 || in.ReadByte() != 0)
            __builtin_trap();
    }
    return 0;
}
