#include "regmaven/fmuOFDParams.h"

#include "platform/Exceptions.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/EditLimit.h"
#include "platform/ui/FormBuilder.h"
#include "regmaven/untController.h"
#include "regmaven/untDriver.h"
#include "regmaven/untInputChecks.h"
#include "regmaven/untUtils.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QScopeGuard>
#include <QStyle>
#include <QToolButton>
#include <algorithm>

namespace Regmaven {

DECLARE_PAGE_CLASS(TfmSelectNetType);
DECLARE_PAGE_CLASS(TfmUserParams);
DEFINE_PAGE_CLASS(TfmOFDParams);

namespace {

const QString TemplateFilter = QStringLiteral("*.xml (*.xml);;") + Dialogs::AllFilesFilter();
constexpr int FFD12 = 4;

// A port text as a number; empty or not a number gives 0.
int PortOf(const QString& Text)
{
    return Text.trimmed().toInt();
}

QToolButton* ImageButton(QWidget* Parent, const char* Name, QStyle::StandardPixmap Icon, const QString& Hint)
{
    auto* button = NewControl<QToolButton>(Parent, Name);
    button->setIcon(Parent->style()->standardIcon(Icon));
    button->setToolTip(Hint);
    button->setAccessibleName(Hint);
    return button;
}

} // namespace

TfmOFDParams::TfmOFDParams() : TParamPage("fmOFDParams", QStringLiteral("Настройки ОФД"))
{
    using T = TfmOFDParams;
    TFormBuilder<T> b(this);
    b.Edit(NAMED(edtOFDServer), QStringLiteral("Сервер ОФД (URL):"));
    b.Edit(NAMED(edtOFDPort), QStringLiteral("Порт сервера ОФД:"));
    b.Edit(NAMED(edtOFDName), QStringLiteral("Имя ОФД:"));
    b.Edit(NAMED(edtOFDUrl), QStringLiteral("URL ОФД:"));
    b.Edit(NAMED(edtINNOFD), QStringLiteral("ИНН ОФД:"));
    b.Edit(NAMED(edtTaxOfficeURL), QStringLiteral("URL налог. органа:"), TaxOfficeWebAddress);
    SetEditLimit(b.Edit(NAMED(edtServerKM), QStringLiteral("Сервер КМ:")), 64);
    b.Edit(NAMED(edtPortKM), QStringLiteral("Порт сервера КМ:"));
    edtPortKM->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d*")), this));
    SetEditLimit(b.Edit(NAMED(edtSenderEmail), QStringLiteral("E-mail отправителя:")), 64);
    auto templates = b.Columns();
    templates.Combo(NAMED(cbTemplate), QStringLiteral("Шаблоны:"), {});
    btnOpenFile = templates.Whole(ImageButton(this, "btnOpenFile", QStyle::SP_DialogOpenButton,
                                              QStringLiteral("Открыть шаблон...")));
    btnSaveFile = templates.Whole(ImageButton(this, "btnSaveFile", QStyle::SP_DialogSaveButton,
                                              QStringLiteral("Сохранить шаблон...")));
    templates.Stretch(cbTemplate);
    b.Label("lblHint", QStringLiteral("Введите нужные настройки и нажмите  \"Далее\""));
    b.Space();
    b.Grid()->setColumnStretch(1, 1);

    OnChange(cbTemplate, this, &T::cbTemplateChange);
    connect(btnOpenFile, &QToolButton::clicked, this, Guarded(this, &T::btnOpenFileClick));
    connect(btnSaveFile, &QToolButton::clicked, this, Guarded(this, &T::btnSaveFileClick));
}

TOFDTemplate TfmOFDParams::Fields() const
{
    return {edtOFDServer->text(), edtOFDPort->text(),  edtOFDName->text(),
            edtOFDUrl->text(),    edtINNOFD->text(),   edtTaxOfficeURL->text(),
            edtServerKM->text(),  edtPortKM->text(),   edtSenderEmail->text()};
}

void TfmOFDParams::SetFields(const TOFDTemplate& Values)
{
    edtOFDServer->setText(Values.OFDServer);
    edtOFDPort->setText(Values.OFDPort);
    edtOFDName->setText(Values.OFDName);
    edtOFDUrl->setText(Values.OFDUrl);
    edtINNOFD->setText(Values.INNOFD);
    edtTaxOfficeURL->setText(Values.TaxOfficeURL);
    edtServerKM->setText(Values.ServerKM);
    edtPortKM->setText(Values.PortKM);
    edtSenderEmail->setText(Values.SenderEmail);
}

void TfmOFDParams::FormShow()
{
    // Every step runs whether or not the folder holds templates.
    cbTemplate->clear();
    cbTemplate->addItem(QStringLiteral("--Выбрать шаблон--"));
    FFileList = TemplateFiles(TemplatesFolder());
    for (const QString& file : FFileList)
        cbTemplate->addItem(QFileInfo(file).completeBaseName());
    cbTemplate->setCurrentIndex(0);
    cbTemplate->setMaxVisibleItems(std::max(cbTemplate->count(), 1));

    const TRegParams& p = Controller().RegParams;
    EnableEdit(edtOFDServer, p.OFDEnabled);
    EnableEdit(edtOFDPort, p.OFDEnabled);
    // The link set-up writes the server and port only: the rest is not used there.
    for (QLineEdit* edit : {edtOFDName, edtOFDUrl, edtINNOFD, edtTaxOfficeURL, edtSenderEmail})
        EnableEdit(edit, !Controller().IsOFDSettingMode);
    EnableEdit(edtServerKM, MarkingServerUsed());
    EnableEdit(edtPortKM, MarkingServerUsed());
    ReadFromKKT();
    FDefParams = Fields();
}

void TfmOFDParams::ReadFromKKT()
{
    const auto disconnect = qScopeGuard([] { Driver().Disconnect(); });
    const TRegParams& p = Controller().RegParams;
    auto recordOr = [](const QString& text, int table, int field) {
        return text.isEmpty() ? ReadTableStr(table, 1, field) : text;
    };
    if (p.OFDEnabled) {
        edtOFDServer->setText(recordOr(p.OFDServer, 19, 1));
        edtOFDPort->setText(QString::number(p.OFDPort == 0 ? ReadTableInt(19, 1, 2) : p.OFDPort));
    }
    edtOFDName->setText(recordOr(p.OFDName, 18, 10));
    edtOFDUrl->setText(recordOr(p.OFDUrl, 18, 11));
    edtINNOFD->setText(recordOr(p.OFDINN, 18, 12));
    edtTaxOfficeURL->setText(p.TaxOfficeURL.isEmpty() ? TaxOfficeWebAddress : p.TaxOfficeURL);
    if (MarkingServerUsed()) {
        if (p.ServerKM.isEmpty())
            edtServerKM->setText(ReadTableStr(19, 1, 5));
        if (p.PortKM == 0)
            edtPortKM->setText(QString::number(ReadTableInt(19, 1, 6)));
    }
    edtSenderEmail->setText(p.SenderEmail.isEmpty() ? TryReadTableStr(18, 1, 15) : p.SenderEmail);
}

void TfmOFDParams::SaveToKKT()
{
    TRegParams& p = Controller().RegParams;
    p.OFDServer = edtOFDServer->text();
    p.OFDPort = PortOf(edtOFDPort->text());
    p.OFDName = edtOFDName->text();
    p.OFDUrl = edtOFDUrl->text();
    p.OFDINN = edtINNOFD->text();
    p.TaxOfficeURL = edtTaxOfficeURL->text();
    p.ServerKM = edtServerKM->text();
    p.PortKM = PortOf(edtPortKM->text());
    p.SenderEmail = edtSenderEmail->text();
}

void TfmOFDParams::LoadTemplate(const QString& FileName)
{
    SetFields(LoadOFDTemplate(FileName));
}

void TfmOFDParams::SaveTemplate(const QString& FileName)
{
    SaveOFDTemplate(FileName, Fields());
}

void TfmOFDParams::cbTemplateChange()
{
    const int index = cbTemplate->currentIndex();
    if (index == 0)
        SetFields(FDefParams);
    else if (index > 0 && index <= FFileList.size())
        LoadTemplate(FFileList[index - 1]);
}

void TfmOFDParams::btnOpenFileClick()
{
    const QString file =
        Dialogs::OpenFileName(QStringLiteral("Открыть шаблон"), TemplateFilter, TemplatesFolder() + u'/');
    if (!file.isEmpty())
        LoadTemplate(file);
}

void TfmOFDParams::btnSaveFileClick()
{
    const QString file = Dialogs::SaveFileName(QStringLiteral("Сохранить шаблон"), TemplateFilter,
                                               TemplatesFolder() + u'/', QStringLiteral("xml"));
    if (!file.isEmpty())
        SaveTemplate(file);
}

bool TfmOFDParams::MarkingServerUsed() const
{
    // Kept in the OFD link table, which a register without it lacks.
    const TRegParams& p = Controller().RegParams;
    return p.FFD == FFD12 && p.OFDEnabled && !Controller().IsOFDSettingMode;
}

void TfmOFDParams::Next()
{
    const TRegParams& p = Controller().RegParams;
    if (p.OFDEnabled) {
        RequireValue(edtOFDServer->text(), QStringLiteral("Сервер ОФД"));
        RequireValue(edtOFDPort->text(), QStringLiteral("Порт сервера ОФД"));
        CheckPort(edtOFDPort->text(), QStringLiteral("Порт сервера ОФД"));
    }
    if (Controller().IsOFDSettingMode) {
        // The link set-up writes the server and port now and nothing else.
        SaveToKKT();
        if (p.OFDEnabled) {
            const auto disconnect = qScopeGuard([] { Driver().Disconnect(); });
            WriteTableStr(19, 1, 1, p.OFDServer);
            WriteTableInt(19, 1, 2, p.OFDPort);
        }
        Controller().NextPageClass = ClassOf<TfmSelectNetType>();
        return;
    }
    RequireValue(edtOFDName->text(), QStringLiteral("Имя ОФД"));
    RequireValue(edtOFDUrl->text(), QStringLiteral("URL ОФД"));
    RequireValue(edtINNOFD->text(), QStringLiteral("ИНН ОФД"));
    RequireValue(edtTaxOfficeURL->text(), QStringLiteral("URL налог. органа"));
    if (edtTaxOfficeURL->text() != TaxOfficeWebAddress &&
        !AskWarning(QStringLiteral("URL налогового органа отличается от \r\n\"") + TaxOfficeWebAddress +
                        QStringLiteral("\"\r\nПродолжить?"),
                    QStringLiteral("Внимание!")))
        throw Exception(QStringLiteral("Исправьте URL налогового органа"));
    if (MarkingServerUsed()) {
        RequireValue(edtServerKM->text(), QStringLiteral("Сервер КМ"));
        RequireValue(edtPortKM->text(), QStringLiteral("Порт сервера КМ"));
        CheckPort(edtPortKM->text(), QStringLiteral("Порт сервера КМ"));
    }
    RequireValue(edtSenderEmail->text(), QStringLiteral("E-mail отправителя"));
    CheckSenderEmail(edtSenderEmail->text());
    bool validINN = false;
    try {
        validINN = CheckINN(edtINNOFD->text().trimmed());
    } catch (const EConvertError&) {
        throw Exception(QStringLiteral("Ошибка в ИНН ОФД"));
    }
    if (!validINN)
        throw Exception(QStringLiteral("ИНН ОФД не валидный!"));
    SaveToKKT();
    // The registration sequence writes them.
    Controller().NextPageClass = ClassOf<TfmUserParams>();
}

} // namespace Regmaven
