// Reading the start state of the viewers from the JSON file compiled into the program.
#include "gui/pictures/viewerstartdata.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace lumaro {

std::vector<ViewerStartData> StoredViewerData() {
    QFile file(QStringLiteral(":/viewers.json"));
    std::vector<ViewerStartData> viewers;
    if (!file.open(QIODevice::ReadOnly)) return viewers;
    const QJsonArray array =
        QJsonDocument::fromJson(file.readAll()).object().value("viewers").toArray();
    for (const QJsonValue& value : array) {
        const QJsonObject record = value.toObject();
        viewers.push_back({record.value("name").toString(), record.value("displayMode").toInt(10),
                           record.value("displayOn").toBool(),
                           record.value("sitePassive").toBool()});
    }
    return viewers;
}

}  // namespace lumaro
