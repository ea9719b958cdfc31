#include "display_check.h"

#include <dlfcn.h>

#include <QByteArray>
#include <QByteArrayList>
#include <QtGlobal>

namespace quandor::infobox {
namespace {

// libxcb is opened at run time, not linked: Qt's xcb platform plugin loads it
// anyway, and without it no X connection could be made.
bool X11ServerAnswers() {
  if (qEnvironmentVariableIsEmpty("DISPLAY")) return false;
  void* xcb = dlopen("libxcb.so.1", RTLD_NOW | RTLD_LOCAL);
  if (xcb == nullptr) return false;
  using Connect = void* (*)(const char*, int*);
  using HasError = int (*)(void*);
  using Disconnect = void (*)(void*);
  auto connect = reinterpret_cast<Connect>(dlsym(xcb, "xcb_connect"));
  auto has_error = reinterpret_cast<HasError>(dlsym(xcb, "xcb_connection_has_error"));
  auto disconnect = reinterpret_cast<Disconnect>(dlsym(xcb, "xcb_disconnect"));
  bool answers = false;
  if (connect != nullptr && has_error != nullptr && disconnect != nullptr) {
    void* connection = connect(nullptr, nullptr);  // never null: failures come back as state
    answers = has_error(connection) == 0;
    disconnect(connection);
  }
  dlclose(xcb);
  return answers;
}

bool WaylandNamed() { return !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"); }

bool PlatformAvailable(const QByteArray& name) {
  if (name.startsWith("xcb")) return X11ServerAnswers();
  if (name.startsWith("wayland")) return WaylandNamed();
  return true;
}

}  // namespace

bool DisplayAvailable() {
  const QByteArray platforms = qgetenv("QT_QPA_PLATFORM");
  if (platforms.isEmpty()) return WaylandNamed() || X11ServerAnswers();
  // Qt tries the entries of a list such as "wayland;xcb" in turn.
  for (const QByteArray& name : platforms.split(';')) {
    if (!name.isEmpty() && PlatformAvailable(name)) return true;
  }
  return false;
}

}  // namespace quandor::infobox
