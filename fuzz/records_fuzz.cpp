// Block files come from disks, mail and backups: any bytes at all must read
// as records or put the stream into its failed state, never crash or read
// past the input. The first byte chooses the order of the reads, the rest is
// the stream.
#include "model/tabsence.h"
#include "model/tpair.h"
#include "model/tpilot.h"
#include "storage/record_stream.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const uint8_t plan = data[0];
    tl::ObjectReader in(std::span<const uint8_t>(data + 1, size - 1));

    for (int step = 0; step < 16 && !in.Failed(); ++step) {
        switch ((plan >> (2 * (step % 4))) & 3) {
        case 0: {
            tl::TPair pair;
            if (ReadRecord(in, pair))
                CheckRewrite(pair);
            break;
        }
        case 1: {
            auto pilot = std::make_unique<tl::TPilot>();
            if (ReadRecord(in, *pilot))
                CheckRewrite(*pilot);
            break;
        }
        case 2: {
            tl::TAbsence item;
            tl::ReadRecord(in, item);
            break;
        }
        default:
            (void)in.ReadPointer();
            break;
        }
    }

    // Once failed, reads give nothing and leave texts alone.
    if (in.Failed()) {
        std::string text = "kept";
        in.ReadText(text);
        if (text != "kept" || in.ReadWord() != 0 || in.ReadByte() != 0)
            __builtin_trap();
    }
    return 0;
}
