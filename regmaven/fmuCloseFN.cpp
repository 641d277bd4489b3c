#include "regmaven/fmuCloseFN.h"

#include "platform/ui/FormBuilder.h"
#include "regmaven/untController.h"
#include "regmaven/untDriver.h"

#include <QLabel>
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
    b.Space();
}

// The close's failure shows on the page; the wizard goes on either way.
void TfmCloseFN::FormShow()
{
    const auto disconnect = qScopeGuard([] { Driver().Disconnect(); });
    TOrvek& d = Driver();
    if (d.FNCloseFiscalMode() != 0) {
        SetFontColor(lblStatus, Qt::red);
        lblStatus->setText(QStringLiteral("Ошибка при закрытии архива ФН: ") + QString::number(d.ResultCode()) +
                           QStringLiteral(", ") + d.ResultCodeDescription());
        return;
    }
    SetFontColor(lblStatus, Qt::black);
    lblStatus->setText(QStringLiteral("Архив ФН успешно закрыт "));
}

void TfmCloseFN::Next()
{
    Controller().NextPageClass = ClassOf<TfmSelectWorkType>();
}

} // namespace Regmaven
