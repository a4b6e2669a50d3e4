// The table of DirectDraw result codes and their sentences.
#include "engine/render/D3D7ErrorTexts.h"

#include "platform/d3d7/DDraw.h"

#include <iterator>

namespace VelkorEngine
{
namespace
{
#define ROW(code, sentence) D3D7ErrorTexts::Entry{code, #code, sentence}

const D3D7ErrorTexts::Entry kEntries[] = {
    ROW(DDERR_ALREADYINITIALIZED, "The object has already been initialized."),
    ROW(DDERR_BLTFASTCANTCLIP, "A DirectDrawClipper object is attached to a source surface that has passed into a "
                               "call to the IDirectDrawSurface7::BltFast method."),
    ROW(DDERR_CANNOTATTACHSURFACE, "A surface cannot be attached to another requested surface."),
    ROW(DDERR_CANNOTDETACHSURFACE, "A surface cannot be detached from another requested surface."),
    ROW(DDERR_CANTCREATEDC, "Windows cannot create any more device contexts (DCs), or a DC was requested for a "
                            "palette-indexed surface when the surface had no palette and the display mode was not "
                            "palette-indexed (in this case DirectDraw cannot select a proper palette into the DC)."),
    ROW(DDERR_CANTDUPLICATE, "Primary and 3-D surfaces, or surfaces that are implicitly created, cannot be duplicated."),
    ROW(DDERR_CANTLOCKSURFACE, "Access to this surface is refused because an attempt was made to lock the primary "
                               "surface without DCI support."),
    ROW(DDERR_CANTPAGELOCK, "An attempt to page-lock a surface failed. Page lock does not work on a display-memory "
                            "surface or an emulated primary surface."),
    ROW(DDERR_CANTPAGEUNLOCK, "An attempt to page-unlock a surface failed. Page unlock does not work on a "
                              "display-memory surface or an emulated primary surface."),
    ROW(DDERR_CLIPPERISUSINGHWND, "An attempt was made to set a clip list for a DirectDrawClipper object that is "
                                  "already monitoring a window handle."),
    ROW(DDERR_COLORKEYNOTSET, "No source color key is specified for this operation."),
    ROW(DDERR_CURRENTLYNOTAVAIL, "No support is currently available."),
    ROW(DDERR_DDSCAPSCOMPLEXREQUIRED, "New for DirectX 7.0. The surface requires the DDSCAPS_COMPLEX flag."),
    ROW(DDERR_DCALREADYCREATED, "A device context (DC) has already been returned for this surface. Only one DC can "
                                "be retrieved for each surface."),
    ROW(DDERR_DEVICEDOESNTOWNSURFACE, "Surfaces created by one DirectDraw device cannot be used directly by another "
                                      "DirectDraw device."),
    ROW(DDERR_DIRECTDRAWALREADYCREATED, "A DirectDraw object representing this driver has already been created for "
                                        "this process."),
    ROW(DDERR_EXCEPTION, "An exception was encountered while performing the requested operation."),
    ROW(DDERR_EXCLUSIVEMODEALREADYSET, "An attempt was made to set the cooperative level when it was already set to "
                                       "exclusive."),
    ROW(DDERR_EXPIRED, "The data has expired and is therefore no longer valid."),
    ROW(DDERR_GENERIC, "There is an undefined error condition."),
    ROW(DDERR_HEIGHTALIGN, "The height of the provided rectangle is not a multiple of the required alignment."),
    ROW(DDERR_HWNDALREADYSET, "The DirectDraw cooperative-level window handle has already been set. It cannot be "
                              "reset while the process has surfaces or palettes created."),
    ROW(DDERR_HWNDSUBCLASSED, "DirectDraw is prevented from restoring state because the DirectDraw cooperative-level "
                              "window handle has been subclassed."),
    ROW(DDERR_IMPLICITLYCREATED, "The surface cannot be restored because it is an implicitly created surface."),
    ROW(DDERR_INCOMPATIBLEPRIMARY, "The primary surface creation request does not match the existing primary "
                                   "surface."),
    ROW(DDERR_INVALIDCAPS, "One or more of the capability bits passed to the callback function are incorrect."),
    ROW(DDERR_INVALIDCLIPLIST, "DirectDraw does not support the provided clip list."),
    ROW(DDERR_INVALIDDIRECTDRAWGUID, "The globally unique identifier (GUID) passed to the DirectDrawCreate function "
                                     "is not a valid DirectDraw driver identifier."),
    ROW(DDERR_INVALIDMODE, "DirectDraw does not support the requested mode."),
    ROW(DDERR_INVALIDOBJECT, "DirectDraw received a pointer that was an invalid DirectDraw object."),
    ROW(DDERR_INVALIDPARAMS, "One or more of the parameters passed to the method are incorrect."),
    ROW(DDERR_INVALIDPIXELFORMAT, "The pixel format was invalid as specified."),
    ROW(DDERR_INVALIDPOSITION, "The position of the overlay on the destination is no longer legal."),
    ROW(DDERR_INVALIDRECT, "The provided rectangle was invalid."),
    ROW(DDERR_INVALIDSTREAM, "The specified stream contains invalid data."),
    ROW(DDERR_INVALIDSURFACETYPE, "The surface was of the wrong type."),
    ROW(DDERR_LOCKEDSURFACES, "One or more surfaces are locked, preventing operations that require the surfaces to "
                              "be unlocked."),
    ROW(DDERR_MOREDATA, "There is more data available than the specified buffer size can hold."),
    ROW(DDERR_NEWMODE, "New for DirectX 7.0. When IDirectDraw7::StartModeTest is called with the "
                       "DDSMT_ISTESTREQUIRED flag, it may return this value to denote that some or all of the "
                       "resolutions can and should be tested. IDirectDraw7::EvaluateMode returns this value to "
                       "indicate that the test has switched to a new display mode."),
    ROW(DDERR_NO3D, "No 3-D hardware or emulation is present."),
    ROW(DDERR_NOALPHAHW, "No alpha-acceleration hardware is present or available, causing the failure of the "
                         "requested operation."),
    ROW(DDERR_NOBLTHW, "No blitter hardware is present."),
    ROW(DDERR_NOCLIPLIST, "No clip list is available."),
    ROW(DDERR_NOCLIPPERATTACHED, "No DirectDrawClipper object is attached to the surface object."),
    ROW(DDERR_NOCOLORCONVHW, "No color-conversion hardware is present or available."),
    ROW(DDERR_NOCOLORKEY, "The surface does not currently have a color key."),
    ROW(DDERR_NOCOLORKEYHW, "There is no hardware support for the destination color key."),
    ROW(DDERR_NOCOOPERATIVELEVELSET, "A create function was called without the IDirectDraw7::SetCooperativeLevel "
                                     "method."),
    ROW(DDERR_NODC, "No device context (DC) has ever been created for this surface."),
    ROW(DDERR_NODDROPSHW, "No DirectDraw raster-operation (ROP) hardware is available."),
    ROW(DDERR_NODIRECTDRAWHW, "Hardware-only DirectDraw object creation is not possible; the driver does not support "
                              "any hardware."),
    ROW(DDERR_NODIRECTDRAWSUPPORT, "DirectDraw support is not possible with the current display driver."),
    ROW(DDERR_NODRIVERSUPPORT, "New for DirectX 7.0. Testing cannot proceed because the display adapter driver does "
                               "not enumerate refresh rates."),
    ROW(DDERR_NOEMULATION, "Software emulation is not available."),
    ROW(DDERR_NOEXCLUSIVEMODE, "The operation requires the application to have exclusive mode, but the application "
                               "does not have exclusive mode."),
    ROW(DDERR_NOFLIPHW, "Flipping visible surfaces is not supported."),
    ROW(DDERR_NOFOCUSWINDOW, "An attempt was made to create or set a device window without first setting the focus "
                             "window."),
    ROW(DDERR_NOGDI, "No GDI is present."),
    ROW(DDERR_NOHWND, "Clipper notification requires a window handle, or no window handle has been previously set "
                      "as the cooperative level window handle."),
    ROW(DDERR_NOMIPMAPHW, "No mipmap-capable texture mapping hardware is present or available."),
    ROW(DDERR_NOMIRRORHW, "No mirroring hardware is present or available."),
    ROW(DDERR_NOMONITORINFORMATION, "New for DirectX 7.0. Testing cannot proceed because the monitor has no "
                                    "associated EDID data."),
    ROW(DDERR_NONONLOCALVIDMEM, "An attempt was made to allocate nonlocal video memory from a device that does not "
                                "support nonlocal video memory."),
    ROW(DDERR_NOOPTIMIZEHW, "The device does not support optimized surfaces."),
    ROW(DDERR_NOOVERLAYDEST, "The IDirectDrawSurface7::GetOverlayPosition method is called on an overlay that the "
                             "IDirectDrawSurface7::UpdateOverlay method has not been called on to establish as a "
                             "destination."),
    ROW(DDERR_NOOVERLAYHW, "No overlay hardware is present or available."),
    ROW(DDERR_NOPALETTEATTACHED, "No palette object is attached to this surface."),
    ROW(DDERR_NOPALETTEHW, "There is no hardware support for 16- or 256-color palettes."),
    ROW(DDERR_NORASTEROPHW, "No appropriate raster-operation hardware is present or available."),
    ROW(DDERR_NOROTATIONHW, "No rotation hardware is present or available."),
    ROW(DDERR_NOSTEREOHARDWARE, "There is no stereo hardware present or available."),
    ROW(DDERR_NOSTRETCHHW, "There is no hardware support for stretching."),
    ROW(DDERR_NOSURFACELEFT, "There is no hardware present that supports stereo surfaces."),
    ROW(DDERR_NOT4BITCOLOR, "The DirectDrawSurface object is not using a 4-bit color palette, and the requested "
                            "operation requires a 4-bit color palette."),
    ROW(DDERR_NOT4BITCOLORINDEX, "The DirectDrawSurface object is not using a 4-bit color index palette, and the "
                                 "requested operation requires a 4-bit color index palette."),
    ROW(DDERR_NOT8BITCOLOR, "The DirectDrawSurface object is not using an 8-bit color palette, and the requested "
                            "operation requires an 8-bit color palette."),
    ROW(DDERR_NOTAOVERLAYSURFACE, "An overlay component is called for a nonoverlay surface."),
    ROW(DDERR_NOTEXTUREHW, "The operation cannot be carried out because no texture-mapping hardware is present or "
                           "available."),
    ROW(DDERR_NOTFLIPPABLE, "An attempt was made to flip a surface that cannot be flipped."),
    ROW(DDERR_NOTFOUND, "The requested item was not found."),
    ROW(DDERR_NOTINITIALIZED, "An attempt was made to call an interface method of a DirectDraw object created by "
                              "CoCreateInstance before the object was initialized."),
    ROW(DDERR_NOTLOADED, "The surface is an optimized surface, but it has not yet been allocated any memory."),
    ROW(DDERR_NOTLOCKED, "An attempt was made to unlock a surface that was not locked."),
    ROW(DDERR_NOTPAGELOCKED, "An attempt was made to page-unlock a surface with no outstanding page locks."),
    ROW(DDERR_NOTPALETTIZED, "The surface being used is not a palette-based surface."),
    ROW(DDERR_NOVSYNCHW, "There is no hardware support for vertical blank-synchronized operations."),
    ROW(DDERR_NOZBUFFERHW, "The operation to create a z-buffer in display memory or to perform a blit, using a "
                           "z-buffer cannot be carried out because there is no hardware support for z-buffers."),
    ROW(DDERR_NOZOVERLAYHW, "The overlay surfaces cannot be z-layered, based on the z-order because the hardware does "
                            "not support z-ordering of overlays."),
    ROW(DDERR_OUTOFCAPS, "The hardware needed for the requested operation has already been allocated."),
    ROW(DDERR_OUTOFMEMORY, "DirectDraw does not have enough memory to perform the operation."),
    ROW(DDERR_OUTOFVIDEOMEMORY, "DirectDraw does not have enough display memory to perform the operation."),
    ROW(DDERR_OVERLAPPINGRECTS, "The source and destination rectangles are on the same surface and overlap each "
                                "other."),
    ROW(DDERR_OVERLAYCANTCLIP, "The hardware does not support clipped overlays."),
    ROW(DDERR_OVERLAYCOLORKEYONLYONEACTIVE, "An attempt was made to have more than one color key active on an "
                                            "overlay."),
    ROW(DDERR_OVERLAYNOTVISIBLE, "The IDirectDrawSurface7::GetOverlayPosition method was called on a hidden "
                                 "overlay."),
    ROW(DDERR_PALETTEBUSY, "Access to this palette is refused because the palette is locked by another thread."),
    ROW(DDERR_PRIMARYSURFACEALREADYEXISTS, "This process has already created a primary surface."),
    ROW(DDERR_REGIONTOOSMALL, "The region passed to the IDirectDrawClipper::GetClipList method is too small."),
    ROW(DDERR_SURFACEALREADYATTACHED, "An attempt was made to attach a surface to another surface to which it is "
                                      "already attached."),
    ROW(DDERR_SURFACEALREADYDEPENDENT, "An attempt was made to make a surface a dependency of another surface on "
                                       "which it is already dependent."),
    ROW(DDERR_SURFACEBUSY, "Access to the surface is refused because the surface is locked by another thread."),
    ROW(DDERR_SURFACEISOBSCURED, "Access to the surface is refused because the surface is obscured."),
    ROW(DDERR_SURFACELOST, "Access to the surface is refused because the surface memory is gone. Call the "
                           "IDirectDrawSurface7::Restore method on this surface to restore the memory associated with "
                           "it."),
    ROW(DDERR_SURFACENOTATTACHED, "The requested surface is not attached."),
    ROW(DDERR_TESTFINISHED, "New for DirectX 7.0. When returned by the IDirectDraw7::StartModeTest method, this value "
                            "means that no test could be initiated because all the resolutions chosen for testing "
                            "already have refresh rate information in the registry. When returned by "
                            "IDirectDraw7::EvaluateMode, the value means that DirectDraw has completed a refresh rate "
                            "test."),
    ROW(DDERR_TOOBIGHEIGHT, "The height requested by DirectDraw is too large."),
    ROW(DDERR_TOOBIGSIZE, "The size requested by DirectDraw is too large. However, the individual height and width "
                          "are valid sizes."),
    ROW(DDERR_TOOBIGWIDTH, "The width requested by DirectDraw is too large."),
    ROW(DDERR_UNSUPPORTED, "The operation is not supported."),
    ROW(DDERR_UNSUPPORTEDFORMAT, "The pixel format requested is not supported by DirectDraw."),
    ROW(DDERR_UNSUPPORTEDMASK, "The bitmask in the pixel format requested is not supported by DirectDraw."),
    ROW(DDERR_UNSUPPORTEDMODE, "The display is currently in an unsupported mode."),
    ROW(DDERR_VERTICALBLANKINPROGRESS, "A vertical blank is in progress."),
    ROW(DDERR_VIDEONOTACTIVE, "The video port is not active."),
    ROW(DDERR_WASSTILLDRAWING, "The previous blit operation that is transferring information to or from this surface "
                               "is incomplete."),
    ROW(DDERR_WRONGMODE, "This surface cannot be restored because it was created in a different mode."),
    ROW(DDERR_XALIGN, "The provided rectangle was not horizontally aligned on a required boundary."),
};

#undef ROW
}

const char* D3D7ErrorTexts::Find(i32 code)
{
    for (const Entry& entry : kEntries)
        if (entry.code == code)
            return entry.sentence;
    return nullptr;
}

std::size_t D3D7ErrorTexts::Count() { return std::size(kEntries); }

const D3D7ErrorTexts::Entry& D3D7ErrorTexts::At(std::size_t index) { return kEntries[index]; }
}
