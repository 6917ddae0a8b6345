#pragma once

#include "model/tabsence.h"
#include "model/tpair.h"
#include "model/tpilot.h"
#include "storage/objstream.h"

#include <memory>

namespace tl {

// The stream form of the records a block file keeps. The records only say
// what a pairing, a crew member and a toolbox item are; how they are laid
// into the object stream is the file's business and lives here.

// The class names and current class versions under which the records are
// framed.
template <class Record> struct RecordClass;
template <> struct RecordClass<TPair> {
    static constexpr const char* kName = "TPair";
    static constexpr int kVersion = 5;
};
template <> struct RecordClass<TPilot> {
    static constexpr const char* kName = "TPilot";
    static constexpr int kVersion = 3;
};

// The bodies, always written in the current class version and read as
// written by class version `version`.
void WriteBody(ObjectWriter& out, const TPair& pair);
void ReadBody(ObjectReader& in, TPair& pair, int version);
void WriteBody(ObjectWriter& out, const TPilot& pilot);
void ReadBody(ObjectReader& in, TPilot& pilot, int version);

// A record seen as a framed object of the stream: one it refers to, or, when
// made by the class registry for a pointer read, one it owns. One seen
// through a const reference can only be written; reading into it fails the
// stream.
template <class Record> class StreamedRecord final : public TStreamableBase {
public:
    StreamedRecord()
        : m_owned(std::make_unique<Record>()), m_source(m_owned.get()), m_target(m_owned.get())
    {
    }
    explicit StreamedRecord(Record& record) : m_source(&record), m_target(&record) {}
    explicit StreamedRecord(const Record& record) : m_source(&record) {}

    const Record& Get() const { return *m_source; }

    const char* StreamableName() const override { return RecordClass<Record>::kName; }
    int ClassVersion() const override { return RecordClass<Record>::kVersion; }
    void Write(ObjectWriter& out) const override { WriteBody(out, *m_source); }
    void Read(ObjectReader& in, int version) override
    {
        if (m_target == nullptr)
            in.SetFailed();
        else
            ReadBody(in, *m_target, version);
    }

private:
    std::unique_ptr<Record> m_owned;
    const Record* m_source = nullptr;
    Record* m_target = nullptr;
};

// A pairing or crew member framed: '[', class name, class version, body, ']'.
void WriteRecord(ObjectWriter& out, const TPair& pair);
void WriteRecord(ObjectWriter& out, const TPilot& pilot);
// Reads a framed record of its own class; false when the stream has failed.
bool ReadRecord(ObjectReader& in, TPair& pair);
bool ReadRecord(ObjectReader& in, TPilot& pilot);

// A toolbox item is streamed without object framing.
void WriteRecord(ObjectWriter& out, const TAbsence& item);
void ReadRecord(ObjectReader& in, TAbsence& item);

} // namespace tl
