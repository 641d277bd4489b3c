#include "regmaven/fmuINN.h"

#include "core/support/RNMUtil.h"
#include "platform/Exceptions.h"
#include "platform/ui/EditLimit.h"
#include "platform/ui/FormBuilder.h"
#include "regmaven/untController.h"
#include "regmaven/untDriver.h"
#include "regmaven/untInputChecks.h"
#include "regmaven/untUtils.h"

#include <QRegularExpressionValidator>
#include <QScopeGuard>

namespace Regmaven {

DECLARE_PAGE_CLASS(TfmWorkMode);
DEFINE_PAGE_CLASS(TfmINN);

TfmINN::TfmINN() : TParamPage("fmINN", QStringLiteral("Введите ИНН и РНМ ККТ"))
{
    TFormBuilder<TfmINN> b(this);
    b.Edit(NAMED(edtINN), QStringLiteral("ИНН:"));
    b.Edit(NAMED(edtRNM), QStringLiteral("РНМ:"));
    // Wide enough for the longest number (20 digits) with the frame and caret.
    const int width = edtRNM->fontMetrics().horizontalAdvance(QString(20, u'0')) + 16;
    edtINN->setMinimumWidth(width);
    edtRNM->setMinimumWidth(width);
    auto* digits = new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d*")), this);
    edtINN->setValidator(digits);
    edtRNM->setValidator(digits);
    SetEditLimit(edtRNM, 20);
    b.Label(NAMED(lblInfo), QStringLiteral("Внимание! Менять ИНН и РНМ при перерегистрации без замены ФН нельзя!"));
    lblInfo->setStyleSheet(QStringLiteral("color: red; font-weight: bold;"));
    lblInfo->hide();
    b.Space();
    b.Grid()->setColumnStretch(2, 1);
}

void TfmINN::FormShow()
{
    const TRegParams& p = Controller().RegParams;
    const bool editable = p.FirstTime || p.NewFN;
    lblInfo->setVisible(!editable);
    EnableEdit(edtINN, editable);
    EnableEdit(edtRNM, editable);
    edtINN->clear();
    edtRNM->clear();
    SetEditLimit(edtINN, Controller().Yur ? 10 : 12);
    if (!p.FirstTime) {
        const auto disconnect = qScopeGuard([] { Driver().Disconnect(); });
        edtINN->setText(ReadTableStr(18, 1, 2).trimmed());
        edtRNM->setText(ReadTableStr(18, 1, 3).trimmed());
    }
    if (editable) {
        edtINN->setFocus();
        edtINN->setCursorPosition(0);
    }
}

void TfmINN::Next()
{
    if (!NamedConversion(QStringLiteral("ИНН"), [this] { return CheckINN(edtINN->text()); }))
        throw Exception(QStringLiteral("Введен некорректный ИНН!"));
    if (edtRNM->text().isEmpty())
        throw Exception(QStringLiteral("Введите РНМ!"));
    {
        const auto disconnect = qScopeGuard([] { Driver().Disconnect(); });
        Check(Driver().ReadSerialNumber());
        if (!CheckRNM(edtRNM->text().trimmed(), edtINN->text().trimmed(), Driver().SerialNumber().trimmed()) &&
            !AskWarning(QStringLiteral("Введен некорректный РНМ для данной ККТ\r\nВсе равно продолжить?"),
                        QStringLiteral("Внимание!")))
            return;
    }
    Controller().RegParams.INN = edtINN->text();
    Controller().RegParams.RNM = edtRNM->text();
    Controller().NextPageClass = ClassOf<TfmWorkMode>();
}

} // namespace Regmaven
