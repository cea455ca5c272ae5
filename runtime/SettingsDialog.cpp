#include "runtime/SettingsDialog.h"

#include "data/FileLog.h"

// Stands in until the dialog is built: the run goes on as after a cancelled dialog.
void RunSettingsDialog(CSaverSettings*, CZELTGlobeSettings*)
{
    ZELT_LOG("app", "the settings dialog is not available");
}
