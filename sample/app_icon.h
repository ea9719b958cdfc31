// The check window's icon, drawn at run time: the program keeps no files of its own.
#ifndef QUANDOR_SAMPLE_APP_ICON_H_
#define QUANDOR_SAMPLE_APP_ICON_H_

#include <QIcon>

namespace sample {

QIcon QuandorIcon();

}  // namespace sample

#endif  // QUANDOR_SAMPLE_APP_ICON_H_
