#include "support/temp_home.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <sys/wait.h>
#include <unistd.h>

namespace OvTest
{

namespace
{
const char* const kVariables[3] = {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME"};
}

TempHome::TempHome()
{
    char pattern[] = "/tmp/ovtest-home-XXXXXX";
    const char* made = mkdtemp(pattern);
    path_ = made ? made : "";
    std::filesystem::create_directories(ConfigHome());
    std::filesystem::create_directories(DataHome());
    const std::string values[3] = {path_, ConfigHome(), DataHome()};
    for (int i = 0; i < 3; ++i)
    {
        const char* old = std::getenv(kVariables[i]);
        had_[i] = old != nullptr;
        saved_[i] = old ? old : "";
        setenv(kVariables[i], values[i].c_str(), 1);
    }
}

TempHome::~TempHome()
{
    for (int i = 0; i < 3; ++i)
    {
        if (had_[i])
            setenv(kVariables[i], saved_[i].c_str(), 1);
        else
            unsetenv(kVariables[i]);
    }
    std::error_code ignored;
    if (!path_.empty())
        std::filesystem::remove_all(path_, ignored);
}

int RunInChild(const std::function<int()>& body)
{
    pid_t child = fork();
    if (child < 0)
        return -1;
    if (child == 0)
        _exit(body());
    int status = 0;
    while (waitpid(child, &status, 0) < 0)
        if (errno != EINTR)
            return -1;
    return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
}

} // namespace OvTest
