#include "model/tpair.h"
#include "model/tpilot.h"
#include "storage/record_stream.h"
#include "support/stream_bytes.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>
#include <vector>

namespace tl {
namespace {

using test::StreamBytes;

// A record with a one-word body that remembers the class version it was
// read with.
class Probe : public TStreamableBase {
public:
    int32_t Value = 0;
    int ReadVersion = -1;

    const char* StreamableName() const override { return "Probe"; }
    int ClassVersion() const override { return 7; }
    void Write(ObjectWriter& out) const override { out.WriteWord(Value); }
    void Read(ObjectReader& in, int version) override
    {
        ReadVersion = version;
        Value = in.ReadWord();
    }
};

const ClassRegistry& ProbeRegistry()
{
    static const ClassRegistry registry = [] {
        ClassRegistry r;
        r.Register("Probe", 7, [] { return std::make_unique<Probe>(); });
        r.Register(std::string(127, 'N'), 1, [] { return std::make_unique<Probe>(); });
        r.Register(std::string(128, 'N'), 1, [] { return std::make_unique<Probe>(); });
        return r;
    }();
    return registry;
}

// A text read over `before`.
std::string ReadText(ObjectReader& in, std::string before = "old")
{
    in.ReadText(before);
    return before;
}

// The writer's bytes match the hand-laid layout (header 3A 01 01 00 00 first),
// and the reader reads them back.
TEST(ObjectStreamTest, CurrentEncodingsAreLittleEndianAndReadBack)
{
    ObjectWriter out;
    out.WriteByte(0xAB);
    out.WriteWord(-2);
    out.WriteBool(true);
    out.WriteBool(false);
    out.WriteText("AB");
    out.WriteText("");
    out.WriteMissingText();
    out.WriteRawInt32(0x01020304);
    StreamBytes bytes;
    bytes.Header().U8(0xAB).I32(-2).U32(1).U32(0).Text32("AB").Text32("").U32(0xFFFFFFFF);
    EXPECT_EQ(out.Data(), bytes.U32(0x01020304).Bytes());
    // A text ends at its first zero byte, but its whole length is consumed.
    bytes.U32(5).Chars(std::string_view("AB\0CD", 5)).U32(42);

    ObjectReader in(bytes.Span());
    EXPECT_EQ(in.StreamVersion(), 0x101u);
    EXPECT_EQ(in.ReadByte(), 0xAB);
    EXPECT_EQ(in.ReadWord(), -2);
    EXPECT_TRUE(in.ReadBool());
    EXPECT_FALSE(in.ReadBool());
    EXPECT_EQ(ReadText(in), "AB");
    EXPECT_EQ(ReadText(in), "");
    EXPECT_EQ(ReadText(in), ""); // missing
    EXPECT_EQ(in.ReadRawInt32(), 0x01020304);
    EXPECT_EQ(ReadText(in), "AB");
    EXPECT_EQ(in.ReadWord(), 42);
    EXPECT_FALSE(in.Failed());
    EXPECT_EQ(in.Remaining(), 0u);
    EXPECT_TRUE(ObjectReader(StreamBytes().Header().U32(5).Span()).ReadBool()); // any word but 0
}

// Version 0 has no ':' in front, short words and byte lengths; 0x100 has
// words but still byte lengths.
TEST(ObjectReaderTest, OlderStreamsReadTheirWordsAndTexts)
{
    const struct {
        StreamBytes bytes; // a word, the text "AB", a missing text, the byte 9
        uint32_t version;
        int32_t word;
    } cases[] = {
        {StreamBytes().U16(0xFFFE).Text8("AB").U8(0xFF).U8(9), 0, -2},
        {StreamBytes().U8(0x3A).U32(0x100).U32(70000).Text8("AB").U8(0xFF).U8(9), 0x100, 70000},
    };
    for (const auto& c : cases) {
        ObjectReader in(c.bytes.Span());
        EXPECT_EQ(in.StreamVersion(), c.version);
        EXPECT_EQ(in.ReadWord(), c.word);
        EXPECT_EQ(ReadText(in), "AB");
        EXPECT_EQ(ReadText(in), "");
        EXPECT_EQ(in.ReadByte(), 9);
        EXPECT_FALSE(in.Failed());
    }
}

TEST(ObjectReaderTest, FailedStateReadsZerosAndLeavesTexts)
{
    // Two bytes are left when a word is asked for: the read fails and the
    // bytes stay unread.
    StreamBytes bytes;
    bytes.Header().Text32("kept").U8(7).U8(8);
    ObjectReader in(bytes.Span());
    EXPECT_EQ(ReadText(in), "kept");
    EXPECT_EQ(in.ReadWord(), 0);
    ASSERT_TRUE(in.Failed());

    EXPECT_EQ(in.ReadByte(), 0);
    EXPECT_EQ(in.ReadWord(), 0);
    EXPECT_FALSE(in.ReadBool());
    EXPECT_EQ(in.ReadRawInt32(), 0);
    EXPECT_EQ(ReadText(in, "kept"), "kept");
    uint8_t raw[2] = {5, 5};
    in.ReadRaw(raw);
    EXPECT_EQ(raw[0] | raw[1], 0);
    Probe probe;
    EXPECT_FALSE(in.ReadObject(probe));
    EXPECT_EQ(probe.ReadVersion, -1);
    EXPECT_EQ(in.ReadPointer(), nullptr);
    EXPECT_EQ(in.Remaining(), 2u);
}

TEST(ObjectReaderTest, FramedRecordHandsItsClassVersionToRead)
{
    StreamBytes bytes;
    bytes.Header().Framed("Probe", 3, StreamBytes().I32(-9));
    ObjectReader in(bytes.Span(), ProbeRegistry());
    Probe probe;
    EXPECT_TRUE(in.ReadObject(probe));
    EXPECT_EQ(probe.ReadVersion, 3);
    EXPECT_EQ(probe.Value, -9);
    EXPECT_EQ(in.Remaining(), 0u);

    // Version 0 streams frame a record without a class version.
    const StreamBytes v0 = StreamBytes().U8('[').Text8("Probe").U16(0xFFFF).U8(']');
    ObjectReader old(v0.Span(), ProbeRegistry());
    EXPECT_TRUE(old.ReadObject(probe));
    EXPECT_EQ(probe.ReadVersion, 0);
    EXPECT_EQ(probe.Value, -1);

    // A 127-character name is accepted; read through a pointer, the name decides the class.
    const StreamBytes longName =
        StreamBytes().Header().U8(2).Framed(std::string(127, 'N'), 1, StreamBytes().U32(5));
    auto object = ObjectReader(longName.Span(), ProbeRegistry()).ReadPointer();
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(static_cast<Probe&>(*object).Value, 5);
}

TEST(ObjectStreamTest, WriterAndReaderNumberEveryFramedObjectAlike)
{
    Probe first;
    first.Value = 11;
    auto second = std::make_shared<Probe>();
    second->Value = 22;

    ObjectWriter out;
    out.WriteObject(first); // number 1
    out.WriteObject(first); // number 2: a repeat by reference is framed again
    out.WritePointer(nullptr);
    out.WritePointer(second); // number 3
    out.WritePointer(second);
    // Not kept by the caller: a later object must not take its number.
    out.WritePointer(std::make_shared<Probe>());
    out.WritePointer(std::make_shared<Probe>());

    const StreamBytes eleven = StreamBytes().U32(11), zero = StreamBytes().U32(0);
    StreamBytes expected;
    expected.Header().Framed("Probe", 7, eleven).Framed("Probe", 7, eleven).U8(0);
    expected.U8(2).Framed("Probe", 7, StreamBytes().U32(22)).U8(1).U32(3);
    expected.U8(2).Framed("Probe", 7, zero).U8(2).Framed("Probe", 7, zero);
    EXPECT_EQ(out.Data(), expected.Bytes());

    ObjectReader in(out.Data(), ProbeRegistry());
    Probe readFirst;
    ASSERT_TRUE(in.ReadObject(readFirst));
    ASSERT_TRUE(in.ReadObject(readFirst));
    EXPECT_EQ(in.ReadPointer(), nullptr);
    auto readSecond = in.ReadPointer();
    ASSERT_NE(readSecond, nullptr);
    EXPECT_EQ(static_cast<Probe&>(*readSecond).Value, 22);
    EXPECT_EQ(in.ReadPointer(), readSecond);
    auto third = in.ReadPointer();
    auto fourth = in.ReadPointer();
    EXPECT_NE(third, nullptr);
    EXPECT_NE(fourth, nullptr);
    EXPECT_NE(third, fourth);
    EXPECT_FALSE(in.Failed());
}

// Whatever the damage, the reader fails: a text keeps its old value, no
// record is read and no object given, and later reads give zeros.
TEST(ObjectReaderTest, MalformedInputPutsTheStreamIntoItsFailedState)
{
    enum Read { Text, Record, Pointer };
    const StreamBytes body = StreamBytes().U32(1);
    const struct {
        Read read;
        StreamBytes bytes;
        const char* what;
    } cases[] = {
        {Text, StreamBytes().Header().U32(0xFFFFFFFE).Chars("abc"), "huge text length"},
        {Text, StreamBytes().Header().U32(4).Chars("abc"), "text one too long"},
        {Text, StreamBytes().Header().U16(3), "text length cut short"},
        {Text, StreamBytes().U8(200).Chars("0123456789"), "byte length past the end"},
        {Text, StreamBytes(), "empty"},
        {Text, StreamBytes().U8(0x3A).U8(1).U8(1), "header cut short"},
        {Record, StreamBytes().Header().U8('(').Text32("Probe").U32(7).U32(1).U8(']'), "begin"},
        {Record, StreamBytes().Header().U8('[').Text32("Probe").U32(7).U32(1).U8(')'), "end"},
        {Record, StreamBytes().Header().Framed("Prob", 7, body), "unregistered"},
        {Record, StreamBytes().Header().Framed(std::string(127, 'N'), 1, body), "other class"},
        {Record, StreamBytes().Header().Framed(std::string(128, 'N'), 1, body), "name over 127"},
        {Record, StreamBytes().Header().U8('[').U32(0xFFFFFFFF).U32(7).U32(1).U8(']'), "no name"},
        {Record, StreamBytes().Header().U8('[').Text32("Probe").U32(7).U16(1), "body cut short"},
        {Record, StreamBytes().Header().U8('[').Text32("Probe").U32(7).U32(1), "end missing"},
        {Pointer, StreamBytes().Header().U8(3), "unknown tag"},
        {Pointer, StreamBytes().Header().U8(1).U32(0), "number zero"},
        {Pointer, StreamBytes().Header().U8(1).U32(1), "number not yet read"},
        {Pointer, StreamBytes().Header().U8(1).I32(-1), "negative number"},
        {Pointer, StreamBytes().Header().U8(2).Framed("TPair", 5, body), "new, unregistered"},
        {Pointer, StreamBytes().Header().U8(2).U8('[').Text32("Probe"), "new, cut short"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ObjectReader in(c.bytes.Span(), ProbeRegistry());
        Probe probe;
        if (c.read == Text) {
            EXPECT_EQ(ReadText(in, "kept"), "kept");
        } else if (c.read == Record) {
            EXPECT_FALSE(in.ReadObject(probe));
        } else {
            EXPECT_EQ(in.ReadPointer(), nullptr);
        }
        EXPECT_TRUE(in.Failed());
        EXPECT_EQ(in.ReadWord(), 0);
    }
}

// A valid one-day pairing operating on the first day of the month.
TPair OneDayPairing()
{
    TPair p;
    std::tie(p.Length, p.OnTime, p.OffTime, p.Tafb, p.Credit) = std::tuple(1, 600, 1200, 600, 300);
    std::tie(p.DayCredit[0], p.DayStart[0], p.DayDuty[0], p.DayHard[0]) =
        std::tuple(300, 600, 600, 240);
    p.OpsCount[0] = kOpsOpen;
    return p;
}

// A last duty ending before 02:00 is no day worked; only a short single duty
// past midnight crosses it, and the flag once set is never cleared.
TEST(TPairValidateTest, DaysWorkedAndCrossingMidnight)
{
    const struct {
        int length, onTime, offTime, tafb, daysWorked;
        bool crosses;
    } cases[] = {
        {2, 600, 119, 600, 1, false},
        {2, 600, 120, 600, 2, true},
        {1, 600, 90, 600, 1, false},
        {2, 600, 0, 600, 1, false},
        {4, 600, 1439, 600, 4, false},
        {1, 1320, 180, 300, 1, true},  // 22:00 to 03:00
        {1, 1320, 119, 219, 1, false}, // released 01:59
        {1, 1320, 120, 240, 1, true},
        {1, 1320, 180, 900, 1, false}, // 15:00 away
        {1, 1320, 180, 899, 1, true},
        {1, 1320, 0, 120, 1, false}, // 0 is looked at before it becomes 1440
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.length << " days to " << c.offTime);
        TPair pair = OneDayPairing();
        pair.Length = static_cast<int8_t>(c.length);
        pair.OnTime = c.onTime;
        pair.OffTime = c.offTime;
        pair.Tafb = c.tafb;
        EXPECT_TRUE(pair.Validate(31));
        EXPECT_EQ(pair.DaysWorked, c.daysWorked);
        EXPECT_EQ(pair.CrossesMidnight, c.crosses);
        EXPECT_EQ(pair.OffTime, c.offTime == 0 ? 1440 : c.offTime);
        pair.CrossesMidnight = true;
        pair.Validate(31);
        EXPECT_TRUE(pair.CrossesMidnight);
    }
}

TEST(TPairValidateTest, AppendsEveryFailureInOrder)
{
    const struct {
        const char* name;
        std::function<void(TPair&)> change;
        int daysInMonth;
        std::string errorText;
    } cases[] = {
        {"Valid", [](TPair&) {}, 31, ""},
        {"OnTime1440", [](TPair& p) { p.OnTime = 1440; }, 31, ""},
        {"OnTime1441", [](TPair& p) { p.OnTime = 1441; }, 31,
         "Duty Start Time < 00:01 or > 24:00. "},
        {"CreditNotAddingUp", [](TPair& p) { p.Credit = 301; }, 31,
         "Credit for each Day does not add up to Total Credit\n"},
        {"CreditOfLaterDaysNotCounted", [](TPair& p) { p.DayCredit[1] = 60; }, 31, ""},
        {"LengthZeroLooksAtNoDay",
         [](TPair& p) {
             p.Length = 0;
             p.Credit = 0;
             p.DayCredit[0] = -5;
             p.DayStart[0] = 5000;
         },
         31, "Pairing Length < 1 day or > 31 days. "},
        {"Length32", [](TPair& p) { p.Length = 32; }, 31, "Pairing Length < 1 day or > 31 days. "},
        {"OperatesOnlyAfterTheMonth",
         [](TPair& p) {
             p.OpsCount[0] = kNotOperating;
             p.OpsCount[30] = kOpsOpen;
         },
         30, "Never Operates "},
        {"OpenCopyOperates",
         [](TPair& p) {
             p.OpsCount[0] = kNotOperating;
             p.OpsCount[30] = kOpsOpenFlagged;
         },
         31, ""},
        {"StartTime1440", [](TPair& p) { p.DayStart[0] = 1440; }, 31,
         "Daily Start Time < 00:00 or > 23:59 on Day 1. "},
        {"EveryCheckInOrder",
         [](TPair& p) {
             std::tie(p.Length, p.Credit, p.OnTime, p.OpsCount[0]) =
                 std::tuple(2, 999, 1441, kNotOperating);
             p.DayCredit[0] = p.DayHard[0] = p.DayStart[1] = p.DayDuty[1] = -1;
         },
         31,
         "Credit for each Day does not add up to Total Credit\n"
         "Duty Start Time < 00:01 or > 24:00. "
         "Never Operates "
         "Daily Credit < 00:00 on Day 1. "
         "Daily HardTime < 00:00 on Day 1. "
         "Daily Start Time < 00:00 or > 23:59 on Day 2. "
         "Daily Duty Time < 00:00 on Day 2. "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TPair pair = OneDayPairing();
        pair.ErrorText = "from last time";
        c.change(pair);
        EXPECT_EQ(pair.Validate(c.daysInMonth), c.errorText.empty());
        EXPECT_EQ(pair.ErrorText, c.errorText);
        EXPECT_EQ(pair.Valid, c.errorText.empty());
    }
}

TEST(TPairTest, CreditClassFollowsCreditPerDay)
{
    const struct {
        int credit, daysWorked;
        bool crossesMidnight;
        int creditClass;
    } cases[] = {
        {897, 3, false, 0},  {900, 3, false, 1},  {1079, 3, false, 1}, {1080, 3, false, 2},
        {1259, 3, false, 2}, {1260, 3, false, 3}, {450, 2, true, 3}, // one duty: all the credit
        {900, 0, false, 0},  {-600, 1, false, 0},
    };
    for (const auto& c : cases) {
        TPair pair;
        pair.Credit = c.credit;
        pair.DaysWorked = static_cast<int8_t>(c.daysWorked);
        pair.CrossesMidnight = c.crossesMidnight;
        pair.UpdateCreditClass();
        EXPECT_EQ(pair.CreditClass, c.creditClass) << c.credit << " over " << c.daysWorked;
    }
}

// A pairing body laid out by hand, field by field, for class version
// `version`. Sections of later versions up to `written` hold what a record
// read from the older version keeps there.
StreamBytes PairBody(int version, int written)
{
    StreamBytes b;
    b.U32(600).U32(1500).U32(1260).U8(3).U32(2340).U32(1234).U32(1);
    for (uint32_t d = 0; d < 31; ++d)
        b.U32(d % 7 == 0 ? 2 : 0);
    for (uint32_t k = 0; k < 31; ++k) {
        if (k < 3)
            b.U32(420 + k).U32(600).U32(420).U32(300);
        else
            b.U32(0).U32(0).U32(0).U32(0);
    }
    b.Text32("PAIR 1234\nYYZ-YUL").Text32("YULYVR").U32(15).Text32("KEY");
    b.U32(2451545).Text32("REG");
    if (written >= 2)
        for (uint32_t d = 0; d < 31; ++d)
            b.U32(version >= 2 && d == 7 ? 60 : 0);
    if (written >= 3)
        b.U32(version >= 3 ? 600 : 660);
    if (written >= 4)
        b.Text32(version >= 4 ? "NOTE" : "");
    if (written >= 5)
        for (uint32_t d = 0; d < 31; ++d)
            b.U32(version >= 5 && d == 14 ? 3 : 0);
    return b;
}

TEST(TPairStreamTest, ReadsEveryClassVersionAndWritesTheCurrentOne)
{
    for (int version = 1; version <= 5; ++version) {
        SCOPED_TRACE(version);
        StreamBytes bytes;
        const auto v = static_cast<uint32_t>(version);
        bytes.Header().U8(2).Framed("TPair", v, PairBody(version, version));
        ObjectReader in(bytes.Span());
        auto object = in.ReadPointer();
        ASSERT_NE(object, nullptr);
        EXPECT_EQ(in.Remaining(), 0u);
        const TPair& pair = dynamic_cast<const StreamedRecord<TPair>&>(*object).Get();
        // The write-back below checks every field; these anchor the order.
        EXPECT_EQ(pair.Tafb, 2340);
        EXPECT_EQ(pair.DayStart[2], 422);
        EXPECT_EQ(pair.MinRest, version >= 3 ? 600 : 660);

        ObjectWriter out;
        WriteRecord(out, pair);
        StreamBytes expected;
        expected.Header().Framed("TPair", 5, PairBody(version, 5));
        EXPECT_EQ(out.Data(), expected.Bytes());
    }
}

// A record seen through a const reference is written, never read into.
TEST(TPairStreamTest, ConstRecordIsNeverReadInto)
{
    const TPair pair;
    ObjectWriter out;
    WriteRecord(out, pair);
    ObjectReader in(out.Data());
    StreamedRecord<TPair> view(pair);
    EXPECT_FALSE(in.ReadObject(view));
    EXPECT_TRUE(in.Failed());
}

template <class Record> std::vector<uint8_t> RecordBytes(const Record& record)
{
    ObjectWriter out;
    WriteRecord(out, record);
    return out.Data();
}

TEST(TPairTest, ResetKeepsOnlyTheLabelTheCreditClassAndTheDate)
{
    StreamBytes bytes;
    bytes.Header().Framed("TPair", 5, PairBody(5, 5));
    ObjectReader in(bytes.Span());
    TPair pair;
    ASSERT_TRUE(ReadRecord(in, pair));
    pair.Validate(31);
    pair.Label = "Low";
    pair.CreditClass = 2;
    pair.Mark = 1;
    pair.ErrorText = "Never Operates ";
    pair.Reset();

    TPair expected;
    expected.Date = pair.Date;
    EXPECT_EQ(RecordBytes(pair), RecordBytes(expected));
    EXPECT_EQ((std::vector<int>{pair.DaysWorked, pair.Mark, pair.CreditClass}),
              (std::vector<int>{0, 0, 2}));
    EXPECT_EQ(pair.ErrorText + pair.Label, "Low");
}

// A crew member with every field away from what a fresh record holds.
TPilot FullPilot()
{
    TPilot p;
    for (std::string* text :
         {&p.Name, &p.Phone1, &p.Phone2, &p.InfoText3, &p.Illegalities, &p.CarsLog, &p.Warnings,
          &p.FilterText, &p.BidText, &p.Quals, &p.Notes})
        *text = "x";
    for (int32_t* word :
         {&p.EmpNumber, &p.SpareWord, &p.AllMonthLeave, &p.DraftCredits, &p.MiscHours,
          &p.SpareCredit, &p.TimeBank, &p.TimeBankCredit, &p.AlbCredit, &p.TrainingCredit})
        *word = 7;
    for (int8_t* byte :
         {&p.BidReserveOrLoa, &p.BeyondBlockHolders, &p.Selected, &p.LegalityValid, &p.Option2})
        *byte = 2;
    p.TrainingFlag = true;
    p.SetBlockCredit(200 * 60);
    for (size_t s = 0; s < TPilot::kSlots; ++s) {
        p.DayCode[s] = p.DayCode2[s] = p.DayText[s] = "d";
        p.DaySlot[s] = static_cast<int32_t>(s);
        p.DayFlag[s] = p.DayLocked[s] = p.DayIllegal[s] = p.DayWarning[s] = 1;
        p.DayOther[s].fill(3);
        p.DayCarry[s].fill(-3);
    }
    p.CarryIn.fill(9);
    p.Requests.fill(1);
    return p;
}

TEST(TPilotTest, CopiesCarryEveryFieldButTheWarnings)
{
    const TPilot original = FullPilot();
    const TPilotFields& fields = original;
    ASSERT_NE(RecordBytes(original), RecordBytes(TPilot{}));

    const TPilot constructed(original);
    TPilot assigned;
    assigned.Warnings = "own";
    assigned = original;
    for (const TPilot* copy : {&constructed, static_cast<const TPilot*>(&assigned)}) {
        EXPECT_EQ(RecordBytes(*copy), RecordBytes(original));
        // What the file does not hold: legality results, the block credit
        // beyond the bytes, the cut-off flag, requests and options.
        EXPECT_TRUE(static_cast<const TPilotFields&>(*copy) == fields);
    }
    EXPECT_EQ(constructed.Warnings + assigned.Warnings, "own");
}

TEST(TPilotTest, ResetKeepsOnlyTheSpareWordTheCutOffAndTheWarnings)
{
    TPilot pilot = FullPilot();
    pilot.Reset();
    // No pairing is -1, as 0 would be the first one.
    EXPECT_EQ(pilot.DaySlot[61], kFreeSlot);
    TPilot expected;
    expected.SpareWord = 7;
    expected.BeyondBlockHolders = 2;
    EXPECT_TRUE(static_cast<const TPilotFields&>(pilot) == expected);
    EXPECT_EQ(RecordBytes(pilot), RecordBytes(expected));
    EXPECT_EQ(pilot.Warnings, "x");
}

TEST(TPilotTest, OnlyTheMonthsDaysCountAsFlagged)
{
    TPilot pilot;
    EXPECT_FALSE(pilot.AnyOtherFlagged(31));
    pilot.DayOther[30][OtherValue::Reserve] = 1;
    EXPECT_FALSE(pilot.AnyOtherFlagged(30));
    EXPECT_TRUE(pilot.AnyOtherFlagged(31));
    pilot.DayOther[30][OtherValue::Reserve] = 0;
    pilot.DayOther[0][OtherValue::HardTime] = 1;
    EXPECT_FALSE(pilot.AnyOtherFlagged(31));
}

// Leave codes for the first days, the rest empty.
std::vector<std::string> Repeat(const std::string& code, int count,
                                std::vector<std::string> tail = {})
{
    std::vector<std::string> codes(static_cast<size_t>(count), code);
    codes.insert(codes.end(), tail.begin(), tail.end());
    return codes;
}

TEST(TPilotTest, AllMonthLeaveNeedsLeaveOnEveryDayOfTheMonth)
{
    const struct {
        int daysInMonth;
        std::vector<std::string> codes;
        bool allLeave;
    } cases[] = {
        {31, Repeat("LOA", 30, {"MED"}), true},
        {31, Repeat("LOA", 30), false}, // an empty day
        {30, Repeat("LTD", 30), true},  // slot 30 is past the month
        {30, Repeat("PSD", 29, {"VAC"}), false},
        {28, Repeat("LOA", 20, {"PSD", "UTF", "MAT", "MED", "WCB", "LTD", "PWC", "MOD"}), true},
        {28, Repeat("LOA", 27, {"loa"}), false},
    };
    for (const auto& c : cases) {
        TPilot pilot;
        pilot.AllMonthLeave = c.allLeave ? 0 : 1;
        for (size_t d = 0; d < c.codes.size(); ++d)
            pilot.DayCode[d] = c.codes[d];
        EXPECT_EQ(pilot.IsAllMonthLeave(c.daysInMonth), c.allLeave) << c.codes.back();
        EXPECT_EQ(pilot.AllMonthLeave, c.allLeave ? 1 : 0);
    }
}

// A crew member body laid out by hand for class version `version`. Sections
// of later versions up to `written` hold what a record read from the older
// version keeps there.
StreamBytes PilotBody(int version, int written,
                      const StreamBytes& slot4Code = StreamBytes().Text32("VAC"))
{
    StreamBytes b;
    b.Text32("SMITH J").Text32("555-1234").Text32("").Text32("info");
    b.U32(123456789).U32(17);
    for (uint32_t s = 0; s < 62; ++s) {
        b.I32(s == 3 ? 7 : (s == 4 ? -2 : -1)).U8(s == 5 ? 2 : 0).U8(s == 3 ? 1 : 0);
        b.Append((s == 4 ? slot4Code : StreamBytes().Text32("")).Bytes());
        b.Text32("").Text32(s == 61 ? "last" : "");
        for (uint32_t i = 0; i < 10; ++i)
            b.U32(s == 0 && i == 4 ? 300 : 0).U32(s == 4 ? 100 + i : 0);
    }
    b.Text32("filter").Text32("bid").Text32("FRIT");
    for (uint32_t i = 0; i < (written >= 2 ? 20u : 10u); ++i)
        b.U32(i < 10 || version >= 2 ? 1000 + i : 0);
    b.U8(1).U8(75).U8(30);
    b.U32(60).U32(61).U32(62);
    if (written >= 2)
        b.U32(version >= 2 ? 90 : 0).U32(version >= 2 ? 120 : 0).U32(version >= 2 ? 1 : 0);
    if (written >= 3)
        b.Text32(version >= 3 ? "notes" : "");
    return b;
}

TEST(TPilotStreamTest, ReadsEveryClassVersionAndWritesTheCurrentOne)
{
    for (int version = 1; version <= 3; ++version) {
        SCOPED_TRACE(version);
        StreamBytes bytes;
        const auto v = static_cast<uint32_t>(version);
        bytes.Header().Framed("TPilot", v, PilotBody(version, version));
        ObjectReader in(bytes.Span());
        TPilot pilot;
        ASSERT_TRUE(ReadRecord(in, pilot));
        EXPECT_EQ(in.Remaining(), 0u);
        // Writing back against the hand layout checks every field; these
        // anchor fields a reader and writer could swap alike.
        EXPECT_EQ(pilot.DayFlag[5], 2);
        EXPECT_EQ(pilot.DayCarry[0][CarryValue::Credit], 300);
        EXPECT_EQ(pilot.DayOther[4][9], 109);
        EXPECT_EQ(pilot.CarryIn.back(), version >= 2 ? 1019 : 0);

        ObjectWriter out;
        WriteRecord(out, pilot);
        StreamBytes expected;
        expected.Header().Framed("TPilot", 3, PilotBody(version, 3));
        EXPECT_EQ(out.Data(), expected.Bytes());
    }
}

// Slot texts keep up to 15 bytes in themselves and longer ones apart: every
// way of changing one gives the text asked for, ended by a zero byte.
TEST(SlotTextTest, EveryChangeGivesTheTextAskedFor)
{
    for (const std::string& text : {std::string(), std::string("VAC"), std::string(15, 'F'),
                                    std::string(16, 'S'), std::string(40, 'L')}) {
        SCOPED_TRACE(text.size());
        SlotText slot;
        slot = text;
        EXPECT_EQ(slot, text);
        EXPECT_EQ(slot.c_str()[slot.size()], '\0');
        SlotText copy(slot);
        SlotText moved(std::move(copy));
        EXPECT_EQ(moved, text);
        for (const std::string& before : {std::string("RB"), std::string(30, 'x')}) {
            SlotText other(before);
            other = moved;
            EXPECT_EQ(other, text);
            other = SlotText(before);
            EXPECT_EQ(other, before);
        }
        // A part of its own text.
        if (!text.empty()) {
            slot = slot.View().substr(1);
            EXPECT_EQ(slot, text.substr(1));
            EXPECT_EQ(slot.c_str()[slot.size()], '\0');
        }
    }
}

TEST(TPilotStreamTest, SlotTextsEndAtTheirFirstZeroAndACutSlotFails)
{
    const struct {
        StreamBytes code;
        std::string read;
    } cases[] = {
        {StreamBytes().Text32(std::string_view("AB\0CD", 5)), "AB"},
        {StreamBytes().Text32(std::string(18, 'L') + '\0' + "X"), std::string(18, 'L')},
        {StreamBytes().U32(0xFFFFFFFF), ""},
        // Short texts are looked at 16 bytes at a time: both halves and the edges.
        {StreamBytes().Text32(std::string_view("ABCDEFGHIJK\0MNOP", 16)), "ABCDEFGHIJK"},
        {StreamBytes().Text32("ABCDEFGHIJKLMNO"), "ABCDEFGHIJKLMNO"},
        {StreamBytes().Text32("ABCDEFGHIJKLMNOP"), "ABCDEFGHIJKLMNOP"},
        {StreamBytes().Text32("ABCDEFGHIJKLMNOPQ"), "ABCDEFGHIJKLMNOPQ"},
        {StreamBytes().Text32(std::string_view("\0BC", 3)), ""},
    };
    for (const auto& c : cases) {
        StreamBytes bytes;
        bytes.Header().Framed("TPilot", 3, PilotBody(3, 3, c.code));
        ObjectReader in(bytes.Span());
        TPilot pilot;
        pilot.DayCode[4] = "an old text longer than most";
        ASSERT_TRUE(ReadRecord(in, pilot));
        EXPECT_EQ(pilot.DayCode[4], c.read);
        EXPECT_EQ(pilot.DayText[61], "last");
    }
    StreamBytes whole;
    whole.Header().Framed("TPilot", 3, PilotBody(3, 3));
    ObjectReader in(whole.Span().first(whole.Bytes().size() / 2));
    TPilot pilot;
    EXPECT_FALSE(ReadRecord(in, pilot));
    EXPECT_EQ(pilot.DayCode[4], "VAC"); // read before the cut
}

} // namespace
} // namespace tl
