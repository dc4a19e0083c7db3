#pragma once

#include "datasource.h"
#include "query.h"
#include "table.h"

#include <QObject>

class Connection;

// The shared data module: the table row sets and queries that several windows use, and
// the data sources through which their lists and grids bind to them. It has no logic of
// its own; none of its datasets is open when it is made, and the first use opens the
// connection.
class TDTM : public QObject {
    Q_OBJECT
public:
    explicit TDTM(Connection* ADOquv, QObject* parent = nullptr);

    Connection* connection() const { return m_connection; }

    // Narrows the organisation's top level to one kind ("MN" or "EX") in one year, so that
    // its lists, and the directions and units that follow it, show each node once.
    void showHierarchy(const QString& kind, const QString& year);

    // Table row sets.
    Table* ADOTproducto;
    Table* ADOTvicemin;
    Table* ADOTdirecc;
    Table* ADOTunidad;
    Table* ADOTprodacc;
    Table* ADOThito;
    Table* ADOTindica;
    Table* ADOTdepto;
    Table* ADOTprovin;
    Table* ADOTmuni;
    Table* ADOTrespon;
    Table* ADOTorga;
    Table* t_sector;
    Table* t_subsec;
    Table* Tunisector;
    Table* t_politica;
    Table* t_sectorial;
    Table* tmontopre;
    Table* tmonto;
    Table* Tmes;
    Table* t_usuario;
    Table* Tipo;
    Table* tipousuario;

    // Queries.
    Query* Qunidad;
    Query* Qunidadprograma;
    Query* Qexistepro;
    Query* ADOQproducto;
    Query* ADOQprores;
    Query* Qsectorial;
    Query* Qrango;

    // Data sources.
    DataSource* DSOproducto;
    DataSource* DSOvicemin;
    DataSource* DSOdirecc;
    DataSource* DSOunidad;
    DataSource* DSOprodacc;
    DataSource* DSOindica;
    DataSource* DSOdepto;
    DataSource* DSOprovin;
    DataSource* DSOmuni;
    DataSource* DSOrespon;
    DataSource* DSOorga;
    DataSource* DSOsector1;
    DataSource* DSOsubsec1;
    DataSource* DSOpolitica;
    DataSource* DSOmes;
    DataSource* DSOusuario;
    DataSource* DSOtipo;
    DataSource* DSOtipousuario;
    DataSource* DSOqunidad;
    DataSource* DSOqsectorial;

private:
    Table* table(const char* name, const char* tableName);
    Query* query(const char* name, const char* sql);
    DataSource* source(const char* name, Dataset* dataset);

    Connection* m_connection;
};
