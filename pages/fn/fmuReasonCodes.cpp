#include "pages/fn/fmuReasonCodes.h"

#include "core/settings/ControlStore.h"

TfmReasonCodes* fmReasonCodes = nullptr;

TfmReasonCodes::TfmReasonCodes(QWidget* parent) : TBaseForm(parent)
{
    setObjectName(QStringLiteral("fmReasonCodes"));
    setWindowTitle(QStringLiteral("Коды причин изменения сведений о ККТ"));
    setWindowFlag(Qt::Dialog);
    LoadFormParams(this);
}

TfmReasonCodes::~TfmReasonCodes()
{
    SaveFormParams(this);
}
