#pragma once
// TfmFN: "Состояние ФН", the fiscal accumulator itself: status, identity,
// validity, resources, the FN session steps, the fiscal-mode close, the
// calculation-state report, reset and cancel, the search of one fiscal
// document, the receipt QR text and the OKP key update. Results go into a
// read-only memo the user can save.
#include "core/pages/MemoReport.h"
#include "core/pages/untPages.h"

#include <cstdint>

class QLineEdit;
class TOrvek;
class QPlainTextEdit;
class QPushButton;

class TfmFN : public TPage {
    Q_OBJECT
public:
    static constexpr const char* PageCaption = "Состояние ФН";
    explicit TfmFN(QWidget* owner = nullptr);

    QLineEdit* edtDocumentNumber;
    QLineEdit* edtRequestType;
    QPlainTextEdit* Memo;
    QPushButton* btnFNGetStatus;
    QPushButton* btnFNGetSerial;
    QPushButton* btnFNGetExpirationTime;
    QPushButton* btnFNGetVersion;
    QPushButton* btnFNGetImplementation;
    QPushButton* btnFNGetDocumentSize;
    QPushButton* btnFNGetOSUSupportStatus;
    QPushButton* btnFNGetFreeMemoryResource;
    QPushButton* btnFNCountersSync;
    QPushButton* btnFNBeginOpenSessioin;
    QPushButton* btnFNOpenSession;
    QPushButton* btnFNBeginCloseSession;
    QPushButton* btnFNCloseSession;
    QPushButton* btnBeginCalculationStateReport;
    QPushButton* btnBuildCalculationStateReport;
    QPushButton* btnFNResetState;
    QPushButton* btnFNCancelDocument;
    QPushButton* btnFNGetCurrentSessionParams;
    QPushButton* btnFNBeginCloseFiscalMode;
    QPushButton* btnFNCloseFiscalMode;
    QPushButton* btnFNFindDocument;
    QPushButton* btnFNReadFiscalBarcode;
    QPushButton* btnFNUpdateOKPKeys;
    QPushButton* btnSaveAs;

    // Decoders of the status values.
    static QString FNDocumentDataToStr(int Value);
    static QString FNSessionStateToStr(int Value);
    static QString FNVersionTypeToStr(int Value);
    static QString OSUSupportStatusToStr(int Value);
    // The text of the key update made while the session opened (two memo
    // lines when the verification keys were not updated).
    static QString GetUpdateKeysResult();
    static uint32_t GetKeysCount(int32_t Status);
    // The line of the OKP key update's answer byte.
    static QString OKPKeysResultToStr(int Value);

private:
    void btnFNGetStatusClick();
    void btnFNGetSerialClick();
    void btnFNGetExpirationTimeClick();
    void btnFNGetVersionClick();
    void btnFNGetImplementationClick();
    void btnFNGetDocumentSizeClick();
    void btnFNGetOSUSupportStatusClick();
    void btnFNGetFreeMemoryResourceClick();
    void btnFNCountersSyncClick();
    void btnFNBeginOpenSessioinClick();
    void btnFNOpenSessionClick();
    void btnFNBeginCloseSessionClick();
    void btnFNCloseSessionClick();
    void btnBeginCalculationStateReportClick();
    void btnBuildCalculationStateReportClick();
    void btnFNResetStateClick();
    void btnFNCancelDocumentClick();
    void btnFNGetCurrentSessionParamsClick();
    void btnFNBeginCloseFiscalModeClick();
    void btnFNCloseFiscalModeClick();
    void btnFNFindDocumentClick();
    void btnFNReadFiscalBarcodeClick();
    void btnFNUpdateOKPKeysClick();
    void btnSaveAsClick();
    void NumberKeyPress(QChar& Key);

    // A handler that clears the memo and passes one driver method to Check.
    void CheckedCall(int32_t (TOrvek::*Method)());

    void AddFNLifeState();
    void AddDocumentData(int DocType);
    void AddDoc1();
    void AddDoc2();
    void AddDoc3();
    void AddDoc6();
    void AddDoc11();
    void AddDoc21();
    // "Дата", "Номер ФД" and "Фискальный признак": the lines every document begins with.
    void AddDocHeader();
    void AddDocumentResult();

    TMemoReport FReport;
};
