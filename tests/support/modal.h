#pragma once

// Scripts the modal dialogs a Qt test opens: each handler runs from the
// event loop of the dialog's exec(), once the dialog is up.

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTimer>

#include <deque>
#include <functional>

namespace tl::test {

// Runs `act` on the modal window that the next call opens, if one is up at
// once.
inline void OnNextModal(const std::function<void(QWidget*)>& act)
{
    QTimer::singleShot(0, [act] {
        if (QWidget* modal = QApplication::activeModalWidget())
            act(modal);
    });
}

// Runs `act` on the next modal dialog of type T once it shows.
template <typename T> void WhenModal(std::function<void(T&)> act)
{
    QTimer::singleShot(5, [act] {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget()))
            act(*dialog);
        else
            WhenModal<T>(act);
    });
}

// Runs each handler, in order, on the next modal dialog that opens; a
// handler's own dialogs are handled too.
inline void OnModals(std::deque<std::function<void(QDialog*)>> handlers,
                     QPointer<QDialog> last = {})
{
    QTimer::singleShot(5, [handlers, last]() mutable {
        auto* w = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (w == nullptr || w == last)
            return OnModals(handlers, last);
        const auto handler = handlers.front();
        handlers.pop_front();
        if (!handlers.empty())
            OnModals(handlers, w);
        handler(w);
    });
}

} // namespace tl::test
