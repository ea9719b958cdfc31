/* The one entry point of the info box module (libquandor_infobox.so), which the
 * core library loads with dlopen on first use so that it never links Qt itself. */
#ifndef QUANDOR_INFOBOX_INFOBOX_ABI_H_
#define QUANDOR_INFOBOX_INFOBOX_ABI_H_

#ifdef __cplusplus
extern "C" {
#endif

/* File name of the module; it lies in the directory of the library that loads it. */
#define QUANDOR_INFOBOX_MODULE "libquandor_infobox.so"
/* Name of the exported QuandorShowInfoBoxFn. */
#define QUANDOR_INFOBOX_SHOW "quandor_infobox_show"

/* What the info box shows besides its fixed title, as UTF-8 texts owned by the
 * caller for the duration of the call. */
struct QuandorInfoTexts {
  const char* file_description; /* Label2 */
  const char* copyright_notice; /* Label3, "Copyright ..." */
  const char* version;          /* Label4 after "Version: ", "major.minor.revision" */
  const char* comments;         /* Label5 */
  const char* data_edition;     /* Label6, the bank code file's edition */
};

/* Fills the calling thread's info box (created on first use, kept hidden between
 * uses) and shows it modally until the user closes it; returns 1 then.
 *
 * Returns 0 at once, showing nothing, when no window can be shown from this
 * thread: the host runs a QApplication in another thread, or runs a Qt
 * application without widgets, or has none and no display is reachable (none
 * of DISPLAY, WAYLAND_DISPLAY and QT_QPA_PLATFORM names one). A QApplication
 * of the host is used; without one the module makes its own and keeps it. */
typedef int QuandorShowInfoBoxFn(const struct QuandorInfoTexts* texts);

#ifdef __cplusplus
}
#endif

#endif /* QUANDOR_INFOBOX_INFOBOX_ABI_H_ */
