#include "actions/shared_notes.h"

#include "model/schedule_document.h"

namespace tl {

const std::string& SharedNotes(const ScheduleDocument& doc)
{
    return doc.DocTexts[0];
}

void SetSharedNotes(ScheduleDocument& doc, std::string_view text)
{
    if (doc.DocTexts[0] == text)
        return;
    doc.DocTexts[0] = std::string(text);
    doc.Modified = true;
}

} // namespace tl
