#pragma once

#include <QObject>

#include <functional>
#include <memory>

namespace tk {

// Holds one window's single global instance: created and loaded (hidden) on first use, created anew
// after it was unloaded.
template <typename T> class FormSlot {
public:
    using Factory = std::function<std::unique_ptr<T>()>;
    explicit FormSlot(Factory factory)
        : m_factory(std::move(factory)) {}
    ~FormSlot() { m_form.reset(); }
    FormSlot(const FormSlot&) = delete;
    FormSlot& operator=(const FormSlot&) = delete;

    // The instance, created and loaded when it does not exist.
    T& get() {
        if (!m_form) {
            m_form = m_factory();
            m_form->formLoad();
        }
        return *m_form;
    }
    T* operator->() { return &get(); }
    bool loaded() const { return static_cast<bool>(m_form); }
    T* peek() const { return m_form.get(); }

    // Unloads the window: its unload handler runs, it is hidden, and it is destroyed once the running
    // handler has returned (a window may unload itself from its own handler).
    void unload() {
        if (!m_form) {
            return;
        }
        T* form = m_form.release();
        form->formUnload();
        form->hide();
        form->deleteLater();
    }

private:
    Factory m_factory;
    std::unique_ptr<T> m_form;
};

} // namespace tk
