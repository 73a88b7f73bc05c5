#include "control/thrustpanel.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QMoveEvent>
#include <algorithm>
#include <cmath>

#include "engine/boxslots.h"
#include "engine/numtext.h"
#include "engine/orbits.h"
#include "engine/thrust.h"
#include "ui/bodynames.h"
#include "ui/editablelist.h"
#include "ui/fonts.h"
#include "ui/icon.h"
#include "ui/keys.h"
#include "ui/text.h"
#include "ui/twips.h"
#include "ui/windowservices.h"

namespace molvane {

namespace {

constexpr int16_t kAmounts[4] = {1, 10, 100, 1000};
// The boost buttons' names by row (BoostRow order) and amount.
constexpr const char* kBoostNames[5][4] = {{"Command3", "Command4", "Command5", "Command15"},
                                           {"Command6", "Command7", "Command8", "Command16"},
                                           {"Command9", "Command10", "Command11", "Command17"},
                                           {"Command12", "Command13", "Command14", "Command18"},
                                           {"Command19", "Command20", "Command21", "Command22"}};

}  // namespace

// ------------------------------------------------------------------ window

FormControlCenter::FormControlCenter(WindowServices& form, State& s, int slotIndex)
    : ToolWindow(&form.mainWidget()), form_(form), s_(s), slotIndex_(std::clamp(slotIndex, 0, MaxSlots)) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle("Thrust");
  setWindowIcon(FrameIcon(form.mainWidget().windowIcon()));
  setFixedSize(PixelsOfTwips(1800), PixelsOfTwips(5300));
  ForwardKeysFrom(this, true);

  auto button = [](QWidget* parent, const QString& caption, QRect r) {
    auto* b = new QPushButton(caption, parent);
    b->setAutoDefault(false);
    b->setGeometry(r);
    ForwardKeysFrom(b, true);
    return b;
  };
  auto label = [](QWidget* parent, const QString& caption, QRect r) {
    auto* l = new QLabel(caption, parent);
    l->setGeometry(r);
    return l;
  };
  // One boost row: a titled group with four square buttons and a legend.
  auto row = [&](QWidget* parent, BoostRow which, const QString& title, int top, const QString& legend) {
    auto* g = new QGroupBox(title, parent);
    g->setGeometry(TwipsRect(0, top, 1800, 840));
    const int lefts[4] = {120, 480, 840, 1200};
    for (int i = 0; i < 4; ++i) {
      QPushButton* b = button(g, QString(), TwipsRect(lefts[i], 240, 255, 255));
      const int16_t amount = kAmounts[i];
      b->setObjectName(kBoostNames[static_cast<size_t>(which)][i]);
      connect(b, &QPushButton::clicked, this, [this, which, amount] { boost(which, amount); });
      boostButtons[static_cast<size_t>(which)][static_cast<size_t>(i)] = b;
    }
    FitSpacedText(label(g, legend, TwipsRect(120, 510, 1560, 255)));
    return g;
  };

  Frame1 = new QFrame(this);
  Frame1->setGeometry(TwipsRect(0, 0, 1800, 2040));
  Command2 = button(Frame1, QString(), TwipsRect(120, 120, 1560, 255));
  Command2->setObjectName("Command2");
  connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
  row(Frame1, BoostRow::Prograde, "Prograde Boost", 360, "  1     10   100   1K");
  row(Frame1, BoostRow::Retrograde, "Retrograde Boost", 1200, "  1    10   100   1K");
  row(this, BoostRow::Toward, "Toward Boost", 2040, "  1    10   100   1K");
  row(this, BoostRow::Away, "Away Boost", 2880, "  1    10   100   1K");
  QGroupBox* custom = row(this, BoostRow::Custom, "Custom Boost", 3720, "  1    10   100   1K");
  custom->setGeometry(TwipsRect(0, 3720, 1800, 1140));
  Command23 = button(custom, "Edit...", TwipsRect(120, 780, 975, 315));
  Command23->setObjectName("Command23");
  connect(Command23, &QPushButton::clicked, this, [this] { Command23_Click(); });
  Label7 = label(this, QString(), TwipsRect(120, 4920, 1560, 255));

  Frame2 = new QFrame(this);
  Frame2->setGeometry(TwipsRect(0, 0, 1800, 2040));
  Frame2->setAutoFillBackground(true);
  label(Frame2, "Object", TwipsRect(120, 120, 1560, 255));
  Combo1 = new QComboBox(Frame2);
  MakeEditableList(Combo1);
  Combo1->setGeometry(TwipsRect(120, 360, 1560, 315));
  label(Frame2, "Reference", TwipsRect(120, 720, 1560, 255));
  Combo2 = new QComboBox(Frame2);
  MakeEditableList(Combo2);
  Combo2->setGeometry(TwipsRect(120, 960, 1560, 315));
  Command1 = button(Frame2, "OK", TwipsRect(120, 1440, 975, 375));
  connect(Combo1, &QComboBox::activated, this, [this](int) { Combo1_Click(); });
  Command1->setObjectName("Command1");
  connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });

  Frame8 = new QFrame(this);
  Frame8->setGeometry(TwipsRect(0, 0, 1800, 5300));
  Frame8->setAutoFillBackground(true);
  label(Frame8, "Azimuth", TwipsRect(120, 120, 1560, 255));
  Text1 = new QLineEdit(Frame8);
  Text1->setGeometry(TwipsRect(120, 360, 1200, 285));
  label(Frame8, "Altitude", TwipsRect(120, 720, 1560, 255));
  Text2 = new QLineEdit(Frame8);
  Text2->setGeometry(TwipsRect(120, 960, 1200, 285));
  Command24 = button(Frame8, "OK", TwipsRect(120, 1440, 975, 375));
  Command24->setObjectName("Command24");
  connect(Command24, &QPushButton::clicked, this, [this] { Command24_Click(); });
  // The lists and the angle boxes run no key commands, but F8 and F9
  // released in them still line up the dashboard.
  for (QWidget* w : std::initializer_list<QWidget*>{Combo1, Combo2, Text1, Text2}) {
    w->installEventFilter(this);
  }
  connect(Text1, &QLineEdit::textChanged, this, [this] { storeTexts(); });
  connect(Text2, &QLineEdit::textChanged, this, [this] { storeTexts(); });

  // Load: the selection panel over the boost group, the editor hidden.
  Frame1->hide();
  Frame2->show();
  Frame2->raise();
  Frame8->hide();
  Frame8->raise();
  if (slotIndex_ == 0) s_.formcontrolcenterloaded = true;
  s_.fuelused = 0;
  const QPoint place = form_.newWindowPlace(QPoint(0, PixelsOfTwips(3490)));
  placeAtTwips(place.x() * TwipsPerPixel, place.y() * TwipsPerPixel);
  refreshObjectLists();
  Combo1->setCurrentIndex(-1);
  Combo2->setCurrentIndex(-1);
  loading_ = false;
}

FormControlCenter::~FormControlCenter() = default;

int16_t& FormControlCenter::recordObject() {
  return slotIndex_ == 0 ? s_.cpobject : s_.thrustPanels[static_cast<size_t>(slotIndex_)].cpobject;
}

int16_t& FormControlCenter::recordReference() {
  return slotIndex_ == 0 ? s_.cpreference : s_.thrustPanels[static_cast<size_t>(slotIndex_)].cpreference;
}

void FormControlCenter::holdBodies() {
  HoldBody(s_, object_, cpobject_);
  HoldBody(s_, reference_, cpreference_);
}

void FormControlCenter::storeBodies() {
  if (loading_) return;
  recordObject() = cpobject_;
  recordReference() = cpreference_;
}

void FormControlCenter::storeTexts() {
  if (loading_) return;
  if (slotIndex_ == 0) {
    s_.controlCenterText1 = BoxText(Text1);
    s_.controlCenterText2 = BoxText(Text2);
  } else {
    ThrustPanelSlot& r = s_.thrustPanels[static_cast<size_t>(slotIndex_)];
    r.text1 = BoxText(Text1);
    r.text2 = BoxText(Text2);
  }
}

void FormControlCenter::storePlace() {
  if (loading_) return;
  const float left = static_cast<float>(pos().x() * TwipsPerPixel);
  const float top = static_cast<float>(pos().y() * TwipsPerPixel);
  if (slotIndex_ == 0) {
    s_.controlCenterPlace.left = left;
    s_.controlCenterPlace.top = top;
  } else {
    s_.thrustPanels[static_cast<size_t>(slotIndex_)].left = left;
    s_.thrustPanels[static_cast<size_t>(slotIndex_)].top = top;
  }
}

void FormControlCenter::applyRecord() {
  loading_ = true;
  float left = 0, top = 0;
  std::string t1, t2;
  int16_t o = 0, r = 0;
  if (slotIndex_ == 0) {
    left = s_.controlCenterPlace.left;
    top = s_.controlCenterPlace.top;
    t1 = s_.controlCenterText1;
    t2 = s_.controlCenterText2;
    o = s_.cpobject;
    r = s_.cpreference;
  } else {
    const ThrustPanelSlot& rec = s_.thrustPanels[static_cast<size_t>(slotIndex_)];
    left = rec.left;
    top = rec.top;
    t1 = rec.text1;
    t2 = rec.text2;
    o = rec.cpobject;
    r = rec.cpreference;
  }
  // A fresh record (nothing chosen, never placed) keeps the load's place.
  const bool fresh = left == 0 && top == 0 && t1.empty() && t2.empty() && o == 0 && r == 0;
  if (!fresh && TwipsInRange(left) && TwipsInRange(top)) placeAtTwips(left, top);
  Text1->setText(Latin1(t1));
  Text2->setText(Latin1(t2));
  // A body that had gone when the panel was saved (NoBody) is none again:
  // the panel asks for a new choice, as it did.
  cpobject_ = IsBodyRow(o) || o == NoBody ? o : int16_t{0};
  cpreference_ = IsBodyRow(r) || r == NoBody ? r : int16_t{0};
  holdBodies();
  const int n = BodyCount(s_);
  if (cpobject_ >= 1 && cpobject_ <= n) {
    Combo1->setCurrentIndex(cpobject_ - 1);
    Combo1->setEditText(Latin1(s_.objname[static_cast<size_t>(cpobject_)]));
    Command2->setText(Combo1->currentText());
    if (cpreference_ != NoBody) {
      Frame2->hide();
      Frame1->show();
    }
  }
  if (cpreference_ >= 1 && cpreference_ <= n) {
    Combo2->setCurrentIndex(cpreference_ - 1);
    Combo2->setEditText(Latin1(s_.objname[static_cast<size_t>(cpreference_)]));
  }
  loading_ = false;
  storeBodies();
  storeTexts();
  storePlace();
}

void FormControlCenter::refreshObjectLists() { followBodies(true); }

void FormControlCenter::bodyLeftTable() { followBodies(false); }

// Entry p of each list names body p + 1, so the picks below read the names
// from the body table: the same with the lists refilled or not yet.
void FormControlCenter::followBodies(bool refill) {
  const QString t1 = Combo1->currentText();
  const QString t2 = Combo2->currentText();
  cpobject_ = FollowBody(s_, object_, false);
  cpreference_ = FollowBody(s_, reference_, false);
  const int n = BodyCount(s_);
  auto name = [this](int k) { return Latin1(s_.objname[static_cast<size_t>(k)]); };
  // Entry p is body p + 1; nothing chosen yet keeps what was typed while
  // it names a body.
  auto show = [this](QComboBox* c, int k, const QString& typed) {
    ShowBodyEntry(c, s_, k);
    if (k == 0) c->setEditText(FindBodyByName(s_, Latin1Bytes(typed)) > 0 ? typed : QString());
  };
  // Without the refill a list shows a body by its text alone.
  auto pick = [&](QComboBox* c, int k) {
    if (refill) {
      ShowBodyEntry(c, s_, k);
    } else {
      c->setEditText(name(k));
    }
  };
  if (refill) {
    BodyNames& names = form_.bodyNames();
    ViewBodyNames(Combo1, names);
    ViewBodyNames(Combo2, names);
    show(Combo1, cpobject_, t1);
    show(Combo2, cpreference_, t2);
  }
  if (cpobject_ < 0 || cpreference_ < 0) {
    Command2->setText(QString());
    Frame1->hide();
    Frame2->show();
    Frame2->raise();
  } else if (cpobject_ >= 1 && cpobject_ <= n) {
    Command2->setText(name(cpobject_));
  }
  // The older files keep the default panel's bodies by name: every entry
  // that begins the stored name selects, the last one stays.
  if (slotIndex_ == 0) {
    const int object = FindBodyNamedAtStart(s_, s_.cpobjectname);
    const int reference = FindBodyNamedAtStart(s_, s_.cpreferencename);
    if (object > 0) {
      pick(Combo1, object);
      takeObject(object);
    }
    if (reference > 0) pick(Combo2, reference);
  }
  storeBodies();
}

void FormControlCenter::Combo1_Click() { takeObject(PickedBody(Combo1, s_)); }

void FormControlCenter::takeObject(int k) {
  // A name that matches no body keeps the body held before.
  if (k > 0) cpobject_ = static_cast<int16_t>(k);
  // A panel whose body is gone holds -1 until a name matches again.
  const bool held = cpobject_ >= 0;
  const std::string ref = held ? s_.objref[static_cast<size_t>(cpobject_)] : std::string();
  const int16_t r = held ? BodyOfName(s_, s_.objrefindex[static_cast<size_t>(cpobject_)], ref) : int16_t{0};
  if (r > 0) cpreference_ = r;
  // The reference's own entry, so that leaving the list keeps it; a list
  // not yet following a change of the table shows the name alone.
  ShowBodyEntry(Combo2, s_, r);
  if (Combo2->currentText() != Latin1(ref)) Combo2->setEditText(Latin1(ref));
  holdBodies();
  storeBodies();
}

void FormControlCenter::Command1_Click() {
  Frame2->hide();
  Frame1->show();
  QString text = Combo1->currentText();
  while (text.size() > 1 && text.endsWith(' ')) text.chop(1);
  Combo1->setEditText(text);
  Command2->setText(text);
  if (const int16_t k = PickedBody(Combo1, s_); k > 0) cpobject_ = k;
  if (const int16_t k = PickedBody(Combo2, s_); k > 0) cpreference_ = k;
  holdBodies();
  storeBodies();
}

void FormControlCenter::Command2_Click() {
  Frame1->hide();
  Frame2->show();
  Frame2->raise();
}

void FormControlCenter::Command23_Click() {
  Frame8->show();
  Frame8->raise();
}

// OK of the direction editor: an angle refused keeps the editor open. The
// opening of a saved panel runs it quietly: its angles were typed before.
void FormControlCenter::Command24_Click(bool quiet) {
  const std::string problem = SetCustomDirection(s_, cpobject_, BoxText(Text1), BoxText(Text2), azimuth_, altitude_);
  if (!problem.empty() && !quiet) {
    form_.message(problem);
    return;
  }
  Frame8->hide();
}

void FormControlCenter::boost(BoostRow row, int16_t amount) {
  // A body that went is no body to push or to push against: say so.
  if (cpobject_ < 0) {
    form_.message("Thrust: the object is gone. Choose an object and press OK.");
    return;
  }
  if (row != BoostRow::Custom && cpreference_ < 0) {
    form_.message("Thrust: the reference object is gone. Choose a reference and press OK.");
    return;
  }
  const std::string problem =
      FireBoost(s_, row, cpobject_, cpreference_, amount, BoxText(Text1), BoxText(Text2), azimuth_, altitude_);
  if (!problem.empty()) form_.message(problem);
  Label7->setText(Latin1(GeneralText(s_.fuelused)));
}

void FormControlCenter::closeEvent(QCloseEvent* e) {
  // Directions, thrust amounts and the fuel total stay as they are.
  if (slotIndex_ == 0) {
    s_.formcontrolcenterloaded = false;
  } else {
    ReleaseBoxSlot(s_, BoxKind::Thrust, slotIndex_);
  }
  QWidget::closeEvent(e);
  markClosed();
}

bool FormControlCenter::eventFilter(QObject* watched, QEvent* e) {
  if (e->type() == QEvent::KeyRelease) {
    auto* key = static_cast<QKeyEvent*>(e);
    const int code = WindowsKeyCode(key);
    if ((code == KeyCodeF8 || code == KeyCodeF9) && !key->isAutoRepeat()) {
      form_.AlignKeyReleased(code);
      return true;  // handled here, not again by the window
    }
  }
  return QWidget::eventFilter(watched, e);
}

void FormControlCenter::moveEvent(QMoveEvent* e) {
  QWidget::moveEvent(e);
  storePlace();
}

}  // namespace molvane
