#include "core/pages/BaseForm.h"

#include "platform/Guard.h"
#include "platform/ui/Controls.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QPushButton>

namespace {
bool CanFocus(const QWidget* w)
{
    return w->isVisible() && w->isEnabled() && w->focusPolicy() != Qt::NoFocus;
}

void EnableControlsFocused(QWidget* control, bool value, const QPointer<QWidget>& active)
{
    for (QWidget* child : ChildControls(control))
        EnableControlsFocused(child, value, active);
    auto* button = qobject_cast<QPushButton*>(control);
    if (!button)
        return;
    if (!value && button->isEnabled()) {
        SetTag(button, 1);
        button->setEnabled(false);
    } else if (value && (Tag(button) == 1 || IsStopButton(button))) {
        SetTag(button, 0);
        button->setEnabled(!IsStopButton(button));
    }
    if (value && active == button && CanFocus(button))
        button->setFocus();
}
} // namespace

TBaseForm::TBaseForm(QWidget* parent) : QWidget(parent) {}

QPushButton* TBaseForm::FocusedButton() const
{
    auto* button = qobject_cast<QPushButton*>(QApplication::focusWidget());
    return button && button->hasFocus() && isAncestorOf(button) ? button : nullptr;
}

void TBaseForm::EnableButtons(bool Value)
{
    // Taken before the walk: disabling the focused button moves the focus on
    // to a later one.
    if (!Value)
        if (QPushButton* focused = FocusedButton())
            FActiveControl = focused;
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

void TBaseForm::keyPressEvent(QKeyEvent* event)
{
    // Escape in a modal form does what the close box does.
    if (FModalLoop && event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
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
