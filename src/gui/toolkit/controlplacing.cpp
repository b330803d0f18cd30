// Dialog units and the creation of a named control from its template row.
#include "gui/toolkit/controlplacing.h"

#include <QComboBox>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>

#include "gui/toolkit/fonts.h"

namespace lumaro {

QRect FromDialogUnits(int x, int y, int width, int height) {
    return QRect(x * 3 / 2, y * 13 / 8, width * 3 / 2, height * 13 / 8);
}

namespace {
using K = ControlKind;

QWidget* makeWidget(const ControlSpec& spec, QWidget* form) {
    const QString text = QString::fromUtf8(spec.templateText);
    switch (spec.kind) {
        case K::ListBox: {
            auto* list = new QListWidget(form);
            list->setSelectionMode(QAbstractItemView::ExtendedSelection);
            list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
            list->setUniformItemSizes(true);  // large folders lay out in constant time
            return list;
        }
        case K::Label:
            return new QLabel(text, form);
        case K::Button:
        case K::PictureButton:
            return new QPushButton(text, form);
        case K::TextBox:
            return new QLineEdit(text, form);
        case K::ReadOnlyTextBox:
        case K::CentredReadOnlyTextBox: {
            auto* box = new QLineEdit(text, form);
            box->setReadOnly(true);
            if (spec.kind == K::CentredReadOnlyTextBox) box->setAlignment(Qt::AlignCenter);
            return box;
        }
        case K::GroupBox:
            return new QGroupBox(text, form);
        case K::ComboBox:
            return new QComboBox(form);
        case K::ProgressBar: {
            auto* bar = new QProgressBar(form);
            bar->setRange(0, 100);
            bar->setValue(0);
            bar->setTextVisible(false);
            return bar;
        }
        case K::PictureBox:
            return new QLabel(form);
        case K::Store:
            return nullptr;
    }
    return nullptr;
}
}  // namespace

QWidget* CreateControl(const ControlSpec& spec, QWidget* form) {
    QWidget* widget = makeWidget(spec, form);
    if (!widget) return nullptr;
    PlacedInUnits(widget, spec.name, spec.x, spec.y, spec.width, spec.height);
    if (spec.font) widget->setFont(FontFromSpec(QString::fromLatin1(spec.font)));
    if (spec.icon) {
        auto* button = static_cast<QPushButton*>(widget);
        button->setIcon(QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(spec.icon))));
        button->setIconSize(QSize(20, 20));
    }
    if (spec.tooltip) widget->setToolTip(QString::fromUtf8(spec.tooltip));
    if (spec.hiddenAtFirst) widget->hide();
    return widget;
}

}  // namespace lumaro
