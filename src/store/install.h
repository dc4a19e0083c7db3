#pragma once

class Connection;

// Gives a database the tables it lacks; one that held none of them also gets the
// installation data shipped with the program. Two workstations opening the same new
// database at once do this one after the other.
void installIfEmpty(Connection& connection);
