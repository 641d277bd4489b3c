#pragma once
// TfmReboot: "Перезагрузка", restarts the register.
#include "core/pages/untPages.h"

class QPushButton;

class TfmReboot : public TPage {
    Q_OBJECT
public:
    static constexpr const char* PageCaption = "Перезагрузка";
    explicit TfmReboot(QWidget* owner = nullptr);

    QPushButton* btnReboot;

private:
    void btnRebootClick();
};
