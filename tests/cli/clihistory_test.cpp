// lumaro-cli's history and undo on a real folder: the camera names stay findable and come back.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <nlohmann/json.hpp>

#include "clirun.h"
#include "picturefolder.h"

namespace lumaro {
namespace {

using clitest::CliRun;
using clitest::RunCli;
using Names = std::vector<std::string>;

TEST(CliHistoryTest, TheHistoryNamesTheCameraNamesAndUndoPutsThemBackThenDoesItAgain) {
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
    ASSERT_EQ(RunCli({"undo", dir}, env).code, 0);  // the undo undone: renumbered again
    EXPECT_EQ(pictures.names(), renumbered);

    // A picture renamed behind the program's back: nothing is undone, and the message names it.
    ASSERT_EQ(rename(pictures.pathOf("06--.jpg").c_str(), pictures.pathOf("6.jpg").c_str()), 0);
    const CliRun refused = RunCli({"undo", dir}, env);
    EXPECT_EQ(refused.code, 2);
    EXPECT_NE(refused.err.find("06--.jpg"), std::string::npos) << refused.err;
    EXPECT_EQ(pictures.names(), (Names{"05--.jpg", "07--.jpg", "6.jpg"}));
}

}  // namespace
}  // namespace lumaro
