// The failure of a control lookup: the test stops where the missing control was asked for.
#include "support/controls.h"

#include <QTest>
#include <cstdlib>

namespace lumaro::testing {

void FailControlLookup(const QObject& parent, const QString& name, const char* type,
                       qsizetype found, std::source_location where) {
    QString problem;
    if (found > 1) {
        problem = QStringLiteral("%1 controls named %2").arg(found).arg(name);
    } else if (const QObject* other = parent.findChild<QObject*>(name)) {
        problem =
            QStringLiteral("the control named %1 is a %2, not a %3")
                .arg(name, QLatin1String(other->metaObject()->className()), QLatin1String(type));
    } else {
        problem = QStringLiteral("no control named %1").arg(name);
    }
    const QString message = problem + QStringLiteral(" in ") + parent.objectName();
    QTest::qFail(qPrintable(message), where.file_name(), int(where.line()));
    // The failure is written out; going on would only crash on the missing control.
    std::_Exit(EXIT_FAILURE);
}

}  // namespace lumaro::testing
