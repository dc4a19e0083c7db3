#include "session.h"

#include "frmmenu.h"
#include "store/tdtm.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

QString Session::year() const {
    return m_login->EDIgestion->currentText();
}

QString Session::kind() const {
    return m_login->LBLtipo->text();
}

QString Session::loginName() const {
    return m_login->Edit1->text();
}

QString Session::accountKind() const {
    return m_login->Qusuario->text(QStringLiteral("entidad"));
}

int Session::userType() const {
    bool ok = false;
    const int type = m_login->Qusuario->text(QStringLiteral("tipo")).trimmed().toInt(&ok);
    return ok ? type : 0;
}

QString Session::unitCode() const {
    return m_login->Qusuario->text(QStringLiteral("unidad"));
}

QString Session::unitField(const char* field) const {
    const Query* q = m_dtm->Qunidad;
    if (!q->isOpen() || q->currentRow() < 0)
        return {};
    return q->text(QString::fromLatin1(field));
}

QString Session::viceministryName() const {
    return unitField("vicmin_nombre");
}

QString Session::directorateName() const {
    return unitField("dir_nombre");
}

QString Session::unitName() const {
    return unitField("uni_nombre");
}

QString Session::unitProgramme() const {
    return unitField("cod_programa");
}
