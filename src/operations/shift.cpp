// A camera's clock corrected over a folder: the files chosen by device, shifted, recorded.
#include "operations/shift.h"

#include "core/clockshift/devices.h"
#include "core/clockshift/shiftdates.h"
#include "core/clockshift/shiftfile.h"
#include "core/history/history.h"
#include "core/settings/messagekeys.h"
#include "operations/filereasons.h"

namespace lumaro {

namespace {

// A picture of the device and the files that move with it: its own name first, then each
// companion that carries dates.
std::vector<std::string> filesOf(const std::string& folder, const PictureEntry& entry) {
    std::vector<std::string> names{entry.fileName()};
    for (const std::string& rest : entry.companions) {
        if (!ReadFileDates(folder + entry.base + rest).fields.empty())
            names.push_back(entry.base + rest);
    }
    return names;
}

Outcome tooLong() {
    Outcome outcome;
    outcome.kind = OutcomeKind::Refused;
    outcome.messageKey = kMessageShiftTooLong;
    return outcome;
}

}  // namespace

Shift::Shift(std::string folder, std::string fileType, std::string device, int64_t seconds)
    : folder_(std::move(folder)),
      fileType_(std::move(fileType)),
      device_(std::move(device)),
      seconds_(seconds) {
    if (!folder_.empty() && folder_.back() != '/') folder_ += '/';
}

PicturePlan Shift::shiftEach(bool write, std::vector<std::pair<std::string, bool>>* record,
                             const ListProgress& progress) const {
    PicturePlan shifted;
    const FolderListing listing = ListFolderOrdered(folder_, fileType_, ListCriterion::Name);
    if (!listing.readable) {
        shifted.outcome.kind = OutcomeKind::Unusable;
        shifted.outcome.details.push_back(folder_);
        return shifted;
    }
    ProgressSteps steps(progress, static_cast<int>(listing.entries.size()));
    int done = 0;
    for (const PictureEntry& entry : listing.entries) {
        steps.advance(done++);
        if (ReadDevice(folder_ + entry.fileName()) != device_) continue;
        bool groupRecorded = false;  // the files after the first recorded go with it
        for (const std::string& name : filesOf(folder_, entry)) {
            const std::string path = folder_ + name;
            const ShiftFileResult result = ShiftFileDates(path, seconds_, write);
            if (!result.ok()) {
                shifted.outcome.files.push_back(KeptFile(path));
                TakeReason(result, shifted.outcome.files.back());
                continue;
            }
            shifted.changes.push_back({path, path});
            if (record) record->push_back({name, groupRecorded});
            groupRecorded = true;
        }
    }
    steps.advance(done);
    MarkSomeKept(shifted.outcome, kMessageShiftFailed);
    return shifted;
}

PicturePlan Shift::plan() const {
    if (seconds_ < -kLongestShift || seconds_ > kLongestShift) return {tooLong(), {}};
    return shiftEach(false, nullptr, {});
}

Outcome Shift::run(const RunOptions& options) {
    changed_.clear();
    if (seconds_ < -kLongestShift || seconds_ > kLongestShift) return tooLong();
    const FolderRun run(folder_, options);
    if (run.refusal()) return *run.refusal();
    std::vector<std::pair<std::string, bool>> names;
    PicturePlan done = shiftEach(true, &names, options.progress);
    HistoryOperation shifts = ShiftOperation(seconds_, device_);
    for (const auto& [name, companion] : names) {
        shifts.files.push_back({name, name});
        shifts.files.back().companion = companion;
    }
    RecordOperation(folder_, shifts);
    changed_ = std::move(done.changes);
    return done.outcome;
}

}  // namespace lumaro
