#pragma once
// TfmSDCard: "SD-карта", writes a boot loader or firmware file to the
// register's SD card in blocks of 128 bytes with a progress bar and a stop
// button, and formats the card.
#include "core/pages/untPages.h"

#include <QByteArray>

class QLabel;
class QProgressBar;
class QPushButton;

class TfmSDCard : public TPage {
    Q_OBJECT
public:
    static constexpr const char* PageCaption = "SD-карта";
    explicit TfmSDCard(QWidget* owner = nullptr);

    QPushButton* btnWriteLoader;
    QPushButton* btnWriteFirmware;
    QPushButton* btnFormatSDCard;
    QPushButton* btnStop;
    QProgressBar* Progress;
    QLabel* lblLoading;
    QLabel* lblSuccess;

    // Writes the file to the card as the given type (0 boot loader, 1 firmware).
    void WriteFile(const QString& FileName, int FileType);

    static constexpr int BlockSize = 128;
    // The smallest file of a type, and whether an empty block follows the data.
    static qsizetype MinFileSize(int FileType);
    // A larger file is no loader or firmware image.
    static constexpr qint64 MaxFileSize = qint64(16) << 20;
    static bool NeedsExtraBlock(int FileType, qsizetype Size, bool IsD3);

private:
    void btnWriteLoaderClick();
    void btnWriteFirmwareClick();
    void btnStopClick();
    void btnFormatSDCardClick();
    void WriteChosenFile(int FileType);
    void ProcessMessages();

    bool FStopFlag = false;
};
