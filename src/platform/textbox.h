#pragma once

#include "platform/color.h"
#include "platform/control.h"
#include "platform/font.h"

#include <functional>
#include <string>

class QLineEdit;

namespace tk {

// A one-line text box. Change is raised on every change of the text, also when the program sets it;
// KeyPress receives the character code before the character goes in (set it to 0 to swallow it, or to
// another code to put that character in instead).
class TextBox : public Control {
    Q_OBJECT
public:
    explicit TextBox(QWidget* parent, std::string name = {}, int index = -1);

    std::string text() const;
    void setText(const std::string& text);
    int maxLength() const { return m_maxLength; }
    void setMaxLength(int length); // 0: no limit
    const std::string& passwordChar() const { return m_passwordChar; }
    void setPasswordChar(const std::string& ch); // empty: shown as typed
    bool locked() const;
    void setLocked(bool on);
    OleColor backColor() const { return m_backColor; }
    void setBackColor(OleColor color);
    OleColor foreColor() const { return m_foreColor; }
    void setForeColor(OleColor color);
    const FontSpec& font() const { return m_font; }
    void setFont(const FontSpec& font);
    int alignment() const { return m_alignment; }
    void setAlignment(int alignment);
    // Only characters the test accepts can be typed or pasted; text set by the program is not checked.
    void setAcceptedCharacters(std::function<bool(char32_t)> accepts);
    int selStart() const;
    void setSelStart(int position);

    Event<> change;

    QLineEdit* lineEdit() const { return m_edit; }

protected:
    bool innerKeyPress(QKeyEvent* event) override;
    void sizeChanged() override;

private:
    void applyLook();

    QLineEdit* m_edit;
    int m_maxLength = 0;
    std::string m_passwordChar;
    std::string m_lastText;
    OleColor m_backColor = kSysWindow;
    OleColor m_foreColor = kSysWindowText;
    FontSpec m_font;
    int m_alignment = 0;
};

} // namespace tk
