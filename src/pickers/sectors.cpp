#include "sectors.h"

#include "core/flags.h"
#include "links.h"
#include "store/numbers.h"
#include "store/query.h"

SectorLinks::SectorLinks(Connection* connection, QObject* parent)
    : QObject(parent)
    , m_connection(connection) {
    Qsector = Query::make(connection, "Qsector",
                          "select * from p_unisector a, t_sector b, t_grupo c where a.cod_grupo "
                          "= c.cod_grupo and b.cod_sector = c.cod_sector and a.ok='S' and "
                          "a.cod_unidad = :uni and a.cod_producto = :prod and a.gestion = :ges",
                          this);
    Qsubsec = Query::make(connection, "Qsubsec", "select * from t_grupo where cod_sector = :sector",
                          this);
    // The sub-sectors of a sector in a fixed order on every engine.
    Qsubsec->setRowOrder({QStringLiteral("cod_grupo")});
    Qagrsector = Query::make(connection, "Qagrsector",
                             "insert into p_unisector (cod_unidad, cod_producto, gestion, "
                             "cod_grupo, correlativo, ok) values (:uni, :prod, :ges, :grupo, "
                             ":corr, :ok)",
                             this);
    Qelimina = Query::make(connection, "Qelimina",
                           "update p_unisector set ok = 'N' where cod_unidad = :uni and "
                           "cod_producto = :pro and gestion = :ges and correlativo = :corr and "
                           "cod_grupo = :grupo",
                           this);
}

void SectorLinks::list(const ProductKey& key) {
    Qsector->close();
    Qsector->setParams({key.unit, key.number, key.year});
    Qsector->open();
}

qint64 SectorLinks::storeOne(const ProductKey& key, const QString& subsector) {
    // Above every line of the product, removed ones too: a number is never given twice.
    const qint64 line = newNumber(*m_connection, QStringLiteral("p_unisector"),
                                  QStringLiteral("correlativo"), productLines(key));
    Qagrsector->setParams({key.unit, key.number, key.year, subsector, line, flags::yes});
    Qagrsector->exec();
    return line;
}

int SectorLinks::storeSector(const ProductKey& key, const QString& sector) {
    Qsubsec->close();
    Qsubsec->setParams({sector});
    Qsubsec->open();
    for (int row = 0; row < Qsubsec->rowCount(); ++row) {
        Qsubsec->moveTo(row);
        storeOne(key, Qsubsec->text("cod_grupo"));
    }
    return Qsubsec->rowCount();
}

int SectorLinks::remove(const ProductKey& key, qint64 line, const QString& subsector) {
    // The sub-sector too: lines numbered before numbers were kept apart can share one.
    Qelimina->setParams({key.unit, key.number, key.year, line, subsector});
    return Qelimina->exec();
}
