#pragma once
// TfmFirmwareUpdate: "Прошивка", hands a firmware file to the driver's own
// update after warnings about the connection, the FN's version and an open
// session, then shows the driver's update status every 300 ms until it ends.
#include "core/pages/untPages.h"

#include <QString>
#include <memory>

class TDriverJob;
class QComboBox;
class QLineEdit;
class QPushButton;
class QTimer;

class TfmFirmwareUpdate : public TPage {
    Q_OBJECT
public:
    static constexpr const char* PageCaption = "Прошивка";
    explicit TfmFirmwareUpdate(QWidget* owner = nullptr);
    ~TfmFirmwareUpdate() override;

    // True when the FN's version text names FFD 1.2.
    static bool IsFNCompatibleToFFD12(const QString& version);

    QLineEdit* edtFileName;
    QPushButton* btnOpenFile;
    QComboBox* cbUpdateMethod;
    QLineEdit* edtFWUpdateStatus;
    QPushButton* btnUpdateFirmware;
    QPushButton* btnCancelFirmwareUpdate;
    QTimer* Timer;

    // The status poll (the timer's handler).
    void TimerTimer();

private:
    void btnOpenFileClick();
    void btnUpdateFirmwareClick();
    void btnCancelFirmwareUpdateClick();
    // The connection's warning for the interface; true to go on.
    bool ConfirmConnection();
    // A "Внимание!" question with OK and Cancel (Cancel the default); true for OK.
    static bool Confirmed(const QString& text);

    // The file name as it stood before the change being made.
    QString FFileName;
    // The driver runs the update while the status is followed: it is held
    // from the start until the status leaves 1.
    std::unique_ptr<TDriverJob> FUpdateJob;
};
