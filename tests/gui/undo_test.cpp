// Ctrl+Z after a restart: the window asks about the last operation of the folder and, answered
// Yes, gives the pictures (and their raw files) the names the camera gave them again;
// Ctrl+Shift+Z takes the undo back. A folder whose history cannot be written is opened only
// after a question.
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include "core/settings/messagekeys.h"
#include "support/formfixture.h"
#include "support/picturefiles.h"

using namespace lumaro;
using namespace lumaro::testing;

namespace {

// Replaces the camera names by numbers, as the name-format dialog asks on a first opening.
int replaceNames(QDialog& dialog) {
    QTest::mouseClick(Control<QRadioButton>(dialog, "optb_1"), Qt::LeftButton);
    QTest::mouseClick(Control<QPushButton>(dialog, "cb_OK"), Qt::LeftButton);
    return dialog.result();
}

}  // namespace

class UndoTest : public QObject {
    Q_OBJECT
private slots:
    void ctrlZAfterARestartGivesBackTheCameraNamesOfTheFirstNumbering();
    void ctrlShiftZRedoesTheUndoAndAnUnwritableHistoryIsAskedAboutFirst();
    void undoOfASinglePictureAsksInTheSingular();
};

void UndoTest::ctrlZAfterARestartGivesBackTheCameraNamesOfTheFirstNumbering() {
    QTemporaryDir dir;
    for (const QString name : {"IMG_0002", "IMG_0001"})
        WritePicture(dir.path(), name + ".jpg", name);
    QFile raw(dir.filePath("IMG_0001.NEF"));
    QVERIFY(raw.open(QIODevice::WriteOnly) && raw.write("raw") == 3);
    raw.close();
    const QStringList camera{"IMG_0001.NEF", "IMG_0001.jpg", "IMG_0002.jpg"};
    FormFixture fx;
    Form1* form = &fx.start();
    fx.responder().folders.push_back(dir.path());
    fx.responder().dialogActions.push_back(replaceNames);
    QTest::mouseClick(Control<QPushButton>(*form, "cb_Dossier"), Qt::LeftButton);
    QCOMPARE(FilesIn(dir.path()), (QStringList{"01--.NEF", "01--.jpg", "02--.jpg"}));

    fx.closeForm();
    form = &fx.start();
    fx.responder().folders.push_back(dir.path());
    QTest::mouseClick(Control<QPushButton>(*form, "cb_Dossier"), Qt::LeftButton);
    form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form));
    fx.responder().shown.clear();
    fx.responder().answers.push_back(kAnswerYes);
    QTest::keyClick(Control<QListWidget>(*form, "lb_Avant"), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(FilesIn(dir.path()), camera);
    QFile restored(dir.filePath("IMG_0002.jpg"));
    QVERIFY(restored.open(QIODevice::ReadOnly));
    QCOMPARE(restored.readAll(), JpegBytes("IMG_0002"));
    QVERIFY(fx.responder().texts().join("\n").startsWith(
        QStringLiteral("Undo load of 3 pictures made on ")));
    QCOMPARE(Control<QListWidget>(*form, "lb_Avant")->item(0)->text(), QStringLiteral("IMG_0001"));
}

void UndoTest::ctrlShiftZRedoesTheUndoAndAnUnwritableHistoryIsAskedAboutFirst() {
    QTemporaryDir dir, broken;
    for (const QString name : {"IMG_0002", "IMG_0001"})
        WritePicture(dir.path(), name + ".jpg", name);
    const QStringList camera{"IMG_0001.jpg", "IMG_0002.jpg"};
    const QStringList numbered{"01--.jpg", "02--.jpg"};
    FormFixture fx;
    Form1* form = &fx.start();
    const QByteArray state = qgetenv("XDG_STATE_HOME");
    QFile file(broken.filePath(QStringLiteral("lumaro")));  // a file where the folder should be
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    qputenv("XDG_STATE_HOME", broken.path().toUtf8());
    fx.responder().folders.push_back(dir.path());
    QTest::mouseClick(Control<QPushButton>(*form, "cb_Dossier"),
                      Qt::LeftButton);  // answered No: nothing renamed
    QCOMPARE(FilesIn(dir.path()), camera);
    QVERIFY(fx.responder().texts().join("\n").contains(broken.filePath("lumaro/")));
    qputenv("XDG_STATE_HOME", state);

    fx.responder().folders.push_back(dir.path());
    fx.responder().dialogActions.push_back(replaceNames);
    QTest::mouseClick(Control<QPushButton>(*form, "cb_Dossier"), Qt::LeftButton);
    QCOMPARE(FilesIn(dir.path()), numbered);
    form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form));
    fx.responder().answers = {kAnswerYes, kAnswerYes};
    QTest::keyClick(Control<QListWidget>(*form, "lb_Avant"), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(FilesIn(dir.path()), camera);
    fx.responder().shown.clear();
    QTest::keyClick(Control<QListWidget>(*form, "lb_Avant"), Qt::Key_Z,
                    Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(FilesIn(dir.path()), numbered);
    QVERIFY(fx.responder().texts().join("\n").startsWith(
        QStringLiteral("Redo load of 2 pictures made on ")));
    QCOMPARE(Control<QListWidget>(*form, "lb_Avant")->item(0)->text(), QStringLiteral("01--"));
}

// "of one picture", never "of 1 pictures"; answered No, the number stays.
void UndoTest::undoOfASinglePictureAsksInTheSingular() {
    QTemporaryDir dir;
    WritePicture(dir.path(), "IMG_0001.jpg", "IMG_0001");
    FormFixture fx;
    Form1& form = fx.start();
    fx.responder().folders.push_back(dir.path());
    fx.responder().dialogActions.push_back(replaceNames);
    QTest::mouseClick(Control<QPushButton>(form, "cb_Dossier"), Qt::LeftButton);
    const QStringList numbered = FilesIn(dir.path());
    QVERIFY(numbered != QStringList{"IMG_0001.jpg"});
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    fx.responder().shown.clear();
    QTest::keyClick(Control<QListWidget>(form, "lb_Avant"), Qt::Key_Z, Qt::ControlModifier);
    QVERIFY2(fx.responder().texts().join("\n").startsWith(
                 QStringLiteral("Undo load of one picture made on ")),
             qPrintable(fx.responder().texts().join("\n")));
    QCOMPARE(FilesIn(dir.path()), numbered);
}

QTEST_MAIN(UndoTest)
#include "undo_test.moc"
