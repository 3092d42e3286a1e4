#pragma once

#include "platform/color.h"
#include "platform/control.h"

#include <string>

class QComboBox;

namespace tk {

// A combo box with an editable text (style 0) or a fixed list (style 2). List indexes count from 0;
// -1 means no entry chosen. Click is raised when an entry is chosen, Change when the text is edited.
class ComboBox : public Control {
    Q_OBJECT
public:
    explicit ComboBox(QWidget* parent, std::string name = {}, int index = -1, int style = 0);

    void addItem(const std::string& item);
    void clear();
    int listCount() const;
    std::string list(int index) const;
    int listIndex() const;
    void setListIndex(int index);
    std::string text() const;
    void setText(const std::string& text);
    void setBackColor(OleColor color);

    Event<> change;

private:
    QComboBox* m_combo;
};

} // namespace tk
