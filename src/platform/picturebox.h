#pragma once

#include "platform/color.h"
#include "platform/control.h"
#include "platform/picture.h"

namespace tk {

// A container with a picture drawn from its top left at the screen scale. Child controls are clipped
// to it. AutoSize makes its size follow the picture; the border is drawn inside the element, so turning
// it on or off never moves or resizes anything.
class PictureBox : public Control {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent, std::string name = {}, int index = -1);

    const Picture& picture() const { return m_picture; }
    // Assigning a picture raises Change.
    void setPicture(const Picture& picture);
    bool autoSize() const { return m_autoSize; }
    void setAutoSize(bool on);
    int borderStyle() const { return m_borderStyle; }
    void setBorderStyle(int style);
    OleColor backColor() const { return m_backColor; }
    void setBackColor(OleColor color);

    Event<> change;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void fitToPicture();

    Picture m_picture;
    bool m_autoSize = false;
    int m_borderStyle = 0;
    OleColor m_backColor = kSysButtonFace;
};

// A lightweight picture. With Stretch the picture fills the element; without it the element takes the
// picture's size.
class Image : public Control {
    Q_OBJECT
public:
    explicit Image(QWidget* parent, std::string name = {}, int index = -1);

    const Picture& picture() const { return m_picture; }
    void setPicture(const Picture& picture);
    bool stretch() const { return m_stretch; }
    void setStretch(bool on);
    int borderStyle() const { return m_borderStyle; }
    void setBorderStyle(int style);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void fitToPicture();

    Picture m_picture;
    bool m_stretch = false;
    int m_borderStyle = 0;
};

// A plain rectangle shape; the station only moves it.
class Shape : public Control {
    Q_OBJECT
public:
    explicit Shape(QWidget* parent, std::string name = {}, int index = -1);
    OleColor borderColor() const { return m_borderColor; }
    void setBorderColor(OleColor color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    OleColor m_borderColor = kSysWindowText;
};

// Draws the single fixed border of a pressed picture element inside `rect`.
void drawInsetBorder(class QPainter& painter, const class QRect& rect);

} // namespace tk
