// Logical devices: named connection presets kept in the user's data folder.
#include "emulator/LogicalDevices.h"
#include "emulator/OrvekHandlers.h"
#include "emulator/OrvekResultCodes.h"

#include <mutex>

namespace {
using P = OrvekProp;
using M = OrvekMethod;

// Driver objects of several threads share the file.
std::mutex& FileLock()
{
    static std::mutex lock;
    return lock;
}

void Show(OrvekCall& c, const LogicalDeviceList& list, const LogicalDevice& d)
{
    c.Set(P::LDNumber, d.Number);
    c.Set(P::LDName, d.Name);
    c.Set(P::LDComNumber, d.ComNumber);
    c.Set(P::LDBaudrate, d.Baudrate);
    c.Set(P::LDTimeout, d.Timeout);
    c.Set(P::LDComputerName, d.ComputerName);
    c.Set(P::LDCount, int(list.Devices.size()));
}

LogicalDevice FromProps(const OrvekCall& c)
{
    LogicalDevice d;
    d.Name = c.Str(P::LDName);
    d.ComNumber = c.Int(P::LDComNumber);
    d.Baudrate = c.Int(P::LDBaudrate);
    d.Timeout = c.Int(P::LDTimeout);
    d.ComputerName = c.Str(P::LDComputerName);
    return d;
}

bool Valid(const LogicalDevice& d)
{
    return d.ComNumber >= 1 && d.ComNumber <= 256 && d.Baudrate >= 0 && d.Baudrate <= 9 && d.Timeout >= 0;
}

// Runs an operation on the list read from the file, saving it when the operation changed it.
template <class F>
std::int32_t WithList(OrvekCall& c, bool changes, F operation)
{
    std::lock_guard lock(FileLock());
    LogicalDeviceList list = LogicalDeviceList::Load();
    const std::int32_t code = operation(list);
    c.Set(P::LDCount, int(list.Devices.size()));
    if (code != OrvekResult::Ok || !changes)
        return code;
    const QString error = list.Save();
    if (error.isEmpty())
        return code;
    c.Description = QStringLiteral("Не удалось записать файл \"%1\": %2").arg(LogicalDeviceList::FileName(), error);
    return OrvekResult::FileError;
}

std::int32_t AddLD(OrvekCall& c)
{
    return WithList(c, true, [&c](LogicalDeviceList& list) {
        LogicalDevice d = FromProps(c);
        if (!Valid(d))
            return OrvekResult::BadParameter;
        d.Number = list.Add(d);
        if (d.Number == 0)
            return OrvekResult::BadParameter;
        Show(c, list, d);
        return OrvekResult::Ok;
    });
}

std::int32_t DeleteLD(OrvekCall& c)
{
    return WithList(c, true, [&c](LogicalDeviceList& list) {
        return list.Remove(c.Int(P::LDNumber)) ? OrvekResult::Ok : OrvekResult::LDNotFound;
    });
}

std::int32_t GetCountLD(OrvekCall& c)
{
    return WithList(c, false, [](LogicalDeviceList&) { return OrvekResult::Ok; });
}

std::int32_t EnumLD(OrvekCall& c)
{
    return WithList(c, false, [&c](LogicalDeviceList& list) {
        const int index = c.Int(P::LDIndex);
        if (index < 0 || index >= int(list.Devices.size()))
            return OrvekResult::LDNotFound;
        Show(c, list, list.Devices[std::size_t(index)]);
        return OrvekResult::Ok;
    });
}

std::int32_t SetParamLD(OrvekCall& c)
{
    return WithList(c, true, [&c](LogicalDeviceList& list) {
        LogicalDevice* d = list.Find(c.Int(P::LDNumber));
        if (!d)
            return OrvekResult::LDNotFound;
        LogicalDevice changed = FromProps(c);
        if (!Valid(changed))
            return OrvekResult::BadParameter;
        changed.Number = d->Number;
        *d = changed;
        return OrvekResult::Ok;
    });
}

std::int32_t GetParamLD(OrvekCall& c)
{
    return WithList(c, false, [&c](LogicalDeviceList& list) {
        const LogicalDevice* d = list.Find(c.Int(P::LDNumber));
        if (!d)
            return OrvekResult::LDNotFound;
        Show(c, list, *d);
        return OrvekResult::Ok;
    });
}

// The active device's settings become the driver object's connection settings.
void Apply(OrvekCall& c, const LogicalDevice& d)
{
    c.Set(P::ComNumber, d.ComNumber);
    c.Set(P::BaudRate, d.Baudrate);
    c.Set(P::Timeout, d.Timeout);
    c.Set(P::ComputerName, d.ComputerName);
}

std::int32_t SetActiveLD(OrvekCall& c)
{
    return WithList(c, true, [&c](LogicalDeviceList& list) {
        const LogicalDevice* d = list.Find(c.Int(P::LDNumber));
        if (!d)
            return OrvekResult::LDNotFound;
        list.Active = d->Number;
        Show(c, list, *d);
        Apply(c, *d);
        return OrvekResult::Ok;
    });
}

std::int32_t GetActiveLD(OrvekCall& c)
{
    return WithList(c, false, [&c](LogicalDeviceList& list) {
        const LogicalDevice* d = list.Find(list.Active);
        if (!d)
            return OrvekResult::LDNotFound;
        Show(c, list, *d);
        return OrvekResult::Ok;
    });
}
} // namespace

void AddLDHandlers(OrvekHandlerTable& t)
{
    t.Add(M::AddLD, OrvekAccess::Local, 0, &AddLD);
    t.Add(M::DeleteLD, OrvekAccess::Local, 0, &DeleteLD);
    t.Add(M::GetCountLD, OrvekAccess::Local, 0, &GetCountLD);
    t.Add(M::EnumLD, OrvekAccess::Local, 0, &EnumLD);
    t.Add(M::SetParamLD, OrvekAccess::Local, 0, &SetParamLD);
    t.Add(M::GetParamLD, OrvekAccess::Local, 0, &GetParamLD);
    t.Add(M::SetActiveLD, OrvekAccess::Local, 0, &SetActiveLD);
    t.Add(M::GetActiveLD, OrvekAccess::Local, 0, &GetActiveLD);
}
