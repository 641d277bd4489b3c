#pragma once
// Building a form's controls: each control is declared on one line that gives
// its member, its name (the objectName the settings store uses) and its place
// in the layout. A builder lays its container out as a grid of rows: a
// caption label in the first column and the input beside it; checks, memos,
// groups and button tables take a whole row. Columns() gives a builder whose
// controls stand side by side instead.
//
//   TFormBuilder<TfmPrintLine> b(this);
//   b.Edit(NAMED(edtLineNumber), QStringLiteral("Номер линии:"), QStringLiteral("1"), "LineNumber");
//   b.Check(NAMED(chbCut), QStringLiteral("Отрезка"));
//   b.Buttons(1, {
//       {NAMED(btnPrintLine), QStringLiteral("Печать линии"), &TfmPrintLine::btnPrintLineClick, "PrintLine"},
//       {"btnClear", QStringLiteral("Очистить"), &TfmPrintLine::btnClearClick, {}, TRun::Plain},
//   });
//
// The last argument of a control is the driver member it stands for: it
// becomes the control's tool tip. A button handler runs through the guard;
// on a form with EnableButtons (the pages) it also runs inside
// EnableButtons(false) ... EnableButtons(true) unless marked TRun::Plain.
// TRun::Stop marks the page's stop button (MarkStopButton): its handler runs
// plain, and the button is usable only while the page enables it for a job:
//
//   {NAMED(btnStop), QStringLiteral("Прервать"), &TfmTest::btnStopClick, {}, TRun::Stop},
#include "platform/ui/Controls.h"
#include "platform/ui/NamedControls.h"

#include <QDateTimeEdit>
#include <algorithm>
#include <QGridLayout>
#include <QPointer>
#include <QScopeGuard>
#include <initializer_list>
#include <type_traits>

// A control's member and name: NAMED(edtPrice) stands for the member edtPrice
// named "edtPrice". A plain name (a control no code refers to) converts too.
template <class W>
struct TNamed {
    TNamed(const char* name) : Name(name) {}
    TNamed(W** member, const char* name) : Member(member), Name(name) {}
    W* Set(W* control) const
    {
        if (Member)
            *Member = control;
        return control;
    }
    W** Member = nullptr;
    const char* Name;
};

#define NAMED(member) TNamed<std::remove_pointer_t<decltype(member)>>(&(member), #member)

enum class TRun { Framed, Plain, Stop };

template <class T>
struct TButton {
    TNamed<QPushButton> Button;
    QString Caption;
    void (T::*Click)();
    QString Hint = {};
    TRun Run = TRun::Framed;
};

namespace builder_detail {
template <class T>
concept HasEnableButtons = requires(T* form) { form->EnableButtons(false); };

// Inputs beside a caption are at least this wide, so short texts show.
constexpr int MinInputWidth = 100;

void SetHint(QWidget* control, const char* member);
QGridLayout* ButtonTable(const QList<QPushButton*>& buttons, int perColumn);
} // namespace builder_detail

template <class T>
class TFormBuilder {
public:
    // Lays out `container` (the form itself when none is given); the handlers
    // are members of `form`.
    explicit TFormBuilder(T* form, QWidget* container = nullptr, bool columns = false)
        : FForm(form), FContainer(container ? container : form), FColumns(columns)
    {
        FGrid = qobject_cast<QGridLayout*>(FContainer->layout());
        if (!FGrid)
            FGrid = new QGridLayout(FContainer);
    }

    // A builder placing into `grid`, its controls created under `container`.
    TFormBuilder(T* form, QWidget* container, QGridLayout* grid, bool columns)
        : FForm(form), FContainer(container), FGrid(grid), FColumns(columns)
    {
    }

    T* Form() const { return FForm; }
    QWidget* Container() const { return FContainer; }
    QGridLayout* Grid() const { return FGrid; }

    QLineEdit* Edit(TNamed<QLineEdit> c, const QString& caption, const QString& text = {},
                    const char* member = nullptr)
    {
        return Row(caption, c.Set(NewEdit(FContainer, c.Name, text)), member);
    }

    QSpinBox* Spin(TNamed<QSpinBox> c, const QString& caption, int min, int max, int value,
                   const char* member = nullptr)
    {
        return Row(caption, c.Set(NewSpinEdit(FContainer, c.Name, min, max, value)), member);
    }

    QComboBox* Combo(TNamed<QComboBox> c, const QString& caption, const QStringList& items, int index = 0,
                     const char* member = nullptr)
    {
        return Row(caption, c.Set(NewComboBox(FContainer, c.Name, items, index)), member);
    }

    QDateTimeEdit* DateTime(TNamed<QDateTimeEdit> c, const QString& caption, const QString& displayFormat,
                            const char* member = nullptr)
    {
        auto* edit = c.Set(NewControl<QDateTimeEdit>(FContainer, c.Name));
        edit->setDisplayFormat(displayFormat);
        return Row(caption, edit, member);
    }

    QCheckBox* Check(TNamed<QCheckBox> c, const QString& caption, bool checked = false,
                     const char* member = nullptr)
    {
        return Whole(c.Set(NewCheckBox(FContainer, c.Name, caption, checked)), member);
    }

    TRadioGroup* Radio(TNamed<TRadioGroup> c, const QString& caption, const QStringList& items, int index = 0,
                       const char* member = nullptr)
    {
        return Whole(c.Set(NewRadioGroup(FContainer, c.Name, caption, items, index)), member);
    }

    // A memo taking the rest of the height.
    QPlainTextEdit* Memo(TNamed<QPlainTextEdit> c, bool readOnly = false, const char* member = nullptr)
    {
        auto* memo = Whole(c.Set(NewMemo(FContainer, c.Name, readOnly)), member);
        Stretch(memo);
        return memo;
    }

    QLabel* Label(TNamed<QLabel> c, const QString& caption) { return Whole(c.Set(NewLabel(FContainer, caption, c.Name))); }

    QPushButton* Button(const TButton<T>& def) { return Whole(MakeButton(FContainer, def)); }

    // A table of buttons, `perColumn` to a column, filled column by column in
    // tab order; spare height stays below the buttons.
    QList<QPushButton*> Buttons(int perColumn, std::initializer_list<TButton<T>> defs)
    {
        QList<QPushButton*> buttons;
        for (const TButton<T>& def : defs)
            buttons << MakeButton(FContainer, def);
        Place(builder_detail::ButtonTable(buttons, perColumn));
        if (!FColumns)
            Stretch();
        return buttons;
    }

    // A group box as a whole row, with its own builder.
    TFormBuilder Group(TNamed<QGroupBox> c, const QString& caption, bool columns = false)
    {
        return TFormBuilder(FForm, Whole(c.Set(NewGroupBox(FContainer, c.Name, caption))), columns);
    }

    // A plain panel (a named container) as a whole row, with its own builder.
    TFormBuilder Panel(const char* name = "", bool columns = false)
    {
        return TFormBuilder(FForm, Whole(NewControl<QWidget>(FContainer, name)), columns);
    }

    // A part of the layout (no container of its own, so no level in the
    // controls' value names) as a whole row, with its own builder.
    TFormBuilder Section(bool columns = false)
    {
        auto* grid = new QGridLayout;
        grid->setContentsMargins(0, 0, 0, 0);
        Place(grid);
        return TFormBuilder(FForm, FContainer, grid, columns);
    }

    // A section whose controls stand side by side.
    TFormBuilder Columns() { return Section(true); }

    // Any control made elsewhere: with a caption beside it, or as a whole row.
    template <class W>
    W* Row(const QString& caption, W* control, const char* member = nullptr)
    {
        if (caption.isEmpty())
            return Whole(control, member);
        builder_detail::SetHint(control, member);
        control->setMinimumWidth(std::max(control->minimumWidth(), builder_detail::MinInputWidth));
        auto* label = NewLabel(FContainer, caption);
        label->setBuddy(control);
        if (FColumns) {
            FGrid->addWidget(label, 0, FNext++);
            FGrid->addWidget(control, 0, FNext++);
        } else {
            const int row = FNext++;
            FGrid->addWidget(label, row, 0);
            FGrid->addWidget(control, row, 1);
        }
        return control;
    }

    template <class W>
    W* Whole(W* control, const char* member = nullptr)
    {
        builder_detail::SetHint(control, member);
        if (FColumns)
            FGrid->addWidget(control, 0, FNext++);
        else
            FGrid->addWidget(control, FNext++, 0, 1, 2);
        return control;
    }

    // The given control (the last one when none) takes the free space.
    void Stretch(QWidget* control = nullptr)
    {
        const int at = control ? Position(control) : FNext - 1;
        if (FColumns)
            FGrid->setColumnStretch(at, 1);
        else
            FGrid->setRowStretch(at, 1);
    }

    // Empty space after the controls so far, pushing them together.
    void Space()
    {
        if (FColumns)
            FGrid->setColumnStretch(FNext++, 1);
        else
            FGrid->setRowStretch(FNext++, 1);
    }

private:
    void Place(QLayout* layout)
    {
        if (FColumns)
            FGrid->addLayout(layout, 0, FNext++);
        else
            FGrid->addLayout(layout, FNext++, 0, 1, 2);
    }

    int Position(QWidget* control) const
    {
        int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
        FGrid->getItemPosition(FGrid->indexOf(control), &row, &column, &rowSpan, &columnSpan);
        return FColumns ? column : row;
    }

    QPushButton* MakeButton(QWidget* parent, const TButton<T>& def)
    {
        auto* button = def.Button.Set(NewControl<QPushButton>(parent, def.Button.Name, def.Caption));
        if (!def.Hint.isEmpty())
            button->setToolTip(def.Hint);
        if (def.Run == TRun::Stop)
            MarkStopButton(button);
        T* form = FForm;
        auto click = def.Click;
        if constexpr (builder_detail::HasEnableButtons<T>) {
            if (def.Run == TRun::Framed) {
                QObject::connect(button, &QPushButton::clicked, form, Guarded([form, click] {
                                     QPointer<T> alive(form);
                                     form->EnableButtons(false);
                                     const auto end = qScopeGuard([&alive] {
                                         if (alive)
                                             RunGuarded([&alive] { alive->EnableButtons(true); });
                                     });
                                     (form->*click)();
                                 }));
                return button;
            }
        }
        OnClick(button, form, click);
        return button;
    }

    T* FForm;
    QWidget* FContainer;
    QGridLayout* FGrid;
    bool FColumns;
    int FNext = 0;
};
