// The history of a picture folder: every operation that renamed, moved out, turned or deleted
// its pictures, kept in the user's state folder (never in the picture folder), so that the
// names a folder had are never lost and the last operation can be undone after a restart.
//
// File format: a sequence of records, each
//   "LMH1" | payload length (u32) | CRC-32 of the payload (u32) | payload
// integers little-endian, strings as a u32 length and their bytes. The first record holds the
// folder (its path, device and inode); each other record is one operation. Records are only
// ever appended and synced; a reader skips a record that is cut or damaged and reads on from
// the next "LMH1" it finds. A history over its size bound is written anew, atomically, with
// the folder's first operation (the names the camera gave) and the newest ones that fit.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/files/fileoperations.h"
#include "core/files/transfer.h"

namespace lumaro {

// What the user did, as the history names it.
enum class OperationKind : uint8_t {
    Load = 1,
    Apply,
    CancelApply,
    AcceptMove,
    Renumber,
    CancelRenumber,
    Transfer,
    Turn,
    Delete,
    Undo,
    Repair,
};
// "load", "apply", "cancel apply", ... as the command line prints them; "" when unknown.
const char* OperationKindName(OperationKind kind);

// What happened to the files, which an undo reverses.
enum class OperationEffect : uint8_t {
    Rename = 1,  // within the folder: old name -> new name
    MoveOut,     // folder/old name -> place/new name (place: the destination folder)
    MoveIn,      // place/old name -> folder/new name
    Turn,        // the file `newName` turned by `angle` degrees clockwise
    ToTrash,     // folder/old name -> new name, the full path inside the Trash
    FromTrash,   // old name, the full path inside the Trash -> folder/new name
};

// One file of an operation, and the identity it had once the operation was done: a rename
// keeps all four, any other change of the file or its replacement changes one.
struct HistoryFile {
    std::string oldName;
    std::string newName;
    uint64_t device = 0;
    uint64_t inode = 0;
    uint64_t size = 0;
    int64_t modified = 0;  // nanoseconds since 1970: tells a new file that took a freed inode
    bool operator==(const HistoryFile&) const = default;
};

struct HistoryOperation {
    OperationKind kind = OperationKind::Apply;
    OperationEffect effect = OperationEffect::Rename;
    int64_t time = 0;      // seconds since 1970
    int angle = 0;         // a turn: 90, 180 or 270
    bool lossless = true;  // a turn: whether it kept every pixel
    std::string place;     // a move out or in: the other folder (ending with '/')
    std::vector<HistoryFile> files;
    bool operator==(const HistoryOperation&) const = default;
};

// The path of the file after the operation: where its identity is checked.
std::string PathAfter(const std::string& folder, const HistoryOperation& operation,
                      const HistoryFile& file);

// Each file's name before and after the operation: names within the folder, full paths for
// a file in another folder or in the Trash; a turn names its file on both sides.
std::vector<FileRename> NamesOf(const HistoryOperation& operation);

// "2024-05-01 14:03", local time: when an operation was made.
std::string OperationTimeText(int64_t time);

// The records of a history file, as stored.
std::string EncodeHistoryFolder(const std::string& folder, uint64_t device, uint64_t inode);
std::string EncodeHistoryOperation(const HistoryOperation& operation);

struct ParsedHistory {
    std::string folder;  // empty when the folder record was lost
    uint64_t device = 0;
    uint64_t inode = 0;
    std::vector<HistoryOperation> operations;  // oldest first
    size_t skippedBytes = 0;                   // bytes of cut or damaged records
};
ParsedHistory ParseHistory(std::string_view bytes);

// The identity a file has now; false when it is missing.
bool ReadIdentity(const std::string& path, HistoryFile& file);

// Where the history of `folder` (ending with '/') is kept: a name made from the folder's
// device, inode and path in the program's state folder. Empty when the folder is missing.
std::string HistoryPathOf(const std::string& folder);

// Appends a completed operation to the history of `folder`: the time is set, and each file's
// identity read from where it now lies. Nothing is written for an operation without files.
// A history that cannot be written does not stop the operation: false says so.
bool RecordOperation(const std::string& folder, HistoryOperation operation);

// The operations of the history of `folder`, oldest first.
std::vector<HistoryOperation> ReadHistory(const std::string& folder);

// A history file that outgrows this bound is written anew with its first operation and the
// newest that fit within half of it.
inline constexpr size_t kHistoryBound = 16 * 1024 * 1024;
// Tests and benchmarks: another bound, and histories switched off for the whole process.
void SetHistoryBound(size_t bound);
void SetHistoryEnabled(bool enabled);

// The renames of one operation within its folder, by file names.
HistoryOperation RenameOperation(OperationKind kind, const std::vector<FileRename>& renames);
// An operation of no file yet, for the files to be added as they are turned or trashed (full
// paths, recorded by RecordByFolder): a turn by `angle`, or a delete to the Trash.
HistoryOperation TurnOperation(int angle);
HistoryOperation TrashOperation();

// Records an operation whose files are named by full paths, which may lie in several folders
// (a turn or a delete of the command line): each folder's history gets its own files. Each
// file's old name is its full path; its new name too for a turn, its path in the Trash for a
// move to the Trash.
void RecordByFolder(const HistoryOperation& operation);

// Records the pictures of `folder` that a transfer moved to `destination` (`outcomes` one per
// picture of `pictures`, in order), each with the companions that went along.
void RecordTransfer(const std::string& folder, const std::string& destination,
                    const std::vector<PictureEntry>& pictures,
                    const std::vector<TransferOutcome>& outcomes);

// The folder as the history knows it: its real path, ending with '/'; empty when missing.
std::string CanonicalFolder(const std::string& folder);

}  // namespace lumaro
