// Memory dumps and Ping.
#include "core/support/CodePage.h"
#include "emulator/OrvekBench.h"
#include "emulator/OrvekHandlers.h"
#include "emulator/OrvekResultCodes.h"
#include "emulator/RegisterDump.h"

#include <QElapsedTimer>
#include <QHostAddress>
#include <QUrl>

namespace {
using P = OrvekProp;
using M = OrvekMethod;

// PingResult of a host that does not answer within the wait.
constexpr std::int32_t PingTimedOut = 1;
constexpr std::int32_t PingWaitMs = 4000;

RegisterDump& Dump(OrvekCall& c)
{
    return c.Reg().Area<RegisterDump>();
}

std::int32_t DampRequest(OrvekCall& c)
{
    const int code = c.Int(P::DeviceCode);
    c.Request.append(char(code & 0xFF));
    std::int32_t blocks = 0;
    if (std::int32_t result = Dump(c).Request(code, blocks))
        return result;
    const DumpAreaInfo* area = RegisterDump::FindArea(code);
    c.Set(P::DataBlockNumber, blocks);
    c.Set(P::DeviceCodeDescription, QString::fromUtf8(area->Description));
    c.Answer.append(char(blocks & 0xFF)).append(char((blocks >> 8) & 0xFF));
    return OrvekResult::Ok;
}

std::int32_t GetData(OrvekCall& c)
{
    QByteArray block;
    std::int32_t number = 0;
    if (std::int32_t result = Dump(c).Next(block, number))
        return result;
    c.Set(P::DataBlockNumber, number);
    c.Set(P::DataBlock, AnsiToWide(block));
    c.Answer = block;
    return OrvekResult::Ok;
}

std::int32_t InterruptDataStream(OrvekCall& c)
{
    Dump(c).Interrupt();
    return OrvekResult::Ok;
}

// The host of a URL or a bare address ("127.0.0.1", "http://localhost:80/x").
QString HostOf(const QString& url)
{
    const QString text = url.trimmed();
    if (text.contains(QLatin1String("://")))
        return QUrl(text).host().toLower();
    QString host = text.section(QLatin1Char('/'), 0, 0);
    if (host.count(QLatin1Char(':')) == 1)
        host = host.section(QLatin1Char(':'), 0, 0);
    if (host.startsWith(QLatin1Char('[')) && host.endsWith(QLatin1Char(']')))
        host = host.mid(1, host.size() - 2);
    return host.toLower();
}

bool IsLoopback(const QString& host)
{
    if (host == QLatin1String("localhost"))
        return true;
    QHostAddress address;
    return address.setAddress(host) && address.isLoopback();
}

// Nothing leaves the machine: loopback answers at once (the time measured),
// the hosts of the bench answer in their time, any other host times out.
std::int32_t Ping(OrvekCall& c)
{
    const QString host = HostOf(c.Str(P::URL));
    if (host.isEmpty())
        return OrvekResult::BadParameter;
    QElapsedTimer timer;
    timer.start();
    std::int32_t result = PingTimedOut;
    std::int32_t time = PingWaitMs;
    if (IsLoopback(host)) {
        result = 0;
        time = std::int32_t(timer.elapsed());
    } else {
        for (const auto& reg : Bench().Registers()) {
            const auto& hosts = reg->Config().PingHosts;
            if (auto it = hosts.find(host); it != hosts.end()) {
                result = 0;
                time = it->second;
                break;
            }
        }
    }
    c.Set(P::PingResult, result);
    c.Set(P::PingTime, time);
    return OrvekResult::Ok;
}
} // namespace

void AddDiagnosticsHandlers(OrvekHandlerTable& t)
{
    t.Add(M::DampRequest, OrvekAccess::Device, 0x01, &DampRequest);
    t.Add(M::GetData, OrvekAccess::Device, 0x02, &GetData);
    t.Add(M::InterruptDataStream, OrvekAccess::Device, 0x03, &InterruptDataStream);
    t.Add(M::Ping, OrvekAccess::Local, 0, &Ping);
}
