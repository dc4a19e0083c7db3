#include "enginereplay.h"

#include "store/connection.h"

#include <QDate>
#include <QDateTime>
#include <QElapsedTimer>
#include <sqlite3.h>
#ifdef MONITOREO_HAVE_LIBPQ
#include <libpq-fe.h>
#endif

namespace {

QByteArray asText(const QVariant& v) {
    if (v.metaType().id() == QMetaType::QDate)
        return v.toDate().toString(Qt::ISODate).toUtf8();
    if (v.metaType().id() == QMetaType::QDateTime)
        return v.toDateTime().toString(Qt::ISODate).toUtf8();
    return v.toString().toUtf8();
}

class SqliteReplay : public EngineReplay {
public:
    explicit SqliteReplay(const QString& file) {
        sqlite3_open_v2(file.toUtf8().constData(), &m_db, SQLITE_OPEN_READWRITE, nullptr);
        sqlite3_busy_timeout(m_db, 5000);
    }
    ~SqliteReplay() override { sqlite3_close(m_db); }
    QString name() const override { return QStringLiteral("sqlite3"); }

    double run(const QList<Statement>& statements) override {
        sqlite3_exec(m_db, "begin", nullptr, nullptr, nullptr);
        QElapsedTimer t;
        t.start();
        bool ok = true;
        for (const Statement& s : statements) {
            sqlite3_stmt* st = nullptr;
            const QByteArray sql = s.sql.toUtf8();
            if (sqlite3_prepare_v2(m_db, sql.constData(), int(sql.size()), &st, nullptr) !=
                SQLITE_OK) {
                ok = false;
                break;
            }
            for (int i = 0; i < s.bound.size(); ++i) {
                const QVariant& v = s.bound[i];
                const int at = i + 1;
                if (v.isNull())
                    sqlite3_bind_null(st, at);
                else if (v.metaType().id() == QMetaType::Int ||
                         v.metaType().id() == QMetaType::LongLong ||
                         v.metaType().id() == QMetaType::Bool)
                    sqlite3_bind_int64(st, at, v.toLongLong());
                else if (v.metaType().id() == QMetaType::Double)
                    sqlite3_bind_double(st, at, v.toDouble());
                else {
                    const QByteArray text = asText(v);
                    sqlite3_bind_text(st, at, text.constData(), int(text.size()), SQLITE_TRANSIENT);
                }
            }
            int rc;
            while ((rc = sqlite3_step(st)) == SQLITE_ROW)
                for (int c = 0; c < sqlite3_column_count(st); ++c)
                    sqlite3_column_text(st, c);
            sqlite3_finalize(st);
            if (rc != SQLITE_DONE) {
                ok = false;
                break;
            }
        }
        const double ms = double(t.nsecsElapsed()) / 1e6;
        sqlite3_exec(m_db, "rollback", nullptr, nullptr, nullptr);
        return ok ? ms : -1;
    }

private:
    sqlite3* m_db = nullptr;
};

#ifdef MONITOREO_HAVE_LIBPQ
class PostgresReplay : public EngineReplay {
public:
    explicit PostgresReplay(const ConnectionTarget& t) {
        QString info = QStringLiteral("host=%1 dbname=%2").arg(t.host, t.database);
        if (t.port > 0)
            info += QStringLiteral(" port=%1").arg(t.port);
        if (!t.user.isEmpty())
            info += QStringLiteral(" user=%1").arg(t.user);
        m_db = PQconnectdb(info.toUtf8().constData());
    }
    ~PostgresReplay() override { PQfinish(m_db); }
    QString name() const override { return QStringLiteral("libpq"); }

    double run(const QList<Statement>& statements) override {
        PQclear(PQexec(m_db, "begin"));
        QElapsedTimer t;
        t.start();
        bool ok = true;
        for (const Statement& s : statements) {
            // "?" marks become $1, $2... outside quoted texts.
            QString sql;
            int n = 0;
            bool quoted = false;
            for (QChar ch : s.sql) {
                if (ch == u'\'')
                    quoted = !quoted;
                if (ch == u'?' && !quoted)
                    sql += QStringLiteral("$%1").arg(++n);
                else
                    sql += ch;
            }
            QList<QByteArray> texts;
            std::vector<const char*> values;
            for (const QVariant& v : s.bound)
                texts.append(v.isNull() ? QByteArray() : asText(v));
            for (int i = 0; i < s.bound.size(); ++i)
                values.push_back(s.bound[i].isNull() ? nullptr : texts[i].constData());
            PGresult* r = PQexecParams(m_db, sql.toUtf8().constData(), int(values.size()), nullptr,
                                       values.data(), nullptr, nullptr, 0);
            const auto status = PQresultStatus(r);
            if (status == PGRES_TUPLES_OK)
                for (int row = 0; row < PQntuples(r); ++row)
                    for (int c = 0; c < PQnfields(r); ++c)
                        PQgetvalue(r, row, c);
            PQclear(r);
            if (status != PGRES_TUPLES_OK && status != PGRES_COMMAND_OK) {
                ok = false;
                break;
            }
        }
        const double ms = double(t.nsecsElapsed()) / 1e6;
        PQclear(PQexec(m_db, "rollback"));
        return ok ? ms : -1;
    }

private:
    PGconn* m_db = nullptr;
};
#endif

} // namespace

std::unique_ptr<EngineReplay> EngineReplay::open(const ConnectionTarget& target) {
    if (target.engine == Engine::SQLite)
        return std::make_unique<SqliteReplay>(target.sqliteFile);
#ifdef MONITOREO_HAVE_LIBPQ
    return std::make_unique<PostgresReplay>(target);
#else
    return nullptr;
#endif
}
