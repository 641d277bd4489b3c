#include "regmaven/fmuKKTParamsX5.h"

#include "platform/ui/Dialogs.h"
#include "platform/ui/FormBuilder.h"
#include "regmaven/untController.h"
#include "regmaven/untDriver.h"
#include "regmaven/untX5.h"

#include <QComboBox>
#include <QLineEdit>
#include <QScopeGuard>

namespace Regmaven {

DECLARE_PAGE_CLASS(TfmOpenRegParamsX5);
DEFINE_PAGE_CLASS(TfmKKTParamsX5);

TfmKKTParamsX5::TfmKKTParamsX5() : TParamPage("fmKKTParamsX5", QStringLiteral("Сохранить параметры ФР (X5)"))
{
    TFormBuilder<TfmKKTParamsX5> b(this);
    b.Grid()->setContentsMargins(40, 16, 40, 8);
    b.Edit(NAMED(edtFactoryCode), QStringLiteral("Код завода:"));
    b.Edit(NAMED(edtAutomatNumber), QStringLiteral("Номер автомата:"));
    b.Combo(NAMED(cbbModelFN), QStringLiteral("Модель ФН:"), {QStringLiteral("1.0"), QStringLiteral("1.05"), QStringLiteral("1.1")});
    b.Label("lblNote", QStringLiteral("Нажмите \"Далее\", чтобы сохранить параметры ФР"));
    b.Space();
}

void TfmKKTParamsX5::Next()
{
    TRegParams& p = Controller().RegParams;
    TX5KKTParamsRec rec;
    rec.FactoryCode = edtFactoryCode->text();
    rec.AutomatNumber = edtAutomatNumber->text();
    p.AutomatNumber = rec.AutomatNumber;
    {
        const auto disconnect = qScopeGuard([] { Driver().Disconnect(); });
        TOrvek& d = Driver();
        Check(d.ReadSerialNumber());
        rec.KKTSerial = d.SerialNumber();
        Check(d.GetDeviceMetrics());
        rec.KKTModel = d.UDescription();
        rec.KKTModelNumber = QString::number(d.UModel());
        Check(d.FNGetSerial());
        rec.FNSerial = d.SerialNumber();
    }
    p.X5FactoryCode = edtFactoryCode->text();
    rec.FNModel = X5FNModelText(cbbModelFN->currentIndex());
    const QString fileName =
        Dialogs::SaveFileName(QStringLiteral("Сохранить"), X5FileFilter(),
                              X5FileName(x5KKTParams, rec.KKTSerial, QDateTime::currentDateTime(), p.X5FactoryCode),
                              QStringLiteral("txt"));
    // Cancelled: the wizard stays on this page.
    if (fileName.isEmpty())
        return;
    rec.SaveToFile(fileName);
    Controller().NextPageClass = ClassOf<TfmOpenRegParamsX5>();
}

} // namespace Regmaven
