// Listing the pictures of a folder: which files count, the orders by name and by date, progress.
#include "core/listing/folderlisting.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "core/naming/picturelisting.h"
#include "jpegbytes.h"
#include "picturefolder.h"

namespace lumaro {
namespace {

using namespace jpegbytes;

std::vector<std::string> fileNames(const FolderListing& listing) {
    std::vector<std::string> names;
    for (const PictureEntry& entry : listing.entries) names.push_back(entry.fileName());
    return names;
}

std::string pictureDated(const char* date) {
    Exif exif;
    exif.date = date;
    return Picture(ExifApp1(exif));
}

TEST(FolderListingTest, TypeMatchesAnyLetterCaseAndEachEntryKeepsItsOwnExtension) {
    PictureFolder folder;
    for (const char* name : {"x.jpg", "y.JPG", "z.Jpg", "w.png", "jpg", "a.jpg.txt"}) {
        folder.write(name);
    }
    const FolderListing listing = ListFolderOrdered(folder.path(), "jpg", ListCriterion::Name);
    EXPECT_EQ(fileNames(listing), (std::vector<std::string>{"x.jpg", "y.JPG", "z.Jpg"}));
    EXPECT_EQ(listing.count, 3);
    EXPECT_EQ(listing.entries[1].base, "y");
}

TEST(FolderListingTest, HiddenEmptyAndNonRegularFilesAreNotListed) {
    PictureFolder folder;
    folder.write("a.jpg");
    folder.write(".hidden.jpg");
    folder.write("empty.jpg", "");
    mkdir(folder.pathOf("folder.jpg").c_str(), 0700);
    mkfifo(folder.pathOf("pipe.jpg").c_str(), 0600);
    symlink("a.jpg", folder.pathOf("link.jpg").c_str());
    symlink("nowhere.jpg", folder.pathOf("dangling.jpg").c_str());
    // The date order reads each file, the name order only lists them: both leave out the same.
    for (ListCriterion criterion : {ListCriterion::Name, ListCriterion::Date}) {
        const FolderListing listing = ListFolderOrdered(folder.path(), "jpg", criterion);
        EXPECT_EQ(fileNames(listing), (std::vector<std::string>{"a.jpg", "link.jpg"}));
    }
}

TEST(FolderListingTest, NamesAreOrderedByBaseNameFoldingLetterCase) {
    PictureFolder folder;
    for (const char* name : {"a b.jpg", "a.jpg", "DSCF0001.jpg", "DSC_0001.jpg", "9.jpg", "10.jpg",
                             "B.jpg", "b.JPG"}) {
        folder.write(name);
    }
    const FolderListing listing = ListFolderOrdered(folder.path(), "jpg", ListCriterion::Name);
    EXPECT_EQ(fileNames(listing),
              (std::vector<std::string>{"10.jpg", "9.jpg", "a.jpg", "a b.jpg", "B.jpg", "b.JPG",
                                        "DSC_0001.jpg", "DSCF0001.jpg"}));
}

TEST(FolderListingTest, ByDatePicturesWithoutDateComeFirstThenDateThenName) {
    PictureFolder folder;
    folder.write("late.jpg", pictureDated("2010:01:01 00:00:00"));
    folder.write("b same.jpg", pictureDated("2005:06:07 08:09:10"));
    folder.write("a same.jpg", pictureDated("2005:06:07 08:09:10"));
    folder.write("zz short.jpg", pictureDated("2005:06"));
    folder.write("y plain.jpg", Picture(""));
    folder.write("x plain.jpg", Picture(""));
    folder.setModified("y plain.jpg", 0);
    folder.setModified("x plain.jpg", 2000000000);
    const FolderListing listing = ListFolderOrdered(folder.path(), "jpg", ListCriterion::Date);
    EXPECT_EQ(fileNames(listing),
              (std::vector<std::string>{"x plain.jpg", "y plain.jpg", "zz short.jpg", "a same.jpg",
                                        "b same.jpg", "late.jpg"}));
    EXPECT_TRUE(listing.someWithoutDate);
    const FolderListing dated = ListFolderOrdered(folder.path(), "jpg", ListCriterion::Name);
    EXPECT_FALSE(dated.someWithoutDate);
}

TEST(FolderListingTest, InitStopsOnlyWhenTheFirstPictureFoundIsUnnumbered) {
    PictureFolder folder;
    folder.write("01  a.jpg");
    folder.write("0123--.jpg");
    folder.write("zz.jpg");
    FolderListing listing = ListPictures(folder.path(), "jpg", ListCriterion::Init);
    EXPECT_EQ(listing.count, 3);
    EXPECT_EQ(ListedNumberWidth(listing.entries), 2);  // the last entry, zz, is not numbered
    folder.write("0124--.jpg", "x");
    folder.write("zz.jpg", "");
    PictureList list;
    list.currentFolder = folder.path();
    list.fileType = "jpg";
    Relist(list, ListCriterion::Name);
    EXPECT_EQ(list.numberWidth, 4);
    folder.write("!first.jpg");
    listing = ListPictures(folder.path(), "jpg", ListCriterion::Init);
    EXPECT_EQ(listing.count, -1);
    EXPECT_TRUE(listing.entries.empty());
}

TEST(FolderListingTest, UnreadableFolderIsReportedNotListedAsEmpty) {
    PictureFolder folder;
    const FolderListing listing =
        ListFolderOrdered(folder.pathOf("missing/"), "jpg", ListCriterion::Name);
    EXPECT_FALSE(listing.readable);
}

TEST(FolderListingTest, ProgressRunsFromZeroToTheTotalWithoutGoingBack) {
    PictureFolder folder;
    for (int i = 0; i < 450; ++i) folder.write(std::to_string(i) + (i % 2 ? ".jpg" : ".txt"));
    std::vector<std::pair<int, int>> calls;
    const FolderListing listing =
        ListFolderOrdered(folder.path(), "jpg", ListCriterion::Date,
                          [&](int done, int total) { calls.emplace_back(done, total); });
    EXPECT_EQ(listing.count, 225);
    ASSERT_GE(calls.size(), 2u);
    EXPECT_EQ(calls.front(), std::make_pair(0, 450));
    EXPECT_EQ(calls.back(), std::make_pair(450, 450));
    EXPECT_LE(calls.size(), 452u);
    for (size_t i = 1; i < calls.size(); ++i) EXPECT_LE(calls[i - 1].first, calls[i].first);
}

}  // namespace
}  // namespace lumaro
