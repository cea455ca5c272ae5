// The task bar, hidden while the saver covers the first monitor or the whole screen. Restoring is safe to
// call any number of times and from any exit path; it shows the task bar only when this process hid it.
// The task bar belongs to another process: both only post the change, so a busy shell never holds the saver.
#pragma once

void HideTaskbar(int screenIndex);
void RestoreTaskbar();
