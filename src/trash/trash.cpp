// Moving a file to the desktop Trash through QtCore, with the checks its trash needs.
#include "trash/trash.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStorageInfo>
#include <cerrno>

#include "core/files/fileoperations.h"
#include "core/locking/folderlock.h"

namespace lumaro {

namespace {

QString pathText(const std::string& bytes) {
    return QFile::decodeName(QByteArray::fromStdString(bytes));
}

std::string pathBytes(const QString& path) { return QFile::encodeName(path).toStdString(); }

// The information file of a trashed file: <trash>/info/<its name in files/>.trashinfo.
QString infoFileOf(const QString& pathInTrash) {
    const QFileInfo trashed(pathInTrash);
    return QDir::cleanPath(trashed.absolutePath() + QStringLiteral("/../info/") +
                           trashed.fileName() + QStringLiteral(".trashinfo"));
}

// The Path of an information file is URL-escaped, so that a name holding '%', a space or an
// accent comes back under its own name. QtCore may write it as plain text: a Path that is the
// source path as it is (absolute, or from the volume's top) is escaped in place.
void escapeRecordedPath(const QString& pathInTrash, const QString& source) {
    const QString infoPath = infoFileOf(pathInTrash);
    QFile info(infoPath);
    if (!info.open(QIODevice::ReadOnly)) return;
    QList<QByteArray> lines = info.readAll().split('\n');
    info.close();
    const QByteArray sourceBytes = QFile::encodeName(source);
    bool changed = false;
    for (QByteArray& line : lines) {
        if (!line.startsWith("Path=")) continue;
        const QByteArray recorded = line.mid(5);
        const bool plain = recorded == sourceBytes || sourceBytes.endsWith('/' + recorded);
        const QByteArray escaped = recorded.toPercentEncoding("/");
        if (plain && escaped != recorded) {
            line = "Path=" + escaped;
            changed = true;
        }
    }
    if (!changed) return;
    QSaveFile out(infoPath);
    if (out.open(QIODevice::WriteOnly)) {
        out.write(lines.join('\n'));
        out.commit();
    }
}

// Whether `folder` takes new files on `device`: it is a folder there that takes new names, or
// the nearest folder above it that exists is, so that it can be made.
bool takesFiles(const QString& folder, dev_t device) {
    std::string path = pathBytes(QDir::cleanPath(folder));
    struct stat st;
    while (stat(path.c_str(), &st) != 0) {
        const size_t slash = path.rfind('/');
        if (errno != ENOENT || slash == std::string::npos || path == "/") return false;
        path = slash == 0 ? "/" : path.substr(0, slash);
    }
    return S_ISDIR(st.st_mode) && st.st_dev == device &&
           faccessat(AT_FDCWD, path.c_str(), W_OK | X_OK, AT_EACCESS) == 0;
}

// A trash folder QtCore takes when it is a folder, or when it can make it in its parent.
bool usableOrMakeable(const QString& folder) {
    const QFileInfo info(folder);
    if (info.isDir()) return true;
    struct stat st;
    const std::string parent = pathBytes(info.absolutePath());
    return lstat(pathBytes(folder).c_str(), &st) != 0 && stat(parent.c_str(), &st) == 0 &&
           S_ISDIR(st.st_mode) && faccessat(AT_FDCWD, parent.c_str(), W_OK | X_OK, AT_EACCESS) == 0;
}

// The trash of the disk that holds `source`, when it is not the home folder's disk and one of
// its top folder can be used; empty otherwise.
QString diskTrashOf(const QString& source) {
    const QStorageInfo disk(source);
    if (!disk.isValid() || disk == QStorageInfo(QDir::home())) return {};
    const QString uid = QString::number(getuid());
    const QString shared = disk.rootPath() + QStringLiteral("/.Trash");
    struct stat st;
    if (lstat(pathBytes(shared).c_str(), &st) == 0 && S_ISDIR(st.st_mode) &&
        (st.st_mode & S_ISVTX) && usableOrMakeable(shared + '/' + uid))
        return shared + '/' + uid;
    const QString own = disk.rootPath() + QStringLiteral("/.Trash-") + uid;
    return usableOrMakeable(own) ? own : QString();
}

// Where the file goes, as QtCore chooses it; empty when no trash can take it.
QString trashFor(const QString& source, bool& home) {
    QString trash = diskTrashOf(source);
    home = trash.isEmpty();
    if (home) {
        const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
        if (data.isEmpty()) return {};
        trash = data + QStringLiteral("/Trash");
    }
    struct stat st;
    if (stat(pathBytes(source).c_str(), &st) != 0) return {};
    const bool takes = takesFiles(trash + QStringLiteral("/files"), st.st_dev) &&
                       takesFiles(trash + QStringLiteral("/info"), st.st_dev);
    return takes ? trash : QString();
}

TrashRefusal refusalFor(const std::string& path, QString& source, bool& home) {
    const QString typed = pathText(path);
    if (pathBytes(typed) != path) return TrashRefusal::NameNotUtf8;
    source = QFileInfo(typed).absoluteFilePath();
    if (!QFileInfo::exists(source)) return TrashRefusal::NoSuchFile;
    return trashFor(source, home).isEmpty() ? TrashRefusal::TrashUnusable : TrashRefusal::None;
}

}  // namespace

TrashRefusal CheckTrashTakes(const std::string& path) {
    QString source;
    bool home = false;
    return refusalFor(path, source, home);
}

TrashOutcome MoveToTrash(const std::string& path) {
    const FolderLock lock(FolderOfPath(path));
    if (lock.busy()) return {{}, TrashRefusal::FolderBusy};
    QString source;
    bool home = false;
    if (const TrashRefusal refusal = refusalFor(path, source, home); refusal != TrashRefusal::None)
        return {{}, refusal};
    // Without a folder for the home trash, QtCore would put the file in files/ of the working
    // folder: that folder is made first, and a file that still lands outside a trash goes back.
    const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (home && !QDir().mkpath(dataHome)) return {{}, TrashRefusal::TrashUnusable};
    QFile file(source);
    errno = 0;
    if (!file.moveToTrash()) {
        if (!QFileInfo::exists(source)) return {{}, TrashRefusal::NoSuchFile};
        // The system's reason when the move itself failed; the Trash's otherwise.
        const int error = errno;
        return {{}, error ? TrashRefusal::None : TrashRefusal::TrashUnusable, error};
    }
    const QString trashed = file.fileName();
    if (QFileInfo(trashed).isRelative()) {
        QFile::rename(trashed, source);
        QFile::remove(infoFileOf(trashed));
        QDir().rmdir(QFileInfo(trashed).path());
        QDir().rmdir(QFileInfo(infoFileOf(trashed)).path());
        return {{}, TrashRefusal::TrashUnusable};
    }
    escapeRecordedPath(trashed, source);
    return {pathBytes(trashed)};
}

TrashOutcome RestoreFromTrash(const std::string& pathInTrash, const std::string& path) {
    const FolderLock lock(FolderOfPath(path));
    if (lock.busy()) return {{}, TrashRefusal::FolderBusy};
    const RenameResult moved = renameNoReplace(pathInTrash, path);
    if (moved.status == RenameResult::Status::TargetExists) return {{}, TrashRefusal::NameTaken};
    if (!moved.ok()) return {{}, TrashRefusal::None, moved.error ? moved.error : EIO};
    QFile::remove(infoFileOf(pathText(pathInTrash)));
    return {};
}

}  // namespace lumaro
