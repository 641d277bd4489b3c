#pragma once
// Notifications about sold marked goods as read from the FN: a record keeps
// its number and its bytes exactly as read (bytes 3 and 4 its stored CRC);
// the list owns its records.
//
//   TNotifications list;
//   auto* n = new TNotification(&list);   // the list frees it
//   n->FNumber = 7;
//   n->FData = data;
//   const QByteArray record = n->GetData();   // C9 00, length, data
#include <QByteArray>
#include <cstdint>
#include <vector>

class TNotifications;

class TNotification {
public:
    // Inserts the new item into AOwner when one is given.
    explicit TNotification(TNotifications* AOwner = nullptr);
    // Takes the item out of its list.
    ~TNotification();
    TNotification(const TNotification&) = delete;
    TNotification& operator=(const TNotification&) = delete;

    // Takes the item out of its old list first.
    void SetOwner(TNotifications* AOwner);
    TNotifications* Owner() const { return FOwner; }

    // CRC-16/CCITT-FALSE over bytes 1, 2 and 5 to the end of FData.
    std::uint16_t GetCRC() const;
    // The CRC kept in bytes 3 and 4 (little-endian); 0 when FData is shorter.
    std::uint16_t StoredCRC() const;
    // The record: tag 201 and the data length (2 bytes each), then FData.
    QByteArray GetData() const;

    std::int32_t FNumber = 0;
    QByteArray FData;

private:
    friend class TNotifications;
    TNotifications* FOwner = nullptr;
};

class TNotifications {
public:
    TNotifications() = default;
    ~TNotifications();
    TNotifications(const TNotifications&) = delete;
    TNotifications& operator=(const TNotifications&) = delete;

    // Frees every item.
    void Clear();
    int GetCount() const { return int(FList.size()); }
    // Raises EListError for an index outside 0..GetCount()-1.
    TNotification* GetItem(int Index) const;
    // Makes the list the item's owner (appended).
    void InsertItem(TNotification* Item);
    // Takes the item out without freeing it.
    void RemoveItem(TNotification* Item);

private:
    std::vector<TNotification*> FList;
};

// Size bytes of Value, least significant first; a size outside 1..8 raises
// "to large data".
QByteArray Int2ValueTLV(std::int64_t Value, int Size);
