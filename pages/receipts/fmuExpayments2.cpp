#include "pages/receipts/fmuExpayments2.h"

#include "platform/ui/NamedControls.h"
#include "core/settings/ControlStore.h"
#include "core/support/untUtil.h"
#include "platform/Exceptions.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QScreen>
#include <QShortcut>
#include <optional>

TfmExPayments2* fmExPayments2 = nullptr;

namespace {
QString FieldName(int n)
{
    return QStringLiteral("Summ%1").arg(n);
}
} // namespace

TfmExPayments2::TfmExPayments2(QWidget* parent) : TBaseForm(parent)
{
    setObjectName(QStringLiteral("fmExPayments2"));
    setWindowTitle(QStringLiteral("Доп. типы оплаты"));
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    auto* grid = new QGridLayout(this);
    for (int n = 5; n <= 16; ++n) {
        // Sum 16 lives in edtSumm17.
        const QByteArray name = "edtSumm" + QByteArray::number(n == 16 ? 17 : n);
        QLineEdit* edit = NewEdit(this, name.constData(), QStringLiteral("0"), 16);
        edit->setToolTip(FieldName(n));
        FEdits[std::size_t(n)] = edit;
        const int row = (n - 5) % 6;
        const int column = (n - 5) / 6 * 2;
        auto* label = NewLabel(this, QStringLiteral("Сумма %1:").arg(n));
        label->setBuddy(edit);
        grid->addWidget(label, row, column);
        grid->addWidget(edit, row, column + 1);
    }
    btnOk = NewButton(this, "btnOk", QStringLiteral("OK"), this, &TfmExPayments2::btnOkClick);
    btnOk->setDefault(true);
    grid->addWidget(btnOk, 6, 3, Qt::AlignRight);
    for (QKeySequence key : {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)})
        connect(new QShortcut(key, this), &QShortcut::activated, btnOk, &QPushButton::click);

    adjustSize();
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    FormCreate();
}

TfmExPayments2::~TfmExPayments2()
{
    SaveParams();
}

// The stored texts, then each parsed on its own: a bad one is reported
// once and leaves its sum 0, the others are taken.
void TfmExPayments2::FormCreate()
{
    LoadParams();
    std::optional<Exception> firstError;
    for (int n = 5; n <= 16; ++n) {
        try {
            Summ[std::size_t(n)] = GetSumm(Edit(n)->text(), FieldName(n));
        } catch (const Exception& e) {
            Summ[std::size_t(n)] = 0;
            if (!firstError)
                firstError = e;
        }
        FAcceptedTexts[std::size_t(n)] = Edit(n)->text();
    }
    if (firstError)
        HandleException(*firstError);
}

void TfmExPayments2::UpdateObject()
{
    std::array<Currency, 17> sums{};
    for (int n = 5; n <= 16; ++n) {
        try {
            sums[std::size_t(n)] = GetSumm(Edit(n)->text(), FieldName(n));
        } catch (const Exception&) {
            Edit(n)->setFocus();
            throw;
        }
    }
    Summ = sums;
    for (int n = 5; n <= 16; ++n)
        FAcceptedTexts[std::size_t(n)] = Edit(n)->text();
}

void TfmExPayments2::LoadParams()
{
    LoadFormParams(this);
}

void TfmExPayments2::SaveParams()
{
    SaveFormParams(this);
}

void TfmExPayments2::btnOkClick()
{
    UpdateObject();
    SetModalResult(Dialogs::mrOk);
}

void TfmExPayments2::ShowAcceptedTexts()
{
    for (int n = 5; n <= 16; ++n)
        Edit(n)->setText(FAcceptedTexts[std::size_t(n)]);
}

void TfmExPayments2::closeEvent(QCloseEvent* event)
{
    ShowAcceptedTexts();
    TBaseForm::closeEvent(event);
}
