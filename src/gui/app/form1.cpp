// Creation of the main window and its start-up sequence; closing.
#include "gui/app/form1.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QProgressBar>
#include <QPushButton>
#include <QResizeEvent>
#include <QTimer>

#include "core/locking/folderlock.h"
#include "core/settings/constants.h"
#include "core/settings/messagekeys.h"
#include "core/settings/programfolder.h"
#include "gui/app/controltable.h"
#include "gui/app/eventmap.h"
#include "gui/app/formaide.h"
#include "gui/app/helpwindow.h"
#include "gui/app/windowlanguage.h"
#include "gui/app/windowlayout.h"
#include "gui/naming/namingarea.h"
#include "gui/pictures/picturesarea.h"
#include "gui/pictures/viewerstartdata.h"
#include "gui/toolkit/dialogservice.h"
#include "gui/toolkit/fonts.h"
#include "gui/toolkit/resources.h"
#include "gui/toolkit/screen.h"

namespace lumaro {

namespace {
constexpr int kMinimumScreenHeight = 600;
}  // namespace

Form1::Form1(QWidget* parent) : QWidget(parent) {
    InitResources();
    for (const EventMapRow& row : Form1EventMap()) {
        if (row.event == WindowEvent::Create) dispatch(row);
    }
}

Form1::~Form1() {
    for (const EventMapRow& row : Form1EventMap()) {
        if (row.event == WindowEvent::Destroy) dispatch(row);
    }
}

void Form1::Form1_Create() {
    setWindowTitle(QString::fromLatin1(kProgramName));
    setGeometry(FromDialogUnits(25, 103, 527, 333));
    setFont(FontFromSpec(QStringLiteral("8.MS Sans Serif")));
    setObjectName(QStringLiteral("Form1"));
    createControls();
    auto* progressBar = findChild<QProgressBar*>(QStringLiteral("progb_1"));
    progressBar->setValue(0);
    context_.progress().attach(this, progressBar);
    context_.onSaveSettings([this] { SaveSettings(); });
    layout_ = std::make_unique<WindowLayout>(*this);
    // An area's captions that depend on its state come with the others, before the places
    // the new texts need.
    language_ = std::make_unique<WindowLanguage>(context_, [this] {
        naming_->relabel();
        layout_->fitToTexts();
    });
    Form_Aide = new FormAide(this);
    helpWindow = new HelpWindow(this);
    AttachEventMap(*this, [this](const EventMapRow& row) { dispatch(row); });
    initialise();
}

void Form1::Form1_Destroy() {
    // Children (controls, viewers, dialogs, the timer) go with the window; the timer must
    // not tick into a half-destroyed form.
    if (auto* watchTimer = findChild<QTimer*>(QStringLiteral("watchTimer"))) watchTimer->stop();
}

// Each area makes its own controls; they then stand over one another and follow one another
// under the Tab key in the order of the window's template, the viewers last.
void Form1::createControls() {
    for (const ControlSpec& spec : WindowOwnControls()) CreateControl(spec, this);
    naming_ = new NamingArea(context_);
    picturesArea_ = new PicturesArea(context_, *naming_);
    naming_->showPicturesIn(*picturesArea_);
    connect(naming_, &NamingArea::folderOpened, this, &Form1::showFolderInTitle);
    QWidget* previous = nullptr;  // the last control that takes the Tab key
    const auto inOrder = [&](QWidget* control) {
        if (!control) return;
        control->raise();
        if (control->focusPolicy() == Qt::NoFocus) return;
        if (previous) setTabOrder(previous, control);
        previous = control;
    };
    for (const ControlSpec& spec : MainWindowControls())
        inOrder(findChild<QWidget*>(QLatin1String(spec.name)));
    for (const ViewerStartData& data : StoredViewerData()) inOrder(findChild<QWidget*>(data.name));
    // Group boxes frame the controls drawn over them.
    for (QGroupBox* group : findChildren<QGroupBox*>()) group->lower();
    for (QPushButton* button : findChildren<QPushButton*>()) button->setDown(false);
}

// Steps 8 to 27 of the start-up.
void Form1::initialise() {
    versionText = kVersionText;

    context_.setProgramFolders(FindProgramFolders());
    // Lock files of folders that cannot be locked go to the state folder without a runtime one.
    SetFolderLockSettings({.stateFolder = context_.programFolders().state});
    // A folder that cannot be made shows as settings not saved.
    CreateUserFolders(context_.programFolders());
    settingsPath = SettingsFilePath(context_.programFolders());
    settingsUnreadable_ = ProbeSettingsFile(settingsPath) == SettingsFileState::Unreadable;
    if (settingsUnreadable_ || !LoadSettings()) {
        naming_->useDefaultSettings();
        picturesArea_->useDefaultSettings();
        language_->setName(kEnglish);
    }
    context_.languageTable().resize(static_cast<int>(BuiltInEnglishEntries().size()));
    language_->fill();
    if (settingsUnreadable_) {
        Dialogs().message(this, QString(),
                          message(kMessageSettingsUnreadable) + QStringLiteral("\n") +
                              QString::fromStdString(settingsPath));
    }

    context_.setScreenArea(QRect(QPoint(0, 0), ScreenSize()));
    if (screenTooLow()) return;

    ApplyScreenLayout(context_.screenArea().height());
    naming_->ApplyWindowState(WindowState::NoFolder);
    language_->chooseHelpFile();
    language_->selectInList();
    naming_->start();
    repaint();
}

// A screen lower than 600 pixels cannot show the window: say so and close.
bool Form1::screenTooLow() {
    if (context_.screenArea().height() >= kMinimumScreenHeight) return false;
    Dialogs().message(this, QString::fromLatin1(kProgramName), message(kMessageScreenTooSmall));
    requestClose();
    return true;
}

// The program's name, after the name of the open folder when there is one, so that the taskbar
// tells two windows apart.
void Form1::showFolderInTitle(const QString& folder) {
    const QString program = QString::fromLatin1(kProgramName);
    if (folder.isEmpty()) {
        setWindowTitle(program);
        return;
    }
    const QString path = QDir::cleanPath(folder);
    const QString name = QFileInfo(path).fileName();
    setWindowTitle((name.isEmpty() ? path : name) + QStringLiteral(" \u2014 ") + program);
}

void Form1::OpenFolderAtStart(const std::string& folder) {
    if (!closeRequested_) naming_->OpenFolderAtStart(folder);
}

void Form1::requestClose() {
    if (closeRequested_) return;
    closeRequested_ = true;
    QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
}

void Form1::ApplyScreenLayout(int screenHeight) { layout_->apply(screenHeight); }

// A resized or maximised window takes the largest layout that fits it, once per resize.
void Form1::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (layout_) layout_->followResize();
}

void Form1::closeEvent(QCloseEvent* event) {
    for (const EventMapRow& row : Form1EventMap()) {
        if (row.event == WindowEvent::Close) dispatch(row);
    }
    event->accept();
}

void Form1::Form1_Close_SaveSettings() { SaveSettings(); }

void Form1::Form1_Close_EndApplication() {
    // The main window's close ends the application with exit code 0: Qt quits when its
    // last window closes. Owned windows close with it.
    helpWindow->close();
    Form_Aide->close();
    picturesArea_->closeWindows();
}

void Form1::cb_Quit_Click() {
    requestClose();
    context_.languageTable().resize(0);
}

}  // namespace lumaro
