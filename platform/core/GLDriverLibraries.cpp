// Marks every loaded GL, EGL, DRI and LLVM library as never to be unloaded.
#include "platform/core/GLDriverLibraries.h"

#include <dlfcn.h>
#include <link.h>

#include <cstring>
#include <string>
#include <vector>

namespace Platform
{
namespace
{
bool IsDriverLibrary(const char* path)
{
    for (const char* part : {"libGL", "libEGL", "libgallium", "_dri.so", "libLLVM", "libglapi"})
        if (std::strstr(path, part))
            return true;
    return false;
}

int Collect(dl_phdr_info* info, size_t, void* context)
{
    if (info->dlpi_name && IsDriverLibrary(info->dlpi_name))
        static_cast<std::vector<std::string>*>(context)->push_back(info->dlpi_name);
    return 0;
}
}

void GLDriverLibraries::KeepLoaded()
{
    std::vector<std::string> loaded;
    dl_iterate_phdr(Collect, &loaded);
    for (const std::string& path : loaded)
        dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
}
}
