#pragma once
// TfmFNArchive: "Архив ФН". Reads a range of FN documents and has the driver
// save them as an FN archive file (.crpt or .txt); exports the FN's
// notifications about sold marked goods into a notification archive file and
// then confirms each of them as read. Both runs show their progress and stop
// on "Прервать".
#include "core/pages/untPages.h"

#include <QString>
#include <cstdint>

class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class TFNNotificationArchive;

class TfmFNArchive : public TPage {
    Q_OBJECT
public:
    static constexpr const char* PageCaption = "Архив ФН";
    explicit TfmFNArchive(QWidget* owner = nullptr);

    QSpinBox* seFirstDocument;
    QSpinBox* seLastDocument;
    QPushButton* btnReadLastDocument;
    QPushButton* btnSaveArchive;
    QCheckBox* chbMarkingOnly;
    QLineEdit* edtFirstNotification;
    QLineEdit* edtNotificationCount;
    QCheckBox* chbAllNotifications;
    QPushButton* btnReadNotificationCount;
    QPushButton* btnSaveNotifications;
    QProgressBar* ProgressBar;
    QLabel* lblProgress;
    QPushButton* btnStop;

    // The program's file version in the archive's program name (the
    // program's own unless set).
    QString ProgramVersion;

    void UpdatePage() override;
    // The notification range is editable only while not all are exported.
    void UpdateForm();

    // "Arc_%.16d_%.2d_%.2d" of the serial (trimmed, a 64-bit integer; else
    // EConvertError), first and last.
    static QString GetDefaultFileName(const QString& Serial, std::int32_t First, std::int32_t Last);
    // The low byte of the device's FFD version code, by model.
    static std::uint32_t GetFFDVersion();

private:
    void btnReadLastDocumentClick();
    void btnSaveArchiveClick();
    void btnStopClick();
    void btnReadNotificationCountClick();
    void btnSaveNotificationsClick();

    // Reads the notifications into the archive (none confirmed).
    void ReadNotifications(TFNNotificationArchive& Archive, std::int32_t First, std::int64_t Count, bool All);
    void ConfirmNotifications(const TFNNotificationArchive& Archive);
    // Starts the progress at 0 of Maximum steps.
    void StartProgress(std::int64_t Maximum);
    // One step on: the bar and the rounded percentage.
    void StepProgress();
    // Lets a click on "Прервать" through; ends silently when the page went
    // away meanwhile.
    void ProcessMessages();
    // "Прервано пользователем" when the user stopped the run.
    void CheckStopped();

    bool FStopFlag = false;
    std::int64_t FProgress = 0;
    std::int64_t FProgressMax = 0;
};
