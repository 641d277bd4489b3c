#include "platform/ui/MemoLimit.h"

#include <QPlainTextEdit>
#include <QScopedValueRollback>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <utility>

TMemoLimit::TMemoLimit(QPlainTextEdit* memo, int maxLength) : QObject(memo), FMemo(memo), FMaxLength(maxLength)
{
    connect(memo->document(), &QTextDocument::contentsChange, this, [this](int at, int, int added) {
        FAddedAt = at;
        FAdded = FSetting ? 0 : added;
    });
    connect(memo, &QPlainTextEdit::textChanged, this, &TMemoLimit::Cut);
}

void TMemoLimit::SetText(const QString& text)
{
    const QScopedValueRollback<bool> setting(FSetting, true);
    FMemo->setPlainText(text);
}

void TMemoLimit::Cut()
{
    const int size = FMemo->document()->characterCount() - 1;
    const int excess = size - FMaxLength;
    const int added = std::exchange(FAdded, 0);
    if (excess <= 0 || added <= 0)
        return;
    // A whole new text counts its closing paragraph mark too.
    const int end = std::min(FAddedAt + added, size);
    QTextCursor cursor(FMemo->document());
    cursor.setPosition(end - std::min(excess, end - FAddedAt));
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
}
