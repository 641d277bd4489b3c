// The OFD page against the emulated FN and register tables.
#include "pages/fn/fmuFNOFD.h"

#include "core/binding/BusyRetry.h"
#include "core/support/CodePage.h"
#include "core/support/StringUtils.h"
#include "emulator/RegisterFN.h"
#include "emulator/RegisterMarking.h"
#include "emulator/RegisterOFD.h"
#include "lumaqtst/fmuMain.h"
#include "platform/ServiceState.h"
#include "tests/PageTestSupport.h"
#include "tests/TestSupport.h"

#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

using M = OrvekMethod;

namespace {
QString Line(const QString& name, const QString& value, int width = 24)
{
    return QLatin1Char(' ') + name.leftJustified(width) + QStringLiteral(": ") + value;
}
} // namespace

TEST(OFDErrorToStr, FlagThenCode)
{
    EXPECT_EQ(OFDErrorToStr(0, 5), QStringLiteral("0, Нет ошибок"));
    EXPECT_EQ(OFDErrorToStr(1, 9), QStringLiteral("9, Неизвестный код ошибки"));
    EXPECT_EQ(OFDErrorToStr(1, 5), QStringLiteral("5, Неверный CRC"));
    EXPECT_EQ(OFDErrorToStr(2, 6), QStringLiteral("6, Неверный ИНН ОФД"));
}

class OFDPageTest : public MainPageTest<TfmFNOFD> {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(MainPageTest::SetUp());
        SetPause([](int) {});
    }
    void TearDown() override
    {
        SetPause(nullptr);
        MainPageTest::TearDown();
    }
    RegisterFN& FN() { return TestRegister().Area<RegisterFN>(); }
    QStringList Lines() const { return Page->Memo->toPlainText().split(QLatin1Char('\n')); }
    FNDocument& Receipt()
    {
        FNDocument& doc = FN().AddDocument(FNDocType::Receipt);
        doc.OperationType = 1;
        doc.Summ = 10000;
        return doc;
    }

    FakeServiceState Services;
};

TEST_F(OFDPageTest, ExchangeStatusShowsItsBits)
{
    const FNDocument& waiting = Receipt();
    TestRegister().Area<RegisterOFD>().StatusBits = 0x18;
    Page->btnFNGetInfoExchangeStatus->click();
    const QStringList lines = Lines();
    EXPECT_EQ(lines[1], QStringLiteral(" Статус инф. обмена      : 1Ah"));
    const bool expected[] = {false, true, false, true, true, false};
    for (int bit = 0; bit < 6; ++bit)
        EXPECT_TRUE(lines[3 + bit].endsWith(expected[bit] ? QStringLiteral(": [да]") : QStringLiteral(": [нет]")))
            << qPrintable(lines[3 + bit]);
    EXPECT_TRUE(lines.contains(Line(QStringLiteral("Количество сообщений для ОФД"), QStringLiteral("1"))));
    EXPECT_TRUE(lines.contains(
        Line(QStringLiteral("Номер документа для ОФД первого в очереди"), QString::number(waiting.Number))));
}

TEST_F(OFDPageTest, UnconfirmedCountAndTickets)
{
    const FNDocument& doc = Receipt();
    Page->btnFNGetUnconfirmedDocCount->click();
    EXPECT_EQ(Lines(), QStringList{Line(QStringLiteral("Кол-во неподтвержденных документов"), QStringLiteral("1"))});

    // No ticket yet: the call fails and the memo stays empty.
    Page->edtDocumentNumber->setText(QString::number(doc.Number));
    Page->btnFNGetOFDTicketByDocNumber->click();
    EXPECT_EQ(Page->Memo->toPlainText(), QString());

    FN().Confirm(doc.Number);
    Page->btnFNGetOFDTicketByDocNumber->click();
    const QStringList lines = Lines();
    EXPECT_EQ(lines[1], QStringLiteral("Квитанция"));
    EXPECT_EQ(lines.last(), Line(QStringLiteral("Номер ФД"), QString::number(doc.Number)));
    EXPECT_TRUE(lines.contains(
        Line(QStringLiteral("Фискальный признак ОФД"), StrToHex(RegisterOFD::Ticket(doc).FiscalSign))));

    // The confirmation goes on paper; the memo is kept.
    TestRegister().Paper().Clear();
    Page->btnFNPrintOperatorConfirm->click();
    EXPECT_EQ(TestRegister().Paper().Texts().first(), QStringLiteral("ПОДТВЕРЖДЕНИЕ ОПЕРАТОРА"));
    EXPECT_EQ(Lines(), lines);
}

TEST_F(OFDPageTest, NotificationExchangeLines)
{
    Page->btnFNGetKMServerExchangeStatus->click();
    EXPECT_EQ(Lines()[0], QStringLiteral("Состояние передачи уведомлений   : 0, нет активного обмена"));
    EXPECT_EQ(Lines()[3],
              QStringLiteral("Дата и время текущего уведомления: на все уведомления получена квитанция"));

    TestRegister().Area<RegisterMarking>().QueueNotification(QByteArray::fromHex("0102000003040506"));
    Page->btnFNGetKMServerExchangeStatus->click();
    EXPECT_EQ(Lines()[1], QStringLiteral("Количество уведомлений в очереди : 1"));
    EXPECT_FALSE(Lines()[3].endsWith(QStringLiteral("получена квитанция")));
}

TEST_F(OFDPageTest, ExtendedStatusAddsTheRegistersExchangeData)
{
    TestRegister().Tables().SetValue(16, 1, 1, 1);
    TestRegister().Tables().SetValue(20, 1, 6, 1);
    TestRegister().Tables().SetValue(20, 1, 7, 5);
    TestRegister().Tables().SetValue(20, 1, 9, QStringLiteral("Нет связи"));
    Services.SetState(QStringLiteral("Tallisk"), ssStopped);
    Page->btnFNGetInfoExchangeStatusEx->click();
    const QStringList lines = Lines();
    const QStringList expected = {
        " Лог обмена с ОФД",
        " Код ответа ОФД: 5, Неверный CRC",
        " Нет связи",
        " Сервер ОФД : ofd.example.ru",
        " Порт ОФД   : 7777",
        " IP KKT     : Статический",
        " IP ККТ     : 192.168.137.111",
        " Socks5 клиент: Выключен",
        " IP Socks5  : 0.0.0.0",
        " Порт Socks5: 1080",
        " Tallisk    : Служба остановлена",
    };
    for (const QString& line : expected)
        EXPECT_TRUE(lines.contains(line)) << qPrintable(line);
    EXPECT_TRUE(Page->Memo->updatesEnabled());

    Services.Remove(QStringLiteral("Tallisk"));
    TestRegister().Tables().SetValue(16, 1, 1, 0);
    Page->btnFNGetInfoExchangeStatusEx->click();
    EXPECT_TRUE(Lines().contains(QStringLiteral(" IP KKT     : Динамический")));
    EXPECT_EQ(Lines().last(), QStringLiteral(" Tallisk    : Служба не установлена"));
}

TEST_F(OFDPageTest, ExtendedStatusEndsWhereATableReadFails)
{
    Page->btnFNGetInfoExchangeStatus->click();
    const QStringList plain = Lines();

    // The third table read (field 8 of the log) fails: the lines so far stay.
    TestRegister().Faults().FailOnCall(M::ReadTable, 3, 2);
    Page->btnFNGetInfoExchangeStatusEx->click();
    EXPECT_EQ(Lines().mid(0, plain.size()), plain);
    EXPECT_EQ(Lines().last(), QStringLiteral(" Код ответа ОФД: 0, Нет ошибок"));
    EXPECT_TRUE(Page->Memo->updatesEnabled());
    for (QPushButton* b : Page->findChildren<QPushButton*>())
        EXPECT_TRUE(b->isEnabled());

    // A cash-core model shows the plain status only.
    TestRegister().ModelParams().Set(28, true);
    Page->btnFNGetInfoExchangeStatusEx->click();
    EXPECT_EQ(Lines(), plain);
}

TEST_F(OFDPageTest, PrintRetriesWhileBusyThenFinishes)
{
    Page->Memo->setPlainText(QStringLiteral("первая\nвторая"));
    TestRegister().Paper().Clear();
    TestRegister().Faults().FailNext(M::PrintStringWithFont, 80, 2);
    TestRegister().Faults().FailOnCall(M::PrintStringWithFont, 4, 75);
    Page->btnPrint->click();
    EXPECT_EQ(TestRegister().Paper().Texts().mid(0, 2), (QStringList{"первая", "вторая"}));
    EXPECT_EQ(TestRegister().Journal().back(), M::FinishDocument);
    EXPECT_EQ(Driver().ResultCode(), 0);

    const QString file = TestTempDir() + QStringLiteral("/ofd.txt");
    TestDialogs().answerFile(file);
    Page->btnSaveAs->click();
    QFile saved(file);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), WideToAnsi(QStringLiteral("первая\r\nвторая\r\n")));
}
