// Two lumaro-cli runs started together on one folder: one changes it and the other is refused
// without touching a file (or, started after the first ended, runs on the folder it left). No
// picture ever ends under another picture's number with another picture's companions.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "clirun.h"
#include "core/journal/renamejournal.h"
#include "core/naming/numberedname.h"
#include "picturefolder.h"

namespace lumaro {
namespace {

using clitest::CliRun;
using clitest::FinishCli;
using clitest::StartCli;

constexpr int kPictures = 2000;
constexpr const char* kBusy = "lumaro-cli: another Lumaro is changing this folder\n";

// A tiny JPEG whose comment says which picture it is: start of image, comment, end of image.
std::string tinyJpeg(const std::string& text) {
    const size_t length = text.size() + 2;
    return std::string("\xFF\xD8\xFF\xFE", 4) + char(length >> 8) + char(length & 0xFF) + text +
           std::string("\xFF\xD9", 2);
}

// Pictures 0001-- .. 2000--, each with a raw file, every third with a sidecar; each file's
// content names its picture.
void writePictures(const PictureFolder& folder) {
    for (int i = 1; i <= kPictures; ++i) {
        const std::string base = NumberOnlyName(i, 4);
        const std::string id = std::to_string(i);
        folder.write(base + ".jpg", tinyJpeg("picture " + id));
        folder.write(base + ".NEF", "raw of picture " + id);
        if (i % 3 == 0) folder.write(base + ".jpg.xmp", "sidecar of picture " + id);
    }
}

// What is wrong with the folder, counted by kind: names that are not numbered (temporary ones),
// pictures under numbers of another shift than the rest, companions under a stranger's name.
std::string damageIn(const PictureFolder& folder) {
    const std::vector<std::string> names = folder.names();
    std::map<std::string, int> damage;
    std::map<long long, int> shifts;
    for (const std::string& name : names) {
        if (name.size() < 6 || name.compare(4, 2, "--") != 0) ++damage["not numbered"];
        if (!name.ends_with("--.jpg")) continue;
        const std::string base = name.substr(0, name.size() - 4);
        const std::string content = folder.read(name);
        const std::string id = content.substr(content.find("picture ") + 8);
        const long long own = std::stoll(id.substr(0, id.size() - 2));
        ++shifts[ReadAsNumber(base) - own];
        const bool rawOwn = folder.read(base + ".NEF") == "raw of picture " + std::to_string(own);
        const bool sidecarOwn = own % 3 != 0 || folder.read(base + ".jpg.xmp") ==
                                                    "sidecar of picture " + std::to_string(own);
        if (!rawOwn || !sidecarOwn) ++damage["companions of another picture"];
    }
    if (names.size() != kPictures * 2 + kPictures / 3) ++damage["files lost or added"];
    if (shifts.size() != 1 || (!shifts.count(100) && !shifts.count(5000)))
        damage["pictures of a shift of their own"] = static_cast<int>(shifts.size());
    std::string text;
    for (const auto& [kind, count] : damage) text += kind + ": " + std::to_string(count) + "\n";
    return text;
}

TEST(CliLockTest, TwoRenumberingsStartedTogetherNeverMislabelPicturesOrLeaveTemporaryNames) {
    for (int round = 1; round <= 5; ++round) {
        const PictureFolder folder(MemoryFolderParent());
        writePictures(folder);
        const std::string dir = folder.path().substr(0, folder.path().size() - 1);
        const clitest::StartedCli first =
            StartCli(LUMARO_CLI, {"renumber", dir, "--select", "all", "--start", "101"});
        const clitest::StartedCli second =
            StartCli(LUMARO_CLI, {"renumber", dir, "--select", "all", "--start", "5001"});
        std::vector<CliRun> runs = {FinishCli(first), FinishCli(second)};
        std::sort(runs.begin(), runs.end(),
                  [](const CliRun& a, const CliRun& b) { return a.code < b.code; });
        EXPECT_EQ(runs[0].code, 0) << runs[0].err.substr(0, 300);
        // The loser says why and changed nothing; one started after the winner ended runs too.
        if (runs[1].code == 1) {
            EXPECT_EQ(runs[1].err.substr(0, 300), kBusy);
            EXPECT_EQ(runs[1].out, "");
        } else {
            EXPECT_EQ(runs[1].code, 0) << runs[1].err.substr(0, 300);
        }
        EXPECT_EQ(damageIn(folder), "") << "round " << round;
    }
}

}  // namespace
}  // namespace lumaro
