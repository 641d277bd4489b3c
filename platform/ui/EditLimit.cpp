#include "platform/ui/EditLimit.h"

#include <QEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <algorithm>

TEditLimit::TEditLimit(QLineEdit* edit, int maxLength, TInput input)
    : QValidator(edit), FEdit(edit), FMaxLength(maxLength), FInput(input), FInner(edit->validator()), FText(edit->text())
{
    connect(edit, &QLineEdit::textChanged, this, [this](const QString& text) { FText = text; });
    if (input == TypedOnly)
        edit->installEventFilter(this);
    edit->setValidator(this);
}

TEditLimit* TEditLimit::Of(const QLineEdit* edit)
{
    return qobject_cast<TEditLimit*>(const_cast<QValidator*>(edit->validator()));
}

bool TEditLimit::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == FEdit) {
        const auto* key = event->type() == QEvent::KeyPress ? static_cast<QKeyEvent*>(event) : nullptr;
        FTyping = event->type() == QEvent::InputMethod
               || (key && !key->text().isEmpty() && !key->matches(QKeySequence::Paste));
    }
    return QValidator::eventFilter(watched, event);
}

QValidator::State TEditLimit::Inner(QString& input, int& pos) const
{
    return FInner ? FInner->validate(input, pos) : Acceptable;
}

bool TEditLimit::Accepted(QString text) const
{
    int pos = 0;
    return Inner(text, pos) != Invalid;
}

QValidator::State TEditLimit::validate(QString& input, int& pos) const
{
    const State state = Inner(input, pos);
    // The edit's changes by hand are on its undo stack; setText empties it.
    const bool byHand = FEdit->isUndoAvailable() && (FInput == TypedAndPasted || FTyping);
    if (state == Invalid || !byHand)
        return state;
    // By hand a text grows up to the limit, or up to its old length when that
    // is above the limit (a text from code can be edited too).
    const qsizetype excess = input.size() - std::max<qsizetype>(FMaxLength, FText.size());
    if (excess <= 0)
        return state;
    // What was put in: the text between the parts the old and new texts share.
    const qsizetype common = std::min(input.size(), FText.size());
    qsizetype prefix = 0;
    while (prefix < common && input[prefix] == FText[prefix])
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < common - prefix && input[input.size() - 1 - suffix] == FText[FText.size() - 1 - suffix])
        ++suffix;
    const qsizetype added = input.size() - prefix - suffix;
    const qsizetype cut = std::min(excess, added);
    // None of it fits: the edit takes the change back (it does so only from
    // a text its validator accepts).
    if (cut == added && Accepted(FText))
        return Invalid;
    input.remove(prefix + added - cut, cut);
    pos = int(prefix + added - cut);
    return Inner(input, pos);
}

void TEditLimit::fixup(QString& input) const
{
    if (FInner)
        FInner->fixup(input);
}

QLineEdit* SetEditLimit(QLineEdit* edit, int maxLength, TEditLimit::TInput input)
{
    if (auto* limit = TEditLimit::Of(edit))
        limit->SetMaxLength(maxLength);
    else
        new TEditLimit(edit, maxLength, input);
    return edit;
}

int EditLimit(const QLineEdit* edit)
{
    const auto* limit = TEditLimit::Of(edit);
    return limit ? limit->MaxLength() : 0;
}
