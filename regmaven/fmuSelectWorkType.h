#pragma once
// The work-type page: what the wizard is to do with the connected register.
#include "regmaven/ParamPage.h"

class QLabel;
class QListWidget;

namespace Regmaven {

class TfmSelectWorkType : public TParamPage {
    Q_OBJECT
public:
    TfmSelectWorkType();
    void Next() override;

    QLabel* lblDevice;
    QListWidget* listBox;

protected:
    void FormShow() override;
    void resizeEvent(QResizeEvent* event) override;
};

} // namespace Regmaven
