#include "pages/fn/fmuFNKTN2.h"

#include "core/driver/untDriver.h"
#include "core/settings/ResStrings.h"
#include "core/support/BinUtils.h"
#include "core/support/CodePage.h"
#include "core/support/SysUtils.h"
#include "core/support/gs1_parser.h"
#include "pages/fn/FNNotificationExchange.h"
#include "pages/fn/MeasureUnits.h"
#include "pages/fn/NotificationReader.h"
#include "platform/ui/FormBuilder.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QSignalBlocker>
#include <initializer_list>
#include <utility>

namespace {
const QString GSText = QStringLiteral("<0x1D>");
const QChar GS = QChar(0x1D);

// The code memo: a typed GS becomes "<0x1D>", and so does every GS of a
// pasted text (the clipboard itself is left as it is).
class TBarcodeMemo : public QPlainTextEdit {
public:
    using QPlainTextEdit::QPlainTextEdit;

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (event->text() == QString(GS)) {
            insertPlainText(GSText);
            return;
        }
        QPlainTextEdit::keyPressEvent(event);
    }

    void insertFromMimeData(const QMimeData* source) override
    {
        if (!source->hasText()) {
            QPlainTextEdit::insertFromMimeData(source);
            return;
        }
        insertPlainText(source->text().replace(GS, GSText));
        ensureCursorVisible();
    }
};

// "  \"text\"": a decoded line.
QString Quoted(const QString& text)
{
    return QStringLiteral("  \"%1\"").arg(text);
}

// A value's text from a table; "неизвестное значение" for any other.
QString Lookup(std::initializer_list<std::pair<int, const char*>> texts, int value,
               const QString& other = QStringLiteral("неизвестное значение"))
{
    for (const auto& [code, text] : texts)
        if (code == value)
            return QString::fromUtf8(text);
    return other;
}

// Tags of the check's tag list.
constexpr int TagMeasure = 2108;
constexpr int TagQuantity = 1023;
constexpr int TagFraction = 1291;
constexpr int TagNumerator = 1293;
constexpr int TagDenominator = 1294;
} // namespace

TfmFNKTN2::TfmFNKTN2(QWidget* owner) : TPage(owner, "fmFNKTN2", PageCaption), FReport(nullptr)
{
    // The code and its inputs on the left, the buttons in the middle, the
    // result on the right.
    TFormBuilder<TfmFNKTN2> page(this, nullptr, true);
    auto inputs = page.Section();
    page.Stretch();
    inputs.Label("lblBarcode", "Данные штрихкода. Символ 0x1D следует записать как <0x1D>. "
                               "При вставке в поле ввода заменяется автоматически")
        ->setWordWrap(true);
    memBarcode = NewControl<TBarcodeMemo>(this, "memBarcode");
    memBarcode->setPlainText(QStringLiteral("0104600000000012215Qbag!<0x1D>93Zjqw"));
    inputs.Whole(memBarcode, "BarCode");
    inputs.Stretch(memBarcode);
    auto mode = inputs.Columns();
    mode.Whole(rbASCII = NewRadioButton(this, "rbASCII", "Интерпретировать как ASCII", true), "BarCode");
    mode.Whole(rbHEX = NewRadioButton(this, "rbHEX", "Интерпретировать как HEX"), "BarcodeHex");
    mode.Space();
    inputs.Combo(NAMED(cbItemStatus), "Планируемый статус:",
                 {"1. Штучный товар, реализован", "2. Мерный товар, в стадии реализации", "3. Штучный товар, возвращен",
                  "4. Часть товара, возвращена", "5. Штучный товар, в стадии реализации", "6. Мерный товар, реализован"},
                 0, "ItemStatus");
    inputs.Combo(NAMED(cbMeasureUnit), "Мера кол-ва:", {}, -1, "TagValueInt");
    inputs.Edit(NAMED(edtQuantity), "Количество:", "1", "TagValueFVLND");
    inputs.Check(NAMED(chbFractionalQuantity), "Дробное кол-во (ФФД 1.2):");
    auto fraction = inputs.Columns();
    fraction.Edit(NAMED(edtNumerator), "Числитель:", "1", "TagValueVLN");
    fraction.Edit(NAMED(edtDenominator), "Знаменатель:", "1", "TagValueVLN");
    auto osu = inputs.Columns();
    osu.Check(NAMED(chbOSU), "Признак ОСУ", false, "MCOSUSign");
    osu.Check(NAMED(chbExtractKT), "Выделять КТ из КМ");
    osu.Space();
    auto notification = inputs.Columns();
    notification.Edit(NAMED(edtNotificationNumber), "№", "1", "NotificationNumber");
    notification.Edit(NAMED(edtCheckSum), "CRC", "1", "CheckSum");

    using T = TfmFNKTN2;
    auto buttons = page.Section();
    buttons.Buttons(11, {
        {NAMED(btnFNSendItemBarcode), "Передать и распознать КТ", &T::btnFNSendItemBarcodeClick, "FNSendItemBarcode"},
        {NAMED(btnFNCheckItemBarcode), "Проверить код маркировки", &T::btnFNCheckItemBarcodeClick, "FNCheckItemBarcode"},
        {NAMED(btnFNAcceptMarkingCode), "Принять КМ", &T::btnFNAcceptMarkingCodeClick, "FNAcceptMakringCode"},
        {NAMED(btnFNDeclineMarkingCode), "Отвергнуть КМ", &T::btnFNDeclineMarkingCodeClick, "FNDeclineMarkingCode"},
        {NAMED(btnFNMarkingClearBuffer), "Очистить рез-ты проверок КМ", &T::btnFNMarkingClearBufferClick,
         "FNMarkingClearBuffer"},
        {NAMED(btnFNGetKMServerExchangeStatus), "Получить сост. передачи увед.",
         &T::btnFNGetKMServerExchangeStatusClick, "FNGetKMServerExchangeStatus"},
        {NAMED(btnFNGetMarkingCodeWorkStatus), "Запрос статуса по работе с КМ",
         &T::btnFNGetMarkingCodeWorkStatusClick, "FNGetMarkingCodeWorkStatus"},
        {NAMED(btnFNBeginReadNotifications), "Начать чтение уведомлений", &T::btnFNBeginReadNotificationsClick,
         "FNBeginReadNotifications"},
        {NAMED(btnFNReadNotificationBlock), "Прочитать блок уведомления", &T::btnFNReadNotificationBlockClick,
         "FNReadNotificationBlock"},
        {NAMED(btnReadNotification), "Прочитать уведомление", &T::btnReadNotificationClick, "FNReadNotificationBlock"},
        {NAMED(btnFNConfirmNotificationRead), "Подтвердить выгрузку", &T::btnFNConfirmNotificationReadClick,
         "FNConfirmNotificationRead"},
    });
    FReport = TMemoReport(memResult = ReportMemo(page.Memo(NAMED(memResult), true)));
    page.Stretch(memResult);

    CreateMeasureUnit(cbMeasureUnit);
    OnChange(cbItemStatus, this, &T::UpdateForm);
    OnClick(chbFractionalQuantity, this, &T::UpdateForm);
    OnClick(chbOSU, this, &T::UpdateForm);
    UpdateForm();
}

void TfmFNKTN2::UpdatePage()
{
    TPage::UpdatePage();
    UpdateForm();
}

void TfmFNKTN2::UpdateForm()
{
    const int i = cbItemStatus->currentIndex();
    const bool measured = i == 1 || i == 3;
    cbMeasureUnit->setEnabled(measured);
    edtQuantity->setEnabled(measured && !chbFractionalQuantity->isChecked());
    {
        const QSignalBlocker quiet(chbFractionalQuantity);
        chbFractionalQuantity->setChecked(chbFractionalQuantity->isChecked() || i == 4);
    }
    chbFractionalQuantity->setEnabled(i != 4);
    const bool fraction = (measured || i == 4 || i == 5) && chbFractionalQuantity->isChecked();
    edtNumerator->setEnabled(fraction);
    edtDenominator->setEnabled(fraction);
    chbExtractKT->setEnabled(chbOSU->isChecked());
    if (!chbOSU->isChecked())
        chbExtractKT->setChecked(false);
}

// Decoders

QString TfmFNKTN2::CheckItemLocalResultToStr(int Value)
{
    const auto bits = uint32_t(Value);
    QString text = Quoted(TestBit(bits, 0)
                              ? "код маркировки проверен фискальным накопителем с использованием ключа проверки КП"
                              : "код маркировки не может быть проверен фискальным накопителем с использованием ключа "
                                "проверки КП");
    if (TestBit(bits, 1))
        text += "\r\n" + Quoted("результат проверки КП КМ фискальным накопителем с использованием ключа проверки КП "
                                "положительный");
    else if (TestBit(bits, 0))
        text += "\r\n" + Quoted("результат проверки КП КМ фискальным накопителем с использованием ключа проверки КП "
                                "отрицательный");
    return text;
}

QString TfmFNKTN2::KMServerCheckingStatusToStr(int Value)
{
    static const char* const texts[5][2] = {
        {"код маркировки проверен", "код маркировки не был проверен ФН и (или) ОИСМ"},
        {"результат проверки КП КМ положительный",
         "результат проверки КП КМ отрицательный или код маркировки не был проверен"},
        {"проверка статуса ОИСМ выполнена", "сведения о статусе товара от ОИСМ не получены"},
        {"от ОИСМ получены сведения, что планируемый статус товара корректен",
         "от ОИСМ получены сведения, что планируемый статус товара некорректен или сведения о статусе товара от ОИСМ "
         "не получены"},
        {"результат проверки КП КМ сформирован ККТ, работающей в автономном режиме",
         "результат проверки КП КМ и статуса товара сформирован ККТ, работающей в режиме передачи данных"},
    };
    QStringList lines;
    for (int bit = 0; bit < 5; ++bit)
        lines << Quoted(QString::fromUtf8(texts[bit][TestBit(uint32_t(Value), bit) ? 0 : 1]));
    return lines.join(QStringLiteral("\r\n"));
}

QString TfmFNKTN2::CheckItemLocalErrorToStr(int Value)
{
    return Lookup({{0, "КМ проверен в ФН"},
                   {1, "КМ данного типа не подлежит проверке в ФН"},
                   {2, "ФН не содержит ключ проверки кода проверки этого КМ"},
                   {3, "Проверка невозможна, так как отсутствуют теги 91 и / или 92 или их формат неверный"},
                   {4, "Внутренняя ошибка в ФН при проверке этого КМ"}},
                  Value);
}

QString TfmFNKTN2::MarkingTypeToStr2(int Value)
{
    return Lookup({{0, "Тип КМ не идентифицирован"},
                   {1, "Короткий КМ"},
                   {2, "КМ со значением кода проверки длиной 88 символов, подлежащим проверке в ФН"},
                   {3, "КМ со значением кода проверки длиной 44 символа, не подлежащим проверке в ФН"},
                   {4, "КМ со значением кода проверки длиной 44 символа, подлежащим проверке в ФН"},
                   {5, "КМ со значением кода проверки длиной 4 символа, не подлежащим проверке в ФН"},
                   {255, "КМ не подлежит проверке"}},
                  Value);
}

QString TfmFNKTN2::KMServerErrorCodeToStr(int Value)
{
    return Lookup({{0, "Ошибок нет"}, {255, "Сервер не ответил в течение таймаута или онлайн-проверка не выполнялась"}},
                  Value, QString());
}

QString TfmFNKTN2::ReasonErrorToStr(int Value)
{
    return Lookup({{1, "Неверный фискальный признак"},
                   {2, "Неверный формат ответа"},
                   {3, "Неверный номер запроса в ответе"},
                   {4, "Неверный номер ФН"},
                   {5, "Неверный CRC блока данных"},
                   {7, "Неверная длина ответа"}},
                  Value);
}

QString TfmFNKTN2::MCCheckStatusToStr(int Value)
{
    return Lookup({{0, "работа с КМ временно заблокирована"},
                   {1, "нет КМ на проверке"},
                   {2, "передан КМ в команде B1h"},
                   {3, "сформирован запрос о статусе КМ в команде B5h"},
                   {4, "получен ответ на запрос о статусе КМ в команде B6h"}},
                  Value);
}

QString TfmFNKTN2::MCNotificationStatusToStr(int Value)
{
    return Lookup({{0, "уведомление о реализации не формируется"}, {1, "начато формирование уведомления о реализации"}},
                  Value);
}

QString TfmFNKTN2::MCStorageSizeToStr(int Value)
{
    return Lookup({{0, "менее чем 50%"}, {1, "от 50 до 80%"}, {2, "от 80 до 90%"}, {3, "более чем 90%"}}, Value);
}

QString TfmFNKTN2::MarkingTypeexToStr(int Value)
{
    return Lookup({{0, "КМ-88"}, {1, "Симметричный"}, {2, "Табачный"}, {3, "КМ-44"}, {255, "GS-1 без маркировки"}}, Value,
                  QString());
}

QString TfmFNKTN2::MarkingTypeToStr(int Value, int ValueEx)
{
    switch (Value) {
    case 0: return GetRes("Нераспознанный код");
    case 17485: return GetRes("Код GS1 Data Matrix") + QStringLiteral(": ") + MarkingTypeexToStr(ValueEx);
    case 17672: return GetRes("Код EAN-8, UPC-E");
    case 17677: return GetRes("Код EAN-13, UPC-A");
    case 18702: return GetRes("Код ITF-14");
    case 20232: return GetRes("ОСУ EAN-8");
    case 20237: return GetRes("ОСУ EAN-13");
    case 20238: return GetRes("ОСУ GTIN ITF14");
    case 21062: return GetRes("Код мехового изделия");
    case 50452: return GetRes("Код EGAIS 2.0 PDF14");
    case 50462: return GetRes("Код EGAIS 3.0 Data Matrix");
    default: return GetRes("Неизвестный тип");
    }
}

// The code and its check

void TfmFNKTN2::SendCodeText(bool SingleByte)
{
    QString text = memBarcode->toPlainText();
    text.remove(QLatin1Char('\r')).remove(QLatin1Char('\n'));
    if (rbHEX->isChecked()) {
        Driver().setBarcodeHex(text);
        return;
    }
    text.replace(GSText, QString(GS));
    Driver().setBarCode(SingleByte ? AnsiToWide(WideToAnsi(text)) : text);
}

void TfmFNKTN2::AddCheckResult(bool CheckHandler)
{
    TDriver& d = Driver();
    const int local = d.CheckItemLocalResult();
    if (local == -1)
        return;
    FReport.Add(QStringLiteral("Статус локальной проверки    : %1").arg(local));
    FReport.Add(CheckItemLocalResultToStr(local));
    const int error = d.CheckItemLocalError();
    FReport.Add(QStringLiteral("Результат локальной проверки : %1, %2").arg(error).arg(CheckItemLocalErrorToStr(error)));
    const int type2 = d.MarkingType2();
    FReport.Add(QStringLiteral("Распознанный тип КМ          : %1, %2").arg(type2).arg(MarkingTypeToStr2(type2)));
    const int server = d.KMServerErrorCode();
    if (server == -1)
        return;
    FReport.Add(QStringLiteral("Код ответа ФН на команду онлайн-проверки: %1, %2").arg(server).arg(KMServerErrorCodeToStr(server)));
    const int status = d.KMServerCheckingStatus();
    if (server == 0) {
        FReport.Add(QStringLiteral("Результат проверки КМ        : %1").arg(status));
        FReport.Add(KMServerCheckingStatusToStr(status));
        FReport.Add(QStringLiteral("Реквизиты ответа сервера     : ") + d.TLVDataHex());
    } else if (server == 32) {
        const QString label = CheckHandler ? QStringLiteral("Причина ошибки             : ")
                                           : QStringLiteral("Причина ошибки               : ");
        FReport.Add(label + QStringLiteral("%1, %2").arg(status).arg(ReasonErrorToStr(status)));
    }
}

void TfmFNKTN2::btnFNSendItemBarcodeClick()
{
    TDriver& d = Driver();
    FReport.Clear();
    d.setMCOSUSign(chbOSU->isChecked());
    SendCodeText(false);
    if (chbOSU->isChecked() && chbExtractKT->isChecked()) {
        // The product code alone; when it cannot be cut out the code goes as it is.
        try {
            const QString gtin = GetGTIN(d.BarCode());
            if (!gtin.isEmpty())
                d.setBarCode(gtin);
        } catch (const std::exception&) {
        }
    }
    if (d.FNSendItemBarcode() != 0)
        return;
    FReport.Add(QStringLiteral("Распознанный тип КТ: ") + MarkingTypeToStr(d.MarkingType(), d.MarkingTypeEx()));
    AddCheckResult(false);
}

QString TfmFNKTN2::ItemStatusTags(int Status)
{
    TDriver& d = Driver();
    QString tags;
    if (Status != 2 && Status != 4)
        return tags;
    const bool fraction = chbFractionalQuantity->isChecked();
    d.setTagNumber(TagMeasure);
    d.setTagType(OrvekTagType::Byte);
    d.setTagValueInt(cbMeasureUnit->currentData().toInt());
    Check(d.GetTagAsTLV());
    tags += d.TLVDataHex();
    d.setTagNumber(TagQuantity);
    d.setTagType(OrvekTagType::FVLN);
    d.setTagValueFVLND(fraction ? 1.0 : StrToFloat(edtQuantity->text()));
    Check(d.GetTagAsTLV());
    tags += d.TLVDataHex();
    if (!fraction)
        return tags;
    d.setTagNumber(TagFraction);
    d.setTagType(OrvekTagType::STLV);
    d.FNBeginSTLVTag();
    d.setTagNumber(TagNumerator);
    d.setTagType(OrvekTagType::VLN);
    d.setTagValueVLN(edtNumerator->text());
    d.FNAddTag();
    d.setTagNumber(TagDenominator);
    d.setTagType(OrvekTagType::VLN);
    d.setTagValueVLN(edtDenominator->text());
    d.FNAddTag();
    d.setTagNumber(TagFraction);
    d.setTagType(OrvekTagType::STLV);
    Check(d.GetTagAsTLV());
    tags += d.TLVDataHex();
    return tags;
}

void TfmFNKTN2::btnFNCheckItemBarcodeClick()
{
    TDriver& d = Driver();
    FReport.Clear();
    const int status = cbItemStatus->currentIndex() + 1;
    d.setItemStatus(status);
    d.setTLVDataHex(QString());
    const QString tags = ItemStatusTags(status);
    if (status == 2 || status == 4)
        d.setTLVDataHex(tags);
    d.setMCCheckWithOSU(chbOSU->isChecked());
    SendCodeText(true);
    Check(d.FNCheckItemBarcode());
    AddCheckResult(true);
}

void TfmFNKTN2::AddStoredCheckResult()
{
    const int status = Driver().KMServerCheckingStatus();
    FReport.Add(QStringLiteral("Сохраненный результат проверки КМ: %1").arg(status));
    FReport.Add(KMServerCheckingStatusToStr(status));
}

void TfmFNKTN2::btnFNAcceptMarkingCodeClick()
{
    FReport.Clear();
    Check(Driver().FNAcceptMakringCode());
    AddStoredCheckResult();
}

void TfmFNKTN2::btnFNDeclineMarkingCodeClick()
{
    FReport.Clear();
    Check(Driver().FNDeclineMarkingCode());
    AddStoredCheckResult();
}

void TfmFNKTN2::btnFNMarkingClearBufferClick()
{
    FReport.Clear();
    Check(Driver().FNMarkingClearBuffer());
}

// States

void TfmFNKTN2::btnFNGetKMServerExchangeStatusClick()
{
    FReport.Clear();
    Check(Driver().FNGetKMServerExchangeStatus());
    for (const QString& line : NotificationExchangeLines())
        FReport.Add(line);
}

void TfmFNKTN2::btnFNGetMarkingCodeWorkStatusClick()
{
    TDriver& d = Driver();
    FReport.Clear();
    Check(d.FNGetMarkingCodeWorkStatus());
    const int check = d.MCCheckStatus();
    const int notification = d.MCNotificationStatus();
    const int storage = d.MCStorageSize();
    FReport.Add(QStringLiteral("Состояние проверки КМ               : %1, %2").arg(check).arg(MCCheckStatusToStr(check)));
    FReport.Add(QStringLiteral("Сост. по форм. уведомления          : %1, %2")
                    .arg(notification)
                    .arg(MCNotificationStatusToStr(notification)));
    FReport.Add(QStringLiteral("Флаги разрешения команд работы с КМ : %1").arg(d.MCCommandFlags()));
    FReport.Add(QStringLiteral("Кол-во сохр. результатов проверки КМ: %1").arg(d.MCCheckResultSavedCount()));
    FReport.Add(QStringLiteral("Кол-во КМ, вкл. в уведомление о реализации: %1").arg(d.MCRealizationCount()));
    FReport.Add(QStringLiteral("Заполнение области хранения уведомлений   : %1, %2").arg(storage).arg(MCStorageSizeToStr(storage)));
    FReport.Add(QStringLiteral("Количество уведомлений в очереди: %1").arg(d.MessageCount()));
}

// Notifications

void TfmFNKTN2::btnFNBeginReadNotificationsClick()
{
    TDriver& d = Driver();
    FReport.Clear();
    Check(d.FNBeginReadNotifications());
    FReport.Add(QStringLiteral("Количество уведомлений    : %1").arg(d.NotificationCount()));
    FReport.Add(QStringLiteral("Номер первого уведомления : %1").arg(d.NotificationNumber()));
    FReport.Add(QStringLiteral("Размер первого уведомления: %1").arg(d.NotificationSize()));
}

void TfmFNKTN2::btnFNReadNotificationBlockClick()
{
    TDriver& d = Driver();
    FReport.Clear();
    Check(d.FNReadNotificationBlock());
    FReport.Add(QStringLiteral("Номер текущего уведомления   : %1").arg(d.NotificationNumber()));
    FReport.Add(QStringLiteral("Смещение текущего уведомления: %1").arg(d.DataOffset()));
    FReport.Add(QStringLiteral("Размер текущего уведомления  : %1").arg(d.NotificationSize()));
    FReport.Add(QStringLiteral("Блок данных                  : \r\n") + StrToHex(WideToAnsi(d.DataBlock())));
}

bool TfmFNKTN2::ReadNotification(std::int32_t& Number, QByteArray& Data, std::uint16_t& CRC)
{
    if (!::ReadNotification(Number, Data))
        return false;
    CRC = NotificationCRC(Data);
    return true;
}

void TfmFNKTN2::btnReadNotificationClick()
{
    FReport.Clear();
    std::int32_t number = 0;
    QByteArray data;
    std::uint16_t crc = 0;
    if (!ReadNotification(number, data, crc)) {
        FReport.Add(QStringLiteral("Уведомление не прочитано: в ФН нет уведомления для чтения"));
        return;
    }
    FReport.Add(QStringLiteral("Уведомление: %1").arg(number));
    FReport.Add(QStringLiteral("CRC: %1").arg(crc));
    FReport.Add(QStringLiteral("Данные:"));
    FReport.Add(StrToHex(data));
    edtNotificationNumber->setText(QString::number(number));
    edtCheckSum->setText(QString::number(crc));
}

void TfmFNKTN2::btnFNConfirmNotificationReadClick()
{
    TDriver& d = Driver();
    FReport.Clear();
    d.setNotificationNumber(StrToInt(edtNotificationNumber->text()));
    d.setCheckSum(StrToInt(edtCheckSum->text()));
    Check(d.FNConfirmNotificationRead());
}
