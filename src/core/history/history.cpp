// Writing, reading and bounding the history of a picture folder.
#include "core/history/history.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "core/files/atomicwrite.h"
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

const std::array<uint32_t, 256>& crcTable() {
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    return table;
}

uint32_t crc32(std::string_view bytes) {
    const std::array<uint32_t, 256>& table = crcTable();
    uint32_t c = 0xFFFFFFFFu;
    for (const char byte : bytes) c = table[(c ^ static_cast<uint8_t>(byte)) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

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
    putInteger(record, crc32(payload), 4);
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
    bool failed() const { return failed_; }

private:
    std::string_view bytes_;
    size_t at_ = 0;
    bool failed_ = false;
};

bool knownKind(uint64_t kind) {
    return kind >= static_cast<uint64_t>(OperationKind::Load) &&
           kind <= static_cast<uint64_t>(OperationKind::Repair);
}

bool knownEffect(uint64_t effect) {
    return effect >= static_cast<uint64_t>(OperationEffect::Rename) &&
           effect <= static_cast<uint64_t>(OperationEffect::FromTrash);
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
    if (crc32(payload) != checksum) return std::nullopt;
    return payload;
}

struct Identity {
    uint64_t device = 0;
    uint64_t inode = 0;
    uint64_t size = 0;
    int64_t modified = 0;
};

std::optional<Identity> identityOf(const std::string& path) {
    struct stat st;
    if (lstat(path.c_str(), &st) != 0) return std::nullopt;
    return Identity{static_cast<uint64_t>(st.st_dev), static_cast<uint64_t>(st.st_ino),
                    static_cast<uint64_t>(st.st_size),
                    static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
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

// The first operation and the newest that fit within the bound, written anew.
void keepWithinBound(const std::string& path, const std::string& folder, const Identity& id) {
    std::string bytes;
    if (!ReadWholeFile(path, bytes).ok() || bytes.size() <= historyBound) return;
    const ParsedHistory history = ParseHistory(bytes);
    bytes.clear();
    std::string head = EncodeHistoryFolder(folder, id.device, id.inode);
    if (!history.operations.empty()) head += EncodeHistoryOperation(history.operations.front());
    std::vector<std::string> newest;
    size_t total = head.size();
    for (size_t i = history.operations.size(); i-- > 1;) {
        std::string record = EncodeHistoryOperation(history.operations[i]);
        // Half the bound, so that the next operations append for a long while: a folder of
        // thousands of pictures, renumbered again and again, rewrites its history seldom.
        if (total + record.size() > historyBound / 2) break;
        total += record.size();
        newest.push_back(std::move(record));
    }
    for (auto record = newest.rbegin(); record != newest.rend(); ++record) head += *record;
    WriteFileAtomically(path, head, {.throughLinks = false});
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

std::string EncodeHistoryFolder(const std::string& folder, uint64_t device, uint64_t inode) {
    std::string payload;
    putInteger(payload, kFolderRecord, 1);
    putString(payload, folder);
    putInteger(payload, device, 8);
    putInteger(payload, inode, 8);
    return framed(payload);
}

std::string EncodeHistoryOperation(const HistoryOperation& operation) {
    std::string payload;
    size_t size = 32 + operation.place.size();
    for (const HistoryFile& file : operation.files)
        size += 48 + file.oldName.size() + file.newName.size();
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
        } else if (std::optional<HistoryOperation> operation = parseOperation(reader, kind)) {
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
    char name[32];
    uint64_t hash = fnv(folder);
    hash = fnv(std::string_view(reinterpret_cast<const char*>(&id->device), 8), hash);
    hash = fnv(std::string_view(reinterpret_cast<const char*>(&id->inode), 8), hash);
    std::snprintf(name, sizeof name, "%016llx", static_cast<unsigned long long>(hash));
    return FindProgramFolders().state + name + kHistoryExtension;
}

bool RecordOperation(const std::string& given, HistoryOperation operation) {
    if (!historyEnabled || operation.files.empty()) return true;
    const std::string folder = CanonicalFolder(given);
    const std::optional<Identity> folderId = identityOf(folder);
    if (folder.empty() || !folderId) return false;
    if (!operation.place.empty()) operation.place = CanonicalFolder(operation.place);
    operation.time = static_cast<int64_t>(std::time(nullptr));
    // Files within the folder are read through the folder's descriptor: no path to walk.
    const int folderFd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    std::string path;  // reused for every file
    for (HistoryFile& file : operation.files) {
        struct stat st;
        if (operation.effect == OperationEffect::Rename && folderFd >= 0) {
            if (fstatat(folderFd, file.newName.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0) {
                file.device = static_cast<uint64_t>(st.st_dev);
                file.inode = static_cast<uint64_t>(st.st_ino);
                file.size = static_cast<uint64_t>(st.st_size);
                file.modified =
                    static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
            }
            continue;
        }
        path = PathAfter(folder, operation, file);
        ReadIdentity(path, file);
    }
    if (folderFd >= 0) close(folderFd);
    const std::string historyPath = HistoryPathOf(folder);
    const std::string state = historyPath.substr(0, historyPath.rfind('/') + 1);
    if (CreateFolder(state, {.allLevels = true, .mode = 0700}) != 0) return false;
    std::string bytes;
    struct stat st;
    if (stat(historyPath.c_str(), &st) != 0 || st.st_size == 0) {
        bytes = EncodeHistoryFolder(folder, folderId->device, folderId->inode);
    }
    bytes += EncodeHistoryOperation(operation);
    if (!syncedAppend(historyPath, bytes)) return false;
    if (stat(historyPath.c_str(), &st) == 0 && static_cast<size_t>(st.st_size) > historyBound) {
        keepWithinBound(historyPath, folder, *folderId);
    }
    return true;
}

std::vector<HistoryOperation> ReadHistory(const std::string& folder) {
    const std::string path = HistoryPathOf(folder);
    std::string bytes;
    if (path.empty() || !ReadWholeFile(path, bytes).ok()) return {};
    return ParseHistory(bytes).operations;
}

void RecordByFolder(const HistoryOperation& operation) {
    std::vector<std::pair<std::string, HistoryOperation>> byFolder;
    for (const HistoryFile& file : operation.files) {
        const size_t slash = file.oldName.rfind('/');
        const std::string folder =
            slash == std::string::npos ? "./" : file.oldName.substr(0, slash + 1);
        HistoryFile named = file;
        named.oldName = file.oldName.substr(slash == std::string::npos ? 0 : slash + 1);
        if (operation.effect == OperationEffect::Turn) named.newName = named.oldName;
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
        for (const std::string& rest : pictures[k].companions)
            operation.files.push_back({pictures[k].base + rest, targetBase + rest});
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

HistoryOperation RenameOperation(OperationKind kind, const std::vector<FileRename>& renames) {
    HistoryOperation operation;
    operation.kind = kind;
    operation.effect = OperationEffect::Rename;
    operation.files.reserve(renames.size());
    for (const FileRename& rename : renames) {
        if (rename.oldName != rename.newName)
            operation.files.push_back({rename.oldName, rename.newName});
    }
    return operation;
}

}  // namespace lumaro
