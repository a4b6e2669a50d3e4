// The clipper's window.
#include "platform/d3d7/GLClipper.h"

namespace Platform
{
HRESULT GLClipper::SetHWnd(DWORD, HWND window) { return window ? DD_OK : DDERR_INVALIDPARAMS; }
}
