// Message boxes in the class library's manner: owned by the active window, captioned with the application title.
#pragma once

#include <string>

void ShowMessage(const std::string& text);
