#include "schema.h"

// The latest progress of every product, kept in t_avanceresumen from t_avancepor.
//
// Whenever a report is written, changed or removed, the summary row of its product (and of
// the product it was moved from) is worked out again from that product's reports: the row
// is always exactly the grouping of the reports, whatever the change was. On SQLite one
// writer at a time changes the store, so the trigger reads every report there is. On
// PostgreSQL writers of one product's reports could run side by side: each first takes
// the product's summary row (made if missing), so a second writer waits until the first
// has committed, and only then reads the reports, with what the first wrote among them.
// A product a report no longer names loses its row when no report is left.

namespace {

const char* const summaryColumns = "cod_area, gestion, id_producto, hito_max, por_max, fecha_max";
const char* const grouping = "SELECT cod_area, gestion, id_producto, max(cod_hito), "
                             "max(por_avance), max(fecha_avance) FROM t_avancepor";

QString sqliteRework(const char* row) {
    const QString key = QStringLiteral("cod_area = %1.cod_area AND gestion = %1.gestion AND "
                                       "id_producto = %1.id_producto")
                            .arg(QLatin1String(row));
    return QStringLiteral("DELETE FROM t_avanceresumen WHERE %1; INSERT INTO t_avanceresumen "
                          "(%2) %3 WHERE %1 GROUP BY cod_area, gestion, id_producto;")
        .arg(key, QLatin1String(summaryColumns), QLatin1String(grouping));
}

} // namespace

QString plainKey(const QString& column) {
    return QStringLiteral("(lower(%1::text) COLLATE \"C\")").arg(column);
}

namespace {

DerivedTable latestProgress() {
    DerivedTable d;
    d.table = QStringLiteral("t_avanceresumen");
    d.sqliteObjects = {QStringLiteral("t_avanceresumen_alta"),
                       QStringLiteral("t_avanceresumen_cambio"),
                       QStringLiteral("t_avanceresumen_baja")};
    d.postgresObjects = {
        QStringLiteral("t_avanceresumen_alta"),     QStringLiteral("t_avanceresumen_cambio"),
        QStringLiteral("t_avanceresumen_baja"),     QStringLiteral("t_avanceresumen_vacia"),
        QStringLiteral("t_prodaccion_clave_texto"), QStringLiteral("t_producto_clave_texto")};
    {
        QStringList& statements = d.sqliteCreate;
        for (const QString& name : d.sqliteObjects)
            statements.append(QStringLiteral("DROP TRIGGER IF EXISTS %1").arg(name));
        statements.append(
            QStringLiteral("CREATE TRIGGER t_avanceresumen_alta AFTER INSERT ON t_avancepor "
                           "BEGIN %1 END")
                .arg(sqliteRework("NEW")));
        statements.append(
            QStringLiteral("CREATE TRIGGER t_avanceresumen_cambio AFTER UPDATE ON t_avancepor "
                           "BEGIN %1 %2 END")
                .arg(sqliteRework("OLD"), sqliteRework("NEW")));
        statements.append(
            QStringLiteral("CREATE TRIGGER t_avanceresumen_baja AFTER DELETE ON t_avancepor "
                           "BEGIN %1 END")
                .arg(sqliteRework("OLD")));
    }
    // On PostgreSQL a statement's changes are worked out once, after it, for every product
    // it touched: a bulk load of reports costs three statements, not three per report.
    const QString keys = QStringLiteral("unnest(areas, anos, prods) AS k(a, g, p)");
    const auto onChange = [](const char* name, const char* rows) {
        return QStringLiteral("CREATE OR REPLACE FUNCTION %1() RETURNS trigger LANGUAGE plpgsql "
                              "AS $$ BEGIN PERFORM t_avanceresumen_rehace(array_agg(cod_area), "
                              "array_agg(gestion), array_agg(id_producto)) FROM %2; RETURN NULL; "
                              "END $$")
            .arg(QLatin1String(name), QLatin1String(rows));
    };
    d.postgresCreate = {
        QStringLiteral(
            "CREATE OR REPLACE FUNCTION t_avanceresumen_rehace(areas citext[], anos citext[], "
            "prods integer[]) RETURNS void LANGUAGE plpgsql AS $$\n"
            "BEGIN\n"
            // Each product's row first, in the order of the keys: a second writer of the same
            // products waits here until the first has committed, and never the other way round.
            "  INSERT INTO t_avanceresumen AS s (cod_area, gestion, id_producto) SELECT DISTINCT "
            "a, g, p FROM %1 WHERE a IS NOT NULL AND g IS NOT NULL AND p IS NOT NULL ORDER BY a, "
            "g, p ON CONFLICT (cod_area, gestion, id_producto) DO UPDATE SET id_producto = "
            "s.id_producto;\n"
            "  UPDATE t_avanceresumen s SET cod_area = r.cod_area, gestion = r.gestion, hito_max = "
            "r.h, por_max = r.p, fecha_max = r.f FROM "
            "(SELECT t.cod_area, t.gestion, t.id_producto, max(t.cod_hito) AS h, "
            "max(t.por_avance) AS p, max(t.fecha_avance) AS f FROM t_avancepor t WHERE "
            "(t.cod_area, t.gestion, t.id_producto) IN (SELECT a, g, p FROM %1) GROUP BY "
            "t.cod_area, t.gestion, t.id_producto) r WHERE s.cod_area = r.cod_area AND s.gestion "
            "= r.gestion AND s.id_producto = r.id_producto;\n"
            "  DELETE FROM t_avanceresumen s WHERE (s.cod_area, s.gestion, s.id_producto) IN "
            "(SELECT a, g, p FROM %1) AND NOT EXISTS (SELECT 1 FROM t_avancepor t WHERE "
            "t.cod_area = s.cod_area AND t.gestion = s.gestion AND t.id_producto = "
            "s.id_producto);\n"
            "END $$")
            .arg(keys),
        onChange("t_avanceresumen_alta", "nuevos"),
        onChange("t_avanceresumen_cambio",
                 "(SELECT cod_area, gestion, id_producto FROM viejos UNION ALL SELECT cod_area, "
                 "gestion, id_producto FROM nuevos) k"),
        onChange("t_avanceresumen_baja", "viejos"),
        QStringLiteral("CREATE OR REPLACE FUNCTION t_avanceresumen_vacia() RETURNS trigger "
                       "LANGUAGE plpgsql AS $$ BEGIN DELETE FROM t_avanceresumen; RETURN NULL; "
                       "END $$"),
        QStringLiteral("CREATE OR REPLACE TRIGGER t_avanceresumen_alta AFTER INSERT ON "
                       "t_avancepor REFERENCING NEW TABLE AS nuevos FOR EACH STATEMENT EXECUTE "
                       "FUNCTION t_avanceresumen_alta()"),
        QStringLiteral("CREATE OR REPLACE TRIGGER t_avanceresumen_cambio AFTER UPDATE ON "
                       "t_avancepor REFERENCING OLD TABLE AS viejos NEW TABLE AS nuevos FOR EACH "
                       "STATEMENT EXECUTE FUNCTION t_avanceresumen_cambio()"),
        QStringLiteral("CREATE OR REPLACE TRIGGER t_avanceresumen_baja AFTER DELETE ON "
                       "t_avancepor REFERENCING OLD TABLE AS viejos FOR EACH STATEMENT EXECUTE "
                       "FUNCTION t_avanceresumen_baja()"),
        QStringLiteral("CREATE OR REPLACE TRIGGER t_avanceresumen_vacia AFTER TRUNCATE ON "
                       "t_avancepor FOR EACH STATEMENT EXECUTE FUNCTION t_avanceresumen_vacia()")};
    // The report finds each summary row's header and product by their keys as plain
    // lower-case texts: a citext key lower-cases both sides of every comparison of an index
    // look-up, five times the cost.
    for (const auto& [table, columns] :
         {std::pair{"t_prodaccion", "cod_unidad, uni_gestion, id_proyecto"},
          std::pair{"t_producto", "cod_area, pro_gestion, id_producto"}}) {
        const QStringList c = QString::fromLatin1(columns).split(QStringLiteral(", "));
        d.postgresCreate.append(
            QStringLiteral("CREATE INDEX IF NOT EXISTS %1_clave_texto ON %1 (%2, %3, %4)")
                .arg(QLatin1String(table), plainKey(c[0]), plainKey(c[1]), c[2]));
    }
    d.fill = {QStringLiteral("DELETE FROM t_avanceresumen"),
              QStringLiteral("INSERT INTO t_avanceresumen (%1) %2 WHERE cod_area IS NOT NULL AND "
                             "gestion IS NOT NULL AND id_producto IS NOT NULL GROUP BY cod_area, "
                             "gestion, id_producto")
                  .arg(QLatin1String(summaryColumns), QLatin1String(grouping))};
    return d;
}

} // namespace

const QList<DerivedTable>& derivedTables() {
    static const QList<DerivedTable> tables{latestProgress()};
    return tables;
}
