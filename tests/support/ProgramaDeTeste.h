#pragma once
#include <QString>

// Every test case runs in a fresh, empty program folder: the test mains create it before
// the case and remove it after, and point PRUV2003_HOME at it.
namespace ProgramaDeTeste {

// The program folder of the running case (absolute, without a trailing separator).
QString Pasta();

// Called by the test mains around each case.
void Inicia();
void Termina();

}   // namespace ProgramaDeTeste
