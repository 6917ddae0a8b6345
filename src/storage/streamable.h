#pragma once

namespace tl {

class ObjectWriter;
class ObjectReader;

// A record that streams itself inside the object framing of the block file:
// its registered class name, its class version and its body.
class TStreamableBase {
public:
    virtual ~TStreamableBase() = default;

    virtual const char* StreamableName() const = 0;
    virtual int ClassVersion() const = 0;

    // The body of the record, always in the current class version.
    virtual void Write(ObjectWriter& out) const = 0;
    // The body as written by class version `version`.
    virtual void Read(ObjectReader& in, int version) = 0;

protected:
    TStreamableBase() = default;
    TStreamableBase(const TStreamableBase&) = default;
    TStreamableBase& operator=(const TStreamableBase&) = default;
};

} // namespace tl
