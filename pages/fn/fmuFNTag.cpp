#include "pages/fn/fmuFNTag.h"

#include "core/driver/untDriver.h"
#include "core/support/BinUtils.h"
#include "core/support/CodePage.h"
#include "core/support/SysUtils.h"
#include "platform/Exceptions.h"
#include "platform/ui/FormBuilder.h"

#include <QApplication>
#include <limits>

namespace {
// The range of an integer tag's type (Byte, UInt16, UInt32).
int64_t IntTagMax(int32_t type)
{
    switch (type) {
    case OrvekTagType::Byte: return 0xFF;
    case OrvekTagType::UInt16: return 0xFFFF;
    default: return 0xFFFFFFFFLL;
    }
}
} // namespace

TfmFNTag::TfmFNTag(QWidget* owner) : TPage(owner, "fmFNTag", PageCaption)
{
    // Inputs on the left, buttons on the right.
    TFormBuilder<TfmFNTag> page(this, nullptr, true);
    auto inputs = page.Section();
    page.Stretch();
    inputs.Edit(NAMED(edtTagNumber), "Номер тега:", "1008", "TagNumber");
    inputs.Combo(NAMED(cbTagType), "Тип тега:", {}, -1, "TagType");
    lblTagTypeCode = NewLabel(this, {}, "lblTagTypeCode");
    int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
    inputs.Grid()->getItemPosition(inputs.Grid()->indexOf(cbTagType), &row, &column, &rowSpan, &columnSpan);
    inputs.Grid()->addWidget(lblTagTypeCode, row, 2);
    inputs.Edit(NAMED(edtTagValueInt), "Значение (целое):", "0", "TagValueInt");
    inputs.Edit(NAMED(edtTagValueBin), "Значение (двоичное):", "0", "TagValueBin");
    inputs.Edit(NAMED(edtTagVAlueFVLN), "Значение FVLN:", "0", "TagValueFVLND");
    inputs.Edit(NAMED(edtTagValueLength), "Длина:", "1", "TagValueLength");
    inputs.DateTime(NAMED(dtPickerDate), "Дата:", "dd.MM.yyyy", "TagValueDateTime");
    inputs.DateTime(NAMED(dtPickerTime), "Время:", "HH:mm:ss", "TagValueDateTime");
    inputs.Edit(NAMED(edtTagValueStr), "Значение (строка):", {}, "TagValueStr");
    inputs.Edit(NAMED(edtTagDescription), "Описание:", {}, "TagDescription")->setReadOnly(true);
    inputs.Space();

    using T = TfmFNTag;
    page.Buttons(4, {
        {NAMED(btnSendTag), "Отправить тег", &T::btnSendTagClick, "FNSendTag"},
        {NAMED(btnSendTagOperation), "Отпр. тег привязанный к операции", &T::btnSendTagOperationClick,
         "FNSendTagOperation"},
        {NAMED(btnGetTagDescription), "Получить описание тега", &T::btnGetTagDescriptionClick,
         "FNGetTagDescription"},
        {NAMED(btnCurrentDateTime), "Текущие дата и время", &T::btnCurrentDateTimeClick, {}, TRun::Plain},
    });

    FormCreate();
    connect(cbTagType, &QComboBox::currentIndexChanged, this, Guarded(this, &TfmFNTag::UpdateControls));
    UpdateControls();
}

void TfmFNTag::FormCreate()
{
    static const struct {
        const char* Text;
        int Code;
    } types[] = {
        {"0. Тип Byte", OrvekTagType::Byte},
        {"1. Тип Uint16", OrvekTagType::UInt16},
        {"2. Тип UInt32", OrvekTagType::UInt32},
        {"3. Тип VLN", OrvekTagType::VLN},
        {"11. Тип FVLN", OrvekTagType::FVLN},
        {"5. Тип \"битовое поле\"", OrvekTagType::BitField},
        {"6. Тип UnixTime\"", OrvekTagType::UnixTime},
        {"7. Тип \"строка\"\"", OrvekTagType::String},
        {"8. Тип STLV", OrvekTagType::STLV},
        {"9. Тип ByteArray", OrvekTagType::ByteArray},
    };
    cbTagType->clear();
    for (const auto& t : types)
        cbTagType->addItem(QString::fromUtf8(t.Text), t.Code);
    cbTagType->setCurrentIndex(7);
    dtPickerDate->setDateTime(QDateTime::currentDateTime());
    dtPickerTime->setDateTime(QDateTime::currentDateTime());
}

std::int32_t TfmFNTag::GetTagType() const
{
    if (cbTagType->currentIndex() < 0)
        return FReportedType;
    return cbTagType->currentData().toInt();
}

void TfmFNTag::SetTagType(std::int32_t Code)
{
    const int index = cbTagType->findData(Code);
    FReportedType = Code;
    cbTagType->setCurrentIndex(index);
    lblTagTypeCode->setText(index < 0 ? QStringLiteral("Тип %1 (нет в списке)").arg(Code) : QString());
}

void TfmFNTag::EnableEdtControl(QWidget* Control, bool Value)
{
    Control->setEnabled(Value);
    if (qobject_cast<QLineEdit*>(Control)) {
        QPalette palette = Control->palette();
        const QColor colour = QApplication::palette().color(Value ? QPalette::Base : QPalette::Button);
        palette.setColor(QPalette::Disabled, QPalette::Base, colour);
        palette.setColor(QPalette::Active, QPalette::Base, colour);
        palette.setColor(QPalette::Inactive, QPalette::Base, colour);
        Control->setPalette(palette);
    }
}

void TfmFNTag::UpdateControls()
{
    if (cbTagType->currentIndex() >= 0)
        lblTagTypeCode->clear();
    bool intValue = false, binValue = false, fvlnValue = false, length = false, dateTime = false, strValue = false;
    switch (cbTagType->currentIndex() < 0 ? -1 : GetTagType()) {
    case OrvekTagType::Byte:
    case OrvekTagType::UInt16:
    case OrvekTagType::UInt32: intValue = true; break;
    case OrvekTagType::VLN:
    case OrvekTagType::BitField: binValue = length = true; break;
    case OrvekTagType::FVLNAlias:
    case OrvekTagType::FVLN: fvlnValue = length = true; break;
    case OrvekTagType::UnixTime: dateTime = true; break;
    case OrvekTagType::String: strValue = true; break;
    case OrvekTagType::STLV:
    case OrvekTagType::ByteArray: break;
    default: return;  // no type to tell: the inputs stay as they are
    }
    EnableEdtControl(edtTagValueInt, intValue);
    EnableEdtControl(edtTagValueBin, binValue);
    EnableEdtControl(edtTagVAlueFVLN, fvlnValue);
    EnableEdtControl(edtTagValueLength, length);
    EnableEdtControl(dtPickerDate, dateTime);
    EnableEdtControl(dtPickerTime, dateTime);
    EnableEdtControl(edtTagValueStr, strValue);
}

void TfmFNTag::UpdateDrvObject()
{
    TDriver& d = Driver();
    d.setTagNumber(StrToInt(edtTagNumber->text()));
    d.setTagType(GetTagType());
    if (edtTagValueInt->isEnabled())
        d.setTagValueInt(std::int32_t(uint32_t(
            StrToIntRange(edtTagValueInt->text(), QStringLiteral("Значение (целое)"), 0, IntTagMax(GetTagType())))));
    if (edtTagValueStr->isEnabled())
        d.setTagValueStr(edtTagValueStr->text());
    if (edtTagVAlueFVLN->isEnabled())
        d.setTagValueFVLND(StrToFloat(edtTagVAlueFVLN->text()));
    if (edtTagValueBin->isEnabled()) {
        // A value the length cannot hold is refused; lengths outside 1 to 8 send nothing.
        const int32_t length = StrToInt(edtTagValueLength->text());
        const bool bounded = length >= 1 && length < 8;   // 8 bytes hold every 64-bit value
        const int64_t min = bounded ? 0 : std::numeric_limits<int64_t>::min();
        const int64_t max = bounded ? (int64_t(1) << (8 * length)) - 1 : std::numeric_limits<int64_t>::max();
        d.setTagValueBin(AnsiToWide(
            IntToBin(StrToIntRange(edtTagValueBin->text(), QStringLiteral("Значение (двоичное)"), min, max), length)));
    }
    if (dtPickerDate->isEnabled()) {
        const QTime time = dtPickerTime->time();
        d.setTagValueDateTime(QDateTimeToDateTime(
            QDateTime(dtPickerDate->date(), QTime(time.hour(), time.minute(), time.second()))));
    }
    if (edtTagValueLength->isEnabled())
        d.setTagValueLength(StrToInt(edtTagValueLength->text()));
}

void TfmFNTag::showEvent(QShowEvent* event)
{
    TPage::showEvent(event);
    UpdateControls();
}

void TfmFNTag::btnSendTagClick()
{
    UpdateDrvObject();
    Driver().FNSendTag();  // the result panel shows the result
}

void TfmFNTag::btnSendTagOperationClick()
{
    UpdateDrvObject();
    Driver().FNSendTagOperation();
}

void TfmFNTag::btnGetTagDescriptionClick()
{
    TDriver& d = Driver();
    d.setTagNumber(StrToInt(edtTagNumber->text()));
    Check(d.FNGetTagDescription());
    SetTagType(d.TagType());
    UpdateControls();
    edtTagValueLength->setText(QString::number(d.TagValueLength()));
    edtTagDescription->setText(d.TagDescription());
}

void TfmFNTag::btnCurrentDateTimeClick()
{
    const QDateTime now = QDateTime::currentDateTime();
    dtPickerDate->setDateTime(now);
    dtPickerTime->setDateTime(now);
}
