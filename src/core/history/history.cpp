// Writing, reading and bounding the history of a picture folder.
#include "core/history/history.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <unordered_map>

#include "core/disks/filesystem.h"
#include "core/files/atomicwrite.h"
#include "core/files/crc32.h"
#include "core/files/createfolder.h"
#include "core/files/readfile.h"
#include "core/settings/programfolder.h"

namespace lumaro {

namespace {

constexpr std::string_view kMagic = "LMH1";
constexpr size_t kHeaderSize = 12;  // magic, length, checksum
constexpr uint8_t kFolderRecord = 0;
constexpr const char* kHistoryExtension = ".history";

std::atomic<size_t> historyBound{kHistoryBound};
std::atomic<bool> historyEnabled{true};

void putInteger(std::string& out, uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

void putString(std::string& out, std::string_view text) {
    putInteger(out, text.size(), 4);
    out += text;
}

std::string framed(const std::string& payload) {
    std::string record(kMagic);
    putInteger(record, payload.size(), 4);
    putInteger(record, Crc32(payload), 4);
    return record + payload;
}

// Reads a payload field by field; any read past its end fails the whole record.
class Reader {
public:
    explicit Reader(std::string_view bytes) : bytes_(bytes) {}
    uint64_t integer(int size) {
        if (bytes_.size() - at_ < static_cast<size_t>(size)) {
            failed_ = true;
            return 0;
        }
        uint64_t value = 0;
        for (int i = 0; i < size; ++i)
            value |= static_cast<uint64_t>(static_cast<uint8_t>(bytes_[at_ + i])) << (8 * i);
        at_ += static_cast<size_t>(size);
        return value;
    }
    std::string text() {
        const uint64_t size = integer(4);
        if (failed_ || bytes_.size() - at_ < size) {
            failed_ = true;
            return {};
        }
        std::string value(bytes_.substr(at_, size));
        at_ += size;
        return value;
    }
    bool whole() const { return !failed_ && at_ == bytes_.size(); }
    bool atEnd() const { return at_ == bytes_.size(); }
    bool failed() const { return failed_; }

private:
    std::string_view bytes_;
    size_t at_ = 0;
    bool failed_ = false;
};

bool knownKind(uint64_t kind) {
    return kind >= static_cast<uint64_t>(OperationKind::Load) &&
           kind <= static_cast<uint64_t>(OperationKind::Shift);
}

bool knownEffect(uint64_t effect) {
    return effect >= static_cast<uint64_t>(OperationEffect::Rename) &&
           effect <= static_cast<uint64_t>(OperationEffect::Shift);
}

// What newer records carry after their files: id, step, target and one flag byte per file.
bool parseRecordTail(Reader& reader, HistoryOperation& operation) {
    operation.id = reader.integer(8);
    const uint64_t step = reader.integer(1);
    if (step > static_cast<uint64_t>(HistoryStep::Redo)) return false;
    operation.step = static_cast<HistoryStep>(step);
    operation.target = reader.integer(8);
    for (HistoryFile& file : operation.files) file.companion = (reader.integer(1) & 1) != 0;
    if (operation.effect == OperationEffect::Shift) {
        operation.shift = static_cast<int64_t>(reader.integer(8));
        operation.device = reader.text();
    }
    return operation.id != 0 && (operation.step == HistoryStep::Operation) == !operation.target;
}

std::optional<HistoryOperation> parseOperation(Reader& reader, uint64_t kind) {
    HistoryOperation operation;
    const uint64_t effect = reader.integer(1);
    if (!knownKind(kind) || !knownEffect(effect)) return std::nullopt;
    operation.kind = static_cast<OperationKind>(kind);
    operation.effect = static_cast<OperationEffect>(effect);
    operation.time = static_cast<int64_t>(reader.integer(8));
    operation.angle = static_cast<int>(reader.integer(2));
    operation.lossless = reader.integer(1) != 0;
    operation.place = reader.text();
    const uint64_t count = reader.integer(4);
    for (uint64_t i = 0; i < count && !reader.failed(); ++i) {
        HistoryFile file;
        file.oldName = reader.text();
        file.newName = reader.text();
        file.device = reader.integer(8);
        file.inode = reader.integer(8);
        file.size = reader.integer(8);
        file.modified = static_cast<int64_t>(reader.integer(8));
        operation.files.push_back(std::move(file));
    }
    if (!reader.failed() && !reader.atEnd() && !parseRecordTail(reader, operation))
        return std::nullopt;
    if (!reader.whole()) return std::nullopt;
    return operation;
}

// The payload of the record at `at`, when it is whole and its checksum holds.
std::optional<std::string_view> recordAt(std::string_view bytes, size_t at) {
    if (bytes.size() - at < kHeaderSize || bytes.substr(at, kMagic.size()) != kMagic) {
        return std::nullopt;
    }
    Reader header(bytes.substr(at + kMagic.size(), 8));
    const uint64_t length = header.integer(4);
    const uint32_t checksum = static_cast<uint32_t>(header.integer(4));
    if (bytes.size() - at - kHeaderSize < length) return std::nullopt;
    const std::string_view payload = bytes.substr(at + kHeaderSize, length);
    if (Crc32(payload) != checksum) return std::nullopt;
    return payload;
}

struct Identity {
    uint64_t device = 0;
    uint64_t inode = 0;
    uint64_t size = 0;
    int64_t modified = 0;
};

// When the folder was made, in nanoseconds since 1970; 0 where the file system does not tell.
int64_t birthOf(const std::string& path) {
    struct statx st;
    if (statx(AT_FDCWD, path.c_str(), AT_SYMLINK_NOFOLLOW, STATX_BTIME, &st) != 0 ||
        !(st.stx_mask & STATX_BTIME)) {
        return 0;
    }
    return static_cast<int64_t>(st.stx_btime.tv_sec) * 1000000000 + st.stx_btime.tv_nsec;
}

// Where file numbers do not outlive a mount (FAT, exFAT, FUSE mounts, shares), a file is its
// size and modification time in whole seconds, which every driver of such a disk reads alike,
// and a folder its path: device and inode are left at 0, so a disk mounted again, elsewhere
// or through another device, still has the history and the files it had.
Identity identityOf(const struct stat& st, bool keepsNumbers) {
    if (!keepsNumbers) {
        return Identity{0, 0, static_cast<uint64_t>(st.st_size),
                        static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000};
    }
    return Identity{static_cast<uint64_t>(st.st_dev), static_cast<uint64_t>(st.st_ino),
                    static_cast<uint64_t>(st.st_size),
                    static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
}

std::optional<Identity> identityOf(const std::string& path) {
    struct stat st;
    if (lstat(path.c_str(), &st) != 0) return std::nullopt;
    return identityOf(st, KeepsFileNumbers(path));
}

// FNV-1a, 64 bits: the history's file name.
uint64_t fnv(std::string_view bytes, uint64_t hash = 14695981039346656037ull) {
    for (const char byte : bytes) {
        hash ^= static_cast<uint8_t>(byte);
        hash *= 1099511628211ull;
    }
    return hash;
}

bool syncedAppend(const std::string& path, std::string_view bytes) {
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    const bool ok = WriteAllBytes(fd, bytes) && fsync(fd) == 0;
    close(fd);
    return ok;
}

// The records to keep of a history over its bound: the first operation with its undos and
// redos, then the newest records that fit within half the bound.
std::string boundedRecords(const ParsedHistory& history) {
    std::string head;
    uint64_t first = 0;
    for (const HistoryOperation& record : history.operations) {
        if (record.step == HistoryStep::Operation && first == 0) first = record.id;
        if (first != 0 && (record.id == first || record.target == first))
            head += EncodeHistoryOperation(record);
    }
    std::vector<std::string> newest;
    size_t total = head.size();
    for (size_t i = history.operations.size(); i-- > 0;) {
        const HistoryOperation& record = history.operations[i];
        if (record.id == first || record.target == first) continue;
        std::string bytes = EncodeHistoryOperation(record);
        // Half the bound, so that the next operations append for a long while: a folder of
        // thousands of pictures, renumbered again and again, rewrites its history seldom.
        if (total + bytes.size() > historyBound / 2) break;
        total += bytes.size();
        newest.push_back(std::move(bytes));
    }
    for (auto record = newest.rbegin(); record != newest.rend(); ++record) head += *record;
    return head;
}

// Written anew when over the bound, or (`always`) to give every record an id of its own.
void rewriteHistory(const std::string& path, const std::string& folder, const Identity& id,
                    bool always) {
    std::string bytes;
    if (!ReadWholeFile(path, bytes).ok() || (!always && bytes.size() <= historyBound)) return;
    const bool over = bytes.size() > historyBound;
    const ParsedHistory history = ParseHistory(bytes);
    if (!over && !history.olderRecords) return;
    bytes.clear();
    std::string records = EncodeHistoryFolder(folder, id.device, id.inode, birthOf(folder));
    if (over) {
        records += boundedRecords(history);
    } else {
        for (const HistoryOperation& record : history.operations)
            records += EncodeHistoryOperation(record);
    }
    WriteFileAtomically(path, records, {.throughLinks = false});
}

// A new id: the time in nanoseconds, and always above the last one given.
uint64_t newRecordId() {
    static std::atomic<uint64_t> last{0};
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    uint64_t id = static_cast<uint64_t>(now.tv_sec) * 1000000000u + now.tv_nsec;
    uint64_t previous = last.load();
    while (!last.compare_exchange_weak(previous, std::max(id, previous + 1))) {
    }
    return std::max(id, previous + 1);
}

std::string historyFileName(const std::string& folder, const Identity& id) {
    char name[32];
    uint64_t hash = fnv(folder);
    hash = fnv(std::string_view(reinterpret_cast<const char*>(&id.device), 8), hash);
    hash = fnv(std::string_view(reinterpret_cast<const char*>(&id.inode), 8), hash);
    std::snprintf(name, sizeof name, "%016llx", static_cast<unsigned long long>(hash));
    return name + std::string(kHistoryExtension);
}

// Whether `history`, recorded for a folder of the same device and inode as `folder`, is the
// history of this very folder rather than of a deleted one whose inode the folder took: its
// recorded path leads elsewhere now, and the folder was made when the recorded one was (where
// the file system keeps that), else a file that the newest operation leaving files in the
// folder left there is still there, unchanged.
bool belongsToFolder(const ParsedHistory& history, const std::string& folder) {
    const std::optional<Identity> recorded = identityOf(history.folder);
    const std::optional<Identity> now = identityOf(folder);
    if (history.folder.empty() || !now ||
        (recorded && recorded->device == now->device && recorded->inode == now->inode)) {
        return false;
    }
    if (const int64_t born = birthOf(folder); born != 0 && history.born != 0)
        return born == history.born;
    for (size_t i = history.operations.size(); i-- > 0;) {
        const HistoryOperation& record = history.operations[i];
        if (record.effect == OperationEffect::MoveOut || record.effect == OperationEffect::ToTrash)
            continue;
        for (const HistoryFile& file : record.files) {
            HistoryFile present = file;
            if (ReadIdentity(folder + file.newName, present) && present == file) return true;
        }
        return false;
    }
    return false;
}

// The history of the state folder recorded for `folder`'s device and inode under another path.
std::string formerHistoryOf(const std::string& state, const std::string& folder,
                            const Identity& id) {
    // A folder whose disk renumbers its files is known by its path alone: device and inode 0
    // would match every other such folder.
    if (id.device == 0 && id.inode == 0) return {};
    DIR* dir = opendir(state.c_str());
    if (!dir) return {};
    std::string found;
    while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        const size_t size = std::strlen(kHistoryExtension);
        if (name.size() <= size || name.compare(name.size() - size, size, kHistoryExtension) != 0)
            continue;
        // The folder record comes first: a head of the file tells the device and inode.
        const int fd = open((state + name).c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) continue;
        std::string head(kHeaderSize + 64 + PATH_MAX, '\0');
        const ssize_t n = pread(fd, head.data(), head.size(), 0);
        close(fd);
        const ParsedHistory first = ParseHistory(head.substr(0, n > 0 ? n : 0));
        if (first.device != id.device || first.inode != id.inode) continue;
        std::string bytes;
        if (ReadWholeFile(state + name, bytes).ok() &&
            belongsToFolder(ParseHistory(bytes), folder)) {
            found = state + name;
            break;
        }
    }
    closedir(dir);
    return found;
}

bool exists(const std::string& path) {
    struct stat st;
    return lstat(path.c_str(), &st) == 0;
}

// The history of `folder` (canonical) as it lies now: under its own name, else under its
// former path's; with `takeOver`, the latter is renamed to the former and told the new path.
std::string historyOf(const std::string& folder, const Identity& id, bool takeOver) {
    const std::string state = FindProgramFolders().state;
    if (state.empty()) return {};
    const std::string named = state + historyFileName(folder, id);
    if (exists(named)) return named;
    const std::string former = formerHistoryOf(state, folder, id);
    if (former.empty() || !takeOver) return former.empty() ? named : former;
    if (!renameNoReplace(former, named).ok()) return former;
    syncedAppend(named, EncodeHistoryFolder(folder, id.device, id.inode, birthOf(folder)));
    return named;
}

}  // namespace

const char* OperationKindName(OperationKind kind) {
    switch (kind) {
        case OperationKind::Load:
            return "load";
        case OperationKind::Apply:
            return "apply";
        case OperationKind::CancelApply:
            return "cancel apply";
        case OperationKind::AcceptMove:
            return "accept move";
        case OperationKind::Renumber:
            return "renumber";
        case OperationKind::CancelRenumber:
            return "cancel renumber";
        case OperationKind::Transfer:
            return "transfer";
        case OperationKind::Turn:
            return "turn";
        case OperationKind::Delete:
            return "delete";
        case OperationKind::Undo:
            return "undo";
        case OperationKind::Repair:
            return "repair";
        case OperationKind::Shift:
            return "shift";
    }
    return "";
}

std::string PathAfter(const std::string& folder, const HistoryOperation& operation,
                      const HistoryFile& file) {
    switch (operation.effect) {
        case OperationEffect::MoveOut:
            return operation.place + file.newName;
        case OperationEffect::ToTrash:
            return file.newName;
        default:
            return folder + file.newName;
    }
}

std::string PathBefore(const std::string& folder, const HistoryOperation& operation,
                       const HistoryFile& file) {
    switch (operation.effect) {
        case OperationEffect::MoveIn:
            return operation.place + file.oldName;
        case OperationEffect::FromTrash:
            return file.oldName;
        case OperationEffect::Turn:
        case OperationEffect::Shift:
            return folder + file.newName;
        default:
            return folder + file.oldName;
    }
}

std::vector<FileRename> NamesOf(const HistoryOperation& operation) {
    std::vector<FileRename> names;
    names.reserve(operation.files.size());
    for (const HistoryFile& file : operation.files) {
        switch (operation.effect) {
            case OperationEffect::MoveOut:
                names.push_back({file.oldName, operation.place + file.newName});
                break;
            case OperationEffect::MoveIn:
                names.push_back({operation.place + file.oldName, file.newName});
                break;
            default:
                names.push_back({file.oldName, file.newName});
        }
    }
    return names;
}

std::string OperationTimeText(int64_t time) {
    const std::time_t seconds = static_cast<std::time_t>(time);
    std::tm local{};
    localtime_r(&seconds, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local);
    return text;
}

std::string EncodeHistoryFolder(const std::string& folder, uint64_t device, uint64_t inode,
                                int64_t born) {
    std::string payload;
    putInteger(payload, kFolderRecord, 1);
    putString(payload, folder);
    putInteger(payload, device, 8);
    putInteger(payload, inode, 8);
    if (born != 0) putInteger(payload, static_cast<uint64_t>(born), 8);
    return framed(payload);
}

std::string EncodeHistoryOperation(const HistoryOperation& operation) {
    std::string payload;
    size_t size = 64 + operation.place.size() + operation.device.size();
    for (const HistoryFile& file : operation.files)
        size += 49 + file.oldName.size() + file.newName.size();
    payload.reserve(size);
    putInteger(payload, static_cast<uint8_t>(operation.kind), 1);
    putInteger(payload, static_cast<uint8_t>(operation.effect), 1);
    putInteger(payload, static_cast<uint64_t>(operation.time), 8);
    putInteger(payload, static_cast<uint64_t>(operation.angle), 2);
    putInteger(payload, operation.lossless ? 1 : 0, 1);
    putString(payload, operation.place);
    putInteger(payload, operation.files.size(), 4);
    for (const HistoryFile& file : operation.files) {
        putString(payload, file.oldName);
        putString(payload, file.newName);
        putInteger(payload, file.device, 8);
        putInteger(payload, file.inode, 8);
        putInteger(payload, file.size, 8);
        putInteger(payload, static_cast<uint64_t>(file.modified), 8);
    }
    if (operation.id == 0) return framed(payload);  // as older versions wrote it
    putInteger(payload, operation.id, 8);
    putInteger(payload, static_cast<uint8_t>(operation.step), 1);
    putInteger(payload, operation.target, 8);
    for (const HistoryFile& file : operation.files) putInteger(payload, file.companion ? 1 : 0, 1);
    if (operation.effect == OperationEffect::Shift) {
        putInteger(payload, static_cast<uint64_t>(operation.shift), 8);
        putString(payload, operation.device);
    }
    return framed(payload);
}

ParsedHistory ParseHistory(std::string_view bytes) {
    ParsedHistory history;
    size_t at = 0;
    while (at < bytes.size()) {
        const std::optional<std::string_view> payload = recordAt(bytes, at);
        if (!payload) {
            // A cut or damaged record: read on from the next record's mark.
            const size_t next = bytes.find(kMagic, at + 1);
            const size_t end = next == std::string_view::npos ? bytes.size() : next;
            history.skippedBytes += end - at;
            at = end;
            continue;
        }
        Reader reader(*payload);
        const uint64_t kind = reader.integer(1);
        if (kind == kFolderRecord) {
            history.folder = reader.text();
            history.device = reader.integer(8);
            history.inode = reader.integer(8);
            history.born = reader.atEnd() ? 0 : static_cast<int64_t>(reader.integer(8));
        } else if (std::optional<HistoryOperation> operation = parseOperation(reader, kind)) {
            if (operation->id == 0) {  // an older version's record: its place is its id
                operation->id = history.operations.size() + 1;
                history.olderRecords = true;
            }
            history.operations.push_back(std::move(*operation));
        } else {
            history.skippedBytes += kHeaderSize + payload->size();
        }
        at += kHeaderSize + payload->size();
    }
    return history;
}

bool ReadIdentity(const std::string& path, HistoryFile& file) {
    const std::optional<Identity> id = identityOf(path);
    if (!id) return false;
    file.device = id->device;
    file.inode = id->inode;
    file.size = id->size;
    file.modified = id->modified;
    return true;
}

std::string CanonicalFolder(const std::string& folder) {
    char* real = realpath(folder.empty() ? "." : folder.c_str(), nullptr);
    if (!real) return {};
    std::string path(real);
    std::free(real);
    if (path.back() != '/') path += '/';
    return path;
}

std::string HistoryPathOf(const std::string& given) {
    const std::string folder = CanonicalFolder(given);
    const std::optional<Identity> id = identityOf(folder);
    if (folder.empty() || !id) return {};
    return historyOf(folder, *id, false);
}

HistoryAccess CheckHistoryWritable(const std::string& given) {
    HistoryAccess result;
    result.stateFolder = FindProgramFolders().state;
    if (result.stateFolder.empty()) {
        result.stateFolder = "~/.local/state/lumaro/";
        return result;
    }
    if (const int error = CreateFolder(result.stateFolder, {.allLevels = true, .mode = 0700})) {
        result.error = error == EEXIST ? ENOTDIR : error;
        return result;
    }
    // The history itself when there is one, else the folder where it would be made.
    const std::string history = HistoryPathOf(given);
    const bool made = !history.empty() && exists(history);
    const std::string& checked = made ? history : result.stateFolder;
    if (access(checked.c_str(), made ? W_OK : W_OK | X_OK) != 0) {
        result.error = errno;
        return result;
    }
    result.writable = true;
    return result;
}

bool RecordOperation(const std::string& given, HistoryOperation operation) {
    if (!historyEnabled || operation.files.empty()) return true;
    const std::string folder = CanonicalFolder(given);
    const std::optional<Identity> folderId = identityOf(folder);
    if (folder.empty() || !folderId) return false;
    if (!operation.place.empty()) operation.place = CanonicalFolder(operation.place);
    operation.time = static_cast<int64_t>(std::time(nullptr));
    operation.id = newRecordId();
    // Files within the folder are read through the folder's descriptor: no path to walk.
    const int folderFd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const bool keepsNumbers = folderFd < 0 || KeepsFileNumbers(folderFd);
    std::string path;  // reused for every file
    for (HistoryFile& file : operation.files) {
        struct stat st;
        if (operation.effect == OperationEffect::Rename && folderFd >= 0) {
            if (fstatat(folderFd, file.newName.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0) {
                const Identity id = identityOf(st, keepsNumbers);
                file.device = id.device;
                file.inode = id.inode;
                file.size = id.size;
                file.modified = id.modified;
            }
            continue;
        }
        path = PathAfter(folder, operation, file);
        ReadIdentity(path, file);
    }
    if (folderFd >= 0) close(folderFd);
    const std::string state = FindProgramFolders().state;
    if (state.empty() || CreateFolder(state, {.allLevels = true, .mode = 0700}) != 0) return false;
    const std::string historyPath = historyOf(folder, *folderId, true);
    // An undo or redo names its operation by id: older records are given theirs first.
    if (operation.step != HistoryStep::Operation)
        rewriteHistory(historyPath, folder, *folderId, true);
    std::string bytes;
    struct stat st;
    if (stat(historyPath.c_str(), &st) != 0 || st.st_size == 0) {
        bytes = EncodeHistoryFolder(folder, folderId->device, folderId->inode, birthOf(folder));
    }
    bytes += EncodeHistoryOperation(operation);
    if (!syncedAppend(historyPath, bytes)) return false;
    if (stat(historyPath.c_str(), &st) == 0 && static_cast<size_t>(st.st_size) > historyBound) {
        rewriteHistory(historyPath, folder, *folderId, false);
    }
    return true;
}

ParsedHistory ReadHistoryRecords(const std::string& folder) {
    const std::string path = HistoryPathOf(folder);
    std::string bytes;
    if (path.empty() || !ReadWholeFile(path, bytes).ok()) return {};
    return ParseHistory(bytes);
}

std::vector<HistoryOperation> ReadHistory(const std::string& folder) {
    std::vector<HistoryOperation> operations;
    std::unordered_map<uint64_t, size_t> byId;
    for (HistoryOperation& record : ReadHistoryRecords(folder).operations) {
        if (record.step == HistoryStep::Operation) {
            byId[record.id] = operations.size();
            operations.push_back(std::move(record));
        } else if (const auto target = byId.find(record.target); target != byId.end()) {
            operations[target->second].undone = record.step == HistoryStep::Undo;
        }
    }
    return operations;
}

void RecordByFolder(const HistoryOperation& operation) {
    std::vector<std::pair<std::string, HistoryOperation>> byFolder;
    for (const HistoryFile& file : operation.files) {
        const size_t slash = file.oldName.rfind('/');
        const std::string folder =
            slash == std::string::npos ? "./" : file.oldName.substr(0, slash + 1);
        HistoryFile named = file;
        named.oldName = file.oldName.substr(slash == std::string::npos ? 0 : slash + 1);
        if (operation.effect == OperationEffect::Turn || operation.effect == OperationEffect::Shift)
            named.newName = named.oldName;
        auto at = byFolder.begin();
        while (at != byFolder.end() && at->first != folder) ++at;
        if (at == byFolder.end()) {
            HistoryOperation empty = operation;
            empty.files.clear();
            at = byFolder.insert(byFolder.end(), {folder, std::move(empty)});
        }
        at->second.files.push_back(std::move(named));
    }
    for (auto& [folder, part] : byFolder) RecordOperation(folder, std::move(part));
}

void RecordTransfer(const std::string& folder, const std::string& destination,
                    const std::vector<PictureEntry>& pictures,
                    const std::vector<TransferOutcome>& outcomes) {
    HistoryOperation operation;
    operation.kind = OperationKind::Transfer;
    operation.effect = OperationEffect::MoveOut;
    operation.place = destination;
    for (size_t k = 0; k < outcomes.size() && k < pictures.size(); ++k) {
        const TransferOutcome& outcome = outcomes[k];
        if (!outcome.moved()) continue;
        const std::string source = outcome.source.substr(outcome.source.rfind('/') + 1);
        const std::string target = outcome.target.substr(outcome.target.rfind('/') + 1);
        operation.files.push_back({source, target});
        // Each companion arrived under the picture's new base followed by the rest of its name.
        const std::string& extension = pictures[k].extension;
        const std::string targetBase = target.substr(0, target.size() - extension.size());
        for (const std::string& rest : pictures[k].companions) {
            operation.files.push_back({pictures[k].base + rest, targetBase + rest});
            operation.files.back().companion = true;
        }
    }
    RecordOperation(folder, std::move(operation));
}

void SetHistoryBound(size_t bound) { historyBound = bound; }
void SetHistoryEnabled(bool enabled) { historyEnabled = enabled; }

HistoryOperation TurnOperation(int angle) {
    HistoryOperation operation;
    operation.kind = OperationKind::Turn;
    operation.effect = OperationEffect::Turn;
    operation.angle = angle;
    return operation;
}

HistoryOperation TrashOperation() {
    HistoryOperation operation;
    operation.kind = OperationKind::Delete;
    operation.effect = OperationEffect::ToTrash;
    return operation;
}

HistoryOperation ShiftOperation(int64_t seconds, const std::string& device) {
    HistoryOperation operation;
    operation.kind = OperationKind::Shift;
    operation.effect = OperationEffect::Shift;
    operation.shift = seconds;
    operation.device = device;
    return operation;
}

HistoryOperation RenameOperation(OperationKind kind, const std::vector<FileRename>& renames,
                                 const std::vector<bool>& companions) {
    HistoryOperation operation;
    operation.kind = kind;
    operation.effect = OperationEffect::Rename;
    operation.files.reserve(renames.size());
    for (size_t i = 0; i < renames.size(); ++i) {
        if (renames[i].oldName == renames[i].newName) continue;
        operation.files.push_back({renames[i].oldName, renames[i].newName});
        operation.files.back().companion = i < companions.size() && companions[i];
    }
    return operation;
}

}  // namespace lumaro
