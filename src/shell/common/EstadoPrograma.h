#pragma once

// The state of the running program that the main window, its commands and the windows they open
// share. One thread reads and writes them all. The collections' own flag, ErroIndice, is in
// model/storage/OperacoesTabela.h.
namespace EstadoPrograma {

// The database cannot be used: the connection failed at start-up, or a data error left the
// program read-only. Only the reorganisation and the backup and restore assistant may then run.
inline bool BaseIndisponivel = false;

// A command of the main window runs: the guarded commands and closing the window wait for it.
inline bool EmProcessamento = false;

// The help context that the help commands show.
inline int ContextoAjuda = 0;

}   // namespace EstadoPrograma
