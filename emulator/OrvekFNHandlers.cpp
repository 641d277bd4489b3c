// The fiscal accumulator: status, identity, resources, the document being
// built, sessions, the fiscal-mode close, the calculation-state report, the
// document search and the OKP key update (raw command FE E1).
#include "core/support/BinUtils.h"
#include "emulator/OrvekHandlers.h"
#include "emulator/OrvekRawCommands.h"
#include "emulator/OrvekResultCodes.h"
#include "emulator/RegisterFN.h"

namespace {
using P = OrvekProp;
using M = OrvekMethod;

RegisterFN& FN(OrvekCall& c)
{
    return c.Reg().Area<RegisterFN>();
}

// Date and Time of a date-time (Date: the day, Time: the time of day alone).
void SetDateTime(OrvekCall& c, OrvekProp date, OrvekProp time, const QDateTime& value)
{
    if (!value.isValid()) {
        c.Set(date, 0.0);
        c.Set(time, 0.0);
        return;
    }
    c.Set(date, QDateToDateTime(value.date()));
    c.Set(time, QTimeToDateTime(value.time()));
}


std::int32_t FNGetStatus(OrvekCall& c)
{
    RegisterFN& fn = FN(c);
    QDateTime time = fn.FNDateTime();
    c.Set(P::FNLifeState, fn.LifeState);
    c.Set(P::FNCurrentDocument, fn.CurrentDocument);
    c.Set(P::FNDocumentData, fn.DocumentData ? 1 : 0);
    c.Set(P::FNSessionState, fn.SessionOpen() ? 1 : 0);
    c.Set(P::FNWarningFlags, fn.WarningFlagsNow());
    SetDateTime(c, P::Date, P::Time, time);
    c.Set(P::SerialNumber, fn.Serial);
    c.Set(P::DocumentNumber, fn.LastDocumentNumber());
    QByteArray& a = c.Answer;
    a.append(char(fn.LifeState)).append(char(fn.CurrentDocument)).append(char(fn.DocumentData ? 1 : 0));
    a.append(char(fn.SessionOpen() ? 1 : 0)).append(char(fn.WarningFlagsNow()));
    a.append(char(time.date().year() % 100)).append(char(time.date().month())).append(char(time.date().day()));
    a.append(char(time.time().hour())).append(char(time.time().minute()));
    a.append(fn.Serial.toLatin1());
    a += IntToBin(quint32(fn.LastDocumentNumber()), 4);
    return OrvekResult::Ok;
}

std::int32_t FNGetSerial(OrvekCall& c)
{
    c.Set(P::SerialNumber, FN(c).Serial);
    c.Answer.append(FN(c).Serial.toLatin1());
    return OrvekResult::Ok;
}

std::int32_t FNGetExpirationTime(OrvekCall& c)
{
    RegisterFN& fn = FN(c);
    c.Set(P::Date, fn.Expiry.isValid() ? QDateToDateTime(fn.Expiry) : 0.0);
    c.Set(P::FreeRegistration, fn.FreeRegistration());
    c.Set(P::RegistrationNumber, fn.RegistrationCount());
    if (fn.Expiry.isValid())
        c.Answer.append(char(fn.Expiry.year() % 100)).append(char(fn.Expiry.month())).append(char(fn.Expiry.day()));
    c.Answer.append(char(fn.FreeRegistration())).append(char(fn.RegistrationCount()));
    return OrvekResult::Ok;
}

std::int32_t FNGetVersion(OrvekCall& c)
{
    c.Set(P::FNSoftVersion, FN(c).SoftVersion);
    c.Set(P::FNSoftType, FN(c).SoftType);
    c.Answer.append(FN(c).SoftVersion.toLatin1().leftJustified(16, '\0', true)).append(char(FN(c).SoftType));
    return OrvekResult::Ok;
}

std::int32_t FNGetImplementation(OrvekCall& c)
{
    c.Set(P::FNImplementation, FN(c).Implementation);
    return OrvekResult::Ok;
}

std::int32_t FNGetDocumentSize(OrvekCall& c)
{
    const FNDocument* waiting = FN(c).FirstUnconfirmed();
    int size = waiting ? waiting->Size() : 0;
    c.Set(P::DocumentSize, size);
    c.Set(P::NotificationSize, FN(c).NotificationSize);
    c.Answer += IntToBin(quint32(size), 2);
    c.Answer += IntToBin(quint32(FN(c).NotificationSize), 2);
    return OrvekResult::Ok;
}

std::int32_t FNGetOSUSupportStatus(OrvekCall& c)
{
    c.Set(P::FNOSUSupportStatus, FN(c).OSUSupportStatus);
    c.Answer.append(char(FN(c).OSUSupportStatus));
    return OrvekResult::Ok;
}

std::int32_t FNGetFreeMemoryResource(OrvekCall& c)
{
    RegisterFN& fn = FN(c);
    c.Set(P::FN5YearResource, fn.Resource5Year());
    c.Set(P::FN30DayResource, fn.Resource30DayKb());
    c.Set(P::FNMarkingFillPercentage, fn.MarkingFillPercentage);
    c.Answer += IntToBin(quint32(fn.Resource5Year()), 4);
    c.Answer += IntToBin(quint32(fn.Resource30DayKb()), 4);
    if (fn.MarkingFillPercentage >= 0)
        c.Answer.append(char(fn.MarkingFillPercentage));
    return OrvekResult::Ok;
}

std::int32_t FNCountersSync(OrvekCall& c)
{
    return FN(c).CheckFiscalMode();
}

std::int32_t FNBeginOpenSession(OrvekCall& c)
{
    RegisterFN& fn = FN(c);
    if (fn.SessionOpen())
        return FNError::OtherState;
    return fn.BeginDocument(FNOpenDoc::OpenSession);
}

std::int32_t FNBeginCloseSession(OrvekCall& c)
{
    RegisterFN& fn = FN(c);
    if (!fn.SessionOpen())
        return FNError::OtherState;
    return fn.BeginDocument(FNOpenDoc::CloseSession);
}

std::int32_t FNBeginCloseFiscalMode(OrvekCall& c)
{
    RegisterFN& fn = FN(c);
    if (fn.SessionOpen())
        return FNError::OtherState;
    return fn.BeginDocument(FNOpenDoc::CloseFN);
}

std::int32_t FNCloseFiscalMode(OrvekCall& c)
{
    FNDocument* doc = nullptr;
    if (std::int32_t code = FN(c).CloseFiscalMode(&doc))
        return code;
    SetDocumentResult(c, *doc);
    return OrvekResult::Ok;
}

std::int32_t FNBeginCalculationStateReport(OrvekCall& c)
{
    return FN(c).BeginDocument(FNOpenDoc::CalculationReport);
}

std::int32_t FNBuildCalculationStateReport(OrvekCall& c)
{
    FNDocument* doc = nullptr;
    if (std::int32_t code = FN(c).BuildCalculationReport(&doc))
        return code;
    SetDocumentResult(c, *doc);
    c.Set(P::DocumentCount, doc->DocumentCount);
    SetDateTime(c, P::Date, P::Time, doc->FirstUnconfirmed);
    c.Answer += IntToBin(quint32(doc->DocumentCount), 4);
    return OrvekResult::Ok;
}

// A debug FN goes back to a blank one on request code 22 (16h).
std::int32_t FNResetState(OrvekCall& c)
{
    RegisterFN& fn = FN(c);
    int request = c.Int(P::RequestType);
    c.Request.append(char(request & 0xFF));
    if (fn.SoftType != 0)
        return FNError::UnknownCommand;
    if (request != 0x16)
        return FNError::BadParameter;
    fn.Reset();
    return OrvekResult::Ok;
}

std::int32_t FNCancelDocument(OrvekCall& c)
{
    FN(c).CancelDocument();
    return OrvekResult::Ok;
}

std::int32_t FNGetCurrentSessionParams(OrvekCall& c)
{
    RegisterFN& fn = FN(c);
    c.Set(P::FNSessionState, fn.SessionOpen() ? 1 : 0);
    c.Set(P::SessionNumber, fn.SessionNumber());
    c.Set(P::ReceiptNumber, fn.ReceiptCount());
    c.Answer.append(char(fn.SessionOpen() ? 1 : 0));
    c.Answer += IntToBin(quint32(fn.SessionNumber()), 2);
    c.Answer += IntToBin(quint32(fn.ReceiptCount()), 2);
    return OrvekResult::Ok;
}


// The document of DocumentNumber with the data of its type.
std::int32_t FNFindDocument(OrvekCall& c)
{
    int number = c.Int(P::DocumentNumber);
    c.Request += IntToBin(quint32(number), 4);
    const FNDocument* doc = FN(c).Find(number);
    if (!doc)
        return FNError::NoData;
    c.Set(P::DocumentType, doc->Type);
    c.Set(P::OFDTicketReceived, doc->OFDTicketReceived);
    SetDateTime(c, P::Date, P::Time, doc->DateTime);
    c.Set(P::FiscalSign, qint32(doc->FiscalSign));
    c.Set(P::FiscalSignAsString, QString::number(doc->FiscalSign));
    switch (doc->Type) {
    case FNDocType::Registration:
    case FNDocType::Reregistration:
    case FNDocType::CloseFN: SetRegistration(c, doc->Registration); break;
    case FNDocType::OpenSession:
    case FNDocType::CloseSession: c.Set(P::SessionNumber, doc->SessionNumber); break;
    case FNDocType::CalculationReport:
        c.Set(P::DocumentCount, doc->DocumentCount);
        SetDateTime(c, P::Date2, P::Time2, doc->FirstUnconfirmed);
        break;
    default:
        if (doc->IsReceipt()) {
            c.Set(P::OperationType, doc->OperationType);
            c.Set(P::Summ1, qlonglong(doc->Summ));
        }
    }
    c.Answer.append(char(doc->Type)).append(char(doc->OFDTicketReceived ? 1 : 0));
    c.Answer += IntToBin(doc->FiscalSign, 4);
    return OrvekResult::Ok;
}

// The QR text of a receipt: time, total, FN, document, sign and operation.
std::int32_t FNReadFiscalBarcode(OrvekCall& c)
{
    int number = c.Int(P::DocumentNumber);
    c.Request += IntToBin(quint32(number), 4);
    RegisterFN& fn = FN(c);
    const FNDocument* doc = fn.Find(number);
    if (!doc)
        return FNError::NoData;
    if (!doc->IsReceipt())
        return FNError::BadParameter;
    QString text = QStringLiteral("t=%1&s=%2.%3&fn=%4&i=%5&fp=%6&n=%7")
                       .arg(doc->DateTime.toString(QStringLiteral("yyyyMMddTHHmm")))
                       .arg(doc->Summ / 10000)
                       .arg((doc->Summ % 10000) / 100, 2, 10, QLatin1Char('0'))
                       .arg(fn.Serial)
                       .arg(doc->Number)
                       .arg(doc->FiscalSign)
                       .arg(doc->OperationType);
    c.Set(P::BarCode, text);
    c.Answer.append(text.toLatin1());
    return OrvekResult::Ok;
}

// FE E1 and the 4-byte password: the OKP key update; the answer's data is
// one byte (FNKeyServer). A refused update prints why.
std::int32_t UpdateOKPKeys(OrvekCall& c, const QByteArray& command, QByteArray& data)
{
    if (command.size() != 6)
        return OrvekResult::BadParameter;
    const auto password = std::int32_t(BinToInt(command, 3, 4));
    if (c.Reg().OperatorOf(password) == 0)
        return OrvekResult::BadPassword;
    int answer = FN(c).UpdateOKPKeys();
    if (answer == 254)
        c.Reg().Paper().AddText(QStringLiteral("ОБНОВЛЕНИЕ КЛЮЧЕЙ ОКП НЕ ВЫПОЛНЕНО"));
    data.append(char(answer));
    return OrvekResult::Ok;
}
} // namespace

void AddFNHandlers(OrvekHandlerTable& t)
{
    t.Add(M::FNGetStatus, OrvekAccess::Device, 0xFF01, &FNGetStatus);
    t.Add(M::FNGetSerial, OrvekAccess::Device, 0xFF02, &FNGetSerial);
    t.Add(M::FNGetExpirationTime, OrvekAccess::Device, 0xFF03, &FNGetExpirationTime);
    t.Add(M::FNGetVersion, OrvekAccess::Device, 0xFF04, &FNGetVersion);
    t.Add(M::FNResetState, OrvekAccess::Device, 0xFF07, &FNResetState);
    t.Add(M::FNCancelDocument, OrvekAccess::Device, 0xFF08, &FNCancelDocument);
    t.Add(M::FNFindDocument, OrvekAccess::Device, 0xFF0A, &FNFindDocument);
    t.Add(M::FNBeginCloseFiscalMode, OrvekAccess::Device, 0xFF3C, &FNBeginCloseFiscalMode);
    t.Add(M::FNCloseFiscalMode, OrvekAccess::Device, 0xFF3D, &FNCloseFiscalMode);
    t.Add(M::FNGetFreeMemoryResource, OrvekAccess::Device, 0xFF3E, &FNGetFreeMemoryResource);
    t.Add(M::FNGetCurrentSessionParams, OrvekAccess::Device, 0xFF40, &FNGetCurrentSessionParams);
    t.Add(M::FNBeginOpenSession, OrvekAccess::Device, 0xFF41, &FNBeginOpenSession);
    t.Add(M::FNBeginCloseSession, OrvekAccess::Device, 0xFF42, &FNBeginCloseSession);
    t.Add(M::FNBeginCalculationStateReport, OrvekAccess::Device, 0xFF38, &FNBeginCalculationStateReport);
    t.Add(M::FNBuildCalculationStateReport, OrvekAccess::Device, 0xFF39, &FNBuildCalculationStateReport);
    t.Add(M::FNGetDocumentSize, OrvekAccess::Device, 0xFF70, &FNGetDocumentSize);
    t.Add(M::FNGetImplementation, OrvekAccess::Device, 0xFF72, &FNGetImplementation);
    t.Add(M::FNGetOSUSupportStatus, OrvekAccess::Device, 0xFF73, &FNGetOSUSupportStatus);
    t.Add(M::FNCountersSync, OrvekAccess::Device, 0xFF75, &FNCountersSync);
    t.Add(M::FNReadFiscalBarcode, OrvekAccess::Device, 0xFF76, &FNReadFiscalBarcode);
}

void AddFNRawCommands(RawCommandTable& t)
{
    t.Add(QByteArray::fromHex("FEE1"), &UpdateOKPKeys);
}

// DocumentNumber and FiscalSign of a document made.
void SetDocumentResult(OrvekCall& c, const FNDocument& doc)
{
    c.Set(P::DocumentNumber, doc.Number);
    c.Set(P::FiscalSign, qint32(doc.FiscalSign));
    c.Set(P::FiscalSignAsString, QString::number(doc.FiscalSign));
    c.Answer += IntToBin(quint32(doc.Number), 4);
    c.Answer += IntToBin(doc.FiscalSign, 4);
}

void SetRegistration(OrvekCall& c, const FNRegistration& r)
{
    c.Set(P::INN, r.INN);
    c.Set(P::INNOFD, r.INNOFD);
    c.Set(P::KKTRegistrationNumber, r.KKTRegistrationNumber);
    c.Set(P::TaxType, r.TaxType);
    c.Set(P::WorkMode, r.WorkMode);
    c.Set(P::WorkModeEx, r.WorkModeEx);
    c.Set(P::RegistrationReasonCode, r.ReasonCode);
    c.Set(P::RegistrationReasonCodeEx, qint32(r.ReasonCodeEx));
}
