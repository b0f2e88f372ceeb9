#pragma once
#include <QString>
#include <cstdint>

// Kind of a message dialog; the numbers are the ones stored with pending items (0 warning, 1 error).
enum class TipoDialogo : std::uint8_t {
    Aviso = 0,
    Erro = 1,
    Informacao = 2,
    Confirmacao = 3,
    Personalizado = 4,
};

// Button set of a message dialog: one bit per button, combined with "|".
namespace Botao {
constexpr std::uint16_t Sim = 1u << 0;
constexpr std::uint16_t Nao = 1u << 1;
constexpr std::uint16_t Ok = 1u << 2;
constexpr std::uint16_t Cancela = 1u << 3;
constexpr std::uint16_t Aborta = 1u << 4;
constexpr std::uint16_t Repete = 1u << 5;
constexpr std::uint16_t Ignora = 1u << 6;
constexpr std::uint16_t Todos = 1u << 7;
constexpr std::uint16_t NaoParaTodos = 1u << 8;
constexpr std::uint16_t SimParaTodos = 1u << 9;
constexpr std::uint16_t Ajuda = 1u << 10;
}   // namespace Botao

// The button that closed a dialog (modal result); Nenhuma when it was closed without one.
enum class Resposta : std::uint16_t {
    Nenhuma = 0,
    Ok = 1,
    Cancela = 2,
    Aborta = 3,
    Repete = 4,
    Ignora = 5,
    Sim = 6,
    Nao = 7,
    Todos = 8,
    NaoParaTodos = 9,
    SimParaTodos = 10,
};

// The button bit that gives a result, 0 for Nenhuma.
std::uint16_t BotaoDaResposta(Resposta resposta);

struct TMensagemDialogo {
    QString Texto;
    TipoDialogo Tipo = TipoDialogo::Informacao;
    std::uint16_t Botoes = Botao::Ok;
    int HelpCtx = 0;       // the Help button is shown only when Botoes has Botao::Ajuda
    int Referencia = -1;   // opaque number of the caller; never shown, kept by test doubles
    // The button Enter takes; Nenhuma: the first of OK and Yes. A question whose Yes could do
    // harm gives No.
    Resposta Padrao = Resposta::Nenhuma;
};

// Shows a message and waits for the user's answer.
class IDialogos {
public:
    virtual ~IDialogos() = default;
    virtual Resposta Mostra(const TMensagemDialogo& mensagem) = 0;
};
