#pragma once
// TfmPrintHeader: the page "Клише": the document title (showing the running
// number it got), the cliche, the trailer and the end of a document.
#include "core/pages/untPages.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

class TfmPrintHeader : public TPage {
    Q_OBJECT
public:
    static constexpr const char* PageCaption = "Клише";
    explicit TfmPrintHeader(QWidget* owner = nullptr);

    QLineEdit* edtDocumentName;
    QSpinBox* seDocumentNumber;
    QLineEdit* edtOpenDocumentNumber;
    QCheckBox* chkFinishDocumentMode;

    QPushButton* btnPrintDocumentTitle;
    QPushButton* btnPrintCliche;
    QPushButton* btnPrintTrailer;
    QPushButton* btnFinishDocument;

    void btnPrintDocumentTitleClick();
    void btnPrintClicheClick();
    void btnPrintTrailerClick();
    void btnFinishDocumentClick();
};
