// The one JSON document of a run with --json: every command, run or planned, fills it with the
// files it changed, would change, kept or refused, and main() prints it once with the exit code.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "cli/arguments.h"

namespace lumaro::cli {

// The version of the document's form, its "lumaro" field: raised when a field changes meaning.
inline constexpr int kReportVersion = 1;

enum class FileAction { Rename, Move, Turn, Trash, Delete, Restore, Shift };
enum class FileStatus { Planned, Done, Kept, Refused };

struct ReportedFile {
    std::string oldName;
    std::string newName;  // empty: none (deleted for good, a place in the Trash not known yet)
    FileStatus status = FileStatus::Done;
    std::string reason{};       // why it was kept or refused
    std::string companionOf{};  // the picture a companion goes with
    bool encodedAgain = false;  // a turn that could not be lossless
    std::string date{};         // a shift: the file's date before, and after
    std::string newDate{};
};

// Starts the document of `arguments`' command when --json asks for one; without it every
// other call here does nothing.
void StartReport(const Arguments& arguments);
bool Reporting();
// The folder the command works on, spelt with its trailing '/'; none for commands on files.
void ReportFolder(const std::string& folder);
// What each file of the command does, when not said otherwise: caption renames, move shifts.
void ReportAction(FileAction action);
// The file type of the pictures whose companions the reported renames name by their picture:
// a file that is not of the type goes with the picture whose name before the dot it bears.
void ReportCompanionsOfType(const std::string& fileType);
// A turn's angle, given to each file turned.
void ReportAngle(int angle);
void ReportFile(const ReportedFile& file);
// A field of the command's own: list's "pictures", slideshow's "project".
void ReportField(const std::string& field, nlohmann::json value);
// A field that holds a name or a path (with its "_hex" bytes when they are not UTF-8).
void ReportNameField(const std::string& field, const std::string& bytes);
// The first error said on stderr: the document's "reason" when the run does not end well.
void ReportError(const std::string& text);

// From now on, the renames made in `folder` (full paths, as RecordRename is told them) are
// reported as done, each file from the name it bore to the name it ends with: the temporary
// names of the renames in two passes fold away.
void RecordRenamesIn(const std::string& folder);
void RecordRename(const std::string& from, const std::string& to);

// Writes the document on stdout with its exit code, when one was started.
void PrintReport(int exitCode);

}  // namespace lumaro::cli
