// The devices that took a folder's pictures, and the correction of one device's clock: by an
// amount, or from one picture's true date and time.
#include <cstdio>

#include "cli/commands.h"
#include "cli/oneline.h"
#include "core/clockshift/devices.h"
#include "core/clockshift/shiftdates.h"
#include "core/listing/folderlisting.h"
#include "core/names/namecompare.h"
#include "core/settings/messagekeys.h"
#include "operations/shift.h"

namespace lumaro::cli {

namespace {

void printText(const std::string& text) { std::fwrite(text.data(), 1, text.size(), stdout); }

// The device and the amount of a correction, as asked for.
struct Correction {
    std::string device;
    int64_t seconds = 0;
};

// The folder's listing in name order; kDone when it could be read, otherwise the exit code
// after saying why.
int listByName(const Arguments& arguments, const std::string& folder, FolderListing& listing) {
    listing = ListFolderOrdered(folder, ToLowerAscii(arguments.fileType), ListCriterion::Name);
    return listing.readable ? kDone : SayFolderUnreadable(folder);
}

// The device and amount that make picture --select N show the date --to, its date compared as
// written; kDone, or the exit code after saying why not (a picture already right: kDone too,
// with nothing to shift).
int correctionFromPicture(const Arguments& arguments, const LanguageTable& messages,
                          const std::string& folder, Correction& correction) {
    FolderListing listing;
    if (const int unread = listByName(arguments, folder, listing)) return unread;
    const size_t place = static_cast<size_t>(arguments.shiftPicture);
    if (place > listing.entries.size()) {
        Say("A position lies past the end of the list of " +
            std::to_string(listing.entries.size()) + " pictures.");
        return kUsage;
    }
    const std::string path = folder + listing.entries[place - 1].fileName();
    const FileDates dates = ReadFileDates(path);
    const std::optional<int64_t> seconds = SecondsBetween(dates.date, arguments.to);
    if (!seconds) {
        Say(messages.text(kMessagePictureWithoutDate) + "\n" + OnOneLine(path));
        return kRefused;
    }
    correction = {DeviceName(dates), *seconds};
    return kDone;
}

// The correction asked for; with --device, a device that took no picture of the folder is
// refused as a name not in the listing is.
int correctionAsked(const Arguments& arguments, const LanguageTable& messages,
                    const std::string& folder, Correction& correction) {
    if (arguments.shiftPicture)
        return correctionFromPicture(arguments, messages, folder, correction);
    FolderListing listing;
    if (const int unread = listByName(arguments, folder, listing)) return unread;
    for (const DeviceSummary& device : DevicesOfListing(folder, listing.entries)) {
        if (device.name != arguments.device) continue;
        correction = {arguments.device, *arguments.shiftBy};
        return kDone;
    }
    Say(messages.text(kMessageNoPictureOfDevice) + "\n" + OnOneLine(arguments.device) +
        " (lumaro-cli devices lists the folder's devices)");
    return kUsage;
}

// Each file with its date before and after, one line each (TAB-separated) or in the document;
// named within `folder`, as the listing names them.
void printShifted(const std::string& folder, const std::vector<ChangedFile>& files, int64_t seconds,
                  bool planned) {
    std::string text;
    for (const ChangedFile& file : files) {
        const std::string name = file.name.substr(folder.size());
        const std::string now = ReadFileDates(file.name).date;
        const std::string before = planned ? now : ShiftedDateText(now, -seconds).value_or("");
        const std::string after = planned ? ShiftedDateText(now, seconds).value_or("") : now;
        ReportFile({file.name,
                    file.name,
                    planned ? FileStatus::Planned : FileStatus::Done,
                    {},
                    {},
                    false,
                    before,
                    after});
        text += OnOneLine(name) + "\t" + before + "\t" + after + "\n";
    }
    if (!Reporting()) printText(text);
}

// The files left as they were, each with why.
void sayNotShifted(const LanguageTable& messages, const Outcome& outcome) {
    if (outcome.files.empty()) return;
    std::string text = messages.text(kMessageShiftFailed);
    for (const OutcomeFile& file : outcome.files) text += "\n" + NameWithReason(messages, file);
    Say(text);
    ReportKept(messages, outcome.files);
}

}  // namespace

int RunDevices(const Arguments& arguments, const LanguageTable& messages) {
    if (const int refused = CheckFileType(arguments.fileType, messages)) return refused;
    ReportFolder(arguments.paths.front());
    if (const int missing = CheckFolderExists(arguments.paths.front())) return missing;
    const std::string folder = WithTrailingSeparator(arguments.paths.front());
    FolderListing listing;
    if (const int unread = listByName(arguments, folder, listing)) return unread;
    nlohmann::json devices = nlohmann::json::array();
    std::string text;
    for (const DeviceSummary& device : DevicesOfListing(folder, listing.entries)) {
        devices.push_back(
            {{"device", device.name},
             {"count", device.count},
             {"first", device.first.empty() ? nlohmann::json() : nlohmann::json(device.first)},
             {"last", device.last.empty() ? nlohmann::json() : nlohmann::json(device.last)}});
        text += OnOneLine(device.name) + "\t" + std::to_string(device.count) + "\t" + device.first +
                "\t" + device.last + "\n";
    }
    ReportField("devices", std::move(devices));
    if (!Reporting()) printText(text);
    return kDone;
}

// The folder is locked before the picture of --select is read, so that the amount worked
// out from it cannot go stale before the files move.
int RunShift(const Arguments& arguments, const LanguageTable& messages) {
    ReportAction(FileAction::Shift);
    if (const int refused = CheckFileType(arguments.fileType, messages)) return refused;
    ReportFolder(arguments.paths.front());
    if (const int missing = CheckFolderExists(arguments.paths.front())) return missing;
    const std::string folder = WithTrailingSeparator(arguments.paths.front());
    const std::optional<FolderLock> lock = LockForCommand(arguments, {folder});
    if (!lock) return kUsage;
    Correction correction;
    if (const int code = correctionAsked(arguments, messages, folder, correction)) return code;
    ReportField("device", correction.device);
    ReportField("seconds", correction.seconds);
    if (correction.seconds == 0) {
        Tell(messages.text(kMessageNothingToShift));
        return kDone;
    }
    Shift shift(folder, ToLowerAscii(arguments.fileType), correction.device, correction.seconds);
    const PicturePlan plan = arguments.dryRun ? shift.plan() : PicturePlan{};
    const Outcome outcome = arguments.dryRun ? plan.outcome : shift.run(RunOptionsFor(arguments));
    if (outcome.kind != OutcomeKind::Done && outcome.kind != OutcomeKind::SomeKept)
        return SayOutcome(messages, outcome);
    sayNotShifted(messages, outcome);
    printShifted(folder, arguments.dryRun ? plan.changes : shift.changed(), correction.seconds,
                 arguments.dryRun);
    return ExitCodeFor(outcome);
}

}  // namespace lumaro::cli
