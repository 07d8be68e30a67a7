#include "soak/process_usage.h"

#include <dirent.h>
#include <fstream>
#include <unistd.h>

ProcessUsage processUsage()
{
    ProcessUsage usage;
    long sizePages = 0, residentPages = 0;
    if (std::ifstream statm("/proc/self/statm"); statm >> sizePages >> residentPages)
        usage.residentKiB = residentPages * (::sysconf(_SC_PAGESIZE) / 1024);
    // The listing's own descriptor is not counted.
    if (DIR* dir = ::opendir("/proc/self/fd")) {
        while (const dirent* entry = ::readdir(dir))
            if (entry->d_name[0] != '.')
                ++usage.openFiles;
        ::closedir(dir);
        --usage.openFiles;
    }
    return usage;
}
