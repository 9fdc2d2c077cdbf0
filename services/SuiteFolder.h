#pragma once

#include <string>
#include <string_view>

// The root folder under which the suite's programs are installed, for a
// program in `appFolder` (both folder texts end with "/"):
//   1. the folder text up to and including the first "Brennick" in it, else
//      up to and including the first "3vk" (found without regard to ASCII
//      letter case and kept in the case the folder text has);
//   2. otherwise the folder above the program's folder when that folder holds
//      the suite's "Common Files" (a suite installed under another name, or
//      the build folder, which has the same layout);
//   3. otherwise <programFilesFolder>Brennick/.
std::string FindSuiteFolderFor(std::string_view appFolder, std::string_view programFilesFolder);

// The folder of the running program file, ending with "/"; empty when the
// platform does not tell.
std::string RunningProgramFolder();
