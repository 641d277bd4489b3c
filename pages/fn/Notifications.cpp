#include "pages/fn/Notifications.h"

#include "core/support/BinUtils.h"
#include "pages/fn/NotificationReader.h"
#include "platform/Exceptions.h"

#include <algorithm>

namespace {
// The tag of a notification record.
constexpr int NotificationTag = 201;
} // namespace

TNotification::TNotification(TNotifications* AOwner)
{
    SetOwner(AOwner);
}

TNotification::~TNotification()
{
    SetOwner(nullptr);
}

void TNotification::SetOwner(TNotifications* AOwner)
{
    if (FOwner == AOwner)
        return;
    if (FOwner)
        FOwner->RemoveItem(this);
    if (AOwner)
        AOwner->InsertItem(this);
}

std::uint16_t TNotification::GetCRC() const
{
    return NotificationCRC(FData);
}

std::uint16_t TNotification::StoredCRC() const
{
    return std::uint16_t(BinToInt(FData, 3, 2));
}

QByteArray TNotification::GetData() const
{
    return Int2ValueTLV(NotificationTag, 2) + Int2ValueTLV(FData.size(), 2) + FData;
}

TNotifications::~TNotifications()
{
    Clear();
}

void TNotifications::Clear()
{
    while (!FList.empty())
        delete FList.front();
}

TNotification* TNotifications::GetItem(int Index) const
{
    if (Index < 0 || Index >= GetCount())
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
    return FList[std::size_t(Index)];
}

void TNotifications::InsertItem(TNotification* Item)
{
    FList.push_back(Item);
    Item->FOwner = this;
}

void TNotifications::RemoveItem(TNotification* Item)
{
    auto it = std::find(FList.begin(), FList.end(), Item);
    if (it == FList.end())
        return;
    FList.erase(it);
    Item->FOwner = nullptr;
}

QByteArray Int2ValueTLV(std::int64_t Value, int Size)
{
    if (Size < 1 || Size > 8)
        throw Exception(QStringLiteral("to large data"));
    return IntToBin(Value, Size);
}
