#include "platform/AtomicFile.h"
#include "platform/FileWrite.h"
#include "tests/TestSupport.h"

#include <QDir>
#include <QFile>
#include <cerrno>
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

// A write that fails (a full disk) leaves the file as it was, no temporary
// file beside it, and says why in Russian.
TEST(AtomicFile, AFailedWriteSaysWhyAndLeavesNothing)
{
    const QString folder = TestTempDir();
    const QString file = folder + "/state";
    ASSERT_TRUE(WriteFileAtomically(file, "old").isEmpty());
    const TWriteFault before = SetWriteFault([] { return ENOSPC; });
    EXPECT_EQ(WriteFileAtomically(file, "new"), QStringLiteral("нет места на диске"));
    SetWriteFault(before);
    EXPECT_EQ(Contents(file), "old");
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{"state"});
}
