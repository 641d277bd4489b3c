#include "regmaven/fmuCloseFN.h"

#include "core/binding/OrvekTypes.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/FormBuilder.h"
#include "regmaven/untController.h"
#include "regmaven/untDriver.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>

namespace Regmaven {

DECLARE_PAGE_CLASS(TfmSelectWorkType);
DEFINE_PAGE_CLASS(TfmCloseFN);

TfmCloseFN::TfmCloseFN() : TParamPage("fmCloseFN", QStringLiteral("Закрытие архива ФН"))
{
    TFormBuilder<TfmCloseFN> b(this);
    b.Label(NAMED(lblStatus), {});
    lblStatus->setWordWrap(true);
    lblStatus->setFont(BoldArial(14));
    auto x5 = b.Columns();
    lblX5FactoryCode = x5.Whole(NewLabel(this, QStringLiteral("Код завода:"), "lblX5FactoryCode"));
    edtX5FactoryCode = x5.Whole(NewEdit(this, "edtX5FactoryCode"));
    edtX5FactoryCode->setMinimumWidth(120);
    lblX5FactoryCode->setBuddy(edtX5FactoryCode);
    x5.Button({NAMED(btnSaveX5), QStringLiteral("Сохранить в формате X5..."), &TfmCloseFN::btnSaveX5Click});
    x5.Space();
    b.Space();
    ShowX5Controls(false);
}

void TfmCloseFN::ShowX5Controls(bool Value)
{
    lblX5FactoryCode->setVisible(Value);
    edtX5FactoryCode->setVisible(Value);
    btnSaveX5->setVisible(Value);
}

// The close report's data from the register, after the close.
void TfmCloseFN::ReadX5Params()
{
    TOrvek& d = Driver();
    TX5CloseFNRec& r = FX5Params;
    r.DocNumber = d.DocumentNumber();
    r.FiscalSign = d.FiscalSignAsString();
    r.Address = ReadTableStr(18, 1, 9).trimmed();
    r.PayPlace = ReadTableStr(18, 1, 14).trimmed();
    r.UserName = ReadTableStr(18, 1, 7).trimmed();
    r.INN = ReadTableStr(18, 1, 2).trimmed();
    r.RNM = ReadTableStr(18, 1, 3).trimmed();
    r.KKTSerial = ReadTableStr(18, 1, 1).trimmed();
    r.FFD = ReadFFDVersion();
    r.Cashier = ReadTableStr(18, 1, 8).trimmed();
    r.CashierINN.clear();
    r.FNSerial = ReadTableStr(18, 1, 4).trimmed();
    Check(d.FNGetStatus());
    d.setDocumentNumber(r.DocNumber);
    Check(d.FNFindDocument());
    r.DateTime = DateTimeToQDateTime(d.Date() + d.Time());
    Check(d.FNGetCurrentSessionParams());
    r.SessionNumber = d.SessionNumber();
}

void TfmCloseFN::btnSaveX5Click()
{
    const QString file = Dialogs::SaveFileName(
        QStringLiteral("Сохранить"), X5FileFilter(),
        X5FileName(x5CloseFN, FX5Params.KKTSerial, FX5Params.DateTime, edtX5FactoryCode->text()), QStringLiteral("txt"));
    if (!file.isEmpty())
        FX5Params.SaveToFile(file);
}

// The close's failure shows on the page; the wizard goes on either way.
void TfmCloseFN::FormShow()
{
    const auto disconnect = qScopeGuard([] { Driver().Disconnect(); });
    ShowX5Controls(false);
    TOrvek& d = Driver();
    if (d.FNCloseFiscalMode() != 0) {
        SetFontColor(lblStatus, Qt::red);
        lblStatus->setText(QStringLiteral("Ошибка при закрытии архива ФН: ") + QString::number(d.ResultCode()) +
                           QStringLiteral(", ") + d.ResultCodeDescription());
        return;
    }
    // The close made its document: the road back would only repeat it.
    Controller().EnablePrev(false);
    SetFontColor(lblStatus, Qt::black);
    lblStatus->setText(QStringLiteral("Архив ФН успешно закрыт "));
    if (!Controller().X5Mode)
        return;
    ReadX5Params();
    ShowX5Controls(true);
}

void TfmCloseFN::Next()
{
    Controller().NextPageClass = ClassOf<TfmSelectWorkType>();
}

} // namespace Regmaven
