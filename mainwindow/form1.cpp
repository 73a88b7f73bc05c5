#include "mainwindow/form1.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMenuBar>
#include <QMoveEvent>
#include <QResizeEvent>
#include <QScreen>
#include <QStandardPaths>
#include <algorithm>
#include <cmath>
#include <iostream>

#include "engine/bodies.h"
#include "engine/numtext.h"
#include "engine/view.h"
#include "files/situationfile.h"
#include "mainwindow/dashboard.h"
#include "mainwindow/menus.h"
#include "mainwindow/viewwidget.h"
#include "ui/colours.h"
#include "ui/frameplace.h"
#include "ui/icon.h"
#include "ui/keys.h"
#include "ui/onscreen.h"
#include "ui/text.h"

namespace molvane {

namespace {
constexpr int ScrollBarThickness = 17;
constexpr int TimerIntervalMs = 100;

}  // namespace

Form1::Form1(State& state, QWidget* parent)
    : QMainWindow(parent),
      s_(state),
      view_(state),
      tools_(std::make_unique<FlagToolWindows>(state)),
      instruments_(std::make_unique<NoInstrumentWindows>()) {
  setWindowTitle("Molvane");
  // The windows that open from here take this icon as theirs.
  setWindowIcon(MolvaneIcon());
  windowStyle_.setClient(this);

  viewWidget_ = new ViewWidget(view_, this);
  setCentralWidget(viewWidget_);
  viewWidget_->onResize = [this] { Form_Resize(); };
  viewWidget_->onFrame = [this] { showReadouts(); };
  viewWidget_->onMouseRelease = [this](QPointF p) { PickFloatingFocusAt(p); };
  viewWidget_->onLabelRightClick = [this](int k, QPoint g) { labelPopup_.objLabel_MouseUp(k, Qt::RightButton, g); };

  // The tilt bars and the centring button sit on the drawing area itself,
  // along its right and bottom edges, as the resize lays them out.
  hscroll1_ = new QScrollBar(Qt::Horizontal, viewWidget_);
  hscroll1_->setRange(-10000, 10000);
  hscroll1_->setSingleStep(100);
  hscroll1_->setPageStep(1000);
  hscroll1_->setValue(0);
  hscroll1_->setFixedHeight(ScrollBarThickness);
  vscroll1_ = new QScrollBar(Qt::Vertical, viewWidget_);
  vscroll1_->setRange(-10000, 10000);
  vscroll1_->setSingleStep(100);
  vscroll1_->setPageStep(1000);
  vscroll1_->setValue(-10000);
  vscroll1_->setFixedWidth(ScrollBarThickness);
  // Opaque whatever the style: a frame of the running loop then repaints the
  // view around them and not the bars themselves.
  hscroll1_->setAutoFillBackground(true);
  vscroll1_->setAutoFillBackground(true);
  centerBtn_ = new QPushButton(viewWidget_);
  centerBtn_->setFixedSize(ScrollBarThickness, ScrollBarThickness);
  centerBtn_->setToolTip("Centre the tilt");
  centerBtn_->setObjectName("CenterBtn");
  connect(hscroll1_, &QScrollBar::valueChanged, this, [this] { HScroll1_Change(); });
  connect(vscroll1_, &QScrollBar::valueChanged, this, [this] { VScroll1_Change(); });
  connect(centerBtn_, &QPushButton::clicked, this, [this] { CenterBtn_Click(); });
  label5_ = new QLabel(viewWidget_);
  label5_->hide();
  label6_ = new QLabel(viewWidget_);
  label6_->hide();

  captions_ = std::make_unique<CaptionLabels>(s_, view_, viewWidget_, [this] { return captionReferenceWidth(); });
  captions_->setCaptionBackColor(s_.mainWindow.backColor);

  // Every control of the main window passes its key presses to the table.
  for (QWidget* w : {static_cast<QWidget*>(this), static_cast<QWidget*>(viewWidget_), static_cast<QWidget*>(hscroll1_),
                     static_cast<QWidget*>(vscroll1_), static_cast<QWidget*>(centerBtn_)}) {
    ForwardKeysFrom(w);
  }
  keyForwarder_ =
      new KeyForwarder([this](int code) { KeyPresses(code); }, [this](int code) { AlignKeyReleased(code); }, this);
  qApp->installEventFilter(keyForwarder_);
  KeepShownWindowsOnScreen(this);

  menus_ = std::make_unique<MainMenus>();
  BuildMainMenus(*this, *menus_);

  timer1_.setInterval(TimerIntervalMs);
  connect(&timer1_, &QTimer::timeout, this, [this] { Timer1_Timer(); });

  view_.setTilt(hscroll1_->value(), vscroll1_->value());
  s_.dataFolder = PathBytes(dataFolder());
  resize(1000, 720);
}

Form1::~Form1() {
  exiting_ = true;
  timer1_.stop();
  if (keyForwarder_) qApp->removeEventFilter(keyForwarder_);
  s_.loopRunning = false;
}

void Form1::setToolWindows(std::unique_ptr<ToolWindows> tools) {
  if (tools) tools_ = std::move(tools);
}

void Form1::setInstrumentWindows(std::unique_ptr<InstrumentWindows> w) {
  if (w) instruments_ = std::move(w);
}

QString Form1::dataFolder() const { return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation); }

QString Form1::resumePath() const { return PathText(ResumeFilePath(s_)); }

// ---------------------------------------------------------------- drawing

void Form1::plot() {
  tools_->plotSecondView();
  if (!s_.pplot) return;
  tools_->stepReadouts();
  instruments_->stepReadouts();
  readoutsDue_ = true;
  // Outside the running loop no frame would show them.
  if (!s_.loopRunning) showReadouts();
  if (!view_.labelsMatchBodies()) view_.rebuildLabels();
  view_.drawBodies();
}

void Form1::showReadouts() {
  if (!readoutsDue_) return;
  readoutsDue_ = false;
  tools_->showReadouts();
  instruments_->showReadouts();
}

void Form1::refreshView() {
  if (viewWidget_) viewWidget_->update();
}

void Form1::clearView() {
  view_.clearView();
  refreshView();
}

void Form1::ResetPlotState() { view_.resetPlotState(); }

void Form1::rebuildObjectLabels() {
  view_.rebuildLabels();
  refreshView();
}

void Form1::refreshObjectLists() {
  bodyNames_.sync();  // once for every list that views the names
  view_.refreshLabelTexts();
  refreshView();
  tools_->refreshObjectLists();
  instruments_->refreshObjectLists();
}

void Form1::raiseLabel(int k) { view_.raiseLabel(k); }

void Form1::showBodyLabels() {
  view_.rebuildLabels();
  refreshView();
}

void Form1::setLabelBackColor(int32_t colour) {
  captions_->setCaptionBackColor(colour);
  view_.setLabelBackColour(ColourFromValue(colour));
  refreshView();
}

void Form1::setLabelsShown(bool shown) {
  if (!shown) view_.parkLabels(-1000, -1000);
  refreshView();
}

// ------------------------------------------------------------ view commands

void Form1::zoomIn() {
  clearView();
  view_.resetPlotState();
  ZoomTo(s_, s_.ScalePixel * 1.5);
  UpdateScreenScale();
}

void Form1::zoomOut() {
  clearView();
  view_.resetPlotState();
  ZoomTo(s_, s_.ScalePixel / 1.5);
  UpdateScreenScale();
}

void Form1::UpdateScreenScale() {
  if (const std::optional<double> km = VisibleWidthKm(s_, view_.screenWidthPixels())) visibleWidthKm_ = *km;
  tools_->updateScreenScale(visibleWidthKm_);
}

void Form1::AnchorOnOff() {
  if (s_.anchor) {
    s_.anchor = false;
    if (s_.graphicsoptionsloaded) tools_->setAnchorButtonCaption("A");
  } else {
    s_.anchor = true;
    if (s_.graphicsoptionsloaded) tools_->setAnchorButtonCaption("F");
  }
  clearView();
  AssembleSystemElements(s_);
}

void Form1::pPplot() { s_.pplot = !s_.pplot; }

void Form1::TrailsOnOff() {
  if (s_.trails) {
    clearView();
    s_.trails = false;
  } else {
    s_.trails = true;
  }
  syncMenus();
}

void Form1::LabelsOnOff() {
  if (s_.llabels) {
    view_.parkLabels(-1000, -1000);
    s_.llabels = false;
  } else {
    if (!view_.labelsMatchBodies()) view_.rebuildLabels();
    s_.llabels = true;
  }
  refreshView();
  syncMenus();
}

void Form1::CenterBtn_Click() {
  // Each change raises its own handler; a bar already at 0 raises none.
  hscroll1_->setValue(0);
  vscroll1_->setValue(0);
}

void Form1::HScroll1_Change() {
  view_.setTilt(hscroll1_->value(), vscroll1_->value());
  label5_->setText(Latin1(GeneralText(view_.horizontalTilt())));
  clearView();
}

void Form1::VScroll1_Change() {
  view_.setTilt(hscroll1_->value(), vscroll1_->value());
  label6_->setText(Latin1(GeneralText(view_.verticalTilt())));
  clearView();
  ResetPlotState();
}

void Form1::RotatingFrameOnOff() {
  s_.RotatingFrame.on = !s_.RotatingFrame.on;
  clearView();
  ResetPlotState();
  syncMenus();
}

void Form1::ExaggerateObjectSizeOnOff() {
  s_.ExaggerateObjectSizeOn = !s_.ExaggerateObjectSizeOn;
  clearView();
  ResetPlotState();
  syncMenus();
}

void Form1::graphicsSwitchesChanged() {
  if (s_.graphicsoptionsloaded) tools_->setAnchorButtonCaption(s_.anchor ? "F" : "A");
  syncMenus();
}

void Form1::focusChanged(int /*index*/) { tools_->selectFocusInList(); }

void Form1::setAnchorButton(const std::string& caption) { tools_->setAnchorButtonCaption(Latin1(caption)); }

// The floating focus point goes where the mouse was released; the inverse
// of the start-up projection (tilt and rotating frame ignored).
void Form1::PickFloatingFocusAt(QPointF pos) {
  if (!s_.PickFloatingFocus) return;
  const double scale = s_.ScalePixel;
  if (!std::isnormal(scale)) return;
  const double w = view_.canvas().width();
  const double h = view_.canvas().height();
  const double wx = s_.OffsetX / scale - (pos.x() - w / 2) / scale;
  const double d = (pos.y() - h / 2) / scale + s_.OffsetY / scale;
  const double sgn = view_.verticalFlipSign();
  const std::array<double, 3> p{wx, std::fabs(sgn) * d, -(std::fabs(1 - sgn) * d)};
  if (!std::isfinite(p[0]) || !std::isfinite(p[1]) || !std::isfinite(p[2])) return;
  s_.FloatingPosition = p;
  const int f = std::clamp<int>(s_.focusobj, 0, MaxBodies);
  s_.objx[0] = p[0];
  s_.objy[0] = p[1];
  s_.objz[0] = p[2];
  s_.objvx[0] = s_.objvx[f];
  s_.objvy[0] = s_.objvy[f];
  s_.objvz[0] = s_.objvz[f];
  s_.objname[0] = "Floating";
  if (s_.focusobj != 0) s_.PreviousFocusObj = s_.focusobj;
  s_.focusobj = 0;
  clearView();
  ResetPlotState();
  tools_->selectFocusInList();
}

// ------------------------------------------------------------------ time

void Form1::PausePlay() {
  PauseOnOff();
  if (menus_->pausePlay) menus_->pausePlay->setText(s_.PausedFlag ? "Play" : "Pause");
}

void Form1::PauseOnOff() {
  if (s_.PausedFlag) {
    s_.PausedFlag = false;
    if (s_.timerateloaded) tools_->setPlayButtonCaption("||");
    startTimer1();
  } else {
    s_.PausedFlag = true;
    if (s_.timerateloaded) tools_->setPlayButtonCaption(">");
    stopTimer1();
  }
}

void Form1::pauseWithMessage(const std::string& text) {
  if (!s_.PausedFlag) PausePlay();
  message(text);
}

void Form1::ReverseTime() {
  s_.TimeForward = !s_.TimeForward;
  const int n = BodyCount(s_);
  for (int i = 1; i <= n; ++i) {
    s_.objvx[i] = -s_.objvx[i];
    s_.objvy[i] = -s_.objvy[i];
    s_.objvz[i] = -s_.objvz[i];
  }
  syncMenus();
}

void Form1::syncMenus() {
  if (menus_) SyncMainMenus(*this, *menus_);
}

// ------------------------------------------------------------- the loop

void Form1::startTimer1() {
  if (!exiting_) timer1_.start();
}

void Form1::stopTimer1() { timer1_.stop(); }

// The engine holds the timer while it merges bodies. A paused loop keeps it
// off: a tick while paused would only stop it again.
void Form1::setTimerEnabled(bool on) {
  if (on && !s_.PausedFlag) {
    startTimer1();
  } else if (!on) {
    stopTimer1();
  }
}

// One timer tick starts a timer event; its steps then run in slices, each
// queued behind the window events that the previous yield let through. A
// tick while a loop is under way starts nothing.
void Form1::Timer1_Timer() {
  if (exiting_) return;
  if (s_.PausedFlag) {
    stopTimer1();
    return;
  }
  if (!BeginTimerEvent(s_, *this, counter_)) return;
  runSlice();
}

void Form1::queueSlice() {
  QMetaObject::invokeMethod(
      this, [this] { runSlice(); }, Qt::QueuedConnection);
}

void Form1::runSlice() {
  if (exiting_) {
    s_.loopRunning = false;
    return;
  }
  const SliceResult r = RunSlice(s_, *this, counter_);
  // A yield shows the canvas no more often than a display frame; a loop
  // that has ended shows its last step at once.
  if (r == SliceResult::Yielded && viewWidget_) {
    viewWidget_->requestFrame();
  } else {
    showReadouts();
    refreshView();
  }
  if (r == SliceResult::Yielded && !exiting_) {
    queueSlice();
  } else if (exiting_) {
    s_.loopRunning = false;
  }
}

// ------------------------------------------------------- window and resize

void Form1::Form_Resize() {
  const int w = viewWidget_->width();
  const int h = viewWidget_->height();
  view_.setScreenSize(w, static_cast<int16_t>(std::clamp(h, 0, 32767)));
  s_.ScreenCentreY = view_.screenHeightPixels() / 2.0;
  s_.ScreenCentreX = view_.screenWidthPixels() / 2.0;
  if (const std::optional<double> km = VisibleWidthKm(s_, view_.screenWidthPixels())) visibleWidthKm_ = *km;
  view_.resizeCanvas(w, h);
  ResetPlotState();
  layoutScrollBars();
  captions_->rescaleCaptions();
  UpdateScreenScale();
  refreshView();
}

void Form1::layoutScrollBars() {
  const int w = view_.screenWidthPixels();
  const int h = view_.screenHeightPixels();
  const int vw = vscroll1_->width();
  const int hh = hscroll1_->height();
  vscroll1_->move(w - vw, 0);
  if (h > hh) vscroll1_->setFixedHeight(h - hh);
  if (w > vw) hscroll1_->setFixedWidth(w - vw);
  hscroll1_->move(0, h - hh);
  centerBtn_->move(vscroll1_->x(), hscroll1_->y());
}

double Form1::captionReferenceWidth() const { return frameGeometry().width() * TwipsPerPixel - vscroll1_->width(); }

void Form1::setCaptionLabel(int k) { captions_->setCaptionLabel(k); }

void Form1::captionsChanged(int front) {
  captions_->applyCaptions();
  if (QLabel* l = captions_->captionLabel(front)) l->raise();
}

// A size kept from a larger screen shrinks to this one's free area, so that
// the bars along the bottom and the right stay within reach.
void Form1::placeOuterFrame(const QRect& outer) {
  if (outer.width() > 0 && outer.height() > 0) {
    const QSize frame = frameGeometry().size() - size();
    const QScreen* scr = QGuiApplication::screenAt(outer.topLeft());
    if (!scr) scr = screen();
    const QSize room = scr ? scr->availableGeometry().size() - frame : QSize(10000, 10000);
    const int w = std::clamp(outer.width() - frame.width(), 200, std::max(200, std::min(room.width(), 10000)));
    const int h = std::clamp(outer.height() - frame.height(), 150, std::max(150, std::min(room.height(), 10000)));
    resize(w, h);
  }
  move(outer.topLeft());
}

// Over the view, as a window system's own placing would put it: clear of the
// menu bar and of the dashboard windows, each new window a step down and to
// the right of the one before, so that no two of a series stand exactly on
// top of each other.
QPoint Form1::newWindowPlace(QPoint designed) {
  if (!isVisible() || !viewWidget_) return designed;
  const QRect view(viewWidget_->mapToGlobal(QPoint(0, 0)), viewWidget_->size());
  const int k = newWindows_++;
  const int down = k % 10, across = (k / 10) % 10;
  QPoint p = view.topLeft() + QPoint(16 + 20 * (down + across), 16 + 20 * down);
  const auto dashboard = findChildren<DashboardWindowBase*>(QString(), Qt::FindDirectChildrenOnly);
  for (int tries = 0; tries < 10; ++tries) {
    const QRect room(p, QSize(200, 120));
    bool clear = true;
    for (DashboardWindowBase* w : dashboard) {
      const QRect f = w->frameGeometry();
      if (!w->isVisible() || !f.intersects(room)) continue;
      clear = false;
      if (f.height() > f.width()) {
        p.setX(f.right() + 16);
      } else {
        p.setY(f.bottom() + 16);
      }
    }
    if (clear) break;
  }
  return p;
}

void Form1::noteNormalMargins() {
  if (windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen)) return;
  const QRect frame = frameGeometry();
  const QRect inner = geometry();
  if (frame == inner) return;
  normalMargins_ = QMargins(inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
                            frame.bottom() - inner.bottom());
}

void Form1::moveEvent(QMoveEvent* e) {
  QMainWindow::moveEvent(e);
  noteNormalMargins();
}

void Form1::resizeEvent(QResizeEvent* e) {
  QMainWindow::resizeEvent(e);
  noteNormalMargins();
}

void Form1::captureWindowRecord() {
  MainWindowRecord& r = s_.mainWindow;
  // A maximized or minimized window records the frame it returns to.
  QRect g = frameGeometry();
  if (windowState() & (Qt::WindowMaximized | Qt::WindowMinimized)) {
    g = normalMargins_.isNull() ? RestoredFrame(normalGeometry(), geometry(), frameGeometry())
                                : normalGeometry().marginsAdded(normalMargins_);
  }
  r.left = static_cast<float>(g.x() * TwipsPerPixel);
  r.top = static_cast<float>(g.y() * TwipsPerPixel);
  r.width = static_cast<float>(g.width() * TwipsPerPixel);
  r.height = static_cast<float>(g.height() * TwipsPerPixel);
  r.windowState = (windowState() & Qt::WindowMinimized) ? 1 : (windowState() & Qt::WindowMaximized) ? 2 : 0;
  r.titlebar = windowStyle_.titlebar();
  r.hscroll = static_cast<int16_t>(hscroll1_->value());
  r.vscroll = static_cast<int16_t>(vscroll1_->value());
}

void Form1::applyWindowRecord() {
  const MainWindowRecord& r = s_.mainWindow;
  auto px = [](float twips, int fallback) { return TwipsInRange(twips) ? WholePixelsOfTwips(twips) : fallback; };
  const QRect outer(px(r.left, x()), px(r.top, y()), r.width > 0 ? px(r.width, frameGeometry().width()) : 0,
                    r.height > 0 ? px(r.height, frameGeometry().height()) : 0);
  const int state = r.windowState;
  // The record holds the outer frame; a maximized window gets it as the
  // frame it returns to, so it is maximized once that frame is in place.
  PlaceFramed(this, [this, outer, state](bool framed) {
    const bool maximized = state == 2;
    if (maximized && (windowState() & Qt::WindowMaximized)) setWindowState(Qt::WindowNoState);
    placeOuterFrame(outer);
    if (maximized) {
      noteNormalMargins();
      if (framed) setWindowState(Qt::WindowMaximized);
    } else if (state == 0) {
      setWindowState(Qt::WindowNoState);
    }
    if (isVisible()) KeepOnScreen(this);
  });
  // The scroll bars' handlers run afterwards (the loaders call them); set
  // the values quietly and recompute the tilt once.
  {
    const QSignalBlocker bh(hscroll1_);
    const QSignalBlocker bv(vscroll1_);
    hscroll1_->setValue(std::clamp<int>(r.hscroll, -10000, 10000));
    vscroll1_->setValue(std::clamp<int>(r.vscroll, -10000, 10000));
  }
  VScroll1_Change();
  HScroll1_Change();
  if (windowStyle_.titlebar() != r.titlebar) {
    if (r.titlebar) {
      for (QAction* a : menus_->topLevel) a->setVisible(true);
      menuBar()->setVisible(true);
      vscroll1_->setVisible(true);
      centerBtn_->setVisible(true);
      windowStyle_.setTitlebar(true);
    } else {
      for (QAction* a : menus_->topLevel) a->setVisible(false);
      menuBar()->setVisible(false);
      vscroll1_->setVisible(false);
      centerBtn_->setVisible(false);
      windowStyle_.setTitlebar(false);
    }
  }
  view_.clearView();
  // The captions stand on the view's background colour.
  captions_->setCaptionBackColor(r.backColor);
  syncMenus();
}

void Form1::setMainCaption(const std::string& text) { setCaptionText(PathText(text)); }

void Form1::setCaptionText(const QString& text) {
  if (windowStyle_.titlebar()) {
    setWindowTitle(text);
  } else {
    s_.MainCaption = PathBytes(text);
  }
}

// ------------------------------------------------------- full-screen look

void Form1::EnterFullScreen() {
  for (QAction* a : menus_->topLevel) a->setVisible(false);
  menuBar()->setVisible(false);
  vscroll1_->setVisible(false);
  centerBtn_->setVisible(false);
  s_.MainCaption = PathBytes(windowTitle());
  windowStyle_.setTitlebar(false);
  s_.mainWindow.titlebar = false;
}

void Form1::LeaveFullScreen() {
  for (QAction* a : menus_->topLevel) a->setVisible(true);
  menuBar()->setVisible(true);
  vscroll1_->setVisible(true);
  centerBtn_->setVisible(true);
  windowStyle_.setTitlebar(true);
  s_.mainWindow.titlebar = true;
  setWindowTitle(PathText(s_.MainCaption));
}

void Form1::FullScreenOnOff() {
  if (windowStyle_.titlebar()) {
    EnterFullScreen();
  } else {
    LeaveFullScreen();
  }
}

// ---------------------------------------------------------- dashboard

void Form1::closeDashboard(int which) {
  if (which >= 0 && which < DashboardCount) tools_->close(static_cast<DashboardWindow>(which));
}

void Form1::openDashboard(int which) {
  if (which >= 0 && which < DashboardCount) tools_->open(static_cast<DashboardWindow>(which));
}

void Form1::AlignKeyReleased(int code) {
  if (code == KeyCodeF8) tools_->alignVertically();
  if (code == KeyCodeF9) tools_->alignHorizontally();
}

// ---- FilesHost: the loaders open and close the slot windows.

void Form1::closeDistanceBox(int slot) { instruments_->closeBox(BoxKind::Distance, slot); }
void Form1::closeOrbitBox(int slot) { instruments_->closeBox(BoxKind::Orbit, slot); }
void Form1::closeThrustPanel(int slot) { instruments_->closeBox(BoxKind::Thrust, slot); }
void Form1::closeDefaultThrustPanel() { instruments_->closeDefaultThrustPanel(); }
void Form1::openDistanceBox(int slot) { instruments_->openBox(BoxKind::Distance, slot); }
void Form1::openOrbitBox(int slot) { instruments_->openBox(BoxKind::Orbit, slot); }
void Form1::openThrustPanel(int slot) { instruments_->openBox(BoxKind::Thrust, slot); }
void Form1::openReferenceBox(int which) {
  if (which == 1 || which == 2) {
    instruments_->show(which == 1 ? InstrumentWindow::RefBox1 : InstrumentWindow::RefBox2, false);
  }
}
void Form1::openDefaultOrbitBox() { instruments_->show(InstrumentWindow::OrbitRefBox1, false); }
void Form1::closeDefaultOrbitBox() { instruments_->close(InstrumentWindow::OrbitRefBox1); }
void Form1::openDefaultThrustPanel() { instruments_->show(InstrumentWindow::ControlPanel, false); }

// -------------------------------------------------------------- messages

// Messages are fixed words and paths, so they are file-name bytes.
// An end nobody waits for shows no box: it would hold the end until someone
// pressed Return.
void Form1::message(const std::string& text) {
  if (unattendedEnd_) {
    std::cerr << "molvane: " << text << '\n';
    return;
  }
  dialogs_->message(this, "Molvane", text);
}

bool Form1::askYesNo(const std::string& text) {
  if (unattendedEnd_) {
    std::cerr << "molvane: " << text << " No.\n";
    return false;
  }
  return dialogs_->askYesNo(this, "Read Only File", text);
}

}  // namespace molvane
