// The slide-show road in the real window: the parameters dialog clicked as a user would (with
// and without the title choice, in English and every shipped language), the folder choice, the
// checks that keep it open, and the project file, folder and settings found on disk afterwards.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include "core/settings/messagekeys.h"
#include "gui/naming/namingarea.h"
#include "support/formfixture.h"
#include "support/picturefiles.h"

using namespace lumaro;
using namespace lumaro::testing;

namespace {

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void click(QDialog& dialog, const char* name) {
    QTest::mouseClick(Control<QAbstractButton>(dialog, name), Qt::LeftButton);
}

void type(QDialog& dialog, const char* name, const QString& text) {
    auto* box = Control<QLineEdit>(dialog, name);
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
}

// The controls whose text their size cuts, or that stick out of the dialog.
QStringList cutTexts(QDialog& dialog) {
    QStringList cut;
    for (QWidget* control : dialog.findChildren<QWidget*>()) {
        if (!control->isVisibleTo(&dialog) || control->parentWidget() != &dialog) continue;
        QSize hint = control->sizeHint();
        if (auto* box = qobject_cast<QLineEdit*>(control)) {
            hint = QSize(box->fontMetrics().horizontalAdvance(box->text()) + 8,
                         box->minimumSizeHint().height());
        }
        if (!qobject_cast<QGroupBox*>(control) &&
            (hint.width() > control->width() || hint.height() > control->height()))
            cut << control->objectName();
        if (!dialog.rect().contains(control->geometry())) cut << control->objectName() + " outside";
    }
    return cut;
}

// A picture folder of three pictures under a name of our choice, loaded into the window. The
// slide-show folder of the settings is `shows()` when preset, else none.
class Road {
public:
    Road(const QString& folderName, const QByteArray& language, const QByteArray& format,
         bool preset = false) {
        const QByteArray folder = preset ? shows().toUtf8() + "/" : QByteArray();
        fx.writeHomeFile(
            QStringLiteral("Lumaro.ini"),
            "[Language]\r\n" + language + "\r\n[Default Folders]\r\n\r\n\r\n" + folder +
                "\r\n[SlideShow Title Format]\r\n" + format +
                "\r\n[File Types]\r\nTypes\r\njpg\r\n[Captions]\r\n[End of Application data]\r\n");
        for (const char* shipped : {"French.lng", "German.lng", "Spanish.lng"})
            fx.installShipped(QLatin1String(shipped));
        pictures = dir.filePath(folderName);
        QDir().mkpath(pictures);
        for (const char* name : {"02  b.jpg", "01  a.jpg", "03  c.jpg"})
            WritePicture(pictures, QLatin1String(name));
        fx.start();
        fx.responder().folders.push_back(pictures);
        QTest::mouseClick(Control<QPushButton>(fx.form(), "cb_Dossier"), Qt::LeftButton);
        fx.responder().shown.clear();
    }
    Form1& form() { return fx.form(); }
    QString shows() const { return dir.filePath(QStringLiteral("shows")); }
    // Clicks cb_Diaporama; `act` answers the parameters dialog, before the dialogs it opens.
    void createSlideShow(const std::function<void(QDialog&)>& act) {
        fx.responder().dialogActions.push_front([act](QDialog& dialog) {
            act(dialog);
            return dialog.result();
        });
        QTest::mouseClick(Control<QPushButton>(form(), "cb_Diaporama"), Qt::LeftButton);
        QVERIFY(fx.responder().dialogActions.empty());
    }
    // The folder choice behind cb_GetFolder answers `folder` through its browser.
    void willChooseFolder(const QString& folder) {
        fx.responder().folders.push_back(folder);
        fx.responder().dialogActions.push_back([](QDialog& getFolder) {
            click(getFolder, "cb_Browse");
            click(getFolder, "cb_OK");
            return getFolder.result();
        });
    }
    QByteArray slides(const QByteArray& caption) const {
        QByteArray lines;
        for (const char* name : {"01  a.jpg", "02  b.jpg", "03  c.jpg"})
            lines += "FileName: \"" + pictures.toUtf8() + "/" + name + "\"; Caption: \"" + caption +
                     "\";\r\n";
        return "[File]\r\nFormatVersion=2.6\r\n\r\n[Slides]\r\n" + lines + "\r\n[Settings]\r\n";
    }

    QTemporaryDir dir;
    QString pictures;
    FormFixture fx;
};

}  // namespace

class SlideShowTest : public QObject {
    Q_OBJECT
private slots:
    void plainNameHidesTheTitleChoiceAndCreatesTheProject();
    void datedNameOffersBothTitlesAndTheRootBecomesItsSubfolder();
    void durationsMustBeDigitsAndTheDialogStaysOpen();
    void cancelAndCloseBoxCreateNothing();
    void aFolderTwoLevelsDeepIsNotCreatedButStaysChosen();
    void aProjectThatCannotBeWrittenIsSaid();
    void everyTextFitsInEveryLanguage_data();
    void everyTextFitsInEveryLanguage();
};

// "Vacances": no title choice (even with the format "Text"), the lower part moved up.
void SlideShowTest::plainNameHidesTheTitleChoiceAndCreatesTheProject() {
    Road road(QStringLiteral("Vacances"), "English", "Text");
    Form1& form = road.form();
    const WindowState state = form.naming().mainWindowState();
    road.willChooseFolder(road.shows());
    road.createSlideShow([&](QDialog& dialog) {
        QCOMPARE(dialog.objectName(), QStringLiteral("FormDiaporamaParameters"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Slide show parameters"));
        QCOMPARE(Control<QLabel>(dialog, "label_NomDuFichier")->text(),
                 QStringLiteral("Pictures folder: 'Vacances'"));
        QCOMPARE(Control<QLabel>(dialog, "label_DossierDiaporama")->text(),
                 QStringLiteral("Slide show folder:"));
        QCOMPARE(Control<QLabel>(dialog, "label_DureeImage")->text(),
                 QStringLiteral("Image display interval (4000 ms =4 sec)"));
        QCOMPARE(Control<QLabel>(dialog, "label_DureeEffet")->text(),
                 QStringLiteral("Effects duration (1200 ms =1.2 sec)"));
        QCOMPARE(Control<QLineEdit>(dialog, "textb_DureeImage")->text(), QStringLiteral("4000"));
        QCOMPARE(Control<QLineEdit>(dialog, "textb_DureeEffet")->text(), QStringLiteral("1200"));
        QVERIFY(!Control<QPushButton>(dialog, "cb_Create")->isEnabled());
        for (const char* hidden :
             {"optb_TextFirst", "optb_DateFirst", "groupb_ShowTitle", "label_ShowTitle"})
            QVERIFY2(!Control<QWidget>(dialog, hidden)->isVisibleTo(&dialog), hidden);
        // The folder row and the buttons move up by the spacing of the duration rows.
        auto* image = Control<QLabel>(dialog, "label_DureeImage");
        auto* effect = Control<QLabel>(dialog, "label_DureeEffet");
        auto* folder = Control<QLabel>(dialog, "label_DossierDiaporama");
        auto* getFolder = Control<QPushButton>(dialog, "cb_GetFolder");
        auto* annul = Control<QPushButton>(dialog, "cb_Annul");
        const int d = effect->y() - image->y();
        QCOMPARE(folder->y(), effect->y() + effect->height() + d);
        QCOMPARE(getFolder->y(), folder->y() + folder->height() + d);
        QCOMPARE(Control<QPushButton>(dialog, "cb_Create")->y(), getFolder->y());
        QCOMPARE(annul->y(), getFolder->y());
        QCOMPARE(dialog.height(), annul->y() + annul->height() + 2 * d);
        QCOMPARE(Control<QLineEdit>(dialog, "textb_DureeEffet")->geometry().right(),
                 annul->geometry().right());
        QCOMPARE(cutTexts(dialog), QStringList());

        click(dialog, "cb_GetFolder");
        QCOMPARE(folder->text(), "Slide show folder: '" + road.shows() + "/'");
        QVERIFY(Control<QPushButton>(dialog, "cb_Create")->isEnabled());
        type(dialog, "textb_DureeImage", QStringLiteral("2500"));
        click(dialog, "cb_Create");
    });
    const QString project = road.shows() + "/Vacances.ss";
    const QByteArray bytes = readFile(project);
    QVERIFY(bytes.startsWith(road.slides("Vacances")));
    QVERIFY(bytes.contains("\r\nEffectDuration=1200\r\nEffectPath="));
    QVERIFY(bytes.contains("\r\nInterval=2500\r\nManualAdvance="));
    QVERIFY(bytes.endsWith("\r\nWindowCaption=\r\n"));
    const Shown said = road.fx.responder().shown.last();
    QCOMPARE(said.caption, QStringLiteral("Slide show"));
    QCOMPARE(said.text, "Slide show 'Vacances.ss' was created in " + road.shows() + "/");
    QCOMPARE(form.naming().mainWindowState(), state);
    // The folder, with the title format unchanged, is in the settings file at once.
    QVERIFY(road.fx.readSettings().contains("\r\n" + road.shows().toUtf8() +
                                            "/\r\n[SlideShow Title Format]\r\nText\r\n"));

    // The next opening offers 4000 and 1200 again, with the folder chosen before.
    road.createSlideShow([&](QDialog& dialog) {
        QCOMPARE(Control<QLineEdit>(dialog, "textb_DureeImage")->text(), QStringLiteral("4000"));
        QCOMPARE(Control<QLineEdit>(dialog, "textb_DureeEffet")->text(), QStringLiteral("1200"));
        QCOMPARE(Control<QLabel>(dialog, "label_DossierDiaporama")->text(),
                 "Slide show folder: '" + road.shows() + "/'");
        click(dialog, "cb_Annul");
    });
    QCOMPARE(readFile(project), bytes);
}

// "2006-07 Italie": both options and the moved title; "/" chosen becomes "/Slide shows/".
void SlideShowTest::datedNameOffersBothTitlesAndTheRootBecomesItsSubfolder() {
    Road road(QStringLiteral("2006-07 Italie"), "English", "Date", true);
    road.willChooseFolder(QStringLiteral("/"));
    road.createSlideShow([&](QDialog& dialog) {
        auto* title = Control<QLabel>(dialog, "label_ShowTitle");
        auto* textFirst = Control<QRadioButton>(dialog, "optb_TextFirst");
        auto* dateFirst = Control<QRadioButton>(dialog, "optb_DateFirst");
        QVERIFY(Control<QGroupBox>(dialog, "groupb_ShowTitle")->isVisibleTo(&dialog));
        QCOMPARE(Control<QGroupBox>(dialog, "groupb_ShowTitle")->title(),
                 QStringLiteral("Slide show title"));
        QCOMPARE(textFirst->text(), QStringLiteral("Date before text"));
        QCOMPARE(dateFirst->text(), QStringLiteral("Date after text"));
        QVERIFY(textFirst->isChecked());
        QCOMPARE(title->text(), QStringLiteral("2006-07 Italie"));
        QCOMPARE(dialog.height(), 180 * 13 / 8);
        QCOMPARE(cutTexts(dialog), QStringList());
        click(dialog, "optb_DateFirst");
        QVERIFY(dateFirst->isChecked() && !textFirst->isChecked());
        QCOMPARE(title->text(), QStringLiteral("Italie (2006-07 )"));
        click(dialog, "optb_TextFirst");
        QCOMPARE(title->text(), QStringLiteral("2006-07 Italie"));

        click(dialog, "cb_GetFolder");
        QCOMPARE(Control<QLabel>(dialog, "label_DossierDiaporama")->text(),
                 QStringLiteral("Slide show folder: '/Slide shows/'"));
        QCOMPARE(cutTexts(dialog), QStringList());
        click(dialog, "cb_Annul");
    });
    // Cancelled: the folder and format of before stay, nothing is made.
    QVERIFY(road.fx.readSettings().contains("\r\n" + road.shows().toUtf8() +
                                            "/\r\n[SlideShow Title Format]\r\nDate\r\n"));
    QVERIFY(!QFileInfo::exists(road.shows()));

    // The moved title confirmed: every slide carries it, the folder is made, "Text" is kept.
    road.createSlideShow([&](QDialog& dialog) {
        click(dialog, "optb_DateFirst");
        click(dialog, "cb_Create");
    });
    QVERIFY(
        readFile(road.shows() + "/2006-07 Italie.ss").startsWith(road.slides("Italie (2006-07 )")));
    QVERIFY(road.fx.readSettings().contains("\r\n[SlideShow Title Format]\r\nText\r\n"));
    QCOMPARE(road.fx.responder().texts().last(),
             "Slide show '2006-07 Italie.ss' was created in " + road.shows() + "/");
}

// A duration with anything but digits is said with its label as caption; empty ones pass.
void SlideShowTest::durationsMustBeDigitsAndTheDialogStaysOpen() {
    Road road(QStringLiteral("Vacances"), "English", "Date", true);
    road.createSlideShow([&](QDialog& dialog) {
        const struct {
            const char *interval, *effect, *caption;
        } rows[] = {{"4s", "1200", "Image display interval"},
                    {"", "-1", "Effects duration"},
                    {"40 ", "", "Image display interval"}};
        for (const auto& row : rows) {
            road.fx.responder().shown.clear();
            type(dialog, "textb_DureeImage", QLatin1String(row.interval));
            type(dialog, "textb_DureeEffet", QLatin1String(row.effect));
            click(dialog, "cb_Create");
            QCOMPARE(road.fx.responder().shown.size(), 1);
            QCOMPARE(road.fx.responder().shown[0].caption, QLatin1String(row.caption));
            QCOMPARE(road.fx.responder().shown[0].text, QStringLiteral("Digits only"));
            QCOMPARE(dialog.result(), int(QDialog::Rejected));
            QCOMPARE(Control<QLineEdit>(dialog, "textb_DureeImage")->text(),
                     QLatin1String(row.interval));
        }
        type(dialog, "textb_DureeImage", QString());
        type(dialog, "textb_DureeEffet", QString());
        click(dialog, "cb_Create");
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    });
    const QByteArray bytes = readFile(road.shows() + "/Vacances.ss");
    QVERIFY(bytes.contains("\r\nEffectDuration=\r\nEffectPath="));
    QVERIFY(bytes.contains("\r\nInterval=\r\nManualAdvance="));
}

void SlideShowTest::cancelAndCloseBoxCreateNothing() {
    Road road(QStringLiteral("Vacances"), "English", "Date", true);
    road.createSlideShow([&](QDialog& dialog) { click(dialog, "cb_Annul"); });
    road.createSlideShow([&](QDialog& dialog) {
        type(dialog, "textb_DureeImage", QStringLiteral("x"));
        click(dialog, "cb_Create");  // refused, then closed by its close box
        dialog.show();
        QVERIFY(dialog.close());
    });
    QStringList said;
    for (const Shown& shown : road.fx.responder().shown) said << shown.kind + ": " + shown.text;
    QCOMPARE(said, (QStringList{"FormDiaporamaParameters: ", "FormDiaporamaParameters: ",
                                "message: Digits only"}));
    QVERIFY(!QFileInfo::exists(road.shows()));
}

// The folder is made one level deep only; the choice stays for the next attempt.
void SlideShowTest::aFolderTwoLevelsDeepIsNotCreatedButStaysChosen() {
    Road road(QStringLiteral("Vacances"), "English", "Date");
    const QString deep = road.shows() + "/deeper/";
    road.willChooseFolder(deep);
    road.createSlideShow([&](QDialog& dialog) {
        click(dialog, "cb_GetFolder");
        click(dialog, "cb_Create");
    });
    const Shown said = road.fx.responder().shown.last();
    QCOMPARE(said.caption, QStringLiteral("Creation of slide show folder"));
    QCOMPARE(said.text, "Cannot create folder in " + deep + "\nVerify the selected unit and retry");
    QVERIFY(!QFileInfo::exists(road.shows()));
    QVERIFY(
        road.fx.readSettings().contains("\r\n" + deep.toUtf8() + "\r\n[SlideShow Title Format]"));
}

// A folder in the way of the project file: said, and nothing is left beside it.
void SlideShowTest::aProjectThatCannotBeWrittenIsSaid() {
    Road road(QStringLiteral("Vacances"), "English", "Date", true);
    QDir().mkpath(road.shows() + "/Vacances.ss");
    road.createSlideShow([&](QDialog& dialog) { click(dialog, "cb_Create"); });
    const Shown said = road.fx.responder().shown.last();
    QVERIFY2(said.text.startsWith(road.form().message(kMessageSlideShowNotWritten) + "\n" +
                                  road.shows() + "/Vacances.ss\n"),
             qPrintable(said.text));
    QCOMPARE(QDir(road.shows()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{"Vacances.ss"});
}

void SlideShowTest::everyTextFitsInEveryLanguage_data() {
    QTest::addColumn<QByteArray>("language");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("create");
    QTest::newRow("French") << QByteArray("French") << QStringLiteral("Paramètres du diaporama")
                            << QStringLiteral("Créer le diaporama");
    QTest::newRow("German") << QByteArray("German") << QStringLiteral("Diashow-Einstellungen")
                            << QStringLiteral("Diashow erstellen");
    QTest::newRow("Spanish") << QByteArray("Spanish")
                             << QStringLiteral("Parámetros de la presentación")
                             << QStringLiteral("Crear la presentación");
}

void SlideShowTest::everyTextFitsInEveryLanguage() {
    QFETCH(QByteArray, language);
    QFETCH(QString, title);
    QFETCH(QString, create);
    for (const QString& name : {QStringLiteral("Vacances"), QStringLiteral("2006-07 Italie")}) {
        Road road(name, language, "Text", true);
        road.createSlideShow([&](QDialog& dialog) {
            QCOMPARE(dialog.windowTitle(), title);
            QCOMPARE(Control<QPushButton>(dialog, "cb_Create")->text(), create);
            QCOMPARE(Control<QLabel>(dialog, "label_ShowTitle")->text(),
                     name == "Vacances" ? name : QStringLiteral("Italie (2006-07 )"));
            QCOMPARE(cutTexts(dialog), QStringList());
            click(dialog, "cb_Annul");
        });
    }
}

QTEST_MAIN(SlideShowTest)
#include "slideshow_test.moc"
