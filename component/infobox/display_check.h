// Whether a QApplication can be made in this process without Qt aborting it.
#ifndef QUANDOR_INFOBOX_DISPLAY_CHECK_H_
#define QUANDOR_INFOBOX_DISPLAY_CHECK_H_

namespace quandor::infobox {

// True when QT_QPA_PLATFORM names a platform that needs no window system
// (offscreen, minimal, ...), or the window system that Qt would use answers:
// an X server at DISPLAY (probed with a real connection, since Qt aborts the
// process when it cannot connect), or a Wayland compositor named by
// WAYLAND_DISPLAY.
bool DisplayAvailable();

}  // namespace quandor::infobox

#endif  // QUANDOR_INFOBOX_DISPLAY_CHECK_H_
