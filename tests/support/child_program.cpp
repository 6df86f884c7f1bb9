#include "support/child_program.h"

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace OvTest
{

CHILD_PROGRAM::CHILD_PROGRAM(const std::filesystem::path& program,
                             const std::filesystem::path& folder,
                             const std::vector<std::string>& arguments)
{
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    pid_ = fork();
    if (pid_ == 0)
    {
        if (chdir(folder.c_str()) == 0)
            execv(program.c_str(), argv.data());
        _exit(127);
    }
}

CHILD_PROGRAM::~CHILD_PROGRAM()
{
    if (pid_ > 0 && !status_)
    {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
}

std::optional<int> CHILD_PROGRAM::Exited()
{
    int status = 0;
    if (!status_ && pid_ > 0 && waitpid(pid_, &status, WNOHANG) == pid_)
        status_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return status_;
}

} // namespace OvTest
