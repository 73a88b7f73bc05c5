#include "tools/allwindows.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>

#include "autopilot/autopilot_line.h"
#include "control/autopilotdialog.h"
#include "control/controlwindows.h"
#include "editors/bodyeditors.h"
#include "editors/createclass.h"
#include "editors/createobjects.h"
#include "editors/distancebox.h"
#include "editors/editorwindows.h"
#include "editors/objedit.h"
#include "editors/orbitcalculator.h"
#include "editors/rotatingperiod.h"
#include "mainwindow/aboutbox.h"
#include "mainwindow/dashboard.h"
#include "mainwindow/form1.h"
#include "mainwindow/instrumentrouter.h"
#include "mainwindow/menudialogs.h"
#include "mainwindow/menus.h"
#include "mainwindow/preferences.h"
#include "mainwindow/screensaver.h"
#include "mainwindow/secondview.h"
#include "mainwindow/settime.h"
#include "ui/icon.h"
#include "ui/text.h"

namespace molvane {

namespace {

// Lets shown windows settle (layouts, a window manager's placing) and
// closed ones go away.
void Settle() {
  QCoreApplication::processEvents();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QCoreApplication::processEvents();
}

// The shown window of a kind, owned or not.
template <typename W>
W* Shown() {
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (auto* found = qobject_cast<W*>(w); found && found->isVisible()) return found;
  }
  return nullptr;
}

void Visit(const WindowVisitor& visit, const QString& name, QWidget* w) {
  if (!w) return;
  Settle();
  visit(name, *w);
}

void CloseNow(QWidget* w) {
  if (w) w->close();
  Settle();
}

}  // namespace

void UseSmallestScreenOffscreen() {
  if (qEnvironmentVariable("QT_QPA_PLATFORM") == "offscreen")
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" MOLVANE_SCREEN_CONFIG);
}

WholeProgram::WholeProgram() : state_(std::make_unique<State>()) {
  QApplication::setWindowIcon(FrameIcon(MolvaneIcon()));
  form_ = std::make_unique<Form1>(*state_);
  form_->setDialogs(dialogs_);
  auto tools = std::make_unique<MainToolWindows>(*form_, *form_);
  tools_ = tools.get();
  form_->setToolWindows(std::move(tools));
  auto editors = std::make_unique<EditorWindows>(*form_);
  auto control = std::make_unique<ControlWindows>(*form_);
  editors_ = editors.get();
  control_ = control.get();
  form_->setInstrumentWindows(std::make_unique<InstrumentRouter>(std::move(editors), std::move(control)));
}

WholeProgram::~WholeProgram() {
  form_.reset();
  state_.reset();
}

void WholeProgram::start(const QString& situation) {
  form_->startUp(situation);
  if (!state_->PausedFlag) form_->PausePlay();
  if (!state_->llabels) form_->LabelsOnOff();
  for (int i = 0; i < 3; ++i) form_->plot();
  form_->refreshView();
  Settle();
}

namespace {

// The main window's menus: the Dashboard, the settings dialogs and boxes,
// the second view.
void VisitMainWindowMenus(WholeProgram& p, const WindowVisitor& visit) {
  Form1& form = p.form();
  MainToolWindows& tools = p.tools();
  MainMenus& menus = form.menus();

  // ---- The Dashboard, each opened by its menu item.
  const char* dashNames[DashboardCount] = {"dash-screenscale", "dash-timerate", "dash-focusobject", "dash-dateandtime",
                                           "dash-graphicsoptions"};
  for (int w = 0; w < DashboardCount; ++w) {
    menus.dashboardItems[w]->trigger();
    Visit(visit, dashNames[w], tools.window(static_cast<DashboardWindow>(w)));
  }
  // ---- The five together over the main window, drawn as a step draws it
  // (which also fits the date window): where the toggles opened them, then
  // lined up by F9 and by F8.
  const auto visitScreen = [&](const QString& name) {
    for (int i = 0; i < 2; ++i) form.plot();
    form.refreshView();
    Visit(visit, name, &form);
  };
  visitScreen("screen-dashboard-toggles");
  menus.alignHorizontal->trigger();
  visitScreen("screen-dashboard-row");
  menus.alignVertically->trigger();
  visitScreen("screen-dashboard-column");
  menus.hideAll->trigger();

  // ---- Settings dialogs and boxes of the main window's menus.
  menus.setTime->trigger();
  Visit(visit, "settime", Shown<frmSetTime>());
  CloseNow(Shown<frmSetTime>());
  menus.preferences->trigger();
  Visit(visit, "preferences", Shown<frmPreferences>());
  CloseNow(Shown<frmPreferences>());
  menus.autoSave->trigger();
  Visit(visit, "autosave", Shown<frmAutoSave>());
  CloseNow(Shown<frmAutoSave>());
  menus.about->trigger();
  Visit(visit, "about", Shown<frmAbout>());
  CloseNow(Shown<frmAbout>());
  ShowScreenSaverSettings(form);
  Visit(visit, "screensaver", Shown<frmScreenSaverSettings>());
  CloseNow(Shown<frmScreenSaverSettings>());

  // ---- The second view (its menu item is hidden).
  ShowSecondView(form.tools());
  if (Form2* f2 = tools.secondView()) {
    for (int i = 0; i < 3; ++i) f2->pPplot();
    Visit(visit, "form2", f2);
    CloseNow(f2);
  }
}

// The body editors and the instrument boxes.
void VisitEditorsAndBoxes(WholeProgram& p, const WindowVisitor& visit) {
  Form1& form = p.form();
  EditorWindows& editors = p.editors();
  MainMenus& menus = form.menus();

  // ---- Body editors.
  menus.editObject->trigger();
  Visit(visit, "objedit", editors.bodyEditors().objEdit());
  CloseNow(editors.bodyEditors().objEdit());
  menus.createObjects->trigger();
  Visit(visit, "createobjects", editors.bodyEditors().createObjects());
  CloseNow(editors.bodyEditors().createObjects());
  menus.rotatingFrameAdjustment->trigger();
  Visit(visit, "rotatingperiod", editors.bodyEditors().rotatingPeriod());
  CloseNow(editors.bodyEditors().rotatingPeriod());
  form.instruments().show(InstrumentWindow::OrbitCalculator, true);
  Visit(visit, "orbitcalculator", editors.bodyEditors().orbitCalculator());
  CloseNow(editors.bodyEditors().orbitCalculator());
  editors.bodyEditors().showClassLibrary();
  Visit(visit, "classlibrary", editors.bodyEditors().classLibrary());
  CloseNow(editors.bodyEditors().classLibrary());

  // ---- Instrument boxes, with one drawing so that they show values.
  menus.addDistanceBox->trigger();
  menus.addOrbitBox->trigger();
  for (InstrumentWindow w : {InstrumentWindow::RefBox1, InstrumentWindow::RefBox2, InstrumentWindow::OrbitRefBox1,
                             InstrumentWindow::BetaBox, InstrumentWindow::Spectrum}) {
    form.instruments().show(w, false);
  }
  form.instruments().showReferenceBox(1);
  form.instruments().showReferenceBox(2);
  for (int i = 0; i < 2; ++i) form.plot();
  Visit(visit, "distancebox", editors.distanceBox(1));
  if (RefBoxS* box = editors.distanceBox(1)) {  // its body list, shown by the mouse, dropped down
    box->lbl_MouseMove();
    box->Combo1->showPopup();
    Visit(visit, "distancebox-list", box->Combo1->view()->window());
    box->Combo1->hidePopup();
  }
  Visit(visit, "orbitbox", editors.orbitBox(1));
  Visit(visit, "refbox1", editors.referenceBox(1));
  Visit(visit, "refbox2", editors.referenceBox(2));
  Visit(visit, "orbitrefbox1", editors.orbitBox(0));
  Visit(visit, "betabox", editors.betaBox());
  Visit(visit, "spectrum", editors.spectrum());
  form.boxSlots().closeBoxWindow(BoxKind::Distance, 1);
  form.boxSlots().closeBoxWindow(BoxKind::Orbit, 1);
  for (InstrumentWindow w : {InstrumentWindow::RefBox1, InstrumentWindow::RefBox2}) form.instruments().close(w);
  CloseNow(editors.orbitBox(0));
  CloseNow(editors.betaBox());
  CloseNow(editors.spectrum());
}

// The thrust panels, the caption editor and the autopilot editor.
void VisitControlWindows(WholeProgram& p, const WindowVisitor& visit) {
  Form1& form = p.form();
  ControlWindows& control = p.control();
  MainMenus& menus = form.menus();

  // ---- A thrust panel in its three states: choosing, boosting, editing.
  menus.addThrustBox->trigger();
  if (FormControlCenter* panel = control.thrustPanel(1)) {
    Visit(visit, "thrust-choose", panel);
    if (panel->Combo1->count() > 1) {
      panel->Combo1->setCurrentIndex(1);
      panel->Combo1_Click();
    }
    panel->Command1_Click();
    panel->boost(BoostRow::Prograde, 1000);
    Visit(visit, "thrust-boost", panel);
    panel->Command23_Click();
    Visit(visit, "thrust-edit", panel);
    panel->Command24_Click();
    form.boxSlots().closeBoxWindow(BoxKind::Thrust, 1);
    Settle();
  }
  form.instruments().show(InstrumentWindow::ControlPanel, true);
  Visit(visit, "controlpanel", control.thrustPanel(0));
  form.instruments().close(InstrumentWindow::ControlPanel);

  // ---- Captions: the editor, then a caption over the view.
  menus.addCaption->trigger();
  if (frmAddCaption* editor = control.captionEditor()) {
    Visit(visit, "addcaption", editor);
    editor->Text1->setPlainText("Inner planets");
    editor->btnOK_Click();
    Settle();
  }

  // ---- The autopilot editor with each command word's frame.
  menus.autoPilot->trigger();
  if (frmAutoPilot* ap = control.autopilot().editor()) {
    Visit(visit, "autopilot", ap);
    for (std::string_view word : AutopilotEditorWords) {
      const QString w = Latin1(word);
      ap->pickCommand(w);
      QString name = "autopilot-" + w.toLower();
      name.replace(' ', '-');
      Visit(visit, name, ap);
      if (frmAddCaptionAutopilot* d = ap->captionDialog(); d && !d->isClosed()) {
        Visit(visit, "autopilot-caption-dialog", d);
        d->btnCancel_Click();
        Settle();
      }
    }
    ap->ComboCommand->showPopup();
    Visit(visit, "autopilot-command-list", ap->ComboCommand->view()->window());
    ap->ComboCommand->hidePopup();
    ap->btnClose_Click();
    Settle();
  }
}

}  // namespace

void VisitEveryWindow(WholeProgram& p, const WindowVisitor& visit) {
  Form1& form = p.form();
  State& s = p.state();
  MainMenus& menus = form.menus();

  Visit(visit, "main", &form);
  VisitMainWindowMenus(p, visit);
  VisitEditorsAndBoxes(p, visit);
  VisitControlWindows(p, visit);

  // ---- The body label's popup menu.
  if (s.objects >= 2) {
    form.labelPopup().objLabel_MouseUp(2, Qt::RightButton, form.mapToGlobal(QPoint(200, 200)));
    Visit(visit, "labelpopup", menus.popup);
    menus.popup->hide();
  }

  // ---- The main view again after Preferences OK with a new colour: the
  // body labels and the caption take the background colour.
  menus.preferences->trigger();
  if (frmPreferences* pref = Shown<frmPreferences>()) {
    pref->setSwatch(0x00402010);  // dark blue
    pref->Command1_Click();
  }
  for (int i = 0; i < 2; ++i) form.plot();
  form.refreshView();
  Visit(visit, "main-after-preferences", &form);
}

}  // namespace molvane
