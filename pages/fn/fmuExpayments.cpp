#include "pages/fn/fmuExpayments.h"

#include "core/settings/ControlStore.h"

TfmExPayments* fmExPayments = nullptr;

TfmExPayments::TfmExPayments(QWidget* parent) : TBaseForm(parent)
{
    setObjectName(QStringLiteral("fmExPayments"));
    setWindowTitle(QStringLiteral("Доп. типы оплаты"));
    setWindowFlag(Qt::Dialog);
    LoadFormParams(this);
}

TfmExPayments::~TfmExPayments()
{
    SaveFormParams(this);
}
