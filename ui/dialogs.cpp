#include "ui/dialogs.h"

#include <QColorDialog>
#include <QFontDialog>
#include <QMessageBox>

#include "ui/text.h"

namespace molvane {

namespace {

template <typename T>
T TakeFront(std::deque<T>& queue, T empty) {
  if (queue.empty()) return empty;
  T front = std::move(queue.front());
  queue.pop_front();
  return front;
}

}  // namespace

void QtDialogs::message(QWidget* parent, const QString& caption, const std::string& text) {
  QMessageBox box(QMessageBox::NoIcon, caption, PathText(text), QMessageBox::Ok, parent);
  box.exec();
}

bool QtDialogs::askYesNo(QWidget* parent, const QString& caption, const std::string& text) {
  QMessageBox box(QMessageBox::Question, caption, PathText(text), QMessageBox::Yes | QMessageBox::No, parent);
  return box.exec() == QMessageBox::Yes;
}

std::unique_ptr<QFileDialog> MakeFileDialog(QWidget* parent, const FileRequest& r) {
  const bool open = r.kind == FileDialogKind::Open;
  auto dialog = std::make_unique<QFileDialog>(parent, open ? "Open" : "Save As", r.folder, r.filter);
  dialog->setOption(QFileDialog::DontUseNativeDialog);
  if (r.readOnly) dialog->setOption(QFileDialog::ReadOnly);
  dialog->setAcceptMode(open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
  dialog->setFileMode(open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  if (!r.initialName.isEmpty()) dialog->selectFile(r.initialName);
  return dialog;
}

QString QtDialogs::fileName(QWidget* parent, const FileRequest& request) {
  const std::unique_ptr<QFileDialog> dialog = MakeFileDialog(parent, request);
  if (dialog->exec() != QDialog::Accepted) return {};
  const QStringList files = dialog->selectedFiles();
  return files.isEmpty() ? QString() : files.first();
}

std::optional<QColor> QtDialogs::colour(QWidget* parent, const QColor& initial, const QString& caption) {
  const QColor c = QColorDialog::getColor(initial, parent, caption, QColorDialog::DontUseNativeDialog);
  if (!c.isValid()) return std::nullopt;
  return c;
}

std::optional<QFont> QtDialogs::font(QWidget* parent, const QFont& initial, const QString& caption) {
  bool ok = false;
  const QFont chosen = QFontDialog::getFont(&ok, initial, parent, caption, QFontDialog::DontUseNativeDialog);
  if (!ok) return std::nullopt;
  return chosen;
}

void RecordingDialogs::message(QWidget*, const QString&, const std::string& text) { messages_.push_back(text); }

bool RecordingDialogs::askYesNo(QWidget*, const QString&, const std::string& text) {
  questions_.push_back(text);
  return TakeFront(yesNo_, false);
}

QString RecordingDialogs::fileName(QWidget*, const FileRequest& request) {
  fileRequests_.push_back(request);
  return TakeFront(files_, QString());
}

std::optional<QColor> RecordingDialogs::colour(QWidget*, const QColor& initial, const QString&) {
  colourRequests_.push_back(initial);
  return TakeFront(colours_, std::optional<QColor>());
}

std::optional<QFont> RecordingDialogs::font(QWidget*, const QFont& initial, const QString&) {
  fontRequests_.push_back(initial);
  return TakeFront(fonts_, std::optional<QFont>());
}

}  // namespace molvane
