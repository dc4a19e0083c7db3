#pragma once

#include "plan/goalmath.h"

#include <QList>
#include <QString>
#include <QVariantList>
#include <functional>
#include <memory>
#include <random>

class Connection;

// How large an office the generator makes.
struct OfficeSize {
    int firstYear = 2011;
    int years = 10;
    int ministryUnits = 100; // per year
    int entityUnits = 50;    // per year
    int products = 25;       // per unit and year
    int goals = 8;           // entered goals per product, besides the closing goal
    int reports = 12;        // progress reports per product, about
    int attributeRows = 5;   // per attribute table and territorial action
    int budgetVersions = 3;  // per territorial action
    int executionReports = 12;

    static OfficeSize large() { return {}; }
    static OfficeSize small() { return {2011, 2, 4, 2, 3, 3, 3, 2, 2, 2}; }
};

// Fills an empty store with a realistic office: its organisation, accounts, product
// headers, products with their goals and progress reports, the attributes of the
// territorial actions and their budgets. The same seed gives the same office.
//
// Header numbers come from the numbering rule, inside one action per unit and year. The
// rest is bulk-loaded, hundreds of rows to a statement, its figures computed with the
// system's own rules (goal percentages, expected progress, report numbers and closed goals,
// budget shares): the products, goals, progress reports, attribute rows and budget rows.
class OfficeGenerator {
public:
    OfficeGenerator(Connection& connection, const OfficeSize& size, quint32 seed);
    ~OfficeGenerator();

    using Progress = std::function<void(const QString&)>;
    void run(const Progress& progress = {});

    // The unit codes the generator makes: "GV1D2U03" (ministry), "GE1C2U03" (entity).
    static QString ministryUnit(int index);
    static QString entityUnit(int index);

private:
    void catalogues();
    QVariantList anyOf(const QList<QVariantList>& rows);
    void organisation(int year);
    void attributes(const ProductKey& key);
    void budget(const ProductKey& key);
    void unit(const QString& code, bool entity, int year);

    struct Bulk;

    Connection& m_connection;
    OfficeSize m_size;
    std::mt19937 m_random;
    QList<QVariantList> m_municipalities;
    QList<QVariantList> m_groups;
    QList<QVariantList> m_persons;
    QList<QVariantList> m_subsectors;
    QList<QVariantList> m_indicators;
    QList<QVariantList> m_programmes;
    std::unique_ptr<Bulk> m_bulk;
};
