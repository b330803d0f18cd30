// The bytes of a rename journal. File names may hold any byte but '/' and NUL, newlines and
// tabs included, so every name is written with its length in front ("9:0001x.jpg") and read
// back by that length, never up to a separator:
//   lumaro-journal 2
//   P <file serial> <old> <temporary> <new>      one line per picture
//   C <file serial> <old> <temporary> <new>      one per companion, after its picture
//   end <count of P and C lines>
//   I <index> <size> <modification time>         where file numbers do not last, with the plan
//   T <index> <name>                             later temporary names, appended
//   R <name>                                     a placeholder about to be made, appended
// Only a journal that reached its "end" line counts: a shorter one was cut before any rename.
// Journals of version 1 (pictures only, without "C" lines) are still read: a crash of the
// previous program may have left one.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumaro {

struct JournalRecord {
    uint64_t serial = 0;  // the file's inode number when the plan was written; 0: no file
    std::string oldName;
    std::vector<std::string> temporaryNames;  // the planned one first, then later ones
    std::string newName;
    bool companion = false;  // a companion of the nearest picture before it: one group with it
    // Where file numbers do not outlive a mount, the file is known by its names, its size and
    // its modification time (nanoseconds since 1970) instead.
    bool identified = false;
    uint64_t size = 0;
    int64_t modified = 0;
};

std::string JournalHeader();
std::string EncodeJournalRecord(uint64_t serial, std::string_view oldName,
                                std::string_view temporaryName, std::string_view newName);
// The same, appended to `out`: a plan of thousands of pictures is written in one go.
void AppendJournalRecord(std::string& out, uint64_t serial, std::string_view oldName,
                         std::string_view temporaryName, std::string_view newName,
                         bool companion = false);
std::string JournalEnd(size_t count);
std::string EncodeTemporaryNote(size_t index, std::string_view name);
void AppendIdentityNote(std::string& out, size_t index, uint64_t size, int64_t modified);
std::string EncodePlaceholderNote(std::string_view name);

// The records of a complete journal; nothing when it is cut short, of another version, or
// holds anything that is not a record or a name that could not be one in a folder or that is
// the journal's own (or begins with it). A note (a later temporary name, a placeholder) whose
// line was cut short is left out; any other line after the end makes the journal unreadable.
// `placeholders`, when given, gets the names of the placeholders noted.
std::optional<std::vector<JournalRecord>> ParseJournal(
    std::string_view bytes, std::vector<std::string>* placeholders = nullptr);

// Whether the bytes are the beginning of a journal cut before its "end" line was whole,
// zeros at the end aside: one written when no rename of its operation had begun. Bytes that
// are neither this nor a complete journal (damaged, or written by another version of the
// program) cannot tell whether renames began.
bool IsJournalCutShort(std::string_view bytes);

// A file name that a journal may carry: not empty, not "." or "..", no '/' or NUL.
bool IsPlainFileName(std::string_view name);

}  // namespace lumaro
