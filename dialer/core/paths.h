/* Short (8.3) and long forms of paths, converted one component at a time
 * by asking the file system about each prefix of the path. */
#ifndef TOVA_PATHS_H
#define TOVA_PATHS_H

#include <windows.h>

/* Both conversions work on paths of at most 259 characters. The output
 * gets the whole result when outSize is 260 or more, else at most
 * outSize - 1 characters and a terminating zero. */

/* Replaces every component after the first backslash by its short name
 * (or its stored name when it has no separate short one). A prefix the
 * file system does not find ends the conversion: the output is the path up
 * to and including that component. 1 when at least one component was
 * found, else 0; a path without a backslash is returned unchanged with 0. */
int ToShortPath(const char *path, char *out, int outSize);
/* Expands the components that contain a "~" to their long names, left to
 * right, each at most once. A prefix the file system does not find ends
 * the conversion as above. 1 when at least one component was expanded. */
int ToLongPath(const char *path, char *out, int outSize);

#endif
