// Each operation on pictures planned, then run, on a real folder of JPEG files through the
// operations layer, as the window and the command line run it: the plan touches nothing, the
// run does what the plan said and leaves one record in the history, and a folder that another
// program is changing is left as it was.
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
    std::function<Outcome()> plan;
    std::function<Outcome()> run;
};

// The step through the history of the picture folder, as a row runs it.
Operation stepOf(Folders& f, UndoStep::Direction direction) {
    const auto step = std::make_shared<UndoStep>(f.pictures.path(), direction);
    return {[=] { return step->plan(); }, [=] { return step->run(); }};
}

// What the plan says of each file, and the run must do: its name, where it goes (when the plan
// can know it), and whether it is kept.
Names said(const Outcome& outcome, bool withNewNames) {
    Names lines;
    for (const OutcomeFile& file : outcome.files) {
        lines.push_back(file.name + (withNewNames ? " -> " + file.newName : "") +
                        (file.kept() ? " kept" : "") + (file.encodedAgain ? " encoded" : ""));
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
             const PictureTurn turn({f.pictures.pathOf("01  a.jpg")}, 90);
             return Operation{[=] { return turn.plan(); }, [=] { return turn.run(); }};
         },
         {"01  a.NEF", "01  a.jpg", "02  b.jpg"},
         true},
        {"delete to the Trash with the companions",
         [](Folders& f) {
             const PictureDeletion deletion({f.pictures.pathOf("01  a.jpg")}, true, false);
             return Operation{[=] { return deletion.plan(); }, [=] { return deletion.run(); }};
         },
         {"02  b.jpg"},
         false},
        {"transfer with the companions",
         [](Folders& f) {
             const PictureTransfer transfer(f.pictures.path(), {{"01  a", ".jpg", {".NEF"}}},
                                            f.other.path());
             return Operation{[=] { return transfer.plan(); }, [=] { return transfer.run(); }};
         },
         {"02  b.jpg"},
         true},
        {"undo of a transfer",
         [](Folders& f) {
             PictureTransfer(f.pictures.path(), {{"01  a", ".jpg", {".NEF"}}}, f.other.path())
                 .run();
             return stepOf(f, UndoStep::Direction::Undo);
         },
         {"01  a.NEF", "01  a.jpg", "02  b.jpg"},
         true},
        {"redo of a delete",
         [](Folders& f) {
             PictureDeletion({f.pictures.pathOf("01  a.jpg")}, true, false).run();
             UndoStep(f.pictures.path(), UndoStep::Direction::Undo).run();
             return stepOf(f, UndoStep::Direction::Redo);
         },
         {"02  b.jpg"},
         false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Folders f;
        const Operation operation = row.operation(f);
        const Names before = f.disk();
        const size_t records = f.records();
        {
            const LockedByAnotherProgram lock(f.pictures.path());
            EXPECT_EQ(operation.run().kind, OutcomeKind::FolderBusy);
            EXPECT_EQ(f.disk(), before);
        }
        const Outcome planned = operation.plan();
        EXPECT_EQ(planned.kind, OutcomeKind::Done);
        EXPECT_EQ(f.disk(), before);
        EXPECT_EQ(f.records(), records);

        const Outcome done = operation.run();
        EXPECT_EQ(done.kind, OutcomeKind::Done);
        EXPECT_EQ(said(done, row.plannedNames), said(planned, row.plannedNames));
        EXPECT_NE(f.disk(), before);
        EXPECT_EQ(f.pictures.names(), row.after);
        EXPECT_EQ(f.records(), records + 1);
    }
}

}  // namespace
}  // namespace lumaro
