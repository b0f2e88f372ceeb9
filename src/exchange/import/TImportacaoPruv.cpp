#include "exchange/import/TImportacaoPruv.h"

#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <climits>

#include "exchange/import/CamposImportacao.h"
#include "exchange/import/TGrupoValores.h"
#include "exchange/import/TLeitorLinhas.h"
#include "exchange/import/TMensagemLinha.h"
#include "exchange/import/TTabelaImpItem.h"
#include "model/declaration/TAnexoFC.h"
#include "model/declaration/TColecaoAnexo.h"
#include "model/declaration/TColecaoPruv.h"
#include "model/declaration/TPruv.h"
#include "model/items/TColecaoPruvItem.h"
#include "model/people/TNi.h"
#include "model/storage/OperacoesTabela.h"
#include "model/values/ArquivosTexto.h"
#include "model/values/ErrosDeLinha.h"
#include "model/values/PastasPrograma.h"
#include "model/values/TErro.h"
#include "platform/db/sqlite/TDatabase.h"
#include "platform/db/sqlite/TTransacao.h"
#include "platform/files/TEspacoEmDisco.h"
#include "platform/ui/IProgresso.h"
#include "platform/ui/InterfaceUsuario.h"

namespace {

using namespace CamposEntrega;

constexpr int PassosDoGauge = 200;        // moves of the gauge over a whole file
constexpr int NaturezaPessoaFisica = 8;   // position in the table of all natures
constexpr int PosicaoCpf = 13;            // a person's CPF within positions 10-23
constexpr int PosicaoAno = 28;            // type 1; the later fields move back by the layout flag
constexpr int PosicaoTipoDeclaracao = 32;
constexpr int PosicaoSituacao = 33;
constexpr int PosicaoNatureza = 35;
constexpr int PosicaoRespCnpj = 103;
constexpr int PosicaoNiAdministradora = 151;   // type 4
constexpr int PosicaoResponsavel = 406;

// The parameter of message 141 for a failure that names no table.
QString ParametroFalha(const std::exception& Erro)
{
    return ErroRetornado(TDatabase::NomeArquivo(), TextoDaFalha(Erro));
}

QString TextoLeitura()
{
    return QStringLiteral("Erro de acesso ao arquivo.");
}

QString SemPontoFinal(QString Texto)
{
    if (Texto.endsWith(QLatin1Char('.')))
        Texto.chop(1);
    return Texto;
}

// The errors of the sink from Inicio on, as ConcatenaErros joins them.
void ConcatenaDesde(const TErros& Erros, int Inicio, bool& HaErros, QString& Texto)
{
    for (int i = Inicio; i < Erros.Count(); ++i) {
        const TErro& erro = Erros.Items(i);
        if (erro.Tipo() != TipoDialogo::Erro)
            continue;
        HaErros = true;
        Texto = SemPontoFinal(Texto.isEmpty() ? erro.GetMensagem() : Texto + QStringLiteral("; ") + erro.GetMensagem());
    }
}

QString RaizDoNi(const TContribuinte& Declarante)
{
    return Declarante.GetNi().left(Declarante.TipoAtual() == TNiContribuinte::Cpf ? 9 : 8);
}

}   // namespace

TImportacaoPruv::TImportacaoPruv() = default;

TImportacaoPruv::~TImportacaoPruv() = default;

QString TImportacaoPruv::PerguntaTipo1()
{
    return QStringLiteral("Já existe uma Pruv para este Declarante neste ano. As informações constantes no registro "
                          "tipo 1 (dados do declarante)serão desconsideradas. As informações de beneficiários já "
                          "existentes devem ser sobrescritas?");
}

QString TImportacaoPruv::PerguntaExistente()
{
    return QStringLiteral("Já existe uma Pruv para este Declarante neste ano. As informações já existentes devem ser "
                          "sobrescritas?");
}

TResultadoImportacao TImportacaoPruv::Importa(TColecaoPruv& Colecao, const TPedidoImportacao& Pedido)
{
    // The text unpacked for this import is not kept, whichever way the import ends.
    const auto removeDescompactado = qScopeGuard([] {
        for (const char* nome : {"Declar.txt", "declar.txt"})
            QFile::remove(DiretorioDados() + QLatin1Char('/') + QLatin1String(nome));
    });
    FContadores = {};
    FCancelado = Pedido.Cancelado;
    FArquivoCompactado = Pedido.ArquivoCompactado;
    FColecao = &Colecao;
    FLeiaute = Pedido.Leiaute == TPedidoImportacao::LeiauteAnoDoisDigitos ? TPedidoImportacao::LeiauteAnoDoisDigitos
                                                                          : TPedidoImportacao::LeiauteAtual;
    FGauge = Pedido.Gauge;
    FNomeLog = Pedido.NomeLog;
    FPergunta = Pedido.Pergunta;
    FVersao.clear();
    FCpfValido.clear();
    FCnpjValido.clear();
    FDeclaranteConferido.clear();
    FPerguntou = false;
    FSobrescreve = true;
    FParar = false;
    FIncluidas.clear();
    FContadas.clear();
    FTemAnexo = false;
    FAtual = {};
    FChaveCarregada.clear();

    const qint64 linhas = QFileInfo(Pedido.Arquivo).size() / BytesPorLinha;
    if (TEspacoEmDisco::Livre(DiretorioDados()) < linhas * BytesLivresPorLinha) {
        FParar = true;
        return {CodigoMensagem::SemEspacoParaAOperacao, FNomeLog, FContadores};
    }
    if (FGauge)
        FGauge->DefineFaixa(0, static_cast<int>(qMin<qint64>(linhas, INT_MAX)));
    if (!FLog.Inicia(FNomeLog, FPergunta))
        return {CodigoMensagem::FalhaNaGravacao, FNomeLog, FContadores};

    std::uint8_t resultado = 0;
    QFile arquivo;
    if (!AbreArquivo(arquivo, Pedido.Arquivo, QIODevice::ReadOnly, FPergunta)) {
        // The user was told; the report tells it again.
        RegistraErro(TMensagemLinha::Inicio(0)
                     + TErro::FormataMensagem(CodigoMensagem::ArquivoNaoAberto, Pedido.Arquivo));
        ++FContadores.RegistrosRejeitados;
    } else {
        TLeitorLinhas leitor(arquivo);
        FLeitor = &leitor;
        try {
            FImpItem = std::make_unique<TTabelaImpItem>();
            // A group per line at most, about ten bytes each; past four million the table grows
            // as it must.
            FImpItem->Reserva(static_cast<qsizetype>(qMin<qint64>(linhas, 1 << 22)));
            const auto banco = TDatabase::DaPasta(DiretorioDados());
            TTransacao transacao(*banco);
            // The working declaration lets go of its collections (which store what they held back)
            // before the transaction ends, whichever way it ends.
            struct TLibera {
                TImportacaoPruv& Importacao;
                ~TLibera()
                {
                    Importacao.FGrupoPruv.reset();
                    Importacao.FGrupoAnexo.reset();
                    Importacao.FAnexo.reset();
                    Importacao.FPruv.reset();
                    Importacao.FImpItem.reset();
                }
            } libera{*this};
            Prepara(Pedido.Alvo);
            Processa();
            FImpItem->Esvazia();
            FGrupoPruv.reset();
            FGrupoAnexo.reset();
            FAnexo.reset();
            FPruv.reset();
            transacao.Confirma();
        } catch (const TLeituraInterrompida&) {
            resultado = Desfeita(CodigoMensagem::ArquivoNaoAberto);   // told and logged where it stopped
        } catch (const TErro& e) {
            resultado = Desfeita(e);
        } catch (const std::exception& e) {
            // An engine failure that no collection named.
            resultado = Desfeita(EColecaoError(CodigoMensagem::TabelaNaoAtualizada, ParametroFalha(e), 0));
        }
        FLeitor = nullptr;
    }
    if (FGauge && !Cancelado() && !FParar)
        FGauge->Completa();

    if (FNomeLog.trimmed().isEmpty())
        FNomeLog = TLogErros::NomeSemNi();
    FLog.SetNomeBase(FNomeLog);
    // A log that cannot be put in place is told as such by the log itself; the result stays
    // what the import did with the rows (stored or undone).
    FLog.Conclui();
    return {resultado, FNomeLog, FContadores};
}

std::uint8_t TImportacaoPruv::Desfeita(const TErro& Erro)
{
    Erro.Exibe();
    RegistraErro(TMensagemLinha::Inicio(FAtual.Numero) + Erro.GetMensagem());
    return Desfeita(Erro.Codigo());
}

std::uint8_t TImportacaoPruv::Desfeita(std::uint8_t Codigo)
{
    // Undone: nothing of this file is stored.
    FContadores.Declaracoes = 0;
    FContadores.BeneficiariosAdicionados = 0;
    FContadores.BeneficiariosSubstituidos = 0;
    FContadores.Fundos = 0;
    try {
        FColecao->Atualiza();
    } catch (const TErro& releitura) {
        releitura.Exibe();
    }
    return Codigo;
}

void TImportacaoPruv::Prepara(const TPruv& Alvo)
{
    const TContribuinte& declarante = Alvo.GetDeclarante();
    FAno = Alvo.GetAno();
    FNome = declarante.Nome().GetTexto();
    const auto todas = Alvo.GetNaturezas().GetTodas();
    FNatureza = TPruv::NaturezaVazia;
    for (int i = 0; i < TNaturezas::Quantidade; ++i)
        if (&todas[i] == &Alvo.GetNatureza())
            FNatureza = i;
    FTipoAlvo = declarante.Tipo() != TNiContribuinte::PorTamanho ? declarante.Tipo() : declarante.TipoAtual();
    if (FTipoAlvo != TNiContribuinte::Cpf && FTipoAlvo != TNiContribuinte::Cnpj)
        FTipoAlvo = FNatureza == NaturezaPessoaFisica ? TNiContribuinte::Cpf : TNiContribuinte::Cnpj;

    FGrupoPruv.reset();
    FGrupoAnexo.reset();
    FPruv = std::make_unique<TPruv>();
    FPruv->SetErros(&FErros);
    FAnexo = std::make_unique<TAnexoFC>(*FPruv);
    if (!declarante.GetNi().isEmpty()) {
        FPruv->GetDeclarante().SetNiSemExcecao(declarante.GetNi());
        FPruv->SetAnoSemExcecao(FAno);
        try {
            CarregaTrabalho();
        } catch (const TRejeicao& r) {
            Rejeita(r);   // a stored row that cannot be read: its lines will say so again
        }
    }
    FPruv->SetAnoSemExcecao(FAno);
    RestauraValoresTrabalho(NaturezaValida());
    FErros.Limpa();
}

void TImportacaoPruv::Processa()
{
    // The gauge moves by a step of the file at a time: redrawn for every line, it took far
    // longer than the line itself.
    const int passo = FGauge ? qMax(1, (FGauge->Maximo() - FGauge->Minimo()) / PassosDoGauge) : 1;
    int proximaPosicao = 0;
    FAtual.Proxima(*FLeitor);
    while (FAtual.Presente && !Cancelado() && !FParar) {
        if (FGauge && FLeitor->Lidas() >= proximaPosicao) {
            FGauge->DefinePosicao(FLeitor->Lidas());
            proximaPosicao = FLeitor->Lidas() + passo;
        }
        InterfaceUsuario::Atividade().MantemVivo();
        Despacha();
    }
    if (FLeitor->Falhou()) {
        TErro::MostraMensagem(TextoLeitura(), TipoDialogo::Erro, Botao::Ok, 0);
        FAtual = {QString(), FLeitor->Lidas() + 1, false};
        RegistraErro(TMensagemLinha::Inicio(FAtual.Numero) + TextoLeitura());
        ++FContadores.RegistrosRejeitados;
        // The rest of the file is unknown: what was read of it is not stored alone.
        throw TLeituraInterrompida{};
    }
}

void TImportacaoPruv::Despacha()
{
    const QString& linha = FAtual.Texto;
    const QChar tipo = Caractere(PosicaoTipo);
    const bool grupo = tipo == QLatin1Char('2') || tipo == QLatin1Char('5');
    if (tipo != QLatin1Char('2'))
        FDeclaranteConferido.clear();   // any other line may change the working declaration
    const bool conhecido = grupo || tipo == QLatin1Char('1') || tipo == QLatin1Char('4')
        || linha.startsWith(QStringLiteral("PRUV"));
    try {
        if (SemConteudo(linha) || (FArquivoCompactado && !conhecido)) {
            // blank, or in a recorded file totals and unknown lines: passed over without a word
        } else if (!grupo && PassaDe(linha, TamanhoLinha)) {
            // Records run together: the line ends are missing.
            throw TRejeicao{CodigoMensagem::LinhaSemFimDeLinha, {}};
        } else if (linha.startsWith(QStringLiteral("PRUV"))) {
            if (FArquivoCompactado)
                FVersao = Campo(5, 4);
        } else if (tipo == QLatin1Char('1')) {
            LeTipo1();
        } else if (grupo) {
            LeGrupo(tipo);
            return;   // the group has read on
        } else if (tipo == QLatin1Char('4')) {
            LeTipo4();
        } else if (!FArquivoCompactado) {
            if (tipo == QLatin1Char('3') || tipo == QLatin1Char('6')) {
                RegistraAviso(CodigoMensagem::TotalizacaoDescartada);
                ++FContadores.Avisos;
            } else {
                RegistraCodigo(CodigoMensagem::TipoDeRegistroInvalido);
                ++FContadores.RegistrosRejeitados;
            }
        }
    } catch (const TRejeicao& r) {
        Rejeita(r);
        if (tipo == QLatin1Char('4'))
            LimpaAnexo();
    }
    FAtual.Proxima(*FLeitor);
}

// ---- declarant ----

std::optional<bool> TImportacaoPruv::ConfereDeclarante()
{
    const QString atual = FPruv->GetDeclarante().GetNi();
    if (Cpf()) {
        const QString ni = Campo(PosicaoCpf, TamanhoNi - (PosicaoCpf - PosicaoNi));
        if (FCpfValido.isEmpty() || ni != FCpfValido) {
            if (ValidaCpf(ni, false) != 0)
                throw TRejeicao{CodigoMensagem::CpfInvalido, FormataCpf(ni)};
            FCpfValido = ni;
        }
        if (!atual.isEmpty()) {
            if (ni != atual)
                throw TRejeicao{CodigoMensagem::ImportacaoDeOutraPessoaFisica, {}};
            ConfereNatureza();
            return std::nullopt;
        }
        return AdotaNi(ni);
    }
    const QString ni = Campo(PosicaoNi, TamanhoNi);
    if (FCnpjValido.isEmpty() || ni != FCnpjValido) {
        if (ValidaCnpj(ni, false, false) != 0)
            throw TRejeicao{CodigoMensagem::CnpjInvalido, FormataCnpj(ni)};
        FCnpjValido = ni;
    }
    if (!atual.isEmpty()) {
        if (ni.left(8) != atual.left(8))
            throw TRejeicao{CodigoMensagem::ImportacaoDeOutraPessoaJuridica, {}};
        if (ni == atual) {
            ConfereNatureza();   // the declarant chosen for the import may be this one
            return std::nullopt;
        }
    }
    return AdotaNi(ni);   // the first number, or another establishment of the company
}

bool TImportacaoPruv::MesmoDeclarante() const
{
    const QStringView linha(FAtual.Texto);
    return !FDeclaranteConferido.isEmpty() && linha.size() >= PosicaoNi - 1 + TamanhoNi
        && linha.mid(PosicaoNi - 1, TamanhoNi) == FDeclaranteConferido;
}

void TImportacaoPruv::LembraDeclarante()
{
    const QStringView linha(FAtual.Texto);
    if (linha.size() >= PosicaoNi - 1 + TamanhoNi)
        FDeclaranteConferido = linha.mid(PosicaoNi - 1, TamanhoNi).toString();
    FIncluidaConferida = FIncluidas.contains(FPruv->GetChave());
}

void TImportacaoPruv::ConfereNatureza() const
{
    if (!NaturezaValida())
        throw TRejeicao{CodigoMensagem::NaturezaRecusadaNaImportacao, {}};
}

bool TImportacaoPruv::AdotaNi(const QString& Ni)
{
    LimpaAnexo();   // the fund was the previous declarant's
    FPruv->Limpa();
    FPruv->GetDeclarante().SetNiSemExcecao(Ni);
    FPruv->SetAnoSemExcecao(FAno);
    const bool achada = CarregaTrabalho();
    RestauraValoresTrabalho(false);
    if (!NaturezaValida()) {
        // Every line of this declarant is refused alike: none is taken as its number.
        LimpaAnexo();
        FPruv->Limpa();
        throw TRejeicao{CodigoMensagem::NaturezaRecusadaNaImportacao, {}};
    }
    RestauraValoresTrabalho(true);
    return achada;
}

bool TImportacaoPruv::CarregaTrabalho(bool MesmaDeclaracao)
{
    const bool recarrega = MesmaDeclaracao && !FChaveCarregada.isEmpty();
    if (recarrega)
        FPruv->SetChave(FChaveCarregada);   // a refused declarant line took it away
    FChaveCarregada.clear();
    try {
        // Never the funds' summaries added up: nothing of the import reads the total, and a file
        // may switch declarants on every line.
        const bool achada = FColecao->Recarrega(*FPruv);
        if (achada)
            FChaveCarregada = FPruv->GetChave();
        return achada;
    } catch (const EPruvError& e) {
        // A stored declaration that breaks the declaration's rules cannot take lines.
        LimpaAnexo();
        FPruv->Limpa();
        throw TRejeicao{e.Codigo(), {}};
    }
}

bool TImportacaoPruv::NaturezaValida() const
{
    // A person has no nature of its own. A legal entity takes only one of the natures its
    // number and the year make available (a branch from 1999 has only the public bodies'), or
    // none, which the verification will ask for; in a year without natures any nature but a
    // person's passes, as none is stored.
    const bool semNatureza = FNatureza == TPruv::NaturezaVazia || FNatureza == NaturezaPessoaFisica;
    if (FPruv->GetDeclarante().TipoAtual() == TNiContribuinte::Cpf)
        return semNatureza;
    if (FNatureza == TPruv::NaturezaVazia)
        return true;
    const TNaturezas& naturezas = FPruv->GetNaturezas();
    const auto& disponiveis = naturezas.GetDisponiveis();
    const bool semDisponiveis = disponiveis.empty()
        || (disponiveis.size() == 1 && disponiveis.front() == &naturezas.GetTodas()[TPruv::NaturezaVazia]);
    if (semDisponiveis)
        return FNatureza != NaturezaPessoaFisica;
    return naturezas.IndiceDisponivel(&naturezas.GetTodas()[FNatureza]) >= 0;
}

void TImportacaoPruv::RestauraValoresTrabalho(bool ComNatureza)
{
    if (FPruv->GetAno() != FAno)
        FPruv->SetAnoSemExcecao(FAno);
    FPruv->GetDeclarante().Nome().SetNomeSemExcecao(FNome);
    if (ComNatureza)
        FPruv->SetNaturezaSemExcecao(FPruv->GetNaturezas().GetTodas()[FNatureza]);
}

bool TImportacaoPruv::ConfirmaExistente(const QString& Pergunta)
{
    if (FPerguntou)
        return true;
    const Resposta resposta = PerguntaPor(FPergunta, Pergunta, TipoDialogo::Confirmacao,
                                          Botao::Sim | Botao::Nao | Botao::Cancela);
    if (resposta != Resposta::Sim && resposta != Resposta::Nao) {
        FParar = true;
        return false;
    }
    FPerguntou = true;
    FSobrescreve = resposta == Resposta::Sim;
    return true;
}

void TImportacaoPruv::ContaDeclaracao()
{
    const QString chave = FPruv->GetChave();
    if (!FContadas.contains(chave)) {
        FContadas.insert(chave);
        ++FContadores.Declaracoes;
    }
}

void TImportacaoPruv::DescontaDeclaracao()
{
    if (FContadas.remove(FPruv->GetChave()) && FContadores.Declaracoes > 0)
        --FContadores.Declaracoes;
}

void TImportacaoPruv::Inclui(const QString& Tipo, bool SituacaoEspecial)
{
    RestauraValoresTrabalho(true);
    FPruv->SetTipoDeclaracaoSemExcecao(Tipo);
    FPruv->SetSituacaoEspecialSemExcecao(SituacaoEspecial);
    FColecao->Inclui(*FPruv);
    FIncluidas.insert(FPruv->GetChave());
    FColecao->Atualiza(*FPruv);
}

bool TImportacaoPruv::GaranteDeclaracao(std::optional<bool> Lida)
{
    const QString chave = FPruv->GetChave();
    if (chave.isEmpty() || chave == QStringLiteral("00000")) {
        // Read just now when its number was adopted, and nothing has changed it since.
        const bool achada = Lida ? *Lida : CarregaTrabalho();
        RestauraValoresTrabalho(true);
        if (!achada) {
            // No declarant line before the values: the declaration is made from the choices.
            Inclui(FPruv->GetTipoDeclaracao(), FPruv->GetSituacaoEspecial() || FAno > FPruv->GetAnoAtual());
            ContaDeclaracao();
            DefineNomeLog();
            return true;
        }
    }
    if (!FIncluidas.contains(FPruv->GetChave())) {
        const bool contou = !FContadas.contains(FPruv->GetChave());
        ContaDeclaracao();
        if (!ConfirmaExistente(PerguntaExistente())) {
            if (contou)
                DescontaDeclaracao();
            return false;
        }
    }
    DefineNomeLog();
    return true;
}

void TImportacaoPruv::ConfiguraItens(TPruvAnexo& Dono, bool Incluida)
{
    TColecaoPruvItem& itens = Dono.GetItens();
    if (itens.GetGravarEmDisco())
        itens.SetGravarEmDisco(false);
    itens.SetNaoAtualizaAux(Incluida);
    itens.SetSubstituiExistente(FSobrescreve);
}

void TImportacaoPruv::DefineNomeLog()
{
    if (FNomeLog.trimmed().isEmpty())
        FNomeLog = RaizDoNi(FPruv->GetDeclarante());
}

void TImportacaoPruv::LimpaAnexo()
{
    if (FAnexo)
        FAnexo->Reinicia();
    FTemAnexo = false;
}

// ---- type 1: the declarant ----

void TImportacaoPruv::LeTipo1()
{
    FErros.Limpa();
    const std::optional<bool> lida = ConfereDeclarante();
    const int l = FLeiaute;

    // The indicator's values changed with the layout's versions.
    const QChar indicador = Caractere(PosicaoSituacao - l);
    bool especial;
    if (FVersao.startsWith(QStringLiteral("97")) || FVersao.startsWith(QStringLiteral("99"))
        || FVersao.startsWith(QStringLiteral("00")))
        especial = indicador == QLatin1Char('3');
    else if (FVersao == QStringLiteral("2001"))
        especial = QStringLiteral("345").contains(indicador);
    else
        especial = indicador == QLatin1Char('2');

    QString tipo = QStringLiteral("O");
    const QChar tipoLido = Caractere(PosicaoTipoDeclaracao - l);
    if (tipoLido == QLatin1Char('R')) {
        tipo = QStringLiteral("R");
    } else if (tipoLido != QLatin1Char('O')) {
        RegistraCodigo(CodigoMensagem::TipoDeDeclaracaoInvalido);
        ++FContadores.Avisos;
    }

    if (Campo(PosicaoNome, TamanhoNome).trimmed().toUpper() != FNome.trimmed().toUpper()) {
        RegistraCodigo(CodigoMensagem::NomeDiferenteNaImportacao);
        ++FContadores.Avisos;
    }

    const QString ano = l == TPedidoImportacao::LeiauteAnoDoisDigitos ? QStringLiteral("19") + Campo(PosicaoAno, 2)
                                                                      : Campo(PosicaoAno, 4);
    if (TPruv::ConfereAno(ano, false) == 0 && ano != FAno) {
        RegistraCodigo(CodigoMensagem::AnoDiferenteNaImportacao);
        ++FContadores.Avisos;
    }

    if (!Cpf() && FAno > QStringLiteral("1997")) {
        const QChar natureza = Caractere(PosicaoNatureza - l);
        if (natureza < QLatin1Char('0') || natureza > QLatin1Char('9')) {
            RegistraCodigo(CodigoMensagem::NaturezaInvalida);
            ++FContadores.Avisos;
        } else if (natureza.unicode() - '0' != FPruv->GetNaturezas().GetTodas()[FNatureza].GetCodigo()) {
            RegistraAviso(CodigoMensagem::NaturezaDiferenteNaImportacao);
            ++FContadores.Avisos;
        }
    }

    // Read again unless it was read just now for its new number: a line of the same declarant
    // before this one may have left its data changed in memory. Only its row: a file that repeats
    // the line costs a line for each, not a load of the whole declaration.
    const bool achada = lida ? *lida : CarregaTrabalho(true);
    RestauraValoresTrabalho(true);
    FErros.Limpa();
    FPruv->SetTipoDeclaracaoSemExcecao(QStringLiteral("O"));
    QString texto;
    FPruv->SetSituacaoEspecialSemExcecao(especial);
    if (!FErros.Vazia())
        texto = SemPontoFinal(FErros.Items(0).GetMensagem());
    int lidos = FErros.Count();

    const QString respCnpj = Campo(PosicaoRespCnpj, 11).trimmed();
    if (!respCnpj.isEmpty()) {
        FPruv->GetRespCnpj().SetNiSemExcecao(respCnpj);
        if (FErros.Count() > lidos) {
            if (!texto.isEmpty())
                texto += QStringLiteral(". ");
            texto += QStringLiteral("Erro no responsável perante o CNPJ: ")
                + SemPontoFinal(FErros.Items(lidos).GetMensagem());
        }
        lidos = FErros.Count();
    }

    if (!EmBranco(Campo(PosicaoResponsavel, 11))) {
        TResponsavel& responsavel = FPruv->GetResponsavel();
        // The phone is required; the extension, the fax and the e-mail may be empty.
        responsavel.Fone().DDD().SetPermiteVazio(false);
        responsavel.Fone().Numero().SetPermiteVazio(false);
        responsavel.Fone().Ramal().SetPermiteVazio(true);
        responsavel.Fax().Numero().SetPermiteVazio(true);
        responsavel.Email().SetPermiteVazio(true);
        responsavel.SetNiSemExcecao(Campo(406, 11).trimmed());
        responsavel.Nome().SetNomeSemExcecao(Campo(417, 60).trimmed());
        responsavel.Fone().DDD().SetTextoSemExcecao(Campo(477, 4).trimmed());
        responsavel.Fone().Numero().SetTextoSemExcecao(Campo(481, 8).trimmed());
        responsavel.Fone().Ramal().SetTextoSemExcecao(Campo(489, 6).trimmed());
        responsavel.Fax().Numero().SetTextoSemExcecao(Campo(495, 8).trimmed());
        responsavel.Email().SetTextoSemExcecao(Campo(503, 50).trimmed());
    }

    bool haErros = false;
    QString restantes;
    ConcatenaDesde(FErros, lidos, haErros, restantes);
    if (!haErros && texto.isEmpty()) {
        if (achada) {
            // Stored already: its declarant data stay as they are; only beneficiaries come in.
            const QString chave = FPruv->GetChave();
            const bool contou = !FContadas.contains(chave);
            ContaDeclaracao();
            if (!FIncluidas.contains(chave) && !ConfirmaExistente(PerguntaTipo1())) {
                if (contou)
                    DescontaDeclaracao();
                return;
            }
        } else {
            Inclui(tipo, especial);
            ContaDeclaracao();
        }
        DefineNomeLog();
        return;
    }
    if (!restantes.isEmpty())
        texto = texto.isEmpty() ? restantes : texto + QStringLiteral("; ") + restantes;
    FPruv->SetChave(QString());
    FPruv->GetRespCnpj().Limpa();
    FPruv->GetResponsavel().Limpa();
    RegistraErro(TMensagemLinha::Inicio(FAtual.Numero) + TErro::ComPontoFinal(texto));
    ++FContadores.RegistrosRejeitados;
}

// ---- type 4: a fund or club ----

void TImportacaoPruv::LeTipo4()
{
    FErros.Limpa();
    const TNatureza& natureza = FPruv->GetNaturezas().GetTodas()[FNatureza];
    if (natureza.GetCodigo() != TPruv::CodigoAdministradora)
        throw TRejeicao{CodigoMensagem::FundoSemAdministradora, {}};
    const QString cnpj = Campo(PosicaoNiAdministradora, TamanhoNi);
    if (ValidaCnpj(cnpj, false, false) != 0)
        throw TRejeicao{CodigoMensagem::CnpjInvalido, FormataCnpj(cnpj)};
    const QString atual = FPruv->GetDeclarante().GetNi();
    if (atual.isEmpty() || cnpj.left(8) != atual.left(8))
        throw TRejeicao{CodigoMensagem::ImportacaoDeOutraPessoaJuridica, {}};
    if (cnpj.mid(8, 4) != QStringLiteral("0001"))
        throw TRejeicao{CodigoMensagem::DeclaranteFilial, {}};

    // The administrator's head office becomes the working declaration.
    const bool tinhaChave = !FPruv->GetChave().isEmpty();
    const bool mudou = atual != cnpj;
    if (mudou) {
        LimpaAnexo();
        FPruv->Limpa();
        FPruv->GetDeclarante().SetNiSemExcecao(cnpj);
        FPruv->SetAnoSemExcecao(FAno);
    }
    // The same declaration is read again (its row only): a file of many funds, or of one fund line
    // repeated, costs a line for each, not a load of the whole declaration.
    const bool achada = CarregaTrabalho(!mudou);
    RestauraValoresTrabalho(FPruv->GetNaturezas().GetDisponivel(TPruv::CodigoAdministradora) != nullptr);

    if (achada) {
        const QString chave = FPruv->GetChave();
        const bool contou = (mudou || !tinhaChave) && !FContadas.contains(chave);
        if (contou)
            ContaDeclaracao();
        if (!FIncluidas.contains(chave) && !ConfirmaExistente(PerguntaExistente())) {
            if (contou)
                DescontaDeclaracao();
            return;
        }
        FColecao->Atualiza(*FPruv);
    } else {
        Inclui(FPruv->GetTipoDeclaracao(), FPruv->GetSituacaoEspecial() || FAno > FPruv->GetAnoAtual());
        ContaDeclaracao();
    }
    DefineNomeLog();

    LimpaAnexo();
    FErros.Limpa();
    const QString nome = Campo(PosicaoNome, TamanhoNome).trimmed();
    FAnexo->GetDeclarante().SetNiSemExcecao(Campo(PosicaoNi, TamanhoNi));
    FAnexo->GetDeclarante().Nome().SetNomeSemExcecao(nome);
    if (!FErros.Vazia()) {
        bool haErros = false;
        QString texto;
        ConcatenaDesde(FErros, 0, haErros, texto);
        RegistraErro(TMensagemLinha::Inicio(FAtual.Numero) + TErro::ComPontoFinal(texto));
        ++FContadores.RegistrosRejeitados;
        LimpaAnexo();
        return;
    }
    TColecaoAnexo& anexos = FPruv->GetColecaoAnexo();
    anexos.Carrega(*FAnexo);
    FAnexo->GetDeclarante().Nome().SetNomeSemExcecao(nome);
    ++FContadores.Fundos;
    anexos.Salva(*FAnexo);
    FErros.Limpa();
    FTemAnexo = true;
}

// ---- types 2 and 5: the values of one beneficiary under one code ----

void TImportacaoPruv::LeGrupo(QChar Tipo)
{
    FErros.Limpa();
    try {
        if (Tipo == QLatin1Char('5')) {
            if (!FTemAnexo)
                throw TRejeicao{CodigoMensagem::BeneficiarioSemFundo, {}};
            if (Campo(PosicaoNi, TamanhoNi) != FAnexo->GetDeclarante().GetNi())
                throw TRejeicao{CodigoMensagem::BeneficiarioForaDoFundo, {}};
        } else if (!MesmoDeclarante()) {
            FDeclaranteConferido.clear();
            if (!GaranteDeclaracao(ConfereDeclarante()))
                return;   // cancelled: the run stops here
            LembraDeclarante();
        }
    } catch (const TRejeicao& r) {
        Rejeita(r);
        FAtual.Proxima(*FLeitor);
        return;
    }

    TPruvAnexo& dono = Tipo == QLatin1Char('5') ? static_cast<TPruvAnexo&>(*FAnexo) : *FPruv;
    const bool incluida = Tipo == QLatin1Char('5') ? FIncluidas.contains(FPruv->GetChave()) : FIncluidaConferida;
    std::unique_ptr<TGrupoValores>& feito = Tipo == QLatin1Char('5') ? FGrupoAnexo : FGrupoPruv;
    if (!feito)
        feito = std::make_unique<TGrupoValores>(*FPruv, dono, *FImpItem);
    TGrupoValores& grupo = *feito;
    grupo.Le(FAtual, *FLeitor);
    const auto& linhas = grupo.Linhas();
    if (!grupo.TemErro()) {
        // Opened only for a group that is to be stored: a refused one writes nothing.
        ConfiguraItens(dono, incluida);
        TColecaoPruvItem& itens = dono.GetItens();
        switch (itens.Salva(grupo.Item())) {
        case TColecaoPruvItem::Inserido:
            ++FContadores.BeneficiariosAdicionados;
            return;
        case TColecaoPruvItem::Atualizado:
            // An item kept as it was (the user chose not to overwrite) is not a replacement.
            if (itens.GetSubstituiExistente())
                ++FContadores.BeneficiariosSubstituidos;
            return;
        default:
            break;
        }
        // Nothing could be written: the item lacks a key part.
        FLog.Registra(TextoErroCampo(CodigoMensagem::ChaveInvalida, QString(), linhas.front().Numero),
                      linhas.front().Texto);
        for (std::size_t i = 1; i < linhas.size(); ++i)
            FLog.Registra(TGrupoValores::TextoRejeitado(linhas[i].Numero), linhas[i].Texto);
    } else {
        for (const auto& linha : linhas)
            FLog.Registra(linha.Mensagem.isEmpty() ? TGrupoValores::TextoRejeitado(linha.Numero) : linha.Mensagem,
                          linha.Texto);
    }
    FContadores.RegistrosRejeitados += static_cast<int>(linhas.size());
    ++FContadores.BeneficiariosRejeitados;
}

// ---- the log ----

void TImportacaoPruv::RegistraErro(const QString& Texto)
{
    FLog.Registra(Texto, FAtual.Texto);
}

void TImportacaoPruv::RegistraCodigo(std::uint8_t Codigo, const QString& Campo)
{
    RegistraErro(TextoErroCampo(Codigo, Campo, FAtual.Numero));
}

void TImportacaoPruv::RegistraAviso(std::uint8_t Codigo)
{
    RegistraErro(QStringLiteral("Linha: ") + QString::number(FAtual.Numero) + QStringLiteral(" -  AVISO: ")
                 + MensagemDaLinha(Codigo));
}

void TImportacaoPruv::Rejeita(const TRejeicao& Rejeicao)
{
    RegistraCodigo(Rejeicao.Codigo, Rejeicao.Campo);
    ++FContadores.RegistrosRejeitados;
}

QString TImportacaoPruv::Campo(int Inicio, int Tamanho) const
{
    return CampoLinha(FAtual.Texto, Inicio, Tamanho);
}

QChar TImportacaoPruv::Caractere(int Posicao) const
{
    return CaractereLinha(FAtual.Texto, Posicao);
}
