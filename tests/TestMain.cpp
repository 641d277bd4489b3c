// Entry of every test program: a headless QApplication on a 1366 x 768
// screen, the user's folders moved into a temporary folder, and scripted
// dialogs so nothing blocks.
#include "tests/TestSupport.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

void InstallTestDialogs();

namespace {
class ResetDialogs : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override { TestDialogs().clear(); }
};
} // namespace

int main(int argc, char** argv)
{
    QTemporaryDir home;
    // A headless screen of the size the programs are laid out for.
    const QString screen = home.path() + "/screen.json";
    QFile config(screen);
    if (config.open(QIODevice::WriteOnly))
        config.write(R"({"synchronousWindowSystemEvents": false, "windowFrameMargins": true, "screens": [)"
                     R"({"name": "screen", "x": 0, "y": 0, "width": 1366, "height": 768,)"
                     R"( "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    config.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + screen.toLocal8Bit());
    for (const char* var : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_RUNTIME_DIR", "HOME"}) {
        QString dir = home.path() + "/" + var;
        QDir().mkpath(dir);
        qputenv(var, dir.toLocal8Bit());
    }
    QFile::setPermissions(home.path() + "/XDG_RUNTIME_DIR", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QApplication app(argc, argv);
    InstallTestDialogs();
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new ResetDialogs);
    return RUN_ALL_TESTS();
}
