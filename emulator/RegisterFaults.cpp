#include "emulator/RegisterFaults.h"

#include <QRegularExpression>

void RegisterFaults::FailNext(OrvekMethod method, std::int32_t code, int count)
{
    if (count > 0)
        FFaults.push_back({method, code, count, 0, std::nullopt, 0});
}

void RegisterFaults::FailOnCall(OrvekMethod method, int k, std::int32_t code)
{
    if (k > 0)
        FFaults.push_back({method, code, 1, k - 1, std::nullopt, 0});
}

void RegisterFaults::FailAny(std::int32_t code, int count)
{
    if (count > 0)
        FFaults.push_back({std::nullopt, code, count, 0, std::nullopt, 0});
}

void RegisterFaults::FailWhen(OrvekMethod method, OrvekProp key, std::int32_t value, std::int32_t code, int count)
{
    if (count > 0)
        FFaults.push_back({method, code, count, 0, key, value});
}

void RegisterFaults::Clear()
{
    FFaults.clear();
}

std::optional<std::int32_t> RegisterFaults::Take(OrvekMethod method, const PropertyReader& value)
{
    std::optional<std::int32_t> result;
    for (Fault& f : FFaults) {
        if (f.Method && *f.Method != method)
            continue;
        if (f.Key && (!value || value(*f.Key) != f.KeyValue))
            continue;
        if (f.Countdown > 0) {
            --f.Countdown;
            continue;
        }
        if (!result && f.Remaining > 0) {
            result = f.Code;
            --f.Remaining;
        }
    }
    std::erase_if(FFaults, [](const Fault& f) { return f.Remaining <= 0; });
    return result;
}

QString RegisterFaults::AddFromText(const QString& text)
{
    static const QRegularExpression re(
        QStringLiteral("^\\s*(\\*|\\w+)\\s+(-?\\d+)(?:\\s+(\\w+)=(-?\\d+))?(?:\\s+(?:x(\\d+)|@(\\d+)))?\\s*$"));
    auto m = re.match(text);
    if (!m.hasMatch())
        return QStringLiteral("неверная запись сбоя \"%1\" (нужно: Метод Код [Свойство=Значение] [xN | @K])").arg(text);
    std::optional<OrvekMethod> method;
    if (m.captured(1) != QLatin1String("*")) {
        method = MethodByName(m.captured(1).toStdString());
        if (!method)
            return QStringLiteral("неизвестный метод %1").arg(m.captured(1));
    }
    bool ok = false;
    const std::int32_t code = m.captured(2).toInt(&ok);
    if (!ok)
        return QStringLiteral("код %1 не помещается в 32 бита").arg(m.captured(2));
    std::optional<OrvekProp> key;
    int keyValue = 0;
    if (!m.captured(3).isEmpty()) {
        key = PropByName(m.captured(3).toStdString());
        keyValue = m.captured(4).toInt(&ok);
        if (!key || !ok || !method || !m.captured(6).isEmpty())
            return QStringLiteral("неверное условие сбоя в \"%1\"").arg(text);
    }
    if (!m.captured(6).isEmpty()) {
        int k = m.captured(6).toInt(&ok);
        if (!ok || k < 1 || !method)
            return QStringLiteral("неверный номер вызова в \"%1\"").arg(text);
        FailOnCall(*method, k, code);
        return {};
    }
    int count = m.captured(5).isEmpty() ? 1 : m.captured(5).toInt(&ok);
    if (!ok || count < 1)
        return QStringLiteral("неверное число вызовов в \"%1\"").arg(text);
    if (key)
        FailWhen(*method, *key, keyValue, code, count);
    else if (method)
        FailNext(*method, code, count);
    else
        FailAny(code, count);
    return {};
}
