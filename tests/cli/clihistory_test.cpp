// lumaro-cli's history and undo on a real folder: the camera names stay findable and come back.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <nlohmann/json.hpp>

#include "clirun.h"
#include "picturefolder.h"

namespace lumaro {
namespace {

using clitest::CliRun;
using clitest::RunCli;
using Names = std::vector<std::string>;

TEST(CliHistoryTest, TheHistoryNamesTheCameraNamesAndUndoStepsBackToThemAndRedoForward) {
    PictureFolder state, pictures;
    const std::vector<std::pair<std::string, std::string>> env{{"XDG_STATE_HOME", state.path()}};
    for (const char* name : {"IMG_0003.jpg", "IMG_0001.jpg", "IMG_0002.jpg"}) pictures.write(name);
    const std::string dir = pictures.path();
    ASSERT_EQ(RunCli({"load", dir, "--format", "replace"}, env).code, 0);
    ASSERT_EQ(RunCli({"renumber", dir, "--select", "all", "--start", "5"}, env).code, 0);
    const Names renumbered{"05--.jpg", "06--.jpg", "07--.jpg"};
    ASSERT_EQ(pictures.names(), renumbered);

    const CliRun history = RunCli({"history", dir}, env);
    EXPECT_EQ(history.code, 0);
    ASSERT_EQ(std::count(history.out.begin(), history.out.end(), '\n'), 2);
    EXPECT_NE(history.out.find("\trenumber\t3\n2\t"), std::string::npos) << history.out;
    EXPECT_NE(history.out.find("\tload\t3\n"), std::string::npos) << history.out;
    EXPECT_EQ(RunCli({"history", dir, "--names", "2"}, env).out,
              "IMG_0001.jpg\t01--.jpg\nIMG_0002.jpg\t02--.jpg\nIMG_0003.jpg\t03--.jpg\n");
    const auto operations =
        nlohmann::json::parse(RunCli({"history", dir, "--json"}, env).out).at("operations");
    ASSERT_EQ(operations.size(), 2u);
    EXPECT_EQ(operations[0].at("kind"), "renumber");
    EXPECT_EQ(operations[1].at("count"), 3);
    const auto names =
        nlohmann::json::parse(RunCli({"history", dir, "--names", "2", "--json"}, env).out);
    EXPECT_EQ(names.at("names").at(0).at("before"), "IMG_0001.jpg");

    const CliRun plan = RunCli({"undo", dir, "--dry-run"}, env);
    EXPECT_EQ(plan.code, 0);
    EXPECT_EQ(plan.out, "07--.jpg\t03--.jpg\n06--.jpg\t02--.jpg\n05--.jpg\t01--.jpg\n");
    EXPECT_EQ(pictures.names(), renumbered);  // the plan touched nothing
    ASSERT_EQ(RunCli({"undo", dir}, env).code, 0);
    EXPECT_EQ(pictures.read("03--.jpg"), "content of IMG_0003.jpg");
    EXPECT_EQ(pictures.names(), (Names{"01--.jpg", "02--.jpg", "03--.jpg"}));
    EXPECT_NE(RunCli({"history", dir}, env).out.find("\trenumber\t3\tundone\n"), std::string::npos);
    ASSERT_EQ(RunCli({"undo", dir}, env).code, 0);  // one step further back: the camera names
    EXPECT_EQ(pictures.read("IMG_0003.jpg"), "content of IMG_0003.jpg");
    EXPECT_EQ(RunCli({"undo", dir}, env).code, 2);
    ASSERT_EQ(RunCli({"redo", dir}, env).code, 0);
    ASSERT_EQ(RunCli({"redo", dir}, env).code, 0);
    EXPECT_EQ(pictures.names(), renumbered);
    EXPECT_EQ(RunCli({"redo", dir, "--dry-run"}, env).code, 2);

    // A picture renamed behind the program's back: nothing is undone, and the message names it.
    ASSERT_EQ(rename(pictures.pathOf("06--.jpg").c_str(), pictures.pathOf("6.jpg").c_str()), 0);
    const CliRun refused = RunCli({"undo", dir}, env);
    EXPECT_EQ(refused.code, 2);
    EXPECT_NE(refused.err.find("06--.jpg"), std::string::npos) << refused.err;
    EXPECT_EQ(pictures.names(), (Names{"05--.jpg", "07--.jpg", "6.jpg"}));
}

// A folder renamed on its disk keeps its history; a history that cannot be written refuses the
// operation (unless --no-history); an undo's dry run tells what the undo does, exit code included.
TEST(CliHistoryTest, AFolderKeepsItsHistoryWhenRenamedAndADryRunUndoTellsWhatTheUndoDoes) {
    PictureFolder state, parent, home, other;
    const std::string dir = parent.path() + "Italy/";
    ASSERT_EQ(mkdir(dir.c_str(), 0700), 0);
    for (const char* name : {"IMG_1.jpg", "IMG_1.NEF", "IMG_2.jpg"})
        std::ofstream(dir + name) << "content of " << name;
    state.write("lumaro", "a file where the state folder should be");
    const std::vector<std::pair<std::string, std::string>> broken{{"XDG_STATE_HOME", state.path()}};
    const CliRun refused = RunCli({"load", dir, "--format", "replace"}, broken);
    EXPECT_EQ(refused.code, 2);
    EXPECT_NE(refused.err.find(state.pathOf("lumaro/")), std::string::npos) << refused.err;
    EXPECT_EQ(RunCli({"list", dir}).out, "IMG_1.jpg\nIMG_2.jpg\n");  // nothing renamed
    const CliRun anyway = RunCli({"load", dir, "--format", "leave", "--no-history"}, broken);
    EXPECT_EQ(anyway.code, 0) << anyway.err;

    const std::vector<std::pair<std::string, std::string>> env{
        {"XDG_STATE_HOME", home.pathOf("state")},
        {"HOME", home.path()},
        {"XDG_DATA_HOME", home.pathOf("share")}};
    ASSERT_EQ(RunCli({"transfer", dir, "--select", "1", "--to", other.path()}, env).code, 0);
    std::ofstream(dir + "IMG_1.jpg") << "stranger";
    const std::string moved = parent.path() + "Italia/";
    ASSERT_EQ(rename(dir.c_str(), moved.c_str()), 0);
    EXPECT_NE(RunCli({"history", moved}, env).out.find("\ttransfer\t2\n"), std::string::npos);
    // The whole group takes one free name, in the plan as in the undo.
    const CliRun plan = RunCli({"undo", moved, "--dry-run"}, env);
    const CliRun undone = RunCli({"undo", moved}, env);
    EXPECT_EQ(undone.code, 0) << undone.err;
    EXPECT_EQ(plan.code, undone.code);
    EXPECT_EQ(plan.out, undone.out);
    EXPECT_EQ(plan.out, other.path() + "IMG_1.jpg\tIMG_1 (2).jpg\n" + other.path() +
                            "IMG_1.NEF\tIMG_1 (2).NEF\n");
    std::ifstream raw(moved + "IMG_1 (2).NEF");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(raw), {}), "content of IMG_1.NEF");

    // From the Trash, a group whose picture's name is taken again stays there whole: exit 3.
    ASSERT_EQ(RunCli({"delete", moved + "IMG_1 (2).jpg", "--with-companions"}, env).code, 0);
    std::ofstream(moved + "IMG_1 (2).jpg") << "another stranger";
    const CliRun keptPlan = RunCli({"undo", moved, "--dry-run"}, env);
    const CliRun kept = RunCli({"undo", moved}, env);
    EXPECT_EQ(keptPlan.code, 3);
    EXPECT_EQ(kept.code, 3);
    EXPECT_EQ(keptPlan.err, kept.err);
    EXPECT_EQ(RunCli({"list", moved, "--companions"}).out, "IMG_1.jpg\nIMG_1 (2).jpg\nIMG_2.jpg\n");
}

}  // namespace
}  // namespace lumaro
