#include "platform/frame.h"

#include <QPainter>
#include <QStyleOptionGroupBox>
#include <QStylePainter>

namespace tk {

Frame::Frame(QWidget* parent, std::string name, int index)
    : Control(parent, std::move(name), index) {}

void Frame::setCaption(const std::string& caption) {
    m_caption = caption;
    update();
}

void Frame::paintEvent(QPaintEvent*) {
    QStylePainter p(this);
    QStyleOptionGroupBox option;
    option.initFrom(this);
    option.text = QString::fromStdString(m_caption);
    option.subControls = QStyle::SC_GroupBoxFrame;
    if (!m_caption.empty()) {
        option.subControls |= QStyle::SC_GroupBoxLabel;
    }
    option.textAlignment = Qt::AlignLeft | Qt::AlignTop;
    option.lineWidth = 1;
    p.drawComplexControl(QStyle::CC_GroupBox, option);
}

} // namespace tk
