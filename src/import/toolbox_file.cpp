#include "import/toolbox_file.h"

#include "model/input_file.h"
#include "model/interaction.h"
#include "model/schedule_document.h"
#include "model/version.h"
#include "model/vortime.h"

#include <array>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace tl {

namespace {

constexpr int kRecordLines = 13;
// Longer lines are cut here; no field of a toolbox record comes near it.
constexpr size_t kMaxLineLength = 256;

// Reads lines ended by line feeds, dropping a carriage return before the line
// feed (files written on Windows) and anything past kMaxLineLength.
class LineReader {
public:
    explicit LineReader(std::istream& in) : m_buffer(in.rdbuf()) {}

    bool Next(std::string& line)
    {
        line.clear();
        if (!m_buffer)
            return false;
        using Traits = std::char_traits<char>;
        bool any = false;
        for (;;) {
            Traits::int_type c = m_buffer->sbumpc();
            if (Traits::eq_int_type(c, Traits::eof()))
                break;
            any = true;
            if (Traits::to_char_type(c) == '\n')
                break;
            if (line.size() < kMaxLineLength)
                line.push_back(Traits::to_char_type(c));
        }
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        return any;
    }

private:
    std::streambuf* m_buffer;
};

bool FailCorrupt(ScheduleDocument& doc, Interaction& ui)
{
    ui.Message(kCaption, "Error Loading Absences. File may be Currupt", Icon::Error);
    doc.ToolBoxDate.clear();
    doc.AbsenceCount = 0;
    return false;
}

} // namespace

bool ParseToolBox(std::istream& in, ScheduleDocument& doc, Interaction& ui)
{
    LineReader lines(in);
    std::string line;

    if (!lines.Next(line) || line != "TLToolBox") {
        ui.Message(kCaption, "Not a Valid ToolBox. Using default ToolBox. Import new ToolBox File.",
                   Icon::Warning);
        doc.AbsenceCount = 0;
        return false;
    }

    // Line 2 and line 4 carry nothing we use; line 3 is the toolbox date.
    if (!lines.Next(line) || !lines.Next(line))
        return FailCorrupt(doc, ui);
    doc.ToolBoxDate = line;
    if (!lines.Next(line) || !lines.Next(line))
        return FailCorrupt(doc, ui);
    const int32_t count = LeadingInt(line);

    doc.AbsenceCount = 0;
    if (count < 1) {
        ui.Message(kCaption, "No Absences to Load from File", Icon::Information);
        return false;
    }

    const std::string_view wanted = doc.CrewKind == kFlightAttendants ? "Cabin" : "Pilot";
    std::array<std::string, kRecordLines> fields;
    std::vector<std::string> refused;
    bool dropped = false;
    for (int32_t i = 0; i < count; ++i) {
        bool complete = true;
        for (std::string& field : fields)
            complete = complete && lines.Next(field);
        if (doc.AbsenceCount >= ScheduleDocument::kAbsenceCapacity) {
            // The table is full: read on only to learn whether an item of
            // this group is left out.
            if (!complete)
                break;
            if (fields[1] == wanted) {
                dropped = true;
                break;
            }
            continue;
        }
        if (!complete)
            return FailCorrupt(doc, ui);
        // A record of the other crew type is not kept.
        if (fields[1] != wanted)
            continue;

        TAbsence& record = doc.Absences[static_cast<size_t>(doc.AbsenceCount)];
        record.AbsText1 = fields[0];
        record.AbsText2 = fields[2];
        record.AbsText3 = fields[3];
        record.AbsValue1 = ParseHoursMinutes(fields[4], true);
        record.AbsValue2 = ParseHoursMinutes(fields[5], true);
        record.AbsValue3 = ParseHoursMinutes(fields[6], false);
        record.AbsValue4 = ParseHoursMinutes(fields[7], false);
        record.AbsFlag1 = fields[8] == "Y";
        record.AbsFlag2 = fields[9] == "Y";
        record.AbsFlag3 = fields[10] == "Y";
        record.AbsFlag4 = fields[11] == "Y";
        // A time that does not read would reach the blocks as -1 minute.
        static constexpr const char* kTimeNames[] = {"Start Time", "End Time", "Credit",
                                                     "Second Duration"};
        const int32_t values[] = {record.AbsValue1, record.AbsValue2, record.AbsValue3,
                                  record.AbsValue4};
        bool valid = true;
        for (size_t v = 0; v < 4 && valid; ++v) {
            if (values[v] < 0) {
                refused.push_back("ToolBox Item " + fields[0] + " Not Loaded: " + kTimeNames[v] +
                                  " \"" + fields[4 + v] + "\" is Not a Valid " +
                                  (v < 2 ? "Clock Time" : "Duration"));
                valid = false;
            }
        }
        if (valid)
            ++doc.AbsenceCount;
    }
    if (!refused.empty())
        ui.ShowList("ToolBox Items Not Loaded", refused);
    if (dropped)
        ui.Message(kCaption, "Maximum Number of ToolBox Items Reached. Not all Items Loaded",
                   Icon::Warning);
    return true;
}

bool ParseToolBoxText(std::string_view text, ScheduleDocument& doc, Interaction& ui)
{
    std::istringstream in{std::string(text)};
    return ParseToolBox(in, doc, ui);
}

bool LoadToolBox(const std::filesystem::path& path, ScheduleDocument& doc, Interaction& ui)
{
    const InputFile in = OpenInputFile(path, InputText::Text);
    if (!in) {
        ui.MessageAboutFile(kCaption, "Unable to Open File %s", path, Icon::Error);
        return false;
    }
    return ParseToolBox(*in.Stream, doc, ui);
}

} // namespace tl
