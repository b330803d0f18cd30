// The pictures area of the main window: the five display slots with the boxes under them, the
// single-picture window, the turn, delete and date buttons, moving pictures to another folder,
// the slide show and the Snapkeep strip. It makes its controls in the window, handles their
// events and keeps their state; the picture list it shows from is the naming area's.
#pragma once

#include <QObject>
#include <string>

#include "core/settings/settingsfile.h"
#include "core/slideshow/slideshowtables.h"
#include "core/windows/folderrequest.h"
#include "gui/toolkit/arealinks.h"

class QLineEdit;
class QPushButton;

namespace lumaro {

class DisplaySlots;
class ImageViewerControl;
class ThumbnailStrip;
class WindowContext;

class PicturesArea : public QObject, public PictureSlotsView {
public:
    // Makes the area's controls, viewers and watch timer as children of the context's window.
    PicturesArea(WindowContext& context, PictureListView& list);

    // The values of the settings file the area keeps: the folder pictures were last moved to,
    // the slide-show folder and its title format.
    void readSettings(const Settings& settings);
    void writeSettings(Settings& settings) const;
    void useDefaultSettings();
    const std::string& titleFormat() const { return slideShowTitleFormat; }
    const std::string& slideShowFolderPath() const { return slideShowFolder; }
    // Closes the area's windows with the main window.
    void closeWindows();

    // PictureSlotsView.
    void ShowInViewerSlot(const PictureEntry& picture, int slot) override;
    void ClearViewerSlot(int slot) override;
    void ClosePhotoWindow() override;
    void showProposedNames(const std::string& first, const std::string& last) override;
    void hideProposedNames() override;
    void offerDelete(bool offered) override;

    // Asks for a folder with FormGetFolder and the texts of `use`, showing `initialFolder` (the
    // home folder when empty). The folder chosen, ending in '/', or empty when not confirmed.
    std::string ChooseFolder(FolderChoice use, const std::string& initialFolder);
    // Picture files: turn the picture of slot 1 clockwise, delete it, move the selection to
    // another folder.
    void RotatePicture(int angle);
    void DeletePicture();
    void MoveToFolder();

    // Event handlers, one per row of the event map.
    void ImageV_1_Click();
    void ImageV_2_Click();
    void watchTimer_Timer();
    void pictbttn_090_Click();
    void pictbttn_270_Click();
    void pictbttn_180_Click();
    void pictbttn_Del_Click();
    void pictbttn_Date_Click();
    void cb_Diaporama_Click();
    void cb_VersDossier_Click();
    void cb_Memo_Click();
    void cb_Memo_RightButtonUp();
    void ThumbnailClick(int index);
    void ThumbnailDoubleClick(int index);
    void pictbttn_ClearSnapkeep_Click();

private:
    void createControls();
    void CreateSlideShow();

    WindowContext& context_;
    PictureListView& list_;
    DisplaySlots* displaySlots_ = nullptr;
    ThumbnailStrip* thumbnailStrip_ = nullptr;
    ImageViewerControl* ImageV_1 = nullptr;
    QLineEdit* textb_1N = nullptr;
    QLineEdit* textb_2N = nullptr;
    QPushButton* pictbttn_Del = nullptr;
    std::string copyToFolder;
    std::string slideShowFolder;
    std::string slideShowTitleFormat;
    // The fixed lines of every slide-show project, built at start-up.
    SlideShowTables slideShowTables;
};

}  // namespace lumaro
