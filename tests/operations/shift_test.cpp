// Correcting a camera's clock over a folder of several devices, recorded and undone through
// the history: only that device's pictures and their dated companions move, and two undos
// give back the very bytes of every file.
#include "operations/shift.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>

#include "core/history/history.h"
#include "core/picturefile/picturedate.h"
#include "core/settings/messagekeys.h"
#include "datedfiles.h"
#include "operations/undo/undostep.h"
#include "picturefolder.h"

namespace lumaro {
namespace {

using namespace datedfiles;

class ShiftTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"a.jpg", "a.nef", "a.mov"}) {
            if (const std::string tool = MissingTool(name); !tool.empty())
                GTEST_SKIP() << tool << " is missing";
        }
        setenv("XDG_STATE_HOME", state.path().c_str(), 1);
        // The slow camera's pictures, one with a raw file of another device, a live video and
        // a sidecar; the phone's picture.
        MakeDatedFile(folder.path(), "IMG_1.jpg", "Canon", "Canon EOS R5");
        MakeDatedFile(folder.path(), "IMG_1.nef", "NIKON", "D750");
        MakeDatedFile(folder.path(), "IMG_1.mov");
        folder.write("IMG_1.xmp", "<x:xmpmeta/>");
        MakeDatedFile(folder.path(), "IMG_2.jpg", "Apple", "iPhone 12");
        MakeDatedFile(folder.path(), "IMG_3.jpg", "Canon", "Canon EOS R5");
        for (const std::string& name : folder.names()) original[name] = folder.read(name);
    }

    Outcome undo() {
        UndoStep step(folder.path(), UndoStep::Direction::Undo);
        return step.run();
    }

    PictureFolder state, folder;
    std::map<std::string, std::string> original;
};

TEST_F(ShiftTest, OnlyTheDevicesPicturesAndDatedCompanionsMoveAndTwoUndosGiveBackEveryByte) {
    Shift hour(folder.path(), "jpg", "Canon EOS R5", 3600);
    ASSERT_EQ(hour.plan().changes.size(), 4u);  // IMG_1.jpg, .mov, .nef; IMG_3.jpg
    EXPECT_EQ(folder.read("IMG_1.jpg"), original["IMG_1.jpg"]) << "a plan writes nothing";
    ASSERT_EQ(hour.run().kind, OutcomeKind::Done);
    for (const char* name : {"IMG_1.jpg", "IMG_1.nef", "IMG_3.jpg"})
        EXPECT_EQ(ReadInternalPictureDate(folder.pathOf(name)), "2015:06:01 11:00:00") << name;
    EXPECT_NE(folder.read("IMG_1.mov"), original["IMG_1.mov"]);
    EXPECT_EQ(folder.read("IMG_1.xmp"), original["IMG_1.xmp"]);
    EXPECT_EQ(folder.read("IMG_2.jpg"), original["IMG_2.jpg"]);
    const HistoryOperation recorded = ReadHistory(folder.path()).back();
    EXPECT_EQ(recorded.kind, OperationKind::Shift);
    EXPECT_EQ(recorded.shift, 3600);
    EXPECT_EQ(recorded.device, "Canon EOS R5");

    // A second correction: the first stays undoable through the identities the second left.
    ASSERT_EQ(Shift(folder.path(), "jpg", "Canon EOS R5", -400 * 86400).run().kind,
              OutcomeKind::Done);
    EXPECT_EQ(ReadInternalPictureDate(folder.pathOf("IMG_3.jpg")), "2014:04:27 11:00:00");
    ASSERT_EQ(undo().kind, OutcomeKind::Done);
    ASSERT_EQ(undo().kind, OutcomeKind::Done);
    for (const auto& [name, bytes] : original) EXPECT_TRUE(folder.read(name) == bytes) << name;
}

TEST_F(ShiftTest, AShiftedFileChangedSinceIsNotShiftedBack) {
    ASSERT_EQ(Shift(folder.path(), "jpg", "Canon EOS R5", 60).run().kind, OutcomeKind::Done);
    const std::string shifted = folder.read("IMG_3.jpg");
    folder.setModified("IMG_3.jpg", 1000000000);  // edited since, by another program
    const Outcome refused = undo();
    EXPECT_EQ(refused.kind, OutcomeKind::Refused);
    EXPECT_EQ(refused.messageKey, kMessageUndoChanged);
    EXPECT_EQ(folder.read("IMG_3.jpg"), shifted);
}

TEST_F(ShiftTest, AnAmountOverAThousandDaysChangesNothing) {
    Shift tooLong(folder.path(), "jpg", "Canon EOS R5", 1001 * 86400);
    EXPECT_EQ(tooLong.plan().outcome.messageKey, kMessageShiftTooLong);
    EXPECT_EQ(tooLong.run().kind, OutcomeKind::Refused);
    EXPECT_EQ(folder.read("IMG_1.jpg"), original["IMG_1.jpg"]);
}

}  // namespace
}  // namespace lumaro
