// zenity: 0 chosen, 1 cancelled, anything else (5 time-out, 255 error, a signal) failed.
// kdialog: 0 chosen, 1 cancelled, anything else failed. Either prints one path per line.
#include "dialog_runner.h"

#include "child_process.h"

namespace OvPlatform
{

namespace
{

const int kDialogTimeoutMilliseconds = 30 * 60 * 1000;

std::string Joined(const std::vector<std::string>& parts, const char* separator)
{
    std::string out;
    for (const std::string& part : parts)
        out += (out.empty() ? "" : separator) + part;
    return out;
}

std::vector<std::string> ZenityArguments(const DialogRequest& request)
{
    std::vector<std::string> argv = {"zenity", "--file-selection"};
    if (request.kind == DialogRequest::SAVE)
        argv.push_back("--save");
    if (request.kind == DialogRequest::FOLDER)
        argv.push_back("--directory");
    if (request.confirmOverwrite)
        argv.push_back("--confirm-overwrite");
    if (request.multiple)
        argv.insert(argv.end(), {"--multiple", "--separator=\n"});
    if (!request.title.empty())
        argv.push_back("--title=" + request.title);
    if (!request.start.empty())
        argv.push_back("--filename=" + request.start);
    for (const DialogFilter& filter : request.filters)
        argv.push_back("--file-filter=" + filter.description + " | " +
                       Joined(filter.patterns, " "));
    return argv;
}

std::vector<std::string> KdialogArguments(const DialogRequest& request)
{
    const char* mode = request.kind == DialogRequest::SAVE     ? "--getsavefilename"
                       : request.kind == DialogRequest::FOLDER ? "--getexistingdirectory"
                                                               : "--getopenfilename";
    std::vector<std::string> argv = {"kdialog"};
    if (!request.title.empty())
        argv.insert(argv.end(), {"--title", request.title});
    if (request.multiple)
        argv.insert(argv.end(), {"--multiple", "--separate-output"});
    argv.push_back(mode);
    argv.push_back(request.start.empty() ? "." : request.start);
    std::vector<std::string> filters;
    for (const DialogFilter& filter : request.filters)
        filters.push_back(Joined(filter.patterns, " ") + "|" + filter.description);
    if (request.kind != DialogRequest::FOLDER && !filters.empty())
        argv.push_back(Joined(filters, "\n"));
    return argv;
}

DialogAnswer Answer(const ChildResult& run)
{
    DialogAnswer answer;
    if (run.timedOut || (run.exitCode != 0 && run.exitCode != 1))
        answer.status = DialogAnswer::FAILED;
    if (run.exitCode != 0 || run.timedOut)
        return answer;
    size_t start = 0;
    while (start < run.output.size())
    {
        size_t end = run.output.find('\n', start);
        if (end == std::string::npos)
            end = run.output.size();
        if (end > start)
            answer.paths.push_back(run.output.substr(start, end - start));
        start = end + 1;
    }
    if (!answer.paths.empty())
        answer.status = DialogAnswer::CHOSEN;
    return answer;
}

} // namespace

DialogAnswer RunDialog(const DialogRequest& request)
{
    ChildResult run = RunChild(ZenityArguments(request), kDialogTimeoutMilliseconds, true);
    if (!run.started)
        run = RunChild(KdialogArguments(request), kDialogTimeoutMilliseconds, true);
    return run.started ? Answer(run) : DialogAnswer{};
}

} // namespace OvPlatform
