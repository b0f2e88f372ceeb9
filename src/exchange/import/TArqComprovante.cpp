#include "exchange/import/TArqComprovante.h"

#include <QFile>

#include "exchange/import/CamposImportacao.h"
#include "exchange/import/TLeitorLinhas.h"
#include "exchange/import/TListaNiImportadosCR.h"
#include "model/declaration/TPruv.h"
#include "model/people/TBeneficiarioPruv.h"
#include "model/people/TColecaoBeneficiario.h"
#include "model/statements/TColecaoComprovante.h"
#include "model/statements/TComprovantePF.h"
#include "model/storage/OperacoesTabela.h"
#include "model/values/ArquivosTexto.h"
#include "model/values/PastasPrograma.h"
#include "model/values/CodigoMensagem.h"
#include "platform/db/sqlite/TDatabase.h"
#include "platform/db/sqlite/TTransacao.h"
#include "platform/ui/IProgresso.h"
#include "platform/ui/InterfaceUsuario.h"

namespace {

constexpr int BytesPorLinha = 423;   // a full line with its CR LF, for the gauge
constexpr int TamanhoNomeLog = 8;

QString TextoLeitura()
{
    return QStringLiteral("Erro de acesso ao arquivo.");
}

}   // namespace

QString TArqComprovante::NomeLogComprovantes(const QString& NiDeclarante)
{
    const QString raiz = NiDeclarante.left(TamanhoNomeLog);
    return (raiz.isEmpty() ? TLogErros::NomeSemNi() : raiz) + QStringLiteral("-Comprovantes");
}

TArqComprovante::TArqComprovante(QString Arquivo, TPruv& Pruv)
    : FArquivo(std::move(Arquivo))
    , FPruv(Pruv)
{}

TArqComprovante::~TArqComprovante() = default;

QString TArqComprovante::TextoTamanhoInvalido(qsizetype Tamanho)
{
    return QStringLiteral("Tamanho de Linha Inválido: ") + QString::number(Tamanho);
}

QString TArqComprovante::TextoDuplicado()
{
    return QStringLiteral("Beneficiário duplicado no arquivo.");
}

QString TArqComprovante::TextoNaoConsta()
{
    return QStringLiteral("Beneficiário não consta da Pruv.");
}

QString TArqComprovante::TextoSoFinanceiros()
{
    return QStringLiteral("Beneficiário possui apenas rendimentos financeiros.  Este programa não emite comprovante "
                          "de rendimentos financeiros.");
}

void TArqComprovante::Rejeita(int Numero, const QString& Mensagem, const QString& Linha)
{
    FLog.RegistraErro(Numero, Mensagem, Linha);
    ++FRejeitadas;
}

std::uint8_t TArqComprovante::Importa(IProgresso* Gauge)
{
    FLidas = 0;
    FImportadas = 0;
    FRejeitadas = 0;
    if (!FBeneficiario) {
        FBeneficiario = std::make_unique<TBeneficiarioPruv>(&FPruv);
        FBeneficiario->SetErros(&FErros);
        FComprovante = std::make_unique<TComprovantePF>(*FBeneficiario);
    }
    if (!FLog.Inicia(NomeLogComprovantes(FPruv.GetDeclarante().GetNi())))
        return CodigoMensagem::FalhaNaGravacao;

    std::uint8_t resultado = 0;
    QFile arquivo;
    if (!AbreArquivo(arquivo, FArquivo, QIODevice::ReadOnly)) {
        // The user was told; the log tells the report.
        Rejeita(0, TErro::FormataMensagem(CodigoMensagem::ArquivoNaoAberto, FArquivo), QString());
        resultado = CodigoMensagem::ArquivoNaoAberto;
    } else {
        if (Gauge)
            Gauge->DefineFaixa(0, static_cast<int>(qMin<qint64>(arquivo.size() / BytesPorLinha, INT_MAX)));
        TLeitorLinhas leitor(arquivo);
        try {
            // Tables made inside the transaction would go with its undoing, while the declaration
            // kept their collections: they are all made before it.
            if (!FLista)
                FLista = std::make_unique<TListaNiImportadosCR>();
            static_cast<void>(FPruv.GetColecaoBeneficiario());
            static_cast<void>(FPruv.GetColecaoComprovante());
            static_cast<void>(FPruv.GetItens());
            const auto banco = TDatabase::DaPasta(DiretorioDados());
            TTransacao transacao(*banco);
            FLista->Esvazia();
            Le(leitor, Gauge);
            FLista->Esvazia();
            transacao.Confirma();
        } catch (const TErro& e) {
            resultado = Desfeita(e);
        } catch (const std::exception& e) {
            // An engine failure that no collection named.
            resultado = Desfeita(EColecaoError(CodigoMensagem::TabelaNaoAtualizada,
                                               ErroRetornado(TDatabase::NomeArquivo(), TextoDaFalha(e)), 0));
        }
        if (Gauge)
            Gauge->Completa();
    }
    if (!FLog.Conclui() && resultado == 0)
        resultado = CodigoMensagem::FalhaNaGravacao;
    return resultado;
}

std::uint8_t TArqComprovante::Desfeita(const TErro& Erro)
{
    // Undone: nothing of this file is stored, whatever was counted. The declaration's
    // collections read the tables afresh when next made.
    FPruv.LiberaItens();
    FImportadas = 0;
    Erro.Exibe();
    return Erro.Codigo();
}

void TArqComprovante::Le(TLeitorLinhas& Leitor, IProgresso* Gauge)
{
    QString linha;
    while (Leitor.LeLinha(linha)) {
        FRegistro.SetLinha(linha);
        ++FLidas;
        if (Gauge)
            Gauge->Avanca(1);
        InterfaceUsuario::Atividade().MantemVivo();
        const qsizetype tamanho = FRegistro.GetLinha().size();
        if (FRegistro.Vazia())
            continue;
        // Fields are read by position: what follows the last one is not looked at.
        if (!FRegistro.TamanhoValido()) {
            Rejeita(FLidas, TextoTamanhoInvalido(tamanho), linha);
            continue;
        }
        const QString recusa = ImportaLinha();
        if (recusa.isEmpty())
            ++FImportadas;
        else
            Rejeita(FLidas, recusa, linha);
    }
    if (Leitor.Falhou()) {
        TErro::MostraMensagem(TextoLeitura(), TipoDialogo::Erro, Botao::Ok, 0);
        Rejeita(FLidas + 1, TextoLeitura(), QString());
    }
}

QString TArqComprovante::ImportaLinha()
{
    FErros.Limpa();
    FBeneficiario->SetNiSemExcecao(FRegistro.Campo(1));
    for (int i = 0; i < FErros.Count(); ++i)
        if (FErros.Items(i).Tipo() == TipoDialogo::Erro)
            return FErros.Items(i).GetMensagem();
    if (!FLista->Inclui(FBeneficiario->GetNi()))
        return TextoDuplicado();
    if (!FPruv.GetColecaoBeneficiario().Carrega(*FBeneficiario))
        return TextoNaoConsta();
    FComprovante->Limpa();
    FPruv.GetColecaoComprovante().Carrega(*FComprovante);
    if (!FComprovante->PossuiRendimentos())
        return TextoSoFinanceiros();
    if (const QString recusa = LeValores(); !recusa.isEmpty())
        return recusa;
    FPruv.GetColecaoComprovante().Salva(*FComprovante);
    return {};
}

QString TArqComprovante::LeValores()
{
    TQuadroRendTributaveis& quadro3 = FComprovante->GetQuadro3();
    TQuadroRendIsentos& quadro4 = FComprovante->GetQuadro4();
    // Box 4's line 6 is not kept: the file's exempt lines 6 and 7 are the box's lines 7 and 8.
    const struct {
        int Campo;
        TMonetario& Destino;
    } campos[] = {
        {2, quadro3.GetLinha2()},  {3, quadro3.GetLinha3()},  {4, quadro3.GetLinha4()}, {5, quadro4.GetLinha1()},
        {6, quadro4.GetLinha2()},  {7, quadro4.GetLinha3()},  {8, quadro4.GetLinha4()}, {9, quadro4.GetLinha5()},
        {10, quadro4.GetLinha7()}, {12, quadro4.GetLinha8()},
    };
    QString recusa;
    for (const auto& c : campos) {
        const std::uint8_t codigo = FRegistro.LeValor(c.Campo, c.Destino);
        if (codigo == 0)
            continue;
        if (!recusa.isEmpty())
            recusa += QStringLiteral("; ");
        recusa += TRegistroComprovante::Rotulo(c.Campo) + QStringLiteral(": ")
            + TErro::FormataMensagem(codigo, QString());
    }
    quadro4.GetDescricaoLinha8().SetTexto(RetiraBrancosFinais(FRegistro.Campo(11)));
    FComprovante->GetInformacoesComplementares().SetTexto(RetiraBrancosFinais(FRegistro.Campo(13)));
    return recusa;
}
