#include "exchange/import/TGrupoValores.h"

#include "exchange/import/CamposImportacao.h"
#include "exchange/import/TLeitorLinhas.h"
#include "exchange/import/TLinhaLida.h"
#include "exchange/import/TTabelaImpItem.h"
#include "model/declaration/TPruvAnexo.h"
#include "model/values/ErrosDeLinha.h"
#include "model/values/TErro.h"
#include "model/values/TratamentoTexto.h"

namespace {

using namespace CamposEntrega;

const QString Zeros = QString(TamanhoValor, QLatin1Char('0'));

// The message of a refused value: " Rendimento(1ª Coluna) /Jan inválido ou excede o máximo permitido."
// Written into one text: a file of bad values gives one for every month and column.
QString TrechoValor(const char16_t* Nome, int Coluna, int Mes, const char16_t* Final)
{
    const QString mes = Meses(Mes);
    QString trecho;
    trecho.reserve(96);
    trecho += QLatin1Char(' ');
    trecho += QStringView(Nome);
    trecho += QLatin1Char('(');
    if (Coluna >= 0 && Coluna <= 9)
        trecho += QChar(static_cast<char16_t>(u'0' + Coluna));
    else
        trecho += QString::number(Coluna);
    trecho += QStringView(u"ª Coluna) /");
    trecho += QStringView(mes).left(3);
    trecho += QStringView(Final);
    return trecho;
}

constexpr const char16_t* Invalido = u" inválido ou excede o máximo permitido.";
constexpr const char16_t* Invalida = u" inválida ou excede o máximo permitido.";
constexpr const char16_t* SoZeros = u" esta coluna deve ser preenchida com zeros.";

// Reads the column into the amount; a refusal adds its text to the line's message.
// Linha is at least a layout line long (LinhaCheia).
void LeColuna(QStringView Linha, int Mes, int Coluna, TMonetario& Destino, const char16_t* Nome, const char16_t* Final,
              TMensagemLinha& Mensagem)
{
    if (Destino.SetTextoSemSeparador(ValorEm(Linha, Mes, Coluna)) != 0)
        Mensagem.AdicionaTrecho(TrechoValor(Nome, Coluna, Mes, Final));
}

void ExigeZeros(QStringView Linha, int Mes, int Coluna, const char16_t* Nome, TMensagemLinha& Mensagem)
{
    if (ValorEm(Linha, Mes, Coluna) != Zeros)
        Mensagem.AdicionaTrecho(TrechoValor(Nome, Coluna, Mes, SoZeros));
}

// The bit of a situation identifier, "0" to "3", among those read in a group.
std::uint8_t BitIdentificador(QChar Identificador)
{
    return static_cast<std::uint8_t>(1u << (Identificador.unicode() - u'0'));
}

}   // namespace

TGrupoValores::TGrupoValores(IDeclaracao& Declaracao, TPruvAnexo& Dono, TTabelaImpItem& ImpItem)
    : FItem(Declaracao, Dono)
    , FImpItem(ImpItem)
{
    FItem.SetErros(&FErros);
}

QString TGrupoValores::TextoRejeitado(int Numero)
{
    return TMensagemLinha::Inicio(Numero)
        + QStringLiteral("Registro rejeitado por erro em outro registro deste beneficiário / código");
}

QString TGrupoValores::TextoIdentificadorInvalido()
{
    return QStringLiteral("Identificador de situação do rendimento / imposto (posição 688) inválido.");
}

bool TGrupoValores::TemErro() const
{
    for (const TLinha& linha : FLinhas)
        if (!linha.Mensagem.isEmpty())
            return true;
    return false;
}

bool TGrupoValores::MesmoGrupo(const QString& Primeira, const QString& Linha) const
{
    // The type, and the declarant or fund too: a line of another one never joins this item.
    return MesmoCampo(Linha, Primeira, PosicaoTipo, PosicaoNome - PosicaoTipo);
}

void TGrupoValores::Le(TLinhaLida& Atual, TLeitorLinhas& Leitor)
{
    FLinhas.clear();
    FIdentificadores = 0;
    // One item serves every group of the file: made once, emptied for each.
    FItem.Limpa();
    FItem.SetAlterado(false);
    const QString primeira = Atual.Texto;
    for (;;) {
        TMensagemLinha mensagem(Atual.Numero);
        const QString linha = Atual.Texto;
        if (FLinhas.empty())
            LeIdentificacao(linha, mensagem);
        // A line cut short reads its missing fields as blanks: each one is told as a blank field.
        if (PassaDe(linha, TamanhoLinha))
            mensagem.AdicionaCodigo(CodigoMensagem::LinhaSemFimDeLinha);
        else
            LeValores(linha, CaractereLinha(linha, PosicaoIdentificador), mensagem);
        FLinhas.push_back({linha, Atual.Numero, mensagem.Texto()});

        if (!Atual.Proxima(Leitor) || SemConteudo(Atual.Texto) || static_cast<int>(FLinhas.size()) >= MaximoLinhas
            || !MesmoGrupo(primeira, Atual.Texto))
            break;
    }
    if (!TemErro())
        VerificaItem();
}

void TGrupoValores::LeIdentificacao(const QString& Linha, TMensagemLinha& Mensagem)
{
    FErros.Limpa();
    TBeneficiarioPruv& beneficiario = FItem.GetBeneficiario();
    const QChar tipo = CaractereLinha(Linha, PosicaoTipoBenef);
    if (tipo == QLatin1Char('1')) {
        beneficiario.SetNiSemExcecao(CampoLinha(Linha, PosicaoNiBenef + 3, TamanhoNi - 3));
    } else {
        if (tipo != QLatin1Char('2'))
            Mensagem.AdicionaCodigo(CodigoMensagem::TipoDeBeneficiarioInvalido);
        beneficiario.SetNiSemExcecao(CampoLinha(Linha, PosicaoNiBenef, TamanhoNi));
    }
    beneficiario.Nome().SetNomeSemExcecao(CampoLinha(Linha, PosicaoNome, TamanhoNome).trimmed());
    for (int i = 0; i < FErros.Count(); ++i)
        if (FErros.Items(i).Tipo() == TipoDialogo::Erro)
            Mensagem.Adiciona(FErros.Items(i).GetMensagem());

    const QString codigo = CampoLinha(Linha, PosicaoCodigo, 4);
    FItem.GetCodigoRetencao().SetCodigo(codigo);
    if (const std::uint8_t erro = FItem.VerificaCodigo(); erro != 0)
        Mensagem.AdicionaCodigo(erro, codigo);
    if (const std::uint8_t erro = FItem.VerificaTipoBeneficiario(); erro != 0)
        Mensagem.AdicionaCodigo(erro, codigo);
}

void TGrupoValores::LeValores(const QString& Linha, QChar Identificador, TMensagemLinha& Mensagem)
{
    if (Identificador == QLatin1Char(' '))
        Identificador = QLatin1Char('0');
    if (Identificador < QLatin1Char('0') || Identificador > QLatin1Char('3')) {
        Mensagem.Adiciona(TextoIdentificadorInvalido());
        return;
    }

    const QChar tipo = CaractereLinha(Linha, PosicaoTipoBenef);
    const QString ni = FItem.GetBeneficiario().GetNi();
    const QString& codigo = FItem.GetCodigoRetencao().GetCodigo();
    const TTabelaImpItem::TChave chave{FItem.GetInAnexo(),
                                       FItem.GetDono().GetChave(),
                                       codigo,
                                       QStringView(&tipo, 1),
                                       ni,
                                       QStringView(&Identificador, 1)};
    const bool jaNoArquivo = FImpItem.Registra(chave, FLinhas.empty());
    const std::uint8_t bit = BitIdentificador(Identificador);
    const bool repetidoNoGrupo = (FIdentificadores & bit) != 0;
    if (jaNoArquivo || repetidoNoGrupo)
        Mensagem.AdicionaCodigo(CodigoMensagem::ItemDuplicadoNoArquivo);
    if (repetidoNoGrupo)
        return;
    FIdentificadores |= bit;

    if ((Identificador == QLatin1Char('2') || Identificador == QLatin1Char('3'))
        && !FItem.GetCodigoRetencao().GetSubJudice()) {
        Mensagem.Adiciona(CampoLinha(Linha, 1, 8) + QStringLiteral("  ")
                          + TErro::FormataMensagem(CodigoMensagem::CodigoSemExigibilidadeSuspensa, codigo));
        return;
    }

    const QString cheia = LinhaCheia(Linha);
    TRendimentosTributaveis& valores = FItem.GetValores();
    TCompensacao& compensacao = FItem.GetCompensacao();
    TSubJudice& subJudice = FItem.GetSubJudice();
    for (int mes = 1; mes <= Periodos; ++mes) {
        switch (Identificador.unicode()) {
        case '0':
            LeColuna(cheia, mes, 1, valores.GetRendimento(mes), u"Rendimento", Invalido, Mensagem);
            LeColuna(cheia, mes, 2, valores.GetDeducao(mes), u"Dedução", Invalida, Mensagem);
            LeColuna(cheia, mes, 3, valores.GetImposto(mes), u"Imposto", Invalido, Mensagem);
            break;
        case '1':
            LeColuna(cheia, mes, 1, compensacao.GetCompensacaoAnosAnteriores(mes), u"Compensação", Invalida, Mensagem);
            LeColuna(cheia, mes, 2, compensacao.GetCompensacaoAno(mes), u"Compensação", Invalida, Mensagem);
            ExigeZeros(cheia, mes, 3, u"Compensação", Mensagem);
            break;
        case '2':
            LeColuna(cheia, mes, 1, subJudice.GetRendimento(mes), u"Rendimento", Invalido, Mensagem);
            LeColuna(cheia, mes, 2, subJudice.GetDeducao(mes), u"Dedução", Invalida, Mensagem);
            LeColuna(cheia, mes, 3, subJudice.GetImposto(mes), u"Imposto", Invalido, Mensagem);
            break;
        default:   // '3'
            LeColuna(cheia, mes, 1, subJudice.GetDeposito(mes), u"Depósito", Invalido, Mensagem);
            ExigeZeros(cheia, mes, 2, u"Depósito", Mensagem);
            ExigeZeros(cheia, mes, 3, u"Depósito", Mensagem);
            break;
        }
    }
}

void TGrupoValores::VerificaItem()
{
    TErros erros;
    if (FIdentificadores & BitIdentificador(QLatin1Char('3')))
        FItem.VerificaDeposito(erros);
    else if (FIdentificadores & BitIdentificador(QLatin1Char('2')))
        FItem.VerificaSubJudice(erros);
    else if (FIdentificadores & BitIdentificador(QLatin1Char('1')))
        FItem.VerificaCompensacao(erros);
    else
        FItem.VerificaRendimentos(erros);
    bool haErros = false;
    QString texto;
    ConcatenaErros(erros, haErros, texto);
    if (haErros && !FLinhas.empty())
        FLinhas.back().Mensagem = TMensagemLinha::Inicio(FLinhas.back().Numero) + TErro::ComPontoFinal(texto);
}
