#include "osc/fault_reports.h"

namespace osc {

namespace {

using platform::OscFault;

const char* faultText(OscFault fault) {
    switch (fault) {
        case OscFault::NotOsc:
            return "not OSC";
        case OscFault::CutShort:
            return "cut short";
        case OscFault::BadTypeTag:
            return "bad type tag";
        case OscFault::BadPadding:
            return "bad padding";
        case OscFault::BadBundle:
            return "bad bundle";
        case OscFault::TooLarge:
            return "too large";
    }
    return "unreadable";
}

}  // namespace

std::optional<std::string> FaultReports::count(OscFault fault, int64_t nowMs) {
    ++kinds_[size_t(fault)].held;
    return reportIfDue(fault, nowMs);
}

std::vector<std::string> FaultReports::due(int64_t nowMs) {
    std::vector<std::string> lines;
    for (size_t kind = 0; kind < kinds_.size(); ++kind) {
        if (auto line = reportIfDue(OscFault(kind), nowMs)) lines.push_back(std::move(*line));
    }
    return lines;
}

bool FaultReports::holding() const {
    for (const Kind& kind : kinds_) {
        if (kind.held != 0) return true;
    }
    return false;
}

std::optional<std::string> FaultReports::reportIfDue(OscFault fault, int64_t nowMs) {
    Kind& kind = kinds_[size_t(fault)];
    if (kind.held == 0 || (kind.reportedMs && nowMs - *kind.reportedMs < intervalMs))
        return std::nullopt;
    std::string line = "OSC: " + std::to_string(kind.held) +
                       (kind.held == 1 ? " packet ignored (" : " packets ignored (") +
                       faultText(fault) + ")";
    kind.reportedMs = nowMs;
    kind.held = 0;
    return line;
}

}  // namespace osc
