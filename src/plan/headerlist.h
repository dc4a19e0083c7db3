#pragma once

#include "store/query.h"

#include <functional>

// The headers the browser lists. The boxes of the selected header edit its row in place:
// before the list moves to another row, an edit of the row it leaves is written.
class HeaderList : public Query {
    Q_OBJECT
public:
    using Query::Query;

    std::function<void()> beforeLeavingRow;
    // The current row holds this value now, as it was written to the database.
    void setCurrentValue(const QString& field, const QVariant& value);

protected:
    void leavingRow() override;
};
