// Finds a control of the window by its objectName and keeps it in a member.
#pragma once

#include <QLatin1String>
#include <QWidget>

namespace lumaro {

template <typename T>
void BindControl(const QWidget& window, T*& member, const char* name) {
    member = window.findChild<T*>(QLatin1String(name));
    Q_ASSERT(member);
}

}  // namespace lumaro
