#include "emulator/OrvekProperties.h"

#include "core/support/BinUtils.h"
#include "core/support/CodePage.h"
#include "platform/Exceptions.h"

#include <utility>
#include <vector>

namespace {
using P = OrvekProp;

// Start-up values that differ from the kind's zero ("", false, 0).
const std::vector<std::pair<OrvekProp, QVariant>>& Startup()
{
    static const std::vector<std::pair<OrvekProp, QVariant>> values = {
        {P::ResultCodeDescription, QStringLiteral("Ошибок нет")},
        {P::Password, 30},
        {P::SysAdminPassword, 30},
        {P::ComNumber, 1},
        {P::BaudRate, 6},
        {P::Timeout, 100},
        {P::ConnectionTimeout, 0},
        {P::IPAddress, QStringLiteral("127.0.0.1")},
        {P::TCPPort, 7778},
        {P::TCPConnectionTimeout, 1000},
        {P::SearchTimeout, 150},
        {P::MaxCommandSendCount, 3},
        {P::MaxAnswerReadCount, 3},
        {P::LDNumber, 1},
        {P::LDComNumber, 1},
        {P::LDBaudrate, 6},
        {P::LDTimeout, 100},
        {P::ModelIndex, -1},
        {P::DriverMajorVersion, 5},
        {P::DriverMinorVersion, 20},
        {P::DriverRelease, 0},
        {P::DriverBuild, 1100},
        {P::DriverVersion, QStringLiteral("5.20.0.1100")},
        {P::Quantity, 1.0},
        {P::Department, 1},
        {P::StringQuantity, 1},
        {P::UseReceiptRibbon, true},
        {P::FontType, 1},
        {P::PrintBarcodeText, 1},
        {P::BarWidth, 2},
        {P::HorizScale, 1},
        {P::VertScale, 1},
        {P::FirstLineNumber, 1},
        {P::LastLineNumber, 1},
        {P::DrawerNumber, 0},
        {P::CheckType, 0},
        {P::DocumentCount, 1},
        {P::RowNumber, 1},
        {P::FieldNumber, 1},
        {P::TableNumber, 1},
        {P::MessageNumber, 1},
        {P::UpdateFirmwareMethod, 0},
        {P::ShowTagNumber, true},
    };
    return values;
}

QVariant KindZero(OrvekKind kind)
{
    switch (kind) {
    case OrvekKind::WideString: return QString();
    case OrvekKind::WordBool: return QVariant::fromValue<short>(0);
    case OrvekKind::Currency: return QVariant(qlonglong(0));
    case OrvekKind::DateTime:
    case OrvekKind::Double: return QVariant(0.0);
    case OrvekKind::Variant: return QVariant(0);
    case OrvekKind::Integer:
    case OrvekKind::Enum: break;
    }
    return QVariant(0);
}

const std::array<QVariant, OrvekPropCount>& StartupValues()
{
    static const std::array<QVariant, OrvekPropCount> values = [] {
        std::array<QVariant, OrvekPropCount> a;
        for (int i = 0; i < OrvekPropCount; ++i)
            a[std::size_t(i)] = KindZero(PropInfo(OrvekProp(i)).Kind);
        for (const auto& [p, value] : Startup()) {
            QVariant v = value;
            CoerceToKind(PropInfo(p).Kind, v);
            a[std::size_t(p)] = v;
        }
        return a;
    }();
    return values;
}
} // namespace

QVariant OrvekPropertyStore::StartupValue(OrvekProp p)
{
    return StartupValues()[std::size_t(p)];
}

OrvekPropertyStore::OrvekPropertyStore() : FValues(StartupValues()) {}

void OrvekPropertyStore::Set(OrvekProp p, const QVariant& value)
{
    QVariant v = value;
    if (!CoerceToKind(PropInfo(p).Kind, v))
        v = KindZero(PropInfo(p).Kind);
    FValues[std::size_t(p)] = std::move(v);
    FWriteOrder[std::size_t(p)] = ++FWrites;
}

void OrvekPropertyStore::Put(OrvekProp p, const QVariant& value)
{
    const OrvekPropInfo& info = PropInfo(p);
    if (info.ReadOnly)
        throw EOleError(QStringLiteral("Свойство %1 доступно только для чтения")
                            .arg(QLatin1StringView(info.Name.data(), qsizetype(info.Name.size()))));
    QVariant v = value;
    if (!CoerceToKind(info.Kind, v))
        throw EOleError(QStringLiteral("Несоответствие типа: свойство %1")
                            .arg(QLatin1StringView(info.Name.data(), qsizetype(info.Name.size()))));
    // BarCode and BarcodeHex are two views of one code.
    if (p == P::BarcodeHex)
        FValues[std::size_t(P::BarCode)] = AnsiToWide(HexToStr(v.toString()));
    else if (p == P::BarCode)
        FValues[std::size_t(P::BarcodeHex)] = StrToHex(WideToAnsi(v.toString()));
    FValues[std::size_t(p)] = std::move(v);
    FWriteOrder[std::size_t(p)] = ++FWrites;
}
