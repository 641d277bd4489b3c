#pragma once
// The register readers' frame ("Операционные регистры", "Денежные
// регистры"): "Прервать" enabled for the run, the memo cleared and headed
// (an empty line, the caption, a blank and 54 dashes),
// one call per register with the pending messages processed between calls,
// the caret back at the start; a stop by the user or a failing call ends the
// run with its text as the memo's last line; "Прервать" (a stop button, see
// MarkStopButton) disabled again by the frame on every path.
//
//   FReader.Run(" ОПЕРАЦИОННЫЕ РЕГИСТРЫ:", 0, 255, [&](int i) { ...; return true; });
#include <QString>
#include <functional>

class QPlainTextEdit;
class QPushButton;
class TPage;

class TRegisterReader {
public:
    TRegisterReader(TPage* page, QPlainTextEdit* memo, QPushButton* btnStop);

    // read(i) adds register i's line; it returns false to end the list
    // normally, or raises AbortWithError.
    void Run(const QString& header, int first, int last, const std::function<bool(int)>& read);
    // "Прервать": the run stops before the next register.
    void Stop() { FStopped = true; }

    // Ends the run with "<Прервано в результате ошибки: %d %s>" of the driver's result.
    [[noreturn]] static void AbortWithError();

private:
    TPage* FPage;
    QPlainTextEdit* FMemo;
    QPushButton* FStop;
    bool FStopped = false;
};
