#pragma once
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <QtGlobal>

#include "platform/db/sqlite/TFieldDef.h"

class EDatabaseError;
class TColecao;
class TField;
class TdvTable;

// How the declaration's tables keep their values: text columns, and money columns that hold the
// exact count of ten-thousandths; and the deletion of a collection's view and the refused key
// that the collections share.

[[nodiscard]] TFieldDef CampoTexto(const QString& Nome, int Tamanho);
[[nodiscard]] TFieldDef CampoMonetario(const QString& Nome);
// A blank column reads as 0; a column of another numeric type reads rounded to the nearest
// ten-thousandth.
[[nodiscard]] qint64 LeMonetario(const TdvTable& Tabela, int Coluna);
// A negative amount is stored as 0.
void GravaMonetario(TField& Campo, qint64 Valor);
void GravaMonetario(TdvTable& Tabela, int Coluna, qint64 Valor);

// Deletes every row in the collection's view, from the first, then posts.
void ExcluiLinhas(TColecao& Colecao);

// The database refused a row because its key is taken.
[[nodiscard]] bool ViolacaoDeChave(const EDatabaseError& Erro);
