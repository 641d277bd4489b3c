#include "pages/receipts/fmuVintrel.h"

#include "core/driver/untDriver.h"
#include "core/support/untUtil.h"
#include "platform/Exceptions.h"
#include "platform/ui/FormBuilder.h"

#include <QPainter>
#include <QPlainTextEdit>
#include <QScopeGuard>

#include <ZXing/BitMatrix.h>
#include <ZXing/CharacterSet.h>
#include <ZXing/MultiFormatWriter.h>

#include <algorithm>
#include <exception>

namespace {
constexpr int QrQuietZone = 2;
constexpr int QrBoxSize = 240;
// Characters per line when the font metrics cannot be read.
constexpr int DefaultPrintWidth = 40;
} // namespace

TQrBox::TQrBox(QWidget* parent, const char* name) : QWidget(parent)
{
    setObjectName(QString::fromLatin1(name));
}

void TQrBox::SetPicture(const QImage& picture)
{
    FPicture = picture;
    update();
}

// The picture from the top-left corner, one scale for both directions, taken
// from the box's shorter side; each size truncated to whole pixels.
void TQrBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (FPicture.isNull())
        return;
    const double scale = width() < height() ? double(width()) / FPicture.width()
                                            : double(height()) / FPicture.height();
    painter.drawImage(QRect(0, 0, int(FPicture.width() * scale), int(FPicture.height() * scale)), FPicture);
}

QImage QrPicture(const QString& Data)
{
    ZXing::BitMatrix matrix;
    try {
        ZXing::MultiFormatWriter writer(ZXing::BarcodeFormat::QRCode);
        writer.setMargin(QrQuietZone);
        // Latin-1 text as it is, any other in UTF-8.
        const bool latin1 = std::all_of(Data.cbegin(), Data.cend(), [](QChar c) { return c.unicode() < 0x100; });
        if (!latin1)
            writer.setEncoding(ZXing::CharacterSet::UTF8);
        matrix = writer.encode(Data.toStdWString(), 0, 0);
    } catch (const std::exception& e) {
        throw Exception(QStringLiteral("Не удалось построить QR-код (%1 символов): %2")
                            .arg(Data.size())
                            .arg(QString::fromLocal8Bit(e.what())));
    }
    QImage picture(matrix.width(), matrix.height(), QImage::Format_Grayscale8);
    for (int y = 0; y < matrix.height(); ++y) {
        uchar* line = picture.scanLine(y);
        for (int x = 0; x < matrix.width(); ++x)
            line[x] = matrix.get(x, y) ? 0 : 255;
    }
    return picture;
}

QString StatusCodeToStr(int Code)
{
    static const char* const texts[] = {"новый", "создан в процессинге", "в процессе выполнения в процессинге",
                                        "успешно выполнен", "ошибка", "отменен", "частично возвращен",
                                        "возвращен полностью", "в процессе возврата"};
    if (Code >= 1 && Code <= 9)
        return QString::fromUtf8(texts[Code - 1]);
    return QStringLiteral("Неизвестный");
}

QString GetCenterAlignedString(const QString& Text, int Width)
{
    if (Width < Text.size())
        return Text;
    return QString((Width - Text.size()) / 2, QLatin1Char(' ')) + Text;
}

TfmVintrel::TfmVintrel(QWidget* owner) : TPage(owner, "fmVintrel", PageCaption)
{
    using T = TfmVintrel;
    TFormBuilder<T> page(this);
    auto top = page.Columns();
    auto left = top.Section();
    left.Edit(NAMED(edtSum), "Сумма, руб:", QStringLiteral("10.50"), "Summ1");
    left.Edit(NAMED(edtServerPaymentID), "ID платежа на сервере:", {}, "VintrelServerPaymentID");
    left.Edit(NAMED(edtClientPaymentID), "ID платежа Клиента:", {}, "VintrelClientPaymentID");
    left.Edit(NAMED(edtCashRegisterCode), "Кассовая ссылка:", {}, "VintrelCashRegisterCode");
    edtCashRegisterCode->setProperty("tag", 1000);
    edtCashRegisterCode->setMinimumWidth(360);
    left.Buttons(4, {
        {NAMED(btnCreatePayData), "Создать оплату", &T::btnCreatePayDataClick, "VintrelCreatePayData"},
        {NAMED(btnCreatePayDataByLink), "Создать оплату по ссылке", &T::btnCreatePayDataByLinkClick,
         "VintrelCreatePayDataByCode"},
        {NAMED(btnCheckStatus), "Проверить статус", &T::btnCheckStatusClick, "VintrelGetPayStatus"},
        {NAMED(btnCancel), "Отмена операции", &T::btnCancelClick, "VintrelCancel"},
        {NAMED(btnRefund), "Возврат", &T::btnRefundClick, "VintrelRefund"},
        {NAMED(btnCreateCashRegisterCode), "Создать кассовую ссылку", &T::btnCreateCashRegisterCodeClick,
         "VintrelCreateCashRegisterCode"},
        {NAMED(btnShowLink), "Показать кассовую ссылку", &T::btnShowLinkClick, {}, TRun::Plain},
        {NAMED(btnPrintQR), "Распечатать QR на ККТ", &T::btnPrintQRClick, "LoadAndPrint2DBarcode", TRun::Plain},
    });
    left.Space();
    top.Space();
    pbQr = top.Whole(new TQrBox(this, "pbQr"));
    pbQr->setFixedSize(QrBoxSize, QrBoxSize);
    page.Memo(NAMED(memResult), true);
    memResult->setLineWrapMode(QPlainTextEdit::NoWrap);
    memResult->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memResult->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

void TfmVintrel::UpdatePage()
{
    edtCashRegisterCode->setText(Driver().VintrelCashRegisterCode());
}

void TfmVintrel::UpdateObject()
{
    Driver().setVintrelCashRegisterCode(edtCashRegisterCode->text());
}

void TfmVintrel::Log(const QString& Text)
{
    memResult->appendPlainText(Text);
}

// An empty text changes nothing; a text that does not fit a QR symbol raises
// and keeps the picture shown.
void TfmVintrel::DrawQr(const QString& Data, TQrBox* PaintBox)
{
    if (Data.isEmpty())
        return;
    PaintBox->SetPicture(QrPicture(Data));
    FQRCode = Data;
    FQRAmount.reset();
}

void TfmVintrel::ClearPayment()
{
    edtServerPaymentID->clear();
    edtClientPaymentID->clear();
    pbQr->SetPicture(QImage());
    FQRCode.clear();
    FQRAmount.reset();
}

int TfmVintrel::GetPrintWidth()
{
    Driver().setFontType(1);
    if (Driver().GetFontMetrics() != 0 || Driver().CharWidth() == 0)
        return DefaultPrintWidth;
    return Driver().PrintWidth() / Driver().CharWidth();
}

int64_t TfmVintrel::Summ() const
{
    return GetSumm(edtSum->text(), QStringLiteral("Summ1"));
}

void TfmVintrel::LogStatus()
{
    const int status = Driver().VintrelPayStatus();
    Log(QStringLiteral("Pay status:%1 [%2]").arg(status).arg(StatusCodeToStr(status)));
}

void TfmVintrel::LogResponse(const QString& Prefix)
{
    Log(Prefix + Driver().VintrelProcessingResponse());
}

void TfmVintrel::btnCreatePayDataClick()
{
    const int64_t summ = Summ();   // a refused amount: nothing logged, nothing sent
    Log(QStringLiteral("CREATE PAY DATA"));
    ClearPayment();
    const QString amount = edtSum->text();
    Driver().setSumm1(summ);
    Check(Driver().VintrelCreatePayData());
    edtServerPaymentID->setText(Driver().VintrelServerPaymentID());
    edtClientPaymentID->setText(Driver().VintrelClientPaymentID());
    DrawQr(Driver().BarCode(), pbQr);
    FQRAmount = amount;
    LogResponse(QStringLiteral("Processing response: "));
}

void TfmVintrel::btnCreatePayDataByLinkClick()
{
    const int64_t summ = Summ();
    Log(QStringLiteral("CREATE PAY DATA BY CODE"));
    ClearPayment();
    Driver().setVintrelCashRegisterCode(edtCashRegisterCode->text());
    DrawQr(edtCashRegisterCode->text(), pbQr);
    const QString amount = edtSum->text();
    Driver().setSumm1(summ);
    Check(Driver().VintrelCreatePayDataByCode());
    if (FQRCode == edtCashRegisterCode->text())
        FQRAmount = amount;
    edtServerPaymentID->setText(Driver().VintrelServerPaymentID());
    edtClientPaymentID->setText(Driver().VintrelClientPaymentID());
    LogResponse(QStringLiteral("Processing response: "));
}

void TfmVintrel::btnCheckStatusClick()
{
    Log(QStringLiteral("STATUS"));
    Check(Driver().VintrelGetPayStatus());
    LogStatus();
    Log(QStringLiteral("Is status final: ") + (Driver().VintrelIsStatusFinal() ? "True" : "False"));
    LogResponse(QStringLiteral("Processing response: "));
}

void TfmVintrel::btnCancelClick()
{
    Log(QStringLiteral("CANCEL"));
    Check(Driver().VintrelCancel());
    LogStatus();
    LogResponse(QStringLiteral("Processing respnose: "));
}

void TfmVintrel::btnRefundClick()
{
    const int64_t summ = Summ();
    Log(QStringLiteral("REFUND"));
    Driver().setVintrelServerPaymentID(edtServerPaymentID->text());
    Driver().setSumm1(summ);
    Check(Driver().VintrelRefund());
    LogStatus();
    LogResponse(QStringLiteral("Processing response: "));
}

void TfmVintrel::btnCreateCashRegisterCodeClick()
{
    edtCashRegisterCode->clear();
    Check(Driver().VintrelCreateCashRegisterCode());
    DrawQr(Driver().VintrelCashRegisterCode(), pbQr);
    edtCashRegisterCode->setText(Driver().VintrelCashRegisterCode());
    Driver().SaveParams();
    LogResponse(QStringLiteral("Processing response: "));
}

void TfmVintrel::btnShowLinkClick()
{
    DrawQr(edtCashRegisterCode->text(), pbQr);
}

// Nothing before a QR was drawn; the driver's BarCode is put back on every path.
void TfmVintrel::btnPrintQRClick()
{
    if (FQRCode.isEmpty())
        return;
    TEnableButtonsFrame frame(this);
    const QString savedBarCode = Driver().BarCode();
    const auto restore = qScopeGuard([&savedBarCode] { Driver().setBarCode(savedBarCode); });
    Driver().setBarCode(FQRCode);
    Driver().setBarcodeType(3);
    Driver().setBarcodeStartBlockNumber(0);
    Driver().setBarcodeParameter1(0);
    Driver().setBarcodeParameter2(0);
    Driver().setBarcodeParameter3(7);
    Driver().setBarcodeParameter4(0);
    Driver().setBarcodeParameter5(1);
    Driver().setBarcodeAlignment(0);
    Check(Driver().LoadAndPrint2DBarcode());
    Check(Driver().WaitForPrinting());
    Driver().setStringForPrinting(QStringLiteral(" "));
    Check(Driver().PrintString());
    Check(Driver().WaitForPrinting());
    const QString amount = FQRAmount.value_or(edtSum->text());
    Driver().setStringForPrinting(
        GetCenterAlignedString(QStringLiteral("Сумма к оплате: ") + amount + QStringLiteral("руб."), GetPrintWidth()));
    Check(Driver().PrintString());
    Check(Driver().WaitForPrinting());
    Driver().setStringQuantity(14);
    Check(Driver().FeedDocument());
}
