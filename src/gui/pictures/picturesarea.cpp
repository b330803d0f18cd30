// The pictures area: making its controls, its settings, the display slots seen from the naming
// area, and the handlers that the display slots and the Snapkeep strip carry out.
#include "gui/pictures/picturesarea.h"

#include <QLineEdit>
#include <QPushButton>

#include "core/settings/constants.h"
#include "gui/pictures/displayslots.h"
#include "gui/pictures/formgetfolder.h"
#include "gui/pictures/picturecontrols.h"
#include "gui/pictures/thumbnailstrip.h"
#include "gui/pictures/viewerstartdata.h"
#include "gui/toolkit/imageviewercontrol.h"
#include "gui/toolkit/windowcontext.h"

namespace lumaro {

PicturesArea::PicturesArea(WindowContext& context, PictureListView& list)
    : QObject(&context.window()), context_(context), list_(list) {
    createControls();
    displaySlots_ = new DisplaySlots(context, list);
    thumbnailStrip_ = new ThumbnailStrip(context, list, *this);
    slideShowTables = BuildSlideShowTables();
}

void PicturesArea::createControls() {
    QWidget* window = &context_.window();
    for (const ControlSpec& spec : PicturesAreaControls()) CreateControl(spec, window);
    for (const ViewerStartData& data : StoredViewerData()) {
        auto* viewer = new ImageViewerControl(window);
        viewer->setObjectName(data.name);
        viewer->setDisplayMode(data.displayMode);
        viewer->setDisplayOn(data.displayOn);
        if (data.sitePassive) viewer->setContextMenuPolicy(Qt::NoContextMenu);
    }
    ImageV_1 = window->findChild<ImageViewerControl*>(QStringLiteral("ImageV_1"));
    textb_1N = window->findChild<QLineEdit*>(QStringLiteral("textb_1N"));
    textb_2N = window->findChild<QLineEdit*>(QStringLiteral("textb_2N"));
    pictbttn_Del = window->findChild<QPushButton*>(QStringLiteral("pictbttn_Del"));
}

void PicturesArea::readSettings(const Settings& settings) {
    copyToFolder = settings.copyToFolder;
    slideShowFolder = settings.slideShowFolder;
    slideShowTitleFormat = settings.slideShowTitleFormat;
}

void PicturesArea::writeSettings(Settings& settings) const {
    settings.copyToFolder = copyToFolder;
    settings.slideShowFolder = slideShowFolder;
    settings.slideShowTitleFormat = slideShowTitleFormat;
}

void PicturesArea::useDefaultSettings() { slideShowTitleFormat = kDefaultTitleFormat; }

void PicturesArea::closeWindows() { displaySlots_->closeWithMainWindow(); }

void PicturesArea::ShowInViewerSlot(const PictureEntry& picture, int slot) {
    displaySlots_->show(picture, slot);
}

void PicturesArea::ClearViewerSlot(int slot) { displaySlots_->clear(slot); }

void PicturesArea::ClosePhotoWindow() { displaySlots_->closePhotoWindow(); }

void PicturesArea::showProposedNames(const std::string& first, const std::string& last) {
    textb_1N->setText(QString::fromStdString(first));
    textb_1N->show();
    if (!last.empty()) {
        textb_2N->setText(QString::fromStdString(last));
        textb_2N->show();
    }
}

void PicturesArea::hideProposedNames() {
    for (QLineEdit* box : {textb_1N, textb_2N}) {
        box->clear();
        box->hide();
    }
}

void PicturesArea::offerDelete(bool offered) { pictbttn_Del->setEnabled(offered); }

std::string PicturesArea::ChooseFolder(FolderChoice use, const std::string& initialFolder) {
    FolderRequest request = FolderRequestFor(use, context_.languageTable(), initialFolder);
    return RunFormGetFolder(request, &context_.window());
}

void PicturesArea::ImageV_1_Click() { displaySlots_->openPhotoWindow(ImageV_1); }

void PicturesArea::ImageV_2_Click() {
    displaySlots_->openPhotoWindow(
        context_.window().findChild<ImageViewerControl*>(QStringLiteral("ImageV_2")));
}

void PicturesArea::watchTimer_Timer() { displaySlots_->watchPhotoWindow(); }

// Shows or hides the picture dates under the viewers.
void PicturesArea::pictbttn_Date_Click() { displaySlots_->switchDates(); }

void PicturesArea::cb_Memo_Click() { thumbnailStrip_->loadSet(); }

void PicturesArea::cb_Memo_RightButtonUp() { thumbnailStrip_->saveSet(); }

void PicturesArea::ThumbnailClick(int k) { thumbnailStrip_->click(k); }

void PicturesArea::ThumbnailDoubleClick(int k) { thumbnailStrip_->doubleClick(k); }

// No file on disk is touched.
void PicturesArea::pictbttn_ClearSnapkeep_Click() { thumbnailStrip_->clearAll(); }

}  // namespace lumaro
