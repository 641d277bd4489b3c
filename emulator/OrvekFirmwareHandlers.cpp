// Firmware update (run by the driver beside the calls) and the SD card.
#include "core/support/BinUtils.h"
#include "core/support/CodePage.h"
#include "emulator/EmulatedOrvek.h"
#include "emulator/OrvekHandlers.h"
#include "emulator/OrvekResultCodes.h"
#include "emulator/RegisterFirmware.h"

namespace {
using P = OrvekProp;
using M = OrvekMethod;

RegisterFirmware& Firmware(OrvekCall& c)
{
    return c.Reg().Area<RegisterFirmware>();
}

// The interface code the status query reports as PortNumber.
int InterfaceCode(OrvekCall& c)
{
    const int configured = c.Reg().State().Interface;
    return configured >= 0 ? configured : c.Int(P::ConnectionType) == 6 ? 2 : 0;
}

void ShowStatus(EmulatedOrvek& driver, const RegisterFirmware& fw)
{
    driver.Props().Set(P::UpdateFirmwareStatus, int(fw.State()));
    driver.Props().Set(P::UpdateFirmwareStatusMessage, fw.Message());
}

// The update a driver runs: when the driver stops following it before its
// end (the driver object freed), the register never installs it.
class TUpdateRun {
public:
    TUpdateRun(std::weak_ptr<EmulatedRegister> reg, int run) : Register(std::move(reg)), Run(run) {}
    ~TUpdateRun()
    {
        if (const auto reg = Register.lock()) {
            auto lock = reg->Lock();
            reg->Area<RegisterFirmware>().Abandon(Run);
        }
    }
    TUpdateRun(const TUpdateRun&) = delete;
    TUpdateRun& operator=(const TUpdateRun&) = delete;

    const std::weak_ptr<EmulatedRegister> Register;
    const int Run;
};

// The driver follows the update until it ends; a register that restarted
// with new firmware drops the link.
bool FollowUpdate(EmulatedOrvek& driver, const TUpdateRun& update)
{
    const auto reg = update.Register.lock();
    if (!reg)
        return false;
    auto lock = reg->Lock();
    RegisterFirmware& fw = reg->Area<RegisterFirmware>();
    fw.Step();
    ShowStatus(driver, fw);
    if (fw.State() == RegisterFirmware::Running)
        return true;
    if (fw.State() == RegisterFirmware::Done && driver.ConnectedRegister() == reg)
        driver.DisconnectNow();
    return false;
}

std::int32_t UpdateFirmware(OrvekCall& c)
{
    RegisterFirmware& fw = Firmware(c);
    const std::int32_t code =
        fw.Start(c.Str(P::FileName), c.Int(P::UpdateFirmwareMethod), InterfaceCode(c), c.Description);
    ShowStatus(c.Driver, fw);
    if (code == OrvekResult::Ok) {
        auto update = std::make_shared<TUpdateRun>(c.Driver.ConnectedRegister(), fw.Run());
        c.Driver.StartJob([update](EmulatedOrvek& driver) { return FollowUpdate(driver, *update); });
    }
    return code;
}

std::int32_t CancelFirmwareUpdate(OrvekCall& c)
{
    const std::int32_t code = Firmware(c).Cancel(c.Description);
    ShowStatus(c.Driver, Firmware(c));
    return code;
}

std::int32_t LoadBlockOnSDCard(OrvekCall& c)
{
    const QByteArray data = WideToAnsi(c.Str(P::BlockData));
    const int type = c.Int(P::FileType);
    const int number = c.Int(P::BlockNumber);
    c.Request.append(char(type)).append(IntToBin(std::uint32_t(number), 2)).append(data);
    return Firmware(c).LoadBlock(type, number, data, c.Description);
}

} // namespace

void AddFirmwareHandlers(OrvekHandlerTable& t)
{
    t.Add(M::UpdateFirmware, OrvekAccess::DeviceNoPassword, 0xFE20, &UpdateFirmware);
    t.Add(M::CancelFirmwareUpdate, OrvekAccess::DeviceNoPassword, 0xFE21, &CancelFirmwareUpdate, true);
    t.Add(M::LoadBlockOnSDCard, OrvekAccess::Device, 0xFE05, &LoadBlockOnSDCard);
}

