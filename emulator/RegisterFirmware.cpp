#include "emulator/RegisterFirmware.h"

#include "core/binding/OrvekCodes.h"
#include "emulator/RegisterReceipt.h"
#include "emulator/RegisterTextPrint.h"

#include <QFile>

namespace {
// Interfaces the methods work over.
constexpr int InterfaceRS232 = 0;
constexpr int InterfaceUSB = 2;
// Setting up and restarting, then the bytes at the method's speed.
constexpr qint64 SetupMs = 5000;
constexpr qint64 DFUBytesPerSecond = 65536;
constexpr qint64 XMODEMBytesPerSecond = 11520;
// A register's flash holds no more.
constexpr qint64 MaxImageSize = 16 * 1024 * 1024;
} // namespace

qint64 RegisterFirmware::TransferMs(int method, qsizetype size)
{
    const qint64 speed = method == DFU ? DFUBytesPerSecond : XMODEMBytesPerSecond;
    return SetupMs + qint64(size) * 1000 / speed;
}

void RegisterFirmware::Fail(const QString& message)
{
    FStatus = Failed;
    FMessage = message;
}

std::int32_t RegisterFirmware::Start(const QString& fileName, int method, int interfaceCode, QString& description)
{
    Step();
    if (FStatus == Running) {
        description = QStringLiteral("Обновление прошивки уже выполняется");
        return OrvekResult::WrongMode;
    }
    auto refuse = [this, &description](std::int32_t code, const QString& text) {
        description = text;
        Fail(text);
        return code;
    };
    if (method != DFU && method != XMODEM)
        return refuse(OrvekResult::BadParameter, QStringLiteral("Неизвестный метод обновления прошивки: %1").arg(method));
    if (method == DFU && interfaceCode != InterfaceUSB)
        return refuse(OrvekResult::BadParameter, QStringLiteral("Обновление по DFU возможно только при подключении по USB"));
    if (method == XMODEM && interfaceCode != InterfaceRS232)
        return refuse(OrvekResult::BadParameter,
                      QStringLiteral("Обновление по XMODEM возможно только при подключении по RS-232"));
    QFile file(fileName);
    if (fileName.isEmpty() || !file.open(QIODevice::ReadOnly))
        return refuse(OrvekResult::FileError, QStringLiteral("Не удалось открыть файл прошивки: %1").arg(fileName));
    if (file.size() > MaxImageSize)
        return refuse(OrvekResult::BadParameter, QStringLiteral("Файл прошивки больше %1 байт").arg(MaxImageSize));
    FirmwareImage image;
    QString error;
    if (!ReadFirmwareImage(file.readAll(), image, error))
        return refuse(OrvekResult::BadParameter, error);
    if (image.ModelId != FRegister.Config().ModelId)
        return refuse(OrvekResult::BadParameter,
                      QStringLiteral("Прошивка для другой модели ККТ (%1, а ККТ - %2)")
                          .arg(image.ModelId)
                          .arg(FRegister.Config().ModelId));
    FImage = std::move(image);
    ++FRun;
    FMethod = method;
    FStarted = FRegister.Now();
    FStatus = Running;
    FMessage = QStringLiteral("Загрузка прошивки: 0%");
    return OrvekResult::Ok;
}

std::int32_t RegisterFirmware::Cancel(QString& description)
{
    Step();
    if (FStatus != Running) {
        description = QStringLiteral("Обновление прошивки не выполняется");
        return OrvekResult::WrongMode;
    }
    Fail(QStringLiteral("Обновление прошивки прервано"));
    return OrvekResult::Ok;
}

void RegisterFirmware::Abandon(int run)
{
    Step();
    if (run == FRun && FStatus == Running)
        Fail(QStringLiteral("Обновление прошивки прервано"));
}

void RegisterFirmware::Step()
{
    if (FStatus != Running)
        return;
    const qint64 total = TransferMs(FMethod, FImage.Program.size());
    const qint64 elapsed = std::max<qint64>(0, FStarted.msecsTo(FRegister.Now()));
    if (elapsed < total) {
        FMessage = QStringLiteral("Загрузка прошивки: %1%").arg(elapsed * 100 / total);
        return;
    }
    if (!FImage.ChecksumMatches()) {
        Fail(QStringLiteral("Ошибка контрольной суммы образа прошивки"));
        return;
    }
    FRegister.SetSoftware(FImage.Version, FImage.Build, FImage.Date);
    RestartRegister(FRegister);
    FStatus = Done;
    FMessage = QStringLiteral("Прошивка обновлена: версия %1, сборка %2").arg(FImage.Version).arg(FImage.Build);
}

bool RegisterFirmware::CardInserted() const
{
    return FRegister.Tables().Value(15, 1, 1).toInt() == 1;
}

std::int32_t RegisterFirmware::LoadBlock(int type, int number, const QByteArray& data, QString& description)
{
    if (!CardInserted()) {
        description = QStringLiteral("SD-карта не установлена");
        return OrvekResult::WrongMode;
    }
    if (type != 0 && type != 1) {
        description = QStringLiteral("Неверный тип файла: %1").arg(type);
        return OrvekResult::BadParameter;
    }
    if (data.size() > BlockSize) {
        description = QStringLiteral("Блок длиннее %1 байт").arg(BlockSize);
        return OrvekResult::BadParameter;
    }
    SDFile& file = FFiles[std::size_t(type)];
    if (number == 0)
        file = {};
    else if (file.Complete || number != file.NextBlock) {
        description = file.Complete ? QStringLiteral("Файл уже записан")
                                    : QStringLiteral("Неверный номер блока: %1, ожидается %2").arg(number).arg(file.NextBlock);
        return OrvekResult::BadParameter;
    }
    file.Data += data;
    file.Complete = data.isEmpty();
    ++file.NextBlock;
    return OrvekResult::Ok;
}

void RestartRegister(EmulatedRegister& reg)
{
    RegisterState& s = reg.State();
    reg.Area<RegisterReceipt>().Reset();
    reg.Area<RegisterTextPrint>().NonfiscalOpen = false;
    s.Mode = s.SessionOpen ? 2 : 4;
    s.ModeStatus = 0;
    s.AdvancedMode = 0;
    s.OpenDocumentNumber = s.DocumentNumber;
    s.PendingDate = QDate();
    s.TestRunUntil = QDateTime();
}
