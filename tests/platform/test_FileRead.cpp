#include "platform/Exceptions.h"
#include "platform/FileRead.h"
#include "tests/TestSupport.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <sys/stat.h>

// Only a regular file within the bound is read; a FIFO (which would block
// the read), a folder or a larger file is refused unread.
TEST(FileRead, ReadsARegularFileWithinTheBoundOnly)
{
    const QString dir = TestTempDir();
    ASSERT_TRUE(WriteBytes(dir + "/small", "12345"));
    ASSERT_TRUE(WriteBytes(dir + "/large", "123456"));
    ASSERT_EQ(mkfifo(QFile::encodeName(dir + "/fifo").constData(), 0600), 0);
    ASSERT_TRUE(QDir().mkpath(dir + "/folder"));
    struct Case { const char* name; TFileRead::Status status; QByteArray bytes; qint64 size; } cases[] = {
        {"small", TFileRead::Ok, "12345", 0},
        {"large", TFileRead::TooLarge, {}, 6},
        {"fifo", TFileRead::NotRegular, {}, 0},
        {"folder", TFileRead::NotRegular, {}, 0},
        {"missing", TFileRead::Missing, {}, 0},
    };
    for (const Case& c : cases) {
        const TFileRead read = ReadFileBounded(dir + "/" + c.name, 5);
        EXPECT_EQ(read.status, c.status) << c.name;
        EXPECT_EQ(read.bytes, c.bytes) << c.name;
        EXPECT_EQ(read.size, c.size) << c.name;
    }
    try {
        ReadUserFile(dir + "/large", 5);
        ADD_FAILURE();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Файл \"" + dir + "/large\" слишком велик: 6 байт (не более 5 байт)");
    }
    EXPECT_THROW(ReadUserFile(dir + "/fifo", 5), Exception);
    EXPECT_EQ(ReadUserFile(dir + "/small", 5), "12345");
}
