// The autopilot: a time-ordered list of command lines (State::autopilot,
// entries 1..autopilotCount), its run state (State::autopilotState) and the
// executor that the simulation loop calls when the pending entry is due.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "autopilot/autopilot_line.h"
#include "autopilot/autopilothost.h"
#include "engine/autopilotarm.h"
#include "engine/host.h"
#include "engine/state.h"

namespace molvane {

// ---- The list.

// Inserts a command after every entry whose time is not later than `time`.
// Returns its index, or 0 when the list already holds MaxAutopilot entries
// (the host is shown a message and nothing changes).
int InsertAutopilotCommand(State& s, AutopilotHost& host, std::string line, double time, std::string note);
// The same with the time read from the line's date field.
int AddAutopilotCommand(State& s, AutopilotHost& host, std::string line, std::string note);

// Removes entry k and blanks the freed slot. k outside 1..count does nothing.
void RemoveAutopilotCommand(State& s, int k);

// Removes entry k and adds the new line where its time places it. k outside
// 1..count does nothing (returns 0); else returns the new index.
int ReplaceAutopilotCommand(State& s, AutopilotHost& host, int k, std::string line, std::string note);

// The editor's "Add >>" and "Replace >>": compose the line from the fields
// (Caption sizes relative to the host's main window) and add it, or replace
// entry k with it. Each Release Probe line that goes in raises ProbeCounter.
int AddAutopilotEntry(State& s, AutopilotHost& host, std::string_view dateField, const AutopilotFields& fields,
                      std::string note);
int ReplaceAutopilotEntry(State& s, AutopilotHost& host, int k, std::string_view dateField,
                          const AutopilotFields& fields, std::string note);

// The first entry whose line equals `line`, or 0.
int FindAutopilotCommand(const State& s, std::string_view line);

// ---- What can never run.

// What the checks of a command look at besides its line: the tables, the
// main window's outer size in twips (Caption) and the view's width in
// pixels (Zoom). The editor gives the fields as typed: a body named there
// need not exist yet (a probe released earlier in the flight), only fit
// its field; the executor finds each body in the table.
struct AutopilotCheck {
  const State& s;
  double windowWidth = 0, windowHeight = 0;
  double screenWidth = 0;
  const AutopilotFields* typed = nullptr;
};
AutopilotCheck ExecutorCheck(const State& s, const AutopilotHost& host);

// Why the command of `line` cannot run, beginning with the name of the
// field at fault; empty when it can (or when the line holds no command).
// One check per command word: the editor asks it before Add and Replace,
// the executor before it acts, so the two never disagree.
std::string AutopilotCommandProblem(const AutopilotCheck& c, std::string_view line);

// Why the fields as typed cannot go into a line: a number longer than the
// columns the executor reads of it would run into the next field. Empty
// when each fits; AutopilotCommandProblem asks it first for typed fields.
std::string AutopilotTypedFieldProblem(const AutopilotFields& f);

// Why an entry of clock time `time` can never come due: a time of 0 ends
// the list. Empty when it can.
std::string AutopilotEntryTimeProblem(double time);

// The executor runs at most one entry per step: of entries due within the
// same step, each after the first runs a step later than the one before.
// The note the editor shows beside its list: each pending entry that runs
// later than its typed time at the present time step, by its row, word and
// when it runs. Empty when none does (or the clock runs backward).
std::string AutopilotLateEntriesNote(const State& s);

// The executor's message for an entry that cannot run: its time, its
// command word and why, and that the run goes on with the next entry.
std::string AutopilotRefusalMessage(double time, std::string_view word, const std::string& problem);

// The entries whose body fields (object, orient reference, focus body,
// probe parent) hold exactly `name`, as "05 12 2005 08:30:15 (Focus)"
// joined by ", "; empty when none does or the name is empty.
std::string AutopilotEntriesNaming(const State& s, std::string_view name);

// ---- Arming: ArmAutopilot and ArmAutopilotAfterLoad (engine/autopilotarm.h).

// ---- The executor.

enum class AutopilotRun {
  Done,      // the command ran (or did nothing) and the cursor moved on
  Failed,    // it must wait (no direction yet): nothing changed, it is tried again
  Refused,   // it cannot run: nothing changed, the run paused with a message
             // and the cursor moved on
  Reopened,  // an Open loaded a situation, which rebuilt the state
};

// Runs AutopilotState::nextLine and moves on to the next entry. The
// simulation loop calls it (through EngineHost::runAutopilotCommand) when
// the autopilot is armed and the clock has reached nextTime. An entry that
// cannot run pauses the run through EngineHost::pauseWithMessage, once.
AutopilotRun RunAutopilotCommand(State& s, AutopilotHost& host, EngineHost& engine);

// The absolute path that an Open or Save line names: a relative path is
// taken from the running situation's folder (the resume folder while the
// resume file runs). No result when no such path can be formed.
std::optional<std::string> ResolveAutopilotPath(const State& s, std::string_view path);

}  // namespace molvane
