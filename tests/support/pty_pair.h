#pragma once
// A pseudo-terminal pair that plays the DMX interface: the program opens the device side as its
// serial port, the test reads frames from and writes replies to the master side.

#include <functional>
#include <string>
#include <string_view>

namespace testsupport {

class PtyPair {
  public:
    PtyPair();
    ~PtyPair();
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    const std::string& devicePath() const { return device_; }
    // Reads exactly count bytes, running the event loop meanwhile; fewer if the time runs out.
    std::string readExactly(size_t count, int timeoutMs = 3000);
    // Everything that arrives within the time.
    std::string readFor(int milliseconds);
    // What has arrived already, without running the event loop.
    std::string readNow();
    void write(std::string_view bytes);
    // Hangs up the master side, as an interface unplugged.
    void closeMaster();

  private:
    int master_ = -1;
    std::string device_;
};

// Runs the event loop until the condition holds or the time runs out; returns the condition.
bool waitUntil(const std::function<bool()>& condition, int timeoutMs = 3000);

}  // namespace testsupport
