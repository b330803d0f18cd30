// The commands that rename: the folder load, then a rename with a caption, a renumbering or
// a move, each applied at once, as the window applies them.
#include <algorithm>

#include "commands.h"
#include "naming/apply.h"
#include "naming/composename.h"
#include "naming/folderload.h"
#include "naming/move.h"
#include "naming/numberedname.h"
#include "naming/renamepasses.h"
#include "naming/renumber.h"
#include "pictures/namecompare.h"
#include "settings/messagekeys.h"

namespace lumaro::cli {

namespace {

// The list and every picture that kept its name on the way.
struct Session {
    const Arguments& arguments;
    const LanguageTable& messages;
    PictureList list;
    std::vector<RenameFailure> failures;

    int done() {
        PrintListing(list.avant);
        SayFailures(messages, failures);
        return failures.empty() ? kDone : kSomeFailed;
    }
    // A refusal wins over renames of the load that failed; those are still named.
    int refused(int key, const std::vector<std::string>& names = {}) {
        SayWithNames(messages, key, names);
        SayFailures(messages, failures);
        return kRefused;
    }
};

int loadFolder(Session& s) { return LoadFolderForCommand(s.arguments, s.messages, s.list, s.failures); }

int caption(Session& s, const std::vector<int>& selection) {
    const RenameProposal proposal = ProposeRename(s.list, selection, *s.arguments.caption);
    if (proposal.check == CaptionCheck::NotInFileName) return s.refused(kMessageCaptionNotInFileName);
    if (proposal.check == CaptionCheck::WouldUnnumber)
        return s.refused(kMessageCaptionWouldUnnumber, proposal.refusedNames);
    StoreRenameProposal(s.list, proposal, selection);
    ApplyResult applied = Apply(s.list, {false, proposal.lastProposalIndex, {}});
    s.failures.insert(s.failures.end(), applied.failures.begin(), applied.failures.end());
    return s.done();
}

int renumber(Session& s, const std::vector<int>& selection) {
    // Without --width, the width the window's dialog proposes: the present number width.
    const std::string width =
        s.arguments.width.empty() ? std::to_string(s.list.numberWidth) : s.arguments.width;
    const RenumberResult result = Renumber(s.list, selection, ReadAsNumber(s.arguments.start), width);
    switch (result.outcome) {
        case RenumberOutcome::Overlap:
        case RenumberOutcome::TooLarge: return s.refused(result.messageKey());
        case RenumberOutcome::NotNumbered: return s.refused(kMessageNotNumbered, result.refusedNames);
        case RenumberOutcome::WouldUnnumber: return s.refused(kMessageWidthWouldUnnumber, result.refusedNames);
        case RenumberOutcome::NothingSelected: return s.done();
        case RenumberOutcome::Proposed: break;
    }
    ApplyResult applied = Apply(s.list, {true, -1, {}});
    s.failures.insert(s.failures.end(), applied.failures.begin(), applied.failures.end());
    return s.done();
}

int move(Session& s, const std::vector<int>& selection) {
    bool moving = false;
    const BeginMoveResult begun = BeginMove(s.list, selection, moving, 0);
    if (begun.check == MoveCheck::NotContiguous) return s.refused(begun.messageKey());
    if (begun.check == MoveCheck::NotNumbered) return s.refused(kMessageNotNumbered, begun.unnumberedNames);
    if (s.arguments.places) {
        MoveBlock(s.list, static_cast<int>(std::clamp<long long>(*s.arguments.places, -1000000, 1000000)));
    } else {
        const TargetRange range = TargetMoveRange(s.list);
        if (CheckTargetAnswer(*s.arguments.after, range) != TargetAnswer::Accepted) return s.refused(83);
        MoveToTarget(s.list, ReadAsNumber(*s.arguments.after));
    }
    AcceptMoveResult accepted = AcceptMove(s.list, moving);
    s.failures.insert(s.failures.end(), accepted.failures.begin(), accepted.failures.end());
    return s.done();
}

}  // namespace

int LoadFolderForCommand(const Arguments& arguments, const LanguageTable& messages, PictureList& list,
                         std::vector<RenameFailure>& failures) {
    LoadFolderOptions options;
    options.askFirstNumbering = [&arguments]() {
        return FirstNumberingAnswer{arguments.format.value_or("-1"), arguments.byDate ? "D" : "N"};
    };
    const LoadFolderResult result = LoadFolder(list, options);
    if (result.repair.count() > 0)
        SayWithNames(messages, kMessageInterruptedRenamesRepaired, result.repair.renamedNames);
    if (!result.repair.keptJournal.empty()) {
        SayWithNames(messages, kMessageUnreadableJournalKept,
                     {list.currentFolder + result.repair.keptJournal});
    }
    failures = result.failedRenames;
    // A refusal wins over renames of the load that failed; those are still named.
    const auto refused = [&](int key, const std::vector<std::string>& names) {
        SayWithNames(messages, key, names);
        SayFailures(messages, failures);
        return kRefused;
    };
    switch (result.outcome) {
        case LoadOutcome::Unreadable:
            Say(messages.text(kMessageFolderUnreadable) + "\n" + list.currentFolder);
            return kUsage;
        case LoadOutcome::NoPictures:
            Say(messages.text(102) + " " + list.fileType);
            return kRefused;
        case LoadOutcome::TooManyPictures: return refused(34, {});
        case LoadOutcome::InsertWouldUnnumber: return refused(kMessageInsertWouldUnnumber, result.refusedNames);
        case LoadOutcome::Cancelled:  // only asked without --format
            Say("The folder is not numbered: give --format replace, insert or leave.");
            SayFailures(messages, failures);
            return kRefused;
        default: return kDone;
    }
}

int RunNaming(const Arguments& arguments, const LanguageTable& messages) {
    if (const int refused = CheckFileType(arguments.fileType, messages)) return refused;
    // A caption that could not be part of a file name is refused before any file is touched.
    if (arguments.caption && ValidateCaption(*arguments.caption) == CaptionCheck::NotInFileName) {
        Say(messages.text(kMessageCaptionNotInFileName));
        return kRefused;
    }
    if (arguments.command == "renumber" && CheckRenumberAnswer(arguments.start, arguments.width) ==
                                               RenumberAnswer::BadWidth) {
        Say(messages.text(87));
        return kUsage;
    }
    if (const int missing = CheckFolderExists(arguments.paths.front())) return missing;
    Session s{arguments, messages, {}, {}};
    s.list.currentFolder = WithTrailingSeparator(arguments.paths.front());
    s.list.fileType = ToLowerAscii(arguments.fileType);
    if (const int stopped = loadFolder(s)) return stopped;
    if (arguments.command == "load") return s.done();
    if (arguments.byDate) {
        Relist(s.list, ListCriterion::Date);
    }
    const std::optional<std::vector<int>> selection = ResolveRanges(*arguments.select, s.list.avant.size());
    if (!selection) {
        Say("A position lies past the end of the list of " + std::to_string(s.list.avant.size()) +
            " pictures.");
        SayFailures(messages, s.failures);
        return kUsage;
    }
    if (arguments.command == "caption") return caption(s, *selection);
    if (arguments.command == "renumber") return renumber(s, *selection);
    return move(s, *selection);
}

}  // namespace lumaro::cli
