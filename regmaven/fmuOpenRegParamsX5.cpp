#include "regmaven/fmuOpenRegParamsX5.h"

#include "core/support/RNMUtil.h"
#include "platform/Exceptions.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/FormBuilder.h"
#include "regmaven/untController.h"
#include "regmaven/untDriver.h"
#include "regmaven/untInputChecks.h"
#include "regmaven/untUtils.h"
#include "regmaven/untX5.h"

namespace Regmaven {

DECLARE_PAGE_CLASS(TfmRegParamsX5);
DEFINE_PAGE_CLASS(TfmOpenRegParamsX5);

namespace {

bool ValidINN(const QString& INN)
{
    try {
        return CheckINN(INN);
    } catch (const EConvertError&) {
        return false;
    }
}

} // namespace

// The file's INNs and registration number checked as typed ones are.
bool TfmOpenRegParamsX5::CheckLoadedNumbers(const TRegParams& p)
{
    const QString file = QStringLiteral(" в файле параметров: \"%1\"");
    if (!ValidINN(p.INN.trimmed()))
        throw Exception(QStringLiteral("Некорректный ИНН пользователя") + file.arg(p.INN));
    if (!ValidINN(p.OFDINN.trimmed()))
        throw Exception(QStringLiteral("Некорректный ИНН ОФД") + file.arg(p.OFDINN));
    if (p.RNM.trimmed().isEmpty())
        throw Exception(QStringLiteral("Не указан РНМ в файле параметров"));
    return CheckRNM(p.RNM.trimmed(), p.INN.trimmed(), p.KKTSerial.trimmed()) ||
           AskWarning(QStringLiteral("Некорректный РНМ для данной ККТ") + file.arg(p.RNM) +
                          QStringLiteral("\r\nВсе равно продолжить?"),
                      QStringLiteral("Внимание!"));
}

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
    // Read into a copy: a file that is refused changes nothing.
    TRegParams p = Controller().RegParams;
    p.LoadFromX5(fileName);
    TOrvek& d = Driver();
    Check(d.FNGetSerial());
    p.FNSerial = d.SerialNumber();
    Check(d.ReadSerialNumber());
    p.KKTSerial = d.SerialNumber();
    if (!CheckLoadedNumbers(p))
        return;
    Controller().RegParams = p;
    Controller().NextPageClass = ClassOf<TfmRegParamsX5>();
}

} // namespace Regmaven
