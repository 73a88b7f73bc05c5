// Every dialog the program asks the user through: a message, a yes/no
// question, a file name, a colour, a font. The program installs Qt's
// dialogs; tests and the picture tool install the recording ones, which
// answer at once from what the test queued.
#pragma once

#include <QColor>
#include <QFileDialog>
#include <QFont>
#include <QString>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QWidget;

namespace molvane {

enum class FileDialogKind { Open, Save };

// A file dialog as the windows ask for it. `filter` is in Qt's form
// ("Molvane (*.molv);;All Files (*)"); `initialName` is selected when given.
struct FileRequest {
  FileDialogKind kind = FileDialogKind::Open;
  QString initialName;
  QString folder;
  QString filter;
  bool readOnly = false;
};

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // `text` is file-name bytes (fixed words and paths).
  virtual void message(QWidget* parent, const QString& caption, const std::string& text) = 0;
  virtual bool askYesNo(QWidget* parent, const QString& caption, const std::string& text) = 0;
  // The chosen path; empty for a cancel.
  virtual QString fileName(QWidget* parent, const FileRequest& request) = 0;
  // No value for a cancel.
  virtual std::optional<QColor> colour(QWidget* parent, const QColor& initial, const QString& caption) = 0;
  virtual std::optional<QFont> font(QWidget* parent, const QFont& initial, const QString& caption) = 0;
};

// Qt's own dialogs, never the platform's.
class QtDialogs : public Dialogs {
 public:
  void message(QWidget* parent, const QString& caption, const std::string& text) override;
  bool askYesNo(QWidget* parent, const QString& caption, const std::string& text) override;
  QString fileName(QWidget* parent, const FileRequest& request) override;
  std::optional<QColor> colour(QWidget* parent, const QColor& initial, const QString& caption) override;
  std::optional<QFont> font(QWidget* parent, const QFont& initial, const QString& caption) override;
};

// Qt's file dialog as QtDialogs shows it, not yet shown ("Open" or "Save
// As"; the save dialog asks before overwriting an existing file).
std::unique_ptr<QFileDialog> MakeFileDialog(QWidget* parent, const FileRequest& request);

// Shows nothing: records what was asked and answers from the queues, or as
// a cancel (No, no file, no colour, no font) when a queue is empty.
class RecordingDialogs : public Dialogs {
 public:
  // Each dialog, the answers queued for it, and what it was asked (the
  // texts; the fonts and colours it was opened on).
  void message(QWidget* parent, const QString& caption, const std::string& text) override;
  const std::vector<std::string>& messages() const { return messages_; }

  bool askYesNo(QWidget* parent, const QString& caption, const std::string& text) override;
  void answerYesNo(bool yes) { yesNo_.push_back(yes); }
  const std::vector<std::string>& questions() const { return questions_; }

  QString fileName(QWidget* parent, const FileRequest& request) override;
  void answerFile(const QString& path) { files_.push_back(path); }
  const std::vector<FileRequest>& fileRequests() const { return fileRequests_; }

  std::optional<QColor> colour(QWidget* parent, const QColor& initial, const QString& caption) override;
  void answerColour(std::optional<QColor> c) { colours_.push_back(c); }
  const std::vector<QColor>& colourRequests() const { return colourRequests_; }

  std::optional<QFont> font(QWidget* parent, const QFont& initial, const QString& caption) override;
  void answerFont(std::optional<QFont> f) { fonts_.push_back(f); }
  const std::vector<QFont>& fontRequests() const { return fontRequests_; }

 private:
  std::vector<std::string> messages_, questions_;
  std::vector<FileRequest> fileRequests_;
  std::vector<QFont> fontRequests_;
  std::vector<QColor> colourRequests_;
  std::deque<bool> yesNo_;
  std::deque<QString> files_;
  std::deque<std::optional<QColor>> colours_;
  std::deque<std::optional<QFont>> fonts_;
};

}  // namespace molvane
