#include <cstdint>
#include <utility>

#include "autopilot/autopilot.h"

namespace molvane {

int InsertAutopilotCommand(State& s, AutopilotHost& host, std::string line, double time, std::string note) {
  const int n = AutopilotListCount(s);
  if (n >= MaxAutopilot) {
    host.message("The autopilot list is full: it holds at most 1000 commands.");
    return 0;
  }
  int i = 1;
  while (i <= n && s.autopilot[i].time <= time) ++i;
  for (int j = n + 1; j > i; --j) s.autopilot[j] = std::move(s.autopilot[j - 1]);
  s.autopilot[i] = AutopilotCommand{std::move(line), time, std::move(note)};
  s.autopilotCount = static_cast<int16_t>(n + 1);
  return i;
}

int AddAutopilotCommand(State& s, AutopilotHost& host, std::string line, std::string note) {
  const double t = AutopilotLineTime(line);
  return InsertAutopilotCommand(s, host, std::move(line), t, std::move(note));
}

void RemoveAutopilotCommand(State& s, int k) {
  const int n = AutopilotListCount(s);
  if (k < 1 || k > n) return;
  for (int i = k; i < n; ++i) s.autopilot[i] = std::move(s.autopilot[i + 1]);
  s.autopilot[n] = AutopilotCommand{};
  s.autopilotCount = static_cast<int16_t>(n - 1);
}

int ReplaceAutopilotCommand(State& s, AutopilotHost& host, int k, std::string line, std::string note) {
  if (k < 1 || k > AutopilotListCount(s)) return 0;
  RemoveAutopilotCommand(s, k);
  return AddAutopilotCommand(s, host, std::move(line), std::move(note));
}

namespace {

std::string ComposeFor(const AutopilotHost& host, std::string_view dateField, const AutopilotFields& fields) {
  return ComposeAutopilotLine(dateField, fields, host.mainWindowWidthTwips(), host.mainWindowHeightTwips());
}

void CountProbe(State& s, const AutopilotFields& fields, int added) {
  if (added > 0 && fields.word == "Release Probe" && s.ProbeCounter < INT16_MAX) {
    ++s.ProbeCounter;
  }
}

}  // namespace

int AddAutopilotEntry(State& s, AutopilotHost& host, std::string_view dateField, const AutopilotFields& fields,
                      std::string note) {
  const int i = AddAutopilotCommand(s, host, ComposeFor(host, dateField, fields), std::move(note));
  CountProbe(s, fields, i);
  return i;
}

int ReplaceAutopilotEntry(State& s, AutopilotHost& host, int k, std::string_view dateField,
                          const AutopilotFields& fields, std::string note) {
  const int i = ReplaceAutopilotCommand(s, host, k, ComposeFor(host, dateField, fields), std::move(note));
  CountProbe(s, fields, i);
  return i;
}

int FindAutopilotCommand(const State& s, std::string_view line) {
  const int n = AutopilotListCount(s);
  for (int i = 1; i <= n; ++i) {
    if (s.autopilot[i].line == line) return i;
  }
  return 0;
}

}  // namespace molvane
