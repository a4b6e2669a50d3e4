// The controls read from the system keyboard and mouse through DirectInput 7: buffered records when the
// devices accept a buffer, their immediate state otherwise, turned into held states, latches and movement.
#pragma once

#include "engine/input/Controls.h"

#include <map>
#include <memory>
#include <string>

class IDirectInput7;
class IDirectInputDevice7;
struct DIDEVICEOBJECTDATA;
struct DIDATAFORMAT;
struct GUID;

namespace VelkorEngine
{
class Controls_DI7 : public Controls
{
public:
    Controls_DI7(MessageManager* log, TimerManager* timerManager, Window* window, bool buffered);
    ~Controls_DI7() override;

    void Update() override;
    void ClearPressed() override;

    // The one way in which device reports reach the held states and latches.
    void SetControlState(const std::string& name, bool down);

    bool IsKeyboardBuffered() const { return m_keyboardBuffered != 0; }
    bool IsMouseBuffered() const { return m_mouseBuffered != 0; }

private:
    struct Release
    {
        void operator()(IDirectInput7* directInput) const;
        void operator()(IDirectInputDevice7* device) const;
    };
    using DevicePointer = std::unique_ptr<IDirectInputDevice7, Release>;

    // The texts that tell one device's set-up from the other's in the log.
    struct DeviceTexts
    {
        const char* title;
        const char* obtaining;
        const char* obtainFailure;
    };

    DevicePointer OpenDevice(const GUID& device, const DIDATAFORMAT& format, u32 bufferSize, u8& buffered,
                             const DeviceTexts& texts);
    void FillTables();
    void ReadKeyboard();
    void ReadKeyboardState();
    void ReadMouse();
    void ReadMouseState(bool takeAxes);
    void SetMouseButtonState(u32 button, bool down, const Vector2& clientPosition);
    Vector2 ClientPositionOf(const DIDEVICEOBJECTDATA& record) const;
    void Reacquire(IDirectInputDevice7& device, const char* failure, bool& failureLogged);

    std::unique_ptr<IDirectInput7, Release> m_directInput;
    DevicePointer m_keyboard;
    DevicePointer m_mouse;
    std::map<std::string, u32> m_codes;
    std::map<u32, std::string> m_namesByCode;
    u8 m_keyboardBuffered = 0;
    u8 m_mouseBuffered = 0;
    bool m_keyboardAcquireFailureLogged = false;
    bool m_mouseAcquireFailureLogged = false;
};
}
