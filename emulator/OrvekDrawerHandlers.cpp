// The cash drawers: the register has two (0 and 1); an opened one shows in
// the status until someone closes it.
#include "emulator/OrvekHandlers.h"
#include "emulator/OrvekResultCodes.h"

namespace {
constexpr int DrawerCount = 2;

std::int32_t OpenDrawer(OrvekCall& c)
{
    const int drawer = c.Int(OrvekProp::DrawerNumber);
    c.Request.append(char(drawer));
    if (drawer < 0 || drawer >= DrawerCount)
        return OrvekResult::BadParameter;
    c.Reg().SetFlag(EcrFlag::IsDrawerOpen, true);
    return OrvekResult::Ok;
}
} // namespace

void AddDrawerHandlers(OrvekHandlerTable& t)
{
    t.Add(OrvekMethod::OpenDrawer, OrvekAccess::Device, 0x28, &OpenDrawer);
}
