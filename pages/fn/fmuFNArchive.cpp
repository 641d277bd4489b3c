#include "pages/fn/fmuFNArchive.h"

#include "core/driver/untDriver.h"
#include "core/support/CodePage.h"
#include "core/support/Format.h"
#include "core/support/SysUtils.h"
#include "core/support/VersionInfo.h"
#include "pages/fn/NotificationReader.h"
#include "pages/fn/untFNNotificationArchive.h"
#include "platform/Exceptions.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/FormBuilder.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <algorithm>
#include <climits>
#include <cmath>
#include <memory>

namespace {
// Logical table 18 (the FN parameters): registration number and FN serial.
constexpr int FNTable = 18;
constexpr int RNMField = 3;
constexpr int SerialField = 4;

const QString ArchiveFilter =
    QStringLiteral("Отчет о считывании ФД (*.crpt);;Отчет о считывании ФД (*.txt)");
const char* const ArchiveExtensions[] = {".crpt", ".txt"};
const QString Stopped = QStringLiteral("Прервано пользователем");
const QString Saved = QStringLiteral("Файл успешно сохранен");

// The name with the chosen filter's extension, unless it ends so already.
QString WithExtension(const QString& name, int filterIndex)
{
    const QString ext = QString::fromLatin1(ArchiveExtensions[filterIndex == 2 ? 1 : 0]);
    return name.endsWith(ext, Qt::CaseInsensitive) ? name : name + ext;
}
} // namespace

TfmFNArchive::TfmFNArchive(QWidget* owner)
    : TPage(owner, "fmFNArchive", PageCaption), ProgramVersion(GetFileVersionInfoStr())
{
    using T = TfmFNArchive;
    TFormBuilder<T> page(this);
    auto columns = page.Columns();

    auto archive = columns.Group("gbFNArchive", "Выгрузка архива ФН (для ЦРПТ)");
    archive.Spin(NAMED(seFirstDocument), "Номер первого ФД:", 1, INT_MAX, 1, "DocumentNumber");
    archive.Spin(NAMED(seLastDocument), "Номер последнего ФД:", 1, INT_MAX, 1, "DocumentNumber");
    archive.Check(NAMED(chbMarkingOnly), "Включать только чеки с тегом 1162", false, "MarkingOnly");
    archive.Buttons(2, {
        {NAMED(btnReadLastDocument), "Прочитать номер последнего ФД", &T::btnReadLastDocumentClick, "FNGetStatus"},
        {NAMED(btnSaveArchive), "Прочитать и сохранить архив ФН в файл...", &T::btnSaveArchiveClick,
         "FNReadArchiveItem"},
    });

    auto notifications = columns.Group("gbNotifications", "Отчет о реализации маркированного товара (ФФД 1.2)");
    notifications.Edit(NAMED(edtFirstNotification), "Номер первого увед.:", "1", "NotificationNumber");
    notifications.Edit(NAMED(edtNotificationCount), "Кол-во уведомлений:", "1", "NotificationCount");
    OnClick(notifications.Check(NAMED(chbAllNotifications), "Выгрузить все уведомления", true), this,
            &T::UpdateForm);
    notifications.Buttons(2, {
        {NAMED(btnReadNotificationCount), "Запросить кол-во уведомлений", &T::btnReadNotificationCountClick,
         "FNBeginReadNotifications"},
        {NAMED(btnSaveNotifications), "Выгрузить уведомления в файл...", &T::btnSaveNotificationsClick,
         "FNConfirmNotificationRead"},
    });

    auto progress = page.Columns();
    progress.Whole(ProgressBar = NewControl<QProgressBar>(this, "ProgressBar"));
    progress.Stretch(ProgressBar);
    progress.Whole(lblProgress = NewLabel(this, QStringLiteral("0%"), "lblProgress"));
    progress.Buttons(1, {{NAMED(btnStop), "Прервать", &T::btnStopClick, {}, TRun::Stop}});
    ProgressBar->setTextVisible(false);
    lblProgress->setMinimumWidth(lblProgress->fontMetrics().horizontalAdvance(QStringLiteral("100%")));
    page.Space();
    UpdateForm();
}

void TfmFNArchive::UpdatePage()
{
    UpdateForm();
}

void TfmFNArchive::UpdateForm()
{
    const bool range = !chbAllNotifications->isChecked();
    edtFirstNotification->setEnabled(range);
    edtNotificationCount->setEnabled(range);
}

QString TfmFNArchive::GetDefaultFileName(const QString& Serial, std::int32_t First, std::int32_t Last)
{
    return Format(QStringLiteral("Arc_%.16d_%.2d_%.2d"), {qlonglong(StrToInt64(Serial)), First, Last});
}

std::uint32_t TfmFNArchive::GetFFDVersion()
{
    TDriver& d = Driver();
    const int model = d.GetModelID();
    std::int32_t value = 0;
    if (model == 19)
        value = d.ReadTableInt(10, 1, 4);
    else if (d.IsModelType2() && model != 37)
        value = d.ReadTableInt(10, 1, 29);
    else
        value = d.ReadTableInt(17, 1, 17);
    return std::uint32_t(value) & 0xFF;
}

void TfmFNArchive::btnStopClick()
{
    FStopFlag = true;
}

void TfmFNArchive::StartProgress(std::int64_t Maximum)
{
    FProgress = 0;
    FProgressMax = Maximum;
    // At least one step: a range of 0 would be Qt's busy bar.
    ProgressBar->setRange(0, int(std::clamp<std::int64_t>(Maximum, 1, INT_MAX)));
    ProgressBar->setValue(0);
    lblProgress->setText(QStringLiteral("0%"));
}

void TfmFNArchive::StepProgress()
{
    ++FProgress;
    ProgressBar->setValue(int(std::min<std::int64_t>(FProgress, INT_MAX)));
    // Rounded half to even, as the default rounding mode does.
    if (FProgressMax > 0)
        lblProgress->setText(QStringLiteral("%1%").arg(std::lrint(double(FProgress) * 100 / double(FProgressMax))));
}

void TfmFNArchive::ProcessMessages()
{
    QPointer<TfmFNArchive> alive(this);
    QCoreApplication::processEvents();
    if (!alive)
        throw EAbort();
}

void TfmFNArchive::CheckStopped()
{
    if (FStopFlag)
        throw Exception(Stopped);
}

void TfmFNArchive::btnReadLastDocumentClick()
{
    Check(Driver().FNGetStatus());
    seLastDocument->setValue(Driver().DocumentNumber());
}

void TfmFNArchive::btnSaveArchiveClick()
{
    TDriverJob job;   // events run between the driver calls
    TDriver& d = Driver();
    Check(d.FNGetStatus());
    const std::int32_t first = seFirstDocument->value();
    const std::int32_t last = seLastDocument->value();
    int filterIndex = 1;
    const QString name = Dialogs::SaveFileName(QStringLiteral("Сохранить архив ФН"), ArchiveFilter,
                                               GetDefaultFileName(d.SerialNumber(), first, last), {}, &filterIndex);
    if (name.isEmpty())
        return;
    if (last < first)
        throw Exception(QStringLiteral("Номер последнего документа не может быть меньше номера первого документа"));

    // Steps of the bar: last - first; the label counts the documents.
    StartProgress(std::int64_t(last) - first);
    Check(d.ResetECR());
    Check(d.FNBeginReadArchive());
    btnStop->setEnabled(true);
    FStopFlag = false;
    const std::int64_t documents = std::int64_t(last) - first + 1;
    for (std::int64_t n = first; n <= last; ++n) {
        if (FStopFlag)
            return;
        d.setDocumentNumber(std::int32_t(n));
        Check(d.FNReadArchiveItem());
        StepProgress();
        lblProgress->setText(QStringLiteral("%1%").arg(std::lrint(double(n - first + 1) * 100 / double(documents))));
        ProcessMessages();
    }
    d.setFileName(WithExtension(name, filterIndex));
    d.setFNArchiveType(filterIndex - 1);
    d.setMarkingOnly(chbMarkingOnly->isChecked());
    Check(d.FNSaveArchive());
    Dialogs::ShowMessage(Saved);
}

void TfmFNArchive::btnReadNotificationCountClick()
{
    TDriver& d = Driver();
    Check(d.FNBeginReadNotifications());
    edtFirstNotification->setText(QString::number(d.NotificationNumber()));
    edtNotificationCount->setText(QString::number(d.NotificationCount()));
}

void TfmFNArchive::ReadNotifications(TFNNotificationArchive& Archive, std::int32_t First, std::int64_t Count, bool All)
{
    TDriverJob job;   // events run between the driver calls
    TDriver& d = Driver();
    lblProgress->setText(QStringLiteral("0%"));
    ProgressBar->setValue(0);
    FStopFlag = false;
    Check(d.FNBeginReadNotifications());
    if (All)
        Count = d.NotificationCount();
    else if (First < d.NotificationNumber())
        Count += std::int64_t(First) - d.NotificationNumber();
    if (Count < 0)
        throw Exception(QStringLiteral("Неверное количество уведомлений: %1").arg(Count));
    StartProgress(2 * Count);

    std::int32_t number = 0;
    QByteArray data;
    while (ReadNotification(number, data)) {
        if (All || number >= First) {
            Archive.Add(number, data);
            StepProgress();
            if (Archive.Notifications().GetCount() == Count)
                break;
        }
        CheckStopped();
        ProcessMessages();
    }
}

void TfmFNArchive::ConfirmNotifications(const TFNNotificationArchive& Archive)
{
    TDriverJob job;   // events run between the driver calls
    TDriver& d = Driver();
    const TNotifications& list = Archive.Notifications();
    for (int i = 0; i < list.GetCount(); ++i) {
        const TNotification* item = list.GetItem(i);
        d.setNotificationNumber(item->FNumber);
        d.setCheckSum(item->GetCRC());
        Check(d.FNConfirmNotificationRead());
        StepProgress();
        CheckStopped();
        ProcessMessages();
    }
}

void TfmFNArchive::btnSaveNotificationsClick()
{
    btnStop->setEnabled(true);
    TDriver& d = Driver();
    const QByteArray serial = d.ReadTableStr(FNTable, 1, SerialField);
    const std::uint32_t ffd = GetFFDVersion();
    const QByteArray rnm = d.ReadTableStr(FNTable, 1, RNMField);
    auto archive = std::make_unique<TFNNotificationArchive>(QStringLiteral("Brannic: Lumaq ") + ProgramVersion, rnm,
                                                            serial, ffd);
    ReadNotifications(*archive, StrToInt(edtFirstNotification->text()), StrToInt(edtNotificationCount->text()),
                      chbAllNotifications->isChecked());
    const TNotifications& list = archive->Notifications();
    if (list.GetCount() == 0)
        return;
    const QString proposed = QStringLiteral("%1_%2_%3")
                                 .arg(AnsiToWide(serial).trimmed())
                                 .arg(list.GetItem(0)->FNumber)
                                 .arg(list.GetItem(list.GetCount() - 1)->FNumber);
    const QString name = Dialogs::SaveFileName(QStringLiteral("Сохранить уведомления"), Dialogs::AllFilesFilter(),
                                               proposed, QStringLiteral("crpt2"));
    if (name.isEmpty())
        return;
    archive->SaveToFile(name);
    ConfirmNotifications(*archive);
    archive.reset();
    Dialogs::ShowMessage(Saved);
}
