// Each operation on pictures planned, then run, on a real folder of JPEG files through the
// operations layer, as the window and the command line run it: the plan touches nothing, the
// run does what the plan said, removes the shared thumbnails of the names it changed and leaves
// one record in the history, and a folder that another program is changing is left as it was.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>

#include "core/history/history.h"
#include "operations/picturedeletion.h"
#include "operations/picturetransfer.h"
#include "operations/pictureturn.h"
#include "operations/undo/undostep.h"
#include "picturefolder.h"
#include "thumbnailcache.h"
#include "turnjpegs.h"

namespace lumaro {
namespace {

using Names = std::vector<std::string>;

// The folders of one row: the pictures, another folder, and a home with the Trash and the
// histories of its own.
struct Folders {
    Folders() {
        setenv("HOME", home.path().c_str(), 1);
        setenv("XDG_DATA_HOME", home.pathOf("share").c_str(), 1);
        setenv("XDG_STATE_HOME", home.pathOf("state").c_str(), 1);
        const std::string jpeg = turnjpegs::QuarterJpeg(64, 48, turnjpegs::CommentSegment());
        for (const char* name : {"01  a.jpg", "02  b.jpg"}) pictures.write(name, jpeg + name);
        pictures.write("01  a.NEF");
    }
    // Every file of the pictures, the other folder and the Trash, with its content.
    Names disk() const {
        Names all;
        for (const std::string& root : {pictures.path(), other.path(), home.pathOf("share")}) {
            if (!std::filesystem::exists(root)) continue;
            for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
                if (entry.is_regular_file() && entry.path().extension() != ".trashinfo")
                    all.push_back(entry.path().string() + "=" + read(entry.path().string()));
            }
        }
        std::sort(all.begin(), all.end());
        return all;
    }
    static std::string read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    size_t records() const { return ReadHistoryRecords(pictures.path()).operations.size(); }

    PictureFolder home, pictures, other;
};

struct Operation {
    std::function<PicturePlan()> plan;
    std::function<Outcome()> run;
    std::function<std::vector<ChangedFile>()> changed;  // what the last run changed
};

// The operation of a row, planned and run by the same object.
template <typename Op, typename... Arguments>
Operation operationOf(Arguments&&... arguments) {
    const auto op = std::make_shared<Op>(std::forward<Arguments>(arguments)...);
    return {[=] { return op->plan(); }, [=] { return op->run(); }, [=] { return op->changed(); }};
}

// What the plan says of each file it changes, and the run must do: its name, where it goes
// (when the plan can know it), and how.
Names said(const std::vector<ChangedFile>& changes, bool withNewNames) {
    Names lines;
    for (const ChangedFile& file : changes) {
        lines.push_back(file.name + (withNewNames ? " -> " + file.newName : "") +
                        (file.encodedAgain ? " encoded again" : ""));
    }
    return lines;
}

// The lock another program holds on the folder: a description of the folder of its own.
class LockedByAnotherProgram {
public:
    explicit LockedByAnotherProgram(const std::string& folder)
        : fd_(open(folder.c_str(), O_RDONLY | O_DIRECTORY)) {
        EXPECT_EQ(flock(fd_, LOCK_EX | LOCK_NB), 0);
    }
    ~LockedByAnotherProgram() { close(fd_); }

private:
    int fd_;
};

TEST(PictureOperationsTest, EachOperationDoesWhatItsPlanSaidRecordsItOnceAndLeavesABusyFolder) {
    struct Row {
        const char* name;
        std::function<Operation(Folders&)> operation;  // with what it needs done before
        Names after;                                   // the names in the picture folder once run
        bool plannedNames;  // the plan knows where each file goes (the Trash chooses its names)
    };
    const Row rows[] = {
        {"turn",
         [](Folders& f) {
             return operationOf<PictureTurn>(Names{f.pictures.pathOf("01  a.jpg")}, 90);
         },
         {"01  a.NEF", "01  a.jpg", "02  b.jpg"},
         true},
        {"delete to the Trash with the companions",
         [](Folders& f) {
             return operationOf<PictureDeletion>(Names{f.pictures.pathOf("01  a.jpg")}, true,
                                                 false);
         },
         {"02  b.jpg"},
         false},
        {"transfer with the companions",
         [](Folders& f) {
             return operationOf<PictureTransfer>(
                 f.pictures.path(), std::vector<PictureEntry>{{"01  a", ".jpg", {".NEF"}}},
                 f.other.path());
         },
         {"02  b.jpg"},
         true},
        {"undo of a transfer",
         [](Folders& f) {
             PictureTransfer(f.pictures.path(), {{"01  a", ".jpg", {".NEF"}}}, f.other.path())
                 .run();
             return operationOf<UndoStep>(f.pictures.path(), UndoStep::Direction::Undo);
         },
         {"01  a.NEF", "01  a.jpg", "02  b.jpg"},
         true},
        {"redo of a delete",
         [](Folders& f) {
             PictureDeletion({f.pictures.pathOf("01  a.jpg")}, true, false).run();
             UndoStep(f.pictures.path(), UndoStep::Direction::Undo).run();
             return operationOf<UndoStep>(f.pictures.path(), UndoStep::Direction::Redo);
         },
         {"02  b.jpg"},
         false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Folders f;
        const ThumbnailCache thumbnails;
        const Operation operation = row.operation(f);
        const Names before = f.disk();
        const size_t records = f.records();
        {
            const LockedByAnotherProgram lock(f.pictures.path());
            EXPECT_EQ(operation.run().kind, OutcomeKind::FolderBusy);
            EXPECT_EQ(f.disk(), before);
        }
        const PicturePlan planned = operation.plan();
        EXPECT_EQ(planned.outcome.kind, OutcomeKind::Done);
        EXPECT_FALSE(planned.changes.empty());
        EXPECT_EQ(f.disk(), before);
        EXPECT_EQ(f.records(), records);
        // A plan names the files of its own folder by their names, any others by their paths.
        const auto path = [&f](const std::string& name) {
            return name.empty() || name[0] == '/' ? name : f.pictures.pathOf(name);
        };
        for (const ChangedFile& file : planned.changes) {
            thumbnails.plant(path(file.name));
            if (!file.newName.empty()) thumbnails.plant(path(file.newName));
        }
        thumbnails.plant(f.pictures.pathOf("02  b.jpg"));

        const Outcome done = operation.run();
        EXPECT_EQ(done.kind, OutcomeKind::Done);
        EXPECT_EQ(said(operation.changed(), row.plannedNames),
                  said(planned.changes, row.plannedNames));
        EXPECT_NE(f.disk(), before);
        EXPECT_EQ(f.pictures.names(), row.after);
        EXPECT_EQ(f.records(), records + 1);
        for (const ChangedFile& file : planned.changes) {
            if (file.newName == file.name) continue;  // a turn renames nothing
            EXPECT_FALSE(thumbnails.holds(path(file.name))) << file.name;
            if (!file.newName.empty()) {
                EXPECT_FALSE(thumbnails.holds(path(file.newName))) << file.newName;
            }
        }
        EXPECT_TRUE(thumbnails.holds(f.pictures.pathOf("02  b.jpg")));
    }
}

}  // namespace
}  // namespace lumaro
