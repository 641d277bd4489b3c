// Entry of every test program: a headless QApplication, the user's folders
// moved into a temporary folder, and scripted dialogs so nothing blocks.
#include "tests/TestSupport.h"

#include <QApplication>
#include <QDir>
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
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
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
