#include "emulator/ReceiptDatabase.h"

#include "emulator/RegisterFN.h"

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
#include <map>
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
                 query.exec(QStringLiteral("PRAGMA journal_size_limit=%1").arg(ReceiptDatabase::MaxLogSize)) &&
                 query.exec(QStringLiteral(
                     "CREATE TABLE IF NOT EXISTS documents (number INTEGER PRIMARY KEY, session INTEGER, "
                     "type INTEGER, datetime TEXT, total INTEGER, fiscal_sign INTEGER, text TEXT)")) &&
                 query.exec(QStringLiteral("CREATE INDEX IF NOT EXISTS by_session ON documents (session, number)")) &&
                 query.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS fn_life (first_number INTEGER, first_sign INTEGER)"));
        else
            ok = query.exec(QStringLiteral("SELECT count(*) FROM documents"));   // a database of documents
        if (!ok)
            Code = ReceiptDatabase::DatabaseError;
    }
    ~TConnection()
    {
        FQueries.clear();
        if (FDb.isValid())
            FDb.close();
        FDb = QSqlDatabase();
        if (QSqlDatabase::contains(FName))
            QSqlDatabase::removeDatabase(FName);
    }
    TConnection(const TConnection&) = delete;
    TConnection& operator=(const TConnection&) = delete;

    QSqlDatabase& Db() { return FDb; }
    // A statement prepared once for the connection; finish() it after use,
    // or it keeps reading an old state of the file.
    QSqlQuery& Prepared(const QString& sql)
    {
        auto it = FQueries.find(sql);
        if (it == FQueries.end()) {
            it = FQueries.emplace(sql, QSqlQuery(FDb)).first;
            it->second.prepare(sql);
        }
        return it->second;
    }
    std::int32_t Code = 0;

private:
    QString FName;
    QSqlDatabase FDb;
    std::map<QString, QSqlQuery> FQueries;
};

// The file at a name as the system knows it (device and inode); empty when there is none.
QByteArray FileIdentity(const QString& file)
{
    struct stat st {};
    if (::stat(QFile::encodeName(file).constData(), &st) != 0)
        return {};
    return QByteArray::number(quint64(st.st_dev)) + ':' + QByteArray::number(quint64(st.st_ino));
}

// The connection to the last file used, kept open between calls on the
// program's main thread: opening the file for every receipt or search costs
// far more than the work. It is opened again when the file at the name is no
// longer the one it has open (removed or replaced meanwhile), so no old handle
// writes into a file that is gone. Other threads open a connection per call.
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
    // The connection open on the file, null when none is.
    TConnection* Current(const QString& file) const
    {
        const bool open = FConnection && !FConnection->Code && file == FFile && FileIdentity(file) == FIdentity;
        return open ? FConnection.get() : nullptr;
    }
    TConnection& Open(const QString& file)
    {
        if (!Current(file)) {
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

bool Exec(QSqlQuery& q)
{
    const bool ok = q.exec();
    if (!ok)
        q.finish();
    return ok;
}

// Drops the rows the FN does not hold (see the header); inside a transaction.
std::int32_t AgreeOn(TConnection& connection, const ReceiptDatabase::FN& fn)
{
    QSqlQuery& life = connection.Prepared(QStringLiteral("SELECT first_number, first_sign FROM fn_life"));
    if (!Exec(life))
        return ReceiptDatabase::DatabaseError;
    const bool same = life.next() && life.value(0).toInt() == fn.FirstNumber &&
                      std::uint32_t(life.value(1).toLongLong()) == fn.FirstSign;
    life.finish();
    if (!same) {
        QSqlQuery rows(connection.Db());
        rows.setForwardOnly(true);
        if (!rows.exec(QStringLiteral("SELECT number, fiscal_sign FROM documents")))
            return ReceiptDatabase::DatabaseError;
        QVariantList gone;
        while (rows.next())
            if (!fn.Holds || !fn.Holds(rows.value(0).toInt(), std::uint32_t(rows.value(1).toLongLong())))
                gone << rows.value(0);
        rows.finish();
        QSqlQuery q(connection.Db());
        if (!gone.isEmpty()) {
            q.prepare(QStringLiteral("DELETE FROM documents WHERE number = ?"));
            q.addBindValue(gone);
            if (!q.execBatch())
                return ReceiptDatabase::DatabaseError;
        }
        if (!q.exec(QStringLiteral("DELETE FROM fn_life")))
            return ReceiptDatabase::DatabaseError;
        q.prepare(QStringLiteral("INSERT INTO fn_life (first_number, first_sign) VALUES (?, ?)"));
        q.addBindValue(fn.FirstNumber);
        q.addBindValue(qlonglong(fn.FirstSign));
        if (!q.exec())
            return ReceiptDatabase::DatabaseError;
    }
    QSqlQuery& past = connection.Prepared(QStringLiteral("SELECT 1 FROM documents WHERE number > ? LIMIT 1"));
    past.addBindValue(fn.LastNumber);
    if (!Exec(past))
        return ReceiptDatabase::DatabaseError;
    const bool any = past.next();
    past.finish();
    if (any) {
        QSqlQuery q(connection.Db());
        q.prepare(QStringLiteral("DELETE FROM documents WHERE number > ?"));
        q.addBindValue(fn.LastNumber);
        if (!q.exec())
            return ReceiptDatabase::DatabaseError;
    }
    return 0;
}

enum class Use { Read, Change, Add };   // Add creates the file

// The file of an FN (it must exist unless added to): the kept connection on
// the main thread, else one of its own (read only for reading).
TConnection& Connect(const QString& file, Use use, std::optional<TConnection>& own)
{
    if (TWriter::Usable())
        if (TConnection* open = TWriter::Instance().Current(file))
            return *open;
    if (!QFileInfo(QFileInfo(file).path()).isDir() || (use != Use::Add && !QFileInfo::exists(file)))
        return own.emplace(file, false);   // answers NoDatabase
    return TWriter::Usable() ? TWriter::Instance().Open(file) : own.emplace(file, use != Use::Read);
}
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

FN Of(RegisterFN& fn)
{
    FN result;
    result.Serial = fn.Serial;
    if (!fn.Documents.empty()) {
        result.FirstNumber = fn.Documents.front().Number;
        result.FirstSign = fn.Documents.front().FiscalSign;
        result.LastNumber = fn.Documents.back().Number;
    }
    result.Holds = [&fn](int number, std::uint32_t sign) {
        const FNDocument* doc = fn.Find(number);
        return doc && doc->FiscalSign == sign;
    };
    return result;
}

// Opens a transaction on the file and brings it in line with the FN; false
// (nothing changed) when either fails.
static bool BeginAgreed(TConnection& connection, const FN& fn)
{
    QSqlDatabase& db = connection.Db();
    if (!db.transaction())
        return false;
    if (AgreeOn(connection, fn) != 0) {
        db.rollback();
        return false;
    }
    return true;
}

std::int32_t Add(const QString& folder, const FN& fn, const std::vector<DBDocument>& documents)
{
    if (folder.isEmpty())
        QDir().mkpath(DefaultFolder());   // the driver's own folder
    std::optional<TConnection> own;
    TConnection& connection = Connect(FileName(folder, fn.Serial), Use::Add, own);
    if (connection.Code)
        return connection.Code;
    if (!BeginAgreed(connection, fn))
        return DatabaseError;
    QSqlDatabase& db = connection.Db();
    QSqlQuery& q = connection.Prepared(
        QStringLiteral("INSERT OR REPLACE INTO documents (%1) VALUES (?, ?, ?, ?, ?, ?, ?)").arg(Columns));
    for (const DBDocument& d : documents) {
        q.addBindValue(d.Number);
        q.addBindValue(d.Session);
        q.addBindValue(d.Type);
        q.addBindValue(d.DateTime.toString(Qt::ISODateWithMs));
        q.addBindValue(qlonglong(d.Total));
        q.addBindValue(qlonglong(d.FiscalSign));
        q.addBindValue(d.Text);
        if (!Exec(q)) {
            db.rollback();
            return DatabaseError;
        }
    }
    q.finish();
    return db.commit() ? 0 : DatabaseError;
}

std::int32_t Agree(const QString& folder, const FN& fn)
{
    std::optional<TConnection> own;
    TConnection& connection = Connect(FileName(folder, fn.Serial), Use::Change, own);
    if (connection.Code == NoDatabase)
        return 0;   // nothing kept
    if (connection.Code)
        return connection.Code;
    if (!BeginAgreed(connection, fn))
        return DatabaseError;
    return connection.Db().commit() ? 0 : DatabaseError;
}

std::int32_t Find(const QString& folder, const QString& serial, int number, DBDocument& document)
{
    std::optional<TConnection> own;
    TConnection& connection = Connect(FileName(folder, serial), Use::Read, own);
    if (connection.Code)
        return connection.Code;
    QSqlQuery& q = connection.Prepared(QStringLiteral("SELECT %1 FROM documents WHERE number = ?").arg(Columns));
    q.addBindValue(number);
    if (!Exec(q))
        return DatabaseError;
    const bool found = q.next();
    if (found)
        document = Read(q);
    q.finish();
    return found ? 0 : NotFound;
}

std::int32_t Session(const QString& folder, const QString& serial, int session, std::vector<DBDocument>& documents)
{
    std::optional<TConnection> own;
    TConnection& connection = Connect(FileName(folder, serial), Use::Read, own);
    if (connection.Code)
        return connection.Code;
    QSqlQuery& q = connection.Prepared(
        QStringLiteral("SELECT %1 FROM documents WHERE session = ? ORDER BY number").arg(Columns));
    q.addBindValue(session);
    if (!Exec(q))
        return DatabaseError;
    documents.clear();
    while (q.next())
        documents.push_back(Read(q));
    q.finish();
    return 0;
}

} // namespace ReceiptDatabase
