// Where the program's own files live: $LUMARO_HOME, an installed tree, the build folder.
#include "core/settings/programfolder.h"

#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

#include "core/files/folderentries.h"

namespace lumaro {
namespace {

class ProgramFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/lumaro_programfolder_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        root_ = std::string(pattern) + "/";
    }
    void TearDown() override { std::system(("rm -rf '" + root_ + "'").c_str()); }

    void makeFolder(const std::string& relative) const {
        std::system(("mkdir -p '" + root_ + relative + "'").c_str());
    }
    void writeFile(const std::string& relative) const {
        std::ofstream(root_ + relative) << "0=x\r\n";
    }
    ProgramFolderInputs installedInputs() const {
        makeFolder("usr/bin");
        makeFolder("usr/share/lumaro");
        ProgramFolderInputs inputs;
        inputs.executableFolder = root_ + "usr/bin/";
        inputs.home = root_ + "home";
        return inputs;
    }

    std::string root_;
};

TEST_F(ProgramFolderTest, installedTreeKeepsSettingsAndUserFilesInTheXdgFolders) {
    ProgramFolderInputs inputs = installedInputs();
    ProgramFolders folders = DecideProgramFolders(inputs);
    EXPECT_EQ(folders.shipped, root_ + "usr/share/lumaro/");
    EXPECT_EQ(folders.settings, root_ + "home/.config/lumaro/");
    EXPECT_EQ(folders.user, root_ + "home/.local/share/lumaro/");
    EXPECT_EQ(SettingsFilePath(folders), root_ + "home/.config/lumaro/Lumaro.ini");
    EXPECT_EQ(DefaultSnapkeepFolder(folders), root_ + "home/.local/share/lumaro/Snapkeep/");

    inputs.xdgConfigHome = root_ + "cfg";
    inputs.xdgDataHome = root_ + "data/";
    folders = DecideProgramFolders(inputs);
    EXPECT_EQ(folders.settings, root_ + "cfg/lumaro/");
    EXPECT_EQ(folders.user, root_ + "data/lumaro/");

    // Relative XDG values are ignored: they would put the settings wherever the shell stands.
    inputs.xdgConfigHome = "cfg";
    inputs.xdgDataHome = "data";
    folders = DecideProgramFolders(inputs);
    EXPECT_EQ(folders.settings, root_ + "home/.config/lumaro/");
    EXPECT_EQ(folders.user, root_ + "home/.local/share/lumaro/");

    // LUMARO_HOME holds everything, even in an installed tree.
    inputs.lumaroHome = root_ + "own";
    folders = DecideProgramFolders(inputs);
    EXPECT_EQ(folders.shipped, root_ + "own/");
    EXPECT_EQ(folders.settings, root_ + "own/");
    EXPECT_EQ(folders.user, root_ + "own/");
}

TEST_F(ProgramFolderTest, aBinFolderWithoutSharedDataIsABuildFolder) {
    makeFolder("build/bin");
    ProgramFolderInputs inputs;
    inputs.executableFolder = root_ + "build/bin/";
    inputs.home = root_ + "home";
    const ProgramFolders folders = DecideProgramFolders(inputs);
    EXPECT_EQ(folders.shipped, root_ + "build/bin/");
    EXPECT_EQ(folders.settings, root_ + "build/bin/");
    EXPECT_EQ(folders.user, root_ + "build/bin/");
}

// The names a camera gave must never stay behind in a build folder or a $LUMARO_HOME.
TEST_F(ProgramFolderTest, theHistoriesAlwaysLiveInTheUsersStateFolder) {
    makeFolder("build/bin");
    ProgramFolderInputs inputs;
    inputs.executableFolder = root_ + "build/bin/";
    inputs.home = root_ + "home";
    EXPECT_EQ(DecideProgramFolders(inputs).state, root_ + "home/.local/state/lumaro/");
    inputs.lumaroHome = root_ + "own";
    EXPECT_EQ(DecideProgramFolders(inputs).state, root_ + "home/.local/state/lumaro/");
    inputs.xdgStateHome = root_ + "state";
    EXPECT_EQ(DecideProgramFolders(inputs).state, root_ + "state/lumaro/");
    EXPECT_EQ(DecideProgramFolders(installedInputs()).state, root_ + "home/.local/state/lumaro/");
    inputs.xdgStateHome.clear();
    inputs.home.clear();  // no home: no state folder, never one under "/"
    EXPECT_EQ(DecideProgramFolders(inputs).state, "");
}

// Without $HOME, the history, the Trash (through $HOME) and the folder shown all take the
// home the password file gives.
TEST_F(ProgramFolderTest, withoutHomeEveryPartOfTheProgramTakesTheAccountsHome) {
    const passwd* account = getpwuid(getuid());
    ASSERT_TRUE(account && account->pw_dir && *account->pw_dir);
    const std::string accountHome = account->pw_dir;
    const char* saved = std::getenv("HOME");
    const std::string kept = saved ? saved : "";
    unsetenv("HOME");
    EXPECT_EQ(UserHome(), accountHome);
    EXPECT_EQ(HomeFolder(), WithTrailingSeparator(accountHome));
    EXPECT_EQ(CurrentProgramFolderInputs().home, accountHome);
    SetHomeWhenUnset();
    EXPECT_EQ(std::string(std::getenv("HOME")), accountHome);
    setenv("HOME", "/elsewhere", 1);
    SetHomeWhenUnset();  // a home that is set stays
    EXPECT_EQ(HomeFolder(), "/elsewhere/");
    setenv("HOME", kept.c_str(), 1);
}

TEST_F(ProgramFolderTest, userLanguageFilesJoinTheShippedOnesAndMendThem) {
    ProgramFolderInputs inputs = installedInputs();
    const ProgramFolders folders = DecideProgramFolders(inputs);
    ASSERT_TRUE(CreateUserFolders(folders));
    struct stat st;
    ASSERT_EQ(stat(folders.settings.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);

    writeFile("usr/share/lumaro/French.lng");
    writeFile("usr/share/lumaro/German.lng");
    writeFile("home/.local/share/lumaro/Dutch.lng");
    writeFile("home/.local/share/lumaro/German.lng");
    writeFile("home/.local/share/lumaro/English.lng");
    const std::vector<LanguageFile> languages = ListProgramLanguageFiles(folders);
    ASSERT_EQ(languages.size(), 3u);
    EXPECT_EQ(languages[0].name, "French");
    EXPECT_EQ(languages[0].path, folders.shipped + "French.lng");
    EXPECT_EQ(languages[1].name, "German");
    EXPECT_EQ(languages[1].path, folders.user + "German.lng");
    EXPECT_EQ(languages[2].name, "Dutch");
    EXPECT_EQ(languages[2].path, folders.user + "Dutch.lng");

    writeFile("usr/share/lumaro/French.hlp");
    writeFile("home/.local/share/lumaro/Dutch.hlp");
    EXPECT_EQ(HelpFilePath(folders, "French"), folders.shipped + "French.hlp");
    EXPECT_EQ(HelpFilePath(folders, "Dutch"), folders.user + "Dutch.hlp");
    EXPECT_EQ(HelpFilePath(folders, "German"), folders.shipped + "English.hlp");
}

}  // namespace
}  // namespace lumaro
