#include "classlib/Dialogs.h"

#include "classlib/Application.h"

void ShowMessage(const std::string& text)
{
    MessageBoxA(GetActiveWindow(), text.c_str(), Application.Title().c_str(), MB_OK);
}
