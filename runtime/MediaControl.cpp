#include "runtime/MediaControl.h"

#include "data/FileLog.h"
#include "data/NameFolding.h"

#include <digitalv.h>

namespace {

const char kUnit[] = "MediaControl";

bool IsVisualDeviceType(DWORD type)
{
    return type == MCI_DEVTYPE_VCR || type == MCI_DEVTYPE_OVERLAY || type == MCI_DEVTYPE_ANIMATION ||
           type == MCI_DEVTYPE_DIGITAL_VIDEO;
}

} // namespace

CMMPlayer::CMMPlayer(MciSendCommandFn send) : SendCommand(send) {}

CMMPlayer::~CMMPlayer()
{
    // Whatever an earlier Stop or Close was told, a device still open goes with its player.
    Close(1);
}

bool CMMPlayer::Send(UINT message, DWORD flags, void* params)
{
    return SendCommand(DeviceId, message, flags, reinterpret_cast<DWORD_PTR>(params)) == 0;
}

int CMMPlayer::Open(const std::string& fileName, HWND window)
{
    if (fileName.empty())
        return 0;
    if (Opened) {
        Close(1);
        // Opening over a device that would not close would lose it for good.
        if (Opened) {
            ZELT_LOG(kUnit, "%.200s not opened: %.200s is still open", fileName.c_str(), Name_.c_str());
            return 0;
        }
    }
    NotifyWindow = window;
    // The name is handed over as it is: MCI picks the device from the file.
    MCI_OPEN_PARMSA params = {};
    params.lpstrElementName = fileName.c_str();
    if (SendCommand(0, MCI_OPEN, MCI_OPEN_ELEMENT | MCI_WAIT, reinterpret_cast<DWORD_PTR>(&params)) != 0)
        return 0;
    Opened = 1;
    Name_ = LowerAZ(fileName);
    DeviceId = params.wDeviceID;
    ReadDeviceCaps();
    if (HasVideo_ && window)
        SetDisplayWindow(window);
    return 1;
}

void CMMPlayer::Close(int sendClose)
{
    // A flag of 0 leaves the device open for the destructor.
    if (!Opened || !sendClose)
        return;
    MCI_GENERIC_PARMS params = {};
    if (!Send(MCI_CLOSE, MCI_WAIT, &params)) {
        // The identifier is kept: a later Close or the destructor tries again.
        ZELT_LOG(kUnit, "could not close %.200s", Name_.c_str());
        return;
    }
    Opened = 0;
    DeviceId = 0;
}

int CMMPlayer::SetDisplayWindow(HWND window)
{
    if (!window || !Opened || !HasVideo_)
        return 0;
    MCI_DGV_WINDOW_PARMSA params = {};
    params.hWnd = window;
    if (!Send(MCI_WINDOW, MCI_DGV_WINDOW_HWND | MCI_WAIT, &params))
        return 0;
    DisplayWindow = window;
    return 1;
}

DWORD CMMPlayer::DeviceCap(DWORD item)
{
    MCI_GETDEVCAPS_PARMS params = {};
    params.dwItem = item;
    return Send(MCI_GETDEVCAPS, MCI_GETDEVCAPS_ITEM | MCI_WAIT, &params) ? params.dwReturn : 0;
}

void CMMPlayer::ReadDeviceCaps()
{
    CanPlay = DeviceCap(MCI_GETDEVCAPS_CAN_PLAY);
    CanRecord = DeviceCap(MCI_GETDEVCAPS_CAN_RECORD);
    CanEject = DeviceCap(MCI_GETDEVCAPS_CAN_EJECT);
    HasVideo_ = DeviceCap(MCI_GETDEVCAPS_HAS_VIDEO);
    DeviceType = DeviceCap(MCI_GETDEVCAPS_DEVICE_TYPE);
    Visual = IsVisualDeviceType(DeviceType) ? 1 : 0;
    // Devices without a picture refuse the query; their source size stays 0 x 0.
    MCI_DGV_RECT_PARMS where = {};
    if (!Send(MCI_WHERE, MCI_DGV_WHERE_SOURCE, &where))
        where.rc = RECT{};
    SourceWidth_ = where.rc.right - where.rc.left;
    SourceHeight_ = where.rc.bottom - where.rc.top;
}

DWORD CMMPlayer::Status(DWORD item, DWORD notOpen)
{
    if (!Opened)
        return notOpen;
    MCI_STATUS_PARMS params = {};
    params.dwItem = item;
    return Send(MCI_STATUS, MCI_STATUS_ITEM | MCI_WAIT, &params) ? static_cast<DWORD>(params.dwReturn) : notOpen;
}

DWORD CMMPlayer::GetPosition()
{
    return Status(MCI_STATUS_POSITION, 0xFFFFFFFFu);
}

DWORD CMMPlayer::GetLength()
{
    return Status(MCI_STATUS_LENGTH, 0xFFFFFFFFu);
}

DWORD CMMPlayer::GetMode()
{
    return Status(MCI_STATUS_MODE, 0);
}

bool CMMPlayer::SeekToStart()
{
    if (!Opened)
        return false;
    MCI_SEEK_PARMS params = {};
    return Send(MCI_SEEK, MCI_SEEK_TO_START | MCI_WAIT, &params);
}

int CMMPlayer::Play()
{
    if (!Opened)
        return 0;
    if (RewindBeforePlay || GetLength() == GetPosition())
        SeekToStart();
    MCI_PLAY_PARMS params = {};
    params.dwCallback = reinterpret_cast<DWORD_PTR>(NotifyWindow);
    return Send(MCI_PLAY, MCI_NOTIFY, &params) ? 1 : 0;
}

int CMMPlayer::Pause()
{
    if (!Opened)
        return 0;
    MCI_GENERIC_PARMS params = {};
    return Send(MCI_PAUSE, MCI_WAIT, &params) ? 1 : 0;
}

int CMMPlayer::Resume()
{
    if (!Opened)
        return 0;
    MCI_GENERIC_PARMS params = {};
    if (!Send(MCI_RESUME, MCI_NOTIFY, &params))
        return Play();
    return 1;
}

int CMMPlayer::TogglePause()
{
    if (!Opened)
        return 0;
    switch (GetMode()) {
    case MCI_MODE_PLAY:
        return Pause();
    case MCI_MODE_PAUSE:
        return Resume();
    default:
        return 1;
    }
}

int CMMPlayer::Stop(int sendStop)
{
    if (!Opened)
        return 0;
    if (!sendStop)
        return 1;
    MCI_GENERIC_PARMS params = {};
    return Send(MCI_STOP, MCI_WAIT, &params) ? 1 : 0;
}

int CMMPlayer::PutDestination(int left, int top, int width, int height)
{
    if (!Opened || !HasVideo_)
        return 0;
    MCI_DGV_PUT_PARMS params = {};
    if (width && height)
        params.rc = RECT{left, top, width, height};
    else
        GetClientRect(DisplayWindow, &params.rc);
    return Send(MCI_PUT, MCI_DGV_PUT_DESTINATION | MCI_DGV_RECT, &params) ? 1 : 0;
}

MCI_AREA CMMPlayer::GetDestination()
{
    MCI_AREA area = {100, 100, 200, 200};
    MCI_DGV_RECT_PARMS where = {};
    if (Opened && HasVideo_ && Send(MCI_WHERE, MCI_DGV_WHERE_DESTINATION, &where))
        area = MCI_AREA{where.rc.left, where.rc.top, where.rc.right, where.rc.bottom};
    return area;
}
