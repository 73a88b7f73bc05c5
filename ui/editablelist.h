// An editable drop-down list that keeps exactly the text typed into it: no
// inline completion and no case-folding match when editing ends, while
// picking an entry still fills the box. Every editable list is made here.
#pragma once

#include <QComboBox>

namespace molvane {

inline void MakeEditableList(QComboBox* c) {
  c->setEditable(true);  // makes a fresh line edit with a completer
  c->setInsertPolicy(QComboBox::NoInsert);
  c->setCompleter(nullptr);
}

}  // namespace molvane
