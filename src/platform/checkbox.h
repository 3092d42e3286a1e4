#pragma once

#include "platform/color.h"
#include "platform/control.h"

#include <string>

class QCheckBox;

namespace tk {

// A check box; Click is raised on every change of its value, by the user or by the program, and not
// when the program sets the value it already has.
class CheckBox : public Control {
    Q_OBJECT
public:
    explicit CheckBox(QWidget* parent, std::string name = {}, int index = -1);

    int value() const { return m_value; } // 0 unchecked, 1 checked
    void setValue(int value);
    std::string caption() const;
    void setCaption(const std::string& caption);
    OleColor backColor() const { return m_backColor; }
    void setBackColor(OleColor color);

protected:
    bool clickFollowsRelease() const override { return false; }

private:
    QCheckBox* m_box;
    int m_value = 0;
    OleColor m_backColor = kSysButtonFace;
};

} // namespace tk
