// The names of bodies 1..objects as one Qt model that every body list of
// every window views: row p is body p + 1. A change of the body table
// changes it once, however many lists are open, and no list keeps a copy.
#pragma once

#include <QAbstractListModel>
#include <QComboBox>
#include <QString>
#include <QStringList>
#include <memory>
#include <string>
#include <vector>

#include "engine/state.h"

namespace molvane {

class BodyNames : public QAbstractListModel {
  Q_OBJECT

 public:
  explicit BodyNames(const State& s);
  ~BodyNames() override;

  // Takes the table's names; the lists hear of it only when a name or the
  // number of bodies changed.
  void sync();
  // The same rows after one heading row (the orbit boxes' "Reference
  // Object"), shared by every list that shows that heading.
  QAbstractItemModel& headed(const QString& heading);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QString name(int row) const { return row >= 0 && row < shown_.size() ? shown_[row] : QString(); }

 private:
  class Headed;
  const State& s_;
  std::vector<std::string> names_;
  QStringList shown_;
  std::vector<std::unique_ptr<Headed>> headed_;
};

// The list views the shared names (after `heading` rows of `model` that
// are no body). Its text outlives a change of the names; which entry it
// shows is its window's to set again.
void ViewBodyNames(QComboBox* c, QAbstractItemModel& model);

// Shows body k's entry (the list's text its name), or no entry for an
// index that names no body now.
void ShowBodyEntry(QComboBox* c, const State& s, int k, int heading = 0);

// The body a pick in the list stands for: the entry picked from the
// dropped list (row p is body p + 1 - heading) while the text is still its
// name; a name typed into the list resolves as a typed name does (the last
// body of that name; an empty text names none). 0: no body.
int16_t PickedBody(const QComboBox* c, const State& s, int heading = 0);

}  // namespace molvane
