// A camera an hour slow corrected from the command line, from one picture of a moment the
// phone took too: its devices, the plan, the shift, the new date order and the undo, on disk.
#include <gtest/gtest.h>

#include <map>

#include "clirun.h"
#include "datedfiles.h"
#include "picturefolder.h"

namespace lumaro {
namespace {

using clitest::CliRun;
using clitest::RunCli;

class CliShiftTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (const std::string tool = datedfiles::MissingTool("a.jpg"); !tool.empty())
            GTEST_SKIP() << tool << " is missing";
        // The camera shows 12:10 for the moment the phone shows 13:10:30.
        shot("IMG_1.jpg", "Canon", "Canon EOS R5", "2015:06:01 09:50:00");
        shot("IMG_2.jpg", "Canon", "Canon EOS R5", "2015:06:01 12:10:00");
        shot("P_1.jpg", "Apple", "iPhone 12", "2015:06:01 10:30:00");
        shot("P_2.jpg", "Apple", "iPhone 12", "2015:06:01 13:10:30");
        shot("P_3.jpg", "Apple", "iPhone 12", "2015:06:01 11:20:00");
        for (const std::string& name : folder.names()) original[name] = folder.read(name);
    }

    void shot(const std::string& name, const std::string& make, const std::string& model,
              const std::string& taken) {
        datedfiles::MakeDatedFile(folder.path(), name, make, model);
        datedfiles::Exiftool(folder.pathOf(name),
                             "-q -overwrite_original '-DateTimeOriginal=" + taken + "'");
    }

    CliRun cli(std::vector<std::string> args) {
        args.insert(args.begin() + 1, folder.path());
        return RunCli(args, {{"XDG_STATE_HOME", state.path()}});
    }

    std::map<std::string, std::string> bytes() const {
        std::map<std::string, std::string> now;
        for (const std::string& name : folder.names()) now[name] = folder.read(name);
        return now;
    }

    PictureFolder state, folder;
    std::map<std::string, std::string> original;
};

TEST_F(CliShiftTest, ASlowCameraMovesAmongThePhonesPicturesAndOneUndoGivesBackEveryByte) {
    const CliRun devices = cli({"devices"});
    EXPECT_EQ(devices.code, 0) << devices.err;
    EXPECT_EQ(devices.out,
              "Canon EOS R5\t2\t2015:06:01 09:50:00\t2015:06:01 12:10:00\n"
              "Apple iPhone 12\t3\t2015:06:01 10:30:00\t2015:06:01 13:10:30\n");
    EXPECT_EQ(cli({"list", "--by", "date"}).out,
              "IMG_1.jpg\nP_1.jpg\nP_3.jpg\nIMG_2.jpg\nP_2.jpg\n");

    // Picture 2 in name order is the camera's picture of the phone's 13:10 moment.
    const std::vector<std::string> correction = {"shift", "--select", "2", "--to",
                                                 "2015:06:01 13:10:00"};
    const std::string plan =
        "IMG_1.jpg\t2015:06:01 09:50:00\t2015:06:01 10:50:00\n"
        "IMG_2.jpg\t2015:06:01 12:10:00\t2015:06:01 13:10:00\n";
    std::vector<std::string> dryRun = correction;
    dryRun.push_back("--dry-run");
    const CliRun planned = cli(dryRun);
    EXPECT_EQ(planned.code, 0) << planned.err;
    EXPECT_EQ(planned.out, plan);
    EXPECT_EQ(bytes(), original) << "a dry run changed a file";

    const CliRun shifted = cli(correction);
    EXPECT_EQ(shifted.code, 0) << shifted.err;
    EXPECT_EQ(shifted.out, plan);
    for (const char* phone : {"P_1.jpg", "P_2.jpg", "P_3.jpg"})
        EXPECT_EQ(folder.read(phone), original[phone]) << phone;
    EXPECT_EQ(cli({"list", "--by", "date"}).out,
              "P_1.jpg\nIMG_1.jpg\nP_3.jpg\nIMG_2.jpg\nP_2.jpg\n");

    const CliRun undone = cli({"undo"});
    EXPECT_EQ(undone.code, 0) << undone.err;
    EXPECT_EQ(bytes(), original);
}

}  // namespace
}  // namespace lumaro
