#include "headerlist.h"

void HeaderList::setCurrentValue(const QString& field, const QVariant& value) {
    const int row = currentRow();
    if (row < 0)
        return;
    rows()[row].values[requireField(field)] = value;
    rowValuesChangedAt(row);
}

ProductKey HeaderList::currentKey() const {
    return {text(QStringLiteral("cod_unidad")), integer(QStringLiteral("id_proyecto")),
            text(QStringLiteral("uni_gestion"))};
}

ProductHeaders::Texts HeaderList::currentTexts() const {
    const auto asShown = [this](const char* field) {
        return text(QString::fromLatin1(field)).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    };
    return {text(QStringLiteral("proy_descorta")), asShown("proy_descripcion"),
            asShown("proy_resultado"), text(QStringLiteral("proy_ok"))};
}

void HeaderList::setCurrentTexts(const ProductHeaders::Texts& texts) {
    setCurrentValue(QStringLiteral("proy_descorta"), texts.descorta);
    setCurrentValue(QStringLiteral("proy_descripcion"), texts.descripcion);
    setCurrentValue(QStringLiteral("proy_resultado"), texts.resultado);
    setCurrentValue(QStringLiteral("proy_ok"), texts.ok);
}

void HeaderList::leavingRow() {
    if (beforeLeavingRow)
        beforeLeavingRow();
}
