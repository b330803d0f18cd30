// The window loads a folder in which a renumbering was killed half way: the load finishes
// it, every picture takes its planned name, and one message says what was repaired.
#include <sys/wait.h>
#include <unistd.h>

#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <cstdlib>

#include "core/renaming/apply.h"
#include "core/renaming/renamepasses.h"
#include "core/renaming/renumber.h"
#include "core/settings/messagekeys.h"
#include "gui/naming/namingarea.h"
#include "support/formfixture.h"
#include "support/picturefiles.h"

using namespace lumaro;
using namespace lumaro::testing;

namespace {
const QStringList kDates = {"2021:07:01 10:00:00", "2021:07:02 10:00:00", "2021:07:03 10:00:00",
                            "2021:07:04 10:00:00"};

// Renumbers every picture of `folder` from `start` in a child process that stops after
// `renames` renames, as a power cut would stop it.
bool renumberStoppedAfter(const QString& folder, long long start, int renames) {
    const pid_t child = fork();
    if (child == 0) {
        setenv("LUMARO_STOP_AFTER_RENAMES", std::to_string(renames).c_str(), 1);
        PictureList list;
        list.currentFolder = folder.toStdString() + "/";
        list.fileType = "jpg";
        RelistByName(list);
        Renumber(list, {0, 1, 2, 3}, start, "");
        Apply(list, {true, -1, {}});
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 86;
}

QByteArray contentOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
}  // namespace

class JournalRepairTest : public QObject {
    Q_OBJECT
private slots:
    void loadFinishesAKilledRenumberingAndSaysSoOnce();
    void loadKeepsAJournalItCannotReadAndNamesIt();
};

void JournalRepairTest::loadFinishesAKilledRenumberingAndSaysSoOnce() {
    QTemporaryDir pictures;
    const QStringList before = {"01  a.jpg", "02  b.jpg", "03  c.jpg", "04  d.jpg"};
    for (int i = 0; i < before.size(); ++i) WritePicture(pictures.path(), before[i], kDates[i]);
    // Four to temporary names, then one of the second pass: pictures on three kinds of name.
    QVERIFY(renumberStoppedAfter(pictures.path(), 3, 5));
    QVERIFY(QFile::exists(pictures.filePath(".lumaro-journal")));

    FormFixture fx;
    Form1& form = fx.start();
    fx.responder().folders.push_back(pictures.path());
    QTest::mouseClick(Control<QPushButton>(form, "cb_Dossier"), Qt::LeftButton);

    const QStringList planned = {"03  a.jpg", "04  b.jpg", "05  c.jpg", "06  d.jpg"};
    QCOMPARE(FilesIn(pictures.path()), planned);
    QVERIFY(!QFile::exists(pictures.filePath(".lumaro-journal")));
    for (int i = 0; i < planned.size(); ++i) {
        QCOMPARE(contentOf(pictures.filePath(planned[i])), JpegBytes(kDates[i]));
    }
    QCOMPARE(Control<QListWidget>(form, "lb_Avant")->count(), 4);
    QCOMPARE(Control<QListWidget>(form, "lb_Avant")->item(0)->text(), QStringLiteral("03  a"));
    QCOMPARE(form.naming().mainWindowState(), WindowState::FolderLoaded);
    // One message, naming the pictures the repair renamed (the one already on its new name
    // is not among them).
    QStringList texts;
    for (const Shown& shown : fx.responder().shown) {
        if (shown.kind == QStringLiteral("message")) texts << shown.text;
    }
    QCOMPARE(texts.size(), 1);
    QVERIFY(texts[0].startsWith(QStringLiteral("A renaming of this folder was interrupted")));
    QCOMPARE(texts[0].count(QStringLiteral(".jpg")), 3);
    QVERIFY(!texts[0].contains(QStringLiteral("06  d.jpg")));
}

// A journal written by another version: nothing in it can be trusted, and nothing of it may be
// lost either. The load keeps it beside the pictures and says where.
void JournalRepairTest::loadKeepsAJournalItCannotReadAndNamesIt() {
    QTemporaryDir pictures;
    WritePicture(pictures.path(), "01  a.jpg", kDates[0]);
    WritePicture(pictures.path(), "02  b.jpg", kDates[1]);
    const QByteArray journal = "lumaro-journal 9\n{\"02  b.jpg\": \"04  b.jpg\"}\nend\n";
    QFile file(pictures.filePath(".lumaro-journal"));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(journal) == journal.size());
    file.close();

    FormFixture fx;
    Form1& form = fx.start();
    fx.responder().folders.push_back(pictures.path());
    QTest::mouseClick(Control<QPushButton>(form, "cb_Dossier"), Qt::LeftButton);

    const QString kept = pictures.filePath(".lumaro-journal.unreadable");
    QCOMPARE(contentOf(kept), journal);
    QVERIFY(!QFile::exists(pictures.filePath(".lumaro-journal")));
    QCOMPARE(FilesIn(pictures.path()), (QStringList{"01  a.jpg", "02  b.jpg"}));
    QCOMPARE(Control<QListWidget>(form, "lb_Avant")->count(), 2);
    QStringList texts;
    for (const Shown& shown : fx.responder().shown) {
        if (shown.kind == QStringLiteral("message")) texts << shown.text;
    }
    QCOMPARE(texts, QStringList{form.message(kMessageUnreadableJournalKept) + "\n" + kept});
}

QTEST_MAIN(JournalRepairTest)
#include "journalrepair_test.moc"
