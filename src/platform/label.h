#pragma once

#include "platform/color.h"
#include "platform/control.h"
#include "platform/font.h"

#include <QMargins>

#include <string>

namespace tk {

// A text label. The caption is always shown as plain text (no markup, no mnemonics). With AutoSize on,
// its width and height follow the caption in the label's font, the left edge staying where it is.
// Without it, a caption wider than the label is cut at the label's edges, or, with Elides on, ends in
// "…" at the right and shows whole in the tool tip. Either way a label is cut where it leaves its
// window's design area (Form::designArea).
class Label : public Control {
    Q_OBJECT
public:
    explicit Label(QWidget* parent, std::string name = {}, int index = -1);

    const std::string& caption() const { return m_caption; }
    void setCaption(const std::string& caption);

    bool autoSize() const { return m_autoSize; }
    void setAutoSize(bool on);
    int alignment() const { return m_alignment; } // 0 left, 1 right, 2 centre
    void setAlignment(int alignment);
    int borderStyle() const { return m_borderStyle; } // 0 none, 1 single line
    void setBorderStyle(int style);
    int backStyle() const { return m_backStyle; } // 0 transparent, 1 opaque
    void setBackStyle(int style);
    OleColor foreColor() const { return m_foreColor; }
    void setForeColor(OleColor color);
    OleColor backColor() const { return m_backColor; }
    void setBackColor(OleColor color);
    bool wordWrap() const { return m_wordWrap; }
    void setWordWrap(bool on);
    bool elides() const { return m_elides; }
    void setElides(bool on);
    // The caption as the label paints it: whole, or cut short and ending in "…" when it elides.
    std::string shownCaption() const;

    const FontSpec& font() const { return m_font; }
    void setFont(const FontSpec& font);
    const std::string& fontName() const { return m_font.name; }
    void setFontName(const std::string& name);
    float fontSize() const { return m_font.size; }
    void setFontSize(float points);
    bool fontBold() const { return m_font.bold(); }
    void setFontBold(bool on);
    bool fontItalic() const { return m_font.italic; }
    void setFontItalic(bool on);

    Event<> change; // the caption changed

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void fitToCaption();
    // Where the caption is drawn, in device pixels.
    QRect textRect() const;
    QString shownText() const;

    std::string m_caption;
    bool m_autoSize = false;
    int m_alignment = 0;
    int m_borderStyle = 0;
    int m_backStyle = 1;
    bool m_wordWrap = false;
    bool m_elides = false;
    OleColor m_foreColor = kSysWindowText;
    OleColor m_backColor = kSysButtonFace;
    FontSpec m_font;
    // Pixels the caption's ink reaches beyond its advance and line height, kept free inside an
    // auto-sized label.
    QMargins m_inkMargins;
};

} // namespace tk
