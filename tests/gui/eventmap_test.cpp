// The event map of the main window: every control event the user can raise reaches the row
// meant for it, and controls without a row raise nothing.
#include "gui/app/eventmap.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "gui/app/controltable.h"
#include "gui/app/helpwindow.h"
#include "gui/naming/namingarea.h"
#include "gui/toolkit/imageviewercontrol.h"
#include "support/formfixture.h"

using namespace lumaro;
using namespace lumaro::testing;

namespace {

QString thumbName(int i) { return QStringLiteral("IV_%1").arg(i, 2, 10, QChar('0')); }

// Every event each control raises, one entry per row of the map.
QStringList expectedRows() {
    QStringList rows = {
        "Form1 CreateEvent",
        "Form1 CloseEvent",
        "Form1 CloseEvent",
        "Form1 DestroyEvent",
        "lb_Avant RightButtonDownEvent",
        "lb_Avant SelectEvent",
        "cb_Dossier ClickEvent",
        "cb_Quit ClickEvent",
        "cb_Renommer ClickEvent",
        "cb_Tout ClickEvent",
        "cb_Appliquer ClickEvent",
        "cb_AnnulerRenommage ClickEvent",
        "cb_AnnulerApplication ClickEvent",
        "pictbttn_ToStart1 ClickEvent",
        "pictbttn_ToEnd1 ClickEvent",
        "cb_AccepterDeplacer ClickEvent",
        "cb_AnnulerDeplacer ClickEvent",
        "pictbttn_ToStart10 ClickEvent",
        "pictbttn_ToEnd10 ClickEvent",
        "pictbttn_TargetMove ClickEvent",
        "cb_Aide ClickEvent",
        "pictbttn_ClearTypes ClickEvent",
        "pictbttn_ClearCaptions ClickEvent",
        "pictbttn_ClearCaptions RightButtonUpEvent",
        "ImageV_1 ImageViewerClick",
        "ImageV_2 ImageViewerClick",
        "cb_Renumeroter ClickEvent",
        "cb_AnnulerRenumerotage ClickEvent",
        "pictbttn_090 ClickEvent",
        "pictbttn_270 ClickEvent",
        "pictbttn_180 ClickEvent",
        "pictbttn_Del ClickEvent",
        "cb_Diaporama ClickEvent",
        "cb_VersDossier ClickEvent",
        "cb_About ClickEvent",
        "textb_Caption ChangeEvent",
        "combo_Captions SelectEvent",
        "combo_FileTypes SelectEvent",
        "cb_Memo ClickEvent",
        "cb_Memo RightButtonUpEvent",
        "watchTimer TimerEvent",
        "combo_Languages DoubleClickEvent",
        "combo_Languages SelectEvent",
        "cb_Sort ClickEvent",
        "pictbttn_Date ClickEvent",
        "pictbttn_ClearSnapkeep ClickEvent",
    };
    for (int i = 0; i < 12; ++i) {
        rows << thumbName(i) + " ImageViewerClick" << thumbName(i) + " ImageViewerDblClick";
    }
    return rows;
}

QString rowText(const EventMapRow& row) {
    return QStringLiteral("%1 %2").arg(QLatin1String(row.control),
                                       QLatin1String(EventName(row.event)));
}

// The buttons whose click the map routes; cb_Quit closes the window and has its own test.
const char* const kClickButtons[] = {"cb_Dossier",
                                     "cb_Renommer",
                                     "cb_Tout",
                                     "cb_Appliquer",
                                     "cb_AnnulerRenommage",
                                     "cb_AnnulerApplication",
                                     "pictbttn_ToStart1",
                                     "pictbttn_ToEnd1",
                                     "cb_AccepterDeplacer",
                                     "cb_AnnulerDeplacer",
                                     "pictbttn_ToStart10",
                                     "pictbttn_ToEnd10",
                                     "pictbttn_TargetMove",
                                     "cb_Aide",
                                     "pictbttn_ClearTypes",
                                     "pictbttn_ClearCaptions",
                                     "cb_Renumeroter",
                                     "cb_AnnulerRenumerotage",
                                     "pictbttn_090",
                                     "pictbttn_270",
                                     "pictbttn_180",
                                     "pictbttn_Del",
                                     "cb_Diaporama",
                                     "cb_VersDossier",
                                     "cb_About",
                                     "cb_Memo",
                                     "cb_Sort",
                                     "pictbttn_Date",
                                     "pictbttn_ClearSnapkeep"};

// Every control of the window by id: kind L list, B button, T text box, R read-only text box,
// l label, G group box, C combo box, P progress bar, X picture box, H hidden store.
struct ControlRow {
    int id;
    const char* name;
    char kind;
};
const ControlRow kControls[] = {
    {101, "lb_Avant", 'L'},
    {102, "label_Caption", 'l'},
    {103, "cb_Dossier", 'B'},
    {104, "cb_Quit", 'B'},
    {105, "cb_Renommer", 'B'},
    {106, "textb_Dossier", 'R'},
    {107, "lb_Apres", 'H'},
    {108, "cb_Tout", 'B'},
    {109, "groupb_FileName", 'G'},
    {110, "cb_Appliquer", 'B'},
    {111, "cb_AnnulerRenommage", 'B'},
    {112, "lb_Olds", 'H'},
    {113, "cb_AnnulerApplication", 'B'},
    {114, "label_Avant", 'l'},
    {115, "pictbttn_ToStart1", 'B'},
    {116, "pictbttn_ToEnd1", 'B'},
    {117, "cb_AccepterDeplacer", 'B'},
    {118, "groupb_Move", 'G'},
    {119, "cb_AnnulerDeplacer", 'B'},
    {120, "pictbttn_ToStart10", 'B'},
    {121, "pictbttn_ToEnd10", 'B'},
    {122, "pictbttn_TargetMove", 'B'},
    {123, "groupb_Scale", 'G'},
    {125, "cb_Aide", 'B'},
    {127, "label_Dossier", 'l'},
    {128, "pictbttn_ClearTypes", 'B'},
    {129, "pictbttn_ClearCaptions", 'B'},
    {131, "label_Type", 'l'},
    {132, "groupb_Exec", 'G'},
    {133, "label_FichiersAuDossier", 'l'},
    {134, "textb_FichiersAuDossier", 'R'},
    {135, "pictb_Last", 'X'},
    {141, "textb_2C", 'R'},
    {142, "textb_2N", 'R'},
    {143, "textb_1C", 'R'},
    {144, "textb_1N", 'R'},
    {145, "progb_1", 'P'},
    {146, "cb_Renumeroter", 'B'},
    {147, "cb_AnnulerRenumerotage", 'B'},
    {148, "pictbttn_090", 'B'},
    {149, "pictbttn_270", 'B'},
    {150, "pictbttn_180", 'B'},
    {151, "pictbttn_Del", 'B'},
    {152, "cb_Diaporama", 'B'},
    {156, "cb_VersDossier", 'B'},
    {157, "cb_About", 'B'},
    {158, "textb_Caption", 'T'},
    {159, "textb_FileType", 'T'},
    {160, "combo_Captions", 'C'},
    {161, "combo_FileTypes", 'C'},
    {162, "lb_Sorted", 'H'},
    {176, "cb_Memo", 'B'},
    {178, "textb_F", 'R'},
    {179, "textb_L", 'R'},
    {180, "textb_S", 'R'},
    {182, "combo_Languages", 'C'},
    {184, "cb_Sort", 'B'},
    {185, "pictbttn_Date", 'B'},
    {186, "textb_MP0", 'R'},
    {187, "textb_MP1", 'R'},
    {188, "textb_MP2", 'R'},
    {189, "textb_MP3", 'R'},
    {190, "textb_MP4", 'R'},
    {191, "textb_MP5", 'R'},
    {192, "textb_MP6", 'R'},
    {193, "textb_MP7", 'R'},
    {194, "textb_MP8", 'R'},
    {195, "textb_MP9", 'R'},
    {196, "textb_MP10", 'R'},
    {197, "textb_MP11", 'R'},
    {198, "pictbttn_ClearSnapkeep", 'B'},
};

bool hasKind(QWidget* w, char kind) {
    switch (kind) {
        case 'L':
            return qobject_cast<QListWidget*>(w);
        case 'B':
            return qobject_cast<QPushButton*>(w);
        case 'T':
            return qobject_cast<QLineEdit*>(w) && !static_cast<QLineEdit*>(w)->isReadOnly();
        case 'R':
            return qobject_cast<QLineEdit*>(w) && static_cast<QLineEdit*>(w)->isReadOnly();
        case 'l':
            return qobject_cast<QLabel*>(w);
        case 'G':
            return qobject_cast<QGroupBox*>(w);
        case 'C':
            return qobject_cast<QComboBox*>(w);
        case 'P':
            return qobject_cast<QProgressBar*>(w);
        case 'X':
            return w->size().isEmpty();
        default:
            return false;
    }
}

// Puts pictures in the list as a folder load does.
void fillList(Form1& form, int count) {
    for (int i = 0; i < count; ++i) {
        form.naming().pictures().avant.push_back(
            {QStringLiteral("%1  --").arg(i + 1, 4, 10, QChar('0')).toStdString(), ".jpg"});
    }
    form.naming().pictures().pictureCount = count;
    form.naming().ShowPictureList();
}

void offer(QWidget* control) {
    control->setEnabled(true);
    control->show();
}

// Leaves a known row as the last one handled, so that "nothing handled" can be seen.
bool markWithCaptionEdit(Form1& form) {
    Control<QLineEdit>(form, "textb_Caption")->setFocus();
    QTest::keyClicks(Control<QLineEdit>(form, "textb_Caption"), QStringLiteral("x"));
    return form.lastHandledEvent() == QStringLiteral("textb_Caption ChangeEvent");
}

}  // namespace

class EventMapTest : public QObject {
    Q_OBJECT
private slots:
    void mapHasExactlyTheRowsOfEachControl();
    void everyRowNamesAControlOfTheWindow();
    void everyControlExistsWithItsIdNameAndKind();
    void tabGoesThroughTheControlsOfEveryAreaInTheTemplatesOrder();
    void pictureListTakesShiftAndControlClicks();
    void clickOfEachButtonReachesItsRow_data();
    void clickOfEachButtonReachesItsRow();
    void eachThumbnailRaisesItsOwnRows_data();
    void eachThumbnailRaisesItsOwnRows();
    void largeViewerClicksReachTheirRows();
    void listSelectionAndRightPressReachTheirRows();
    void rightButtonReleasesReachTheirRows();
    void captionTypingAndComboChoicesReachTheirRows();
    void languageListDoubleClickAndChoiceReachTheirRows();
    void watchTimerBringsTheCommandsBackOnceThePictureWindowIsGone();
    void helpAndAboutButtonsShowTheirWindows();
    void quitClickClosesTheWindowThroughItsCloseRows();
    void controlsWithoutARowHandleNothing_data();
    void controlsWithoutARowHandleNothing();
};

void EventMapTest::mapHasExactlyTheRowsOfEachControl() {
    QStringList actual;
    for (const EventMapRow& row : Form1EventMap()) actual << rowText(row);
    QStringList expected = expectedRows();
    actual.sort();
    expected.sort();
    QCOMPARE(actual, expected);
}

void EventMapTest::everyRowNamesAControlOfTheWindow() {
    FormFixture fx;
    Form1& form = fx.start();
    for (const EventMapRow& row : Form1EventMap()) {
        const QString name = QLatin1String(row.control);
        if (name == QLatin1String("Form1")) continue;
        QObject* control = form.findChild<QObject*>(name);
        QVERIFY2(control, row.control);
        if (name == QLatin1String("watchTimer"))
            QVERIFY(qobject_cast<QTimer*>(control));
        else
            QVERIFY2(control->isWidgetType(), row.control);
    }
}

void EventMapTest::everyControlExistsWithItsIdNameAndKind() {
    FormFixture fx;
    Form1& form = fx.start();
    QMap<int, QString> declared;
    for (const ControlSpec& spec : MainWindowControls())
        declared[spec.id] = QLatin1String(spec.name);
    for (const ControlRow& row : kControls) {
        QCOMPARE(declared.value(row.id), QLatin1String(row.name));
        QWidget* w = form.findChild<QWidget*>(QLatin1String(row.name));
        if (row.kind == 'H') {
            // The stores are kept with the picture list; a widget for one is never seen.
            QVERIFY2(!w || !w->isVisibleTo(&form), row.name);
            continue;
        }
        QVERIFY2(w, row.name);
        QVERIFY2(hasKind(w, row.kind), row.name);
    }
    QCOMPARE(declared.size(), int(std::size(kControls)));
}

// The window and its two areas each make their own controls; the Tab key must not go through
// them area by area.
void EventMapTest::tabGoesThroughTheControlsOfEveryAreaInTheTemplatesOrder() {
    FormFixture fx;
    Form1& form = fx.start();
    const auto takesTab = [](const QWidget* w) { return w && (w->focusPolicy() & Qt::TabFocus); };
    QStringList expected;
    for (const ControlSpec& spec : MainWindowControls()) {
        if (takesTab(form.findChild<QWidget*>(QLatin1String(spec.name)))) expected << spec.name;
    }
    QStringList order;
    for (QWidget* w = form.nextInFocusChain(); w != &form; w = w->nextInFocusChain()) {
        if (takesTab(w) && expected.contains(w->objectName())) order << w->objectName();
    }
    QCOMPARE(order, expected);
}

void EventMapTest::pictureListTakesShiftAndControlClicks() {
    FormFixture fx;
    Form1& form = fx.start();
    QListWidget* list = Control<QListWidget>(form, "lb_Avant");
    QCOMPARE(list->selectionMode(), QAbstractItemView::ExtendedSelection);
    fillList(form, 4);
    QWidget* viewport = list->viewport();
    auto centre = [&](int row) { return list->visualItemRect(list->item(row)).center(); };
    QTest::mouseClick(viewport, Qt::LeftButton, {}, centre(1));
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::ShiftModifier, centre(3));
    QCOMPARE(list->selectedItems().size(), 3);
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::ControlModifier, centre(0));
    QCOMPARE(list->selectedItems().size(), 4);
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::ControlModifier, centre(2));
    QCOMPARE(list->selectedItems().size(), 3);
    QVERIFY(!list->item(2)->isSelected());
}

void EventMapTest::clickOfEachButtonReachesItsRow_data() {
    QTest::addColumn<QString>("button");
    for (const char* name : kClickButtons) QTest::newRow(name) << QString::fromLatin1(name);
}

void EventMapTest::clickOfEachButtonReachesItsRow() {
    QFETCH(QString, button);
    FormFixture fx;
    Form1& form = fx.start();
    auto* control = Control<QAbstractButton>(form, button);
    offer(control);
    const QString expected = button + " ClickEvent";
    QVERIFY(form.lastHandledEvent() != expected);
    QTest::mouseClick(control, Qt::LeftButton);
    QCOMPARE(form.lastHandledEvent(), expected);
}

void EventMapTest::eachThumbnailRaisesItsOwnRows_data() {
    QTest::addColumn<int>("index");
    for (int i = 0; i < 12; ++i) QTest::newRow(qPrintable(thumbName(i))) << i;
}

void EventMapTest::eachThumbnailRaisesItsOwnRows() {
    QFETCH(int, index);
    FormFixture fx;
    Form1& form = fx.start();
    auto* thumb = Control<ImageViewerControl>(form, thumbName(index));
    thumb->setDisplayOn(true);
    QCOMPARE(thumb->size(), QSize(36, 36));
    QTest::mouseClick(thumb, Qt::LeftButton);
    QCOMPARE(form.lastHandledEvent(), thumbName(index) + " ImageViewerClick");
    QTest::mouseDClick(thumb, Qt::LeftButton);
    QCOMPARE(form.lastHandledEvent(), thumbName(index) + " ImageViewerDblClick");
}

void EventMapTest::largeViewerClicksReachTheirRows() {
    FormFixture fx;
    Form1& form = fx.start();
    for (ImageViewerControl* viewer : {Control<ImageViewerControl>(form, "ImageV_1"),
                                       Control<ImageViewerControl>(form, "ImageV_2")}) {
        QVERIFY(viewer->isVisibleTo(&form));
        QTest::mouseClick(viewer, Qt::LeftButton);
        QCOMPARE(form.lastHandledEvent(), viewer->objectName() + " ImageViewerClick");
    }
}

void EventMapTest::listSelectionAndRightPressReachTheirRows() {
    FormFixture fx;
    Form1& form = fx.start();
    QListWidget* list = Control<QListWidget>(form, "lb_Avant");
    list->setEnabled(true);
    // A right press on the empty list changes no selection, so only its own row runs.
    QTest::mousePress(list->viewport(), Qt::RightButton, {}, QPoint(20, 20));
    QCOMPARE(form.lastHandledEvent(), QStringLiteral("lb_Avant RightButtonDownEvent"));
    QTest::mouseRelease(list->viewport(), Qt::RightButton, {}, QPoint(20, 20));

    fillList(form, 2);
    const QPoint second = list->visualItemRect(list->item(1)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second);
    QCOMPARE(form.lastHandledEvent(), QStringLiteral("lb_Avant SelectEvent"));
}

void EventMapTest::rightButtonReleasesReachTheirRows() {
    FormFixture fx;
    Form1& form = fx.start();
    for (QPushButton* button : {Control<QPushButton>(form, "pictbttn_ClearCaptions"),
                                Control<QPushButton>(form, "cb_Memo")}) {
        offer(button);
        QTest::mousePress(button, Qt::RightButton);
        QVERIFY(form.lastHandledEvent() != button->objectName() + " RightButtonUpEvent");
        QTest::mouseRelease(button, Qt::RightButton);
        QCOMPARE(form.lastHandledEvent(), button->objectName() + " RightButtonUpEvent");
    }
}

void EventMapTest::captionTypingAndComboChoicesReachTheirRows() {
    FormFixture fx;
    Form1& form = fx.start();
    QVERIFY(markWithCaptionEdit(form));

    Control<QComboBox>(form, "combo_Captions")->addItem(QStringLiteral("Holidays"));
    Control<QComboBox>(form, "combo_Captions")->setCurrentIndex(0);
    for (QComboBox* combo : {Control<QComboBox>(form, "combo_Captions"),
                             Control<QComboBox>(form, "combo_FileTypes")}) {
        offer(combo);
        QVERIFY(markWithCaptionEdit(form));
        combo->setFocus();
        QTest::keyClick(combo, Qt::Key_Down);
        QCOMPARE(form.lastHandledEvent(), combo->objectName() + " SelectEvent");
    }
}

void EventMapTest::languageListDoubleClickAndChoiceReachTheirRows() {
    FormFixture fx;
    fx.installShipped("French.lng");
    Form1& form = fx.start();
    QComboBox* languages = Control<QComboBox>(form, "combo_Languages");
    QCOMPARE(languages->count(), 2);

    languages->setFocus();
    QTest::keyClick(languages, Qt::Key_Down);
    QCOMPARE(form.lastHandledEvent(), QStringLiteral("combo_Languages SelectEvent"));
    QCOMPARE(form.currentLanguage(), std::string("French"));
    QCOMPARE(Control<QPushButton>(form, "cb_Dossier")->text(), QStringLiteral("Dossier"));

    QMouseEvent doubleClick(QEvent::MouseButtonDblClick, QPointF(5, 5),
                            languages->mapToGlobal(QPointF(5, 5)), Qt::LeftButton, Qt::LeftButton,
                            Qt::NoModifier);
    QApplication::sendEvent(languages, &doubleClick);
    QCOMPARE(form.lastHandledEvent(), QStringLiteral("combo_Languages DoubleClickEvent"));
    languages->hidePopup();
}

void EventMapTest::watchTimerBringsTheCommandsBackOnceThePictureWindowIsGone() {
    FormFixture fx;
    Form1& form = fx.start();
    form.naming().ApplyWindowState(WindowState::PhotoWindowOpen);
    QTimer* watchTimer = Control<QTimer>(form, "watchTimer");
    watchTimer->start(1);
    QTRY_COMPARE(form.lastHandledEvent(), QStringLiteral("watchTimer TimerEvent"));
    QCOMPARE(form.naming().mainWindowState(), WindowState::PhotoWindowClosed);
    QVERIFY(Control<QPushButton>(form, "cb_Dossier")->isEnabled());
    QVERIFY(!watchTimer->isActive());
}

void EventMapTest::helpAndAboutButtonsShowTheirWindows() {
    FormFixture fx;
    fx.installShipped("English.hlp");
    Form1& form = fx.start();
    QTest::mouseClick(Control<QPushButton>(form, "cb_Aide"), Qt::LeftButton);
    QVERIFY(Control<HelpWindow>(form, "HelpWindow")->isVisible());
    QTest::mouseClick(Control<QPushButton>(form, "cb_About"), Qt::LeftButton);
    QCOMPARE(fx.responder().shown.size(), 1);
    QCOMPARE(fx.responder().shown[0].kind, QStringLiteral("message"));
}

void EventMapTest::quitClickClosesTheWindowThroughItsCloseRows() {
    FormFixture fx;
    Form1& form = fx.start();
    QTest::mouseClick(Control<QPushButton>(form, "cb_Quit"), Qt::LeftButton);
    QCOMPARE(form.lastHandledEvent(), QStringLiteral("cb_Quit ClickEvent"));
    QTRY_VERIFY(!form.isVisible());
    QCOMPARE(form.lastHandledEvent(), QStringLiteral("Form1 CloseEvent"));
}

void EventMapTest::controlsWithoutARowHandleNothing_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<bool>("typed");  // typed into rather than clicked
    QTest::newRow("label_Type") << "label_Type" << false;
    QTest::newRow("label_Avant") << "label_Avant" << false;
    QTest::newRow("groupb_Exec") << "groupb_Exec" << false;
    QTest::newRow("textb_FileType") << "textb_FileType" << true;
    QTest::newRow("textb_Dossier") << "textb_Dossier" << false;
    QTest::newRow("textb_1C") << "textb_1C" << false;
    QTest::newRow("progb_1") << "progb_1" << false;
    QTest::newRow("textb_MP0") << "textb_MP0" << false;
    QTest::newRow("ImageV_F") << "ImageV_F" << false;
    QTest::newRow("ImageV_S") << "ImageV_S" << false;
    QTest::newRow("ImageV_L") << "ImageV_L" << false;
    // A disabled command raises nothing either.
    QTest::newRow("cb_Renommer while disabled") << "cb_Renommer" << false;
}

void EventMapTest::controlsWithoutARowHandleNothing() {
    QFETCH(QString, control);
    QFETCH(bool, typed);
    FormFixture fx;
    Form1& form = fx.start();
    QWidget* w = Control<QWidget>(form, control);
    if (auto* viewer = qobject_cast<ImageViewerControl*>(w))
        viewer->setDisplayOn(true);
    else if (control != QLatin1String("cb_Renommer"))
        w->show();
    QVERIFY(!w->size().isEmpty());
    QVERIFY(markWithCaptionEdit(form));
    if (typed) {
        w->setFocus();
        QTest::keyClicks(w, QStringLiteral("png"));
    } else {
        QTest::mouseClick(w, Qt::LeftButton);
        QTest::mouseClick(w, Qt::RightButton);
        QTest::mouseDClick(w, Qt::LeftButton);
    }
    QCOMPARE(form.lastHandledEvent(), QStringLiteral("textb_Caption ChangeEvent"));
}

QTEST_MAIN(EventMapTest)
#include "eventmap_test.moc"
