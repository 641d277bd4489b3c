#pragma once
// Hex text read strictly, for data the user types: the groups HexToStr reads
// (two digits of either case, run together or not; a blank ends a group
// early, so a single digit is a byte too; other blanks and control
// characters are dropped) give the same bytes. A group that is no hex number
// is refused with the whole text, where HexToStr stops quietly, so no partial
// data goes on.
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
