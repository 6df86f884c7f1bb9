// The common open/save dialogs, the folder picker and file listing, owned by a named window of
// the window registry when it is found (never created).
#pragma once

#include "core/ov_string.h"

#include <cstdint>
#include <vector>

namespace OvCore
{

// Kinds of FileDialog, and its option bits.
constexpr int32_t FILE_DIALOG_OPEN = 10;           // choose an existing file
constexpr int32_t FILE_DIALOG_SAVE = 11;           // choose a file name to save under
constexpr uint32_t FILE_DIALOG_ASK_OVERWRITE = 1;  // ask before an existing file is chosen to save
constexpr uint32_t FILE_DIALOG_NO_PLACES = 2;      // no bar of common places beside the list
constexpr uint32_t FILE_DIALOG_MULTIPLE = 4;       // several files may be chosen
constexpr uint32_t FILE_DIALOG_HIDE_READ_ONLY = 8; // no "open as read-only" box

// Shows the open or save dialog (`kind`) owned by the named window and returns `out`.
// `filter` is "Description|pattern;pattern|..."; `filterIndex` 1-based, 0 for the default;
// null `initialDir` starts in the current directory. `out` receives the chosen path, or with
// FILE_DIALOG_MULTIPLE and several files each full path on a line of its own; it is empty when
// cancelled, for an unknown kind, or when the answer does not fit the 260-character buffer.
OV_STRING& FileDialog(OV_STRING& out, int32_t kind, const char* filter, uint32_t filterIndex,
                      const char* initialDir, uint32_t options, const char* windowName,
                      int32_t windowNumber);

// The chosen folder's path, or empty when cancelled.
OV_STRING& BrowseFolder(OV_STRING& out, const char* title, const char* windowName,
                        int32_t windowNumber);

// One match of a file search.
struct OV_FILE_ENTRY
{
    OV_STRING name;         // the file's or folder's name, without the folder searched
    bool directory = false; // true for a folder
};

// Clears `list` and appends each match of `pattern` (a folder and a wildcard name such as
// "data/*.ovt"). Returns the result of closing the search: false when nothing matched.
bool ListFiles(std::vector<OV_FILE_ENTRY>& list, const char* pattern);

} // namespace OvCore
