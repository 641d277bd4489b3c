#pragma once
// The tags that reached the register's FN (FNSendTag, FNSendSTLVTag and their
// operation variants), in order, and the composite being built
// (FNBeginSTLVTag, FNAddTag).
#include "emulator/EmulatedRegister.h"

#include <QByteArray>
#include <optional>
#include <vector>

struct FNTag {
    int Number = 0;
    int Type = 0;               // an OrvekTagType code
    QByteArray Value;           // the value as the FN keeps it; a composite's: its tags' TLV
    std::vector<FNTag> Items;   // the tags of a composite
    bool Operation = false;     // bound to the current item (the *Operation variants)

    // Number and length (16-bit little-endian each), then the value.
    QByteArray Tlv() const;
    // The text of a string tag (CP866 in the FN).
    QString Text() const;
    // The unsigned little-endian integer of the value (byte, VLN, Unix time).
    quint64 Integer() const;

    void Keep(StateArchive& a) { a(Number, Type, Value, Items, Operation); }
};

// A tag as the FN keeps it: number and length (16-bit little-endian each),
// then the value.
QByteArray TagTlv(int Number, const QByteArray& Value);

struct RegisterTags : RegisterArea {
    std::vector<FNTag> Sent;
    std::optional<FNTag> Composite;

    void Keep(StateArchive& a) { a(Sent, Composite); }

    // 0 when a tag may reach the FN now: a document is being built and, for a
    // tag bound to the current item, the open receipt has an item; else the
    // FN error. A tag that may be sent marks the document's data as come.
    static std::int32_t CanSend(EmulatedRegister& reg, bool operation);
    // Keeps a tag sent for the document being built.
    static std::int32_t Send(EmulatedRegister& reg, FNTag tag);
};
