#include "info_box.h"

namespace quandor {

// TODO: not built yet.
void ShowInfoBox() {}

}  // namespace quandor
