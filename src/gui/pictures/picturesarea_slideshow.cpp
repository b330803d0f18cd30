// The slide-show button: the parameters dialog, the slide-show folder made when missing, the
// project file written for every picture of the list, and where it went.

#include <cstring>

#include "core/files/createfolder.h"
#include "core/settings/constants.h"
#include "core/settings/messagekeys.h"
#include "core/slideshow/slideshowfile.h"
#include "gui/pictures/formdiaporamaparameters.h"
#include "gui/pictures/picturesarea.h"
#include "gui/toolkit/dialogservice.h"
#include "gui/toolkit/filebytes.h"
#include "gui/toolkit/windowcontext.h"

namespace lumaro {

void PicturesArea::cb_Diaporama_Click() { CreateSlideShow(); }

// The window state stays as it is: the pictures and the list do not change.
void PicturesArea::CreateSlideShow() {
    const std::string folderName = SlideShowProjectName(list_.pictures().currentFolder);
    SlideShowParameters parameters{
        .cancelText = context_.message(kMessageCancel),
        .picturesFolderLabel = context_.message(kMessagePicturesFolder),
        .caption = context_.message(kMessageSlideShowParameters),
        .interval = QString::fromLatin1(kDefaultDisplayInterval),
        .effectDuration = QString::fromLatin1(kDefaultEffectDuration),
        .intervalLabel = context_.message(kMessageDisplayInterval),
        .effectLabel = context_.message(kMessageEffectDuration),
        .folderName = folderName,
        .effectHint = context_.message(kMessageEffectDurationHint),
        .intervalHint = context_.message(kMessageDisplayIntervalHint),
        .slideShowFolder = slideShowFolder,
        .folderLabel = context_.message(kMessageSlideShowFolder),
        .createText = context_.message(kMessageCreateSlideShow),
        .folderButtonText = context_.message(kMessageSlideShowFolderButton),
        .rootSubfolder = context_.languageTable().text(kMessageSlideShowsSubfolder),
        .noFolderText = context_.message(kMessageDefineSlideShowFolder),
        .digitsText = context_.message(kMessageDigitsOnly),
        .titleFormat = slideShowTitleFormat,
        .titleGroupText = context_.message(kMessageSlideShowTitle),
        .dateBeforeText = context_.message(kMessageDateBeforeText),
        .dateAfterText = context_.message(kMessageDateAfterText),
        .title = {},
        .folderRequest = FolderRequestFor(FolderChoice::SlideShowFolder, context_.languageTable(),
                                          std::string()),
    };
    FormDiaporamaParameters dialog(parameters, &context_.window());
    Dialogs().execDialog(dialog);
    if (parameters.interval == QLatin1String(kSlideShowNotConfirmed)) return;

    // The choices stay for the next time, whatever happens next.
    slideShowFolder = parameters.slideShowFolder;
    slideShowTitleFormat = parameters.titleFormat;
    context_.saveSettings();
    if (CreateFolder(slideShowFolder, {.allLevels = false}) != 0) {
        Dialogs().message(&context_.window(), context_.message(kMessageSlideShowFolderCreation),
                          context_.message(kMessageCannotCreateFolder) + QLatin1Char(' ') +
                              PathText(slideShowFolder) + QLatin1Char('\n') +
                              context_.message(kMessageVerifyAndRetry));
        return;
    }
    const SlideShowContent content{parameters.title, parameters.interval.toStdString(),
                                   parameters.effectDuration.toStdString()};
    const SlideShowWriteResult written =
        WriteSlideShowFile(slideShowTables, list_.pictures().currentFolder, list_.pictures().avant,
                           slideShowFolder, folderName, content);
    if (!written.splittingNames.empty()) {
        context_.messages().showNames(kMessageSlideShowLineBreak, written.splittingNames);
        return;
    }
    if (!written.ok()) {
        Dialogs().message(&context_.window(), QString(),
                          context_.message(kMessageSlideShowNotWritten) + QLatin1Char('\n') +
                              PathText(written.path) + QLatin1Char('\n') +
                              QString::fromLocal8Bit(std::strerror(written.error)));
        return;
    }
    const std::string fileName = written.path.substr(slideShowFolder.size());
    Dialogs().message(&context_.window(), context_.message(kMessageSlideShow),
                      context_.message(kMessageSlideShowButton) + QStringLiteral(" '") +
                          PathText(fileName) + QStringLiteral("' ") +
                          context_.message(kMessageWasCreatedIn) + QLatin1Char(' ') +
                          PathText(slideShowFolder));
}

}  // namespace lumaro
