#include "storage/record_stream.h"

#include "model/cache_fetch.h"

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tl {

namespace {

// The operation count as stored: held and open copies count as held and open.
int32_t Magnitude(int32_t value)
{
    // Through unsigned arithmetic so the lowest value cannot overflow.
    const auto bits = static_cast<uint32_t>(value);
    return static_cast<int32_t>(value < 0 ? 0u - bits : bits);
}

// Reads a crew member's day slots as the reader's own calls would. The
// slots are most of a crew member, and a local cursor keeps the reading
// position out of memory between their hundreds of fields. Read takes one
// slot and moves past it; false, having moved nowhere, when the slot does
// not lie whole before the end, which the reader's calls then deal with.
class SlotCursor {
public:
    SlotCursor(const uint8_t* at, const uint8_t* end) : m_at(at), m_end(end) {}

    const uint8_t* At() const { return m_at; }

    bool Read(TPilot& pilot, size_t s)
    {
        if (s + kAhead < TPilot::kSlots)
            FetchSlot(pilot, s + kAhead);
        if (ReadShort(pilot, s))
            return true;
        const uint8_t* p = m_at;
        if (m_end - p < 6)
            return false;
        pilot.DaySlot[s] = ObjectReader::WordAt(p, 0);
        pilot.DayFlag[s] = static_cast<int8_t>(p[4]);
        pilot.DayLocked[s] = static_cast<int8_t>(p[5]);
        p += 6;
        if (!Text(p, pilot.DayCode[s]) || !Text(p, pilot.DayCode2[s]) || !Text(p, pilot.DayText[s]))
            return false;
        if (static_cast<size_t>(m_end - p) < 4 * kValues)
            return false;
        Values(p, pilot, s);
        m_at = p + 4 * kValues;
        return true;
    }

private:
    // The slot fields lie in separate arrays and are written in the order of
    // the stream: each slot touches a line in each array, and the texts are
    // read before they are written. Fetching the lines a few slots ahead
    // keeps the reads from waiting on memory.
    static constexpr size_t kAhead = 6;
    static void FetchSlot(const TPilot& pilot, size_t s)
    {
        FetchForWriting(&pilot.DayCode[s], sizeof pilot.DayCode[s]);
        FetchForWriting(&pilot.DayCode2[s], sizeof pilot.DayCode2[s]);
        FetchForWriting(&pilot.DayText[s], sizeof pilot.DayText[s]);
        FetchForWriting(&pilot.DayCarry[s], sizeof pilot.DayCarry[s]);
        FetchForWriting(&pilot.DayOther[s], sizeof pilot.DayOther[s]);
    }

    static constexpr size_t kValues = 2 * TPilot::kSlotValues;
    static constexpr size_t kShortText = 16;

    // Nearly every slot holds three short texts: with room ahead for the
    // longest such slot, it is read with one range check. False, having
    // read nothing, for any other slot.
    bool ReadShort(TPilot& pilot, size_t s)
    {
        constexpr size_t kLongest = 6 + 3 * (4 + kShortText) + 4 * kValues;
        const uint8_t* p = m_at;
        if (static_cast<size_t>(m_end - p) < kLongest)
            return false;
        const auto code = static_cast<uint32_t>(ObjectReader::WordAt(p + 6, 0));
        if (code > kShortText)
            return false;
        const uint8_t* code2At = p + 10 + code;
        const auto code2 = static_cast<uint32_t>(ObjectReader::WordAt(code2At, 0));
        if (code2 > kShortText)
            return false;
        const uint8_t* textAt = code2At + 4 + code2;
        const auto text = static_cast<uint32_t>(ObjectReader::WordAt(textAt, 0));
        if (text > kShortText)
            return false;
        pilot.DaySlot[s] = ObjectReader::WordAt(p, 0);
        pilot.DayFlag[s] = static_cast<int8_t>(p[4]);
        pilot.DayLocked[s] = static_cast<int8_t>(p[5]);
        // Each text has at least the slot's numbers behind it: 16 bytes
        // can always be looked at.
        ShortText(p + 10, code, pilot.DayCode[s]);
        ShortText(code2At + 4, code2, pilot.DayCode2[s]);
        ShortText(textAt + 4, text, pilot.DayText[s]);
        p = textAt + 4 + text;
        Values(p, pilot, s);
        m_at = p + 4 * kValues;
        return true;
    }

    static void ShortText(const uint8_t* at, size_t length, SlotText& text)
    {
        const auto* chars = reinterpret_cast<const char*>(at);
        if (!text.AssignCut16(chars, length))
            text = std::string_view(chars, ObjectReader::TextLength(chars, length, kShortText));
    }

    // The slot's numbers come as pairs, a carried value and an other one.
    static void Values(const uint8_t* p, TPilot& pilot, size_t s)
    {
#if defined(__SSE2__)
        if constexpr (std::endian::native == std::endian::little && TPilot::kSlotValues == 10) {
            // Four pairs a step, split into the two arrays in registers.
            int32_t* carry = pilot.DayCarry[s].data();
            int32_t* other = pilot.DayOther[s].data();
            for (size_t i = 0; i < 8; i += 4) {
                const __m128 a =
                    _mm_castsi128_ps(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 8 * i)));
                const __m128 b = _mm_castsi128_ps(
                    _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 8 * i + 16)));
                _mm_storeu_si128(reinterpret_cast<__m128i*>(carry + i),
                                 _mm_castps_si128(_mm_shuffle_ps(a, b, _MM_SHUFFLE(2, 0, 2, 0))));
                _mm_storeu_si128(reinterpret_cast<__m128i*>(other + i),
                                 _mm_castps_si128(_mm_shuffle_ps(a, b, _MM_SHUFFLE(3, 1, 3, 1))));
            }
            carry[8] = ObjectReader::WordAt(p, 16);
            other[8] = ObjectReader::WordAt(p, 17);
            carry[9] = ObjectReader::WordAt(p, 18);
            other[9] = ObjectReader::WordAt(p, 19);
            return;
        }
#endif
        for (size_t i = 0; i < TPilot::kSlotValues; ++i) {
            pilot.DayCarry[s][i] = ObjectReader::WordAt(p, 2 * i);
            pilot.DayOther[s][i] = ObjectReader::WordAt(p, 2 * i + 1);
        }
    }

    // A text up to its first zero byte; a missing one reads as empty.
    bool Text(const uint8_t*& p, SlotText& text) const
    {
        const auto left = static_cast<size_t>(m_end - p);
        if (left < 4)
            return false;
        const auto length = static_cast<uint32_t>(ObjectReader::WordAt(p, 0));
        if (length == kMissingText32) {
            text.clear();
            p += 4;
            return true;
        }
        if (length > left - 4)
            return false;
        const auto* chars = reinterpret_cast<const char*>(p + 4);
        text = std::string_view(chars, ObjectReader::TextLength(chars, length, left - 4));
        p += 4 + length;
        return true;
    }

    const uint8_t* m_at;
    const uint8_t* m_end;
};

// The reader's ReadText for a slot's text: a failed reader leaves it as it was.
void ReadText(ObjectReader& in, SlotText& text)
{
    std::string read(text);
    in.ReadText(read);
    text = read;
}

} // namespace

const ClassRegistry& RecordClassRegistry()
{
    static const ClassRegistry registry = [] {
        ClassRegistry r;
        r.Register(RecordClass<TPair>::kName, RecordClass<TPair>::kVersion,
                   [] { return std::make_unique<StreamedRecord<TPair>>(); });
        r.Register(RecordClass<TPilot>::kName, RecordClass<TPilot>::kVersion,
                   [] { return std::make_unique<StreamedRecord<TPilot>>(); });
        return r;
    }();
    return registry;
}

void WriteRecord(ObjectWriter& out, const TPair& pair)
{
    out.WriteObject(StreamedRecord<TPair>(pair));
}

void WriteRecord(ObjectWriter& out, const TPilot& pilot)
{
    out.WriteObject(StreamedRecord<TPilot>(pilot));
}

bool ReadRecord(ObjectReader& in, TPair& pair)
{
    StreamedRecord<TPair> object(pair);
    return in.ReadObject(object);
}

bool ReadRecord(ObjectReader& in, TPilot& pilot)
{
    StreamedRecord<TPilot> object(pilot);
    return in.ReadObject(object);
}

void WriteBody(ObjectWriter& out, const TPair& pair)
{
    out.WriteWord(pair.OnTime);
    out.WriteWord(pair.OffTime);
    out.WriteWord(pair.Credit);
    out.WriteByte(static_cast<uint8_t>(pair.Length));
    out.WriteWord(pair.Tafb);
    out.WriteWord(pair.PairNumber);
    out.WriteBool(pair.Valid);
    // Copies are told apart by sign in memory only; the signs are set again
    // after loading.
    for (int32_t count : pair.OpsCount)
        out.WriteWord(Magnitude(count));
    for (size_t k = 0; k < TPair::kDays; ++k) {
        out.WriteWord(pair.DayStart[k]);
        out.WriteWord(pair.DayDuty[k]);
        out.WriteWord(pair.DayCredit[k]);
        out.WriteWord(pair.DayHard[k]);
    }
    out.WriteText(pair.PairText);
    out.WriteText(pair.Layovers);
    out.WriteWord(pair.FatigueUnits);
    out.WriteText(pair.PairKey);
    out.WriteRawInt32(pair.Date);
    out.WriteText(pair.PairType);
    for (int32_t credit : pair.ExcludedCredit)
        out.WriteWord(credit);
    out.WriteWord(pair.MinRest);
    out.WriteText(pair.Note);
    for (int32_t type : pair.DayOpsType)
        out.WriteWord(type);
}

void ReadBody(ObjectReader& in, TPair& pair, int version)
{
    pair.OnTime = in.ReadWord();
    pair.OffTime = in.ReadWord();
    pair.Credit = in.ReadWord();
    pair.Length = static_cast<int8_t>(in.ReadByte());
    pair.Tafb = in.ReadWord();
    pair.PairNumber = in.ReadWord();
    pair.Valid = in.ReadBool();
    // The per-day numbers come in long runs; read them as one block when
    // the stream holds it.
    if (const uint8_t* words = in.TakeWords(TPair::kDays * 5)) {
        for (size_t d = 0; d < TPair::kDays; ++d)
            pair.OpsCount[d] = ObjectReader::WordAt(words, d);
        for (size_t k = 0; k < TPair::kDays; ++k) {
            pair.DayStart[k] = ObjectReader::WordAt(words, TPair::kDays + 4 * k);
            pair.DayDuty[k] = ObjectReader::WordAt(words, TPair::kDays + 4 * k + 1);
            pair.DayCredit[k] = ObjectReader::WordAt(words, TPair::kDays + 4 * k + 2);
            pair.DayHard[k] = ObjectReader::WordAt(words, TPair::kDays + 4 * k + 3);
        }
    } else {
        for (int32_t& count : pair.OpsCount)
            count = in.ReadWord();
        for (size_t k = 0; k < TPair::kDays; ++k) {
            pair.DayStart[k] = in.ReadWord();
            pair.DayDuty[k] = in.ReadWord();
            pair.DayCredit[k] = in.ReadWord();
            pair.DayHard[k] = in.ReadWord();
        }
    }
    in.ReadText(pair.PairText);
    in.ReadText(pair.Layovers);
    pair.FatigueUnits = in.ReadWord();
    in.ReadText(pair.PairKey);
    pair.Date = in.ReadRawInt32();
    in.ReadText(pair.PairType);
    if (version >= 2) {
        if (const uint8_t* words = in.TakeWords(TPair::kDays)) {
            for (size_t d = 0; d < TPair::kDays; ++d)
                pair.ExcludedCredit[d] = ObjectReader::WordAt(words, d);
        } else {
            for (int32_t& credit : pair.ExcludedCredit)
                credit = in.ReadWord();
        }
    }
    if (version >= 3)
        pair.MinRest = in.ReadWord();
    if (version >= 4)
        in.ReadText(pair.Note);
    if (version >= 5) {
        if (const uint8_t* words = in.TakeWords(TPair::kDays)) {
            for (size_t d = 0; d < TPair::kDays; ++d)
                pair.DayOpsType[d] = ObjectReader::WordAt(words, d);
        } else {
            for (int32_t& type : pair.DayOpsType)
                type = in.ReadWord();
        }
    }
}

void WriteBody(ObjectWriter& out, const TPilot& pilot)
{
    out.WriteText(pilot.Name);
    out.WriteText(pilot.Phone1);
    out.WriteText(pilot.Phone2);
    out.WriteText(pilot.InfoText3);
    out.WriteRawInt32(pilot.EmpNumber);
    out.WriteWord(pilot.SpareWord);
    for (size_t s = 0; s < TPilot::kSlots; ++s) {
        out.WriteWord(pilot.DaySlot[s]);
        out.WriteByte(static_cast<uint8_t>(pilot.DayFlag[s]));
        out.WriteByte(static_cast<uint8_t>(pilot.DayLocked[s]));
        out.WriteText(pilot.DayCode[s]);
        out.WriteText(pilot.DayCode2[s]);
        out.WriteText(pilot.DayText[s]);
        for (size_t i = 0; i < TPilot::kSlotValues; ++i) {
            out.WriteWord(pilot.DayCarry[s][i]);
            out.WriteWord(pilot.DayOther[s][i]);
        }
    }
    out.WriteText(pilot.FilterText);
    out.WriteText(pilot.BidText);
    out.WriteText(pilot.Quals);
    for (int32_t value : pilot.CarryIn)
        out.WriteWord(value);
    out.WriteByte(static_cast<uint8_t>(pilot.BidReserveOrLoa));
    out.WriteByte(static_cast<uint8_t>(pilot.CreditHours));
    out.WriteByte(static_cast<uint8_t>(pilot.CreditMinutes));
    out.WriteWord(pilot.DraftCredits);
    out.WriteWord(pilot.SpareCredit);
    out.WriteWord(pilot.MiscHours);
    out.WriteWord(pilot.TimeBank);
    out.WriteWord(pilot.TrainingCredit);
    out.WriteBool(pilot.TrainingFlag);
    out.WriteText(pilot.Notes);
}

void ReadBody(ObjectReader& in, TPilot& pilot, int version)
{
    in.ReadText(pilot.Name);
    in.ReadText(pilot.Phone1);
    in.ReadText(pilot.Phone2);
    in.ReadText(pilot.InfoText3);
    pilot.EmpNumber = in.ReadRawInt32();
    pilot.SpareWord = in.ReadWord();
    size_t s = 0;
    const std::span<const uint8_t> window = in.Window();
    if (!window.empty()) {
        SlotCursor cursor(window.data(), window.data() + window.size());
        while (s < TPilot::kSlots && cursor.Read(pilot, s))
            ++s;
        in.Skip(static_cast<size_t>(cursor.At() - window.data()));
    }
    // What the cursor left: a slot past the stream's end fails the reader.
    for (; s < TPilot::kSlots; ++s) {
        pilot.DaySlot[s] = in.ReadWord();
        pilot.DayFlag[s] = static_cast<int8_t>(in.ReadByte());
        pilot.DayLocked[s] = static_cast<int8_t>(in.ReadByte());
        ReadText(in, pilot.DayCode[s]);
        ReadText(in, pilot.DayCode2[s]);
        ReadText(in, pilot.DayText[s]);
        if (const uint8_t* words = in.TakeWords(2 * TPilot::kSlotValues)) {
            for (size_t i = 0; i < TPilot::kSlotValues; ++i) {
                pilot.DayCarry[s][i] = ObjectReader::WordAt(words, 2 * i);
                pilot.DayOther[s][i] = ObjectReader::WordAt(words, 2 * i + 1);
            }
        } else {
            for (size_t i = 0; i < TPilot::kSlotValues; ++i) {
                pilot.DayCarry[s][i] = in.ReadWord();
                pilot.DayOther[s][i] = in.ReadWord();
            }
        }
    }
    in.ReadText(pilot.FilterText);
    in.ReadText(pilot.BidText);
    in.ReadText(pilot.Quals);
    // The first version kept only the first ten carry-in values.
    const size_t carryIn = version >= 2 ? TPilot::kCarryIn : 10;
    for (size_t i = 0; i < carryIn; ++i)
        pilot.CarryIn[i] = in.ReadWord();
    pilot.BidReserveOrLoa = static_cast<int8_t>(in.ReadByte());
    pilot.CreditHours = static_cast<int8_t>(in.ReadByte());
    pilot.CreditMinutes = static_cast<int8_t>(in.ReadByte());
    // What the bytes hold until the build works the credit out again.
    pilot.BlockCreditMinutes = int32_t{pilot.CreditHours} * 60 + pilot.CreditMinutes;
    pilot.DraftCredits = in.ReadWord();
    pilot.SpareCredit = in.ReadWord();
    pilot.MiscHours = in.ReadWord();
    if (version >= 2) {
        pilot.TimeBank = in.ReadWord();
        pilot.TrainingCredit = in.ReadWord();
        pilot.TrainingFlag = in.ReadBool();
    }
    if (version >= 3)
        in.ReadText(pilot.Notes);
}

void WriteRecord(ObjectWriter& out, const TAbsence& item)
{
    out.WriteText(item.AbsText1);
    out.WriteText(item.AbsText2);
    out.WriteText(item.AbsText3);
    out.WriteWord(item.AbsValue1);
    out.WriteWord(item.AbsValue2);
    out.WriteWord(item.AbsValue3);
    out.WriteWord(item.AbsValue4);
    out.WriteBool(item.AbsFlag1);
    out.WriteBool(item.AbsFlag2);
    out.WriteBool(item.AbsFlag3);
    out.WriteBool(item.AbsFlag4);
}

void ReadRecord(ObjectReader& in, TAbsence& item)
{
    in.ReadText(item.AbsText1);
    in.ReadText(item.AbsText2);
    in.ReadText(item.AbsText3);
    item.AbsValue1 = in.ReadWord();
    item.AbsValue2 = in.ReadWord();
    item.AbsValue3 = in.ReadWord();
    item.AbsValue4 = in.ReadWord();
    item.AbsFlag1 = in.ReadBool();
    item.AbsFlag2 = in.ReadBool();
    item.AbsFlag3 = in.ReadBool();
    item.AbsFlag4 = in.ReadBool();
}

} // namespace tl
