#include "pages/fn/fmuFNData.h"

#include "core/driver/untDriver.h"
#include "core/pages/KeyPress.h"
#include "core/settings/ResStrings.h"
#include "core/support/CodePage.h"
#include "core/support/FileUtils.h"
#include "core/support/Format.h"
#include "core/support/NotifyThread.h"
#include "core/support/StrictHex.h"
#include "core/support/StringUtils.h"
#include "core/support/SysUtils.h"
#include "pages/fn/fmuSelectFNDocumentRange.h"
#include "platform/EventBus.h"
#include "platform/Guard.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/FormBuilder.h"

#include <QHeaderView>
#include <algorithm>
#include <QPlainTextEdit>
#include <QScopeGuard>
#include <QTreeWidget>

namespace {
const QString ReadEvent = QStringLiteral("ReadEvent");

// Receipts and BSOs, with and without correction: the types with an operation and a sum.
bool HasSum(std::int32_t DocType)
{
    return DocType == 3 || DocType == 4 || DocType == 31 || DocType == 41;
}

// A driver text (lines ended by CR LF) into the memo.
void SetMemoText(QPlainTextEdit* Memo, const QString& Text)
{
    QString text = Text;
    Memo->setPlainText(text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}
} // namespace

QString FNDocumentTypeToStr(const TDocumentRec& Rec)
{
    QString result;
    switch (Rec.DocType) {
    case 1: result = QStringLiteral("регистрация ФН"); break;
    case 2: result = QStringLiteral("откр. смены"); break;
    case 3: result = QStringLiteral("чек"); break;
    case 4: result = QStringLiteral("БСО"); break;
    case 5: result = QStringLiteral("закр. смены"); break;
    case 6: result = QStringLiteral("закр. фн"); break;
    case 7: result = QStringLiteral("подтв. оператора"); break;
    case 11: result = QStringLiteral("изм. парам. регистрации"); break;
    case 21: result = QStringLiteral("отч. о тек. сост. расч."); break;
    case 31: result = QStringLiteral("чек корр."); break;
    case 41: result = QStringLiteral("БСО корр."); break;
    default: result = QStringLiteral("неизв.");
    }
    if (HasSum(Rec.DocType)) {
        switch (Rec.CheckType) {
        case 1: result += QStringLiteral(" прихода"); break;
        case 2: result += QStringLiteral(" возвр. прихода"); break;
        case 3: result += QStringLiteral(" расхода"); break;
        case 4: result += QStringLiteral(" возвр. расхода"); break;
        default: break;
        }
    }
    if (Rec.DocType == 2 || Rec.DocType == 5)
        result += QStringLiteral(" №") + QString::number(Rec.SessionNumber);
    return result;
}

TfmFNData::TfmFNData(QWidget* owner) : TPage(owner, "fmFNData", PageCaption)
{
    // The TLV memo on the left; the buttons and the document list on the right.
    using T = TfmFNData;
    TFormBuilder<T> page(this, nullptr, true);
    auto left = page.Section();
    auto number = left.Columns();
    OnKeyPress(number.Edit(NAMED(edtDocumentNumber), QStringLiteral("№Док."), QStringLiteral("0"), "DocumentNumber"),
               this, &T::NumberKeyPress);
    number.Check(NAMED(chbShowTag), QStringLiteral("Показ. номера тегов"), true, "ShowTagNumber");
    number.Space();
    left.Label("lblTLVData", QStringLiteral("Данные TLV (HEX):"));
    Memo = left.Memo(NAMED(Memo));
    Memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont font(QStringLiteral("Courier New"), 10);
    font.setStyleHint(QFont::TypeWriter);
    Memo->setFont(font);

    auto right = page.Section();
    right.Buttons(5, {
        {NAMED(btnFNSendTLV), "Передать данные TLV", &T::btnFNSendTLVClick, "FNSendTLV"},
        {NAMED(btnFNSendTLVOperation), "ПередатьTLV прив. к операции", &T::btnFNSendTLVOperationClick,
         "FNSendTLVOperation"},
        {NAMED(btnFNRequestFiscalDocumentTLV), "Запросить фиск. документ в TLV ",
         &T::btnFNRequestFiscalDocumentTLVClick, "FNRequestFiscalDocumentTLV"},
        {NAMED(btnReadFiscalDocumentTLV), "Прочитать весь фиск. док. в TLV", &T::btnReadFiscalDocumentTLVClick,
         "FNRequestFiscalDocumentTLV"},
        {NAMED(btnReadTLVDoc), "Прочитать фиск. документ", &T::btnReadTLVDocClick, "FNGetDocumentAsString"},
        {NAMED(btnPrintText), "Прочитать и распечатать ФД", &T::btnPrintTextClick, "FNPrintDocument"},
        {NAMED(btnReadLastDocument), "Прочитать последний документ", &T::btnReadLastDocumentClick,
         "FNGetStatus;\nFNGetDocumentAsString;"},
        {NAMED(btnReadAndPrintLastDocument), "Распечатать последний документ",
         &T::btnReadAndPrintLastDocumentClick, "FNGetStatus;\nFNPrintDocument;"},
        // Starts the worker and leaves the page's frame open; stops it while it reads.
        {NAMED(btnUpdateDocuments), "Обновить список", &T::btnUpdateDocumentsClick, {}, TRun::Plain},
        {NAMED(btnSave), "Сохранить в файл...", &T::btnSaveClick, {}, TRun::Plain},
    });
    right.Grid()->setRowStretch(0, 0);
    right.Label(NAMED(lblDocs), QStringLiteral("Документы ФН:"));
    lvDocuments = right.Whole(NewControl<QTreeWidget>(this, "lvDocuments"));
    right.Stretch(lvDocuments);
    lvDocuments->setRootIsDecorated(false);
    lvDocuments->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvDocuments->setSelectionMode(QAbstractItemView::SingleSelection);
    lvDocuments->setUniformRowHeights(true);
    lvDocuments->setHeaderLabels({QStringLiteral("№"), QStringLiteral("Дата"), QStringLiteral("Тип"),
                                  QStringLiteral("Сумма"), QStringLiteral("ФП")});
    // The date column holds a whole date and time also in a larger font.
    const int dateWidth = lvDocuments->fontMetrics().horizontalAdvance(QStringLiteral("00.00.0000 00:00:00")) + 16;
    const int widths[] = {45, std::max(115, dateWidth), 130, 70};
    for (int column = 0; column < 4; ++column)
        lvDocuments->setColumnWidth(column, widths[column]);
    lvDocuments->header()->setStretchLastSection(true);
    // The sections paint the whole header; its viewport need not fill
    // (an opaque one counts as covering the header).
    lvDocuments->header()->viewport()->setAutoFillBackground(false);
    lvDocuments->setMinimumWidth(45 + 115 + 130 + 70 + 80);
    connect(lvDocuments, &QTreeWidget::itemSelectionChanged, this, Guarded([this] { lvDocumentsSelectItem(); }));
    page.Grid()->setColumnStretch(0, 1);
    page.Grid()->setColumnStretch(1, 1);

    EventBus().Subscribe(ReadEvent, this, [this](const QString& AMsg) { OnReadEvent(AMsg); });
}

TfmFNData::~TfmFNData()
{
    // A reading still running stops after its document; its end finds the page closing.
    EventBus().Unsubscribe(ReadEvent, this);
    FClosing = true;
    FStopFlag.store(true, std::memory_order_release);
    FThread.reset();
}

void TfmFNData::NumberKeyPress(QChar& Key)
{
    if (Key != QChar(8) && !Key.isDigit())
        Key = QChar(0);
}

void TfmFNData::SendTLV(std::int32_t (TOrvek::*Method)())
{
    // A bad hex text is refused whole: nothing goes to the FN.
    const QByteArray data = HexToStrStrict(Memo->toPlainText());
    TDriver& d = Driver();
    d.setTLVData(AnsiToWide(data));
    Check((d.*Method)());
}

void TfmFNData::btnFNSendTLVClick()
{
    SendTLV(&TOrvek::FNSendTLV);
}

void TfmFNData::btnFNSendTLVOperationClick()
{
    SendTLV(&TOrvek::FNSendTLVOperation);
}

void TfmFNData::btnFNRequestFiscalDocumentTLVClick()
{
    Memo->clear();
    TDriver& d = Driver();
    d.setDocumentNumber(StrToInt(edtDocumentNumber->text()));
    Check(d.FNRequestFiscalDocumentTLV());
    Memo->appendPlainText(QStringLiteral("%1: %2").arg(GetRes("Тип документа")).arg(d.DocumentType()));
    Memo->appendPlainText(QStringLiteral("%1: %2").arg(GetRes("Длина док-та")).arg(d.DataLength()));
}

void TfmFNData::btnReadFiscalDocumentTLVClick()
{
    Memo->clear();
    TDriver& d = Driver();
    d.setDocumentNumber(StrToInt(edtDocumentNumber->text()));
    // The blocks read so far reach the memo on every way out.
    QString text;
    const auto show = qScopeGuard([&] { Memo->setPlainText(text); });
    for (;;) {
        const std::int32_t code = d.FNReadFiscalDocumentTLV();
        if (code == 8)
            break;
        Check(code);
        const QString data = d.TLVData();
        if (data.isEmpty())
            break;
        text += StrToHex(WideToAnsi(data)) + QLatin1Char(' ');
    }
}

void TfmFNData::SetDocumentRequest()
{
    TDriver& d = Driver();
    d.setRequestDocumentType(0);
    d.setShowTagNumber(chbShowTag->isChecked());
}

void TfmFNData::ReadTLVDoc()
{
    Memo->clear();
    SetDocumentRequest();
    TDriver& d = Driver();
    d.setDocumentNumber(StrToInt(edtDocumentNumber->text()));
    if (d.FNGetDocumentAsString() == 0)
        SetMemoText(Memo, d.StringForPrinting());
}

void TfmFNData::btnReadTLVDocClick()
{
    ReadTLVDoc();
}

void TfmFNData::btnPrintTextClick()
{
    Memo->clear();
    SetDocumentRequest();
    TDriver& d = Driver();
    d.setDocumentNumber(StrToInt(edtDocumentNumber->text()));
    if (d.FNPrintDocument() == 0)
        SetMemoText(Memo, d.StringForPrinting());
}

void TfmFNData::btnReadLastDocumentClick()
{
    TDriver& d = Driver();
    Check(d.FNGetStatus());
    SetDocumentRequest();
    edtDocumentNumber->setText(QString::number(d.DocumentNumber()));
    ReadTLVDoc();
}

void TfmFNData::btnReadAndPrintLastDocumentClick()
{
    Memo->clear();
    TDriver& d = Driver();
    Check(d.FNGetStatus());
    SetDocumentRequest();
    d.setDocumentNumber(d.DocumentNumber());
    if (d.FNPrintDocument() == 0)
        SetMemoText(Memo, d.StringForPrinting());
}

void TfmFNData::btnSaveClick()
{
    const QString fileName = Dialogs::SaveFileName(QStringLiteral("Сохранить в файл"),
                                                   QStringLiteral("Файлы HEX (*.hex);;") + Dialogs::AllFilesFilter(),
                                                   QStringLiteral("Doc") + edtDocumentNumber->text() +
                                                       QStringLiteral(".hex"),
                                                   QStringLiteral("hex"));
    if (!fileName.isEmpty())
        SaveTextFile(fileName, Memo->toPlainText());
}

void TfmFNData::lvDocumentsSelectItem()
{
    const QList<QTreeWidgetItem*> selected = lvDocuments->selectedItems();
    if (selected.isEmpty())
        return;
    edtDocumentNumber->setText(QString::number(selected.first()->data(0, Qt::UserRole).toInt()));
    TEnableButtonsFrame frame(this);
    ReadTLVDoc();
}

// List reading

void TfmFNData::btnUpdateDocumentsClick()
{
    if (FInReadingState) {
        FStopFlag.store(true, std::memory_order_release);
        return;
    }
    TDriver& d = Driver();
    Check(d.FNGetStatus());
    FLastDocumentNumber = d.DocumentNumber();
    if (!QuerySelectFNDocumentRange(FFirstDocumentNumber, FLastDocumentNumber))
        return;
    lvDocuments->clear();
    FDocuments.clear();
    EnableButtons(false);
    FInReadingState = true;
    UpdateReadingState(QString());

    FThread.reset();
    FReader = &d;
    FThread = std::make_unique<TNotifyThread>([this](TNotifyThread*) { ThreadReadingDocumentsProc(); });
    FThread->SetOnTerminate([this](TNotifyThread*) { FinishReadingDocumentsProc(); });
    ResumeDriverJob(*FThread);
    btnUpdateDocuments->setEnabled(true);
}

void TfmFNData::ReadDocument(std::int32_t N, TDocumentRec& Rec)
{
    TDriver& d = *FReader;
    // The number written, the search and the reads of its answer form one
    // unit: calls of other pages wait until it is done.
    const auto unit = d.ControlInterface().Exclusive();
    d.setDocumentNumber(N);
    TDriver::Check(d.FNFindDocument());
    Rec.DocNumber = N;
    Rec.DocDate = d.Date() + d.Time();
    Rec.DocType = d.DocumentType();
    Rec.CheckType = d.OperationType();
    Rec.SessionNumber = d.SessionNumber();
    Rec.DocSum = HasSum(Rec.DocType) ? d.Summ1() : 0;
    Rec.DocFS = d.FiscalSignAsString();
    Rec.HasOFDTicket = d.OFDTicketReceived();
}

void TfmFNData::ThreadReadingDocumentsProc()
{
    // No COM on this platform: nothing to initialise for the thread. A failed
    // search ends the work (Check's abort); the documents read stay.
    for (qint64 N = FFirstDocumentNumber; N <= FLastDocumentNumber; ++N) {
        if (FStopFlag.load(std::memory_order_acquire))
            break;
        TDocumentRec rec;
        ReadDocument(std::int32_t(N), rec);
        FDocuments.push_back(std::move(rec));
        EventBus().Post(ReadEvent, QString::number(N));
    }
}

void TfmFNData::OnReadEvent(const QString& AMsg)
{
    UpdateReadingState(AMsg);
}

void TfmFNData::FinishReadingDocumentsProc()
{
    if (FClosing)
        return;
    FInReadingState = false;
    FStopFlag.store(false, std::memory_order_release);
    UpdateReadingState(QString());
    UpdateDocumentsView();
    if (lvDocuments->topLevelItemCount() > 0)
        lvDocuments->setCurrentItem(lvDocuments->topLevelItem(0));
    else
        EnableButtons(true);  // no row to select: end the reading's frame here
}

void TfmFNData::UpdateReadingState(const QString& AMsg)
{
    if (FInReadingState) {
        btnUpdateDocuments->setText(QStringLiteral("Прервать"));
        lblDocs->setText(QStringLiteral("Чтение ") + AMsg + QLatin1Char('/') + QString::number(FLastDocumentNumber));
    } else {
        btnUpdateDocuments->setText(QStringLiteral("Обновить список"));
        lblDocs->setText(QStringLiteral("Документы ФН:"));
    }
}

void TfmFNData::UpdateDocumentsView()
{
    lvDocuments->clear();
    QList<QTreeWidgetItem*> rows;
    rows.reserve(qsizetype(FDocuments.size()));
    for (const TDocumentRec& rec : FDocuments) {
        auto* row = new QTreeWidgetItem;
        row->setData(0, Qt::UserRole, rec.DocNumber);
        row->setText(0, QString::number(rec.DocNumber));
        row->setText(1, DateTimeToQDateTime(rec.DocDate).toString(QStringLiteral("dd.MM.yyyy HH:mm:ss")));
        row->setText(2, FNDocumentTypeToStr(rec));
        row->setText(3, HasSum(rec.DocType) ? Format(QStringLiteral("%.2f"), {double(rec.DocSum) / 10000.0})
                                            : QStringLiteral("-"));
        row->setText(4, rec.DocFS);
        rows << row;
    }
    // One update bracket: the rows go in at once and repaint once.
    lvDocuments->setUpdatesEnabled(false);
    lvDocuments->addTopLevelItems(rows);
    // The type and sum columns widen to show their texts whole.
    for (int column : {2, 3}) {
        const int width = lvDocuments->columnWidth(column);
        lvDocuments->resizeColumnToContents(column);
        lvDocuments->setColumnWidth(column, std::max(width, lvDocuments->columnWidth(column)));
    }
    lvDocuments->setUpdatesEnabled(true);
}
