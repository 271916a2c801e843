#include "platform/qt/QtDocumentOpener.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>
#include <cerrno>

#include "platform/LastError.h"

namespace platform {

namespace {

// Windows' code for a file that no program is registered to open.
constexpr int kNoAssociation = 1155;

}  // namespace

bool QtDocumentOpener::Open(std::string_view path) {
    const QFileInfo file(QString::fromUtf8(path.data(), static_cast<qsizetype>(path.size())));
    // The desktop would report a missing file only in its own window, long after this returns.
    if (!file.exists()) {
        SetLastErrorFromErrno(ENOENT);
        return false;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(file.absoluteFilePath()))) {
        SetLastError(kNoAssociation,
                     "No application is associated with the specified file for this operation.");
        return false;
    }
    return true;
}

}  // namespace platform
