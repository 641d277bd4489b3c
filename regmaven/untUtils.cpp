#include "regmaven/untUtils.h"

#include "core/support/ReasonCodes.h"
#include "platform/Exceptions.h"

#include <array>
#include <cstddef>

namespace Regmaven {

namespace {

// One INN character as a decimal digit; a character that is no digit raises
// the conversion error.
int DigitOf(QChar c)
{
    if (c < u'0' || c > u'9')
        throw EConvertError::NotInteger(c);
    return c.unicode() - u'0';
}

} // namespace

int INNCheckDigit(int N, const QString& INN)
{
    static constexpr std::array<int, 11> Weights = {3, 7, 2, 4, 10, 3, 5, 9, 4, 6, 8};
    if (N < 1 || N > int(Weights.size()) + 1)
        throw Exception(QStringLiteral("No INN check digit at position %1 (1 to 12)").arg(N));
    int sum = 0;
    for (int i = 0; i < N - 1 && i < INN.size(); ++i)
        sum += DigitOf(INN[i]) * Weights[Weights.size() - (N - 1) + i];
    return sum % 11 % 10;
}

bool CheckINN(const QString& INN)
{
    auto matches = [&INN](int position) { return INNCheckDigit(position, INN) == DigitOf(INN[position - 1]); };
    if (INN.size() == 10)
        return matches(10);
    if (INN.size() == 12)
        return matches(11) && matches(12);
    return false;
}

int CompareVersions(int A1, int A2, int A3, int A4, int B1, int B2, int B3, int B4)
{
    const std::array<int, 4> a = {A1, A2, A3, A4}, b = {B1, B2, B3, B4};
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i])
            return a[i] < b[i] ? -1 : 1;
    return 0;
}

QString GetFFDName(int FFD)
{
    switch (FFD) {
    case 0: return QStringLiteral("ФФД 1.0 beta");
    case 1: return QStringLiteral("ФФД 1.0 new");
    case 2: return QStringLiteral("ФФД 1.05");
    case 3: return QStringLiteral("ФФД 1.1");
    case 4: return QStringLiteral("ФФД 1.2");
    default: return {};
    }
}

QString GetReasonCodeName(int Code)
{
    return RegistrationReasonName(Code);
}

} // namespace Regmaven
