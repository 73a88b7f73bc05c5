// The window-place tests run on a real X server with a real window manager:
// this program starts its own Xvfb on a free display and openbox on it,
// waits until openbox frames a window, runs the tests and stops both.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

pid_t Spawn(const std::vector<std::string>& args) {
  const pid_t pid = fork();
  if (pid == 0) {
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execvp(argv[0], argv.data());
    _exit(127);
  }
  return pid;
}

bool Running(pid_t pid) { return waitpid(pid, nullptr, WNOHANG) == 0; }

void Stop(pid_t pid) {
  if (pid <= 0) return;
  kill(pid, SIGTERM);
  waitpid(pid, nullptr, 0);
}

// Xvfb on the first display from a start of this process's own that no
// other server holds; its number, or -1.
int StartXvfb(pid_t& server) {
  for (int n = 100 + getpid() % 300, tries = 0; tries < 50; ++n, ++tries) {
    if (QFile::exists(QString("/tmp/.X%1-lock").arg(n))) continue;
    server = Spawn({"Xvfb", ":" + std::to_string(n), "-screen", "0", MOLVANE_DESKTOP_SCREEN "x24", "-nolisten", "tcp"});
    for (int wait = 0; wait < 100 && Running(server); ++wait) {
      if (QFile::exists(QString("/tmp/.X11-unix/X%1").arg(n))) return n;
      usleep(50000);
    }
    Stop(server);
  }
  return -1;
}

// Qt reads what the window manager supports when it connects: wait until
// openbox has announced itself on the root window first.
bool WaitForWindowManager(pid_t wm) {
  xcb_connection_t* c = xcb_connect(nullptr, nullptr);
  bool up = false;
  if (!xcb_connection_has_error(c)) {
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const char name[] = "_NET_SUPPORTING_WM_CHECK";
    xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, sizeof name - 1, name), nullptr);
    for (int wait = 0; atom && !up && wait < 200 && Running(wm); ++wait) {
      xcb_get_property_reply_t* r =
          xcb_get_property_reply(c, xcb_get_property(c, 0, root, atom->atom, XCB_ATOM_WINDOW, 0, 1), nullptr);
      up = r && xcb_get_property_value_length(r) == 4;
      free(r);
      if (!up) usleep(50000);
    }
    free(atom);
  }
  xcb_disconnect(c);
  return up;
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (::testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();
  QTemporaryDir data;
  qputenv("XDG_DATA_HOME", QFile::encodeName(data.path()));
  pid_t server = 0;
  const int display = StartXvfb(server);
  if (display < 0) {
    std::fprintf(stderr, "Xvfb did not start (is the xvfb package installed?)\n");
    return 1;
  }
  qputenv("DISPLAY", QByteArray(":") + QByteArray::number(display));
  qputenv("QT_QPA_PLATFORM", "xcb");
  const pid_t wm = Spawn({"openbox", "--sm-disable"});
  int result = 1;
  if (!WaitForWindowManager(wm)) {
    std::fprintf(stderr, "openbox did not start (is the openbox package installed?)\n");
  } else {
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName("molvane");
    // The window manager is up once it frames a window; one mapped while
    // it was still starting may stay unframed, so map it again.
    QWidget probe;
    bool framed = false;
    for (int attempt = 0; attempt < 4 && !framed; ++attempt) {
      probe.show();
      framed = QTest::qWaitFor([&] { return probe.frameGeometry() != probe.geometry(); }, 3000);
      probe.hide();
    }
    if (framed) {
      result = RUN_ALL_TESTS();
    } else {
      std::fprintf(stderr, "openbox did not frame a window\n");
    }
  }
  Stop(wm);
  Stop(server);
  return result;
}
