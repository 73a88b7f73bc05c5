#include "control/controlwindows.h"

#include "ui/text.h"
#include "ui/windowservices.h"

namespace molvane {

namespace {

// A window that has been closed is only waiting to be deleted.
template <typename W>
void ForgetClosed(QPointer<W>& p) {
  if (p && p->isClosed()) p = nullptr;
}

}  // namespace

ControlWindows::ControlWindows(WindowServices& form)
    : form_(form), s_(form.state()), autopilot_(std::make_unique<AutopilotWindows>(form)) {
  form_.setCaptionEditor([this](int k) { editCaption(k); });
}

ControlWindows::~ControlWindows() { form_.setCaptionEditor({}); }

FormControlCenter* ControlWindows::thrustPanel(int slot) const {
  if (slot < 0 || slot > MaxSlots) return nullptr;
  FormControlCenter* p = panels_[static_cast<size_t>(slot)];
  return p && !p->isClosed() ? p : nullptr;
}

void ControlWindows::openBox(BoxKind kind, int slot) {
  if (kind != BoxKind::Thrust || slot < 1 || slot > MaxSlots) return;
  QPointer<FormControlCenter>& p = panels_[static_cast<size_t>(slot)];
  ForgetClosed(p);
  if (!p) p = new FormControlCenter(form_, s_, slot);
  p->applyRecord();
  p->show();
  p->raise();
}

void ControlWindows::closeBox(BoxKind kind, int slot) {
  if (kind != BoxKind::Thrust || slot < 1 || slot > MaxSlots) return;
  // Out of the table first: the closed window goes away later.
  QPointer<FormControlCenter> p = panels_[static_cast<size_t>(slot)];
  panels_[static_cast<size_t>(slot)] = nullptr;
  if (p) p->close();
}

void ControlWindows::closeDefaultThrustPanel() {
  QPointer<FormControlCenter> p = panels_[0];
  panels_[0] = nullptr;
  if (p) p->close();
}

FormControlCenter* ControlWindows::showDefaultPanel(bool reloadFirst) {
  if (reloadFirst) closeDefaultThrustPanel();
  QPointer<FormControlCenter>& p = panels_[0];
  ForgetClosed(p);
  if (!p) p = new FormControlCenter(form_, s_, 0);
  p->show();
  p->raise();
  return p;
}

void ControlWindows::openDefaultThrustPanel() {
  closeDefaultThrustPanel();
  FormControlCenter* p = new FormControlCenter(form_, s_, 0);
  panels_[0] = p;
  p->applyRecord();
  p->Command1_Click();
  p->Text1->setText(Latin1(s_.controlCenterText1));
  p->Text2->setText(Latin1(s_.controlCenterText2));
  p->Command24_Click(true);
  p->show();
}

void ControlWindows::showCaptionEditor(bool reloadFirst) {
  if (reloadFirst && captionEditor_) {
    captionEditor_->close();
    captionEditor_ = nullptr;
  }
  ForgetClosed(captionEditor_);
  if (!captionEditor_) captionEditor_ = new frmAddCaption(form_, s_);
  captionEditor_->show();
  captionEditor_->raise();
}

void ControlWindows::editCaption(int k) {
  if (k < 1 || k > MaxCaptions) return;
  ForgetClosed(captionEditor_);
  if (!captionEditor_) captionEditor_ = new frmAddCaption(form_, s_);
  captionEditor_->checkSlot(k);
  captionEditor_->Option1_Click(k);
  captionEditor_->show();
  captionEditor_->raise();
}

void ControlWindows::show(InstrumentWindow w, bool reloadFirst) {
  switch (w) {
    case InstrumentWindow::ControlPanel:
      // The menu item opens it afresh; the situation loaders restore it.
      if (reloadFirst) {
        showDefaultPanel(true);
      } else {
        openDefaultThrustPanel();
      }
      break;
    case InstrumentWindow::AddCaption: showCaptionEditor(reloadFirst); break;
    case InstrumentWindow::AutoPilot: autopilot_->show(reloadFirst); break;
    default: break;
  }
}

bool ControlWindows::isShown(InstrumentWindow w) const {
  switch (w) {
    case InstrumentWindow::ControlPanel: return thrustPanel(0) && panels_[0]->isVisible();
    case InstrumentWindow::AddCaption: return captionEditor() && captionEditor_->isVisible();
    case InstrumentWindow::AutoPilot: return autopilot_->isShown();
    default: return false;
  }
}

void ControlWindows::close(InstrumentWindow w) {
  switch (w) {
    case InstrumentWindow::ControlPanel: closeDefaultThrustPanel(); break;
    case InstrumentWindow::AddCaption:
      if (captionEditor_) captionEditor_->close();
      captionEditor_ = nullptr;
      break;
    case InstrumentWindow::AutoPilot: autopilot_->close(); break;
    default: break;
  }
}

void ControlWindows::refreshObjectLists() {
  for (const QPointer<FormControlCenter>& p : panels_) {
    if (p && !p->isClosed()) p->refreshObjectLists();
  }
  autopilot_->refreshObjectLists();
}

// Only the default panel picks bodies by name; the others follow theirs.
void ControlWindows::bodyLeftTable() {
  if (FormControlCenter* p = thrustPanel(0)) p->bodyLeftTable();
}

void ControlWindows::closeStartupWindows() {
  closeDefaultThrustPanel();
  autopilot_->close();
}

}  // namespace molvane
