#pragma once

class Connection;

// Gives a database the tables, indexes and triggers it lacks (a derived table made or
// mended so is filled from its rows); one that held none of the tables also
// gets the installation data shipped with the program. Two workstations opening the same
// new database at once do this one after the other.
void installIfEmpty(Connection& connection);
