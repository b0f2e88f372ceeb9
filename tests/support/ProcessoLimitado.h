#pragma once
#include <functional>
#include <grp.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

// Runs acao in a child process, as the user usuario when it is not negative (the tests run as
// root; the group is grupo, or the user's number when grupo is negative) and under the umask
// given, killed after limite seconds: its exit code, or -1 when it was killed (it hung) or could
// not run. A test that may block on what it probes runs it here, so that it fails instead of
// hanging.
inline int NoProcessoLimitado(const std::function<int()>& acao, int usuario = -1, mode_t mascara = 022,
                              unsigned limite = 10, int grupo = -1)
{
    const pid_t filho = ::fork();
    if (filho == 0) {
        ::alarm(limite);
        ::umask(mascara);
        const auto g = static_cast<gid_t>(grupo >= 0 ? grupo : usuario);
        if (usuario >= 0
            && (::setgroups(0, nullptr) != 0 || ::setgid(g) != 0 || ::setuid(static_cast<uid_t>(usuario)) != 0))
            ::_exit(100);
        ::_exit(acao());
    }
    int estado = 0;
    if (filho < 0 || ::waitpid(filho, &estado, 0) != filho || !WIFEXITED(estado))
        return -1;
    return WEXITSTATUS(estado);
}
