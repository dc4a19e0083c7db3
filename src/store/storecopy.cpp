#include "storecopy.h"

#include "connection.h"
#include "sqlitetext.h"
#include "storeerror.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlDriver>
#include <sqlite3.h>

namespace {

// Pages copied at a time: 4 MB of the usual 4 KB pages, a fraction of a second.
constexpr int pagesPerStep = 1024;

QString sqliteMessage(sqlite3* db) {
    return QString::fromUtf8(sqlite3_errmsg(db));
}

} // namespace

StoreCopy::StoreCopy(Connection& store, const QString& target)
    : m_target(target)
    , m_partial(target + QStringLiteral(".parcial")) {
    store.ensureOpen();
    if (store.engine() != Engine::SQLite)
        throw StoreError(QStringLiteral("Solo la base de datos incorporada se copia así"));
    const QString source = QFileInfo(store.target().sqliteFile).canonicalFilePath();
    if (QFileInfo(target).canonicalFilePath() == source && !source.isEmpty())
        throw StoreError(
            QStringLiteral("La copia no puede escribirse sobre la base de datos misma"));
    sqlite3* from = store.sqliteLink();
    if (!from)
        throw StoreError(QStringLiteral("La base de datos incorporada no está abierta"));

    QFile::remove(m_partial);
    if (sqlite3_open_v2(m_partial.toUtf8().constData(), &m_copy,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
        const QString why = m_copy ? sqliteMessage(m_copy) : QString();
        throw StoreError(QStringLiteral("No se puede escribir %1: %2").arg(m_partial, why));
    }
    addTextFunctions(m_copy);
    m_backup = sqlite3_backup_init(m_copy, "main", from, "main");
    if (!m_backup)
        throw StoreError(sqliteMessage(m_copy));
}

StoreCopy::~StoreCopy() {
    if (m_backup)
        sqlite3_backup_finish(m_backup);
    if (m_copy)
        sqlite3_close(m_copy);
    if (!m_done) {
        QFile::remove(m_partial);
        QFile::remove(m_partial + QStringLiteral("-journal"));
    }
}

bool StoreCopy::step() {
    const int rc = sqlite3_backup_step(m_backup, pagesPerStep);
    m_total = sqlite3_backup_pagecount(m_backup);
    m_remaining = sqlite3_backup_remaining(m_backup);
    if (rc == SQLITE_DONE)
        return true;
    if (rc == SQLITE_OK || rc == SQLITE_BUSY || rc == SQLITE_LOCKED)
        return false;
    throw StoreError(sqliteMessage(m_copy));
}

void StoreCopy::finish() {
    while (!step()) {
    }
    sqlite3_backup_finish(m_backup);
    m_backup = nullptr;
    // The whole copy, read back as the engine reads it.
    sqlite3_stmt* check = nullptr;
    QString verdict;
    if (sqlite3_prepare_v2(m_copy, "PRAGMA integrity_check", -1, &check, nullptr) == SQLITE_OK) {
        while (sqlite3_step(check) == SQLITE_ROW)
            verdict +=
                QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(check, 0)));
    } else {
        verdict = sqliteMessage(m_copy);
    }
    sqlite3_finalize(check);
    sqlite3_close(m_copy);
    m_copy = nullptr;
    if (verdict != QLatin1String("ok"))
        throw StoreError(QStringLiteral("La copia no pasó la verificación: %1").arg(verdict));
    if (QFile::exists(m_target) && !QFile::remove(m_target))
        throw StoreError(QStringLiteral("No se puede reemplazar %1").arg(m_target));
    if (!QFile::rename(m_partial, m_target))
        throw StoreError(QStringLiteral("No se puede escribir %1").arg(m_target));
    m_done = true;
}
