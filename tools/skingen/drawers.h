#pragma once

#include <QRectF>

#include <string_view>

class QPainter;

// The painters of the default skin's pictures, one family per file. Each draws the picture `name` (its
// path below the skin folder) into `content`, the part of the picture that every element showing it
// displays; the picture's own size may be larger (a shared picture is as large as its largest element).
namespace skin::draw {

// Picture buttons, bar buttons, the page switches and the play-state picture (buttons.cpp).
void button(QPainter& p, const QRectF& content, std::string_view name);
void pageSwitch(QPainter& p, const QRectF& content, std::string_view name);
void playState(QPainter& p, const QRectF& content, std::string_view name);

// The main window's and the playing-now screen's backgrounds (screens.cpp).
void mainScreen(QPainter& p, const QRectF& content, std::string_view name);
void nowPlayingScreen(QPainter& p, const QRectF& content, std::string_view name);

// Page backgrounds, the page area, the doors and the default covers (pages.cpp, covers.cpp).
void page(QPainter& p, const QRectF& content, std::string_view name);
void door(QPainter& p, const QRectF& content, std::string_view name);
void cover(QPainter& p, const QRectF& content, std::string_view name);

// The spin wheel's bitmaps (wheel.cpp).
void wheel(QPainter& p, const QRectF& content, std::string_view name);

} // namespace skin::draw
