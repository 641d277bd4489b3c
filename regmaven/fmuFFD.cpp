#include "regmaven/fmuFFD.h"

#include "platform/ui/FormBuilder.h"
#include "regmaven/untController.h"
#include "regmaven/untDriver.h"
#include "regmaven/untInputChecks.h"

#include <QComboBox>
#include <algorithm>
#include <iterator>

namespace Regmaven {

DECLARE_PAGE_CLASS(TfmOFDParams);
DEFINE_PAGE_CLASS(TfmFFD);

namespace {

// The choices' codes in the combo's order.
constexpr int FFDCodes[] = {2, 4};
constexpr int FFD12 = 4;

// Firmware versions known to take FFD 1.2 (besides every "D..." version).
bool TakesFFD12(const QString& SoftVersion)
{
    return SoftVersion.startsWith(u'D') || SoftVersion == QLatin1String("C.4") ||
           SoftVersion == QLatin1String("C.3") || SoftVersion == QLatin1String("E.3");
}

} // namespace

TfmFFD::TfmFFD() : TParamPage("fmFFD", QStringLiteral("Версия ФФД"))
{
    TFormBuilder<TfmFFD> b(this);
    b.Combo(NAMED(cbbFFD), QStringLiteral("Версия ФФД:"), {QStringLiteral("ФФД 1.05"), QStringLiteral("ФФД 1.2")});
    b.Label("lblHint", QStringLiteral("Укажите нужные параметры и нажмите \"Далее\""));
    b.Space();
    b.Grid()->setColumnStretch(2, 1);
}

void TfmFFD::FormShow()
{
    const int ffd = ReadFFDVersion();
    const auto* found = std::find(std::begin(FFDCodes), std::end(FFDCodes), ffd);
    cbbFFD->setCurrentIndex(found == std::end(FFDCodes) ? 0 : int(found - std::begin(FFDCodes)));
}

void TfmFFD::Next()
{
    const int code = FFDCodes[std::max(cbbFFD->currentIndex(), 0)];
    Check(Driver().GetDeviceMetrics());
    if (Driver().UModel() != 152 && !ReadModelParam28()) {
        Check(Driver().GetECRStatus());
        if (code == FFD12 && !TakesFFD12(Driver().ECRSoftVersion()) &&
            !AskWarning(QStringLiteral("Установленная в ККТ версия прошивки\r\nскорее всего несовместима ФФД 1.2\r\n"
                                       "Вы уверены, что хотите продолжить?"),
                        QStringLiteral("Внимание!")))
            return;
    }
    Controller().RegParams.FFD = code;
    Controller().NextPageClass = ClassOf<TfmOFDParams>();
}

} // namespace Regmaven
