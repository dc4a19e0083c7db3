#pragma once

#include "core/error.h"

class QSqlError;

// A statement or a connection that failed; the message is the engine's own text.
class StoreError : public Error {
public:
    using Error::Error;
};

// The engine's text of an error, or the driver's where the engine gave none.
QString engineMessage(const QSqlError& error);
