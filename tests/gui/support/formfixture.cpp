// The main window fixture: a temporary program folder, files put in it, the window started.
#include "support/formfixture.h"

#include <QFile>
#include <QTest>

#include "gui/toolkit/screen.h"

namespace lumaro::testing {

FormFixture::FormFixture(int screenHeight) : responder_(&ScriptedResponder::install()) {
    qputenv("LUMARO_HOME", dir_.path().toUtf8());
    SetScreenSizeOverride(QSize(1280, screenHeight));
}

FormFixture::~FormFixture() {
    form_.reset();
    SetDialogService(nullptr);
    SetScreenSizeOverride(QSize());
}

void FormFixture::writeHomeFile(const QString& name, const QByteArray& content) const {
    QFile file(dir_.filePath(name));
    file.open(QIODevice::WriteOnly);
    file.write(content);
}

void FormFixture::installShipped(const QString& name) const {
    QFile::copy(QStringLiteral(LUMARO_DATA_DIR "/") + name, dir_.filePath(name));
}

QByteArray FormFixture::readSettings() const {
    QFile file(settingsPath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

Form1& FormFixture::start() {
    form_ = std::make_unique<Form1>();
    form_->show();
    return *form_;
}

void FormFixture::closeForm() {
    form_->close();
    QTRY_VERIFY(!form_->isVisible());
}

}  // namespace lumaro::testing
