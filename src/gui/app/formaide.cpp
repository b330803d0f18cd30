// Form_Aide: its French description of the program, line by line, and the window that shows it.
#include "gui/app/formaide.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "gui/toolkit/controlplacing.h"
#include "gui/toolkit/fonts.h"

namespace lumaro {

QString FormAide::HelpText() {
    // Each line ends with one CR LF; a line marked with two ends a paragraph.
    struct Line {
        const char* text;
        bool paragraphEnd;
    };
    static const Line kLines[] = {
        {"Ce programme a été conçu pour donner aux photos", false},
        {"des noms plus parlants que ceux habituellement attribués", false},
        {"par les appareils numériques.", true},
        {"Le programme permet de définir :", false},
        {"- le texte (racine) du nom", false},
        {"- le numéro de départ", false},
        {"- le nombre de chiffres à utiliser", true},
        {"Le renommage puis l'application du résultat donnent", false},
        {"de nouveaux noms de fichier aux images, au format", false},
        {"     123 Vacances en Italie.jpg\r\n     124 Vacances en Italie.jpg", true},
        {"L'utilisateur peut afficher une image sélectionnée, ou", false},
        {"déplacer un groupe d'images et renuméroter le résultat", true},
        {"Les opérations (sauf la renumérotation) peuvent être", false},
        {"annulées", true},
    };
    static const Line kStart[] = {
        {"Pour démarrer, cliquez sur le bouton \"Dossier\".", true},
        {"En mode simple, trois cliques suffisent une fois définis", false},
        {"la racine, le numéro de départ et le nombre de chiffres :", false},
        {"- Sélectionner Tout", false},
        {"- Renommer", false},
        {"- Appliquer", false},
    };
    QString text;
    auto append = [&text](const Line& line) {
        text += QString::fromUtf8(line.text) + QStringLiteral("\r\n");
        if (line.paragraphEnd) text += QStringLiteral("\r\n");
    };
    for (const Line& line : kLines) append(line);
    // The empty line of the text has no characters and no break.
    for (const Line& line : kStart) append(line);
    return text;
}

FormAide::FormAide(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form_Aide"));
    setWindowTitle(QStringLiteral("Aide"));
    setFont(FontFromSpec(QStringLiteral("8.MS Sans Serif")));
    resize(FromDialogUnits(0, 0, 276, 266).size());

    textb_Aide = Named(new QPlainTextEdit(this), "textb_Aide");
    textb_Aide->setReadOnly(true);
    textb_Aide->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    textb_Aide->setFont(FontFromSpec(QStringLiteral("10.MS Sans Serif")));
    textb_Aide->setGeometry(FromDialogUnits(10, 5, 255, 230));
    // The text box shows lines; the CR of each CR LF is the file form of a line break.
    textb_Aide->setPlainText(HelpText().remove(QLatin1Char('\r')));

    cb_OK = Named(new QPushButton(QStringLiteral("OK"), this), "cb_OK");
    cb_OK->setGeometry(FromDialogUnits(115, 245, 50, 15));
    connect(cb_OK, &QPushButton::clicked, this, &QDialog::accept);

    textb_HelpFilePath =
        Named(new QLineEdit(QStringLiteral("Help path"), this), "textb_HelpFilePath");
    textb_HelpFilePath->setGeometry(FromDialogUnits(205, 245, 46, 15));
    textb_HelpFilePath->hide();
}

}  // namespace lumaro
