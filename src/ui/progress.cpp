#include "progress.h"

#include <QCoreApplication>
#include <QProgressDialog>

namespace {
bool cancelTheNext = false;
}

Progress::Progress(QWidget* over, const QString& caption)
    : m_dialog(new QProgressDialog(caption, QStringLiteral("Cancelar"), 0, 100, over)) {
    m_dialog->setObjectName(QStringLiteral("Progreso"));
    m_dialog->setWindowTitle(caption);
    m_dialog->setWindowModality(Qt::WindowModal);
    m_dialog->setMinimumDuration(300);
    m_dialog->setAutoClose(false);
    m_dialog->setAutoReset(false);
    m_dialog->setValue(0);
    if (cancelTheNext) {
        cancelTheNext = false;
        m_cancelled = true;
    }
}

Progress::~Progress() {
    m_dialog->close();
    delete m_dialog;
}

bool Progress::advance(qint64 done, qint64 total, const QString& text) {
    if (!text.isEmpty())
        m_dialog->setLabelText(text);
    // Whole percentages: a dialog's range is an int, the work may count more steps.
    m_dialog->setValue(total > 0 ? int(qBound(qint64(0), done * 100 / total, qint64(100))) : 0);
    QCoreApplication::processEvents();
    return !(m_cancelled || m_dialog->wasCanceled());
}

void Progress::cancelNext() {
    cancelTheNext = true;
}
