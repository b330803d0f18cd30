// Every text of the main window and of every dialog fits its control, in English and in every
// shipped language, at the large and the small screen layout: the sizes were set for a narrower
// font.
//
// A dialog joins by adding one row to kDialogs: a function that builds it, filled with the
// texts of the language the window shows, as its handler does.
#include "gui/toolkit/textfit.h"

#include <QComboBox>
#include <QDialog>
#include <QTest>
#include <functional>
#include <memory>

#include "core/settings/messagekeys.h"
#include "gui/naming/formatnom.h"
#include "gui/naming/formrenumerotation.h"
#include "gui/naming/targetmove.h"
#include "gui/pictures/formgetfolder.h"
#include "gui/pictures/formnewfolder.h"
#include "support/formfixture.h"

using namespace lumaro;
using namespace lumaro::testing;

namespace {

// Builds a dialog as its handler would, with `form`'s texts; the dialog owns what it needs.
using DialogBuilder = std::function<std::unique_ptr<QDialog>(Form1& form)>;

// Texts records must live as long as the dialog: they are deleted with it.
template <typename Record>
Record& recordOwnedBy(QDialog* dialog, Record* record) {
    QObject::connect(dialog, &QObject::destroyed, [record] { delete record; });
    return *record;
}

const std::pair<const char*, DialogBuilder> kDialogs[] = {
    {"FormatNom",
     [](Form1& f) {
         auto* texts =
             new QStringList{f.message(kMessageFileName),       f.message(kMessageCancel),
                             f.message(kMessageFileNameFormat), f.message(kMessageReplaceName),
                             f.message(kMessageInsertNumber),   f.message(kMessageLeaveName),
                             f.message(kMessageSortCriterion),  f.message(kMessageByPictureName),
                             f.message(kMessageByPictureDate),  QString()};
         auto dialog = std::make_unique<FormatNom>(*texts, &f);
         recordOwnedBy(dialog.get(), texts);
         return std::unique_ptr<QDialog>(std::move(dialog));
     }},
    {"TargetMove",
     [](Form1& f) {
         auto* texts = new TargetMove::Texts{f.message(kMessageTargetedMove),
                                             f.message(kMessageInsertAfterNumber),
                                             f.message(kMessageInsertAtStartHint),
                                             f.message(kMessageDigitsOnly),
                                             f.message(kMessageValueOutOfRange),
                                             TargetRange{1, 10, "01", "10"},
                                             QString()};
         auto dialog = std::make_unique<TargetMove>(*texts, &f);
         recordOwnedBy(dialog.get(), texts);
         return std::unique_ptr<QDialog>(std::move(dialog));
     }},
    {"FormRenumerotation",
     [](Form1& f) {
         auto* texts = new FormRenumerotation::Texts{f.message(kMessageNumbering),
                                                     f.message(kMessageStartNumberingAt),
                                                     f.message(kMessageNumberOfDigits),
                                                     f.message(kMessageCancel),
                                                     f.message(kMessageDigitsOnly),
                                                     f.message(kMessageWidthOutOfRange),
                                                     QStringLiteral("2"),
                                                     QString()};
         auto dialog = std::make_unique<FormRenumerotation>(*texts, &f);
         recordOwnedBy(dialog.get(), texts);
         return std::unique_ptr<QDialog>(std::move(dialog));
     }},
    {"FormGetFolder",
     [](Form1& f) {
         auto* request = new FolderRequest(
             FolderRequestFor(FolderChoice::MoveToFolder, f.languageTable(), std::string()));
         auto dialog = std::make_unique<FormGetFolder>(*request, &f);
         recordOwnedBy(dialog.get(), request);
         return std::unique_ptr<QDialog>(std::move(dialog));
     }},
    {"FormNewFolder",
     [](Form1& f) {
         const FolderRequest folder =
             FolderRequestFor(FolderChoice::SlideShowFolder, f.languageTable(), std::string());
         auto* request = new NewFolderRequest(NewFolderRequestFor(folder, "/home/"));
         auto dialog = std::make_unique<FormNewFolder>(*request, &f);
         recordOwnedBy(dialog.get(), request);
         return std::unique_ptr<QDialog>(std::move(dialog));
     }},
};

// "name: text (needs N px, has M)" for every label, button, option and group box of
// `window`, shown or hidden, whose text is wider than the control.
QStringList textsThatDoNotFit(QWidget* window) {
    QStringList cut;
    for (QWidget* control : window->findChildren<QWidget*>()) {
        if (control->window() != window) continue;  // another window's controls
        const int needed = TextWidthNeeded(control);
        if (needed > control->width()) {
            cut << QStringLiteral("%1: needs %2 px, has %3")
                       .arg(control->objectName())
                       .arg(needed)
                       .arg(control->width());
        }
    }
    return cut;
}

void chooseLanguage(QComboBox* combo, int index) {
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

}  // namespace

class TextFitTest : public QObject {
    Q_OBJECT
private slots:
    void everyTextFitsItsControlInEveryLanguage_data();
    void everyTextFitsItsControlInEveryLanguage();
};

void TextFitTest::everyTextFitsItsControlInEveryLanguage_data() {
    QTest::addColumn<int>("screenHeight");
    QTest::addColumn<QString>("language");
    for (int height : {1024, 768}) {
        for (const char* language : {"English", "French", "German", "Spanish"})
            QTest::addRow("%d %s", height, language) << height << QString::fromLatin1(language);
    }
}

void TextFitTest::everyTextFitsItsControlInEveryLanguage() {
    QFETCH(int, screenHeight);
    QFETCH(QString, language);
    FormFixture fx(screenHeight);
    for (const char* shipped : {"French.lng", "German.lng", "Spanish.lng"})
        fx.installShipped(QLatin1String(shipped));
    Form1& form = fx.start();
    auto* languages = Control<QComboBox>(form, "combo_Languages");
    QCOMPARE(languages->count(), 4);
    const int index = languages->findData(language);
    QVERIFY(index >= 0);
    chooseLanguage(languages, index);
    QCOMPARE(QString::fromStdString(form.currentLanguage()), language);

    QStringList cut = textsThatDoNotFit(&form);
    for (const auto& [name, build] : kDialogs) {
        const std::unique_ptr<QDialog> dialog = build(form);
        for (const QString& line : textsThatDoNotFit(dialog.get()))
            cut << QLatin1String(name) + QStringLiteral(" ") + line;
    }
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QLatin1Char('\n'))));
}

QTEST_MAIN(TextFitTest)
#include "textfit_test.moc"
