// The project's addresses the settings dialog hands to the shell.
#pragma once

#include <string>

// True for an http, https or mailto address: the scheme in any case at the very start, something after it,
// and no blank, control character or quote anywhere. The shell would start a program or open a file from
// anything else a damaged or hostile project names.
bool IsWebAddress(const std::string& address);
