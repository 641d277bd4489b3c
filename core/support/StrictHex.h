#pragma once
// Hex text read strictly, for data the user types: each byte is a group of
// two hex digits (either case); blanks, tabs and line breaks separate the
// groups. Anything else (an odd digit, a character that is not hex, two
// groups run together) is refused as a whole, so no partial data goes on.
#include <QByteArray>
#include <QString>

struct THexParse {
    QByteArray Bytes;
    bool Ok = true;
    int ErrorPosition = 0;  // 1-based character position of the bad group
    QString BadGroup;
};

THexParse ParseHexStrict(const QString& Text);
// The bytes of the text; a bad text raises EConvertError naming the
// position and the group.
QByteArray HexToStrStrict(const QString& Text);
