#pragma once
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include "platform/compress/TAndamento.h"

// What a backup file (".cmp") holds and how one is written; shared by the backup assistant and
// the automatic backup at exit.

// The data files a backup holds, by name, each in the data folder: the database file, packed as
// a snapshot. The restore brings back each of them; the main window removes their work copies
// from the temporary folder afterwards.
QStringList ArquivosDados();

// The bytes of the data files, each counted in whole blocks of 128 bytes; -1 when one of them
// cannot be read.
qint64 TamanhoDados();

// Writes a backup of the data files to Destino: takes their snapshot into a work folder under the
// temporary folder, checks it as the restore will (TCopiaBanco::Confere), packs it into
// Destino + ".tmp" (Destino's folder made when missing) and renames that over Destino once the
// packing succeeded. Answers a ResultadoCompressao: Ok, Cancelado (CancelarCompressao from the
// progress callback) or Falha. On anything but Ok the temporary file is gone and a Destino that
// existed is as it was. On Falha, Motivo (when given) receives why, in the user's words: lower
// case, without a final point.
int GravaCopiaDeSeguranca(const QString& Destino, const TProgressoCompressao& Progresso, QString* Motivo = nullptr);

// The work folders of a backup being written and of a restore being unpacked: under the
// temporary folder, named by these prefixes, each owned by the copy of the program that made it.
inline const QString PrefixoTrabalhoCopia = QStringLiteral("copia");
inline const QString PrefixoTrabalhoRestauracao = QStringLiteral("restauracao");

// Removes the work folders that a backup or restore killed midway left behind, each a full copy
// of the database: those that no running copy of the program owns.
void RemoveTrabalhosAbandonados();
