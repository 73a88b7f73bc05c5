// An editable drop-down list that keeps exactly the text typed into it: no
// inline completion and no case-folding match when editing ends, while
// picking an entry still fills the box. Every editable list is made here.
#pragma once

#include <QComboBox>
#include <QSignalBlocker>
#include <QStringList>

namespace molvane {

inline void MakeEditableList(QComboBox* c) {
  c->setEditable(true);  // makes a fresh line edit with a completer
  c->setInsertPolicy(QComboBox::NoInsert);
  c->setCompleter(nullptr);
}

// Fills a list anew with `entries`, selecting none. An editable list keeps
// its text only when that is one of the entries: a name typed, or one of a
// body that has gone, does not outlive the refill.
inline void RefillEditableList(QComboBox* c, const QStringList& entries) {
  const QString text = c->currentText();
  const QSignalBlocker block(c);
  c->clear();
  c->addItems(entries);
  c->setCurrentIndex(-1);
  if (c->isEditable()) c->setEditText(entries.contains(text) ? text : QString());
}

}  // namespace molvane
