// The temporary file of a save and its renaming over the target.
#include "clsFileReplacer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <filesystem>
#include <system_error>

using namespace Qt::Literals::StringLiterals;

namespace {

// Names tried before giving up: collisions are practically impossible, a full folder is not.
constexpr int kAttempts = 16;

std::filesystem::path FsPath(const QString& szPath)
{
    return std::filesystem::path(szPath.toStdU16String());
}

} // namespace

clsFileReplacer::clsFileReplacer(const QString& szTarget) : target(szTarget)
{
    const QFileInfo info(szTarget);
    if (info.isSymLink()) {
        const QString resolved = info.canonicalFilePath();
        target = resolved.isEmpty() ? info.symLinkTarget() : resolved;
    }
}

clsFileReplacer::~clsFileReplacer()
{
    if (!committed && !tempPath.isEmpty())
        QFile::remove(tempPath);
}

bool clsFileReplacer::Create()
{
    // ASCII whatever the target is called: the name is handed to Skiff as Shift-JIS bytes.
    const QDir folder = QFileInfo(target).absoluteDir();
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        const QString name = u".quillet-"_s +
                             QString::number(QRandomGenerator::global()->generate64(), 36) +
                             u".tmp"_s;
        QFile file(folder.filePath(name));
        // NewOnly never opens somebody else's file; the mode is the one a new file gets.
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            tempPath = file.fileName();
            error.clear();
            return true;
        }
        error = file.errorString();
        if (file.exists())
            continue;
        return false;
    }
    return false;
}

bool clsFileReplacer::Commit()
{
    const std::filesystem::path from = FsPath(tempPath);
    const std::filesystem::path to = FsPath(target);
    std::error_code code;
    // A target that cannot be examined is one that does not exist yet.
    const std::filesystem::file_status status = std::filesystem::status(to, code);
    code.clear();
    if (std::filesystem::exists(status))
        std::filesystem::permissions(from, status.permissions(), code);
    if (!code)
        std::filesystem::rename(from, to, code);
    if (code) {
        error = QString::fromStdString(code.message());
        return false;
    }
    committed = true;
    return true;
}
