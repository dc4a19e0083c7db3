#pragma once

#include <QString>

// The folder where the program proposes to write what the user keeps (exports, copies of
// the store): the user's documents folder, or the home folder where there is none.
QString documentsFolder();
