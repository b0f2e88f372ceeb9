#pragma once
#include <QString>

// Every test case runs in a fresh, empty program folder: the test mains create it before
// the case and remove it after, and point PRUV2003_HOME at it.
namespace ProgramaDeTeste {

// The program folder of the running case (absolute, without a trailing separator).
QString Pasta();

// For a case that runs part of itself as another user (the tests run as root): moves the case's
// program folder, empty, to a place that user can reach (the temporary folder may be closed to
// others, as per-user temporary folders are) and opens it to everyone. Empty when done; else why
// it cannot be done, for the case to say it skipped.
QString AbreAOutroUsuario(int usuario);

// Called by the test mains around each case.
void Inicia();
void Termina();

}   // namespace ProgramaDeTeste
