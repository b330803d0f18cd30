// The help viewer: a text browser that opens a help file at its contents.
#include "gui/app/helpwindow.h"

#include <QFile>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace lumaro {

HelpWindow::HelpWindow(QWidget* owner)
    : QWidget(owner, Qt::Window), browser_(new QTextBrowser(this)) {
    setObjectName(QStringLiteral("HelpWindow"));
    browser_->setObjectName(QStringLiteral("helpBrowser"));
    browser_->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    resize(640, 720);
}

bool HelpWindow::showHelp(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    file.close();
    shownFile_ = path;
    QUrl url = QUrl::fromLocalFile(path);
    url.setFragment(QStringLiteral("contents"));
    // The files end in ".hlp": tell the browser they are HTML.
    browser_->setSource(url, QTextDocument::HtmlResource);
    setWindowTitle(browser_->documentTitle().isEmpty() ? tr("Lumaro help")
                                                       : browser_->documentTitle());
    show();
    raise();
    activateWindow();
    return true;
}

}  // namespace lumaro
