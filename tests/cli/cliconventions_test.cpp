// lumaro-cli's dry runs, JSON documents and option conventions, run as a program on real
// folders.
#include <dirent.h>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>

#include <iostream>
#include <map>
#include <nlohmann/json.hpp>
#include <optional>
#include <tuple>

#include "clirun.h"
#include "jpegbytes.h"
#include "picturefolder.h"
#include "turnjpegs.h"

namespace lumaro {
namespace {

using clitest::CliRun;
using clitest::RunCli;
using clitest::RunStoppableCli;
using Names = std::vector<std::string>;
using Env = std::vector<std::pair<std::string, std::string>>;

// Every entry of a folder, hidden ones included, with what would show a change to it.
using Snapshot = std::map<std::string, std::tuple<ino_t, long, long, off_t>>;
Snapshot snapshot(const std::string& dir) {
    Snapshot entries;
    if (DIR* d = opendir(dir.c_str())) {
        while (const dirent* e = readdir(d)) {
            struct stat st;
            if (std::string(e->d_name) != ".." && lstat((dir + "/" + e->d_name).c_str(), &st) == 0)
                entries[e->d_name] = {st.st_ino, st.st_mtim.tv_sec, st.st_mtim.tv_nsec, st.st_size};
        }
        closedir(d);
    }
    return entries;
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    for (size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size())
        text.replace(at, from.size(), to);
    return text;
}

const Names kNumbered = {"01  a.jpg", "02  b.jpg", "03  c.jpg"};

TEST(CliConventionsTest, ADryRunTouchesNothingPrintsThePlanAndExitsAsTheRunDoes) {
    const struct {
        const char* what;
        Names start;
        Names args;                // DIR: the folder, DEST: a second folder
        const char* planned;       // DIR, DEST, NAME: the folder's own name; nullptr: not compared
        bool interrupted = false;  // an earlier renumbering stopped half way
    } rows[] = {
        {"first numbering",
         {"b.jpg", "a.jpg"},
         {"load", "DIR", "--format", "replace", "-n"},
         "a.jpg\t01--.jpg\nb.jpg\t02--.jpg\n"},
        {"width equalisation",
         {"01  a.jpg", "002  b.jpg"},
         {"load", "DIR", "--dry-run"},
         "01  a.jpg\t001  a.jpg\n"},
        {"the load's rename and the caption's make one line",
         {"01  a.jpg", "002  b.jpg"},
         {"caption", "DIR", "--select", "1", "--caption", "Roma", "-n"},
         "01  a.jpg\t001  Roma.jpg\n"},
        {"renumbering upwards goes from the end",
         kNumbered,
         {"renumber", "DIR", "--select", "1-2", "--start", "5", "-n"},
         "02  b.jpg\t06  b.jpg\n01  a.jpg\t05  a.jpg\n"},
        {"move",
         kNumbered,
         {"move", "DIR", "--select", "1", "--after", "3", "-n"},
         "02  b.jpg\t01  b.jpg\n03  c.jpg\t02  c.jpg\n01  a.jpg\t03  a.jpg\n"},
        {"refused move", kNumbered, {"move", "DIR", "--select", "1,3", "--places", "1", "-n"}, ""},
        {"transfer to a taken name",
         {"01  a.jpg", "02  b.jpg"},
         {"transfer", "DIR", "--select", "1", "--to", "DEST", "-n"},
         "DIR/01  a.jpg\tDEST/01  a (2).jpg\n"},
        {"transfer to a missing folder",
         {"01  a.jpg"},
         {"transfer", "DIR", "--select", "1", "--to", "DEST/new", "-n"},
         "DIR/01  a.jpg\tDEST/new/01  a.jpg\n"},
        {"turn, and a file it cannot turn",
         {"01  a.jpg", "c.png"},
         {"turn", "DIR/01  a.jpg", "DIR/c.png", "--angle", "90", "-n"},
         "DIR/01  a.jpg\tDIR/01  a.jpg turned 90 clockwise\n"},
        {"delete", {"01  a.jpg"}, {"delete", "DIR/01  a.jpg", "-n"}, "DIR/01  a.jpg\t(Trash)\n"},
        {"slide show into a missing folder",
         {"b.jpg"},
         {"slideshow", "DIR", "--to", "DEST/shows", "--format", "insert", "-n"},
         "b.jpg\t01  b.jpg\nDEST/shows/NAME.ss\n"},
        {"interrupted operation",
         {"01  a.jpg", "02  b.jpg", "03  c.jpg"},
         {"load", "DIR", "-n"},
         nullptr,
         true},
    };
    for (const auto& row : rows) {
        PictureFolder home, folder, dest;
        dest.write("01  a.jpg", "taken");
        const std::string dir = folder.path().substr(0, folder.path().size() - 1);
        const std::string destDir = dest.path().substr(0, dest.path().size() - 1);
        for (const std::string& name : row.start)
            folder.write(name, name.ends_with(".png")
                                   ? "not a picture"
                                   : turnjpegs::QuarterJpeg(64, 48, turnjpegs::CommentSegment()));
        const Env env = {{"HOME", home.path()}, {"XDG_DATA_HOME", home.pathOf("share")}};
        if (row.interrupted) {
            Env stop = env;
            stop.emplace_back("LUMARO_STOP_AFTER_RENAMES", "2");
            ASSERT_EQ(
                RunStoppableCli({"renumber", dir, "--select", "all", "--start", "7"}, stop).code,
                86);
        }
        Names args;
        for (const std::string& arg : row.args)
            args.push_back(replaced(replaced(arg, "DIR", dir), "DEST", destDir));
        const Snapshot before = snapshot(dir), destBefore = snapshot(destDir);
        const Snapshot homeBefore = snapshot(home.path());

        const CliRun dry = RunCli(args, env);
        EXPECT_EQ(snapshot(dir), before) << row.what;
        EXPECT_EQ(snapshot(destDir), destBefore) << row.what;
        EXPECT_EQ(snapshot(home.path()), homeBefore) << row.what;  // no Trash made
        if (row.planned) {
            const std::string name = dir.substr(dir.rfind('/') + 1);
            EXPECT_EQ(dry.out,
                      replaced(replaced(replaced(row.planned, "DIR", dir), "DEST", destDir), "NAME",
                               name))
                << row.what << "\n"
                << dry.err;
        } else {
            EXPECT_NE(dry.out, "") << row.what << "\n" << dry.err;
        }
        args.pop_back();  // the same command, run for real
        EXPECT_EQ(dry.code, RunCli(args, env).code) << row.what << "\n" << dry.err;
    }
}

// Makes a folder refuse new names while it lives: permissions do not stop root, the immutable
// flag does.
class UnwritableFolder {
public:
    explicit UnwritableFolder(std::string dir) : dir_(std::move(dir)) { set(true); }
    ~UnwritableFolder() { set(false); }
    bool holds() const {
        const std::string probe = dir_ + "/probe";
        const int fd = open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
        if (fd < 0) return true;
        close(fd);
        unlink(probe.c_str());
        return false;
    }

private:
    void set(bool on) const {
        if (geteuid() != 0) {
            chmod(dir_.c_str(), on ? 0555 : 0755);
            return;
        }
        const int fd = open(dir_.c_str(), O_RDONLY | O_DIRECTORY);
        int flags = 0;
        if (fd >= 0 && ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
            flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
            ioctl(fd, FS_IOC_SETFLAGS, &flags);
        }
        if (fd >= 0) close(fd);
    }
    std::string dir_;
};

// The dry run finds every refusal that keeps a group before anything is renamed: it names the
// groups the run keeps, in the run's words, and exits 3 as the run does; the run then keeps
// exactly those groups whole on disk.
TEST(CliConventionsTest, ADryRunKeepsTheGroupsTheRunKeepsAndExitsThreeAsItDoes) {
    const std::string caption(247, 'x');  // "01  x…x.jpg" takes 255 bytes, its .NEF.xmp 259
    const struct {
        const char* what;
        Names start;
        Names args;  // DIR: the folder
        bool unwritable;
        std::string planned;  // the dry run's stdout
        Names kept;           // the starts of the lines naming the groups kept, in order
        Names after;          // the folder after the run
    } rows[] = {
        {"a companion's new name is longer than the folder allows",
         {"01  a.jpg", "01  a.NEF.xmp", "02  b.jpg"},
         {"caption", "DIR", "--select", "1-2", "--caption", caption},
         false,
         "02  b.jpg\t02  " + caption + ".jpg\n",
         {"01  a.NEF.xmp -> 01  " + caption + ".NEF.xmp (File name too long)"},
         {"01  a.NEF.xmp", "01  a.jpg", "02  " + caption + ".jpg"}},
        {"a file outside the set bears a new name, and the group kept for it keeps the names "
         "that another group wanted",
         {"01--.jpg", "01--.NEF", "02--.jpg", "02--.NEF", "03--.NEF"},
         {"renumber", "DIR", "--select", "1-2", "--start", "2"},
         false,
         "",
         {"02--.NEF -> 03--.NEF (File exists)", "01--.jpg -> 02--.jpg (File exists)"},
         {"01--.NEF", "01--.jpg", "02--.NEF", "02--.jpg", "03--.NEF"}},
        {"a caption in a folder that cannot be written",
         {"01  a.jpg", "02  b.jpg"},
         {"caption", "DIR", "--select", "1", "--caption", "Roma"},
         true,
         "",
         {"01  a.jpg -> 01  Roma.jpg ("},
         {"01  a.jpg", "02  b.jpg"}},
        {"a first numbering in a folder that cannot be written",
         {"b.jpg", "a.jpg"},
         {"load", "DIR", "--format", "replace"},
         true,
         "",
         {"a.jpg -> 01--.jpg (", "b.jpg -> 02--.jpg ("},
         {"a.jpg", "b.jpg"}},
    };
    for (const auto& row : rows) {
        PictureFolder folder;
        for (const std::string& name : row.start) folder.write(name);
        const std::string dir = folder.path().substr(0, folder.path().size() - 1);
        std::optional<UnwritableFolder> unwritable;
        if (row.unwritable && !unwritable.emplace(dir).holds()) {
            std::cout << "[ SKIPPED  ] " << row.what << ": this user writes in any folder\n";
            continue;
        }
        Names args;
        for (const std::string& arg : row.args) args.push_back(replaced(arg, "DIR", dir));
        const auto namesKept = [&](const std::string& err) {
            for (const std::string& line : row.kept)
                EXPECT_NE(err.find("\nlumaro-cli: " + line), std::string::npos) << row.what << err;
        };
        const Names before = folder.names();
        Names dryArgs = args;
        dryArgs.push_back("-n");
        const CliRun dry = RunCli(dryArgs);
        EXPECT_EQ(dry.code, 3) << row.what << "\n" << dry.err;
        EXPECT_EQ(dry.out, row.planned) << row.what;
        namesKept(dry.err);
        dryArgs.push_back("--json");
        const nlohmann::json plan = nlohmann::json::parse(RunCli(dryArgs).out);
        EXPECT_EQ(plan.at("exit"), 3) << row.what;
        nlohmann::json keptFiles = nlohmann::json::array();
        for (const nlohmann::json& file : plan.at("files")) {
            if (file.at("status") == "kept") keptFiles.push_back(file);
        }
        ASSERT_EQ(keptFiles.size(), row.kept.size()) << row.what << plan.dump();
        for (size_t k = 0; k < row.kept.size(); ++k) {
            const nlohmann::json& kept = keptFiles[k];
            const std::string rename = kept.at("old").get<std::string>() + " -> " +
                                       kept.at("new").get<std::string>() + " (" +
                                       kept.at("reason").get<std::string>() + ")";
            EXPECT_EQ(rename.rfind(row.kept[k], 0), 0u) << row.what << "\n" << rename;
        }
        EXPECT_EQ(folder.names(), before) << row.what;

        const CliRun run = RunCli(args);
        EXPECT_EQ(run.code, 3) << row.what << "\n" << run.err;
        namesKept(run.err);
        EXPECT_EQ(folder.names(), row.after) << row.what;
    }
}

std::string datedPicture(uint16_t tag) {
    jpegbytes::Exif exif;
    exif.date = "2006:05:12 14:23:44";
    exif.dateTag = tag;
    return jpegbytes::Picture(jpegbytes::ExifApp1(exif));
}

TEST(CliConventionsTest, JsonDocumentsParseAndKeepTheBytesOfANameThatIsNotUtf8) {
    PictureFolder folder;
    const std::string bad = "caf\xE9\xED\xA0\x80.jpg";  // Latin-1 and a UTF-8 surrogate
    folder.write("01  \xC3\xA9t\xC3\xA9.jpg", datedPicture(0x9003));
    folder.write(bad, datedPicture(0x0132));
    folder.write("x.jpg", "no date");
    const std::string dir = folder.path().substr(0, folder.path().size() - 1);

    const CliRun list = RunCli({"list", dir, "--dates", "--json"});
    ASSERT_EQ(list.code, 0) << list.err;
    const nlohmann::json listed = nlohmann::json::parse(list.out);
    const nlohmann::json& pictures = listed.at("pictures");
    ASSERT_EQ(pictures.size(), 3u) << list.out;
    EXPECT_EQ(pictures[0].at("name"), "01  \xC3\xA9t\xC3\xA9.jpg");
    EXPECT_FALSE(pictures[0].contains("name_hex"));
    EXPECT_EQ(pictures[0].at("iso8601"), "2006-05-12T14:23:44");
    EXPECT_EQ(pictures[0].at("source"), "taken");
    EXPECT_EQ(pictures[1].at("name"), "caf\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD.jpg");
    EXPECT_EQ(pictures[1].at("name_hex"), "636166e9eda0802e6a7067");
    EXPECT_EQ(pictures[1].at("source"), "modified");
    EXPECT_EQ(pictures[2].at("source"), "file");
    EXPECT_EQ(pictures[2].at("date").get<std::string>().rfind("FD ", 0), 0u);

    const CliRun date = RunCli({"date", folder.pathOf(bad), "--json"});
    const nlohmann::json dated = nlohmann::json::parse(date.out);
    EXPECT_EQ(dated.at("files").at(0).at("path_hex").get<std::string>().size(),
              2 * folder.pathOf(bad).size());
    EXPECT_EQ(dated.at("files").at(0).at("date"), "2006:05:12 14:23:44");

    const CliRun dry = RunCli({"load", dir, "--json", "-n"});
    const nlohmann::json plan = nlohmann::json::parse(dry.out);
    EXPECT_EQ(plan.at("exit"), dry.code);
    EXPECT_EQ(plan.at("files").size(), 2u) << dry.out;
    EXPECT_EQ(plan.at("files").at(0).at("old_hex"), "636166e9eda0802e6a7067");
}

TEST(CliConventionsTest, OptionsHelpErrorsAndExitCodesFollowTheUsualConventions) {
    PictureFolder folder, empty;
    for (const std::string& name : {"01  a.jpg", "002  b.jpg"}) folder.write(name);
    const std::string dir = folder.path().substr(0, folder.path().size() - 1);
    const struct {
        Names args;
        int code;
        std::string err;  // the start of stderr
        std::string out;  // part of stdout; "" for none
    } rows[] = {
        {{"-h"}, 0, "", "Exit codes:"},
        {{"list", "--help"}, 0, "", "  list DIR"},
        {{"--version"}, 0, "", "lumaro-cli 1.3\n"},
        {{"list", dir, "--bogus"}, 1, "lumaro-cli: unknown option '--bogus'", ""},
        {{"list", "-x", dir}, 1, "lumaro-cli: unknown option '-x'", ""},
        {{"list", dir, "-n"}, 1, "lumaro-cli: list does not take -n", ""},
        {{"caption", dir, "--select"}, 1, "lumaro-cli: --select needs a value", ""},
        {{"list", "--", "-n"},
         1,
         "lumaro-cli: cannot read folder '-n': No such file or directory",
         ""},
        {{"date", dir + "/none.jpg"},
         1,
         "lumaro-cli: cannot read file '" + dir + "/none.jpg': No such",
         ""},
        {{"load", dir, "-q"}, 0, "", "001  a.jpg\n002  b.jpg\n"},
        {{"-V"}, 0, "", "lumaro-cli 1.3\n"},
        {{"help", "undo"}, 0, "", "  undo DIR"},
        {{"help", "bogus"}, 1, "lumaro-cli: unknown command bogus", ""},
        {{"list", dir, "-qx"}, 1, "lumaro-cli: unknown option '-x' in '-qx'", ""},
        {{"list", dir + "/001  a.jpg"},
         1,
         "lumaro-cli: cannot read folder '" + dir + "/001  a.jpg': Not a directory",
         ""},
        {{"list", empty.path()}, 0, "", ""},
        // Bundled short options, and an open range at the end of the list.
        {{"caption", dir, "--select", "last", "--caption", "Roma", "-qn"},
         0,
         "",
         "002  b.jpg\t002  Roma.jpg\n"},
        {{"renumber", dir, "--select", "-1", "--start", "5000", "--width", "3", "-n"},
         0,
         "lumaro-cli: --width 3 is too narrow for these numbers: they are given 4 digits\n",
         "001  a.jpg\t5000  a.jpg\n"},
        // A value is taken as it is, even when it looks like an option.
        {{"caption", dir, "--select", "2", "--caption", "-n", "-v"},
         0,
         "lumaro-cli: renamed " + dir + "/002  b.jpg -> " + dir + "/002x -n.jpg\n",
         "001  a.jpg\n002  -n.jpg\n"},
    };
    for (const auto& row : rows) {
        const CliRun run = RunCli(row.args);
        std::string joined;
        for (const std::string& arg : row.args) joined += arg + " ";
        EXPECT_EQ(run.code, row.code) << joined << "\n" << run.err;
        EXPECT_EQ(run.err.substr(0, row.err.size()), row.err) << joined;
        if (row.err.empty()) EXPECT_EQ(run.err, "") << joined;
        for (size_t at = 0; at < run.err.size(); at = run.err.find('\n', at) + 1)
            EXPECT_EQ(run.err.compare(at, 12, "lumaro-cli: "), 0) << joined << "\n" << run.err;
        EXPECT_NE(run.out.find(row.out), std::string::npos) << joined << "\n" << run.out;
        if (row.out.empty()) EXPECT_EQ(run.out, "") << joined;
    }
    EXPECT_EQ(RunCli({"list", "--help"}).out.find("renumber DIR"), std::string::npos);
    EXPECT_EQ(RunCli({"help", "list"}).out, RunCli({"list", "--help"}).out);
    // Output that cannot be written is an error.
    const std::string command = std::string("'") + LUMARO_CLI + "' list '" + dir + "' >/dev/full";
    EXPECT_EQ(WEXITSTATUS(std::system((command + " 2>/dev/null").c_str())), 1);
}

}  // namespace
}  // namespace lumaro
