// The window meets a folder that another program is changing (it holds the folder's lock):
// opening it and applying a rename say so and change nothing on disk; once the other program
// is done, the same clicks go through.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "support/formfixture.h"
#include "support/picturefiles.h"

using namespace lumaro;
using namespace lumaro::testing;

namespace {

constexpr const char* kBusy = "Another Lumaro is changing this folder.";

void clickRow(QListWidget* list, int row) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                      list->visualItemRect(list->item(row)).center());
}

// The lock another program would hold: a description of the folder of its own, locked.
int lockAsAnotherProgram(const QString& folder) {
    const int fd = open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    return fd >= 0 && flock(fd, LOCK_EX | LOCK_NB) == 0 ? fd : -1;
}

}  // namespace

class BusyFolderTest : public QObject {
    Q_OBJECT
private slots:
    void aFolderAnotherProgramIsChangingIsNeitherLoadedNorRenamed();
};

void BusyFolderTest::aFolderAnotherProgramIsChangingIsNeitherLoadedNorRenamed() {
    QTemporaryDir dir;
    WritePicture(dir.path(), "01--.jpg");  // the load would give it three digits
    WritePicture(dir.path(), "002--.jpg");
    FormFixture fx;
    Form1& form = fx.start();
    ScriptedResponder& responder = fx.responder();

    int other = lockAsAnotherProgram(dir.path());
    QVERIFY(other >= 0);
    responder.folders.push_back(dir.path());
    QTest::mouseClick(Control<QPushButton>(form, "cb_Dossier"), Qt::LeftButton);
    QCOMPARE(responder.shown.last().kind, QStringLiteral("message"));
    QCOMPARE(responder.shown.last().text, QString::fromLatin1(kBusy));
    QCOMPARE(FilesIn(dir.path()), (QStringList{"002--.jpg", "01--.jpg"}));
    QCOMPARE(Control<QListWidget>(form, "lb_Avant")->count(), 0);
    close(other);

    responder.folders.push_back(dir.path());
    QTest::mouseClick(Control<QPushButton>(form, "cb_Dossier"), Qt::LeftButton);
    QCOMPARE(FilesIn(dir.path()), (QStringList{"001--.jpg", "002--.jpg"}));
    clickRow(Control<QListWidget>(form, "lb_Avant"), 0);
    QTest::keyClicks(Control<QLineEdit>(form, "textb_Caption"), QStringLiteral("Nord"));
    QTest::mouseClick(Control<QPushButton>(form, "cb_Renommer"), Qt::LeftButton);
    other = lockAsAnotherProgram(dir.path());
    QVERIFY(other >= 0);
    responder.shown.clear();
    QTest::mouseClick(Control<QPushButton>(form, "cb_Appliquer"), Qt::LeftButton);
    QCOMPARE(responder.texts(), QStringList{kBusy});
    QCOMPARE(FilesIn(dir.path()), (QStringList{"001--.jpg", "002--.jpg"}));
    // The rename still waits to be applied.
    QVERIFY(Control<QPushButton>(form, "cb_Appliquer")->isEnabled());
    close(other);

    QTest::mouseClick(Control<QPushButton>(form, "cb_Appliquer"), Qt::LeftButton);
    QCOMPARE(FilesIn(dir.path()), (QStringList{"001  Nord.jpg", "002--.jpg"}));
}

QTEST_MAIN(BusyFolderTest)
#include "busyfolder_test.moc"
