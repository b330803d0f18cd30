// lumaro-cli turn and transfer run as a program on real files: what they print, their exit
// codes, and the files on disk afterwards.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <nlohmann/json.hpp>

#include "clirun.h"
#include "picturefolder.h"
#include "realpictures.h"
#include "turnjpegs.h"

namespace lumaro {
namespace {

using clitest::CliRun;
using clitest::RunCli;
using Names = std::vector<std::string>;

TEST(CliPicturesTest, TurnTurnsEveryJpegAndNamesTheFilesItCouldNotTurn) {
    PictureFolder folder;
    const std::string jpeg = turnjpegs::QuarterJpeg(64, 48, turnjpegs::CommentSegment());
    folder.write("a.jpg", jpeg);
    folder.write("b.jpg", jpeg);
    folder.write("c.png", "not a jpeg");
    // A wrong path stops everything before the first turn.
    CliRun run =
        RunCli({"turn", folder.pathOf("a.jpg"), folder.pathOf("gone.jpg"), "--angle", "90"});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(folder.read("a.jpg"), jpeg);

    run = RunCli({"turn", folder.pathOf("a.jpg"), folder.pathOf("c.png"), folder.pathOf("b.jpg"),
                  "--angle", "270"});
    EXPECT_EQ(run.code, 3);
    EXPECT_EQ(run.out,
              "turned " + folder.pathOf("a.jpg") + "\nturned " + folder.pathOf("b.jpg") + "\n");
    EXPECT_NE(run.err.find(folder.pathOf("c.png")), std::string::npos);
    EXPECT_EQ(turnjpegs::Decode(folder.read("b.jpg")).width, 48);
    EXPECT_EQ(folder.read("c.png"), "not a jpeg");
    EXPECT_EQ(RunCli({"turn", folder.pathOf("a.jpg"), "--angle", "45"}).code, 1);
}

// A HEIF picture can only be encoded again: it is refused, by its content whatever its name.
TEST(CliPicturesTest, TurnRefusesHeifPicturesAndSaysWhyLeavingThemWhole) {
    PictureFolder folder;
    const std::string made = "convert -size 40x20 xc:red '" + folder.pathOf("red.png") +
                             "' && heif-enc -q 80 '" + folder.pathOf("red.png") + "' -o '" +
                             folder.pathOf("phone.heic") + "' >/dev/null";
    ASSERT_EQ(std::system(made.c_str()), 0);
    const std::string heic = folder.read("phone.heic");
    folder.write("named.jpg", heic);
    const CliRun run =
        RunCli({"turn", folder.pathOf("phone.heic"), folder.pathOf("named.jpg"), "--angle", "90"});
    EXPECT_EQ(run.code, 3);
    EXPECT_EQ(run.out, "");
    for (const char* name : {"phone.heic", "named.jpg"}) {
        EXPECT_NE(
            run.err.find(folder.pathOf(name) + " (HEIF pictures cannot be turned without loss)"),
            std::string::npos)
            << run.err;
        EXPECT_EQ(folder.read(name), heic);
    }
}

TEST(CliPicturesTest, TransferMovesTheSelectionUnderFreeNames) {
    PictureFolder folder, parent;
    for (const char* name : {"a.jpg", "b.jpg", "c.jpg", "d.jpg"}) folder.write(name);
    const std::string destination = parent.pathOf("Rome");
    ASSERT_EQ(mkdir(destination.c_str(), 0755), 0);
    std::system(("echo taken > '" + destination + "/b.jpg'").c_str());
    const CliRun run = RunCli({"transfer", folder.path(), "--select", "2-3", "--to", destination});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, "moved " + folder.pathOf("b.jpg") + " -> " + destination +
                           "/b (2).jpg\nmoved " + folder.pathOf("c.jpg") + " -> " + destination +
                           "/c.jpg\n");
    EXPECT_EQ(folder.names(), (Names{"a.jpg", "d.jpg"}));
    EXPECT_EQ(clitest::readWhole(destination + "/b (2).jpg"), "content of b.jpg");
}

// Companions go with their picture through a transfer under the one free name of the group:
// the dry run, its JSON and the run name every file on its own line and entry, a companion's
// entry naming its picture; list --companions --json names them as well.
TEST(CliPicturesTest, TransferAndListGiveEveryCompanionItsOwnLineAndJsonEntry) {
    PictureFolder folder, dest;
    for (const char* name : {"IMG_1.jpg", "IMG_1.NEF", "IMG_1.jpg.xmp", "IMG_2.jpg"})
        folder.write(name);
    dest.write("IMG_1.NEF", "taken");  // so the whole group takes "IMG_1 (2)"
    const nlohmann::json listed =
        nlohmann::json::parse(RunCli({"list", folder.path(), "--companions", "--json"}).out);
    EXPECT_EQ(listed.at("pictures").at(0).at("companions"),
              nlohmann::json::parse(R"([{"name": "IMG_1.jpg.xmp"}, {"name": "IMG_1.NEF"}])"));
    EXPECT_TRUE(listed.at("pictures").at(1).at("companions").empty());

    const std::pair<std::string, std::string> moves[] = {{"IMG_1.jpg", "IMG_1 (2).jpg"},
                                                         {"IMG_1.jpg.xmp", "IMG_1 (2).jpg.xmp"},
                                                         {"IMG_1.NEF", "IMG_1 (2).NEF"},
                                                         {"IMG_2.jpg", "IMG_2.jpg"}};
    std::string planned, moved;
    for (const auto& [from, to] : moves) {
        planned += folder.pathOf(from) + "\t" + dest.pathOf(to) + "\n";
        moved += "moved " + folder.pathOf(from) + " -> " + dest.pathOf(to) + "\n";
    }
    const Names args = {"transfer", folder.path(), "--select", "all", "--to", dest.path()};
    Names dry = args;
    dry.push_back("-n");
    EXPECT_EQ(RunCli(dry).out, planned);
    dry.push_back("--json");
    const nlohmann::json plan = nlohmann::json::parse(RunCli(dry).out).at("files");
    ASSERT_EQ(plan.size(), 4u) << plan.dump();
    for (size_t k = 0; k < 4; ++k) {
        EXPECT_EQ(plan[k].at("old"), folder.pathOf(moves[k].first));
        EXPECT_EQ(plan[k].at("new"), dest.pathOf(moves[k].second));
        const bool companion = k == 1 || k == 2;
        EXPECT_EQ(plan[k].value("companion_of", ""), companion ? folder.pathOf("IMG_1.jpg") : "");
    }
    const CliRun run = RunCli(args);
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, moved);
    EXPECT_EQ(dest.names(), (Names{"IMG_1 (2).NEF", "IMG_1 (2).jpg", "IMG_1 (2).jpg.xmp",
                                   "IMG_1.NEF", "IMG_2.jpg"}));
    EXPECT_TRUE(folder.names().empty());
}

TEST(CliPicturesTest, TransferToThePictureFolderThroughALinkMovesNothing) {
    PictureFolder folder, other;
    folder.write("a.jpg");
    ASSERT_EQ(symlink(folder.path().c_str(), other.pathOf("link").c_str()), 0);
    const CliRun run =
        RunCli({"transfer", folder.path(), "--select", "all", "--to", other.pathOf("link")});
    EXPECT_EQ(run.code, 2);
    EXPECT_EQ(folder.names(), Names{"a.jpg"});
    EXPECT_EQ(folder.read("a.jpg"), "content of a.jpg");
}

TEST(CliPicturesTest, ListByDateOrdersEveryPictureTypeByTheMomentOfTaking) {
    // Edited later in reverse order: an order by the edit date would turn the list around.
    const struct {
        const char* base;
        const char* taken;
        const char* edited;
    } pictures[] = {{"a", "2019:03:01 12:00:00", "2024:01:01 09:00:00"},
                    {"b", "2015:07:14 08:30:00", "2024:01:03 09:00:00"},
                    {"c", "2017:11:30 23:59:58", "2024:01:02 09:00:00"}};
    const std::string expected =
        "2015:07:14 08:30:00\tb.T\n2017:11:30 23:59:58\tc.T\n2019:03:01 12:00:00\ta.T\n";
    for (const std::string type : {"jpg", "heic", "tif", "nef", "png", "webp"}) {
        PictureFolder folder;
        for (const auto& p : pictures) {
            realpictures::MakePicture(folder.path(), p.base + ("." + type), p.taken, p.edited);
        }
        const CliRun run =
            RunCli({"--type", type, "list", folder.path(), "--by", "date", "--dates"});
        std::string want = expected;
        for (size_t at; (at = want.find(".T")) != std::string::npos;)
            want.replace(at, 2, "." + type);
        EXPECT_EQ(run.code, 0) << type << run.err;
        EXPECT_EQ(run.out, want) << type;
    }
}

// The destination was made without a look at the result: a file in its place, or a folder
// above it missing, then failed every picture one by one as a copy that could not be written.
TEST(CliPicturesTest, ADestinationThatCannotBeMadeIsSaidOnceAndMovesNothing) {
    PictureFolder folder, parent;
    folder.write("a.jpg");
    parent.write("Rome");
    for (const std::string& destination : {parent.pathOf("Rome"), parent.pathOf("Naples/Jour 1")}) {
        const CliRun run =
            RunCli({"transfer", folder.path(), "--select", "all", "--to", destination});
        EXPECT_EQ(run.code, 1) << destination;
        EXPECT_EQ(run.err.find("lumaro-cli: Cannot create folder in " + destination + "/ ("), 0u)
            << run.err;
        EXPECT_EQ(run.out, "");
    }
    EXPECT_EQ(folder.names(), Names{"a.jpg"});
    EXPECT_EQ(parent.names(), Names{"Rome"});
}

// delete moves each file to the home trash of HOME and XDG_DATA_HOME with its record; when no
// Trash can take a file it stays in place (exit 3) unless --permanent is given; a missing path
// or no file at all deletes nothing.
TEST(CliPicturesTest, DeleteGoesToTheTrashAndUnlinksOnlyWithPermanent) {
    PictureFolder home, folder;  // one volume: the home trash, not a trash at a volume's top
    for (const char* name : {"a 1%.jpg", "b.jpg", "c.jpg"}) folder.write(name);
    const std::string a = folder.pathOf("a 1%.jpg");
    std::vector<std::pair<std::string, std::string>> env = {
        {"HOME", home.path()}, {"XDG_DATA_HOME", home.pathOf("share")}};
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"delete"}, {"delete", a, folder.pathOf("none.jpg")}}) {
        const CliRun run = RunCli(args, env);
        EXPECT_EQ(run.code, 1);
        EXPECT_EQ(run.err.rfind("lumaro-cli: ", 0), 0u) << run.err;
    }
    EXPECT_EQ(folder.names(), (Names{"a 1%.jpg", "b.jpg", "c.jpg"}));

    CliRun run = RunCli({"delete", a}, env);
    EXPECT_EQ(run.code, 0) << run.err;
    const std::string inTrash = home.pathOf("share/Trash/files/a 1%.jpg");
    EXPECT_EQ(run.out, "trashed " + a + " -> " + inTrash + "\n");
    EXPECT_EQ(clitest::readWhole(inTrash), "content of a 1%.jpg");
    const std::string record =
        clitest::readWhole(home.pathOf("share/Trash/info/a 1%.jpg.trashinfo"));
    EXPECT_NE(record.find("\nPath=" + folder.path() + "a%201%25.jpg\n"), std::string::npos)
        << record;

    home.write("regular");
    env.back().second = home.pathOf("regular/share");
    run = RunCli({"delete", folder.pathOf("b.jpg")}, env);
    EXPECT_EQ(run.code, 3);
    EXPECT_EQ(run.err.rfind("lumaro-cli: " + folder.pathOf("b.jpg"), 0), 0u) << run.err;
    EXPECT_EQ(folder.names(), (Names{"b.jpg", "c.jpg"}));
    run = RunCli({"delete", folder.pathOf("b.jpg"), folder.pathOf("c.jpg"), "--permanent"}, env);
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out,
              "deleted " + folder.pathOf("b.jpg") + "\ndeleted " + folder.pathOf("c.jpg") + "\n");
    EXPECT_TRUE(folder.names().empty());
}

// A file on the home folder's disk whose home trash lies on another disk: the Trash cannot take
// it, since a file cannot be renamed across disks. The dry run says so as the run does, in words
// a person understands, and both exit 3 with the file in place.
TEST(CliPicturesTest, ATrashOnAnotherDiskKeepsTheFileInTheDryRunAsInTheRun) {
    PictureFolder home, folder, elsewhere("/dev/shm");
    struct stat here, there;
    ASSERT_EQ(stat(home.path().c_str(), &here), 0);
    if (stat(elsewhere.path().c_str(), &there) != 0 || here.st_dev == there.st_dev)
        GTEST_SKIP() << "no folder on another disk than /tmp: /dev/shm is missing or on its disk";
    folder.write("a.jpg");
    const std::string a = folder.pathOf("a.jpg");
    const std::vector<std::pair<std::string, std::string>> env = {
        {"HOME", home.path()}, {"XDG_DATA_HOME", elsewhere.pathOf("share")}};
    const std::string said = "lumaro-cli: " + a +
                             " cannot be moved to the Trash (the Trash of this disk cannot be "
                             "used); it is left in place, --permanent deletes it for good\n";
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"delete", a, "-n"}, {"delete", a}}) {
        const CliRun run = RunCli(args, env);
        EXPECT_EQ(run.code, 3) << args.size();
        EXPECT_EQ(run.err, said);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(folder.names(), Names{"a.jpg"});
    }
    const CliRun plan = RunCli({"delete", a, "-n", "--json"}, env);
    const nlohmann::json kept = nlohmann::json::parse(plan.out).at("files");
    ASSERT_EQ(kept.size(), 1u) << plan.out;
    EXPECT_EQ(kept[0].at("old"), a);
    EXPECT_EQ(kept[0].at("status"), "kept");
    EXPECT_EQ(kept[0].at("reason"), "the Trash of this disk cannot be used");
}

// A picture's companion files are listed under it only when asked, and deleted with it only with
// --with-companions: keeping the raw files while deleting the JPEGs stays possible.
TEST(CliPicturesTest, CompanionsAreListedAndDeletedOnlyWhenAsked) {
    PictureFolder home, folder;
    for (const char* name : {"a.jpg", "a.NEF", "a.jpg.xmp", "b.jpg", "b.NEF", "b.xmp", "c.jpg"})
        folder.write(name);
    const std::vector<std::pair<std::string, std::string>> env = {
        {"HOME", home.path()}, {"XDG_DATA_HOME", home.pathOf("share")}};
    EXPECT_EQ(RunCli({"list", folder.path()}).out, "a.jpg\nb.jpg\nc.jpg\n");
    EXPECT_EQ(RunCli({"list", folder.path(), "--companions"}).out,
              "a.jpg\n\ta.jpg.xmp\n\ta.NEF\nb.jpg\n\tb.NEF\n\tb.xmp\nc.jpg\n");
    const struct {
        const char* picture;
        bool withCompanions;
        Names trashed;
        Names left;
    } rows[] = {
        {"a.jpg", false, {"a.jpg"}, {"a.NEF", "a.jpg.xmp", "b.NEF", "b.jpg", "b.xmp", "c.jpg"}},
        {"b.jpg", true, {"b.NEF", "b.jpg", "b.xmp"}, {"a.NEF", "a.jpg.xmp", "c.jpg"}},
    };
    for (const auto& row : rows) {
        std::vector<std::string> args = {"delete", folder.pathOf(row.picture)};
        if (row.withCompanions) args.push_back("--with-companions");
        const CliRun run = RunCli(args, env);
        EXPECT_EQ(run.code, 0) << run.err;
        EXPECT_EQ(folder.names(), row.left) << row.picture;
        for (const std::string& name : row.trashed)
            EXPECT_EQ(clitest::readWhole(home.pathOf("share/Trash/files/" + name)),
                      "content of " + name);
    }
}

}  // namespace
}  // namespace lumaro
