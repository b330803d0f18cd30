// FormatNom: asks how an unnumbered folder is to be numbered (replace the names, insert a
// number in front, or leave them) and in which order (by name or by picture date).
#pragma once

#include <QDialog>
#include <QStringList>

class QGroupBox;
class QPushButton;
class QRadioButton;

namespace lumaro {

class FormatNom : public QDialog {
    Q_OBJECT
public:
    // Positions of the ten texts exchanged with the dialog.
    enum Text : int {
        CaptionAndFormatAnswer = 0,
        CancelCaption = 1,
        FormatGroupCaption = 2,
        ReplaceCaption = 3,
        InsertCaption = 4,
        LeaveCaption = 5,
        SortGroupCaption = 6,
        ByNameCaption = 7,
        ByDateCaption = 8,
        SortAnswer = 9,
        TextCount = 10,
    };

    // Takes the texts; on closing writes the format answer ("1", "2", "3", "-1") into
    // position 0 and the sort answer ("N", "D") into position 9.
    FormatNom(QStringList& texts, QWidget* parent);

    QGroupBox* groupb_Format;
    QRadioButton* optb_1;
    QRadioButton* optb_2;
    QRadioButton* optb_3;
    QPushButton* cb_OK;
    QPushButton* cb_Cancel;
    QGroupBox* groupb_Sort;
    QRadioButton* optb_SortByName;
    QRadioButton* optb_SortByDate;

    void done(int result) override;

private:
    QStringList& texts_;
};

}  // namespace lumaro
