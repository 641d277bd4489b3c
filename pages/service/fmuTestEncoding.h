#pragma once
// TfmTestEncoding: "Кодировки", prints the memo's lines with a chosen font;
// fillers put every character code, every device code-page position or a
// block of Armenian letters into the memo.
#include "core/pages/untPages.h"

#include <QStringList>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class TMemoLimit;

// The memo's lines as the user sees them (none for an empty memo; a line
// break at the end starts no further line).
QStringList MemoLines(const QString& Text);
// The fillers: 16 lines of the codes 00..FF, 32 lines of the device
// code-page references "&#n;", 12 lines of the Armenian letters.
QStringList CodePageLines();
QStringList EcrCodePageLines();
QStringList ArmenianLines();

class TfmTestEncoding : public TPage {
    Q_OBJECT
public:
    static constexpr const char* PageCaption = "Кодировки";
    static constexpr int MaxLength = 4096;
    explicit TfmTestEncoding(QWidget* owner = nullptr);

    QPlainTextEdit* Memo;
    QLabel* lblStrCount;
    QSpinBox* seFontType;
    QPushButton* btnPrint;
    QPushButton* btnStop;
    QPushButton* btnOpen;
    QPushButton* btnSave;
    QPushButton* edtFontCodepage;
    QPushButton* edtEcrCodePage;
    QPushButton* btnArmenianText;
    QPushButton* btnFont1;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void btnPrintClick();
    void btnStopClick();
    void btnOpenClick();
    void btnSaveClick();
    void MemoChange();
    void btnFont1Click();
    void edtFontCodepageClick();
    void edtEcrCodePageClick();
    void btnArmenianTextClick();
    void SetLines(const QStringList& Lines);
    void SetText(const QString& Text);

    bool FStop = false;
    TMemoLimit* FMemoLimit;
};
