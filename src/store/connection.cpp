#include "connection.h"

#include "actionscope.h"
#include "core/folders.h"
#include "dataset.h"
#include "install.h"
#include "sqlitetext.h"
#include "storeerror.h"

#include <QAtomicInt>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSet>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <libpq-fe.h>
#include <optional>
#include <sqlite3.h>
#include <thread>
#include <utility>

namespace {

// The connections of this thread: a connection is used only in the thread that made it.
thread_local QList<Connection*> registry;
QAtomicInt counter;

// A statement waits this long for another program's lock before giving up.
constexpr int busyTimeoutMs = 10000;
// An address that does not answer fails after this many seconds instead of the
// system's minutes.
constexpr int connectTimeoutS = 10;

// Waiting for another program's lock on the embedded store. SQLite's own wait sleeps
// longer and longer, a tenth of a second between tries in the end; but a workstation
// storing one action after another frees the store only for moments between its actions,
// and a tenth of a second sees one of those moments so seldom that the waiting workstation
// gave up after its ten seconds. Trying again about every millisecond (a little more or less,
// so that two waiting programs do not keep step) soon catches one of those moments.
thread_local std::chrono::steady_clock::time_point waitingSince;
std::atomic<quint64> waitsBegun{0};

int waitForLock(void*, int tries) {
    const auto now = std::chrono::steady_clock::now();
    if (tries == 0) { // SQLite counts the tries of each statement from 0
        waitingSince = now;
        ++waitsBegun;
    }
    if (now - waitingSince >= std::chrono::milliseconds(busyTimeoutMs))
        return 0;
    std::this_thread::sleep_for(
        std::chrono::microseconds(QRandomGenerator::global()->bounded(500, 1500)));
    return 1;
}

QString folderPath(const QString& text) {
    if (text == QLatin1String("~"))
        return QDir::homePath();
    if (text.startsWith(QLatin1String("~/")))
        return QDir::homePath() + text.mid(1);
    return text;
}

} // namespace

QString engineMessage(const QSqlError& error) {
    QString text = error.databaseText().trimmed();
    if (text.isEmpty())
        text = error.driverText().trimmed();
    return text;
}

QString ConnectionTarget::describe() const {
    if (engine == Engine::SQLite)
        return sqliteFile;
    QString where = host;
    if (port > 0)
        where += QLatin1Char(':') + QString::number(port);
    return where + QLatin1Char('/') + database;
}

ConnectionTarget resolveServer(const QString& serverText) {
    ConnectionTarget t;
    if (serverText.startsWith(u'/') || serverText.startsWith(u'~') || serverText.startsWith(u'.')) {
        t.engine = Engine::SQLite;
        t.sqliteFile = QDir::cleanPath(folderPath(serverText) + QStringLiteral("/TAVRO/QUV.db"));
        return t;
    }
    t.engine = Engine::PostgreSQL;
    t.database = QStringLiteral("quv");
    t.host = serverText;
    QString portText;
    if (serverText.startsWith(u'[')) { // [IPv6 address]:port
        const qsizetype close = serverText.indexOf(u']');
        if (close > 0) {
            t.host = serverText.mid(1, close - 1);
            if (serverText.mid(close + 1).startsWith(u':'))
                portText = serverText.mid(close + 2);
        }
    } else if (serverText.count(u':') == 1) {
        const qsizetype colon = serverText.indexOf(u':');
        t.host = serverText.left(colon);
        portText = serverText.mid(colon + 1);
    }
    if (!portText.isEmpty()) {
        bool ok = false;
        const int port = portText.toInt(&ok);
        if (ok && port > 0 && port < 65536)
            t.port = port;
        else
            t.host = serverText; // let the engine say what is wrong with it
    }
    return t;
}

Connection::Connection(QObject* parent)
    : QObject(parent)
    , m_name(QStringLiteral("monitoreo_%1").arg(counter.fetchAndAddRelaxed(1) + 1))
    , m_resolver(resolveServer) {
    registry.append(this);
}

Connection::~Connection() {
    try {
        close();
    } catch (...) {
    }
    registry.removeOne(this);
}

const QList<Connection*>& Connection::all() {
    return registry;
}

quint64 Connection::lockWaitsBegun() {
    return waitsBegun;
}

void Connection::setServer(const QString& serverText) {
    m_server = serverText;
}

void Connection::setResolver(Resolver resolver) {
    m_resolver = std::move(resolver);
}

bool Connection::isOpen() const {
    return m_open;
}

QSqlDatabase Connection::database() const {
    return QSqlDatabase::database(m_name, false);
}

namespace {

// The engine library's own handle that Qt's driver holds, when its type is named `type`
// (the drivers name it after the library's struct); null otherwise.
template <typename Handle>
Handle* driverHandle(const QSqlDatabase& db, std::initializer_list<const char*> types) {
    const QVariant handle = db.isValid() ? db.driver()->handle() : QVariant();
    if (!handle.isValid())
        return nullptr;
    for (const char* type : types)
        if (qstrcmp(handle.typeName(), type) == 0)
            return *static_cast<Handle* const*>(handle.constData());
    return nullptr;
}

} // namespace

sqlite3* Connection::sqliteLink() const {
    if (!m_open || m_target.engine != Engine::SQLite)
        return nullptr;
    return driverHandle<sqlite3>(database(), {"sqlite3*"});
}

void Connection::open() {
    close();
    if (m_server.isEmpty())
        throw StoreError(QStringLiteral("No se indicó el servidor de la base de datos"));
    const ConnectionTarget target = m_resolver(m_server);
    bool opened = false;
    QString failure;
    {
        QSqlDatabase db;
        if (target.engine == Engine::SQLite) {
            // The folder must exist; TAVRO and the file are made on first use. A missing
            // folder is left for the engine to report.
            const QFileInfo file(target.sqliteFile);
            const QDir tavro = file.dir();
            if (!tavro.exists() && QFileInfo(tavro.absolutePath()).dir().exists())
                QDir().mkdir(tavro.absolutePath());
            db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
            db.setDatabaseName(target.sqliteFile);
            db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeoutMs));
        } else {
            db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), m_name);
            db.setHostName(target.host);
            if (target.port > 0)
                db.setPort(target.port);
            db.setDatabaseName(target.database);
            db.setUserName(target.user);
            db.setPassword(target.password);
            db.setConnectOptions(QStringLiteral("connect_timeout=%1").arg(connectTimeoutS));
        }
        opened = db.isValid() && db.open();
        if (!opened)
            failure = engineMessage(db.lastError());
    }
    if (!opened) {
        QSqlDatabase::removeDatabase(m_name);
        throw StoreError(failure + QStringLiteral("\n(") + target.describe() + QLatin1Char(')'));
    }
    m_target = target;
    m_open = true;
    try {
        prepareDatabase();
    } catch (...) {
        close();
        throw;
    }
}

void Connection::prepareDatabase() {
    if (m_target.engine == Engine::SQLite) {
        if (sqlite3* link = sqliteLink()) {
            addTextFunctions(link);
            sqlite3_busy_handler(link, &waitForLock, nullptr);
        }
        // The embedded file keeps a write-ahead log: a commit is one write and one flush of
        // the log instead of a journal written, flushed and removed around a flush of the
        // file, and readers never wait for a writer. The mode stays with the file; where it
        // cannot be set (another program holds the file in the old mode) the file works on
        // as it is.
        QSqlQuery(database()).exec(QStringLiteral("PRAGMA journal_mode = WAL"));
        // A file that cannot even be read as a store is told damaged, as a check finds it.
        try {
            installIfEmpty(*this);
        } catch (const StoreError&) {
            if (const QString found = damage(); !found.isEmpty())
                throw damaged(found);
            throw;
        }
        return;
    }
    execDirect(QStringLiteral("SET DateStyle TO 'ISO, DMY'"));
    installIfEmpty(*this);
}

PGconn* Connection::postgresLink() const {
    if (!m_open || m_target.engine != Engine::PostgreSQL)
        return nullptr;
    return driverHandle<PGconn>(database(), {"PGconn*", "pg_conn*"});
}

bool Connection::lost() const {
    return m_open && m_target.engine == Engine::PostgreSQL && endedByServer();
}

bool Connection::endedByServer() const {
    // Qt's driver lets go of a link the server broke; one it still holds may be broken.
    const QSqlDatabase db = database();
    if (!db.isOpen())
        return true;
    PGconn* link = postgresLink();
    if (!link)
        return false;
    // What the server sent while the session was idle (its farewell, the end of the link)
    // is read without waiting; a link it closed then reads as broken.
    PQconsumeInput(link);
    return PQstatus(link) == CONNECTION_BAD;
}

void Connection::dropLost() {
    m_inTransaction = false;
    m_failed = false;
    m_locked.clear();
    {
        QSqlDatabase db = QSqlDatabase::database(m_name, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_name);
    m_open = false;
    m_wasLost = true;
}

bool Connection::takeLoss() {
    bool any = false;
    for (Connection* c : all()) {
        if (c->lost()) {
            c->rollbackTransaction();
            if (c->m_open)
                c->dropLost();
        }
        any = any || c->m_wasLost;
        c->m_wasLost = false;
    }
    return any;
}

void Connection::checkIntegrity() {
    ensureOpen();
    if (m_target.engine != Engine::SQLite)
        return;
    static QSet<QString> checked;
    const QString file = QFileInfo(m_target.sqliteFile).absoluteFilePath();
    if (checked.contains(file))
        return;
    const QString found = damage();
    if (found.isEmpty()) {
        checked.insert(file);
        return;
    }
    close();
    throw damaged(found);
}

QString Connection::damage() {
    QSqlQuery q(database());
    QStringList found;
    if (q.exec(QStringLiteral("PRAGMA quick_check"))) {
        while (q.next())
            found.append(q.value(0).toString());
    } else {
        found.append(engineMessage(q.lastError()));
    }
    q.finish();
    return found == QStringList(QStringLiteral("ok")) ? QString()
                                                      : found.mid(0, 3).join(QStringLiteral("; "));
}

StoreError Connection::damaged(const QString& detail) const {
    const QString file = QFileInfo(m_target.sqliteFile).absoluteFilePath();
    return StoreError(
        QStringLiteral("El archivo de datos %1 está dañado y no se abre (%2).\n\nReemplácelo por "
                       "la última copia de seguridad: un archivo QUV-<fecha>.db que hizo \"Copia "
                       "de seguridad\" del menú Archivo, que el programa propone guardar en %3. "
                       "Copie ese archivo a %4 con el nombre QUV.db.")
            .arg(QDir::toNativeSeparators(file), detail,
                 QDir::toNativeSeparators(documentsFolder()),
                 QDir::toNativeSeparators(QFileInfo(file).absolutePath())));
}

void Connection::close() {
    if (!m_open)
        return;
    emit aboutToClose();
    try {
        rollbackTransaction();
    } catch (...) {
    }
    {
        QSqlDatabase db = QSqlDatabase::database(m_name, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_name);
    m_open = false;
}

void Connection::ensureOpen() {
    // A session the server ended while nothing of ours was under way (it restarted between
    // two actions) is opened again at once: nothing was lost, nothing need be said.
    if (!m_inTransaction && lost()) {
        dropLost();
        m_wasLost = false;
    }
    if (!m_open)
        open();
}

void Connection::execDirect(const QString& sql) {
    ensureOpen();
    QSqlQuery q(database());
    if (!q.exec(sql)) {
        statementFailed();
        throw StoreError(engineMessage(q.lastError()));
    }
}

void Connection::statementFailed() {
    if (m_inTransaction)
        m_failed = true;
}

void Connection::beginTransaction() {
    execDirect(m_target.engine == Engine::SQLite ? QStringLiteral("BEGIN IMMEDIATE")
                                                 : QStringLiteral("BEGIN"));
    m_inTransaction = true;
    m_failed = false;
    m_locked.clear();
}

void Connection::aboutToWrite() {
    ActionScope::throwIfFailed(); // a failed action writes nothing more
    ensureOpen();
    if (ActionScope::active() && !m_inTransaction)
        beginTransaction();
}

void Connection::lockForNumbering(const QString& table) {
    const TableDef* def = findTable(table);
    if (!def)
        throw StoreError(QStringLiteral("No existe la tabla %1").arg(table));
    if (!ActionScope::active())
        throw StoreError(QStringLiteral("Un número nuevo se toma solo dentro de una acción"));
    aboutToWrite();
    // On SQLite the write transaction itself keeps every other writer out.
    if (m_inTransaction && m_target.engine == Engine::PostgreSQL && !m_locked.contains(def->name)) {
        execDirect(
            QStringLiteral("LOCK TABLE %1 IN SHARE ROW EXCLUSIVE MODE").arg(quotedName(def->name)));
        m_locked.append(def->name);
    }
}

void Connection::rowsTouched(Dataset* dataset) {
    if (!m_inTransaction)
        return;
    for (const QPointer<Dataset>& d : m_touched)
        if (d == dataset)
            return;
    m_touched.append(dataset);
}

void Connection::commitTransaction() {
    if (!m_inTransaction)
        return;
    // After a failed statement PostgreSQL answers COMMIT by rolling back without an
    // error; nothing half done may pass for done.
    if (m_failed) {
        rollbackTransaction();
        throw StoreError(QStringLiteral("La acción no se guardó: una de sus órdenes falló"));
    }
    try {
        execDirect(QStringLiteral("COMMIT"));
    } catch (...) {
        rollbackTransaction();
        throw;
    }
    m_inTransaction = false;
    m_locked.clear();
    m_touched.clear();
}

void Connection::rollbackTransaction() {
    if (!m_inTransaction)
        return;
    m_inTransaction = false;
    m_failed = false;
    m_locked.clear();
    const QList<QPointer<Dataset>> touched = std::exchange(m_touched, {});
    if (!m_open)
        return;
    if (lost()) {
        dropLost(); // the server undid the transaction itself
    } else {
        QSqlQuery q(database());
        q.exec(QStringLiteral("ROLLBACK"));
    }
    // What the screen shows follows what is stored: every dataset that read or changed rows
    // during the undone action reads them again. This runs while an error unwinds the
    // action, so nothing may escape; a dataset that cannot read again shows nothing.
    for (const QPointer<Dataset>& pointer : touched) {
        Dataset* d = pointer.data();
        if (d == nullptr || !d->isOpen())
            continue;
        try {
            d->readAgainAfterRollback();
        } catch (...) {
            try {
                d->close();
            } catch (...) {
            }
        }
    }
}
