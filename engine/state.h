// The program-wide tables of Molvane: the body table, the clock, the view
// state, the window flags and slots, the autopilot list and the captions.
// The program creates one State; every engine and file function takes it by
// reference, so each test can build a fresh one.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace molvane {

constexpr int MaxBodies = 1000;           // real bodies 1..MaxBodies
constexpr int BodySlots = MaxBodies + 1;  // index 0 is the floating focus point
// A row of the body table: 0 (the floating point) to MaxBodies.
constexpr bool IsBodyRow(int k) { return k >= 0 && k <= MaxBodies; }
// A body index that names no body, where 0 would name the floating point
// (a box, a panel or the focus can stand on that one).
constexpr int16_t NoBody = -1;
constexpr int MaxPairs = 100;       // touching pairs listed per step
constexpr int MaxSlots = 100;       // boxes or panels of one kind
constexpr int MaxAutopilot = 1000;  // autopilot entries
constexpr int MaxCaptions = 4;

constexpr double EarthGM = 3.9860044e14;  // m^3/s^2 per Earth mass
constexpr double AstronomicalUnitMetres = 149597870691.0;
constexpr double LightYearMetres = 9.3851136e15;
constexpr double EarthMassKg = 5.9736e24;
constexpr double JupiterEarthMasses = 317.831793223517;
constexpr double SunEarthMasses = 332983.460559796;

// Colours are 0x00BBGGRR, red in the low byte.
constexpr int32_t ColourWhite = 0xFFFFFF;
// A colour read from a file: a value outside 0 to 0xFFFFFF (-1, or high
// bits set) names no colour and gives `fallback`.
constexpr int32_t ColourOr(int32_t v, int32_t fallback) { return v >= 0 && v <= 0xFFFFFF ? v : fallback; }

// Brisklet's one export, bound at start-up when the library file is found.
using RunLoopFn = int32_t (*)(int32_t n, double* mass, double* x, double* y, double* z, double* vx, double* vy,
                              double* vz, double* size, int32_t* pairHigher, int32_t* pairLower);

template <typename T>
using BodyArray = std::array<T, BodySlots>;

struct AutoSaveSettings {
  bool enabled = false;
  float interval = 0;  // simulated seconds between saves
  int16_t savesMade = 0;
  int16_t maxSaves = 0;
  double nextTime = 0;    // clock value after which the next save is due
  bool dataFile = false;  // append an orbital data record at each save
};

struct SpectrumSettings {
  int16_t bodyA = 0;
  int16_t bodyB = 0;
  int16_t period = 0;     // days between samples
  int16_t amplitude = 0;  // divisor
  float offset = 0;       // metres per second
};

struct SpectrumSample {
  int16_t x = 0;  // number of the next sample
  double nextTime = 0;
};

struct AutopilotCommand {
  std::string line;  // the fixed-column command line
  double time = 0;   // execution time on the clock, seconds
  std::string note;  // free text, unescaped in memory
};

struct AutopilotState {
  int16_t cursor = 0;
  double nextTime = 0;
  std::string nextLine;
  bool armed = false;
};

struct RotatingFrameState {
  bool on = false;
  double period = 2000000.0;  // seconds per turn
  bool clockwise = true;
};

// One caption over the main view. Left, top, width and height are the
// label's box in the main window's pixels, the font size in points; the
// rel* values are the same numbers divided by the main window's base width
// (outer width in twips less the scroll bar's width in pixels; see resize).
struct CaptionSlot {
  std::string caption;
  std::string fontName;
  float fontSize = 0;
  int32_t foreColor = 0;
  bool bold = false;
  bool italic = false;
  bool strikethru = false;
  bool underline = false;
  float top = 0;
  float left = 0;
  float height = 0;
  float width = 0;
  float relFontSize = 0;
  float relLeft = 0;
  float relTop = 0;
  float relWidth = 0;
  float relHeight = 0;
};

// The caption an autopilot Caption command shows: filled by the autopilot's
// caption dialog, written into and read back from Caption command lines.
struct CaptionDefinition {
  int16_t slot = 1;  // caption label 1..4
  std::string fontName;
  double fontSize = 0;
  double foreColor = 0;  // 0x00BBGGRR
  int32_t left = 0;
  int32_t top = 0;
  int32_t width = 0;
  int32_t height = 0;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikethru = false;
  std::string text;
};

// What a distance box or an orbit box keeps of itself between the window and
// the situation file. For a distance box bodyA/bodyB are objecta/objectb; for
// an orbit box they are orbitobject/orbitreference; NoBody once gone.
struct BoxSlot {
  bool inUse = false;
  float left = 0;  // twips
  float top = 0;
  std::string list1;  // texts of the two body lists
  std::string list2;
  int16_t bodyA = 0;
  int16_t bodyB = 0;
};

struct ThrustPanelSlot {
  bool inUse = false;
  float top = 0;  // twips
  float left = 0;
  std::string text1;  // custom-direction entry boxes
  std::string text2;
  int16_t cpobject = 0;  // NoBody once gone
  int16_t cpreference = 0;
};

// The five small tool windows, always in this order.
enum DashboardWindow : int {
  DashScreenScale = 0,
  DashTimeRate = 1,
  DashFocusObject = 2,
  DashDateAndTime = 3,
  DashGraphicsOptions = 4,
  DashboardCount = 5
};

// Where a dashboard window stands, or stood when it was last open. Whether
// it is open is its flag (DashboardOpenFlag).
struct DashboardPlace {
  float top = 0;  // twips
  float left = 0;
};

// Place of a single-instance window (the fixed reference boxes, the default
// orbit box, the default thrust panel) as the older situation files keep it.
struct SingleWindowPlace {
  float left = 0;  // twips
  float top = 0;
  float width = 0;
  float height = 0;
  int16_t windowState = 0;  // 0 normal, 1 minimised, 2 maximised
};

// The main window's own geometry and look as situation files keep it.
struct MainWindowRecord {
  int32_t backColor = 0;    // 0x00BBGGRR
  int16_t windowState = 0;  // 0 normal, 1 minimised, 2 maximised
  float top = 0;            // twips
  float left = 0;
  float width = 0;
  float height = 0;
  bool titlebar = true;
  int16_t hscroll = 0;  // tilt scroll bar values
  int16_t vscroll = 0;
};

struct State {
  // ---- Body table (per-step units: m, m/step, Earth masses * timescale^2).
  BodyArray<std::string> objname;
  BodyArray<std::string> objref;
  alignas(64) BodyArray<double> objmass{};
  alignas(64) BodyArray<double> objx{};
  alignas(64) BodyArray<double> objy{};
  alignas(64) BodyArray<double> objz{};
  alignas(64) BodyArray<double> objvx{};
  alignas(64) BodyArray<double> objvy{};
  alignas(64) BodyArray<double> objvz{};
  alignas(64) BodyArray<double> objsize{};  // diameter, metres
  BodyArray<int32_t> objcolor{};
  BodyArray<int32_t> objcolor2{};
  BodyArray<float> objdirx{};  // thrust direction, unit vector * timescale
  BodyArray<float> objdiry{};
  BodyArray<float> objdirz{};
  BodyArray<float> objthrust{};
  BodyArray<bool> objthruston{};
  BodyArray<int16_t> objrefindex{};
  BodyArray<double> objlastx{};  // pixels of the last drawn disc, -1000 none
  BodyArray<double> objlasty{};
  // Identity of each body, given on first use (0: none yet) and carried with
  // the body when bodies below it go; windows hold bodies by it (bodies.h).
  BodyArray<int32_t> objid{};
  int32_t lastBodyId = 0;
  int32_t bodyTableGeneration = 0;  // raised when a situation or New replaces the table

  // Orbital elements as last computed for each body about its reference.
  BodyArray<double> objsma{};  // km
  BodyArray<double> objecc{};
  BodyArray<double> objinc{};  // degrees
  BodyArray<double> objper{};
  BodyArray<double> objasc{};
  BodyArray<double> objma{};
  BodyArray<double> objperdist{};  // km
  BodyArray<double> objappdist{};

  // ---- Counts, focus and selection. Every body index that State holds
  // (here, in the windows' records below and in objrefindex) follows its
  // body through deletions and merges in one place, ForEachHeldBodyIndex
  // in engine/bodies.cpp: a new one is named there too.
  int16_t objects = 0;
  int16_t focusobj = 0;
  std::array<double, 3> FloatingPosition{};
  int16_t PreviousFocusObj = 0;
  std::array<int16_t, MaxBodies + 1> SystemElements{};  // entries 1..count
  int16_t SystemElementsCount = 0;
  double GroupMass = 0;
  double NewBodyMass = 0;
  int16_t ObjEditTarget = 0;

  // ---- Time.
  double timescale = 1.0;
  double SecondsElapsed = 0;
  bool PausedFlag = false;
  bool TimerWasOff = false;
  bool TimeStepHalveRequest = false;
  bool TimeStepDoubleRequest = false;
  bool TimeForward = true;   // the "Time Forward" menu tick
  bool loopRunning = false;  // a timer event's step loop is under way (across yields)

  // ---- View and display.
  double ScalePixel = 6.25e-7 / 256.0;  // pixels per metre
  double OffsetX = 0;
  double OffsetY = 0;
  double OffsetZ = 0;
  bool anchor = true;
  bool trails = true;
  bool llabels = false;
  bool pplot = true;
  bool menus = true;
  bool ExaggerateObjectSizeOn = false;
  int16_t MinimumObjectSize = 2;
  int16_t ExaggeratedObjectSize = 10;
  RotatingFrameState RotatingFrame;
  bool PickFloatingFocus = false;
  double ScreenCentreX = 0;
  double ScreenCentreY = 0;
  double AstronomicalUnit = AstronomicalUnitMetres;
  MainWindowRecord mainWindow;

  // ---- Window open flags.
  bool timerateloaded = false;
  bool screenscaleloaded = false;
  bool focusobjectloaded = false;
  bool dateandtimeloaded = false;
  bool graphicsoptionsloaded = false;
  bool refbox1loaded = false;
  bool refbox2loaded = false;
  bool refboxorbit1loaded = false;
  bool formcontrolcenterloaded = false;
  bool rotatingperiodloaded = false;
  bool createmultipleobjectsloaded = false;
  bool createobjectclassloaded = false;
  bool autopilotloaded = false;
  bool spectrumloaded = false;
  bool objeditloaded = false;
  bool orbitcalculatorloaded = false;
  bool form2loaded = false;

  // Bodies of the fixed reference boxes and the default orbit box.
  int16_t rb1a = 0, rb1b = 0, rb2a = 0, rb2b = 0, rbo1a = 0, rbo1b = 0;
  // Places of those windows and of the default thrust panel; that panel's
  // bodies and its two custom-direction texts (altitude, azimuth).
  SingleWindowPlace refbox1Place, refbox2Place, refboxorbit1Place, controlCenterPlace;
  int16_t cpobject = 0, cpreference = 0;
  std::string controlCenterText1, controlCenterText2;

  // Multi-instance windows: slots 1..100 (slot 0 unused here).
  std::array<BoxSlot, MaxSlots + 1> distanceBoxes{};
  std::array<BoxSlot, MaxSlots + 1> orbitBoxes{};
  std::array<ThrustPanelSlot, MaxSlots + 1> thrustPanels{};

  // Places of the five dashboard windows, in DashboardWindow order.
  std::array<DashboardPlace, DashboardCount> dashboard{};

  // ---- Touching pairs (entries 1..100, ended by a 0 in higher).
  alignas(64) std::array<int32_t, MaxPairs + 1> higher{};
  alignas(64) std::array<int32_t, MaxPairs + 1> lower{};
  int16_t CollisionPairCount = 0;

  // ---- Auto-save and shared instrument state.
  AutoSaveSettings autoSave;
  SpectrumSettings spectrumSettings;
  SpectrumSample spectrumSample;
  AutopilotState autopilotState;
  bool ThrustActive = false;
  bool UseNativeForceLoop = false;
  RunLoopFn nativeRunLoop = nullptr;  // set together with UseNativeForceLoop

  // ---- Files and names.
  std::string isitname;  // full path of the current situation
  std::string CurrentFolder;
  std::string CurrentFileName;
  std::string OriginalSituationName;
  std::string StoredSituationName;
  std::string MainCaption;
  std::string ResumeFolder;
  std::string dataFolder;                    // per-user data folder (resume, settings, "New" copies)
  std::array<std::string, 6> RecentFiles{};  // entries 1..4 used
  // Folders where an auto-save copy or a data-log record failed and the
  // user has been told so, and where the user answered whether read-only
  // copies may be overwritten: once per run and folder each.
  std::vector<std::string> autoSaveFailureFolders;
  std::vector<std::string> dataLogFailureFolders;
  std::vector<std::pair<std::string, bool>> autoSaveReadOnlyAnswers;
  bool ArchiveOnSave = false;
  bool KeepCommandsFlag = false;
  bool OpenSucceeded = false;
  bool BetaFullScreenFlag = false;
  bool ScreenSaverMode = false;
  std::string cpobjectname;
  std::string cpreferencename;

  // ---- Autopilot, probes, captions, thrust panels.
  std::array<AutopilotCommand, MaxAutopilot + 1> autopilot{};  // entries 1..count
  int16_t autopilotCount = 0;                                  // stored under the file key "apc"
  int32_t autopilotListGeneration = 0;                         // raised when a situation or New replaces the list
  int16_t ProbeCounter = 0;
  std::array<CaptionSlot, MaxCaptions + 1> captions{};  // slots 1..4
  CaptionDefinition captionDefinition;
  float fuelused = 0;
};

// The open flag of a dashboard window (anything past the last: the graphics
// options window).
inline bool& DashboardOpenFlag(State& s, int w) {
  switch (w) {
    case DashScreenScale: return s.screenscaleloaded;
    case DashTimeRate: return s.timerateloaded;
    case DashFocusObject: return s.focusobjectloaded;
    case DashDateAndTime: return s.dateandtimeloaded;
    default: return s.graphicsoptionsloaded;
  }
}
inline bool DashboardOpenFlag(const State& s, int w) { return DashboardOpenFlag(const_cast<State&>(s), w); }

}  // namespace molvane
