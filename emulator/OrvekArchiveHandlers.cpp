// The FN archive for the marking report: reading documents one by one and
// saving what was read.
#include "emulator/OrvekHandlers.h"
#include "emulator/OrvekResultCodes.h"
#include "emulator/RegisterArchive.h"

namespace {
using P = OrvekProp;
using M = OrvekMethod;

RegisterArchive& Archive(OrvekCall& c)
{
    return c.Reg().Area<RegisterArchive>();
}

std::int32_t FNBeginReadArchive(OrvekCall& c)
{
    Archive(c).Begin();
    return OrvekResult::Ok;
}

std::int32_t FNReadArchiveItem(OrvekCall& c)
{
    const int number = c.Int(P::DocumentNumber);
    for (int i = 0; i < 4; ++i)
        c.Request.append(char((number >> (8 * i)) & 0xFF));
    return Archive(c).ReadItem(number);
}

std::int32_t FNSaveArchive(OrvekCall& c)
{
    return Archive(c).Save(c.Str(P::FileName), c.Int(P::FNArchiveType), c.Bool(P::MarkingOnly));
}
} // namespace

void AddArchiveHandlers(OrvekHandlerTable& t)
{
    t.Add(M::FNBeginReadArchive, OrvekAccess::Device, 0xFF3A, &FNBeginReadArchive);
    t.Add(M::FNReadArchiveItem, OrvekAccess::Device, 0xFF3B, &FNReadArchiveItem);
    t.Add(M::FNSaveArchive, OrvekAccess::Device, 0xFF3A, &FNSaveArchive);
}
