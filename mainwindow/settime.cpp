#include "mainwindow/settime.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QListView>
#include <QVBoxLayout>
#include <cmath>
#include <string>

#include "engine/calendar.h"
#include "engine/numtext.h"
#include "engine/state.h"
#include "ui/buttonrow.h"
#include "ui/editablelist.h"
#include "ui/text.h"
#include "ui/windowservices.h"

namespace molvane {

namespace {

// A list entry: the last two characters of the number's text with its
// leading blank (" 1" .. " 9", "10" ..).
QString EntryText(int v) {
  const std::string t = ShortText(static_cast<int64_t>(v));
  return Latin1(t.substr(t.size() >= 2 ? t.size() - 2 : 0));
}

// The dropped list of a number field: typing picks the entry that begins
// with the typed digits once its leading blank is skipped, so "1" picks
// " 1" rather than "10", and "1" then "2" typed quickly picks "12". Each
// dropping starts a fresh search.
class NumberListView : public QListView {
 public:
  using QListView::QListView;
  void showEvent(QShowEvent* e) override {
    typed_.clear();
    QListView::showEvent(e);
  }
  void keyboardSearch(const QString& search) override {
    if (!typing_.isValid() || typing_.elapsed() > QApplication::keyboardInputInterval()) typed_.clear();
    typed_ += search;
    typing_.start();
    for (int row = 0; row < model()->rowCount(rootIndex()); ++row) {
      const QModelIndex entry = model()->index(row, modelColumn(), rootIndex());
      if (entry.data().toString().trimmed().startsWith(typed_)) {
        setCurrentIndex(entry);
        scrollTo(entry);
        return;
      }
    }
  }

 private:
  QString typed_;
  QElapsedTimer typing_;
};

QComboBox* NumberList(int from, int to, const QString& design, QWidget* parent) {
  auto* c = new QComboBox(parent);
  c->setView(new NumberListView(c));
  MakeEditableList(c);
  for (int v = from; v <= to; ++v) c->addItem(EntryText(v));
  c->setEditText(design);
  return c;
}

}  // namespace

frmSetTime::frmSetTime(WindowServices& form) : QDialog(&form.mainWidget()), form_(form) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle("Set Time");
  setWindowIcon(form.mainWidget().windowIcon());
  auto* outer = new QVBoxLayout(this);
  FrameExecutionTime = new QGroupBox("Set Time", this);
  auto* grid = new QGridLayout(FrameExecutionTime);
  ComboMonth = NumberList(1, 12, "1", FrameExecutionTime);
  ComboDay = NumberList(1, 31, "1", FrameExecutionTime);
  TextYear = new QLineEdit("2005", FrameExecutionTime);
  ComboHour = NumberList(0, 23, "0", FrameExecutionTime);
  ComboMinute = NumberList(0, 59, "0", FrameExecutionTime);
  ComboSecond = NumberList(0, 59, "0", FrameExecutionTime);
  const std::pair<const char*, QWidget*> fields[] = {{"Month", ComboMonth},   {"Day", ComboDay},
                                                     {"Year", TextYear},      {"Hour", ComboHour},
                                                     {"Minute", ComboMinute}, {"Seconds", ComboSecond}};
  int col = 0;
  for (const auto& [caption, field] : fields) {
    grid->addWidget(new QLabel(caption, FrameExecutionTime), 0, col);
    grid->addWidget(field, 1, col);
    ++col;
  }
  outer->addWidget(FrameExecutionTime);
  Command2 = new QPushButton("OK", this);
  Command3 = new QPushButton("Cancel", this);
  AddButtonRow(outer, {Command2, Command3});
  Command2->setObjectName("Command2");
  Command3->setObjectName("Command3");
  connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
  connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
}

// The clock is set whether the loop runs or not; a running loop counts on
// from the new value. A field beyond its range would be cut to its last two
// digits or to 0 on the way through the date text, and a year beyond what
// the clock counts second by second would stop it: each is refused, and
// the dialog stays open for the user to mend it.
void frmSetTime::Command2_Click() {
  std::string fault = SetTimeFieldFault(BoxText(ComboMonth), BoxText(ComboDay), BoxText(ComboHour),
                                        BoxText(ComboMinute), BoxText(ComboSecond));
  if (fault.empty()) fault = SetTimeYearFault(BoxText(TextYear));
  double t = 0;
  if (fault.empty() && !SetTimeClockValue(BoxText(TextYear), BoxText(ComboMonth), BoxText(ComboDay), BoxText(ComboHour),
                                          BoxText(ComboMinute), BoxText(ComboSecond), t)) {
    fault = YearRangeMessage();
  }
  if (!fault.empty()) {
    form_.message(fault);
    return;
  }
  form_.state().SecondsElapsed = t;
  close();
}

void frmSetTime::Command3_Click() { close(); }

}  // namespace molvane
