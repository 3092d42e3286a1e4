#pragma once

#include "platform/control.h"

#include <string>

namespace tk {

// A captioned frame that groups the controls placed inside it; it only draws its line and caption.
class Frame : public Control {
    Q_OBJECT
public:
    explicit Frame(QWidget* parent, std::string name = {}, int index = -1);

    const std::string& caption() const { return m_caption; }
    void setCaption(const std::string& caption);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::string m_caption;
};

} // namespace tk
