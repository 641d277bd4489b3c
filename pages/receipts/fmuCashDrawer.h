#pragma once
// TfmCashDrawer: the page "Денежный ящик": opens a cash drawer.
#include "core/pages/untPages.h"

class QPushButton;
class QSpinBox;

class TfmCashDrawer : public TPage {
    Q_OBJECT
public:
    static constexpr const char* PageCaption = "Денежный ящик";
    explicit TfmCashDrawer(QWidget* owner = nullptr);

    QSpinBox* seDrawer;
    QPushButton* btnOpenDrawer;

    void btnOpenDrawerClick();
};
