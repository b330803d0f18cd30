// lumaro-cli slideshow run as a program: the project file it writes, byte for byte, and the
// durations and folders it refuses without writing anything.
#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>

#include "clirun.h"
#include "picturefolder.h"
#include "slideshowbytes.h"

namespace lumaro {
namespace {

using clitest::CliRun;
using clitest::RunCli;
using slideshowbytes::ProjectFile;
using Names = std::vector<std::string>;

// Every name in a folder, in byte order.
Names namesIn(const std::string& folder) {
    Names names;
    DIR* dir = opendir(folder.c_str());
    while (dirent* entry = dir ? readdir(dir) : nullptr) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..") names.push_back(name);
    }
    if (dir) closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
}

bool IsFolder(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

TEST(CliSlideShowTest, WritesEveryPictureInNameOrderWithTheMovedTitleAndPrintsThePath) {
    PictureFolder home;
    const std::string pictures = home.pathOf("2006-07 Italie/");
    ASSERT_EQ(mkdir(pictures.c_str(), 0755), 0);
    for (const char* name : {"02  b.jpg", "01  a.JPG", "03--.jpg", "04  d.png"})
        home.write(std::string("2006-07 Italie/") + name);
    const std::string shows = home.pathOf("Slide shows");  // missing: made, one level

    const CliRun run = RunCli({"slideshow", pictures, "--to", shows, "--title-format", "Text",
                               "--interval", "5000", "--effect", ""});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, shows + "/2006-07 Italie.ss\n");
    EXPECT_TRUE(IsFolder(shows));
    const std::string tail = "\"; Caption: \"Italie (2006-07 )\";";
    EXPECT_EQ(home.read("Slide shows/2006-07 Italie.ss"),
              ProjectFile({"FileName: \"" + pictures + "01  a.JPG" + tail,
                           "FileName: \"" + pictures + "02  b.jpg" + tail,
                           "FileName: \"" + pictures + "03--.jpg" + tail},
                          "5000", ""));

    // The defaults: the folder name as it is, 4000 and 1200; the same project is replaced. A
    // folder typed with "." and ".." steps names the same project and the same full paths.
    ASSERT_EQ(RunCli({"slideshow", pictures + "../2006-07 Italie/.", "--to", shows + "/"}).code, 0);
    const std::string plain = "\"; Caption: \"2006-07 Italie\";";
    EXPECT_EQ(home.read("Slide shows/2006-07 Italie.ss"),
              ProjectFile({"FileName: \"" + pictures + "01  a.JPG" + plain,
                           "FileName: \"" + pictures + "02  b.jpg" + plain,
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

// The load would give the pictures other names (one number width, numbers for a first
// numbering): a slide-show folder that cannot be made or a name that would split its slide
// line stops the command before that.
TEST(CliSlideShowTest, AFolderItCannotMakeOrANameWithALineBreakStopsItBeforeTheLoadRenames) {
    const struct {
        const char* what;
        std::string folderName;
        Names pictures;
        const char* to;  // beneath the test's folder
        int code;
        std::string said;
    } rows[] = {
        {"unnumbered, a folder two levels deep",
         "Trip",
         {"b.jpg", "a.jpg"},
         "no/such",
         1,
         "Cannot create folder in"},
        {"unequal widths, a folder two levels deep",
         "Trip",
         {"01  a.jpg", "002  b.jpg"},
         "no/such",
         1,
         "Cannot create folder in"},
        {"a line feed in the folder's name",
         "Nice\nTrip",
         {"01  a.jpg", "002  b.jpg"},
         "shows",
         2,
         "Nice\\nTrip/"},
        {"a carriage return in a picture's name",
         "Trip",
         {"01  a.jpg", "002  b\rc.jpg"},
         "shows",
         2,
         "\nlumaro-cli: 002  b\\rc.jpg"},
        {"a project that cannot be written",
         "Trip",
         {"01  a.jpg", "002  b.jpg"},
         "Trip",
         1,
         "could not be written"},
    };
    for (const auto& row : rows) {
        PictureFolder home;
        const std::string pictures = home.pathOf(row.folderName) + "/";
        ASSERT_EQ(mkdir(pictures.c_str(), 0755), 0);
        // The last row writes its project into the picture folder, where a folder bears its name.
        ASSERT_EQ(mkdir((pictures + "Trip.ss").c_str(), 0755), 0);
        for (const std::string& name : row.pictures) home.write(row.folderName + "/" + name);
        const CliRun run =
            RunCli({"slideshow", pictures, "--to", home.pathOf(row.to), "--format", "replace"});
        EXPECT_EQ(run.code, row.code) << row.what << "\n" << run.err;
        EXPECT_NE(run.err.find(row.said), std::string::npos) << row.what << ": " << run.err;
        EXPECT_EQ(home.names(), Names{row.folderName}) << row.what;
        Names names = row.pictures;
        names.push_back("Trip.ss");
        std::sort(names.begin(), names.end());
        EXPECT_EQ(namesIn(pictures), names) << row.what;
    }
}

}  // namespace
}  // namespace lumaro
