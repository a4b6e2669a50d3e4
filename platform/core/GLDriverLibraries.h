// The GL driver's libraries stay loaded for the rest of the process once a context has been made: SDL unloads
// them whenever its video system stops, and loading the driver again (its compiler included) is slow. It also
// keeps the driver's own allocations attributable to its libraries in leak reports.
#pragma once

namespace Platform
{
class GLDriverLibraries
{
public:
    static void KeepLoaded();
};
}
