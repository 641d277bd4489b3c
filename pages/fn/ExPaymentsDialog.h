#pragma once
// TExPaymentsDialog: a modal tool window of extra payment sums, centred on
// the screen: one edit per sum (at most 16 characters, default "0") and an
// "OK" default button. It parses its edits into Summ when it is created (each
// stored text on its own; a bad one is reported once and leaves its sum 0)
// and on "OK" (all or none: the first bad text raises its input error, its
// edit gets the focus and the dialog stays open); the close box leaves Summ
// as it was and shows the texts it came from again. The edits are loaded
// from the registry when the dialog is created and stored when it is
// destroyed, under the form's name.
#include "core/binding/OrvekTypes.h"
#include "core/pages/BaseForm.h"

#include <QByteArray>
#include <array>

class QLineEdit;
class QPushButton;

class TExPaymentsDialog : public TBaseForm {
    Q_OBJECT
public:
    // The sums first..last (at most 16), `rows` to a column; the edit of sum
    // n is named "edtSumm<editNumber(n)>".
    TExPaymentsDialog(QWidget* parent, const char* formName, int first, int last, int rows,
                      int (*editNumber)(int) = nullptr);
    ~TExPaymentsDialog() override;

    // The sums by number (the others unused).
    std::array<Currency, 17> Summ{};
    QLineEdit* Edit(int n) const { return FEdits[std::size_t(n)]; }
    QPushButton* btnOk;

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

    int FFirst;
    int FLast;
    std::array<QLineEdit*, 17> FEdits{};
    std::array<QString, 17> FAcceptedTexts;  // the texts Summ was parsed from
};
