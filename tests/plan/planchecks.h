#pragma once

#include <QStringList>

class Connection;

// What must hold of the stored plan whatever workstations did to it at the same time, or
// wherever one of them was stopped: read in one snapshot of the database, the faults found
// (none when all holds).
//
// - the embedded store's file passes its integrity check;
// - a number the system means unique is used once: header numbers per unit and year, goal
//   numbers per product, report numbers per goal, responsible and indicator lines per
//   product, group lines per product and group, budget versions and execution reports per
//   product and year, account numbers per year;
// - every product with goals has them numbered without gaps and ends in exactly one
//   closing goal, the highest numbered;
// - no product row or goal is left without its header, no goal without its product row;
// - every budget has exactly one current version, its highest, and the cash flow and its
//   split were saved together, version for version; so were execution reports.
QStringList planInconsistencies(Connection* connection);
