#pragma once
// TfmSelectNetType: page "Выберите тип подключения к ОФД": Ethernet, Wi-Fi or RNDIS.
#include "regmaven/ParamPage.h"

class QListWidget;

namespace Regmaven {

class TfmSelectNetType : public TParamPage {
    Q_OBJECT
public:
    TfmSelectNetType();
    void Next() override;

    QListWidget* listBox;

protected:
    void FormShow() override;
    void resizeEvent(QResizeEvent* event) override;
};

} // namespace Regmaven
