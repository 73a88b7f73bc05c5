// A group of option buttons kept as an array, as the unit choices of the
// body editors are.
#pragma once

#include <QRadioButton>
#include <array>
#include <cstddef>

namespace molvane {

// The place of the checked option in the group; 0 when none is.
template <size_t N>
int Chosen(const std::array<QRadioButton*, N>& group) {
  for (size_t k = 0; k < N; ++k) {
    if (group[k] && group[k]->isChecked()) return static_cast<int>(k);
  }
  return 0;
}

}  // namespace molvane
