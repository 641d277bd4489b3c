// Device status, identity and model parameters.
#include "core/support/BinUtils.h"
#include "emulator/EmulatedOrvek.h"
#include "emulator/OrvekHandlers.h"
#include "emulator/OrvekResultCodes.h"
#include "emulator/RegisterFN.h"

namespace {
using P = OrvekProp;
using M = OrvekMethod;

void AppendDate(QByteArray& bytes, const QDate& date)
{
    bytes.append(char(date.day())).append(char(date.month())).append(char(date.year() % 100));
}

// ECRFlags and the properties made from its bits.
void SetEcrFlags(OrvekCall& c)
{
    const EmulatedRegister& r = c.Reg();
    c.Set(P::ECRFlags, int(r.State().Flags & 0xFFFF));
    const std::pair<OrvekProp, std::uint32_t> bits[] = {
        {P::JournalRibbonIsPresent, EcrFlag::JournalRibbonIsPresent},
        {P::ReceiptRibbonIsPresent, EcrFlag::ReceiptRibbonIsPresent},
        {P::SlipDocumentIsPresent, EcrFlag::SlipDocumentIsPresent},
        {P::SlipDocumentIsMoving, EcrFlag::SlipDocumentIsMoving},
        {P::PointPosition, EcrFlag::PointPosition},
        {P::EKLZIsPresent, EcrFlag::EKLZIsPresent},
        {P::JournalRibbonOpticalSensor, EcrFlag::JournalRibbonOpticalSensor},
        {P::ReceiptRibbonOpticalSensor, EcrFlag::ReceiptRibbonOpticalSensor},
        {P::JournalRibbonLever, EcrFlag::JournalRibbonLever},
        {P::ReceiptRibbonLever, EcrFlag::ReceiptRibbonLever},
        {P::LidPositionSensor, EcrFlag::LidPositionSensor},
        {P::IsDrawerOpen, EcrFlag::IsDrawerOpen},
        {P::PresenterOut, EcrFlag::PresenterOut},
        {P::PresenterIn, EcrFlag::PresenterIn},
        {P::IsEKLZOverflow, EcrFlag::IsEKLZOverflow},
        {P::QuantityPointPosition, EcrFlag::QuantityPointPosition},
    };
    for (const auto& [prop, bit] : bits)
        c.Set(prop, r.Flag(bit));
}

void SetMode(OrvekCall& c)
{
    const EmulatedRegister& r = c.Reg();
    int mode = r.Mode();
    c.Set(P::ECRMode, mode);
    c.Set(P::ECRModeDescription, EmulatedRegister::ModeDescription(mode));
    c.Set(P::ECRModeStatus, r.State().ModeStatus);
    c.Set(P::ECRAdvancedMode, r.State().AdvancedMode);
    c.Set(P::ECRAdvancedModeDescription, EmulatedRegister::AdvancedModeDescription(r.State().AdvancedMode));
}

// FMFlags (bit 0 FM1, 1 FM2, 3 overflow, 4 battery low, 5 last record
// corrupted, 6 session open, 7 24 hours over) and FMFlagsEx (bit 0 ASPD,
// 1 corrupted records, 2 corrupted fiscalisation, 3 blocked by the tax
// password) with the properties made from them.
void SetFmFlags(OrvekCall& c)
{
    const EmulatedRegister& r = c.Reg();
    int fm = r.State().FMFlags;
    if (r.State().SessionOpen)
        fm |= 1 << 6;
    if (r.Mode() == 3)
        fm |= 1 << 7;
    int ex = r.State().FMFlagsEx;
    c.Set(P::FMFlags, fm);
    c.Set(P::FMFlagsEx, ex);
    c.Set(P::FM1IsPresent, (fm & 1) != 0);
    c.Set(P::FM2IsPresent, (fm & 2) != 0);
    c.Set(P::FMOverflow, (fm & 8) != 0);
    c.Set(P::IsBatteryLow, (fm & 16) != 0);
    c.Set(P::IsLastFMRecordCorrupted, (fm & 32) != 0);
    c.Set(P::IsFMSessionOpen, (fm & 64) != 0);
    c.Set(P::IsFM24HoursOver, (fm & 128) != 0);
    c.Set(P::IsASPDMode, (ex & 1) != 0);
    c.Set(P::IsCorruptedFMRecords, (ex & 2) != 0);
    c.Set(P::IsCorruptedFiscalizationInfo, (ex & 4) != 0);
    c.Set(P::IsBlockedByWrongTaxPassword, (ex & 8) != 0);
}

std::int32_t ClearResult(OrvekCall& c)
{
    c.Driver.DBSessionQuery() = {};   // the receipt database's query ends
    return OrvekResult::Ok;
}

std::int32_t GetECRStatus(OrvekCall& c)
{
    EmulatedRegister& r = c.Reg();
    const RegisterConfig& cfg = r.Config();
    const RegisterState& s = r.State();
    c.Set(P::ECRSoftVersion, cfg.SoftVersion);
    c.Set(P::ECRBuild, cfg.SoftBuild);
    c.Set(P::ECRSoftDate, QDateToDateTime(cfg.SoftDate));
    c.Set(P::FMSoftVersion, cfg.SoftVersion);
    c.Set(P::FMBuild, cfg.SoftBuild);
    c.Set(P::FMSoftDate, QDateToDateTime(cfg.SoftDate));
    c.Set(P::LogicalNumber, s.LogicalNumber);
    c.Set(P::OpenDocumentNumber, s.OpenDocumentNumber);
    c.Set(P::PortNumber, s.Interface >= 0 ? s.Interface : c.Int(P::ConnectionType) == 6 ? 2 : 0);
    c.Set(P::SKNOStatus, s.SKNOStatus);
    SetEcrFlags(c);
    SetMode(c);
    SetFmFlags(c);
    QDateTime now = r.Now();
    c.Set(P::Date, QDateToDateTime(now.date()));
    c.Set(P::Time, QTimeToDateTime(now.time()));
    c.Set(P::SessionNumber, s.SessionNumber);
    c.Set(P::FreeRecordInFM, s.FreeRecordInFM);
    c.Set(P::RegistrationNumber, s.RegistrationNumber);
    c.Set(P::FreeRegistration, s.FreeRegistration);
    c.Set(P::SerialNumber, s.Serial);
    c.Set(P::INN, s.INN);
    c.Set(P::LastFMRecordType, s.LastFMRecordType);

    QByteArray& a = c.Answer;
    a.append(cfg.SoftVersion.toLatin1().leftJustified(2, ' ', true));
    a += IntToBin(cfg.SoftBuild, 2);
    AppendDate(a, cfg.SoftDate);
    a.append(char(s.LogicalNumber));
    a += IntToBin(s.OpenDocumentNumber, 2);
    a += IntToBin(int(s.Flags), 2);
    a.append(char(r.Mode() | (s.ModeStatus << 4)));
    a.append(char(s.AdvancedMode));
    AppendDate(a, now.date());
    a.append(char(now.time().hour())).append(char(now.time().minute())).append(char(now.time().second()));
    a += IntToBin(s.SessionNumber, 2);
    return OrvekResult::Ok;
}

std::int32_t GetShortECRStatus(OrvekCall& c)
{
    const EmulatedRegister& r = c.Reg();
    const RegisterState& s = r.State();
    SetEcrFlags(c);
    SetMode(c);
    c.Set(P::QuantityOfOperations, s.QuantityOfOperations);
    c.Set(P::BatteryVoltage, s.BatteryVoltage);
    c.Set(P::PowerSourceVoltage, s.PowerSourceVoltage);
    c.Set(P::FMResultCode, 0);
    c.Set(P::EKLZResultCode, 0);
    c.Set(P::PreviousECRMode, s.PreviousMode);
    c.Set(P::PrinterHeadTemperature, s.PrinterHeadTemperature);
    c.Set(P::LastPrintResult, s.LastPrintResult);
    const FNKeyUpdate& keys = c.Reg().Area<RegisterFN>().LastKeyUpdate;
    c.Set(P::UpdateKeysStatus, keys.Status);
    c.Set(P::UpdateKeysResultCode, keys.ResultCode);
    c.Answer += IntToBin(int(s.Flags), 2);
    c.Answer.append(char(r.Mode() | (s.ModeStatus << 4))).append(char(s.AdvancedMode));
    c.Answer.append(char(s.QuantityOfOperations));
    c.Answer.append(char(int(s.BatteryVoltage * 10))).append(char(int(s.PowerSourceVoltage)));
    return OrvekResult::Ok;
}

std::int32_t GetDeviceMetrics(OrvekCall& c)
{
    const EmulatedRegister& r = c.Reg();
    c.Set(P::UMajorType, 0);
    c.Set(P::UMinorType, 4);
    c.Set(P::UMajorProtocolVersion, 1);
    c.Set(P::UMinorProtocolVersion, 2);
    c.Set(P::UModel, r.Config().ModelId);
    c.Set(P::UCodePage, 0);
    c.Set(P::UCodePageText, QStringLiteral("Русский"));
    c.Set(P::UDescription, r.Config().Description);
    c.Set(P::ModelParamCount, int(const_cast<EmulatedRegister&>(r).ModelParams().All().size()));
    c.Answer.append(char(0)).append(char(4)).append(char(1)).append(char(2)).append(char(r.Config().ModelId));
    c.Answer.append(char(0));
    return OrvekResult::Ok;
}

std::int32_t ReadSerialNumber(OrvekCall& c)
{
    c.Set(P::SerialNumber, c.Reg().State().Serial);
    c.Answer.append(c.Reg().State().Serial.toLatin1());
    return OrvekResult::Ok;
}

void SetModelParam(OrvekCall& c, const ModelParam& p)
{
    c.Set(P::ModelParamNumber, p.Number);
    c.Set(P::ModelParamDescription, p.Description);
    c.Set(P::ModelParamValue, p.Value);
    c.Request.append(char(p.Number));
    c.Answer.append(p.Value.toString().toUtf8());
}

std::int32_t ReadModelParamValue(OrvekCall& c)
{
    const ModelParam* p = c.Reg().ModelParams().Find(c.Int(P::ModelParamNumber));
    if (!p)
        return OrvekResult::BadParameter;
    SetModelParam(c, *p);
    return OrvekResult::Ok;
}

std::int32_t ReadModelParam(OrvekCall& c)
{
    const auto& all = c.Reg().ModelParams().All();
    int index = c.Int(P::ModelParamIndex);
    if (index < 0 || index >= int(all.size()))
        return OrvekResult::BadParameter;
    SetModelParam(c, all[std::size_t(index)]);
    return OrvekResult::Ok;
}

std::int32_t ReadErrorDescription(OrvekCall& c)
{
    int code = c.Int(P::ErrorCode);
    if (code < 0 || code > c.Reg().State().LastErrorCode)
        return OrvekResult::BadParameter;
    c.Set(P::ErrorDescription, OrvekResultDescription(code));
    c.Request.append(char(code));
    return OrvekResult::Ok;
}
} // namespace

void AddStatusHandlers(OrvekHandlerTable& t)
{
    t.Add(M::ClearResult, OrvekAccess::Local, 0, &ClearResult);
    t.Add(M::GetECRStatus, OrvekAccess::Device, 0x11, &GetECRStatus);
    t.Add(M::GetShortECRStatus, OrvekAccess::Device, 0x10, &GetShortECRStatus);
    t.Add(M::GetDeviceMetrics, OrvekAccess::DeviceNoPassword, 0xFC, &GetDeviceMetrics);
    t.Add(M::ReadSerialNumber, OrvekAccess::DeviceNoPassword, 0x0F, &ReadSerialNumber);
    t.Add(M::ReadModelParamValue, OrvekAccess::DeviceNoPassword, 0xF7, &ReadModelParamValue);
    t.Add(M::ReadModelParam, OrvekAccess::DeviceNoPassword, 0xF7, &ReadModelParam);
    t.Add(M::ReadErrorDescription, OrvekAccess::DeviceNoPassword, 0xF1, &ReadErrorDescription);
}
