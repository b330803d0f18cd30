// Places the window and its controls in pixels for the height of the screen.
#include "gui/app/windowlayout.h"

#include <QComboBox>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <algorithm>

#include "gui/toolkit/bindcontrol.h"
#include "gui/toolkit/imageviewercontrol.h"
#include "gui/toolkit/screen.h"
#include "gui/toolkit/textfit.h"

namespace lumaro {

namespace {
constexpr int kLeftColumn = 15;
constexpr int kListTop = 55;
constexpr int kCommandColumnWidth = 120;
constexpr int kListWidth = 290;
constexpr int kTextHeight = 18;
constexpr int kFileNameGroupWidth = 540;
constexpr quint32 kViewerBackground = 0x00D4DCD2;

int bottomOf(const QWidget* w) { return w->y() + w->height(); }
int rightOf(const QWidget* w) { return w->x() + w->width(); }

void placeUnder(QLineEdit* box, const QRect& viewer, int gap) {
    box->setGeometry(viewer.x(), viewer.y() + viewer.height() + gap, viewer.width(), kTextHeight);
}

// Thumbnail i of the Snapkeep strip and its caption box, found by name.
ImageViewerControl* thumbnail(const QWidget* form, int i) {
    return form->findChild<ImageViewerControl*>(QStringLiteral("IV_%1").arg(i, 2, 10, QChar('0')));
}
QLineEdit* thumbnailCaption(const QWidget* form, int i) {
    return form->findChild<QLineEdit*>(QStringLiteral("textb_MP%1").arg(i));
}
}  // namespace

WindowLayout::WindowLayout(QWidget& window) : window_(window) { bindControls(); }

void WindowLayout::bindControls() {
#define BIND(name) BindControl(window_, name, #name)
    BIND(lb_Avant);
    BIND(label_Caption);
    BIND(cb_Dossier);
    BIND(cb_Quit);
    BIND(cb_Renommer);
    BIND(textb_Dossier);
    BIND(cb_Tout);
    BIND(groupb_FileName);
    BIND(cb_Appliquer);
    BIND(cb_AnnulerRenommage);
    BIND(cb_AnnulerApplication);
    BIND(label_Avant);
    BIND(pictbttn_ToStart1);
    BIND(pictbttn_ToEnd1);
    BIND(cb_AccepterDeplacer);
    BIND(groupb_Move);
    BIND(cb_AnnulerDeplacer);
    BIND(pictbttn_ToStart10);
    BIND(pictbttn_ToEnd10);
    BIND(pictbttn_TargetMove);
    BIND(groupb_Scale);
    BIND(cb_Aide);
    BIND(label_Dossier);
    BIND(pictbttn_ClearTypes);
    BIND(pictbttn_ClearCaptions);
    BIND(label_Type);
    BIND(groupb_Exec);
    BIND(label_FichiersAuDossier);
    BIND(textb_FichiersAuDossier);
    BIND(textb_2C);
    BIND(textb_2N);
    BIND(textb_1C);
    BIND(textb_1N);
    BIND(progb_1);
    BIND(cb_Renumeroter);
    BIND(cb_AnnulerRenumerotage);
    BIND(pictbttn_090);
    BIND(pictbttn_270);
    BIND(pictbttn_180);
    BIND(pictbttn_Del);
    BIND(cb_Diaporama);
    BIND(cb_VersDossier);
    BIND(cb_About);
    BIND(textb_Caption);
    BIND(textb_FileType);
    BIND(combo_Captions);
    BIND(combo_FileTypes);
    BIND(cb_Memo);
    BIND(textb_F);
    BIND(textb_L);
    BIND(textb_S);
    BIND(combo_Languages);
    BIND(cb_Sort);
    BIND(pictbttn_Date);
    BIND(pictbttn_ClearSnapkeep);
    BIND(ImageV_1);
    BIND(ImageV_2);
    BIND(ImageV_F);
    BIND(ImageV_S);
    BIND(ImageV_L);
#undef BIND
}

void WindowLayout::apply(int screenHeight) {
    const ScreenLayout& layout = LayoutForScreenHeight(screenHeight);

    // 1. The window, sized from the template width of the right-column buttons. However small
    // the user makes it, the small layout still fits.
    if (rightMargin_ == 0) rightMargin_ = pictbttn_090->width() + 30;
    window_.setMinimumSize(SmallestWindowSize(rightMargin_));
    QSize window = LayoutWindowSize(layout, rightMargin_);
    QPoint place(layout.windowLeft, layout.windowTop);
    // A screen whose height the rules do not know (720, or 800 at scale 2) may be lower than
    // the layout: the window keeps within it and takes the layout that fits.
    if (const QRect screen = AvailableScreenArea(); screen.isValid()) {
        window = window.boundedTo(screen.size()).expandedTo(window_.minimumSize());
        place.rx() = std::min(place.x(), screen.x() + screen.width() - window.width());
        place.ry() = std::min(place.y(), screen.y() + screen.height() - window.height());
    }
    window_.resize(window);
    window_.move(place);
    window_.setWindowIcon(QIcon(QStringLiteral(":/icons/Lumaro.svg")));

    // 2. Viewers.
    ImageViewerControl* const fiveViewers[5] = {ImageV_1, ImageV_2, ImageV_F, ImageV_S, ImageV_L};
    for (int i = 0; i < 12; ++i) {
        ImageViewerControl* viewer = thumbnail(&window_, i);
        viewer->setDisplayMode(10);
        viewer->setBackgroundColor(kViewerBackground);
    }
    for (ImageViewerControl* viewer : fiveViewers) {
        viewer->setDisplayMode(10);
        viewer->setBackgroundColor(kViewerBackground);
    }
    ImageV_1->setDisplayOn(true);
    ImageV_2->setDisplayOn(true);
    for (ImageViewerControl* viewer : {ImageV_F, ImageV_S, ImageV_L}) viewer->setDisplayOn(false);

    // 3. Text boxes under the large viewers.
    for (auto [box, shown] : {std::pair{textb_1C, true}, std::pair{textb_1N, false},
                              std::pair{textb_2C, true}, std::pair{textb_2N, false}}) {
        box->setReadOnly(true);
        box->setVisible(shown);
    }

    // 10. The turn buttons are offered only when a picture may be turned.
    for (QPushButton* button : {pictbttn_090, pictbttn_180, pictbttn_270}) {
        button->setEnabled(false);
        button->hide();
    }
    // 11. The progress bar is shown only while long work runs.
    progb_1->hide();

    // The window's size, which is the layout's own, decides every place.
    placeControls(FitLayoutToWindow(window_.size(), rightMargin_));
    layoutApplied_ = true;
}

// Once per resize.
void WindowLayout::followResize() {
    if (!layoutApplied_) return;
    const FittedLayout fitted = FitLayoutToWindow(window_.size(), rightMargin_);
    if (!(fitted == fittedLayout_)) placeControls(fitted);
}

// Places every control for the layout; what is shown or enabled stays as it is.
void WindowLayout::placeControls(const FittedLayout& fitted) {
    const ScreenLayout& layout = *fitted.base;
    const QRect& V1 = fitted.viewers[0];
    const QRect& V2 = fitted.viewers[1];
    const int P = layout.pictureButtonHeight;
    const int H = layout.commandButtonHeight;
    const int grow = fitted.widen - fittedLayout_.widen;
    fittedLayout_ = fitted;

    // 2. Viewers.
    ImageViewerControl* const fiveViewers[5] = {ImageV_1, ImageV_2, ImageV_F, ImageV_S, ImageV_L};
    for (int i = 0; i < 5; ++i) fiveViewers[i]->setGeometry(fitted.viewers[i]);

    // 3, 4. Text boxes under the viewers.
    placeUnder(textb_1C, V1, 2);
    placeUnder(textb_1N, V1, 2 + kTextHeight);
    placeUnder(textb_2C, V2, 2);
    placeUnder(textb_2N, V2, 2 + kTextHeight);
    for (auto [box, viewer] : {std::pair{textb_F, ImageV_F}, std::pair{textb_S, ImageV_S},
                               std::pair{textb_L, ImageV_L}}) {
        placeUnder(box, viewer->geometry(), 6);
    }

    // 5, 6. File-name group and thumbnail strip; 8. the list fills the space above it. Height
    // the pictures cannot use goes to the list.
    for (QWidget* box : std::initializer_list<QWidget*>{textb_Caption, combo_Captions})
        box->resize(box->width() + grow, box->height());
    layoutFileNameGroup(bottomOf(textb_2N) + fitted.lower, layout.small, V2.y() + fitted.lower,
                        kFileNameGroupWidth + fitted.widen);
    const int listHeight = groupb_FileName->y() - kListTop;
    lb_Avant->setGeometry(0, kListTop, 0, listHeight);  // left and width follow the column

    // 7. Command column, then the list beside it.
    placeListBesideCommands(H);

    // 9. Move column.
    layoutMoveColumn(rightOf(lb_Avant), listHeight, H, layout.firstMoveButtonOffset);

    // 10. Right column of small picture buttons.
    const int g = (V1.height() - 2 * P) / 3;
    const int rightX = V1.x() + V1.width() + 7;
    const auto rightColumn = {pictbttn_090, pictbttn_180, pictbttn_270, pictbttn_Del,
                              pictbttn_Date};
    for (QPushButton* button : rightColumn) button->resize(P + 6, P);
    pictbttn_Del->move(rightX, V1.y() + g);
    pictbttn_Date->move(rightX, V1.y() + P + g);
    // The turn buttons stand below them.
    pictbttn_090->move(rightX, V1.y() + 2 * P + 2 * g);
    pictbttn_180->move(rightX, V1.y() + 3 * P + 2 * g + 4);
    pictbttn_270->move(rightX, V1.y() + 4 * P + 2 * g + 8);

    // 11. Progress bar.
    const QRect& VL = fitted.viewers[4];
    progb_1->setGeometry(V1.x(), VL.y() + VL.height() / 2 - 18, V1.width(), progb_1->height());

    // 12. Top row.
    layoutTopRow();
}

void WindowLayout::layoutFileNameGroup(int bottom, bool smallLayout, int V2y, int width) {
    const int T = kThumbnailSide;
    const int top = smallLayout ? V2y - 6 : bottom - (T + 119);
    groupb_FileName->setGeometry(kLeftColumn, top, width, bottom - top);
    const int G = top;
    for (QLabel* label : {label_Type, label_Caption}) label->move(label->x(), G + 24);
    for (QLineEdit* box : {textb_FileType, textb_Caption}) {
        box->setGeometry(box->x(), G + 21, box->width(), kTextHeight);
    }
    const std::pair<QComboBox*, QLineEdit*> combos[] = {{combo_FileTypes, textb_FileType},
                                                        {combo_Captions, textb_Caption}};
    for (auto [combo, box] : combos) {
        combo->setGeometry(box->x(), box->y() + 33, box->width(), kTextHeight);
    }
    const std::pair<QPushButton*, QLineEdit*> clears[] = {{pictbttn_ClearTypes, textb_FileType},
                                                          {pictbttn_ClearCaptions, textb_Caption}};
    for (auto [button, box] : clears) {
        button->move(box->x() - button->width() - 7, box->y() + 30);
        button->setIcon(QIcon(QStringLiteral(":/icons/Del.svg")));
    }
    // The list of types is as wide as its entries need, "Types" whole, up to the captions'
    // clear button.
    const int typesRoom = pictbttn_ClearCaptions->x() - 5 - combo_FileTypes->x();
    combo_FileTypes->resize(std::clamp(combo_FileTypes->sizeHint().width(), textb_FileType->width(),
                                       std::max(typesRoom, textb_FileType->width())),
                            kTextHeight);

    // The strip keeps its place at the left of a group that a wider window widened.
    const int memoLeft = kLeftColumn + (kFileNameGroupWidth - 60 - 13 * T) / 2;
    const int memoTop = combo_FileTypes->y() + 33;
    cb_Memo->setGeometry(memoLeft, memoTop, T, T);
    pictbttn_ClearSnapkeep->setIcon(QIcon(QStringLiteral(":/icons/Del.svg")));
    placeSnapkeepStrip();
}

// The Snapkeep button is square like the thumbnails unless its caption needs more room; the
// thumbnails follow it, and the group's frame follows the last of them.
void WindowLayout::placeSnapkeepStrip() {
    const int T = cb_Memo->height();  // the layout made it a square of the thumbnail size
    const int memoLeft = cb_Memo->x();
    const int memoTop = cb_Memo->y();
    cb_Memo->resize(std::max(T, TextWidthNeeded(cb_Memo)), T);
    groupb_FileName->resize(kFileNameGroupWidth + fittedLayout_.widen + cb_Memo->width() - T,
                            groupb_FileName->height());
    for (int i = 0; i < 12; ++i) {
        const int left = rightOf(cb_Memo) + 5 + i * (T + 5);
        thumbnail(&window_, i)->setGeometry(left, memoTop, T, T);
        thumbnailCaption(&window_, i)->setGeometry(left, memoTop + T + 6, T, kTextHeight);
    }
    pictbttn_ClearSnapkeep->move(
        memoLeft + (cb_Memo->width() - pictbttn_ClearSnapkeep->width()) / 2, memoTop + T + 4);
}

// The list keeps its right edge; a wider command column takes its room from the list.
void WindowLayout::placeListBesideCommands(int buttonHeight) {
    const int listRight = kLeftColumn + kCommandColumnWidth + 15 + kListWidth + fittedLayout_.widen;
    const int execWidth = layoutCommandColumn(lb_Avant->height(), buttonHeight);
    const int left = kLeftColumn + execWidth + 15;
    lb_Avant->setGeometry(left, kListTop, listRight - left, lb_Avant->height());
    label_Avant->adjustSize();
    label_Avant->move(lb_Avant->x() + (lb_Avant->width() - label_Avant->width()) / 2, 40);
}

void WindowLayout::fitToTexts() {
    fitControlsToTexts();
    placeLabelsAgainstTextBoxes();
}

void WindowLayout::fitControlsToTexts() {
    if (!layoutApplied_) return;
    placeListBesideCommands(cb_Dossier->height());
    placeSnapkeepStrip();
    layoutTopRow();
}

int WindowLayout::layoutCommandColumn(int listHeight, int H) {
    QPushButton* const places[8] = {cb_Dossier,   cb_Sort,        cb_Tout,      cb_Renommer,
                                    cb_Appliquer, cb_Renumeroter, cb_Diaporama, cb_Quit};
    // The buttons are as wide as the widest caption needs, never narrower than the template.
    int buttonWidth = kCommandColumnWidth - 10;
    for (QPushButton* button : places) buttonWidth = std::max(buttonWidth, TextWidthNeeded(button));
    for (QPushButton* button :
         {cb_AnnulerRenommage, cb_AnnulerApplication, cb_AnnulerRenumerotage}) {
        buttonWidth = std::max(buttonWidth, TextWidthNeeded(button));
    }
    groupb_Exec->setGeometry(kLeftColumn, 49, buttonWidth + 10, listHeight + 7);
    const int s = std::min((groupb_Exec->height() - 8 * H) / 9, 32);
    for (int i = 0; i < 8; ++i)
        places[i]->setGeometry(20, 49 + s + 5 + i * (H + s), buttonWidth, H);
    // Each cancel button takes the place of the command it undoes.
    cb_AnnulerRenommage->setGeometry(cb_Renommer->geometry());
    cb_AnnulerApplication->setGeometry(cb_Appliquer->geometry());
    cb_AnnulerRenumerotage->setGeometry(cb_Renumeroter->geometry());
    return groupb_Exec->width();
}

void WindowLayout::layoutMoveColumn(int listRight, int listHeight, int H, int firstOffset) {
    constexpr int side = 34;
    groupb_Move->setGeometry(listRight + 15, 49, 100, listHeight + 7);
    const int left = groupb_Move->x() + groupb_Move->width() / 2 - side / 2;
    int top = groupb_Move->y() + firstOffset;
    const std::pair<QPushButton*, int> buttons[] = {{pictbttn_ToStart10, 0},
                                                    {pictbttn_ToStart1, side + 5},
                                                    {pictbttn_TargetMove, side + 10},
                                                    {pictbttn_ToEnd1, side + 10},
                                                    {pictbttn_ToEnd10, side + 5}};
    for (auto [button, step] : buttons) {
        top += step;
        button->setGeometry(left, top, side, side);
    }
    const int scaleTop = pictbttn_ToStart10->y() - 6;
    groupb_Scale->setGeometry(left - 1, scaleTop, 36, bottomOf(pictbttn_ToEnd10) - scaleTop);

    const int s2 = std::min((bottomOf(groupb_Move) - bottomOf(groupb_Scale) - 3 * (H + 3)) / 3, 32);
    int buttonTop = bottomOf(groupb_Scale) + 6 + s2;
    for (QPushButton* button : {cb_AccepterDeplacer, cb_AnnulerDeplacer, cb_VersDossier}) {
        button->setGeometry(groupb_Move->x() + 5, buttonTop, groupb_Move->width() - 10, H - 3);
        buttonTop += H + s2;
    }
}

void WindowLayout::layoutTopRow() {
    const int top = textb_Dossier->y();
    combo_Languages->setGeometry(combo_Languages->x(), top, combo_Languages->width(), kTextHeight);
    for (QWidget* w : std::initializer_list<QWidget*>{textb_FichiersAuDossier, cb_Aide, cb_About}) {
        w->setGeometry(w->x(), top, std::max(w->width(), TextWidthNeeded(w)), kTextHeight);
    }
    const int pictureColumn = ImageV_1->x();
    textb_FichiersAuDossier->move(pictureColumn, top);
    label_Dossier->move(label_Dossier->x(), top + 2);
    label_FichiersAuDossier->move(label_FichiersAuDossier->x(), top + 2);

    // The space right of the file count is shared out in equal gaps before each control.
    const bool languagesShown = combo_Languages->count() > 1;
    combo_Languages->setVisible(languagesShown);
    std::vector<QWidget*> row;
    if (languagesShown) row.push_back(combo_Languages);
    row.push_back(cb_Aide);
    row.push_back(cb_About);
    const int start = rightOf(textb_FichiersAuDossier);
    const int end = rightOf(pictbttn_090);
    int used = 0;
    for (QWidget* w : row) used += w->width();
    const int gap = std::max(0, (end - start - used) / static_cast<int>(row.size()));
    int x = start;
    for (QWidget* w : row) {
        x += gap;
        w->move(x, top);
        x += w->width();
    }
    textb_Dossier->setGeometry(lb_Avant->x(), top, pictureColumn - lb_Avant->x(), kTextHeight);
    placeLabelsAgainstTextBoxes();
}

// Each label ends 5 pixels left of its text box; the folder box gives way to the label of
// the file count when they would overlap.
void WindowLayout::placeLabelsAgainstTextBoxes() {
    const std::pair<QLabel*, QLineEdit*> pairs[] = {
        {label_Dossier, textb_Dossier},
        {label_FichiersAuDossier, textb_FichiersAuDossier},
        {label_Caption, textb_Caption}};
    for (auto [label, box] : pairs) {
        label->adjustSize();
        label->move(box->x() - label->width() - 5, label->y());
    }
    if (label_FichiersAuDossier->x() < textb_Dossier->x() + textb_Dossier->width()) {
        textb_Dossier->resize(label_FichiersAuDossier->x() - textb_Dossier->x() - 5,
                              textb_Dossier->height());
    }
}

}  // namespace lumaro
