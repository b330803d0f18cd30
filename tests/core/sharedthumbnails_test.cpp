// The names of shared thumbnails (the MD5 of their pictures' URIs) and their removal: every
// spelling of a changed name, every size and failure record, nothing else.
#include "core/thumbnails/sharedthumbnails.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "core/thumbnails/md5.h"
#include "thumbnailcache.h"

namespace lumaro {
namespace {

TEST(SharedThumbnailsTest, Md5GivesTheDigestsOfItsDefinition) {
    const std::pair<std::string, std::string> kDigests[] = {
        {"", "d41d8cd98f00b204e9800998ecf8427e"},
        {"a", "0cc175b9c0f1b6a831c399e269772661"},
        {"abc", "900150983cd24fb0d6963f7d28e17f72"},
        {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
        {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
         "d174ab98d277d9f5a5611c2c9f419d9f"},
        {"1234567890123456789012345678901234567890123456789012345678901234567890123456789"
         "0",
         "57edf4a22be3c955ac49da2e2107b67a"},
        // The thumbnail name of a file manager's own example.
        {"file:///home/jens/photos/me.png", "c6ee772d9e49320e97ec29a7eb5b1697"},
    };
    for (const auto& [bytes, digest] : kDigests) EXPECT_EQ(Md5Hex(bytes), digest) << bytes;
}

// A byte escaped that file managers keep as it is (or the reverse) names another thumbnail,
// which would then be left in place.
TEST(SharedThumbnailsTest, UriEscapesExactlyWhatAUriPathCannotHold) {
    EXPECT_EQ(FileUri("/home/u/01  Été.jpg"), "file:///home/u/01%20%20%C3%89t%C3%A9.jpg");
    EXPECT_EQ(FileUri("/a/!$&'()*+,-.:=@_~z.jpg"), "file:///a/!$&'()*+,-.:=@_~z.jpg");
    EXPECT_EQ(FileUri("/a/%;#?[]\"<>\\^`{|}\x7f\x01.jpg"),
              "file:///a/%25%3B%23%3F%5B%5D%22%3C%3E%5C%5E%60%7B%7C%7D%7F%01.jpg");
}

// A folder opened through a symbolic link has its thumbnails under both spellings; the sizes
// and failure records a cache lacks are simply not there.
TEST(SharedThumbnailsTest, RemovalTakesEverySpellingSizeAndFailureRecordAndNothingElse) {
    const ThumbnailCache cache;
    const PictureFolder real;
    const PictureFolder links;
    const std::string linked = links.path() + "pictures/";
    ASSERT_EQ(symlink(real.path().c_str(), linked.substr(0, linked.size() - 1).c_str()), 0);
    const std::string kinds[] = {"normal", "xx-large", "fail/viewer"};
    for (const std::string& kind : kinds) {
        for (const char* name : {"01.jpg", "02.jpg", "03.jpg"}) {
            cache.plant(real.path() + name, kind);
            cache.plant(linked + name, kind);
        }
    }
    RemoveSharedThumbnails(linked, {{"01.jpg", "02.jpg"}});
    for (const std::string& kind : kinds) {
        for (const std::string& folder : {real.path(), linked}) {
            EXPECT_FALSE(cache.holds(folder + "01.jpg", kind)) << folder << " " << kind;
            EXPECT_FALSE(cache.holds(folder + "02.jpg", kind)) << folder << " " << kind;
            EXPECT_TRUE(cache.holds(folder + "03.jpg", kind)) << folder << " " << kind;
        }
    }
}

}  // namespace
}  // namespace lumaro
