#include "core/driver/untDriver.h"

#include "platform/Exceptions.h"

#include <memory>

namespace {
std::unique_ptr<TDriver> FDriver;
}

TDriver::TDriver() = default;

TDriver::~TDriver() = default;

void TDriver::Check(std::int32_t ResultCode)
{
    if (ResultCode != 0)
        Abort();
}

TDriver& Driver()
{
    if (!FDriver) {
        try {
            FDriver = std::make_unique<TDriver>();
        } catch (Exception& e) {
            e.SetMessage(QStringLiteral("Ошибка создания объекта драйвера: ") + e.Message());
            throw;
        }
    }
    return *FDriver;
}

bool DriverExists()
{
    return FDriver != nullptr;
}

void FreeDriver()
{
    FDriver.reset();
}
