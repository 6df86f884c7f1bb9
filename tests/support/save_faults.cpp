#include "support/save_faults.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <thread>

#include <gtest/gtest.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/temp_home.h"

namespace OvTest
{

std::string FileBytes(const std::string& path)
{
    std::string bytes;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return bytes;
    char chunk[65536];
    size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0)
        bytes.append(chunk, got);
    std::fclose(file);
    return bytes;
}

void WriteFileBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), std::streamsize(bytes.size()));
    file.close();
    ASSERT_TRUE(file) << path;
}

void ExpectFolderHoldsOnly(const std::string& folder, const std::string& path)
{
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        EXPECT_EQ(path, entry.path().string());
}

std::optional<bool> SaveWithFileLimit(long limitBytes, const std::function<bool()>& save)
{
    const int code = RunInChild(
        [&]
        {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{rlim_t(limitBytes), rlim_t(limitBytes)};
            if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
                return 2;
            return save() ? 1 : 0;
        });
    if (code != 0 && code != 1)
        return std::nullopt;
    return code == 1;
}

std::vector<std::string> BytesAfterKilledSaves(const std::string& path,
                                               const std::function<bool(int)>& save, int rounds,
                                               int mostMilliseconds)
{
    std::mt19937 random(std::random_device{}());
    std::uniform_int_distribution<int> wait(0, mostMilliseconds - 1);
    std::vector<std::string> seen;
    for (int round = 0; round < rounds; ++round)
    {
        int saved[2];
        if (pipe(saved) != 0)
            break;
        const pid_t child = fork();
        if (child < 0)
        {
            close(saved[0]);
            close(saved[1]);
            break;
        }
        if (child == 0)
        {
            close(saved[0]);
            for (int version = 0;; version ^= 1)
                if (save(version) && write(saved[1], "s", 1) < 0)
                    _exit(1);
        }
        close(saved[1]);
        pollfd completed{saved[0], POLLIN, 0};
        if (round == 0)
            poll(&completed, 1, 60000);
        std::this_thread::sleep_for(std::chrono::milliseconds(wait(random)));
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        close(saved[0]); // only now: a closed pipe would end the child between saves
        seen.push_back(FileBytes(path));
    }
    return seen;
}

void ExpectWholeVersions(const std::vector<std::string>& seen,
                         const std::vector<std::string>& versions, int rounds)
{
    ASSERT_EQ(size_t(rounds), seen.size());
    bool replaced = false;
    for (size_t i = 0; i < seen.size(); ++i)
    {
        const auto found = std::find(versions.begin(), versions.end(), seen[i]);
        EXPECT_NE(versions.end(), found)
            << "kill " << i << " left " << seen[i].size() << " bytes that are no whole version";
        replaced = replaced || (found != versions.end() && found != versions.begin());
    }
    EXPECT_TRUE(replaced) << "no save completed before a kill";
}

} // namespace OvTest
