#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "model/ImprimeQString.h"
#include "model/codes/TColecaoCodigoRetencao.h"
#include "model/declaration/TColecaoAnexo.h"
#include "model/declaration/TColecaoPruv.h"
#include "model/declaration/TColecaoResumo.h"
#include "model/items/TColecaoJudicial.h"
#include "model/items/TColecaoPruvItem.h"
#include "model/people/TColecaoBeneficiario.h"
#include "model/people/TColecaoResponsavel.h"
#include "model/schema/ReorganizaTabelas.h"
#include "model/storage/OperacoesTabela.h"
#include "model/storage/TArquivoIndices.h"
#include "model/values/PastasPrograma.h"
#include "model/values/TratamentoTexto.h"
#include "platform/db/sqlite/TComando.h"
#include "platform/db/sqlite/TDatabase.h"
#include "platform/db/sqlite/TEsquemaTabela.h"
#include "platform/db/sqlite/TTransacao.h"
#include "platform/files/TEspacoEmDisco.h"
#include "platform/files/TPastas.h"
#include "platform/ui/AtividadeRegistrada.h"
#include "platform/ui/DialogosRoteirizados.h"
#include "platform/ui/ProgressoRegistrado.h"

namespace {

constexpr int LinhasItens = 6;
const QString Sucesso = QStringLiteral("Reorganização concluída com sucesso");
const QString Falha = QStringLiteral("Não foi possível concluir a reorganização");

// Three index lines of the item table and two of the beneficiaries.
const char* const LinhasIndices =
    "# test file\r\n"
    "IN_ANEXO;E_PRUV/ANEXO_DK;PRUV_ITEM_DK\\\\PruvItem.DB\r\n"
    "IN_ANEXO;E_PRUV/ANEXO_DK;TRIB_TRIBU;E_IN_PF_PJ;E_NR_PF_PJ\\IChavePruvItem\\PruvItem.DB\r\n"
    "E_PRUV_DK;E_IN_PF_PJ;E_NR_PF_PJ;TRIB_TRIBU\\IBenef\\PruvItem.DB\r\n"
    "\r\n"
    "E_PRUV_DK;IN_PF_PJ;NR_PF_PJ\\\\Benef.db\r\n"
    "IN_PF_PJ;NR_PF_PJ\\IPFPJ\\Benef.db\r\n";
constexpr int QuantidadeLinhas = 5;

bool MesmoNome(const QString& a, const QString& b)
{
    return TDatabase::NomeSemExtensao(a).compare(TDatabase::NomeSemExtensao(b), Qt::CaseInsensitive) == 0;
}

class ReorganizaTabelasTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(TPastas::Cria());
        FalhaItens = false;
        ErroIndice = false;
        banco = TDatabase::DaPasta(DiretorioDados());
        TEsquemaTabela::Cria(*banco, QStringLiteral("PruvItem"), TColecaoPruvItem::Campos(),
                             TColecaoPruvItem::Indices());
        for (int i = 1; i <= LinhasItens; ++i)
            Insere(QStringLiteral("INSERT INTO PruvItem (IN_ANEXO, \"E_PRUV/ANEXO_DK\", PRUV_ITEM_DK, E_PRUV_DK, "
                                  "TRIB_TRIBU, E_IN_PF_PJ, E_NR_PF_PJ, REND_01, IRRF_13) "
                                  "VALUES ('0', '00001', ?1, '00001', '0561', '1', ?2, ?3, 125000)"),
                   {ZerosAEsquerda(i, 7), ZerosAEsquerda(i, 9), 10002500 * i});
        TEsquemaTabela::Cria(*banco, QStringLiteral("Benef"),
                             {{QStringLiteral("E_PRUV_DK"), ftString, 5},
                              {QStringLiteral("IN_PF_PJ"), ftString, 1},
                              {QStringLiteral("NR_PF_PJ"), ftString, 12},
                              {QStringLiteral("NM_NM_EMPR"), ftString, 200}},
                             {{QString(), QStringLiteral("E_PRUV_DK;IN_PF_PJ;NR_PF_PJ"), TIndexOption::ixPrimary},
                              {QStringLiteral("IPFPJ"), QStringLiteral("IN_PF_PJ"), 0}});
        Insere(QStringLiteral("INSERT INTO Benef VALUES ('00001', '1', '111444777', 'Ana')"), {});
        indices = QDir(DiretorioPrograma()).filePath(QStringLiteral("indices.dat"));
        EscreveIndices(LinhasIndices);
        itensAntes = Linhas(QStringLiteral("PruvItem"));
    }
    void TearDown() override
    {
        FalhaItens = false;
        ErroIndice = false;
    }

    void Insere(const QString& sql, const QVariantList& valores)
    {
        TComando comando(banco->Conexao(), sql);
        for (int i = 0; i < valores.size(); ++i)
            comando.Liga(i + 1, valores[i]);
        comando.Executa();
    }
    void EscreveIndices(const char* texto)
    {
        QFile arquivo(indices);
        ASSERT_TRUE(arquivo.open(QIODevice::WriteOnly | QIODevice::Truncate));
        arquivo.write(texto);
    }
    // Every row, in key order, as text; the columns that case-insensitive indexes add are left out.
    QStringList Linhas(const QString& tabela)
    {
        QStringList colunas;
        for (const TFieldDef& campo : TEsquemaTabela::Le(*banco, tabela).Campos)
            colunas << TEsquemaTabela::Aspas(campo.Name);
        QStringList linhas;
        TComando c(banco->Conexao(),
                   QStringLiteral("SELECT %1 FROM %2 ORDER BY 1, 2, 3").arg(colunas.join(QLatin1Char(',')), tabela));
        while (c.Passo()) {
            QStringList valores;
            for (int i = 0; i < c.Colunas(); ++i)
                valores << c.Valor(i).toString();
            linhas << valores.join(QLatin1Char('|'));
        }
        return linhas;
    }
    // "name=fields" of every index, the primary one first, with "*" for a case-insensitive one.
    QStringList Indices(const QString& tabela)
    {
        QStringList lista;
        for (const TIndexDef& i : TEsquemaTabela::Le(*banco, tabela).Indices)
            lista << i.Name + QLatin1Char('=') + i.Fields + (i.IsCaseInsensitive() ? QStringLiteral("*") : QString());
        return lista;
    }
    bool Reorganiza(bool limpar, bool verifica = true) { return ReorganizaTabelas(gauge, limpar, verifica, indices); }

    DialogosRoteirizados dialogos;
    AtividadeRegistrada atividade;
    ProgressoRegistrado gauge;
    std::shared_ptr<TDatabase> banco;
    QString indices;
    QStringList itensAntes;
};

}   // namespace

TEST_F(ReorganizaTabelasTest, MissingIndexFileStopsBeforeAnythingChanges)
{
    ErroIndice = true;
    indices = QDir(DiretorioPrograma()).filePath(QStringLiteral("outro.dat"));
    EXPECT_FALSE(Reorganiza(true));
    ASSERT_EQ(dialogos.Mensagens().size(), 1u);
    EXPECT_EQ(dialogos.Mensagens()[0].Texto,
              QStringLiteral("Arquivo ") + indices
                  + QStringLiteral(" não encontrado. Não será possível realizar a "
                                   "reorganização das tabelas"));
    EXPECT_EQ(dialogos.Mensagens()[0].Tipo, TipoDialogo::Erro);
    EXPECT_EQ(gauge.Textos(), QStringList{Falha});
    EXPECT_TRUE(ErroIndice);
    EXPECT_EQ(Indices(QStringLiteral("Benef")).last(), QStringLiteral("IPFPJ=IN_PF_PJ"));
}

TEST_F(ReorganizaTabelasTest, ADatabaseFileThatCannotBeReadIsSaidOnceAndLeftAsItIs)
{
    ErroIndice = true;
    banco.reset();
    const QString arquivo = QDir(DiretorioDados()).filePath(TDatabase::NomeArquivo());
    QFile estragado(arquivo);
    ASSERT_TRUE(estragado.open(QIODevice::WriteOnly | QIODevice::Truncate));
    estragado.write(QByteArray(8192, 'x'));
    estragado.close();

    EXPECT_FALSE(Reorganiza(true));
    ASSERT_EQ(dialogos.Mensagens().size(), 1u);
    EXPECT_EQ(dialogos.Mensagens()[0].Texto,
              QStringLiteral("Não foi possivel abrir a tabela pruv2003.db.  Erro Retornado: "
                             "o arquivo não é um banco de dados válido."));
    EXPECT_EQ(gauge.Textos(), QStringList{Falha});
    EXPECT_TRUE(ErroIndice);
    QFile depois(arquivo);
    ASSERT_TRUE(depois.open(QIODevice::ReadOnly));
    EXPECT_EQ(depois.readAll(), QByteArray(8192, 'x'));   // only a restore may replace it
}

TEST_F(ReorganizaTabelasTest, RebuildsTheItemTableAndTheIndexesAndClearsBothFlags)
{
    ErroIndice = true;
    FalhaItens = true;   // left from an earlier failure: the item lines are applied too
    const QStringList indicesItens = Indices(QStringLiteral("PruvItem"));
    EXPECT_TRUE(ReorganizaTabelas(gauge, false, true));   // the program folder's indices.dat
    EXPECT_FALSE(ErroIndice);
    EXPECT_FALSE(FalhaItens);
    EXPECT_TRUE(dialogos.Mensagens().empty());
    EXPECT_EQ(Linhas(QStringLiteral("PruvItem")), itensAntes);
    EXPECT_EQ(
        Indices(QStringLiteral("Benef")),
        (QStringList{QStringLiteral("=E_PRUV_DK;IN_PF_PJ;NR_PF_PJ"), QStringLiteral("IPFPJ=IN_PF_PJ;NR_PF_PJ*")}));
    EXPECT_EQ(Indices(QStringLiteral("PruvItem")),
              (QStringList{indicesItens[0], indicesItens[1] + QLatin1Char('*'), indicesItens[2],
                           indicesItens[3] + QLatin1Char('*'), indicesItens[4], indicesItens[5]}));
    EXPECT_TRUE(banco->NomeReal(QStringLiteral("Restemp")).isEmpty());
    EXPECT_EQ(gauge.Textos(),
              (QStringList{QStringLiteral("Indexando pruvitem.db"), QStringLiteral("Indexando pruvitem.db"),
                           QStringLiteral("Indexando pruvitem.db"), QStringLiteral("Indexando pruvitem.db"),
                           QStringLiteral("Indexando benef.db"), QStringLiteral("Indexando benef.db"), Sucesso}));
    EXPECT_EQ(atividade.Profundidade(), 0);
}

TEST_F(ReorganizaTabelasTest, PackingPassShowsEachTableWithItsWeight)
{
    EXPECT_TRUE(Reorganiza(true));
    EXPECT_EQ(gauge.Maximo(), QuantidadeLinhas + 15);
    const QStringList tabelas{
        QStringLiteral("anexo.db"),    QStringLiteral("benef.db"),   QStringLiteral("compvel.db"),
        QStringLiteral("comprpf.db"),  QStringLiteral("comprpj.db"), QStringLiteral("pruv.db"),
        QStringLiteral("infocomp.db"), QStringLiteral("resumo.db"),  QStringLiteral("pruvitem.db")};
    QStringList esperados;
    for (const QString& t : tabelas)
        esperados << QStringLiteral("Limpando exclusões ") + t;
    esperados << QStringLiteral("Indexando benef.db") << QStringLiteral("Indexando benef.db") << Sucesso;
    EXPECT_EQ(gauge.Textos(), esperados);
    // 2, 3, 1, 1, 1, 4, 1, 2 for the tables; 1 before and 4 after the item table; the lines.
    EXPECT_EQ(gauge.Posicoes(), (std::vector<int>{2, 5, 6, 7, 8, 12, 13, 15, 16, 20, 20, 20}));
    EXPECT_EQ(Linhas(QStringLiteral("PruvItem")), itensAntes);
}

TEST_F(ReorganizaTabelasTest, PackingGivesBackTheSpaceOfDeletedRows)
{
    {
        TTransacao transacao(*banco);
        for (int i = 0; i < 3000; ++i)
            Insere(QStringLiteral("INSERT INTO Benef VALUES ('00002', '1', ?1, ?2)"),
                   {ZerosAEsquerda(i, 9), QString(150, QLatin1Char('x'))});
        transacao.Confirma();
    }
    banco->Escreve(QStringLiteral("DELETE FROM Benef WHERE E_PRUV_DK = '00002'"));
    const QString arquivo = banco->Arquivo();
    const qint64 antes = QFileInfo(arquivo).size();

    EXPECT_TRUE(Reorganiza(false));
    EXPECT_GE(QFileInfo(arquivo).size(), antes);   // only the packing gives space back
    EXPECT_TRUE(Reorganiza(true));
    EXPECT_LT(QFileInfo(arquivo).size(), antes / 2);
    EXPECT_EQ(Linhas(QStringLiteral("PruvItem")), itensAntes);
    EXPECT_EQ(Linhas(QStringLiteral("Benef")).size(), 1);
}

TEST_F(ReorganizaTabelasTest, InterruptedRebuildLosesNoRowAndRepairsTheOldTable)
{
    // Writes of the rebuild: the copy's table, one per row, dropping the old table, renaming the
    // copy, one per index. The last case is not a fault: rows move by position, so a table whose
    // columns are not the program's is not rebuilt.
    const struct {
        const char* passo;
        int escritasAntes;   // -1: no fault
    } casos[] = {
        {"creating the copy", 0},
        {"moving the rows", 3},
        {"dropping the old table", LinhasItens + 1},
        {"renaming the copy", LinhasItens + 2},
        {"indexing the copy", LinhasItens + 4},
        {"a column of another name", -1},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.passo);
        banco->Escreve(QStringLiteral("DROP INDEX IF EXISTS \"PruvItem$IBenef\""));
        FalhaItens = false;
        ErroIndice = true;
        gauge.DefineFaixa(0, 0);
        if (c.escritasAntes >= 0)
            banco->FalhaNaProximaEscrita(c.escritasAntes);
        else
            banco->Escreve(QStringLiteral("ALTER TABLE PruvItem RENAME COLUMN IRRF_13 TO IRRF_XIII"));

        EXPECT_FALSE(Reorganiza(false));
        EXPECT_TRUE(FalhaItens);
        EXPECT_TRUE(ErroIndice);
        EXPECT_EQ(gauge.Textos().last(), Falha);
        EXPECT_EQ(Linhas(QStringLiteral("PruvItem")), itensAntes);
        EXPECT_TRUE(banco->NomeReal(QStringLiteral("Restemp")).isEmpty());
        // The item lines were applied to the old table: the lost index is back.
        EXPECT_TRUE(Indices(QStringLiteral("PruvItem"))
                        .contains(QStringLiteral("IBenef=E_PRUV_DK;E_IN_PF_PJ;E_NR_PF_PJ;TRIB_TRIBU*")));
    }
}

TEST_F(ReorganizaTabelasTest, RowsThatDoNotFitTheCopyKeepTheOldTable)
{
    Insere(QStringLiteral("INSERT INTO PruvItem (IN_ANEXO, \"E_PRUV/ANEXO_DK\", PRUV_ITEM_DK, REND_01) "
                          "VALUES ('0', '00001', '0000099', 'abc')"),
           {});
    itensAntes = Linhas(QStringLiteral("PruvItem"));
    banco->Escreve(QStringLiteral("DROP INDEX \"PruvItem$IBenef\""));

    EXPECT_FALSE(Reorganiza(false));
    EXPECT_FALSE(FalhaItens);
    EXPECT_EQ(Linhas(QStringLiteral("PruvItem")), itensAntes);
    EXPECT_TRUE(banco->NomeReal(QStringLiteral("Restemp")).isEmpty());
    // The item lines were still skipped, the other tables indexed.
    EXPECT_EQ(Indices(QStringLiteral("PruvItem")).filter(QStringLiteral("IBenef=")), QStringList{});
    EXPECT_EQ(Indices(QStringLiteral("Benef")).last(), QStringLiteral("IPFPJ=IN_PF_PJ;NR_PF_PJ*"));
    EXPECT_EQ(gauge.Textos().last(), Falha);
}

TEST_F(ReorganizaTabelasTest, FreeSpaceRule)
{
    enum TBase { Compactar, Itens, Desconhecido };
    const struct {
        bool limpar;
        bool verifica;
        TBase base;   // the free space given: 1.4 times the item table, the item table, or unknown
        int folga;
        std::vector<int> codigos;
        bool sucesso;
    } casos[] = {
        {true, true, Compactar, -1, {151}, false},
        {true, true, Compactar, 0, {}, true},
        {true, false, Itens, -1, {151}, false},   // checked as without packing
        {true, false, Itens, 0, {}, true},
        {false, true, Itens, -1, {151}, false},
        {false, false, Itens, -1, {151}, false},   // without packing the space is always checked
        {false, false, Itens, 0, {}, true},
        {true, true, Desconhecido, 0, {152}, true},   // a volume that cannot tell only warns
        {false, true, Desconhecido, 0, {152}, true},
    };
    for (const auto& c : casos) {
        const qint64 itens = banco->TamanhoTabela(QStringLiteral("PruvItem"));
        ASSERT_GT(itens, 0);
        const qint64 livre = c.base == Desconhecido
            ? -1
            : (c.base == Compactar ? EspacoParaCompactar(itens) : itens) + c.folga;
        SCOPED_TRACE(testing::Message() << c.limpar << c.verifica << ' ' << livre);
        dialogos.Limpa();
        const auto textosAntes = gauge.Textos().size();
        TEspacoEmDisco::Simulacao simulacao(livre);
        EXPECT_EQ(Reorganiza(c.limpar, c.verifica), c.sucesso);
        EXPECT_EQ(dialogos.Codigos(), c.codigos);
        if (!c.codigos.empty()) {
            EXPECT_EQ(dialogos.Mensagens()[0].Tipo, c.codigos[0] == 151 ? TipoDialogo::Aviso : TipoDialogo::Informacao);
        }
        if (!c.sucesso) {
            // Stopped before the item table: at most the packing pass was shown.
            const QStringList textos = gauge.Textos().mid(textosAntes);
            EXPECT_FALSE(textos.contains(QStringLiteral("Indexando pruvitem.db")));
            EXPECT_FALSE(textos.contains(QStringLiteral("Limpando exclusões pruvitem.db")));
            EXPECT_FALSE(textos.contains(QStringLiteral("Indexando benef.db")));
            EXPECT_EQ(textos.last(), Falha);
        }
        EXPECT_EQ(Linhas(QStringLiteral("PruvItem")), itensAntes);
    }
}

TEST(EspacoParaCompactar, IsThePackedTableTimesOnePointFourRounded)
{
    const struct {
        qint64 tamanho;
        qint64 necessario;
    } casos[] = {{0, 0}, {1, 1}, {3, 4}, {5, 7}, {1000000, 1400000}, {4096, 5734}};
    for (const auto& c : casos)
        EXPECT_EQ(EspacoParaCompactar(c.tamanho), c.necessario) << c.tamanho;
}

TEST_F(ReorganizaTabelasTest, EachLineReplacesOrCreatesItsIndex)
{
    const struct {
        const char* linha;
        bool aplicada;
        const char* indices;   // of Benef afterwards
        const char* mensagem;
    } casos[] = {
        {"NR_PF_PJ;IN_PF_PJ\\ipfpj\\BENEF.DB", true, "=E_PRUV_DK;IN_PF_PJ;NR_PF_PJ,ipfpj=NR_PF_PJ;IN_PF_PJ*", nullptr},
        {"NM_NM_EMPR\\INome\\Benef", true, "=E_PRUV_DK;IN_PF_PJ;NR_PF_PJ,INome=NM_NM_EMPR*,ipfpj=NR_PF_PJ;IN_PF_PJ*",
         nullptr},
        {"IN_PF_PJ\\\\Benef.db", true, "=E_PRUV_DK;IN_PF_PJ;NR_PF_PJ,INome=NM_NM_EMPR*,ipfpj=NR_PF_PJ;IN_PF_PJ*",
         nullptr},
        // The old index stays when the new one cannot be made.
        {"NENHUM\\IPFPJ\\Benef.db", false, "=E_PRUV_DK;IN_PF_PJ;NR_PF_PJ,INome=NM_NM_EMPR*,ipfpj=NR_PF_PJ;IN_PF_PJ*",
         "Não foi possível abrir a tabela Benef.db"},
        {"IN_PF_PJ\\IPFPJ", false, "=E_PRUV_DK;IN_PF_PJ;NR_PF_PJ,INome=NM_NM_EMPR*,ipfpj=NR_PF_PJ;IN_PF_PJ*",
         "Não foi possível abrir a tabela "},
        // Not made yet: its collection creates it with its indexes.
        {"NR_PF\\\\Respons.db", true, "=E_PRUV_DK;IN_PF_PJ;NR_PF_PJ,INome=NM_NM_EMPR*,ipfpj=NR_PF_PJ;IN_PF_PJ*",
         nullptr},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.linha);
        dialogos.Limpa();
        gauge.DefineFaixa(0, 200);
        EXPECT_EQ(CriaIndiceDaLinha(QLatin1String(c.linha), gauge), c.aplicada);
        EXPECT_EQ(Indices(QStringLiteral("Benef")).join(QLatin1Char(',')), QString::fromUtf8(c.indices));
        EXPECT_EQ(gauge.Posicao(), c.aplicada ? 1 : 0);
        EXPECT_EQ(dialogos.Textos(), c.mensagem ? QStringList{QString::fromUtf8(c.mensagem)} : QStringList{});
    }

    // The gauge stops advancing at 100.
    gauge.DefinePosicao(100);
    EXPECT_TRUE(CriaIndiceDaLinha(QStringLiteral("IN_PF_PJ\\IPFPJ\\Benef.db"), gauge));
    EXPECT_EQ(gauge.Posicao(), 100);
}

TEST_F(ReorganizaTabelasTest, FirstFailedLineEndsThePassAndKeepsErroIndice)
{
    ErroIndice = true;
    EscreveIndices("NENHUM\\IPFPJ\\Benef.db\n"
                   "NM_NM_EMPR\\INome\\Benef.db\n");
    EXPECT_FALSE(Reorganiza(false));
    EXPECT_TRUE(ErroIndice);
    EXPECT_FALSE(FalhaItens);
    EXPECT_EQ(dialogos.Textos(), QStringList{QStringLiteral("Não foi possível abrir a tabela Benef.db")});
    EXPECT_EQ(Indices(QStringLiteral("Benef")).join(QLatin1Char(',')),
              QStringLiteral("=E_PRUV_DK;IN_PF_PJ;NR_PF_PJ,IPFPJ=IN_PF_PJ"));
    EXPECT_EQ(Linhas(QStringLiteral("PruvItem")), itensAntes);   // rebuilt before the lines
    EXPECT_EQ(atividade.Profundidade(), 0);
}

TEST_F(ReorganizaTabelasTest, ShippedIndexFileFitsTheCollectionsTables)
{
    indices = QStringLiteral(PRUV_PASTA_RECURSOS "/indices.dat");
    QStringList linhas;
    ASSERT_TRUE(TArquivoIndices::Le(indices, linhas));
    const QStringList tabelas = QStringLiteral("Pruv PruvItem Judicial Resumo Benef Anexo Respons Compvel InfoComp "
                                               "ComprPf ComprPj CodRet")
                                    .split(QLatin1Char(' '));
    // The tables of the collections keep their definitions, case aside.
    const struct {
        QString tabela;
        std::vector<TFieldDef> campos;
        std::vector<TIndexDef> indices;
    } definidas[] = {
        {TColecaoCodigoRetencao::NomeArquivo(), TColecaoCodigoRetencao::Campos(), TColecaoCodigoRetencao::Indices()},
        {TColecaoResponsavel::NomeArquivo(), TColecaoResponsavel::Campos(), TColecaoResponsavel::Indices()},
        {TColecaoPruvItem::NomeArquivo(), TColecaoPruvItem::Campos(), TColecaoPruvItem::Indices()},
        {TColecaoBeneficiario::NomeArquivo(), TColecaoBeneficiario::Campos(), TColecaoBeneficiario::Indices()},
        {TColecaoJudicial::NomeArquivo(), TColecaoJudicial::Campos(), TColecaoJudicial::Indices()},
        {TColecaoResumo::NomeArquivo(), TColecaoResumo::Campos(), TColecaoResumo::Indices()},
        {TColecaoPruv::NomeArquivo(), TColecaoPruv::Campos(), TColecaoPruv::Indices()},
        {TColecaoAnexo::NomeArquivo(), TColecaoAnexo::Campos(), TColecaoAnexo::Indices()},
    };
    for (const QString& linha : linhas) {
        SCOPED_TRACE(linha.toStdString());
        const TLinhaIndice partes = TArquivoIndices::Separa(linha);
        EXPECT_FALSE(partes.Campos.isEmpty());
        EXPECT_TRUE(tabelas.contains(TDatabase::NomeSemExtensao(partes.Tabela)));
        for (const auto& d : definidas) {
            if (partes.Nome.isEmpty() && MesmoNome(d.tabela, partes.Tabela)) {
                EXPECT_EQ(partes.Campos, d.indices[0].Fields);   // the primary index
            }
        }
    }
    for (const auto& d : definidas)
        TEsquemaTabela::Cria(*banco, d.tabela, d.campos, d.indices);
    EXPECT_TRUE(Reorganiza(true));
    for (const auto& d : definidas) {
        SCOPED_TRACE(d.tabela.toStdString());
        QStringList esperados;
        for (const TIndexDef& i : d.indices)
            esperados << i.Name + QLatin1Char('=') + i.Fields;
        QStringList obtidos = Indices(d.tabela);
        for (QString& i : obtidos)
            i.remove(QLatin1Char('*'));
        std::sort(esperados.begin() + 1, esperados.end());
        std::sort(obtidos.begin() + 1, obtidos.end());
        EXPECT_EQ(obtidos, esperados);
    }
}
