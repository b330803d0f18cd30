// The help button opens the help of the current language, or the English one.
#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTextBrowser>

#include "core/settings/messagekeys.h"
#include "gui/app/formaide.h"
#include "gui/app/helpwindow.h"
#include "support/formfixture.h"

using namespace lumaro;
using namespace lumaro::testing;

class HelpTest : public QObject {
    Q_OBJECT
private slots:
    void helpButtonOpensTheLanguageHelpOnItsContents_data();
    void helpButtonOpensTheLanguageHelpOnItsContents();
    void helpFallsBackToEnglishWhenTheLanguageHasNone();
    void missingHelpShowsNoMessage();
    void formAideHoldsTheFrenchDescriptionExactly();
};

void HelpTest::helpButtonOpensTheLanguageHelpOnItsContents_data() {
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("folderButton");
    QTest::newRow("French") << QStringLiteral("French") << QStringLiteral("Dossier");
    QTest::newRow("German") << QStringLiteral("German") << QStringLiteral("Ordner");
    QTest::newRow("Spanish") << QStringLiteral("Spanish") << QStringLiteral("Carpeta");
}

void HelpTest::helpButtonOpensTheLanguageHelpOnItsContents() {
    QFETCH(QString, language);
    QFETCH(QString, folderButton);
    FormFixture fx;
    for (const char* shipped : {"French", "German", "Spanish"}) {
        fx.installShipped(QLatin1String(shipped) + QStringLiteral(".lng"));
        fx.installShipped(QLatin1String(shipped) + QStringLiteral(".hlp"));
    }
    fx.installShipped("English.hlp");
    Form1& form = fx.start();
    HelpWindow* help = Control<HelpWindow>(form, "HelpWindow");
    auto* languages = Control<QComboBox>(form, "combo_Languages");
    form.ApplyLanguage(languages->findData(language));
    QCOMPARE(QString::fromStdString(form.currentLanguage()), language);
    QTest::mouseClick(Control<QPushButton>(form, "cb_Aide"), Qt::LeftButton);
    QVERIFY(help->isVisible());
    QCOMPARE(help->shownFile(), fx.home() + "/" + language + ".hlp");
    QCOMPARE(help->browser()->source().fragment(), QStringLiteral("contents"));
    // The page names the buttons as the window labels them.
    QCOMPARE(form.message(kMessageFolderButton), folderButton);
    QVERIFY(help->browser()->toPlainText().contains(folderButton));

    // Every link of the page leads to a section of the same page, as in the English one.
    const QString html = help->browser()->toHtml();
    QStringList anchors;
    for (const QRegularExpressionMatch& link :
         QRegularExpression(QStringLiteral("href=\"#(\\w+)\"")).globalMatch(html)) {
        anchors << link.captured(1);
        QVERIFY2(html.contains(QStringLiteral("name=\"%1\"").arg(link.captured(1))) ||
                     html.contains(QStringLiteral("id=\"%1\"").arg(link.captured(1))),
                 qPrintable(link.captured(1)));
    }
    QCOMPARE(anchors.size(), 16);
}

void HelpTest::helpFallsBackToEnglishWhenTheLanguageHasNone() {
    FormFixture fx;
    fx.installShipped("French.lng");
    fx.installShipped("English.hlp");
    Form1& form = fx.start();
    form.ApplyLanguage(1);
    QTest::mouseClick(Control<QPushButton>(form, "cb_Aide"), Qt::LeftButton);
    const HelpWindow* help = Control<HelpWindow>(form, "HelpWindow");
    QCOMPARE(help->shownFile(), fx.home() + "/English.hlp");
    QVERIFY(help->browser()->toPlainText().contains(QStringLiteral("Apply")));
}

void HelpTest::missingHelpShowsNoMessage() {
    FormFixture fx;
    Form1& form = fx.start();
    QTest::mouseClick(Control<QPushButton>(form, "cb_Aide"), Qt::LeftButton);
    QVERIFY(!Control<HelpWindow>(form, "HelpWindow")->isVisible());
    QVERIFY(fx.responder().shown.isEmpty());
}

void HelpTest::formAideHoldsTheFrenchDescriptionExactly() {
    FormFixture fx;
    Form1& form = fx.start();
    const QString text = FormAide::HelpText();
    QVERIFY(text.startsWith(QStringLiteral("Ce programme a été conçu pour donner aux photos\r\n")));
    QVERIFY(text.contains(QStringLiteral("numériques.\r\n\r\nLe programme")));
    QVERIFY(text.contains(QStringLiteral(
        "     123 Vacances en Italie.jpg\r\n     124 Vacances en Italie.jpg\r\n\r\n")));
    QVERIFY(text.contains(QStringLiteral(
        "annulées\r\n\r\nPour démarrer, cliquez sur le bouton \"Dossier\".\r\n\r\nEn mode")));
    QVERIFY(text.endsWith(QStringLiteral("- Renommer\r\n- Appliquer\r\n")));
    QCOMPARE(text.count(QStringLiteral("\r\n")), 27);
    const FormAide* aide = Control<FormAide>(form, "Form_Aide");  // the dialog keeps its name
    QCOMPARE(aide->windowTitle(), QStringLiteral("Aide"));
    const QString shownText = Control<QPlainTextEdit>(*aide, "textb_Aide")->toPlainText();
    QVERIFY(shownText.contains(QStringLiteral("- Sélectionner Tout\n- Renommer")));
    QVERIFY(!aide->isVisible());
}

QTEST_MAIN(HelpTest)
#include "help_test.moc"
