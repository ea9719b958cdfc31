// The component's info box, shown by ShowInfo of Banking and Creditcard.
#ifndef QUANDOR_INFO_BOX_H_
#define QUANDOR_INFO_BOX_H_

namespace quandor {

// Shows the calling thread's info box modally (one per thread, made on first
// use, hidden by OK and shown again by the next call) and returns true when
// the user has closed it.
//
// The window lives in the module libquandor_infobox.so, loaded on first use
// from the directory of this library or, installed, its subdirectory quandor/
// (ShippedFileDirectory), so that hosts that never call this load
// no GUI library. Returns false at once, without effect, when the module
// cannot be loaded or no window can be shown: no display reachable and no
// QApplication in the host, or a QApplication that runs in another thread.
bool ShowInfoBox();

}  // namespace quandor

#endif  // QUANDOR_INFO_BOX_H_
