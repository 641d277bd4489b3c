#include "pages/service/fmuSDCard.h"

#include "core/driver/untDriver.h"
#include "core/support/CodePage.h"
#include "core/support/FileUtils.h"
#include "platform/Exceptions.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/FormBuilder.h"

#include <QCoreApplication>
#include <QPointer>
#include <QProgressBar>
#include <QScopeGuard>

namespace {
constexpr qsizetype LoaderMinSize = 0x7000;
constexpr qsizetype FirmwareMinSize = 0x78000;
const QByteArray FormatCommand = QByteArray::fromHex("FE0400000000");
const QString FileFilter = QStringLiteral("*.bin (*.bin);;") + Dialogs::AllFilesFilter();
} // namespace

TfmSDCard::TfmSDCard(QWidget* owner) : TPage(owner, "fmSDCard", PageCaption)
{
    using T = TfmSDCard;
    TFormBuilder<T> page(this);
    auto top = page.Columns();
    auto buttons = top.Section();
    buttons.Buttons(4, {
        {NAMED(btnWriteLoader), QStringLiteral("Загрузить файл загрузчика на SD-карту..."), &T::btnWriteLoaderClick,
         "LoadBlockOnSDCard", TRun::Plain},
        {NAMED(btnWriteFirmware), QStringLiteral("Загрузить файл прошивки на SD-карту..."),
         &T::btnWriteFirmwareClick, "LoadBlockOnSDCard", TRun::Plain},
        {NAMED(btnFormatSDCard), QStringLiteral("Отформатировать SD-карту"), &T::btnFormatSDCardClick,
         "ExchangeBytes"},
        {NAMED(btnStop), QStringLiteral("Прервать"), &T::btnStopClick, {}, TRun::Stop},
    });
    top.Space();
    Progress = page.Whole(NewControl<QProgressBar>(this, "Progress"));
    Progress->setRange(0, 100);
    Progress->setValue(0);
    page.Label(NAMED(lblLoading), QStringLiteral("Загрузка: 0%"));
    page.Label(NAMED(lblSuccess), QStringLiteral("Запись прошла успешно"));
    lblSuccess->setVisible(false);
    page.Space();
}

qsizetype TfmSDCard::MinFileSize(int FileType)
{
    return FileType == 0 ? LoaderMinSize : FirmwareMinSize;
}

bool TfmSDCard::NeedsExtraBlock(int FileType, qsizetype Size, bool IsD3)
{
    return FileType == 0 ? Size > LoaderMinSize && !IsD3 : Size > FirmwareMinSize;
}

void TfmSDCard::btnWriteLoaderClick()
{
    WriteChosenFile(0);
}

void TfmSDCard::btnWriteFirmwareClick()
{
    WriteChosenFile(1);
}

void TfmSDCard::WriteChosenFile(int FileType)
{
    const QString name = Dialogs::OpenFileName(QString(), FileFilter);
    if (!name.isEmpty())
        WriteFile(name, FileType);
}

void TfmSDCard::btnStopClick()
{
    FStopFlag = true;
}

void TfmSDCard::btnFormatSDCardClick()
{
    Check(Driver().SendCommand(FormatCommand));
}

void TfmSDCard::ProcessMessages()
{
    QPointer<TfmSDCard> alive(this);
    QCoreApplication::processEvents();
    if (!alive)
        throw EAbort();
}

void TfmSDCard::WriteFile(const QString& FileName, int FileType)
{
    // After the frame has enabled the buttons again: a driver error shows.
    QPointer<TfmSDCard> alive(this);
    bool written = false;
    const auto finish = qScopeGuard([alive, &written] {
        if (!alive)
            return;
        if (!written) {   // the bar ends empty or done
            alive->Progress->setValue(0);
            alive->lblLoading->setText(QStringLiteral("Загрузка: 0%"));
        }
        if (DriverExists() && Driver().ResultCode() != 0) {
            alive->lblSuccess->setText(QStringLiteral("Ошибка: ") + Driver().ResultCodeDescription());
            alive->lblSuccess->setVisible(true);
        }
    });
    TEnableButtonsFrame frame(this);
    TDriverJob job;   // events run between the driver calls
    TDriver& d = Driver();
    Check(d.GetECRStatus());
    const bool isD3 = d.ECRSoftVersion().left(3) == QStringLiteral("D.3");
    lblLoading->setText(QStringLiteral("Загрузка: 0%"));
    Progress->setValue(0);
    lblSuccess->setVisible(false);
    ProcessMessages();

    d.setFileType(FileType);
    const QByteArray data = ReadFileData(FileName, MaxFileSize);
    const qsizetype size = data.size();
    if (size < MinFileSize(FileType))
        throw Exception(QStringLiteral("Invalid file size"));

    Progress->setRange(0, 100);
    Progress->setValue(1);
    btnStop->setEnabled(true);
    FStopFlag = false;
    d.setBlockNumber(0);
    for (qsizetype offset = 0; offset < size; offset += BlockSize) {
        d.setBlockData(AnsiToWide(data.mid(offset, BlockSize)));
        Check(d.LoadBlockOnSDCard());
        d.setBlockNumber(d.BlockNumber() + 1);
        Progress->setValue(std::clamp(int(double(offset + 129) / double(size) * 100), 0, 100));
        lblLoading->setText(QStringLiteral("Загрузка: %1%").arg(Progress->value()));
        if (FStopFlag)
            throw Exception(QStringLiteral("Операция отменена"));
        ProcessMessages();
    }
    if (NeedsExtraBlock(FileType, size, isD3)) {
        d.setBlockData(QString());
        Check(d.LoadBlockOnSDCard());
    }
    written = true;
    lblSuccess->setText(QStringLiteral("Запись прошла успешно"));
    lblSuccess->setVisible(true);
}
