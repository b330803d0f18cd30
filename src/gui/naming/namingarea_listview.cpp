// Helpers that keep lb_Avant in step with the picture list: first visible line and selection.
#include <QItemSelection>
#include <QListWidget>
#include <QProgressBar>

#include "core/settings/messagekeys.h"
#include "gui/naming/namingarea.h"
#include "gui/toolkit/dialogservice.h"

namespace lumaro {

int NamingArea::firstVisibleLine() const {
    const QModelIndex top = lb_Avant->indexAt(QPoint(2, 2));
    return top.isValid() ? top.row() : 0;
}

void NamingArea::setFirstVisibleLine(int line) {
    if (QListWidgetItem* item = lb_Avant->item(std::clamp(line, 0, lb_Avant->count() - 1))) {
        lb_Avant->scrollToItem(item, QAbstractItemView::PositionAtTop);
    }
}

// Selects the rows given (ascending) without raising a selection event, in one go.
void NamingArea::selectRows(const std::vector<int>& rows) {
    const QSignalBlocker quiet(lb_Avant);
    QItemSelection selection;
    for (size_t i = 0; i < rows.size();) {
        size_t j = i;
        while (j + 1 < rows.size() && rows[j + 1] == rows[j] + 1) ++j;
        selection.select(lb_Avant->model()->index(rows[i], 0),
                         lb_Avant->model()->index(rows[j], 0));
        i = j + 1;
    }
    lb_Avant->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    if (!rows.empty()) lb_Avant->setCurrentRow(rows.front(), QItemSelectionModel::NoUpdate);
    pictures_.selectedIndices = rows;
}

}  // namespace lumaro
