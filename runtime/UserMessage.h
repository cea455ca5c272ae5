// A message for the person at the screen. In screen-saver and preview mode nobody reads a box and it would
// eat the input that closes the saver, so there the message is only logged.
#pragma once

#include <string>

void ShowUserMessage(const std::string& text);
