// The controls of the main window as its dialog template lists them: id, name, kind,
// template text, geometry in dialog units, font, icon and tooltip.
#pragma once

#include <QRect>
#include <vector>

class QWidget;

namespace lumaro {

enum class ControlKind {
    ListBox,            // visible list, extended selection
    Label,
    Button,
    PictureButton,
    TextBox,
    ReadOnlyTextBox,
    CentredReadOnlyTextBox,
    GroupBox,
    ComboBox,           // drop-down list
    ProgressBar,
    PictureBox,         // zero-sized, never seen
    Store,              // hidden list: kept by the picture list, not a widget
};

struct ControlSpec {
    int id;
    const char* name;
    ControlKind kind;
    const char* templateText;
    int x, y, width, height;  // dialog units
    const char* font;         // font description ("10.MS Sans Serif.Bold"), or nullptr
    const char* icon;         // icon resource name, or nullptr
    const char* tooltip;      // fixed tooltip, or nullptr (message tooltips come with the language)
    bool hiddenAtFirst;
};

const std::vector<ControlSpec>& MainWindowControls();

// Dialog units to pixels: x * 3 / 2 and y * 13 / 8.
QRect FromDialogUnits(int x, int y, int width, int height);

// Creates the widget of one control as a child of `form`, named, with its text, geometry,
// font, icon and tooltip; nullptr for stores.
QWidget* CreateControl(const ControlSpec& spec, QWidget* form);

}  // namespace lumaro
