#include "mainwindow/dashboard.h"

#include <QCloseEvent>
#include <QDesktopServices>
#include <QFontInfo>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QMoveEvent>
#include <QPainter>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "engine/bodies.h"
#include "engine/calendar.h"
#include "engine/numtext.h"
#include "engine/timestep.h"
#include "engine/view.h"
#include "mainwindow/aboutbox.h"
#include "mainwindow/dashboardhost.h"
#include "mainwindow/menudialogs.h"
#include "mainwindow/secondview.h"
#include "ui/bodynames.h"
#include "ui/frameplace.h"
#include "ui/keys.h"
#include "ui/onscreen.h"
#include "ui/text.h"
#include "ui/windowservices.h"

namespace molvane {

namespace {

// The two pictures of the floating-focus button: an arrow while the pick is
// armed, a cross while it is not.
QPixmap ArrowPicture() {
  QPixmap p(16, 16);
  p.fill(Qt::transparent);
  QPainter g(&p);
  g.setRenderHint(QPainter::Antialiasing);
  g.setBrush(Qt::black);
  const QPointF pts[] = {{3, 2}, {3, 14}, {6, 11}, {9, 15}, {11, 14}, {8, 10}, {12, 10}};
  g.drawPolygon(pts, 7);
  return p;
}

QPixmap CrossPicture() {
  QPixmap p(16, 16);
  p.fill(Qt::transparent);
  QPainter g(&p);
  g.setPen(QPen(Qt::black, 2));
  g.drawLine(8, 1, 8, 15);
  g.drawLine(1, 8, 15, 8);
  return p;
}

QPushButton* SmallButton(const QString& caption, QWidget* parent) {
  auto* b = new QPushButton(caption, parent);
  b->setAutoDefault(false);
  b->setFixedSize(22, 22);
  return b;
}

// F9 lines the windows up 2010 twips (134 pixels) apart whatever their
// widths, and the toggles open them at the same places: each window is as
// wide as the date window's 2010 twips less a thin border on either side, so
// that the titles get all the room the row has.
constexpr int DashboardWidth = 130;

// A window's controls: a row of buttons, with the readout on a line of its
// own below them when there is one.
QVBoxLayout* DashboardLayout(QWidget* window, std::initializer_list<QWidget*> buttons, QLabel* readout) {
  auto* lay = new QVBoxLayout(window);
  lay->setContentsMargins(3, 3, 3, 3);
  lay->setSpacing(2);
  auto* row = new QHBoxLayout;
  row->setSpacing(2);
  for (QWidget* b : buttons) row->addWidget(b);
  row->addStretch(1);
  lay->addLayout(row);
  if (readout) lay->addWidget(readout);
  return lay;
}

// The largest size of the window's font, down to 7 pixels, at which a date
// and time (with a four-digit year) takes no more than `width` pixels.
QFont DateFont(QFont f, int width) {
  const QString widest = Latin1(FormatDateTimeText(63900000000.0));  // a day of 2024
  for (int px = QFontInfo(f).pixelSize(); px >= 7; --px) {
    f.setPixelSize(px);
    if (QFontMetrics(f).horizontalAdvance(widest) <= width) break;
  }
  return f;
}

}  // namespace

int DateAndTimeWidth(int w, int lw) {
  if (w - 100 < lw) return lw + 100;
  if (lw < 1935) return 2010;
  return w;
}

// ------------------------------------------------------------- common part

DashboardWindowBase::DashboardWindowBase(MainToolWindows& tools, DashboardWindow which, const QString& caption)
    // A title bar with a close box only leaves the caption the most room.
    : ToolWindow(&tools.form().mainWidget(),
                 Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      tools_(tools),
      form_(tools.form()),
      commands_(tools.commands()),
      s_(tools.state()),
      which_(which) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(caption);
  setToolTip(caption);
  forwardKeys(this);
}

void DashboardWindowBase::forwardKeys(QWidget* control) { ForwardKeysFrom(control, true); }

// The place is kept as given, so a place read from a file is written back
// unchanged; the window goes to the nearest pixel.
void DashboardWindowBase::setLeftTwips(double left) {
  if (!std::isfinite(left)) return;
  DashboardPlace& p = s_.dashboard[which_];
  p.left = static_cast<float>(left);
  placeAtTwips(p.left, p.top);
}

void DashboardWindowBase::setTopTwips(double top) {
  if (!std::isfinite(top)) return;
  DashboardPlace& p = s_.dashboard[which_];
  p.top = static_cast<float>(top);
  placeAtTwips(p.left, p.top);
}

void DashboardWindowBase::load() {
  DashboardOpenFlag(s_, which_) = true;
  form_.syncMenus();
  formLoad();
}

// A move by the user (or the window manager) is the place the next save
// records.
void DashboardWindowBase::storePlace() {
  if (isClosed() || !isVisible() || placing()) return;
  const int left = leftTwips();
  const int top = topTwips();
  DashboardPlace& p = s_.dashboard[which_];
  if (PixelsOfTwips(p.left) != frameGeometry().x()) p.left = static_cast<float>(left);
  if (PixelsOfTwips(p.top) != frameGeometry().y()) p.top = static_cast<float>(top);
}

void DashboardWindowBase::moveEvent(QMoveEvent* e) {
  QWidget::moveEvent(e);
  storePlace();
}

// A narrow title bar shows only the start of the caption: the whole caption
// is the window's tool tip.
void DashboardWindowBase::changeEvent(QEvent* e) {
  ToolWindow::changeEvent(e);
  if (e->type() == QEvent::WindowTitleChange) setToolTip(windowTitle());
}

void DashboardWindowBase::closeEvent(QCloseEvent* e) {
  if (markClosed()) tools_.windowClosed(which_);
  e->accept();
}

// ------------------------------------------------------------ screen scale

frmScreenScale::frmScreenScale(MainToolWindows& tools) : DashboardWindowBase(tools, DashScreenScale, "Screen Scale") {
  Command13 = SmallButton("+", this);
  Command14 = SmallButton("-", this);
  Label1 = new QLabel(this);
  DashboardLayout(this, {Command13, Command14}, Label1);
  resize(DashboardWidth, sizeHint().height());
  for (QWidget* c : {static_cast<QWidget*>(Command13), static_cast<QWidget*>(Command14)}) forwardKeys(c);
  Command13->setObjectName("Command13");
  Command14->setObjectName("Command14");
  connect(Command13, &QPushButton::clicked, this, [this] { Command13_Click(); });
  connect(Command14, &QPushButton::clicked, this, [this] { Command14_Click(); });
}

void frmScreenScale::Command13_Click() { commands_.zoomIn(); }
void frmScreenScale::Command14_Click() { commands_.zoomOut(); }
void frmScreenScale::formLoad() { commands_.UpdateScreenScale(); }

// --------------------------------------------------------------- time step

frmTimeRate::frmTimeRate(MainToolWindows& tools) : DashboardWindowBase(tools, DashTimeRate, "Time Step") {
  Command15 = SmallButton("| |", this);
  Command16 = SmallButton("+", this);
  Command17 = SmallButton("-", this);
  Label1 = new QLabel(this);
  DashboardLayout(this, {Command15, Command16, Command17}, Label1);
  resize(DashboardWidth, sizeHint().height());
  for (QWidget* c : {Command15, Command16, Command17}) forwardKeys(c);
  Command15->setObjectName("Command15");
  Command16->setObjectName("Command16");
  Command17->setObjectName("Command17");
  connect(Command15, &QPushButton::clicked, this, [this] { Command15_Click(); });
  connect(Command16, &QPushButton::clicked, this, [this] { Command16_Click(); });
  connect(Command17, &QPushButton::clicked, this, [this] { Command17_Click(); });
}

void frmTimeRate::formLoad() {
  Command15->setText(s_.PausedFlag ? ">" : "||");
  Label1->setText(Latin1(GeneralText(s_.timescale)));
}

// The main window's Pause/Play does the same: flag, button, menu, timer.
void frmTimeRate::Command15_Click() { commands_.PausePlay(); }

// Paused: at once. Running: the loop applies the request at the end of its
// step, so several presses within one step give one change.
void frmTimeRate::Command16_Click() {
  if (s_.PausedFlag) {
    MultiplyTimeStep(s_, form_.engineHost(), 2);
  } else {
    s_.TimeStepDoubleRequest = true;
  }
}

void frmTimeRate::Command17_Click() {
  if (s_.PausedFlag) {
    DivideTimeStep(s_, form_.engineHost(), 2);
  } else {
    s_.TimeStepHalveRequest = true;
  }
}

void frmTimeRate::showTimeStep(const std::string& caption, const std::string& text) {
  setWindowTitle(Latin1(caption));
  Label1->setText(Latin1(text));
}

// -------------------------------------------------------------- focus body

frmFocusObject::frmFocusObject(MainToolWindows& tools) : DashboardWindowBase(tools, DashFocusObject, "Focus Object") {
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(3, 3, 3, 3);
  Combo2 = new QComboBox(this);
  Combo2->setEditable(false);
  // A long name does not widen the window; the dropped list shows it whole.
  Combo2->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  Combo2->setMinimumContentsLength(6);
  row->addWidget(Combo2);
  resize(DashboardWidth, sizeHint().height());
  forwardKeys(Combo2);
  connect(Combo2, &QComboBox::activated, this, [this](int) { Combo2_Click(); });
}

void frmFocusObject::refill() {
  ViewBodyNames(Combo2, form_.bodyNames());
  const QSignalBlocker block(Combo2);
  Combo2->setCurrentIndex(-1);
}

int frmFocusObject::lastEntryNaming(int k) const {
  if (k < 0 || k > MaxBodies) return -1;
  const QString name = Latin1(s_.objname[k]);
  const int n = std::min(BodyCount(s_), Combo2->count());
  int p = -1;
  for (int i = 0; i < n; ++i) {
    if (Combo2->itemText(i) == name) p = i;
  }
  return p;
}

void frmFocusObject::selectEntry(int index) {
  if (index < 0 || index >= Combo2->count()) return;
  {
    const QSignalBlocker block(Combo2);
    Combo2->setCurrentIndex(index);
  }
  Combo2_Click();
}

void frmFocusObject::showFocus() {
  const int f = s_.focusobj;
  const bool listed = f >= 1 && f <= std::min(BodyCount(s_), Combo2->count());
  {
    const QSignalBlocker block(Combo2);
    Combo2->setCurrentIndex(listed ? f - 1 : -1);
  }
  if (!listed) return;
  commands_.clearView();
  commands_.ResetPlotState();
}

void frmFocusObject::formLoad() {
  refill();
  const int n = BodyCount(s_);
  for (int i = 1; i <= n; ++i) {
    if (s_.focusobj == i) selectEntry(i - 1);
  }
  // A focus without an entry (the floating point) picks the first body.
  const int p = std::max(lastEntryNaming(s_.focusobj), 0);
  if (p < Combo2->count()) selectEntry(p);
}

void frmFocusObject::Combo2_Click() {
  // The entry picked, whatever other body shares its name.
  if (const int16_t k = PickedBody(Combo2, s_); k > 0) s_.focusobj = k;
  commands_.clearView();
  commands_.ResetPlotState();
}

// ----------------------------------------------------------- date and time

frmDateAndTime::frmDateAndTime(MainToolWindows& tools) : DashboardWindowBase(tools, DashDateAndTime, "Date and Time") {
  Label11 = new QLabel(this);
  Label11->move(4, 6);
  // The drawing's fitting keeps the window at 2010 twips while the label is
  // narrow enough: the font is chosen so that a date of four-digit year fits
  // beside the label's left and a window manager's borders.
  Label11->setFont(DateFont(Label11->font(), PixelsOfTwips(2010) - 4 - 2 * 4));
  resize(DashboardWidth, 30);
  readoutWatch_ = new ReadoutWatch(this, [this] { showLatestClock(); });
}

void frmDateAndTime::formLoad() {
  Label11->setText(Latin1(FormatDateTimeText(s_.SecondsElapsed)));
  Label11->adjustSize();
  shownClock_.clear();
}

void frmDateAndTime::Tick() {
  latestClock_ = s_.SecondsElapsed;
  showLatestClock();
}

void frmDateAndTime::showClock(double secondsElapsed) {
  latestClock_ = secondsElapsed;
  readoutWatch_->refresh();
}

void frmDateAndTime::showLatestClock() {
  std::string text = FormatDateTimeText(latestClock_);
  if (text == shownClock_) return;
  shownClock_ = std::move(text);
  Label11->setText(Latin1(shownClock_));
  Label11->adjustSize();
  const int w = widthTwips();
  const int lw = Label11->width() * TwipsPerPixel;
  const int nw = DateAndTimeWidth(w, lw);
  if (nw != w) {
    const int frame = frameGeometry().width() - width();
    resize(std::max(PixelsOfTwips(nw) - frame, 1), height());
  }
}

// -------------------------------------------------------- graphics options

frmGraphicsOptions::frmGraphicsOptions(MainToolWindows& tools)
    : DashboardWindowBase(tools, DashGraphicsOptions, "Graphics Options") {
  Command1 = SmallButton(QString(), this);
  Command1->setToolTip("Floating Focus Point");
  Command18 = SmallButton("F", this);
  Command18->setToolTip("Toggles between floating and absolute modes");
  Command19 = SmallButton("T", this);
  Command19->setToolTip("Trails on / off");
  Command20 = SmallButton("P", this);
  Command20->setToolTip("Plot / Don't Plot");
  Command21 = SmallButton("L", this);
  Command21->setToolTip("Labels on / off");
  // Holders of the two pictures, never shown.
  Commandarrow = SmallButton(QString(), this);
  Commandarrow->setIcon(ArrowPicture());
  Commandarrow->hide();
  Commandcross = SmallButton(QString(), this);
  Commandcross->setIcon(CrossPicture());
  Commandcross->hide();
  Command1->setIcon(Commandcross->icon());
  DashboardLayout(this, {Command1, Command18, Command19, Command20, Command21}, nullptr);
  resize(DashboardWidth, sizeHint().height());
  for (QWidget* c : {Command1, Command18, Command19, Command20, Command21, Commandarrow, Commandcross}) {
    forwardKeys(c);
  }
  Command1->setObjectName("Command1");
  Command18->setObjectName("Command18");
  Command19->setObjectName("Command19");
  Command20->setObjectName("Command20");
  Command21->setObjectName("Command21");
  connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
  connect(Command18, &QPushButton::clicked, this, [this] { Command18_Click(); });
  connect(Command19, &QPushButton::clicked, this, [this] { Command19_Click(); });
  connect(Command20, &QPushButton::clicked, this, [this] { Command20_Click(); });
  connect(Command21, &QPushButton::clicked, this, [this] { Command21_Click(); });
}

// The anchor button names the mode it switches to, as the anchor command
// leaves it.
void frmGraphicsOptions::formLoad() {
  Command18->setText(s_.anchor ? "F" : "A");
  showsArrow_ = s_.PickFloatingFocus;
  Command1->setIcon(showsArrow_ ? Commandarrow->icon() : Commandcross->icon());
}

void frmGraphicsOptions::Command1_Click() {
  s_.PickFloatingFocus = !s_.PickFloatingFocus;
  showsArrow_ = s_.PickFloatingFocus;
  if (s_.PickFloatingFocus) {
    Command1->setIcon(Commandarrow->icon());
    if (commands_.viewWidget()) commands_.viewWidget()->setCursor(Qt::CrossCursor);
  } else {
    Command1->setIcon(Commandcross->icon());
    if (commands_.viewWidget()) commands_.viewWidget()->unsetCursor();
  }
}

void frmGraphicsOptions::Command18_Click() { commands_.AnchorOnOff(); }
void frmGraphicsOptions::Command19_Click() { commands_.TrailsOnOff(); }
void frmGraphicsOptions::Command20_Click() { commands_.pPplot(); }
void frmGraphicsOptions::Command21_Click() { commands_.LabelsOnOff(); }

// --------------------------------------------------------- the window set

MainToolWindows::MainToolWindows(WindowServices& form, DashboardHost& commands)
    : openUrl([this](const QUrl& u) { return openWithDesktop(u); }),
      form_(form),
      commands_(commands),
      s_(form.state()) {}

// xdg-open tells by its exit status whether a viewer took the page (3, "no
// method available", on a desktop without a browser); QDesktopServices only
// tells that it started. A viewer that fails names the page as one that
// cannot start does; one ended with the program says nothing.
bool MainToolWindows::openWithDesktop(const QUrl& url) {
  const QString opener = QStandardPaths::findExecutable("xdg-open");
  if (opener.isEmpty()) return QDesktopServices::openUrl(url);
  const QString page = url.isLocalFile() ? url.toLocalFile() : url.toString();
  auto* run = new QProcess(&form_.mainWidget());
  QObject::connect(run, &QProcess::finished, run, [this, run, page](int code, QProcess::ExitStatus status) {
    run->deleteLater();
    if (status == QProcess::NormalExit && code != 0) form_.message(PathBytes(NoBrowserText(page)));
  });
  run->start(opener, {page});
  if (run->waitForStarted()) return true;
  delete run;
  return false;
}

// The windows go with the set that made them; their flags say so.
MainToolWindows::~MainToolWindows() {
  for (int w = 0; w < DashboardCount; ++w) {
    if (!windows_[w]) continue;
    delete windows_[w].data();
    *flag(static_cast<DashboardWindow>(w)) = false;
  }
  if (form2_) {
    delete form2_.data();
    s_.form2loaded = false;
  }
  delete about_.data();
}

frmScreenScale* MainToolWindows::screenScale() const {
  return static_cast<frmScreenScale*>(windows_[DashScreenScale].data());
}
frmTimeRate* MainToolWindows::timeRate() const { return static_cast<frmTimeRate*>(windows_[DashTimeRate].data()); }
frmFocusObject* MainToolWindows::focusObject() const {
  return static_cast<frmFocusObject*>(windows_[DashFocusObject].data());
}
frmDateAndTime* MainToolWindows::dateAndTime() const {
  return static_cast<frmDateAndTime*>(windows_[DashDateAndTime].data());
}
frmGraphicsOptions* MainToolWindows::graphicsOptions() const {
  return static_cast<frmGraphicsOptions*>(windows_[DashGraphicsOptions].data());
}

QPoint MainToolWindows::DefaultPlaceTwips(DashboardWindow w) { return QPoint(2010 * static_cast<int>(w), 690); }

DashboardWindowBase* MainToolWindows::create(DashboardWindow w) {
  switch (w) {
    case DashScreenScale: return new frmScreenScale(*this);
    case DashTimeRate: return new frmTimeRate(*this);
    case DashFocusObject: return new frmFocusObject(*this);
    case DashDateAndTime: return new frmDateAndTime(*this);
    default: return new frmGraphicsOptions(*this);
  }
}

bool MainToolWindows::isOpen(DashboardWindow w) const {
  if (w < 0 || w >= DashboardCount) return false;
  return *flag(w);
}

DashboardWindowBase* MainToolWindows::showWindow(DashboardWindow w) {
  DashboardWindowBase* win = windows_[w].data();
  if (!win) {
    win = create(w);
    windows_[w] = win;
    const QPoint def = DefaultPlaceTwips(w);
    s_.dashboard[w].left = static_cast<float>(def.x());
    s_.dashboard[w].top = static_cast<float>(def.y());
    win->move(PixelsOfTwips(def.x()), PixelsOfTwips(def.y()));
    win->load();
  }
  if (win->isVisible()) {
    win->raise();
  } else {
    win->show();
  }
  return win;
}

void MainToolWindows::open(DashboardWindow w) {
  if (w < 0 || w >= DashboardCount) return;
  if (windows_[w]) {
    showWindow(w);
    return;
  }
  // The situation readers set the flag and the place before they call.
  const bool fromFile = *flag(w);
  const DashboardPlace stored = s_.dashboard[w];
  DashboardWindowBase* win = showWindow(w);
  if (fromFile && std::isfinite(stored.left) && std::isfinite(stored.top)) {
    win->setTopTwips(stored.top);
    win->setLeftTwips(stored.left);
    KeepOnScreen(win);
  }
}

void MainToolWindows::close(DashboardWindow w) {
  if (w < 0 || w >= DashboardCount) return;
  if (DashboardWindowBase* win = windows_[w].data()) {
    win->close();
  } else {
    windowClosed(w);
  }
}

void MainToolWindows::windowClosed(DashboardWindow w) {
  windows_[w] = nullptr;
  *flag(w) = false;
  form_.syncMenus();
}

void MainToolWindows::hideAll() {
  for (int w = 0; w < DashboardCount; ++w) close(static_cast<DashboardWindow>(w));
}

// A column at the screen's left edge, each window right below the previous.
void MainToolWindows::alignVertically() {
  lineUpColumn();
  // Windows just opened have no frame yet, so their heights are the
  // insides': line them up again once the window manager has framed them.
  // A window manager may still adjust a frame it has just made: line them
  // up once more a moment later.
  const auto again = [this] {
    lineUpColumn();
    QTimer::singleShot(300, &form_.mainWidget(), [this] {
      if (openWindows().size() == DashboardCount) lineUpColumn();  // none closed meanwhile
    });
  };
  if (!WhenFramed(&form_.mainWidget(), openWindows(), again)) keepMenuBarFree();
}

void MainToolWindows::lineUpColumn() {
  DashboardWindowBase* prev = showWindow(DashScreenScale);
  prev->setLeftTwips(0);
  prev->setTopTwips(690);
  for (int w = DashTimeRate; w < DashboardCount; ++w) {
    DashboardWindowBase* win = showWindow(static_cast<DashboardWindow>(w));
    win->setTopTwips(static_cast<double>(prev->heightTwips()) + s_.dashboard[prev->which()].top);
    win->setLeftTwips(0);
    prev = win;
  }
  keepMenuBarFree();
}

// A row along the top, a fixed 2010 twips apart.
void MainToolWindows::alignHorizontally() {
  DashboardWindowBase* first = showWindow(DashScreenScale);
  first->setLeftTwips(0);
  first->setTopTwips(690);
  for (int w = DashTimeRate; w < DashboardCount; ++w) {
    DashboardWindowBase* win = showWindow(static_cast<DashboardWindow>(w));
    win->setTopTwips(690);
    win->setLeftTwips(2010.0 * w);
  }
  if (!WhenFramed(&form_.mainWidget(), openWindows(), [this] { keepMenuBarFree(); })) keepMenuBarFree();
}

QList<QWidget*> MainToolWindows::openWindows() const {
  QList<QWidget*> list;
  for (const QPointer<DashboardWindowBase>& w : windows_) {
    if (w && w->isVisible()) list.append(w.data());
  }
  return list;
}

// The lined-up windows leave the main window's menus within reach: its
// frame goes up to the screen's top, where the menu bar lies above the
// windows' 690 twips; where a window manager's title bar is too high for
// that, it stands beside the column, narrowed to fit.
void MainToolWindows::keepMenuBarFree() {
  QWidget& main = form_.mainWidget();
  QMenuBar* bar = commands_.mainMenuBar();
  if (!bar->isVisible() || main.isMaximized() || main.isFullScreen() || !main.isVisible()) return;
  const QList<QWidget*> windows = openWindows();
  const auto covered = [&](const QRect& menus) {
    QRect r;
    for (QWidget* w : windows) {
      if (w->frameGeometry().intersects(menus)) r |= w->frameGeometry();
    }
    return r;
  };
  const QRect menus(bar->mapToGlobal(QPoint(0, 0)), bar->size());
  if (covered(menus).isNull()) return;
  const QScreen* screen = main.screen();
  if (!screen) return;
  const QRect area = screen->availableGeometry();
  const QRect frame = main.frameGeometry();
  const int up = area.top() - frame.top();
  if (covered(menus.translated(0, up)).isNull()) {
    main.move(frame.left(), area.top());
    return;
  }
  QRect column;
  for (QWidget* w : windows) column |= w->frameGeometry();
  const int left = column.right() + 1;
  const int width = std::min(frame.width(), area.right() + 1 - left);
  if (width < 200) return;
  main.resize(width - (frame.width() - main.width()), main.height());
  main.move(left, frame.top());
}

void MainToolWindows::updateScreenScale(double visibleWidthKm) {
  if (!s_.screenscaleloaded) return;
  if (frmScreenScale* win = screenScale()) win->Label1->setText(Latin1(ScreenScaleText(visibleWidthKm)));
}

void MainToolWindows::setPlayButtonCaption(const QString& caption) {
  if (frmTimeRate* win = timeRate()) win->Command15->setText(caption);
}

void MainToolWindows::setAnchorButtonCaption(const QString& caption) {
  if (frmGraphicsOptions* win = graphicsOptions()) win->Command18->setText(caption);
}

void MainToolWindows::showTimeStep(const std::string& caption, const std::string& text) {
  if (frmTimeRate* win = timeRate()) win->showTimeStep(caption, text);
}

void MainToolWindows::plotSecondView() {
  if (s_.form2loaded && form2_) form2_->pPplot();
}

// The clock as the drawing of the step saw it (the step moves it afterwards).
void MainToolWindows::stepReadouts() {
  if (s_.dateandtimeloaded) stepClock_ = s_.SecondsElapsed;
}

void MainToolWindows::showReadouts() {
  if (s_.dateandtimeloaded) {
    if (frmDateAndTime* win = dateAndTime()) win->showClock(stepClock_);
  }
}

// The focus list holds the bodies again and shows the focus body; a focus
// without an entry leaves the list without a selection.
void MainToolWindows::refreshObjectLists() {
  frmFocusObject* win = focusObject();
  if (!s_.focusobjectloaded || !win) return;
  win->refill();
  win->showFocus();
}

// The floating point has no entry: the list then shows none instead of
// picking body 1, which would undo the pick at once.
void MainToolWindows::selectFocusInList() {
  frmFocusObject* win = focusObject();
  if (!s_.focusobjectloaded || !win) return;
  win->showFocus();
}

Form2* MainToolWindows::secondView() const { return form2_.data(); }

Form2& MainToolWindows::showSecondView() {
  if (!form2_) form2_ = new Form2(form_);
  if (form2_->isVisible()) {
    form2_->raise();
  } else {
    form2_->show();
  }
  return *form2_;
}

frmAbout& MainToolWindows::showAboutBox() {
  if (!about_ || !about_->isVisible()) {  // a closed one deletes itself
    about_ = new frmAbout(form_);
    about_->show();
  }
  about_->raise();
  about_->activateWindow();
  return *about_;
}

}  // namespace molvane
