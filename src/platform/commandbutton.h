#pragma once

#include "platform/control.h"

#include <string>

class QPushButton;

namespace tk {

// A push button with a caption; Click follows the release of a mouse button over it.
class CommandButton : public Control {
    Q_OBJECT
public:
    explicit CommandButton(QWidget* parent, std::string name = {}, int index = -1);

    std::string caption() const;
    void setCaption(const std::string& caption);

private:
    QPushButton* m_button;
};

} // namespace tk
