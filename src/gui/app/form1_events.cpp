// Connects each row of the event map to the Qt signal or mouse event that raises it.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QTimer>

#include "gui/app/eventmap.h"
#include "gui/app/form1.h"
#include "gui/toolkit/imageviewercontrol.h"

namespace lumaro {

namespace {

// Raises a handler on a mouse event of one kind and button; the event still goes on to the
// widget, as every handler lets the default processing follow.
class MouseEventFilter : public QObject {
public:
    MouseEventFilter(QObject* parent, QEvent::Type type, Qt::MouseButton button,
                     std::function<void()> handler, bool consume)
        : QObject(parent),
          type_(type),
          button_(button),
          handler_(std::move(handler)),
          consume_(consume) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == type_ && static_cast<QMouseEvent*>(event)->button() == button_) {
            if (auto* widget = qobject_cast<QWidget*>(watched); !widget || widget->isEnabled()) {
                handler_();
            }
            return consume_;
        }
        return false;
    }

private:
    QEvent::Type type_;
    Qt::MouseButton button_;
    std::function<void()> handler_;
    bool consume_;
};

// The widget that receives the mouse: the viewport of a scrolling list.
QWidget* mouseTarget(QWidget* control) {
    if (auto* view = qobject_cast<QAbstractScrollArea*>(control)) return view->viewport();
    return control;
}

void watchMouse(QWidget* control, QEvent::Type type, Qt::MouseButton button,
                std::function<void()> handler) {
    QWidget* target = mouseTarget(control);
    // A right click in the list takes a caption; it must not change the selection as a
    // right press on an item view otherwise would.
    const bool consume = button == Qt::RightButton && qobject_cast<QAbstractItemView*>(control);
    target->installEventFilter(
        new MouseEventFilter(control, type, button, std::move(handler), consume));
}

}  // namespace

// Records the event the user raised, not the ones its handler raises in turn.
void Form1::dispatch(const EventMapRow& row) {
    if (dispatchDepth_ == 0) {
        lastHandledEvent_ = QStringLiteral("%1 %2").arg(QLatin1String(row.control),
                                                        QLatin1String(EventName(row.event)));
    }
    ++dispatchDepth_;
    row.handler(*this);
    --dispatchDepth_;
}

void AttachEventMap(QWidget& window, const std::function<void(const EventMapRow&)>& dispatch) {
    for (const EventMapRow& row : Form1EventMap()) {
        auto run = [dispatch, &row] { dispatch(row); };
        if (row.event == WindowEvent::Timer) {
            if (auto* timer = window.findChild<QTimer*>(QLatin1String(row.control))) {
                QObject::connect(timer, &QTimer::timeout, &window, run);
            }
            continue;
        }
        QWidget* control = window.findChild<QWidget*>(QLatin1String(row.control));
        if (!control) continue;  // the form's own events are raised by Form1 itself
        switch (row.event) {
            case WindowEvent::Click:
                QObject::connect(static_cast<QAbstractButton*>(control), &QAbstractButton::clicked,
                                 &window, run);
                break;
            case WindowEvent::Select:
                if (auto* list = qobject_cast<QListWidget*>(control)) {
                    QObject::connect(list, &QListWidget::itemSelectionChanged, &window, run);
                } else if (auto* combo = qobject_cast<QComboBox*>(control)) {
                    QObject::connect(combo, &QComboBox::activated, &window, run);
                }
                break;
            case WindowEvent::Change:
                QObject::connect(static_cast<QLineEdit*>(control), &QLineEdit::textChanged, &window,
                                 run);
                break;
            case WindowEvent::RightButtonDown:
                watchMouse(control, QEvent::MouseButtonPress, Qt::RightButton, run);
                break;
            case WindowEvent::RightButtonUp:
                watchMouse(control, QEvent::MouseButtonRelease, Qt::RightButton, run);
                break;
            case WindowEvent::DoubleClick:
                watchMouse(control, QEvent::MouseButtonDblClick, Qt::LeftButton, run);
                break;
            case WindowEvent::ImageViewerClick:
                QObject::connect(static_cast<ImageViewerControl*>(control),
                                 &ImageViewerControl::clicked, &window, run);
                break;
            case WindowEvent::ImageViewerDblClick:
                QObject::connect(static_cast<ImageViewerControl*>(control),
                                 &ImageViewerControl::doubleClicked, &window, run);
                break;
            default:
                break;
        }
    }
}

}  // namespace lumaro
