#pragma once
// TfmFNFiscalization: "Фискализация ФН", the registration report and the
// re-registration report of the register with its FN (the registration data
// go into driver properties and device tables in a fixed order, the build
// runs with a raised driver timeout), the registration results read back
// into the inputs, and the registration document as text or one tag as hex.
#include "core/pages/MemoReport.h"
#include "core/pages/untPages.h"

#include <array>
#include <cstdint>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// 0: empty; 1 "Замена ФН", 2 "Замена ОФД", 3 "Изменение реквизитов",
// 4 "Изменение настроек ККТ"; anything else "Неизвестный код".
QString ReasonCodeToStr(int Code);

class TfmFNFiscalization : public TPage {
    Q_OBJECT
public:
    static constexpr const char* PageCaption = "Фискализация ФН";
    explicit TfmFNFiscalization(QWidget* owner = nullptr);

    QLineEdit* edtINN;
    QComboBox* cbINNType;
    QLineEdit* edtKKTRegistrationNumber;
    QLineEdit* edtTaxType;
    QCheckBox* chbTax0;
    QCheckBox* chbTax1;
    QCheckBox* chbTax2;
    QCheckBox* chbTax4;
    QCheckBox* chbTax5;
    QLineEdit* edtWorkMode;
    std::array<QCheckBox*, 8> chbWorkMode{};   // chbWorkmode0, chbWorkMode1 .. chbWorkMode7
    QLineEdit* edtWorkModeEx;
    std::array<QCheckBox*, 8> chkWorkModeEx{}; // chkWorkModeEx0 .. chkWorkModeEx7
    QLineEdit* edtAutomatNumber;
    QComboBox* cbTimeZone;
    QComboBox* cbReportTypeInt;
    QComboBox* cbReasonCode;
    QLineEdit* edtReasonCodeEx;
    QPushButton* btn1;
    QLineEdit* edtRegistrationNumber;
    QLineEdit* edtTagNumber;
    QPlainTextEdit* Memo;
    QPushButton* btnFNBeginFiscalization;
    QPushButton* btnFNFiscalization;
    QPushButton* btnFNBuildReregistrationReport;
    QPushButton* btnFNGetFiscalizationResult;
    QPushButton* btnFNGetFiscalizationResultByNumber;
    QPushButton* btnReadRegistrationDoc;
    QPushButton* btnReadRegistrationTag;

    // The time-zone hint of an item (-1: none selected).
    static QString TimeZoneHint(int Index);
    // Clears the time-zone selection, enables the automat number in
    // automatic mode, sets the INN's maximum length by its type.
    void UpdateForm();
    // Asks whether to go on when a box that needs the FN's OSU support is
    // ticked and the FN or the firmware lacks it; true to go on.
    bool CheckAndQueryforOSU();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void btnFNBeginFiscalizationClick();
    void btnFNFiscalizationClick();
    void btnFNBuildReregistrationReportClick();
    void btnFNGetFiscalizationResultClick();
    void btnFNGetFiscalizationResultByNumberClick();
    void btnReadRegistrationDocClick();
    void btnReadRegistrationTagClick();
    void btn1Click();
    void TaxSystemClick();
    void WorkModeClick();
    void cbINNTypeChange();
    void cbTimeZoneChange();
    void NumberKeyPress(QChar& Key);

    // The registration (Reregistration false) or re-registration report.
    void BuildReport(bool Reregistration);
    // The lines of a results query after the call: OFD INN and extended
    // mode as found, INN as the edit gets it, the reason code's value text.
    void AddFiscalizationResult(const QString& Title, const QString& INNOFD, int WorkModeEx, const QString& INN);
    void AddDocumentResult();
    // Page variants of the decoders: the lines, then the inputs.
    void AddTaxSystem();
    void AddWorkMode();
    void AddWorkModeEx(int Value);

    TMemoReport FReport;
};
