#include "platform/timer.h"

#include <QTimer>
#include <chrono>

namespace platform {

int64_t steadyMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

struct Timer::Impl {
    QTimer timer;
};

Timer::Timer(std::function<void()> fired) : impl_(std::make_unique<Impl>()) {
    impl_->timer.setSingleShot(true);
    impl_->timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&impl_->timer, &QTimer::timeout, std::move(fired));
}

Timer::~Timer() = default;

void Timer::start(int milliseconds) {
    impl_->timer.start(milliseconds);
}

void Timer::stop() {
    impl_->timer.stop();
}

bool Timer::armed() const {
    return impl_->timer.isActive();
}

}  // namespace platform
