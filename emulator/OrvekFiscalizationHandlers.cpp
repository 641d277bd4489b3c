// Registration reports of the FN: begin, build (registration and
// re-registration) from the driver's properties and the device tables, the
// registration results, the registration document as text and its tags.
#include "core/support/CodePage.h"
#include "core/support/RNMUtil.h"
#include "emulator/OrvekHandlers.h"
#include "emulator/OrvekResultCodes.h"
#include "emulator/RegisterFiscalization.h"

namespace {
using P = OrvekProp;
using M = OrvekMethod;

// Tables the build reads.
constexpr int RegionalTable = 17;
constexpr int TimeZoneField = 66;
constexpr int FSTableParam = 72;
constexpr int AutomatTableParam = 75;
// The newer generation keeps the vending machine's number in its table 16.
constexpr int NewerAutomatTable = 16;
constexpr int INNOFDField = 12;
constexpr int WorkModeExField = 21;
constexpr int ReasonCodesExField = 22;

RegisterFN& FN(OrvekCall& c)
{
    return c.Reg().Area<RegisterFN>();
}

int TableOfParam(OrvekCall& c, int param)
{
    const ModelParam* p = c.Reg().ModelParams().Find(param);
    return p ? p->Value.toInt() : 0;
}

QVariant FSField(OrvekCall& c, int field)
{
    return c.Reg().Tables().Value(TableOfParam(c, FSTableParam), 1, field);
}

bool IsDigits(const QString& text)
{
    for (QChar ch : text)
        if (ch < QLatin1Char('0') || ch > QLatin1Char('9'))
            return false;
    return !text.isEmpty();
}

// The registration data from the properties and the tables; FN error 9 for
// an INN that is not 10 or 12 digits, no tax system or a registration
// number that does not belong to the INN and the register.
std::int32_t ReadRegistration(OrvekCall& c, FNRegistration& data, FNRegistrationExtra& extra)
{
    data.INN = c.Str(P::INN);
    data.KKTRegistrationNumber = c.Str(P::KKTRegistrationNumber);
    data.TaxType = c.Int(P::TaxType);
    data.WorkMode = c.Int(P::WorkMode);
    data.INNOFD = FSField(c, INNOFDField).toString().trimmed();
    data.WorkModeEx = FSField(c, WorkModeExField).toInt();
    data.ReasonCodeEx = std::uint32_t(FSField(c, ReasonCodesExField).toInt());
    extra.TimeZone = c.Reg().Tables().Value(RegionalTable, 1, TimeZoneField).toInt();
    if (data.WorkMode & 4) {
        const int automat = c.Reg().Config().TypeTwo ? NewerAutomatTable : TableOfParam(c, AutomatTableParam);
        extra.AutomatNumber = c.Reg().Tables().Value(automat, 1, 1).toString().trimmed();
    }
    extra.KKTSerial = c.Reg().State().Serial;
    c.Request.append(data.INN.toLatin1()).append(data.KKTRegistrationNumber.toLatin1());
    c.Request.append(char(data.TaxType)).append(char(data.WorkMode));

    const QString& rnm = data.KKTRegistrationNumber;
    if (!IsDigits(data.INN) || (data.INN.size() != 10 && data.INN.size() != 12))
        return FNError::BadParameter;
    if (data.TaxType <= 0 || data.TaxType > 63 || data.WorkMode < 0 || data.WorkMode > 255)
        return FNError::BadParameter;
    if (rnm.size() != 16 || !IsDigits(rnm) ||
        rnm != GenerateRNM(rnm.left(10).toLatin1(), data.INN.toLatin1(), extra.KKTSerial.toLatin1()))
        return FNError::BadParameter;
    return OrvekResult::Ok;
}

std::int32_t FNBeginRegistrationReport(OrvekCall& c)
{
    RegisterFN& fn = FN(c);
    const int type = c.Int(P::ReportTypeInt);
    c.Request.append(char(type));
    switch (type) {
    case 0:
        if (fn.LifeState != FNLife::Configured || fn.CurrentDocument != FNOpenDoc::None)
            return FNError::OtherState;
        fn.CurrentDocument = FNOpenDoc::Registration;
        fn.DocumentData = false;
        return OrvekResult::Ok;
    case 1:
        // A new FN: blank, or already in fiscal mode.
        if (fn.LifeState == FNLife::Configured && fn.CurrentDocument == FNOpenDoc::None && !fn.SessionOpen()) {
            fn.CurrentDocument = FNOpenDoc::ReregistrationNewFN;
            fn.DocumentData = false;
            return OrvekResult::Ok;
        }
        [[fallthrough]];
    case 2:
        if (fn.SessionOpen())
            return FNError::OtherState;
        return fn.BeginDocument(type == 1 ? FNOpenDoc::ReregistrationNewFN : FNOpenDoc::Reregistration);
    default: return FNError::BadParameter;
    }
}

// The registration report, or the re-registration report with its reason
// (RegistrationReasonCode, 1 to 4).
std::int32_t BuildReport(OrvekCall& c, bool reregistration)
{
    c.Reg().Area<RegisterFiscalization>().BuildTimeout = c.Int(P::Timeout);
    FNRegistration data;
    FNRegistrationExtra extra;
    if (std::int32_t code = ReadRegistration(c, data, extra))
        return code;
    if (reregistration) {
        data.ReasonCode = c.Int(P::RegistrationReasonCode);
        c.Request.append(char(data.ReasonCode));
        if (data.ReasonCode < 1 || data.ReasonCode > 4)
            return FNError::BadParameter;
    }
    FNDocument* doc = nullptr;
    if (std::int32_t code = reregistration ? FN(c).Reregister(data, &doc) : FN(c).Fiscalise(data, &doc))
        return code;
    doc->Tags = RegistrationTags(*doc, FN(c).Serial, extra);
    const int fs = TableOfParam(c, FSTableParam);
    c.Reg().Tables().SetValue(fs, 1, 2, data.INN);
    c.Reg().Tables().SetValue(fs, 1, 3, data.KKTRegistrationNumber);
    SetDocumentResult(c, *doc);
    return OrvekResult::Ok;
}

std::int32_t FNBuildRegistrationReport(OrvekCall& c)
{
    return BuildReport(c, false);
}

std::int32_t FNBuildReregistrationReport(OrvekCall& c)
{
    return BuildReport(c, true);
}

std::int32_t SetResult(OrvekCall& c, const FNDocument* doc)
{
    if (!doc)
        return FNError::NoData;
    SetRegistration(c, doc->Registration);
    c.Set(P::Date, QDateToDateTime(doc->DateTime.date()));
    c.Set(P::Time, doc->DateTime.time().msecsSinceStartOfDay() / 86400000.0);
    SetDocumentResult(c, *doc);
    return OrvekResult::Ok;
}

std::int32_t FNGetFiscalizationResult(OrvekCall& c)
{
    return SetResult(c, LastRegistrationDocument(FN(c)));
}

// The registration of RegistrationNumber (1 = the first).
const FNDocument* RequestedRegistration(OrvekCall& c)
{
    const int number = c.Int(P::RegistrationNumber);
    c.Request.append(char(number & 0xFF));
    return RegistrationDocument(FN(c), number);
}

std::int32_t FNGetFiscalizationResultByNumber(OrvekCall& c)
{
    return SetResult(c, RequestedRegistration(c));
}

std::int32_t FNRequestRegistrationTLV(OrvekCall& c)
{
    const int number = c.Int(P::TagNumber);
    const FNDocument* doc = RequestedRegistration(c);
    c.Request.append(char(number & 0xFF)).append(char((number >> 8) & 0xFF));
    c.Set(P::TLVData, QString());
    if (!doc)
        return FNError::NoData;
    const std::vector<FNTag> tags = RegistrationDocumentTags(FN(c), *doc);
    const FNTag* tag = FindTag(tags, number);
    if (!tag)
        return FNError::NoData;
    c.Set(P::TLVData, AnsiToWide(tag->Tlv()));
    c.Answer.append(tag->Tlv());
    return OrvekResult::Ok;
}
} // namespace

void AddFiscalizationHandlers(OrvekHandlerTable& t)
{
    t.Add(M::FNBeginRegistrationReport, OrvekAccess::Device, 0xFF45, &FNBeginRegistrationReport);
    t.Add(M::FNBuildRegistrationReport, OrvekAccess::Device, 0xFF46, &FNBuildRegistrationReport);
    t.Add(M::FNBuildReregistrationReport, OrvekAccess::Device, 0xFF34, &FNBuildReregistrationReport);
    t.Add(M::FNGetFiscalizationResult, OrvekAccess::Device, 0xFF09, &FNGetFiscalizationResult);
    t.Add(M::FNGetFiscalizationResultByNumber, OrvekAccess::Device, 0xFF44, &FNGetFiscalizationResultByNumber);
    t.Add(M::FNRequestRegistrationTLV, OrvekAccess::Device, 0xFF47, &FNRequestRegistrationTLV);
}
