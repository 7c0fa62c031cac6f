// Quintara trading SDK: common definitions of the public interface.
#ifndef QUINTARA_DEFINE_H
#define QUINTARA_DEFINE_H

// Symbols of the library are hidden by default; only what carries QUINTARA_API is exported.
#if defined(__GNUC__) || defined(__clang__)
#define QUINTARA_API __attribute__((visibility("default")))
#else
#define QUINTARA_API
#endif

// Every text member of the public structs: a NUL-terminated UTF-8 text of at most 255 bytes.
#define QUINTARA_TEXT_SIZE 256

#endif  // QUINTARA_DEFINE_H
