#include "headerlist.h"

void HeaderList::setCurrentValue(const QString& field, const QVariant& value) {
    const int row = currentRow();
    if (row < 0)
        return;
    rows()[row].values[requireField(field)] = value;
    rowValuesChangedAt(row);
}

void HeaderList::leavingRow() {
    if (beforeLeavingRow)
        beforeLeavingRow();
}
