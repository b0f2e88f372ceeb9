#pragma once
#include <QString>

// Makes the folder pasta with every missing folder above it, each with the permissions of the
// rule for what the program makes (PermissoesNovas.h); true when it is a folder afterwards.
// False with the system's error number (errno) of the step that failed in erroSistema: a volume
// that takes no new folder is told by its own reason, as mkpath would not.
bool CriaPastas(const QString& pasta, int& erroSistema);
bool CriaPastas(const QString& pasta);

// Why CriaPastas(pasta) failed with erroSistema, in the user's words: "não foi possível criar a
// pasta …: <motivo>", or, when a folder that exists keeps this user out, "não foi possível usar
// a pasta <that folder>: <motivo>".
QString FalhaAoCriarPastas(const QString& pasta, int erroSistema);
