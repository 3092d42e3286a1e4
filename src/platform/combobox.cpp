#include "platform/combobox.h"

#include <QComboBox>
#include <QLineEdit>

namespace tk {

ComboBox::ComboBox(QWidget* parent, std::string name, int index, int style)
    : Control(parent, std::move(name), index)
    , m_combo(new QComboBox) {
    m_combo->setEditable(style == 0);
    m_combo->setInsertPolicy(QComboBox::NoInsert);
    m_combo->setMaxVisibleItems(20);
    setFocusProxy(m_combo);
    hostInner(m_combo);
    QObject::connect(m_combo, &QComboBox::activated, this, [this](int) { raiseEvent([&] { click(); }); });
    if (QLineEdit* edit = m_combo->lineEdit()) {
        QObject::connect(edit, &QLineEdit::textEdited, this,
                         [this](const QString&) { raiseEvent([&] { change(); }); });
    }
}

void ComboBox::addItem(const std::string& item) {
    m_combo->addItem(QString::fromStdString(item));
}

void ComboBox::clear() {
    m_combo->clear();
}

int ComboBox::listCount() const {
    return m_combo->count();
}

std::string ComboBox::list(int index) const {
    if (index < 0 || index >= m_combo->count()) {
        return {};
    }
    return m_combo->itemText(index).toStdString();
}

int ComboBox::listIndex() const {
    if (m_combo->isEditable() && m_combo->currentIndex() >= 0 &&
        m_combo->currentText() != m_combo->itemText(m_combo->currentIndex())) {
        return -1; // the typed text is not an entry
    }
    return m_combo->currentIndex();
}

void ComboBox::setListIndex(int index) {
    m_combo->setCurrentIndex(index);
    raiseEvent([&] { click(); });
}

std::string ComboBox::text() const {
    return m_combo->currentText().toStdString();
}

void ComboBox::setText(const std::string& text) {
    const QString t = QString::fromStdString(text);
    if (m_combo->isEditable()) {
        m_combo->setEditText(t);
        raiseEvent([&] { change(); });
    } else {
        const int i = m_combo->findText(t);
        if (i >= 0) {
            m_combo->setCurrentIndex(i);
        }
    }
}

void ComboBox::setBackColor(OleColor color) {
    QPalette pal = m_combo->palette();
    pal.setColor(QPalette::Base, toQColor(color));
    pal.setColor(QPalette::Button, toQColor(color));
    m_combo->setPalette(pal);
}

} // namespace tk
