// Measuring the text a control draws, and widening a window so that no text is cut.
#include "gui/toolkit/textfit.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace lumaro {

namespace {

// The text as drawn: "&&" stands for "&", a single "&" marks the shortcut and is not drawn.
QString drawnText(QString text) {
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return text;
}

int widestLine(const QWidget* control, const QString& text) {
    int widest = 0;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        widest = std::max(widest, control->fontMetrics().horizontalAdvance(line));
    }
    return widest;
}

// A frame edge and a little air on each side of a button's or group box's text.
constexpr int kButtonPadding = 8;
constexpr int kGroupTitlePadding = 16;

// Left edges and right edges scale alike, so frames still hold what they held and
// neighbours keep their order; right edges round up so no control ends short. Only the
// children the window placed itself move: the inner parts of a control are its own.
void stretchChildren(QWidget* parent, double factor) {
    for (QWidget* child : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->isWindow()) continue;
        const QRect g = child->geometry();
        const int left = static_cast<int>(std::lround(g.x() * factor));
        const int right = static_cast<int>(std::ceil((g.x() + g.width()) * factor));
        child->setGeometry(left, g.y(), right - left, g.height());
        const char* kind = child->metaObject()->className();
        if (qobject_cast<QGroupBox*>(child) || qstrcmp(kind, "QWidget") == 0 ||
            qstrcmp(kind, "QFrame") == 0) {
            stretchChildren(child, factor);
        }
    }
}

}  // namespace

int TextWidthNeeded(const QWidget* control) {
    if (const auto* label = qobject_cast<const QLabel*>(control)) {
        if (label->text().isEmpty() || label->wordWrap()) return -1;
        const int frame = label->width() - label->contentsRect().width();
        return widestLine(label, label->text()) + frame + 2 * label->margin() +
               std::max(0, label->indent());
    }
    if (qobject_cast<const QRadioButton*>(control) || qobject_cast<const QCheckBox*>(control)) {
        const auto* option = static_cast<const QAbstractButton*>(control);
        return option->text().isEmpty() ? -1 : option->sizeHint().width();
    }
    if (const auto* button = qobject_cast<const QPushButton*>(control)) {
        if (button->text().isEmpty()) return -1;
        return widestLine(button, drawnText(button->text())) + kButtonPadding;
    }
    if (const auto* group = qobject_cast<const QGroupBox*>(control)) {
        if (group->title().isEmpty()) return -1;
        return widestLine(group, drawnText(group->title())) + kGroupTitlePadding;
    }
    return -1;
}

void GrowToFitTexts(QWidget* window) {
    double factor = 1.0;
    const QList<QWidget*> controls = window->findChildren<QWidget*>();
    for (const QWidget* control : controls) {
        const int needed = TextWidthNeeded(control);
        if (needed > control->width() && control->width() > 0) {
            factor = std::max(factor, static_cast<double>(needed) / control->width());
        }
    }
    if (factor <= 1.0) return;
    stretchChildren(window, factor);
    const int width = static_cast<int>(std::ceil(window->width() * factor));
    if (window->minimumWidth() == window->maximumWidth()) {
        window->setFixedWidth(width);
    } else {
        window->resize(width, window->height());
    }
}

}  // namespace lumaro
