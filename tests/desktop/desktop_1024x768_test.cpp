// Window places on a small desktop, openbox on a 1024 x 768 screen.
#include <gtest/gtest.h>

#include "desktop_support.h"

namespace molvane {
namespace {

TEST(SmallDesktop, AMainWindowRecordedOnALargerScreenComesBackWhole) { ExpectLargerScreenRecordComesBackWhole(); }

}  // namespace
}  // namespace molvane
