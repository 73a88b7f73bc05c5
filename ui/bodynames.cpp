#include "ui/bodynames.h"

#include <QLineEdit>
#include <QSignalBlocker>

#include "engine/bodies.h"
#include "ui/text.h"

namespace molvane {

// The names after heading rows: forwards every change of the names.
class BodyNames::Headed : public QAbstractListModel {
 public:
  Headed(BodyNames& names, const QString& heading) : names_(names), heading_(heading) {
    connect(&names, &QAbstractItemModel::modelAboutToBeReset, this, [this] { beginResetModel(); });
    connect(&names, &QAbstractItemModel::modelReset, this, [this] { endResetModel(); });
  }
  int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : names_.rowCount() + 1; }
  QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
    return index.row() == 0 ? heading_ : names_.name(index.row() - 1);
  }
  const QString& heading() const { return heading_; }

 private:
  BodyNames& names_;
  QString heading_;
};

BodyNames::BodyNames(const State& s) : s_(s) {}

BodyNames::~BodyNames() = default;

void BodyNames::sync() {
  const int n = BodyCount(s_);
  bool same = static_cast<int>(names_.size()) == n;
  for (int i = 1; same && i <= n; ++i) same = names_[static_cast<size_t>(i - 1)] == s_.objname[i];
  if (same) return;
  beginResetModel();
  names_.assign(s_.objname.begin() + 1, s_.objname.begin() + 1 + n);
  shown_.clear();
  shown_.reserve(n);
  for (const std::string& name : names_) shown_.append(Latin1(name));
  endResetModel();
}

QAbstractItemModel& BodyNames::headed(const QString& heading) {
  for (const auto& h : headed_) {
    if (h->heading() == heading) return *h;
  }
  headed_.push_back(std::make_unique<Headed>(*this, heading));
  return *headed_.back();
}

int BodyNames::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(shown_.size());
}

QVariant BodyNames::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
  return name(index.row());
}

namespace {

constexpr const char* kTyped = "molvaneTyped";

// Keeps a list's text while the names it views change: the list would
// otherwise empty its text and jump to its first entry.
class KeepTextAcrossReset : public QObject {
 public:
  KeepTextAcrossReset(QComboBox* c, QAbstractItemModel& model) : QObject(c), c_(c) {
    setObjectName("keepTextAcrossReset");
    connect(&model, &QAbstractItemModel::modelAboutToBeReset, this, [this] { text_ = c_->currentText(); });
    connect(&model, &QAbstractItemModel::modelReset, this, [this] {
      const QSignalBlocker block(c_);
      c_->setCurrentIndex(-1);
      if (c_->isEditable()) c_->setEditText(text_);
    });
  }

 private:
  QComboBox* c_;
  QString text_;
};

// A name typed into the list is told apart from an entry picked from it:
// Qt turns the typed text into a pick of its first equal entry when the
// list loses the focus.
void WatchTyping(QComboBox* c) {
  if (c->property("molvaneWatched").toBool()) return;
  c->setProperty("molvaneWatched", true);
  if (QLineEdit* e = c->lineEdit()) {
    QObject::connect(e, &QLineEdit::textEdited, c, [c] { c->setProperty(kTyped, true); });
  }
  QObject::connect(c, &QComboBox::highlighted, c, [c] { c->setProperty(kTyped, false); });
}

}  // namespace

void ViewBodyNames(QComboBox* c, QAbstractItemModel& model) {
  WatchTyping(c);
  if (c->model() == &model) return;
  const QString text = c->currentText();
  const QSignalBlocker block(c);
  delete c->findChild<KeepTextAcrossReset*>("keepTextAcrossReset", Qt::FindDirectChildrenOnly);
  c->setModel(&model);
  c->setCurrentIndex(-1);
  if (c->isEditable()) c->setEditText(text);
  new KeepTextAcrossReset(c, model);
}

void ShowBodyEntry(QComboBox* c, const State& s, int k, int heading) {
  const QSignalBlocker block(c);
  const int row = k - 1 + heading;
  c->setCurrentIndex(k >= 1 && k <= BodyCount(s) && row < c->count() ? row : -1);
  c->setProperty(kTyped, false);
}

int16_t PickedBody(const QComboBox* c, const State& s, int heading) {
  const QString text = c->currentText();
  const int row = c->currentIndex();
  const int k = row - heading + 1;
  if (!c->property(kTyped).toBool() && row >= heading && k <= BodyCount(s) && c->itemText(row) == text &&
      Latin1(s.objname[k]) == text)
    return static_cast<int16_t>(k);
  const std::string name = Latin1Bytes(text);
  return name.empty() ? int16_t{0} : FindBodyByName(s, name);
}

}  // namespace molvane
