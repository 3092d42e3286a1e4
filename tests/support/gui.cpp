#include "gui.h"

#include "platform/control.h"

#include <QApplication>
#include <QTest>
#include <QWindow>

namespace testing_support {

namespace {
Qt::MouseButton qtButton(int b) {
    switch (b) {
    case 2:
        return Qt::RightButton;
    case 4:
        return Qt::MiddleButton;
    default:
        return Qt::LeftButton;
    }
}

QWindow* windowOf(QWidget* w) {
    QWidget* top = w->window();
    if (!top->windowHandle()) {
        top->winId();
    }
    return top->windowHandle();
}

QPoint inWindow(QWidget* target, QPoint at) {
    if (at.x() < 0 || at.y() < 0) {
        at = target->rect().center();
    }
    return target->mapTo(target->window(), at);
}

QWidget* focusTarget(QWidget* target) {
    QWidget* w = target->focusProxy() ? target->focusProxy() : target;
    return w;
}
} // namespace

tk::Control* findControl(QWidget* root, const std::string& name, int index) {
    const std::string objectName = index >= 0 ? name + "_" + std::to_string(index) : name;
    return root->findChild<tk::Control*>(QString::fromStdString(objectName));
}

tk::Control& control(QWidget* root, const std::string& name, int index) {
    tk::Control* c = findControl(root, name, index);
    if (!c) {
        throw std::runtime_error("no control " + name + " " + std::to_string(index));
    }
    return *c;
}

void press(QWidget* target, int button, QPoint at) {
    QTest::mousePress(windowOf(target), qtButton(button), Qt::NoModifier, inWindow(target, at));
}

void release(QWidget* target, int button, QPoint at) {
    QTest::mouseRelease(windowOf(target), qtButton(button), Qt::NoModifier, inWindow(target, at));
}

void click(QWidget* target, int button, QPoint at) {
    // Far enough apart in time that two clicks never make a double-click.
    QTest::qWait(0);
    QTest::mouseClick(windowOf(target), qtButton(button), Qt::NoModifier, inWindow(target, at),
                      QApplication::doubleClickInterval() + 50);
}

void doubleClick(QWidget* target, int button, QPoint at) {
    QTest::mouseDClick(windowOf(target), qtButton(button), Qt::NoModifier, inWindow(target, at),
                       QApplication::doubleClickInterval() + 50);
}

void moveMouse(QWidget* target, QPoint at, int buttonsHeld) {
    (void)buttonsHeld;
    QTest::mouseMove(windowOf(target), inWindow(target, at));
}

void pressOn(QWidget* target, int button) {
    QTest::mousePress(target, qtButton(button), Qt::NoModifier, target->rect().center());
}

void releaseOn(QWidget* target, int button, bool beside) {
    const QPoint at = beside ? QPoint(-5, -5) : target->rect().center();
    QTest::mouseRelease(target, qtButton(button), Qt::NoModifier, at);
}

void startDragging(QWidget* target, QPoint from) {
    press(target, 1, from);
    for (int step = 1; step <= 3; ++step) {
        QTest::mouseMove(target, from + QPoint(QApplication::startDragDistance() * step, 0));
    }
}

void type(QWidget* target, const std::string& text) {
    QWidget* w = focusTarget(target);
    w->setFocus();
    // Key by key with its text, so characters beyond ASCII can be typed as well.
    for (const QChar c : QString::fromStdString(text)) {
        int key = Qt::Key_unknown;
        if (c.unicode() < 0x80 && c.isLetterOrNumber()) {
            key = c.toUpper().unicode();
        } else if (c == QLatin1Char(' ')) {
            key = Qt::Key_Space;
        }
        QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &down);
        QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &up);
    }
}

void pressKey(QWidget* target, int qtKey, const std::string& text) {
    QWidget* w = focusTarget(target);
    w->setFocus();
    if (text.empty()) {
        QTest::keyClick(w, static_cast<Qt::Key>(qtKey));
    } else {
        QKeyEvent down(QEvent::KeyPress, qtKey, Qt::NoModifier, QString::fromStdString(text));
        QApplication::sendEvent(w, &down);
        QKeyEvent up(QEvent::KeyRelease, qtKey, Qt::NoModifier, QString::fromStdString(text));
        QApplication::sendEvent(w, &up);
    }
}

void showAndExpose(QWidget* window) {
    window->show();
    (void)QTest::qWaitForWindowExposed(window);
}

} // namespace testing_support
