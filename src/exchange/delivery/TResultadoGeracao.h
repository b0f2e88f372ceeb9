#pragma once
#include <QString>
#include <QStringList>
#include <cstdint>

#include "exchange/delivery/ResultadoEntrega.h"
#include "model/values/TErro.h"

// What one writing of the delivery file (TArquivoPruv::Gera) ends with. The writer shows nothing:
// the caller tells the user, once, what is here.
struct TResultadoGeracao {
    // One of ResultadoEntrega, or the message code of the error that ended the run (an error of a
    // stored declaration, of the database).
    std::uint8_t Codigo = ResultadoEntrega::FalhaCompactacao;
    // The path of the delivery file, once the run came as far as naming it; else empty.
    QString Arquivo;
    // What the user is told of this run in its own words: the cause of a failure (empty: the
    // message of Codigo), or what a run that wrote and recorded its file could not tidy up
    // (empty: nothing).
    QString Texto;
    // What the recovery found in the delivery's folder of an earlier run cut short, told before
    // the run's own outcome.
    QStringList Avisos;

    // The text of a failure: the run's own, else the message of its code.
    [[nodiscard]] QString TextoDaFalha() const { return Texto.isEmpty() ? TErro::Mensagem(Codigo) : Texto; }
};
