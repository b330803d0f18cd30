// The slide-show button: the parameters dialog, the slide-show folder made when missing, the
// project file written for every picture of the list, and where it went.

#include <cstring>

#include "core/files/createfolder.h"
#include "core/settings/constants.h"
#include "core/settings/messagekeys.h"
#include "core/slideshow/slideshowfile.h"
#include "gui/app/form1.h"
#include "gui/pictures/formdiaporamaparameters.h"
#include "gui/toolkit/dialogservice.h"
#include "gui/toolkit/filebytes.h"

namespace lumaro {

void Form1::cb_Diaporama_Click() { CreateSlideShow(); }

// The window state stays as it is: the pictures and the list do not change.
void Form1::CreateSlideShow() {
    const std::string folderName = SlideShowProjectName(pictures.currentFolder);
    SlideShowParameters parameters{
        .cancelText = message(kMessageCancel),
        .picturesFolderLabel = message(kMessagePicturesFolder),
        .caption = message(kMessageSlideShowParameters),
        .interval = QString::fromLatin1(kDefaultDisplayInterval),
        .effectDuration = QString::fromLatin1(kDefaultEffectDuration),
        .intervalLabel = message(kMessageDisplayInterval),
        .effectLabel = message(kMessageEffectDuration),
        .folderName = folderName,
        .effectHint = message(kMessageEffectDurationHint),
        .intervalHint = message(kMessageDisplayIntervalHint),
        .slideShowFolder = slideShowFolder,
        .folderLabel = message(kMessageSlideShowFolder),
        .createText = message(kMessageCreateSlideShow),
        .folderButtonText = message(kMessageSlideShowFolderButton),
        .rootSubfolder = languageTable_.text(kMessageSlideShowsSubfolder),
        .noFolderText = message(kMessageDefineSlideShowFolder),
        .digitsText = message(kMessageDigitsOnly),
        .titleFormat = slideShowTitleFormat,
        .titleGroupText = message(kMessageSlideShowTitle),
        .dateBeforeText = message(kMessageDateBeforeText),
        .dateAfterText = message(kMessageDateAfterText),
        .title = {},
        .folderRequest =
            FolderRequestFor(FolderChoice::SlideShowFolder, languageTable_, std::string()),
    };
    FormDiaporamaParameters dialog(parameters, this);
    Dialogs().execDialog(dialog);
    if (parameters.interval == QLatin1String(kSlideShowNotConfirmed)) return;

    // The choices stay for the next time, whatever happens next.
    slideShowFolder = parameters.slideShowFolder;
    slideShowTitleFormat = parameters.titleFormat;
    SaveSettings();
    if (CreateFolder(slideShowFolder, {.allLevels = false}) != 0) {
        Dialogs().message(this, message(kMessageSlideShowFolderCreation),
                          message(kMessageCannotCreateFolder) + QLatin1Char(' ') +
                              PathText(slideShowFolder) + QLatin1Char('\n') +
                              message(kMessageVerifyAndRetry));
        return;
    }
    const SlideShowContent content{parameters.title, parameters.interval.toStdString(),
                                   parameters.effectDuration.toStdString()};
    const SlideShowWriteResult written =
        WriteSlideShowFile(slideShowTables, pictures.currentFolder, pictures.avant, slideShowFolder,
                           folderName, content);
    if (!written.splittingNames.empty()) {
        messages().showNames(kMessageSlideShowLineBreak, written.splittingNames);
        return;
    }
    if (!written.ok()) {
        Dialogs().message(this, QString(),
                          message(kMessageSlideShowNotWritten) + QLatin1Char('\n') +
                              PathText(written.path) + QLatin1Char('\n') +
                              QString::fromLocal8Bit(std::strerror(written.error)));
        return;
    }
    const std::string fileName = written.path.substr(slideShowFolder.size());
    Dialogs().message(this, message(kMessageSlideShow),
                      message(kMessageSlideShowButton) + QStringLiteral(" '") + PathText(fileName) +
                          QStringLiteral("' ") + message(kMessageWasCreatedIn) + QLatin1Char(' ') +
                          PathText(slideShowFolder));
}

}  // namespace lumaro
