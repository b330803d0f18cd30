// The road of a rename in the real window, clicked as a user would: load, select, caption,
// rename, apply, cancel; moves by one, by ten and to a number, accepted; renumbering.
// The names on disk are checked after each step.
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "core/settings/messagekeys.h"
#include "gui/naming/namingarea.h"
#include "support/formfixture.h"
#include "support/picturefiles.h"

using namespace lumaro;
using namespace lumaro::testing;

namespace {
QStringList listed(QListWidget* list) {
    QStringList names;
    for (int i = 0; i < list->count(); ++i) names << list->item(i)->text();
    return names;
}

void clickRow(QListWidget* list, int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers,
                      list->visualItemRect(list->item(row)).center());
}

// Types into the named boxes of a dialog, then clicks its OK button.
std::function<int(QDialog&)> fillAndConfirm(QList<QPair<const char*, QString>> fields) {
    return [fields](QDialog& dialog) {
        for (const auto& [name, text] : fields) {
            auto* box = Control<QLineEdit>(dialog, name);
            box->clear();
            QTest::keyClicks(box, text);
        }
        QTest::mouseClick(Control<QPushButton>(dialog, "cb_OK"), Qt::LeftButton);
        return dialog.result();
    };
}

class Road {
public:
    explicit Road(const QStringList& names) {
        for (const QString& name : names) WritePicture(dir.path(), name + ".jpg", name);
        fx.start();
        fx.responder().folders.push_back(dir.path());
        QTest::mouseClick(Control<QPushButton>(form(), "cb_Dossier"), Qt::LeftButton);
    }
    Form1& form() { return fx.form(); }
    QStringList onDisk() const {
        QStringList names = FilesIn(dir.path());
        for (QString& name : names) name.chop(4);
        return names;
    }
    // The picture first written under `name` still holds its own bytes under `now`.
    bool holds(const QString& now, const QString& name) const {
        QFile file(dir.path() + "/" + now + ".jpg");
        return file.open(QIODevice::ReadOnly) && file.readAll() == JpegBytes(name);
    }
    void select(int first, int last) {
        clickRow(Control<QListWidget>(form(), "lb_Avant"), first);
        if (last != first)
            clickRow(Control<QListWidget>(form(), "lb_Avant"), last, Qt::ShiftModifier);
    }

    QTemporaryDir dir;
    FormFixture fx;
};
}  // namespace

class NamingTest : public QObject {
    Q_OBJECT
private slots:
    void renameApplyAndCancelApply();
    void applyMovesOnToTheNextPictureWithTheFocusInTheCaption();
    void emptyCaptionAsksAndGivesNumberOnlyNames();
    void captionThatCannotBeAFileNameIsRefused();
    void moveUpByOneThenAcceptRenumbersByPlace();
    void moveByTenAndToANumber();
    void blockWithHolesIsRefused();
    void renumberApplyAndCancel();
    void overlappingRenumberingIsRefused();
    void captionListHandling();
    void longListsOfNamesAreCutShort();
    void cancelledTargetMoveEndsTheSequenceItBegan();
    void refusedRenumberingEndsAPendingMove();
};

void NamingTest::renameApplyAndCancelApply() {
    Road road({"01  a", "02  b", "03  c", "04  d"});
    Form1& form = road.form();
    road.select(2, 3);
    QTest::keyClicks(Control<QLineEdit>(form, "textb_Caption"), QStringLiteral("Nord"));
    QTest::mouseClick(Control<QPushButton>(form, "cb_Renommer"), Qt::LeftButton);
    QCOMPARE(form.naming().mainWindowState(), WindowState::RenamePending);
    QCOMPARE(Control<QLineEdit>(form, "textb_1N")->text(), QStringLiteral("03  Nord"));
    QCOMPARE(Control<QLineEdit>(form, "textb_2N")->text(), QStringLiteral("04  Nord"));
    QCOMPARE(road.onDisk(), (QStringList{"01  a", "02  b", "03  c", "04  d"}));
    QCOMPARE(Control<QComboBox>(form, "combo_Captions")->itemText(1), QStringLiteral("Nord"));
    QVERIFY(road.fx.readSettings().contains("\r\nNord\r\n[End of Application data]"));

    QTest::mouseClick(Control<QPushButton>(form, "cb_Appliquer"), Qt::LeftButton);
    QCOMPARE(road.onDisk(), (QStringList{"01  a", "02  b", "03  Nord", "04  Nord"}));
    QVERIFY(road.holds("03  Nord", "03  c"));
    QCOMPARE(form.naming().mainWindowState(), WindowState::NamesApplied);
    QVERIFY(Control<QPushButton>(form, "cb_AnnulerApplication")->isVisibleTo(&form));
    QTest::mouseClick(Control<QPushButton>(form, "cb_AnnulerApplication"), Qt::LeftButton);
    QCOMPARE(road.onDisk(), (QStringList{"01  a", "02  b", "03  c", "04  d"}));
    QVERIFY(road.holds("04  d", "04  d"));
    QCOMPARE(form.naming().mainWindowState(), WindowState::ApplyCancelled);

    road.select(0, 0);
    QTest::mouseClick(Control<QPushButton>(form, "cb_Renommer"), Qt::LeftButton);
    QTest::mouseClick(Control<QPushButton>(form, "cb_AnnulerRenommage"), Qt::LeftButton);
    QCOMPARE(form.naming().mainWindowState(), WindowState::ProposalCancelled);
    QCOMPARE(road.onDisk(), (QStringList{"01  a", "02  b", "03  c", "04  d"}));
}

void NamingTest::applyMovesOnToTheNextPictureWithTheFocusInTheCaption() {
    Road road({"01  a", "02  b", "03  c"});
    Form1& form = road.form();
    form.activateWindow();
    road.select(1, 1);
    QTest::keyClicks(Control<QLineEdit>(form, "textb_Caption"), QStringLiteral("Sud"));
    QTest::mouseClick(Control<QPushButton>(form, "cb_Renommer"), Qt::LeftButton);
    QTest::mouseClick(Control<QPushButton>(form, "cb_Appliquer"), Qt::LeftButton);
    QCOMPARE(road.onDisk(), (QStringList{"01  a", "02  Sud", "03  c"}));
    QCOMPARE(Control<QListWidget>(form, "lb_Avant")->selectedItems().size(), 1);
    QCOMPARE(Control<QListWidget>(form, "lb_Avant")->selectedItems()[0]->text(),
             QStringLiteral("03  c"));
    QCOMPARE(Control<QLineEdit>(form, "textb_1C")->text(), QStringLiteral("03  c"));
    QCOMPARE(form.naming().mainWindowState(), WindowState::PicturesSelected);
    // Moving on dropped the undo.
    QVERIFY(!Control<QPushButton>(form, "cb_AnnulerApplication")->isEnabled());
}

void NamingTest::emptyCaptionAsksAndGivesNumberOnlyNames() {
    Road road({"01  a", "02  b"});
    Form1& form = road.form();
    QTest::mouseClick(Control<QPushButton>(form, "cb_Tout"), Qt::LeftButton);
    QTest::mouseClick(Control<QPushButton>(form, "cb_Renommer"), Qt::LeftButton);  // answered No
    QCOMPARE(road.fx.responder().shown.last().text,
             QStringLiteral("Continue with no captions (File names composed of numbers only)?"));
    QCOMPARE(form.naming().mainWindowState(), WindowState::AllSelected);
    road.fx.responder().answers.push_back(kAnswerYes);
    QTest::mouseClick(Control<QPushButton>(form, "cb_Renommer"), Qt::LeftButton);
    QTest::mouseClick(Control<QPushButton>(form, "cb_Appliquer"), Qt::LeftButton);
    QCOMPARE(road.onDisk(), (QStringList{"01--", "02--"}));
}

void NamingTest::captionThatCannotBeAFileNameIsRefused() {
    Road road({"01  a", "02  b"});
    Form1& form = road.form();
    road.select(0, 1);
    for (const QString& caption : {QStringLiteral("a/b"), QStringLiteral("--x")}) {
        Control<QLineEdit>(form, "textb_Caption")->setText(caption);
        QTest::mouseClick(Control<QPushButton>(form, "cb_Renommer"), Qt::LeftButton);
        QCOMPARE(form.naming().mainWindowState(), WindowState::PicturesSelected);
        QCOMPARE(Control<QComboBox>(form, "combo_Captions")->count(), 1);
    }
    const QStringList said = road.fx.responder().texts();
    QVERIFY(said[said.size() - 2].contains(QStringLiteral("cannot contain")));
    QVERIFY(said.last().contains(QStringLiteral("01  a.jpg")));
    QCOMPARE(road.onDisk(), (QStringList{"01  a", "02  b"}));
}

void NamingTest::moveUpByOneThenAcceptRenumbersByPlace() {
    Road road({"01  a", "02  b", "03  c", "04  d", "05  e"});
    Form1& form = road.form();
    road.select(3, 4);
    QTest::mouseClick(Control<QPushButton>(form, "pictbttn_ToStart1"), Qt::LeftButton);
    QCOMPARE(form.naming().mainWindowState(), WindowState::MovedOneTowardStart);
    QCOMPARE(listed(Control<QListWidget>(form, "lb_Avant")),
             (QStringList{"01  a", "02  b", "04  d", "05  e", "03  c"}));
    QCOMPARE(road.onDisk(), (QStringList{"01  a", "02  b", "03  c", "04  d", "05  e"}));
    QCOMPARE(Control<QLineEdit>(form, "textb_F")->text(), QStringLiteral("04"));
    QCOMPARE(Control<QLineEdit>(form, "textb_L")->text(), QStringLiteral("05"));
    QCOMPARE(Control<QLineEdit>(form, "textb_1C")->text(), QStringLiteral("02  b"));
    QCOMPARE(Control<QLineEdit>(form, "textb_2C")->text(), QStringLiteral("03  c"));
    QVERIFY(Control<QPushButton>(form, "cb_AccepterDeplacer")->isEnabled());
    QTest::mouseClick(Control<QPushButton>(form, "cb_AccepterDeplacer"), Qt::LeftButton);
    QCOMPARE(form.naming().mainWindowState(), WindowState::MoveAccepted);
    QCOMPARE(road.onDisk(), (QStringList{"01  a", "02  b", "03  d", "04  e", "05  c"}));
    QVERIFY(road.holds("03  d", "04  d"));
    QVERIFY(road.holds("05  c", "03  c"));
    QVERIFY(!form.naming().moveInProgress);
}

void NamingTest::moveByTenAndToANumber() {
    Road road({"01  a", "02  b", "03  c", "04  d", "05  e", "06  f"});
    Form1& form = road.form();
    QListWidget* list = Control<QListWidget>(form, "lb_Avant");
    road.select(1, 2);
    QTest::mouseClick(Control<QPushButton>(form, "pictbttn_ToEnd10"), Qt::LeftButton);
    QCOMPARE(listed(list), (QStringList{"01  a", "04  d", "05  e", "06  f", "02  b", "03  c"}));
    QVERIFY(!Control<QPushButton>(form, "pictbttn_ToEnd1")->isEnabled());
    // Behind picture 0, the start, through the dialog.
    road.fx.responder().dialogActions.push_back(fillAndConfirm({{"textb_RankPreceding", "0"}}));
    QTest::mouseClick(Control<QPushButton>(form, "pictbttn_TargetMove"), Qt::LeftButton);
    QCOMPARE(form.naming().mainWindowState(), WindowState::MovedToTarget);
    QCOMPARE(listed(list), (QStringList{"02  b", "03  c", "01  a", "04  d", "05  e", "06  f"}));
    QCOMPARE(road.fx.responder().shown.last().caption, QStringLiteral("Targeted move"));
    QTest::mouseClick(Control<QPushButton>(form, "cb_AnnulerDeplacer"), Qt::LeftButton);
    QCOMPARE(form.naming().mainWindowState(), WindowState::MoveCancelled);
    QCOMPARE(listed(list), (QStringList{"01  a", "02  b", "03  c", "04  d", "05  e", "06  f"}));
    QCOMPARE(road.onDisk(), listed(list));
}

void NamingTest::blockWithHolesIsRefused() {
    Road road({"01  a", "02  b", "03  c", "04  d", "05  e"});
    Form1& form = road.form();
    clickRow(Control<QListWidget>(form, "lb_Avant"), 2);
    clickRow(Control<QListWidget>(form, "lb_Avant"), 4, Qt::ControlModifier);
    QTest::mouseClick(Control<QPushButton>(form, "pictbttn_ToStart1"), Qt::LeftButton);
    QCOMPARE(road.fx.responder().shown.last().text,
             QStringLiteral("Items must be contiguous - no holes"));
    QCOMPARE(road.fx.responder().shown.last().caption, QStringLiteral("Selection"));
    QCOMPARE(listed(Control<QListWidget>(form, "lb_Avant")),
             (QStringList{"01  a", "02  b", "03  c", "04  d", "05  e"}));
    QVERIFY(!form.naming().moveInProgress);
}

void NamingTest::renumberApplyAndCancel() {
    Road road({"01  a", "02  b", "03  c"});
    Form1& form = road.form();
    QTest::mouseClick(Control<QPushButton>(form, "cb_Tout"), Qt::LeftButton);
    road.fx.responder().dialogActions.push_back(fillAndConfirm({{"textb_Numero", "20"}}));
    QTest::mouseClick(Control<QPushButton>(form, "cb_Renumeroter"), Qt::LeftButton);
    QCOMPARE(form.naming().mainWindowState(), WindowState::RenumberingPending);
    QCOMPARE(Control<QLineEdit>(form, "textb_1N")->text(), QStringLiteral("20  a"));
    QCOMPARE(Control<QLineEdit>(form, "textb_2N")->text(), QStringLiteral("22  c"));
    QVERIFY(Control<QPushButton>(form, "cb_AnnulerRenumerotage")->isVisibleTo(&form));
    QTest::mouseClick(Control<QPushButton>(form, "cb_Appliquer"), Qt::LeftButton);
    QCOMPARE(road.onDisk(), (QStringList{"20  a", "21  b", "22  c"}));
    QVERIFY(road.holds("21  b", "02  b"));
    QTest::mouseClick(Control<QPushButton>(form, "cb_AnnulerApplication"), Qt::LeftButton);
    QCOMPARE(road.onDisk(), (QStringList{"01  a", "02  b", "03  c"}));
    QCOMPARE(listed(Control<QListWidget>(form, "lb_Avant")), road.onDisk());

    QTest::mouseClick(Control<QPushButton>(form, "cb_Tout"), Qt::LeftButton);
    road.fx.responder().dialogActions.push_back(
        fillAndConfirm({{"textb_Numero", "100"}, {"textb_Largeur", "4"}}));
    QTest::mouseClick(Control<QPushButton>(form, "cb_Renumeroter"), Qt::LeftButton);
    QCOMPARE(Control<QLineEdit>(form, "textb_1N")->text(), QStringLiteral("0100  a"));
    QTest::mouseClick(Control<QPushButton>(form, "cb_AnnulerRenumerotage"), Qt::LeftButton);
    QCOMPARE(form.naming().mainWindowState(), WindowState::ProposalCancelled);
    QCOMPARE(road.onDisk(), (QStringList{"01  a", "02  b", "03  c"}));
}

void NamingTest::overlappingRenumberingIsRefused() {
    Road road({"01  a", "02  b", "03  c", "04  d", "05  e", "06  f", "07  g", "08  h", "09  i"});
    Form1& form = road.form();
    road.select(2, 4);
    road.fx.responder().dialogActions.push_back(fillAndConfirm({{"textb_Numero", "07"}}));
    QTest::mouseClick(Control<QPushButton>(form, "cb_Renumeroter"), Qt::LeftButton);
    QCOMPARE(road.fx.responder().shown.last().text, QStringLiteral("Overlap not allowed"));
    QCOMPARE(form.naming().mainWindowState(), WindowState::ApplyCancelled);
    QVERIFY(Control<QListWidget>(form, "lb_Avant")->selectedItems().isEmpty());
    QCOMPARE(Control<QPushButton>(form, "cb_Tout")->text(), QStringLiteral("Select all"));

    road.select(2, 4);
    road.fx.responder().dialogActions.push_back(fillAndConfirm({{"textb_Numero", "20"}}));
    QTest::mouseClick(Control<QPushButton>(form, "cb_Renumeroter"), Qt::LeftButton);
    QCOMPARE(form.naming().mainWindowState(), WindowState::RenumberingPending);
    QTest::mouseClick(Control<QPushButton>(form, "cb_Appliquer"), Qt::LeftButton);
    QCOMPARE(road.onDisk().mid(6), (QStringList{"20  c", "21  d", "22  e"}));
}

void NamingTest::captionListHandling() {
    Road road({"01  a"});
    Form1& form = road.form();
    QComboBox* captions = Control<QComboBox>(form, "combo_Captions");
    captions->addItem(QStringLiteral("Plage"));
    captions->setCurrentIndex(1);
    emit captions->activated(1);
    QCOMPARE(Control<QLineEdit>(form, "textb_Caption")->text(), QStringLiteral("Plage"));
    QCOMPARE(captions->currentIndex(), 0);
    QTest::mouseClick(Control<QPushButton>(form, "pictbttn_ClearCaptions"), Qt::LeftButton);
    QVERIFY(Control<QLineEdit>(form, "textb_Caption")->text().isEmpty());
    road.fx.responder().answers.push_back(kAnswerYes);
    QTest::mouseClick(Control<QPushButton>(form, "pictbttn_ClearCaptions"), Qt::RightButton);
    QCOMPARE(road.fx.responder().shown.last().text, QStringLiteral("Clear all captions?"));
    QCOMPARE(captions->count(), 1);
    QVERIFY(!Control<QPushButton>(form, "pictbttn_ClearCaptions")->isEnabled());
}

void NamingTest::longListsOfNamesAreCutShort() {
    QStringList names;
    for (int i = 1; i <= 30; ++i) names << QStringLiteral("%1  p").arg(i, 2, 10, QChar('0'));
    Road road(names);
    Form1& form = road.form();
    QTest::mouseClick(Control<QPushButton>(form, "cb_Tout"), Qt::LeftButton);
    Control<QLineEdit>(form, "textb_Caption")->setText(QStringLiteral("--x"));
    QTest::mouseClick(Control<QPushButton>(form, "cb_Renommer"), Qt::LeftButton);
    const QStringList lines = road.fx.responder().texts().last().split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 22);
    QCOMPARE(lines.last(), QStringLiteral("(10 more)"));
}

// Accept after a rename must never rename by the order taken when the dialog opened.
void NamingTest::cancelledTargetMoveEndsTheSequenceItBegan() {
    Road road({"01  a", "02  b", "03  c"});
    Form1& form = road.form();
    road.select(1, 1);
    QTest::mouseClick(Control<QPushButton>(form, "pictbttn_TargetMove"),
                      Qt::LeftButton);  // the dialog is cancelled
    QVERIFY(!form.naming().moveInProgress);
    QVERIFY(!Control<QPushButton>(form, "cb_AnnulerDeplacer")->isEnabled());
    QTest::keyClicks(Control<QLineEdit>(form, "textb_Caption"), QStringLiteral("Nord"));
    QTest::mouseClick(Control<QPushButton>(form, "cb_Renommer"), Qt::LeftButton);
    QTest::mouseClick(Control<QPushButton>(form, "cb_Appliquer"), Qt::LeftButton);
    QCOMPARE(road.onDisk(), (QStringList{"01  a", "02  Nord", "03  c"}));
    QVERIFY(!Control<QPushButton>(form, "cb_AccepterDeplacer")->isEnabled());
    form.naming().cb_AccepterDeplacer_Click();  // reached all the same: refused, nothing renamed
    QCOMPARE(road.fx.responder().shown.last().text, form.message(kMessageMoveOutdated));
    QCOMPARE(road.onDisk(), (QStringList{"01  a", "02  Nord", "03  c"}));
    QVERIFY(road.holds("01  a", "01  a"));
    QCOMPARE(listed(Control<QListWidget>(form, "lb_Avant")), road.onDisk());
}

void NamingTest::refusedRenumberingEndsAPendingMove() {
    Road road({"01  a", "02  b", "03  c", "04  d", "05  e", "06  f", "07  g"});
    Form1& form = road.form();
    road.select(1, 1);
    QTest::mouseClick(Control<QPushButton>(form, "pictbttn_TargetMove"),
                      Qt::LeftButton);  // the dialog is cancelled
    road.select(3, 4);                  // 04 d and 05 e: 06 and 07 are borne by others
    road.fx.responder().dialogActions.push_back(fillAndConfirm({{"textb_Numero", "06"}}));
    QTest::mouseClick(Control<QPushButton>(form, "cb_Renumeroter"), Qt::LeftButton);
    QCOMPARE(road.fx.responder().shown.last().text, QStringLiteral("Overlap not allowed"));
    QVERIFY(!form.naming().moveInProgress);
    road.select(2, 2);
    QCOMPARE(form.naming().mainWindowState(), WindowState::PicturesSelected);
    QVERIFY(!Control<QPushButton>(form, "cb_AccepterDeplacer")->isEnabled());
    form.naming().cb_AccepterDeplacer_Click();
    QCOMPARE(road.fx.responder().shown.last().text, form.message(kMessageMoveOutdated));
    QCOMPARE(form.naming().mainWindowState(), WindowState::MoveCancelled);
    QCOMPARE(road.onDisk(),
             (QStringList{"01  a", "02  b", "03  c", "04  d", "05  e", "06  f", "07  g"}));
    QCOMPARE(listed(Control<QListWidget>(form, "lb_Avant")), road.onDisk());
}

QTEST_MAIN(NamingTest)
#include "naming_test.moc"
