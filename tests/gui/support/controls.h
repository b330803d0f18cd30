// Finds a window's controls by their objectName, so that tests do not care which object holds them.
#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <source_location>

namespace lumaro::testing {

// Ends the running test with a failure that names the control and the line that asked for it.
[[noreturn]] void FailControlLookup(const QObject& parent, const QString& name, const char* type,
                                    qsizetype found, std::source_location where);

// The one control of type T named `name` (a control's objectName is its name) among the
// children of `parent`, at any depth. None, or two of that name, fail the test at the caller's
// line at once, rather than handing back a null pointer or the wrong control.
template <class T>
T* Control(const QObject& parent, const QString& name,
           std::source_location where = std::source_location::current()) {
    const QList<T*> found = parent.findChildren<T*>(name);
    if (found.size() != 1) {
        FailControlLookup(parent, name, T::staticMetaObject.className(), found.size(), where);
    }
    return found.front();
}

}  // namespace lumaro::testing
