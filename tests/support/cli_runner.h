#pragma once

#include "support/temp_dir.h"

#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <vector>

extern char** environ;

// What one run of the built varnel-cli left behind.
struct CliRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs the built varnel-cli (VARNEL_CLI_PATH) with `args`, its standard output and error captured in files
// of `dir`.
inline CliRun runCli(const TempDir& dir, const std::vector<std::string>& args)
{
    const std::string outPath = dir.file("stdout"), errPath = dir.file("stderr");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    std::vector<char*> argv{const_cast<char*>(VARNEL_CLI_PATH)};
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    CliRun run;
    if (posix_spawn(&pid, VARNEL_CLI_PATH, &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        waitpid(pid, &status, 0);
        run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    run.out = readText(outPath);
    run.err = readText(errPath);
    return run;
}
