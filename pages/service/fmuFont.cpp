#include "pages/service/fmuFont.h"

#include "core/driver/untDriver.h"
#include "core/support/Format.h"
#include "core/support/VersionInfo.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/FormBuilder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QScopeGuard>
#include <limits>

namespace {
// Report widths: names of 24, separators of 33 dashes.
constexpr TMemoWidths FontWidths{24, 40, 33};
constexpr int PrintRows = 16;
constexpr int PrintFeedLines = 15;
} // namespace

TfmFont::TfmFont(QWidget* owner) : TPage(owner, "fmFont", PageCaption), FReport(nullptr)
{
    using T = TfmFont;
    TFormBuilder<T> page(this, nullptr, true);
    auto left = page.Section();
    left.Spin(NAMED(seFontType), QStringLiteral("Номер шрифта:"), std::numeric_limits<int>::min(),
              std::numeric_limits<int>::max(), 1, "FontType");
    left.Buttons(7, {
        {NAMED(btnGetFontMetrics), QStringLiteral("Параметры шрифта"), &T::btnGetFontMetricsClick, "GetFontMetrics"},
        {NAMED(btnGetFontsMetrics), QStringLiteral("Параметры шрифтов"), &T::btnGetFontsMetricsClick,
         "GetFontMetrics"},
        {NAMED(btnLoadFont), QStringLiteral("Загрузить шрифт...*"), &T::btnLoadFontClick, "LoadFont"},
        {NAMED(btnTestPrint), QStringLiteral("Пробная печать"), &T::btnTestPrintClick, "PrintStringWithFont"},
        {NAMED(btnReadFontHash), QStringLiteral("Прочитать хэш шрифта"), &T::btnReadFontHashClick, "ReadFontHash"},
        {NAMED(btnResetFont), QStringLiteral("Сбросить шрифт"), &T::btnResetFontClick, "ResetFont"},
        {NAMED(btnLoadSmallFont), QStringLiteral("Загрузить мелкий шрифт"), &T::btnLoadSmallFontClick, "LoadFont"},
    });
    left.Label("lblNote", QStringLiteral("* Пользовательский шрифт имеет номер 9"));
    FReport = TMemoReport(Memo = page.Memo(NAMED(Memo), true), FontWidths);
    Memo->setFont(QFont(QStringLiteral("Courier New")));
    Memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo->setMinimumWidth(Memo->fontMetrics().horizontalAdvance(QString(44, QLatin1Char('0'))));
}

QString TfmFont::GetSmallFontFileName()
{
    return QDir::cleanPath(QFileInfo(GetModFileName()).absolutePath() + QStringLiteral("/../Fonts/font_9.spf"));
}

void TfmFont::AddLine(const QString& Name, const QVariant& Value)
{
    FReport.AddLine(Name, Value.toString());
}

void TfmFont::AddFontSizeLines()
{
    TDriver& d = Driver();
    AddLine(QStringLiteral("Ширина печати в точках"), d.PrintWidth());
    AddLine(QStringLiteral("Ширина символа в точках"), d.CharWidth());
    AddLine(QStringLiteral("Высота символа в точках"), d.CharHeight());
}

void TfmFont::btnGetFontMetricsClick()
{
    FReport.Clear();
    TDriver& d = Driver();
    d.setFontType(seFontType->value());
    if (d.GetFontMetrics() != 0)
        return;
    FReport.Add(QString());
    AddFontSizeLines();
    AddLine(QStringLiteral("Количество шрифтов"), d.FontCount());
    if (d.CharWidth() > 0)
        AddLine(QStringLiteral("Символов в строке"), d.PrintWidth() / d.CharWidth());
}

void TfmFont::btnGetFontsMetricsClick()
{
    Memo->setUpdatesEnabled(false);
    const auto end = qScopeGuard([this] { Memo->setUpdatesEnabled(true); });
    FReport.Clear();
    TDriver& d = Driver();
    d.setFontType(1);
    if (d.GetFontMetrics() != 0)
        return;
    FReport.Add(QString());
    const int count = d.FontCount();
    AddLine(QStringLiteral("Количество шрифтов"), count);
    for (int n = 1; n <= count; ++n) {
        d.setFontType(n);
        if (d.GetFontMetrics() != 0)
            break;
        FReport.AddSeparator();
        AddLine(QStringLiteral("Номер шрифта"), n);
        AddFontSizeLines();
        if (d.CharWidth() > 0)
            AddLine(QStringLiteral("Символов в строке"), d.PrintWidth() / d.CharWidth());
    }
}

void TfmFont::btnTestPrintClick()
{
    TDriver& d = Driver();
    d.setFontType(seFontType->value());
    d.setStringForPrinting(Format(QStringLiteral("%s %s"), {QStringLiteral("Шрифт"), QString::number(d.FontType())}));
    Check(d.PrintStringWithFont());
    for (int row = 0; row < PrintRows; ++row) {
        QString line;
        for (int i = 0; i < 16; ++i)
            line += QChar(char16_t(16 * row + i));
        d.setStringForPrinting(Format(QStringLiteral("0x%.2x "), {16 * row}) + line);
        Check(d.PrintStringWithFont());
    }
    d.setStringQuantity(PrintFeedLines);
    Check(d.FeedDocument());
}

void TfmFont::LoadFont(const QString& FileName)
{
    Memo->setPlainText(QStringLiteral("Загрузка шрифта..."));
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    try {
        Driver().setFileName(FileName);
        Check(Driver().LoadFont());
    } catch (...) {
        Memo->setPlainText(QStringLiteral("Ошибка загрузки шрифта"));
        throw;
    }
    Memo->setPlainText(QStringLiteral("Шрифт загружен"));
}

void TfmFont::btnLoadFontClick()
{
    const QString name = Dialogs::OpenFileName(QString(), QStringLiteral("SPF (*.spf);;") + Dialogs::AllFilesFilter());
    if (!name.isEmpty())
        LoadFont(name);
}

void TfmFont::btnLoadSmallFontClick()
{
    LoadFont(GetSmallFontFileName());
}

void TfmFont::btnReadFontHashClick()
{
    FReport.Clear();
    Check(Driver().ReadFontHash());
    Memo->setPlainText(Driver().FontHashHex());
}

void TfmFont::btnResetFontClick()
{
    Check(Driver().ResetFont());
}
