#pragma once
// Tells when a device path may be there again: at once when its folder changes (a node made, a
// link made or re-pointed, as udev and a replugged adapter do), and every half second for what a
// folder watch cannot see (a folder not made yet, access granted after the node appeared).

#include <functional>
#include <memory>
#include <string>

class QFileSystemWatcher;
class QTimer;

namespace platform {

class DeviceWatch {
  public:
    // check may delete the watch.
    DeviceWatch(const std::string& path, std::function<void()> check);
    ~DeviceWatch();
    DeviceWatch(const DeviceWatch&) = delete;
    DeviceWatch& operator=(const DeviceWatch&) = delete;

  private:
    std::unique_ptr<QFileSystemWatcher> folder_;
    std::unique_ptr<QTimer> timer_;
};

}  // namespace platform
