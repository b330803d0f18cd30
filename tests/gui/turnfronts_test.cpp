// The window's turn button and lumaro-cli turn, given the same PNG picture, write the same
// file: both fronts turn through one operation, so neither can refuse what the other turns.
// And the window says why a picture was not turned in the user's language.
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "core/settings/messagekeys.h"
#include "support/controls.h"
#include "support/formfixture.h"

using namespace lumaro;
using namespace lumaro::testing;

class TurnFrontsTest : public QObject {
    Q_OBJECT
private slots:
    void windowAndCommandLineTurnAPngIntoTheSamePixels();
    void whyAPictureWasNotTurnedIsSaidInTheUsersLanguage();
};

namespace {

// Loads `folder` in the window, its pictures of `type`, and selects the first.
void loadAndSelectFirst(FormFixture& fx, const QString& folder, const QString& type) {
    Control<QLineEdit>(fx.form(), "textb_FileType")->setText(type);
    fx.responder().folders.push_back(folder);
    QTest::mouseClick(Control<QPushButton>(fx.form(), "cb_Dossier"), Qt::LeftButton);
    auto* list = Control<QListWidget>(fx.form(), "lb_Avant");
    QVERIFY(list->count() > 0);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                      list->visualItemRect(list->item(0)).center());
}

}  // namespace

void TurnFrontsTest::windowAndCommandLineTurnAPngIntoTheSamePixels() {
    QTemporaryDir window, commandLine;
    QImage picture(40, 20, QImage::Format_RGB32);
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 40; ++x) picture.setPixel(x, y, qRgb(x * 6, y * 12, (x * y) % 256));
    }
    const QString name = QStringLiteral("01  a.png");
    QVERIFY(picture.save(window.filePath(name), "PNG"));
    QVERIFY(picture.save(commandLine.filePath(name), "PNG"));

    FormFixture fx;
    fx.start();
    loadAndSelectFirst(fx, window.path(), QStringLiteral("png"));
    QTest::mouseClick(Control<QPushButton>(fx.form(), "pictbttn_090"), Qt::LeftButton);

    QProcess cli;
    cli.start(QStringLiteral(LUMARO_CLI), {QStringLiteral("turn"), commandLine.filePath(name),
                                           QStringLiteral("--angle"), QStringLiteral("90")});
    QVERIFY(cli.waitForFinished(60000));
    QCOMPARE(cli.exitCode(), 0);

    const QImage byWindow(window.filePath(name), "PNG");
    const QImage byCommandLine(commandLine.filePath(name), "PNG");
    QCOMPARE(byWindow.size(), QSize(20, 40));
    QCOMPARE(byCommandLine.convertToFormat(QImage::Format_RGB32),
             byWindow.convertToFormat(QImage::Format_RGB32));
    QCOMPARE(byWindow.convertToFormat(QImage::Format_RGB32),
             picture.transformed(QTransform().rotate(90)));
    QCOMPARE(fx.responder().shown.size(), 1);  // the folder browser, and no message
}

// A picture of two frames would lose the second: the turn refuses it, and the reason follows
// the message in the language the window speaks, not in the core's words.
void TurnFrontsTest::whyAPictureWasNotTurnedIsSaidInTheUsersLanguage() {
    QTemporaryDir dir;
    const QString frames = dir.filePath(QStringLiteral("01  a.gif"));
    QCOMPARE(QProcess::execute("convert",
                               {"-delay", "20", "-size", "12x8", "xc:red", "xc:green", frames}),
             0);
    FormFixture fx;
    fx.installShipped("French.lng");
    fx.writeHomeFile("Lumaro.ini",
                     "[Language]\r\nFrench\r\n[Default Folders]\r\n\r\n\r\n\r\n"
                     "[SlideShow Title Format]\r\nDate\r\n[File Types]\r\nTypes\r\njpg\r\n"
                     "[Captions]\r\n[End of Application data]\r\n");
    Form1& form = fx.start();
    QCOMPARE(form.currentLanguage(), std::string("French"));
    loadAndSelectFirst(fx, dir.path(), QStringLiteral("gif"));
    fx.responder().shown.clear();
    QTest::mouseClick(Control<QPushButton>(fx.form(), "pictbttn_090"), Qt::LeftButton);
    QCOMPARE(fx.responder().texts(),
             QStringList{form.message(kMessageTurnFailed) + "\n" + frames + " (" +
                         form.message(kMessageSeveralPicturesInFile) + ")"});
    QVERIFY(form.message(kMessageSeveralPicturesInFile).startsWith("le fichier contient"));
}

QTEST_MAIN(TurnFrontsTest)
#include "turnfronts_test.moc"
