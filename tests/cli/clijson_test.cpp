// lumaro-cli as scripts use it: one JSON document of one form for every command, planned and
// run, and pictures chosen by name through a pipe, checked on disk.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <nlohmann/json.hpp>
#include <set>

#include "clirun.h"
#include "picturefolder.h"
#include "realpictures.h"
#include "turnjpegs.h"

namespace lumaro {
namespace {

using clitest::CliRun;
using clitest::RunCli;
using clitest::RunProgram;
using json = nlohmann::json;
using Names = std::vector<std::string>;

bool exists(const std::string& path) {
    struct stat st;
    return lstat(path.c_str(), &st) == 0;
}

// The bytes a name field stands for: its "_hex" twin when the name is not UTF-8.
std::string bytesOf(const json& object, const std::string& field) {
    const std::string text = object.at(field).get<std::string>();
    if (!object.contains(field + "_hex")) return text;
    const std::string hex = object.at(field + "_hex").get<std::string>();
    EXPECT_EQ(hex.size() % 2, 0u) << hex;
    std::string bytes;
    for (size_t at = 0; at + 1 < hex.size(); at += 2)
        bytes += static_cast<char>(std::stoi(hex.substr(at, 2), nullptr, 16));
    EXPECT_NE(bytes, text) << "a _hex twin beside a name that is UTF-8 already";
    return bytes;
}

// A file's path on disk: a name within the document's folder, or a path already.
std::string pathOf(const json& document, const json& file, const std::string& field) {
    const std::string name = bytesOf(file, field);
    if (!document.at("folder").is_string() || name.front() == '/') return name;
    return bytesOf(document, "folder") + name;
}

// One file of a command that changes files: its fields and values of the documented form,
// and, done, where it is now on disk.
void checkFile(const json& document, const json& file, bool dryRun) {
    static const std::set<std::string> fields = {
        "old",      "old_hex", "new",     "new_hex",      "action",
        "status",   "reason",  "angle",   "companion_of", "companion_of_hex",
        "lossless", "date",    "new_date"};
    for (const auto& [field, value] : file.items()) EXPECT_TRUE(fields.count(field)) << field;
    const std::string action = file.at("action"), status = file.at("status");
    EXPECT_TRUE(
        std::set<std::string>({"rename", "move", "turn", "trash", "delete", "restore", "shift"})
            .count(action));
    const std::set<std::string> statuses = dryRun
                                               ? std::set<std::string>{"planned", "kept", "refused"}
                                               : std::set<std::string>{"done", "kept", "refused"};
    EXPECT_TRUE(statuses.count(status)) << status;
    EXPECT_TRUE(file.at("new").is_string() || file.at("new").is_null());
    if (action == "turn") {
        EXPECT_TRUE(file.at("angle") == 90 || file.at("angle") == 180 || file.at("angle") == 270);
        EXPECT_TRUE(file.at("lossless").is_boolean());
    }
    if (action == "shift" && (status == "planned" || status == "done") &&
        document.at("command") == "shift") {
        EXPECT_NE(file.at("date"), file.at("new_date"));
    }
    if (status != "done") return;
    const std::string old = pathOf(document, file, "old");
    if (action == "trash" || action == "delete") {
        EXPECT_FALSE(exists(old)) << old;
    } else {
        EXPECT_TRUE(exists(pathOf(document, file, "new"))) << file.dump();
    }
}

// The document of one run: the fields every command gives, and those of its own.
void checkDocument(const json& document, const std::string& command, const CliRun& run,
                   bool changesFiles, bool dryRun) {
    SCOPED_TRACE(command + (dryRun ? " planned" : " run") + "\n" + document.dump(2));
    EXPECT_EQ(document.at("lumaro"), 1);
    EXPECT_EQ(document.at("command"), command);
    EXPECT_EQ(document.at("exit"), run.code);
    if (document.at("folder").is_string()) EXPECT_EQ(bytesOf(document, "folder").back(), '/');
    if (command == "list") EXPECT_FALSE(document.at("pictures").empty());
    if (command == "history") EXPECT_FALSE(document.at("operations").empty());
    if (command == "devices") EXPECT_EQ(document.at("devices").at(0).at("device"), "unknown");
    if (command == "shift") EXPECT_EQ(document.at("seconds"), 3600);
    if (command == "date") EXPECT_EQ(document.at("files").at(0).at("source"), "file");
    if (!changesFiles) return;
    EXPECT_EQ(document.at("dry_run"), dryRun);
    for (const json& file : document.at("files")) checkFile(document, file, dryRun);
}

TEST(CliJsonTest, EveryCommandPlannedOrRunGivesOneDocumentOfTheSameFormWithOddNamesKept) {
    PictureFolder folder, dest, home;
    const std::string roma = "01  Roma\nsera.jpg", cafe = "02  caf\xE9.jpg", ctrl = "03  b\x01.jpg";
    std::string odd = "04  ";  // every control byte and every byte above ASCII
    for (int byte = 1; byte < 256; ++byte) {
        if (byte < 0x20 || byte >= 0x7F) odd += static_cast<char>(byte);
    }
    odd += ".jpg";
    for (const std::string& name : {roma, cafe, ctrl, odd})
        folder.write(name, turnjpegs::QuarterJpeg(64, 48, turnjpegs::CommentSegment()));
    folder.write("01  Roma\nsera.NEF", "raw");
    realpictures::MakePicture(folder.path(), "05  shot.jpg", "2015:06:01 10:00:00", "");
    const std::string dir = folder.path(), to = dest.path();
    const clitest::CliEnv env = {{"HOME", home.path()}, {"XDG_DATA_HOME", home.pathOf("share")}};
    const struct {
        Names args;
        int code = 0;
        bool changesFiles = true;
    } rows[] = {
        {{"list", dir, "--dates", "--companions"}, 0, false},
        {{"date", dir + ctrl}, 0, false},
        {{"load", dir, "--format", "replace"}},
        {{"turn", dir + roma, "--angle", "90"}},
        {{"caption", dir, "--name", cafe, "--caption", "Citt\xC3\xA0"}},
        {{"caption", dir, "--name", "none.jpg", "--caption", "x"}, 1},
        {{"transfer", dir, "--name", roma, "--name", odd, "--to", to}},
        {{"renumber", dir, "--select", "2-", "--start", "5"}},
        {{"move", dir, "--select", "last", "--after", "0"}},
        {{"slideshow", dir, "--to", home.pathOf("shows")}},
        {{"history", dir}, 0, false},
        {{"undo", dir}},
        {{"redo", dir}},
        {{"devices", dir}, 0, false},
        {{"shift", dir, "--device", "unknown", "--by", "+1:00:00"}, 3},  // the others: no date
        {{"delete", to + roma, "--with-companions"}},
    };
    for (const auto& row : rows) {
        Names args = row.args;
        args.push_back("--json");
        if (row.changesFiles) {
            Names dry = args;
            dry.push_back("-n");
            const CliRun planned = RunCli(dry, env);
            EXPECT_EQ(planned.code, row.code) << args[0] << planned.err;
            checkDocument(json::parse(planned.out), args[0], planned, true, true);
        }
        const CliRun run = RunCli(args, env);
        EXPECT_EQ(run.code, row.code) << args[0] << run.err;
        const json document = json::parse(run.out);
        checkDocument(document, args[0], run, row.changesFiles, false);
        if (row.changesFiles && args[0] != "load" && args[0] != "slideshow")
            EXPECT_FALSE(document.at("files").empty()) << args[0];
    }
}

// The road a script takes: the names list gives, filtered by grep, fed back to a command by
// name. A name holding a line feed survives only because every step ends names with a NUL.
TEST(CliJsonTest, NamesListedWithNulsFilteredAndFedBackPickExactlyThosePictures) {
    PictureFolder folder;
    for (const std::string& name :
         {"01  Roma\nsera.jpg", "01  Roma\nsera.NEF", "02  Napoli.jpg", "03  Roma.jpg"})
        folder.write(name);
    const std::string cli = std::string("'") + LUMARO_CLI + "'";
    const std::string dir = "'" + folder.path() + "'";
    const CliRun road =
        RunProgram("/bin/sh",
                   {"-c", cli + " list " + dir + " -0 | grep -z Roma | " + cli + " caption " + dir +
                              " --select-from - -0 --caption Rome --json"},
                   {}, 0);
    ASSERT_EQ(road.code, 0) << road.err;
    EXPECT_EQ(folder.names(),
              (Names{"01  Rome.NEF", "01  Rome.jpg", "02  Napoli.jpg", "03  Rome.jpg"}));
    const json files = json::parse(road.out).at("files");
    ASSERT_EQ(files.size(), 3u) << road.out;
    for (const json& file : files) {
        const bool raw = file.at("old") == "01  Roma\nsera.NEF";
        EXPECT_EQ(file.value("companion_of", ""), raw ? "01  Roma\nsera.jpg" : "") << file;
    }

    // A filter that lets no name through chooses nothing: nothing is done, and that is no error.
    const CliRun none = RunProgram(
        "/bin/sh", {"-c", "printf '' | " + cli + " move " + dir + " --select-from - -0 --places 1"},
        {}, 0);
    EXPECT_EQ(none.code, 0) << none.err;

    // A name the listing does not hold stops the command before anything is renamed.
    const CliRun stray = RunCli({"caption", folder.path(), "--name", "02  Napoli.jpg", "--name",
                                 "01  Roma\nsera.jpg", "--caption", "Italia"});
    EXPECT_EQ(stray.code, 1);
    EXPECT_EQ(stray.err, "lumaro-cli: no picture of the listing is named '01  Roma\\nsera.jpg'\n");
    EXPECT_EQ(folder.names(),
              (Names{"01  Rome.NEF", "01  Rome.jpg", "02  Napoli.jpg", "03  Rome.jpg"}));
}

}  // namespace
}  // namespace lumaro
