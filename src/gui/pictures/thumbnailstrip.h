// The Snapkeep strip under the main window: twelve thumbnails with their caption boxes, the
// sets of small copies loaded into it and saved from the picture list.
#pragma once

#include <QObject>
#include <QString>
#include <array>
#include <string>

class QLineEdit;
class QPushButton;

namespace lumaro {

class ImageViewerControl;
class PicturesArea;
class PictureListView;
class WindowContext;
struct SnapkeepSavePlan;

class ThumbnailStrip : public QObject {
public:
    // Takes the thumbnails IV_00 to IV_11 and caption boxes textb_MP0 to textb_MP11 of the
    // context's window, empty and hidden; `area` chooses the folder a set is saved to.
    ThumbnailStrip(WindowContext& context, PictureListView& list, PicturesArea& area);

    // Thumbnail k shows the file at `path` with its caption; or nothing, hidden.
    void show(int k, const QString& path, const std::string& caption);
    void set(int k, const QString& path, const std::string& caption);
    void clear(int k);
    // Empties the whole strip; no file on disk is touched.
    void clearAll();

    // A click gives the caption box the thumbnail's caption; a double click takes it back and
    // puts the picture of the first display slot in the thumbnail's place.
    void click(int k);
    void doubleClick(int k);

    // Loads the set of a folder the user chooses (cb_Memo).
    void loadSet();
    // Saves the first twelve pictures of the list as small copies (cb_Memo, right button).
    void saveSet();

private:
    void saveCopies(const SnapkeepSavePlan& plan);

    WindowContext& context_;
    PictureListView& list_;
    PicturesArea& area_;
    QPushButton* pictbttn_ClearSnapkeep;
    ImageViewerControl* ImageV_1;
    QLineEdit* textb_1C;
    std::array<ImageViewerControl*, 12> thumbViewers{};
    std::array<QLineEdit*, 12> thumbCaptions{};
    // The caption each thumbnail gives the caption box; empty when it holds nothing.
    std::array<std::string, 12> thumbCaptionTexts{};
};

}  // namespace lumaro
