#pragma once
// The paper of an emulated register: everything printed, in order.
#include "emulator/StateArchive.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <vector>

enum class PaperKind {
    Text,      // a printed line of text
    Graphics,  // one raster line (Data: the dots, 8 per byte)
    Image,     // a picture printed from the graphics buffer (Text: where from; Data: its rows)
    Barcode,   // a barcode (Text: its data, Param: its type, Details: its settings; Data: its rows when drawn)
    Feed,      // blank lines fed (Param: how many)
    Cut,       // a cut (Param: 0 full, 1 partial)
};

struct PaperItem {
    PaperKind Kind = PaperKind::Text;
    QString Text;
    int Font = 1;          // font of a text line
    int Param = 0;
    QByteArray Data;
    int RowBytes = 0;      // bytes per row of a picture's Data (Image, Barcode)
    QString Details;       // settings a barcode was printed with
    bool Receipt = true;   // printed on the receipt ribbon
    bool Journal = false;  // printed on the journal ribbon

    void Keep(StateArchive& a) { a(Kind, Text, Font, Param, Data, RowBytes, Details, Receipt, Journal); }
};

class RegisterPaper {
public:
    void Add(PaperItem item);
    void AddText(const QString& text, int font = 1);
    const std::vector<PaperItem>& Items() const { return FItems; }
    // The texts of the text lines, in order.
    QStringList Texts() const;
    // The items of one kind, in order.
    std::vector<PaperItem> ItemsOf(PaperKind kind) const;
    void Clear() { FItems.clear(); }

    // Items ever added (Clear and the trimming of old items keep counting):
    // a mark for Latest().
    std::uint64_t Total() const { return FTotal; }
    // The last `limit` items that `pick` accepts among those added after the
    // mark and still kept, oldest first.
    std::vector<const PaperItem*> Latest(std::uint64_t mark, std::size_t limit,
                                         const std::function<bool(const PaperItem&)>& pick) const;
    // Takes the items added after the mark off the paper (a report kept in a buffer).
    std::vector<PaperItem> TakeSince(std::uint64_t mark);

    // The paper as it was kept: the latest items and the count ever added.
    void Restore(std::vector<PaperItem> items, std::uint64_t total);

private:
    std::vector<PaperItem> FItems;
    std::uint64_t FTotal = 0;
};
