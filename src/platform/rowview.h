#pragma once

#include "platform/color.h"

#include <QAbstractItemView>
#include <QDrag>
#include <QItemSelectionModel>
#include <QMimeData>
#include <QPalette>

#include <functional>
#include <memory>

namespace tk {

// The item view inside our list controls (a QTreeView or a QListView): one selected row at a time,
// chosen by a press or the keys. A press on empty space or with Ctrl never takes the selection away,
// as in the old lists, where only the program clears it. When `dragData` is set, dragging the selected
// row out starts a drag carrying what it returns.
template <class View> class RowView : public View {
public:
    using View::View;

    std::function<std::unique_ptr<QMimeData>()> dragData;

    // Selects row `row` (0-based) and makes it current, as a press on it would.
    void selectRow(int row) {
        const QModelIndex i = this->model()->index(row, 0);
        if (i.isValid()) {
            this->selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect |
                                                           QItemSelectionModel::Rows);
        }
    }

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* = nullptr) const override {
        if (!index.isValid()) {
            return QItemSelectionModel::NoUpdate;
        }
        return QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows;
    }

    void startDrag(Qt::DropActions) override {
        if (!dragData) {
            return;
        }
        std::unique_ptr<QMimeData> data = dragData();
        if (!data) {
            return;
        }
        auto* drag = new QDrag(this);
        drag->setMimeData(data.release());
        drag->exec(Qt::CopyAction, Qt::CopyAction);
    }
};

// Gives a list's view its back colour, with the window text colour for the entries.
inline void setViewBackColor(QAbstractItemView& view, OleColor color) {
    QPalette pal = view.palette();
    pal.setColor(QPalette::Base, toQColor(color));
    pal.setColor(QPalette::Text, toQColor(kSysWindowText));
    view.setPalette(pal);
}

} // namespace tk
