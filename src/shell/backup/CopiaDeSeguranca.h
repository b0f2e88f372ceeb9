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
// temporary folder, checks it as the restore will (TCopiaBanco::Confere) and packs it into
// Destino (its folder made when missing); the packing writes a temporary beside Destino and
// renames it over Destino only when complete. Answers a ResultadoCompressao: Ok, Cancelado
// (CancelarCompressao from the progress callback) or Falha. On anything but Ok the temporary is
// gone and a Destino that existed is as it was. On Falha, Motivo (when given) receives why, in the
// user's words: lower case, without a final point.
int GravaCopiaDeSeguranca(const QString& Destino, const TProgressoCompressao& Progresso, QString* Motivo = nullptr);

// The work folders of a backup being written and of a restore being unpacked: under the
// temporary folder, named by these prefixes, each owned by the copy of the program that made it.
inline const QString PrefixoTrabalhoCopia = QStringLiteral("copia");
inline const QString PrefixoTrabalhoRestauracao = QStringLiteral("restauracao");

// At start: removes what a run killed midway left behind and no running copy owns: the work
// folders of a backup, a restore or a delivery packing (each a full copy of the data), the
// temporaries of new files in the program's folders and in the backup folders, what a delivery
// write left in the folders of delivery files (an earlier file it kept aside goes back to its
// place; the user is told of a file it could not settle, or took away), and the declaration
// unpacked for an import.
void RemoveTrabalhosAbandonados();
