#include "control/captioneditor.h"

#include <QCloseEvent>
#include <QFontInfo>
#include <QLabel>
#include <QResizeEvent>
#include <algorithm>
#include <cmath>

#include "ui/colours.h"
#include "ui/dialogs.h"
#include "ui/fonts.h"
#include "ui/text.h"
#include "ui/twips.h"
#include "ui/windowservices.h"

namespace molvane {

namespace {

// Captions keep their line breaks as CR LF; the preview shows plain LF.
QString PreviewText(const std::string& caption) {
  QString t = Latin1(caption);
  t.replace("\r\n", "\n");
  return t;
}

std::string CaptionText(const QString& preview) {
  QString t = preview;
  t.replace("\r\n", "\n");
  t.replace("\n", "\r\n");
  return Latin1Bytes(t);
}

bool ChooseFont(Dialogs& dialogs, QWidget* parent, CaptionFont& f) {
  QFont font = MakeFont(QFont(), f.name, f.size, f.bold, f.italic, f.strikethru, f.underline);
  QColor colour = ColourFromValue(f.colour);
  if (!ChooseCaptionFont(dialogs, parent, font, colour)) return false;
  f.name = Latin1Bytes(font.family());
  f.size = static_cast<float>(font.pointSizeF());
  f.bold = font.bold();
  f.italic = font.italic();
  f.strikethru = font.strikeOut();
  f.underline = font.underline();
  f.colour = ValueFromColour(colour);
  return true;
}

}  // namespace

bool ChooseCaptionFont(Dialogs& dialogs, QWidget* parent, QFont& font, QColor& colour) {
  const std::optional<QFont> chosen = dialogs.font(parent, font, "Font");
  if (!chosen) return false;
  // A family name the files cannot keep would come back as another font.
  if (const std::string problem = Latin1Problem("Font", chosen->family()); !problem.empty()) {
    dialogs.message(parent, "Molvane", problem);
    return false;
  }
  font = *chosen;
  if (const std::optional<QColor> c = dialogs.colour(parent, colour, "Colour")) colour = *c;
  return true;
}

frmAddCaption::frmAddCaption(WindowServices& form, State& s)
    : QWidget(&form.mainWidget(), Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint), form_(form), s_(s) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle("Add Caption");
  setWindowIcon(form.mainWidget().windowIcon());
  setMinimumSize(1, 1);

  for (int k = 1; k <= MaxCaptions; ++k) {
    auto* b = new QRadioButton(QString::number(k), this);
    b->setGeometry(TwipsRect(120, 120 + 360 * (k - 1), 495, 255));
    b->setObjectName("Option1");
    connect(b, &QRadioButton::clicked, this, [this, k] { Option1_Click(k); });
    Option1[static_cast<size_t>(k)] = b;
  }
  Option1[1]->setChecked(true);
  auto button = [this](const QString& caption, double top) {
    auto* b = new QPushButton(caption, this);
    b->setAutoDefault(false);
    b->setGeometry(TwipsRect(720, top, 1215, 375));
    return b;
  };
  btnOK = button("OK", 120);
  btnCancel = button("Cancel", 600);
  Command1 = button("Font...", 1080);
  btnOK->setObjectName("btnOK");
  btnCancel->setObjectName("btnCancel");
  Command1->setObjectName("Command1");
  connect(btnOK, &QPushButton::clicked, this, [this] { btnOK_Click(); });
  connect(btnCancel, &QPushButton::clicked, this, [this] { btnCancel_Click(); });
  connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
  Text1 = new QPlainTextEdit(this);
  Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Text1->setLineWrapMode(QPlainTextEdit::WidgetWidth);

  // Load: the preview on the main window's background, slot 1, and the
  // minimums for an empty caption whose label is only a few pixels.
  QPalette pal = Text1->palette();
  pal.setColor(QPalette::Base, ColourFromValue(s_.mainWindow.backColor));
  Text1->setPalette(pal);
  Option1_Click(1);
  double w = widthTwips_, h = heightTwips_;
  if (w < 550) w = 6000;
  if (h < 2400) h = 4000;
  setSizeTwips(w, h);
}

frmAddCaption::~frmAddCaption() = default;

int frmAddCaption::checkedSlot() const {
  for (int k = 1; k <= MaxCaptions; ++k) {
    if (Option1[static_cast<size_t>(k)]->isChecked()) return k;
  }
  return 1;
}

void frmAddCaption::checkSlot(int k) {
  if (k >= 1 && k <= MaxCaptions) Option1[static_cast<size_t>(k)]->setChecked(true);
}

void frmAddCaption::setSizeTwips(double width, double height) {
  if (!std::isfinite(width) || !std::isfinite(height)) return;
  widthTwips_ = width;
  heightTwips_ = height;
  resize(std::clamp(PixelsOfTwips(width), 1, 16000), std::clamp(PixelsOfTwips(height), 1, 16000));
  Form_Resize();
}

void frmAddCaption::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  // The user resized the dialog: that is how the caption's box is sized.
  if (e->size().width() != std::clamp(PixelsOfTwips(widthTwips_), 1, 16000)) {
    widthTwips_ = e->size().width() * TwipsPerPixel;
  }
  if (e->size().height() != std::clamp(PixelsOfTwips(heightTwips_), 1, 16000)) {
    heightTwips_ = e->size().height() * TwipsPerPixel;
  }
  Form_Resize();
}

void frmAddCaption::Form_Resize() {
  Text1->setGeometry(TwipsRect(0, PreviewTop, widthTwips_ - 500, heightTwips_ - PreviewTop - 500));
}

void frmAddCaption::showPreviewFont() {
  Text1->setFont(MakeFont(Text1->font(), preview_.name, preview_.size, preview_.bold, preview_.italic,
                          preview_.strikethru, preview_.underline));
  QPalette pal = Text1->palette();
  pal.setColor(QPalette::Text, ColourFromValue(preview_.colour));
  Text1->setPalette(pal);
}

void frmAddCaption::Option1_Click(int k) {
  if (k < 1 || k > MaxCaptions) return;
  const CaptionSlot& c = s_.captions[static_cast<size_t>(k)];
  preview_ = {c.fontName, c.fontSize, c.bold, c.italic, c.strikethru, c.underline, c.foreColor};
  // A caption never set (no text, no size) starts readable on the black
  // view: white, in the dialog's own size, in a box as large as the dialog.
  const bool fresh = c.caption.empty() && !(c.fontSize > 0);
  if (fresh) {
    preview_.colour = ColourWhite;
    preview_.size = QFontInfo(font()).pointSizeF();
  }
  showPreviewFont();
  Text1->setPlainText(PreviewText(c.caption));
  // The dialog takes the caption's box, no limits.
  if (!fresh) {
    setSizeTwips(static_cast<double>(c.width) * TwipsPerPixel + 500,
                 static_cast<double>(c.height) * TwipsPerPixel + PreviewTop + 500);
  }
}

void frmAddCaption::Command1_Click() {
  CaptionFont f = preview_;
  if (!ChooseFont(form_.dialogs(), this, f)) return;
  preview_ = f;
  showPreviewFont();
}

void frmAddCaption::btnOK_Click() {
  // A text the files cannot keep is refused; the dialog stays open.
  if (const std::string problem = Latin1Problem("Caption", Text1->toPlainText()); !problem.empty()) {
    form_.message(problem);
    return;
  }
  const int k = checkedSlot();
  CaptionSlot& c = s_.captions[static_cast<size_t>(k)];
  c.fontName = preview_.name;
  c.bold = preview_.bold;
  c.italic = preview_.italic;
  if (std::isfinite(preview_.size)) c.fontSize = preview_.size;
  c.strikethru = preview_.strikethru;
  c.underline = preview_.underline;
  c.foreColor = preview_.colour;
  c.caption = CaptionText(Text1->toPlainText());
  // A caption out of view comes back to the top-left corner of the view;
  // one whose corner lies in the view keeps its place, however near the edge.
  const QLabel* label = form_.captionLabel(k);
  const QWidget* view = label ? label->parentWidget() : nullptr;
  const double w = view ? view->width() : form_.mainWindowWidthTwips() / TwipsPerPixel;
  const double h = view ? view->height() : form_.mainWindowHeightTwips() / TwipsPerPixel;
  if (!(c.left >= 0 && c.left < w && c.top >= 0 && c.top < h)) {
    c.left = 0;
    c.top = 0;
  }
  c.height = static_cast<float>(std::max(heightTwips_ - PreviewTop - 500, 0.0) / TwipsPerPixel);
  c.width = static_cast<float>(std::max(widthTwips_ - 500, 0.0) / TwipsPerPixel);
  const double b = form_.captionReferenceWidth();
  if (b != 0 && std::isfinite(b)) {
    c.relFontSize = static_cast<float>(c.fontSize / b);
    c.relLeft = static_cast<float>(c.left / b);
    c.relTop = static_cast<float>(c.top / b);
    c.relWidth = static_cast<float>(c.width / b);
    c.relHeight = static_cast<float>(c.height / b);
  }
  form_.captionsChanged(k);
  close();
}

void frmAddCaption::btnCancel_Click() { close(); }

void frmAddCaption::closeEvent(QCloseEvent* e) {
  QWidget::closeEvent(e);
  closed_ = true;
  form_.mainWidget().activateWindow();
}

}  // namespace molvane
