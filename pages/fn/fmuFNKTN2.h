#pragma once
// TfmFNKTN2: "КТ 2", the FFD 1.2 marking code: sending and recognising it,
// checking it with the planned status of the goods, accepting or declining
// it, clearing the kept results, the state of the marking work and of the
// notification exchange, and reading and confirming notifications by hand.
// A group separator (GS, byte 29) of a code is typed and shown as "<0x1D>".
#include "core/pages/MemoReport.h"
#include "core/pages/untPages.h"

#include <cstdint>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

class TfmFNKTN2 : public TPage {
    Q_OBJECT
public:
    static constexpr const char* PageCaption = "КТ 2";
    explicit TfmFNKTN2(QWidget* owner = nullptr);

    void UpdatePage() override;
    // Enables the inputs the planned status and the boxes call for.
    void UpdateForm();

    QPlainTextEdit* memBarcode;
    QRadioButton* rbASCII;
    QRadioButton* rbHEX;
    QComboBox* cbItemStatus;
    QComboBox* cbMeasureUnit;
    QLineEdit* edtQuantity;
    QCheckBox* chbFractionalQuantity;
    QLineEdit* edtNumerator;
    QLineEdit* edtDenominator;
    QCheckBox* chbOSU;
    QCheckBox* chbExtractKT;
    QLineEdit* edtNotificationNumber;
    QLineEdit* edtCheckSum;
    QPlainTextEdit* memResult;
    QPushButton* btnFNSendItemBarcode;
    QPushButton* btnFNCheckItemBarcode;
    QPushButton* btnFNAcceptMarkingCode;
    QPushButton* btnFNDeclineMarkingCode;
    QPushButton* btnFNMarkingClearBuffer;
    QPushButton* btnFNGetKMServerExchangeStatus;
    QPushButton* btnFNGetMarkingCodeWorkStatus;
    QPushButton* btnFNBeginReadNotifications;
    QPushButton* btnFNReadNotificationBlock;
    QPushButton* btnReadNotification;
    QPushButton* btnFNConfirmNotificationRead;

    // Decoders of the driver's marking values.
    static QString CheckItemLocalResultToStr(int Value);
    static QString KMServerCheckingStatusToStr(int Value);
    static QString CheckItemLocalErrorToStr(int Value);
    static QString MarkingTypeToStr2(int Value);
    static QString KMServerErrorCodeToStr(int Value);
    static QString ReasonErrorToStr(int Value);
    static QString MCCheckStatusToStr(int Value);
    static QString MCNotificationStatusToStr(int Value);
    static QString MCStorageSizeToStr(int Value);
    static QString MarkingTypeexToStr(int Value);
    static QString MarkingTypeToStr(int Value, int ValueEx);

    // The next notification from the FN with its CRC; false when none was read.
    static bool ReadNotification(std::int32_t& Number, QByteArray& Data, std::uint16_t& CRC);

private:
    void btnFNSendItemBarcodeClick();
    void btnFNCheckItemBarcodeClick();
    void btnFNAcceptMarkingCodeClick();
    void btnFNDeclineMarkingCodeClick();
    void btnFNMarkingClearBufferClick();
    void btnFNGetKMServerExchangeStatusClick();
    void btnFNGetMarkingCodeWorkStatusClick();
    void btnFNBeginReadNotificationsClick();
    void btnFNReadNotificationBlockClick();
    void btnReadNotificationClick();
    void btnFNConfirmNotificationReadClick();

    // The code text to BarCode (GS for each "<0x1D>") or, in HEX mode, to BarcodeHex.
    void SendCodeText(bool SingleByte);
    // The tag list of the planned status (2108, 1023, 1291) as hex text.
    QString ItemStatusTags(int Status);
    // The lines of the check's result (both the send and the check).
    void AddCheckResult(bool CheckHandler);
    // The stored status of an accepted or declined code.
    void AddStoredCheckResult();

    TMemoReport FReport;
};
