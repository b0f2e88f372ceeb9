#pragma once
#include <QString>
#include <cstdint>
#include <vector>

#include "exchange/import/TMensagemLinha.h"
#include "model/items/TPruvItem.h"
#include "model/values/TErro.h"

class IDeclaracao;
class TLeitorLinhas;
class TPruvAnexo;
class TTabelaImpItem;
struct TLinhaLida;

// One group of value lines of the delivery layout (type 2 for the declaration, type 5 for a fund
// annex): the lines of one beneficiary under one withholding code, one per situation identifier
// (position 688: "0" taxable values, "1" compensations, "2" sub judice values, "3" deposits),
// read into one item with a message for every line that fails its checks. Storing the item is
// the caller's.
class TGrupoValores final {
public:
    static constexpr int MaximoLinhas = 4;

    struct TLinha {
        QString Texto;      // as read
        int Numero = 0;     // in the file
        QString Mensagem;   // its error line; empty when the line itself has none
    };

    // The item is made for Dono of Declaracao (both outlive the group); ImpItem holds the lines
    // already met in the file.
    TGrupoValores(IDeclaracao& Declaracao, TPruvAnexo& Dono, TTabelaImpItem& ImpItem);
    TGrupoValores(const TGrupoValores&) = delete;
    TGrupoValores& operator=(const TGrupoValores&) = delete;

    // Reads the group that starts at Atual and leaves in Atual the first line after it (or no
    // line at the end of the file). When no line has an error, the item's own check of the kind
    // of values read runs, and its messages become the last line's error.
    void Le(TLinhaLida& Atual, TLeitorLinhas& Leitor);

    [[nodiscard]] bool TemErro() const;
    [[nodiscard]] const std::vector<TLinha>& Linhas() const { return FLinhas; }
    [[nodiscard]] TPruvItem& Item() { return FItem; }

    // The error line of a line rejected only because another line of its group failed.
    [[nodiscard]] static QString TextoRejeitado(int Numero);
    // The identifier of position 688 is not one of "0" to "3" (nor blank).
    [[nodiscard]] static QString TextoIdentificadorInvalido();

private:
    void LeIdentificacao(const QString& Linha, TMensagemLinha& Mensagem);
    void LeValores(const QString& Linha, QChar Identificador, TMensagemLinha& Mensagem);
    // Whether the next line belongs to the group that Primeira began.
    [[nodiscard]] bool MesmoGrupo(const QString& Primeira, const QString& Linha) const;
    void VerificaItem();

    TErros FErros;   // what the item's setters refuse; before the item, which points at it
    TPruvItem FItem;
    TTabelaImpItem& FImpItem;
    std::vector<TLinha> FLinhas;
    std::uint8_t FIdentificadores = 0;   // those already read in the group, a bit each
};
