#pragma once
// TfmFNData: "Данные", raw TLV data of the FN: TLV sent as hex, a fiscal
// document read as TLV hex or as the driver's text, printed, saved, and the
// list of the documents of a chosen range, read on a worker thread while
// the rest of the program stays usable.
#include "core/binding/OrvekTypes.h"
#include "core/pages/untPages.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTreeWidget;
class TDriver;
class TOrvek;
class TNotifyThread;

struct TDocumentRec {
    std::int32_t DocNumber = 0;
    TDateTime DocDate = 0;
    std::int32_t DocType = 0;
    std::int32_t CheckType = 0;
    Currency DocSum = 0;
    std::int32_t SessionNumber = 0;
    QString DocFS;
    bool HasOFDTicket = false;
};

// The type column of the list: "чек прихода", "откр. смены №12", "неизв." ...
QString FNDocumentTypeToStr(const TDocumentRec& Rec);

class TfmFNData : public TPage {
    Q_OBJECT
public:
    static constexpr const char* PageCaption = "Данные";
    explicit TfmFNData(QWidget* owner = nullptr);
    ~TfmFNData() override;

    QLineEdit* edtDocumentNumber;
    QCheckBox* chbShowTag;
    QPlainTextEdit* Memo;
    QLabel* lblDocs;
    QTreeWidget* lvDocuments;
    QPushButton* btnFNSendTLV;
    QPushButton* btnFNSendTLVOperation;
    QPushButton* btnFNRequestFiscalDocumentTLV;
    QPushButton* btnReadFiscalDocumentTLV;
    QPushButton* btnReadTLVDoc;
    QPushButton* btnPrintText;
    QPushButton* btnReadLastDocument;
    QPushButton* btnReadAndPrintLastDocument;
    QPushButton* btnUpdateDocuments;
    QPushButton* btnSave;

    // The last reading's documents.
    const std::vector<TDocumentRec>& Documents() const { return FDocuments; }
    bool InReadingState() const { return FInReadingState; }
    // The list reader (null before the first reading).
    TNotifyThread* ReadingThread() const { return FThread.get(); }

private:
    void btnFNSendTLVClick();
    void btnFNSendTLVOperationClick();
    void btnFNRequestFiscalDocumentTLVClick();
    void btnReadFiscalDocumentTLVClick();
    void btnReadTLVDocClick();
    void btnPrintTextClick();
    void btnReadLastDocumentClick();
    void btnReadAndPrintLastDocumentClick();
    void btnUpdateDocumentsClick();
    void btnSaveClick();
    void lvDocumentsSelectItem();
    void NumberKeyPress(QChar& Key);

    // TLVData from the memo's hex, then the method, checked.
    void SendTLV(std::int32_t (TOrvek::*Method)());
    // The memo := the driver's text of the document in edtDocumentNumber.
    void ReadTLVDoc();
    // RequestDocumentType 0 and ShowTagNumber from the check box.
    void SetDocumentRequest();

    void ReadDocument(std::int32_t N, TDocumentRec& Rec);
    void ThreadReadingDocumentsProc();
    void OnReadEvent(const QString& AMsg);
    void FinishReadingDocumentsProc();
    void UpdateReadingState(const QString& AMsg);
    void UpdateDocumentsView();

    std::unique_ptr<TNotifyThread> FThread;
    bool FInReadingState = false;
    bool FClosing = false;
    std::vector<TDocumentRec> FDocuments;
    std::int32_t FFirstDocumentNumber = 0;
    std::int32_t FLastDocumentNumber = 0;
    std::atomic<bool> FStopFlag{false};
    TDriver* FReader = nullptr;  // the driver object the worker calls
};
