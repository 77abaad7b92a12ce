/* The file and memory services through which the cabinet decompressor
 * reads cabinets and writes the files it unpacks. */
#ifndef TOVA_CABSYSTEM_H
#define TOVA_CABSYSTEM_H

#include <windows.h>
#include <mspack.h>

struct CabSystem {
    struct mspack_system base;   /* first member: the decompressor hands it back */
    /* The cabinet entry being unpacked: the file written for it takes the
     * entry's date and time. None between entries. */
    const struct mscabd_file *entry;
};

void InitCabSystem(struct CabSystem *system);

#endif
