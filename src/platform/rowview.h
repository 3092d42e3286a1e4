#pragma once

#include "platform/color.h"

#include <QAbstractItemView>
#include <QDrag>
#include <QItemSelectionModel>
#include <QMimeData>
#include <QPalette>
#include <QScrollBar>

#include <functional>
#include <memory>

namespace tk {

// The item view inside our list controls (a QTreeView or a QListView): one selected row at a time,
// chosen by a press or the keys. A press on empty space or with Ctrl never takes the selection away,
// as in the old lists, where only the program clears it. When `dragData` is set, dragging the selected
// row out starts a drag carrying what it returns. Bringing a row into view scrolls up and down, never
// sideways: a list wider than its view keeps the horizontal position its scroll bar gave it.
template <class View> class RowView : public View {
public:
    using View::View;

    std::function<std::unique_ptr<QMimeData>()> dragData;

    // The item view brings the current index into view, cell and all: a tree view would scroll to the
    // column that was clicked, pushing the first columns out on the next arrow key. A row is in view
    // when it is in view vertically, so the horizontal position is kept.
    void scrollTo(const QModelIndex& index,
                  QAbstractItemView::ScrollHint hint = QAbstractItemView::EnsureVisible) override {
        QScrollBar* across = this->horizontalScrollBar();
        const int x = across->value();
        View::scrollTo(index, hint);
        across->setValue(x);
    }

    // Selects row `row` (0-based), makes it current and brings it into view.
    void selectRow(int row) {
        const QModelIndex i = this->model()->index(row, 0);
        if (i.isValid()) {
            this->selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect |
                                                           QItemSelectionModel::Rows);
        }
    }

    // Selects the row under a press before the view handles the press, without scrolling: the view
    // must find the same row under the mouse. The view brings the row into view itself once a
    // double-click can no longer follow.
    void selectPressedRow(int row) {
        const bool autoScroll = this->hasAutoScroll();
        this->setAutoScroll(false);
        selectRow(row);
        this->setAutoScroll(autoScroll);
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
