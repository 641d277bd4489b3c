#pragma once
// TfmExPayments2: the modal dialog "Доп. типы оплаты" with the extra payment
// sums 5 to 16 of the legacy receipt page, created at program start as
// fmExPayments2. It parses its edits into Summ when it is created and on
// "OK"; the close box leaves Summ as it was and shows the texts it came from
// again. The edits are loaded from the registry when the dialog is created
// and stored when it is destroyed, under the form's name.
#include "core/binding/OrvekTypes.h"
#include "core/pages/BaseForm.h"

#include <array>

class QLineEdit;
class QPushButton;

class TfmExPayments2 : public TBaseForm {
    Q_OBJECT
public:
    explicit TfmExPayments2(QWidget* parent = nullptr);
    ~TfmExPayments2() override;

    // The sums 5..16 (elements 0..4 unused).
    std::array<Currency, 17> Summ{};
    // The edit of sum n (5..16): edtSumm5 .. edtSumm15, and edtSumm17 for sum 16.
    QLineEdit* Edit(int n) const { return FEdits[std::size_t(n)]; }
    QPushButton* btnOk;

    // Parses every edit; the first text that is no amount raises its input
    // error (the edit gets the focus) and no sum changes.
    void UpdateObject();
    void LoadParams();
    void SaveParams();
    void btnOkClick();

protected:
    // The close box: the texts of the sums in use again.
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();
    void ShowAcceptedTexts();

    std::array<QLineEdit*, 17> FEdits{};
    std::array<QString, 17> FAcceptedTexts;  // the texts Summ was parsed from
};

extern TfmExPayments2* fmExPayments2;
