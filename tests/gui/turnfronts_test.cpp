// The window's turn button and lumaro-cli turn, given the same PNG picture, write the same
// file: both fronts turn through one operation, so neither can refuse what the other turns.
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "support/controls.h"
#include "support/formfixture.h"

using namespace lumaro;
using namespace lumaro::testing;

class TurnFrontsTest : public QObject {
    Q_OBJECT
private slots:
    void windowAndCommandLineTurnAPngIntoTheSamePixels();
};

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
    Control<QLineEdit>(fx.form(), "textb_FileType")->setText(QStringLiteral("png"));
    fx.responder().folders.push_back(window.path());
    QTest::mouseClick(Control<QPushButton>(fx.form(), "cb_Dossier"), Qt::LeftButton);
    auto* list = Control<QListWidget>(fx.form(), "lb_Avant");
    QCOMPARE(list->count(), 1);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                      list->visualItemRect(list->item(0)).center());
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

QTEST_MAIN(TurnFrontsTest)
#include "turnfronts_test.moc"
