// From SDL events to input-device terms: key codes by key position, mouse buttons in device order, and the
// record buffer a device fills between two reads.
#pragma once

#include "platform/dinput7/DirectInput.h"
#include "platform/win32/WindowApi.h"

#include <SDL.h>

#include <deque>

namespace Platform
{
// The device key code of a key position; 0 for keys the keyboard device does not report.
DWORD KeyCodeFromScancode(SDL_Scancode scancode);

// Device button number (left, right, middle, then the side buttons); -1 for buttons beyond the eighth.
int MouseButtonFromSdl(Uint8 button);

// Wheel movement of one wheel event, in wheel units (120 per notch), positive away from the user.
std::int32_t WheelUnits(const SDL_MouseWheelEvent& wheel);

class DeviceRecordBuffer
{
public:
    void SetCapacity(DWORD capacity);
    DWORD GetCapacity() const { return m_capacity; }

    // A record that does not fit is lost, and the next Take reports the overflow. The cursor position is a button
    // record's own (screen coordinates); other records leave it at the origin.
    void Add(DWORD offset, DWORD data, DWORD timeStamp, POINT cursor = POINT{0, 0});
    // Movement joins the record of the same axis among the trailing movement records, so that a fast mouse
    // fills no more than one record per axis between two button or wheel records.
    void AddMotion(DWORD offset, std::int32_t amount, DWORD timeStamp);

    // Moves up to *count records out, oldest first; DI_BUFFEROVERFLOW once after records were lost.
    HRESULT Take(DIDEVICEOBJECTDATA* records, DWORD* count);
    void Clear();

private:
    std::deque<DIDEVICEOBJECTDATA> m_records;
    DWORD m_capacity = 0;
    DWORD m_sequence = 0;
    bool m_overflow = false;
};
}
