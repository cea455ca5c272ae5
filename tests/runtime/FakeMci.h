// A scripted media control interface: one device whose answers a test sets, and a record of each command.
// Every open gets an identifier of its own; commands to one not open are refused.
#pragma once

#include <windows.h>

#include <mmsystem.h>

#include <set>
#include <string>
#include <vector>

struct FakeMciCommand {
    MCIDEVICEID Device;
    UINT Message;
    DWORD Flags;
};

struct FakeMci {
    // The device a test scripts.
    DWORD DeviceType = MCI_DEVTYPE_WAVEFORM_AUDIO;
    DWORD HasVideo = 0;
    RECT Source = {0, 0, 0, 0};
    RECT Destination = {0, 0, 0, 0};
    DWORD Length = 1000;
    DWORD Position = 0;
    DWORD Mode = MCI_MODE_STOP;
    std::set<UINT> Refused;       // commands answered with an error
    bool PlayStaysStopped = false; // play is accepted, the device never moves (no audio device)

    // What the wrapper sent.
    std::vector<FakeMciCommand> Commands;
    std::string OpenedName;
    std::vector<MCIDEVICEID> Opens;   // identifiers handed out
    std::vector<MCIDEVICEID> Closes;  // identifiers closed

    FakeMci() { Current = this; }
    ~FakeMci() { Current = nullptr; }
    FakeMci(const FakeMci&) = delete;
    FakeMci& operator=(const FakeMci&) = delete;

    bool Sent(UINT message) const;
    std::vector<UINT> Messages() const;

    static MCIERROR WINAPI Send(MCIDEVICEID device, UINT message, DWORD_PTR flags, DWORD_PTR params);

private:
    MCIERROR Answer(MCIDEVICEID device, UINT message, DWORD flags, DWORD_PTR params);
    static FakeMci* Current;
    std::set<MCIDEVICEID> Open;
    MCIDEVICEID NextId = 7;
};
