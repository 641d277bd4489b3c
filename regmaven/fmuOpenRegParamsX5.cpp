#include "regmaven/fmuOpenRegParamsX5.h"

#include "platform/ui/Dialogs.h"
#include "platform/ui/FormBuilder.h"
#include "regmaven/untController.h"
#include "regmaven/untDriver.h"
#include "regmaven/untX5.h"

namespace Regmaven {

DECLARE_PAGE_CLASS(TfmRegParamsX5);
DEFINE_PAGE_CLASS(TfmOpenRegParamsX5);

TfmOpenRegParamsX5::TfmOpenRegParamsX5()
    : TParamPage("fmOpenRegParamsX5", QStringLiteral("Открыть файл с парметрами (X5)"))
{
    TFormBuilder<TfmOpenRegParamsX5> b(this);
    b.Grid()->setContentsMargins(40, 16, 40, 8);
    b.Label("lblNote", QStringLiteral("Нажмите \"Далее\", чтобы выбрать файл с параметрами регистрации"));
    b.Space();
}

void TfmOpenRegParamsX5::Next()
{
    const QString fileName = Dialogs::OpenFileName(QStringLiteral("Открыть"), X5FileFilter());
    // Cancelled: the wizard stays on this page.
    if (fileName.isEmpty())
        return;
    TRegParams& p = Controller().RegParams;
    p.LoadFromX5(fileName);
    TOrvek& d = Driver();
    Check(d.FNGetSerial());
    p.FNSerial = d.SerialNumber();
    Check(d.ReadSerialNumber());
    p.KKTSerial = d.SerialNumber();
    Controller().NextPageClass = ClassOf<TfmRegParamsX5>();
}

} // namespace Regmaven
