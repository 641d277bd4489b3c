#include "regmaven/fmuWorkMode.h"

#include "platform/Exceptions.h"
#include "platform/ui/EditLimit.h"
#include "platform/ui/FormBuilder.h"
#include "regmaven/fmuReasonCodes.h"
#include "regmaven/untController.h"
#include "regmaven/untDriver.h"
#include "regmaven/untInputChecks.h"

#include <QRegularExpressionValidator>
#include <QScopeGuard>

namespace Regmaven {

DECLARE_PAGE_CLASS(TfmFiscalizationBefore);
DEFINE_PAGE_CLASS(TfmWorkMode);

namespace {

const QString ReasonCodesName = QStringLiteral("Расширенн. коды причин изменения сведений о ККТ");
const QString OSUQuestionTail = QStringLiteral(" ККТ в обществ. питании,\r\n Опт. торговля с организациями и ИП,\r\n"
                                               " ККТ с торговым автоматом.\r\nПродолжить в любом случае?");

const QStringList& TimeZoneHints()
{
    static const QStringList hints = {
    QStringLiteral("1-я часовая зона (МСК-1, московское время минус 1 час, UTC+2):\r\nКалининградская область"),
    QStringLiteral("2-я часовая зона (МСК, московское время, UTC+3):\r\nРеспублика Адыгея (Адыгея), Республика Дагестан, Донецкая Народная Республика, Республика Ингушетия,\r\nКабардино-Балкарская Республика, Республика Калмыкия, Карачаево-Черкесская Республика\r\nРеспублика Карелия, Республика Коми, Республика Крым, Луганская Народная Республика,\r\nРеспублика Марий Эл, Республика Мордовия, Республика Северная Осетия - Алания,\r\nРеспублика Татарстан (Татарстан), Чеченская Республика, Чувашская Республика - Чувашия,\r\nКраснодарский край, Ставропольский край, Архангельская область, Белгородская область,\r\nБрянская область, Владимирская область, Волгоградская область, Вологодская область,\r\nВоронежская область, Запорожская область, Ивановская область, Калужская область,\r\nКировская область, Костромская область, Курская область, Ленинградская область,\r\nЛипецкая область, Московская область, Мурманская область, Нижегородская область,\r\nНовгородская область, Орловская область, Пензенская область, Псковская область,\r\nРостовская область, Рязанская область, Смоленская область, Тамбовская область,\r\nТверская область, Тульская область, Херсонская область, Ярославская область,\r\nгорода федерального значения Москва, Санкт-Петербург, Севастополь и Ненецкий автономный округ"),
    QStringLiteral("3-я часовая зона (МСК+1, московское время плюс 1 час, UTC+4):\r\nУдмуртская Республика, Астраханская область, Самарская область, Саратовская область и Ульяновская область"),
    QStringLiteral("4-я часовая зона (МСК+2, московское время плюс 2 часа, UTC+5):\r\nРеспублика Башкортостан, Пермский край, Курганская область,\r\nОренбургская область, Свердловская область, Тюменская область,\r\nЧелябинская область, Ханты-Мансийский автономный округ - Югра и Ямало-Ненецкий автономный округ"),
    QStringLiteral("5-я часовая зона (МСК+3, московское время плюс 3 часа, UTC+6): Омская область"),
    QStringLiteral("6-я часовая зона (МСК+4, московское время плюс 4 часа, UTC+7):\r\nРеспублика Алтай, Республика Тыва, Республика Хакасия, Алтайский край,\r\nКрасноярский край, Кемеровская область, Новосибирская область и Томская область"),
    QStringLiteral("7-я часовая зона (МСК+5, московское время плюс 5 часов, UTC+8): Республика Бурятия и Иркутская область"),
    QStringLiteral("8-я часовая зона (МСК+6, московское время плюс 6 часов, UTC+9):\r\nРеспублика Саха (Якутия) (Алданский, Амгинский, Анабарский,\r\nБулунский, Верхневилюйский, Вилюйский, Горный, Жиганский национальный эвенкийский,\r\nКобяйский, Ленский, Мегино-Кангаласский, Мирнинский, Намский, Нерюнгринский,\r\nНюрбинский, Олекминский, Оленекский эвенкийский национальный, Сунтарский,\r\nТаттинский, Томпонский, Усть-Алданский, Усть-Майский, Хангаласский,\r\nЧурапчинский и Эвено-Бытантайский улусы (районы), город республиканского значения Якутск), Забайкальский край и Амурская область"),
    QStringLiteral("9-я часовая зона (МСК+7, московское время плюс 7 часов, UTC+10):\r\nРеспублика Саха (Якутия) (Верхоянский, Оймяконский и Усть-Янский улусы (районы),\r\nПриморский край, Хабаровский край и Еврейская автономная область"),
    QStringLiteral("10-я часовая зона (МСК+8, московское время плюс 8 часов, UTC+11):\r\nРеспублика Саха (Якутия) (Абыйский, Аллаиховский, Верхнеколымский,\r\nМомский, Нижнеколымский и Среднеколымский улусы (районы),\r\nМагаданская область, Сахалинская область"),
    QStringLiteral("11-я часовая зона (МСК+9, московское время плюс 9 часов, UTC+12): Камчатский край и Чукотский автономный округ"),
    };
    return hints;
}

QStringList TimeZoneItems()
{
    static const char* const offsets[] = {"МСК-1, UTC+2",  "МСК, UTC+3",    "МСК+1, UTC+4", "МСК+2, UTC+5",
                                          "МСК+3, UTC+6",  "МСК+4, UTC+7",  "МСК+5, UTC+8", "МСК+6, UTC+9",
                                          "МСК+7, UTC+10", "МСК+8, UTC+11", "МСК+9, UTC+12"};
    QStringList items;
    for (int i = 0; i < int(std::size(offsets)); ++i)
        items << QStringLiteral("%1-я часовая зона (%2)").arg(i + 1).arg(QString::fromUtf8(offsets[i]));
    items << QString();
    return items;
}

// Checks the boxes of the set bits among Bits (a box may be missing).
void ShowMask(const QList<QCheckBox*>& Boxes, int Mask, std::initializer_list<int> Bits)
{
    for (int bit : Bits)
        if (QCheckBox* box = Boxes.value(bit))
            box->setChecked((Mask >> bit) & 1);
}

void ShowMask(const QList<QCheckBox*>& Boxes, int Mask, int FirstBit, int LastBit)
{
    for (int bit = FirstBit; bit <= LastBit; ++bit)
        ShowMask(Boxes, Mask, {bit});
}

int MaskOf(const QList<QCheckBox*>& Boxes)
{
    int mask = 0;
    for (int bit = 0; bit < Boxes.size(); ++bit)
        if (Boxes[bit] && Boxes[bit]->isChecked())
            mask |= 1 << bit;
    return mask;
}

} // namespace

QString TfmWorkMode::TimeZoneHint(int Index)
{
    return TimeZoneHints().value(Index, QStringLiteral("Выберите часовой пояс, если необходимо"));
}

TfmWorkMode::TfmWorkMode() : TParamPage("fmWorkMode", QStringLiteral("Тип налогообложения и режим работы ККТ"))
{
    using T = TfmWorkMode;
    TFormBuilder<T> b(this);
    auto columns = b.Columns();
    auto left = columns.Section();
    auto tax = left.Group(NAMED(grpTax), QStringLiteral("Системы налогообложения"));
    FTax = {tax.Check(NAMED(chkTax0), QStringLiteral("ОСН")), tax.Check(NAMED(chkTax1), QStringLiteral("УСН доход")),
            tax.Check(NAMED(chkTax2), QStringLiteral("УСН доход минус расход")), nullptr,
            tax.Check(NAMED(chkTax4), QStringLiteral("ЕСХН")), tax.Check(NAMED(chkTax5), QStringLiteral("ПСН"))};
    auto agent = left.Group(NAMED(grpAgent), QStringLiteral("Признак агента (ФФД 1.05)"));
    FAgent = {agent.Check(NAMED(chkAgent0), QStringLiteral("Банк. плат. агент")),
              agent.Check(NAMED(chkAgent1), QStringLiteral("Банк. плат. субагент")),
              agent.Check(NAMED(chkAgent2), QStringLiteral("Плат. агент")),
              agent.Check(NAMED(chkAgent3), QStringLiteral("Плат. субагент")),
              agent.Check(NAMED(chkAgent4), QStringLiteral("Поверенный")),
              agent.Check(NAMED(chkAgent5), QStringLiteral("Комиссионер")),
              agent.Check(NAMED(chkAgent6), QStringLiteral("Агент"))};
    left.Space();
    auto mode = columns.Group(NAMED(grpWorkMode), QStringLiteral("Режим работы"));
    FWorkMode = {mode.Check(NAMED(chkWorkMode0), QStringLiteral("Шифрование")),
                 mode.Check(NAMED(chkWorkMode1), QStringLiteral("Автономный режим")),
                 mode.Check(NAMED(chkWorkMode2), QStringLiteral("Автоматический режим")),
                 mode.Check(NAMED(chkWorkMode3), QStringLiteral("Применение в сфере услуг")),
                 mode.Check(NAMED(chkWorkMode4), QStringLiteral("Режим БСО")),
                 mode.Check(NAMED(chkWorkMode5), QStringLiteral("Применение в Интернет")),
                 mode.Check(NAMED(chkWorkMode6), QStringLiteral("ККТ в общественном питании (ФФД 1.2 + ОСУ)")),
                 mode.Check(NAMED(chkWorkMode7), QStringLiteral("Опт. торговля с организациями и ИП (ФФД 1.2 + ОСУ)"))};
    mode.Space();
    auto ex = columns.Group(NAMED(grpWorkModeEx), QStringLiteral("Расширенные режимы работы"));
    FWorkModeEx = {ex.Check(NAMED(chkWorkModeEx0), QStringLiteral("Продажа подакцизных товаров")),
                   ex.Check(NAMED(chkWorkModeEx1), QStringLiteral("Проведение азартных игр")),
                   ex.Check(NAMED(chkWorkModeEx2), QStringLiteral("Проведение лотереи")),
                   ex.Check(NAMED(chkWorkModeEx3), QStringLiteral("Установка принтера в автомате")),
                   ex.Check(NAMED(chkWorkModeEx4), QStringLiteral("Торговля маркиров. товарами (ФФД 1.2)")),
                   ex.Check(NAMED(chkWorkModeEx5), QStringLiteral("Ломбардная деятельность (ФФД 1.2)")),
                   ex.Check(NAMED(chkWorkModeEx6), QStringLiteral("Страховая деятельность (ФФД 1.2)")),
                   ex.Check(NAMED(chkWorkModeEx7), QStringLiteral("ККТ с торговым автоматом (ФФД 1.2 + ОСУ)"))};
    ex.Space();

    SetEditLimit(b.Edit(NAMED(edtAutomatNumber), QStringLiteral("Номер автомата:")), 20);
    b.Combo(NAMED(cbReasonCode), QStringLiteral("Код причины перерегистрации:"),
            {QStringLiteral("2. Замена ОФД"), QStringLiteral("3. Изменение реквизитов"),
             QStringLiteral("4. Изменение настроек ККТ")});
    auto codes = b.Columns();
    codes.Edit(NAMED(edtReasonCodes), QStringLiteral("Расширенн. коды причин изменения сведений о ККТ (ФФД 1.2):"),
               QStringLiteral("0"));
    edtReasonCodes->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d*")), this));
    SetEditLimit(edtReasonCodes, 20);
    codes.Button({NAMED(btnSelectReasonCodes), QStringLiteral("Выбрать коды..."), &T::btnSelectReasonCodesClick});
    codes.Space();
    b.Combo(NAMED(cbTimeZone), QStringLiteral("Часовая зона:"), TimeZoneItems(), -1);
    b.Space();

    OnClick(chkWorkMode2, this, &T::UpdateAutomatic);
    // The hint follows the item however it was chosen.
    connect(cbTimeZone, &QComboBox::currentIndexChanged, this, Guarded(this, &T::cbTimeZoneChange));
}

// The vending-machine number is typed in automatic mode only. A time zone
// chosen stays: it does not depend on the mode.
void TfmWorkMode::UpdateAutomatic()
{
    EnableEdit(edtAutomatNumber, chkWorkMode2->isChecked());
}

void TfmWorkMode::ClearTimeZone()
{
    cbTimeZone->setCurrentIndex(-1);
    cbTimeZoneChange();
}

void TfmWorkMode::cbTimeZoneChange()
{
    cbTimeZone->setToolTip(TimeZoneHint(cbTimeZone->currentIndex()));
}

void TfmWorkMode::FormShow()
{
    ClearTimeZone();
    UpdateAutomatic();
    const auto disconnect = qScopeGuard([] { Driver().Disconnect(); });
    const TRegParams& p = Controller().RegParams;
    const bool reregistration = !p.FirstTime;
    for (QCheckBox* box : {chkWorkModeEx4, chkWorkModeEx5, chkWorkModeEx6, chkWorkModeEx7, chkWorkMode6, chkWorkMode7})
        box->setEnabled(p.FFD >= 4);
    for (QWidget* w : {static_cast<QWidget*>(cbReasonCode), static_cast<QWidget*>(edtReasonCodes),
                       static_cast<QWidget*>(btnSelectReasonCodes)})
        EnableWithCaption(w, reregistration);
    grpAgent->setEnabled(p.FFD == 2);

    ShowMask(FTax, p.TaxSystem == 255 ? 0 : p.TaxSystem, {0, 1, 2, 4, 5});
    ShowMask(FWorkMode, p.WorkMode == 255 ? 0 : p.WorkMode, 0, 7);
    // Unchosen clears every extended box, also those that FFD 1.2 alone offers.
    if (p.WorkModeEx == 255)
        ShowMask(FWorkModeEx, 0, 0, 7);
    else
        ShowMask(FWorkModeEx, p.WorkModeEx, 0, p.FFD > 3 ? 7 : 3);
    ShowMask(FAgent, p.Agent == 255 ? TryReadTableInt(18, 1, 16) : p.Agent, 0, 6);

    const bool showReason = reregistration && !p.NewFN;
    cbReasonCode->setVisible(showReason);
    CaptionOf(cbReasonCode)->setVisible(showReason);

    if (reregistration) {
        const bool model19 = IsUModel19();
        if (p.OFDEnabled && !model19)
            edtAutomatNumber->setText(ReadTableStr(24, 1, 1));
        if (!model19)
            ShowMask(FWorkModeEx, TryReadTableInt(18, 1, 21), 0, p.FFD > 3 ? 7 : 3);
        if (Driver().FNGetFiscalizationResult() == 0) {
            if (p.WorkMode == 255)
                ShowMask(FWorkMode, Driver().WorkMode(), 0, 7);
            if (p.TaxSystem == 255)
                ShowMask(FTax, Driver().TaxType(), {0, 1, 2, 4, 5});
        }
    }
    UpdateAutomatic();
}

uint32_t TfmWorkMode::ReasonCodesEx() const
{
    RequireValue(edtReasonCodes->text(), ReasonCodesName);
    bool ok = false;
    const uint32_t value = edtReasonCodes->text().toUInt(&ok);
    if (!ok)
        throw Exception(QStringLiteral("Значение \"%1\" должно быть числом от 0 до 4294967295!").arg(ReasonCodesName));
    return value;
}

void TfmWorkMode::btnSelectReasonCodesClick()
{
    TfmReasonCodes dialog(this);
    dialog.SetCode(ReasonCodesEx());
    if (dialog.exec() == QDialog::Accepted)
        edtReasonCodes->setText(QString::number(dialog.GetCode()));
}

void TfmWorkMode::Next()
{
    TRegParams& p = Controller().RegParams;
    if (MaskOf(FTax) == 0)
        throw Exception(QStringLiteral("Внимание!\r\nВыберите систему налогообложения"));
    const uint32_t codesEx = ReasonCodesEx();
    if (p.FFD == 4 && codesEx == 0 && !p.FirstTime)
        throw Exception(QStringLiteral("Внимание!\r\nНе выбрана ни один из расширенных кодов\r\nпричин изменения "
                                       "сведений о ККТ.\r\nЕсли причины нет в списке, укажите \"32. Иные причины\""));
    if (chkWorkModeEx7->isChecked() || chkWorkMode6->isChecked() || chkWorkMode7->isChecked()) {
        const auto disconnect = qScopeGuard([] { Driver().Disconnect(); });
        const int32_t code = Driver().FNGetOSUSupportStatus();
        QString question;
        if (code == 55 || code == 51)
            question = QStringLiteral("Текущая прошивка ККТ \r\nне поддерживает следующие параметры: \r\n") + OSUQuestionTail;
        else if (Driver().FNOSUSupportStatus() == 255)
            question = QStringLiteral("ФН не поддерживает ОСУ.\r\nСледующие параметры не поддерживаются:\r\n") +
                       OSUQuestionTail;
        if (!question.isEmpty() && !AskWarning(question, QStringLiteral("Внимание")))
            return;
    }
    // Written by the registration, once every check has passed.
    p.TimeZone = cbTimeZone->currentIndex() + 1;
    p.WorkMode = uint8_t(MaskOf(FWorkMode));
    p.WorkModeEx = uint8_t(MaskOf(FWorkModeEx));
    p.TaxSystem = uint8_t(MaskOf(FTax));
    p.AutomatNumber = edtAutomatNumber->text();
    p.ReasonCode = std::max(cbReasonCode->currentIndex(), 0) + 2;
    p.Agent = uint8_t(MaskOf(FAgent));
    p.ReasonCodesEx = codesEx;
    Controller().NextPageClass = ClassOf<TfmFiscalizationBefore>();
}

} // namespace Regmaven
