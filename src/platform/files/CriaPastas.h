#pragma once
#include <QString>

// Makes the folder pasta with every missing folder above it, each with the permissions of the
// rule for what the program makes (PermissoesNovas.h); true when it is a folder afterwards.
// False with the system's error number (errno) of the step that failed in erroSistema: a volume
// that takes no new folder is told by its own reason, as mkpath would not.
bool CriaPastas(const QString& pasta, int& erroSistema);
bool CriaPastas(const QString& pasta);
