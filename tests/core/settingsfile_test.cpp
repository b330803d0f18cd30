// The settings file: its bytes, values loaded back, damaged or missing sections, safe saving.
#include "core/settings/settingsfile.h"

#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "core/settings/constants.h"

namespace lumaro {
namespace {

class SettingsFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/lumaro_settings_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder_ = pattern;
        path_ = folder_ + "/Lumaro.ini";
    }
    void TearDown() override { std::system(("rm -rf '" + folder_ + "'").c_str()); }

    void write(const std::string& bytes) const { std::ofstream(path_, std::ios::binary) << bytes; }
    std::string read() const {
        std::ifstream in(path_, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    std::vector<std::string> folderNames() const {
        std::vector<std::string> names;
        DIR* dir = opendir(folder_.c_str());
        while (dirent* entry = readdir(dir)) {
            const std::string name = entry->d_name;
            if (name != "." && name != "..") names.push_back(name);
        }
        closedir(dir);
        return names;
    }

    std::string folder_;
    std::string path_;
};

// The state of a first run once the start-up has applied its defaults and English.
Settings FirstRunSettings() {
    Settings settings;
    settings.languageName = "English";
    settings.slideShowTitleFormat = "Date";
    settings.fileTypes = {"Types", "jpg"};
    settings.captions = {"Available captions"};
    return settings;
}

std::string Lines(std::initializer_list<std::string> lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

const std::string kHead = Lines({"[Language]", "Français", "[Default Folders]", "/photos/été/",
                                 "/copies/", "", "[SlideShow Title Format]", "Text"});

TEST_F(SettingsFileTest, FirstCloseWritesTheFourteenLineFileByteForByte) {
    ASSERT_TRUE(SaveSettings(path_, FirstRunSettings()));
    EXPECT_EQ(read(), Lines({"[Language]", "English", "[Default Folders]", "", "", "",
                             "[SlideShow Title Format]", "Date", "[File Types]", "Types", "jpg",
                             "[Captions]", "Available captions", "[End of Application data]"}));
}

TEST_F(SettingsFileTest, EverySavedValueLoadsBackUnchanged) {
    Settings saved = FirstRunSettings();
    saved.languageName = "Français";
    saved.currentFolder = "/home/anne/" + std::string(5000, 'x') + "/";  // no length limit
    saved.copyToFolder = "/media/clé/";
    saved.slideShowFolder = "/home/anne/Slide shows/";
    saved.slideShowTitleFormat = "Text";
    saved.fileTypes = {"Types", "jpeg", "jpg", "tiff", "png"};
    saved.captions = {"Available captions", "Noël à Lyon", "a=b  [x]", "Vacances"};
    ASSERT_TRUE(SaveSettings(path_, saved));
    Settings loaded;
    ASSERT_TRUE(LoadSettings(path_, loaded));
    EXPECT_EQ(loaded.languageName, saved.languageName);
    EXPECT_EQ(loaded.currentFolder, saved.currentFolder);
    EXPECT_EQ(loaded.copyToFolder, saved.copyToFolder);
    EXPECT_EQ(loaded.slideShowFolder, saved.slideShowFolder);
    EXPECT_EQ(loaded.slideShowTitleFormat, saved.slideShowTitleFormat);
    EXPECT_EQ(loaded.fileTypes, saved.fileTypes);
    EXPECT_EQ(loaded.captions, saved.captions);
    const std::string firstWrite = read();
    ASSERT_TRUE(SaveSettings(path_, loaded));
    EXPECT_EQ(read(), firstWrite);
}

// Bytes that are not UTF-8 and NUL bytes inside lines are values like any other: they load
// whole, the lines after them stay in place, and the file is written back byte for byte.
TEST_F(SettingsFileTest, NulAndInvalidUtf8StayInTheirLinesAndAreWrittenBackByteForByte) {
    const std::string nul(1, '\0');
    const std::string file =
        Lines({"[Language]",
               "Fran\xE7"
               "ais",
               "[Default Folders]", "/photos/\xFF\xFE" + nul + "x/", nul, "/shows/\xC3/",
               "[SlideShow Title Format]", "Te" + nul + "xt", "[File Types]", "Types", "jpg",
               "[Captions]", "Available captions", "Caf\xE9" + nul + "[Captions]",
               nul + "[End of Application data]", "Roma", "[End of Application data]"});
    write(file);
    Settings loaded;
    ASSERT_TRUE(LoadSettings(path_, loaded));
    EXPECT_EQ(loaded.languageName,
              "Fran\xE7"
              "ais");
    EXPECT_EQ(loaded.currentFolder, "/photos/\xFF\xFE" + nul + "x/");
    EXPECT_EQ(loaded.copyToFolder, nul);
    EXPECT_EQ(loaded.slideShowFolder, "/shows/\xC3/");
    EXPECT_EQ(loaded.slideShowTitleFormat, "Te" + nul + "xt");
    EXPECT_EQ(loaded.captions,
              (std::vector<std::string>{"Available captions", "Caf\xE9" + nul + "[Captions]",
                                        nul + "[End of Application data]", "Roma"}));
    ASSERT_TRUE(SaveSettings(path_, loaded));
    EXPECT_EQ(read(), file);
}

// A file of one endless line, or too large to be a settings file, is refused without being
// read into memory; nothing of it reaches the lists.
TEST_F(SettingsFileTest, HugeFileOrEndlessLineIsRefusedAndLeavesTheListsEmpty) {
    const std::string longCaption(kLongestSettingsLine + 1, 'c');
    write(kHead + Lines({"[File Types]", "Types", "jpg", "[Captions]", "Header", "Roma",
                         longCaption, "[End of Application data]"}));
    Settings settings;
    EXPECT_FALSE(LoadSettings(path_, settings));
    EXPECT_TRUE(settings.fileTypes.empty());
    EXPECT_TRUE(settings.captions.empty());
    EXPECT_EQ(settings.currentFolder, "");

    // The longest line allowed still loads.
    write(kHead + Lines({"[File Types]", "Types", "jpg", "[Captions]", "Header",
                         longCaption.substr(1), "[End of Application data]"}));
    ASSERT_TRUE(LoadSettings(path_, settings));
    EXPECT_EQ(settings.captions.back().size(), kLongestSettingsLine);

    // Many short captions past the largest size: refused unread, whatever they are.
    std::string many = kHead + Lines({"[File Types]", "Types", "jpg", "[Captions]", "Header"});
    while (many.size() <= kLargestSettingsFile) many += "a\r\n";
    write(many);
    Settings refused;
    EXPECT_FALSE(LoadSettings(path_, refused));
    EXPECT_TRUE(refused.captions.empty());
}

TEST_F(SettingsFileTest, HeaderOnlyListsLoadBackAsTheHeaderAlone) {
    Settings saved = FirstRunSettings();
    saved.fileTypes = {"Types"};
    ASSERT_TRUE(SaveSettings(path_, saved));
    Settings loaded;
    ASSERT_TRUE(LoadSettings(path_, loaded));
    EXPECT_EQ(loaded.fileTypes, std::vector<std::string>{"Types"});
    EXPECT_EQ(loaded.captions, std::vector<std::string>{"Available captions"});
}

TEST_F(SettingsFileTest, SaveReplacesTheOldFileAndLeavesNoTemporaryFile) {
    write(std::string(100000, 'o'));
    ASSERT_EQ(chmod(path_.c_str(), 0600), 0);
    struct stat before;
    ASSERT_EQ(stat(path_.c_str(), &before), 0);
    ASSERT_TRUE(SaveSettings(path_, FirstRunSettings()));
    struct stat after;
    ASSERT_EQ(stat(path_.c_str(), &after), 0);
    EXPECT_NE(after.st_ino, before.st_ino);  // a new file renamed in, never rewritten in place
    EXPECT_EQ(after.st_mode & 0777, 0600u);
    EXPECT_EQ(static_cast<size_t>(after.st_size), read().size());
    EXPECT_EQ(folderNames(), std::vector<std::string>{"Lumaro.ini"});
}

TEST_F(SettingsFileTest, SaveIntoAMissingFolderFailsWithoutWritingAnything) {
    EXPECT_FALSE(SaveSettings(folder_ + "/gone/Lumaro.ini", FirstRunSettings()));
    EXPECT_TRUE(folderNames().empty());
}

struct LoadCase {
    const char* name;
    std::string bytes;
    bool loaded;
    std::vector<std::string> fileTypes;
    std::vector<std::string> captions;
};

// Names the row in test listings instead of dumping its bytes.
void PrintTo(const LoadCase& row, std::ostream* out) { *out << row.name; }

class SettingsLoadTest : public SettingsFileTest, public ::testing::WithParamInterface<LoadCase> {};

TEST_P(SettingsLoadTest, ListsAndResultFollowTheMarkers) {
    write(GetParam().bytes);
    Settings settings;
    EXPECT_EQ(LoadSettings(path_, settings), GetParam().loaded);
    EXPECT_EQ(settings.fileTypes, GetParam().fileTypes);
    EXPECT_EQ(settings.captions, GetParam().captions);
}

const std::string kTypes = Lines({"[File Types]", "Types", "jpg"});
const std::vector<std::string> kJpg = {"Types", "jpg"};

INSTANTIATE_TEST_SUITE_P(
    Cases, SettingsLoadTest,
    ::testing::Values(
        LoadCase{
            "emptyLineEndsCaptionsAndStillLoads",
            kHead + kTypes + Lines({"[Captions]", "H", "a", "", "b", "[End of Application data]"}),
            true,
            kJpg,
            {"H", "a"}},
        LoadCase{"fileCutAfterCaptionsLoads",
                 kHead + kTypes + Lines({"[Captions]", "H", "a"}),
                 true,
                 kJpg,
                 {"H", "a"}},
        LoadCase{"fileCutRightAfterCaptionsMarkerHasNoCaptions",
                 kHead + kTypes + Lines({"[Captions]"}),
                 true,
                 kJpg,
                 {}},
        LoadCase{"emptyCaptionHeaderIsKept",
                 kHead + kTypes + Lines({"[Captions]", "", "a", "[End of Application data]"}),
                 true,
                 kJpg,
                 {"", "a"}},
        LoadCase{"captionNamedEndMarkerEndsTheList",
                 kHead + kTypes + Lines({"[Captions]", "H", "[End of Application data]", "b"}),
                 true,
                 kJpg,
                 {"H"}},
        LoadCase{"endMarkerRightAfterCaptionsMarkerGivesNoCaptions",
                 kHead + kTypes + Lines({"[Captions]", "[End of Application data]"}),
                 true,
                 kJpg,
                 {}},
        LoadCase{"fileCutInsideTypesIsDamaged", kHead + kTypes, false, {}, {}},
        LoadCase{"typesEndingAtEmptyLineAreDamaged",
                 kHead + kTypes + Lines({"", "[Captions]", "H", "[End of Application data]"}),
                 false,
                 {},
                 {}},
        LoadCase{"typeOfAnyLengthKeepsTheCaptions",
                 kHead + Lines({"[File Types]", "Types", "jpeg", "jpg", "[Captions]", "H",
                                "[End of Application data]"}),
                 true,
                 {"Types", "jpeg", "jpg"},
                 {"H"}},
        LoadCase{"captionsMarkerWithTrailingBlankIsNoMarker",
                 kHead + kTypes + Lines({"[Captions] ", "H", "[End of Application data]"}),
                 false,
                 {},
                 {}},
        LoadCase{"captionsMarkerInOtherCaseIsNoMarker",
                 kHead + kTypes + Lines({"[captions]", "H", "[End of Application data]"}),
                 false,
                 {},
                 {}},
        LoadCase{"endMarkerWithLeadingBlankIsACaption",
                 kHead + kTypes + Lines({"[Captions]", "H", " [End of Application data]"}),
                 true,
                 kJpg,
                 {"H", " [End of Application data]"}},
        LoadCase{"bareLineFeedsReadLikeCrLf",
                 "[Default Folders]\n/a/\n\n\n[File Types]\nTypes\njpg\n[Captions]\nH\n"
                 "[End of Application data]\n",
                 true,
                 kJpg,
                 {"H"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SettingsFileTest, MissingLanguageSectionLeavesTheNameAndMissingFormatGivesDate) {
    write(Lines({"[Default Folders]", "/a/", "/b/", "/c/", "[File Types]", "Types", "jpg",
                 "[Captions]", "H", "[End of Application data]"}));
    Settings settings;
    settings.languageName = "kept";
    ASSERT_TRUE(LoadSettings(path_, settings));
    EXPECT_EQ(settings.languageName, "kept");
    EXPECT_EQ(settings.slideShowTitleFormat, "Date");
    EXPECT_EQ(settings.slideShowFolder, "/c/");
}

// Project file names are joined to the slide-show folder: "/home/u/Shows" typed by hand
// would write "/home/u/ShowsVacances.ss".
TEST_F(SettingsFileTest, AHandEditedSlideShowFolderWithoutItsSlashLoadsWithOne) {
    for (const auto& [typed, loaded] :
         {std::pair<std::string, std::string>{"/home/u/Shows", "/home/u/Shows/"},
          {"/home/u/Shows/", "/home/u/Shows/"},
          {"", ""}}) {
        write(Lines({"[Default Folders]", "/a", "/b", typed, "[File Types]", "Types", "jpg",
                     "[Captions]", "H", "[End of Application data]"}));
        Settings settings;
        ASSERT_TRUE(LoadSettings(path_, settings));
        EXPECT_EQ(settings.slideShowFolder, loaded) << typed;
    }
}

TEST_F(SettingsFileTest, MissingFileTypesMarkerClearsTheFoldersButKeepsTheRest) {
    write(kHead + Lines({"[File Types] ", "Types", "jpg", "[Captions]"}));
    Settings settings;
    EXPECT_FALSE(LoadSettings(path_, settings));
    EXPECT_EQ(settings.languageName, "Français");
    EXPECT_EQ(settings.currentFolder, "");
    EXPECT_EQ(settings.copyToFolder, "");
    EXPECT_EQ(settings.slideShowTitleFormat, "Text");
    EXPECT_TRUE(settings.fileTypes.empty());
}

TEST_F(SettingsFileTest, FileWithoutFoldersMarkerOrNoFileIsNotLoaded) {
    Settings settings;
    EXPECT_FALSE(LoadSettings(path_, settings));
    write(Lines({"[Language]", "English", "[Default folders]", "/a/"}));
    EXPECT_FALSE(LoadSettings(path_, settings));
    EXPECT_EQ(settings.currentFolder, "");
}

// A folder may hold a line feed on Linux; written as it is, it shifted every later line and
// cost the captions at the next start.
TEST_F(SettingsFileTest, ValuesWithLineBreaksAreNotStoredAndTheFileStaysReadable) {
    Settings settings = FirstRunSettings();
    settings.currentFolder = "/home/me/a\nb/";
    settings.copyToFolder = "/home/me/c\nd/";
    settings.slideShowFolder = "/home/me/Shows/";
    settings.captions = {"Available captions", "Roma", "two\nlines", "Napoli"};
    ASSERT_TRUE(SaveSettings(path_, settings));
    Settings loaded;
    ASSERT_TRUE(LoadSettings(path_, loaded));
    EXPECT_EQ(loaded.currentFolder, "");
    EXPECT_EQ(loaded.copyToFolder, "");
    EXPECT_EQ(loaded.slideShowFolder, "/home/me/Shows/");
    EXPECT_EQ(loaded.fileTypes, (std::vector<std::string>{"Types", "jpg"}));
    EXPECT_EQ(loaded.captions, (std::vector<std::string>{"Available captions", "Roma", "Napoli"}));
}

TEST_F(SettingsFileTest, ALinkIsWrittenThroughAndStaysALink) {
    const std::string target = folder_ + "/kept/real.ini";
    ASSERT_EQ(mkdir((folder_ + "/kept").c_str(), 0755), 0);
    ASSERT_EQ(symlink("kept/real.ini", path_.c_str()), 0);
    EXPECT_EQ(ProbeSettingsFile(path_), SettingsFileState::Missing);  // points to no file yet
    ASSERT_TRUE(SaveSettings(path_, FirstRunSettings()));
    ASSERT_TRUE(SaveSettings(path_, FirstRunSettings()));
    struct stat st;
    ASSERT_EQ(lstat(path_.c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_EQ(ProbeSettingsFile(path_), SettingsFileState::Readable);
    Settings loaded;
    EXPECT_TRUE(LoadSettings(target, loaded));
    EXPECT_EQ(loaded.languageName, "English");
}

TEST_F(SettingsFileTest, ProbeTellsAMissingFileFromOneThatCannotBeRead) {
    EXPECT_EQ(ProbeSettingsFile(path_), SettingsFileState::Missing);
    ASSERT_EQ(symlink("Lumaro.ini", path_.c_str()), 0);  // a loop
    EXPECT_EQ(ProbeSettingsFile(path_), SettingsFileState::Unreadable);
    ASSERT_EQ(unlink(path_.c_str()), 0);
    ASSERT_EQ(mkdir(path_.c_str(), 0755), 0);
    EXPECT_EQ(ProbeSettingsFile(path_), SettingsFileState::Unreadable);
    ASSERT_EQ(rmdir(path_.c_str()), 0);
    write("[Language]\r\n");
    EXPECT_EQ(ProbeSettingsFile(path_), SettingsFileState::Readable);
    ASSERT_EQ(chmod(path_.c_str(), 0), 0);
    if (geteuid() != 0) {
        EXPECT_EQ(ProbeSettingsFile(path_), SettingsFileState::Unreadable);
    }
}

TEST(ReadSettingsLineTest, DropsOnlyTheCarriageReturnOfALineEnd) {
    std::istringstream in("a\r\nb\r\r\nc\rd\n\ne\r");
    const std::vector<std::string> expected = {"a", "b\r", "c\rd", "", "e\r", "", ""};
    for (const std::string& line : expected) EXPECT_EQ(ReadSettingsLine(in), line);
}

}  // namespace
}  // namespace lumaro
