// The message table: the English set, good, faulty and unreadable language files, and their list.
#include "core/settings/languagetable.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "core/settings/messagekeys.h"

namespace lumaro {
namespace {

class LanguageTableTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/lumaro_language_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder_ = std::string(pattern) + "/";
        table_.resize(kLanguageKeyCount);
        table_.applyEnglish();
    }
    void TearDown() override { std::system(("rm -rf '" + folder_ + "'").c_str()); }

    // A language file of `count` lines "i=T<i>", CR LF ended; `faulty` replaces one line.
    std::string writeFile(int count, int faultyKey = -1, const std::string& faulty = "") const {
        std::string bytes;
        for (int key = 0; key < count; ++key) {
            bytes += key == faultyKey ? faulty : std::to_string(key) + "=T" + std::to_string(key);
            bytes += "\r\n";
        }
        return writeBytes("Test.lng", bytes);
    }
    std::string writeBytes(const std::string& name, const std::string& bytes) const {
        std::ofstream(folder_ + name, std::ios::binary) << bytes;
        return folder_ + name;
    }

    std::string folder_;
    LanguageTable table_;
};

using Status = LanguageLoadResult::Status;

TEST_F(LanguageTableTest, EnglishSetHasEveryClassicKeyInOrderWithItsExactText) {
    const std::vector<std::string>& entries = BuiltInEnglishEntries();
    ASSERT_EQ(static_cast<int>(entries.size()), kLanguageKeyCount);
    for (int key = 0; key < kLanguageKeyCount; ++key) {
        EXPECT_EQ(entries[key].rfind(std::to_string(key) + "=", 0), 0u) << entries[key];
    }
    EXPECT_EQ(table_.text(0), "Current folder:");
    EXPECT_EQ(table_.text(36), "Available captions");
    EXPECT_EQ(table_.text(44), "Slide shows/");
    EXPECT_EQ(table_.text(96), "");
    EXPECT_EQ(table_.text(103),
              "Pictures with no internal date will be placed\n\rat the beginning of the list\n\n\r"
              "The displayed date for these pictures will start with FD");
    EXPECT_EQ(table_.text(109), "Delete file");
    EXPECT_EQ(table_.text(-1), "");
    EXPECT_EQ(table_.text(kLanguageKeyCount), "");
}

// With the table the program really uses: lines past its keys are ignored, and a newer key
// whose line does not read keeps its English text instead of failing the whole file.
TEST_F(LanguageTableTest, NewerOrUnknownLinesThatDoNotReadNeverFailTheFile) {
    const int newer = kClassicMessageCount + 1;
    std::string bytes;
    for (int key = 0; key <= kLanguageKeyCount; ++key) {
        const bool garbled = key == newer || key == kLanguageKeyCount;
        bytes += garbled ? std::string("no equals sign")
                         : std::to_string(key) + "=T" + std::to_string(key);
        bytes += "\r\n";
    }
    const LanguageLoadResult result = table_.applyFile(writeBytes("Long.lng", bytes));
    EXPECT_EQ(result.status, Status::Loaded);
    EXPECT_EQ(table_.text(0), "T0");
    EXPECT_EQ(table_.text(109), "T109");
    EXPECT_EQ(table_.text(newer), BuiltInEnglishEntries()[newer].substr(4));
    EXPECT_EQ(table_.text(kLanguageKeyCount - 1), "T" + std::to_string(kLanguageKeyCount - 1));
}

struct FaultCase {
    const char* name;
    int lineCount;
    int faultyKey;
    std::string faultyLine;
};

// Names the row in test listings instead of dumping its bytes.
void PrintTo(const FaultCase& row, std::ostream* out) { *out << row.name; }

class LanguageFaultTest : public LanguageTableTest,
                          public ::testing::WithParamInterface<FaultCase> {};

// The window goes on with the texts it shows: a faulty file changes none of them.
TEST_P(LanguageFaultTest, NamesTheFaultyKeyAndLeavesEveryTextAsItWas) {
    const FaultCase& fault = GetParam();
    const LanguageLoadResult result =
        table_.applyFile(writeFile(fault.lineCount, fault.faultyKey, fault.faultyLine));
    EXPECT_EQ(result.status, Status::FaultyLine);
    EXPECT_EQ(result.faultyKey, fault.faultyKey);
    EXPECT_EQ(table_.text(0), "Current folder:");
    EXPECT_EQ(table_.text(fault.faultyKey), BuiltInEnglishEntries()[fault.faultyKey].substr(
                                                std::to_string(fault.faultyKey).size() + 1));
    EXPECT_EQ(table_.text(109), "Delete file");
}

INSTANTIATE_TEST_SUITE_P(Cases, LanguageFaultTest,
                         ::testing::Values(FaultCase{"fileEndingAtLine109", 109, 109, ""},
                                           FaultCase{"lineStartingWithEquals", 110, 12, "=Type"},
                                           FaultCase{"lineWithoutEquals", 110, 40, "40 Creation"},
                                           FaultCase{"emptyLine", 110, 1, ""}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(LanguageTableTest, TextKeepsEverythingAfterTheFirstEqualsSign) {
    ASSERT_EQ(table_.applyFile(writeFile(110, 55, "x=(1200 ms =1,2 s)=")).status, Status::Loaded);
    EXPECT_EQ(table_.text(55), "(1200 ms =1,2 s)=");
}

TEST_F(LanguageTableTest, BareLineFeedsAndEmptyTextsLoad) {
    std::string bytes;
    for (int key = 0; key < 110; ++key)
        bytes += key == 7 ? "7=\n" : "k=é" + std::to_string(key) + "\n";
    ASSERT_EQ(table_.applyFile(writeBytes("Lf.lng", bytes)).status, Status::Loaded);
    EXPECT_EQ(table_.text(7), "");
    EXPECT_EQ(table_.text(109), "é109");
}

TEST_F(LanguageTableTest, NewerKeysComeFromLinesPastTheClassicOnesWhenPresent) {
    table_.resize(113);  // as if three newer messages existed
    std::string classic;
    for (int key = 0; key < 110; ++key) classic += std::to_string(key) + "=F\r\n";
    ASSERT_EQ(table_.applyFile(writeBytes("A.lng", classic + "110=neu\r\n")).status,
              Status::Loaded);
    EXPECT_EQ(table_.text(110), "neu");
    // A newer key the file does not carry stays in English.
    EXPECT_EQ(table_.text(111), BuiltInEnglishEntries()[111].substr(4));
    ASSERT_EQ(table_.applyFile(writeBytes("B.lng", classic + "\r\nstray")).status, Status::Loaded);
    ASSERT_EQ(table_.applyFile(writeBytes("C.lng", classic + "110\r\n")).status, Status::Loaded);
    EXPECT_EQ(table_.text(110), BuiltInEnglishEntries()[110].substr(4));
}

// A NUL byte or bytes that are not UTF-8 inside a text neither cut it nor shift the keys
// after it.
TEST_F(LanguageTableTest, NulAndInvalidUtf8InATextKeepTheLaterKeysInPlace) {
    const std::string text = std::string("Dossier\0 \xE9t\xE9 \xFF", 14);
    ASSERT_EQ(table_.applyFile(writeFile(110, 3, "3=" + text)).status, Status::Loaded);
    EXPECT_EQ(table_.text(3), text);
    EXPECT_EQ(table_.text(4), "T4");
    EXPECT_EQ(table_.text(109), "T109");
}

// One line of 10 MB is no message: the file is faulty at that key, read no further.
TEST_F(LanguageTableTest, EndlessLineIsAFaultAtItsKey) {
    const LanguageLoadResult result =
        table_.applyFile(writeFile(110, 20, "20=" + std::string(10 << 20, 'x')));
    EXPECT_EQ(result.status, Status::FaultyLine);
    EXPECT_EQ(result.faultyKey, 20);
    EXPECT_EQ(table_.text(19), BuiltInEnglishEntries()[19].substr(3));  // no text taken from it
}

TEST_F(LanguageTableTest, UnreadableFileLeavesTheTableAsItWas) {
    const LanguageLoadResult result = table_.applyFile(folder_ + "Gone.lng");
    EXPECT_EQ(result.status, Status::CannotOpen);
    EXPECT_EQ(table_.text(0), "Current folder:");
}

TEST_F(LanguageTableTest, ListsLngFilesInAnyCaseButNeverEnglishHiddenOrNonRegular) {
    for (const char* name : {"English.lng", "english.lng", "French.LNG", "Deutsch.Lng",
                             ".Hidden.lng", "readme.txt", "lng", "Old.lng.bak", "Español.lng"}) {
        writeBytes(name, "0=x\r\n");
    }
    ASSERT_EQ(mkdir((folder_ + "Folder.lng").c_str(), 0755), 0);
    ASSERT_EQ(mkfifo((folder_ + "Pipe.lng").c_str(), 0644), 0);
    EXPECT_EQ(ListLanguageFiles(folder_), (std::vector<std::string>{"Deutsch.Lng", "english.lng",
                                                                    "Español.lng", "French.LNG"}));
    EXPECT_TRUE(ListLanguageFiles(folder_ + "missing/").empty());
}

TEST(LanguageTextsTest, FailureTextsAndPrefixSearch) {
    EXPECT_EQ(LanguageNotFoundText("Fr"), "Fr: language file not found. Reverting to English");
    EXPECT_EQ(LanguageFileErrorText("French", 109),
              "Error in French language file (109). Please reinstall Lumaro");
    const std::vector<std::string> languages = {"English", "Deutsch", "French", "Frisian"};
    EXPECT_EQ(FindLanguage(languages, "Fr"), 2);
    EXPECT_EQ(FindLanguage(languages, "fRISIAN"), 3);
    EXPECT_EQ(FindLanguage(languages, ""), 0);
    EXPECT_EQ(FindLanguage(languages, "Frenchy"), -1);
}

// A shipped language file and a few of its texts, spelled as the translators wrote them.
struct ShippedLanguage {
    const char* name;
    std::vector<std::pair<int, std::string>> samples;
};

class ShippedLanguageTest : public ::testing::TestWithParam<ShippedLanguage> {};

TEST_P(ShippedLanguageTest, FileCarriesEveryKeyInItsPlaceAndTranslatesEveryNonEmptyText) {
    const std::string path = LUMARO_DATA_DIR "/" + std::string(GetParam().name) + ".lng";
    std::ifstream in(path, std::ios::binary);
    const std::string bytes(std::istreambuf_iterator<char>(in), {});
    ASSERT_FALSE(bytes.empty());
    // Labels are not read, but a line out of its place would give a key another's text.
    int key = 0;
    for (size_t start = 0; start < bytes.size(); ++key) {
        const size_t end = bytes.find('\n', start);
        ASSERT_NE(end, std::string::npos) << "key " << key << " lacks its line end";
        EXPECT_EQ(bytes[end - 1], '\r') << "key " << key << " lacks its CR";
        EXPECT_EQ(bytes.compare(start, std::to_string(key).size() + 1, std::to_string(key) + "="),
                  0)
            << "line of key " << key << " is out of its place";
        start = end + 1;
    }
    EXPECT_EQ(key, kLanguageKeyCount);

    LanguageTable english;
    english.resize(kLanguageKeyCount);
    english.applyEnglish();
    LanguageTable table;
    table.resize(kLanguageKeyCount);
    const LanguageLoadResult result = table.applyFile(path);
    ASSERT_EQ(result.status, Status::Loaded) << "faulty key " << result.faultyKey;
    for (int key = 0; key < kLanguageKeyCount; ++key) {
        EXPECT_EQ(table.text(key).empty(), english.text(key).empty()) << "key " << key;
    }
    EXPECT_EQ(table.text(44).back(), '/');  // a subfolder name
    // The note on pictures without a date names the prefix their date is shown with.
    const std::string prefix = table.text(kMessageFileDatePrefix);
    EXPECT_NE(table.text(103).find(prefix + " "), std::string::npos) << prefix;
    for (int key : {111, 115}) {  // the forbidden separator, quoted as English quotes it
        EXPECT_NE(table.text(key).find("'/'"), std::string::npos) << "key " << key;
    }
    for (const auto& [key, text] : GetParam().samples) EXPECT_EQ(table.text(key), text);
}

INSTANTIATE_TEST_SUITE_P(
    Shipped, ShippedLanguageTest,
    ::testing::Values(
        ShippedLanguage{"French",
                        {{16, "Renuméroter"}, {20, "Annuler renumérotation"}, {23, "Mémo"}}},
        ShippedLanguage{
            "German",
            {{7, "Übernehmen"}, {83, "Wert außerhalb des gültigen Bereichs"}, {104, "DD"}}},
        ShippedLanguage{"Spanish",
                        {{38,
                          "¿Continuar sin leyendas (nombres de archivo formados solo por "
                          "números)?"},
                         {104, "FA"},
                         {120, "más"}}}),
    [](const ::testing::TestParamInfo<ShippedLanguage>& info) { return info.param.name; });

}  // namespace
}  // namespace lumaro
