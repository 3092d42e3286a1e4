#include "platform/commandbutton.h"

#include <QPushButton>

namespace tk {

CommandButton::CommandButton(QWidget* parent, std::string name, int index)
    : Control(parent, std::move(name), index)
    , m_button(new QPushButton) {
    m_button->setAutoDefault(false);
    setFocusProxy(m_button);
    hostInner(m_button);
}

std::string CommandButton::caption() const {
    return m_button->text().toStdString();
}

void CommandButton::setCaption(const std::string& caption) {
    m_button->setText(QString::fromStdString(caption));
}

} // namespace tk
