// Deleting the picture of display slot 1 to the Trash, after a question, and refilling the list.
// A picture with companion files is deleted with them, alone, or not at all, as the user chooses
// in one question. Only when the Trash cannot take a file is it deleted permanently, after a
// second question.
#include <QFileInfo>
#include <QListWidget>
#include <set>

#include "core/listing/folderlisting.h"
#include "core/locking/folderlock.h"
#include "core/settings/messagekeys.h"
#include "gui/pictures/picturesarea.h"
#include "gui/toolkit/arealinks.h"
#include "gui/toolkit/dialogservice.h"
#include "gui/toolkit/filebytes.h"
#include "gui/toolkit/imageviewercontrol.h"
#include "gui/toolkit/outcomemessages.h"
#include "gui/toolkit/windowcontext.h"
#include "operations/picturedeletion.h"

namespace lumaro {

void PicturesArea::pictbttn_Del_Click() { DeletePicture(); }

namespace {

// The files to delete for the picture at `path`, after the question: the picture, and its
// companion files when the user chose them too; nothing when the user said no or cancelled.
std::vector<std::string> askWhatToDelete(const WindowContext& form, const QString& shown,
                                         const std::string& path) {
    const QString caption = form.message(kMessageDeleteFile);
    const QString base = QFileInfo(shown).completeBaseName();
    const size_t slash = path.rfind('/');
    const std::string folder = path.substr(0, slash + 1);
    const std::vector<std::string> companions = CompanionNamesOf(folder, path.substr(slash + 1));
    if (companions.empty()) {
        const QString text = form.message(kMessageMoveToTrash).arg(base);
        if (Dialogs().question(&form.window(), caption, text) != kAnswerYes) return {};
        return {path};
    }
    QString text = companions.size() == 1 ? form.message(kMessageMoveToTrashWithCompanion).arg(base)
                                          : form.message(kMessageMoveToTrashWithCompanions)
                                                .arg(base)
                                                .arg(static_cast<int>(companions.size()));
    for (const std::string& name : companions) text += QStringLiteral("\n") + PathText(name);
    const QStringList choices{form.message(kMessageDeleteChoiceWithCompanions),
                              form.message(kMessageDeleteChoicePictureAlone),
                              form.message(kMessageCancel)};
    switch (Dialogs().choose(&form.window(), caption, text, choices)) {
        case 0: {
            std::vector<std::string> paths{path};
            for (const std::string& name : companions) paths.push_back(folder + name);
            return paths;
        }
        case 1:
            return {path};
        default:
            return {};
    }
}

}  // namespace

void PicturesArea::DeletePicture() {
    const QString shown = ImageV_1->fileName();
    if (shown.isEmpty()) return;
    const std::vector<std::string> paths = askWhatToDelete(context_, shown, PathBytes(shown));
    if (!paths.empty() && !context_.goOnWithoutHistory(FolderOfPath(paths.front()))) return;
    RunOptions asked;  // the history was asked about
    asked.historyWaived = true;
    std::set<std::string> forGood;  // the files the user said to delete permanently
    // Only when the Trash cannot take a file is it deleted permanently, after a question.
    const auto askForGood = [&](const OutcomeFile& kept) {
        const QString text = context_.message(kMessageTrashFailedDeletePermanently) +
                             QStringLiteral("\n") + PathText(kept.name) + QStringLiteral("\n(") +
                             ReasonText(context_.languageTable(), kept) + QStringLiteral(")");
        if (Dialogs().question(&context_.window(), context_.message(kMessageDeleteFile), text,
                               QuestionRisk::Destructive) != kAnswerYes)
            return false;
        forGood.insert(kept.name);
        return true;
    };
    if (!paths.empty()) {
        Outcome outcome =
            PictureDeletion({paths.front()}, paths.size() > 1, false).run(asked, askForGood);
        // The files the user chose to keep in place are no failure to tell.
        if (outcome.kind == OutcomeKind::SomeKept) {
            std::erase_if(outcome.files,
                          [&](const OutcomeFile& file) { return !forGood.count(file.name); });
        }
        ShowOutcome(&context_.window(), context_.languageTable(), outcome);
        if (outcome.changedNothing()) return;
        ClearViewerSlot(1);
    }
    // Yes or No, the list is read again by name from the disk.
    const int top = list_.firstVisibleLine();
    const int caret = list_.caretRow();
    list_.listAgainByName();
    list_.setFirstVisibleLine(top);
    // The last two places keep no selection: the caret entry may be the one that went.
    if (caret >= 0 && caret < list_.pictures().pictureCount - 1) {
        list_.selectRow(caret);
        ClearViewerSlot(2);
        ShowInViewerSlot(list_.pictures().avant[static_cast<size_t>(caret)], 1);
        list_.focusList();
        list_.ApplyWindowState(WindowState::PicturesSelected);
    }
}

}  // namespace lumaro
