/* Preloaded into the program by startup_fault_test.py: opening the settings store
 * faults, as a broken system library would, before the window exists. */
#include <stddef.h>

struct sqlite3;

int sqlite3_open_v2(const char* name, struct sqlite3** db, int flags, const char* vfs) {
    (void)name;
    (void)flags;
    (void)vfs;
    *db = NULL;
    *(volatile int*)NULL = 0;
    return 1;
}
