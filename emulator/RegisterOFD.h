#pragma once
// The FN's documents as the document and OFD pages see them: a document read
// back as TLV (a request, then blocks until the FN answers 8), the text the
// register renders of a document, the state of the FN's exchange with the
// OFD, the OFD's tickets, and TLV data sent to the FN raw.
//
//   RegisterOFD& ofd = TestRegister().Area<RegisterOFD>();
//   ofd.BlockSize = 2;                 // FNReadFiscalDocumentTLV: 2 bytes a block
//   ofd.StatusBits = 0x19;             // link up, a command and new settings from the OFD
#include "emulator/EmulatedRegister.h"
#include "emulator/RegisterTags.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <cstdint>
#include <vector>

struct FNDocument;

struct OFDTicket {
    QDateTime DateTime;
    QByteArray FiscalSign;  // the OFD's fiscal sign, 18 bytes
};

// A TLV byte string taken apart: the tags in order, or the byte offset and
// the reason where it is malformed.
struct TLVParse {
    std::vector<FNTag> Tags;
    bool Ok = false;
    int ErrorOffset = 0;
    QString Error;
};

class RegisterOFD : public RegisterArea {
public:
    explicit RegisterOFD(EmulatedRegister& reg);

    int BlockSize = 64;    // bytes of a block of FNReadFiscalDocumentTLV (at least 1)
    int StatusBits = 0;    // InfoExchangeStatus bits the OFD link sets (bit 1 follows the queue)
    int MessageState = 0;  // 1: the register is reading a message for the OFD
    bool LinkUp = false;   // the OFD takes documents (one a status query while the exchange runs)

    // Tag number and length (16-bit little-endian each), then the value;
    // composites are kept whole. Empty data is malformed too.
    static TLVParse ParseTLV(const QByteArray& data);
    // The document as the FN gives it: its own tags (number, date and time,
    // fiscal sign, session, operation and total where they apply), then the
    // tags it was sent.
    static QByteArray DocumentTLV(const FNDocument& doc);
    // The register's text of the document, one line per tag; showTags adds
    // each tag's number.
    static QString DocumentText(const FNDocument& doc, bool showTags);
    // The OFD's ticket of a confirmed document.
    static OFDTicket Ticket(const FNDocument& doc);

    // FNRequestFiscalDocumentTLV: starts reading the document; 0 or the FN error.
    std::int32_t RequestDocument(int number, int& type, int& length);
    // FNReadFiscalDocumentTLV: the next block of the document, requesting it
    // first when another one (or none) is being read; 8 (FNError::NoData)
    // once every block was read, after which the next call starts again.
    std::int32_t NextBlock(int number, QByteArray& block);
    // InfoExchangeStatus: StatusBits, bit 1 while documents wait for the OFD.
    int InfoExchangeStatus() const;

private:
    EmulatedRegister& FRegister;
    QByteArray FReading;
    int FReadOffset = 0;
    int FNumber = 0;
    bool FRequested = false;
};
