// Reading lumaro-cli's command line: the options each command takes and the form of each value.
#include "cli/arguments.h"

#include <charconv>
#include <map>
#include <set>

#include "core/naming/numberedname.h"
#include "core/slideshow/slideshowtitle.h"

namespace lumaro::cli {

namespace {

// The options each command accepts besides --type and the options every command takes.
const std::map<std::string, std::set<std::string>>& commandOptions() {
    static const std::map<std::string, std::set<std::string>> options = {
        {"list", {"--by", "--dates", "--companions"}},
        {"date", {}},
        {"load", {"--format", "--by"}},
        {"caption", {"--select", "--caption", "--by", "--format"}},
        {"renumber", {"--select", "--start", "--width", "--by", "--format"}},
        {"move", {"--select", "--places", "--after", "--by", "--format"}},
        {"slideshow", {"--to", "--title-format", "--interval", "--effect", "--format"}},
        {"turn", {"--angle"}},
        {"transfer", {"--select", "--to", "--by"}},
        {"delete", {"--permanent", "--with-companions"}},
        {"history", {"--names"}},
        {"undo", {}},
        {"redo", {}},
    };
    return options;
}

// The options that take a value, whatever the command.
const std::set<std::string>& valueOptions() {
    static const std::set<std::string> options = {
        "--type",         "--by",       "--format", "--select", "--caption",
        "--start",        "--width",    "--places", "--after",  "--to",
        "--title-format", "--interval", "--effect", "--angle",  "--names"};
    return options;
}

// The options that take no value: the commands' own, and those every command takes.
const std::set<std::string>& switchOptions() {
    static const std::set<std::string> options = {
        "--dates",      "--permanent", "--companions", "--with-companions", "-n", "--dry-run",
        "--no-history", "--json",      "-q",           "--quiet",           "-v", "--verbose",
        "--wait"};
    return options;
}

bool allDigits(const std::string& text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

std::optional<long long> signedNumber(const std::string& text) {
    long long value = 0;
    const char* first = text.data() + (!text.empty() && text[0] == '+' ? 1 : 0);
    const auto [end, error] = std::from_chars(first, text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// Stores one option's value; the error text, or empty.
std::string store(Arguments& a, const std::string& option, const std::string& value) {
    if (option == "--type") {
        a.fileType = value;
    } else if (option == "--by") {
        if (value != "name" && value != "date") return "--by takes name or date";
        a.byDate = value == "date";
    } else if (option == "--format") {
        static const std::map<std::string, std::string> codes = {
            {"replace", "1"}, {"insert", "2"}, {"leave", "3"}};
        const auto code = codes.find(value);
        if (code == codes.end()) return "--format takes replace, insert or leave";
        a.format = code->second;
    } else if (option == "--select") {
        a.select = ParseRanges(value);
        if (!a.select) return "--select takes all or positions such as 3-5,8";
    } else if (option == "--caption") {
        a.caption = value;
    } else if (option == "--start") {
        if (!allDigits(value)) return "--start takes a number (digits only)";
        a.start = value;
    } else if (option == "--width") {
        if (!allDigits(value)) return "--width takes a number of digits (digits only)";
        a.width = value;
    } else if (option == "--places") {
        a.places = signedNumber(value);
        if (!a.places || *a.places == 0) return "--places takes a number of places other than 0";
    } else if (option == "--to") {
        if (value.empty()) return "--to takes a folder";
        a.to = value;
    } else if (option == "--title-format") {
        if (value != kTitleFormatDate && value != kTitleFormatText)
            return "--title-format takes Date or Text";
        a.titleFormat = value;
    } else if (option == "--interval" || option == "--effect") {
        if (!IsDigitsOnly(value)) return option + " takes milliseconds (digits only)";
        (option == "--interval" ? a.interval : a.effectDuration) = value;
    } else if (option == "--angle") {
        if (value != "90" && value != "180" && value != "270")
            return "--angle takes 90, 180 or 270";
        a.angle = std::stoi(value);
    } else if (option == "--names") {
        if (!allDigits(value) || value.size() > 6 || std::stoi(value) == 0)
            return "--names takes the number of an operation, from 1";
        a.names = std::stoi(value);
    } else if (option == "--after") {
        if (!allDigits(value)) return "--after takes a picture number (digits only)";
        a.after = value;
    }
    return {};
}

// What each command needs besides its options; the error text, or empty.
std::string checkComplete(const Arguments& a) {
    const bool onePath = a.command != "date" && a.command != "turn" && a.command != "delete";
    if (onePath && a.paths.size() != 1) return a.command + " takes one folder";
    if (!onePath && a.paths.empty()) return a.command + " takes one or more files";
    if (a.command == "slideshow") return a.to.empty() ? "slideshow needs --to" : "";
    const bool selects = a.command != "list" && a.command != "load" && a.command != "history" &&
                         a.command != "undo" && a.command != "redo";
    if (selects && onePath && !a.select) return a.command + " needs --select";
    if (a.command == "turn" && a.angle == 0) return "turn needs --angle";
    if (a.command == "transfer" && a.to.empty()) return "transfer needs --to";
    if (a.command == "caption" && !a.caption) return "caption needs --caption";
    if (a.command == "renumber" && a.start.empty()) return "renumber needs --start";
    if (a.command == "move" && a.places.has_value() == a.after.has_value())
        return "move needs either --places or --after";
    return {};
}

}  // namespace

ParsedArguments ParseArguments(const std::vector<std::string>& words) {
    Arguments a;
    bool help = false;
    bool version = false;
    std::vector<std::pair<std::string, std::string>> options;
    std::vector<std::string> switches;  // as typed, for the check against the command
    bool optionsEnded = false;
    for (size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        const bool isOption = !optionsEnded && word.size() > 1 && word[0] == '-';
        if (!isOption) {
            (a.command.empty() ? a.command : a.paths.emplace_back()) = word;
            continue;
        }
        const size_t equals = word.find('=');
        const std::string name = word.rfind("--", 0) == 0 ? word.substr(0, equals) : word;
        if (word == "--") {
            optionsEnded = true;
        } else if (word == "-h" || word == "--help") {
            help = true;
        } else if (word == "--version") {
            version = true;
        } else if (switchOptions().count(word)) {
            switches.push_back(word);
        } else if (valueOptions().count(name)) {
            // The value is the next word as it is, even "--" or one that begins with '-'.
            if (equals != std::string::npos) {
                options.emplace_back(name, word.substr(equals + 1));
            } else if (i + 1 < words.size()) {
                options.emplace_back(name, words[++i]);
            } else {
                return {{}, name + " needs a value"};
            }
        } else {
            return {{}, "unknown option '" + word + "'"};
        }
    }
    const auto known = commandOptions().find(a.command);
    if (help) {
        a.helpFor = known == commandOptions().end() ? "" : a.command;
        a.command = "help";
        return {a, {}};
    }
    if (version) {
        a.command = "version";
        return {a, {}};
    }
    if (known == commandOptions().end())
        return {{}, a.command.empty() ? "no command given" : "unknown command " + a.command};
    for (const std::string& word : switches) {
        if (word == "-q" || word == "--quiet") {
            a.quiet = true;
        } else if (word == "-v" || word == "--verbose") {
            a.verbose = true;
        } else if (word == "-n" || word == "--dry-run") {
            if (!ChangesFiles(a.command)) return {{}, a.command + " does not take " + word};
            a.dryRun = true;
        } else if (word == "--wait") {
            if (!ChangesFiles(a.command)) return {{}, a.command + " does not take " + word};
            a.wait = true;
        } else if (word == "--no-history") {
            if (!ChangesFiles(a.command)) return {{}, a.command + " does not take " + word};
            a.noHistory = true;
        } else if (word == "--json") {
            a.json = true;
        } else if (!known->second.count(word)) {
            return {{}, a.command + " does not take " + word};
        } else {
            (word == "--dates"        ? a.dates
             : word == "--permanent"  ? a.permanent
             : word == "--companions" ? a.companions
                                      : a.withCompanions) = true;
        }
    }
    if (a.json && a.command != "list" && a.command != "date" && a.command != "history" && !a.dryRun)
        return {{}, "--json goes with list, date, history and --dry-run"};
    for (const auto& [option, value] : options) {
        if (option != "--type" && !known->second.count(option))
            return {{}, a.command + " does not take " + option};
        if (std::string error = store(a, option, value); !error.empty()) return {{}, error};
    }
    if (std::string error = checkComplete(a); !error.empty()) return {{}, error};
    return {a, {}};
}

bool ChangesFiles(const std::string& command) {
    return command != "list" && command != "date" && command != "history" &&
           commandOptions().count(command);
}

namespace {

constexpr const char* kUsageHead = R"usage(Usage: lumaro-cli [OPTION]... COMMAND ARGUMENT...
Gives the pictures of a folder numbered names, as the Lumaro window does. EXT is the
picture file type (default jpg), matched in any letter case. Positions are places in the
listing, from 1; RANGES is "all" or positions and ranges such as 3-5,8. Commands that
rename load the folder first (as the window does) and then work on the list in name
order, or in picture-date order with --by date; they print the new listing afterwards.
The load gives numbered names one number width and numbers the others; everything is
checked on the names it would give before it renames, and its renames are told on stderr.

)usage";

// Each command's form, what it does and an example, in the order of the full help.
constexpr std::pair<const char*, const char*> kCommandUsage[] = {
    {"list", R"usage(  list DIR [--by name|date] [--dates] [--companions] [--json]
      The pictures in listing order; with --dates, the picture date, a TAB, the name; with
      --companions, each picture's companion files (its raw file, video, sidecars: the other
      files named after it followed by a dot), each on a line under it after a TAB (with
      --json, in the picture's "companions").
      lumaro-cli list ~/Pictures/Italy --by date --dates
)usage"},
    {"date", R"usage(  date FILE... [--json]
      The date of each file: the moment the picture was taken (read from the Exif data of
      JPEG, TIFF and raw, PNG, WebP and HEIF pictures), else "FD" and the file date.
      lumaro-cli date ~/Pictures/Italy/*.jpg
)usage"},
    {"load", R"usage(  load DIR [--format replace|insert|leave] [--by name|date]
      Loads the folder; an unnumbered folder is numbered as --format says, in the order
      --by says (without --format it is left alone, exit 2).
      lumaro-cli load ~/Pictures/Italy --format replace --by date
)usage"},
    {"caption", R"usage(  caption DIR --select RANGES --caption TEXT
      Gives the selected pictures the caption (empty: number only).
      lumaro-cli caption ~/Pictures/Italy --select 3-5,8 --caption "Roma"
)usage"},
    {"renumber", R"usage(  renumber DIR --select RANGES --start N [--width W]
      Numbers the selected pictures from N on, with W digits (2 to 6); without --width,
      with the folder's present number width, as the window proposes.
      lumaro-cli renumber ~/Pictures/Italy --select 10-20 --start 100
)usage"},
    {"move", R"usage(  move DIR --select RANGES (--places N | --after NUMBER)
      Moves the block N places (negative: towards the start; as far as it can go), or
      behind the picture numbered NUMBER (0: to the start), and renumbers the pictures in
      their new order.
      lumaro-cli move ~/Pictures/Italy --select 7-9 --after 2
)usage"},
    {"slideshow",
     R"usage(  slideshow DIR --to FOLDER [--title-format Date|Text] [--interval MS] [--effect MS]
      Loads the folder (an unnumbered one needs --format, as for load) and writes
      FOLDER/<folder name>.ss (Root.ss for "/"), a project for the slide-show player with
      every picture in name order, and prints its path. The caption of every
      slide is the folder name; with Text, a leading date goes behind it ("2006-07 Italie"
      gives "Italie (2006-07 )"). MS: display interval (4000) and effect duration (1200).
      FOLDER is created when missing, one level only; "/" means "/Slide shows/". Names
      with a line break are refused: they would cut their slide line in two.
      lumaro-cli slideshow ~/Pictures/Italy --to ~/Slide\ shows --interval 5000
)usage"},
    {"turn", R"usage(  turn FILE... --angle 90|180|270
      Turns each picture clockwise as it is shown, as the window does: a JPEG
      without loss where its sides allow, another type (PNG, TIFF, WebP) encoded
      again in its own format; the file keeps its name, permissions and date.
      lumaro-cli turn ~/Pictures/Italy/0007--.jpg --angle 90
)usage"},
    {"transfer", R"usage(  transfer DIR --select RANGES --to DEST [--by name|date]
      Moves the selected pictures to DEST (created when missing): each is copied under
      a free name ("IMG_1 (2).jpg" when the name is taken), verified, then deleted; its
      companion files go along under the same name ("IMG_1 (2).NEF").
      lumaro-cli transfer ~/Pictures/Italy --select 3-5 --to ~/Pictures/Rome
)usage"},
    {"delete", R"usage(  delete FILE... [--permanent] [--with-companions]
      Moves each file to the desktop Trash, where the file manager restores it, and
      prints where it lies there. With --permanent, deletes each file for good instead;
      a file the Trash cannot take is left in place unless --permanent is given. With
      --with-companions, each picture's companion files go with it; without, they stay.
      lumaro-cli delete ~/Pictures/Italy/0007--.jpg
)usage"},
    {"history", R"usage(  history DIR [--names N]
      The operations that renamed, moved out, turned or deleted pictures of the folder,
      numbered from 1, the most recent: number, time, kind and count, TAB-separated, and
      "undone" after an operation that is undone (and not redone). With
      --names, each file's name before and after operation N, a TAB between them: the
      names the camera gave stay findable.
      lumaro-cli history ~/Pictures/Italy --names 3
)usage"},
    {"undo", R"usage(  undo DIR [--dry-run]
      Undoes the most recent operation of the folder not undone yet whose files are all
      still as it left them (renamed back, moved back, turned back, or taken back from the
      Trash); each undo steps one operation further back. A picture goes back with its
      companions: where its name is taken again, they all take one free name ("IMG_1 (2)"),
      or, from the Trash, they all stay there (named, exit 3). Nothing is done when no
      operation is intact (exit 2). With --dry-run, prints each file's present and new
      name, a TAB between them (a turn: "FILE<TAB>FILE turned A clockwise"), with the exit
      code the undo would give, and touches nothing.
      lumaro-cli undo ~/Pictures/Italy --dry-run
)usage"},
    {"redo", R"usage(  redo DIR [--dry-run]
      Takes back the last undo of the folder, as long as its files are still as the undo
      left them; a new operation ends what can be redone. Output as for undo.
      lumaro-cli redo ~/Pictures/Italy
)usage"},
};

constexpr const char* kCommonOptions = R"usage(
Options of every command:
  --type EXT      the picture file type (default jpg); all: every picture and video
                  type in one numbering, a raw file or video of a picture's name with it
  -n, --dry-run   (commands that change files) print the plan and change nothing: one
                  line per file, the old name, a TAB, the new name; the load's own
                  renames included, an interrupted operation's finish too. transfer
                  prints source TAB destination, each companion after its picture,
                  turn "FILE<TAB>FILE turned A clockwise", delete "FILE<TAB>(Trash)"
                  or "(deleted for good)", slideshow the project's path last. Files
                  the run would keep are named on stderr as the run names them. The
                  exit code is the one the run would give. With --json: "renames" (a
                  companion's naming its picture in "companion_of") and "kept" (with
                  each file's reason).
  --wait          (commands that change files) while another Lumaro is changing the
                  folder, wait for it to finish rather than stop at once (exit 1)
  --no-history    (commands that change files) go on when the folder's history cannot be
                  written (the state folder missing and not creatable, read-only, or no
                  home): without it such a command is refused (exit 2) before it changes
                  anything; with it, nothing is recorded and the operation cannot be undone
  --json          (list, date, history and --dry-run) one JSON document on stdout
  -q, --quiet     no messages on stderr but errors
  -v, --verbose   each rename told on stderr as it happens
  -h, --help      this help; COMMAND --help: that command's help only
  --version       the version
  --              ends the options: every word after it is a folder or a file
An option's value is the next word as it is, even when it begins with '-'.
)usage";

constexpr const char* kUsageTail = R"usage(
Every command that renames pictures renames their companion files with them, all or none,
and lists them under their pictures after a TAB. Every picture takes one line: in names,
paths and dates a line feed, a tab, a carriage return and the other control characters are
written \n, \t, \r and \xHH, a backslash \\.
Every error line on stderr begins with "lumaro-cli: ".

Exit codes:
  0  done
  1  wrong usage, a position past the end, a path that does not exist, a folder that
     cannot be read, a slide show that cannot be written, a write error on stdout, or
     another Lumaro changing the folder ("another Lumaro is changing this folder"; nothing
     was changed, --wait waits instead)
  2  refused by a rule, or no picture of the type
  3  done, but some pictures kept their names, or were not turned, moved or deleted
     (named on stderr)
After 1 or 2 nothing was renamed or moved, not even by the load.
)usage";

}  // namespace

std::string UsageText() {
    std::string text = kUsageHead;
    for (const auto& [command, usage] : kCommandUsage) text += usage;
    return text + kCommonOptions + kUsageTail;
}

std::string CommandUsageText(const std::string& command) {
    for (const auto& [name, usage] : kCommandUsage) {
        if (name == command)
            return std::string("Usage: lumaro-cli [OPTION]... COMMAND ARGUMENT...\n") + usage +
                   kCommonOptions + kUsageTail;
    }
    return UsageText();
}

}  // namespace lumaro::cli
