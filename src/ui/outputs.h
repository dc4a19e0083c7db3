#pragma once

#include <QString>
#include <functional>

class QPrinter;
class QWidget;

// The file dialogs that ask where to write an export and which file to read, and the print
// preview. Everything the program writes to a file or a printer, or reads from a file the
// user names, asks through here, so that tests can answer.
class OutputHandler {
public:
    virtual ~OutputHandler() = default;
    // The file the user chose, with the extension of the kind chosen; empty when the
    // user cancels. `filters` as Qt's file dialogs take them ("PDF (*.pdf);;CSV (*.csv)").
    virtual QString saveFileName(QWidget* parent, const QString& caption, const QString& suggested,
                                 const QString& filters) = 0;
    // An existing file the user chose to read; empty when the user cancels.
    virtual QString openFileName(QWidget* parent, const QString& caption,
                                 const QString& filters) = 0;
    // Shows what `paint` draws as a print preview, from which the user prints or not.
    virtual void printPreview(QWidget* parent, const std::function<void(QPrinter*)>& paint) = 0;
};

namespace Outputs {

QString saveFileName(QWidget* parent, const QString& caption, const QString& suggested,
                     const QString& filters);
QString openFileName(QWidget* parent, const QString& caption, const QString& filters);
void printPreview(QWidget* parent, const std::function<void(QPrinter*)>& paint);

// Replaces the real dialogs (nullptr: the real ones again). The handler is not owned.
void setHandler(OutputHandler* handler);

} // namespace Outputs
