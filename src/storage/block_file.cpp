#include "storage/block_file.h"

#include "model/cache_fetch.h"
#include "model/input_file.h"
#include "model/interaction.h"
#include "model/schedule_document.h"
#include "model/version.h"
#include "storage/history_text.h"
#include "storage/month_lock.h"
#include "storage/record_stream.h"
#include "storage/safe_write.h"

#include <algorithm>
#include <atomic>
#include <charconv>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tl {

namespace {

constexpr std::string_view kKindNames[] = {"TessaraLines", "TLViewPrRost", "TLViewPrSked",
                                           "TLView_Final"};
constexpr std::string_view kEndMarker = "EndOfFile";
constexpr size_t kKindNameLength = 12;

void WriteDate(ObjectWriter& out, const TDate& date)
{
    out.WriteWord(date.Day);
    out.WriteWord(date.Month);
    out.WriteWord(date.Year);
}

void ReadDate(ObjectReader& in, TDate& date)
{
    date.Day = in.ReadWord();
    date.Month = in.ReadWord();
    date.Year = in.ReadWord();
}

std::string FixedText(const std::array<char, 6>& code)
{
    size_t n = 0;
    while (n < code.size() && code[n] != '\0')
        ++n;
    return std::string(code.data(), n);
}

void WriteDocument(ObjectWriter& out, ScheduleDocument& doc, int kind)
{
    const int days = std::clamp(doc.DaysInMonth, 0, ScheduleDocument::kMonthDays);
    const int lastPair = std::clamp(doc.LastPair, -1, ScheduleDocument::kPairCapacity - 1);
    const int crewCount = std::clamp(doc.CrewCount, 0, ScheduleDocument::kCrewCapacity);
    const int absenceCount = std::clamp(doc.AbsenceCount, 0, ScheduleDocument::kAbsenceCapacity);

    // The reader takes the calendar's size from the rules: keep them agreed.
    doc.MonthRules[MonthRule::StartWeekday] = doc.StartWeekday;
    doc.MonthRules[MonthRule::DaysInMonth] = days;

    out.WriteText(std::string(BlockFileKindName(kind)) + std::string(kBlockFileVersion));
    out.WriteText(doc.GroupName);
    for (int i = 0; i < 8; ++i)
        out.WriteWord(doc.MonthRules[static_cast<size_t>(i)]);
    for (int d = 0; d < days; ++d) {
        auto i = static_cast<size_t>(d);
        WriteDate(out, doc.DayDate[i]);
        for (char c : doc.DayName[i])
            out.WriteByte(static_cast<uint8_t>(c));
        out.WriteBool(doc.Weekend[i]);
    }
    out.WriteWord(crewCount);
    out.WriteWord(lastPair);
    for (int p = 0; p <= lastPair; ++p)
        WriteRecord(out, doc.Pairs[static_cast<size_t>(p)]);
    for (int c = 0; c < crewCount; ++c)
        WriteRecord(out, doc.Crew[static_cast<size_t>(c)]);
    for (size_t i = 0; i < 6; ++i) {
        out.WriteByte(static_cast<uint8_t>(doc.MonthName[i]));
        out.WriteByte(static_cast<uint8_t>(doc.YearText[i]));
        out.WriteByte(static_cast<uint8_t>(doc.SpareCode1[i]));
        out.WriteByte(static_cast<uint8_t>(doc.SpareCode2[i]));
    }
    for (const TDate& date : doc.PrevDate)
        WriteDate(out, date);
    out.WriteWord(doc.Month);
    out.WriteWord(doc.BuildState);
    out.WriteBool(doc.ViewFlag);
    out.WriteWord(doc.SpareWord2);
    out.WriteBool(doc.PairWindowOpen);
    out.WriteBool(doc.ToolBoxOpen);
    out.WriteByte(static_cast<uint8_t>(doc.CrewKind));
    out.WriteText(SerializeHistory(doc.History));
    out.WriteWord(doc.LastBasePair);
    for (bool flag : doc.SpareFlags)
        out.WriteBool(flag);
    for (const std::string& text : doc.SpareTexts)
        out.WriteText(text);
    out.WriteBool(doc.PendingFlag);
    for (const std::string& word : doc.FilterWords)
        out.WriteText(word);
    out.WriteBool(doc.BidsWindowOpen);
    out.WriteWord(absenceCount);
    for (int a = 0; a < absenceCount; ++a)
        WriteRecord(out, doc.Absences[static_cast<size_t>(a)]);
    out.WriteText(doc.ToolBoxDate);
    for (int i = 8; i < 16; ++i)
        out.WriteWord(doc.MonthRules[static_cast<size_t>(i)]);
    out.WriteText(doc.PairingSourceText);
    out.WriteText(doc.ViewerText);
    for (const std::string& text : doc.DocTexts)
        out.WriteText(text);
    out.WriteText(kEndMarker);
}

// Refuses a file whose counts do not fit the tables: shows why, clears the
// document and returns false.
bool Refuse(ScheduleDocument& doc, Interaction& ui, const std::string& what)
{
    ui.MessageAboutFile("This is Not a Valid Tessara Lines 2 File.",
                        "%s\n" + what + " The file was not opened.", doc.FileName, Icon::Error);
    // The load started on a cleared document: only the records it counted
    // in need clearing again.
    doc.DeleteAll(ui, ScheduleDocument::Extent::InUse);
    return false;
}

bool SamePath(const std::filesystem::path& a, const std::filesystem::path& b)
{
    return !a.empty() && !b.empty() && a.lexically_normal() == b.lexically_normal();
}

// Saving over the month's own file asks first when someone else changed it
// since it was read here: their work would otherwise be lost without a word.
bool MaySaveOver(const ScheduleDocument& doc, const std::filesystem::path& path, Interaction& ui)
{
    if (!SamePath(path, doc.OnDiskPath))
        return true;
    std::error_code ec;
    if (SameOnDisk(path, doc.OnDisk) || !std::filesystem::exists(path, ec))
        return true;
    return ui.AskAboutFile("Caution!",
                           "%s\nwas changed by someone else since it was opened. Save over "
                           "their changes",
                           path, Buttons::YesNo, Icon::Warning) == Answer::Yes;
}

// Reads a file into its buffer a piece at a time on a thread of its own,
// while the caller parses what has come: opening a month then takes little
// more than reading it. Where no thread can be had, the pieces are read as
// they are waited for.
class PieceReader {
public:
    PieceReader(std::istream& in, std::span<uint8_t> buffer) : m_in(in), m_buffer(buffer)
    {
        // The first piece is read here: the parser starts on it while the
        // thread is still being set going.
        if (!ReadPiece())
            return;
        try {
            m_thread = std::thread([this] {
                while (ReadPiece()) {
                }
            });
            m_spin = std::thread::hardware_concurrency() > 1;
        } catch (const std::system_error&) {
            // Read as waited for, below.
        }
    }
    ~PieceReader()
    {
        m_stop = true;
        if (m_thread.joinable())
            m_thread.join();
    }
    PieceReader(const PieceReader&) = delete;
    PieceReader& operator=(const PieceReader&) = delete;

    // How many bytes have come once the first `wanted` have, or all there are.
    size_t Wait(size_t wanted)
    {
        wanted = std::min(wanted, m_buffer.size());
        if (!m_thread.joinable()) {
            while (m_got.load(std::memory_order_relaxed) < wanted && ReadPiece()) {
            }
            return m_got.load(std::memory_order_relaxed);
        }
        auto come = [&] {
            return m_got.load(std::memory_order_acquire) >= wanted ||
                   m_ended.load(std::memory_order_acquire);
        };
        // The next piece is seldom more than a few dozen microseconds away,
        // and being woken from a sleep can take longer than that: look again
        // for a while before sleeping.
        if (m_spin && !come()) {
            const auto until = std::chrono::steady_clock::now() + std::chrono::microseconds(100);
            for (int i = 1; !come(); ++i) {
                Pause();
                if (i % 64 == 0 && std::chrono::steady_clock::now() > until)
                    break;
            }
        }
        if (!come()) {
            std::unique_lock lock(m_mutex);
            m_arrived.wait(lock, come);
        }
        return m_got.load(std::memory_order_acquire);
    }

private:
    static constexpr size_t kPiece = 256 * 1024;

    static void Pause()
    {
#if defined(__SSE2__)
        _mm_pause();
#else
        std::this_thread::yield();
#endif
    }

    // Reads the next piece; false once there is no more.
    bool ReadPiece()
    {
        const size_t from = m_got.load(std::memory_order_relaxed);
        size_t read = 0;
        if (from < m_buffer.size() && !m_stop) {
            m_in.read(reinterpret_cast<char*>(m_buffer.data() + from),
                      static_cast<std::streamsize>(std::min(kPiece, m_buffer.size() - from)));
            read = static_cast<size_t>(m_in.gcount());
        }
        const bool more = read > 0 && from + read < m_buffer.size();
        // In this order: a parser that sees the end also sees every byte.
        m_got.store(from + read, std::memory_order_release);
        m_ended.store(!more, std::memory_order_release);
        // Taken once so that a parser about to sleep either sees the piece
        // or is asleep before the call that wakes it.
        {
            std::lock_guard lock(m_mutex);
        }
        m_arrived.notify_one();
        return more;
    }

    std::istream& m_in;
    std::span<uint8_t> m_buffer;
    std::mutex m_mutex;
    std::condition_variable m_arrived;
    // Written by the thread that reads: the reading thread once it runs.
    std::atomic<size_t> m_got = 0;
    std::atomic<bool> m_ended = false;
    bool m_spin = false;
    std::atomic<bool> m_stop = false;
    std::thread m_thread;
};

// Reads a month from `in` into the cleared document; see LoadBlocks.
bool LoadBlocksFrom(ScheduleDocument& doc, ObjectReader& in, Interaction& ui);

} // namespace

std::string_view BlockFileKindName(int kind)
{
    if (kind < 0 || kind > 3)
        return {};
    return kKindNames[kind];
}

std::vector<uint8_t> BlockFileBytes(ScheduleDocument& doc, BlockFileKind kind)
{
    const int lastPair = std::min(doc.LastPair, ScheduleDocument::kPairCapacity - 1);
    const int crewCount = std::clamp(doc.CrewCount, 0, ScheduleDocument::kCrewCapacity);
    // Fixed parts of the records plus their longest texts: one allocation
    // for the whole stream instead of a growth every few records.
    size_t estimate = 8192;
    for (int p = 0; p <= lastPair; ++p) {
        TPair& pair = doc.Pairs[static_cast<size_t>(p)];
        pair.UpdateCreditClass();
        estimate += 1200 + pair.PairText.size() + pair.Layovers.size() + pair.PairKey.size() +
                    pair.PairType.size() + pair.Note.size();
    }
    for (int c = 0; c < crewCount; ++c) {
        const TPilot& pilot = doc.Crew[static_cast<size_t>(c)];
        estimate += 7000 + pilot.Name.size() + pilot.FilterText.size() + pilot.BidText.size() +
                    pilot.Notes.size();
    }
    ObjectWriter out;
    out.Reserve(estimate);
    WriteDocument(out, doc, kind);
    return out.TakeData();
}

bool SaveBlocks(ScheduleDocument& doc, const std::filesystem::path& path, BlockFileKind kind,
                Interaction& ui)
{
    if (BlockFileKindName(kind).empty())
        kind = kSchedulerFile;
    if (!MaySaveOver(doc, path, ui))
        return false;
    ui.Trace("SaveBlksBegin\n");
    auto bytes = std::make_shared<std::vector<uint8_t>>(BlockFileBytes(doc, kind));
    WriteResult result = WriteFileSafely(path, *bytes);
    ui.Trace("SaveBlksEnd\n");
    if (result == WriteResult::CannotCreate) {
        ui.Message("File Error",
                   "Unable to create file. File may be Read Only or In use by Another "
                   "Application. Use Save As to Save as a new name",
                   Icon::Error);
        return false;
    }
    if (result == WriteResult::WriteFailed) {
        ui.Message("File Error",
                   "Error Saving File. Disk may be Full. Try Saving to Another Location ",
                   Icon::Error);
        return false;
    }
    if (SamePath(path, doc.FileName)) {
        const size_t size = bytes->size();
        std::shared_ptr<const uint8_t[]> kept(bytes, bytes->data());
        const std::optional<FileIdentity> identity =
            IdentityOf(FollowLinks(path), std::move(kept), size);
        doc.OnDiskPath = identity ? doc.FileName : std::string();
        doc.OnDisk = identity.value_or(FileIdentity{});
    }
    doc.Modified = false;
    return true;
}

bool LoadBlocks(ScheduleDocument& doc, Interaction& ui)
{
    namespace fs = std::filesystem;
    const fs::path path(doc.FileName);
    const InputFile file = OpenInputFile(path, InputText::Binary);
    if (!file) {
        ui.MessageAboutFile("Tessara Lines - Cannot Open File", "%s", doc.FileName, Icon::Error);
        return false;
    }
    const std::uintmax_t size = file.Size;
    if (size > kMaxBlockFileSize) {
        ui.MessageAboutFile("This is Not a Valid Tessara Lines 2 File.", "%s", doc.FileName,
                            Icon::Error);
        return false;
    }
    // Not zero-filled first: the reads overwrite it, and only what was read is used.
    std::shared_ptr<uint8_t[]> bytes(new uint8_t[static_cast<size_t>(size)]);
    size_t got = 0;
    {
        PieceReader reader(*file.Stream,
                           std::span<uint8_t>(bytes.get(), static_cast<size_t>(size)));
        ObjectReader in(std::span<const uint8_t>(bytes.get(), static_cast<size_t>(size)),
                        [&](size_t wanted) { return reader.Wait(wanted); });
        if (!LoadBlocksFrom(doc, in, ui))
            return false;
        // The whole file is kept, whatever part of it the month took.
        got = reader.Wait(static_cast<size_t>(size));
    }
    // Kept to notice, before saving over it, a file changed by someone else.
    if (std::optional<FileIdentity> identity = IdentityOf(path, std::move(bytes), got)) {
        doc.OnDiskPath = doc.FileName;
        doc.OnDisk = std::move(*identity);
    }
    return true;
}

bool LoadBlocksFromBytes(ScheduleDocument& doc, std::span<const uint8_t> bytes, Interaction& ui)
{
    ObjectReader in(bytes);
    return LoadBlocksFrom(doc, in, ui);
}

namespace {

bool LoadBlocksFrom(ScheduleDocument& doc, ObjectReader& in, Interaction& ui)
{
    ui.Trace("LoadBlksBegin\n");

    std::string header;
    in.ReadText(header);
    const std::string kindName = header.substr(0, kKindNameLength);
    const std::string version =
        header.size() > kKindNameLength ? header.substr(kKindNameLength) : "";
    int kind = -1;
    for (int k = 0; k < 4; ++k)
        if (kindName == kKindNames[k])
            kind = k;
    if (kind < 0 || in.Failed()) {
        ui.MessageAboutFile("This is Not a Valid Tessara Lines 2 File.", "%s", doc.FileName,
                            Icon::Error);
        return false;
    }
    doc.FileKind = kind;
    doc.FileVersion = version;
    // Newer sections are read only for newer version texts, compared as texts.
    auto above = [&](std::string_view v) { return version > v; };

    in.ReadText(doc.GroupName);
    for (int i = 0; i < 8; ++i)
        doc.MonthRules[static_cast<size_t>(i)] = in.ReadWord();
    const int days = doc.MonthRules[MonthRule::DaysInMonth];
    if (days < 1 || days > ScheduleDocument::kMonthDays)
        return Refuse(doc, ui,
                      "Its month has " + std::to_string(days) + " days; a month has 1 to 31.");
    doc.DaysInMonth = days;
    doc.StartWeekday = doc.MonthRules[MonthRule::StartWeekday];
    for (int d = 0; d < days; ++d) {
        auto i = static_cast<size_t>(d);
        ReadDate(in, doc.DayDate[i]);
        for (char& c : doc.DayName[i])
            c = static_cast<char>(in.ReadByte());
        doc.DayName[i][2] = '\0';
        doc.Weekend[i] = in.ReadBool();
    }
    doc.ExtendCalendar();
    const int32_t crewCount = in.ReadWord();
    const int32_t lastPair = in.ReadWord();
    if (lastPair < -1 || lastPair >= ScheduleDocument::kPairCapacity)
        return Refuse(doc, ui,
                      "It holds " + std::to_string(static_cast<long long>(lastPair) + 1) +
                          " pairings; at most 3001 fit.");
    if (crewCount < 0 || crewCount > ScheduleDocument::kCrewCapacity)
        return Refuse(doc, ui,
                      "It holds " + std::to_string(crewCount) + " crew members; at most 1000 fit.");

    {
        // The records are nearly all of the file: count them, telling the
        // window every two percent so a big month does not wait on repaints.
        // The record loops stay lean: one comparison per record for the
        // window, and the trace lines made in one reused buffer.
        const int records = lastPair + 1 + crewCount;
        const int step = std::max(1, records / 50);
        TProgressDialog progress(ui, "Opening Block File", records);
        int read = 0;
        int nextShown = std::min(step, records);
        auto counted = [&] {
            if (++read == nextShown) {
                progress.SetValue(read);
                nextShown = read + step > records && read < records ? records : read + step;
            }
        };
        std::string line;
        char number[16];
        // A line per record is thousands of lines: made only for an open trace.
        const bool tracing = ui.Tracing();
        ui.Trace("LoadBlksLoadPairs\n");
        // A record's bytes are brought in, where they are read piece by
        // piece, well before it is read.
        constexpr size_t kRecordAhead = 64 * 1024;
        for (int p = 0; p <= lastPair; ++p) {
            TPair& pair = doc.Pairs[static_cast<size_t>(p)];
            in.Ensure(kRecordAhead);
            if (p < lastPair)
                FetchForWriting(&doc.Pairs[static_cast<size_t>(p) + 1], sizeof(TPair));
            ReadRecord(in, pair);
            if (tracing) {
                const std::to_chars_result digits =
                    std::to_chars(number, number + sizeof number, pair.PairNumber);
                line.assign("Pairing ").append(number, digits.ptr).append(" Loaded\n");
                ui.Trace(line);
            }
            counted();
        }
        doc.LastPair = lastPair;
        ui.Trace("LoadBlksLoadEmployees\n");
        for (int c = 0; c < crewCount; ++c) {
            TPilot& pilot = doc.Crew[static_cast<size_t>(c)];
            in.Ensure(kRecordAhead);
            ReadRecord(in, pilot);
            if (tracing) {
                line.assign("Employee ").append(pilot.Name).append(" Loaded\n");
                ui.Trace(line);
            }
            counted();
        }
        doc.CrewCount = crewCount;
    }
    ui.Trace("LoadMonthDataBegin\n");

    for (size_t i = 0; i < 6; ++i) {
        doc.MonthName[i] = static_cast<char>(in.ReadByte());
        doc.YearText[i] = static_cast<char>(in.ReadByte());
        doc.SpareCode1[i] = static_cast<char>(in.ReadByte());
        doc.SpareCode2[i] = static_cast<char>(in.ReadByte());
    }
    doc.MonthName[5] = doc.YearText[5] = doc.SpareCode1[5] = doc.SpareCode2[5] = '\0';
    doc.Year = std::atoi(FixedText(doc.YearText).c_str());
    for (TDate& date : doc.PrevDate)
        ReadDate(in, date);
    doc.Month = in.ReadWord();
    (void)in.ReadWord(); // the build state of the saving session; this one builds anew
    doc.ViewFlag = in.ReadBool();
    doc.SpareWord2 = in.ReadWord();
    // The pairings window keeps its own state; the toolbox comes back with the month.
    (void)in.ReadBool();
    doc.ToolBoxOpen = in.ReadBool();
    doc.CrewKind = static_cast<int8_t>(in.ReadByte());

    ui.Trace("LoadUndoRedoString\n");
    std::string history;
    in.ReadText(history);
    if (history.size() > 1)
        ParseHistory(doc.History, history);

    doc.LastBasePair = doc.LastPair;
    if (above("2")) {
        int32_t lastBase = in.ReadWord();
        // A base index outside the loaded pairings would point past the table.
        doc.LastBasePair = lastBase >= -1 && lastBase <= doc.LastPair ? lastBase : doc.LastPair;
    }
    doc.SpareFlags.fill(false);
    for (std::string& text : doc.SpareTexts)
        text.clear();
    if (above("21")) {
        for (bool& flag : doc.SpareFlags)
            flag = in.ReadBool();
        for (std::string& text : doc.SpareTexts)
            in.ReadText(text);
        (void)in.ReadBool();
    }
    doc.PendingFlag = false;
    for (std::string& word : doc.FilterWords)
        word.clear();
    if (above("22"))
        for (std::string& word : doc.FilterWords)
            in.ReadText(word);
    if (above("23"))
        (void)in.ReadBool(); // bids window flag
    doc.AbsenceCount = 0;
    if (above("25")) {
        int32_t absenceCount = in.ReadWord();
        if (absenceCount < 0 || absenceCount > ScheduleDocument::kAbsenceCapacity)
            return Refuse(doc, ui,
                          "It holds " + std::to_string(absenceCount) +
                              " toolbox items; at most 300 fit.");
        for (int a = 0; a < absenceCount; ++a)
            ReadRecord(in, doc.Absences[static_cast<size_t>(a)]);
        doc.AbsenceCount = absenceCount;
    }
    if (above("26"))
        in.ReadText(doc.ToolBoxDate);
    if (above("27")) {
        for (int i = 8; i < 16; ++i)
            doc.MonthRules[static_cast<size_t>(i)] = in.ReadWord();
        in.ReadText(doc.PairingSourceText);
    }
    if (above("28")) {
        in.ReadText(doc.ViewerText);
        for (std::string& text : doc.DocTexts)
            in.ReadText(text);
    }
    if (doc.MonthRules[MonthRule::CheckPilotMaxCredit] == 0)
        doc.MonthRules[MonthRule::CheckPilotMaxCredit] = 5400;

    bool complete = true;
    if (version == "25" || above("25")) {
        std::string end;
        in.ReadText(end);
        complete = !in.Failed() && end == (version == "25" ? header : std::string(kEndMarker));
    }
    doc.FileIncomplete = !complete;
    if (!complete)
        ui.Message(kCaption,
                   "This file may be currupt. No End Of File found. Consider loading Backup File",
                   Icon::Warning);

    doc.Modified = false;
    doc.Untitled = false;
    doc.DisplayState = kMonthOpen;
    ui.Trace("LoadBlksEnd\n");
    return true;
}

} // namespace

} // namespace tl
