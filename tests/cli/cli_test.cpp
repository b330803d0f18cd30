// lumaro-cli run as a program on real folders: every command, its output and exit code.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>

#include "clirun.h"
#include "jpegbytes.h"
#include "picturefolder.h"

namespace lumaro {
namespace {

using clitest::CliRun;
using clitest::RunCli;
using Names = std::vector<std::string>;

std::string datedPicture(const std::string& date) {
    jpegbytes::Exif exif;
    exif.date = date;
    return jpegbytes::Picture(jpegbytes::ExifApp1(exif));
}

// A folder of pictures that hold their own names; `dir` is its path without the last '/'.
struct Folder {
    explicit Folder(const Names& names) {
        for (const std::string& name : names) folder.write(name);
        dir = folder.path().substr(0, folder.path().size() - 1);
    }
    std::string lines() const {
        std::string text;
        for (const std::string& name : folder.names()) text += name + "\n";
        return text;
    }
    PictureFolder folder;
    std::string dir;
};

const Names kNumbered = {"01  a.jpg", "02  b.jpg", "03  c.jpg", "04  d.jpg", "05  e.jpg"};

TEST(CliTest, VersionAndHelpShowAnExampleOfEveryCommand) {
    EXPECT_EQ(RunCli({"--version"}).out, "lumaro-cli 1.3\n");
    const CliRun help = RunCli({"--help"});
    EXPECT_EQ(help.code, 0);
    for (const char* command : {"list", "date", "devices", "load", "caption", "renumber", "move",
                                "slideshow", "turn", "transfer", "shift"}) {
        EXPECT_NE(help.out.find(std::string("  lumaro-cli ") + command + " "), std::string::npos)
            << command;
    }
}

TEST(CliTest, CommandsRenameLikeTheWindowAndPrintTheNewListing) {
    const struct {
        const char* what;
        Names start;
        Names args;  // "DIR" stands for the folder
        std::string listing;
    } rows[] = {
        {"caption of a range and a repeated position",
         kNumbered,
         {"caption", "DIR", "--select", "2-3,3,2", "--caption", "Roma"},
         "01  a.jpg\n02  Roma.jpg\n03  Roma.jpg\n04  d.jpg\n05  e.jpg\n"},
        {"empty caption gives number-only names",
         kNumbered,
         {"caption", "DIR", "--select", "5", "--caption", ""},
         "01  a.jpg\n02  b.jpg\n03  c.jpg\n04  d.jpg\n05--.jpg\n"},
        {"renumber with a width",
         {"01  a.jpg", "02  b.jpg", "07  c.jpg"},
         {"renumber", "DIR", "--select", "2-3", "--start", "3", "--width", "3"},
         "003  b.jpg\n004  c.jpg\n01  a.jpg\n"},  // the others keep their width
        {"move one place towards the start",
         kNumbered,
         {"move", "DIR", "--select", "3-4", "--places", "-1"},
         "01  a.jpg\n02  c.jpg\n03  d.jpg\n04  b.jpg\n05  e.jpg\n"},
        {"move behind a number",
         kNumbered,
         {"move", "DIR", "--select", "1", "--after", "4"},
         "01  b.jpg\n02  c.jpg\n03  d.jpg\n04  a.jpg\n05  e.jpg\n"},
        {"move to the start",
         kNumbered,
         {"move", "DIR", "--select", "4-5", "--after", "0"},
         "01  d.jpg\n02  e.jpg\n03  a.jpg\n04  b.jpg\n05  c.jpg\n"},
        {"type in another letter case",
         {"01  a.JPG", "02  b.jpg", "x.png"},
         {"--type", "JPG", "caption", "DIR", "--select", "all", "--caption", "z"},
         "01  z.JPG\n02  z.jpg\n"},
        {"load completes the numbering",
         {"01  a.jpg", "02  b.jpg", "x.jpg"},
         {"load", "DIR"},
         "01  a.jpg\n02  b.jpg\n03--.jpg\n"},
        {"load numbers an unnumbered folder by inserting",
         {"b.jpg", "a.jpg"},
         {"load", "DIR", "--format", "insert"},
         "01  a.jpg\n02  b.jpg\n"},
        {"renumber without a width keeps the folder's width",
         {"050  y.jpg", "051  z.jpg"},
         {"renumber", "DIR", "--select", "2", "--start", "20"},
         "020  z.jpg\n050  y.jpg\n"},
        {"move behind a number the block bears stays put",
         {"02  a.jpg", "02  b.jpg", "02  c.jpg", "03  d.jpg"},
         {"move", "DIR", "--select", "3-4", "--after", "2"},
         "02  a.jpg\n02  b.jpg\n02  c.jpg\n03  d.jpg\n"},
        {"load leaves an unnumbered folder as asked",
         {"b.jpg", "a.jpg"},
         {"load", "DIR", "--format", "leave"},
         "a.jpg\nb.jpg\n"},
    };
    for (const auto& row : rows) {
        Folder f(row.start);
        Names args = row.args;
        std::replace(args.begin(), args.end(), std::string("DIR"), f.dir);
        const CliRun run = RunCli(args);
        EXPECT_EQ(run.code, 0) << row.what << "\n" << run.err;
        EXPECT_EQ(run.out, row.listing) << row.what;
        if (std::string(row.what) != "type in another letter case") {
            EXPECT_EQ(f.lines(), row.listing) << row.what;
        }
    }
}

TEST(CliTest, FirstNumberingByDateAndSelectionInDateOrder) {
    Folder f({});
    f.folder.write("b.jpg", datedPicture("2021:07:01 10:00:00"));
    f.folder.write("a.jpg", datedPicture("2021:07:03 10:00:00"));
    f.folder.write("c.jpg", datedPicture("2021:07:02 10:00:00"));
    const CliRun load = RunCli({"load", f.dir, "--format", "replace", "--by", "date"});
    EXPECT_EQ(load.code, 0) << load.err;
    EXPECT_EQ(load.out, "01--.jpg\n02--.jpg\n03--.jpg\n");
    EXPECT_EQ(f.folder.read("01--.jpg"), datedPicture("2021:07:01 10:00:00"));
    EXPECT_EQ(f.folder.read("03--.jpg"), datedPicture("2021:07:03 10:00:00"));
    // The oldest two by date, whatever their names.
    f.folder.write("04--.jpg", datedPicture("2021:06:01 10:00:00"));
    const CliRun caption =
        RunCli({"caption", f.dir, "--by", "date", "--select", "1-2", "--caption", "early"});
    EXPECT_EQ(caption.out, "01  early.jpg\n02--.jpg\n03--.jpg\n04  early.jpg\n") << caption.err;
}

// Widths 2 and 3 in one folder: every command loads it, and the load gives them all 3 digits.
const Names kUnequal = {"01  a.jpg", "02  b.jpg", "003  c.jpg", "04  d.jpg", "05  e.jpg"};

// Exit 1 or 2 means that nothing on disk changed: every argument and rule is checked on the
// names the load would give (kUnequal: the load would pad every number), before it renames.
TEST(CliTest, StoppedCommandsExitOneOrTwoPrintNoListingAndLeaveTheFolderAsItWas) {
    const struct {
        const char* what;
        Names start;
        Names args;  // "DIR" stands for the folder
        int code;
        const char* said;
    } rows[] = {
        {"clock correction of another form",
         kNumbered,
         {"shift", "DIR", "--device", "unknown", "--by", "1:00"},
         1,
         "--by takes an amount"},
        {"clock correction of a whole day of hours after days",
         kNumbered,
         {"shift", "DIR", "--device", "unknown", "--by", "-2:24:00:00"},
         1,
         "--by takes an amount"},
        {"clock correction a second over 1,000 days",
         kNumbered,
         {"shift", "DIR", "--device", "unknown", "--by", "+1000:00:00:01"},
         2,
         "at most 1,000 days"},
        {"clock correction of a device that took none of the pictures",
         kNumbered,
         {"shift", "DIR", "--device", "Nikon D750", "--by", "+1:00:00"},
         1,
         "No picture of the folder was taken by this device"},
        {"true time of another form",
         kNumbered,
         {"shift", "DIR", "--select", "1", "--to", "2015-06-01 10:00:00"},
         1,
         "--to takes a date and time"},
        {"true time of a picture without date",
         kNumbered,
         {"shift", "DIR", "--select", "1", "--to", "2015:06:01 10:00:00"},
         2,
         "carries no date"},
        {"caption with a slash",
         kNumbered,
         {"caption", "DIR", "--select", "1", "--caption", "a/b"},
         2,
         "cannot contain '/'"},
        {"type with a slash",
         kNumbered,
         {"--type", "j/pg", "list", "DIR"},
         2,
         "A file type cannot contain"},
        {"type with a dot",
         kNumbered,
         {"--type", "j.pg", "load", "DIR"},
         2,
         "A file type cannot contain"},
        {"two types in one",
         kNumbered,
         {"--type", "jpg,jpeg", "list", "DIR"},
         2,
         "A file type cannot contain"},
        {"renumber onto numbers of other pictures",
         kNumbered,
         {"renumber", "DIR", "--select", "2-3", "--start", "4"},
         2,
         "Overlap not allowed"},
        {"block with a hole",
         kNumbered,
         {"move", "DIR", "--select", "1,3", "--places", "1"},
         2,
         "no holes"},
        {"target number out of range",
         kNumbered,
         {"move", "DIR", "--select", "1", "--after", "9"},
         2,
         "Value out of range"},
        {"caption that takes the number out",
         kNumbered,
         {"caption", "DIR", "--select", "1", "--caption", "--x"},
         2,
         "take the number out"},
        {"unnumbered folder without a format",
         {"b.jpg", "a.jpg"},
         {"caption", "DIR", "--select", "1", "--caption", "x"},
         2,
         "not numbered"},
        {"unnumbered folder loaded without a format",
         {"b.jpg", "a.jpg"},
         {"load", "DIR"},
         2,
         "not numbered"},
        {"insert that would not number",
         {"x--y.jpg"},
         {"load", "DIR", "--format", "insert"},
         2,
         "would not make them numbered"},
        {"folder without pictures of the type",
         {"a.png"},
         {"renumber", "DIR", "--select", "all", "--start", "1"},
         2,
         "no files of type jpg"},
        {"empty folder loaded", {}, {"load", "DIR"}, 2, "no files of type jpg"},
        {"renumber onto numbers of others",
         kUnequal,
         {"renumber", "DIR", "--select", "2-3", "--start", "4"},
         2,
         "Overlap not allowed"},
        {"caption past the end",
         kUnequal,
         {"caption", "DIR", "--select", "40", "--caption", "x"},
         1,
         "past the end"},
        {"caption past the end by date",
         kUnequal,
         {"caption", "DIR", "--by", "date", "--select", "6", "--caption", "x"},
         1,
         "past the end"},
        {"block with a hole",
         kUnequal,
         {"move", "DIR", "--select", "1,3", "--places", "1"},
         2,
         "no holes"},
        {"target out of range",
         kUnequal,
         {"move", "DIR", "--select", "1", "--after", "9"},
         2,
         "Value out of range"},
        {"caption that unnumbers",
         kUnequal,
         {"caption", "DIR", "--select", "2", "--caption", "--x"},
         2,
         "take the number out"},
        {"numbers of seven digits",
         kUnequal,
         {"renumber", "DIR", "--select", "all", "--start", "999998"},
         2,
         "too large"},
        {"completion then a position past the end",
         {"01  a.jpg", "02  b.jpg", "x.jpg"},
         {"caption", "DIR", "--select", "4", "--caption", "x"},
         1,
         "past the end"},
        {"first numbering then a position past the end",
         {"b.jpg", "a.jpg"},
         {"caption", "DIR", "--format", "replace", "--select", "3", "--caption", "x"},
         1,
         "past the end"},
        {"first numbering then a move of pictures without number",
         {"b.jpg", "a.jpg"},
         {"move", "DIR", "--format", "leave", "--select", "1", "--places", "1"},
         2,
         "Only pictures with a number"},
    };
    for (const auto& row : rows) {
        Folder f(row.start);
        Names args = row.args;
        std::replace(args.begin(), args.end(), std::string("DIR"), f.dir);
        const std::string before = f.lines();
        const CliRun run = RunCli(args);
        EXPECT_EQ(run.code, row.code) << row.what << "\n" << run.err;
        EXPECT_EQ(run.out, "") << row.what;
        EXPECT_NE(run.err.find(row.said), std::string::npos) << row.what << ": " << run.err;
        EXPECT_EQ(f.lines(), before) << row.what;
    }
}

TEST(CliTest, UsageErrorsMissingPathsAndUnreadableFoldersExitOne) {
    Folder f(kNumbered);
    const std::string file = f.folder.pathOf("01  a.jpg");  // not a folder: cannot be listed
    const std::vector<Names> rows = {
        {},
        {"rename", f.dir},
        {"move", f.dir, "--select", "1", "--places", "0"},
        {"move", f.dir, "--select", "1", "--places", "1", "--after", "2"},
        {"renumber", f.dir, "--select", "1"},
        {"renumber", f.dir, "--select", "1", "--start", "1a"},
        {"renumber", f.dir, "--select", "1", "--start", "1", "--width", "9"},
        {"caption", f.dir, "--select", "0", "--caption", "x"},
        {"caption", f.dir, "--select", "3-1", "--caption", "x"},
        {"caption", f.dir, "--select", "4-6", "--caption", "x"},  // past the end of five
        {"caption", f.dir, "--caption", "x"},
        {"list", f.dir, "--by", "size"},
        {"list", f.dir + "/missing"},
        {"load", f.dir + "/missing"},
        {"list", file},
        {"caption", file, "--select", "1", "--caption", "x"},
        {"date", f.dir + "/missing.jpg"},
    };
    for (const Names& args : rows) {
        const CliRun run = RunCli(args);
        std::string joined;
        for (const std::string& a : args) joined += a + " ";
        EXPECT_EQ(run.code, 1) << joined << "\n" << run.err;
        EXPECT_EQ(run.out, "") << joined;
        EXPECT_FALSE(run.err.empty()) << joined;
    }
    EXPECT_EQ(f.lines(), "01  a.jpg\n02  b.jpg\n03  c.jpg\n04  d.jpg\n05  e.jpg\n");
}

TEST(CliTest, ListAndDateOutputsAndEmptyFolders) {
    Folder f({"02  b.jpg", "03  c.JPG", "note.txt", ".hidden.jpg"});
    f.folder.write("01  a.jpg", datedPicture("2021:07:03 10:00:00"));
    f.folder.write("04  d.jpg", datedPicture("2021:07:01 10:00:00"));
    const time_t noon = 1600000000;
    f.folder.setModified("02  b.jpg", noon);
    EXPECT_EQ(RunCli({"list", f.dir}).out, "01  a.jpg\n02  b.jpg\n03  c.JPG\n04  d.jpg\n");
    // Pictures without a date come first in date order.
    const CliRun byDate = RunCli({"list", f.dir, "--by", "date"});
    EXPECT_EQ(byDate.out, "02  b.jpg\n03  c.JPG\n04  d.jpg\n01  a.jpg\n");
    const CliRun dates = RunCli({"list", f.dir, "--dates"});
    const std::string fileDate = RunCli({"date", f.folder.pathOf("02  b.jpg")}).out;
    EXPECT_EQ(fileDate.rfind("FD 2020:09:13 ", 0), 0u) << fileDate;  // local time, seconds even
    EXPECT_EQ(dates.out.substr(0, dates.out.find('\n') + 1), "2021:07:03 10:00:00\t01  a.jpg\n");
    EXPECT_NE(dates.out.find(fileDate.substr(0, fileDate.find('\t')) + "\t02  b.jpg\n"),
              std::string::npos);

    // Every existing path gets its line, a folder too; a missing one makes the exit code 1.
    const CliRun several =
        RunCli({"date", f.folder.pathOf("04  d.jpg"), f.dir + "/gone.jpg", f.dir});
    EXPECT_EQ(several.code, 1);
    EXPECT_EQ(several.out.rfind("2021:07:01 10:00:00\t" + f.folder.pathOf("04  d.jpg") + "\n", 0),
              0u);
    EXPECT_NE(several.out.find("FD "), std::string::npos);
    EXPECT_NE(several.out.find("\t" + f.dir + "\n"), std::string::npos);

    Folder empty({});
    const CliRun listed = RunCli({"list", empty.dir});
    EXPECT_EQ(listed.code, 0);
    EXPECT_EQ(listed.out, "");
}

// A script reading the output counts one line per picture, whatever bytes names and dates hold.
TEST(CliTest, ControlCharactersInNamesAndDatesKeepOnePictureOnOneLine) {
    Folder f({"01  a\nb.jpg", "02  back\\slash\t.jpg"});
    f.folder.write("03  c.jpg", datedPicture(std::string("2021:07\n03\x01", 11) + "10:00:00"));
    const std::string first = "01  a\\nb.jpg\n";
    const std::string second = "02  back\\\\slash\\t.jpg\n";
    EXPECT_EQ(RunCli({"list", f.dir}).out, first + second + "03  c.jpg\n");
    const CliRun dates = RunCli({"list", f.dir, "--by", "date", "--dates"});
    EXPECT_EQ(std::count(dates.out.begin(), dates.out.end(), '\n'), 3) << dates.out;
    // Bytes other than digits, colons and the blank make no date: the file date stands instead.
    EXPECT_EQ(dates.out.find("\\x01"), std::string::npos) << dates.out;
    EXPECT_NE(dates.out.find("\nFD "), std::string::npos) << dates.out;
    const CliRun date = RunCli({"date", f.folder.pathOf("01  a\nb.jpg")});
    EXPECT_EQ(std::count(date.out.begin(), date.out.end(), '\n'), 1) << date.out;
    EXPECT_NE(date.out.find("\t" + f.dir + "/" + first), std::string::npos) << date.out;
    EXPECT_NE(RunCli({"--help"}).out.find("\\xHH"), std::string::npos);
}

TEST(CliTest, FailedRenamesExitThreeAndARefusalComesBeforeTheLoadRenamesAnything) {
    // A directory bears the name the renumbering gives a picture: not a picture, but taken.
    Folder f(kNumbered);
    ASSERT_EQ(mkdir(f.folder.pathOf("09  a.jpg").c_str(), 0700), 0);
    const CliRun run = RunCli({"renumber", f.dir, "--select", "1", "--start", "9"});
    EXPECT_EQ(run.code, 3) << run.err;
    EXPECT_NE(run.err.find("01  a.jpg -> 09  a.jpg"), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "01  a.jpg\n02  b.jpg\n03  c.jpg\n04  d.jpg\n05  e.jpg\n");

    // The load's completion cannot give "x" its number, and the move is refused: it is refused
    // before the load renamed anything.
    Folder g({"01  a.jpg", "02  b.jpg", "x.jpg"});
    ASSERT_EQ(mkdir(g.folder.pathOf("03--.jpg").c_str(), 0700), 0);
    const CliRun refused = RunCli({"move", g.dir, "--select", "1,3", "--places", "1"});
    EXPECT_EQ(refused.code, 2);
    EXPECT_NE(refused.err.find("no holes"), std::string::npos) << refused.err;
    EXPECT_EQ(refused.out, "");
    EXPECT_EQ(g.folder.names(), (Names{"01  a.jpg", "02  b.jpg", "03--.jpg", "x.jpg"}));
    // Carried out, a command names the picture the load could not number.
    const CliRun done = RunCli({"caption", g.dir, "--select", "1", "--caption", "z"});
    EXPECT_EQ(done.code, 3);
    EXPECT_NE(done.err.find("x.jpg -> 03--.jpg"), std::string::npos) << done.err;
    EXPECT_EQ(done.out, "01  z.jpg\n02  b.jpg\nx.jpg\n");
}

TEST(CliTest, ACommandThatHadToEqualiseWidthsSaysSoAndFindsItsPositionsOnTheNewNames) {
    Folder f(kUnequal);
    const CliRun run = RunCli({"caption", f.dir, "--select", "1", "--caption", "Roma"});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, "001  Roma.jpg\n002  b.jpg\n003  c.jpg\n004  d.jpg\n005  e.jpg\n");
    EXPECT_NE(run.err.find("4 pictures renamed to equal number widths"), std::string::npos)
        << run.err;
    // Padded, "10  b" comes before "099  a" in name order, and so among pictures without date.
    Folder g({"099  a.jpg", "10  b.jpg", "11  c.jpg"});
    const CliRun byDate =
        RunCli({"caption", g.dir, "--by", "date", "--select", "1", "--caption", "x"});
    EXPECT_EQ(byDate.code, 0) << byDate.err;
    EXPECT_EQ(byDate.out, "010  x.jpg\n011  c.jpg\n099  a.jpg\n");
    EXPECT_NE(byDate.err.find("2 pictures renamed to equal number widths"), std::string::npos)
        << byDate.err;
}

// A folder without a picture of the type: only list has something to do.
TEST(CliTest, WithoutAPictureOfTheTypeEveryCommandThatChangesFilesIsRefusedAndMakesNothing) {
    Folder f({"a.png", "01  b.png"});
    PictureFolder parent;
    const std::string made = parent.pathOf("made");
    const std::vector<Names> rows = {
        {"load", "DIR", "--format", "replace"},
        {"caption", "DIR", "--select", "all", "--caption", "x"},
        {"renumber", "DIR", "--select", "all", "--start", "1"},
        {"move", "DIR", "--select", "all", "--places", "1"},
        {"slideshow", "DIR", "--to", made},
        {"transfer", "DIR", "--select", "all", "--to", made},
    };
    for (Names args : rows) {
        std::replace(args.begin(), args.end(), std::string("DIR"), f.dir);
        const CliRun run = RunCli(args);
        EXPECT_EQ(run.code, 2) << args[0] << "\n" << run.err;
        EXPECT_NE(run.err.find("no files of type jpg"), std::string::npos)
            << args[0] << ": " << run.err;
        EXPECT_EQ(parent.names(), Names{}) << args[0];
        EXPECT_EQ(f.folder.names(), (Names{"01  b.png", "a.png"})) << args[0];
    }
    const CliRun listed = RunCli({"list", f.dir});
    EXPECT_EQ(listed.code, 0);
    EXPECT_EQ(listed.out, "");
}

TEST(CliTest, AMoveByPlacesGoesAsFarAsItCanAndSaysWhenItCannotMoveAtAll) {
    const struct {
        Names args;
        std::string listing;
        const char* said;  // part of stderr; "" for nothing
    } rows[] = {
        {{"--select", "3-4", "--places", "9"},
         "01  a.jpg\n02  b.jpg\n03  e.jpg\n04  c.jpg\n05  d.jpg\n",
         ""},
        {{"--select", "2", "--places", "-9"},
         "01  b.jpg\n02  a.jpg\n03  c.jpg\n04  d.jpg\n05  e.jpg\n",
         ""},
        {{"--select", "4-5", "--places", "1"},
         "01  a.jpg\n02  b.jpg\n03  c.jpg\n04  d.jpg\n05  e.jpg\n",
         "at the end"},
        {{"--select", "1", "--places", "-3"},
         "01  a.jpg\n02  b.jpg\n03  c.jpg\n04  d.jpg\n05  e.jpg\n",
         "at the start"},
    };
    for (const auto& row : rows) {
        Folder f(kNumbered);
        Names args = {"move", f.dir};
        args.insert(args.end(), row.args.begin(), row.args.end());
        const CliRun run = RunCli(args);
        EXPECT_EQ(run.code, 0) << run.err;
        EXPECT_EQ(run.out, row.listing);
        EXPECT_EQ(f.lines(), row.listing);
        if (*row.said) {
            EXPECT_NE(run.err.find(row.said), std::string::npos) << run.err;
        } else {
            EXPECT_EQ(run.err, "");
        }
    }
}

}  // namespace
}  // namespace lumaro
