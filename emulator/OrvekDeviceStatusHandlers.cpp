// The device's state reset and the operation registers.
#include "emulator/OrvekHandlers.h"
#include "emulator/OrvekResultCodes.h"
#include "emulator/RegisterOperations.h"
#include "emulator/RegisterReceipt.h"

namespace {
using P = OrvekProp;
using M = OrvekMethod;

std::int32_t ResetECR(OrvekCall& c)
{
    c.Reg().Area<RegisterReceipt>().Reset();
    return OrvekResult::Ok;
}

std::int32_t GetOperationReg(OrvekCall& c)
{
    const int number = c.Int(P::RegisterNumber);
    c.Request.append(char(number & 0xFF));
    if (number < 0 || number >= OperationReg::Count)
        return OrvekResult::BadParameter;
    const int value = c.Reg().Area<RegisterOperations>().Value(number);
    c.Set(P::ContentsOfOperationRegister, value);
    c.Set(P::NameOperationReg, RegisterOperations::Name(number));
    c.Answer.append(char(value & 0xFF)).append(char((value >> 8) & 0xFF));
    return OrvekResult::Ok;
}
} // namespace

void AddDeviceStatusHandlers(OrvekHandlerTable& t)
{
    t.Add(M::ResetECR, OrvekAccess::DeviceNoPassword, 0x1C, &ResetECR);
    t.Add(M::GetOperationReg, OrvekAccess::Device, 0x1B, &GetOperationReg);
}
