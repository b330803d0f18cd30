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
    auto* languages = fx.control<QComboBox>("combo_Languages");
    form.ApplyLanguage(languages->findText(language));
    QCOMPARE(QString::fromStdString(form.currentLanguage()), language);
    QTest::mouseClick(fx.control<QPushButton>("cb_Aide"), Qt::LeftButton);
    QVERIFY(form.helpWindow->isVisible());
    QCOMPARE(form.helpWindow->shownFile(), fx.home() + "/" + language + ".hlp");
    QCOMPARE(form.helpWindow->browser()->source().fragment(), QStringLiteral("contents"));
    // The page names the buttons as the window labels them.
    QCOMPARE(form.message(kMessageFolderButton), folderButton);
    QVERIFY(form.helpWindow->browser()->toPlainText().contains(folderButton));

    // Every link of the page leads to a section of the same page, as in the English one.
    const QString html = form.helpWindow->browser()->toHtml();
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
    QTest::mouseClick(fx.control<QPushButton>("cb_Aide"), Qt::LeftButton);
    QCOMPARE(form.helpWindow->shownFile(), fx.home() + "/English.hlp");
    QVERIFY(form.helpWindow->browser()->toPlainText().contains(QStringLiteral("Apply")));
}

void HelpTest::missingHelpShowsNoMessage() {
    FormFixture fx;
    Form1& form = fx.start();
    QTest::mouseClick(fx.control<QPushButton>("cb_Aide"), Qt::LeftButton);
    QVERIFY(!form.helpWindow->isVisible());
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
    QCOMPARE(form.Form_Aide->objectName(), QStringLiteral("Form_Aide"));
    QCOMPARE(form.Form_Aide->windowTitle(), QStringLiteral("Aide"));
    QVERIFY(form.Form_Aide->textb_Aide->toPlainText().contains(
        QStringLiteral("- Sélectionner Tout\n- Renommer")));
    QVERIFY(!form.Form_Aide->isVisible());
}

QTEST_MAIN(HelpTest)
#include "help_test.moc"
