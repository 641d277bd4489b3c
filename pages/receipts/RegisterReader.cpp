#include "pages/receipts/RegisterReader.h"

#include "core/driver/untDriver.h"
#include "core/pages/MemoReport.h"
#include "core/pages/untPages.h"
#include "core/settings/ResStrings.h"
#include "core/support/Format.h"
#include "platform/Exceptions.h"

#include <QCoreApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>

TRegisterReader::TRegisterReader(TPage* page, QPlainTextEdit* memo, QPushButton* btnStop)
    : FPage(page), FMemo(memo), FStop(btnStop)
{
}

void TRegisterReader::AbortWithError()
{
    throw EAbort(Format(GetRes("<Прервано в результате ошибки: %d %s>"),
                        {Driver().ResultCode(), Driver().ResultCodeDescription()}));
}

void TRegisterReader::Run(const QString& header, int first, int last, const std::function<bool(int)>& read)
{
    TEnableButtonsFrame frame(FPage);
    TDriverJob job;   // events run between the driver calls
    FStop->setEnabled(true);
    FStopped = false;
    TMemoReport report(FMemo);
    report.Clear();
    report.Add(QString());
    report.Add(header);
    report.AddMemoLine(QString(54, QLatin1Char('-')));
    try {
        for (int i = first; i <= last; ++i) {
            if (FStopped)
                throw EAbort(GetRes("<Прервано пользователем>"));
            if (!read(i))
                break;
            QCoreApplication::processEvents();
        }
        FMemo->moveCursor(QTextCursor::Start);
    } catch (const EAbort& e) {
        FMemo->appendPlainText(e.Message());
    }
}
