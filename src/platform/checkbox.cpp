#include "platform/checkbox.h"

#include <QCheckBox>

namespace tk {

CheckBox::CheckBox(QWidget* parent, std::string name, int index)
    : Control(parent, std::move(name), index)
    , m_box(new QCheckBox) {
    setFocusProxy(m_box);
    hostInner(m_box);
    QObject::connect(m_box, &QCheckBox::toggled, this, [this](bool on) { setValue(on ? 1 : 0); });
}

void CheckBox::setValue(int value) {
    value = value != 0 ? 1 : 0;
    if (value == m_value) {
        return;
    }
    m_value = value;
    if (m_box->isChecked() != (value == 1)) {
        const QSignalBlocker block(m_box);
        m_box->setChecked(value == 1);
    }
    raiseEvent([&] { click(); });
}

std::string CheckBox::caption() const {
    return m_box->text().toStdString();
}

void CheckBox::setCaption(const std::string& caption) {
    m_box->setText(QString::fromStdString(caption));
}

void CheckBox::setBackColor(OleColor color) {
    m_backColor = color;
    QPalette pal = m_box->palette();
    pal.setColor(QPalette::Window, toQColor(color));
    // A button fills its background with the button shade unless told to use the window colour.
    m_box->setBackgroundRole(QPalette::Window);
    m_box->setAutoFillBackground(true);
    m_box->setPalette(pal);
}

} // namespace tk
