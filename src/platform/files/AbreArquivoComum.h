#pragma once
#include <QByteArray>
#include <QString>
#include <sys/types.h>

class QFile;

// Opens the regular file at caminho for a name the program opens by itself: never through a link
// and never waiting. A fifo, a socket or a device under the name (which could hold a plain open,
// or the first read, for good), a folder or a link is refused without being opened. The
// descriptor is close-on-exec and, once open, blocking as usual; -1 with errno set when refused:
// ELOOP for a link, EISDIR for a folder, TMotivoSistema::ArquivoEspecial for any other kind of
// file, else the system's own number. A file made by O_CREAT gets permissoes less the umask.
int AbreArquivoComum(const QByteArray& caminho, int abertura, mode_t permissoes = 0644);

// The same through arquivo (whose name is the path), for reading: false with the reason in the
// user's words in erro, arquivo then closed.
bool AbreLeituraComum(QFile& arquivo, QString& erro);
