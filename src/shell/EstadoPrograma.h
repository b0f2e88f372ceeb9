#pragma once

// The state of the running program that the main window, its commands and the windows they open
// share. One thread reads and writes them all.
namespace EstadoPrograma {

// The database cannot be used: the connection failed at start-up, or a data error left the
// program read-only. Only the reorganisation and the backup and restore assistant may then run.
inline bool BaseIndisponivel = false;

// Selecting an index of a table failed since start-up; the automatic backup at exit is then not
// made, as it would copy damaged tables. Cleared at start-up and after a restore.
inline bool ErroIndice = false;

// A command of the main window runs: the guarded commands and closing the window wait for it.
inline bool EmProcessamento = false;

// The help context that the help commands show.
inline int ContextoAjuda = 0;

}  // namespace EstadoPrograma
