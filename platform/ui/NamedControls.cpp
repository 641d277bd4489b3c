#include "platform/ui/NamedControls.h"

#include "platform/ui/EditLimit.h"

#include <QEvent>
#include <QStyle>
#include <QTextDocument>
#include <QtMath>
#include <QAbstractItemView>
#include <algorithm>
#include <climits>

QLabel* NewLabel(QWidget* parent, const QString& caption, const char* name)
{
    return NewControl<QLabel>(parent, name, caption);
}

QGroupBox* NewGroupBox(QWidget* parent, const char* name, const QString& caption)
{
    return NewControl<QGroupBox>(parent, name, caption);
}

QLineEdit* NewEdit(QWidget* parent, const char* name, const QString& text, int maxLength)
{
    auto* edit = NewControl<QLineEdit>(parent, name, text);
    if (maxLength > 0)
        SetEditLimit(edit, maxLength);
    ShowFromStart(edit);
    return edit;
}

void ShowFromStart(QLineEdit* edit)
{
    edit->setCursorPosition(0);
    // setText clears the modified flag; the user's own editing sets it.
    QObject::connect(edit, &QLineEdit::textChanged, edit, [edit] {
        if (!edit->isModified())
            edit->setCursorPosition(0);
    });
}

namespace {
// Keeps a memo's minimum width at its columns in the memo's font.
class TMemoColumns : public QObject {
public:
    TMemoColumns(QPlainTextEdit* memo, int columns) : QObject(memo), FMemo(memo), FColumns(columns) { Apply(); }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == FMemo && (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange))
            Apply();
        return false;
    }

private:
    void Apply()
    {
        const qreal text = QFontMetricsF(FMemo->font()).horizontalAdvance(QString(FColumns, QLatin1Char('0')));
        const int margins = 2 * qCeil(FMemo->document()->documentMargin()) + 2 * FMemo->frameWidth()
                          + FMemo->cursorWidth();
        // Room for the vertical scroll bar whether it shows now or later.
        const int bar = FMemo->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, FMemo);
        FMemo->setMinimumWidth(qCeil(text) + margins + bar);
    }

    QPlainTextEdit* FMemo;
    int FColumns;
};
} // namespace

void SetMinimumColumns(QPlainTextEdit* memo, int columns)
{
    memo->installEventFilter(new TMemoColumns(memo, columns));
}

QPlainTextEdit* NewMemo(QWidget* parent, const char* name, bool readOnly)
{
    auto* memo = NewControl<QPlainTextEdit>(parent, name);
    memo->setReadOnly(readOnly);
    SetMinimumColumns(memo, MemoMinColumns);
    return memo;
}

QCheckBox* NewCheckBox(QWidget* parent, const char* name, const QString& caption, bool checked)
{
    auto* box = NewControl<QCheckBox>(parent, name, caption);
    box->setChecked(checked);
    return box;
}

QRadioButton* NewRadioButton(QWidget* parent, const char* name, const QString& caption, bool checked)
{
    auto* button = NewControl<QRadioButton>(parent, name, caption);
    button->setChecked(checked);
    return button;
}

QComboBox* NewComboBox(QWidget* parent, const char* name, const QStringList& items, int itemIndex)
{
    auto* combo = NewControl<QComboBox>(parent, name);
    combo->addItems(items);
    combo->setCurrentIndex(itemIndex);
    return combo;
}

QSpinBox* NewSpinEdit(QWidget* parent, const char* name, int min, int max, int value)
{
    auto* spin = NewControl<QSpinBox>(parent, name);
    if (min == 0 && max == 0)
        spin->setRange(INT_MIN, INT_MAX);
    else
        spin->setRange(min, max);
    spin->setValue(value);
    return spin;
}

TRadioGroup* NewRadioGroup(QWidget* parent, const char* name, const QString& caption, const QStringList& items,
                           int itemIndex)
{
    auto* group = NewControl<TRadioGroup>(parent, name, caption, items);
    group->SetItemIndex(itemIndex);
    return group;
}

void SetComboDropDownWidth(QComboBox* combo)
{
    const QFontMetrics metrics(combo->view()->font());
    int width = 0;
    for (int i = 0; i < combo->count(); ++i)
        width = std::max(width, metrics.horizontalAdvance(combo->itemText(i)));
    combo->view()->setMinimumWidth(width + 10);
}
