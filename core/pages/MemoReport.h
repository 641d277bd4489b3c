#pragma once
// The text reports of the pages: lines written into a memo.
//
//   TMemoReport report(Memo);                 // name width 24, yes/no width 40, 40 dashes
//   report.Clear();
//   report.AddLine(GetRes("Номер ФН"), Driver().SerialNumber());   // " Номер ФН                : 9960..."
//   report.AddBool(QStringLiteral("  ОСН"), true);                  // " ... : [да]"
//   report.AddSeparator();
//   report.Add(QStringLiteral("Результат:"));                      // as it is, no leading blank
//
// Each page passes its own widths (TMemoWidths).
#include <QString>

class QPlainTextEdit;

struct TMemoWidths {
    int Line = 24;       // AddLine
    int Bool = 40;       // AddBool
    int Separator = 40;  // dashes of AddSeparator
};

// Styles a report memo: Courier New 8 (any fixed-pitch font), no wrapping,
// both scroll bars always shown. Returns the memo.
QPlainTextEdit* ReportMemo(QPlainTextEdit* memo);

class TMemoReport {
public:
    explicit TMemoReport(QPlainTextEdit* Memo, TMemoWidths Widths = {});

    void Clear();
    // Appends the text as it is; each CR LF (or LF) in it starts a new memo line.
    void Add(const QString& S);
    // A blank followed by S.
    void AddMemoLine(const QString& S);
    // " " + Format("%-*s: %s", Width, Name, Value): the name padded on the
    // right (a longer name is kept whole), ": ", the value.
    void AddLineWidth(const QString& Name, const QString& Value, int Width);
    void AddLine(const QString& Name, const QString& Value);
    // "[да]" / "[нет]" with the yes/no width.
    void AddBool(const QString& Name, bool Value);
    void AddSeparator();

    QPlainTextEdit* Memo() const { return FMemo; }

private:
    QPlainTextEdit* FMemo;
    TMemoWidths FWidths;
    bool FLeadingEmptyLine = false;  // an empty first line waits for the next line
};

// "Сохранить...": the save dialog (".txt", text files or all files); on OK
// the memo's lines go to the file in the ANSI code page with CR LF. Returns
// false when the user cancelled. A write error raises EFCreateError.
bool SaveMemoAs(QPlainTextEdit* Memo);
