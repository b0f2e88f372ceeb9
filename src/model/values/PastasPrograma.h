#pragma once
#include <QString>
#include <QtGlobal>

// The program's folders and the free-space check of the data folder's volume.

// Folders, each without a trailing separator.
QString DiretorioPrograma();
QString DiretorioDados();        // DiretorioPrograma() + "/DADOS": the database of every table
QString DiretorioTemporario();   // DiretorioPrograma() + "/DADOS/TEMP"
// Removes every trailing separator ("/", and "\" as written by older files).
QString RetiraBarraFinal(const QString& Caminho);

// Fewer free bytes than this on the volume of the data folder put the database at risk.
constexpr qint64 EspacoMinimoEmDisco = 56200;
// Raises EEspacoEmDiscoError (150, error, OK) when the volume of the data folder has fewer than
// EspacoMinimoEmDisco free bytes or cannot tell how many it has.
void VerificaEspacoEmDisco();
