// The settings dialog as the runtime runs it: from configure mode and from the main window's Settings command.
#pragma once

class CSaverSettings;
class CZELTGlobeSettings;

void RunSettingsDialog(CSaverSettings* settings, CZELTGlobeSettings* project);
