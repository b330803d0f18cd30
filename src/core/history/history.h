// The history of a picture folder: every operation that renamed, moved out, turned or deleted
// its pictures, kept in the user's state folder (never in the picture folder), so that the
// names a folder had are never lost and the last operation can be undone after a restart.
//
// File format: a sequence of records, each
//   "LMH1" | payload length (u32) | CRC-32 of the payload (u32) | payload
// integers little-endian, strings as a u32 length and their bytes. The first record holds the
// folder (its path, device, inode and, where known, when it was made; a later folder record,
// written when the folder was found under a new path, takes its place); each other record is one
// operation, or the undo or redo of one. An operation record ends with its id, its step, the id it
// undoes or redoes and one flag byte per file (companion or not); records written before these
// existed end with the files, and read as operations (an undo of those days as an operation of its
// own). A shift's record then carries its seconds (i64) and its device (a string). Records are only
// ever appended and synced; a reader skips a record that is cut or damaged and reads on from the
// next "LMH1" it finds. A history over its size bound is written anew, atomically, with the
// folder's first operation (the names the camera gave), its undos and redos, and the newest records
// that fit.
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
    Undo,  // an undo as older versions recorded it: an operation of its own
    Repair,
    Shift,  // a camera's clock corrected
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
    Shift,       // the dates inside the file `newName` moved by `shift` seconds
};

// One file of an operation, and the identity it had once the operation was done: a rename
// keeps all four, any other change of the file or its replacement changes one. Where file
// numbers do not outlive a mount (FAT, exFAT, FUSE mounts, shares), device and inode are 0 and
// the modification time is in whole seconds: the file is known by its name, size and time.
struct HistoryFile {
    std::string oldName;
    std::string newName;
    uint64_t device = 0;
    uint64_t inode = 0;
    uint64_t size = 0;
    int64_t modified = 0;  // nanoseconds since 1970: tells a new file that took a freed inode
    // A companion of the nearest file before it that is none: the two go together, all or none.
    bool companion = false;
    bool operator==(const HistoryFile&) const = default;
};

// What a record is to the operations before it.
enum class HistoryStep : uint8_t {
    Operation = 0,  // an operation of its own
    Undo,           // the undo of the operation `target`: its files moved back
    Redo,           // the redo of the operation `target`, undone before
};

struct HistoryOperation {
    OperationKind kind = OperationKind::Apply;
    OperationEffect effect = OperationEffect::Rename;
    int64_t time = 0;      // seconds since 1970
    int angle = 0;         // a turn: 90, 180 or 270
    bool lossless = true;  // a turn: whether it kept every pixel
    std::string place;     // a move out or in: the other folder (ending with '/')
    int64_t shift = 0;     // a shift: the seconds added to each file's dates
    std::string device;    // a shift: the device whose clock was corrected
    std::vector<HistoryFile> files;
    uint64_t id = 0;  // its own number in the history; set when it is recorded
    HistoryStep step = HistoryStep::Operation;
    uint64_t target = 0;  // an undo or a redo: the id of the operation
    bool undone = false;  // not stored: ReadHistory marks an operation undone and not redone
    bool operator==(const HistoryOperation&) const = default;
};

// The path of the file after the operation: where its identity is checked.
std::string PathAfter(const std::string& folder, const HistoryOperation& operation,
                      const HistoryFile& file);
// The path of the file before the operation.
std::string PathBefore(const std::string& folder, const HistoryOperation& operation,
                       const HistoryFile& file);

// Each file's name before and after the operation: names within the folder, full paths for
// a file in another folder or in the Trash; a turn and a shift name their file on both sides.
std::vector<FileRename> NamesOf(const HistoryOperation& operation);

// "2024-05-01 14:03", local time: when an operation was made.
std::string OperationTimeText(int64_t time);

// The records of a history file, as stored; an operation without an id as older versions
// wrote it (no id, step or companions).
// `born`: when the folder was made (nanoseconds since 1970), 0 when unknown and not written.
std::string EncodeHistoryFolder(const std::string& folder, uint64_t device, uint64_t inode,
                                int64_t born = 0);
std::string EncodeHistoryOperation(const HistoryOperation& operation);

struct ParsedHistory {
    std::string folder;  // empty when the folder record was lost
    uint64_t device = 0;
    uint64_t inode = 0;
    int64_t born = 0;  // when the folder was made; 0 when unknown
    // Every record, undos and redos included, oldest first. A record of an older version gets
    // its place among the records (from 1) as its id.
    std::vector<HistoryOperation> operations;
    size_t skippedBytes = 0;    // bytes of cut or damaged records
    bool olderRecords = false;  // some record was written without an id
};
ParsedHistory ParseHistory(std::string_view bytes);

// The identity a file has now, as HistoryFile keeps it; false when it is missing.
bool ReadIdentity(const std::string& path, HistoryFile& file);

// Where the history of `folder` (ending with '/') is kept: a name made from the folder's
// device, inode and path in the program's state folder. When no history bears that name, a
// history of the same device and inode is the folder's, renamed or moved on its disk (one of
// a deleted folder whose inode a new folder took is told apart: its recorded path no longer
// leads to the folder, and a file its newest operation left in the folder is still there, the
// very same file). Empty when the folder is missing or there is no state folder.
std::string HistoryPathOf(const std::string& folder);

// Whether the history of `folder` can be written now: the state folder is made when missing.
struct HistoryAccess {
    bool writable = false;
    std::string stateFolder;  // the state folder, or what stands for it when there is none
    int error = 0;            // errno of why it cannot be written; 0: there is no home folder
};
HistoryAccess CheckHistoryWritable(const std::string& folder);

// Appends a completed operation (or the undo or redo of one) to the history of `folder`: its
// id and time are set, and each file's identity read from where it now lies. A history found
// under the folder's former path is first taken over under the present one. Nothing is
// written for an operation without files. A history that cannot be written does not stop the
// operation: false says so.
bool RecordOperation(const std::string& folder, HistoryOperation operation);

// The operations of the history of `folder`, oldest first, each marked when it is undone; the
// records of undos and redos are left out.
std::vector<HistoryOperation> ReadHistory(const std::string& folder);
// Every record of the history of `folder`, undos and redos included.
ParsedHistory ReadHistoryRecords(const std::string& folder);

// A history file that outgrows this bound is written anew with its first operation and the
// newest that fit within half of it.
inline constexpr size_t kHistoryBound = 16 * 1024 * 1024;
// Tests and benchmarks: another bound, and histories switched off for the whole process.
void SetHistoryBound(size_t bound);
void SetHistoryEnabled(bool enabled);

// The renames of one operation within its folder, by file names; `companions[i]` tells that
// renames[i] is a companion of the nearest picture before it (none when empty).
HistoryOperation RenameOperation(OperationKind kind, const std::vector<FileRename>& renames,
                                 const std::vector<bool>& companions = {});
// An operation of no file yet, for the files to be added as they are turned or trashed (full
// paths, recorded by RecordByFolder): a turn by `angle`, or a delete to the Trash.
HistoryOperation TurnOperation(int angle);
HistoryOperation TrashOperation();
// An operation of no file yet: the dates of the files of `device` moved by `seconds`, each file
// added by its name within the folder on both sides (recorded by RecordOperation).
HistoryOperation ShiftOperation(int64_t seconds, const std::string& device);

// Records an operation whose files are named by full paths, which may lie in several folders
// (a turn or a delete of the command line): each folder's history gets its own files. Each
// file's old name is its full path; its new name too for a turn, its path in the Trash for a
// move to the Trash. A companion follows its picture, in the same folder.
void RecordByFolder(const HistoryOperation& operation);

// Records the pictures of `folder` that a transfer moved to `destination` (`outcomes` one per
// picture of `pictures`, in order), each with the companions that went along.
void RecordTransfer(const std::string& folder, const std::string& destination,
                    const std::vector<PictureEntry>& pictures,
                    const std::vector<TransferOutcome>& outcomes);

// The folder as the history knows it: its real path, ending with '/'; empty when missing.
std::string CanonicalFolder(const std::string& folder);

}  // namespace lumaro
