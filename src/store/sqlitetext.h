#pragma once

struct sqlite3;

// Gives an SQLite connection to an embedded store the text comparison of the store (lower,
// upper, LIKE and NOCASE for every letter, as PostgreSQL's lower() and citext treat them),
// as the program's connections have it, so that it reads and checks the store's indexes in
// their order.
void addTextFunctions(sqlite3* db);
