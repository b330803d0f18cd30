// Loading a folder of 10,000 numbered pictures in the real window, from the click on the
// folder button to the listed state, against the core listing of the same folder alone.
#include <QApplication>
#include <QDialog>
#include <QListWidget>
#include <QPushButton>
#include <cstdio>

#include "app/form1.h"
#include "benchsupport.h"
#include "pictures/folderlisting.h"
#include "toolkit/dialogservice.h"

using namespace lumaro;
using namespace lumaro::bench;

namespace {
constexpr int kPictures = 10000;

// Chooses the benchmark folder whenever the window asks for one.
class FolderAnswer : public DialogService {
public:
    explicit FolderAnswer(QString folder) : folder_(std::move(folder)) {}
    void message(QWidget*, const QString&, const QString& text) override {
        std::fprintf(stderr, "unexpected message: %s\n", qPrintable(text));
    }
    int question(QWidget*, const QString&, const QString&) override { return kAnswerNo; }
    std::optional<QString> browseFolder(QWidget*, const QString&) override { return folder_; }
    int execDialog(QDialog&) override { return QDialog::Rejected; }

private:
    QString folder_;
};
}  // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    TempFolder home("gui-load-home");
    TempFolder pictures("gui-load");
    qputenv("LUMARO_HOME", QByteArray::fromStdString(home.path()));
    QApplication app(argc, argv);

    char name[64];
    for (int i = 1; i <= kPictures; ++i) {
        std::snprintf(name, sizeof name, "%05d  Vacances en Italie %d.jpg", i, i % 37);
        WriteFile(pictures.path(), name, "x");
    }
    SetDialogService(std::make_unique<FolderAnswer>(QString::fromStdString(pictures.path())));
    Form1 form;
    form.show();

    const Timings t = TimeAlternately(
        [&] { KeepResult(ListFolderOrdered(pictures.path() + "/", "jpg", ListCriterion::Name)); },
        [&] {
            form.cb_Dossier->click();
            if (form.mainWindowState() != 1 || form.lb_Avant->count() != kPictures) {
                std::fprintf(stderr, "the folder did not load: state %d, %d pictures\n",
                             form.mainWindowState(), form.lb_Avant->count());
                std::exit(1);
            }
        },
        7);
    PrintMedians("gui-load", t);
    PrintBench("gui-load", t.measured, t.baseline, 2);
    return 0;
}
