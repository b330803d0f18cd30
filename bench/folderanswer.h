// A dialog service for window benchmarks: the folder browser answers one folder, questions
// are answered No (or by their last button, the one that cancels), and any message is printed,
// since a benchmark expects none.
#pragma once

#include <QDialog>
#include <QString>
#include <cstdio>
#include <optional>
#include <utility>

#include "gui/toolkit/dialogservice.h"

namespace lumaro::bench {

class FolderAnswer : public DialogService {
public:
    explicit FolderAnswer(QString folder) : folder_(std::move(folder)) {}
    void message(QWidget*, const QString&, const QString& text) override {
        std::fprintf(stderr, "unexpected message: %s\n", qPrintable(text));
    }
    int question(QWidget*, const QString&, const QString&) override { return kAnswerNo; }
    int choose(QWidget*, const QString&, const QString&, const QStringList& choices) override {
        return static_cast<int>(choices.size()) - 1;
    }
    std::optional<QString> browseFolder(QWidget*, const QString&) override { return folder_; }
    int execDialog(QDialog&) override { return QDialog::Rejected; }

private:
    QString folder_;
};

}  // namespace lumaro::bench
