#include "pages/fn/fmuPrintCheckAttributeParams.h"

#include "core/driver/untDriver.h"
#include "platform/ui/FormBuilder.h"

#include <QSignalBlocker>

namespace {
constexpr int MaskTable = 17, MaskRow = 1, MaskField = 12;

const char* const HintRequired = "Обязательно. Можно отключить, если печатается в шапке в таблице 4";
const char* const HintOptional = "Не обязателен";
const char* const HintFFD12 = "Не обязателен на ФФД 1.05. Обязателен на ФФД 1.2.";
const char* const Hint2022Q4 = "Не обязателен. Требуется подписка на 4 квартал 2022 года";

const struct {
    const char* Caption;
    const char* Hint;
} Bits[] = {
    {"(1048) Наименование пользователя", HintRequired},
    {"(1009) Адрес расчетов", HintRequired},
    {"(1178) Место расчетов", HintRequired},
    {"(1117) Эл. почта отправителя",
     "Более нет печатной формы. При наличии подписки на 2020 год не печатается вне зависимости от настройки."},
    {"(1008) Тел. или адр. покупателя", HintOptional},
    {"(1212) Признак предмета расчета", HintOptional},
    {"(1060) Не печатать сайт ФНС", HintOptional},
    {" (1102, 1103, 1104, 1105, 1106, 1107) Не печатать налог на весь чек целиком",
     "Обязателен только при продажам юр лицам и ИП. Не обязателен при продаже физ лицам"},
    {" (1199, 1200) Не печатать ставку и сумму НДС за предмет расчета", HintOptional},
    {"(1227) Не печатать наименование покупателя", HintFFD12},
    {" (1222, 1223, 1005, 1016, 1026, 1044, 1073, 1074, 1075) Не печатать признак и данные агента по предмету "
     "расчета",
     HintFFD12},
    {" (1224, 1171, 1225, 1226) Не печатать данные и ИНН поставщика", HintFFD12},
    {"(1229) Не печатать акциз", HintOptional},
    {"(1230) Не печатать код страны происхождения", HintOptional},
    {"(1038, 1042) Печатать номер смены и номер чека в смене",
     "Нет печатной формы. Без подписки на 2020 год печатается всегда"},
    {" (2106) Не печатать результат проверки КТ", "Не обязателен. Требуется подписка на 2 квартал 2022 года"},
    {"(1055) Печатать СНО на 6, 7 и 9 форматах чека", Hint2022Q4},
    {"(1208) (ФФД 1.2) Не печатать меру количества предмета расчета", Hint2022Q4},
    {"(1228) (ФФД 1.2) Печатать ИНН покупателя",
     "Нет печатной формы. Требуется прошивка 4 декабря 2023 года и подписка на 4 квартал 2023 года и новее."},
};
static_assert(std::size(Bits) == 19);
} // namespace

TfmPrintCheckAttributeParams::TfmPrintCheckAttributeParams(QWidget* owner)
    : TPage(owner, "fmPrintCheckAttributeParams", PageCaption)
{
    // The boxes in one column straight on the page; the value and the buttons beside them.
    TFormBuilder<TfmPrintCheckAttributeParams> page(this, nullptr, true);
    auto boxes = page.Section();
    boxes.Grid()->setVerticalSpacing(0);
    for (std::size_t bit = 0; bit < chkBits.size(); ++bit) {
        const QByteArray name = "chkBit" + QByteArray::number(int(bit));
        QCheckBox* box = boxes.Check({&chkBits[bit], name.constData()}, QString::fromUtf8(Bits[bit].Caption));
        box->setToolTip(QString::fromUtf8(Bits[bit].Hint));
        box->setProperty("tag", int(bit));
        OnClick(box, this, &TfmPrintCheckAttributeParams::CheckBoxClick);
    }
    boxes.Space();
    auto value = page.Section();
    value.Edit(NAMED(edtValue), "Значение Т17 П12:", "0")->setReadOnly(true);
    using T = TfmPrintCheckAttributeParams;
    value.Buttons(2, {
        {NAMED(btnRead), "Прочитать", &T::btnReadClick, "ReadTable"},
        {NAMED(btnWrite), "Записать", &T::btnWriteClick, "WriteTable"},
    });
    page.Space();
}

std::int32_t TfmPrintCheckAttributeParams::GetValue() const
{
    std::uint32_t value = 0;
    for (QCheckBox* box : findChildren<QCheckBox*>(Qt::FindDirectChildrenOnly))
        if (box->isChecked())
            value += 1u << box->property("tag").toInt();
    return std::int32_t(value);
}

void TfmPrintCheckAttributeParams::SetValue(std::int32_t Value)
{
    edtValue->setText(QString::number(Value));
    for (QCheckBox* box : findChildren<QCheckBox*>(Qt::FindDirectChildrenOnly)) {
        const QSignalBlocker detached(box);
        box->setChecked((std::uint32_t(Value) >> box->property("tag").toInt()) & 1u);
    }
}

void TfmPrintCheckAttributeParams::CheckBoxClick()
{
    edtValue->setText(QString::number(GetValue()));
}

void TfmPrintCheckAttributeParams::btnReadClick()
{
    SetValue(Driver().ReadTableInt(MaskTable, MaskRow, MaskField));
}

void TfmPrintCheckAttributeParams::btnWriteClick()
{
    Driver().WriteTableInt(MaskTable, MaskRow, MaskField, GetValue());
}
