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

Outcome PictureTurn::turnEach(bool write) const {
    Outcome outcome;
    for (const std::string& path : paths_)
        outcome.files.push_back(TurnedFile(path, turnOne(path, angle_, write)));
    MarkSomeKept(outcome, kMessageTurnFailed);
    return outcome;
}

Outcome PictureTurn::plan() const { return turnEach(false); }

Outcome PictureTurn::run(const RunOptions& options) const {
    std::vector<std::string> folders;
    for (const std::string& path : paths_) folders.push_back(FolderOfPath(path));
    const FolderRun run(folders, options);
    if (run.refusal()) return *run.refusal();
    Outcome outcome = turnEach(true);
    HistoryOperation turns = TurnOperation(angle_);
    for (const OutcomeFile& file : outcome.files) {
        if (file.kept()) continue;
        turns.files.push_back({file.name, file.name});
        turns.lossless = turns.lossless && !file.encodedAgain;
    }
    RecordByFolder(turns);
    return outcome;
}

}  // namespace lumaro
