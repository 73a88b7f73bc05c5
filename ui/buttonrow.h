// The row of buttons at the foot of a dialog, to the right.
#pragma once

#include <QBoxLayout>
#include <QPushButton>
#include <initializer_list>

namespace molvane {

inline void AddButtonRow(QBoxLayout* outer, std::initializer_list<QPushButton*> buttons) {
  auto* row = new QHBoxLayout;
  row->addStretch();
  for (QPushButton* b : buttons) row->addWidget(b);
  outer->addLayout(row);
}

}  // namespace molvane
