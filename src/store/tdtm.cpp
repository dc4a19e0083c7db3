#include "tdtm.h"

#include "connection.h"

TDTM::TDTM(Connection* ADOquv, QObject* parent)
    : QObject(parent)
    , m_connection(ADOquv) {
    setObjectName(QStringLiteral("DTM"));

    ADOTproducto = table("ADOTproducto", "t_producto");
    ADOTvicemin = table("ADOTvicemin", "t_vicemin");
    ADOTdirecc = table("ADOTdirecc", "t_direccion");
    ADOTunidad = table("ADOTunidad", "t_unidad");
    ADOTprodacc = table("ADOTprodacc", "t_prodaccion");
    ADOThito = table("ADOThito", "t_hito");
    ADOTindica = table("ADOTindica", "t_indicador");
    ADOTdepto = table("ADOTdepto", "t_depar");
    ADOTprovin = table("ADOTprovin", "t_provin");
    ADOTmuni = table("ADOTmuni", "t_muni");
    ADOTrespon = table("ADOTrespon", "t_responsable");
    ADOTorga = table("ADOTorga", "t_organizacion");
    t_sector = table("t_sector", "t_sector");
    t_subsec = table("t_subsec", "t_grupo");
    Tunisector = table("Tunisector", "p_unisector");
    t_politica = table("t_politica", "t_politica");
    t_sectorial = table("t_sectorial", "t_sectorial");
    tmontopre = table("tmontopre", "t_montopre");
    tmonto = table("tmonto", "t_monto");
    Tmes = table("Tmes", "t_mes");
    t_usuario = table("t_usuario", "t_usuario");
    Tipo = table("Tipo", "t_tipo");
    tipousuario = table("tipousuario", "tipo_usuario");

    // The organisational hierarchy carries the year from level to level.
    ADOTdirecc->setMaster(ADOTvicemin, {"cod_min", "cod_vicemin", "vicmin_gestion"},
                          {"cod_min", "cod_vicemin", "dir_gestion"});
    ADOTunidad->setMaster(ADOTdirecc, {"cod_min", "cod_vicemin", "cod_direc", "dir_gestion"},
                          {"cod_min", "cod_vicemin", "cod_direc", "uni_gestion"});
    // The territory: department, province, municipality.
    ADOTprovin->setMaster(ADOTdepto, {"COD_DEPTO"}, {"COD_DEPTO"});
    ADOTmuni->setMaster(ADOTprovin, {"COD_DEPTO", "COD_PROV"}, {"COD_DEPTO", "COD_PROV"});
    t_subsec->setMaster(t_sector, {"cod_sector"}, {"cod_sector"});
    t_sectorial->setMaster(t_politica, {"cod_politica"}, {"cod_politica"});
    ADOTrespon->setOrder({"res_nombre"});

    Qunidad = query(
        "Qunidad",
        "SELECT t_vicemin.vicmin_nombre, t_direccion.dir_nombre, "
        "t_unidad.uni_nombre,t_unidad.cod_unidad, t_unidad.uni_gestion, t_unidad.cod_programa "
        "FROM (t_vicemin INNER JOIN t_direccion ON (t_vicemin.cod_vicemin = "
        "t_direccion.cod_vicemin) AND (t_vicemin.cod_min = t_direccion.cod_min)) INNER JOIN "
        "t_unidad ON (t_direccion.cod_vicemin = t_unidad.cod_vicemin) AND "
        "(t_direccion.cod_direc = t_unidad.cod_direc) AND (t_direccion.cod_min = "
        "t_unidad.cod_min) where t_unidad.cod_unidad = :unidad and t_unidad.uni_gestion = :ges");
    Qunidadprograma =
        query("Qunidadprograma", "select a.pro_nombre from t_programa a, t_unidad b where "
                                 "a.cod_vicemin = b.cod_vicemin and b.cod_unidad = :uni");
    Qexistepro = query("Qexistepro",
                       "select * from t_producto where cod_area =:area and id_producto = :prod");
    ADOQproducto = query("ADOQproducto",
                         "select * from t_producto where cod_area = :area and id_proyecto = :proy");
    ADOQprores = query(
        "ADOQprores",
        "select t_prodaccion.proy_descripcion, t_prodaccion.proy_descorta, "
        "t_prodaccion.proy_resultado from t_prodaccion where t_prodaccion.cod_unidad = :unidad "
        "and t_prodaccion.id_proyecto = :proyecto and t_prodaccion.uni_gestion = :gestion");
    Qsectorial = query("Qsectorial", "select * from t_sectorial where cod_politica = :pol");
    Qrango = query("Qrango", "select * from t_rango");

    DSOproducto = source("DSOproducto", ADOTproducto);
    DSOvicemin = source("DSOvicemin", ADOTvicemin);
    DSOdirecc = source("DSOdirecc", ADOTdirecc);
    DSOunidad = source("DSOunidad", ADOTunidad);
    DSOprodacc = source("DSOprodacc", ADOTprodacc);
    DSOindica = source("DSOindica", ADOTindica);
    DSOdepto = source("DSOdepto", ADOTdepto);
    DSOprovin = source("DSOprovin", ADOTprovin);
    DSOmuni = source("DSOmuni", ADOTmuni);
    DSOrespon = source("DSOrespon", ADOTrespon);
    DSOorga = source("DSOorga", ADOTorga);
    DSOsector1 = source("DSOsector1", t_sector);
    DSOsubsec1 = source("DSOsubsec1", t_subsec);
    DSOpolitica = source("DSOpolitica", t_politica);
    DSOmes = source("DSOmes", Tmes);
    DSOusuario = source("DSOusuario", t_usuario);
    DSOtipo = source("DSOtipo", Tipo);
    DSOtipousuario = source("DSOtipousuario", tipousuario);
    DSOqunidad = source("DSOqunidad", Qunidad);
    DSOqsectorial = source("DSOqsectorial", Qsectorial);
}

Table* TDTM::table(const char* name, const char* tableName) {
    auto* t = new Table(m_connection, QString::fromLatin1(tableName), this);
    t->setObjectName(QString::fromLatin1(name));
    return t;
}

Query* TDTM::query(const char* name, const char* sql) {
    return Query::make(m_connection, name, sql, this);
}

DataSource* TDTM::source(const char* name, Dataset* dataset) {
    auto* s = new DataSource(dataset, this);
    s->setObjectName(QString::fromLatin1(name));
    return s;
}

void TDTM::showHierarchy(const QString& kind, const QString& year) {
    // Read again only when the filter changes, so that a list's choice stays where it is.
    ADOTvicemin->setFilter(Filter::equals(QStringLiteral("tipo"), kind)
                               .andEquals(QStringLiteral("vicmin_gestion"), year));
    ADOTvicemin->setFiltered(true);
}
