#pragma once
// TfmNonClearableSumm: the page "Необнуляемые суммы": the FN's
// non-resettable sums, plain, extended by receipt type and all four types.
#include "core/binding/OrvekTypes.h"
#include "core/pages/untPages.h"

class QComboBox;
class QPlainTextEdit;

class TfmNonClearableSumm : public TPage {
    Q_OBJECT
public:
    static constexpr const char* PageCaption = "Необнуляемые суммы";
    explicit TfmNonClearableSumm(QWidget* owner = nullptr);

    QComboBox* cbCheckType;
    QPlainTextEdit* Memo;

    void btnFNGetNonClearableSummClick();
    void btnFNGetNonClearableSummExClick();
    void btnReadAllNonClearableSummClick();

private:
    // The extended sums of one receipt type (1..4, 5 the corrections) into the memo.
    void ReadNonClearableSummEx(int Type);
    void AddSumm(const QString& Name, Currency Value);
};
