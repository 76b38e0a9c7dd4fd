// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>
#include <QWidget>

#include <type_traits>
#include <utility>

namespace vm {

// A secondary window that exists once: created on first use, kept while it is open (hidden or
// shown), and created anew after the user closed it. Closing deletes it, so a reopened window
// starts from its designed state.
template <typename Window> class SingleInstance
{
public:
    // The open window, or a new one from `create()` (which returns a `Window *`).
    template <typename Create>
    requires std::is_invocable_r_v<Window *, Create> Window *get(Create &&create)
    {
        if (!window_) {
            window_ = std::forward<Create>(create)();
            window_->setAttribute(Qt::WA_DeleteOnClose);
        }
        return window_;
    }

    // The open window, or a new `Window(parent)`.
    Window *get(QWidget *parent = nullptr)
    {
        return get([parent] { return new Window(parent); });
    }

    // The open window, or null; never creates one.
    Window *existing() const { return window_; }

private:
    QPointer<Window> window_;
};

} // namespace vm
