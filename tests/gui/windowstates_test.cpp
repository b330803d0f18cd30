// Window states of the main window: which commands each state enables, disables, shows and
// hides, and the rules that read the list and the move flags.
#include <QListWidget>
#include <QMap>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalBlocker>
#include <QTest>

#include "gui/naming/namingarea.h"
#include "support/formfixture.h"

using namespace lumaro;
using namespace lumaro::testing;

namespace {

// clang-format off
// The states of each column, in column order.
const QList<QList<int>> kColumnStates = {{0}, {1}, {2}, {3}, {4}, {5}, {6}, {7}, {8}, {10}, {11},
                                         {12, 13, 14, 15, 16}, {17, 18}, {19}, {20}};

// What every state does to each command: E enable, D disable, S show, H hide, blank leaves the
// control alone; lower-case letters are rules checked by their own tests below.
//                     0    1    2    3    4    5    6    7    8    10   11  12-16 17-18 19  20
const QList<QPair<const char*, const char*>> kExpectedCells = {
    {"cb_Dossier",             "   |   |   |   |   |   |   |   |   |   |   |   |   | D | E "},
    {"cb_Sort",                " D | a | D | E | D | E | D | E | D | E | E | D | E | D | E "},
    {"cb_Tout",                " D | a | E | Et| E | E | D | E | D | E | E | D | E | D | E "},
    {"cb_Renommer",            " DS| DS| ES| DS| ES| DS| DH| DS| DH| ES| DS| D | D | E | E "},
    {"cb_AnnulerRenommage",    " DH| DH| D | DH| DH| DH| ES| DH| DH| DH| DH| D | DH| D | D "},
    {"cb_Renumeroter",         " DS| DS| ES| DS| ES| DS| DS| DS| DH| DS| DS| D | D | D | E "},
    {"cb_AnnulerRenumerotage", " DH| DH| D | DH| DH| DH| DH| DH| ES| DH| DH| D | DH|   |   "},
    {"cb_Appliquer",           " DS| DH| D | DH| DS| DS| ES| DS| ES| DH| DS| D | D |   |   "},
    {"cb_AnnulerApplication",  " DH| DH| DH| DH| DH| DH| DH| DH| DH| ES| DH| D | D |   |   "},
    {"cb_Diaporama",           " DS| E |   |   |   |   |   |   |   |   |   | D | E | D | E "},
    {"cb_VersDossier",         " D | D | E | D | E | D | D | D | D | D | D | D | D | D | E "},
    {"cb_Memo",                " E | E |   |   |   |   |   |   |   |   |   |   |   |   |   "},
    {"pictbttn_ClearSnapkeep", " H |   |   |   |   |   |   |   |   |   |   |   |   |   |   "},
    {"pictbttn_ToStart10",     " D | D | b | D | D | D | D | D | D | D | D |   | D | D | E "},
    {"pictbttn_ToStart1",      " D | D | b | D | D | D | D | D | D | D | D |   | D | D | E "},
    {"pictbttn_TargetMove",    " D | D | b | D | D | D | D | D | D | D | D |   | d | D | E "},
    {"pictbttn_ToEnd1",        " D | D | b | D | D | D | D | D | D | D | D |   | D | D | E "},
    {"pictbttn_ToEnd10",       " D | D | b | D | D | D | D | D | D | D | D |   | D | D | E "},
    {"cb_AccepterDeplacer",    " D | D | c | D | D | D | D | D | D | D | D | E | D | D | D "},
    {"cb_AnnulerDeplacer",     " D | D | c | D | D | D | D | D | D | D | D | E | D | D | D "},
    {"pictbttn_Del",           "   |   | E | D | D |   |   |   |   | D |   | D | E | D | E "},
    {"pictbttn_Date",          " E | E |   |   |   |   | D | E | D | E |   |   |   |   |   "},
    {"lb_Avant",               "   |   | E | E |   |   | D | E | D | E | E | D | E | D | E "},
};
// clang-format on

QString cellFor(const char* row, int state) {
    int column = -1;
    for (int c = 0; c < kColumnStates.size(); ++c) {
        if (kColumnStates[c].contains(state)) column = c;
    }
    return QString::fromLatin1(row).split(u'|').value(column).trimmed();
}

struct Look {
    bool enabled;
    bool visible;
    bool operator==(const Look&) const = default;
};

QMap<QString, Look> snapshot(Form1& form) {
    QMap<QString, Look> looks;
    for (QWidget* w : form.findChildren<QWidget*>()) {
        if (!w->objectName().isEmpty())
            looks[w->objectName()] = {w->isEnabled(), w->isVisibleTo(&form)};
    }
    return looks;
}

void setEveryCommand(Form1& form, bool on) {
    for (const auto& [name, cells] : kExpectedCells) {
        QWidget* control = Control<QWidget>(form, name);
        control->setEnabled(on);
        control->setVisible(on);
    }
}

void fillList(Form1& form, int count) {
    form.naming().pictures().avant.clear();
    for (int i = 0; i < count; ++i) {
        form.naming().pictures().avant.push_back(
            {QStringLiteral("%1  --").arg(i + 1, 4, 10, QChar('0')).toStdString(), ".jpg"});
    }
    form.naming().pictures().pictureCount = count;
    form.naming().ShowPictureList();
}

// Selects without raising the list's own selection handler, which would choose a state itself.
void selectRows(Form1& form, const QList<int>& rows) {
    QListWidget* list = Control<QListWidget>(form, "lb_Avant");
    const QSignalBlocker blocker(list);
    list->clearSelection();
    for (int row : rows) list->item(row)->setSelected(true);
}

using Buttons = QList<bool>;
const char* const kMoveControls[] = {
    "pictbttn_ToStart10", "pictbttn_ToStart1",   "pictbttn_TargetMove", "pictbttn_ToEnd1",
    "pictbttn_ToEnd10",   "cb_AccepterDeplacer", "cb_AnnulerDeplacer"};

}  // namespace

class WindowStatesTest : public QObject {
    Q_OBJECT
private slots:
    void everyStateSetsItsCellsAndLeavesBlankCellsAlone_data();
    void everyStateSetsItsCellsAndLeavesBlankCellsAlone();
    void state1OffersSortAndSelectAllOnlyForAListWithPictures_data();
    void state1OffersSortAndSelectAllOnlyForAListWithPictures();
    void state2MoveButtonsFollowFolderNumberingPendingMoveAndSelectionEnds_data();
    void state2MoveButtonsFollowFolderNumberingPendingMoveAndSelectionEnds();
    void states0And1UnselectTheListFirstAndTheirOwnSettingsWin_data();
    void states0And1UnselectTheListFirstAndTheirOwnSettingsWin();
    void selectAllCaptionIsRestoredOnlyByStatesThatSayWhy_data();
    void selectAllCaptionIsRestoredOnlyByStatesThatSayWhy();
    void statesWithoutSettingsOnlyRecordTheirNumber_data();
    void statesWithoutSettingsOnlyRecordTheirNumber();
    void states17And18DisableTargetMoveOnlyInANumberedFolder_data();
    void states17And18DisableTargetMoveOnlyInANumberedFolder();
};

void WindowStatesTest::everyStateSetsItsCellsAndLeavesBlankCellsAlone_data() {
    QTest::addColumn<int>("state");
    for (const QList<int>& states : kColumnStates) {
        for (int state : states) QTest::addRow("state %d", state) << state;
    }
}

// Runs the state once over commands that are all on and once over commands that are all off:
// a cell set the wrong way, a blank cell that is touched, or a control outside the table that
// changes shows in one of the two runs.
void WindowStatesTest::everyStateSetsItsCellsAndLeavesBlankCellsAlone() {
    QFETCH(int, state);
    FormFixture fx;
    Form1& form = fx.start();
    fillList(form, 3);
    for (bool baseline : {true, false}) {
        setEveryCommand(form, baseline);
        const QMap<QString, Look> before = snapshot(form);
        form.naming().ApplyWindowState(WindowState{state});
        QCOMPARE(form.naming().mainWindowState(), WindowState{state});
        QMap<QString, Look> after = snapshot(form);
        for (const auto& [name, row] : kExpectedCells) {
            const QString cell = cellFor(row, state);
            const Look got = after.take(QLatin1String(name));
            const Look was = before.value(QLatin1String(name));
            const bool ruled = cell.contains(QRegularExpression(QStringLiteral("[a-z]")));
            const QByteArray where = QByteArray(name) + " baseline " + (baseline ? "on" : "off");
            if (cell.contains(u'E'))
                QVERIFY2(got.enabled, where);
            else if (cell.contains(u'D'))
                QVERIFY2(!got.enabled, where);
            else if (!ruled && state > 1)
                QVERIFY2(got.enabled == was.enabled, where);
            if (cell.contains(u'S'))
                QVERIFY2(got.visible, where);
            else if (cell.contains(u'H'))
                QVERIFY2(!got.visible, where);
            else if (!ruled)
                QVERIFY2(got.visible == was.visible, where);
        }
        // States 0 and 1 also unselect the list, which touches the display slots.
        if (state > 1) {
            for (auto it = after.cbegin(); it != after.cend(); ++it) {
                QVERIFY2(it.value() == before.value(it.key()), qPrintable(it.key()));
            }
        }
    }
}

void WindowStatesTest::state1OffersSortAndSelectAllOnlyForAListWithPictures_data() {
    QTest::addColumn<int>("pictures");
    QTest::addColumn<bool>("offered");
    QTest::newRow("empty folder") << 0 << false;
    QTest::newRow("one picture") << 1 << true;
    QTest::newRow("several pictures") << 4 << true;
}

void WindowStatesTest::state1OffersSortAndSelectAllOnlyForAListWithPictures() {
    QFETCH(int, pictures);
    QFETCH(bool, offered);
    FormFixture fx;
    Form1& form = fx.start();
    fillList(form, pictures);
    Control<QPushButton>(form, "cb_Sort")->setEnabled(!offered);
    Control<QPushButton>(form, "cb_Tout")->setEnabled(!offered);
    Control<QPushButton>(form, "cb_Diaporama")->setEnabled(false);
    form.naming().ApplyWindowState(WindowState::FolderLoaded);
    QCOMPARE(Control<QPushButton>(form, "cb_Sort")->isEnabled(), offered);
    QCOMPARE(Control<QPushButton>(form, "cb_Tout")->isEnabled(), offered);
    QVERIFY(Control<QPushButton>(form, "cb_Diaporama")->isEnabled());
}

void WindowStatesTest::state2MoveButtonsFollowFolderNumberingPendingMoveAndSelectionEnds_data() {
    QTest::addColumn<bool>("numbered");
    QTest::addColumn<bool>("movePending");
    QTest::addColumn<int>("pictures");
    QTest::addColumn<QList<int>>("selected");
    QTest::addColumn<bool>("before");  // enabled state of the seven before the state
    // ToStart10, ToStart1, TargetMove, ToEnd1, ToEnd10, Accept, Cancel
    QTest::addColumn<Buttons>("expected");
    using L = QList<int>;
    QTest::newRow("numbered, middle picture, no move pending")
        << true << false << 5 << L{2} << false
        << Buttons{true, true, true, true, true, false, false};
    QTest::newRow("numbered, only the first picture")
        << true << false << 5 << L{0} << false
        << Buttons{false, false, true, true, true, false, false};
    QTest::newRow("numbered, only the last picture")
        << true << false << 5 << L{4} << false
        << Buttons{true, true, true, false, false, false, false};
    QTest::newRow("numbered, first and last")
        << true << false << 5 << L{0, 4} << false
        << Buttons{false, false, false, false, false, false, false};
    QTest::newRow("numbered, the only picture")
        << true << false << 1 << L{0} << false
        << Buttons{false, false, false, false, false, false, false};
    QTest::newRow("numbered, move pending") << true << true << 5 << L{1, 2} << false
                                            << Buttons{true, true, true, true, true, true, true};
    QTest::newRow("numbered, move pending, first picture")
        << true << true << 5 << L{0} << false
        << Buttons{false, false, true, true, true, true, true};
    QTest::newRow("numbered, pending, was enabled, stays enabled")
        << true << true << 5 << L{1} << true << Buttons{true, true, true, true, true, true, true};
    QTest::newRow("not numbered, move pending: nothing enabled")
        << false << true << 5 << L{2} << false
        << Buttons{false, false, false, false, false, false, false};
    QTest::newRow("not numbered, enabled before: left as they were")
        << false << true << 5 << L{2} << true << Buttons{true, true, true, true, true, true, true};
    QTest::newRow("not numbered, no move pending: confirmations off")
        << false << false << 5 << L{2} << true
        << Buttons{true, true, true, true, true, false, false};
    QTest::newRow("not numbered, first picture: start-ward off even so")
        << false << false << 5 << L{0} << true
        << Buttons{false, false, true, true, true, false, false};
}

void WindowStatesTest::state2MoveButtonsFollowFolderNumberingPendingMoveAndSelectionEnds() {
    QFETCH(bool, numbered);
    QFETCH(bool, movePending);
    QFETCH(int, pictures);
    QFETCH(QList<int>, selected);
    QFETCH(bool, before);
    QFETCH(Buttons, expected);
    FormFixture fx;
    Form1& form = fx.start();
    fillList(form, pictures);
    selectRows(form, selected);
    form.naming().pictures().folderNumbered = numbered;
    form.naming().moveInProgress = movePending;
    for (const char* name : kMoveControls) Control<QPushButton>(form, name)->setEnabled(before);
    Control<QPushButton>(form, "pictbttn_Del")->setEnabled(false);
    Control<QListWidget>(form, "lb_Avant")->setEnabled(false);

    form.naming().ApplyWindowState(WindowState::PicturesSelected);
    for (int i = 0; i < 7; ++i)
        QVERIFY2(Control<QPushButton>(form, kMoveControls[i])->isEnabled() == expected[i],
                 kMoveControls[i]);
    QVERIFY(Control<QPushButton>(form, "pictbttn_Del")->isEnabled());
    QVERIFY(Control<QListWidget>(form, "lb_Avant")->isEnabled());
    QCOMPARE(Control<QListWidget>(form, "lb_Avant")->selectedItems().size(), selected.size());
}

void WindowStatesTest::states0And1UnselectTheListFirstAndTheirOwnSettingsWin_data() {
    QTest::addColumn<int>("state");
    QTest::newRow("state 0") << 0;
    QTest::newRow("state 1") << 1;
}

void WindowStatesTest::states0And1UnselectTheListFirstAndTheirOwnSettingsWin() {
    QFETCH(int, state);
    FormFixture fx;
    Form1& form = fx.start();
    fillList(form, 4);
    selectRows(form, {0, 1, 2, 3});
    form.naming().pictures().allSelected = true;
    form.naming().pictures().apres.add("0001  a");
    form.naming().pictures().apres.add("0002  b");
    form.naming().ApplyWindowState(WindowState{state});
    QCOMPARE(form.naming().mainWindowState(), WindowState{state});
    QVERIFY(Control<QListWidget>(form, "lb_Avant")->selectedItems().isEmpty());
    QVERIFY(!form.naming().pictures().allSelected);
    QVERIFY(form.naming().pictures().apres.empty());
    QCOMPARE(Control<QListWidget>(form, "lb_Avant")->count(), 4);
    // Unselecting passes by a state that offers sorting and shows apply; these states do not.
    QCOMPARE(Control<QPushButton>(form, "cb_Sort")->isEnabled(), state == 1);
    QCOMPARE(Control<QPushButton>(form, "cb_Appliquer")->isVisibleTo(&form), state == 0);
    QVERIFY(!Control<QPushButton>(form, "cb_Appliquer")->isEnabled());
}

void WindowStatesTest::selectAllCaptionIsRestoredOnlyByStatesThatSayWhy_data() {
    QTest::addColumn<int>("state");
    QTest::addColumn<bool>("restored");
    QTest::newRow("state 0") << 0 << true;
    QTest::newRow("state 1") << 1 << true;
    QTest::newRow("state 3") << 3 << true;
    QTest::newRow("state 2") << 2 << false;
    QTest::newRow("state 4") << 4 << false;
    QTest::newRow("state 20") << 20 << false;
}

void WindowStatesTest::selectAllCaptionIsRestoredOnlyByStatesThatSayWhy() {
    QFETCH(int, state);
    QFETCH(bool, restored);
    FormFixture fx;
    Form1& form = fx.start();
    fillList(form, 2);
    Control<QPushButton>(form, "cb_Tout")->setText(QStringLiteral("Unselect all"));
    form.naming().ApplyWindowState(WindowState{state});
    QCOMPARE(Control<QPushButton>(form, "cb_Tout")->text(),
             restored ? QStringLiteral("Select all") : QStringLiteral("Unselect all"));
}

void WindowStatesTest::statesWithoutSettingsOnlyRecordTheirNumber_data() {
    QTest::addColumn<int>("state");
    QTest::newRow("9") << 9;
    QTest::newRow("21") << 21;
    QTest::newRow("1000") << 1000;
    QTest::newRow("-1") << -1;
}

void WindowStatesTest::statesWithoutSettingsOnlyRecordTheirNumber() {
    QFETCH(int, state);
    FormFixture fx;
    Form1& form = fx.start();
    fillList(form, 3);
    form.naming().ApplyWindowState(WindowState::RenamePending);
    selectRows(form, {1});
    form.naming().pictures().allSelected = true;
    Control<QPushButton>(form, "cb_Tout")->setText(QStringLiteral("Unselect all"));
    const QMap<QString, Look> before = snapshot(form);

    form.naming().ApplyWindowState(WindowState{state});
    QCOMPARE(form.naming().mainWindowState(), WindowState{state});
    QVERIFY(snapshot(form) == before);
    QCOMPARE(Control<QListWidget>(form, "lb_Avant")->selectedItems().size(), 1);
    QVERIFY(form.naming().pictures().allSelected);
    QCOMPARE(Control<QPushButton>(form, "cb_Tout")->text(), QStringLiteral("Unselect all"));
}

void WindowStatesTest::states17And18DisableTargetMoveOnlyInANumberedFolder_data() {
    QTest::addColumn<int>("state");
    QTest::addColumn<bool>("numbered");
    QTest::addColumn<bool>("before");
    QTest::addColumn<bool>("after");
    QTest::newRow("17 numbered") << 17 << true << true << false;
    QTest::newRow("18 numbered") << 18 << true << true << false;
    QTest::newRow("17 not numbered, enabled") << 17 << false << true << true;
    QTest::newRow("18 not numbered, enabled") << 18 << false << true << true;
    QTest::newRow("18 not numbered, disabled") << 18 << false << false << false;
}

void WindowStatesTest::states17And18DisableTargetMoveOnlyInANumberedFolder() {
    QFETCH(int, state);
    QFETCH(bool, numbered);
    QFETCH(bool, before);
    QFETCH(bool, after);
    FormFixture fx;
    Form1& form = fx.start();
    form.naming().pictures().folderNumbered = numbered;
    Control<QPushButton>(form, "pictbttn_TargetMove")->setEnabled(before);
    form.naming().ApplyWindowState(WindowState{state});
    QCOMPARE(Control<QPushButton>(form, "pictbttn_TargetMove")->isEnabled(), after);
    // The other move buttons are always disabled by these states.
    QVERIFY(!Control<QPushButton>(form, "pictbttn_ToStart1")->isEnabled());
    QVERIFY(!Control<QPushButton>(form, "pictbttn_ToEnd10")->isEnabled());
}

QTEST_MAIN(WindowStatesTest)
#include "windowstates_test.moc"
