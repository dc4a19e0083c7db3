#include "frmgestion.h"

#include "app/application.h"
#include "store/tdtm.h"
#include "ui/keyfilter.h"
#include "yearopening.h"

#include <QComboBox>

TFRMgestion::TFRMgestion(QWidget* parent)
    : Form(QStringLiteral("FRMgestion"), QStringLiteral("Abrir gestión"), parent) {
    apertura = new YearOpening(Application::instance()->DTM()->connection(), this);
    apertura->setObjectName(QStringLiteral("apertura"));

    LBLnumero = screenNumber(QStringLiteral("LBLnumero"), QStringLiteral("61"));
    LBLtitulo = title(QStringLiteral("LBLtitulo"), QStringLiteral("Abrir gestión"));

    Label1 = make<QLabel>(QStringLiteral("Label1"), QStringLiteral("Copiar de la gestión"));
    CBXorigen = make<QComboBox>(QStringLiteral("CBXorigen"));
    Label2 = make<QLabel>(QStringLiteral("Label2"), QStringLiteral("Nueva gestión"));
    EDIgestion = make<QLineEdit>(QStringLiteral("EDIgestion"));
    setKeyFilter(EDIgestion, KeyFilter::digits, 4);
    for (QWidget* year : {static_cast<QWidget*>(CBXorigen), static_cast<QWidget*>(EDIgestion)})
        year->setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("0000000000000")));
    CHBcuentas = make<QCheckBox>(QStringLiteral("CHBcuentas"),
                                 QStringLiteral("Copiar también las cuentas de usuario"));
    CHBcuentas->setChecked(true);
    body()->addLayout(fields({{Label1, CBXorigen}, {Label2, EDIgestion}}));
    row({CHBcuentas});
    auto* note = make<QLabel>(
        QStringLiteral("Label3"),
        QStringLiteral("Se copian los viceministerios o entidades, las direcciones o "
                       "componentes y las unidades. Los productos, metas y avances no se "
                       "copian: cada gestión registra su propio plan."));
    note->setWordWrap(true);
    body()->addWidget(note);
    body()->addStretch(1);

    BTNabrir = button(QStringLiteral("BTNabrir"), QStringLiteral("Abrir"));
    BTNsalir = button(QStringLiteral("BTNsalir"), QStringLiteral("Salir"));
    row({BTNabrir, BTNsalir}, Qt::AlignRight);
    setOpeningSize(520, 300);

    keys(BTNabrir, BTNsalir);
    handle(BTNabrir, &QPushButton::clicked, &TFRMgestion::BTNabrirClick);
    handle(BTNsalir, &QPushButton::clicked, &TFRMgestion::BTNsalirClick);
}

void TFRMgestion::FormActivate() {
    // The years that hold an organisation now, the one chosen kept; the latest at first.
    const QString chosen = CBXorigen->currentText();
    const QStringList years = apertura->sourceYears();
    CBXorigen->clear();
    CBXorigen->addItems(years);
    CBXorigen->setCurrentIndex(years.contains(chosen) ? int(years.indexOf(chosen))
                                                      : int(years.size()) - 1);
    if (EDIgestion->text().isEmpty() && !years.isEmpty()) {
        bool ok = false;
        const int latest = years.last().toInt(&ok);
        if (ok && latest < 9999)
            EDIgestion->setText(QString::number(latest + 1));
    }
}

void TFRMgestion::BTNabrirClick() {
    const QString target = EDIgestion->text();
    const YearOpening::Opened opened =
        apertura->open(CBXorigen->currentText(), target, CHBcuentas->isChecked());
    EDIgestion->clear();
    inform(YearOpening::openedMessage(target, opened));
}

void TFRMgestion::BTNsalirClick() {
    close();
}
