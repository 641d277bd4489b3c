// The page "SD-карта": block writes to the emulated register's SD card and its formatting.
#include "pages/service/fmuSDCard.h"

#include "emulator/RegisterBoard.h"
#include "emulator/RegisterFirmware.h"
#include "tests/PageTestSupport.h"
#include "tests/TestSupport.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

using M = OrvekMethod;
using P = OrvekProp;

namespace {
class SDCardTest : public PageTest<TfmSDCard> {
protected:
    void SetUp() override
    {
        PageTest::SetUp();
        Driver().setPassword(30);
        TestRegister().Tables().SetValue(15, 1, 1, 1);
    }
    const RegisterFirmware::SDFile& Card(int type) { return TestRegister().Area<RegisterFirmware>().File(type); }
    // Bytes 0, 1, 2 ... of the size.
    static QByteArray Data(qsizetype size)
    {
        QByteArray bytes(size, Qt::Uninitialized);
        for (qsizetype i = 0; i < size; ++i)
            bytes[i] = char(i * 7 + i / 256);
        return bytes;
    }
    // Chooses a file of that content and clicks the type's button.
    void Write(int type, const QByteArray& bytes)
    {
        TestDialogs().answerFile(WriteTestFile(QStringLiteral("image.bin"), bytes));
        (type == 0 ? Page->btnWriteLoader : Page->btnWriteFirmware)->click();
    }
    // Clicks "Прервать" at the first processed message while it is enabled,
    // noting which buttons were enabled then.
    void StopWhileWriting()
    {
        auto* timer = new QTimer(Page.get());
        QObject::connect(timer, &QTimer::timeout, Page.get(), [this, timer] {
            if (!Page->btnStop->isEnabled())
                return;
            for (QPushButton* b : Page->findChildren<QPushButton*>())
                if (b->isEnabled())
                    EnabledWhileWriting << b->objectName();
            BlocksAtStop = TestRegister().CallCount(M::LoadBlockOnSDCard);
            Page->btnStop->click();
            timer->stop();
        });
        timer->start(0);
    }

    QStringList EnabledWhileWriting;
    int BlocksAtStop = 0;
};
} // namespace

TEST_F(SDCardTest, BlocksAndTheExtraEmptyBlockBySizeTypeAndVersion)
{
    struct Case {
        int Type;
        qsizetype Size;
        const char* Version;
        int DataBlocks;  // 0: refused
        bool Extra;
    };
    const Case cases[] = {
        {0, 28671, "A.4", 0, false},   {0, 28672, "A.4", 224, false}, {0, 28673, "A.4", 225, true},
        {0, 28673, "D.3", 225, false}, {1, 491519, "A.4", 0, false},  {1, 491520, "A.4", 3840, false},
        {1, 491521, "D.3", 3841, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Type << ", " << c.Size << ", " << c.Version);
        TestRegister().SetSoftware(QString::fromLatin1(c.Version), 1, QDate(2024, 1, 1));
        TestRegister().ClearJournal();
        TestDialogs().clear();
        const QByteArray data = Data(c.Size);
        Write(c.Type, data);
        if (c.DataBlocks == 0) {
            EXPECT_EQ(TestDialogs().lastMessage(), QStringLiteral("Invalid file size"));
            EXPECT_EQ(TestRegister().CallCount(M::LoadBlockOnSDCard), 0);
            EXPECT_FALSE(Page->lblSuccess->isVisible());
            continue;
        }
        EXPECT_TRUE(TestDialogs().messages().isEmpty());
        EXPECT_EQ(TestRegister().CallCount(M::LoadBlockOnSDCard), c.DataBlocks + (c.Extra ? 1 : 0));
        EXPECT_EQ(Card(c.Type).Data, data);
        EXPECT_EQ(Card(c.Type).Complete, c.Extra);
        EXPECT_EQ(Card(c.Type).NextBlock, c.DataBlocks + (c.Extra ? 1 : 0));
        EXPECT_EQ(Page->lblSuccess->text(), QStringLiteral("Запись прошла успешно"));
        EXPECT_FALSE(Page->lblSuccess->isHidden());
        EXPECT_EQ(Page->Progress->value(), 100);
        EXPECT_EQ(Page->lblLoading->text(), QStringLiteral("Загрузка: 100%"));
        EXPECT_FALSE(Page->btnStop->isEnabled());
        EXPECT_TRUE(Page->btnWriteLoader->isEnabled());
    }
}

TEST_F(SDCardTest, RefusedBlockShowsTheErrorAndKeepsTheBlocksWritten)
{
    TestRegister().Faults().FailOnCall(M::LoadBlockOnSDCard, 5, 51);
    Write(0, Data(28672));
    EXPECT_EQ(Page->lblSuccess->text(), QStringLiteral("Ошибка: Некорректные параметры в команде"));
    EXPECT_FALSE(Page->lblSuccess->isHidden());
    EXPECT_EQ(Card(0).Data, Data(28672).left(4 * 128));
    EXPECT_TRUE(TestDialogs().messages().isEmpty());
    EXPECT_FALSE(Page->btnStop->isEnabled());
    // The bar ends empty beside the same figure.
    EXPECT_EQ(Page->Progress->value(), 0);
    EXPECT_EQ(Page->lblLoading->text(), QStringLiteral("Загрузка: 0%"));

    // Without a card the register itself refuses the first block.
    TestRegister().Tables().SetValue(15, 1, 1, 0);
    Write(1, Data(491520));
    EXPECT_EQ(Page->lblSuccess->text(), QStringLiteral("Ошибка: SD-карта не установлена"));
    EXPECT_EQ(TestRegister().CallCount(M::LoadBlockOnSDCard), 6);
    EXPECT_EQ(Page->Progress->value(), 0);
    EXPECT_EQ(Page->lblLoading->text(), QStringLiteral("Загрузка: 0%"));
}

TEST_F(SDCardTest, StopEndsWithinOneBlockAndOnlyStopIsEnabledMeanwhile)
{
    StopWhileWriting();
    Write(1, Data(491520));
    EXPECT_EQ(TestDialogs().lastMessage(), QStringLiteral("Операция отменена"));
    EXPECT_EQ(EnabledWhileWriting, QStringList{"btnStop"});
    EXPECT_GE(BlocksAtStop, 1);
    EXPECT_LE(TestRegister().CallCount(M::LoadBlockOnSDCard), BlocksAtStop + 1);
    EXPECT_FALSE(Card(1).Complete);
    EXPECT_TRUE(Page->lblSuccess->isHidden());
    EXPECT_FALSE(Page->btnStop->isEnabled());
    EXPECT_TRUE(Page->btnWriteFirmware->isEnabled());
    EXPECT_EQ(Page->Progress->value(), 0);
    EXPECT_EQ(Page->lblLoading->text(), QStringLiteral("Загрузка: 0%"));
}

TEST_F(SDCardTest, FormatSendsTheCommandAndEmptiesTheCard)
{
    Write(0, Data(28672));
    TestComponent().Trace().Clear();
    Page->btnFormatSDCard->click();
    ASSERT_EQ(TestComponent().Trace().Calls().size(), 1u);
    const OrvekTracedCall& call = TestComponent().Trace().Calls().front();
    EXPECT_EQ(call.Method, M::ExchangeBytes);
    EXPECT_TRUE(std::count(call.Written.begin(), call.Written.end(),
                           std::pair{P::TransferBytes, QVariant(QStringLiteral("FE 04 00 00 00 00"))}));
    EXPECT_EQ(TestRegister().Area<RegisterBoard>().SDFormats, 1);
    EXPECT_TRUE(Card(0).Data.isEmpty());
}
