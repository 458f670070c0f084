#include "platform/device_watch.h"

#include <QFileSystemWatcher>
#include <QTimer>
#include <filesystem>

namespace platform {

namespace {

constexpr int retryMs = 500;

}  // namespace

DeviceWatch::DeviceWatch(const std::string& path, std::function<void()> check)
    : folder_(std::make_unique<QFileSystemWatcher>()), timer_(std::make_unique<QTimer>()) {
    std::error_code error;
    std::filesystem::path folder = std::filesystem::absolute(path, error).parent_path();
    if (std::filesystem::is_directory(folder, error))
        folder_->addPath(QString::fromStdString(folder.string()));
    QObject::connect(folder_.get(), &QFileSystemWatcher::directoryChanged, [check] { check(); });
    QObject::connect(timer_.get(), &QTimer::timeout, [check] { check(); });
    timer_->start(retryMs);
}

DeviceWatch::~DeviceWatch() {
    // The watch may be deleted from inside its own signal: its parts go when control returns.
    timer_->stop();
    folder_->blockSignals(true);
    timer_.release()->deleteLater();
    folder_.release()->deleteLater();
}

}  // namespace platform
