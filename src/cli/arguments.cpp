// Reading lumaro-cli's command line: the options each command takes and the form of each value.
#include "cli/arguments.h"

#include <charconv>
#include <map>
#include <set>

#include "core/clockshift/shiftdates.h"
#include "core/naming/numberedname.h"
#include "core/slideshow/slideshowtitle.h"

namespace lumaro::cli {

namespace {

// The options each command accepts besides --type and the options every command takes.
const std::map<std::string, std::set<std::string>>& commandOptions() {
    static const std::map<std::string, std::set<std::string>> options = {
        {"list", {"--by", "--dates", "--companions", "-0", "--null"}},
        {"date", {}},
        {"devices", {}},
        {"load", {"--format", "--by"}},
        {"caption", {"--caption", "--by", "--format"}},
        {"renumber", {"--start", "--width", "--by", "--format"}},
        {"move", {"--places", "--after", "--by", "--format"}},
        {"slideshow", {"--to", "--title-format", "--interval", "--effect", "--format"}},
        {"turn", {"--angle"}},
        {"transfer", {"--to", "--by"}},
        {"delete", {"--permanent", "--with-companions"}},
        {"shift", {"--device", "--by", "--select", "--to"}},
        {"history", {"--names"}},
        {"undo", {}},
        {"redo", {}},
    };
    return options;
}

// The options of every command that works on chosen pictures.
const std::set<std::string>& selectionOptions() {
    static const std::set<std::string> options = {"--select", "--name", "--select-from", "-0",
                                                  "--null"};
    return options;
}

bool takes(const std::string& command, const std::string& option) {
    const auto known = commandOptions().find(command);
    return (known != commandOptions().end() && known->second.count(option)) ||
           (SelectsPictures(command) && selectionOptions().count(option));
}

// The options that take a value, whatever the command.
const std::set<std::string>& valueOptions() {
    static const std::set<std::string> options = {
        "--type",   "--by",     "--format", "--select", "--caption",      "--start",
        "--width",  "--places", "--after",  "--to",     "--title-format", "--interval",
        "--effect", "--angle",  "--names",  "--name",   "--select-from",  "--device"};
    return options;
}

// The options that take no value: the commands' own, and those every command takes.
const std::set<std::string>& switchOptions() {
    static const std::set<std::string> options = {
        "--dates",      "--permanent", "--companions", "--with-companions", "-n", "--dry-run",
        "--no-history", "--json",      "-q",           "--quiet",           "-v", "--verbose",
        "--wait",       "-0",          "--null"};
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

// Stores one of shift's options; the error text, or empty.
std::string storeShift(Arguments& a, const std::string& option, const std::string& value) {
    if (option == "--device") {
        if (value.empty()) return "--device takes a device name as devices lists it";
        a.device = value;
    } else if (option == "--by") {
        a.shiftBy = ParseShiftAmount(value);
        if (!a.shiftBy)
            return "--by takes an amount other than 0 such as +1:00:00, -0:30:00 or +2:03:00:00 "
                   "([+|-][D:]HH:MM:SS), not '" +
                   value + "'";
    } else if (option == "--select") {
        if (!allDigits(value) || value.size() > 9 || std::stoi(value) == 0)
            return "shift --select takes the place of one picture, from 1";
        a.shiftPicture = std::stoi(value);
    } else if (option == "--to") {
        if (!SecondsBetween(value, value))
            return "--to takes a date and time such as \"2024:07:14 15:30:00\", not '" + value +
                   "'";
        a.to = value;
    }
    return {};
}

// Stores one option's value; the error text, or empty.
std::string store(Arguments& a, const std::string& option, const std::string& value) {
    if (a.command == "shift" && option != "--type") return storeShift(a, option, value);
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
        if (!a.select) return "--select takes all, last or positions such as 3-5,8 or 10-";
    } else if (option == "--name") {
        if (value.empty()) return "--name takes a file name";
        a.pictureNames.push_back(value);
    } else if (option == "--select-from") {
        if (value.empty()) return "--select-from takes a file, or - for standard input";
        a.selectFrom = value;
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

// shift needs a device and an amount, or a picture and its true time.
std::string checkShift(const Arguments& a) {
    const bool byDevice = !a.device.empty() || a.shiftBy,
               byPicture = a.shiftPicture || !a.to.empty();
    if (byDevice == byPicture)
        return "shift needs either --device with --by, or --select with --to";
    if (byDevice && (a.device.empty() || !a.shiftBy)) return "shift needs both --device and --by";
    if (byPicture && (!a.shiftPicture || a.to.empty())) return "shift needs both --select and --to";
    return {};
}

// What each command needs besides its options; the error text, or empty.
std::string checkComplete(const Arguments& a) {
    const bool onePath = a.command != "date" && a.command != "turn" && a.command != "delete";
    if (onePath && a.paths.size() != 1) return a.command + " takes one folder";
    if (!onePath && a.paths.empty()) return a.command + " takes one or more files";
    if (a.command == "slideshow") return a.to.empty() ? "slideshow needs --to" : "";
    if (SelectsPictures(a.command) && !a.select && a.pictureNames.empty() && a.selectFrom.empty())
        return a.command + " needs --select, --name or --select-from";
    if (a.command == "turn" && a.angle == 0) return "turn needs --angle";
    if (a.command == "shift") return checkShift(a);
    if (a.command == "transfer" && a.to.empty()) return "transfer needs --to";
    if (a.command == "caption" && !a.caption) return "caption needs --caption";
    if (a.command == "renumber" && a.start.empty()) return "renumber needs --start";
    if (a.command == "move" && a.places.has_value() == a.after.has_value())
        return "move needs either --places or --after";
    return {};
}

// The command line split into the command, its paths, its switches and its options with
// values, before any is checked against the command.
struct Words {
    std::vector<std::pair<std::string, std::string>> switches;  // the long name, and as typed
    std::vector<std::pair<std::string, std::string>> options;   // the name and its value
};

// The letters of the short options, which may be bundled ("-qn" for "-q -n").
const std::map<char, std::string>& shortOptions() {
    static const std::map<char, std::string> letters = {{'h', "--help"},    {'V', "--version"},
                                                        {'n', "--dry-run"}, {'q', "--quiet"},
                                                        {'v', "--verbose"}, {'0', "--null"}};
    return letters;
}

std::string readShortOptions(const std::string& word, Words& words) {
    for (size_t k = 1; k < word.size(); ++k) {
        const auto letter = shortOptions().find(word[k]);
        if (letter == shortOptions().end())
            return "unknown option '-" + std::string(1, word[k]) + "'" +
                   (word.size() > 2 ? " in '" + word + "'" : "");
        words.switches.emplace_back(letter->second, "-" + std::string(1, word[k]));
    }
    return {};
}

// Sorts the words; the error text, or empty. An option's value is the next word as it is,
// even "--" or one that begins with '-'.
std::string readWords(const std::vector<std::string>& all, Arguments& a, Words& words) {
    bool optionsEnded = false;
    for (size_t i = 0; i < all.size(); ++i) {
        const std::string& word = all[i];
        if (optionsEnded || word.size() < 2 || word[0] != '-') {
            (a.command.empty() ? a.command : a.paths.emplace_back()) = word;
            continue;
        }
        if (word == "--") {
            optionsEnded = true;
            continue;
        }
        if (word[1] != '-') {
            if (std::string error = readShortOptions(word, words); !error.empty()) return error;
            continue;
        }
        const size_t equals = word.find('=');
        const std::string name = word.substr(0, equals);
        if (valueOptions().count(name)) {
            if (equals == std::string::npos && i + 1 == all.size()) return name + " needs a value";
            words.options.emplace_back(
                name, equals == std::string::npos ? all[++i] : word.substr(equals + 1));
        } else if (switchOptions().count(word) || word == "--help" || word == "--version") {
            words.switches.emplace_back(word, word);
        } else {
            return "unknown option '" + word + "'";
        }
    }
    return {};
}

// Applies the switches that take no value; the error text, or empty.
std::string applySwitches(const Words& words, Arguments& a) {
    for (const auto& [option, typed] : words.switches) {
        const bool takenByChanges =
            option == "--dry-run" || option == "--wait" || option == "--no-history";
        if (takenByChanges && !ChangesFiles(a.command))
            return a.command + " does not take " + typed;
        if (option == "--quiet") {
            a.quiet = true;
        } else if (option == "--verbose") {
            a.verbose = true;
        } else if (option == "--json") {
            a.json = true;
        } else if (takenByChanges) {
            (option == "--dry-run" ? a.dryRun : option == "--wait" ? a.wait : a.noHistory) = true;
        } else if (!takes(a.command, option)) {
            return a.command + " does not take " + typed;
        } else {
            (option == "--dates"        ? a.dates
             : option == "--permanent"  ? a.permanent
             : option == "--null"       ? a.nullSeparated
             : option == "--companions" ? a.companions
                                        : a.withCompanions) = true;
        }
    }
    return {};
}

// help, --help and --version, which need nothing else; nothing when the line asks none.
std::optional<ParsedArguments> helpOrVersion(const Words& words, Arguments a) {
    const auto asked = [&words](const char* option) {
        for (const auto& [name, typed] : words.switches) {
            if (name == option) return true;
        }
        return false;
    };
    const bool known = commandOptions().count(a.command) > 0;
    if (a.command == "help") {
        if (a.paths.size() > 1) return ParsedArguments{{}, "help takes one command"};
        if (!a.paths.empty() && !commandOptions().count(a.paths.front()))
            return ParsedArguments{{}, "unknown command " + a.paths.front()};
        a.helpFor = a.paths.empty() ? "" : a.paths.front();
        return ParsedArguments{a, {}};
    }
    if (asked("--help")) {
        a.helpFor = known ? a.command : "";
        a.command = "help";
        return ParsedArguments{a, {}};
    }
    if (!asked("--version")) return std::nullopt;
    a.command = "version";
    return ParsedArguments{a, {}};
}

}  // namespace

ParsedArguments ParseArguments(const std::vector<std::string>& all) {
    Arguments a;
    Words words;
    const std::string wordsError = readWords(all, a, words);
    if (std::optional<ParsedArguments> asked = helpOrVersion(words, a)) return *asked;
    if (!wordsError.empty()) return {{}, wordsError};
    if (!commandOptions().count(a.command))
        return {{}, a.command.empty() ? "no command given" : "unknown command " + a.command};
    if (std::string error = applySwitches(words, a); !error.empty()) return {{}, error};
    for (const auto& [option, value] : words.options) {
        if (option != "--type" && !takes(a.command, option))
            return {{}, a.command + " does not take " + option};
        if (std::string error = store(a, option, value); !error.empty()) return {{}, error};
    }
    if (std::string error = checkComplete(a); !error.empty()) return {{}, error};
    return {a, {}};
}

std::optional<int64_t> ParseShiftAmount(const std::string& text) {
    const size_t sign = !text.empty() && (text[0] == '+' || text[0] == '-') ? 1 : 0;
    std::vector<std::string> parts;
    for (size_t from = sign;;) {
        const size_t colon = text.find(':', from);
        parts.push_back(text.substr(from, colon - from));
        if (colon == std::string::npos) break;
        from = colon + 1;
    }
    if (parts.size() != 3 && parts.size() != 4) return std::nullopt;
    const size_t h = parts.size() - 3;  // where the hours are: after the days, if any
    const auto digits = [](const std::string& part, size_t fewest, size_t most) {
        return allDigits(part) && part.size() >= fewest && part.size() <= most;
    };
    if ((h && !digits(parts[0], 1, 7)) || !digits(parts[h], 1, 2) || !digits(parts[h + 1], 2, 2) ||
        !digits(parts[h + 2], 2, 2))
        return std::nullopt;
    const int64_t days = h ? std::stoll(parts[0]) : 0, hours = std::stoll(parts[h]);
    const int64_t minutes = std::stoll(parts[h + 1]), seconds = std::stoll(parts[h + 2]);
    if ((h && hours > 23) || minutes > 59 || seconds > 59) return std::nullopt;
    const int64_t total = ((days * 24 + hours) * 60 + minutes) * 60 + seconds;
    if (total == 0) return std::nullopt;
    return sign && text[0] == '-' ? -total : total;
}

bool SelectsPictures(const std::string& command) {
    return command == "caption" || command == "renumber" || command == "move" ||
           command == "transfer";
}

bool ChangesFiles(const std::string& command) {
    return command != "list" && command != "date" && command != "devices" && command != "history" &&
           commandOptions().count(command);
}

}  // namespace lumaro::cli
