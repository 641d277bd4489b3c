#pragma once
// TfmIBMPrinter: the page "Принтер IBM": the status of a register in the IBM
// printer command mode, laid out byte by byte and bit by bit. The layout is
// one pure formatter over a status record (IBMStatusLines).
#include "core/pages/untPages.h"

#include <QString>
#include <QStringList>
#include <array>

class QPlainTextEdit;

// What the long or short IBM status query answers.
struct TIBMStatus {
    int OperatorNumber = 0;
    QString Date;        // the date text of Date
    QString Time;        // the time text of Time
    int SessionNumber = 0;
    int DocumentNumber = 0;
    std::array<int, 4> LastReceiptNumbers{};   // sale, buy, return sale, return buy
    std::array<int, 3> SessionDate{};          // day, month, year
    std::array<int, 3> SessionTime{};          // hour, minute, second
    QString Cash;        // Summ1 through AmountToStr
    std::array<int, 8> StatusBytes{};
    int Flags = 0;
};

class TfmIBMPrinter : public TPage {
    Q_OBJECT
public:
    static constexpr const char* PageCaption = "Принтер IBM";
    explicit TfmIBMPrinter(QWidget* owner = nullptr);

    QPlainTextEdit* Memo;

    void btnGetIBMStatusClick();
    void btnGetShortIBMStatusClick();
    void btnClearClick();

    // The memo lines of the long (Algorithm 1) or short status.
    static QStringList IBMStatusLines(const TIBMStatus& Status, bool Long);
    // The memo line helpers.
    static QString AddLine(const QString& Value, const QString& Name);
    static QString GetStatusByteText(int N, int Value);
    static QString AddBitText(int Value, int N, int Bit, const QString& Text);
    static QString AddBitText2(int Value, int Bit, const QString& Text);

private:
    void ShowStatus(bool Long);
};
