// Autopilot command lines: one fixed-column text line per command.
//
// Columns (from 1): 1-23 the date field (a DateTimeText), 24 a blank, 25-44
// the command word padded to 20, parameters from 45. "Pad to N" appends
// blanks until the line is N long and never cuts, so an over-long value
// pushes the later fields right.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/state.h"

namespace molvane {

constexpr int AutopilotWordColumn = 25;   // first column of the command word
constexpr int AutopilotParamColumn = 45;  // first column of the parameters

// Where the executor reads the field after a name. A name that reaches it
// would shift what follows: the editor refuses such a name and the
// executor runs no line that holds one.
constexpr int ThrustRateColumn = 66;    // after the Thrust Initiate body
constexpr int OrientSecondColumn = 67;  // the reference, or Orient Custom's azimuth
constexpr int ProbeNameColumn = 67;     // after the Release Probe parent
constexpr int ProbeColourColumn = 87;   // after the probe's name
constexpr int FocusOffsetColumn = 74;   // after the Focus body
constexpr int FocusNameColumn = 54;     // the Focus body after "Absolute " or "Floating "

// The stored command words.
inline constexpr std::array<std::string_view, 20> AutopilotStoredWords = {"Caption",
                                                                          "Open",
                                                                          "Clear Screen",
                                                                          "Rotating Frame",
                                                                          "Thrust Initiate",
                                                                          "Thrust Cut Off",
                                                                          "Pause",
                                                                          "Save",
                                                                          "Orient Prograde",
                                                                          "Orient Toward",
                                                                          "Orient Away",
                                                                          "Orient Custom",
                                                                          "Orient Retrograde",
                                                                          "Focus",
                                                                          "Zoom 2x",
                                                                          "Zoom .5x",
                                                                          "Zoom",
                                                                          "Graphics",
                                                                          "Time Scale",
                                                                          "Release Probe"};

// The editor's 17 words, in the order of its word list.
inline constexpr std::array<std::string_view, 17> AutopilotEditorWords = {"Caption",
                                                                          "Orient Prograde",
                                                                          "Orient Retrograde",
                                                                          "Orient Toward",
                                                                          "Orient Away",
                                                                          "Orient Custom",
                                                                          "Thrust",
                                                                          "Rotating Frame",
                                                                          "Save",
                                                                          "Pause",
                                                                          "Time Scale",
                                                                          "Open",
                                                                          "Focus",
                                                                          "Zoom",
                                                                          "Graphics",
                                                                          "Release Probe",
                                                                          "Clear Screen"};

// Time Scale units: the 7-character word and the seconds per unit.
enum class TimeScaleUnit : int { Seconds = 0, Minutes, Hours, Days, Months, Years };
inline constexpr std::array<std::string_view, 6> TimeScaleUnitWords = {"Seconds", "Minutes", "Hours  ",
                                                                       "Days   ", "Months ", "Years  "};
inline constexpr std::array<double, 6> TimeScaleUnitSeconds = {1, 60, 3600, 86400, 2592000, 31536000};

// Release Probe mass options: Earth masses per unit of the mass box.
inline constexpr double ProbeMassFactorEarth = 1.0;
inline constexpr double ProbeMassFactorJupiter = JupiterEarthMasses;
inline constexpr double ProbeMassFactorSun = SunEarthMasses;
inline constexpr double ProbeMassFactorKg = 1.0 / EarthMassKg;

enum class ZoomOption : int { None = 0, In, Out, Specify };

// The editor's controls for one command, as typed. Only the fields of the
// chosen word are used; the others keep whatever they hold.
struct AutopilotFields {
  std::string word;  // an editor word; anything else composes no command

  std::string object;     // orient, custom, thrust, focus and release body
  std::string reference;  // orient reference
  std::string azimuth;    // degrees: Orient Custom, Release Probe
  std::string altitude;

  bool thrustInitiate = true;
  std::string thrustRate;  // m/s^2

  std::string rotatePeriod;  // seconds
  bool clockwise = true;

  ZoomOption zoom = ZoomOption::In;
  std::string zoomValue;
  std::string zoomUnit;  // "Km", "AU", "LY" or empty

  bool trails = false;
  bool labels = false;
  bool images = false;
  bool plot = true;
  bool exaggerate = false;

  std::string perspective;  // "Absolute", "Floating" or empty
  std::string offsetX, offsetY, offsetZ;
  std::string offsetUnit;  // "Km", "AU", "LY" or empty

  std::string timeScaleValue;
  TimeScaleUnit timeScaleUnit = TimeScaleUnit::Seconds;

  std::string probeName;
  int32_t probeColour = 0;  // 0x00BBGGRR
  double probeMass = 0;     // Earth masses (mass box times its option's factor)
  bool deductMass = true;
  std::string probeSize;  // diameter in metres

  std::string fileName;  // Save, Open

  CaptionDefinition caption;  // absolute sizes: font points, geometry as typed
};

// ---- Date field.

// The date field of a command at the given calendar time; the seconds are
// rounded to a whole number first. A negative year's sign is in column 6.
std::string ComposeAutopilotDateField(double year, double month, double day, double hour, double minute, double second);

// Clock seconds of the date field (columns 1-23) of `line`. Negative years
// (sign in column 6) read back as written.
double AutopilotLineTime(std::string_view line);

// The six time fields of a DateTimeText as the editor's boxes take them:
// month 1-2, day 4-5, year 6-15 (sign kept, blanks removed), hour 16-17,
// minute 19-20, second the last two characters.
struct DateTimeFields {
  std::string month, day, year, hour, minute, second;
};
DateTimeFields SplitDateTimeText(std::string_view text);

// Why the typed execution time cannot be used as it stands (a field out of
// its range, no number, a year whose seconds the clock cannot count one by
// one, a day past the end of its month), as a message that names the field;
// empty when it can.
std::string AutopilotTimeProblem(std::string_view year, std::string_view month, std::string_view day,
                                 std::string_view hour, std::string_view minute, std::string_view second);

// ---- Lines.

// The 20-character word field of a stored word ("Zoom .5x" is 22 long).
std::string AutopilotWordField(std::string_view storedWord);

// The stored word in columns 25-44 of `line`, or empty when none matches.
std::string_view AutopilotLineWord(std::string_view line);
// Whether the line is an Open or Save line long enough to end in a file
// name (the system's bytes, not Latin-1).
bool AutopilotLineEndsInPath(std::string_view line);

// Builds the whole line: date field, blank, word and parameters. Caption
// sizes are divided by the main window's outer width and height (twips).
// An unknown word gives the date field and one blank.
std::string ComposeAutopilotLine(std::string_view dateField, const AutopilotFields& f, double windowWidth,
                                 double windowHeight);

// Reads a line back into the editor's fields. Body names come back without
// trailing blanks; numbers the editor shows as decimal text come back so.
// Caption sizes are multiplied back by the window's width and height.
// Returns false (fields untouched except `word` cleared) when no stored word
// matches.
bool ReadAutopilotLine(std::string_view line, double windowWidth, double windowHeight, AutopilotFields& f);

// ---- Column helpers shared with the executor.

// Columns from..to (1-based, inclusive) of `line`; columns past its end are
// empty. `to` < 0 means to the end of the line.
std::string_view LineColumns(std::string_view line, int from, int to);
// The same with trailing blanks removed.
std::string LineText(std::string_view line, int from, int to);
// The number at the start of columns from..to (leading-number rule).
double LineNumber(std::string_view line, int from, int to);
// The same as the executor reads its number fields: blanks inside the
// number are skipped, so a typed "1 000" is 1000.
double LineFieldNumber(std::string_view line, int from, int to);
// The last n characters of the line (all of it when shorter).
std::string_view LineEnd(std::string_view line, size_t n);
// The clockwise field of a Rotating Frame line (columns 65-84): "True",
// "False" (any letter case) or a number, non-zero meaning clockwise. False
// for any other text, `clockwise` untouched.
bool ReadClockwise(std::string_view line, bool& clockwise);
// Metres per unit of a zoom or focus-offset unit ("Km", "AU", "LY"); 0 for
// any other text.
double AutopilotUnitMetres(const State& s, std::string_view unit);

}  // namespace molvane
