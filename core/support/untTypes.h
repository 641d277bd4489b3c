#pragma once
#include <QString>

// "[да]" for true, "[нет]" for false.
QString BoolToYesNo(bool value);
