#include "outputs.h"

#include "core/folders.h"
#include "modalruns.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPageLayout>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QStandardPaths>

namespace {

// The extension a filter such as "PDF (*.pdf)" names.
QString suffixOf(const QString& filter) {
    static const QRegularExpression pattern(QStringLiteral("\\*\\.(\\w+)"));
    const auto match = pattern.match(filter);
    return match.hasMatch() ? match.captured(1) : QString();
}

class Dialogs : public OutputHandler {
public:
    QString saveFileName(QWidget* parent, const QString& caption, const QString& suggested,
                         const QString& filters) override {
        QFileDialog dialog(parent, caption, QDir(documentsFolder()).filePath(suggested), filters);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setDefaultSuffix(suffixOf(dialog.selectedNameFilter()));
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                         [&dialog](const QString& f) { dialog.setDefaultSuffix(suffixOf(f)); });
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return {};
        return dialog.selectedFiles().constFirst();
    }

    QString openFileName(QWidget* parent, const QString& caption, const QString& filters) override {
        QFileDialog dialog(parent, caption, documentsFolder(), filters);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return {};
        return dialog.selectedFiles().constFirst();
    }

    void printPreview(QWidget* parent, const std::function<void(QPrinter*)>& paint) override {
        QPrinter printer(QPrinter::HighResolution);
        printer.setPageOrientation(QPageLayout::Landscape);
        QPrintPreviewDialog preview(&printer, parent);
        preview.setWindowTitle(QStringLiteral("Vista previa de impresión"));
        QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                         [&paint](QPrinter* p) { paint(p); });
        preview.exec();
    }
};

Dialogs dialogs;
OutputHandler* current = &dialogs;

} // namespace

namespace Outputs {

QString saveFileName(QWidget* parent, const QString& caption, const QString& suggested,
                     const QString& filters) {
    ModalRuns::beforeShowing(QStringLiteral("The file dialog \"%1\"").arg(caption));
    return current->saveFileName(parent, caption, suggested, filters);
}

QString openFileName(QWidget* parent, const QString& caption, const QString& filters) {
    ModalRuns::beforeShowing(QStringLiteral("The file dialog \"%1\"").arg(caption));
    return current->openFileName(parent, caption, filters);
}

void printPreview(QWidget* parent, const std::function<void(QPrinter*)>& paint) {
    ModalRuns::beforeShowing(QStringLiteral("The print preview"));
    current->printPreview(parent, paint);
}

void setHandler(OutputHandler* handler) {
    current = handler ? handler : &dialogs;
}

} // namespace Outputs
