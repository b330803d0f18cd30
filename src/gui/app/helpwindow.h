// The help viewer: a window of the program that shows a help file on its contents.
#pragma once

#include <QWidget>

class QTextBrowser;

namespace lumaro {

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* owner);
    // Shows the HTML help file at its contents section; false when the file cannot be read.
    bool showHelp(const QString& path);
    QString shownFile() const { return shownFile_; }
    QTextBrowser* browser() const { return browser_; }

private:
    QTextBrowser* browser_;
    QString shownFile_;
};

}  // namespace lumaro
