#pragma once
// Deferred calls whose timers belong to an owner: when the owner goes, so do the timers it still
// has waiting, instead of being left behind at exit.

#include <QObject>
#include <QTimer>
#include <functional>

namespace platform {

inline void callLater(QObject& owner, int milliseconds, std::function<void()> fn) {
    auto* timer = new QTimer(&owner);
    timer->setSingleShot(true);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, fn = std::move(fn)] {
        timer->deleteLater();
        fn();
    });
    timer->start(milliseconds);
}

}  // namespace platform
