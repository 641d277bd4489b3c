// The emulated FN's documents and OFD exchange: raw TLV sent, documents read
// back as TLV blocks and as text, printed, the exchange status, unconfirmed
// documents and tickets.
#include "tests/DriverTestSupport.h"

#include "core/support/CodePage.h"
#include "emulator/FNReceiptTags.h"
#include "emulator/OrvekResultCodes.h"
#include "emulator/RegisterFN.h"
#include "emulator/RegisterOFD.h"
#include "emulator/RegisterTags.h"

using M = OrvekMethod;

class DocumentsTest : public DriverTest {
protected:
    RegisterFN& FN() { return TestRegister().Area<RegisterFN>(); }
    RegisterOFD& OFD() { return TestRegister().Area<RegisterOFD>(); }
    FNDocument& Receipt(int operation, Currency summ)
    {
        FNDocument& doc = FN().AddDocument(FNDocType::Receipt);
        doc.OperationType = operation;
        doc.Summ = summ;
        return doc;
    }
    // The blocks of a document read with FNReadFiscalDocumentTLV until it answers 8.
    QByteArray ReadAll(int number, int& blocks)
    {
        Driver().setDocumentNumber(number);
        QByteArray all;
        blocks = 0;
        for (int i = 0; i < 1000; ++i) {
            const int code = Driver().FNReadFiscalDocumentTLV();
            if (code != 0) {
                EXPECT_EQ(code, FNError::NoData);
                break;
            }
            all += WideToAnsi(Driver().TLVData());
            ++blocks;
        }
        return all;
    }
};

TEST_F(DocumentsTest, SendTLVKeepsWellFormedTagsAndRefusesMalformedOnes)
{
    // 1008 "a@b", then 1192 with an empty value.
    const QByteArray good = QByteArray::fromHex("F0030300" "614062" "A8040000");
    Driver().setTLVData(AnsiToWide(good));
    ASSERT_EQ(Driver().FNSendTLVOperation(), 0);
    auto& sent = TestRegister().Area<RegisterTags>().Sent;
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].Number, 1008);
    EXPECT_EQ(sent[0].Value, QByteArray("a@b"));
    EXPECT_TRUE(sent[0].Operation);
    EXPECT_EQ(sent[1].Number, 1192);

    const QByteArray bad[] = {QByteArray(), QByteArray::fromHex("F003"), QByteArray::fromHex("F0030400" "614062"),
                              QByteArray::fromHex("00000000")};
    for (const QByteArray& data : bad) {
        Driver().setTLVData(AnsiToWide(data));
        EXPECT_EQ(Driver().FNSendTLV(), FNError::BadParameter) << data.toHex().constData();
        EXPECT_TRUE(Driver().ResultCodeDescription().startsWith(QStringLiteral("Неверный формат TLV")));
    }
    // The reason is Russian too.
    const QStringList reasons{"нет данных", "неполный заголовок тега", "значение выходит за конец данных", "номер тега 0"};
    for (int i = 0; i < 4; ++i) {
        Driver().setTLVData(AnsiToWide(bad[i]));
        Driver().FNSendTLV();
        EXPECT_EQ(Driver().ResultCodeDescription(), QStringLiteral("Неверный формат TLV (байт 0: %1)").arg(reasons[i]));
    }
    EXPECT_EQ(sent.size(), 2u);
}

TEST_F(DocumentsTest, DocumentReadAsTLVInBlocksThenEight)
{
    FNDocument& doc = Receipt(1, 1234500);
    const QByteArray whole = RegisterOFD::DocumentTLV(doc);
    Driver().setDocumentNumber(doc.Number);
    ASSERT_EQ(Driver().FNRequestFiscalDocumentTLV(), 0);
    EXPECT_EQ(Driver().DocumentType(), FNDocType::Receipt);
    EXPECT_EQ(Driver().DataLength(), whole.size());

    OFD().BlockSize = 5;
    int blocks = 0;
    EXPECT_EQ(ReadAll(doc.Number, blocks), whole);
    EXPECT_EQ(blocks, (whole.size() + 4) / 5);
    // The parser takes the document back tag by tag: number, time, sign ...
    TLVParse parsed = RegisterOFD::ParseTLV(whole);
    ASSERT_TRUE(parsed.Ok);
    EXPECT_EQ(parsed.Tags[0].Number, 1040);
    EXPECT_EQ(parsed.Tags[0].Integer(), quint64(doc.Number));

    Driver().setDocumentNumber(99);
    EXPECT_EQ(Driver().FNRequestFiscalDocumentTLV(), FNError::NoData);
}

TEST_F(DocumentsTest, DocumentAsTextAndPrinted)
{
    FNDocument& doc = Receipt(2, 50000);
    Driver().setDocumentNumber(doc.Number);
    Driver().setShowTagNumber(false);
    ASSERT_EQ(Driver().FNGetDocumentAsString(), 0);
    const QStringList lines = Driver().StringForPrinting().split(QStringLiteral("\r\n"));
    EXPECT_EQ(lines.first(), QStringLiteral("КАССОВЫЙ ЧЕК"));
    EXPECT_TRUE(lines.contains(QStringLiteral("ФД: %1").arg(doc.Number)));
    EXPECT_TRUE(lines.contains(QStringLiteral("ИТОГ: 5.00")));

    Driver().setShowTagNumber(true);
    TestRegister().Paper().Clear();
    ASSERT_EQ(Driver().FNPrintDocument(), 0);
    EXPECT_TRUE(Driver().StringForPrinting().contains(QStringLiteral("ФД(1040): %1").arg(doc.Number)));
    EXPECT_EQ(TestRegister().Paper().Texts(), Driver().StringForPrinting().split(QStringLiteral("\r\n")));

    TestRegister().State().Flags &= ~EcrFlag::ReceiptRibbonIsPresent;
    EXPECT_EQ(Driver().FNPrintDocument(), OrvekResult::NoPaper);
    // A missing document leaves no text of the one before.
    Driver().setDocumentNumber(0);
    EXPECT_EQ(Driver().FNGetDocumentAsString(), FNError::NoData);
    EXPECT_EQ(Driver().StringForPrinting(), QString());
}

// A document's tags as text: amounts in roubles, numbers as numbers, an
// item's composite with its own tags on the lines below it.
TEST_F(DocumentsTest, DocumentTextShowsAmountsAsAmounts)
{
    FNDocument& doc = Receipt(1, 12500);
    doc.Tags.push_back(FNReceiptTags::Composite(
        1059, {FNReceiptTags::Text(1030, QStringLiteral("Товар")), FNReceiptTags::Amount(1079, 12500),
               FNReceiptTags::Byte(1199, 1)}));
    doc.Tags.push_back(FNReceiptTags::Amount(1031, 10000));
    doc.Tags.push_back(FNReceiptTags::Amount(1081, 2500));
    FNTag quantity;
    quantity.Number = 1023;
    quantity.Type = OrvekTagType::FVLNAlias;
    quantity.Value = QByteArray::fromHex("03" "D204");   // 1.234
    doc.Tags.push_back(quantity);
    const QStringList lines = RegisterOFD::DocumentText(doc, false).split(QStringLiteral("\r\n"));
    for (const char* line : {"ИТОГ: 1.25", "ТЕГ(1059):", "  ТЕГ(1030): Товар", "  ТЕГ(1079): 1.25", "  ТЕГ(1199): 1",
                             "ТЕГ(1031): 1.00", "ТЕГ(1081): 0.25", "ТЕГ(1023): 1.234"})
        EXPECT_TRUE(lines.contains(QString::fromUtf8(line))) << line << "\n" << lines.join('\n').toStdString();
}

TEST_F(DocumentsTest, ExchangeStatusFollowsTheQueueAndTickets)
{
    const int firstNumber = Receipt(1, 10000).Number;   // the next receipt may move the document list
    Receipt(1, 20000);
    OFD().StatusBits = 0x19;
    ASSERT_EQ(Driver().FNGetInfoExchangeStatus(), 0);
    EXPECT_EQ(Driver().InfoExchangeStatus(), 0x1B);
    EXPECT_EQ(Driver().MessageCount(), 2);
    EXPECT_EQ(Driver().DocumentNumber(), firstNumber);
    ASSERT_EQ(Driver().FNGetUnconfirmedDocCount(), 0);
    EXPECT_EQ(Driver().DocumentCount(), 2);

    // No ticket and no confirmation for a document the OFD has not confirmed.
    Driver().setDocumentNumber(firstNumber);
    EXPECT_EQ(Driver().FNGetOFDTicketByDocNumber(), FNError::NoData);
    EXPECT_EQ(Driver().FNPrintOperatorConfirm(), FNError::NoData);

    FN().Confirm(FN().LastDocumentNumber());
    ASSERT_EQ(Driver().FNGetInfoExchangeStatus(), 0);
    EXPECT_EQ(Driver().InfoExchangeStatus(), 0x19);
    EXPECT_EQ(Driver().MessageCount(), 0);
    EXPECT_EQ(Driver().Date() + Driver().Time(), 0.0);
    Driver().setDocumentNumber(firstNumber);
    ASSERT_EQ(Driver().FNGetOFDTicketByDocNumber(), 0);
    EXPECT_EQ(WideToAnsi(Driver().FiscalSignOFD()), RegisterOFD::Ticket(TestRegister().Area<RegisterFN>().Documents[std::size_t(firstNumber - 1)]).FiscalSign);
    EXPECT_EQ(Driver().FiscalSignOFD().size(), 18);
    TestRegister().Paper().Clear();
    ASSERT_EQ(Driver().FNPrintOperatorConfirm(), 0);
    EXPECT_EQ(TestRegister().Paper().Texts().first(), QStringLiteral("ПОДТВЕРЖДЕНИЕ ОПЕРАТОРА"));
}

TEST_F(DocumentsTest, OFDTakesDocumentsOnlyWhileTheExchangeRuns)
{
    Receipt(1, 10000);
    Receipt(1, 20000);
    // No OFD link: the queue stays.
    Driver().setOFDExchangeSuspended(false);
    ASSERT_EQ(Driver().FNGetInfoExchangeStatus(), 0);
    ASSERT_EQ(Driver().FNGetInfoExchangeStatus(), 0);
    EXPECT_EQ(Driver().MessageCount(), 2);
    // A link, but the driver's exchange suspended: the queue stays.
    OFD().LinkUp = true;
    Driver().setOFDExchangeSuspended(true);
    ASSERT_EQ(Driver().FNGetInfoExchangeStatus(), 0);
    ASSERT_EQ(Driver().FNGetInfoExchangeStatus(), 0);
    EXPECT_EQ(Driver().MessageCount(), 2);
    // Running: each query answers, then the oldest document leaves.
    Driver().setOFDExchangeSuspended(false);
    std::vector<int> counts;
    for (int i = 0; i < 4; ++i) {
        ASSERT_EQ(Driver().FNGetInfoExchangeStatus(), 0);
        counts.push_back(Driver().MessageCount());
    }
    EXPECT_EQ(counts, (std::vector<int>{2, 1, 0, 0}));
    EXPECT_TRUE(FN().Documents.back().OFDTicketReceived);
}

TEST_F(DocumentsTest, FaultsReachEveryMethod)
{
    const M methods[] = {M::FNSendTLV, M::FNRequestFiscalDocumentTLV, M::FNReadFiscalDocumentTLV,
                         M::FNGetDocumentAsString, M::FNPrintDocument, M::FNGetInfoExchangeStatus,
                         M::FNGetUnconfirmedDocCount, M::FNGetOFDTicketByDocNumber, M::FNPrintOperatorConfirm};
    for (M method : methods) {
        TestRegister().Faults().FailNext(method, 80);
        EXPECT_EQ(Driver().Invoke(method), 80);
    }
}
