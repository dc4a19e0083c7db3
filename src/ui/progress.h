#pragma once

#include <QString>

class QProgressDialog;
class QWidget;

// The progress of long work (a copy, an import) over the window that runs it, with
// "Cancelar". The work asks after each step whether to go on.
class Progress {
public:
    Progress(QWidget* over, const QString& caption);
    ~Progress();
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

    // Shows how far the work is (`done` of `total` steps, and what it is doing); false once
    // the user has cancelled.
    bool advance(qint64 done, qint64 total, const QString& text = QString());

    // For tests: the next progress shown is cancelled at its first step, as a person
    // pressing "Cancelar" would.
    static void cancelNext();

private:
    QProgressDialog* m_dialog;
    bool m_cancelled = false;
};
