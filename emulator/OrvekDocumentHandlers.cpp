// FN documents and the OFD exchange: TLV data sent raw, a document read back
// as TLV or as the register's text, printed, the exchange status, the
// unconfirmed documents and the OFD's tickets.
#include "core/support/CodePage.h"
#include "emulator/OrvekHandlers.h"
#include "emulator/OrvekResultCodes.h"
#include "emulator/RegisterFN.h"
#include "emulator/RegisterFiscalization.h"
#include "emulator/RegisterOFD.h"
#include "emulator/RegisterTags.h"

namespace {
using P = OrvekProp;
using M = OrvekMethod;

RegisterFN& FN(OrvekCall& c)
{
    return c.Reg().Area<RegisterFN>();
}

RegisterOFD& OFD(OrvekCall& c)
{
    return c.Reg().Area<RegisterOFD>();
}

// Date gets the day, Time the time of day; both 0 for no date.
void PutDateTime(OrvekCall& c, const QDateTime& value)
{
    const bool valid = value.isValid();
    c.Set(P::Date, valid ? QDateToDateTime(value.date()) : 0.0);
    c.Set(P::Time, valid ? value.time().msecsSinceStartOfDay() / 86400000.0 : 0.0);
}

// The document DocumentNumber names; null when the FN has none.
const FNDocument* RequestedDocument(OrvekCall& c)
{
    const int number = c.Int(P::DocumentNumber);
    for (int i = 0; i < 4; ++i)
        c.Request.append(char((quint32(number) >> (8 * i)) & 0xFF));
    return FN(c).Find(number);
}

void PrintLines(OrvekCall& c, const QString& text)
{
    for (const QString& line : text.split(QStringLiteral("\r\n")))
        c.Reg().Paper().AddText(line);
}

std::int32_t SendTLV(OrvekCall& c, bool operation)
{
    const QByteArray data = WideToAnsi(c.Str(P::TLVData));
    c.Request = data;
    TLVParse parsed = RegisterOFD::ParseTLV(data);
    if (!parsed.Ok) {
        c.Description = QStringLiteral("Неверный формат TLV (байт %1: %2)").arg(parsed.ErrorOffset).arg(parsed.Error);
        return FNError::BadParameter;
    }
    auto& sent = c.Reg().Area<RegisterTags>().Sent;
    for (FNTag& tag : parsed.Tags) {
        tag.Operation = operation;
        sent.push_back(std::move(tag));
    }
    return OrvekResult::Ok;
}

std::int32_t FNSendTLV(OrvekCall& c)
{
    return SendTLV(c, false);
}

std::int32_t FNSendTLVOperation(OrvekCall& c)
{
    return SendTLV(c, true);
}

std::int32_t FNRequestFiscalDocumentTLV(OrvekCall& c)
{
    int type = 0, length = 0;
    RequestedDocument(c);
    if (std::int32_t code = OFD(c).RequestDocument(c.Int(P::DocumentNumber), type, length))
        return code;
    c.Set(P::DocumentType, type);
    c.Set(P::DataLength, length);
    c.Answer.append(char(type & 0xFF)).append(char(type >> 8)).append(char(length & 0xFF)).append(char(length >> 8));
    return OrvekResult::Ok;
}

// The next block of the document; 8 once every block was read.
std::int32_t FNReadFiscalDocumentTLV(OrvekCall& c)
{
    QByteArray block;
    if (std::int32_t code = OFD(c).NextBlock(c.Int(P::DocumentNumber), block)) {
        c.Set(P::TLVData, QString());
        c.Set(P::TLVDataHex, QString());
        return code;
    }
    c.Set(P::TLVData, AnsiToWide(block));
    c.Set(P::TLVDataHex, QString::fromLatin1(block.toHex().toUpper()));
    c.Answer = block;
    return OrvekResult::Ok;
}

// RequestDocumentType 0: the document DocumentNumber names; 1: the
// registration RegistrationNumber names, with its registration data.
std::int32_t FNGetDocumentAsString(OrvekCall& c)
{
    // No document, no text: a failed request leaves none of an earlier one.
    c.Set(P::StringForPrinting, QString());
    const int type = c.Int(P::RequestDocumentType);
    if (type != 0 && type != 1) {
        c.Description =
            QStringLiteral("Эмулируемая ККТ не поддерживает метод FNGetDocumentAsString с RequestDocumentType %1").arg(type);
        return OrvekResult::NotSupported;
    }
    if (type == 1) {
        const int number = c.Int(P::RegistrationNumber);
        c.Request.append(char(number & 0xFF));
        const FNDocument* doc = RegistrationDocument(FN(c), number);
        if (!doc)
            return FNError::NoData;
        c.Set(P::StringForPrinting, RegistrationText(*doc, RegistrationDocumentTags(FN(c), *doc), c.Bool(P::ShowTagNumber))
                                        .join(QStringLiteral("\r\n")));
        return OrvekResult::Ok;
    }
    const FNDocument* doc = RequestedDocument(c);
    if (!doc)
        return FNError::NoData;
    c.Set(P::StringForPrinting, RegisterOFD::DocumentText(*doc, c.Bool(P::ShowTagNumber)));
    return OrvekResult::Ok;
}

std::int32_t FNPrintDocument(OrvekCall& c)
{
    const FNDocument* doc = RequestedDocument(c);
    if (!doc)
        return FNError::NoData;
    if (!c.Reg().Flag(EcrFlag::ReceiptRibbonIsPresent))
        return OrvekResult::NoPaper;
    const QString text = RegisterOFD::DocumentText(*doc, c.Bool(P::ShowTagNumber));
    PrintLines(c, text);
    c.Set(P::StringForPrinting, text);
    return OrvekResult::Ok;
}

std::int32_t FNGetInfoExchangeStatus(OrvekCall& c)
{
    const FNDocument* first = FN(c).FirstUnconfirmed();
    const int status = OFD(c).InfoExchangeStatus();
    c.Set(P::InfoExchangeStatus, status);
    c.Set(P::MessageState, OFD(c).MessageState);
    c.Set(P::MessageCount, FN(c).UnconfirmedCount());
    c.Set(P::DocumentNumber, first ? first->Number : 0);
    PutDateTime(c, first ? first->DateTime : QDateTime());
    c.Answer.append(char(status)).append(char(OFD(c).MessageState));
    // While the driver's exchange runs, the OFD takes the oldest document.
    if (OFD(c).LinkUp && !c.Bool(P::OFDExchangeSuspended) && first)
        FN(c).Confirm(first->Number);
    return OrvekResult::Ok;
}

std::int32_t FNGetUnconfirmedDocCount(OrvekCall& c)
{
    const int count = FN(c).UnconfirmedCount();
    c.Set(P::DocumentCount, count);
    c.Answer.append(char(count & 0xFF)).append(char(count >> 8));
    return OrvekResult::Ok;
}

// The ticket of a document the OFD confirmed; 8 for one it has not.
std::int32_t FNGetOFDTicketByDocNumber(OrvekCall& c)
{
    const FNDocument* doc = RequestedDocument(c);
    if (!doc || !doc->OFDTicketReceived)
        return FNError::NoData;
    const OFDTicket ticket = RegisterOFD::Ticket(*doc);
    PutDateTime(c, ticket.DateTime);
    c.Set(P::FiscalSignOFD, AnsiToWide(ticket.FiscalSign));
    c.Set(P::DocumentNumber, doc->Number);
    c.Answer = ticket.FiscalSign;
    return OrvekResult::Ok;
}

std::int32_t FNPrintOperatorConfirm(OrvekCall& c)
{
    const FNDocument* doc = RequestedDocument(c);
    if (!doc || !doc->OFDTicketReceived)
        return FNError::NoData;
    if (!c.Reg().Flag(EcrFlag::ReceiptRibbonIsPresent))
        return OrvekResult::NoPaper;
    const OFDTicket ticket = RegisterOFD::Ticket(*doc);
    PrintLines(c, QStringLiteral("ПОДТВЕРЖДЕНИЕ ОПЕРАТОРА\r\nФД: %1\r\nДАТА, ВРЕМЯ: %2\r\nФПО: %3")
                      .arg(doc->Number)
                      .arg(ticket.DateTime.toString(QStringLiteral("dd.MM.yyyy HH:mm")))
                      .arg(QString::fromLatin1(ticket.FiscalSign.toHex().toUpper())));
    return OrvekResult::Ok;
}
} // namespace

void AddDocumentHandlers(OrvekHandlerTable& t)
{
    t.Add(M::FNSendTLV, OrvekAccess::Device, 0xFF0C, &FNSendTLV);
    t.Add(M::FNSendTLVOperation, OrvekAccess::Device, 0xFF4D, &FNSendTLVOperation);
    t.Add(M::FNRequestFiscalDocumentTLV, OrvekAccess::Device, 0xFF3A, &FNRequestFiscalDocumentTLV);
    t.Add(M::FNReadFiscalDocumentTLV, OrvekAccess::Device, 0xFF3B, &FNReadFiscalDocumentTLV);
    t.Add(M::FNGetDocumentAsString, OrvekAccess::Device, 0xFF3A, &FNGetDocumentAsString);
    t.Add(M::FNPrintDocument, OrvekAccess::Device, 0xFF3A, &FNPrintDocument);
    t.Add(M::FNGetInfoExchangeStatus, OrvekAccess::Device, 0xFF39, &FNGetInfoExchangeStatus);
    t.Add(M::FNGetUnconfirmedDocCount, OrvekAccess::Device, 0xFF3F, &FNGetUnconfirmedDocCount);
    t.Add(M::FNGetOFDTicketByDocNumber, OrvekAccess::Device, 0xFF3C, &FNGetOFDTicketByDocNumber);
    t.Add(M::FNPrintOperatorConfirm, OrvekAccess::Device, 0xFF3C, &FNPrintOperatorConfirm);
}
