// The command line of lumaro-cli, read into one record; only its form is checked here, the
// folder and the naming rules are the commands' business.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cli/ranges.h"
#include "core/settings/constants.h"

namespace lumaro::cli {

struct Arguments {
    std::string command;  // list, date, devices, load, caption, renumber, move, slideshow, turn,
                          // transfer, delete, shift, history, undo, redo, help, version
    std::string fileType = "jpg";       // as typed; matched in any letter case
    std::vector<std::string> paths;     // DIR, or the FILEs of `date`, `turn` and `delete`
    bool byDate = false;                // --by date
    bool dates = false;                 // --dates
    bool permanent = false;             // --permanent: delete for good, not to the Trash
    bool companions = false;            // --companions: list each picture's companions
    bool withCompanions = false;        // --with-companions: delete them with their pictures
    std::optional<std::string> format;  // "1" replace, "2" insert, "3" leave
    std::optional<Ranges> select;
    std::vector<std::string> pictureNames;  // --name (repeatable), then --select-from's names
    std::string selectFrom;                 // --select-from: a file of names, "-" for stdin
    bool nullSeparated = false;             // -0, --null: names end with a NUL, not a line feed
    std::optional<std::string> caption;
    std::string start;  // --start, digits
    std::string width;  // --width, digits or empty
    std::optional<long long> places;
    std::optional<std::string> after;  // --after, digits
    // --to: the folder of `slideshow`, the destination of `transfer`, the true date and time
    // of shift's picture ("YYYY:MM:DD HH:MM:SS")
    std::string to;
    std::string device;              // shift --device: a device name as `devices` lists it
    std::optional<int64_t> shiftBy;  // shift --by, in seconds
    int shiftPicture = 0;            // shift --select N: its place in name order, from 1
    std::string titleFormat = kDefaultTitleFormat;        // --title-format, Date or Text
    std::string interval = kDefaultDisplayInterval;       // --interval, digits (may be empty)
    std::string effectDuration = kDefaultEffectDuration;  // --effect, digits (may be empty)
    int angle = 0;                                        // --angle: 90, 180 or 270
    bool dryRun = false;     // --dry-run, -n: print the plan, change nothing
    bool wait = false;       // --wait: wait while another Lumaro changes the folder
    bool noHistory = false;  // --no-history: go on when the history cannot be written
    bool json = false;       // --json: one JSON document on stdout
    bool quiet = false;      // --quiet, -q: no messages but errors
    bool verbose = false;    // --verbose, -v: each rename told as it happens
    int names = 0;           // history --names N: the names of operation N (1: the most recent)
    std::string helpFor;     // help: the command whose help only is asked for, or empty
};

// The arguments, or the text of what is wrong with them.
struct ParsedArguments {
    std::optional<Arguments> arguments;
    std::string error;
};
ParsedArguments ParseArguments(const std::vector<std::string>& words);

// The seconds of a clock correction "[+|-][D:]HH:MM:SS" (days, then hours under 24; without
// days, hours up to 99); nothing when the text has another form or is 0.
std::optional<int64_t> ParseShiftAmount(const std::string& text);

// The usage text of --help, with an example of each command.
std::string UsageText();
// The help of one command only (COMMAND --help): its form, its example and the options every
// command takes.
std::string CommandUsageText(const std::string& command);
// Whether `command` changes files, and so takes --dry-run.
bool ChangesFiles(const std::string& command);
// Whether `command` works on pictures chosen by place or name (--select, --name).
bool SelectsPictures(const std::string& command);

}  // namespace lumaro::cli
