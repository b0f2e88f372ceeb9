#pragma once
#include <QString>
#include <cstdint>
#include <utility>

#include "platform/ui/TPergunta.h"

class IProgresso;
class TPruv;

// What the caller tells one import of a file in the delivery layout (TImportacaoPruv::Importa).
struct TPedidoImportacao {
    // Leiaute: 2 for the recorded files of earlier versions whose type 1 line has a two-digit
    // year, otherwise 0.
    static constexpr std::uint8_t LeiauteAtual = 0;
    static constexpr std::uint8_t LeiauteAnoDoisDigitos = 2;

    // Alvo outlives the request.
    TPedidoImportacao(QString arquivo, const TPruv& alvo)
        : Arquivo(std::move(arquivo))
        , Alvo(alvo)
    {}

    // The path of the text file to import.
    QString Arquivo;
    // The declarant, name, year and nature chosen for the import.
    const TPruv& Alvo;
    // Read before every line: set, the import stops there. Null: never cancelled.
    const bool* Cancelado = nullptr;
    // The file is a declaration recorded by this program or an earlier version, unpacked from its
    // delivery file: its header gives the version, and totals and unknown lines are dropped
    // silently. Clear for a file of another system: they are reported.
    bool ArquivoCompactado = false;
    std::uint8_t Leiaute = LeiauteAtual;
    // Moved by lines; may be null.
    IProgresso* Gauge = nullptr;
    // The base name of the error log; empty to name it after the declarant's number.
    QString NomeLog;
    // Asks, once per run, whether the beneficiaries of a declaration already stored are replaced
    // (a confirmation: Sim, Nao or Cancela), and whether to try again to open the file or create
    // the log that cannot be opened or created (an error: Sim or Nao).
    TPergunta Pergunta = PerguntaAoUsuario;
};
