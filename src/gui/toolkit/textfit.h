// Whether a control shows its whole text in the font it uses, and the widening of a window
// whose sizes, set in dialog units for a narrower font, cut a text.
#pragma once

class QWidget;

namespace lumaro {

// The width a label, button, option or group box needs to show its whole text; -1 for other
// widgets and for controls without text (or whose text wraps).
int TextWidthNeeded(const QWidget* control);

// When a text of `window` does not fit, stretches the window across: every control keeps its
// place in proportion and grows by the same factor, just enough for the widest shortfall.
void GrowToFitTexts(QWidget* window);

}  // namespace lumaro
