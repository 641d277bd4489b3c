#include "pages/fn/ExPaymentsDialog.h"

#include "core/settings/ControlStore.h"
#include "core/support/untUtil.h"
#include "platform/Exceptions.h"
#include "platform/ui/NamedControls.h"
#include "platform/ui/Dialogs.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QScreen>
#include <QShortcut>
#include <optional>

namespace {
QString FieldName(int n)
{
    return QStringLiteral("Summ%1").arg(n);
}
} // namespace

TExPaymentsDialog::TExPaymentsDialog(QWidget* parent, const char* formName, int first, int last, int rows,
                                     int (*editNumber)(int))
    : TBaseForm(parent), FFirst(first), FLast(last)
{
    setObjectName(QString::fromLatin1(formName));
    setWindowTitle(QStringLiteral("Доп. типы оплаты"));
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    auto* grid = new QGridLayout(this);
    int lastColumn = 0;
    for (int n = first; n <= last; ++n) {
        const QByteArray name = "edtSumm" + QByteArray::number(editNumber ? editNumber(n) : n);
        QLineEdit* edit = NewEdit(this, name.constData(), QStringLiteral("0"), 16);
        edit->setToolTip(FieldName(n));
        FEdits[std::size_t(n)] = edit;
        const int row = (n - first) % rows;
        lastColumn = (n - first) / rows * 2;
        auto* label = NewLabel(this, QStringLiteral("Сумма %1:").arg(n));
        label->setBuddy(edit);
        grid->addWidget(label, row, lastColumn);
        grid->addWidget(edit, row, lastColumn + 1);
    }
    btnOk = NewButton(this, "btnOk", QStringLiteral("OK"), this, &TExPaymentsDialog::btnOkClick);
    btnOk->setDefault(true);
    grid->addWidget(btnOk, rows, lastColumn + 1, Qt::AlignRight);
    for (QKeySequence key : {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)})
        connect(new QShortcut(key, this), &QShortcut::activated, btnOk, &QPushButton::click);
    Dialogs::KeepTitleWhole(this);

    adjustSize();
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    FormCreate();
}

TExPaymentsDialog::~TExPaymentsDialog()
{
    SaveParams();
}

void TExPaymentsDialog::FormCreate()
{
    LoadParams();
    std::optional<Exception> firstError;
    for (int n = FFirst; n <= FLast; ++n) {
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

void TExPaymentsDialog::UpdateObject()
{
    std::array<Currency, 17> sums = Summ;
    for (int n = FFirst; n <= FLast; ++n) {
        try {
            sums[std::size_t(n)] = GetSumm(Edit(n)->text(), FieldName(n));
        } catch (const Exception&) {
            Edit(n)->setFocus();
            throw;
        }
    }
    Summ = sums;
    for (int n = FFirst; n <= FLast; ++n)
        FAcceptedTexts[std::size_t(n)] = Edit(n)->text();
}

void TExPaymentsDialog::LoadParams()
{
    LoadFormParams(this);
}

void TExPaymentsDialog::SaveParams()
{
    SaveFormParams(this);
}

void TExPaymentsDialog::btnOkClick()
{
    UpdateObject();
    SetModalResult(Dialogs::mrOk);
}

void TExPaymentsDialog::ShowAcceptedTexts()
{
    for (int n = FFirst; n <= FLast; ++n)
        Edit(n)->setText(FAcceptedTexts[std::size_t(n)]);
}

void TExPaymentsDialog::closeEvent(QCloseEvent* event)
{
    ShowAcceptedTexts();
    TBaseForm::closeEvent(event);
}
