#include "FakeMci.h"

#include <digitalv.h>

#include <algorithm>

FakeMci* FakeMci::Current = nullptr;

bool FakeMci::Sent(UINT message) const
{
    return std::any_of(Commands.begin(), Commands.end(), [&](const FakeMciCommand& c) { return c.Message == message; });
}

std::vector<UINT> FakeMci::Messages() const
{
    std::vector<UINT> out;
    for (const auto& c : Commands)
        out.push_back(c.Message);
    return out;
}

MCIERROR WINAPI FakeMci::Send(MCIDEVICEID device, UINT message, DWORD_PTR flags, DWORD_PTR params)
{
    FakeMci& mci = *Current;
    mci.Commands.push_back({device, message, static_cast<DWORD>(flags)});
    if (mci.Refused.count(message))
        return MCIERR_UNSUPPORTED_FUNCTION;
    if (message != MCI_OPEN && !mci.Open.count(device))
        return MCIERR_INVALID_DEVICE_ID;
    return mci.Answer(device, message, static_cast<DWORD>(flags), params);
}

MCIERROR FakeMci::Answer(MCIDEVICEID device, UINT message, DWORD flags, DWORD_PTR params)
{
    switch (message) {
    case MCI_OPEN: {
        auto* open = reinterpret_cast<MCI_OPEN_PARMSA*>(params);
        OpenedName = open->lpstrElementName;
        open->wDeviceID = NextId++;
        Open.insert(open->wDeviceID);
        Opens.push_back(open->wDeviceID);
        return 0;
    }
    case MCI_CLOSE:
        Open.erase(device);
        Closes.push_back(device);
        return 0;
    case MCI_GETDEVCAPS: {
        auto* caps = reinterpret_cast<MCI_GETDEVCAPS_PARMS*>(params);
        caps->dwReturn = caps->dwItem == MCI_GETDEVCAPS_DEVICE_TYPE ? DeviceType
                         : caps->dwItem == MCI_GETDEVCAPS_HAS_VIDEO ? HasVideo
                                                                    : 1;
        return 0;
    }
    case MCI_WHERE:
    case MCI_PUT:
    case MCI_WINDOW:
        if (!HasVideo)
            return MCIERR_UNSUPPORTED_FUNCTION;
        if (message == MCI_WHERE)
            reinterpret_cast<MCI_DGV_RECT_PARMS*>(params)->rc = flags & MCI_DGV_WHERE_SOURCE ? Source : Destination;
        if (message == MCI_PUT)
            Destination = reinterpret_cast<MCI_DGV_RECT_PARMS*>(params)->rc;
        return 0;
    case MCI_STATUS: {
        auto* status = reinterpret_cast<MCI_STATUS_PARMS*>(params);
        status->dwReturn = status->dwItem == MCI_STATUS_POSITION ? Position
                           : status->dwItem == MCI_STATUS_LENGTH ? Length
                                                                 : Mode;
        return 0;
    }
    case MCI_SEEK:
        Position = 0;
        return 0;
    case MCI_PLAY:
    case MCI_RESUME:
        if (!PlayStaysStopped)
            Mode = MCI_MODE_PLAY;
        return 0;
    case MCI_PAUSE:
        Mode = MCI_MODE_PAUSE;
        return 0;
    case MCI_STOP:
        Mode = MCI_MODE_STOP;
        return 0;
    default:
        return 0;
    }
}
