#include "platform/files/EscreveTudo.h"

#include <cerrno>
#include <unistd.h>

bool EscreveTudo(int descritor, const char* dados, qsizetype tamanho)
{
    while (tamanho > 0) {
        const ssize_t n = ::write(descritor, dados, static_cast<size_t>(tamanho));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        dados += n;
        tamanho -= n;
    }
    return true;
}
