#pragma once
// TfmPrintText: the page "Текст": one string printed in several ways with the
// ribbon flags, the non-fiscal document, and a memo printed line by line
// (stopped by "Прервать"), loaded from and saved to text files. The memo
// takes at most 4096 characters from the keyboard or the clipboard.
#include "core/pages/untPages.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class TMemoLimit;

class TfmPrintText : public TPage {
    Q_OBJECT
public:
    static constexpr const char* PageCaption = "Текст";
    explicit TfmPrintText(QWidget* owner = nullptr);

    void UpdatePage() override;

    QLineEdit* edtStringForPrinting;
    QCheckBox* chbUseReceiptRibbon;
    QCheckBox* chbUseJournalRibbon;
    QCheckBox* chbUseSlipDocument;
    QCheckBox* chbCarryStrings;
    QCheckBox* chbDelayedPrint;
    QCheckBox* chkUseSlipCheck;
    QSpinBox* seFontType;
    QPlainTextEdit* Memo;
    QLabel* lblStrCount;

    QPushButton* btnPrintString;
    QPushButton* btnPrintWideString;
    QPushButton* btnPrintStringWithFont;
    QPushButton* btnPrintStringWithWrap;
    QPushButton* btnOpenNonFiscalDocument;
    QPushButton* btnCloseNonFiscalDocument;
    QPushButton* btnPrint;
    QPushButton* btnStop;
    QPushButton* btnOpen;
    QPushButton* btnSave;

    void btnPrintStringClick();
    void btnPrintWideStringClick();
    void btnPrintStringWithFontClick();
    void btnPrintStringWithWrapClick();
    void btnOpenNonFiscalDocumentClick();
    void btnCloseNonFiscalDocumentClick();
    void btnPrintClick();
    void btnStopClick();
    void btnOpenClick();
    void btnSaveClick();
    void MemoChange();

protected:
    void showEvent(QShowEvent* event) override;
    // Closing the page, or the window it is in, stops its loop.
    void hideEvent(QHideEvent* event) override;

private:
    void SetRibbonFlags();

    bool FStopFlag = false;
    TMemoLimit* FMemoLimit;
};
