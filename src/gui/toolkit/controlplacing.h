// Dialog units and the creation and placing of named controls, shared by every window.
#pragma once

#include <QRect>
#include <QString>

class QWidget;

namespace lumaro {

enum class ControlKind {
    ListBox,  // visible list, extended selection
    Label,
    Button,
    PictureButton,
    TextBox,
    ReadOnlyTextBox,
    CentredReadOnlyTextBox,
    GroupBox,
    ComboBox,  // drop-down list
    ProgressBar,
    PictureBox,  // zero-sized, never seen
    Store,       // hidden list: kept by the picture list, not a widget
};

// One control of a window's template: id, name, kind, template text, geometry in dialog
// units, font, icon and tooltip. The main window's table is in gui/app/controltable.h.
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

// Dialog units to pixels: x * 3 / 2 and y * 13 / 8.
QRect FromDialogUnits(int x, int y, int width, int height);

// Creates the widget of one control as a child of `form`, named, with its text, geometry,
// font, icon and tooltip; nullptr for stores.
QWidget* CreateControl(const ControlSpec& spec, QWidget* form);

// The widget, given its name (a control's objectName is its name).
template <typename T>
T* Named(T* widget, const char* name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}

// The widget, named and placed at `geometry` in pixels.
template <typename T>
T* Placed(T* widget, const char* name, const QRect& geometry) {
    Named(widget, name)->setGeometry(geometry);
    return widget;
}

// The widget, named and placed at a template's place in dialog units.
template <typename T>
T* PlacedInUnits(T* widget, const char* name, int x, int y, int width, int height) {
    return Placed(widget, name, FromDialogUnits(x, y, width, height));
}

}  // namespace lumaro
