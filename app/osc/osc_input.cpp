#include "osc/osc_input.h"

#include <chrono>
#include <memory>

#include "command/console.h"
#include "dmx/output_status.h"
#include "osc/fault_reports.h"
#include "osc/respond.h"
#include "platform/osc_socket.h"
#include "platform/timer.h"
#include "platform/udp.h"
#include "settings/extra_settings.h"
#include "shell/window1.h"

namespace osc {

namespace {

constexpr const char* statusName = "OSC";

int64_t nowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void note(const std::string& line) {
    if (Window1* main = platform::Implicit<Window1>::find()) main->StaticText1.setCaption(line);
}

// Show control is not there yet: the mapping refuses every show address, so nothing reaches here.
std::string runShowAction(const Action&) {
    return {};
}

std::string runAction(command::Console& console, const Action& action, const std::string& source) {
    if (auto* line = std::get_if<CommandLine>(&action)) {
        console.runLine(line->text, source);
    } else if (auto* level = std::get_if<ChannelLevel>(&action)) {
        console.setChannel(level->channel, level->value, source);
    } else {
        return runShowAction(action);
    }
    return console.results();
}

class Input {
  public:
    explicit Input(const InputPlan& plan)
        : plan_(plan),
          gate_(plan.allowed, Module1::requireLogin),
          gateLogin_(Module1::requireLogin),
          faultTimer_([this] { reportHeldFaults(); }) {
        const std::string target = "udp port " + std::to_string(*plan.settings.port);
        const std::string error = socket_.open(*plan.settings.port);
        dmx::outputStates().report(
            {statusName, target, error.empty() ? "listening" : "error: " + error});
        socket_.received = [this](const platform::OscMessage& message,
                                  const platform::OscSender& sender) {
            return received(message, sender);
        };
        socket_.faulted = [this](platform::OscFault fault) { faulted(fault); };
        socket_.wakeDone = [] {
            if (Window1* main = platform::Implicit<Window1>::find()) main->console.releaseLevels();
        };
        if (error.empty()) noteIfClosed();
    }
    ~Input() { dmx::outputStates().remove(statusName); }

  private:
    platform::OscReply received(const platform::OscMessage& message,
                                const platform::OscSender& sender) {
        Window1* main = platform::Implicit<Window1>::find();
        if (!main) return {};
        followLogin();
        command::Console& console = main->console;
        if (console.lineRunning())
            return {errorAddress, "the console is busy with another command line; send again"};
        // A flood sends one frame a wake, not one a message.
        console.holdLevels();
        return respond(
            message, sender, nowMs(), gate_, /*showControl=*/false,
            [&](const Action& action) { return runAction(console, action, "OSC " + sender.host); });
    }

    // The web login may be turned on or off at any time: the gate follows at the next message.
    void followLogin() {
        if (gateLogin_ == Module1::requireLogin) return;
        gateLogin_ = Module1::requireLogin;
        gate_ = SenderGate(plan_.allowed, gateLogin_);
        noteIfClosed();
    }

    void noteIfClosed() {
        if (auto closed = gate_.closedNote()) note(*closed);
    }

    void faulted(platform::OscFault fault) {
        if (auto line = faults_.count(fault, nowMs())) {
            note(*line);
        } else {
            faultTimer_.start(int(FaultReports::intervalMs));
        }
    }

    void reportHeldFaults() {
        for (const std::string& line : faults_.due(nowMs())) note(line);
        if (faults_.holding()) faultTimer_.start(int(FaultReports::intervalMs));
    }

    InputPlan plan_;
    SenderGate gate_;
    bool gateLogin_;
    FaultReports faults_;
    platform::Timer faultTimer_;
    platform::OscSocket socket_;
};

struct Running {
    OscSettings settings;
    std::unique_ptr<Input> input;
};

Running& running() {
    // The status list outlives the input, which reports to it as it goes.
    dmx::outputStates();
    static Running input;
    return input;
}

}  // namespace

std::string planInput(const OscSettings& settings, InputPlan& plan) {
    InputPlan made{settings, {}};
    for (const std::string& host : settings.allow) {
        auto address = platform::resolveIpv4(host);
        if (!address) return "the host \"" + host + "\" does not resolve to an IPv4 address";
        made.allowed.push_back(platform::ipv4Text(*address));
    }
    plan = made;
    return {};
}

InputRun planInputThisRun(const OscSettings& overrides) {
    InputRun run;
    ReadOscSettings saved = readOscSettings(Module1::extraSettings);
    if (!saved.error.empty()) run.warning = "brannic-webserver.conf: " + saved.error;
    std::string problem = planInput(withOverrides(saved.settings, overrides), run.plan);
    if (problem.empty()) return run;
    if (!overrides.allow.empty()) {
        run.error = problem;
    } else {
        run.warning = "OSC off: " + problem;
    }
    run.plan = InputPlan{};
    return run;
}

void startInput(const InputPlan& plan) {
    Running& input = running();
    input.input.reset();
    if (plan.settings.port) input.input = std::make_unique<Input>(plan);
    input.settings = plan.settings;
}

void stopInput() {
    running().input.reset();
    running().settings = {};
}

const OscSettings& runningInputSettings() {
    return running().settings;
}

}  // namespace osc
