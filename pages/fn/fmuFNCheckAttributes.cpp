#include "pages/fn/fmuFNCheckAttributes.h"

#include "core/driver/untDriver.h"
#include "core/support/Format.h"
#include "core/support/SysUtils.h"
#include "platform/Exceptions.h"
#include "platform/ui/Controls.h"
#include "platform/ui/EditLimit.h"
#include "platform/ui/FormBuilder.h"

#include <QAbstractItemView>
#include <QLocale>
#include <QRegularExpressionValidator>
#include <QScrollArea>
#include <QScrollBar>
#include <QWheelEvent>
#include <cmath>

namespace {
// A scroll box that moves a tenth of the wheel's delta per step.
class TScrollBox : public QScrollArea {
public:
    using QScrollArea::QScrollArea;

protected:
    void wheelEvent(QWheelEvent* event) override
    {
        QScrollBar* bar = verticalScrollBar();
        bar->setValue(std::clamp(bar->value() - event->angleDelta().y() / 10, 0, bar->maximum()));
        event->accept();
    }
};

const struct {
    int Code;
    const char* Text;
} DocumentTypes[] = {
    {21, "21. Паспорт гражданина Российской Федерации"},
    {22, "22. Паспорт гражданина Российской Федерации, дипломатический паспорт, служебный паспорт, удостоверяющие "
         "личность гражданина Российской Федерации за пределами Российской Федерации"},
    {26, "26. Временное удостоверение личности гражданина Российской Федерации, выдаваемое на период оформления "
         "паспорта гражданина Российской Федерации"},
    {27, "27. Свидетельство о рождении гражданина Российской Федерации (для граждан Российской Федерации в возрасте "
         "до 14 лет)"},
    {28, "28. Иные документы, признаваемые документами, удостоверяющими личность гражданина Российской Федерации в "
         "соответствии с законодательством Российской Федерации"},
    {31, "31. Паспорт иностранного гражданина"},
    {32, "32. Иные документы, признаваемые документами, удостоверяющими личность иностранного гражданина в "
         "соответствии с законодательством Российской Федерации и международным договором Российской Федерации"},
    {33, "33. Документ, выданный иностранным государством и признаваемый в соответствии с международным договором "
         "Российской Федерации в качестве документа, удостоверяющего личность лица без гражданства."},
    {34, "34. Вид на жительство (для лиц без гражданства)"},
    {35, "35. Разрешение на временное проживание (для лиц без гражданства)"},
    {36, "36. Свидетельство о рассмотрении ходатайства о признании лица без гражданства беженцем на территории "
         "Российской Федерации по существу"},
    {37, "37. Удостоверение беженца"},
    {38, "38. Иные документы, признаваемые документами, удостоверяющими личность лиц без гражданства в соответствии с "
         "законодательством Российской Федерации и международным договором Российской Федерации"},
    {40, "40. Документ, удостоверяющий личность лица, не имеющего действительного документа, удостоверяющего "
         "личность, на период рассмотрения заявления о признании гражданином Российской Федерации или о приеме в "
         "гражданство Российской Федерации"},
};

// The first letter is a Latin C, as the list has always had it.
const QStringList CorrectionTypes{QStringLiteral("0. Cамостоятельно "), QStringLiteral("1. По предписанию")};

QString DateText(const QDateTimeEdit* edit)
{
    return edit->date().toString(QStringLiteral("dd.MM.yyyy"));
}

// A floating-point number written with "." as the decimal separator.
double DotStrToFloat(const QString& text)
{
    bool ok = false;
    const double value = QLocale::c().toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(value))
        throw EConvertError::NotNumber(text);
    return value;
}

void DigitsOnly(QLineEdit* edit, int count)
{
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d*")), edit));
    SetEditLimit(edit, count);
}
} // namespace

TfmFNCheckAttributes::TfmFNCheckAttributes(QWidget* owner) : TPage(owner, "fmFNCheckAttributes", PageCaption)
{
    ScrollBox = NewControl<TScrollBox>(this, "ScrollBox");
    ScrollBox->setWidgetResizable(true);
    ScrollBox->setFrameShape(QFrame::NoFrame);
    auto* box = NewControl<QWidget>(ScrollBox, "ScrollBoxContent");
    ScrollBox->setWidget(box);
    // Drawn on the page's own background, like any other page.
    ScrollBox->viewport()->setAutoFillBackground(false);
    box->setAutoFillBackground(false);
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(ScrollBox, 0, 0);

    using T = TfmFNCheckAttributes;
    TFormBuilder<T> page(this, box, true);
    // A use box with its input beside it; the boxes are ticked at first.
    auto used = [](TFormBuilder<T>& group, TNamed<QCheckBox> check, const QString& caption, QWidget* input,
                   QWidget* second = nullptr) {
        auto row = group.Columns();
        QCheckBox* use = row.Whole(check.Set(NewCheckBox(group.Container(), check.Name, caption, true)));
        use->setMinimumWidth(170);
        row.Whole(input);
        row.Stretch(input);
        if (second)
            row.Whole(second);
    };

    // First column: e-mails, the user attribute, correction data.
    auto first = page.Section();
    auto emails = first.Group("gbEmails", "Адреса и доп. реквизит");
    emails.Edit(NAMED(edtCustomerEmail), "E-mail (тел.) покупателя:", "+71234567890", "CustomerEmail");
    emails.Button({NAMED(btnSendCustomerEmail), "Передать e-mail (тел.) покупателя", &T::btnSendCustomerEmailClick,
                   "FNSendCustomerEmail"});
    emails.Edit(NAMED(edtSenderEmail), "E-mail отправителя:", {}, "EmailAddress");
    emails.Button({NAMED(btnSendSenderEmail), "Передать e-mail отправителя", &T::btnSendSenderEmailClick,
                   "FNSendSenderEmail"});
    SetEditLimit(emails.Edit(NAMED(edtUserAttributeName), "Наим. доп. реквизита:", {}, "UserAttributeName"), 64);
    SetEditLimit(emails.Edit(NAMED(edtUserAttributeValue), "Знач. доп. реквизита:", {}, "UserAttributeValue"), 256);
    emails.Button({NAMED(btnSendUserAttribute), "Передать доп. реквизит пользователя",
                   &T::btnSendUserAttributeClick, "FNSendUserAttribute"});
    auto correction = first.Group("gbCorrection", "Данные коррекции");
    correction.Combo(NAMED(cbCorrectionType), "Тип коррекции:", CorrectionTypes, 0, "TagValueInt");
    SetEditLimit(correction.Edit(NAMED(edtPrescriptionNumber), "Номер предписания:", {}, "TagValueStr"), 32);
    correction.DateTime(NAMED(dtpCorrectionDate), "Дата расчета:", "dd.MM.yyyy", "TagValueDateTime");
    correction.Button({NAMED(btnSendCorrectionData), "Передать данные коррекции", &T::btnSendCorrectionDataClick,
                       "FNSendTag"});
    first.Space();

    // Second column: the customer.
    auto second = page.Section();
    auto customer = second.Group("gbCustomer", "Сведения о покупателе (1256)");
    used(customer, NAMED(chk1227), "Покупатель:", edtCustomer = NewEdit(customer.Container(), "edtCustomer", {}, 256));
    used(customer, NAMED(chk1228), "ИНН покупателя:",
         edtCustomerINN = NewEdit(customer.Container(), "edtCustomerINN"));
    DigitsOnly(edtCustomerINN, 12);
    used(customer, NAMED(chk1243), "Дата рождения:",
         dtpBirthday = NewControl<QDateTimeEdit>(customer.Container(), "dtpBirthday"));
    used(customer, NAMED(chk1244), "Гражданство:",
         edtCitizenship = NewEdit(customer.Container(), "edtCitizenship", QStringLiteral("643")));
    DigitsOnly(edtCitizenship, 3);
    // The document type under its box: the first type's name takes the whole width.
    chk1245 = customer.Whole(NewCheckBox(customer.Container(), "chk1245", QStringLiteral("Код вида документа:"), true));
    customer.Whole(cbCustomerDocumentType = NewControl<QComboBox>(customer.Container(), "cbCustomerDocumentType"));
    used(customer, NAMED(chk1246), "Данные документа:",
         edtDocumentData = NewEdit(customer.Container(), "edtDocumentData", {}, 64));
    used(customer, NAMED(chk1254), "Адрес покупателя:",
         edtCustomerAddress = NewEdit(customer.Container(), "edtCustomerAddress", {}, 256));
    customer.Button({NAMED(btnSendCustomerInfo), "Передать сведения о покупателе", &T::btnSendCustomerInfoClick,
                     "FNSendSTLVTag"});
    auto cashless = second.Group("gbCashless", "Сведения безналичной оплаты (1235)");
    cashless.Edit(NAMED(edtCashlessAmount), "Сумма оплаты:", "0", "TagValueVLN");
    cashless.Edit(NAMED(edtCashlessMethod), "Способ оплаты:", "0", "TagValueInt");
    cashless.Edit(NAMED(edtCashlessIds), "Идентификаторы:", {}, "TagValueStr");
    used(cashless, NAMED(chCashlessDet), "Доп. сведения:", edtCashlessDet = NewEdit(cashless.Container(), "edtCashlessDet"));
    cashless.Button({NAMED(btnSendCashless), "Передать сведения безнал. оплаты", &T::btnSendCashlessClick,
                     "FNSendSTLVTag"});
    second.Space();

    // Third column: the operation and industry requisites.
    auto third = page.Section();
    auto operation = third.Group("gbOperation", "Операционный реквизит (1270)");
    used(operation, NAMED(chkOperationID), "Идентификатор операции:",
         edtOperationID = NewEdit(operation.Container(), "edtOperationID", QStringLiteral("0")));
    DigitsOnly(edtOperationID, 3);
    used(operation, NAMED(chkOperationData), "Данные операции:",
         edtOperationData = NewEdit(operation.Container(), "edtOperationData", {}, 64));
    used(operation, NAMED(chkOperationDateTime), "Дата, время операции:",
         dtpOperationDate = NewControl<QDateTimeEdit>(operation.Container(), "dtpOperationDate"),
         dtpOperationTime = NewControl<QDateTimeEdit>(operation.Container(), "dtpOperationTime"));
    operation.Button({NAMED(btnSendOperationRequisite), "Передать операционный реквизит",
                      &T::btnSendOperationRequisiteClick, "FNSendSTLVTag"});
    auto industry = third.Group("gbIndustry", "Отраслевой реквизит (1261, 1260)");
    used(industry, NAMED(chk1262), "Идентификатор ФОИВ:",
         edtAuthorityID = NewEdit(industry.Container(), "edtAuthorityID", QStringLiteral("001"), 3));
    used(industry, NAMED(chk1263), "Дата док. основания:",
         dtpBasisDate = NewControl<QDateTimeEdit>(industry.Container(), "dtpBasisDate"));
    used(industry, NAMED(chk1264), "Номер док. основания:",
         edtBasisNumber = NewEdit(industry.Container(), "edtBasisNumber", {}, 32));
    used(industry, NAMED(chk1265), "Значение реквизита:",
         edtRequisiteValue = NewEdit(industry.Container(), "edtRequisiteValue", {}, 256));
    industry.Buttons(2, {
        {NAMED(btnSendCheckRequisite), "Передать рекв. чека", &T::btnSendCheckRequisiteClick, "FNSendSTLVTag"},
        {NAMED(btnSendItemRequisite), "Передать рекв. предмета расчета", &T::btnSendItemRequisiteClick,
         "FNSendSTLVTagOperation"},
    });
    third.Space();

    for (QDateTimeEdit* date : {dtpCorrectionDate, dtpBirthday, dtpOperationDate, dtpBasisDate}) {
        date->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
        date->setCalendarPopup(true);
        date->setDate(QDate::currentDate());
    }
    dtpOperationTime->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    dtpOperationTime->setTime(QTime::currentTime());

    FormCreate();
    connect(cbCorrectionType, &QComboBox::currentIndexChanged, this, Guarded(this, &TfmFNCheckAttributes::UpdatePage));
    UpdatePage();
}

void TfmFNCheckAttributes::FormCreate()
{
    cbCustomerDocumentType->clear();
    for (const auto& type : DocumentTypes)
        cbCustomerDocumentType->addItem(QString::fromUtf8(type.Text), type.Code);
    cbCustomerDocumentType->setCurrentIndex(0);
    cbCustomerDocumentType->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cbCustomerDocumentType->setMinimumContentsLength(12);
    cbCustomerDocumentType->view()->setMinimumWidth(1600);
    FitComboText(cbCustomerDocumentType, cbCustomerDocumentType->itemText(0));
}

void TfmFNCheckAttributes::UpdatePage()
{
    edtPrescriptionNumber->setEnabled(cbCorrectionType->currentIndex() == 1);
}

void TfmFNCheckAttributes::AddTag(std::int32_t Tag, const QString& Value)
{
    Driver().AddTagStr(Tag, Value);
}

void TfmFNCheckAttributes::SendTagOperation(std::int32_t Tag, const QString& Value)
{
    Driver().SendTagStrOperation(Tag, Value);
}

void TfmFNCheckAttributes::btnSendCustomerEmailClick()
{
    Driver().setCustomerEmail(edtCustomerEmail->text());
    Check(Driver().FNSendCustomerEmail());
}

void TfmFNCheckAttributes::btnSendSenderEmailClick()
{
    Driver().setEmailAddress(edtSenderEmail->text());
    Check(Driver().FNSendSenderEmail());
}

void TfmFNCheckAttributes::btnSendUserAttributeClick()
{
    TDriver& d = Driver();
    d.setUserAttributeName(edtUserAttributeName->text());
    d.setUserAttributeValue(edtUserAttributeValue->text());
    Check(d.FNSendUserAttribute());
}

void TfmFNCheckAttributes::btnSendCorrectionDataClick()
{
    TDriver& d = Driver();
    const int type = cbCorrectionType->currentIndex();
    d.setTagNumber(1173);
    d.setTagType(OrvekTagType::Byte);
    d.setTagValueInt(type);
    Check(d.FNSendTag());
    if (type == 1)
        d.SendTagStr(1179, edtPrescriptionNumber->text());
    d.SendTagUnixTime(1178, QDateTimeToDateTime(QDateTime(dtpCorrectionDate->date(), QTime(0, 0))));
}

void TfmFNCheckAttributes::btnSendCustomerInfoClick()
{
    TDriver& d = Driver();
    d.BeginSTLVTag(1256);
    if (chk1227->isChecked())
        AddTag(1227, edtCustomer->text());
    if (chk1228->isChecked())
        AddTag(1228, edtCustomerINN->text());
    if (chk1243->isChecked())
        AddTag(1243, DateText(dtpBirthday));
    if (chk1244->isChecked())
        AddTag(1244, edtCitizenship->text());
    if (chk1245->isChecked())
        AddTag(1245, QString::number(cbCustomerDocumentType->currentData().toInt()));
    if (chk1246->isChecked())
        AddTag(1246, edtDocumentData->text());
    if (chk1254->isChecked())
        AddTag(1254, edtCustomerAddress->text());
    d.SendSTLVTag(1256);
}

void TfmFNCheckAttributes::btnSendOperationRequisiteClick()
{
    TDriver& d = Driver();
    // The identifier is read first: a bad one sends nothing.
    const int id = chkOperationID->isChecked() ? StrToInt(edtOperationID->text()) : 0;
    d.BeginSTLVTag(1270);
    if (chkOperationID->isChecked())
        d.AddTagByte(1271, std::uint8_t(id));
    if (chkOperationData->isChecked())
        AddTag(1272, edtOperationData->text());
    if (chkOperationDateTime->isChecked())
        d.AddTagUnixTime(1273, QDateTimeToDateTime(QDateTime(dtpOperationDate->date(), dtpOperationTime->time())));
    d.SendSTLVTag(1270);
}

void TfmFNCheckAttributes::SendIndustryTags(void (TfmFNCheckAttributes::*Send)(std::int32_t, const QString&))
{
    if (chk1262->isChecked())
        (this->*Send)(1262, edtAuthorityID->text());
    if (chk1263->isChecked())
        (this->*Send)(1263, DateText(dtpBasisDate));
    if (chk1264->isChecked())
        (this->*Send)(1264, edtBasisNumber->text());
    if (chk1265->isChecked())
        (this->*Send)(1265, edtRequisiteValue->text());
}

void TfmFNCheckAttributes::btnSendCheckRequisiteClick()
{
    Driver().BeginSTLVTag(1261);
    SendIndustryTags(&TfmFNCheckAttributes::AddTag);
    Driver().SendSTLVTag(1261);
}

void TfmFNCheckAttributes::btnSendItemRequisiteClick()
{
    TDriver& d = Driver();
    if (!d.CapCashCore()) {
        SendIndustryTags(&TfmFNCheckAttributes::SendTagOperation);
        return;
    }
    d.BeginSTLVTag(1260);
    SendIndustryTags(&TfmFNCheckAttributes::AddTag);
    d.SendSTLVTagOperation(1260);
}

void TfmFNCheckAttributes::btnSendCashlessClick()
{
    // The amount is read with "." as the separator ("," taken as "."), then
    // the separator of the number format is put back on every path.
    const QChar separator = DecimalSeparator();
    SetDecimalSeparator(QLatin1Char('.'));
    const auto restore = qScopeGuard([separator] { SetDecimalSeparator(separator); });
    // The inputs are read first: a bad one sends nothing.
    QString amountText = edtCashlessAmount->text();
    amountText.replace(QLatin1Char(','), QLatin1Char('.'));
    // Kopecks, half to even.
    const qint64 kopecks = std::llrint(DotStrToFloat(amountText) * 100);
    const int method = StrToInt(edtCashlessMethod->text());

    TDriver& d = Driver();
    d.BeginSTLVTag(1235);
    d.setTagNumber(1082);
    d.setTagType(OrvekTagType::VLN);
    d.setTagValueLength(6);
    d.setTagValueVLN(QString::number(kopecks));
    Check(d.FNAddTag());  // a refused amount ends the handler too
    d.AddTagByte(1236, std::uint8_t(method));
    AddTag(1237, edtCashlessIds->text());
    if (chCashlessDet->isChecked())
        AddTag(1238, edtCashlessDet->text());
    d.SendSTLVTag(1235);
}
