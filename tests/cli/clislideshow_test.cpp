// lumaro-cli slideshow run as a program: the project file it writes, byte for byte, and the
// durations and folders it refuses without writing anything.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "clirun.h"
#include "picturefolder.h"
#include "slideshowbytes.h"

namespace lumaro {
namespace {

using clitest::CliRun;
using clitest::RunCli;
using slideshowbytes::ProjectFile;
using Names = std::vector<std::string>;

bool IsFolder(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

TEST(CliSlideShowTest, WritesEveryPictureInNameOrderWithTheMovedTitleAndPrintsThePath) {
    PictureFolder home;
    const std::string pictures = home.pathOf("2006-07 Italie/");
    ASSERT_EQ(mkdir(pictures.c_str(), 0755), 0);
    for (const char* name : {"02  b.jpg", "01  a.JPG", "03--.jpg", "04  d.png"}) home.write(std::string("2006-07 Italie/") + name);
    const std::string shows = home.pathOf("Slide shows");  // missing: made, one level

    const CliRun run = RunCli({"slideshow", pictures, "--to", shows, "--title-format", "Text", "--interval", "5000",
                               "--effect", ""});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, shows + "/2006-07 Italie.ss\n");
    EXPECT_TRUE(IsFolder(shows));
    const std::string tail = "\"; Caption: \"Italie (2006-07 )\";";
    EXPECT_EQ(home.read("Slide shows/2006-07 Italie.ss"),
              ProjectFile({"FileName: \"" + pictures + "01  a.JPG" + tail, "FileName: \"" + pictures + "02  b.jpg" + tail,
                           "FileName: \"" + pictures + "03--.jpg" + tail},
                          "5000", ""));

    // The defaults: the folder name as it is, 4000 and 1200; the same project is replaced. A
    // folder typed with "." and ".." steps names the same project and the same full paths.
    ASSERT_EQ(RunCli({"slideshow", pictures + "../2006-07 Italie/.", "--to", shows + "/"}).code, 0);
    const std::string plain = "\"; Caption: \"2006-07 Italie\";";
    EXPECT_EQ(home.read("Slide shows/2006-07 Italie.ss"),
              ProjectFile({"FileName: \"" + pictures + "01  a.JPG" + plain, "FileName: \"" + pictures + "02  b.jpg" + plain,
                           "FileName: \"" + pictures + "03--.jpg" + plain},
                          "4000", "1200"));
}

TEST(CliSlideShowTest, RefusesBadDurationsAndFoldersItCannotMakeWithoutWritingAnything) {
    PictureFolder home;
    home.write("01  a.jpg");
    const std::string dir = home.path();
    const struct {
        Names args;
        int code;
        std::string said;  // part of stderr
    } rows[] = {
        {{"--interval", "4s"}, 1, "--interval takes milliseconds (digits only)"},
        {{"--effect", "-1"}, 1, "--effect takes milliseconds (digits only)"},
        {{"--interval", " 40"}, 1, "digits only"},
        {{"--title-format", "date"}, 1, "--title-format takes Date or Text"},
        {{"--to", dir + "a/b"}, 1, "Cannot create folder in " + dir + "a/b/"},
    };
    for (const auto& row : rows) {
        Names args = {"slideshow", dir, "--to", dir + "shows"};
        args.insert(args.end(), row.args.begin(), row.args.end());
        const CliRun run = RunCli(args);
        EXPECT_EQ(run.code, row.code) << row.said;
        EXPECT_NE(run.err.find(row.said), std::string::npos) << run.err;
        EXPECT_EQ(home.names(), Names{"01  a.jpg"}) << row.said;
    }
    EXPECT_EQ(RunCli({"slideshow", dir}).code, 1);  // no --to
}

}  // namespace
}  // namespace lumaro
