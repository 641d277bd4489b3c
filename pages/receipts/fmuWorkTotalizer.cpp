#include "pages/receipts/fmuWorkTotalizer.h"

#include "core/driver/untDriver.h"
#include "core/support/Format.h"
#include "core/pages/MemoReport.h"
#include "platform/ui/FormBuilder.h"

#include <algorithm>

namespace {
// The register that ends the list: past the last one.
constexpr int32_t NoSuchRegister = 51;
} // namespace

TfmWorkTotalizer::TfmWorkTotalizer(QWidget* owner)
    : TPage(owner, "fmWorkTotalizer", PageCaption), FReader(this, nullptr, nullptr)
{
    TFormBuilder<TfmWorkTotalizer> page(this);
    ReportMemo(page.Memo(NAMED(Memo), true));
    using T = TfmWorkTotalizer;
    page.Columns().Buttons(1, {
        {"btnReadAll", "Прочитать все", &T::btnReadAllClick, "GetOperationReg", TRun::Plain},
        {NAMED(btnStop), "Прервать", &T::btnStopClick, {}, TRun::Stop},
    });
    FReader = TRegisterReader(this, Memo, btnStop);
}

void TfmWorkTotalizer::btnStopClick()
{
    FReader.Stop();
}

void TfmWorkTotalizer::btnReadAllClick()
{
    TDriver& d = Driver();
    // The first register of each pair keeps its content for the total.
    std::vector<int> seconds;
    for (int first : d.CapFN() ? std::vector<int>{185, 196, 198} : std::vector<int>{185, 195, 197})
        seconds.push_back(first + 1);
    int32_t low = 0;
    FReader.Run(QStringLiteral(" ОПЕРАЦИОННЫЕ РЕГИСТРЫ:"), 0, 255, [&](int i) {
        d.setRegisterNumber(i);
        if (d.GetOperationReg() != 0) {
            if (d.ResultCode() == NoSuchRegister)
                return false;
            TRegisterReader::AbortWithError();
        }
        const int32_t content = d.ContentsOfOperationRegister();
        if (std::find(seconds.begin(), seconds.end(), i) != seconds.end()) {
            const int64_t total = int64_t(uint16_t(content)) * 65536 + uint16_t(low);
            Memo->appendPlainText(Format(QStringLiteral(" %3d.%-50s : %d (Total: %d)"),
                                         {i, d.NameOperationReg(), content, qlonglong(total)}));
        } else {
            Memo->appendPlainText(Format(QStringLiteral(" %3d.%-50s : %d"), {i, d.NameOperationReg(), content}));
        }
        low = content;
        return true;
    });
}
