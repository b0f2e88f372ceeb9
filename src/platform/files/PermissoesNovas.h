#pragma once
#include <QByteArray>
#include <sys/types.h>

// The one rule for what the program makes: a file or folder asks for its owner's rights and
// for what the folder it is made in lets its group and others do, and the system then takes the
// umask off. So nothing new is ever wider than the umask lets through (0666 less the umask for a
// file), nor than its folder admits; and in a program folder shared by a group (setgid, group
// writable) the data follow the folder's group as the folder's lock does, as far as the umask of
// the user who makes them allows. A folder that cannot be looked at gives nothing to anyone.

// For a file made in pasta: 0600 and pasta's group and other read and write bits.
mode_t PermissoesDeArquivoNovo(const QByteArray& pasta);
// For a folder made in pasta: 0700 and pasta's group and other bits.
mode_t PermissoesDePastaNova(const QByteArray& pasta);

// Makes caminho as an empty regular file under the rule, for a library (the database's) that
// would make it wider. True when it was made or a regular file was there already; false with
// errno set otherwise (what stands there told as AbreArquivoComum tells it).
bool CriaArquivoVazio(const QByteArray& caminho);
