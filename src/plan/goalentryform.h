#pragma once

#include "core/kind.h"
#include "ui/form.h"

class DBGrid;
class DataSource;
class DatePicker;
class GoalEntry;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class Query;
struct HeaderTexts;
struct ProductKey;

// What the two initial data entry windows share: the product's header, its dates, the
// goal being entered, the goal list and the buttons that store and undo goals. Ministry
// products (TFRMingresoMN) and territorial actions (TFRMingresodatos1) add their own
// buttons. A caller prepares the window: unit code into LBLcodigo, product number into
// LBLproy, the header boxes, the product dates, abre_hito() and the buttons.
class GoalEntryForm : public Form {
    Q_OBJECT
public:
    // Reloads the goal list for the unit code, product number and year.
    void abre_hito();
    // Disables the date pickers (and what else the window keeps unusable until "Agregar").
    virtual void d_botones() = 0;
    // What the register browser's "Agregar datos" prepares alike on both windows, up to
    // the point where its mode decides whether the window is shown: the product's unit and
    // number with its goal list, the year's dates in pickers that can be changed.
    void prepare(const QString& unit, const QString& number, const QString& year);
    // The product about to be entered: its header with the level captions of its kind, the
    // executing unit's programme (kept hidden), no goal being typed.
    void showProduct(const HeaderTexts& header, const QString& number, const QString& programa,
                     bool ex);

    QLabel* LBLtitulo;
    QLabel* Label9;
    QLabel* LBLcodigo;
    QLabel* LBLproy;

    QLabel* LBLvicemin;
    QLineEdit* EDIvicemin;
    QLabel* LBLdireccion;
    QLineEdit* EDIdirecc;
    QLabel* LBLunidad;
    QLineEdit* EDIunidad;
    QLabel* LBLunieje;
    QLineEdit* EDIunieje;
    QLabel* Label4;
    QLineEdit* EDIproyecto;
    QLabel* Label5;
    QPlainTextEdit* MEMresultado;

    QLabel* Label1;
    DatePicker* DTPdesde;
    QLabel* Label2;
    DatePicker* DTPhasta;
    QPushButton* BTNagrega;
    QPushButton* BTNcancela;
    QPushButton* BitBtn5;

    QLabel* Label17;
    QLabel* Label3;
    QLineEdit* Edit3;
    QLabel* Label6;
    DatePicker* DTMdesde;
    QLabel* Label18;
    DatePicker* DTMhasta;
    DBGrid* DBGrid1;
    QPushButton* BTNagrehit;
    QPushButton* BTNgrabhit;
    QPushButton* BTNdeshacer;

    // The goal rules and the goal list the grid shows.
    GoalEntry* metas;
    DataSource* DSOhito;
    // The product's header, for "Ver mas ".
    Query* Qprodacc;

    virtual void BTNgrabhitClick();
    virtual void BTNdeshacerClick();
    virtual void BitBtn5Click();

protected:
    struct Captions {
        QString caption;
        QString screenNumber;
        QString title;
        QString level1;
        QString item;
        QString indicators;
        QString goalsHeading;
        QString goalStart;
        QString percentage;
    };
    GoalEntryForm(const QString& objectName, Kind kind, const Captions& captions, QWidget* parent);

    // The row under the product dates where each window puts its own buttons.
    QHBoxLayout* entryButtons() const { return m_entryButtons; }
    // The row under the header, at the right, for the link to the product's activities.
    QHBoxLayout* moreRow() const { return m_moreRow; }

    // The product the window works on: LBLcodigo, LBLproy and the session year.
    ProductKey product() const;
    // "Agregar meta": the goal pickers and the description are ready for a new goal.
    void startGoal();
    // Shows the product's activities in the text viewer.
    void showActivities();

private:
    // After a goal was stored or refused: ready for the next one.
    void goalEntryDone();

    QHBoxLayout* m_entryButtons;
    QHBoxLayout* m_moreRow;
};
