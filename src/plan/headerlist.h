#pragma once

#include "headers.h"
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
    // The current header's key, and its texts with line breaks as a memo shows them ("\n").
    ProductKey currentKey() const;
    ProductHeaders::Texts currentTexts() const;
    // The current header holds these texts now, as they were written.
    void setCurrentTexts(const ProductHeaders::Texts& texts);

protected:
    void leavingRow() override;
};
