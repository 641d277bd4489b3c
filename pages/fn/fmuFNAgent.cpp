#include "pages/fn/fmuFNAgent.h"

#include "core/driver/untDriver.h"
#include "platform/ui/FormBuilder.h"

namespace {
struct TTagRow {
    std::int32_t Tag;
    const char* Caption;
    int MaxLength;  // 0: none
};

// The inputs of the page in their order on screen.
const TTagRow TagRows[] = {
    {1075, "Тел. оператора перевода*:", 0}, {1044, "Опер. плат. агента:", 24},
    {1073, "Тел. плат. агента*:", 0},       {1074, "Тел. опер. по приему плат.*:", 0},
    {1026, "Наим. операт. перевода:", 64},  {1005, "Адр. операт. перевода:", 256},
    {1016, "ИНН операт. перевода:", 12},    {1171, "Тел. поставщика*:", 0},
    {1225, "Наим. поставщика:", 256},       {1226, "ИНН поставщика:", 12},
};

const char* const AgentCaptions[] = {"Банк. пл. агент", "Банк. пл. субагент", "Пл. агент", "Пл. субагент",
                                     "Поверенный",      "Комиссионер",        "Агент"};

// TagNumber, TagType 0 and the sign, then the method, checked.
void SendAgentSign(std::int32_t Tag, std::uint8_t Sign, std::int32_t (TOrvek::*Method)())
{
    TDriver& d = Driver();
    d.setTagNumber(Tag);
    d.setTagType(OrvekTagType::Byte);
    d.setTagValueInt(Sign);
    TPage::Check((d.*Method)());
}
} // namespace

TfmFNAgent::TfmFNAgent(QWidget* owner) : TPage(owner, "fmFNAgent", PageCaption)
{
    // Left: the agent sign, the mode and the buttons; right: the tag inputs.
    TFormBuilder<TfmFNAgent> page(this, nullptr, true);
    auto left = page.Section();
    auto sign = left.Group("gbAgentSign", "Признак агента");
    for (std::size_t n = 0; n < chkAgent.size(); ++n) {
        const QByteArray name = "chkAgent" + QByteArray::number(int(n));
        sign.Check({&chkAgent[n], name.constData()}, QString::fromUtf8(AgentCaptions[n]), false, "TagValueInt");
    }
    rbPosition = left.Whole(NewRadioButton(this, "rbPosition", "Передавать теги в составе позиции", true));
    rbDocument = left.Whole(NewRadioButton(this, "rbDocument", "Передавать теги в составе документа"));
    OnClick(rbPosition, this, &TfmFNAgent::UpdateView);
    OnClick(rbDocument, this, &TfmFNAgent::UpdateView);
    using T = TfmFNAgent;
    left.Buttons(4, {
        {NAMED(btnSendAgentSign), "Передать признак агента", &T::btnSendAgentSignClick, "FNSendTagOperation"},
        {NAMED(btnSendAgentData), "Передать данные агента", &T::btnSendAgentDataClick, "FNSendSTLVTagOperation"},
        {NAMED(btnSendSupplierINN), "Передать ИНН поставщика", &T::btnSendSupplierINNClick, "FNSendTagOperation"},
        {NAMED(btnSendSupplierData), "Передать данные поставщика", &T::btnSendSupplierDataClick,
         "FNSendSTLVTagOperation"},
    });

    // Use box, caption and edit on each row.
    auto tags = page.Group("gbTags", "Данные агента и поставщика");
    page.Stretch();
    QLineEdit** edits[] = {&edt1075, &edt1044, &edt1073, &edt1074, &edt1026,
                           &edt1005, &edt1016, &edt1171, &edt1225, &edtSupplierINN};
    QCheckBox** uses[] = {&chkUse1075, &chkUse1044, &chkUse1073, &chkUse1074, &chkUse1026,
                          &chkUse1005, &chkUse1016, &chkUse1171, &chkUse1225, &chkUse1226};
    QGridLayout* grid = tags.Grid();
    int row = 0;
    for (const TTagRow& r : TagRows) {
        const QByteArray number = QByteArray::number(r.Tag);
        const QByteArray editName = r.Tag == 1226 ? QByteArray("edtSupplierINN") : "edt" + number;
        const QByteArray useName = "chkUse" + number;
        auto* use = NewCheckBox(tags.Container(), useName.constData(), {}, true);
        auto* edit = NewEdit(tags.Container(), editName.constData(), {}, r.MaxLength);
        edit->setToolTip(QStringLiteral("TagValueStr"));
        auto* label = NewLabel(tags.Container(), QString::fromUtf8(r.Caption));
        label->setBuddy(edit);
        grid->addWidget(use, row, 0);
        grid->addWidget(label, row, 1);
        grid->addWidget(edit, row, 2);
        *edits[row] = edit;
        *uses[row] = use;
        ++row;
    }
    grid->setColumnStretch(2, 1);
    auto* hint = NewLabel(tags.Container(), "* Можно указать несколько телефонных номеров, разделив их запятой",
                          "lblPhoneHint");
    grid->addWidget(hint, row++, 0, 1, 3);
    grid->setRowStretch(row, 1);

    UpdateView();
}

std::array<TfmFNAgent::TAgentTag, 7> TfmFNAgent::AgentData() const
{
    return {{{1075, edt1075, chkUse1075, true},
             {1044, edt1044, chkUse1044, false},
             {1073, edt1073, chkUse1073, true},
             {1074, edt1074, chkUse1074, true},
             {1026, edt1026, chkUse1026, false},
             {1005, edt1005, chkUse1005, false},
             {1016, edt1016, chkUse1016, false}}};
}

std::uint8_t TfmFNAgent::GetAgentSign() const
{
    std::uint8_t sign = 0;
    for (std::size_t n = 0; n < chkAgent.size(); ++n)
        if (chkAgent[n]->isChecked())
            sign |= std::uint8_t(1u << n);
    return sign;
}

QStringList TfmFNAgent::SplitPhones(const QString& text)
{
    QStringList parts;
    QString part;
    bool quoted = false;
    auto finish = [&] {
        const QString trimmed = part.trimmed();
        if (!trimmed.isEmpty())
            parts << trimmed;
        part.clear();
    };
    for (QChar ch : text) {
        if (ch == QLatin1Char('"'))
            quoted = !quoted;
        else if (ch == QLatin1Char(',') && !quoted)
            finish();
        else
            part += ch;
    }
    finish();
    return parts;
}

void TfmFNAgent::AddStrTag(std::int32_t Tag, const QString& Text)
{
    Driver().AddTagStr(Tag, Text);
}

void TfmFNAgent::SendStrTag(std::int32_t Tag, const QString& Text)
{
    Driver().SendTagStr(Tag, Text);
}

void TfmFNAgent::AddStrMultiTag(std::int32_t Tag, const QString& Text)
{
    for (const QString& part : SplitPhones(Text))
        AddStrTag(Tag, part);
}

void TfmFNAgent::SendStrMultiTag(std::int32_t Tag, const QString& Text)
{
    for (const QString& part : SplitPhones(Text))
        SendStrTag(Tag, part);
}

void TfmFNAgent::SendAgentSignPosition()
{
    SendAgentSign(1222, GetAgentSign(), &TOrvek::FNSendTagOperation);
}

void TfmFNAgent::SendAgentSignDocument()
{
    SendAgentSign(1057, GetAgentSign(), &TOrvek::FNSendTag);
}

void TfmFNAgent::SendAgentDataPosition()
{
    const auto data = AgentData();
    if (std::none_of(data.begin(), data.end(), [](const TAgentTag& t) { return t.Use->isChecked(); }))
        return;
    Driver().BeginSTLVTag(1223);
    for (const TAgentTag& t : data) {
        if (!t.Use->isChecked())
            continue;
        if (t.Phones)
            AddStrMultiTag(t.Tag, t.Edit->text());
        else
            AddStrTag(t.Tag, t.Edit->text());
    }
    // The composite's own number, not the last tag added.
    Driver().SendSTLVTagOperation(1223);
}

void TfmFNAgent::SendAgentDataDocument()
{
    for (const TAgentTag& t : AgentData()) {
        if (!t.Use->isChecked())
            continue;
        if (t.Phones)
            SendStrMultiTag(t.Tag, t.Edit->text());
        else
            SendStrTag(t.Tag, t.Edit->text());
    }
}

void TfmFNAgent::SendSupplierDataPosition()
{
    if (!chkUse1171->isChecked() && !chkUse1225->isChecked())
        return;
    Driver().BeginSTLVTag(1224);
    if (chkUse1171->isChecked())
        AddStrMultiTag(1171, edt1171->text());
    if (chkUse1225->isChecked())
        AddStrTag(1225, edt1225->text());
    Driver().SendSTLVTagOperation(1224);
}

void TfmFNAgent::SendSupplierDataDocument()
{
    if (chkUse1171->isChecked())
        SendStrMultiTag(1171, edt1171->text());
}

void TfmFNAgent::SendSupplierINN()
{
    if (chkUse1226->isChecked())
        Driver().SendTagStrOperation(1226, edtSupplierINN->text());
}

void TfmFNAgent::UpdateView()
{
    const bool position = rbPosition->isChecked();
    edtSupplierINN->setEnabled(position);
    btnSendSupplierINN->setEnabled(position);
    edt1225->setEnabled(position);
    chkUse1225->setEnabled(position);
}

void TfmFNAgent::EnableButtons(bool Value)
{
    TPage::EnableButtons(Value);
    if (Value)
        UpdateView();  // the supplier INN button stays off in document mode
}

void TfmFNAgent::showEvent(QShowEvent* event)
{
    TPage::showEvent(event);
    UpdateView();
}

void TfmFNAgent::btnSendAgentSignClick()
{
    if (rbPosition->isChecked())
        SendAgentSignPosition();
    else
        SendAgentSignDocument();
}

void TfmFNAgent::btnSendAgentDataClick()
{
    if (rbPosition->isChecked())
        SendAgentDataPosition();
    else
        SendAgentDataDocument();
}

void TfmFNAgent::btnSendSupplierINNClick()
{
    SendSupplierINN();
}

void TfmFNAgent::btnSendSupplierDataClick()
{
    if (rbPosition->isChecked())
        SendSupplierDataPosition();
    else
        SendSupplierDataDocument();
}
