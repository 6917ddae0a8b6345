#include "storage/objstream.h"

#include "model/tpair.h"
#include "model/tpilot.h"
#include "support/stream_bytes.h"

#include <gtest/gtest.h>

#include <string>
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
    std::string text = "old";
    in.ReadText(text);
    EXPECT_EQ(text, "AB");
    in.ReadText(text);
    EXPECT_EQ(text, "");
    text = "old";
    in.ReadText(text); // missing
    EXPECT_EQ(text, "");
    EXPECT_EQ(in.ReadRawInt32(), 0x01020304);
    in.ReadText(text);
    EXPECT_EQ(text, "AB");
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
        std::string text = "old";
        in.ReadText(text);
        EXPECT_EQ(text, "AB");
        in.ReadText(text);
        EXPECT_EQ(text, "");
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
    std::string text;
    in.ReadText(text);
    EXPECT_EQ(in.ReadWord(), 0);
    ASSERT_TRUE(in.Failed());

    EXPECT_EQ(in.ReadByte(), 0);
    EXPECT_EQ(in.ReadWord(), 0);
    EXPECT_FALSE(in.ReadBool());
    EXPECT_EQ(in.ReadRawInt32(), 0);
    in.ReadText(text);
    EXPECT_EQ(text, "kept");
    uint8_t raw[2] = {5, 5};
    in.ReadRaw(raw);
    EXPECT_EQ(raw[0] | raw[1], 0);
    Probe probe;
    EXPECT_FALSE(in.ReadObject(probe));
    EXPECT_EQ(probe.ReadVersion, -1);
    EXPECT_EQ(in.ReadPointer(), nullptr);
    EXPECT_EQ(in.Remaining(), 2u);
}

TEST(ObjectReaderTest, HostileTextLengthFailsWithoutTouchingTheText)
{
    const StreamBytes cases[] = {
        StreamBytes().Header().U32(0xFFFFFFFE).Chars("abc"), // huge
        StreamBytes().Header().U32(4).Chars("abc"),          // one too many
        StreamBytes().Header().U16(3),                       // length cut short
        StreamBytes().U8(200).Chars("0123456789"),           // byte length past the end
        StreamBytes(),
        StreamBytes().U8(0x3A).U8(1).U8(1), // header cut short
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        ObjectReader in(cases[i].Span());
        std::string text = "kept";
        in.ReadText(text);
        EXPECT_TRUE(in.Failed()) << "case " << i;
        EXPECT_EQ(text, "kept") << "case " << i;
    }
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

const StreamBytes kBody = StreamBytes().U32(1);

TEST(ObjectReaderTest, BadFramingPutsTheStreamIntoItsFailedState)
{
    const StreamBytes cases[] = {
        StreamBytes().Header().U8('(').Text32("Probe").U32(7).U32(1).U8(']'), // wrong begin byte
        StreamBytes().Header().U8('[').Text32("Probe").U32(7).U32(1).U8(')'), // wrong end byte
        StreamBytes().Header().Framed("Prob", 7, kBody),                     // unregistered
        StreamBytes().Header().Framed(std::string(127, 'N'), 1, kBody),      // another class
        StreamBytes().Header().Framed(std::string(128, 'N'), 1, kBody),      // name over 127
        StreamBytes().Header().U8('[').U32(0xFFFFFFFF).U32(7).U32(1).U8(']'), // missing name
        StreamBytes().Header().U8('[').Text32("Probe").U32(7).U16(1),         // body cut short
        StreamBytes().Header().U8('[').Text32("Probe").U32(7).U32(1),         // end missing
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        ObjectReader in(cases[i].Span(), ProbeRegistry());
        Probe probe;
        EXPECT_FALSE(in.ReadObject(probe)) << "case " << i;
        EXPECT_TRUE(in.Failed()) << "case " << i;
        EXPECT_EQ(in.ReadWord(), 0) << "case " << i;
    }
}

TEST(ObjectStreamTest, WriterAndReaderNumberEveryFramedObjectAlike)
{
    Probe first;
    first.Value = 11;
    auto second = std::make_shared<Probe>();
    second->Value = 22;

    ObjectWriter out;
    out.WriteObject(first);   // number 1
    out.WriteObject(first);   // number 2: a repeat by reference is framed again
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

TEST(ObjectReaderTest, BadPointerFailsAndGivesNoObject)
{
    const StreamBytes cases[] = {
        StreamBytes().Header().U8(3),                           // unknown tag
        StreamBytes().Header().U8(1).U32(0),                    // number zero
        StreamBytes().Header().U8(1).U32(1),                    // number not yet read
        StreamBytes().Header().U8(1).I32(-1),                   // negative number
        StreamBytes().Header().U8(2).Framed("TPair", 5, kBody), // new but unregistered
        StreamBytes().Header().U8(2).U8('[').Text32("Probe"),   // new, cut short
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        ObjectReader in(cases[i].Span(), ProbeRegistry());
        EXPECT_EQ(in.ReadPointer(), nullptr) << "case " << i;
        EXPECT_TRUE(in.Failed()) << "case " << i;
    }
}

} // namespace
} // namespace tl
