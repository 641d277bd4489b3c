#include "regmaven/fmuSelectPortType.h"

#include "core/support/SysUtils.h"
#include "platform/Guard.h"
#include "platform/ui/EditLimit.h"
#include "platform/ui/NamedControls.h"
#include "regmaven/untController.h"
#include "regmaven/untDriver.h"
#include "regmaven/untInputChecks.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpressionValidator>

namespace Regmaven {

DECLARE_PAGE_CLASS(TfmSearchDevice);
DECLARE_PAGE_CLASS(TfmTCPParams);
DEFINE_PAGE_CLASS(TfmSelectPortType);

TfmSelectPortType::TfmSelectPortType() : TParamPage("fmSelectPortType", QStringLiteral("Выберите тип подключения к ККТ"))
{
    setMinimumSize(730, 351);
    listBox = NewControl<QListWidget>(this, "listBox");
    listBox->addItems({QStringLiteral("COM-порт"), QStringLiteral("TCP (Ethernet, WiFi, RNDIS)")});
    listBox->setFont(BoldArial(16));
    listBox->setFrameShape(QFrame::NoFrame);
    listBox->setBackgroundRole(QPalette::Button);
    listBox->viewport()->setBackgroundRole(QPalette::Button);
    listBox->setStyleSheet(QStringLiteral("QListWidget::item { height: 30px; }"));
    listBox->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    listBox->setFixedSize(420, 2 * listBox->sizeHintForRow(0) + 4);
    connect(listBox, &QListWidget::itemDoubleClicked, this, Guarded([] { Controller().Next(); }));

    lblPassword = NewLabel(this, QStringLiteral("Пароль системного администратора:"), "lblPassword");
    lblPassword->adjustSize();
    edtSysAdminPassword = NewEdit(this, "edtSysAdminPassword");
    edtSysAdminPassword->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d*")), edtSysAdminPassword));
    SetEditLimit(edtSysAdminPassword, 10);
    edtSysAdminPassword->setFixedWidth(120);
    edtSysAdminPassword->setToolTip(QStringLiteral("SysAdminPassword"));
    lblPassword->setBuddy(edtSysAdminPassword);
}

void TfmSelectPortType::FormShow()
{
    listBox->setCurrentRow(0);
    listBox->setFocus();
    edtSysAdminPassword->setText(QString::number(Driver().SysAdminPassword()));
}

void TfmSelectPortType::Next()
{
    TOrvek& d = Driver();
    d.setSysAdminPassword(NamedConversion(QStringLiteral("Пароль системного администратора"),
                                          [this] { return StrToInt(edtSysAdminPassword->text()); }));
    d.setPassword(d.SysAdminPassword());
    TController& c = Controller();
    c.IsComConnection = listBox->currentRow() == 0;
    if (c.IsComConnection)
        c.NextPageClass = ClassOf<TfmSearchDevice>();
    else
        c.NextPageClass = ClassOf<TfmTCPParams>();
}

void TfmSelectPortType::resizeEvent(QResizeEvent* event)
{
    TParamPage::resizeEvent(event);
    const int left = (width() - listBox->width()) / 2;
    listBox->move(left, 40);
    const int top = listBox->geometry().bottom() + 32;
    lblPassword->move(left, top + (edtSysAdminPassword->sizeHint().height() - lblPassword->height()) / 2);
    edtSysAdminPassword->move(lblPassword->geometry().right() + 1 + 10, top);
}

void TfmSelectPortType::mouseDoubleClickEvent(QMouseEvent* event)
{
    TParamPage::mouseDoubleClickEvent(event);
    RunGuarded([] { Controller().Next(); });
}

} // namespace Regmaven
