// This process's view of the Windows system folder (platform/system_folder.h): what the file
// system and the process starts hand to Windows for a path as the user sees it.
#pragma once
#include <string>

#include "platform/system_folder.h"

namespace platform::win32 {

// Redirected when this 32-bit process runs under WOW64 and Windows knows the native alias
// (every 64-bit Windows since Vista); decided once.
const SystemFolderView& ProcessSystemView();
// `path` as handed to Windows (SystemFolderView::ForSystem), in UTF-16.
std::wstring SystemPath(const std::string& path);
// The command line with its program as handed to Windows (SystemFolderView::CommandForSystem).
std::wstring SystemCommand(const std::string& commandLine);

}  // namespace platform::win32
