#include "editors/spectrum.h"

#include <QCloseEvent>
#include <QPainter>
#include <cmath>

#include "editors/distancebox.h"
#include "engine/bodies.h"
#include "engine/numtext.h"
#include "engine/readouts.h"
#include "ui/bodynames.h"
#include "ui/editablelist.h"
#include "ui/fonts.h"
#include "ui/text.h"
#include "ui/twips.h"
#include "ui/windowservices.h"

namespace molvane {

namespace {

constexpr int kScrollMax = 20000;

// Pixel coordinate of a sample value; huge values end far off the picture.
int PixelOf(double v) {
  if (!std::isfinite(v)) return 0;
  return static_cast<int>(std::clamp(v, -1.0e6, 1.0e6));
}

void SetTextQuietly(QLineEdit* e, const QString& t) {
  const QSignalBlocker block(e);
  e->setText(t);
}

}  // namespace

frmSpectrum::frmSpectrum(WindowServices& form) : QWidget(&form.mainWidget(), Qt::Tool), form_(form), s_(form.state()) {
  setWindowTitle("Spectrum Analysis");
  setWindowIcon(form.mainWidget().windowIcon());
  resize(PixelsOfTwips(10950), PixelsOfTwips(9600));
  auto place = [](QWidget* w, int left, int top, int width, int height) {
    w->setGeometry(PixelsOfTwips(left), PixelsOfTwips(top), PixelsOfTwips(width), PixelsOfTwips(height));
  };
  Combo1 = new QComboBox(this);
  Combo2 = new QComboBox(this);
  for (QComboBox* c : {Combo1, Combo2}) {
    MakeEditableList(c);
    connect(c, &QComboBox::activated, this, [this] { Combo_Click(); });
  }
  Combo1->setEditText("Combo1");
  Combo2->setEditText("Combo2");
  Text1 = new QLineEdit("Text1", this);
  Text2 = new QLineEdit("Text2", this);
  Text3 = new QLineEdit("Text3", this);
  Command1 = new QPushButton("Command1", this);
  Label1 = new QLabel("period                            amplitude                    offset", this);
  VScroll1 = new QScrollBar(Qt::Vertical, this);
  VScroll1->setRange(0, kScrollMax);
  VScroll1->setSingleStep(10);
  VScroll1->setPageStep(100);
  place(Combo1, 0, 0, 1215, 315);
  place(Combo2, 1440, 0, 1215, 315);
  place(Text1, 3120, 0, 1215, 315);
  place(Text2, 4800, 0, 1215, 315);
  place(Text3, 6360, 0, 1335, 315);
  place(Command1, 8040, 0, 1215, 375);
  place(Label1, 3120, 360, 4575, 255);
  FitSpacedText(Label1);
  connect(Text1, &QLineEdit::textChanged, this, [this] { Text1_Change(); });
  connect(Text2, &QLineEdit::textChanged, this, [this] { Text2_Change(); });
  connect(Text3, &QLineEdit::textChanged, this, [this] { Text3_Change(); });
  connect(VScroll1, &QScrollBar::valueChanged, this, [this] { VScroll1_Change(); });
  Command1->setObjectName("Command1");
  connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
  clearPicture();
}

double frmSpectrum::RelativeSpeed() const {
  return RelativeSpeedMps(s_, s_.spectrumSettings.bodyA, s_.spectrumSettings.bodyB);
}

void frmSpectrum::Form_Load() {
  s_.spectrumloaded = true;
  viewNames();
  clearPicture();
  s_.spectrumSample = SpectrumSample{};
  SpectrumSettings& set = s_.spectrumSettings;
  set.bodyA = 1;
  set.bodyB = 2;
  ShowBodyEntry(Combo1, s_, 1);
  ShowBodyEntry(Combo2, s_, 2);
  set.period = 1;
  SetTextQuietly(Text1, "1");
  set.amplitude = 1;
  SetTextQuietly(Text2, "1");
  // The offset starts at the relative speed of the moment.
  const float v = static_cast<float>(RelativeSpeed());
  if (std::isfinite(v)) set.offset = v;
  showOffset();
  const double pos = RoundHalfEven(static_cast<double>(set.offset) / 10);
  if (pos >= 0 && pos <= kScrollMax) VScroll1->setValue(static_cast<int>(pos));
}

void frmSpectrum::Combo_Click() {
  SpectrumSettings& set = s_.spectrumSettings;
  // The entry picked is the body; a name that matches no body keeps the
  // body chosen before.
  if (const int16_t k = PickedBody(Combo1, s_); k > 0) set.bodyA = k;
  if (const int16_t k = PickedBody(Combo2, s_); k > 0) set.bodyB = k;
  const float v = static_cast<float>(RelativeSpeed());
  if (std::isfinite(v)) set.offset = v;
  showOffset();
  // The bar shows the offset in steps of 10 m/s; one it cannot show keeps
  // its exact value in the box.
  const double pos = RoundHalfEven(static_cast<double>(set.offset) / 10);
  if (pos >= 0 && pos <= kScrollMax) VScroll1->setValue(static_cast<int>(pos));
}

void frmSpectrum::showOffset() {
  const QString t = Latin1(GeneralText(s_.spectrumSettings.offset));
  if (Text3->text() != t) Text3->setText(t);
}

// Text that is no number gives 0; a value that does not fit keeps the
// setting.
void frmSpectrum::Text1_Change() { AssignNumber(ParseNumberPrefix(BoxText(Text1)), s_.spectrumSettings.period); }

void frmSpectrum::Text2_Change() { AssignNumber(ParseNumberPrefix(BoxText(Text2)), s_.spectrumSettings.amplitude); }

void frmSpectrum::Text3_Change() { AssignNumber(ParseNumberPrefix(BoxText(Text3)), s_.spectrumSettings.offset); }

void frmSpectrum::VScroll1_Change() {
  s_.spectrumSettings.offset = static_cast<float>(VScroll1->value() * 10);
  showOffset();
}

void frmSpectrum::Command1_Click() {
  clearPicture();
  s_.spectrumSample.x = 0;
  s_.spectrumSample.nextTime = 0;
}

// The bodies sampled follow their bodies through the table (they are 0
// once gone, and nothing is sampled then): the lists name them.
void frmSpectrum::refill() {
  viewNames();
  ShowBodyEntry(Combo1, s_, s_.spectrumSettings.bodyA);
  ShowBodyEntry(Combo2, s_, s_.spectrumSettings.bodyB);
}

void frmSpectrum::viewNames() {
  BodyNames& names = form_.bodyNames();
  ViewBodyNames(Combo1, names);
  ViewBodyNames(Combo2, names);
}

void frmSpectrum::clearPicture() {
  picture_ = QImage(std::max(width(), 1), std::max(height(), 1), QImage::Format_RGB32);
  picture_.fill(palette().color(QPalette::Window));
  pos_ = QPoint(0, 0);
  update();
}

void frmSpectrum::plotPoint(int16_t x, double y) {
  const QPoint to(x, PixelOf(y));
  {
    QPainter p(&picture_);
    p.setPen(palette().color(QPalette::WindowText));
    p.drawLine(pos_, to);
  }
  pos_ = to;
  update();
}

void frmSpectrum::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  const int bar = PixelsOfTwips(255);
  VScroll1->setGeometry(width() - bar, 0, bar, height());
  // A larger window keeps what has been drawn.
  if (width() > picture_.width() || height() > picture_.height()) {
    QImage bigger(std::max(width(), picture_.width()), std::max(height(), picture_.height()), QImage::Format_RGB32);
    bigger.fill(palette().color(QPalette::Window));
    QPainter p(&bigger);
    p.drawImage(0, 0, picture_);
    p.end();
    picture_ = bigger;
  }
}

void frmSpectrum::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.drawImage(0, 0, picture_);
}

void frmSpectrum::closeEvent(QCloseEvent* e) {
  if (isVisible()) s_.spectrumloaded = false;
  e->accept();
}

}  // namespace molvane
