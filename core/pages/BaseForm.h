#pragma once
// TBaseForm: the form base of the main window, the pages and the dialogs.
#include "platform/ui/Dialogs.h"

#include <QPointer>
#include <QWidget>

class QEventLoop;
class QPushButton;

class TBaseForm : public QWidget {
    Q_OBJECT
public:
    explicit TBaseForm(QWidget* parent = nullptr);

    // Base variant: disables the enabled push buttons of the form, marking
    // each with Tag 1, and remembers the focused one; enabling again enables
    // exactly the marked buttons, disables the stop buttons (MarkStopButton)
    // and gives the focus back.
    virtual void EnableButtons(bool Value);

    // Shows the form as a modal window and returns its ModalResult when it
    // closes: the value a handler set (Dialogs::mrOk ...), mrCancel for the
    // close box or Escape.
    int ShowModal();
    int ModalResult() const { return FModalResult; }
    // A non-zero value closes the form that ShowModal shows.
    void SetModalResult(int Value);

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // The push button of this form that has the focus now; null when none.
    QPushButton* FocusedButton() const;

private:
    QPointer<QWidget> FActiveControl;
    int FModalResult = Dialogs::mrNone;
    QEventLoop* FModalLoop = nullptr;
};

// Frames a handler's work: EnableButtons(false) now and EnableButtons(true)
// when the frame ends, on every path (return, Check's abort, any exception);
// a stop button the handler enabled for its job is disabled again then.
//
//   void TfmPrintLine::btnPrintLineClick()
//   {
//       TEnableButtonsFrame frame(this);
//       Driver().setLineNumber(...);
//       Driver().PrintLine();
//   }
class TEnableButtonsFrame {
public:
    explicit TEnableButtonsFrame(TBaseForm* form);
    ~TEnableButtonsFrame();
    TEnableButtonsFrame(const TEnableButtonsFrame&) = delete;
    TEnableButtonsFrame& operator=(const TEnableButtonsFrame&) = delete;

private:
    QPointer<TBaseForm> FForm;
};

// A program-wide dialog (fmReasonCodes, fmExPayments, ...) is made when it is
// first needed, restoring its stored values then; the program frees the ones
// made at exit, so the values of a dialog never opened stay as they were.
template <class TForm>
TForm& MadeForm(TForm*& form)
{
    if (!form)
        form = new TForm;
    return *form;
}
