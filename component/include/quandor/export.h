/// @file
/// Symbol visibility of the quandorlib shared library.
#ifndef QUANDOR_EXPORT_H_
#define QUANDOR_EXPORT_H_

#if defined(QUANDOR_BUILDING_LIBRARY)
#define QUANDOR_EXPORT __attribute__((visibility("default")))
#else
#define QUANDOR_EXPORT
#endif

#endif  // QUANDOR_EXPORT_H_
