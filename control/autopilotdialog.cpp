#include "control/autopilotdialog.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <algorithm>
#include <initializer_list>
#include <utility>

#include "autopilot/autopilot.h"
#include "engine/autopilotarm.h"
#include "engine/bodies.h"
#include "engine/calendar.h"
#include "engine/numtext.h"
#include "ui/editablelist.h"
#include "ui/text.h"
#include "ui/twips.h"
#include "ui/windowservices.h"

namespace molvane {

namespace {

// The word whose controls are the caption dialog's, not a frame's.
constexpr std::string_view CaptionWord = "Caption";

double Number(const QString& t) { return ParseNumberPrefix(Latin1Bytes(t)); }

// A command line in the list: Latin-1, but for the file name that ends an
// Open or Save line, which is file-name bytes.
QString LineText(std::string_view line) {
  if (!AutopilotLineEndsInPath(line)) return Latin1(line);
  return Latin1(line.substr(0, AutopilotParamColumn - 1)) + PathText(line.substr(AutopilotParamColumn - 1));
}

// The place of `word` in the editor's word list, -1 for none.
int WordIndex(std::string_view word) {
  const auto* w = std::find(AutopilotEditorWords.begin(), AutopilotEditorWords.end(), word);
  return w == AutopilotEditorWords.end() ? -1 : static_cast<int>(w - AutopilotEditorWords.begin());
}

QComboBox* TimeCombo(QWidget* parent, const char* name) {
  auto* c = new QComboBox(parent);
  c->setObjectName(name);
  MakeEditableList(c);
  return c;
}

QLineEdit* Box(QWidget* parent, const char* name) {
  auto* b = new QLineEdit(parent);
  b->setObjectName(name);
  return b;
}

}  // namespace

frmAutoPilot::frmAutoPilot(WindowServices& form, AutopilotEditorMemory& memory)
    : QWidget(&form.mainWidget(), Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      form_(form),
      s_(form.state()),
      memory_(memory) {
  setWindowTitle("Auto Pilot");
  setWindowIcon(form.mainWidget().windowIcon());
  setAttribute(Qt::WA_DeleteOnClose);
  buildControls();
  Form_Load();
}

// Deleted without a close only when the main window goes away: the window
// is gone then, so only the open flag is cleared.
frmAutoPilot::~frmAutoPilot() {
  if (!released_) s_.autopilotloaded = false;
}

// Places in pixels of 15 twips: the client area is 11010 x 6585 twips, the
// list at 6720, 720, the note at 240, 5280 and the parameter frames at 240,
// 2400; the rest is fitted around them.
void frmAutoPilot::buildControls() {
  setFixedSize(734, 439);
  buildTimeAndCommandControls();
  buildFrames();
  connectControls();
}

void frmAutoPilot::buildTimeAndCommandControls() {
  // ---- Execution time.
  auto* timeFrame = new QGroupBox("Execution Time", this);
  timeFrame->setObjectName("FrameExecutionTime");
  timeFrame->setGeometry(16, 4, 420, 100);
  auto* tg = new QGridLayout(timeFrame);
  ComboMonth = TimeCombo(timeFrame, "ComboMonth");
  ComboDay = TimeCombo(timeFrame, "ComboDay");
  TextYear = Box(timeFrame, "TextYear");
  ComboHour = TimeCombo(timeFrame, "ComboHour");
  ComboMinute = TimeCombo(timeFrame, "ComboMinute");
  TextSeconds = Box(timeFrame, "TextSeconds");
  const char* heads[] = {"Month", "Day", "Year", "Hour", "Minute", "Seconds"};
  QWidget* boxes[] = {ComboMonth, ComboDay, TextYear, ComboHour, ComboMinute, TextSeconds};
  for (int i = 0; i < 6; ++i) {
    tg->addWidget(new QLabel(heads[i]), 0, i);
    tg->addWidget(boxes[i], 1, i);
  }
  Command1 = new QPushButton("Current Time", timeFrame);
  Command2 = new QPushButton("After Last", timeFrame);
  Command1->setObjectName("Command1");
  Command2->setObjectName("Command2");
  tg->addWidget(Command1, 2, 0, 1, 3);
  tg->addWidget(Command2, 2, 3, 1, 3);

  // ---- Command word, note, buttons, list.
  auto* commandFrame = new QGroupBox("Command", this);
  commandFrame->setObjectName("frameCommand");
  commandFrame->setGeometry(16, 106, 420, 53);
  auto* cl = new QHBoxLayout(commandFrame);
  ComboCommand = new QComboBox(commandFrame);
  ComboCommand->setObjectName("ComboCommand");
  cl->addWidget(ComboCommand);
  // Small margins, as in the parameter frames.
  for (QLayout* l : std::initializer_list<QLayout*>{tg, cl}) {
    l->setContentsMargins(4, 2, 4, 2);
    l->setSpacing(4);
  }

  auto* noteLabel = new QLabel("Caption", this);
  noteLabel->setGeometry(16, 337, 120, 15);
  Text1 = new QPlainTextEdit(this);
  Text1->setObjectName("Text1");
  Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Text1->setGeometry(16, 352, 300, 79);

  auto button = [this](const char* caption, const char* name, int x, int y, int width) {
    auto* b = new QPushButton(caption, this);
    b->setObjectName(name);
    b->setGeometry(x, y, width, 25);
    return b;
  };
  btnNew = button("New", "btnNew", 332, 352, 104);
  btnAdd = button("Add >>", "btnAdd", 332, 379, 104);
  btnReplace = button("Replace >>", "btnReplace", 332, 406, 104);
  btnEdit = button("<< Edit", "btnEdit", 448, 379, 84);
  btnDelete = button("Delete", "btnDelete", 448, 406, 84);
  btnOK = button("OK", "btnOK", 544, 406, 84);
  btnClose = button("Close", "btnClose", 640, 406, 84);
  btnAdd->setEnabled(false);
  btnReplace->setEnabled(false);
  btnDelete->setEnabled(false);

  auto* heads2 = new QLabel("Date            Time       Command", this);
  heads2->setGeometry(448, 30, 276, 16);
  ListOfCommands = new QListWidget(this);
  ListOfCommands->setObjectName("ListOfCommands");
  QFont listFont("Arial");
  listFont.setPointSizeF(7.5);
  ListOfCommands->setFont(listFont);
  ListOfCommands->setGeometry(448, 48, 276, 320);
  LateNote = new QPlainTextEdit(this);
  LateNote->setObjectName("LateNote");
  LateNote->setReadOnly(true);
  LateNote->setFont(listFont);
  LateNote->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  LateNote->setGeometry(448, 272, 276, 96);
  LateNote->hide();
}

void frmAutoPilot::buildFrames() {
  FrameThrust = new ThrustFrame(this, form_);
  FrameOrient = new OrientFrame(this, form_,
                                {"Orient Prograde", "FrameOrient", "ComboOrientObject", "ComboOrientReference"}, true);
  FrameOrientRetrograde = new OrientFrame(
      this, form_,
      {"Orient Retrograde", "FrameOrientRetrograde", "ComboOrientRetrogradeObject", "ComboOrientRetrogradeReference"},
      true);
  frameOrientToward = new OrientFrame(
      this, form_, {"Orient Toward", "frameOrientToward", "ComboOrientTowardObject", "ComboOrientTowardReference"},
      false);
  FrameOrientAway = new OrientFrame(
      this, form_, {"Orient Away", "FrameOrientAway", "ComboOrientAwayObject", "ComboOrientAwayReference"}, false);
  FrameOrientCustom = new OrientCustomFrame(this, form_);
  FrameRotatingFrame = new RotatingFrame(this, form_);
  frameSave =
      new FileFrame(this, form_, {"Save", "File Name:", "frameSave", "Text2", "Command4"}, FileDialogKind::Save);
  FrameOpen = new FileFrame(this, form_, {"Open", "File", "FrameOpen", "Text7", "btnBrowse"}, FileDialogKind::Open);
  FrameTimeScale = new TimeScaleFrame(this, form_);
  FrameFocus = new FocusFrame(this, form_);
  FrameZoom = new ZoomFrame(this, form_);
  FrameGraphics = new GraphicsFrame(this, form_);
  FrameReleaseProbe = new ReleaseProbeFrame(this, form_, memory_.probeMassFactor);

  const std::pair<std::string_view, CommandFrame*> words[] = {{"Orient Prograde", FrameOrient},
                                                              {"Orient Retrograde", FrameOrientRetrograde},
                                                              {"Orient Toward", frameOrientToward},
                                                              {"Orient Away", FrameOrientAway},
                                                              {"Orient Custom", FrameOrientCustom},
                                                              {"Thrust", FrameThrust},
                                                              {"Rotating Frame", FrameRotatingFrame},
                                                              {"Save", frameSave},
                                                              {"Time Scale", FrameTimeScale},
                                                              {"Open", FrameOpen},
                                                              {"Focus", FrameFocus},
                                                              {"Zoom", FrameZoom},
                                                              {"Graphics", FrameGraphics},
                                                              {"Release Probe", FrameReleaseProbe}};
  for (auto [word, frame] : words) frames_.at(static_cast<size_t>(WordIndex(word))) = frame;
}

CommandFrame* frmAutoPilot::frameOf(std::string_view word) const {
  const int i = WordIndex(word);
  return i < 0 ? nullptr : frames_[static_cast<size_t>(i)];
}

void frmAutoPilot::connectControls() {
  connect(ComboCommand, &QComboBox::activated, this, [this] { ComboCommand_Click(); });
  // A row highlighted by the keys is picked as one clicked; a click on the
  // row already highlighted loads it again. Focus alone (Tab) makes a row
  // current without highlighting it: that picks nothing.
  connect(ListOfCommands, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row >= 0 && !filling_ && ListOfCommands->item(row)->isSelected()) ListOfCommands_Click();
  });
  connect(ListOfCommands, &QListWidget::itemClicked, this, [this] { ListOfCommands_Click(); });
  const std::pair<QAbstractButton*, void (frmAutoPilot::*)()> clicks[] = {
      {Command1, &frmAutoPilot::Command1_Click},   {Command2, &frmAutoPilot::Command2_Click},
      {btnAdd, &frmAutoPilot::btnAdd_Click},       {btnReplace, &frmAutoPilot::btnReplace_Click},
      {btnDelete, &frmAutoPilot::btnDelete_Click}, {btnNew, &frmAutoPilot::btnNew_Click},
      {btnEdit, &frmAutoPilot::btnEdit_Click},     {btnOK, &frmAutoPilot::btnOK_Click},
      {btnClose, &frmAutoPilot::btnClose_Click}};
  for (auto [button, handler] : clicks) {
    connect(button, &QAbstractButton::clicked, this, [this, h = handler] { (this->*h)(); });
  }
}

void frmAutoPilot::Form_Load() {
  move(WholePixelsOfTwips(200), WholePixelsOfTwips(850));
  s_.autopilotloaded = true;
  // Hold the simulation; Close and OK let it run again only when it was
  // running now.
  s_.TimerWasOff = !form_.timerEnabled();
  s_.PausedFlag = true;
  form_.setTimerEnabled(false);
  btnEdit->setEnabled(false);
  for (int d = 1; d <= 31; ++d) ComboDay->addItem(QString::number(d));
  for (int m = 1; m <= 12; ++m) ComboMonth->addItem(QString::number(m));
  for (int h = 0; h <= 23; ++h) ComboHour->addItem(QString::number(h));
  for (int m = 0; m <= 59; ++m) ComboMinute->addItem(QString::number(m));
  for (CommandFrame* frame : frames_) {
    if (frame) frame->loadBodyLists();
  }
  for (std::string_view word : AutopilotEditorWords) ComboCommand->addItem(Latin1(word));
  ComboCommand->setCurrentIndex(-1);
  for (CommandFrame* frame : frames_) {
    if (frame) frame->setGeometry(16, 160, 428, 176);
  }
  followList();
  fillCommandList();
  SetDefaultTime();
}

void frmAutoPilot::followList() {
  if (memory_.listGeneration == s_.autopilotListGeneration) return;
  memory_.listGeneration = s_.autopilotListGeneration;
  memory_.editIndex = 0;
  closeCaptionOfEntry(captionEntry_);
  btnReplace->setEnabled(false);
  btnDelete->setEnabled(false);
  fillCommandList();
}

void frmAutoPilot::releaseSimulation() {
  if (released_) return;
  released_ = true;
  s_.autopilotloaded = false;
  if (!s_.TimerWasOff) {
    s_.PausedFlag = false;
    form_.setTimerEnabled(true);
  }
}

void frmAutoPilot::closeEvent(QCloseEvent* e) {
  releaseSimulation();
  QWidget::closeEvent(e);
  form_.mainWidget().activateWindow();
}

void frmAutoPilot::refreshObjectLists() {
  for (CommandFrame* frame : frames_) {
    if (frame) frame->refreshBodyLists();
  }
}

// Under the list, the entries that the one-entry-per-step rule makes run
// later than typed; the list gives up the room only while there are any.
void frmAutoPilot::fillCommandList() {
  filling_ = true;
  ListOfCommands->clear();
  const int n = AutopilotListCount(s_);
  for (int i = 1; i <= n; ++i) ListOfCommands->addItem(LineText(s_.autopilot[i].line));
  filling_ = false;
  const std::string note = AutopilotLateEntriesNote(s_);
  LateNote->setPlainText(Latin1(note));
  LateNote->setVisible(!note.empty());
  ListOfCommands->setGeometry(448, 48, 276, note.empty() ? 320 : 220);
}

void frmAutoPilot::distributeDateTime(double t) {
  const DateTimeFields f = SplitDateTimeText(FormatDateTimeText(t));
  ComboMonth->setEditText(Latin1(f.month));
  ComboDay->setEditText(Latin1(f.day));
  TextYear->setText(Latin1(f.year));
  ComboHour->setEditText(Latin1(f.hour));
  ComboMinute->setEditText(Latin1(f.minute));
  TextSeconds->setText(Latin1(f.second));
}

void frmAutoPilot::SetDefaultTime() {
  const int c = s_.autopilotState.cursor;
  double t = s_.SecondsElapsed + 1;
  if (c >= 1 && c <= AutopilotListCount(s_) && s_.SecondsElapsed < s_.autopilot[c].time) {
    t = s_.autopilot[c].time + 1;
  }
  distributeDateTime(t);
}

void frmAutoPilot::Command1_Click() { distributeDateTime(s_.SecondsElapsed + 1); }

void frmAutoPilot::Command2_Click() {
  const int n = AutopilotListCount(s_);
  distributeDateTime(s_.autopilot[n].time + 1);
}

void frmAutoPilot::HideParameterFrames() {
  for (CommandFrame* frame : frames_) {
    if (frame) frame->setVisible(false);
  }
}

QGroupBox* frmAutoPilot::visibleFrame() const {
  for (CommandFrame* frame : frames_) {
    if (frame && !frame->isHidden()) return frame;
  }
  return nullptr;
}

void frmAutoPilot::pickCommand(const QString& word) {
  ComboCommand->setCurrentIndex(ComboCommand->findText(word));
  ComboCommand_Click();
}

void frmAutoPilot::ComboCommand_Click() {
  HideParameterFrames();
  btnAdd->setEnabled(true);
  const std::string word = BoxText(ComboCommand);
  if (word == CaptionWord) showCaptionDialog();
  if (CommandFrame* frame = frameOf(word)) {
    frame->setVisible(true);
    frame->defaults();
  }
}

std::string frmAutoPilot::currentDateField() const {
  return ComposeAutopilotDateField(Number(TextYear->text()), Number(ComboMonth->currentText()),
                                   Number(ComboDay->currentText()), Number(ComboHour->currentText()),
                                   Number(ComboMinute->currentText()), Number(TextSeconds->text()));
}

AutopilotFields frmAutoPilot::currentFields() const {
  AutopilotFields f;
  f.word = BoxText(ComboCommand);
  if (f.word == CaptionWord) f.caption = s_.captionDefinition;  // as the caption dialog prepared it
  if (const CommandFrame* frame = frameOf(f.word)) frame->readFields(f);
  return f;
}

void frmAutoPilot::clearCommandAndNote() {
  ComboCommand->setCurrentIndex(-1);
  Text1->clear();
}

// "Add >>" in full; with `replace` the entry "<< Edit" loaded goes first.
// A command that cannot be stored (a time beyond what the clock counts, a
// full list) or could never run as typed (the executor's own check of its
// word) leaves the list and the controls as they are, with a message that
// names the field.
int frmAutoPilot::addCommand(bool replace) {
  const AutopilotFields f = currentFields();
  const std::string date = currentDateField();
  std::string problem = AutopilotTimeProblem(BoxText(TextYear), BoxText(ComboMonth), BoxText(ComboDay),
                                             BoxText(ComboHour), BoxText(ComboMinute), BoxText(TextSeconds));
  if (problem.empty()) {
    std::vector<NamedText> texts{{"Caption", Text1->toPlainText()}};  // the note
    if (const CommandFrame* frame = frameOf(f.word)) {
      for (NamedText& t : frame->latin1Texts()) texts.push_back(std::move(t));
    }
    problem = Latin1Problem(texts);
  }
  if (problem.empty()) problem = AutopilotEntryTimeProblem(AutopilotLineTime(date));
  if (problem.empty()) {
    const AutopilotCheck check{s_, form_.mainWindowWidthTwips(), form_.mainWindowHeightTwips(),
                               form_.screenWidthPixels(), &f};
    problem = AutopilotCommandProblem(
        check, ComposeAutopilotLine(date, f, form_.mainWindowWidthTwips(), form_.mainWindowHeightTwips()));
  }
  if (!problem.empty()) {
    form_.message(problem);
    return 0;
  }
  const std::string note = Latin1Bytes(Text1->toPlainText());
  const int i = replace ? ReplaceAutopilotEntry(s_, form_.autopilotHost(), memory_.editIndex, date, f, note)
                        : AddAutopilotEntry(s_, form_.autopilotHost(), date, f, note);
  if (i == 0) return 0;
  if (CommandFrame* frame = frameOf(f.word)) frame->added(f);
  fillCommandList();
  HideParameterFrames();
  clearCommandAndNote();
  btnNew->setEnabled(false);
  SetDefaultTime();
  return i;
}

void frmAutoPilot::btnAdd_Click() {
  // "New" leaves Delete and Replace armed on the entry last edited: keep
  // them on that entry when the new one goes in before it.
  const int i = addCommand(false);
  if (i > 0 && i <= memory_.editIndex) ++memory_.editIndex;
  if (i > 0 && i <= captionEntry_) ++captionEntry_;
}

void frmAutoPilot::btnReplace_Click() {
  if (addCommand(true) == 0) return;
  btnReplace->setEnabled(false);
  btnDelete->setEnabled(false);
  HideParameterFrames();
  clearCommandAndNote();
  SetDefaultTime();
}

void frmAutoPilot::btnDelete_Click() {
  btnDelete->setEnabled(false);
  btnReplace->setEnabled(false);
  HideParameterFrames();
  clearCommandAndNote();
  const int r = ListOfCommands->currentRow();
  closeCaptionOfEntry(memory_.editIndex);
  RemoveAutopilotCommand(s_, memory_.editIndex);
  fillCommandList();
  const int n = ListOfCommands->count();
  if (n > 0 && r >= 0) ListOfCommands->setCurrentRow(r > n - 1 ? r - 1 : r);  // loads it
  SetDefaultTime();
}

void frmAutoPilot::btnNew_Click() {
  btnAdd->setEnabled(true);
  btnReplace->setEnabled(false);
  btnNew->setEnabled(false);
  clearCommandAndNote();
  HideParameterFrames();
}

void frmAutoPilot::ListOfCommands_Click() {
  btnNew->setEnabled(true);
  btnReplace->setEnabled(true);
  btnDelete->setEnabled(true);
  btnAdd->setEnabled(false);
  btnEdit_Click();
}

void frmAutoPilot::btnEdit_Click() {
  btnEdit->setEnabled(false);
  const int row = ListOfCommands->currentRow();
  const int n = AutopilotListCount(s_);
  if (row < 0 || row >= n) return;
  // Row r is entry r + 1, also where lines are alike: their notes differ.
  const int k = row + 1;
  const AutopilotCommand& e = s_.autopilot[k];
  distributeDateTime(e.time);
  Text1->setPlainText(Latin1(e.note));
  HideParameterFrames();
  // What the line cannot give back (a number too large to hold, a unit
  // that is none of the options) stays as the controls show it.
  AutopilotFields f;
  f.caption = s_.captionDefinition;
  for (const CommandFrame* frame : frames_) {
    if (frame) frame->readFields(f);
  }
  const bool known = ReadAutopilotLine(e.line, form_.mainWindowWidthTwips(), form_.mainWindowHeightTwips(), f) &&
                     WordIndex(f.word) >= 0;
  // A cut-off reads no rate, so its name may run past its field: the body
  // of the whole name comes back, and the rate that follows it.
  if (AutopilotLineWord(e.line) == "Thrust Cut Off") {
    const int body = FindBodyNamedAt(s_, e.line, AutopilotParamColumn);
    const size_t length = body > 0 ? s_.objname[body].size() : 0;
    if (length > f.object.size()) {
      f.object = s_.objname[body];
      f.thrustRate = molvane::LineText(e.line, AutopilotParamColumn + static_cast<int>(length), -1);
    }
  }
  ComboCommand->setCurrentIndex(known ? ComboCommand->findText(Latin1(f.word)) : -1);
  if (known && f.word == CaptionWord) restoreCaption(f);
  if (CommandFrame* frame = known ? frameOf(f.word) : nullptr) {
    frame->setVisible(true);
    frame->restoreFields(f);
  }
  memory_.editIndex = k;
  captionEntry_ = known && f.word == CaptionWord ? k : 0;
}

void frmAutoPilot::showCaptionDialog() {
  if (captionDialog_ && captionDialog_->isClosed()) delete captionDialog_.data();
  if (!captionDialog_) {
    captionDialog_ = new frmAddCaptionAutopilot(form_, this);
    captionDialog_->Form_Load();
  }
  captionDialog_->show();
  captionDialog_->raise();
}

// The caption dialog goes with the entry it shows: deleted, or the list
// replaced under it.
void frmAutoPilot::closeCaptionOfEntry(int k) {
  if (k == 0 || captionEntry_ != k) return;
  captionEntry_ = 0;
  if (captionDialog_ && !captionDialog_->isClosed()) captionDialog_->close();
}

void frmAutoPilot::btnOK_Click() {
  ArmAutopilot(s_);
  close();
}

void frmAutoPilot::btnClose_Click() { close(); }

// Caption: the definition the caption dialog prepares comes back there.
void frmAutoPilot::restoreCaption(const AutopilotFields& f) {
  s_.captionDefinition = f.caption;
  showCaptionDialog();
  if (captionDialog_) captionDialog_->showDefinition(f.caption);
}

}  // namespace molvane
