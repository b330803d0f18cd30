// The dialog service the program runs with (Qt message boxes, folder browser), and its replacement.
#include "gui/toolkit/dialogservice.h"

#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace lumaro {

namespace {

class QtDialogService : public DialogService {
public:
    void message(QWidget* parent, const QString& caption, const QString& text) override {
        QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, parent);
        box.exec();
    }

    int question(QWidget* parent, const QString& caption, const QString& text,
                 QuestionRisk risk) override {
        const bool destructive = risk == QuestionRisk::Destructive;
        QMessageBox box(destructive ? QMessageBox::Warning : QMessageBox::Information, caption,
                        text, QMessageBox::Yes | QMessageBox::No, parent);
        box.setDefaultButton(destructive ? QMessageBox::No : QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
        return box.exec() == QMessageBox::Yes ? kAnswerYes : kAnswerNo;
    }

    int choose(QWidget* parent, const QString& caption, const QString& text,
               const QStringList& choices) override {
        QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::NoButton, parent);
        QList<QPushButton*> buttons;
        for (qsizetype i = 0; i < choices.size(); ++i) {
            const bool last = i + 1 == choices.size();
            buttons << box.addButton(choices[i],
                                     last ? QMessageBox::RejectRole : QMessageBox::AcceptRole);
        }
        if (!buttons.isEmpty()) {
            box.setDefaultButton(buttons.first());
            box.setEscapeButton(buttons.last());
        }
        box.exec();
        const qsizetype chosen = buttons.indexOf(static_cast<QPushButton*>(box.clickedButton()));
        return static_cast<int>(chosen < 0 ? choices.size() - 1 : chosen);
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
