// The FN data page against the emulated FN: TLV sent and read, documents as
// text and printed, the document list read on a worker thread.
#include "pages/fn/fmuFNData.h"

#include "core/support/CodePage.h"
#include "core/support/Format.h"
#include "core/support/NotifyThread.h"
#include "core/support/StringUtils.h"
#include "emulator/RegisterFN.h"
#include "emulator/RegisterOFD.h"
#include "emulator/RegisterTags.h"
#include "lumaqtst/fmuMain.h"
#include "pages/fn/fmuSelectFNDocumentRange.h"
#include "platform/EventBus.h"
#include "platform/ui/UpDown.h"
#include "tests/PageTestSupport.h"
#include "tests/TestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QDeadlineTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

using M = OrvekMethod;

namespace {
QString Text(const QTreeWidgetItem* row, int column)
{
    return row->text(column);
}
} // namespace

TEST(FNDocumentTypeToStr, TypeOperationAndSession)
{
    struct Case {
        int type, check, session;
        const char* text;
    };
    const Case cases[] = {
        {2, 0, 12, "откр. смены №12"},
        {5, 0, 3, "закр. смены №3"},
        {3, 1, 0, "чек прихода"},
        {41, 4, 0, "БСО корр. возвр. расхода"},
        {31, 9, 0, "чек корр."},
        {1, 1, 5, "регистрация ФН"},
        {99, 1, 0, "неизв."},
    };
    for (const Case& c : cases) {
        TDocumentRec rec;
        rec.DocType = c.type;
        rec.CheckType = c.check;
        rec.SessionNumber = c.session;
        EXPECT_EQ(FNDocumentTypeToStr(rec), QString::fromUtf8(c.text)) << c.type;
    }
}

TEST(SelectFNDocumentRange, AStepNeverLeavesTheLastBelowTheFirst)
{
    TfmSelectFNDocumentRange d;
    d.udFirstDocumentNumber->SetRange(1, 10);
    d.udLastDocumentNumber->SetRange(1, 10);
    d.udFirstDocumentNumber->SetPosition(5);
    d.udLastDocumentNumber->SetPosition(5);
    d.udFirstDocumentNumber->Click(TUpDown::btNext);
    d.udLastDocumentNumber->Click(TUpDown::btPrev);
    EXPECT_EQ(d.edtFirstDocumentNumber->text(), QStringLiteral("5"));
    EXPECT_EQ(d.edtLastDocumentNumber->text(), QStringLiteral("5"));
    d.udLastDocumentNumber->Click(TUpDown::btNext);
    d.udFirstDocumentNumber->Click(TUpDown::btNext);
    EXPECT_EQ(d.edtFirstDocumentNumber->text(), QStringLiteral("6"));
    EXPECT_EQ(d.edtLastDocumentNumber->text(), QStringLiteral("6"));
    // Typed out of order, a step that brings them back in order is taken.
    d.edtFirstDocumentNumber->setText(QStringLiteral("9"));
    d.udFirstDocumentNumber->Click(TUpDown::btPrev);
    EXPECT_EQ(d.edtFirstDocumentNumber->text(), QStringLiteral("8"));
}

class FNDataPageTest : public MainPageTest<TfmFNData> {
protected:
    RegisterFN& FN() { return TestRegister().Area<RegisterFN>(); }
    // Documents 2 .. count after the registration report: receipts of each
    // operation, a correction BSO, session reports.
    void AddDocuments(int count)
    {
        for (int n = 2; n <= count; ++n) {
            FNDocument& doc = FN().AddDocument(n % 7 == 0 ? FNDocType::CloseSession
                                               : n % 5 == 0 ? FNDocType::CorrectionBSO
                                                            : FNDocType::Receipt);
            doc.OperationType = 1 + (n + 2) % 4;
            doc.Summ = Currency(n) * 12345;
            doc.SessionNumber = 1 + n / 7;
        }
    }
    // Clicks "Обновить список"; the script answers the range dialog.
    void UpdateList(const std::function<void(TfmSelectFNDocumentRange&)>& script)
    {
        QTimer::singleShot(0, [script] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* dialog = qobject_cast<TfmSelectFNDocumentRange*>(w); dialog && dialog->isVisible()) {
                    script(*dialog);
                    if (dialog->isVisible())
                        dialog->reject();
                    return;
                }
            ADD_FAILURE() << "no range dialog";
        });
        Page->btnUpdateDocuments->click();
    }
    static std::function<void(TfmSelectFNDocumentRange&)> Range(int first, int last)
    {
        return [first, last](TfmSelectFNDocumentRange& d) {
            d.edtFirstDocumentNumber->setText(QString::number(first));
            d.edtLastDocumentNumber->setText(QString::number(last));
            d.btnOK->click();
        };
    }
    // Runs the event loop until the reading's finish step has run.
    void WaitForList()
    {
        QDeadlineTimer deadline(20000);
        while (Page->InReadingState() && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        ASSERT_FALSE(Page->InReadingState());
        QCoreApplication::processEvents();
    }
    bool AllButtonsEnabled() const
    {
        for (QPushButton* b : Page->findChildren<QPushButton*>())
            if (!b->isEnabled())
                return false;
        return true;
    }
    int Calls(M method) const
    {
        int n = 0;
        for (M m : TestRegister().Journal())
            n += m == method;
        return n;
    }
    QString MemoOf(const FNDocument& doc, bool showTags = true) const
    {
        return RegisterOFD::DocumentText(doc, showTags).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    }
};

TEST_F(FNDataPageTest, ReadsTheChosenRangeWithProgress)
{
    AddDocuments(100);
    QString info, first, last;
    QStringList labels;
    QObject spy;
    EventBus().Subscribe(QStringLiteral("ReadEvent"), &spy, [&](const QString&) { labels << Page->lblDocs->text(); });
    UpdateList([&](TfmSelectFNDocumentRange& d) {
        info = d.lblFNInfo->text();
        first = d.edtFirstDocumentNumber->text();
        last = d.edtLastDocumentNumber->text();
        EXPECT_EQ(d.udLastDocumentNumber->Max(), 100);
        Range(5, 7)(d);
    });
    EXPECT_EQ(Page->btnUpdateDocuments->text(), QStringLiteral("Прервать"));
    labels.prepend(Page->lblDocs->text());
    WaitForList();

    EXPECT_EQ(info, QStringLiteral("В ФН доступно 100 документов"));
    EXPECT_EQ(first, QStringLiteral("1"));
    EXPECT_EQ(last, QStringLiteral("100"));
    EXPECT_EQ(labels, (QStringList{"Чтение /7", "Чтение 5/7", "Чтение 6/7", "Чтение 7/7"}));
    EXPECT_EQ(Page->lblDocs->text(), QStringLiteral("Документы ФН:"));
    EXPECT_EQ(Page->btnUpdateDocuments->text(), QStringLiteral("Обновить список"));

    ASSERT_EQ(Page->lvDocuments->topLevelItemCount(), 3);
    for (int i = 0; i < 3; ++i) {
        const FNDocument& doc = *FN().Find(5 + i);
        const QTreeWidgetItem* row = Page->lvDocuments->topLevelItem(i);
        EXPECT_EQ(Text(row, 0), QString::number(doc.Number));
        EXPECT_EQ(Text(row, 1), doc.DateTime.toString(QStringLiteral("dd.MM.yyyy HH:mm:ss")));
        EXPECT_EQ(Text(row, 4), QString::number(doc.FiscalSign));
    }
    // 5: a correction BSO for an expense return, 7: a session close.
    EXPECT_EQ(Text(Page->lvDocuments->topLevelItem(0), 2), QStringLiteral("БСО корр. возвр. расхода"));
    EXPECT_EQ(Text(Page->lvDocuments->topLevelItem(0), 3), Format(QStringLiteral("%.2f"), {5 * 1.2345}));
    EXPECT_EQ(Text(Page->lvDocuments->topLevelItem(2), 2), QStringLiteral("закр. смены №2"));
    EXPECT_EQ(Text(Page->lvDocuments->topLevelItem(2), 3), QStringLiteral("-"));
    // Every type and sum shows whole.
    for (int column : {2, 3})
        for (int i = 0; i < 3; ++i) {
            const QString text = Text(Page->lvDocuments->topLevelItem(i), column);
            EXPECT_GE(Page->lvDocuments->columnWidth(column),
                      Page->lvDocuments->fontMetrics().horizontalAdvance(text) + 6) << text.toStdString();
        }
    EXPECT_EQ(Page->edtDocumentNumber->text(), QStringLiteral("5"));
    EXPECT_EQ(Page->Memo->toPlainText(), MemoOf(*FN().Find(5)));
    EXPECT_TRUE(AllButtonsEnabled());
}

TEST_F(FNDataPageTest, StopEndsAfterTheDocumentBeingRead)
{
    AddDocuments(50);
    // The driver object held: the worker cannot get past its first document.
    std::unique_lock<std::recursive_mutex> hold;
    UpdateList([&](TfmSelectFNDocumentRange& d) {
        hold = TestComponent().Lock();
        Range(1, 50)(d);
    });
    ASSERT_TRUE(Page->InReadingState());
    Page->btnUpdateDocuments->click();  // "Прервать"
    hold.unlock();
    WaitForList();
    // The document being read, if any, is finished; no further one is read.
    const int rows = Page->lvDocuments->topLevelItemCount();
    EXPECT_LE(rows, 1);
    EXPECT_EQ(int(Page->Documents().size()), rows);
    EXPECT_EQ(Calls(M::FNFindDocument), rows);
    if (rows == 1) {
        EXPECT_EQ(Text(Page->lvDocuments->topLevelItem(0), 2), QStringLiteral("регистрация ФН"));
        EXPECT_EQ(Text(Page->lvDocuments->topLevelItem(0), 3), QStringLiteral("-"));
    }
    EXPECT_EQ(Page->lblDocs->text(), QStringLiteral("Документы ФН:"));
    EXPECT_EQ(Page->btnUpdateDocuments->text(), QStringLiteral("Обновить список"));
    EXPECT_TRUE(AllButtonsEnabled());
}

TEST_F(FNDataPageTest, AMissingFirstDocumentLeavesTheListEmptyAndThePageUsable)
{
    AddDocuments(10);
    TestRegister().Faults().FailNext(M::FNFindDocument, 8);
    UpdateList(Range(2, 4));
    WaitForList();
    EXPECT_EQ(Page->lvDocuments->topLevelItemCount(), 0);
    EXPECT_EQ(Page->lblDocs->text(), QStringLiteral("Документы ФН:"));
    EXPECT_TRUE(AllButtonsEnabled());
    // The reading's frame is closed: the result panel shows the failed search.
    EXPECT_FALSE(Main->edtTime->text().isEmpty());
    EXPECT_TRUE(Main->edtResult->text().startsWith(QStringLiteral("(8) ")));

    // A failure later keeps the documents read before it.
    TestRegister().Faults().FailOnCall(M::FNFindDocument, 3, 8);
    UpdateList(Range(2, 9));
    WaitForList();
    EXPECT_EQ(Page->lvDocuments->topLevelItemCount(), 2);
    EXPECT_TRUE(AllButtonsEnabled());
}

TEST_F(FNDataPageTest, CancelOrAFailedStatusKeepsTheList)
{
    AddDocuments(10);
    UpdateList(Range(1, 3));
    WaitForList();
    ASSERT_EQ(Page->lvDocuments->topLevelItemCount(), 3);
    EXPECT_EQ(Text(Page->lvDocuments->topLevelItem(0), 2), QStringLiteral("регистрация ФН"));
    EXPECT_EQ(Text(Page->lvDocuments->topLevelItem(0), 3), QStringLiteral("-"));

    TestRegister().ClearJournal();
    UpdateList([](TfmSelectFNDocumentRange& d) { d.btnCancel->click(); });
    EXPECT_EQ(TestRegister().Journal(), std::vector<M>{M::FNGetStatus});
    EXPECT_EQ(Page->lvDocuments->topLevelItemCount(), 3);
    EXPECT_FALSE(Page->InReadingState());

    TestRegister().Faults().FailNext(M::FNGetStatus, 2);
    Page->btnUpdateDocuments->click();  // no dialog shows
    EXPECT_EQ(Page->lvDocuments->topLevelItemCount(), 3);
    EXPECT_TRUE(AllButtonsEnabled());
}

TEST_F(FNDataPageTest, OtherPagesCallsNeverMixIntoRows)
{
    AddDocuments(400);
    QObject otherPage;
    EventBus().Subscribe(QStringLiteral("ReadEvent"), &otherPage, [](const QString&) {
        Driver().setDocumentNumber(1);
        Driver().FNFindDocument();
        Driver().FNGetStatus();
    });
    UpdateList(Range(2, 400));
    WaitForList();
    ASSERT_EQ(Page->Documents().size(), 399u);
    for (const TDocumentRec& rec : Page->Documents()) {
        const FNDocument& doc = *FN().Find(rec.DocNumber);
        ASSERT_EQ(rec.DocType, doc.Type) << rec.DocNumber;
        ASSERT_EQ(rec.DocFS, QString::number(doc.FiscalSign)) << rec.DocNumber;
        ASSERT_EQ(DateTimeToQDateTime(rec.DocDate), doc.DateTime) << rec.DocNumber;
    }
}

TEST_F(FNDataPageTest, ClosingMidReadStopsTheWorkerAndLeavesTheBus)
{
    AddDocuments(3000);
    UpdateList(Range(1, 3000));
    ASSERT_TRUE(Page->InReadingState());
    Main.reset();
    EXPECT_EQ(EventBus().SubscriberCount(QStringLiteral("ReadEvent")), 0);
    QCoreApplication::processEvents();
}

TEST_F(FNDataPageTest, SendTLVTakesWhatHexToStrReads)
{
    Page->Memo->setPlainText(QStringLiteral("F0 03 03 00\n61 40 62"));
    Page->btnFNSendTLV->click();
    auto& sent = TestRegister().Area<RegisterTags>().Sent;
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].Number, 1008);
    EXPECT_FALSE(sent[0].Operation);

    // Every byte value reaches the FN as typed.
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    Page->Memo->setPlainText(StrToHex(QByteArray::fromHex("F0030001") + all));
    Page->btnFNSendTLV->click();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[1].Value, all);

    // Every form HexToStr reads: pairs run together, one-digit groups.
    for (const char* text : {"f0030300614062", "F0 0303 00 61 40 62", "F0 3 3 0 61 40 62"}) {
        Page->Memo->setPlainText(QString::fromLatin1(text));
        Page->btnFNSendTLV->click();
        ASSERT_EQ(sent.size(), 3u) << text;
        EXPECT_EQ(sent.back().Number, 1008);
        EXPECT_EQ(sent.back().Value, QByteArray("a@b"));
        sent.pop_back();
    }

    // A bad group anywhere: a message with its position, nothing sent.
    TestRegister().ClearJournal();
    Page->Memo->setPlainText(QStringLiteral("F0 03 03 00 61 4G 62"));
    Page->btnFNSendTLVOperation->click();
    EXPECT_TRUE(TestRegister().Journal().empty());
    EXPECT_TRUE(TestDialogs().lastMessage().contains(QStringLiteral("позиции 16"))) << qPrintable(TestDialogs().lastMessage());
    EXPECT_EQ(sent.size(), 2u);

    // Malformed TLV in good hex: the FN's error.
    Page->Memo->setPlainText(QStringLiteral("F0 03 05 00 61"));
    Page->btnFNSendTLVOperation->click();
    EXPECT_EQ(Driver().ResultCode(), FNError::BadParameter);
    EXPECT_EQ(sent.size(), 2u);
}

TEST_F(FNDataPageTest, ReadsADocumentAsTLV)
{
    AddDocuments(3);
    // A tag holding every byte value comes back whole through the text property.
    FNTag tag;
    tag.Number = 1192;
    for (int b = 0; b < 256; ++b)
        tag.Value.append(char(b));
    FN().Find(3)->Tags.push_back(tag);
    const QByteArray whole = RegisterOFD::DocumentTLV(*FN().Find(3));
    Page->edtDocumentNumber->setText(QStringLiteral("3"));
    Page->btnFNRequestFiscalDocumentTLV->click();
    EXPECT_EQ(Page->Memo->toPlainText(),
              QStringLiteral("Тип документа: 3\nДлина док-та: %1").arg(whole.size()));

    TestRegister().Area<RegisterOFD>().BlockSize = 2;
    TestRegister().ClearJournal();
    Page->btnReadFiscalDocumentTLV->click();
    EXPECT_EQ(Page->Memo->toPlainText(), StrToHex(whole) + QLatin1Char(' '));
    EXPECT_EQ(Calls(M::FNReadFiscalDocumentTLV), (whole.size() + 1) / 2 + 1);

    // A failing block ends the loop with the blocks read so far.
    TestRegister().Faults().FailOnCall(M::FNReadFiscalDocumentTLV, 3, 80);
    Page->btnReadFiscalDocumentTLV->click();
    EXPECT_EQ(Page->Memo->toPlainText(), StrToHex(whole.left(4)) + QLatin1Char(' '));
}

TEST_F(FNDataPageTest, ReadsPrintsAndSavesDocumentText)
{
    AddDocuments(4);
    Page->edtDocumentNumber->setText(QStringLiteral("3"));
    Page->chbShowTag->setChecked(false);
    Page->btnReadTLVDoc->click();
    EXPECT_EQ(Page->Memo->toPlainText(), MemoOf(*FN().Find(3), false));

    // A number the FN lacks, or a failed call whose driver text still holds
    // the document before: the memo is emptied, the panel says why.
    Page->edtDocumentNumber->setText(QStringLiteral("99"));
    Page->btnReadTLVDoc->click();
    EXPECT_EQ(Page->Memo->toPlainText(), QString());
    EXPECT_EQ(Main->edtResult->text(), QStringLiteral("(8) ФН: Нет запрошенных данных"));
    Page->edtDocumentNumber->setText(QStringLiteral("3"));
    Page->btnReadTLVDoc->click();
    ASSERT_FALSE(Page->Memo->toPlainText().isEmpty());
    TestRegister().Faults().FailNext(M::FNGetDocumentAsString, 80);
    Page->btnReadTLVDoc->click();
    EXPECT_EQ(Page->Memo->toPlainText(), QString());
    EXPECT_TRUE(Main->edtResult->text().startsWith(QStringLiteral("(80)")));

    Page->chbShowTag->setChecked(true);
    Page->btnReadLastDocument->click();
    EXPECT_EQ(Page->edtDocumentNumber->text(), QStringLiteral("4"));
    EXPECT_EQ(Page->Memo->toPlainText(), MemoOf(*FN().Find(4)));

    TestRegister().Paper().Clear();
    Page->edtDocumentNumber->setText(QStringLiteral("2"));
    Page->btnPrintText->click();
    EXPECT_EQ(Page->Memo->toPlainText(), MemoOf(*FN().Find(2)));
    EXPECT_EQ(TestRegister().Paper().Texts().join(QLatin1Char('\n')), MemoOf(*FN().Find(2)));

    TestRegister().Paper().Clear();
    Page->btnReadAndPrintLastDocument->click();
    EXPECT_EQ(TestRegister().Paper().Texts().join(QLatin1Char('\n')), MemoOf(*FN().Find(4)));

    // No paper: nothing printed, the memo stays empty.
    TestRegister().State().Flags &= ~EcrFlag::ReceiptRibbonIsPresent;
    Page->btnPrintText->click();
    EXPECT_TRUE(Page->Memo->toPlainText().isEmpty());

    Page->Memo->setPlainText(QStringLiteral("01 02\nдата"));
    const QString file = TestTempDir() + QStringLiteral("/Doc2.hex");
    TestDialogs().answerFile(file);
    Page->btnSave->click();
    EXPECT_EQ(TestDialogs().shown().back().file.fileName, QStringLiteral("Doc2.hex"));
    QFile saved(file);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), QByteArray("01 02\r\n") + WideToAnsi(QStringLiteral("дата")) + QByteArray("\r\n"));
}
