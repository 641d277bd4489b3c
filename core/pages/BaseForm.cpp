#include "core/pages/BaseForm.h"

#include "platform/Guard.h"
#include "platform/ui/Controls.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QPushButton>

namespace {
bool CanFocus(const QWidget* w)
{
    return w->isVisible() && w->isEnabled() && w->focusPolicy() != Qt::NoFocus;
}

void EnableControlsFocused(QWidget* control, bool value, QPointer<QWidget>& active)
{
    for (QWidget* child : ChildControls(control))
        EnableControlsFocused(child, value, active);
    auto* button = qobject_cast<QPushButton*>(control);
    if (!button)
        return;
    if (!value && button->hasFocus())
        active = button;
    if (!value && button->isEnabled()) {
        SetTag(button, 1);
        button->setEnabled(false);
    } else if (value && Tag(button) == 1) {
        SetTag(button, 0);
        button->setEnabled(true);
    }
    if (value && active == button && CanFocus(button))
        button->setFocus();
}
} // namespace

TBaseForm::TBaseForm(QWidget* parent) : QWidget(parent) {}

void TBaseForm::EnableButtons(bool Value)
{
    EnableControlsFocused(this, Value, FActiveControl);
}

int TBaseForm::ShowModal()
{
    FModalResult = Dialogs::mrNone;
    setWindowModality(Qt::ApplicationModal);
    show();
    QEventLoop loop;
    FModalLoop = &loop;
    loop.exec();
    FModalLoop = nullptr;
    hide();
    return FModalResult;
}

void TBaseForm::SetModalResult(int Value)
{
    FModalResult = Value;
    if (Value != Dialogs::mrNone && FModalLoop)
        FModalLoop->quit();
}

void TBaseForm::closeEvent(QCloseEvent* event)
{
    if (FModalLoop) {
        if (FModalResult == Dialogs::mrNone)
            FModalResult = Dialogs::mrCancel;
        FModalLoop->quit();
    }
    QWidget::closeEvent(event);
}

TEnableButtonsFrame::TEnableButtonsFrame(TBaseForm* form) : FForm(form)
{
    FForm->EnableButtons(false);
}

TEnableButtonsFrame::~TEnableButtonsFrame()
{
    if (FForm)
        RunGuarded([this] { FForm->EnableButtons(true); });
}
