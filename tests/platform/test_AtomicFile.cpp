#include "platform/AtomicFile.h"
#include "tests/TestSupport.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {
QByteArray Contents(const QString& fileName)
{
    QFile f(fileName);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

// A file written in pieces is replaced as a whole: all the pieces, or,
// when they cannot all be made, the file as it was.
TEST(AtomicFile, PiecesReplaceTheFileWholeOrNotAtAll)
{
    const QString file = TestTempDir() + "/state";
    ASSERT_TRUE(WriteFileAtomically(file, "old").isEmpty());
    const auto pieces = [](bool all) {
        return [all](const std::function<bool(QByteArrayView)>& put) {
            return put("one ") && put("two") && all;
        };
    };
    EXPECT_FALSE(WriteFileAtomicallyInPieces(file, pieces(false)).isEmpty());
    EXPECT_EQ(Contents(file), "old");
    EXPECT_TRUE(WriteFileAtomicallyInPieces(file, pieces(true)).isEmpty());
    EXPECT_EQ(Contents(file), "one two");
}
