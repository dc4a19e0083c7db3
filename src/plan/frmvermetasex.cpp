#include "frmvermetasex.h"

#include "app/application.h"
#include "store/datasource.h"
#include "store/query.h"
#include "store/tdtm.h"
#include "ui/dbedit.h"
#include "ui/dbgrid.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>

TFRMvermetasex::TFRMvermetasex(QWidget* parent)
    : Form(QStringLiteral("FRMvermetasex"), QStringLiteral("FRMvermetasex"), parent) {
    LBLtitulo = title(QStringLiteral("LBLtitulo"), QStringLiteral("Datos de metas"));
    LBLcodigo = parameter(QStringLiteral("LBLcodigo"));
    LBLproy = parameter(QStringLiteral("LBLproy"));

    Connection* conn = Application::instance()->DTM()->connection();
    Qproducto = Query::make(conn, "Qproducto",
                            "select pro_fecini, pro_fecfin from t_producto where cod_area = :area "
                            "and id_producto = :prod and pro_gestion = :gestion",
                            this);
    // The third placeholder is named like the first but, bound by position, takes the year.
    Qmetas = Query::make(conn, "Qmetas",
                         "select * from t_hito where cod_area = :area and id_producto = :prod and "
                         "gestion = :area",
                         this);
    Qmetas->setRowOrder({QStringLiteral("cod_hito")});
    DSOproducto = new DataSource(Qproducto, this);
    DSOproducto->setObjectName(QStringLiteral("DSOproducto"));
    DSOmetas = new DataSource(Qmetas, this);
    DSOmetas->setObjectName(QStringLiteral("DSOmetas"));

    // The action, as the caller shows it.
    LBLvicemin =
        make<QLabel>(QStringLiteral("LBLvicemin"), QStringLiteral("Entidad descentralizada"));
    EDIvicemin = readOnlyBox(QStringLiteral("EDIvicemin"));
    LBLdireccion = make<QLabel>(QStringLiteral("LBLdireccion"), QStringLiteral("Direccion"));
    EDIdirecc = readOnlyBox(QStringLiteral("EDIdirecc"));
    LBLunidad = make<QLabel>(QStringLiteral("LBLunidad"), QStringLiteral("Unidad"));
    EDIunidad = readOnlyBox(QStringLiteral("EDIunidad"));
    Label4 = make<QLabel>(QStringLiteral("Label4"), QStringLiteral("Acción territorial"));
    EDIproyecto = readOnlyBox(QStringLiteral("EDIproyecto"));
    LBLproducto = make<QLabel>(QStringLiteral("LBLproducto"), QStringLiteral("Indicadores"));
    MEMresultado = readOnlyMemo(QStringLiteral("MEMresultado"), 3);
    body()->addLayout(fields({{LBLvicemin, EDIvicemin},
                              {LBLdireccion, EDIdirecc},
                              {LBLunidad, EDIunidad},
                              {Label4, EDIproyecto},
                              {LBLproducto, MEMresultado}}));

    const int dateWidth = fontMetrics().horizontalAdvance(QStringLiteral("00/sep./0000")) + 16;
    auto shown = [this, dateWidth](const char* name, DataSource* source, const char* field) {
        auto* box = make<DBEdit>(QString::fromLatin1(name));
        box->setReadOnly(true);
        box->setDataSource(source, QString::fromLatin1(field));
        box->setMinimumWidth(dateWidth);
        return box;
    };
    auto label = [this](const char* name, const char* text) {
        return make<QLabel>(QString::fromLatin1(name), QString::fromUtf8(text));
    };

    // The action's start and end.
    GroupBox1 = make<QGroupBox>(QStringLiteral("GroupBox1"), QStringLiteral("Producto"));
    Label1 = label("Label1", "Fecha de inicio");
    DBEdit1 = shown("DBEdit1", DSOproducto, "pro_fecini");
    Label2 = label("Label2", "Fecha de conclunsión");
    DBEdit2 = shown("DBEdit2", DSOproducto, "pro_fecfin");
    auto* dates = new QHBoxLayout(GroupBox1);
    for (auto [caption_, box] : {std::pair{Label1, DBEdit1}, std::pair{Label2, DBEdit2}}) {
        caption(caption_, box);
        dates->addWidget(caption_);
        dates->addWidget(box);
    }
    dates->addStretch(1);
    body()->addWidget(GroupBox1);

    // The goals.
    DBGrid1 = make<DBGrid>(QStringLiteral("DBGrid1"));
    DBGrid1->setDataSource(DSOmetas);
    const int dateColumn = fontMetrics().horizontalAdvance(QStringLiteral("Fecha de inicio")) + 24;
    DBGrid1->setColumns(
        {{QStringLiteral("cod_hito"), QStringLiteral("No."), 40},
         {QStringLiteral("hito_descr"), QStringLiteral("Meta"), 420},
         {QStringLiteral("hito_fecini"), QStringLiteral("Fecha de inicio"), dateColumn},
         {QStringLiteral("hito_fecfin"), QStringLiteral("Fecha final"), dateColumn}});
    DBGrid1->verticalHeader()->setVisible(false);
    DBGrid1->horizontalHeader()->setStretchLastSection(true);
    DBGrid1->setAccessibleName(QStringLiteral("Metas"));
    body()->addWidget(DBGrid1, 1);

    // The goal of the grid's current row.
    GroupBox2 = make<QGroupBox>(QStringLiteral("GroupBox2"), QStringLiteral("Meta"));
    Label6 = label("Label6", "Descripcion de las Metas");
    Label7 = label("Label7", "Descripción");
    DBEdit5 = shown("DBEdit5", DSOmetas, "hito_descr");
    Label8 = label("Label8", "Fecha de inicio");
    DBEdit3 = shown("DBEdit3", DSOmetas, "hito_fecini");
    Label9 = label("Label9", "Fecha de conclusión");
    DBEdit4 = shown("DBEdit4", DSOmetas, "hito_fecfin");
    caption(Label7, DBEdit5);
    caption(Label8, DBEdit3);
    caption(Label9, DBEdit4);
    // A date box is as wide as a date; the description takes the rest of the line.
    for (DBEdit* box : {DBEdit1, DBEdit2, DBEdit3, DBEdit4})
        box->setMaximumWidth(dateWidth + 24);
    auto* goal = new QGridLayout(GroupBox2);
    goal->addWidget(Label6, 0, 0, 1, 5);
    goal->addWidget(Label7, 1, 0);
    goal->addWidget(DBEdit5, 1, 1, 1, 4);
    goal->addWidget(Label8, 2, 0);
    goal->addWidget(DBEdit3, 2, 1);
    goal->addWidget(Label9, 2, 2);
    goal->addWidget(DBEdit4, 2, 3);
    goal->setColumnStretch(4, 1);
    body()->addWidget(GroupBox2);

    BTNsalir = button(QStringLiteral("BTNsalir"), QStringLiteral("&Salir"));
    row({BTNsalir}, Qt::AlignRight);
    setOpeningSize(820, 660);

    keys(nullptr, BTNsalir);
    handle(BTNsalir, &QPushButton::clicked, &TFRMvermetasex::BTNsalirClick);
}

void TFRMvermetasex::FormActivate() {
    const QVariantList key{LBLcodigo->text(), LBLproy->text(),
                           Application::instance()->session().year()};
    for (Query* q : {Qproducto, Qmetas}) {
        q->close();
        q->setParams(key);
        q->open();
    }
}

void TFRMvermetasex::BTNsalirClick() {
    close();
}
