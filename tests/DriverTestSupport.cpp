#include "tests/DriverTestSupport.h"

#include "emulator/LogicalDevices.h"
#include "emulator/OrvekSettings.h"

#include <QDir>
#include <QFile>
#include <deque>
#include <mutex>

namespace {
std::mutex ScriptLock;
std::deque<std::function<int(QDialog&)>> Scripts;
int Unexpected = 0;

int RunScript(QDialog& dialog)
{
    std::function<int(QDialog&)> script;
    {
        std::lock_guard lock(ScriptLock);
        if (Scripts.empty()) {
            ++Unexpected;
            return QDialog::Rejected;
        }
        script = std::move(Scripts.front());
        Scripts.pop_front();
    }
    return script(dialog);
}
} // namespace

void ResetEmulatedDriver()
{
    FreeDriver();
    QFile::remove(OrvekSettingsFileName());
    QFile::remove(LogicalDeviceList::FileName());
    // The kept states of the bench registers (…/orvek/bench).
    QDir benches(OrvekBench::StateFolderOf(QString(), 0));
    if (benches.cd(QStringLiteral("../..")))
        benches.removeRecursively();
    InstallEmulatedOrvek();
    Bench().Clear();
    Bench().Add(RegisterConfig{});
    {
        std::lock_guard lock(ScriptLock);
        Scripts.clear();
        Unexpected = 0;
    }
    SetOrvekDialogRunner(&RunScript);
}

EmulatedRegister& TestRegister()
{
    return *Bench().Register(0);
}

EmulatedOrvek& TestComponent()
{
    return *EmulatedComponentOf(Driver());
}

void ClearPaperAndTrace()
{
    Driver();
    TestRegister().Paper().Clear();
    TestComponent().Trace().Clear();
}

void ScriptOrvekDialog(std::function<int(QDialog&)> script)
{
    std::lock_guard lock(ScriptLock);
    Scripts.push_back(std::move(script));
}

int UnexpectedOrvekDialogs()
{
    std::lock_guard lock(ScriptLock);
    return Unexpected;
}
