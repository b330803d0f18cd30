// The main window's title names the program and, while one is open, the folder.
#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "support/formfixture.h"
#include "support/picturefiles.h"

using namespace lumaro;
using namespace lumaro::testing;

class TitleTest : public QObject {
    Q_OBJECT
private slots:
    void titleNamesTheProgramThenTheFolderOpenedThroughTheFolderButton();
};

void TitleTest::titleNamesTheProgramThenTheFolderOpenedThroughTheFolderButton() {
    QTemporaryDir root;
    const QString italy = root.filePath(QStringLiteral("2006-07 Italie"));
    const QString christmas = root.filePath(QStringLiteral("Noël 2007"));
    for (const QString& folder : {italy, christmas}) {
        QVERIFY(QDir().mkpath(folder));
        WritePicture(folder, QStringLiteral("01  Plage.jpg"));
    }
    FormFixture fx;
    Form1& form = fx.start();
    QCOMPARE(form.windowTitle(), QStringLiteral("Lumaro"));

    fx.responder().folders.push_back(italy + QStringLiteral("/"));
    QTest::mouseClick(Control<QPushButton>(form, "cb_Dossier"), Qt::LeftButton);
    QCOMPARE(form.windowTitle(), QStringLiteral("2006-07 Italie \u2014 Lumaro"));

    // A cancelled browser leaves the open folder, and its name, in place.
    QTest::mouseClick(Control<QPushButton>(form, "cb_Dossier"), Qt::LeftButton);
    QCOMPARE(form.windowTitle(), QStringLiteral("2006-07 Italie \u2014 Lumaro"));

    fx.responder().folders.push_back(christmas);
    QTest::mouseClick(Control<QPushButton>(form, "cb_Dossier"), Qt::LeftButton);
    QCOMPARE(form.windowTitle(), QStringLiteral("Noël 2007 \u2014 Lumaro"));
}

QTEST_MAIN(TitleTest)
#include "title_test.moc"
