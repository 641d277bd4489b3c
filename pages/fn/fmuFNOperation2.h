#pragma once
// TfmFNOperation2: "Чек коррекции (ФФД 1.05)", correction receipts: the v2
// form with all sums (alone, or begun and preceded by the basis tags 1179
// and 1178) and the older one-step form. The receipt number, document number
// and fiscal sign of the receipt made go into a read-only memo.
#include "core/pages/MemoReport.h"
#include "core/pages/untPages.h"

#include <array>

class QCheckBox;
class QComboBox;
class QDateTimeEdit;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

class TfmFNOperation2 : public TPage {
    Q_OBJECT
public:
    static constexpr const char* PageCaption = "Чек коррекции (ФФД 1.05)";
    explicit TfmFNOperation2(QWidget* owner = nullptr);

    QComboBox* cbCorrectionType;
    QComboBox* cbCalculationSign;
    QComboBox* cbTaxType;
    // edtSumm1 .. edtSumm12 and edtSumm17 .. edtSumm20 (the others null).
    std::array<QLineEdit*, 21> edtSumm{};
    QCheckBox* chkAddTaxesEnabled;
    QLineEdit* edtDocumentNumber;
    QDateTimeEdit* dtpDocumentDate;
    QPlainTextEdit* Memo;
    QPushButton* btnBeginCorrection;
    QPushButton* btnBuildCorrection2;
    QPushButton* btnBuildCorrectionWithBasis;
    QPushButton* btnBuildCorrection;

    void BeginCorrection();
    // The basis tags 1179 (number) and 1178 (date at 00:00:00).
    void SendTags();
    void BuildCorrection2();

private:
    void AddResult();
    void btnBeginCorrectionClick();
    void btnBuildCorrection2Click();
    void btnBuildCorrectionWithBasisClick();
    void btnBuildCorrectionClick();

    TMemoReport FReport;
};
