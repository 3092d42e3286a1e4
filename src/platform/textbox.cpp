#include "platform/textbox.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QValidator>

namespace tk {

namespace {
// Refuses any edit that would put a character the test does not accept into the box.
class CharacterValidator final : public QValidator {
public:
    CharacterValidator(std::function<bool(char32_t)> accepts, QObject* parent)
        : QValidator(parent)
        , m_accepts(std::move(accepts)) {}
    State validate(QString& input, int&) const override {
        for (char32_t c : input.toStdU32String()) {
            if (!m_accepts(c)) {
                return Invalid;
            }
        }
        return Acceptable;
    }

private:
    std::function<bool(char32_t)> m_accepts;
};
} // namespace

TextBox::TextBox(QWidget* parent, std::string name, int index)
    : Control(parent, std::move(name), index)
    , m_edit(new QLineEdit) {
    setFocusProxy(m_edit);
    m_edit->setFrame(true);
    m_edit->setMaxLength(32767);
    hostInner(m_edit);
    QObject::connect(m_edit, &QLineEdit::textChanged, this, [this](const QString& t) {
        const std::string now = t.toStdString();
        if (now == m_lastText) {
            return;
        }
        m_lastText = now;
        raiseEvent([&] { change(); });
    });
    applyLook();
}

std::string TextBox::text() const {
    return m_edit->text().toStdString();
}

void TextBox::setText(const std::string& text) {
    m_edit->setText(QString::fromStdString(text));
}

void TextBox::setMaxLength(int length) {
    m_maxLength = length;
    m_edit->setMaxLength(length > 0 ? length : 32767);
}

void TextBox::setPasswordChar(const std::string& ch) {
    m_passwordChar = ch;
    m_edit->setEchoMode(ch.empty() ? QLineEdit::Normal : QLineEdit::Password);
    applyLook();
}

bool TextBox::locked() const {
    return m_edit->isReadOnly();
}

void TextBox::setLocked(bool on) {
    m_edit->setReadOnly(on);
}

void TextBox::setBackColor(OleColor color) {
    m_backColor = color;
    applyLook();
}

void TextBox::setForeColor(OleColor color) {
    m_foreColor = color;
    applyLook();
}

void TextBox::setFont(const FontSpec& font) {
    m_font = font;
    applyLook();
}

void TextBox::setAlignment(int alignment) {
    m_alignment = alignment;
    m_edit->setAlignment(alignment == 1 ? Qt::AlignRight : alignment == 2 ? Qt::AlignHCenter : Qt::AlignLeft);
}

void TextBox::setAcceptedCharacters(std::function<bool(char32_t)> accepts) {
    m_edit->setValidator(accepts ? new CharacterValidator(std::move(accepts), m_edit) : nullptr);
}

int TextBox::selStart() const {
    return m_edit->cursorPosition();
}

void TextBox::setSelStart(int position) {
    m_edit->setCursorPosition(position);
}

void TextBox::sizeChanged() {
    applyLook();
}

void TextBox::applyLook() {
    m_edit->setFont(toQFont(m_font, screenScale()));
    m_edit->setTextMargins(0, 0, 0, 0);
    // A style sheet replaces the palette of the box, so the colours go into the sheet itself.
    QString sheet = QStringLiteral("QLineEdit { padding: 0px; background-color: %1; color: %2; }")
                        .arg(toQColor(m_backColor).name(), toQColor(m_foreColor).name());
    if (!m_passwordChar.empty()) {
        const QString ch = QString::fromStdString(m_passwordChar);
        sheet += QStringLiteral(" QLineEdit { lineedit-password-character: %1; }").arg(ch.at(0).unicode());
    }
    m_edit->setStyleSheet(sheet);
}

bool TextBox::innerKeyPress(QKeyEvent* event) {
    bool downSwallowed = false;
    const int original = [&] {
        const QString t = event->text();
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            return int(kKeyReturn);
        }
        if (event->key() == Qt::Key_Backspace) {
            return int(kKeyBack);
        }
        return t.isEmpty() ? -1 : static_cast<int>(t.toUcs4().value(0));
    }();
    const int ascii = handleKeyPress(event, &downSwallowed);
    if (downSwallowed || ascii == 0) {
        return true;
    }
    if (ascii > 0 && ascii != original && ascii >= 32) {
        // The handler replaced the character: put its replacement in instead.
        const QString replacement = QString::fromUcs4(reinterpret_cast<const char32_t*>(&ascii), 1);
        m_edit->insert(replacement);
        return true;
    }
    return false;
}

} // namespace tk
