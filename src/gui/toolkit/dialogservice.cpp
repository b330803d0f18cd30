// The dialog service the program runs with (Qt message boxes, folder browser), and its replacement.
#include "gui/toolkit/dialogservice.h"

#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>

namespace lumaro {

namespace {

class QtDialogService : public DialogService {
public:
    void message(QWidget* parent, const QString& caption, const QString& text) override {
        QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, parent);
        box.exec();
    }

    int question(QWidget* parent, const QString& caption, const QString& text) override {
        QMessageBox box(QMessageBox::Information, caption, text, QMessageBox::Yes | QMessageBox::No,
                        parent);
        return box.exec() == QMessageBox::Yes ? kAnswerYes : kAnswerNo;
    }

    std::optional<QString> browseFolder(QWidget* parent, const QString& startFolder) override {
        const QString folder = QFileDialog::getExistingDirectory(parent, QString(), startFolder);
        if (folder.isEmpty()) return std::nullopt;
        return folder;
    }

    int execDialog(QDialog& dialog) override { return dialog.exec(); }
};

std::unique_ptr<DialogService>& installed() {
    static std::unique_ptr<DialogService> service;
    return service;
}

}  // namespace

DialogService& Dialogs() {
    static QtDialogService real;
    return installed() ? *installed() : real;
}

void SetDialogService(std::unique_ptr<DialogService> service) { installed() = std::move(service); }

}  // namespace lumaro
