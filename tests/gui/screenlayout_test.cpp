// Placing the main window and its controls for the three screen layouts.
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <algorithm>

#include "gui/naming/namingarea.h"
#include "gui/toolkit/imageviewercontrol.h"
#include "gui/toolkit/textfit.h"
#include "support/formfixture.h"

using namespace lumaro;
using namespace lumaro::testing;

namespace {

struct Expected {
    QRect v1, v2, vf, vs, vl;
    int windowTop, windowLeft;
    int commandHeight, pictureButtonHeight, firstMoveOffset;
    int commandSpacing, moveSpacing;  // worked out by hand for each layout
};

Expected expectedFor(int screenHeight) {
    // clang-format off
    //                    ImageV_1 .. ImageV_L                                  top left  H   P  offset s  s2
    const Expected small{QRect(570, 55, 160, 120), QRect(570, 370, 160, 120), QRect(570, 247, 68, 51),
                         QRect(616, 247, 68, 51), QRect(662, 247, 68, 51),     -5,  10,  24, 28, 15,   13, 6};
    const Expected medium{QRect(570, 55, 280, 210), QRect(570, 424, 280, 210), QRect(570, 307, 120, 90),
                          QRect(650, 307, 120, 90), QRect(730, 307, 120, 90),  10,  60,  26, 30, 50,   29, 32};
    const Expected large{QRect(570, 55, 400, 300), QRect(570, 514, 400, 300), QRect(570, 399, 120, 90),
                         QRect(710, 399, 120, 90), QRect(850, 399, 120, 90),   20,  60,  26, 30, 50,   32, 32};
    // clang-format on
    if (screenHeight == 600) return small;
    if (screenHeight == 768) return medium;
    return large;
}

constexpr int kThumb = 36;

int bottomOf(const QWidget* w) { return w->y() + w->height(); }
int rightOf(const QWidget* w) { return w->x() + w->width(); }

void addScreenRows() {
    QTest::addColumn<int>("screenHeight");
    for (int h : {600, 768, 720, 1024}) QTest::addRow("screen %d", h) << h;
}

// Visible children of the form whose names are listed, checked pairwise for overlap.
QString firstOverlap(Form1& form, const QStringList& names) {
    QList<QWidget*> shown;
    for (const QString& name : names) {
        QWidget* w = form.findChild<QWidget*>(name);
        if (w && w->isVisibleTo(&form)) shown << w;
    }
    for (int i = 0; i < shown.size(); ++i) {
        for (int j = i + 1; j < shown.size(); ++j) {
            if (shown[i]->geometry().intersects(shown[j]->geometry())) {
                return shown[i]->objectName() + " / " + shown[j]->objectName();
            }
        }
    }
    return QString();
}

}  // namespace

class ScreenLayoutTest : public QObject {
    Q_OBJECT
private slots:
    void windowSizeAndPlaceFollowTheScreen_data() { addScreenRows(); }
    void windowSizeAndPlaceFollowTheScreen();
    void viewersAndTheirTextBoxesTakeTheLayoutRectangles_data() { addScreenRows(); }
    void viewersAndTheirTextBoxesTakeTheLayoutRectangles();
    void fileNameGroupAndThumbnailStripStandBelowTheList_data() { addScreenRows(); }
    void fileNameGroupAndThumbnailStripStandBelowTheList();
    void commandSpacingIsCappedAndCancelsTakeTheirCommandsPlace_data() { addScreenRows(); }
    void commandSpacingIsCappedAndCancelsTakeTheirCommandsPlace();
    void moveButtonsAreCentredSquaresFramedByTheScale_data() { addScreenRows(); }
    void moveButtonsAreCentredSquaresFramedByTheScale();
    void rightColumnAndProgressBarStandBesideTheUpperPicture_data() { addScreenRows(); }
    void rightColumnAndProgressBarStandBesideTheUpperPicture();
    void topRowSharesOneLineWithoutOverlap_data();
    void topRowSharesOneLineWithoutOverlap();
    void visibleCommandsNeverOverlapInAnyState_data();
    void visibleCommandsNeverOverlapInAnyState();
    void aResizedWindowLeavesNoEmptyBorderAndCutsNothingOff_data();
    void aResizedWindowLeavesNoEmptyBorderAndCutsNothingOff();
};

void ScreenLayoutTest::windowSizeAndPlaceFollowTheScreen() {
    QFETCH(int, screenHeight);
    const Expected e = expectedFor(screenHeight);
    FormFixture fx(screenHeight);
    Form1& form = fx.start();
    // 25 is the template width of the turn button (17 dialog units), read before it is resized.
    QCOMPARE(form.size(), QSize(25 + e.v1.x() + e.v1.width() + 30, e.v2.y() + e.v2.height() + 79));
    QCOMPARE(form.pos(), QPoint(e.windowLeft, e.windowTop));
    // Everything shown lies inside the window (the zero-sized picture box is never seen).
    for (QWidget* w : form.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (w->isVisibleTo(&form) && !w->objectName().isEmpty() && !w->geometry().isEmpty()) {
            QVERIFY2(form.rect().contains(w->geometry()), qPrintable(w->objectName()));
        }
    }
}

void ScreenLayoutTest::viewersAndTheirTextBoxesTakeTheLayoutRectangles() {
    QFETCH(int, screenHeight);
    const Expected e = expectedFor(screenHeight);
    FormFixture fx(screenHeight);
    fx.start();
    const QPair<const char*, QRect> viewers[] = {{"ImageV_1", e.v1},
                                                 {"ImageV_2", e.v2},
                                                 {"ImageV_F", e.vf},
                                                 {"ImageV_S", e.vs},
                                                 {"ImageV_L", e.vl}};
    for (const auto& [name, rect] : viewers) {
        QCOMPARE(Control<ImageViewerControl>(fx.form(), name)->geometry(), rect);
    }
    // name, expected rectangle, shown after start-up
    const std::tuple<const char*, QRect, bool> boxes[] = {
        {"textb_1C", QRect(570, e.v1.bottom() + 1 + 2, e.v1.width(), 18), true},
        {"textb_1N", QRect(570, e.v1.bottom() + 1 + 20, e.v1.width(), 18), false},
        {"textb_2C", QRect(570, e.v2.bottom() + 1 + 2, e.v2.width(), 18), true},
        {"textb_2N", QRect(570, e.v2.bottom() + 1 + 20, e.v2.width(), 18), false},
        {"textb_F", QRect(e.vf.x(), e.vf.bottom() + 1 + 6, e.vf.width(), 18), false},
        {"textb_S", QRect(e.vs.x(), e.vs.bottom() + 1 + 6, e.vs.width(), 18), false},
        {"textb_L", QRect(e.vl.x(), e.vl.bottom() + 1 + 6, e.vl.width(), 18), false},
    };
    for (const auto& [name, rect, shown] : boxes) {
        auto* box = Control<QLineEdit>(fx.form(), name);
        QCOMPARE(box->geometry(), rect);
        QVERIFY2(box->isReadOnly(), name);
        QVERIFY2(box->isVisibleTo(&fx.form()) == shown, name);
    }
}

void ScreenLayoutTest::fileNameGroupAndThumbnailStripStandBelowTheList() {
    QFETCH(int, screenHeight);
    const Expected e = expectedFor(screenHeight);
    FormFixture fx(screenHeight);
    Form1& form = fx.start();
    QPushButton* memo = Control<QPushButton>(form, "cb_Memo");
    const int bottom = e.v2.y() + e.v2.height() + 2 + 18 + 18;  // bottom of textb_2N
    const int top = screenHeight == 600 ? e.v2.y() - 6 : bottom - (kThumb + 119);
    // The group is wider only as far as a memo button wider than a thumbnail pushes the strip.
    const int memoExtra = std::max(0, TextWidthNeeded(memo) - kThumb);
    QCOMPARE(Control<QGroupBox>(form, "groupb_FileName")->geometry(),
             QRect(15, top, 540 + memoExtra, bottom - top));
    QVERIFY(rightOf(Control<QGroupBox>(form, "groupb_FileName")) <
            Control<ImageViewerControl>(form, "ImageV_2")->x());
    QCOMPARE(Control<QListWidget>(form, "lb_Avant")->geometry(), QRect(150, 55, 290, top - 55));

    QCOMPARE(Control<QLabel>(form, "label_Type")->y(), top + 24);
    QCOMPARE(Control<QLabel>(form, "label_Caption")->y(), top + 24);
    const std::tuple<QLineEdit*, QComboBox*, QPushButton*> columns[] = {
        {Control<QLineEdit>(form, "textb_FileType"), Control<QComboBox>(form, "combo_FileTypes"),
         Control<QPushButton>(form, "pictbttn_ClearTypes")},
        {Control<QLineEdit>(form, "textb_Caption"), Control<QComboBox>(form, "combo_Captions"),
         Control<QPushButton>(form, "pictbttn_ClearCaptions")}};
    for (const auto& [box, combo, clear] : columns) {
        QCOMPARE(box->y(), top + 21);
        QCOMPARE(box->height(), 18);
        // A list may be wider than its box when its entries need it, never narrower.
        QCOMPARE(combo->pos(), QPoint(box->x(), box->y() + 33));
        QCOMPARE(combo->height(), 18);
        QVERIFY(combo->width() >= box->width());
        QCOMPARE(clear->y(), box->y() + 30);
        QCOMPARE(rightOf(clear) + 7, combo->x());
    }

    // The memo button and the twelve thumbnails: squares of 36 in one row, 5 apart; the memo
    // button is wider only as far as its caption needs.
    const int memoLeft = 15 + (540 - 60 - 13 * kThumb) / 2;
    const int memoTop = Control<QComboBox>(form, "combo_FileTypes")->y() + 33;
    QCOMPARE(memo->geometry().topLeft(), QPoint(memoLeft, memoTop));
    QCOMPARE(memo->height(), kThumb);
    QCOMPARE(memo->width(), std::max(kThumb, TextWidthNeeded(memo)));
    for (int i = 0; i < 12; ++i) {
        const QString name = QStringLiteral("IV_%1").arg(i, 2, 10, QChar('0'));
        const int left = rightOf(memo) + 5 + i * (kThumb + 5);
        QCOMPARE(Control<ImageViewerControl>(form, name)->geometry(),
                 QRect(left, memoTop, kThumb, kThumb));
        auto* caption = Control<QLineEdit>(form, QStringLiteral("textb_MP%1").arg(i));
        QCOMPARE(caption->geometry(), QRect(left, memoTop + kThumb + 6, kThumb, 18));
    }
    QVERIFY(bottomOf(Control<QLineEdit>(form, "textb_MP11")) <= bottom);
    QCOMPARE(rightOf(Control<QGroupBox>(form, "groupb_FileName")) -
                 rightOf(Control<ImageViewerControl>(form, "IV_11")),
             6);  // the frame clear of the strip
    QCOMPARE(Control<QPushButton>(form, "pictbttn_ClearSnapkeep")->y(), memoTop + kThumb + 4);
    QVERIFY(qAbs(Control<QPushButton>(form, "pictbttn_ClearSnapkeep")->geometry().center().x() -
                 memo->geometry().center().x()) <= 1);
}

void ScreenLayoutTest::commandSpacingIsCappedAndCancelsTakeTheirCommandsPlace() {
    QFETCH(int, screenHeight);
    const Expected e = expectedFor(screenHeight);
    FormFixture fx(screenHeight);
    Form1& form = fx.start();
    QCOMPARE(Control<QGroupBox>(form, "groupb_Exec")->geometry(),
             QRect(15, 49, 120, Control<QListWidget>(form, "lb_Avant")->height() + 7));
    const char* const places[] = {"cb_Dossier",   "cb_Sort",        "cb_Tout",      "cb_Renommer",
                                  "cb_Appliquer", "cb_Renumeroter", "cb_Diaporama", "cb_Quit"};
    const int H = e.commandHeight;
    const int s = e.commandSpacing;
    QVERIFY(s <= 32);
    for (int i = 0; i < 8; ++i) {
        QCOMPARE(Control<QPushButton>(form, places[i])->geometry(),
                 QRect(20, 49 + s + 5 + i * (H + s), 110, H));
    }
    QVERIFY(bottomOf(Control<QPushButton>(form, "cb_Quit")) <=
            bottomOf(Control<QGroupBox>(form, "groupb_Exec")));
    QCOMPARE(Control<QPushButton>(form, "cb_AnnulerRenommage")->geometry(),
             Control<QPushButton>(form, "cb_Renommer")->geometry());
    QCOMPARE(Control<QPushButton>(form, "cb_AnnulerApplication")->geometry(),
             Control<QPushButton>(form, "cb_Appliquer")->geometry());
    QCOMPARE(Control<QPushButton>(form, "cb_AnnulerRenumerotage")->geometry(),
             Control<QPushButton>(form, "cb_Renumeroter")->geometry());
}

void ScreenLayoutTest::moveButtonsAreCentredSquaresFramedByTheScale() {
    QFETCH(int, screenHeight);
    const Expected e = expectedFor(screenHeight);
    FormFixture fx(screenHeight);
    Form1& form = fx.start();
    const QRect group = Control<QGroupBox>(form, "groupb_Move")->geometry();
    QCOMPARE(group, QRect(rightOf(Control<QListWidget>(form, "lb_Avant")) + 15, 49, 100,
                          Control<QListWidget>(form, "lb_Avant")->height() + 7));
    const QPair<QPushButton*, int> buttons[] = {
        {Control<QPushButton>(form, "pictbttn_ToStart10"), 0},
        {Control<QPushButton>(form, "pictbttn_ToStart1"), 39},
        {Control<QPushButton>(form, "pictbttn_TargetMove"), 83},
        {Control<QPushButton>(form, "pictbttn_ToEnd1"), 127},
        {Control<QPushButton>(form, "pictbttn_ToEnd10"), 166}};
    for (const auto& [button, below] : buttons) {
        QCOMPARE(button->geometry(),
                 QRect(group.x() + 50 - 17, 49 + e.firstMoveOffset + below, 34, 34));
        QCOMPARE(button->geometry().center().x(), group.center().x());
    }
    const int scaleTop = Control<QPushButton>(form, "pictbttn_ToStart10")->y() - 6;
    QCOMPARE(Control<QGroupBox>(form, "groupb_Scale")->geometry(),
             QRect(group.x() + 32, scaleTop, 36,
                   bottomOf(Control<QPushButton>(form, "pictbttn_ToEnd10")) - scaleTop));

    const int H = e.commandHeight;
    int top = bottomOf(Control<QGroupBox>(form, "groupb_Scale")) + 6 + e.moveSpacing;
    for (QPushButton* b : {Control<QPushButton>(form, "cb_AccepterDeplacer"),
                           Control<QPushButton>(form, "cb_AnnulerDeplacer"),
                           Control<QPushButton>(form, "cb_VersDossier")}) {
        QCOMPARE(b->geometry(), QRect(group.x() + 5, top, 90, H - 3));
        top += H + e.moveSpacing;
    }
    QVERIFY(bottomOf(Control<QPushButton>(form, "cb_VersDossier")) <=
            bottomOf(Control<QGroupBox>(form, "groupb_Move")));
}

void ScreenLayoutTest::rightColumnAndProgressBarStandBesideTheUpperPicture() {
    QFETCH(int, screenHeight);
    const Expected e = expectedFor(screenHeight);
    FormFixture fx(screenHeight);
    Form1& form = fx.start();
    QProgressBar* progress = Control<QProgressBar>(form, "progb_1");
    const int P = e.pictureButtonHeight;
    const int g = (e.v1.height() - 2 * P) / 3;
    const int left = e.v1.x() + e.v1.width() + 7;
    QCOMPARE(Control<QPushButton>(form, "pictbttn_Del")->geometry(),
             QRect(left, e.v1.y() + g, P + 6, P));
    QCOMPARE(Control<QPushButton>(form, "pictbttn_Date")->geometry(),
             QRect(left, e.v1.y() + P + g, P + 6, P));
    for (QPushButton* turn :
         {Control<QPushButton>(form, "pictbttn_090"), Control<QPushButton>(form, "pictbttn_180"),
          Control<QPushButton>(form, "pictbttn_270")}) {
        QCOMPARE(turn->size(), QSize(P + 6, P));
        QVERIFY(!turn->isEnabled());
        QVERIFY(!turn->isVisibleTo(&form));
    }
    QCOMPARE(progress->x(), 570);
    QCOMPARE(progress->width(), e.v1.width());
    QCOMPARE(progress->y(), e.vl.y() + e.vl.height() / 2 - 18);
    QVERIFY(!progress->isVisibleTo(&form));
}

void ScreenLayoutTest::topRowSharesOneLineWithoutOverlap_data() {
    QTest::addColumn<int>("screenHeight");
    QTest::addColumn<bool>("french");
    for (int h : {600, 768, 1024}) {
        QTest::addRow("screen %d, English only", h) << h << false;
        QTest::addRow("screen %d, French installed", h) << h << true;
    }
}

void ScreenLayoutTest::topRowSharesOneLineWithoutOverlap() {
    QFETCH(int, screenHeight);
    QFETCH(bool, french);
    FormFixture fx(screenHeight);
    if (french) fx.installShipped("French.lng");
    Form1& form = fx.start();
    QLineEdit* folder = Control<QLineEdit>(form, "textb_Dossier");
    QLineEdit* fileCount = Control<QLineEdit>(form, "textb_FichiersAuDossier");
    QComboBox* languages = Control<QComboBox>(form, "combo_Languages");
    QPushButton* help = Control<QPushButton>(form, "cb_Aide");
    QPushButton* about = Control<QPushButton>(form, "cb_About");
    QPushButton* turn = Control<QPushButton>(form, "pictbttn_090");
    QCOMPARE(languages->isVisibleTo(&form), french);

    const int top = folder->y();
    for (QWidget* w : std::initializer_list<QWidget*>{folder, fileCount, languages, help, about}) {
        QCOMPARE(w->y(), top);
        QCOMPARE(w->height(), 18);
    }
    QCOMPARE(Control<QLabel>(form, "label_Dossier")->y(), top + 2);
    QCOMPARE(Control<QLabel>(form, "label_FichiersAuDossier")->y(), top + 2);
    QCOMPARE(folder->x(), Control<QListWidget>(form, "lb_Avant")->x());
    QCOMPARE(fileCount->x(), 570);

    // Equal gaps before each control right of the file count, ending at the right column.
    QList<QWidget*> row;
    if (french) row << languages;
    row << help << about;
    const int gap = row[0]->x() - rightOf(fileCount);
    QVERIFY(gap > 0);
    for (int i = 1; i < row.size(); ++i) QCOMPARE(row[i]->x() - rightOf(row[i - 1]), gap);
    QVERIFY(rightOf(about) <= rightOf(turn));
    QVERIFY(rightOf(turn) - rightOf(about) < gap + 3);

    const QString overlap =
        firstOverlap(form, {"label_Dossier", "textb_Dossier", "label_FichiersAuDossier",
                            "textb_FichiersAuDossier", "combo_Languages", "cb_Aide", "cb_About"});
    QVERIFY2(overlap.isEmpty(), qPrintable(overlap));
}

void ScreenLayoutTest::visibleCommandsNeverOverlapInAnyState_data() {
    QTest::addColumn<int>("screenHeight");
    QTest::addColumn<int>("state");
    for (int h : {600, 1024}) {
        for (int state : {0, 2, 6, 8, 10, 11})
            QTest::addRow("screen %d, state %d", h, state) << h << state;
    }
}

void ScreenLayoutTest::visibleCommandsNeverOverlapInAnyState() {
    QFETCH(int, screenHeight);
    QFETCH(int, state);
    FormFixture fx(screenHeight);
    Form1& form = fx.start();
    form.naming().ApplyWindowState(WindowState{state});
    const QStringList column = {"cb_Dossier",
                                "cb_Sort",
                                "cb_Tout",
                                "cb_Renommer",
                                "cb_AnnulerRenommage",
                                "cb_Appliquer",
                                "cb_AnnulerApplication",
                                "cb_Renumeroter",
                                "cb_AnnulerRenumerotage",
                                "cb_Diaporama",
                                "cb_Quit"};
    const QString overlap = firstOverlap(form, column);
    QVERIFY2(overlap.isEmpty(), qPrintable(overlap));
    for (const QString& name : column) {
        QWidget* w = Control<QWidget>(form, name);
        if (w->isVisibleTo(&form))
            QVERIFY2(Control<QGroupBox>(form, "groupb_Exec")->geometry().contains(w->geometry()),
                     qPrintable(name));
    }
    const QStringList moves = {"pictbttn_ToStart10", "pictbttn_ToStart1", "pictbttn_TargetMove",
                               "pictbttn_ToEnd1",    "pictbttn_ToEnd10",  "cb_AccepterDeplacer",
                               "cb_AnnulerDeplacer", "cb_VersDossier"};
    const QString moveOverlap = firstOverlap(form, moves);
    QVERIFY2(moveOverlap.isEmpty(), qPrintable(moveOverlap));
}

void ScreenLayoutTest::aResizedWindowLeavesNoEmptyBorderAndCutsNothingOff_data() {
    QTest::addColumn<QSize>("size");  // empty: maximised on the screen
    QTest::addColumn<int>("listWider");
    QTest::addColumn<int>("picturesWider");  // than the largest layout that fits unscaled
    // worked out by hand from the viewer rectangles
    QTest::addRow("1024x768") << QSize(1024, 768) << 93 << 26;
    QTest::addRow("1366x768") << QSize(1366, 768) << 435 << 26;
    QTest::addRow("1920x1080") << QSize(1920, 1080) << 797 << 98;
    QTest::addRow("tall and narrow") << QSize(1100, 1400) << 0 << 75;
    QTest::addRow("below the smallest") << QSize(500, 400) << 0 << 0;
    QTest::addRow("maximised") << QSize() << -1 << -1;
}

void ScreenLayoutTest::aResizedWindowLeavesNoEmptyBorderAndCutsNothingOff() {
    QFETCH(QSize, size);
    QFETCH(int, listWider);
    QFETCH(int, picturesWider);
    FormFixture fx(1024);
    fx.installShipped("German.lng");
    Form1& form = fx.start();
    if (size.isEmpty()) {
        form.showMaximized();
        QTRY_VERIFY(form.isMaximized());
        QTRY_COMPARE(form.frameGeometry().size(), form.screen()->availableGeometry().size());
    } else {
        form.resize(size);
        QCOMPARE(form.size(), size.expandedTo(QSize(785, 569)));  // the small layout's window
    }
    const QSize window = form.size();

    // No grey border: the upper picture ends where the right column leaves 55 pixels (the layout's
    // margin), the file-name group 41 pixels above the bottom (the lower picture's text boxes).
    QCOMPARE(rightOf(Control<ImageViewerControl>(form, "ImageV_1")) + 55, window.width());
    QCOMPARE(bottomOf(Control<QGroupBox>(form, "groupb_FileName")), window.height() - 41);
    if (listWider >= 0) {
        QCOMPARE(Control<QListWidget>(form, "lb_Avant")->width() - 290, listWider);
        QCOMPARE(Control<ImageViewerControl>(form, "ImageV_1")->width() -
                     (window.width() < 1025 || window.height() < 893
                          ? (window.height() < 713 ? 160 : 280)
                          : 400),
                 picturesWider);
    }
    for (ImageViewerControl* viewer :
         {Control<ImageViewerControl>(form, "ImageV_1"),
          Control<ImageViewerControl>(form, "ImageV_2")}) {  // pictures keep 4:3
        QVERIFY(qAbs(viewer->width() * 3 - viewer->height() * 4) <= 4);
    }

    // Every control shown lies inside the window and meets no other, except the controls that a
    // group frames; every text fits, also in the language with the longest words.
    for (int language : {0, 1}) {
        if (language == 1) {
            auto* languages = Control<QComboBox>(form, "combo_Languages");
            languages->setCurrentIndex(languages->findData(QStringLiteral("German")));
            emit languages->activated(languages->currentIndex());
        }
        QList<QWidget*> shown;
        for (QWidget* w : form.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (!w->isVisibleTo(&form) || w->geometry().isEmpty() || w->isWindow()) continue;
            QVERIFY2(form.rect().contains(w->geometry()), qPrintable(w->objectName()));
            QVERIFY2(TextWidthNeeded(w) <= w->width(), qPrintable(w->objectName()));
            shown << w;
        }
        for (QWidget* a : shown) {
            for (QWidget* b : shown) {
                const bool framed =
                    (qobject_cast<QGroupBox*>(a) && a->geometry().contains(b->geometry())) ||
                    (qobject_cast<QGroupBox*>(b) && b->geometry().contains(a->geometry()));
                // Two frames may share the one line of pixels where the first ends.
                const bool frames = qobject_cast<QGroupBox*>(a) && qobject_cast<QGroupBox*>(b) &&
                                    a->geometry().intersected(b->geometry()).height() <= 1;
                QVERIFY2(a == b || framed || frames || !a->geometry().intersects(b->geometry()),
                         qPrintable(a->objectName() + " / " + b->objectName()));
            }
        }
    }
}

QTEST_MAIN(ScreenLayoutTest)
#include "screenlayout_test.moc"
