/* The configuration of expat 2.5.0 for rovalto, written by hand in place of
   the one its own CMake or configure would generate: the same for the
   native program and rovalto.exe, so that both parse alike. */
#ifndef EXPAT_CONFIG_H
#define EXPAT_CONFIG_H

/* x86-64 and every other target rovalto is built for: little endian. */
#define BYTEORDER 1234

#define HAVE_FCNTL_H 1
#define HAVE_INTTYPES_H 1
#define HAVE_MEMORY_H 1
#define HAVE_STDINT_H 1
#define HAVE_STDLIB_H 1
#define HAVE_STRING_H 1
#define HAVE_SYS_STAT_H 1
#define HAVE_SYS_TYPES_H 1

/* The salt of expat's hash tables, against crafted collisions: Linux's
   getrandom (glibc 2.25 and later); on Windows expat takes rand_s. */
#ifndef _WIN32
#  define HAVE_GETRANDOM 1
#  define HAVE_UNISTD_H 1
#  define HAVE_GETPAGESIZE 1
#endif

/* Bytes of context kept before the current token, as expat's default. */
#define XML_CONTEXT_BYTES 1024

/* Neither DTDs beyond the internal subset (no parameter entities, no
   external subset is ever read) nor namespaces: GPX needs none of them. */
#undef XML_DTD
#undef XML_NS

#endif
