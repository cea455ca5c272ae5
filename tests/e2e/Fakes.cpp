// Set-ups for the fakes: Windows 98 with our MPR.DLL, and the shell's install command for ".scr" files.
#include "tests/e2e/Driver.h"

namespace e2e {

namespace {

const char kScrClass[] = "zelt.e2e.scrfile";

} // namespace

TWin98::TWin98(const std::string& exeName)
    : Defaults_(exeName), Ok_(Defaults_.SetVersion("win98") && Defaults_.SetDllOverride("mpr", "native,builtin"))
{
}

TScrInstallCommand::TScrInstallCommand(const std::string& command, DWORD type)
    : ScrClass_(HKEY_CLASSES_ROOT, ".scr", ""),
      Ok_(WriteRegString(HKEY_CLASSES_ROOT, ".scr", "", kScrClass) &&
          WriteRegString(HKEY_CLASSES_ROOT, std::string(kScrClass) + "\\shell\\install\\command", "", command, type))
{
}

TScrInstallCommand::~TScrInstallCommand()
{
    DeleteRegKey(HKEY_CLASSES_ROOT, kScrClass);
}

} // namespace e2e
