// The component's info box, shown by ShowInfo of Banking and Creditcard.
#ifndef QUANDOR_INFO_BOX_H_
#define QUANDOR_INFO_BOX_H_

namespace quandor {

// Shows the thread's info box modally and returns when the user closed it.
// Returns at once when the GUI module cannot be loaded or no display is available.
void ShowInfoBox();

}  // namespace quandor

#endif  // QUANDOR_INFO_BOX_H_
