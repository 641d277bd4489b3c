#pragma once
// TEditLimit: an edit's limit on the text put in by hand (typing, pasting,
// dropping), as an edit's MaxLength: what goes past the limit is left out of
// what was put in, and an input none of which fits is refused. Text set from
// code (setText: a stored value, a driver's answer) is taken whole, and a text
// longer than the limit can still be edited and shortened by hand.
//
//   SetEditLimit(b.Edit(NAMED(edtINN), QStringLiteral("ИНН:")), 12);
//
// The limit is the edit's validator; it keeps a validator the edit has when
// the limit is set (so set the limit after the edit's own validator).
#include <QPointer>
#include <QValidator>

class QLineEdit;

class TEditLimit : public QValidator {
    Q_OBJECT
public:
    enum TInput {
        TypedAndPasted,
        // Pasted and dropped texts are taken whole (a scanned text that the
        // page takes apart).
        TypedOnly,
    };

    TEditLimit(QLineEdit* edit, int maxLength, TInput input = TypedAndPasted);

    // The edit's limit, if it has one.
    static TEditLimit* Of(const QLineEdit* edit);

    int MaxLength() const { return FMaxLength; }
    TInput Input() const { return FInput; }
    void SetMaxLength(int maxLength) { FMaxLength = maxLength; }

    State validate(QString& input, int& pos) const override;
    void fixup(QString& input) const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    State Inner(QString& input, int& pos) const;
    bool Accepted(QString text) const;

    QLineEdit* FEdit;
    int FMaxLength;
    TInput FInput;
    QPointer<const QValidator> FInner;
    // The edit's text before the change being validated.
    QString FText;
    // TypedOnly: the edit is handling a typed key.
    bool FTyping = false;
};

// Sets the limit of an edit (a new one or the one it has); returns the edit.
QLineEdit* SetEditLimit(QLineEdit* edit, int maxLength, TEditLimit::TInput input = TEditLimit::TypedAndPasted);
// The edit's limit; 0: none.
int EditLimit(const QLineEdit* edit);
