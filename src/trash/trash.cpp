// Moving a file to the desktop Trash through QtCore, with the checks its trash needs.
#include "trash/trash.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <cstring>

#include "core/files/fileoperations.h"
#include "core/locking/folderlock.h"

namespace lumaro {

namespace {

constexpr const char* kFolderBusy = "another Lumaro is changing this folder";

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

}  // namespace

TrashOutcome MoveToTrash(const std::string& path) {
    const FolderLock lock(FolderOfPath(path));
    if (lock.busy()) return {{}, kFolderBusy};
    const QString typed = pathText(path);
    if (pathBytes(typed) != path) return {{}, "its name is not UTF-8, which the Trash cannot hold"};
    const QString source = QFileInfo(typed).absoluteFilePath();
    // Without a folder for the home trash, QtCore would put the file in files/ of the working
    // folder: that folder is made first, and a file that still lands outside a trash goes back.
    const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (dataHome.isEmpty() || !QDir().mkpath(dataHome))
        return {{}, "no Trash: the folder " + pathBytes(dataHome) + " cannot be made"};
    QFile file(source);
    if (!file.moveToTrash()) {
        const QString reason = QFileInfo::exists(source) ? file.errorString() : "no such file";
        return {{}, reason.toStdString()};
    }
    const QString trashed = file.fileName();
    if (QFileInfo(trashed).isRelative()) {
        QFile::rename(trashed, source);
        QFile::remove(infoFileOf(trashed));
        QDir().rmdir(QFileInfo(trashed).path());
        QDir().rmdir(QFileInfo(infoFileOf(trashed)).path());
        return {{}, "no usable Trash for this file"};
    }
    escapeRecordedPath(trashed, source);
    return {pathBytes(trashed), {}};
}

std::string RestoreFromTrash(const std::string& pathInTrash, const std::string& path) {
    const FolderLock lock(FolderOfPath(path));
    if (lock.busy()) return kFolderBusy;
    const RenameResult moved = renameNoReplace(pathInTrash, path);
    if (moved.status == RenameResult::Status::TargetExists) return "another file bears its name";
    if (!moved.ok()) return std::strerror(moved.error);
    QFile::remove(infoFileOf(pathText(pathInTrash)));
    return {};
}

TrashHooks UndoTrashHooks() {
    TrashHooks hooks;
    hooks.toTrash = [](const std::string& path, std::string& pathInTrash) {
        const TrashOutcome trashed = MoveToTrash(path);
        pathInTrash = trashed.pathInTrash;
        return trashed.error;
    };
    hooks.fromTrash = RestoreFromTrash;
    return hooks;
}

}  // namespace lumaro
