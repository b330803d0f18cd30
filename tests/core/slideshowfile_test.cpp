// The slide-show project file on disk, compared byte for byte, its safe replacement when a
// write fails, and the slide caption's title rules.
#include "core/slideshow/slideshowfile.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <functional>

#include "core/slideshow/slideshowtitle.h"
#include "picturefolder.h"
#include "slideshowbytes.h"

namespace lumaro {
namespace {

using slideshowbytes::ProjectFile;
using Names = std::vector<std::string>;

const SlideShowTables kTables = BuildSlideShowTables();

// The pictures of a folder as the window's list holds them.
struct ListOf {
    std::string currentFolder;
    std::vector<PictureEntry> avant;
};

SlideShowWriteResult Write(const ListOf& list, const std::string& slideShowFolder,
                           const std::string& projectName, const SlideShowContent& content) {
    return WriteSlideShowFile(kTables, list.currentFolder, list.avant, slideShowFolder, projectName,
                              content);
}

// Runs `write` in a child process prepared by `prepare` (a lower user, a file size limit);
// returns the errno the write reported, or -1 when the child did not get that far.
int ErrorInChild(const std::function<bool()>& prepare, const std::function<int()>& write) {
    const pid_t child = fork();
    if (child == 0) _exit(prepare() ? write() : 255);
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) != 255 ? WEXITSTATUS(status) : -1;
}

TEST(SlideShowFileTest, AnEmptyListGivesTheHeaderFollowedDirectlyByTheSettings) {
    PictureFolder shows;
    const SlideShowWriteResult written = Write(ListOf{"/photos/Vacances/", {}}, shows.path(),
                                               "Vacances", {"Vacances", "4000", "1200"});
    ASSERT_TRUE(written.ok());
    EXPECT_EQ(written.path, shows.path() + "Vacances.ss");
    EXPECT_EQ(shows.read("Vacances.ss"), ProjectFile({}, "4000", "1200"));
    EXPECT_EQ(shows.names(), Names{"Vacances.ss"});
}

TEST(SlideShowFileTest, EverySlideInListOrderWithItsOwnExtensionAndNothingEscaped) {
    PictureFolder shows;
    // List order, not name order; quotes in the folder, a name and the caption; empty durations.
    const ListOf list =
        ListOf{"/photos/Le \"grand\" tour/",
               {{"0002  Roma", ".JPG"}, {"0001  \"Ponte\"", ".jpg"}, {"0003--", ".jpeg"}}};
    const std::string caption = "2006 \"Italie\" ; Caption: x";
    ASSERT_TRUE(Write(list, shows.path(), "Le \"grand\" tour", {caption, "", ""}).ok());
    const std::string tail = "; Caption: \"" + caption + "\";";
    EXPECT_EQ(shows.read("Le \"grand\" tour.ss"),
              ProjectFile({"FileName: \"/photos/Le \"grand\" tour/0002  Roma.JPG\"" + tail,
                           "FileName: \"/photos/Le \"grand\" tour/0001  \"Ponte\".jpg\"" + tail,
                           "FileName: \"/photos/Le \"grand\" tour/0003--.jpeg\"" + tail},
                          "", ""));
}

TEST(SlideShowFileTest, ASecondWriteReplacesTheFirstAndTheRootFolderIsNamedRoot) {
    PictureFolder shows;
    const ListOf italy = ListOf{"/a/Italie/", {{"01  x", ".jpg"}, {"02  y", ".jpg"}}};
    ASSERT_TRUE(Write(italy, shows.path(), "Italie", {"Italie", "4000", "1200"}).ok());
    // Another folder of the same name elsewhere writes the same project, with fewer bytes.
    const ListOf other = ListOf{"/b/Italie/", {{"07  z", ".jpg"}}};
    ASSERT_TRUE(Write(other, shows.path(), SlideShowProjectName(other.currentFolder),
                      {"Italie (b)", "5", "0"})
                    .ok());
    EXPECT_EQ(
        shows.read("Italie.ss"),
        ProjectFile({"FileName: \"/b/Italie/07  z.jpg\"; Caption: \"Italie (b)\";"}, "5", "0"));
    EXPECT_EQ(shows.names(), Names{"Italie.ss"});

    const ListOf root = ListOf{"/", {{"01  x", ".jpg"}}};
    EXPECT_EQ(SlideShowProjectName(root.currentFolder), "Root");
    ASSERT_TRUE(Write(root, shows.path(), SlideShowProjectName("/"), {"Root", "1", "2"}).ok());
    EXPECT_EQ(shows.read("Root.ss"),
              ProjectFile({"FileName: \"/01  x.jpg\"; Caption: \"Root\";"}, "1", "2"));
    EXPECT_EQ(SlideShowProjectName("/home/anne/2006-07 Italie/"), "2006-07 Italie");
    EXPECT_EQ(SlideShowProjectName("/home/anne/Vacances//"), "Vacances");
}

TEST(SlideShowFileTest, AFailedWriteKeepsTheOldFileWholeLeavesNothingAndSaysWhy) {
    PictureFolder shows;
    const ListOf list = ListOf{"/p/Vacances/", {{"01  x", ".jpg"}}};
    ASSERT_TRUE(Write(list, shows.path(), "Vacances", {"old", "1", "1"}).ok());
    const std::string old = shows.read("Vacances.ss");
    const auto write = [&] {
        return Write(list, shows.path(), "Vacances", {"new", "2", "2"}).error;
    };

    // A full disk: the file size limit stops the write half way.
    const auto smallDisk = [] {
        signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{1000, 1000};
        return setrlimit(RLIMIT_FSIZE, &limit) == 0;
    };
    EXPECT_EQ(ErrorInChild(smallDisk, write), EFBIG);
    EXPECT_EQ(shows.read("Vacances.ss"), old);
    EXPECT_EQ(shows.names(), Names{"Vacances.ss"});

    // A folder that holds a folder of the project's name.
    ASSERT_EQ(mkdir(shows.pathOf("Dir.ss").c_str(), 0755), 0);
    const SlideShowWriteResult blocked = Write(list, shows.path(), "Dir", {"", "", ""});
    EXPECT_FALSE(blocked.ok());
    EXPECT_EQ(shows.names(), (Names{"Dir.ss", "Vacances.ss"}));

    // A folder its writer may not write into: root writes anywhere, so root's child becomes
    // nobody in a folder root owns; any other user's folder is made read-only for its owner.
    const bool root = geteuid() == 0;
    chmod(shows.path().c_str(), root ? 0755 : 0555);
    const auto cannotWrite = [&] {
        if (root && (setgid(65534) != 0 || setuid(65534) != 0)) return false;
        return access(shows.path().c_str(), W_OK) != 0;
    };
    const int error = ErrorInChild(cannotWrite, write);
    chmod(shows.path().c_str(), 0755);
    if (error == -1) GTEST_SKIP() << "this system lets every user here write into the folder";
    EXPECT_EQ(error, EACCES);
    EXPECT_EQ(shows.read("Vacances.ss"), old);
    EXPECT_EQ(shows.names(), (Names{"Dir.ss", "Vacances.ss"}));
}

// A line feed or a carriage return in a path or the caption would cut a slide line in two and
// the player would read pieces of names as settings.
TEST(SlideShowFileTest, ALineBreakInAFolderPictureOrCaptionIsRefusedNamedAndNothingWritten) {
    PictureFolder shows;
    const std::vector<PictureEntry> plain = {{"01  a", ".jpg"}};
    const struct {
        const char* what;
        ListOf list;
        std::string caption;
        Names named;
    } rows[] = {
        {"folder", {"/p/Nice\nTrip/", plain}, "Nice\nTrip", {"/p/Nice\nTrip/"}},
        {"parent folder", {"/p/a\rb/Trip/", plain}, "Trip", {"/p/a\rb/Trip/"}},
        {"pictures",
         {"/p/Trip/", {{"01  a\nb", ".jpg"}, {"02  c", ".jpg"}, {"03  d", ".j\rpg"}}},
         "Trip",
         {"01  a\nb.jpg", "03  d.j\rpg"}},
        {"caption", {"/p/Trip/", plain}, "Tr\nip", {"Tr\nip"}},
    };
    for (const auto& row : rows) {
        const SlideShowWriteResult written =
            Write(row.list, shows.path(), "Trip", {row.caption, "1", "2"});
        EXPECT_FALSE(written.ok()) << row.what;
        EXPECT_EQ(written.splittingNames, row.named) << row.what;
        EXPECT_EQ(shows.names(), Names{}) << row.what;
    }
    EXPECT_TRUE(Write(ListOf{"/p/Trip/", plain}, shows.path(), "Trip", {"Trip", "1", "2"}).ok());
}

// The project of a folder is named after it: up to the longest name a folder allows, less the
// three bytes of ".ss", so that no temporary name made from the project's would fit.
TEST(SlideShowFileTest, AFolderWithANearlyLongestNameGetsItsProject) {
    for (const size_t length : {240u, 252u}) {
        SCOPED_TRACE(std::to_string(length) + " bytes");
        PictureFolder shows;
        std::string name = length % 2 ? "x" : "";
        while (name.size() < length) name += "\xC3\xA9";  // "é"
        const ListOf list = ListOf{"/photos/" + name + "/", {{"01  x", ".jpg"}}};
        const SlideShowWriteResult written =
            Write(list, shows.path(), SlideShowProjectName(list.currentFolder), {"", "", ""});
        ASSERT_TRUE(written.ok()) << std::strerror(written.error);
        EXPECT_EQ(shows.names(), Names{name + ".ss"});
    }
}

TEST(SlideShowTitleTest, ThePrefixMovesBehindTheTextOnlyForTheTextFormat) {
    const std::string longText = "2006 " + std::string(255, 'a') + "é" + "tail";
    const struct {
        std::string folder, format;
        bool prefix;
        std::string title;
    } rows[] = {
        {"2006-07 Italie", "Text", true, "Italie (2006-07 )"},
        {"2006-07 Italie", "Date", true, "2006-07 Italie"},
        {"Vacances", "Text", false, "Vacances"},
        {"2006", "Text", false, "2006"},  // no text to put first
        {"", "Text", false, ""},
        {"_x", "Text", true, "x (_)"},
        {"Été 2006", "Text", false, "Été 2006"},  // an accented first letter is a letter
        {"2006 Été", "Text", true, "Été (2006 )"},
        {"2006 – Italie", "Text", true, "Italie (2006 – )"},  // a dash is no letter
        {"«2006» Rome", "Text", true, "Rome («2006» )"},
        // At most 256 characters of text, cut between characters, never inside one.
        {longText, "Text", true, std::string(255, 'a') + "é (2006 )"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(HasDatePrefix(row.folder), row.prefix) << row.folder;
        EXPECT_EQ(SlideShowTitle(row.folder, row.format), row.title)
            << row.folder << " " << row.format;
    }
}

}  // namespace
}  // namespace lumaro
