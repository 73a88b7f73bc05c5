// Fakes and small builders shared by the autopilot tests.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "autopilot/autopilot.h"
#include "engine/host.h"
#include "engine/state.h"
#include "tests/support/nullhosts.h"

namespace molvane::testing {

// Appends blanks to `text` up to n characters (never cuts).
inline std::string Pad(std::string text, size_t n) {
  if (text.size() < n) text.append(n - text.size(), ' ');
  return text;
}

// The date field of 12 May 2005, 08:30:15 and the line prefix before the word.
inline const std::string kDate = "05 12 2005     08 30 15";
inline std::string Word(const std::string& w) { return Pad(kDate + " " + w, 44); }

// Records every call the executor makes of the main window.
class RecordingHost : public NullAutopilotHost {
 public:
  std::vector<std::string> calls;
  std::vector<std::string> opened, saved, messages;
  bool openResult = false;
  double visibleWidthKm = -1;
  int captionFront = 0;
  int focusIndex = -1;
  bool labelsShown = false;

  void clearView() override { calls.push_back("clear"); }
  void ResetPlotState() override { calls.push_back("reset"); }
  void zoomIn() override { calls.push_back("zoomIn"); }
  void zoomOut() override { calls.push_back("zoomOut"); }
  double screenWidthPixels() const override { return 800; }
  void setVisibleWidthKm(double km) override { visibleWidthKm = km; }
  void showScreenScale() override { calls.push_back("scale"); }
  void focusChanged(int index) override { focusIndex = index; }
  void setLabelsShown(bool shown) override {
    labelsShown = shown;
    calls.push_back("labels");
  }
  void graphicsSwitchesChanged() override { calls.push_back("switches"); }
  void rotatingFrameChanged() override { calls.push_back("rotating"); }
  void PauseOnOff() override { calls.push_back("pause"); }
  double mainWindowWidthTwips() const override { return 12000; }
  double mainWindowHeightTwips() const override { return 9000; }
  double captionReferenceWidth() const override { return 11760; }
  void captionsChanged(int front) override { captionFront = front; }
  bool openSituation(const std::string& path) override {
    opened.push_back(path);
    return openResult;
  }
  bool saveSituation(const std::string& path) override {
    saved.push_back(path);
    return true;
  }
  void message(const std::string& text) override { messages.push_back(text); }
};

// The engine's host as the main window wires it: step 8 runs the executor.
class LoopHost : public NullEngineHost {
 public:
  LoopHost(State& s, AutopilotHost& h) : state(s), host(h) {}
  struct Call {
    double clock;
    int cursor;
    AutopilotRun result;
  };
  std::vector<Call> runs;
  std::vector<std::string> pauses;
  int labelRebuilds = 0, listRefreshes = 0;

  void runAutopilotCommand() override {
    const int cursor = state.autopilotState.cursor;
    const AutopilotRun r = RunAutopilotCommand(state, host, *this);
    runs.push_back({state.SecondsElapsed, cursor, r});
  }
  void rebuildObjectLabels() override { ++labelRebuilds; }
  void refreshObjectLists() override { ++listRefreshes; }
  void pauseWithMessage(const std::string& text) override {
    pauses.push_back(text);
    state.PausedFlag = true;
  }

  State& state;
  AutopilotHost& host;
};

// Adds body k with a name, mass (Earth masses), position and velocity (m/s),
// in per-step units.
inline void PutBody(State& s, int k, const std::string& name, double massEarth, std::array<double, 3> p,
                    std::array<double, 3> v, double size = 0) {
  s.objname[k] = name;
  s.objmass[k] = massEarth * s.timescale * s.timescale;
  s.objx[k] = p[0];
  s.objy[k] = p[1];
  s.objz[k] = p[2];
  s.objvx[k] = v[0] * s.timescale;
  s.objvy[k] = v[1] * s.timescale;
  s.objvz[k] = v[2] * s.timescale;
  s.objsize[k] = size;
  if (s.objects < k) s.objects = static_cast<int16_t>(k);
}

inline std::unique_ptr<State> NewState() { return std::make_unique<State>(); }

}  // namespace molvane::testing
