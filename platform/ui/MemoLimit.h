#pragma once
// TMemoLimit: a memo's limit on the text put in by hand (typing, pasting,
// dropping, any edit of its document), as a memo's MaxLength: what goes past
// the limit is taken out again from the end of what was put in. Text set
// through SetText (a loaded file, a filler) is taken whole.
#include <QObject>

class QPlainTextEdit;

class TMemoLimit : public QObject {
    Q_OBJECT
public:
    // Made before the page's own handlers of the memo's changes, so that
    // they see the text already cut.
    TMemoLimit(QPlainTextEdit* memo, int maxLength);

    int MaxLength() const { return FMaxLength; }
    // Replaces the memo's text, beyond the limit too.
    void SetText(const QString& text);

private:
    void Cut();

    QPlainTextEdit* FMemo;
    int FMaxLength;
    bool FSetting = false;
    // The last change of the text: where, and how much was put in.
    int FAddedAt = 0;
    int FAdded = 0;
};
