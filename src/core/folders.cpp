#include "folders.h"

#include <QDir>
#include <QStandardPaths>

QString documentsFolder() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return folder.isEmpty() || !QDir(folder).exists() ? QDir::homePath() : folder;
}
