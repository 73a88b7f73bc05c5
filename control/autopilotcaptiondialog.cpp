#include "control/autopilotcaptiondialog.h"

#include <QCloseEvent>
#include <QResizeEvent>
#include <algorithm>
#include <cmath>

#include "control/captioneditor.h"
#include "engine/numtext.h"
#include "ui/colours.h"
#include "ui/dialogs.h"
#include "ui/fonts.h"
#include "ui/text.h"
#include "ui/twips.h"
#include "ui/windowservices.h"

namespace molvane {

namespace {

constexpr int PreviewTopTwips = 1800;
constexpr int MarginTwips = 500;
constexpr int MinWidthTwips = 3660;
constexpr int MinHeightTwips = 3135;

}  // namespace

frmAddCaptionAutopilot::frmAddCaptionAutopilot(WindowServices& form, QWidget* owner)
    : QWidget(owner, Qt::Tool), form_(form), s_(form.state()) {
  setWindowTitle("Add Caption");
  setWindowIcon(form.mainWidget().windowIcon());
  setAttribute(Qt::WA_DeleteOnClose);
  for (int k = 1; k <= MaxCaptions; ++k) {
    Option1[k] = new QRadioButton(QString::number(k), this);
    Option1[k]->setObjectName(QString("Option1(%1)").arg(k));
    Option1[k]->setGeometry(TwipsRect(120, 120 + 360 * (k - 1), 495, 255));
    connect(Option1[k], &QRadioButton::clicked, this, [this, k] { Option1_Click(k); });
  }
  Option1[1]->setChecked(true);
  btnOK = new QPushButton("OK", this);
  btnOK->setGeometry(TwipsRect(720, 120, 1215, 375));
  btnCancel = new QPushButton("Cancel", this);
  btnCancel->setGeometry(TwipsRect(720, 600, 1215, 375));
  Command1 = new QPushButton("Font...", this);
  Command1->setGeometry(TwipsRect(720, 1080, 1215, 375));
  Label1 = new QLabel("Left", this);
  Label1->setGeometry(TwipsRect(2040, 120, 1215, 255));
  Text2 = new QLineEdit(this);
  Text2->setGeometry(TwipsRect(2040, 360, 1335, 285));
  Label2 = new QLabel("Top", this);
  Label2->setGeometry(TwipsRect(2040, 840, 1215, 255));
  Text3 = new QLineEdit(this);
  Text3->setGeometry(TwipsRect(2040, 1080, 1335, 285));
  Text1 = new QPlainTextEdit(this);
  Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Text1->setGeometry(TwipsRect(0, PreviewTopTwips, 8415, 1215));
  btnOK->setObjectName("btnOK");
  btnCancel->setObjectName("btnCancel");
  Command1->setObjectName("Command1");
  connect(btnOK, &QPushButton::clicked, this, [this] { btnOK_Click(); });
  connect(btnCancel, &QPushButton::clicked, this, [this] { btnCancel_Click(); });
  connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
  resize(PixelsOfTwips(5940), PixelsOfTwips(2775));
}

int frmAddCaptionAutopilot::widthTwips() const { return width() * TwipsPerPixel; }
int frmAddCaptionAutopilot::heightTwips() const { return height() * TwipsPerPixel; }

// Sizes from Caption lines are cut to whole pixels, as they always were.
void frmAddCaptionAutopilot::resizeTwips(double w, double h) {
  resize(std::clamp(WholePixelsOfTwips(w), 1, 20000), std::clamp(WholePixelsOfTwips(h), 1, 20000));
  layoutPreview();  // a hidden widget gets its resize event only when shown
}

void frmAddCaptionAutopilot::layoutPreview() {
  const int w = width() - PixelsOfTwips(MarginTwips);
  const int h = height() - PixelsOfTwips(PreviewTopTwips) - PixelsOfTwips(MarginTwips);
  Text1->setGeometry(0, PixelsOfTwips(PreviewTopTwips), std::max(w, 1), std::max(h, 1));
}

void frmAddCaptionAutopilot::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  layoutPreview();
}

void frmAddCaptionAutopilot::applyPreviewLook() {
  Text1->setFont(font_);
  QPalette pal = Text1->palette();
  pal.setColor(QPalette::Base, ColourFromValue(s_.mainWindow.backColor));
  pal.setColor(QPalette::Text, ColourFromValue(colour_));
  Text1->setPalette(pal);
}

// The preview takes caption k's font, colour and text; the position boxes
// its place in the main window's pixels.
void frmAddCaptionAutopilot::loadLabel(int k) {
  const CaptionSlot& c = s_.captions[k];
  font_ = MakeFont(QFont(), c.fontName, c.fontSize, c.bold, c.italic, c.strikethru, c.underline);
  colour_ = c.foreColor;
  applyPreviewLook();
  Text1->setPlainText(Latin1(c.caption));
  const QLabel* label = form_.captionLabel(k);
  const QRect g = label ? label->geometry() : QRect();
  Text2->setText(Latin1(ShortText(static_cast<int32_t>(g.x()))));
  Text3->setText(Latin1(ShortText(static_cast<int32_t>(g.y()))));
}

void frmAddCaptionAutopilot::sizeToLabel(int k, bool capByMainWindow) {
  const QLabel* label = form_.captionLabel(k);
  const QRect g = label ? label->geometry() : QRect();
  double w = g.width() * TwipsPerPixel + MarginTwips;
  double h = g.height() * TwipsPerPixel + PreviewTopTwips + MarginTwips;
  if (capByMainWindow) {
    if (w > form_.mainWindowWidthTwips()) w = form_.mainWindowWidthTwips();
    if (g.height() * TwipsPerPixel + MarginTwips > form_.mainWindowHeightTwips()) {
      h = form_.mainWindowHeightTwips();
    }
  }
  w = std::max<double>(w, MinWidthTwips);
  h = std::max<double>(h, MinHeightTwips);
  resizeTwips(w, h);
}

void frmAddCaptionAutopilot::Form_Load() {
  Option1[1]->setChecked(true);
  loadLabel(1);
  sizeToLabel(1, true);
}

void frmAddCaptionAutopilot::Option1_Click(int k) {
  if (k < 1 || k > MaxCaptions) return;
  Option1[k]->setChecked(true);
  loadLabel(k);
  sizeToLabel(k, false);
}

void frmAddCaptionAutopilot::Command1_Click() {
  QFont f = font_;
  QColor colour = ColourFromValue(colour_);
  if (!ChooseCaptionFont(form_.dialogs(), this, f, colour)) return;
  font_ = f;
  colour_ = ValueFromColour(colour);
  applyPreviewLook();
}

int frmAddCaptionAutopilot::checkedSlot() const {
  for (int k = 1; k <= MaxCaptions; ++k) {
    if (Option1[k]->isChecked()) return k;
  }
  return 1;
}

void frmAddCaptionAutopilot::showDefinition(const CaptionDefinition& d) {
  if (d.slot >= 1 && d.slot <= MaxCaptions) Option1[d.slot]->setChecked(true);
  font_ = MakeFont(QFont(), d.fontName, d.fontSize, d.bold, d.italic, d.strikethru, d.underline);
  int32_t colour = 0;
  if (AssignNumber(d.foreColor, colour)) colour_ = colour;
  applyPreviewLook();
  Text1->setPlainText(Latin1(d.text));
  Text2->setText(QString::number(d.left));
  Text3->setText(QString::number(d.top));
  resizeTwips(static_cast<double>(d.width) + MarginTwips,
              static_cast<double>(d.height) + PreviewTopTwips + MarginTwips);
}

// A text the files cannot keep, or a position that is a number but does
// not fit, is refused with a message and the dialog stays open; a position
// that is no number at all reads 0.
void frmAddCaptionAutopilot::btnOK_Click() {
  std::string problem = Latin1Problem("Caption", Text1->toPlainText());
  int32_t place[2] = {0, 0};
  const std::pair<const char*, QLineEdit*> boxes[] = {{"Left", Text2}, {"Top", Text3}};
  for (int k = 0; k < 2 && problem.empty(); ++k) {
    double v = 0;
    if (!ReadTypedNumber(BoxText(boxes[k].second), 1, v) || !AssignNumber(v, place[k])) {
      problem = std::string(boxes[k].first) + " must be a number from -2147483648 to 2147483647 (twips).";
    }
  }
  if (!problem.empty()) {
    form_.message(problem);
    return;
  }
  CaptionDefinition& d = s_.captionDefinition;
  d.fontName = Latin1Bytes(font_.family());
  d.bold = font_.bold();
  d.italic = font_.italic();
  const double points = font_.pointSizeF();
  d.fontSize = points > 0 ? points : 0;
  d.strikethru = font_.strikeOut();
  d.underline = font_.underline();
  d.foreColor = colour_;
  d.left = place[0];
  d.top = place[1];
  d.height = static_cast<int32_t>(Text1->height() * TwipsPerPixel);
  d.width = static_cast<int32_t>(Text1->width() * TwipsPerPixel);
  d.text = Latin1Bytes(Text1->toPlainText());
  d.slot = static_cast<int16_t>(checkedSlot());
  close();
}

void frmAddCaptionAutopilot::btnCancel_Click() { close(); }

void frmAddCaptionAutopilot::closeEvent(QCloseEvent* e) {
  closed_ = true;
  QWidget::closeEvent(e);
  if (QWidget* owner = parentWidget()) owner->activateWindow();
}

}  // namespace molvane
