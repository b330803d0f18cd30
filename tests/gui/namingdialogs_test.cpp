// The targeted-move and renumbering dialogs, clicked as a user would: their checks keep
// them open with the right message, and their answers come back in the texts.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "gui/naming/formrenumerotation.h"
#include "gui/naming/targetmove.h"
#include "support/controls.h"
#include "support/scriptedresponder.h"

using namespace lumaro;
using namespace lumaro::testing;

class NamingDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void init() { responder_ = &ScriptedResponder::install(); }
    void cleanup() { SetDialogService(nullptr); }
    void targetMoveAcceptsZeroAndNumbersInRangeOnly_data();
    void targetMoveAcceptsZeroAndNumbersInRangeOnly();
    void targetMoveCancelGivesAnEmptyAnswer();
    void renumberingChecksDigitsAndWidth_data();
    void renumberingChecksDigitsAndWidth();

private:
    ScriptedResponder* responder_ = nullptr;
};

void NamingDialogsTest::targetMoveAcceptsZeroAndNumbersInRangeOnly_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");  // empty: the dialog closes with the answer
    QTest::newRow("zero") << "0"
                          << "";
    QTest::newRow("first") << "03"
                           << "";
    QTest::newRow("last") << "12"
                          << "";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("below") << "2"
                           << "Value out of range";
    QTest::newRow("above") << "13"
                           << "Value out of range";
    QTest::newRow("letters") << "1a"
                             << "Digits only";
    QTest::newRow("sign") << "-1"
                          << "Digits only";
}

void NamingDialogsTest::targetMoveAcceptsZeroAndNumbersInRangeOnly() {
    QFETCH(QString, typed);
    QFETCH(QString, message);
    TargetMove::Texts texts{"Targeted move",      "Number:",           "(0: first)", "Digits only",
                            "Value out of range", {3, 12, "03", "12"}, "stale"};
    TargetMove dialog(texts, nullptr);
    dialog.show();
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Targeted move"));
    QTest::keyClicks(Control<QLineEdit>(dialog, "textb_RankPreceding"), typed);
    QTest::mouseClick(Control<QPushButton>(dialog, "cb_OK"), Qt::LeftButton);
    if (message.isEmpty()) {
        QVERIFY(responder_->shown.isEmpty());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(texts.answer, typed);
    } else {
        QCOMPARE(responder_->texts(), QStringList{message});
        QVERIFY(dialog.isVisible());
        QVERIFY(texts.answer.isEmpty());
    }
}

void NamingDialogsTest::targetMoveCancelGivesAnEmptyAnswer() {
    TargetMove::Texts texts{"T", "a", "b", "d", "r", {1, 9, "01", "09"}, ""};
    TargetMove dialog(texts, nullptr);
    dialog.show();
    QTest::keyClicks(Control<QLineEdit>(dialog, "textb_RankPreceding"), QStringLiteral("5"));
    QTest::mouseClick(Control<QPushButton>(dialog, "cb_Cancel"), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(texts.answer.isEmpty());
}

void NamingDialogsTest::renumberingChecksDigitsAndWidth_data() {
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("width");
    QTest::addColumn<QString>("message");
    QTest::newRow("plain") << "20"
                           << "3"
                           << "";
    QTest::newRow("empty first") << ""
                                 << "3"
                                 << "";
    QTest::newRow("width 1 passes the dialog") << "20"
                                               << "1"
                                               << "";
    QTest::newRow("blank width") << "20"
                                 << " "
                                 << "";
    QTest::newRow("letters") << "2x"
                             << "3"
                             << "Digits only";
    QTest::newRow("width 7") << "20"
                             << "7"
                             << "Number of digits between 2 and 6";
    QTest::newRow("width letter") << "20"
                                  << "a"
                                  << "Number of digits between 2 and 6";
    QTest::newRow("no width typed") << "20"
                                    << ""
                                    << "";
}

void NamingDialogsTest::renumberingChecksDigitsAndWidth() {
    QFETCH(QString, first);
    QFETCH(QString, width);
    QFETCH(QString, message);
    FormRenumerotation::Texts texts{"Numbering",
                                    "Start numbering at",
                                    "Number of digits",
                                    "Cancel",
                                    "Digits only",
                                    "Number of digits between 2 and 6",
                                    "4",
                                    ""};
    FormRenumerotation dialog(texts, nullptr);
    dialog.show();
    QCOMPARE(Control<QLineEdit>(dialog, "textb_Largeur")->text(), QStringLiteral("4"));
    QCOMPARE(Control<QLabel>(dialog, "label_PremierNumero")->text(),
             QStringLiteral("Start numbering at"));
    QVERIFY(Control<QLabel>(dialog, "label_PremierNumero")->geometry().right() <
            Control<QLineEdit>(dialog, "textb_Numero")->x());
    Control<QLineEdit>(dialog, "textb_Largeur")->clear();
    QTest::keyClicks(Control<QLineEdit>(dialog, "textb_Numero"), first);
    QTest::keyClicks(Control<QLineEdit>(dialog, "textb_Largeur"), width);
    QTest::mouseClick(Control<QPushButton>(dialog, "cb_OK"), Qt::LeftButton);
    if (message.isEmpty()) {
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(texts.firstNumber, first);
        QCOMPARE(texts.width, width);
    } else {
        QCOMPARE(responder_->texts(), QStringList{message});
        QVERIFY(dialog.isVisible());
    }
}

QTEST_MAIN(NamingDialogsTest)
#include "namingdialogs_test.moc"
