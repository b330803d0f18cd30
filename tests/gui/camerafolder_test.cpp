// A camera folder of JPEGs with raw files and sidecars, clicked through in the real window: the
// first numbering, a caption applied, a move accepted, and the delete question's answers. After
// each step every raw file and sidecar must lie beside its JPEG under the JPEG's new name.
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <map>

#include "support/formfixture.h"
#include "support/picturefiles.h"

using namespace lumaro;
using namespace lumaro::testing;

namespace {

// The camera's pictures: name, the date inside the JPEG (the numbering order), and the rest of
// each companion's name after the picture's name.
struct Shot {
    QString name;
    QString date;
    QStringList companions;
};
const Shot kShots[] = {
    {"DSC_0001", "2021:07:03 10:00:00", {".NEF", ".xmp"}},
    {"DSC_0002", "2021:07:01 10:00:00", {".NEF", ".NEF.xmp"}},
    {"DSC_0003", "2021:07:02 10:00:00", {".NEF"}},
};

QByteArray companionBytes(const Shot& shot, const QString& rest) {
    return ("companion " + shot.name + rest).toUtf8();
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void clickRow(QListWidget* list, int row) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                      list->visualItemRect(list->item(row)).center());
}

// Replaces the camera names by numbers in picture-date order, as the name-format dialog asks.
int replaceByDate(QDialog& dialog) {
    for (const char* option : {"optb_1", "optb_SortByDate"})
        QTest::mouseClick(Control<QRadioButton>(dialog, option), Qt::LeftButton);
    QTest::mouseClick(Control<QPushButton>(dialog, "cb_OK"), Qt::LeftButton);
    return dialog.result();
}

}  // namespace

class CameraFolderTest : public QObject {
    Q_OBJECT
    QTemporaryDir home;  // HOME and XDG_DATA_HOME: deleted files go to a trash of its own
    QTemporaryDir dir;
    FormFixture fx;

    // What differs from a folder holding exactly the shots under these names (shot index ->
    // new name), each companion beside its JPEG with its own bytes, and `others`; empty when
    // nothing does.
    QString differences(const std::map<int, QString>& names, const QStringList& others = {}) {
        QStringList expected = others;
        QString wrong;
        for (const auto& [index, name] : names) {
            const Shot& shot = kShots[index];
            expected << name + ".jpg";
            if (readFile(dir.filePath(name + ".jpg")) != JpegBytes(shot.date))
                wrong += name + ".jpg is not " + shot.name + "; ";
            for (const QString& rest : shot.companions) {
                expected << name + rest;
                if (readFile(dir.filePath(name + rest)) != companionBytes(shot, rest))
                    wrong += name + rest + " is not " + shot.name + rest + "; ";
            }
        }
        expected.sort();
        if (FilesIn(dir.path()) != expected) wrong += "on disk: " + FilesIn(dir.path()).join(", ");
        return wrong;
    }

private slots:
    void initTestCase();
    void rawFilesAndSidecarsFollowTheirJpegThroughEveryRenameAndTheDeleteQuestion();
};

void CameraFolderTest::initTestCase() {
    qputenv("HOME", QFile::encodeName(home.path()));
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.filePath("share")));
}

void CameraFolderTest::rawFilesAndSidecarsFollowTheirJpegThroughEveryRenameAndTheDeleteQuestion() {
    for (const Shot& shot : kShots) {
        WritePicture(dir.path(), shot.name + ".jpg", shot.date);
        for (const QString& rest : shot.companions) {
            QFile file(dir.filePath(shot.name + rest));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(companionBytes(shot, rest));
        }
    }
    Form1& form = fx.start();
    QListWidget* list = Control<QListWidget>(form, "lb_Avant");
    ScriptedResponder& responder = fx.responder();
    responder.folders.push_back(dir.path());
    responder.dialogActions.push_back(replaceByDate);
    QTest::mouseClick(Control<QPushButton>(form, "cb_Dossier"), Qt::LeftButton);
    QCOMPARE(differences({{1, "01--"}, {2, "02--"}, {0, "03--"}}), QString());

    clickRow(list, 0);
    QTest::keyClicks(Control<QLineEdit>(form, "textb_Caption"), QStringLiteral("Nord"));
    QTest::mouseClick(Control<QPushButton>(form, "cb_Renommer"), Qt::LeftButton);
    QTest::mouseClick(Control<QPushButton>(form, "cb_Appliquer"), Qt::LeftButton);
    QCOMPARE(differences({{1, "01  Nord"}, {2, "02--"}, {0, "03--"}}), QString());

    // Opened again, now numbered: the last picture one place up, accepted; the two swap numbers,
    // and so do their raw files.
    responder.folders.push_back(dir.path());
    QTest::mouseClick(Control<QPushButton>(form, "cb_Dossier"), Qt::LeftButton);
    clickRow(list, 2);
    QTest::mouseClick(Control<QPushButton>(form, "pictbttn_ToStart1"), Qt::LeftButton);
    QTest::mouseClick(Control<QPushButton>(form, "cb_AccepterDeplacer"), Qt::LeftButton);
    QCOMPARE(differences({{1, "01  Nord"}, {0, "02--"}, {2, "03--"}}), QString());

    // One question, three answers: with the companions, cancelled, the picture alone.
    const QString trash = home.filePath("share/Trash/files/");
    clickRow(list, 0);
    responder.answers = {0};
    QTest::mouseClick(Control<QPushButton>(form, "pictbttn_Del"), Qt::LeftButton);
    const Shown asked = responder.shown.last();
    QCOMPARE(asked.kind, QStringLiteral("choice"));
    QCOMPARE(asked.caption, QStringLiteral("Delete file"));
    QCOMPARE(asked.text,
             QStringLiteral("Move '01  Nord' and its 2 companion files to the Trash?\n01  "
                            "Nord.NEF\n01  Nord.NEF.xmp"));
    QCOMPARE(asked.choices, (QStringList{"Picture and companions", "Picture alone", "Cancel"}));
    QCOMPARE(differences({{0, "02--"}, {2, "03--"}}), QString());
    QCOMPARE(readFile(trash + "01  Nord.NEF.xmp"), companionBytes(kShots[1], ".NEF.xmp"));
    QCOMPARE(readFile(trash + "01  Nord.jpg"), JpegBytes(kShots[1].date));

    clickRow(list, 0);
    QTest::mouseClick(Control<QPushButton>(form, "pictbttn_Del"),
                      Qt::LeftButton);  // no answer: the last button, Cancel
    QCOMPARE(responder.shown.last().kind, QStringLiteral("choice"));
    QCOMPARE(differences({{0, "02--"}, {2, "03--"}}), QString());

    clickRow(list, 0);
    responder.answers = {1};
    QTest::mouseClick(Control<QPushButton>(form, "pictbttn_Del"), Qt::LeftButton);
    QCOMPARE(differences({{2, "03--"}}, {"02--.NEF", "02--.xmp"}), QString());
    QCOMPARE(readFile(trash + "02--.jpg"), JpegBytes(kShots[0].date));
    QVERIFY(!QFile::exists(trash + "02--.NEF"));
    QCOMPARE(list->count(), 1);
}

QTEST_MAIN(CameraFolderTest)
#include "camerafolder_test.moc"
