#pragma once
// The paper of an emulated register: everything printed, in order.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

enum class PaperKind {
    Text,      // a printed line of text
    Graphics,  // one raster line (Data: the dots, 8 per byte)
    Image,     // a picture printed from the graphics buffer (Text: where from)
    Barcode,   // a barcode (Text: its data, Param: its type)
    Feed,      // blank lines fed (Param: how many)
    Cut,       // a cut (Param: 0 full, 1 partial)
};

struct PaperItem {
    PaperKind Kind = PaperKind::Text;
    QString Text;
    int Font = 1;          // font of a text line
    int Param = 0;
    QByteArray Data;
    bool Receipt = true;   // printed on the receipt ribbon
    bool Journal = false;  // printed on the journal ribbon
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
    // Takes the items from the index on off the paper (a report kept in a buffer).
    std::vector<PaperItem> TakeFrom(std::size_t index);

private:
    std::vector<PaperItem> FItems;
};
