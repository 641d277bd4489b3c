// The FN status page against the emulated fiscal accumulator.
#include "pages/fn/fmuFN.h"

#include "core/driver/PrinterTypes.h"
#include "lumaqtst/fmuMain.h"
#include "core/settings/ControlStore.h"
#include "core/support/CodePage.h"
#include "core/support/FileUtils.h"
#include "core/support/Format.h"
#include "core/support/SysUtils.h"
#include "emulator/RegisterFN.h"
#include "tests/PageTestSupport.h"
#include "tests/TestSupport.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

using M = OrvekMethod;

namespace {
// A report line: a blank, the name padded to the width, ": " and the value.
QString Line(const QString& name, const QString& value, int width = 24)
{
    return QLatin1Char(' ') + name.leftJustified(width) + QStringLiteral(": ") + value;
}

QString Bool(const QString& name, bool value)
{
    return Line(name, value ? QStringLiteral("[да]") : QStringLiteral("[нет]"), 40);
}

const QString Separator = QLatin1Char(' ') + QString(40, QLatin1Char('-'));
} // namespace

// The page inside the real main window, whose result panel shows every call.
class FNPageTest : public MainPageTest<TfmFN> {
protected:
    RegisterFN& FN() { return TestRegister().Area<RegisterFN>(); }
    QString Panel() const { return Main->edtResult->text(); }
    QStringList Lines() const { return Page->Memo->toPlainText().split(QLatin1Char('\n')); }
    // The report of one document found through the page.
    QStringList Find(int number)
    {
        Page->edtDocumentNumber->setText(QString::number(number));
        Page->btnFNFindDocument->click();
        return Lines();
    }
};

TEST_F(FNPageTest, FirstTabOfTheFNServiceGroup)
{
    TfmTabbedPage* group = nullptr;
    for (QWidget* w = Page->parentWidget(); w && !group; w = w->parentWidget())
        group = qobject_cast<TfmTabbedPage*>(w);
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->TabPage(0), Page);
    EXPECT_EQ(group->PageControl->tabText(0), QStringLiteral("Состояние ФН"));
    bool listed = false;
    for (int row = 0; row < Main->ListBox->count(); ++row)
        if (Main->ListBox->item(row)->data(Qt::UserRole).value<QObject*>() == group)
            listed = Main->ListBox->item(row)->text().endsWith(QStringLiteral(". ФН сервис"));
    EXPECT_TRUE(listed);
}

TEST_F(FNPageTest, StatusReport)
{
    FN().Documents[0].DateTime = QDateTime(QDate(2024, 3, 5), QTime(10, 30, 15));
    Page->btnFNGetStatus->click();
    EXPECT_EQ(Lines(), (QStringList{
                           Separator,
                           QStringLiteral(" Состояние фазы жизни    : 03h, 3"),
                           Separator,
                           QStringLiteral("   Проведена настройка ФН: [да]"),
                           Line(QStringLiteral("  Открыт фискальный режим"), QStringLiteral("[да]")),
                           Line(QStringLiteral("  Закрыт фискальный режим"), QStringLiteral("[нет]")),
                           Line(QStringLiteral("  Закончена передача фискальных данных в ОФД"), QStringLiteral("[нет]")),
                           Separator,
                           Line(QStringLiteral("Текущий документ"), QStringLiteral("00h, Нет открытого документа")),
                           Line(QStringLiteral("Данные документа"), QStringLiteral("00h, Нет данных документа")),
                           Line(QStringLiteral("Состояние смены"), QStringLiteral("00h, Смена закрыта")),
                           Line(QStringLiteral("Флаги предупреждения"), QStringLiteral("00h, 0")),
                           Line(QStringLiteral("Дата и время ФН"), QStringLiteral("05.03.2024 10:30:15")),
                           Line(QStringLiteral("Номер ФН"), FN().Serial),
                           Line(QStringLiteral("Номер последнего ФД"), QStringLiteral("1")),
                       }));
    EXPECT_EQ(Panel(), QStringLiteral("(0) Ошибок нет"));

    // A calculation-state report being built, in an open session.
    ASSERT_EQ(Driver().OpenSession(), 0);
    Page->btnBeginCalculationStateReport->click();
    Page->btnFNGetStatus->click();
    EXPECT_EQ(Lines()[8], Line(QStringLiteral("Текущий документ"), QStringLiteral("17h, Отчет о текущем состоянии расчетов")));
    EXPECT_EQ(Lines()[10], Line(QStringLiteral("Состояние смены"), QStringLiteral("01h, Смена открыта")));
}

TEST_F(FNPageTest, IdentityValidityAndSessionParameters)
{
    FN().Expiry = QDate(2027, 2, 1);
    Page->btnFNGetExpirationTime->click();
    EXPECT_EQ(Lines(), (QStringList{Line(QStringLiteral("Срок действия ФН"), QStringLiteral("01.02.2027")),
                                    Line(QStringLiteral("Кол-во оставшихся отчетов о перерегистрации"), QStringLiteral("29")),
                                    Line(QStringLiteral("Выполнено отчетов о перерегистрации"), QStringLiteral("1"))}));
    Page->btnFNGetVersion->click();
    EXPECT_EQ(Lines(), (QStringList{Line(QStringLiteral("Версия ПО ФН"), FN().SoftVersion),
                                    Line(QStringLiteral("Тип ПО ФН"), QStringLiteral("00h, Отладочная версия"))}));
    Page->btnFNGetImplementation->click();
    EXPECT_EQ(Lines(), QStringList{Line(QStringLiteral("Исполнение ФН:"), FN().Implementation)});
    FN().OSUSupportStatus = 255;
    Page->btnFNGetOSUSupportStatus->click();
    EXPECT_EQ(Lines(), QStringList{Line(QStringLiteral("Статус поддержки ОСУ:"), QStringLiteral("255, ФН не поддерживает ОСУ"))});

    Page->btnFNBeginOpenSessioin->click();
    Page->btnFNOpenSession->click();
    FN().AddDocument(FNDocType::Receipt);
    Page->btnFNGetCurrentSessionParams->click();
    EXPECT_EQ(Lines(), (QStringList{Line(QStringLiteral("Номер смены"), QStringLiteral("1")),
                                    Line(QStringLiteral("Состояние смены"), QStringLiteral("1")),
                                    Line(QStringLiteral("Номер чека"), QStringLiteral("1"))}));
    Page->btnFNBeginCloseSession->click();
    Page->btnFNCloseSession->click();
    EXPECT_EQ(Panel(), QStringLiteral("(0) Ошибок нет"));
    EXPECT_FALSE(TestRegister().State().SessionOpen);
    EXPECT_EQ(FN().Documents.back().Type, FNDocType::CloseSession);
}

TEST_F(FNPageTest, DocumentReports)
{
    // Registration: tax systems, work modes and the extended work modes.
    FNDocument& reg = FN().Documents[0];
    reg.DateTime = QDateTime(QDate(2024, 3, 5), QTime(10, 30, 0));
    reg.FiscalSign = 3000000000u;
    reg.Registration.TaxType = 0b100001;
    reg.Registration.WorkMode = 0b10010;
    reg.Registration.WorkModeEx = 14;
    QStringList lines = Find(1);
    EXPECT_EQ(lines.mid(0, 8), (QStringList{
                                   Line(QStringLiteral("Тип фиск. документа"), QStringLiteral("1, Отчет о регистрации")),
                                   Line(QStringLiteral("Получена ли квитанция из ОФД"), QStringLiteral("[да]")),
                                   Line(QStringLiteral("Дата"), QStringLiteral("05.03.2024 10:30:00")),
                                   Line(QStringLiteral("Номер ФД"), QStringLiteral("1")),
                                   Line(QStringLiteral("Фискальный признак"), QStringLiteral("3000000000")),
                                   Line(QStringLiteral("ИНН"), reg.Registration.INN),
                                   Line(QStringLiteral("ИНН ОФД"), reg.Registration.INNOFD),
                                   Line(QStringLiteral("Рег. номер ККТ"), reg.Registration.KKTRegistrationNumber),
                               }));
    EXPECT_EQ(lines.mid(8), (QStringList{
                                Line(QStringLiteral("Код сист. налогообложения"), QStringLiteral("33")),
                                Bool(QStringLiteral("  ОСН"), true),
                                Bool(QStringLiteral("  УСН доход"), false),
                                Bool(QStringLiteral("  УСН доход минус расход"), false),
                                Bool(QStringLiteral("  ЕНВД"), false),
                                Bool(QStringLiteral("  ЕСХН"), false),
                                Bool(QStringLiteral("  Патент"), true),
                                Line(QStringLiteral("Режим работы"), QStringLiteral("18")),
                                Bool(QStringLiteral("  Шифрование"), false),
                                Bool(QStringLiteral("  Автономный режим"), true),
                                Bool(QStringLiteral("  Автоматический режим"), false),
                                Bool(QStringLiteral("  Применение в сфере услуг"), false),
                                Bool(QStringLiteral("  Режим БСО"), true),
                                Bool(QStringLiteral("  Применение в Интернет"), false),
                                Line(QStringLiteral("Расширенные признаки работы ККТ"), QStringLiteral("14")),
                                Bool(QStringLiteral("  Продажа подакцизного товара"), false),
                                Bool(QStringLiteral("  Признак проведения азартных игр"), true),
                                Bool(QStringLiteral("  Признак проведения лотереи"), true),
                                Bool(QStringLiteral("  Признак установки принтера в автомате"), true),
                            }));

    // Re-registration with reason codes: bit 31 shows as an unsigned number.
    FNRegistration data = reg.Registration;
    data.ReasonCode = 2;
    data.ReasonCodeEx = (1u << 31) | (1u << 1) | (1u << 25);
    ASSERT_EQ(FN().Reregister(data), 0);
    lines = Find(2);
    EXPECT_EQ(lines[0], Line(QStringLiteral("Тип фиск. документа"),
                             QStringLiteral("11, Отчет об изменении параметров регистрации")));
    EXPECT_EQ(lines.mid(lines.size() - 4),
              (QStringList{Line(QStringLiteral("Код причины перерегистрации"), QStringLiteral("2")),
                           Line(QStringLiteral("Код причины изменения сведений о ККТ"), QStringLiteral("2181038082")),
                           Bool(QStringLiteral("  Замена оператора фискальных данных"), true),
                           Bool(QStringLiteral("  Иные причины"), true)}));
    data.ReasonCodeEx = 0;
    ASSERT_EQ(FN().Reregister(data), 0);
    lines = Find(3);
    EXPECT_EQ(lines.last(), Line(QStringLiteral("Код причины изменения сведений о ККТ"), QStringLiteral("0")));

    // A receipt with its total; an operator confirmation has no data lines.
    ASSERT_EQ(Driver().OpenSession(), 0);
    FNDocument& receipt = FN().AddDocument(FNDocType::Receipt);
    receipt.OperationType = 2;
    receipt.Summ = 1234500;
    SetDecimalSeparator(QLatin1Char(','));
    lines = Find(5);
    EXPECT_EQ(lines.mid(5), (QStringList{Line(QStringLiteral("Тип операции"), QStringLiteral("2")),
                                         Line(QStringLiteral("Сумма операции"), QStringLiteral("123,45"))}));
    Page->btnFNReadFiscalBarcode->click();
    EXPECT_EQ(Page->Memo->toPlainText(), Driver().BarCode());
    EXPECT_TRUE(Page->Memo->toPlainText().startsWith(QStringLiteral("t=")));
    FN().AddDocument(FNDocType::OperatorConfirmation);
    EXPECT_EQ(Find(6), (QStringList{Line(QStringLiteral("Тип фиск. документа"), QStringLiteral("7, Подтверждение оператора")),
                                    Line(QStringLiteral("Получена ли квитанция из ОФД"), QStringLiteral("[нет]"))}));

    // The calculation-state report and its document.
    FN().Confirm(3);
    Page->btnBuildCalculationStateReport->click();
    lines = Lines();
    EXPECT_EQ(lines[0], Line(QStringLiteral("Номер ФД"), QStringLiteral("7")));
    EXPECT_EQ(lines[2], Line(QStringLiteral("Кол-во неподтвержденных документов"), QStringLiteral("3")));
    EXPECT_EQ(Find(7).mid(5), (QStringList{Line(QStringLiteral("Кол-во неподтвержд. документов"), QStringLiteral("3")),
                                           Line(QStringLiteral("Дата 1-го неподтвержд. документа"),
                                                DateTimeToStr(FN().Documents[3].DateTime))}));
}

TEST_F(FNPageTest, DocumentTypesAndTheirLines)
{
    ASSERT_EQ(Driver().OpenSession(), 0);                      // 2: session 1 opened
    FNDocument& bso = FN().AddDocument(FNDocType::BSO);        // 3
    bso.OperationType = 3;
    bso.Summ = 50000;
    FNDocument& correction = FN().AddDocument(FNDocType::CorrectionReceipt);  // 4
    correction.OperationType = 1;
    correction.Summ = 1000000;
    FN().AddDocument(FNDocType::CorrectionBSO).Summ = 10000;  // 5
    ASSERT_EQ(Driver().PrintReportWithCleaning(), 0);         // 6: session 1 closed
    FNDocument& close = FN().AddDocument(FNDocType::CloseFN);  // 7
    close.Registration.INN = QStringLiteral("7700000000");
    close.Registration.KKTRegistrationNumber = QStringLiteral("0000000001012345");
    SetDecimalSeparator(QLatin1Char('.'));

    struct Case {
        int number;
        QString type;
        QStringList data;  // the lines after the date, number and sign
    };
    const Case cases[] = {
        {2, QStringLiteral("2, Отчет об открытии смены"), {Line(QStringLiteral("Номер смены"), QStringLiteral("1"))}},
        {6, QStringLiteral("5, Отчет о закрытии смены"), {Line(QStringLiteral("Номер смены"), QStringLiteral("1"))}},
        {3, QStringLiteral("4, Бланк строгой отчетности"),
         {Line(QStringLiteral("Тип операции"), QStringLiteral("3")), Line(QStringLiteral("Сумма операции"), QStringLiteral("5.00"))}},
        {4, QStringLiteral("31, Кассовый чек коррекции"),
         {Line(QStringLiteral("Тип операции"), QStringLiteral("1")), Line(QStringLiteral("Сумма операции"), QStringLiteral("100.00"))}},
        {7, QStringLiteral("6, Отчет о закрытии фискального накопителя"),
         {Line(QStringLiteral("ИНН"), QStringLiteral("7700000000")),
          Line(QStringLiteral("Рег. номер ККТ"), QStringLiteral("0000000001012345"))}},
    };
    for (const Case& c : cases) {
        const FNDocument& doc = *FN().Find(c.number);
        const QStringList head = {Line(QStringLiteral("Тип фиск. документа"), c.type),
                                  Line(QStringLiteral("Получена ли квитанция из ОФД"), QStringLiteral("[нет]")),
                                  Line(QStringLiteral("Дата"), DateTimeToStr(doc.DateTime)),
                                  Line(QStringLiteral("Номер ФД"), QString::number(c.number)),
                                  Line(QStringLiteral("Фискальный признак"), QString::number(doc.FiscalSign))};
        EXPECT_EQ(Find(c.number), head + c.data) << c.number;
    }
    // A correction BSO (41) shows only the type and the ticket.
    EXPECT_EQ(Find(5), (QStringList{Line(QStringLiteral("Тип фиск. документа"), QStringLiteral("41, Бланк строгой отчетности")),
                                    Line(QStringLiteral("Получена ли квитанция из ОФД"), QStringLiteral("[нет]"))}));
}

TEST_F(FNPageTest, ValuesOutsideTheDecodersTables)
{
    EXPECT_EQ(TfmFN::FNSessionStateToStr(2), QStringLiteral("Неизвестное значение"));
    EXPECT_EQ(TfmFN::FNDocumentDataToStr(2), QStringLiteral("Неизвестное значение"));
    EXPECT_EQ(TfmFN::OSUSupportStatusToStr(1), QStringLiteral("1, ФН поддерживает ОСУ, функция активна"));
    EXPECT_EQ(TfmFN::OSUSupportStatusToStr(2), QStringLiteral("2, Неизвестный код ответа"));
    FN().SoftType = 7;
    Page->btnFNGetVersion->click();
    EXPECT_EQ(Lines().last(), Line(QStringLiteral("Тип ПО ФН"), QStringLiteral("07h, Неизвестное значение")));
    FN().SoftType = 1;
    Page->btnFNGetVersion->click();
    EXPECT_EQ(Lines().last(), Line(QStringLiteral("Тип ПО ФН"), QStringLiteral("01h, Серийная версия")));
}

TEST_F(FNPageTest, KeyUpdateTexts)
{
    Page->btnFNOpenSession->click();
    EXPECT_EQ(Lines(), (QStringList{QStringLiteral("Состояние обновления ключей:"),
                                    QStringLiteral("ОБНОВЛЕНО КЛЮЧЕЙ: 2, ОШИБОК НЕТ")}));
    ASSERT_EQ(Driver().PrintReportWithCleaning(), 0);

    struct Case {
        bool reachable;
        int error, checkFailure;
        QStringList text;
    };
    const Case cases[] = {
        {true, 0, 0, {QStringLiteral("Обновление не требуется")}},
        {false, 0, 1, {QStringLiteral("НЕТ СВЯЗИ"), QStringLiteral("Обновление ключей проверки не выполнено.")}},
        {true, 35, 3,
         {GetFNErrorDescription(35),
          QStringLiteral("Обновление ключей проверки не выполнено. Обратитесь в службу технической поддержки")}},
    };
    for (const Case& c : cases) {
        FN().KeyServer.Reachable = c.reachable;
        FN().KeyServer.ErrorCode = c.error;
        FN().KeyServer.CheckFailure = c.checkFailure;
        Page->btnFNOpenSession->click();
        EXPECT_EQ(Lines(), QStringList{QStringLiteral("Состояние обновления ключей:")} + c.text);
        ASSERT_EQ(Driver().PrintReportWithCleaning(), 0);
    }

    // The status after the session opened fails: the key lines are not written.
    TestRegister().Faults().FailNext(M::GetShortECRStatus, 80);
    Page->btnFNOpenSession->click();
    EXPECT_EQ(Page->Memo->toPlainText(), QString());
    EXPECT_TRUE(TestRegister().State().SessionOpen);
    EXPECT_EQ(Panel(), QStringLiteral("(80) Идет печать предыдущей команды"));
}

TEST_F(FNPageTest, OKPKeyUpdate)
{
    const QString title = QStringLiteral("Результат обновления ключей ОКП: ");
    struct Case {
        int pending;
        bool supported, reachable;
        QStringList lines;
    };
    const Case cases[] = {
        {2, true, true, {title, QStringLiteral("Успешно. 2 ключа обновлено")}},
        {1, true, true, {title, QStringLiteral("Успешно. 1 ключ обновлен")}},
        {0, true, true, {title, QStringLiteral("Успешно. 0 ключей обновлено")}},
        {3, true, true, {title, QStringLiteral("Неизвестный ответ")}},
        {0, true, false, {title, QStringLiteral("Нет связи с сервером ОКП")}},
        {0, false, true,
         {title, QStringLiteral("Ошибка. См. напечатанное."), QStringLiteral(" Либо не поддерживается данной прошивкой,"),
          QStringLiteral(" либо ключи уже обновлены")}},
    };
    for (const Case& c : cases) {
        FN().KeyServer.PendingKeys = c.pending;
        FN().KeyServer.OKPSupported = c.supported;
        FN().KeyServer.Reachable = c.reachable;
        Page->btnFNUpdateOKPKeys->click();
        EXPECT_EQ(Lines(), c.lines);
    }
    EXPECT_EQ(Driver().TransferBytes(), QStringLiteral("FE E1 00 FE"));

    // A refused command ends the handler with nothing written.
    TestRegister().Faults().FailNext(M::ExchangeBytes, 55);
    Page->btnFNUpdateOKPKeys->click();
    EXPECT_EQ(Page->Memo->toPlainText(), QString());
    EXPECT_EQ(Panel(), QStringLiteral("(55) Команда не поддерживается в данной реализации ККТ"));
}

TEST_F(FNPageTest, FreeMemoryLinesWithAndWithoutTheFillPercentage)
{
    const QStringList resources = {Line(QStringLiteral("Ресурс данных 5 летнего хранения"), QStringLiteral("249999 документов")),
                                   Line(QStringLiteral("Ресурс данных 30 дневного хранения"), QStringLiteral("512 Кб"))};
    FN().MarkingFillPercentage = 7;
    Page->btnFNGetFreeMemoryResource->click();
    EXPECT_EQ(Lines(), resources + QStringList{Line(
                                       QStringLiteral("Процент заполнения оласти хранения увед. о реализации маркир. товара"),
                                       QStringLiteral("7 %"))});
    FN().MarkingFillPercentage = -1;
    Page->btnFNGetFreeMemoryResource->click();
    EXPECT_EQ(Lines(), resources);

    // A tested call that fails leaves the memo empty and shows no message.
    TestRegister().Faults().FailNext(M::FNGetFreeMemoryResource, 3);
    Page->btnFNGetFreeMemoryResource->click();
    EXPECT_EQ(Page->Memo->toPlainText(), QString());
    EXPECT_EQ(Panel(), QStringLiteral("(3) ФН: Отказ ФН"));
    EXPECT_TRUE(TestDialogs().shown().empty());

    ASSERT_EQ(Driver().OpenSession(), 0);
    Page->btnFNGetDocumentSize->click();
    EXPECT_EQ(Lines(), (QStringList{Line(QStringLiteral("Размер текущего документа для ОФД, байт"),
                                         QString::number(FN().Documents[1].Size())),
                                    Line(QStringLiteral("Размер текущего уведомления о реализации маркированных товаров для ОИСМ, байт"),
                                         QStringLiteral("0"))}));
}

TEST_F(FNPageTest, CloseFiscalModeAsksFirst)
{
    Page->btnFNGetSerial->click();
    const QString before = Page->Memo->toPlainText();
    const QString panel = Panel();
    const QString time = Main->edtTime->text();

    TestDialogs().answerMessage(Dialogs::mrCancel);
    Page->btnFNCloseFiscalMode->click();
    ASSERT_EQ(TestDialogs().shown().size(), 1u);
    const Dialogs::MessageRequest& box = TestDialogs().shown()[0].message;
    EXPECT_EQ(box.text, QStringLiteral("Вы уверены, что хотите произвести закрытие фискального режима?\r\nДанное действие необратимо."));
    EXPECT_EQ(box.caption, QStringLiteral("Закрытие фискального режима?"));
    EXPECT_EQ(box.buttons, Dialogs::Buttons::OkCancel);
    EXPECT_EQ(box.icon, Dialogs::Icon::Warning);
    EXPECT_EQ(TestRegister().CallCount(M::FNCloseFiscalMode), 0);
    EXPECT_EQ(Page->Memo->toPlainText(), before);
    EXPECT_EQ(Panel(), panel);
    EXPECT_EQ(Main->edtTime->text(), time);

    TestDialogs().answerMessage(Dialogs::mrOk);
    Page->btnFNBeginCloseFiscalMode->click();
    Page->btnFNCloseFiscalMode->click();
    EXPECT_EQ(Lines(), (QStringList{Line(QStringLiteral("Номер ФД"), QStringLiteral("2")),
                                    Line(QStringLiteral("Фискальный признак"),
                                         QString::number(FN().Documents.back().FiscalSign))}));
    EXPECT_EQ(FN().LifeState, 7);
    EXPECT_EQ(FN().Documents.back().Type, FNDocType::CloseFN);
}

TEST_F(FNPageTest, NumbersAreCheckedBeforeTheDriverIsCalled)
{
    Page->edtDocumentNumber->setText(QStringLiteral("1.5"));
    Page->btnFNFindDocument->click();
    EXPECT_EQ(TestDialogs().lastMessage(), QStringLiteral("\"1.5\" не является целым числом"));
    EXPECT_EQ(TestRegister().CallCount(M::FNFindDocument), 0);
    Page->btnFNReadFiscalBarcode->click();
    EXPECT_EQ(TestRegister().CallCount(M::FNReadFiscalBarcode), 0);
    EXPECT_TRUE(Page->btnFNFindDocument->isEnabled());

    Page->edtRequestType->setText(QStringLiteral("abc"));
    Page->btnFNResetState->click();
    EXPECT_EQ(TestDialogs().lastMessage(), QStringLiteral("\"abc\" не является целым числом"));
    EXPECT_EQ(TestRegister().CallCount(M::FNResetState), 0);
    Page->edtRequestType->setText(QStringLiteral("22"));
    Page->btnFNResetState->click();
    EXPECT_EQ(FN().LifeState, 1);

    // Typing passes digits, "." and Backspace only.
    Page->edtDocumentNumber->clear();
    QTest::keyClicks(Page->edtDocumentNumber, QStringLiteral("1a2-.3 "));
    QTest::sendKeyEvent(QTest::Click, Page->edtDocumentNumber, Qt::Key_unknown, QStringLiteral("б"), Qt::NoModifier);
    EXPECT_EQ(Page->edtDocumentNumber->text(), QStringLiteral("12.3"));
    QTest::keyClick(Page->edtDocumentNumber, Qt::Key_Backspace);
    EXPECT_EQ(Page->edtDocumentNumber->text(), QStringLiteral("12."));
}

TEST_F(FNPageTest, FailingCallEndsTheHandlerSilently)
{
    Page->btnFNGetSerial->click();
    TestRegister().Faults().FailNext(M::FNGetStatus, 2);
    Page->btnFNGetStatus->setFocus();
    Page->btnFNGetStatus->click();
    EXPECT_EQ(Page->Memo->toPlainText(), QString());
    EXPECT_EQ(Panel(), QStringLiteral("(2) ФН: Другое состояние ФН"));
    EXPECT_TRUE(TestDialogs().shown().empty());
    EXPECT_TRUE(Page->btnFNGetStatus->isEnabled());

    // State errors of the FN itself reach the panel the same way.
    Page->btnFNCloseSession->click();
    EXPECT_EQ(Panel(), QStringLiteral("(115) Команда не поддерживается в данном режиме"));
    Page->edtDocumentNumber->setText(QStringLiteral("99"));
    Page->btnFNFindDocument->click();
    EXPECT_EQ(Page->Memo->toPlainText(), QString());
    EXPECT_EQ(Panel(), QStringLiteral("(8) ФН: Нет запрошенных данных"));

    // Synchronising the counters leaves the memo as it is.
    Page->btnFNGetSerial->click();
    TestRegister().Faults().FailNext(M::FNCountersSync, 3);
    Page->btnFNCountersSync->click();
    EXPECT_EQ(Lines(), QStringList{Line(QStringLiteral("Номер ФН"), FN().Serial)});
    EXPECT_EQ(Panel(), QStringLiteral("(3) ФН: Отказ ФН"));
}

TEST_F(FNPageTest, SavesTheMemo)
{
    Page->btnFNGetVersion->click();
    const QString file = TestTempDir() + QStringLiteral("/fn.txt");
    TestDialogs().answerFile(file);
    Page->btnSaveAs->click();
    const QString text = Line(QStringLiteral("Версия ПО ФН"), FN().SoftVersion) + QStringLiteral("\r\n") +
                         Line(QStringLiteral("Тип ПО ФН"), QStringLiteral("00h, Отладочная версия")) + QStringLiteral("\r\n");
    EXPECT_EQ(ReadFileData(file, MaxTextFileSize), WideToAnsi(text));
    EXPECT_TRUE(TestDialogs().shown().back().file.save);
}
