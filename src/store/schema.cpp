#include "schema.h"

#include <QHash>

namespace {

ColumnDef txt(const char* name, int size) {
    return {QString::fromLatin1(name), ColumnType::Text, size};
}
ColumnDef num(const char* name) {
    return {QString::fromLatin1(name), ColumnType::Integer};
}
ColumnDef flt(const char* name) {
    return {QString::fromLatin1(name), ColumnType::Float};
}
ColumnDef dat(const char* name) {
    return {QString::fromLatin1(name), ColumnType::DateTime};
}
ColumnDef mon(const char* name) {
    return {QString::fromLatin1(name), ColumnType::Money};
}
ColumnDef memo(const char* name) {
    return {QString::fromLatin1(name), ColumnType::Memo};
}

IndexDef idx(const char* name, std::initializer_list<const char*> columns) {
    IndexDef index{QString::fromLatin1(name), {}};
    for (const char* c : columns)
        index.columns.append(QString::fromLatin1(c));
    return index;
}

QList<ColumnDef> months(const char* prefix, std::initializer_list<const char*> names,
                        ColumnType type) {
    QList<ColumnDef> columns;
    for (const char* n : names)
        columns.append({QString::fromLatin1(prefix) + QString::fromLatin1(n), type});
    return columns;
}

const std::initializer_list<const char*> monthNames = {
    "enero", "febrero", "marzo",      "abril",   "mayo",      "junio",
    "julio", "agosto",  "septiembre", "octubre", "noviembre", "diciembre"};

QList<TableDef> buildTables() {
    QList<TableDef> t;

    // Organisation: three levels, each kept per year.
    t.append({"t_vicemin",
              {txt("cod_min", 4), txt("cod_vicemin", 8), txt("vicmin_gestion", 4),
               txt("vicmin_nombre", 150), txt("vicmin_sigla", 10), memo("vicmin_mision"),
               memo("vicmin_vision"), txt("vicmin_respon", 250), txt("vicmin_ubica", 250),
               txt("vicmin_tel1", 15), txt("vicmin_tel2", 15), txt("tipo", 2)},
              {idx("t_vicemin_clave", {"cod_min", "cod_vicemin", "vicmin_gestion"})}});
    t.append({"t_direccion",
              {txt("cod_min", 4), txt("cod_vicemin", 8), txt("cod_direc", 10), num("cod_programa"),
               txt("dir_gestion", 4), txt("dir_nombre", 150), txt("dir_sigla", 10),
               memo("dir_mision"), memo("dir_vision"), txt("dir_respon", 250),
               txt("dir_ubica", 250), txt("dir_tel1", 15), txt("dir_tel2", 15), txt("tipo", 2)},
              {idx("t_direccion_clave", {"cod_min", "cod_vicemin", "cod_direc", "dir_gestion"}),
               idx("t_direccion_padre", {"cod_min", "cod_vicemin", "dir_gestion"})}});
    t.append(
        {"t_unidad",
         {txt("cod_min", 4), txt("cod_vicemin", 8), txt("cod_direc", 10), txt("cod_unidad", 12),
          txt("uni_gestion", 4), txt("uni_nombre", 150), txt("uni_sigla", 4), memo("uni_descorto"),
          txt("uni_procorto", 250), memo("uni_proyecto"), txt("uni_resultado", 220),
          txt("uni_respon", 250), txt("uni_ubica", 250), txt("uni_tel1", 15), txt("uni_tel2", 15),
          txt("cod_programa", 50), txt("tipo", 2)},
         {idx("t_unidad_clave", {"cod_unidad", "uni_gestion"}),
          idx("t_unidad_padre", {"cod_min", "cod_vicemin", "cod_direc", "uni_gestion"})}});
    t.append(
        {"t_programa",
         {num("cod_programa"), txt("cod_vicemin", 8), txt("pro_nombre", 15),
          txt("pro_descripcion", 50)},
         {idx("t_programa_clave", {"cod_programa"}), idx("t_programa_vicemin", {"cod_vicemin"})}});

    // Territory.
    t.append({"t_depar",
              {txt("COD_DEPTO", 2), txt("DEPTO_NOMBRE", 10), txt("DEPTO_SIGLA", 3)},
              {idx("t_depar_clave", {"COD_DEPTO"})}});
    t.append(
        {"t_provin",
         {txt("COD_DEPTO", 2), txt("COD_PROV", 4), txt("PROV_NOMBRE", 50), txt("PROV_SIGLA", 3)},
         {idx("t_provin_clave", {"COD_DEPTO", "COD_PROV"}), idx("t_provin_codigo", {"COD_PROV"})}});
    t.append({"t_muni",
              {txt("COD_DEPTO", 2), txt("COD_PROV", 4), txt("COD_MUN", 6), txt("MUN_SECCION", 50),
               txt("MUN_NOMBRE", 50), flt("MUN_EXTENCION"), flt("MUN_POBLAC"), num("MUN_HOGARES")},
              {idx("t_muni_clave", {"COD_DEPTO", "COD_PROV", "COD_MUN"}),
               idx("MUNICIPIODEPTO_CODIGO", {"COD_DEPTO", "COD_PROV"}),
               idx("t_muni_codigo", {"COD_MUN"})}});

    // Attribute catalogues.
    t.append({"t_organizacion",
              {num("cod_orga"), txt("org_descr", 120), txt("org_sigla", 15)},
              {idx("t_organizacion_clave", {"cod_orga"})}});
    t.append({"t_responsable",
              {txt("cod_responsable", 4), txt("res_nombre", 150), txt("res_cargo", 50),
               txt("cod_area", 14), txt("res_id", 15)},
              {idx("t_responsable_clave", {"cod_responsable"}),
               idx("t_responsable_nombre", {"res_nombre"})}});
    t.append({"t_sector",
              {txt("cod_sector", 2), txt("sector_nombre", 150), memo("sector_descri")},
              {idx("t_sector_clave", {"cod_sector"})}});
    t.append(
        {"t_grupo",
         {txt("cod_sector", 2), txt("cod_grupo", 4), txt("grupo_nombre", 50), memo("grupo_descri")},
         {idx("t_grupo_clave", {"cod_grupo"}), idx("t_grupo_sector", {"cod_sector"})}});
    t.append({"t_politica",
              {num("cod_politica"), txt("poli_descri", 150)},
              {idx("t_politica_clave", {"cod_politica"})}});
    t.append({"t_sectorial",
              {num("cod_politica"), num("cod_programa"), txt("pro_descri", 150)},
              {idx("t_sectorial_clave", {"cod_politica", "cod_programa"})}});
    t.append({"t_indicador",
              {num("cod_indicador"), txt("ind_nombre", 15), txt("ind_descripcion", 50)},
              {idx("t_indicador_clave", {"cod_indicador"})}});

    // Calendar and ranges.
    t.append({"t_mes", {num("num"), txt("mes", 15)}, {idx("t_mes_clave", {"num"})}});
    t.append({"t_rango",
              {num("codigo"), num("inicio"), num("final"), txt("desc", 50)},
              {idx("t_rango_clave", {"codigo"})}});

    // Users.
    t.append({"t_usuario",
              {txt("cod_usuario", 50), txt("usuario", 50), txt("tipo", 50), txt("gestion", 4),
               txt("contra", 128), txt("unidad", 50), txt("entidad", 2), txt("nombres", 50),
               txt("apellidos", 50), txt("activo", 2), num("nivel")},
              {idx("t_usuario_clave", {"usuario", "gestion"}),
               idx("t_usuario_gestion", {"gestion", "apellidos"})}});
    t.append({"tipo_usuario",
              {num("cod_tipo"), txt("tipo", 35)},
              {idx("tipo_usuario_clave", {"cod_tipo"})}});
    t.append({"t_tipo", {txt("tipo", 2), txt("nombre", 50)}, {idx("t_tipo_clave", {"tipo"})}});

    // The plan: headers, products, goals, progress reports.
    t.append({"t_prodaccion",
              {txt("cod_unidad", 12), txt("uni_gestion", 4), num("id_proyecto"),
               memo("proy_descripcion"), txt("proy_descorta", 250), memo("proy_resultado"),
               txt("proy_rescorto", 50), txt("proy_ok", 1)},
              {idx("t_prodaccion_clave", {"cod_unidad", "uni_gestion", "id_proyecto"})}});
    t.append({"t_producto",
              {txt("cod_area", 12),      num("id_proyecto"),      num("id_producto"),
               txt("pro_gestion", 4),    dat("pro_fecini"),       dat("pro_fecfin"),
               num("pro_propri"),        num("pro_flias"),        mon("pro_montotot"),
               mon("pro_montotgn"),      mon("pro_montoinv"),     txt("pro_reform", 1),
               dat("pro_feccre"),        txt("pro_usucre", 10),   txt("pro_beneficiario", 1),
               txt("pro_indicador", 50), txt("pro_municipio", 1), txt("pro_responsable", 1),
               txt("pro_sector", 1),     txt("pro_efecto", 1),    txt("pro_organizacion", 1),
               num("pro_cantidad"),      txt("pro_artpnd", 1)},
              {idx("t_producto_clave", {"cod_area", "pro_gestion", "id_producto"}),
               idx("t_producto_proyecto", {"cod_area", "id_proyecto"})}});
    t.append({"t_hito",
              {txt("cod_area", 12),    num("id_proyecto"),     num("id_producto"),
               txt("gestion", 4),      num("cod_hito"),        num("hito_mes"),
               txt("hito_descr", 255), dat("hito_fecini"),     dat("hito_fecfin"),
               num("hito_numdias"),    num("hito_porpro"),     txt("hito_reform", 1),
               dat("hito_feccre"),     txt("hito_usucre", 10), txt("hito_activo", 1),
               txt("hito_ok", 1),      num("ava_porcentaje"),  num("ava_dif"),
               memo("ava_descri"),     memo("ava_aclara"),     memo("ava_proyecta"),
               memo("ava_supues"),     dat("ava_fecava"),      txt("ava_responsable", 50),
               txt("ava_modifi", 1),   txt("ava_registro", 1), num("hito_cantmes"),
               txt("hito_descor", 50), txt("ava_observa", 1),  txt("ava_obs1", 250),
               txt("ava_obs2", 250),   txt("ava_obs3", 250),   txt("ava_obs", 250)},
              {idx("t_hito_clave", {"cod_area", "gestion", "id_producto", "cod_hito"})}});
    t.append(
        {"t_avancepor",
         {txt("cod_area", 12), num("id_producto"), txt("gestion", 4), num("cod_hito"),
          num("correla"), dat("fecha_avance"), num("por_avance"), txt("usuario", 10), memo("descr"),
          memo("aclara"), num("avance_dia")},
         {idx("t_avancepor_clave", {"cod_area", "gestion", "id_producto", "cod_hito", "correla"}),
          // The latest report, highest goal and percentage of every product, as the
          // unit report reads them, without reading the reports themselves.
          idx("t_avancepor_avance",
              {"cod_area", "gestion", "id_producto", "cod_hito", "por_avance", "fecha_avance"})}});
    // Derived: one row per product with reports, as grouping its reports gives it (the
    // highest goal, percentage and date), so that the unit report reads a row per product
    // and not every report. Kept by the store itself (derivedTables()).
    {
        TableDef summary{"t_avanceresumen",
                         {txt("cod_area", 12), txt("gestion", 4), num("id_producto"),
                          num("hito_max"), num("por_max"), dat("fecha_max")},
                         {idx("t_avanceresumen_clave", {"cod_area", "gestion", "id_producto"})}};
        summary.indexes.first().unique = true;
        t.append(summary);
    }

    // Attributes of a product.
    t.append({"p_unimun",
              {txt("cod_unidad", 12), num("cod_producto"), num("correlativo"), txt("gestion", 4),
               txt("cod_depto", 2), txt("cod_prov", 4), txt("cod_mun", 6), txt("ok", 1)},
              {idx("p_unimun_clave", {"cod_unidad", "gestion", "cod_producto", "cod_mun"})}});
    t.append({"p_uniorga",
              {txt("cod_unidad", 12), num("cod_producto"), txt("gestion", 4), num("cod_orga"),
               num("correlativo"), txt("ok", 1)},
              {idx("p_uniorga_clave",
                   {"cod_unidad", "gestion", "cod_producto", "cod_orga", "correlativo"})}});
    t.append(
        {"p_responsable",
         {txt("cod_unidad", 12), num("cod_producto"), txt("gestion", 4), num("correlativo"),
          txt("cod_responsable", 4), txt("responsable", 1), txt("ok", 1)},
         {idx("p_responsable_clave", {"cod_unidad", "gestion", "cod_producto", "correlativo"})}});
    t.append({"p_unisector",
              {txt("cod_unidad", 12), num("cod_producto"), txt("gestion", 4), txt("cod_grupo", 4),
               num("correlativo"), txt("ok", 1)},
              {idx("p_unisector_clave", {"cod_unidad", "gestion", "cod_producto", "cod_grupo"})}});
    t.append({"p_uniindi",
              {txt("cod_unidad", 12), num("cod_producto"), num("num_indica"), num("cantidad"),
               num("cod_indicador"), txt("gestion", 4), txt("ok", 1)},
              {idx("p_uniindi_clave", {"cod_unidad", "gestion", "cod_producto", "num_indica"})}});
    t.append(
        {"p_unisectorial",
         {txt("cod_unidad", 12), num("cod_producto"), txt("gestion", 4), num("cod_politica"),
          num("cod_programa")},
         {idx("p_unisectorial_clave", {"cod_unidad", "gestion", "cod_producto", "cod_programa"})}});

    // Budget: versioned flow, distribution and execution.
    {
        TableDef f{
            "t_flujofondos",
            {txt("cod_area", 12), num("id_producto"), txt("gestion", 4), txt("activo", 1),
             num("correlativo"), mon("flu_enero"), num("flu_porene"), mon("flu_febrero"),
             num("flu_porfebre")},
            {idx("t_flujofondos_clave", {"cod_area", "gestion", "id_producto", "correlativo"})}};
        f.columns += months("flu_",
                            {"marzo", "abril", "mayo", "junio", "julio", "agosto", "septiembre",
                             "octubre", "noviembre", "diciembre"},
                            ColumnType::Money);
        f.columns += months("flu_por",
                            {"mar", "abr", "may", "jun", "jul", "ago", "sep", "oct", "nov", "dic"},
                            ColumnType::Integer);
        f.columns += {dat("flu_fecact"), dat("flu_fecmod"), txt("usuario", 50)};
        t.append(f);
    }
    t.append(
        {"t_distribucion",
         {txt("cod_area", 15), num("id_producto"), txt("gestion", 4), txt("activo", 1),
          num("correlativo"), mon("monto_inv"), mon("monto_atec"), txt("usuario", 50),
          dat("fecact"), dat("fecmod"), mon("monto_total")},
         {idx("t_distribucion_clave", {"cod_area", "gestion", "id_producto", "correlativo"})}});
    {
        TableDef a{
            "t_avanceflujo",
            {txt("cod_area", 12), num("id_producto"), txt("gestion", 4), txt("activo", 1),
             num("correlativo")},
            {idx("t_avanceflujo_clave", {"cod_area", "gestion", "id_producto", "correlativo"})}};
        a.columns += months("ava_", monthNames, ColumnType::Money);
        a.columns += months(
            "flu_por",
            {"febre", "ene", "mar", "abr", "may", "jun", "jul", "ago", "sep", "oct", "nov", "dic"},
            ColumnType::Integer);
        a.columns += {dat("ava_fecact"), dat("ava_fecmod"), txt("usuario", 50)};
        t.append(a);
    }
    {
        TableDef m{"t_monto",
                   {txt("cod_unidad", 12), num("cod_producto"), txt("gestion", 4), txt("ok", 1),
                    txt("tipo", 2)},
                   {idx("t_monto_clave", {"cod_unidad", "gestion", "cod_producto"})}};
        for (int i = 1; i <= 4; ++i) {
            m.columns.append({QStringLiteral("monto_descr%1").arg(i), ColumnType::Text, 50});
            m.columns.append({QStringLiteral("monto_bs%1").arg(i), ColumnType::Money});
        }
        t.append(m);
    }
    {
        TableDef p{"t_montopre",
                   {txt("cod_unidad", 12), num("cod_producto"), txt("gestion", 4)},
                   {idx("t_montopre_clave", {"cod_unidad", "gestion", "cod_producto"})}};
        p.columns += months("", monthNames, ColumnType::Money);
        t.append(p);
    }
    t.append({"t_montomes",
              {txt("cod_unidad", 12), num("cod_producto"), txt("gestion", 4), txt("ok", 1),
               num("mes"), mon("monto")},
              {idx("t_montomes_clave", {"cod_unidad", "gestion", "cod_producto", "mes"})}});
    return t;
}

QString columnDdl(const ColumnDef& c, Engine engine) {
    const QString name = quotedName(c.name);
    const bool pg = engine == Engine::PostgreSQL;
    switch (c.type) {
    case ColumnType::Text:
        // Texts compare without regard to case and with regard to accents on both engines:
        // citext on PostgreSQL, NOCASE on SQLite (which the program's connections redefine
        // for every letter, not only A to Z). The checks refuse a text longer than the
        // column, as a sized column would.
        return name +
               (pg ? QStringLiteral(" CITEXT CHECK (char_length(%1) <= %2)").arg(name).arg(c.size)
                   : QStringLiteral(" VARCHAR(%2) COLLATE NOCASE CHECK (length(%1) <= %2)")
                         .arg(name)
                         .arg(c.size));
    case ColumnType::Integer:
        return name + QStringLiteral(" INTEGER") +
               (pg ? QString()
                   : QStringLiteral(" CHECK (%1 IS NULL OR (typeof(%1) = 'integer' AND %1 "
                                    "BETWEEN -2147483648 AND 2147483647))")
                         .arg(name));
    case ColumnType::Float:
        return name +
               (pg ? QStringLiteral(" DOUBLE PRECISION")
                   : QStringLiteral(" REAL CHECK (%1 IS NULL OR typeof(%1) = 'real')").arg(name));
    case ColumnType::DateTime:
        return name + (pg ? QStringLiteral(" TIMESTAMP")
                          : QStringLiteral(" TEXT CHECK (%1 IS NULL OR %1 GLOB "
                                           "'[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]*')")
                                .arg(name));
    case ColumnType::Money:
        // SQLite keeps the amount as its exact decimal text; a NUMERIC column there would
        // turn it into a double and lose digits beyond the fifteenth. Amounts are therefore
        // never compared, ordered or summed in SQL: that is done with Money.
        return name + (pg ? QStringLiteral(" NUMERIC(19,4)")
                          : QStringLiteral(" TEXT CHECK (%1 IS NULL OR (%1 NOT GLOB '*[^0-9.-]*' "
                                           "AND %1 GLOB '*[0-9]*'))")
                                .arg(name));
    case ColumnType::Memo:
        return name + (pg ? QStringLiteral(" CITEXT") : QStringLiteral(" TEXT COLLATE NOCASE"));
    }
    return name;
}

} // namespace

QString quotedName(const QString& identifier) {
    return QLatin1Char('"') + identifier.toLower() + QLatin1Char('"');
}

const ColumnDef* TableDef::column(const QString& wanted) const {
    for (const ColumnDef& c : columns)
        if (c.name.compare(wanted, Qt::CaseInsensitive) == 0)
            return &c;
    return nullptr;
}

QStringList TableDef::columnNames() const {
    QStringList names;
    for (const ColumnDef& c : columns)
        names.append(c.name);
    return names;
}

const QList<TableDef>& schemaTables() {
    static const QList<TableDef> tables = buildTables();
    return tables;
}

const TableDef* findTable(const QString& name) {
    for (const TableDef& t : schemaTables())
        if (t.name.compare(name, Qt::CaseInsensitive) == 0)
            return &t;
    return nullptr;
}

std::optional<ColumnType> columnTypeByName(const QString& column) {
    static const QHash<QString, std::optional<ColumnType>> types = [] {
        QHash<QString, std::optional<ColumnType>> h;
        for (const TableDef& t : schemaTables())
            for (const ColumnDef& c : t.columns) {
                const QString key = c.name.toLower();
                auto it = h.find(key);
                if (it == h.end())
                    h.insert(key, c.type);
                else if (*it && **it != c.type)
                    *it = std::nullopt;
            }
        return h;
    }();
    return types.value(column.toLower());
}

std::optional<int> textWidthByName(const QString& column) {
    if (columnTypeByName(column) != ColumnType::Text)
        return std::nullopt;
    std::optional<int> width;
    for (const TableDef& t : schemaTables())
        if (const ColumnDef* c = t.column(column))
            width = width ? qMin(*width, c->size) : c->size;
    return width;
}

QStringList createStatements(const TableDef& table, Engine engine) {
    QStringList columns;
    for (const ColumnDef& c : table.columns)
        columns.append(columnDdl(c, engine));
    QStringList statements{QStringLiteral("CREATE TABLE %1 (%2)")
                               .arg(quotedName(table.name), columns.join(QStringLiteral(", ")))};
    for (const IndexDef& index : table.indexes)
        statements.append(createIndexStatement(table, index));
    return statements;
}

QString createIndexStatement(const TableDef& table, const IndexDef& index) {
    QStringList cols;
    for (const QString& c : index.columns)
        cols.append(quotedName(c));
    return QStringLiteral("CREATE %1INDEX %2 ON %3 (%4)")
        .arg(index.unique ? QStringLiteral("UNIQUE ") : QString(), quotedName(index.name),
             quotedName(table.name), cols.join(QStringLiteral(", ")));
}
