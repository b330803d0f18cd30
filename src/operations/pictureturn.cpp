// Turning pictures: each type by the turn that suits it, under the folders' lock, recorded.
#include "operations/pictureturn.h"

#include "core/history/history.h"
#include "core/settings/messagekeys.h"
#include "core/turning/turnpicture.h"
#include "operations/filereasons.h"
#include "reencoding/turnbyencoding.h"

namespace lumaro {

namespace {

// A JPEG picture is turned by the core; any other type that Qt's codecs read and write is
// encoded again.
TurnPictureResult turnOne(const std::string& path, int angle, bool write) {
    TurnPictureResult result = write ? TurnPicture(path, angle) : PlanTurnPicture(path, angle);
    if (result.status == TurnPictureResult::Status::NotJpeg)
        result = TurnByEncodingAgain(path, angle, write);
    return result;
}

}  // namespace

PictureTurn::PictureTurn(std::vector<std::string> paths, int angle)
    : paths_(std::move(paths)), angle_(angle) {}

PicturePlan PictureTurn::turnEach(bool write) const {
    PicturePlan turned;
    for (const std::string& path : paths_) {
        const TurnPictureResult result = turnOne(path, angle_, write);
        if (result.ok()) {
            turned.changes.push_back({path, path, !result.lossless});
            continue;
        }
        turned.outcome.files.push_back(KeptFile(path));
        TakeReason(result, turned.outcome.files.back());
    }
    MarkSomeKept(turned.outcome, kMessageTurnFailed);
    return turned;
}

PicturePlan PictureTurn::plan() const {
    if (std::optional<Outcome> readOnly = ReadOnlyRefusal(FoldersOf(paths_)))
        return {std::move(*readOnly), {}};
    return turnEach(false);
}

Outcome PictureTurn::run(const RunOptions& options) {
    changed_.clear();
    const std::vector<std::string> folders = FoldersOf(paths_);
    const FolderRun run(folders, options);
    if (run.refusal()) return *run.refusal();
    if (std::optional<Outcome> readOnly = ReadOnlyRefusal(folders)) return *readOnly;
    PicturePlan done = turnEach(true);
    HistoryOperation turns = TurnOperation(angle_);
    for (const ChangedFile& file : done.changes) {
        turns.files.push_back({file.name, file.name});
        turns.lossless = turns.lossless && !file.encodedAgain;
    }
    RecordByFolder(turns);
    changed_ = std::move(done.changes);
    return done.outcome;
}

}  // namespace lumaro
