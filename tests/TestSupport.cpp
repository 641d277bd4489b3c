#include "tests/TestSupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace {
Dialogs::ScriptedDialogs* g_dialogs = nullptr;
}

void InstallTestDialogs()
{
    auto dialogs = std::make_unique<Dialogs::ScriptedDialogs>();
    g_dialogs = dialogs.get();
    Dialogs::Install(std::move(dialogs));
}

Dialogs::ScriptedDialogs& TestDialogs()
{
    if (!g_dialogs)
        InstallTestDialogs();
    return *g_dialogs;
}

QString TestTempDir()
{
    static std::vector<std::unique_ptr<QTemporaryDir>> dirs;
    dirs.push_back(std::make_unique<QTemporaryDir>());
    return dirs.back()->path();
}

QString WriteTestFile(const QString& name, const QByteArray& bytes)
{
    const QString fileName = TestTempDir() + QLatin1Char('/') + name;
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        ADD_FAILURE() << "cannot write " << fileName.toStdString();
    return fileName;
}

void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

void PrintTo(const QStringList& list, std::ostream* os)
{
    *os << '{';
    for (qsizetype i = 0; i < list.size(); ++i) {
        *os << (i ? ", " : "");
        PrintTo(list[i], os);
    }
    *os << '}';
}
