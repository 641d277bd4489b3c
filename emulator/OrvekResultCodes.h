#pragma once
// The Russian texts of the result codes that the emulated driver returns.
#include "core/binding/OrvekCodes.h"

#include <QString>
#include <cstdint>

// The text of a result code; a code with no text of its own gives
// "Неизвестная ошибка".
QString OrvekResultDescription(std::int32_t code);
