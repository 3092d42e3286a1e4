#include "platform/listbox.h"

#include "platform/errors.h"
#include "platform/rowview.h"

#include <QAbstractListModel>
#include <QKeyEvent>
#include <QListView>
#include <QMimeData>
#include <QMouseEvent>
#include <QPointer>

namespace tk {

// The entries as UTF-8 texts (file names keep their exact bytes), shown as Unicode.
class ListBoxBase::Model final : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    std::vector<std::string> entries;
    bool dragEnabled = false;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override {
        return parent.isValid() ? 0 : static_cast<int>(entries.size());
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || index.row() >= rowCount() || role != Qt::DisplayRole) {
            return {};
        }
        return QString::fromStdString(entries[static_cast<std::size_t>(index.row())]);
    }
    Qt::ItemFlags flags(const QModelIndex& index) const override {
        if (!index.isValid()) {
            return Qt::NoItemFlags;
        }
        Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
        if (dragEnabled) {
            f |= Qt::ItemIsDragEnabled;
        }
        return f;
    }

    void insert(int at, std::string text) {
        beginInsertRows(QModelIndex(), at, at);
        entries.insert(entries.begin() + at, std::move(text));
        endInsertRows();
    }
    void set(int i, std::string text) {
        entries[static_cast<std::size_t>(i)] = std::move(text);
        emit dataChanged(index(i), index(i), {Qt::DisplayRole});
    }
    void remove(int i) {
        beginRemoveRows(QModelIndex(), i, i);
        entries.erase(entries.begin() + i);
        endRemoveRows();
    }
    void reset(std::vector<std::string> all) {
        beginResetModel();
        entries = std::move(all);
        endResetModel();
    }
};

class ListBoxBase::View final : public RowView<QListView> {
public:
    using RowView::RowView;
};

ListBoxBase::ListBoxBase(QWidget* parent, std::string name, int index)
    : Control(parent, std::move(name), index)
    , m_model(new Model(this))
    , m_view(new View) {
    m_view->setModel(m_model);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setUniformItemSizes(true);
    m_view->dragData = [this] { return dragData(); };
    setFocusProxy(m_view);
    hostInner(m_view);
    setBackColor(m_backColor);
    setFont(m_font);
}

ListBoxBase::~ListBoxBase() = default;

QAbstractItemModel& ListBoxBase::model() {
    return *m_model;
}

QListView& ListBoxBase::view() {
    return *m_view;
}

void ListBoxBase::setBackColor(OleColor color) {
    m_backColor = color;
    setViewBackColor(*m_view, color);
}

void ListBoxBase::setFont(const FontSpec& font) {
    m_font = font;
    m_view->setFont(toQFont(m_font, screenScale()));
}

void ListBoxBase::setDragSource(bool on) {
    m_dragSource = on;
    m_model->dragEnabled = on;
    m_view->setDragEnabled(on);
    m_view->setDragDropMode(on ? QAbstractItemView::DragOnly : QAbstractItemView::NoDragDrop);
}

std::unique_ptr<QMimeData> ListBoxBase::dragData() const {
    return nullptr;
}

int ListBoxBase::entryCount() const {
    return static_cast<int>(m_model->entries.size());
}

std::string ListBoxBase::entry(int i) const {
    if (i < 0 || i >= entryCount()) {
        return {};
    }
    return m_model->entries[static_cast<std::size_t>(i)];
}

void ListBoxBase::insertEntry(int at, std::string text) {
    m_model->insert(at, std::move(text));
}

void ListBoxBase::setEntry(int i, std::string text) {
    m_model->set(i, std::move(text));
}

void ListBoxBase::removeEntry(int i) {
    m_model->remove(i);
}

void ListBoxBase::setEntries(std::vector<std::string> entries) {
    m_model->reset(std::move(entries));
}

int ListBoxBase::selectedEntry() const {
    const QModelIndexList rows = m_view->selectionModel()->selectedIndexes();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void ListBoxBase::selectEntry(int i) {
    if (i < 0) {
        m_view->selectionModel()->clear();
        return;
    }
    m_view->selectRow(i);
    m_view->scrollTo(m_model->index(i));
}

void ListBoxBase::setListIndexWithClick(int i) {
    if (i < -1 || i >= entryCount()) {
        throw RuntimeError(err::kInvalidPropertyValue, "Invalid property value");
    }
    if (i == selectedEntry()) {
        return;
    }
    selectEntry(i);
    raiseEvent([&] { click(); });
}

bool ListBoxBase::entryActivated(int) {
    return false;
}

bool ListBoxBase::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_view->viewport()) {
        return Control::eventFilter(watched, event);
    }
    if (event->type() == QEvent::MouseButtonPress) {
        // The pressed entry is selected before MouseDown is raised.
        const QModelIndex index = m_view->indexAt(static_cast<QMouseEvent*>(event)->position().toPoint());
        if (index.isValid()) {
            m_view->selectPressedRow(index.row());
        }
    } else if (event->type() == QEvent::MouseButtonDblClick) {
        const QModelIndex index = m_view->indexAt(static_cast<QMouseEvent*>(event)->position().toPoint());
        QPointer<ListBoxBase> self(this);
        const bool handled = Control::eventFilter(watched, event);
        if (self && index.isValid() && index.row() < entryCount() && entryActivated(index.row())) {
            return true;
        }
        return handled;
    }
    return Control::eventFilter(watched, event);
}

bool ListBoxBase::innerKeyPress(QKeyEvent* event) {
    QPointer<ListBoxBase> self(this);
    const bool swallowed = Control::innerKeyPress(event);
    if (!self || swallowed) {
        return swallowed;
    }
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && selectedEntry() >= 0) {
        return entryActivated(selectedEntry());
    }
    return false;
}

// The simple list box.

ListBox::ListBox(QWidget* parent, std::string name, int index)
    : ListBoxBase(parent, std::move(name), index) {}

void ListBox::addItem(const std::string& item, int index) {
    if (index < -1 || index > entryCount()) {
        throw RuntimeError(err::kInvalidProcedureCall, "Invalid procedure call or argument");
    }
    insertEntry(index < 0 ? entryCount() : index, item);
}

void ListBox::removeItem(int index) {
    if (index < 0 || index >= entryCount()) {
        throw RuntimeError(err::kInvalidProcedureCall, "Invalid procedure call or argument");
    }
    removeEntry(index);
}

void ListBox::clear() {
    setEntries({});
}

void ListBox::setList(int index, const std::string& text) {
    if (index < 0 || index >= entryCount()) {
        throw RuntimeError(err::kInvalidProcedureCall, "Invalid procedure call or argument");
    }
    setEntry(index, text);
}

} // namespace tk
