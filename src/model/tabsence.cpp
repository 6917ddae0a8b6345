#include "model/tabsence.h"

#include "storage/objstream.h"

namespace tl {

void TAbsence::Write(ObjectWriter& out) const
{
    out.WriteText(AbsText1);
    out.WriteText(AbsText2);
    out.WriteText(AbsText3);
    out.WriteWord(AbsValue1);
    out.WriteWord(AbsValue2);
    out.WriteWord(AbsValue3);
    out.WriteWord(AbsValue4);
    out.WriteBool(AbsFlag1);
    out.WriteBool(AbsFlag2);
    out.WriteBool(AbsFlag3);
    out.WriteBool(AbsFlag4);
}

void TAbsence::Read(ObjectReader& in)
{
    in.ReadText(AbsText1);
    in.ReadText(AbsText2);
    in.ReadText(AbsText3);
    AbsValue1 = in.ReadWord();
    AbsValue2 = in.ReadWord();
    AbsValue3 = in.ReadWord();
    AbsValue4 = in.ReadWord();
    AbsFlag1 = in.ReadBool();
    AbsFlag2 = in.ReadBool();
    AbsFlag3 = in.ReadBool();
    AbsFlag4 = in.ReadBool();
}

} // namespace tl
