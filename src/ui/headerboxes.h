#pragma once

#include <QString>

// What many windows show of a product above their own controls: the names of its unit's
// three levels, its short description and its indicators, in the read-only boxes
// EDIvicemin, EDIdirecc, EDIunidad, EDIproyecto and MEMresultado. A window hands them to
// the window it opens.
struct HeaderTexts {
    QString vicemin;
    QString direcc;
    QString unidad;
    QString proyecto;
    QString resultado;
};

// The texts a window's header boxes show.
template <typename Window> HeaderTexts headerTexts(const Window* w) {
    return {w->EDIvicemin->text(), w->EDIdirecc->text(), w->EDIunidad->text(),
            w->EDIproyecto->text(), w->MEMresultado->toPlainText()};
}

// Shows the texts in a window's header boxes.
template <typename Window> void showHeader(Window* w, const HeaderTexts& texts) {
    w->EDIvicemin->setText(texts.vicemin);
    w->EDIdirecc->setText(texts.direcc);
    w->EDIunidad->setText(texts.unidad);
    w->EDIproyecto->setText(texts.proyecto);
    w->MEMresultado->setPlainText(texts.resultado);
}
