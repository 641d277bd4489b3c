#include "pages/fn/fmuFNFiscalization.h"

#include "core/driver/untDriver.h"
#include "core/pages/KeyPress.h"
#include "core/settings/ResStrings.h"
#include "core/support/BinUtils.h"
#include "core/support/CodePage.h"
#include "core/support/Format.h"
#include "core/support/ReasonCodes.h"
#include "core/support/SysUtils.h"
#include "pages/fn/FNReports.h"
#include "pages/fn/fmuReasonCodes.h"
#include "platform/Exceptions.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Controls.h"
#include "platform/ui/EditLimit.h"
#include "platform/ui/FormBuilder.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QLabel>

namespace {
// Tables and fields the registration writes or reads.
constexpr int RegionalTable = 17;
constexpr int FFDVersionField = 17;  // above 2: the reason-code mask may be written
constexpr int TimeZoneField = 66;
constexpr int AutomatTableParam = 75;
constexpr int INNOFDField = 12;
constexpr int WorkModeExField = 21;
constexpr int ReasonCodesExField = 22;
constexpr int BuildTimeout = 10000;

const char* const ReasonCodeExCaption = "Коды причин изм. сведений о ККТ (ФФД 1.2)";
const QString OSUHint = QStringLiteral("Требуется ФФД 1.2 и ФН с поддержкой ОСУ");

// Raises the driver's Timeout to at least BuildTimeout for the report build
// and puts the one before back when it ends, on every path.
class TBuildTimeout {
public:
    explicit TBuildTimeout(TDriver& driver) : FDriver(driver), FTimeout(driver.Timeout())
    {
        if (FTimeout < BuildTimeout)
            FDriver.setTimeout(BuildTimeout);
    }
    ~TBuildTimeout()
    {
        try {
            FDriver.setTimeout(FTimeout);
        } catch (...) {
        }
    }
    TBuildTimeout(const TBuildTimeout&) = delete;
    TBuildTimeout& operator=(const TBuildTimeout&) = delete;

private:
    TDriver& FDriver;
    int32_t FTimeout;
};

// The reason-code mask of the edit: a decimal from 0 to 4294967295. A text
// that is no integer raises the conversion error; a number outside the range
// an error naming the field.
uint32_t ReasonCodeMask(const QLineEdit* edit)
{
    return uint32_t(StrToIntRange(edit->text(), QString::fromUtf8(ReasonCodeExCaption), 0, 0xFFFFFFFFLL));
}

// The byte whose bit n is the state of the n-th box (no box: bit clear).
int BoxByte(std::initializer_list<std::pair<int, const QCheckBox*>> boxes)
{
    int value = 0;
    for (const auto& [bit, box] : boxes)
        if (box->isChecked())
            value |= 1 << bit;
    return value;
}

int BoxByte(const std::array<QCheckBox*, 8>& boxes)
{
    int value = 0;
    for (int bit = 0; bit < 8; ++bit)
        if (boxes[std::size_t(bit)]->isChecked())
            value |= 1 << bit;
    return value;
}

void SetBoxes(const std::array<QCheckBox*, 8>& boxes, int value)
{
    for (int bit = 0; bit < 8; ++bit)
        boxes[std::size_t(bit)]->setChecked((value >> bit) & 1);
}

QString UIntStr(int32_t value)
{
    return QString::number(uint32_t(value));
}
} // namespace

QString ReasonCodeToStr(int Code)
{
    if (Code == 0)
        return {};
    const QString name = RegistrationReasonName(Code);
    return GetRes(name.isEmpty() ? QStringLiteral("Неизвестный код") : name);
}

QString TfmFNFiscalization::TimeZoneHint(int Index)
{
    static const char* const hints[] = {
        "1-я часовая зона (МСК-1, московское время минус 1 час, UTC+2):\r\nКалининградская область",
        "2-я часовая зона (МСК, московское время, UTC+3):\r\nРеспублика Адыгея (Адыгея), Республика Дагестан, "
        "Донецкая Народная Республика, Республика Ингушетия,\r\nКабардино-Балкарская Республика, Республика "
        "Калмыкия, Карачаево-Черкесская Республика\r\nРеспублика Карелия, Республика Коми, Республика Крым, "
        "Луганская Народная Республика,\r\nРеспублика Марий Эл, Республика Мордовия, Республика Северная Осетия - "
        "Алания,\r\nРеспублика Татарстан (Татарстан), Чеченская Республика, Чувашская Республика - "
        "Чувашия,\r\nКраснодарский край, Ставропольский край, Архангельская область, Белгородская "
        "область,\r\nБрянская область, Владимирская область, Волгоградская область, Вологодская "
        "область,\r\nВоронежская область, Запорожская область, Ивановская область, Калужская "
        "область,\r\nКировская область, Костромская область, Курская область, Ленинградская "
        "область,\r\nЛипецкая область, Московская область, Мурманская область, Нижегородская "
        "область,\r\nНовгородская область, Орловская область, Пензенская область, Псковская "
        "область,\r\nРостовская область, Рязанская область, Смоленская область, Тамбовская "
        "область,\r\nТверская область, Тульская область, Херсонская область, Ярославская область,\r\nгорода "
        "федерального значения Москва, Санкт-Петербург, Севастополь и Ненецкий автономный округ",
        "3-я часовая зона (МСК+1, московское время плюс 1 час, UTC+4):\r\nУдмуртская Республика, Астраханская "
        "область, Самарская область, Саратовская область и Ульяновская область",
        "4-я часовая зона (МСК+2, московское время плюс 2 часа, UTC+5):\r\nРеспублика Башкортостан, Пермский "
        "край, Курганская область,\r\nОренбургская область, Свердловская область, Тюменская "
        "область,\r\nЧелябинская область, Ханты-Мансийский автономный округ - Югра и Ямало-Ненецкий автономный "
        "округ",
        "5-я часовая зона (МСК+3, московское время плюс 3 часа, UTC+6): Омская область",
        "6-я часовая зона (МСК+4, московское время плюс 4 часа, UTC+7):\r\nРеспублика Алтай, Республика Тыва, "
        "Республика Хакасия, Алтайский край,\r\nКрасноярский край, Кемеровская область, Новосибирская область и "
        "Томская область",
        "7-я часовая зона (МСК+5, московское время плюс 5 часов, UTC+8): Республика Бурятия и Иркутская область",
        "8-я часовая зона (МСК+6, московское время плюс 6 часов, UTC+9):\r\nРеспублика Саха (Якутия) "
        "(Алданский, Амгинский, Анабарский,\r\nБулунский, Верхневилюйский, Вилюйский, Горный, Жиганский "
        "национальный эвенкийский,\r\nКобяйский, Ленский, Мегино-Кангаласский, Мирнинский, Намский, "
        "Нерюнгринский,\r\nНюрбинский, Олекминский, Оленекский эвенкийский национальный, "
        "Сунтарский,\r\nТаттинский, Томпонский, Усть-Алданский, Усть-Майский, Хангаласский,\r\nЧурапчинский и "
        "Эвено-Бытантайский улусы (районы), город республиканского значения Якутск), Забайкальский край и "
        "Амурская область",
        "9-я часовая зона (МСК+7, московское время плюс 7 часов, UTC+10):\r\nРеспублика Саха (Якутия) "
        "(Верхоянский, Оймяконский и Усть-Янский улусы (районы),\r\nПриморский край, Хабаровский край и "
        "Еврейская автономная область",
        "10-я часовая зона (МСК+8, московское время плюс 8 часов, UTC+11):\r\nРеспублика Саха (Якутия) "
        "(Абыйский, Аллаиховский, Верхнеколымский,\r\nМомский, Нижнеколымский и Среднеколымский улусы "
        "(районы),\r\nМагаданская область, Сахалинская область",
        "11-я часовая зона (МСК+9, московское время плюс 9 часов, UTC+12): Камчатский край и Чукотский "
        "автономный округ",
    };
    if (Index < 0 || Index >= int(std::size(hints)))
        return QStringLiteral("Выберите часовой пояс, если необходимо");
    return QString::fromUtf8(hints[Index]);
}

TfmFNFiscalization::TfmFNFiscalization(QWidget* owner)
    : TPage(owner, "fmFNFiscalization", PageCaption), FReport(nullptr)
{
    using T = TfmFNFiscalization;
    // The inputs with the tax boxes, the work-mode and extended boxes, the
    // report above the buttons.
    TFormBuilder<T> page(this, nullptr, true);
    auto inputs = page.Section();

    OnKeyPress(inputs.Edit(NAMED(edtINN), "ИНН:", "123456789012", "INN"), this, &T::NumberKeyPress);
    inputs.Combo(NAMED(cbINNType), "Тип ИНН:", {"ИП (12 цифр)", "ЮР. лицо (10 цифр)"});
    OnChange(cbINNType, this, &T::cbINNTypeChange);
    inputs.Edit(NAMED(edtKKTRegistrationNumber), "РНМ ККТ:", {}, "KKTRegistrationNumber");
    inputs.Edit(NAMED(edtAutomatNumber), "Номер автомата:");
    QStringList zones;
    const char* const utc[] = {"МСК-1, UTC+2", "МСК, UTC+3",    "МСК+1, UTC+4", "МСК+2, UTC+5",
                               "МСК+3, UTC+6", "МСК+4, UTC+7",  "МСК+5, UTC+8", "МСК+6, UTC+9",
                               "МСК+7, UTC+10", "МСК+8, UTC+11", "МСК+9, UTC+12"};
    for (int i = 0; i < 11; ++i)
        zones << QStringLiteral("%1-я часовая зона (%2)").arg(i + 1).arg(QString::fromUtf8(utc[i]));
    inputs.Combo(NAMED(cbTimeZone), "Час. зона расчета:", zones, -1);
    for (int i = 0; i < cbTimeZone->count(); ++i)
        cbTimeZone->setItemData(i, TimeZoneHint(i), Qt::ToolTipRole);
    cbTimeZone->setToolTip(QStringLiteral("Часовая зона места (адреса) расчетов"));
    // The user's choice only: clearing the zone keeps the hint shown.
    OnChange(cbTimeZone, this, &T::cbTimeZoneChange);
    inputs.Combo(NAMED(cbReportTypeInt), "Тип отчета:",
                 {"Отчет о регистрации ККТ", "Отчет об изменении параметров регистрации ККТ в связи с заменой ФН",
                  "Отчет об изменении параметров регистрации ККТ без замены ФН"},
                 0, "ReportTypeInt");
    inputs.Combo(NAMED(cbReasonCode), "Код причины перерегистрации:",
                 {"1. Замена ФН", "2. Замена ОФД", "3. Изменение реквизитов", "4. Изменение настроек ККТ"}, 1,
                 "RegistrationReasonCode");
    for (QComboBox* combo : {cbTimeZone, cbReportTypeInt, cbReasonCode}) {
        combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        combo->setMinimumContentsLength(12);
    }
    // Every zone and reason whole; of the long report types the first, the default.
    FitComboText(cbTimeZone);
    FitComboText(cbReasonCode);
    FitComboText(cbReportTypeInt, cbReportTypeInt->itemText(0));
    cbReportTypeInt->view()->installEventFilter(this);
    cbReasonCode->view()->installEventFilter(this);
    inputs.Edit(NAMED(edtReasonCodeEx), QString::fromUtf8(ReasonCodeExCaption) + QLatin1Char(':'), "0",
                "RegistrationReasonCodeEx");
    // The longest caption of the column takes two lines, so the inputs have room.
    for (QLabel* label : findChildren<QLabel*>())
        if (label->buddy() == edtReasonCodeEx)
            label->setWordWrap(true);
    {
        // "..." beside the mask.
        int row = 0, column = 0, rows = 0, columns = 0;
        inputs.Grid()->getItemPosition(inputs.Grid()->indexOf(edtReasonCodeEx), &row, &column, &rows, &columns);
        btn1 = NewButton(this, "btn1", QStringLiteral("..."), this, &T::btn1Click);
        btn1->setFixedWidth(30);
        inputs.Grid()->addWidget(btn1, row, 2);
    }
    inputs.Edit(NAMED(edtRegistrationNumber), "Номер фискализации:", "1", "RegistrationNumber");
    inputs.Edit(NAMED(edtTagNumber), "Номер тега:", "0", "TagNumber");

    OnKeyPress(inputs.Edit(NAMED(edtTaxType), "Код налогообложения:", "0", "TaxType"), this, &T::NumberKeyPress);
    edtTaxType->setReadOnly(true);
    {
        // The tax boxes two to a row.
        const std::pair<QCheckBox**, std::pair<const char*, const char*>> taxes[] = {
            {&chbTax0, {"chbTax0", "ОСН"}},
            {&chbTax1, {"chbTax1", "УСН доход"}},
            {&chbTax2, {"chbTax2", "УСН доход минус расход"}},
            {&chbTax4, {"chbTax4", "ЕСХН"}},
            {&chbTax5, {"chbTax5", "ПСН"}},
        };
        auto boxes = inputs.Section();
        int i = 0;
        for (const auto& [member, def] : taxes) {
            *member = NewCheckBox(this, def.first, QString::fromUtf8(def.second));
            OnClick(*member, this, &T::TaxSystemClick);
            boxes.Grid()->addWidget(*member, i / 2, i % 2);
            ++i;
        }
    }
    inputs.Space();

    auto modes = page.Section();
    OnKeyPress(modes.Edit(NAMED(edtWorkMode), "Режим работы:", "0", "WorkMode"), this, &T::NumberKeyPress);
    edtWorkMode->setReadOnly(true);
    const char* const workModes[] = {"Шифрование",
                                     "Автономный режим",
                                     "Автоматический режим",
                                     "Применение в сфере услуг",
                                     "Режим БСО",
                                     "Применение в Интернет ",
                                     "ККТ в обществ. питании*",
                                     "Опт. торговля с организациями и ИП*"};
    for (int bit = 0; bit < 8; ++bit) {
        // Bit 0's box is spelt chbWorkmode0.
        const QByteArray name = (bit == 0 ? "chbWorkmode" : "chbWorkMode") + QByteArray::number(bit);
        OnClick(modes.Check({&chbWorkMode[std::size_t(bit)], name.constData()}, QString::fromUtf8(workModes[bit])),
                this, &T::WorkModeClick);
    }
    chbWorkMode[6]->setToolTip(OSUHint);
    chbWorkMode[7]->setToolTip(OSUHint);
    OnKeyPress(modes.Edit(NAMED(edtWorkModeEx), "Расш. режим работы:", "0", "WorkModeEx"), this,
               &T::NumberKeyPress);
    edtWorkModeEx->setReadOnly(true);
    const char* const extendedModes[] = {"Продажа подакцизн. товара",        "Проведение азартных игр",
                                         "Проведение лотереи",               "Призн. устан. принтера в автомате",
                                         "Торговля маркиров. товарами (1.2)", "Ломбардная деятельность (1.2)",
                                         "Страховая деятельность (1.2)",     "ККТ с торговым автоматом (1.2) *"};
    for (int bit = 0; bit < 8; ++bit) {
        const QByteArray name = "chkWorkModeEx" + QByteArray::number(bit);
        OnClick(modes.Check({&chkWorkModeEx[std::size_t(bit)], name.constData()},
                            QString::fromUtf8(extendedModes[bit])),
                this, &T::WorkModeClick);
    }
    chkWorkModeEx[7]->setToolTip(OSUHint);
    modes.Label("lblOSU", QStringLiteral("* ") + OSUHint);
    modes.Space();

    auto report = page.Section();
    page.Stretch();
    FReport = TMemoReport(Memo = ReportMemo(report.Memo(NAMED(Memo), true)));
    Memo->setMinimumWidth(300);
    report.Section().Buttons(7, {
        // Begin, registration and re-registration frame themselves after the OSU question.
        {NAMED(btnFNBeginFiscalization), "Начать отчет о регистрации ККТ", &T::btnFNBeginFiscalizationClick,
         "FNBeginRegistrationReport", TRun::Plain},
        {NAMED(btnFNFiscalization), "Сформировать отчет о регистрации ККТ", &T::btnFNFiscalizationClick,
         "FNBuildRegistrationReport", TRun::Plain},
        {NAMED(btnFNBuildReregistrationReport), "Сформ. отчет о перерегистрации ККТ",
         &T::btnFNBuildReregistrationReportClick, "FNBuildReregistrationReport", TRun::Plain},
        {NAMED(btnFNGetFiscalizationResult), "Запрос итогов фискализации", &T::btnFNGetFiscalizationResultClick,
         "FNGetFiscalizationResult"},
        {NAMED(btnFNGetFiscalizationResultByNumber), "Запрос итогов фискализ. по номеру",
         &T::btnFNGetFiscalizationResultByNumberClick, "FNGetFiscalizationResultByNumber"},
        {NAMED(btnReadRegistrationDoc), "Запрос документа о регистрации", &T::btnReadRegistrationDocClick,
         "FNRequestRegistrationTLV"},
        {NAMED(btnReadRegistrationTag), "Запрос тега документа о регистрации", &T::btnReadRegistrationTagClick,
         "FNRequestRegistrationTLV"},
    });
    UpdateForm();
}

void TfmFNFiscalization::NumberKeyPress(QChar& Key)
{
    NumberKeyFilter(Key);
}

void TfmFNFiscalization::showEvent(QShowEvent* event)
{
    TPage::showEvent(event);
    UpdateForm();
}

bool TfmFNFiscalization::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Show && (watched == cbReportTypeInt->view() || watched == cbReasonCode->view()))
        SetComboDropDownWidth(cbReportTypeInt);
    return TPage::eventFilter(watched, event);
}

void TfmFNFiscalization::UpdateForm()
{
    cbTimeZone->setCurrentIndex(-1);
    edtAutomatNumber->setEnabled(chbWorkMode[2]->isChecked());
    SetEditLimit(edtINN, cbINNType->currentIndex() == 0 ? 12 : 10);
}

void TfmFNFiscalization::cbINNTypeChange()
{
    UpdateForm();
}

void TfmFNFiscalization::cbTimeZoneChange()
{
    cbTimeZone->setToolTip(TimeZoneHint(cbTimeZone->currentIndex()));
}

void TfmFNFiscalization::TaxSystemClick()
{
    edtTaxType->setText(QString::number(
        BoxByte({{0, chbTax0}, {1, chbTax1}, {2, chbTax2}, {4, chbTax4}, {5, chbTax5}})));
}

void TfmFNFiscalization::WorkModeClick()
{
    edtWorkMode->setText(QString::number(BoxByte(chbWorkMode)));
    edtWorkModeEx->setText(QString::number(BoxByte(chkWorkModeEx)));
    UpdateForm();
}

bool TfmFNFiscalization::CheckAndQueryforOSU()
{
    if (!chkWorkModeEx[7]->isChecked() && !chbWorkMode[6]->isChecked() && !chbWorkMode[7]->isChecked())
        return true;
    const QString unsupported = QStringLiteral(":\r\n ККТ в обществ. питании,\r\n Опт. торговля с организациями и "
                                               "ИП,\r\n ККТ с торговым автоматом.\r\nПродолжить в любом случае?");
    QString question;
    // A failed status query (not only 55 or 51) leaves no status to go by.
    if (Driver().FNGetOSUSupportStatus() != 0)
        question = QStringLiteral("Текущая прошивка ККТ \r\nне поддерживает следующие параметры: ") +
                   unsupported.mid(1);
    else if (Driver().FNOSUSupportStatus() == 255)
        question = QStringLiteral("ФН не поддерживает ОСУ.\r\nСледующие параметры не поддерживаются") + unsupported;
    else
        return true;
    return Dialogs::MessageBox(question, QStringLiteral("Внимание"), Dialogs::Buttons::OkCancel,
                               Dialogs::Icon::Warning, Dialogs::mrCancel) == Dialogs::mrOk;
}

void TfmFNFiscalization::btnFNBeginFiscalizationClick()
{
    if (!CheckAndQueryforOSU())
        return;
    TEnableButtonsFrame frame(this);
    FReport.Clear();
    Driver().setReportTypeInt(cbReportTypeInt->currentIndex());
    Check(Driver().FNBeginRegistrationReport());
}

void TfmFNFiscalization::btnFNFiscalizationClick()
{
    BuildReport(false);
}

void TfmFNFiscalization::btnFNBuildReregistrationReportClick()
{
    BuildReport(true);
}

void TfmFNFiscalization::BuildReport(bool Reregistration)
{
    if (!CheckAndQueryforOSU())
        return;
    const int innLength = cbINNType->currentIndex() == 0 ? 12 : 10;
    if (edtINN->text().size() != innLength)
        throw Exception(QStringLiteral("Длина ИНН должна быть %1 символов").arg(innLength));

    TEnableButtonsFrame frame(this);
    TDriver& d = Driver();
    // First in the frame, so a refused write shows in the result panel.
    if (!Reregistration && cbTimeZone->currentIndex() >= 0)
        d.WriteTableInt(RegionalTable, 1, TimeZoneField, cbTimeZone->currentIndex() + 1);
    FReport.Clear();
    FReport.AddMemoLine(Reregistration ? GetRes("Сформировать отчет о перерегистрации")
                                       : GetRes("Сформировать отчет о регистрации ККТ"));
    FReport.AddSeparator();
    if (Reregistration)
        d.setRegistrationReasonCode(cbReasonCode->currentIndex() + 1);
    d.setINN(edtINN->text());
    d.setKKTRegistrationNumber(edtKKTRegistrationNumber->text().trimmed());
    d.setTaxType(StrToInt(edtTaxType->text()));
    d.setWorkMode(StrToInt(edtWorkMode->text()));
    if (chbWorkMode[2]->isChecked()) {
        d.setModelParamNumber(AutomatTableParam);
        Check(d.ReadModelParamValue());
        d.setTableNumber(d.ModelParamValue().toInt());
        d.setRowNumber(1);
        d.setFieldNumber(1);
        d.setValueOfFieldString(edtAutomatNumber->text());
        Check(d.WriteTable());
    }
    const int32_t fsTable = d.FSTableNumber();
    if (!d.IsModelType2()) {
        d.WriteTableInt(fsTable, 1, WorkModeExField, BoxByte(chkWorkModeEx));
        if (d.ReadTableInt(RegionalTable, 1, FFDVersionField) > 2)
            d.WriteTableInt(fsTable, 1, ReasonCodesExField, int32_t(ReasonCodeMask(edtReasonCodeEx)));
    }
    {
        TBuildTimeout timeout(d);
        Check(Reregistration ? d.FNBuildReregistrationReport() : d.FNBuildRegistrationReport());
    }
    AddDocumentResult();
}

void TfmFNFiscalization::AddDocumentResult()
{
    FReport.AddLine(GetRes("Номер ФД"), UIntStr(Driver().DocumentNumber()));
    FReport.AddLine(GetRes("Фискальный признак"), UIntStr(Driver().FiscalSign()));
}

void TfmFNFiscalization::btnFNGetFiscalizationResultClick()
{
    FReport.Clear();
    TDriver& d = Driver();
    const int32_t fsTable = d.FSTableNumber();
    Check(d.FNGetFiscalizationResult());
    QString innOFD = d.INNOFD();
    if (innOFD.isEmpty() && !d.IsModelType2())
        innOFD = AnsiToWide(d.ReadTableStr(fsTable, 1, INNOFDField));
    int workModeEx = d.WorkModeEx();
    if (workModeEx == 0 && !d.IsModelType2())
        workModeEx = d.ReadTableDef(fsTable, 1, WorkModeExField, 0);
    AddFiscalizationResult(GetRes("Запрос итогов фискализации ФН"), innOFD, workModeEx, d.INN());
}

void TfmFNFiscalization::btnFNGetFiscalizationResultByNumberClick()
{
    FReport.Clear();
    TDriver& d = Driver();
    d.setRegistrationNumber(StrToInt(edtRegistrationNumber->text()));
    Check(d.FNGetFiscalizationResultByNumber());
    AddFiscalizationResult(GetRes("Запрос итогов фискализации ФН по номеру"), d.INNOFD(), d.WorkModeEx(),
                           d.INN().trimmed());
}

void TfmFNFiscalization::AddFiscalizationResult(const QString& Title, const QString& INNOFD, int WorkModeEx,
                                                const QString& INN)
{
    TDriver& d = Driver();
    FReport.AddMemoLine(Title);
    FReport.AddSeparator();
    FReport.AddLine(GetRes("ИНН"), d.INN());
    FReport.AddLine(GetRes("ИНН ОФД"), INNOFD);
    edtINN->setText(INN);
    const QString rnm = d.KKTRegistrationNumber();
    FReport.AddLine(GetRes("Рег. номер ККТ"), rnm);
    edtKKTRegistrationNumber->setText(rnm.trimmed());
    AddTaxSystem();
    AddWorkMode();
    AddWorkModeEx(WorkModeEx);
    FReport.AddLine(GetRes("Дата"), DateToStr(DateTimeToQDateTime(d.Date()).date()));
    FReport.AddLine(GetRes("Время"), TimeToStr(DateTimeToQDateTime(d.Time()).time()));
    const int reason = d.RegistrationReasonCode();
    FReport.AddLine(GetRes("Код причины перерегистрации"),
                    Format(QStringLiteral("%d, %s"), {reason, ReasonCodeToStr(reason)}));
    AddRegistrationReasonCodeEx(FReport, uint32_t(d.RegistrationReasonCodeEx()));
    AddDocumentResult();
}

void TfmFNFiscalization::AddTaxSystem()
{
    const int taxType = Driver().TaxType();
    edtTaxType->setText(QString::number(taxType));
    ::AddTaxSystem(FReport, taxType);
    const std::pair<int, QCheckBox*> boxes[] = {{0, chbTax0}, {1, chbTax1}, {2, chbTax2}, {4, chbTax4}, {5, chbTax5}};
    for (const auto& [bit, box] : boxes)
        box->setChecked((taxType >> bit) & 1);
}

void TfmFNFiscalization::AddWorkMode()
{
    const int workMode = Driver().WorkMode();
    edtWorkMode->setText(QString::number(workMode));
    ::AddWorkMode(FReport, workMode, 8);
    SetBoxes(chbWorkMode, workMode);
}

void TfmFNFiscalization::AddWorkModeEx(int Value)
{
    ::AddWorkModeEx(FReport, Value, 8);
    SetBoxes(chkWorkModeEx, Value);
}

void TfmFNFiscalization::btnReadRegistrationDocClick()
{
    TDriver& d = Driver();
    d.setRequestDocumentType(1);
    d.setShowTagNumber(true);
    d.setRegistrationNumber(StrToInt(edtRegistrationNumber->text()));
    // A failed request empties the memo: the result panel shows why.
    Memo->setPlainText(d.FNGetDocumentAsString() == 0 ? d.StringForPrinting() : QString());
}

void TfmFNFiscalization::btnReadRegistrationTagClick()
{
    TDriver& d = Driver();
    d.setTagNumber(StrToInt(edtTagNumber->text()));
    d.setRegistrationNumber(StrToInt(edtRegistrationNumber->text()));
    Memo->setPlainText(d.FNRequestRegistrationTLV() == 0 ? StrToHex(WideToAnsi(d.TLVData())) : QString());
}

void TfmFNFiscalization::btn1Click()
{
    const uint32_t code = ReasonCodeMask(edtReasonCodeEx);
    TfmReasonCodes& dialog = MadeForm(fmReasonCodes);
    dialog.SetCode(code);
    if (dialog.ShowModal() == Dialogs::mrOk)
        edtReasonCodeEx->setText(QString::number(dialog.GetCode()));
}
