// The recently opened files kept in the user's Qt settings, from one run to the next.
#include "shell/QtRecentFilesStore.h"

#include <QSettings>
#include <QStringList>

namespace pelliton {

namespace {

const QString kOrganisation = QStringLiteral("Pelliton");
const QString kApplication = QStringLiteral("Pelliton");
const QString kKey = QStringLiteral("recentFiles");

}  // namespace

std::vector<std::string> QtRecentFilesStore::Load() {
    const QSettings settings(kOrganisation, kApplication);
    std::vector<std::string> paths;
    // A value that is not a list (edited by hand) reads as one path or none.
    for (const QString& path : settings.value(kKey).toStringList()) {
        if (!path.isEmpty()) paths.push_back(path.toStdString());
    }
    return paths;
}

void QtRecentFilesStore::Store(const std::vector<std::string>& paths) {
    QStringList list;
    for (const std::string& path : paths) list << QString::fromStdString(path);
    QSettings settings(kOrganisation, kApplication);
    settings.setValue(kKey, list);
}

}  // namespace pelliton
