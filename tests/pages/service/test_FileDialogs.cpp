// The service pages' file dialogs offer every file through the one entry.
#include "pages/service/fmuFirmwareUpdate.h"
#include "pages/service/fmuFont.h"
#include "pages/service/fmuSDCard.h"
#include "pages/service/fmuTable.h"

#include "tests/DriverTestSupport.h"
#include "tests/TestSupport.h"

#include <QPushButton>

namespace {
class FileDialogsTest : public DriverTest {};
} // namespace

TEST_F(FileDialogsTest, EveryFileIsOfferedAsAllFiles)
{
    TfmFont font;
    TfmSDCard sdCard;
    TfmFirmwareUpdate firmware;
    TfmTable table;
    struct Case {
        const char* Dialog;
        QPushButton* Button;
        QString Filter;
    };
    for (const Case& c : {
             Case{"font", font.btnLoadFont, QStringLiteral("SPF (*.spf);;Все файлы (*)")},
             Case{"SD card", sdCard.btnWriteLoader, QStringLiteral("*.bin (*.bin);;Все файлы (*)")},
             Case{"firmware", firmware.btnOpenFile, QStringLiteral("*.bin (*.bin);;Все файлы (*)")},
             Case{"table", table.btnOpenFile, QStringLiteral("CSV (*.csv);;Все файлы (*)")},
         }) {
        SCOPED_TRACE(c.Dialog);
        TestDialogs().clear();
        c.Button->click();
        ASSERT_EQ(TestDialogs().shown().size(), 1u);
        EXPECT_EQ(TestDialogs().shown().back().file.filter, c.Filter);
    }
}
