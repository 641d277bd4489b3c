#pragma once
// TfmSelectClientType: page "Выберите тип работы": legal entity or individual.
#include "regmaven/ParamPage.h"

class QListWidget;

namespace Regmaven {

class TfmSelectClientType : public TParamPage {
    Q_OBJECT
public:
    TfmSelectClientType();
    void Next() override;

    QListWidget* listBox;

protected:
    void FormShow() override;
    void resizeEvent(QResizeEvent* event) override;
};

} // namespace Regmaven
