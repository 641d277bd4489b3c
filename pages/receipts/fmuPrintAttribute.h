#pragma once
// TfmPrintAttribute: the page "Реквизиты": one numbered attribute, or all 256
// with a blank value.
#include "core/pages/untPages.h"

class QPlainTextEdit;
class QPushButton;
class QSpinBox;

class TfmPrintAttribute : public TPage {
    Q_OBJECT
public:
    static constexpr const char* PageCaption = "Реквизиты";
    explicit TfmPrintAttribute(QWidget* owner = nullptr);

    QSpinBox* seAttributeNumber;
    QPlainTextEdit* memAttribute;
    QPushButton* btnPrintAttribute;
    QPushButton* btnPrintAttributes;

    void btnPrintAttributeClick();
    void btnPrintAttributesClick();
};
