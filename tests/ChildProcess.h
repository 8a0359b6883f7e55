// SPDX-License-Identifier: GPL-3.0-or-later
// Runs a piece of a test in a forked child, where privileges and limits can be given up safely.
#ifndef MNEMORA_TESTS_CHILDPROCESS_H
#define MNEMORA_TESTS_CHILDPROCESS_H

#include <functional>
#include <string>

#include <sys/wait.h>
#include <unistd.h>

/// Forks; the child calls `body` and hands its text back through a pipe. Returns that text, or
/// "crashed" when the child did not end normally or `body` returned nothing because its set-up
/// failed (a body signals that with an empty text).
inline std::string InChild(const std::function<std::string()>& body)
{
    int ends[2];
    if (pipe(ends) != 0)
        return "crashed";
    const pid_t child = fork();
    if (child == 0)
    {
        close(ends[0]);
        const std::string result = body();
        (void)!write(ends[1], result.data(), result.size());
        _exit(result.empty() ? 2 : 0);
    }
    close(ends[1]);
    std::string result;
    char chunk[512];
    ssize_t got;
    while ((got = read(ends[0], chunk, sizeof chunk)) > 0)
        result.append(chunk, size_t(got));
    close(ends[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? result : "crashed";
}

#endif
