#include "pages/service/fmuReadDump.h"

#include "core/driver/untDriver.h"
#include "core/pages/MemoReport.h"
#include "core/support/CodePage.h"
#include "core/support/Format.h"
#include "core/support/NotifyThread.h"
#include "core/support/untUtil.h"
#include "pages/service/fmuDump.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/FormBuilder.h"

#include <QComboBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTimer>

namespace {
struct TDeviceItem {
    int Code;
    const char* Text;
};
const TDeviceItem DeviceItems[] = {
    {0, "00h Стационарная проверка ФП"},
    {1, "01h Накопитель ФП1"},
    {2, "02h Накопитель ФП2"},
    {3, "03h Часы"},
    {4, "04h Энергонезависимая память"},
    {5, "05h Процессор ФП / Память программ ФП"},
    {6, "06h Память программ"},
    {7, "07h Оперативная память"},
    {8, "08h Образ файловой системы"},
    {9, "09h Образ uLinux"},
    {10, "0Ah Исполняемый файл ПО"},
    {134, "86h Память программ КЯ"},
};
const QString FileFilter = Dialogs::AllFilesFilter();
} // namespace

QStringList DumpBlockLines(const QByteArray& Block)
{
    QStringList lines;
    for (qsizetype at = 0; at < Block.size(); at += 16)
        lines << StrToHex(Block.mid(at, 16), true);
    return lines;
}

QString BlocksReceivedText(std::int32_t Blocks)
{
    return Format(QStringLiteral("Получено блоков: %d"), {Blocks});
}

TfmReadDump::TfmReadDump(QWidget* owner) : TPage(owner, "fmReadDump", PageCaption)
{
    using T = TfmReadDump;
    TFormBuilder<T> page(this, nullptr, true);
    auto left = page.Section();
    left.Combo(NAMED(cbDeviceCode), QStringLiteral("Устройство:"), {}, 0, "DeviceCode");
    auto blocks = left.Group("gbBlocks", QStringLiteral("Поблочный доступ"));
    edtBlockCount = blocks.Edit(NAMED(edtBlockCount), QStringLiteral("Количество блоков данных:"), {}, "DataBlockNumber");
    edtBlockCount->setReadOnly(true);
    edtBlockNumber = blocks.Edit(NAMED(edtBlockNumber), QStringLiteral("Номер блока данных:"), {}, "DataBlockNumber");
    edtBlockNumber->setReadOnly(true);
    blocks.Buttons(3, {
        {NAMED(btnDampRequest), "Запрос дампа", &T::btnDampRequestClick, "DampRequest", TRun::Plain},
        {NAMED(btnGetData), "Получить данные", &T::btnGetDataClick, "GetData", TRun::Plain},
        {NAMED(btnInterruptDataStream), "Прервать выдачу данных", &T::btnInterruptDataStreamClick,
         "InterruptDataStream", TRun::Plain},
    });
    auto all = left.Group("gbAllBlocks", QStringLiteral("Загрузка всех блоков"));
    all.Buttons(2, {
        {NAMED(btnStart), "Закачать данные", &T::btnStartClick, "DampRequest;\nGetData", TRun::Plain},
        {NAMED(btnStop), "Прервать", &T::btnStopClick, {}, TRun::Stop},
        {NAMED(btnViewData), "Посмотреть...", &T::btnViewDataClick, {}, TRun::Plain},
        {NAMED(btnSaveDump), "Сохранить", &T::btnSaveDumpClick, {}, TRun::Plain},
    });
    ProgressBar = all.Whole(NewControl<QProgressBar>(all.Container(), "ProgressBar"));
    ProgressBar->setVisible(false);
    all.Label(NAMED(lblCount), QStringLiteral("Получено блоков:"));
    lblCount->setVisible(false);
    // Hidden progress keeps its place.
    for (QWidget* w : {static_cast<QWidget*>(ProgressBar), static_cast<QWidget*>(lblCount)}) {
        QSizePolicy policy = w->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        w->setSizePolicy(policy);
    }
    left.Space();

    auto right = page.Section();
    right.Label("lblBlock", QStringLiteral("Блок данных:"));
    Memo = ReportMemo(right.Memo(NAMED(Memo), true));
    Memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    Memo->setMinimumWidth(Memo->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 50);
    page.Grid()->setColumnStretch(1, 1);

    Timer = new QTimer(this);
    Timer->setInterval(500);
    connect(Timer, &QTimer::timeout, this, Guarded([this] { UpdateProgress(); }));
}

TfmReadDump::~TfmReadDump()
{
    FClosing = true;
    FStopFlag.store(true);
    FThread.reset();
}

void TfmReadDump::Initialize()
{
    cbDeviceCode->clear();
    for (const TDeviceItem& item : DeviceItems)
        cbDeviceCode->addItem(QString::fromUtf8(item.Text), item.Code);
    cbDeviceCode->setCurrentIndex(0);
}

std::int32_t TfmReadDump::SelectedCode() const
{
    return cbDeviceCode->currentData().toInt();
}

QByteArray TfmReadDump::DumpCopy() const
{
    std::lock_guard lock(FDumpLock);
    return FDump;
}

void TfmReadDump::JoinWorker()
{
    FStopFlag.store(true);
    FThread.reset();
}

void TfmReadDump::Framed(const std::function<void()>& body)
{
    JoinWorker();
    TEnableButtonsFrame frame(this);
    body();
}

void TfmReadDump::btnDampRequestClick()
{
    Framed([this] {
        TDriver& d = Driver();
        d.setDeviceCode(SelectedCode());
        if (d.DampRequest() != 0)
            edtBlockCount->clear();
        else
            edtBlockCount->setText(QString::number(d.DataBlockNumber()));
    });
}

void TfmReadDump::btnGetDataClick()
{
    Framed([this] {
        Memo->clear();
        TDriver& d = Driver();
        if (d.GetData() != 0) {
            edtBlockNumber->clear();
            return;
        }
        edtBlockNumber->setText(QString::number(d.DataBlockNumber()));
        Memo->setPlainText(DumpBlockLines(WideToAnsi(d.DataBlock())).join(QLatin1Char('\n')));
    });
}

void TfmReadDump::btnInterruptDataStreamClick()
{
    Framed([] { Driver().InterruptDataStream(); });
}

void TfmReadDump::btnStartClick()
{
    // A stopped worker may still be reading: it ends before the request.
    JoinWorker();
    EnableButtons(false);
    btnStop->setEnabled(true);
    try {
        TDriver& d = Driver();
        d.setDeviceCode(SelectedCode());
        if (d.DampRequest() != 0) {
            EnableButtons(true);
            return;
        }
        FCount = d.DataBlockNumber();
        FDriver = &d;
        FStopFlag.store(false);
        ReadData();
    } catch (...) {
        EnableButtons(true);
        throw;
    }
}

void TfmReadDump::ReadData()
{
    {
        std::lock_guard lock(FDumpLock);
        FDump.clear();
        FResultDescription.clear();
    }
    FResultCode.store(0);
    FBlockNumber.store(0);
    FStopFlag.store(false);
    btnStop->setEnabled(true);
    // At least one step: a range of 0 would be Qt's busy bar.
    ProgressBar->setRange(0, std::max(FCount, 1));
    ProgressBar->setValue(0);
    ProgressBar->setVisible(true);
    lblCount->setText(BlocksReceivedText(0));
    lblCount->setVisible(true);
    FThread = std::make_unique<TNotifyThread>([this](TNotifyThread*) { ThreadProc(); });
    FThread->SetOnTerminate([this](TNotifyThread* Sender) { OnCompleted(Sender); });
    ResumeDriverJob(*FThread);
    Timer->start();
}

void TfmReadDump::ThreadProc()
{
    TDriver& d = *FDriver;
    const std::int32_t count = FCount;
    for (std::int32_t i = 1; i <= count && !FStopFlag.load(); ++i) {
        std::int32_t code;
        QString block;
        QString description;
        {
            // The request and the reads of its answer form one unit.
            const auto unit = d.ControlInterface().Exclusive();
            code = d.GetData();
            if (code != 0)
                description = d.ResultCodeDescription();
            else
                block = d.DataBlock();
        }
        if (code != 0) {
            std::lock_guard lock(FDumpLock);
            FResultDescription = description;
            FResultCode.store(code);
            break;
        }
        {
            std::lock_guard lock(FDumpLock);
            FDump.append(WideToAnsi(block));
        }
        FBlockNumber.store(i);
    }
    if (FResultCode.load() == 0)
        d.InterruptDataStream();
}

void TfmReadDump::OnCompleted(TNotifyThread* Sender)
{
    if (FClosing)
        return;
    Timer->stop();
    UpdateProgress();
    if (btnStop->isEnabled())
        EnableButtons(true);
    btnStart->setEnabled(true);
    ProgressBar->setVisible(false);
    lblCount->setVisible(false);
    if (const std::exception_ptr error = Sender->FatalException())
        std::rethrow_exception(error);
    if (const std::int32_t code = FResultCode.load()) {
        QString description;
        {
            std::lock_guard lock(FDumpLock);
            description = FResultDescription;
        }
        Dialogs::MessageBox(Format(QStringLiteral("Ошибка %d: %s"), {code, description}) + QStringLiteral("\n\r"),
                            ApplicationTitle(), Dialogs::Buttons::Ok, Dialogs::Icon::Warning);
    }
}

void TfmReadDump::btnStopClick()
{
    FStopFlag.store(true);
    EnableButtons(true);
    ProgressBar->setVisible(false);
}

void TfmReadDump::UpdateProgress()
{
    const std::int32_t blocks = FBlockNumber.load();
    ProgressBar->setValue(std::min(blocks, ProgressBar->maximum()));
    lblCount->setText(BlocksReceivedText(blocks));
}

void TfmReadDump::btnViewDataClick()
{
    TDriver& d = Driver();
    const TDeviceRec device{d.DeviceCode(), d.DeviceCodeDescription()};
    ShowDumpDlg(this, DumpCopy(), device);
}

void TfmReadDump::btnSaveDumpClick()
{
    const QString fileName = Dialogs::SaveFileName(QString(), FileFilter);
    if (!fileName.isEmpty())
        SaveDumpFile(fileName, DumpCopy());
}
