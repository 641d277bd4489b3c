#include "emulator/EmulatedRegister.h"

#include "emulator/RegisterFN.h"
#include "emulator/RegisterRegistrationData.h"
#include "emulator/RegisterStore.h"

EmulatedRegister::EmulatedRegister(RegisterConfig config)
    : FConfig(std::move(config)), FDescription(FConfig), FSerialBaud(FConfig.BaudRate)
{
    Init();
    if (FConfig.StateFolder.isEmpty())
        return;
    FStore = std::make_unique<RegisterStore>(FConfig.StateFolder);
    FStore->Open(*this);
}

EmulatedRegister::~EmulatedRegister() = default;

void EmulatedRegister::Remake()
{
    FConfig = FDescription;
    FSerialBaud.store(FConfig.BaudRate);
    FState = {};
    FParams = {};
    FTables = {};
    FPaper = {};
    FFaults = {};
    FAreas.clear();
    Init();
}

void EmulatedRegister::Init()
{
    FState.Serial = FConfig.Serial;
    FState.ClockOffsetMs = qint64(FConfig.ClockOffsetSeconds) * 1000;
    FState.LastErrorCode = FConfig.LastErrorCode;
    FState.SKNOStatus = FConfig.SKNOStatus;
    FState.Interface = FConfig.Interface;
    FState.FMFlags = FConfig.FMFlags;
    FState.FMFlagsEx = FConfig.FMFlagsEx;
    FState.LastPrintResult = FConfig.LastPrintResult;
    FParams.Build(FConfig.ModelId, FConfig.TypeTwo);
    for (const auto& [number, value] : FConfig.ModelParams)
        FParams.Set(number, value);
    FTables.Build(FConfig.TypeTwo, FConfig.Serial);
    // The FN starts registered: its tables say so.
    FillRegistrationTables(*this);
    for (const QString& fault : FConfig.Faults)
        FFaults.AddFromText(fault);
    if (FConfig.KeysResultCode != FNKeyUpdate{}.ResultCode || FConfig.KeysStatus != FNKeyUpdate{}.Status)
        Area<RegisterFN>().LastKeyUpdate = {FConfig.KeysResultCode, FConfig.KeysStatus};
    if (!FConfig.FNSoftVersion.isEmpty())
        Area<RegisterFN>().SoftVersion = FConfig.FNSoftVersion;
}

void EmulatedRegister::KeepCore(StateArchive& a)
{
    int baud = FSerialBaud.load();
    a(FState, FConfig.SoftVersion, FConfig.SoftBuild, FConfig.SoftDate, baud);
    if (a.Loading())
        FSerialBaud.store(baud);
}

QString EmulatedRegister::Persist()
{
    return FStore ? FStore->Commit(*this) : QString();
}

QString EmulatedRegister::Refresh()
{
    return FStore ? FStore->Take(*this) : QString();
}

void EmulatedRegister::SetSoftware(const QString& version, int build, const QDate& date)
{
    FConfig.SoftVersion = version;
    FConfig.SoftBuild = build;
    FConfig.SoftDate = date;
}

QDateTime EmulatedRegister::Now() const
{
    return QDateTime::currentDateTime().addMSecs(FState.ClockOffsetMs);
}

void EmulatedRegister::SetNow(const QDateTime& value)
{
    FState.ClockOffsetMs = QDateTime::currentDateTime().msecsTo(value);
}

int EmulatedRegister::Mode() const
{
    if (FState.TestRunUntil.isValid() && Now() < FState.TestRunUntil)
        return 10;
    if (FState.Mode == 2 && FState.SessionOpenedAt.isValid() && FState.SessionOpenedAt.secsTo(Now()) >= 24 * 3600)
        return 3;
    return FState.Mode;
}

void EmulatedRegister::SetFlag(std::uint32_t flag, bool on)
{
    if (on)
        FState.Flags |= flag;
    else
        FState.Flags &= ~flag;
}

int EmulatedRegister::OperatorOf(std::int32_t password) const
{
    const DeviceTable* t = FTables.Find(2);
    if (!t)
        return 0;
    for (int row = 1; row <= t->Rows; ++row)
        if (t->Values[std::size_t(row - 1)][0].toInt() == password)
            return row;
    return 0;
}

void EmulatedRegister::Record(OrvekMethod method)
{
    if (FJournal.size() >= 10000)
        FJournal.pop_front();
    FJournal.push_back(method);
    ++FCounts[std::size_t(method)];
    if (OnCall)
        OnCall(method);
}

void EmulatedRegister::ClearJournal()
{
    FJournal.clear();
    FCounts.fill(0);
}

QString EmulatedRegister::ModeDescription(int mode)
{
    static const char* const texts[] = {
        "Принтер в рабочем режиме",
        "Выдача данных",
        "Открытая смена, 24 часа не кончились",
        "Открытая смена, 24 часа кончились",
        "Закрытая смена",
        "Блокировка по неправильному паролю налогового инспектора",
        "Ожидание подтверждения ввода даты",
        "Разрешение изменения положения десятичной точки",
        "Открытый документ",
        "Режим разрешения технологического обнуления",
        "Тестовый прогон",
        "Печать полного фискального отчета",
        "Печать длинного отчета ЭКЛЗ",
        "Работа с фискальным подкладным документом",
        "Печать подкладного документа",
        "Фискальный подкладной документ сформирован",
    };
    if (mode >= 0 && mode < int(std::size(texts)))
        return QString::fromUtf8(texts[mode]);
    return QStringLiteral("Неизвестный режим");
}

QString EmulatedRegister::AdvancedModeDescription(int mode)
{
    static const char* const texts[] = {
        "Бумага есть",
        "Пассивное отсутствие бумаги",
        "Активное отсутствие бумаги",
        "После активного отсутствия бумаги",
        "Фаза печати операции полных фискальных отчетов",
        "Фаза печати операции",
    };
    if (mode >= 0 && mode < int(std::size(texts)))
        return QString::fromUtf8(texts[mode]);
    return QStringLiteral("Неизвестный подрежим");
}
