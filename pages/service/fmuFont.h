#pragma once
// TfmFont: "Шрифты", font metrics of one font and of all fonts, a test print
// of the 256 character codes in one font, loading a user font (font 9) from
// a file or the small font beside the program, the font hash and reset.
#include "core/pages/MemoReport.h"
#include "core/pages/untPages.h"

class QPlainTextEdit;
class QPushButton;
class QSpinBox;

class TfmFont : public TPage {
    Q_OBJECT
public:
    static constexpr const char* PageCaption = "Шрифты";
    explicit TfmFont(QWidget* owner = nullptr);

    // The small user font: Fonts/font_9.spf in the folder beside the program's.
    static QString GetSmallFontFileName();

    QSpinBox* seFontType;
    QPlainTextEdit* Memo;
    QPushButton* btnGetFontMetrics;
    QPushButton* btnGetFontsMetrics;
    QPushButton* btnLoadFont;
    QPushButton* btnTestPrint;
    QPushButton* btnReadFontHash;
    QPushButton* btnResetFont;
    QPushButton* btnLoadSmallFont;

private:
    void btnGetFontMetricsClick();
    void btnGetFontsMetricsClick();
    void btnLoadFontClick();
    void btnTestPrintClick();
    void btnReadFontHashClick();
    void btnResetFontClick();
    void btnLoadSmallFontClick();

    void AddLine(const QString& Name, const QVariant& Value);
    // The width, character width and height lines, and the characters of a
    // line when the character width is known.
    void AddFontSizeLines();
    void LoadFont(const QString& FileName);

    TMemoReport FReport;
};
