// An editable drop-down list that keeps exactly the text typed into it: no
// inline completion and no case-folding match when editing ends, while
// picking an entry still fills the box. Every editable list is made here.
#pragma once

#include <QComboBox>
#include <QLineEdit>

namespace molvane {

inline void MakeEditableList(QComboBox* c) {
  // A line edit of its own rather than setEditable(true), which would make
  // the list's drop-down window at once: the boxes hold hundreds of lists,
  // and each drop-down now waits until the list is first dropped.
  auto* edit = new QLineEdit(c);
  edit->setPalette(c->palette());
  c->setLineEdit(edit);  // gives the line edit a completer
  c->setInsertPolicy(QComboBox::NoInsert);
  c->setCompleter(nullptr);
}

}  // namespace molvane
