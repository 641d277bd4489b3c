#include "pages/receipts/fmuExpayments2.h"

#include "core/settings/ControlStore.h"

TfmExPayments2* fmExPayments2 = nullptr;

TfmExPayments2::TfmExPayments2(QWidget* parent) : TBaseForm(parent)
{
    setObjectName(QStringLiteral("fmExPayments2"));
    setWindowTitle(QStringLiteral("Доп. типы оплаты"));
    setWindowFlag(Qt::Dialog);
    LoadFormParams(this);
}

TfmExPayments2::~TfmExPayments2()
{
    SaveFormParams(this);
}
