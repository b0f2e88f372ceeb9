#pragma once
#include <QString>
#include <QStringList>

#include "platform/ui/TPergunta.h"
#include "platform/files/TVolumes.h"

class IProgresso;

// What the caller tells one writing of the delivery file (TArquivoPruv::Gera).
struct TPedidoGeracao {
    // Read between items and establishments: set, the run stops (157). Null: never cancelled.
    const bool* Cancelado = nullptr;
    // GaugeRegistros counts the items up to Registros, GaugeCompactacao the packing from 0 to
    // 100; either may be null.
    IProgresso* GaugeRegistros = nullptr;
    IProgresso* GaugeCompactacao = nullptr;
    // One entry per establishment: the calendar year (4 characters) followed by the declarant's
    // number without check digits.
    QStringList Chaves;
    // Where the delivery file goes: its folder on a fixed volume, the root of a removable one.
    TVolume Volume;
    // The 4-digit establishment order; empty to take the declarant's own.
    QString Ordem;
    // The place of transmission (a 2-letter state code).
    QString Uf;
    // The 12 digits of the receipt of the declaration being rectified, or empty.
    QString NumeroRecibo;
    // The lines the verification counted, for the free-space test.
    int Registros = 0;
    // Asks whether an existing delivery file is overwritten (a confirmation) and whether to try
    // again to create the text that cannot be created (an error); each Sim or Nao.
    TPergunta Pergunta = PerguntaAoUsuario;
};
