// The failure of a control lookup: the test stops where the missing control was asked for.
#include "support/controls.h"

#include <QTest>
#include <cstdlib>

namespace lumaro::testing {

void FailControlLookup(const QObject& parent, const QString& name, const char* type,
                       qsizetype found, std::source_location where) {
    const QString owner = parent.objectName();
    QString message;
    if (found > 1) {
        message = QStringLiteral("%1 controls named %2 in %3").arg(found).arg(name, owner);
    } else if (const QObject* other = parent.findChild<QObject*>(name)) {
        message = QStringLiteral("%1 in %2 is a %3, not a %4")
                      .arg(name, owner, QLatin1String(other->metaObject()->className()),
                           QLatin1String(type));
    } else {
        message = QStringLiteral("no control named %1 in %2").arg(name, owner);
    }
    QTest::qFail(qPrintable(message), where.file_name(), int(where.line()));
    // The failure is written out; going on would only crash on the missing control.
    std::_Exit(EXIT_FAILURE);
}

}  // namespace lumaro::testing
