#pragma once
// Registration reports of the emulated FN: what the last build saw and the
// TLV data of a registration document.
//
//   const FNDocument* doc = RegistrationDocument(fn, 1);   // the first registration
//   const FNTag* zone = FindTag(doc->Tags, RegTag::TimeZone);
#include "emulator/RegisterFN.h"

#include <QStringList>
#include <vector>

// Tags of a registration document.
namespace RegTag {
enum : int {
    AutomatMode = 1001,
    Offline = 1002,
    TimeZone = 1011,
    DateTime = 1012,
    KKTSerial = 1013,
    INNOFD = 1017,
    INN = 1018,
    AutomatNumber = 1036,
    KKTRegistrationNumber = 1037,
    DocumentNumber = 1040,
    FNSerial = 1041,
    Encryption = 1056,
    TaxSystems = 1062,
    ReasonCode = 1101,
    Internet = 1108,
    Services = 1109,
    BSO = 1110,
    Lottery = 1126,
    Gambling = 1193,
    ReasonCodesEx = 1205,
    Excise = 1207,
    AutomatPrinter = 1221,
};
}

// What the registration area remembers between calls.
struct RegisterFiscalization : RegisterArea {
    int BuildTimeout = -1;  // the driver's Timeout at the last report build (-1: none yet)
};

// What the register adds to the driver's registration data: the time zone
// (table 17, row 1, field 66), the automat number (in automatic mode), the
// register's serial number.
struct FNRegistrationExtra {
    int TimeZone = 0;
    QString AutomatNumber;
    QString KKTSerial;
};

// The TLV data of a registration document: date, number, identities, the
// registration data, the set flags of the work modes, the extra data.
std::vector<FNTag> RegistrationTags(const FNDocument& doc, const QString& fnSerial, const FNRegistrationExtra& extra);

// The n-th registration or re-registration document (1 = the first), null when none.
const FNDocument* RegistrationDocument(const RegisterFN& fn, int n);
// The last registration or re-registration document, null when none.
const FNDocument* LastRegistrationDocument(const RegisterFN& fn);
// The document's TLV data; a document made without it (the FN's first
// registration) gets the tags of its registration data.
std::vector<FNTag> RegistrationDocumentTags(const RegisterFN& fn, const FNDocument& doc);
// The tag with the number, null when there is none.
const FNTag* FindTag(const std::vector<FNTag>& tags, int number);
// The document as the register prints it: a title, then one line per tag,
// "[number] " in front of each when showTagNumbers.
QStringList RegistrationText(const FNDocument& doc, const std::vector<FNTag>& tags, bool showTagNumbers);
