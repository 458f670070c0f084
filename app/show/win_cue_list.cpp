#include "show/win_cue_list.h"

#include "show/show_control.h"

namespace {

constexpr const char* sourceName = "Cue List";

// The cues, the current one highlighted (none when it was deleted).
void showCues(platform::ListBox& list, const show::ShowEngine& engine) {
    const show::Cue* next = engine.nextCue();
    std::vector<platform::ListBox::Row> rows;
    int32_t current = -1;
    for (const show::CuePointer& cue : engine.cues()) {
        const bool isCurrent = cue->number == engine.currentCue();
        if (isCurrent) current = int32_t(rows.size());
        rows.push_back({isCurrent           ? "current"
                        : cue.get() == next ? "next"
                                            : "",
                        show::cueNumberText(cue->number), cue->label,
                        show::secondsText(cue->times.up), show::secondsText(cue->times.down)});
    }
    list.setRows(std::move(rows), current);
}

}  // namespace

WinCueList::WinCueList() : platform::Window("Cue List", 420, 360) {
    place(lblCue, 0, 0, 1, 3);
    place(lstCues, 1, 0, 1, 3);
    place(cmdGo, 2, 0);
    place(cmdBack, 2, 1);
    place(lblMaster, 3, 0);
    place(sldMaster, 3, 1, 1, 2);
    place(chkBlackout, 4, 0);
    cmdGo.action = [this] { send(show::goLine()); };
    cmdBack.action = [this] { send(show::backLine()); };
    sldMaster.action = [this] { send(show::masterLine(sldMaster.value())); };
    chkBlackout.action = [this] { send(show::blackoutLine(chkBlackout.value())); };
    addShortcut("Space", [this] { send(show::goLine()); });
}

WinCueList::~WinCueList() {
    if (showControl_) showControl_->unwatch(showWatcher_);
}

void WinCueList::connect(show::ShowControl& showControl) {
    showControl_ = &showControl;
}

void WinCueList::Open() {
    if (!showControl_) return;
    showWatcher_ = showControl_->watch([this] { followShow(); });
    followShow();
}

void WinCueList::followShow() {
    const bool on = showControl_->on();
    const show::ShowEngine& engine = showControl_->engine();
    showCues(lstCues, engine);
    lblCue.setCaption(on ? show::cueText(engine)
                         : "Show control is off: Config > Show Control turns it on.");
    lblMaster.setCaption(show::masterText(engine));
    // Off, the master and the blackout hold nothing down: the outputs send the levels as they are.
    lblMaster.setAlert(on && engine.holdsDown());
    sldMaster.setValue(engine.master());
    chkBlackout.setValue(engine.blackout());
    platform::Control* const inputs[] = {&cmdGo, &cmdBack, &sldMaster, &chkBlackout};
    for (platform::Control* input : inputs) input->setEnabled(on);
}

void WinCueList::send(show::ShowLine line) {
    if (showControl_) showControl_->submit(std::move(line), sourceName);
}
