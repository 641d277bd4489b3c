#pragma once
// The bytes of a register's kept state: one Keep function per piece of
// state both writes and reads it, so the two never drift apart.
//
//   void RegisterBoard::Keep(StateArchive& a) { a(LoaderVersion, DFUMode, SDFormats); }
//
//   StateArchive out;                  // writing
//   board.Keep(out);
//   StateArchive in(out.Bytes());      // reading
//   board.Keep(in);
//   if (!in.Ok()) ...                  // ran past the end or met a size it cannot hold
//
// Integers and floating values go as their bytes (little-endian, as the
// machine holds them), texts as UTF-16 with a length, dates as day numbers,
// times as milliseconds since the epoch with their time spec.
#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <deque>
#include <map>
#include <optional>
#include <type_traits>
#include <utility>
#include <vector>

class StateArchive {
public:
    // Writes into Bytes().
    StateArchive() = default;
    // Reads the bytes (they must outlive the archive).
    explicit StateArchive(QByteArrayView bytes) : FIn(bytes), FLoading(true) {}

    bool Loading() const { return FLoading; }
    // Reading: nothing ran past the end and every size was plausible.
    bool Ok() const { return FOk; }
    // Reading: every byte was read.
    bool AtEnd() const { return FPos == FIn.size(); }
    // Reading: the bytes read so far.
    qsizetype Position() const { return FPos; }
    // Writing: the bytes written so far.
    qsizetype Length() const { return FLength; }
    const QByteArray& Bytes() const
    {
        FOut.resize(FLength);
        return FOut;
    }
    QByteArray TakeBytes()
    {
        FOut.resize(FLength);
        FLength = 0;
        return std::move(FOut);
    }

    template <class... T> void operator()(T&... values) { (KeepOne(values), ...); }

    // A count of items that follow (reading: 0 once anything went wrong or
    // the count exceeds the bytes left, each item taking at least one byte).
    std::size_t Count(std::size_t count);
    void Raw(void* data, std::size_t size);
    // Reading: the next `size` bytes as they are (empty when they are not there).
    QByteArrayView Take(std::size_t size);
    void Fail() { FOk = false; }

private:
    template <class T> void KeepOne(T& value);

    QByteArrayView FIn;
    qsizetype FPos = 0;
    bool FLoading = false;
    bool FOk = true;
    mutable QByteArray FOut;  // written: the first FLength bytes
    qsizetype FLength = 0;
};

// The pieces the archive knows; a struct adds its own Keep(StateArchive&, T&)
// beside it, or a member Keep(StateArchive&).
void Keep(StateArchive& a, QString& value);
void Keep(StateArchive& a, QByteArray& value);
void Keep(StateArchive& a, QDate& value);
void Keep(StateArchive& a, QDateTime& value);
void Keep(StateArchive& a, QVariant& value);
void Keep(StateArchive& a, QStringList& value);

template <class T>
    requires std::is_arithmetic_v<T> || std::is_enum_v<T>
void Keep(StateArchive& a, T& value)
{
    a.Raw(&value, sizeof value);
}

// One byte, 0 or 1 (any other byte is a damaged state).
inline void Keep(StateArchive& a, bool& value)
{
    quint8 byte = value ? 1 : 0;
    a.Raw(&byte, sizeof byte);
    if (byte > 1)
        a.Fail();
    value = byte == 1;
}

template <class T> void Keep(StateArchive& a, std::vector<T>& items)
{
    std::size_t n = a.Count(items.size());
    if (a.Loading()) {
        items.clear();
        items.reserve(n);
        for (std::size_t i = 0; i < n && a.Ok(); ++i)
            a(items.emplace_back());
    } else {
        for (T& item : items)
            a(item);
    }
}

template <class T> void Keep(StateArchive& a, std::deque<T>& items)
{
    std::size_t n = a.Count(items.size());
    if (a.Loading()) {
        items.clear();
        for (std::size_t i = 0; i < n && a.Ok(); ++i)
            a(items.emplace_back());
    } else {
        for (T& item : items)
            a(item);
    }
}

template <class T, std::size_t N> void Keep(StateArchive& a, std::array<T, N>& items)
{
    for (T& item : items)
        a(item);
}

template <class K, class V> void Keep(StateArchive& a, std::map<K, V>& items)
{
    std::size_t n = a.Count(items.size());
    if (a.Loading()) {
        items.clear();
        for (std::size_t i = 0; i < n && a.Ok(); ++i) {
            K key{};
            a(key);
            a(items[key]);
        }
    } else {
        for (auto& [key, value] : items) {
            K k = key;
            a(k, value);
        }
    }
}

template <class T> void Keep(StateArchive& a, std::optional<T>& value)
{
    bool present = value.has_value();
    a(present);
    if (a.Loading())
        value = present ? std::optional<T>(T{}) : std::nullopt;
    if (value)
        a(*value);
}

// An array that is mostly zeros: a mask of the items set, then those items.
template <class T, std::size_t N>
    requires(N <= 32)
void KeepSparse(StateArchive& a, std::array<T, N>& items)
{
    quint32 mask = 0;
    for (std::size_t i = 0; i < N; ++i)
        if (items[i] != T{})
            mask |= 1u << i;
    a(mask);
    for (std::size_t i = 0; i < N; ++i) {
        if (mask & (1u << i))
            a(items[i]);
        else if (a.Loading())
            items[i] = T{};
    }
}

// A long array that is mostly zeros: the count of items set, then each
// with its index.
template <class T, std::size_t N>
    requires(N > 32 && N <= 65536)
void KeepSparse(StateArchive& a, std::array<T, N>& items)
{
    const std::size_t set = a.Count(std::size_t(std::count_if(items.begin(), items.end(), [](const T& v) { return v != T{}; })));
    if (a.Loading()) {
        items.fill(T{});
        for (std::size_t i = 0; i < set && a.Ok(); ++i) {
            quint16 index = 0;
            T value{};
            a(index, value);
            if (index < N)
                items[index] = value;
            else
                a.Fail();
        }
        return;
    }
    for (std::size_t i = 0; i < N; ++i) {
        if (items[i] != T{}) {
            quint16 index = quint16(i);
            a(index, items[i]);
        }
    }
}

template <class T> void StateArchive::KeepOne(T& value)
{
    if constexpr (requires { value.Keep(*this); })
        value.Keep(*this);
    else
        Keep(*this, value);
}
