#include "support/peak_memory.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace OvTest
{

long ChildPeakKib(const std::function<void()>& work)
{
    const pid_t child = fork();
    if (child == 0)
    {
        work();
        _exit(0);
    }
    int status = 0;
    rusage usage{};
    if (child < 0 || wait4(child, &status, 0, &usage) != child || !WIFEXITED(status))
        return -1;
    return usage.ru_maxrss;
}

} // namespace OvTest
