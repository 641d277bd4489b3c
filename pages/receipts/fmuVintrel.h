#pragma once
// TfmVintrel: the page "Vintrel": payments by QR code through the driver's
// Vintrel operations, the payment or cash-register link shown as a QR code
// and printed on the register.
#include "core/pages/untPages.h"

#include <QImage>
#include <QString>
#include <optional>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// The QR picture box: keeps the picture it was given and paints it, white
// around it, on every repaint.
class TQrBox : public QWidget {
public:
    explicit TQrBox(QWidget* parent, const char* name);
    void SetPicture(const QImage& picture);
    const QImage& Picture() const { return FPicture; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage FPicture;
};

// The QR symbol of the text, one pixel per module, with a quiet zone of two
// modules. Raises Exception when the text does not fit a QR symbol.
QImage QrPicture(const QString& Data);

QString StatusCodeToStr(int Code);
// Text with (Width - length) div 2 blanks in front; unchanged when longer.
QString GetCenterAlignedString(const QString& Text, int Width);

class TfmVintrel : public TPage {
    Q_OBJECT
public:
    static constexpr const char* PageCaption = "Vintrel";
    explicit TfmVintrel(QWidget* owner = nullptr);

    QLineEdit* edtSum;
    QLineEdit* edtServerPaymentID;
    QLineEdit* edtClientPaymentID;
    QLineEdit* edtCashRegisterCode;
    TQrBox* pbQr;
    QPlainTextEdit* memResult;
    QPushButton* btnCreatePayData;
    QPushButton* btnCreatePayDataByLink;
    QPushButton* btnCheckStatus;
    QPushButton* btnCancel;
    QPushButton* btnRefund;
    QPushButton* btnCreateCashRegisterCode;
    QPushButton* btnShowLink;
    QPushButton* btnPrintQR;

    void UpdatePage() override;
    void UpdateObject() override;

    void btnCreatePayDataClick();
    void btnCreatePayDataByLinkClick();
    void btnCheckStatusClick();
    void btnCancelClick();
    void btnRefundClick();
    void btnCreateCashRegisterCodeClick();
    void btnShowLinkClick();
    void btnPrintQRClick();

    void Log(const QString& Text);
    void DrawQr(const QString& Data, TQrBox* PaintBox);
    int GetPrintWidth();
    // The payload of the QR code drawn last.
    const QString& QRCode() const { return FQRCode; }

private:
    // The payment shown before: its ids and its QR go together.
    void ClearPayment();
    // The amount of edtSum (GetSumm); a text it refuses raises its message.
    int64_t Summ() const;
    void LogStatus();
    void LogResponse(const QString& Prefix);

    QString FQRCode;
    // The amount text sent for the payment whose QR is shown; none for a
    // QR of a link alone.
    std::optional<QString> FQRAmount;
};
