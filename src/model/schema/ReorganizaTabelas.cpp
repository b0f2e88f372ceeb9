#include "model/schema/ReorganizaTabelas.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <exception>
#include <memory>
#include <vector>

#include "components/data/datasets/TdvTable.h"
#include "model/declaration/TColecaoAnexo.h"
#include "model/declaration/TColecaoPruv.h"
#include "model/items/TColecaoPruvItem.h"
#include "model/storage/DonosDeFundo.h"
#include "model/storage/OperacoesTabela.h"
#include "model/storage/TArquivoIndices.h"
#include "model/values/PastasPrograma.h"
#include "model/values/TErro.h"
#include "platform/db/sqlite/EDatabaseError.h"
#include "platform/db/datasets/TBatchMove.h"
#include "platform/db/sqlite/TComando.h"
#include "platform/db/sqlite/TDatabase.h"
#include "platform/db/sqlite/TEsquemaTabela.h"
#include "platform/db/sqlite/TTransacao.h"
#include "platform/files/TEspacoEmDisco.h"
#include "platform/ui/IProgresso.h"
#include "platform/ui/InterfaceUsuario.h"
#include "platform/ui/TCursorOcupado.h"

bool FalhaItens = false;

namespace {

const QString NomeItens = TColecaoPruvItem::NomeArquivo();
const QString NomeCopia = QStringLiteral("Restemp");
const QString TextoLimpando = QStringLiteral("Limpando exclusões ");
const QString TextoIndexando = QStringLiteral("Indexando ");
const QString TextoSucesso = QStringLiteral("Reorganização concluída com sucesso");
const QString TextoFalha = QStringLiteral("Não foi possível concluir a reorganização");

// The tables whose deleted rows are given back, with their share of the gauge (15 in all).
const struct {
    const char* Nome;
    int Peso;
} TabelasCompactadas[] = {
    {"Anexo.DB", 2},   {"Benef.DB", 3}, {"Compvel.DB", 1},  {"ComprPF.DB", 1},
    {"ComprPJ.DB", 1}, {"Pruv.DB", 4},  {"InfoComp.DB", 1}, {"Resumo.DB", 2},
};
constexpr int PesoCompactacao = 15;
constexpr int PesoAntesItens = 1;
constexpr int PesoDepoisItens = 4;

bool MesmaTabela(const QString& a, const QString& b)
{
    return TDatabase::NomeSemExtensao(a).compare(TDatabase::NomeSemExtensao(b), Qt::CaseInsensitive) == 0;
}

qint64 TamanhoItens()
{
    try {
        const auto banco = TDatabase::DaPasta(DiretorioDados());
        return banco->TamanhoTabela(NomeItens);
    } catch (const EDatabaseError&) {
        return -1;   // told to the user as a size that cannot be read (152)
    }
}

// False only when the space is short (151); a space that cannot be told (152) lets the work go on.
bool ConfereEspaco(qint64 necessario)
{
    const qint64 livre = necessario < 0 ? -1 : TEspacoEmDisco::Livre(DiretorioDados());
    if (livre < 0) {
        EEspacoEmDiscoError(CodigoMensagem::EspacoNaoVerificado, QString(), TipoDialogo::Informacao, Botao::Ok, 0)
            .Exibe();
        return true;
    }
    if (necessario > livre) {
        EEspacoEmDiscoError(CodigoMensagem::SemEspacoParaAOperacao, QString(), TipoDialogo::Aviso, Botao::Ok, 0)
            .Exibe();
        return false;
    }
    return true;
}

// The packing pass over the declaration tables. The database is one file, packed as a whole
// after the item table was rebuilt; here each table is read under its own caption, and one that
// cannot be read ends the pass.
bool PassaTabelasCompactadas(IProgresso& Gauge)
{
    for (const auto& t : TabelasCompactadas) {
        const QString nome = QString::fromLatin1(t.Nome);
        Gauge.MostraTexto(TextoLimpando + nome.toLower());
        try {
            const auto tabela = CriaTabela(nome);
            if (tabela->Exists()) {
                tabela->Open();
                tabela->Close();
            }
        } catch (const EDatabaseError&) {
            return false;   // the outcome shows in the gauge's caption
        }
        Gauge.Avanca(t.Peso);
        InterfaceUsuario::Atividade().MantemVivo();
    }
    return true;
}

// Replaces the index of the line's name (or adds it), case-insensitive; in one transaction, so
// that the old index comes back when the new one cannot be made.
void RecriaIndice(TdvTable& Tabela, const QStringList& Existentes, const TLinhaIndice& Linha)
{
    const auto banco = Tabela.OpenDatabase();
    TTransacao transacao(*banco);
    for (const QString& existente : Existentes)
        if (existente.compare(Linha.Nome, Qt::CaseInsensitive) == 0)
            Tabela.DeleteIndex(existente);
    Tabela.AddIndex(Linha.Nome, Linha.Campos, TIndexOption::ixCaseInsensitive);
    transacao.Confirma();
}

enum class TRecriacao { Feita, Recusada };

// The rows move by position, so only a table with the program's columns, in its order, is
// rebuilt.
void ConfereColunas(const std::vector<TFieldDef>& Atuais, const std::vector<TFieldDef>& Definidas)
{
    const bool iguais = std::equal(
        Atuais.begin(), Atuais.end(), Definidas.begin(), Definidas.end(),
        [](const TFieldDef& a, const TFieldDef& b) { return a.Name.compare(b.Name, Qt::CaseInsensitive) == 0; });
    if (!iguais)
        throw EDatabaseError(QStringLiteral("as colunas da tabela %1 não são as do programa").arg(NomeItens));
}

// Moves every row of the item table into a fresh table of the program's definition and puts that
// in its place, with the indexes, in one transaction. Recusada when rows did not fit the copy:
// the transaction is then rolled back, so the copy goes and the old table stays. Raises on a
// failure, with the same outcome.
TRecriacao RecriaTabelaItens()
{
    const auto banco = TDatabase::DaPasta(DiretorioDados());
    const QString nome = banco->NomeReal(NomeItens);
    if (nome.isEmpty())
        return TRecriacao::Feita;   // not made yet: its collection creates it with its indexes
    const std::vector<TFieldDef> campos = TColecaoPruvItem::Campos();
    const std::vector<TIndexDef> indices = TColecaoPruvItem::Indices();
    ConfereColunas(TEsquemaTabela::Le(*banco, nome).Campos, campos);
    std::vector<TIndexDef> primario;
    for (const TIndexDef& indice : indices)
        if (indice.IsPrimary())
            primario.push_back(indice);

    TTransacao transacao(*banco);
    TEsquemaTabela::Cria(*banco, NomeCopia, campos, primario);
    TBatchMove movimento;
    {
        const auto origem = CriaTabela(nome);
        const auto destino = CriaTabela(NomeCopia);
        movimento.Source = origem.get();
        movimento.Destination = destino.get();
        movimento.AbortOnKeyViol = false;
        movimento.AbortOnProblem = false;
        movimento.Execute();
    }
    if (movimento.ProblemCount() > 0 || movimento.KeyViolCount() > 0)
        return TRecriacao::Recusada;
    TEsquemaTabela::Apaga(*banco, nome);
    banco->Escreve(QStringLiteral("ALTER TABLE %1 RENAME TO %2")
                       .arg(TEsquemaTabela::Aspas(NomeCopia), TEsquemaTabela::Aspas(nome)));
    for (const TIndexDef& indice : indices)
        if (!indice.IsPrimary())
            TEsquemaTabela::AdicionaIndice(*banco, nome, indice);
    transacao.Confirma();
    return TRecriacao::Feita;
}

bool RefazTabelaItens(IProgresso& Gauge, bool LimparExclusoes)
{
    Gauge.MostraTexto((LimparExclusoes ? TextoLimpando : TextoIndexando) + NomeItens.toLower());
    try {
        return RecriaTabelaItens() == TRecriacao::Feita;
    } catch (const std::exception&) {
        // Rolled back; the flag has the index lines repair the old table, and the outcome shows
        // in the gauge's caption.
        FalhaItens = true;
        return false;
    }
}

// Each stored declaration's items left under a fund no longer stored go, with what hangs on them,
// as a deleted fund's would have gone: they can be neither seen nor delivered. False when a
// declaration's could not be deleted (its rows then stay as they were).
bool ExcluiItensSemFundo()
{
    try {
        const QStringList declaracoes = DonosDeFundo::DeclaracoesComItensSemFundo(
            *TDatabase::DaPasta(DiretorioDados()));
        if (declaracoes.isEmpty())
            return true;
        TColecaoPruv colecao;
        for (const QString& chave : declaracoes) {
            InterfaceUsuario::Atividade().MantemVivo();
            TPruv pruv;
            TErros lidos;   // faults of the stored values are not the reorganisation's
            pruv.SetErros(&lidos);
            pruv.SetChave(chave);
            if (colecao.Carrega(pruv))
                pruv.GetColecaoAnexo().ExcluiSemFundo();
        }
        return true;
    } catch (const std::exception&) {
        return false;   // the outcome shows in the gauge's caption
    }
}

bool CompactaBanco()
{
    try {
        TDatabase::DaPasta(DiretorioDados())->Compacta();
        return true;
    } catch (const EDatabaseError&) {
        return false;   // nothing was changed; the outcome shows in the gauge's caption
    }
}

bool Reorganiza(IProgresso& Gauge, bool LimparExclusoes, bool VerificaEspaco, const QString& ArquivoIndices)
{
    QStringList linhas;
    if (!QFileInfo(ArquivoIndices).isFile() || !TArquivoIndices::Le(ArquivoIndices, linhas)) {
        TErro::MostraMensagem(QStringLiteral("Arquivo ") + QDir::toNativeSeparators(ArquivoIndices)
                                  + QStringLiteral(" não encontrado. ")
                                  + QStringLiteral("Não será possível realizar a reorganização das tabelas"),
                              TipoDialogo::Erro, Botao::Ok, 0);
        return false;
    }
    // A database file that cannot be read holds no table to rebuild: said once, with its reason,
    // instead of one failure for each table.
    try {
        (void)TDatabase::DaPasta(DiretorioDados());
    } catch (const EDatabaseError& e) {
        TErro::MostraMensagem(
            TErro::FormataMensagem(CodigoMensagem::TabelaNaoAberta, ParametroAbertura(TDatabase::NomeArquivo(), e)),
            TipoDialogo::Erro, Botao::Ok, 0);
        return false;
    }
    const int quantidade = static_cast<int>(linhas.size());
    bool sucesso = true;
    bool espacoConferido = false;
    if (LimparExclusoes) {
        if (VerificaEspaco) {
            espacoConferido = true;
            const qint64 tamanho = TamanhoItens();
            if (!ConfereEspaco(tamanho < 0 ? -1 : EspacoParaCompactar(tamanho)))
                return false;
        }
        Gauge.DefineFaixa(0, quantidade + PesoCompactacao);
        sucesso = PassaTabelasCompactadas(Gauge);
    } else {
        Gauge.DefineFaixa(0, quantidade);
    }
    if (!espacoConferido && !ConfereEspaco(TamanhoItens()))
        return false;

    TCursorOcupado ampulheta;
    Gauge.Avanca(PesoAntesItens);
    if (!RefazTabelaItens(Gauge, LimparExclusoes))
        sucesso = false;
    if (!ExcluiItensSemFundo())
        sucesso = false;
    if (LimparExclusoes && !CompactaBanco())
        sucesso = false;
    Gauge.Avanca(PesoDepoisItens);

    for (const QString& linha : linhas) {
        InterfaceUsuario::Atividade().MantemVivo();
        if (!CriaIndiceDaLinha(linha, Gauge))
            return false;
    }
    return sucesso;
}

}   // namespace

qint64 EspacoParaCompactar(qint64 TamanhoItens)
{
    return (TamanhoItens * 14 + 5) / 10;
}

bool ReorganizaTabelas(IProgresso& Gauge, bool LimparExclusoes, bool VerificaEspaco, const QString& ArquivoIndices)
{
    bool sucesso = false;
    try {
        sucesso = Reorganiza(Gauge, LimparExclusoes, VerificaEspaco,
                             ArquivoIndices.isEmpty() ? TArquivoIndices::Localiza() : ArquivoIndices);
    } catch (...) {
        Gauge.MostraTexto(TextoFalha);
        throw;
    }
    if (sucesso) {
        Gauge.MostraTexto(TextoSucesso);
        FalhaItens = false;
        ErroIndice = false;
    } else {
        Gauge.MostraTexto(TextoFalha);
    }
    return sucesso;
}

bool CriaIndiceDaLinha(const QString& Linha, IProgresso& Gauge)
{
    const TLinhaIndice linha = TArquivoIndices::Separa(Linha);
    if (!FalhaItens && MesmaTabela(linha.Tabela, NomeItens))
        return true;
    Gauge.MostraTexto(TextoIndexando + linha.Tabela.toLower());
    try {
        if (TDatabase::NomeSemExtensao(linha.Tabela).isEmpty())
            throw EDatabaseError(QStringLiteral("a linha do arquivo de índices não indica nenhuma tabela"));
        const auto tabela = CriaTabela(linha.Tabela);
        if (tabela->Exists()) {
            QStringList nomes;
            tabela->GetIndexNames(nomes);   // reads the table's definition: a damaged one raises
            if (!linha.Nome.isEmpty())
                RecriaIndice(*tabela, nomes, linha);
        }
    } catch (const EDatabaseError&) {
        TErro::MostraMensagem(QStringLiteral("Não foi possível abrir a tabela ") + linha.Tabela, TipoDialogo::Erro,
                              Botao::Ok, 0);
        return false;
    } catch (const std::exception&) {
        return false;   // the outcome shows in the gauge's caption
    }
    if (Gauge.Posicao() < 100)
        Gauge.Avanca(1);
    return true;
}
