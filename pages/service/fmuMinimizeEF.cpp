#include "pages/service/fmuMinimizeEF.h"

#include "core/driver/untDriver.h"
#include "platform/ui/FormBuilder.h"

#include <QSignalBlocker>

namespace {
constexpr int EFTable = 17;
constexpr int EFRow = 1;
constexpr int EFField = 28;

QString Tag(const char* words, const char* name)
{
    return QString::fromUtf8(words) + QLatin1Char(' ') + QLatin1Char('"') + QString::fromUtf8(name) + QLatin1Char('"');
}
} // namespace

TfmMinimizeEF::TfmMinimizeEF(QWidget* owner) : TPage(owner, "fmMinimizeEF", PageCaption)
{
    using T = TfmMinimizeEF;
    TFormBuilder<T> page(this);
    auto top = page.Columns();
    top.Edit(NAMED(edtValue), QStringLiteral("Значение Т17 П28:"), {}, "ValueOfFieldInteger");
    edtValue->setReadOnly(true);
    top.Button({NAMED(btnReadValue), QStringLiteral("Прочитать"), &T::btnReadValueClick, QStringLiteral("ReadTable")});
    top.Button({NAMED(btnWriteValue), QStringLiteral("Записать"), &T::btnWriteValueClick, QStringLiteral("WriteTable")});
    top.Space();
    // The boxes stand directly on the form; the tag is the bit.
    auto boxes = page.Section();
    const struct {
        QCheckBox** Box;
        const char* Name;
        int Bit;
        QString Caption;
    } defs[] = {
        {&chkBit0, "chkBit0", 0, Tag("Не формировать тег 1048 ", "Наименование пользователя")},
        {&chkBit1, "chkBit1", 1, Tag("Не формировать тег 1018", "ИНН пользователя")},
        {&chkBit2, "chkBit2", 2, Tag("Не формировать тег 1009", "Адрес расчетов")},
        {&chkBit3, "chkBit3", 3, Tag("Не формировать тег 1187", "Место расчетов")},
        {&chkBit4, "chkBit4", 4, Tag("Не формировать тег 1200", "Сумма НДС за предмет расчета")},
        {&chkBit5, "chkBit5", 5,
         Tag("Не формировать автоматически тег 1212", "Признак предмета расчета") + QStringLiteral(" (только для ФФД 1.05)")},
        {&chkBit10, "chkBit10", 10, Tag("Не формировать тег 1199", "Ставка НДС")},
        {&chkBit11, "chkBit11", 11, Tag("Не формировать тег 1060", "Адрес сайта ФНС")},
        {&chkBit12, "chkBit12", 12, Tag("Формировать тег 1200", "Сумма НДС за предмет расчета")},
    };
    for (const auto& def : defs) {
        QCheckBox* box = boxes.Check(TNamed<QCheckBox>(def.Box, def.Name), def.Caption);
        box->setProperty("tag", def.Bit);
        OnClick(box, this, &T::chkBit0Click);
    }
    page.Space();
}

QList<QCheckBox*> TfmMinimizeEF::CheckBoxes() const
{
    return findChildren<QCheckBox*>(Qt::FindDirectChildrenOnly);
}

uint32_t TfmMinimizeEF::GetValue() const
{
    uint32_t value = 0;
    for (const QCheckBox* box : CheckBoxes())
        if (box->isChecked())
            value |= 1u << box->property("tag").toInt();
    return value;
}

void TfmMinimizeEF::SetValue(uint32_t Value)
{
    edtValue->setText(QString::number(Value));
    for (QCheckBox* box : CheckBoxes()) {
        const QSignalBlocker detached(box);
        box->setChecked((Value >> box->property("tag").toInt()) & 1u);
    }
}

uint32_t TfmMinimizeEF::ValueToWrite() const
{
    return (FLastValue.value_or(0) & ~BoxBits) | GetValue();
}

void TfmMinimizeEF::chkBit0Click()
{
    edtValue->setText(QString::number(ValueToWrite()));
}

void TfmMinimizeEF::btnReadValueClick()
{
    FLastValue = uint32_t(Driver().ReadTableInt(EFTable, EFRow, EFField));
    SetValue(*FLastValue);
}

// Before any read the field is read first, so the bits without a box keep
// their value; a failed read writes nothing.
void TfmMinimizeEF::btnWriteValueClick()
{
    if (!FLastValue)
        FLastValue = uint32_t(Driver().ReadTableInt(EFTable, EFRow, EFField));
    const uint32_t value = ValueToWrite();
    edtValue->setText(QString::number(value));
    Driver().WriteTableInt(EFTable, EFRow, EFField, int32_t(value));
    FLastValue = value;
}
