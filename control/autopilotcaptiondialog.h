// "Add Caption" of the autopilot: prepares the caption that a Caption
// command will show. Its OK only fills State::captionDefinition; no caption
// on the screen changes. Owned by the autopilot editor.
#pragma once

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>
#include <array>
#include <functional>

#include "engine/state.h"

namespace molvane {

class WindowServices;

class frmAddCaptionAutopilot : public QWidget {
  Q_OBJECT

 public:
  frmAddCaptionAutopilot(WindowServices& form, QWidget* owner);

  // The first opening: caption 1 into the preview, sized to it (at most the
  // main window's size, at least the dialog's minimum).
  void Form_Load();
  // A slot button: caption k into the preview, sized to it.
  void Option1_Click(int k);
  void Command1_Click();  // "Font..."
  void btnOK_Click();
  void btnCancel_Click();
  // The editor's "<< Edit" of a Caption line: the controls show `d`.
  void showDefinition(const CaptionDefinition& d);

  int checkedSlot() const;
  // Closed by OK, Cancel or its close box (deleted at the next turn of the
  // event loop).
  bool isClosed() const { return closed_; }
  // Client size in twips.
  int widthTwips() const;
  int heightTwips() const;
  void resizeTwips(double width, double height);
  const QFont& previewFont() const { return font_; }
  int32_t previewColour() const { return colour_; }

  std::array<QRadioButton*, MaxCaptions + 1> Option1{};  // 1..4
  QPushButton* btnOK = nullptr;
  QPushButton* btnCancel = nullptr;
  QPushButton* Command1 = nullptr;  // "Font..."
  QPlainTextEdit* Text1 = nullptr;  // the preview and the caption text
  QLabel* Label1 = nullptr;         // "Left"
  QLineEdit* Text2 = nullptr;       // left, main-window pixels
  QLabel* Label2 = nullptr;         // "Top"
  QLineEdit* Text3 = nullptr;       // top, main-window pixels

 protected:
  void resizeEvent(QResizeEvent* e) override;
  void closeEvent(QCloseEvent* e) override;

 private:
  void loadLabel(int k);
  void sizeToLabel(int k, bool capByMainWindow);
  void applyPreviewLook();
  void layoutPreview();

  WindowServices& form_;
  State& s_;
  QFont font_;
  int32_t colour_ = 0;
  bool closed_ = false;
};

}  // namespace molvane
