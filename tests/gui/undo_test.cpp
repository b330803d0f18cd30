// Ctrl+Z after a restart: the window asks about the last operation of the folder and, answered
// Yes, gives the pictures their names before it again.
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "core/settings/messagekeys.h"
#include "support/formfixture.h"
#include "support/picturefiles.h"

using namespace lumaro;
using namespace lumaro::testing;

class UndoTest : public QObject {
    Q_OBJECT
private slots:
    void ctrlZAfterARestartGivesBackTheNamesBeforeTheApply();
};

void UndoTest::ctrlZAfterARestartGivesBackTheNamesBeforeTheApply() {
    QTemporaryDir dir;
    for (const QString name : {"01  a", "02  b"}) WritePicture(dir.path(), name + ".jpg", name);
    FormFixture fx;
    Form1* form = &fx.start();
    fx.responder().folders.push_back(dir.path());
    QTest::mouseClick(form->cb_Dossier, Qt::LeftButton);
    QListWidget* list = form->lb_Avant;
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(1)).center());
    QTest::keyClicks(form->textb_Caption, QStringLiteral("Nord"));
    QTest::mouseClick(form->cb_Renommer, Qt::LeftButton);
    QTest::mouseClick(form->cb_Appliquer, Qt::LeftButton);
    QCOMPARE(FilesIn(dir.path()), (QStringList{"01  a.jpg", "02  Nord.jpg"}));

    fx.closeForm();
    form = &fx.start();
    fx.responder().folders.push_back(dir.path());
    QTest::mouseClick(form->cb_Dossier, Qt::LeftButton);
    form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form));
    fx.responder().shown.clear();
    fx.responder().answers.push_back(kAnswerYes);
    QTest::keyClick(form->lb_Avant, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(FilesIn(dir.path()), (QStringList{"01  a.jpg", "02  b.jpg"}));
    QFile restored(dir.filePath("02  b.jpg"));
    QVERIFY(restored.open(QIODevice::ReadOnly));
    QCOMPARE(restored.readAll(), JpegBytes("02  b"));
    QVERIFY(fx.responder().texts().join("\n").startsWith(
        QStringLiteral("Undo apply of 1 pictures made on ")));
    QCOMPARE(form->lb_Avant->item(1)->text(), QStringLiteral("02  b"));
}

QTEST_MAIN(UndoTest)
#include "undo_test.moc"
