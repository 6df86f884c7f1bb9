// The file and folder pickers behind the common dialogs: zenity, or kdialog when zenity is not
// installed, run from an argument vector. Private to platform/src.
#pragma once

#include <string>
#include <vector>

namespace OvPlatform
{

struct DialogFilter
{
    std::string description;
    std::vector<std::string> patterns; // "*.png"
};

struct DialogRequest
{
    enum Kind
    {
        OPEN,
        SAVE,
        FOLDER
    } kind = OPEN;
    std::string title;
    std::string start;                 // a folder (ending in '/') or a file path; "" for none
    std::vector<DialogFilter> filters; // the one to show first comes first
    bool multiple = false;
    bool confirmOverwrite = false;
};

struct DialogAnswer
{
    enum Status
    {
        CHOSEN,
        CANCELLED, // also when no picker is installed
        FAILED
    } status = CANCELLED;
    std::vector<std::string> paths;
};

DialogAnswer RunDialog(const DialogRequest& request);

} // namespace OvPlatform
