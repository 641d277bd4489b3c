#include "pages/fn/fmuSelectFNDocumentRange.h"

#include "core/pages/KeyPress.h"
#include "platform/ui/NamedControls.h"
#include "platform/ui/UpDown.h"
#include "platform/ui/Dialogs.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

namespace {
// An edit that takes digits as they are typed, with its up-down beside it.
QLineEdit* NumberEdit(QWidget* parent, const char* name, const char* upDownName, TUpDown*& upDown)
{
    auto* edit = NewEdit(parent, name);
    SetKeyPress(edit, [](QChar& Key) {
        if (Key != QChar(8) && Key != QChar(9) && !Key.isDigit())
            Key = QChar(0);
    });
    upDown = new TUpDown(parent);
    upDown->setObjectName(QString::fromLatin1(upDownName));
    upDown->SetAssociate(edit);
    return edit;
}
} // namespace

TfmSelectFNDocumentRange::TfmSelectFNDocumentRange(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("fmSelectFNDocumentRange"));
    setWindowTitle(QStringLiteral("Выберите диапазон документов"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    auto* grid = new QGridLayout(this);
    lblFNInfo = NewLabel(this, QString(), "lblFNInfo");
    grid->addWidget(lblFNInfo, 0, 0, 1, 2);
    grid->addWidget(NewLabel(this, QStringLiteral("Выберите диапазон документов:")), 1, 0, 1, 2);

    auto* range = new QHBoxLayout;
    edtFirstDocumentNumber = NumberEdit(this, "edtFirstDocumentNumber", "udFirstDocumentNumber", udFirstDocumentNumber);
    edtLastDocumentNumber = NumberEdit(this, "edtLastDocumentNumber", "udLastDocumentNumber", udLastDocumentNumber);
    range->addWidget(edtFirstDocumentNumber);
    range->addWidget(udFirstDocumentNumber);
    range->addWidget(NewLabel(this, QStringLiteral("-")));
    range->addWidget(edtLastDocumentNumber);
    range->addWidget(udLastDocumentNumber);
    grid->addLayout(range, 2, 0, 1, 2);

    btnOK = NewControl<QPushButton>(this, "btnOK", QStringLiteral("OK"));
    btnCancel = NewControl<QPushButton>(this, "btnCancel", QStringLiteral("Отмена"));
    btnOK->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    grid->addLayout(buttons, 3, 0, 1, 2);
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);

    connect(udFirstDocumentNumber, &TUpDown::changingEx, this, &TfmSelectFNDocumentRange::udFirstDocumentNumberChanging);
    connect(udLastDocumentNumber, &TUpDown::changingEx, this, &TfmSelectFNDocumentRange::udLastDocumentNumberChanging);
    Dialogs::KeepTitleWhole(this);
}

// A step is taken when it leaves the numbers in order or brings them closer
// to it (after numbers typed out of order).
void TfmSelectFNDocumentRange::udFirstDocumentNumberChanging(int NewPosition, bool* AllowChange)
{
    *AllowChange = NewPosition <= udLastDocumentNumber->Position() || NewPosition < udFirstDocumentNumber->Position();
}

void TfmSelectFNDocumentRange::udLastDocumentNumberChanging(int NewPosition, bool* AllowChange)
{
    *AllowChange = NewPosition >= udFirstDocumentNumber->Position() || NewPosition > udLastDocumentNumber->Position();
}

bool QuerySelectFNDocumentRange(std::int32_t& First, std::int32_t& Last)
{
    TfmSelectFNDocumentRange dialog(QApplication::activeWindow());
    dialog.lblFNInfo->setText(QStringLiteral("В ФН доступно %1 документов").arg(Last));
    dialog.udFirstDocumentNumber->SetRange(1, Last);
    dialog.udLastDocumentNumber->SetRange(1, Last);
    dialog.udLastDocumentNumber->SetPosition(Last);
    dialog.udFirstDocumentNumber->SetPosition(1);
    dialog.adjustSize();
    if (const QScreen* screen = QApplication::primaryScreen())
        dialog.move(screen->availableGeometry().center() - dialog.rect().center());
    const bool ok = dialog.exec() == QDialog::Accepted;
    First = dialog.udFirstDocumentNumber->Position();
    Last = dialog.udLastDocumentNumber->Position();
    return ok;
}
