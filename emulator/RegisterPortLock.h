#pragma once
// The port of a register that keeps its state in a folder, held by this
// program: an OS lock on "<folder>/port.lock" (flock), so another program
// that connects to the register meanwhile finds its port taken. The lock dies
// with the program (a kill releases it). Within the program the driver
// objects connected to the register share one hold; the lock is released
// when the last of them lets go.
#include <QString>
#include <memory>

class RegisterPortLock {
public:
    // The program's hold on the port of the register kept in a folder; null
    // when another program holds it. A folder where no lock file can be made
    // gives a hold without a lock (the register works, unguarded).
    static std::unique_ptr<RegisterPortLock> Take(const QString& folder);
    // This program holds the port of the register kept in the folder: only
    // then may it write the register's files.
    static bool Held(const QString& folder);
    ~RegisterPortLock();
    RegisterPortLock(const RegisterPortLock&) = delete;
    RegisterPortLock& operator=(const RegisterPortLock&) = delete;

private:
    explicit RegisterPortLock(QString folder) : FFolder(std::move(folder)) {}
    QString FFolder;
};
