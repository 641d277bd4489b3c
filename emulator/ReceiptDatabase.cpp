#include "emulator/ReceiptDatabase.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QThread>
#include <QVariant>
#include <atomic>
#include <memory>
#include <sys/stat.h>

namespace {
// A connection to one file: opened, and closed and removed again when it
// ends. Queries on it must end before it does.
class TConnection {
public:
    TConnection(const QString& file, bool create)
    {
        static std::atomic<quint64> serial{0};
        FName = QStringLiteral("orvek-db-%1").arg(++serial);
        if (!QFileInfo(QFileInfo(file).path()).isDir() || (!create && !QFileInfo::exists(file))) {
            Code = ReceiptDatabase::NoDatabase;
            return;
        }
        FDb = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), FName);
        FDb.setDatabaseName(file);
        if (!create)
            FDb.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (!FDb.open()) {
            Code = ReceiptDatabase::DatabaseError;
            return;
        }
        QSqlQuery query(FDb);
        bool ok = true;
        if (create)
            ok = query.exec(QStringLiteral("PRAGMA journal_mode=WAL")) &&
                 query.exec(QStringLiteral("PRAGMA synchronous=NORMAL")) &&
                 query.exec(QStringLiteral(
                     "CREATE TABLE IF NOT EXISTS documents (number INTEGER PRIMARY KEY, session INTEGER, "
                     "type INTEGER, datetime TEXT, total INTEGER, fiscal_sign INTEGER, text TEXT)")) &&
                 query.exec(QStringLiteral("CREATE INDEX IF NOT EXISTS by_session ON documents (session, number)"));
        else
            ok = query.exec(QStringLiteral("SELECT count(*) FROM documents"));   // a database of documents
        if (!ok)
            Code = ReceiptDatabase::DatabaseError;
    }
    ~TConnection()
    {
        if (FDb.isValid())
            FDb.close();
        FDb = QSqlDatabase();
        if (QSqlDatabase::contains(FName))
            QSqlDatabase::removeDatabase(FName);
    }
    TConnection(const TConnection&) = delete;
    TConnection& operator=(const TConnection&) = delete;

    QSqlDatabase& Db() { return FDb; }
    std::int32_t Code = 0;

private:
    QString FName;
    QSqlDatabase FDb;
};

// The file at a name as the system knows it (device and inode); empty when there is none.
QByteArray FileIdentity(const QString& file)
{
    struct stat st {};
    if (::stat(QFile::encodeName(file).constData(), &st) != 0)
        return {};
    return QByteArray::number(quint64(st.st_dev)) + ':' + QByteArray::number(quint64(st.st_ino));
}

// The connection of the additions, kept open between them on the program's
// main thread: opening the file for every receipt costs far more than the
// receipt. It is opened again when the file at the name is no longer the one
// it has open (removed or replaced meanwhile), so no old handle writes into a
// file that is gone. Other threads open a connection per addition.
class TWriter {
public:
    static bool Usable()
    {
        const QCoreApplication* app = QCoreApplication::instance();
        return app && QThread::currentThread() == app->thread();
    }
    // Made on first use and closed when the application ends.
    static TWriter& Instance()
    {
        static TWriter* writer = [] {
            qAddPostRoutine([] { Instance().FConnection.reset(); });
            return new TWriter;
        }();
        return *writer;
    }
    TConnection& Open(const QString& file)
    {
        if (!FConnection || FConnection->Code || file != FFile || FileIdentity(file) != FIdentity) {
            FConnection.reset();
            FConnection = std::make_unique<TConnection>(file, true);
            FFile = file;
            FIdentity = FileIdentity(file);
        }
        return *FConnection;
    }

private:
    QString FFile;
    QByteArray FIdentity;
    std::unique_ptr<TConnection> FConnection;
};

DBDocument Read(const QSqlQuery& q)
{
    DBDocument d;
    d.Number = q.value(0).toInt();
    d.Session = q.value(1).toInt();
    d.Type = q.value(2).toInt();
    d.DateTime = QDateTime::fromString(q.value(3).toString(), Qt::ISODateWithMs);
    d.Total = q.value(4).toLongLong();
    d.FiscalSign = std::uint32_t(q.value(5).toLongLong());
    d.Text = q.value(6).toString();
    return d;
}

const QString Columns = QStringLiteral("number, session, type, datetime, total, fiscal_sign, text");
} // namespace

namespace ReceiptDatabase {

QString DefaultFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/KORVEL/Orvek/DB");
}

QString FileName(const QString& folder, const QString& serial)
{
    return QDir(folder.isEmpty() ? DefaultFolder() : folder).filePath(serial + QStringLiteral(".db"));
}

std::int32_t Add(const QString& folder, const QString& serial, const std::vector<DBDocument>& documents)
{
    if (folder.isEmpty())
        QDir().mkpath(DefaultFolder());   // the driver's own folder
    const QString file = FileName(folder, serial);
    std::optional<TConnection> own;
    TConnection& connection = TWriter::Usable() ? TWriter::Instance().Open(file) : own.emplace(file, true);
    if (connection.Code)
        return connection.Code;
    QSqlDatabase& db = connection.Db();
    db.transaction();
    QSqlQuery q(db);
    q.prepare(QStringLiteral("INSERT OR REPLACE INTO documents (%1) VALUES (?, ?, ?, ?, ?, ?, ?)").arg(Columns));
    for (const DBDocument& d : documents) {
        q.addBindValue(d.Number);
        q.addBindValue(d.Session);
        q.addBindValue(d.Type);
        q.addBindValue(d.DateTime.toString(Qt::ISODateWithMs));
        q.addBindValue(qlonglong(d.Total));
        q.addBindValue(qlonglong(d.FiscalSign));
        q.addBindValue(d.Text);
        if (!q.exec()) {
            db.rollback();
            return DatabaseError;
        }
    }
    return db.commit() ? 0 : DatabaseError;
}

std::int32_t Find(const QString& folder, const QString& serial, int number, DBDocument& document)
{
    TConnection connection(FileName(folder, serial), false);
    if (connection.Code)
        return connection.Code;
    QSqlQuery q(connection.Db());
    q.prepare(QStringLiteral("SELECT %1 FROM documents WHERE number = ?").arg(Columns));
    q.addBindValue(number);
    if (!q.exec())
        return DatabaseError;
    if (!q.next())
        return NotFound;
    document = Read(q);
    return 0;
}

std::int32_t Session(const QString& folder, const QString& serial, int session, std::vector<DBDocument>& documents)
{
    TConnection connection(FileName(folder, serial), false);
    if (connection.Code)
        return connection.Code;
    QSqlQuery q(connection.Db());
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT %1 FROM documents WHERE session = ? ORDER BY number").arg(Columns));
    q.addBindValue(session);
    if (!q.exec())
        return DatabaseError;
    documents.clear();
    while (q.next())
        documents.push_back(Read(q));
    return 0;
}

} // namespace ReceiptDatabase
