// The caption editor "Add Caption": edits one of the four captions over the
// main view at a time and applies it on OK. The preview box holds the text
// in the caption's font and colour, and its size is the size the caption's
// box will get. Dialog sizes are in twips; caption boxes in main-window
// pixels.
#pragma once

#include <QColor>
#include <QFont>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "engine/state.h"

namespace molvane {

class Dialogs;
class WindowServices;

// What the font dialog edits: name, size in points, styles and colour.
struct CaptionFont {
  std::string name;
  float size = 0;
  bool bold = false;
  bool italic = false;
  bool strikethru = false;
  bool underline = false;
  int32_t colour = 0;  // 0x00BBGGRR
};

// The caption font chooser of both caption dialogs: the font dialog
// seeded with `font`, then the colour dialog seeded with `colour`. False
// when the font dialog is cancelled; a cancelled colour keeps `colour`.
bool ChooseCaptionFont(Dialogs& dialogs, QWidget* parent, QFont& font, QColor& colour);

class frmAddCaption : public QWidget {
  Q_OBJECT

 public:
  // Creates the dialog and runs its load: slot 1 into the preview, sized to
  // caption 1 with the minimums of an empty caption.
  frmAddCaption(WindowServices& form, State& s);
  ~frmAddCaption() override;

  void Option1_Click(int k);  // loads slot k into the preview and sizes to it
  void Command1_Click();      // "Font..."
  void btnOK_Click();
  void btnCancel_Click();

  // The checked slot button, 1..4.
  int checkedSlot() const;
  // Checks slot button k without loading it.
  void checkSlot(int k);
  // The dialog's size in twips (the preview is 500 narrower and the
  // preview's top plus 500 lower).
  double widthTwips() const { return widthTwips_; }
  double heightTwips() const { return heightTwips_; }
  void setSizeTwips(double width, double height);
  const CaptionFont& previewFont() const { return preview_; }

  std::array<QRadioButton*, MaxCaptions + 1> Option1{};  // 1..4
  QPushButton* btnOK = nullptr;
  QPushButton* btnCancel = nullptr;
  QPushButton* Command1 = nullptr;
  QPlainTextEdit* Text1 = nullptr;  // the preview and the caption text

  static constexpr double PreviewTop = 1800;  // twips

  // Closed and waiting to be deleted: no longer the window of its slot.
  bool isClosed() const { return closed_; }

 protected:
  void resizeEvent(QResizeEvent* e) override;
  void closeEvent(QCloseEvent* e) override;

 private:
  void Form_Resize();
  void showPreviewFont();

  WindowServices& form_;
  State& s_;
  bool closed_ = false;
  CaptionFont preview_;
  double widthTwips_ = 0;
  double heightTwips_ = 0;
};

}  // namespace molvane
