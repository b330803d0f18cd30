// What the two areas of the main window ask of each other: the pictures area of the picture
// list the naming area shows, and the naming area of the display slots the pictures area shows.
// The window wires one to the other; neither area knows the other's class.
#pragma once

#include <QRect>
#include <string>

#include "core/names/pictureentry.h"
#include "core/naming/picturelist.h"
#include "core/windows/windowstate.h"

class QLineEdit;

namespace lumaro {

// The picture list on screen (lb_Avant), its selection, the window state and the caption box.
class PictureListView {
public:
    virtual ~PictureListView() = default;

    // The pictures of the current folder with their hidden lists and companion values.
    virtual PictureList& pictures() = 0;
    // Enables, disables, shows and hides the commands for a state.
    virtual void ApplyWindowState(WindowState state) = 0;
    // Reads the selection of the list into pictures().selectedIndices.
    virtual void readSelection() = 0;
    // Lists the folder again by name, showing progress; the sort button offers the date next.
    virtual void listAgainByName() = 0;
    virtual int firstVisibleLine() const = 0;
    virtual void setFirstVisibleLine(int line) = 0;
    // The row of the list's caret, or -1.
    virtual int caretRow() const = 0;
    // Selects that one row without raising a selection event.
    virtual void selectRow(int row) = 0;
    virtual void focusList() = 0;
    virtual QRect listGeometry() const = 0;
    // The caption box (textb_Caption), and whether its clear button is offered.
    virtual QLineEdit& captionBox() = 0;
    virtual void offerCaptionClearing(bool offered) = 0;
};

// The display slots: 1 and 2 the large viewers, 3 the single picture of a move, 4 and 5 its
// first and last picture; the single-picture window; the new names shown under the viewers.
class PictureSlotsView {
public:
    virtual ~PictureSlotsView() = default;

    virtual void ShowInViewerSlot(const PictureEntry& picture, int slot) = 0;
    virtual void ClearViewerSlot(int slot) = 0;
    // Closes the single-picture window before a naming command.
    virtual void ClosePhotoWindow() = 0;
    // The first and last new name a proposal gives, under the two large viewers; an empty last
    // name leaves the second box as it is.
    virtual void showProposedNames(const std::string& first, const std::string& last) = 0;
    virtual void hideProposedNames() = 0;
    // Whether the delete button is offered.
    virtual void offerDelete(bool offered) = 0;
};

}  // namespace lumaro
