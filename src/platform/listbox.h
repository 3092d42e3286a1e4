#pragma once

#include "platform/color.h"
#include "platform/control.h"
#include "platform/font.h"

#include <memory>
#include <string>
#include <vector>

class QAbstractItemModel;
class QListView;
class QMimeData;

namespace tk {

// What every list box shares: entries shown one per line, at most one of them selected. A press on an
// entry selects it before MouseDown is raised; clicks raise MouseDown, MouseUp, Click and a
// double-click MouseDown, MouseUp, Click, DblClick, MouseUp, as on every control. Entries count from
// 0, and -1 means none.
class ListBoxBase : public Control {
    Q_OBJECT
public:
    ~ListBoxBase() override;

    OleColor backColor() const { return m_backColor; }
    void setBackColor(OleColor color);
    const FontSpec& font() const { return m_font; }
    void setFont(const FontSpec& font);

    // The old "automatic drag": dragging the selected entry out carries dragData().
    bool dragSource() const { return m_dragSource; }
    void setDragSource(bool on);
    // What a drag out of this box carries; nothing unless the box says otherwise.
    virtual std::unique_ptr<QMimeData> dragData() const;

    // The item model and view, for tests and the layer's own drivers.
    QAbstractItemModel& model();
    QListView& view();

protected:
    ListBoxBase(QWidget* parent, std::string name, int index);

    int entryCount() const;
    // The entry's text, or empty when there is no such entry.
    std::string entry(int i) const;
    void insertEntry(int at, std::string text);
    void setEntry(int i, std::string text);
    void removeEntry(int i);
    // Replaces every entry; the selection goes.
    void setEntries(std::vector<std::string> entries);
    int selectedEntry() const;
    // Selects an entry (-1: none) without raising any event.
    void selectEntry(int i);
    // The ListIndex property: selects like the old list boxes, raising Click when it changes.
    // Raises runtime error 380 for an index outside -1 to the last entry.
    void setListIndexWithClick(int i);
    // A double-click or Enter on entry `i`, after its events were raised. Returns true when the box
    // acted on it (the view then leaves the event alone).
    virtual bool entryActivated(int i);

    bool eventFilter(QObject* watched, QEvent* event) override;
    bool innerKeyPress(QKeyEvent* event) override;

private:
    class Model;
    class View;
    Model* m_model;
    View* m_view;
    OleColor m_backColor = kSysWindow;
    FontSpec m_font;
    bool m_dragSource = false;
};

// The simple list box: AddItem, List, ListCount, RemoveItem, Clear and ListIndex.
class ListBox : public ListBoxBase {
    Q_OBJECT
public:
    explicit ListBox(QWidget* parent, std::string name = {}, int index = -1);

    // Adds at the end, or before entry `index`; an index beyond the end raises runtime error 5.
    void addItem(const std::string& item, int index = -1);
    // Raises runtime error 5 for an entry that does not exist.
    void removeItem(int index);
    void clear();
    int listCount() const { return entryCount(); }
    // Empty for an entry that does not exist, as the old list box reads.
    std::string list(int index) const { return entry(index); }
    void setList(int index, const std::string& text);
    int listIndex() const { return selectedEntry(); }
    void setListIndex(int index) { setListIndexWithClick(index); }
};

} // namespace tk
