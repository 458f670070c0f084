#include "platform/background_job.h"

#include <sys/resource.h>
#include <unistd.h>

#include <QObject>
#include <cstdint>
#include <system_error>
#include <thread>

namespace platform {

struct BackgroundJob::Impl {
    // The ends are posted to it; those still waiting go with it.
    QObject context;
    std::thread thread;
    std::function<void()> ended;
    // The number of the latest job: an end posted for an earlier one, already finished, is stale.
    uint64_t latest = 0;
};

BackgroundJob::BackgroundJob() : impl_(std::make_unique<Impl>()) {}

BackgroundJob::~BackgroundJob() {
    if (impl_->thread.joinable()) impl_->thread.join();
}

void BackgroundJob::start(std::function<void()> work, std::function<void()> ended) {
    impl_->ended = std::move(ended);
    const uint64_t job = ++impl_->latest;
    auto run = [this, job, work = std::move(work)] {
        work();
        QMetaObject::invokeMethod(
            &impl_->context,
            [this, job] {
                if (job == impl_->latest) finish();
            },
            Qt::QueuedConnection);
    };
    try {
        impl_->thread = std::thread([run] {
            // The job gives way to the event thread: on two cores a long job would otherwise take
            // the core the frames need. Only this thread is lowered.
            ::setpriority(PRIO_PROCESS, static_cast<id_t>(::gettid()), 19);
            run();
        });
    } catch (const std::system_error&) {
        // No thread to be had: the work is done here, late rather than never.
        run();
    }
}

bool BackgroundJob::busy() const {
    return impl_->thread.joinable() || impl_->ended;
}

void BackgroundJob::finish() {
    if (!busy()) return;
    if (impl_->thread.joinable()) impl_->thread.join();
    auto ended = std::move(impl_->ended);
    impl_->ended = nullptr;
    ended();
}

}  // namespace platform
