#pragma once
// TfmSelectPortType: page "Выберите тип подключения к ККТ": the system
// administrator password and the choice of COM port or TCP.
#include "regmaven/ParamPage.h"

class QLabel;
class QLineEdit;
class QListWidget;

namespace Regmaven {

class TfmSelectPortType : public TParamPage {
    Q_OBJECT
public:
    TfmSelectPortType();
    void Next() override;

    QListWidget* listBox;
    QLabel* lblPassword;
    QLineEdit* edtSysAdminPassword;

protected:
    void FormShow() override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

} // namespace Regmaven
