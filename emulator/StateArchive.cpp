#include "emulator/StateArchive.h"

std::size_t StateArchive::Count(std::size_t count)
{
    quint32 n = quint32(count);
    Raw(&n, sizeof n);
    if (FLoading && (!FOk || n > quint64(FIn.size() - FPos))) {
        FOk = false;
        return 0;
    }
    return n;
}

void StateArchive::Raw(void* data, std::size_t size)
{
    if (!FLoading) {
        if (FLength + qsizetype(size) > FOut.size())
            FOut.resize(std::max<qsizetype>(256, 2 * (FLength + qsizetype(size))));
        std::memcpy(FOut.data() + FLength, data, size);
        FLength += qsizetype(size);
        return;
    }
    const QByteArrayView bytes = Take(size);
    if (FOk)
        std::memcpy(data, bytes.data(), size);
}

QByteArrayView StateArchive::Take(std::size_t size)
{
    if (!FOk || qsizetype(size) > FIn.size() - FPos) {
        FOk = false;
        return {};
    }
    const QByteArrayView bytes = FIn.sliced(FPos, qsizetype(size));
    FPos += qsizetype(size);
    return bytes;
}

void Keep(StateArchive& a, QString& value)
{
    const std::size_t n = a.Count(std::size_t(value.size()) * 2) / 2;
    if (!a.Loading()) {
        a.Raw(const_cast<QChar*>(value.constData()), n * 2);
        return;
    }
    const QByteArrayView bytes = a.Take(n * 2);
    value = QString(reinterpret_cast<const QChar*>(bytes.data()), qsizetype(bytes.size() / 2));
}

void Keep(StateArchive& a, QByteArray& value)
{
    const std::size_t n = a.Count(std::size_t(value.size()));
    if (!a.Loading()) {
        a.Raw(value.data(), n);
        return;
    }
    value = a.Take(n).toByteArray();
}

void Keep(StateArchive& a, QDate& value)
{
    qint64 day = value.isValid() ? value.toJulianDay() : std::numeric_limits<qint64>::min();
    a(day);
    if (a.Loading())
        value = day == std::numeric_limits<qint64>::min() ? QDate() : QDate::fromJulianDay(day);
}

void Keep(StateArchive& a, QDateTime& value)
{
    qint8 spec = value.isValid() ? qint8(value.timeSpec()) : qint8(-1);
    a(spec);
    if (spec < 0) {
        if (a.Loading())
            value = QDateTime();
        return;
    }
    qint64 ms = value.toMSecsSinceEpoch();
    qint32 offset = spec == Qt::OffsetFromUTC ? value.offsetFromUtc() : 0;
    a(ms, offset);
    if (!a.Loading())
        return;
    // Local time, UTC or an offset of at most 18 hours, within the years 1..9999.
    constexpr qint64 Limit = qint64(253402300799) * 1000;
    if (!a.Ok() || spec > Qt::OffsetFromUTC || offset < -18 * 3600 || offset > 18 * 3600 || ms < -62135596800000LL ||
        ms > Limit) {
        a.Fail();
        value = QDateTime();
        return;
    }
    value = QDateTime::fromMSecsSinceEpoch(ms, Qt::TimeSpec(spec), offset);
}

void Keep(StateArchive& a, QVariant& value)
{
    enum : quint8 { None, Int, Bool, Text, Double, Long, Bytes };
    quint8 type = None;
    switch (value.typeId()) {
    case QMetaType::Int: type = Int; break;
    case QMetaType::Bool: type = Bool; break;
    case QMetaType::QString: type = Text; break;
    case QMetaType::Double: type = Double; break;
    case QMetaType::LongLong: type = Long; break;
    case QMetaType::QByteArray: type = Bytes; break;
    default: break;
    }
    a(type);
    auto keep = [&a, &value]<class T>(T init) {
        T v = a.Loading() ? init : value.value<T>();
        a(v);
        if (a.Loading())
            value = QVariant::fromValue(v);
    };
    switch (type) {
    case None:
        if (a.Loading())
            value = QVariant();
        break;
    case Int: keep(int(0)); break;
    case Bool: keep(false); break;
    case Text: keep(QString()); break;
    case Double: keep(0.0); break;
    case Long: keep(qint64(0)); break;
    case Bytes: keep(QByteArray()); break;
    default: a.Fail();
    }
}

void Keep(StateArchive& a, QStringList& value)
{
    std::size_t n = a.Count(std::size_t(value.size()));
    if (a.Loading()) {
        value.clear();
        value.reserve(qsizetype(n));
        for (std::size_t i = 0; i < n && a.Ok(); ++i)
            a(value.emplaceBack());
    } else {
        for (QString& s : value)
            a(s);
    }
}
