// The commands of lumaro-cli. Each changes files only through the operations the window's
// handlers run (src/operations), and returns the exit code.
#pragma once

#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "cli/arguments.h"
#include "cli/exitcode.h"
#include "cli/report.h"
#include "core/files/fileoperations.h"
#include "core/locking/folderlock.h"
#include "core/naming/picturelist.h"
#include "core/renaming/folderload.h"
#include "core/settings/languagetable.h"
#include "operations/folderrun.h"
#include "operations/renameoutcome.h"

namespace lumaro::cli {

int RunList(const Arguments& arguments, const LanguageTable& messages);
int RunDate(const Arguments& arguments, const LanguageTable& messages);
// devices: each device that took pictures of the folder, with their count, first and last date.
int RunDevices(const Arguments& arguments, const LanguageTable& messages);
// load, caption, renumber and move.
int RunNaming(const Arguments& arguments, const LanguageTable& messages);
// turn and transfer.
int RunTurn(const Arguments& arguments, const LanguageTable& messages);
int RunTransfer(const Arguments& arguments, const LanguageTable& messages);
// delete: to the Trash, or permanently with --permanent; companions only with --with-companions.
int RunDelete(const Arguments& arguments, const LanguageTable& messages);
// shift: the dates inside the files of one device moved by an amount, renaming nothing.
int RunShift(const Arguments& arguments, const LanguageTable& messages);

// history, undo and redo: the folder's operations, undoing the newest one still intact and
// not undone, and taking back the last undo.
int RunHistory(const Arguments& arguments, const LanguageTable& messages);
int RunUndo(const Arguments& arguments, const LanguageTable& messages);
int RunRedo(const Arguments& arguments, const LanguageTable& messages);

// slideshow: the project file of the folder's pictures for the slide-show player.
int RunSlideShow(const Arguments& arguments, const LanguageTable& messages);

// What the window's folder load of a command would do, found before anything is renamed.
struct FolderPlan {
    NamingPlan load;          // the load's renames and how it would end
    LoadFolderResult result;  // what the plan found: its renames by picture, for a listing by date
    // A dry run: the renames that finishing an interrupted operation would make first.
    std::vector<FileRename> repair;
    // A run: the pictures that finishing an interrupted operation could not rename.
    std::vector<OutcomeFile> repairKept;
};
// The plan of the window's folder load of list.currentFolder for a command, made before the
// load renames anything: `list` gets the names the load would give, so that the command checks
// its arguments and rules on them first. A run first finishes an interrupted operation (and
// says what it renamed); a dry run leaves it as it is and only tells it. kDone when the load
// may go ahead, otherwise the exit code after saying why.
int PlanFolderForCommand(const Arguments& arguments, const LanguageTable& messages,
                         PictureList& list, FolderPlan& plan);
// The window's folder load itself: kDone when the list is ready, otherwise the exit code after
// saying why. The pictures that kept their names go to `kept`; pictures it gave the folder's
// number width or a number are told on stderr.
int LoadFolderForCommand(const Arguments& arguments, const LanguageTable& messages,
                         PictureList& list, std::vector<OutcomeFile>& kept);
// How the command's operations run: without the history's check with --no-history.
RunOptions RunOptionsFor(const Arguments& arguments);

// Output shared by the commands: messages go to stderr, listings to stdout.
// --quiet and --verbose for the whole run; verbose tells each rename as it happens.
void SetMessageLevel(bool quiet, bool verbose);
// An error or a warning: every line of it on stderr begins with "lumaro-cli: ".
void Say(const std::string& text);
// A message that is no error (what the load renamed, a move that could not go further):
// as Say, but not with --quiet.
void Tell(const std::string& text);
void SayWithNames(const LanguageTable& messages, int key, const std::vector<std::string>& names);
// The pictures that kept their names, one "old -> new (why)" line each; in the JSON document,
// each with `status`.
void SayKept(const LanguageTable& messages, const std::vector<OutcomeFile>& kept,
             FileStatus status = FileStatus::Kept);
// The files an operation kept or refused, in the JSON document only.
void ReportKept(const LanguageTable& messages, const std::vector<OutcomeFile>& kept,
                FileStatus status = FileStatus::Kept);
// What an operation's outcome has to say, on stderr: its message with its details, then the
// files it kept; returns its exit code (ExitCodeFor).
int SayOutcome(const LanguageTable& messages, const Outcome& outcome);
// Why a file was kept: the text of its message key, or else of its errno.
std::string ReasonOf(const LanguageTable& messages, const OutcomeFile& file);
// "name (why)".
std::string NameWithReason(const LanguageTable& messages, const OutcomeFile& file);
// One line per picture; with `withCompanions`, each companion on a line under it after a TAB.
void PrintListing(const std::vector<PictureEntry>& entries, bool withCompanions = true);
// What a dry run adds to its renames: a last line (the slide show's path), and line by line
// the picture a companion goes with (empty for a picture). The files the run would leave as
// they are the caller names on stderr as the run does (SayKept).
struct PlanNote {
    std::string lastLine;
    std::vector<std::string> companionOf;
};
// The plan of a dry run on stdout, one line per file, the old name, a TAB, the new name (both
// escaped as every name on one line); with --json, each file planned in the document. Returns
// `code`, the exit code the real run would give.
int PrintPlan(const std::vector<FileRename>& renames, int code, const PlanNote& note = {});
// The file type and folder checks every command makes first; kDone when they pass.
int CheckFileType(const std::string& fileType, const LanguageTable& messages);
// "cannot read folder 'x': Not a directory" and kUsage when `folder` is no folder.
int CheckFolderExists(const std::string& folder);
int CheckFileExists(const std::string& path);
// Says why `folder` cannot be read, on one line; returns kUsage.
int SayFolderUnreadable(const std::string& folder);

// The lock of the folders a command changes, taken before the command reads them, so that
// its plan cannot go stale, and held to its end; none for a dry run, which changes nothing.
// Empty after saying that another Lumaro is changing one of them (exit kUsage).
std::optional<FolderLock> LockForCommand(const Arguments& arguments,
                                         const std::vector<std::string>& folders);
// What the command line says when another program holds a folder it was to change.
void SayFolderBusy();

}  // namespace lumaro::cli
