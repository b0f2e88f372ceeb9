#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <sys/wait.h>
#include <unistd.h>
#include <gtest/gtest.h>

#include "exchange/FonteSimulada.h"
#include "exchange/delivery/ResultadoEntrega.h"
#include "exchange/delivery/TArquivoPruv.h"
#include "model/codes/TColecaoCodigoRetencao.h"
#include "model/declaration/TAnexoFC.h"
#include "model/declaration/TColecaoAnexo.h"
#include "model/declaration/TColecaoPruv.h"
#include "model/declaration/TDeclaranteAnexo.h"
#include "model/items/TColecaoPruvItem.h"
#include "model/items/TPruvItem.h"
#include "platform/db/sqlite/TDatabase.h"
#include "platform/db/sqlite/TTransacao.h"
#include "platform/files/TFalhasDeArquivo.h"
#include "platform/files/TPastas.h"
#include "platform/files/TVolumes.h"
#include "platform/ui/DialogosRoteirizados.h"
#include "support/FalhasDeDisco.h"
#include "support/ProgramaDeTeste.h"

namespace {

using S = TItemEntrega::TSerie;

QByteArray Le(const QString& caminho)
{
    QFile arquivo(caminho);
    return arquivo.open(QIODevice::ReadOnly) ? arquivo.readAll() : QByteArray();
}

void Grava(const QString& caminho, const QByteArray& bytes)
{
    QFile arquivo(caminho);
    ASSERT_TRUE(arquivo.open(QIODevice::WriteOnly | QIODevice::Truncate));
    arquivo.write(bytes);
}

// The declarations of a golden file stored through the model, as the screens would store them.
class TFontePruvTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(TPastas::Cria());
        TColecaoCodigoRetencao(QStringLiteral("2002"), QStringLiteral(PRUV_PASTA_RECURSOS "/CodRet.txt"));
        colecao = std::make_unique<TColecaoPruv>();
        TVolumes::DefinePastaBase(ProgramaDeTeste::Pasta());
    }
    void TearDown() override { TVolumes::DefinePastaBase(QString()); }

    std::unique_ptr<TPruv> Armazena(const FonteSimulada::Declaracao& origem)
    {
        const TDeclaracaoEntrega& d = origem.Dados;
        auto pruv = std::make_unique<TPruv>();
        pruv->SetErros(&erros);
        pruv->GetDeclarante().SetNi(d.Ni);
        pruv->GetDeclarante().Nome().SetTexto(d.Nome);
        pruv->SetAno(d.Ano);
        // A branch has none of nature 0: it keeps the empty nature, whose code is 0 as well.
        if (const TNatureza* natureza = pruv->GetNaturezas().GetDisponivel(static_cast<std::uint8_t>(d.Natureza)))
            pruv->SetNatureza(*natureza);
        pruv->GetNiEstabResponsavel().SetNi(d.Ni);
        pruv->GetRespCnpj().SetNi(d.CpfRespCnpj);
        TResponsavel& r = pruv->GetResponsavel();
        r.SetNi(d.Responsavel.Cpf);
        r.Nome().SetTexto(d.Responsavel.Nome);
        r.Fone().DDD().SetTexto(d.Responsavel.DDD);
        r.Fone().Numero().SetTexto(d.Responsavel.Fone);
        for (const auto& [parte, texto] : {std::pair<TDadoBasico*, QString>{&r.Fone().Ramal(), d.Responsavel.Ramal},
                                           {&r.Fax().Numero(), d.Responsavel.Fax},
                                           {&r.Email(), d.Responsavel.Email}})
            if (!texto.isEmpty())   // optional parts stay empty
                parte->SetTexto(texto);
        colecao->Inclui(*pruv);
        ArmazenaItens(*pruv, *pruv, origem.Itens);
        for (const auto& [dados, itens] : origem.Anexos) {
            TAnexoFC anexo(*pruv);
            anexo.GetFundo().SetNi(dados.Ni);
            anexo.GetFundo().Nome().SetTexto(dados.Nome);
            pruv->GetColecaoAnexo().Salva(anexo);
            ArmazenaItens(*pruv, anexo, itens);
        }
        pruv->LiberaItens();
        EXPECT_TRUE(erros.Vazia()) << (erros.Vazia() ? "" : erros.Items(0).what());
        return pruv;
    }

    void ArmazenaItens(TPruv& pruv, TPruvAnexo& dono, const std::vector<TItemEntrega>& itens)
    {
        for (const TItemEntrega& origem : itens) {
            TPruvItem item(pruv, dono);
            item.GetCodigoRetencao().SetCodigo(origem.Codigo);
            pruv.GetColecaoCodigoRetencao().BuscaCodigo(item.GetCodigoRetencao(), item.GetInAnexo());
            item.GetBeneficiario().SetNi(origem.NiBeneficiario);
            item.GetBeneficiario().Nome().SetTexto(origem.NomeBeneficiario);
            for (int mes = 1; mes <= TItemEntrega::Meses; ++mes) {
                item.GetValores().GetRendimento(mes).SetValor(origem.Valor(S::Rendimento, mes));
                item.GetValores().GetDeducao(mes).SetValor(origem.Valor(S::Deducao, mes));
                item.GetValores().GetImposto(mes).SetValor(origem.Valor(S::Imposto, mes));
                item.GetCompensacao().GetCompensacaoAnosAnteriores(mes).SetValor(
                    origem.Valor(S::CompensacaoAnosAnteriores, mes));
                item.GetCompensacao().GetCompensacaoAno(mes).SetValor(origem.Valor(S::CompensacaoAno, mes));
                item.GetSubJudice().GetRendimento(mes).SetValor(origem.Valor(S::RendimentoSubJudice, mes));
                item.GetSubJudice().GetDeducao(mes).SetValor(origem.Valor(S::DeducaoSubJudice, mes));
                item.GetSubJudice().GetImposto(mes).SetValor(origem.Valor(S::ImpostoSubJudice, mes));
                item.GetSubJudice().GetDeposito(mes).SetValor(origem.Valor(S::Deposito, mes));
            }
            ASSERT_EQ(dono.GetItens().Salva(item), TColecaoPruvItem::Inserido);
        }
    }

    // The stored declaration of the same year and declarant, read again.
    TPruv& Lida(const TPruv& declaracao)
    {
        relida = std::make_unique<TPruv>();
        relida->SetErros(&erros);
        relida->GetDeclarante().SetNi(declaracao.GetDeclarante().GetNi());
        relida->SetAno(declaracao.GetAno());
        EXPECT_TRUE(colecao->Carrega(*relida));
        return *relida;
    }

    // A run of the writer at noon of that day of March 2003, answering Yes to the overwrite
    // question. Day 14 is day 37694 of the model's dates.
    TResultadoGeracao Gera(TPruv& aberta, const Cenario& c, int dia)
    {
        dialogos.Limpa();
        dialogos.Responde(Resposta::Sim);
        TArquivoPruv writer;
        writer.DefineRelogio([dia] { return QDateTime(QDate(2003, 3, dia), QTime(12, 0)); });
        return writer.Gera(aberta, *colecao, c.Pedido(TVolumes::Lista().first()));
    }

    TErros erros;
    DialogosRoteirizados dialogos;
    std::unique_ptr<TColecaoPruv> colecao;
    std::unique_ptr<TPruv> relida;
};

}   // namespace

TEST_F(TFontePruvTest, StoredDeclarationsAreWrittenAsTheGoldenFilesAndRecordTheirGeneration)
{
    const struct {
        const char* ouro;
        Cenario (*cenario)();
    } casos[] = {
        {"pj-dois-estab.txt", EmpresaDoisEstabelecimentos},
        {"administradora-fundos.txt", AdministradoraDeFundos},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.ouro);
        const Cenario c = caso.cenario();
        std::vector<std::unique_ptr<TPruv>> armazenadas;
        for (const auto& declaracao : c.Fonte.Declaracoes)
            armazenadas.push_back(Armazena(declaracao));
        TPruv& aberta = *armazenadas.front();

        TArquivoPruv writer;
        writer.DefineRelogio([] { return QDateTime(QDate(2003, 3, 14), QTime(12, 0)); });
        ASSERT_EQ(writer.Gera(aberta, *colecao, c.Pedido(TVolumes::Lista().first())).Codigo, ResultadoEntrega::Ok);
        EXPECT_EQ(Le(TPastas::Dados() + QStringLiteral("/Declar.txt")),
                  Le(QStringLiteral(PRUV_PASTA_OURO "/") + QLatin1String(caso.ouro)));

        // 14/03/2003 12:00 is day 37694.5 of the model's dates.
        for (TPruv* declaracao : {&aberta, armazenadas.back().get()}) {
            TPruv lida;
            lida.SetErros(&erros);
            lida.GetDeclarante().SetNi(declaracao->GetDeclarante().GetNi());
            lida.SetAno(QStringLiteral("2002"));
            ASSERT_TRUE(colecao->Carrega(lida));
            EXPECT_EQ(lida.GetDataGeracao(), 37694.5);
            EXPECT_EQ(lida.GetNrEstabelecimentos(), c.Chaves.size());
            EXPECT_EQ(lida.GetNrDisquetes(), 1);
            EXPECT_EQ(lida.GetNiEstabResponsavel().GetNi(), aberta.GetDeclarante().GetNi());
        }
        EXPECT_EQ(aberta.GetNrDisquetes(), 1);
        for (auto& declaracao : armazenadas)
            colecao->Exclui(*declaracao);
    }
}

TEST_F(TFontePruvTest, AnEstablishmentThatLoadsWithAnErrorStopsTheDeliveryWithIt)
{
    const Cenario c = EmpresaDoisEstabelecimentos();
    std::vector<std::unique_ptr<TPruv>> armazenadas;
    for (const auto& declaracao : c.Fonte.Declaracoes)
        armazenadas.push_back(Armazena(declaracao));
    // The branch's stored name is one the model refuses (78: too short for a company).
    {
        const auto banco = TDatabase::DaPasta(TPastas::Dados());
        TTransacao transacao(*banco);
        TComando& comando = banco->Comando(QStringLiteral("UPDATE Pruv SET NM_NM_EMPR = 'AB' WHERE PRUV_DK = ?"));
        comando.LigaTexto(1, armazenadas.back()->GetChave());
        banco->Escreve(comando);
        transacao.Confirma();
    }
    TArquivoPruv writer;
    const TResultadoGeracao resultado = writer.Gera(*armazenadas.front(), *colecao,
                                                    c.Pedido(TVolumes::Lista().first()));
    EXPECT_EQ(resultado.Codigo, 78);
    EXPECT_TRUE(resultado.Texto.startsWith(TErro::Mensagem(78).section(QLatin1Char('%'), 0, 0)))
        << resultado.Texto.toStdString();
    EXPECT_TRUE(dialogos.Mensagens().empty());
    EXPECT_FALSE(QFileInfo::exists(ProgramaDeTeste::Pasta() + QStringLiteral("/Declaracoes Gravadas XEQ")));
}

// The generation is recorded only with the delivery file in place: a failure at the packing's
// very last step (the rename of the file) leaves the stored declarations and the open one as
// they were, and no file.
TEST_F(TFontePruvTest, ADeliveryFileThatCannotBePutInPlaceRecordsNoGeneration)
{
    const Cenario c = EmpresaDoisEstabelecimentos();
    std::vector<std::unique_ptr<TPruv>> armazenadas;
    for (const auto& declaracao : c.Fonte.Declaracoes)
        armazenadas.push_back(Armazena(declaracao));
    TPruv& aberta = *armazenadas.front();
    const QString estabelecimento = aberta.GetNiEstabResponsavel().GetNi();
    TFalhasDeArquivo::Instala([](TFalhasDeArquivo::Operacao operacao, const QString& caminho) {
        return operacao == TFalhasDeArquivo::Renomeacao && caminho.endsWith(QLatin1String(".dec"))
            ? TFalhasDeArquivo::Efeito::DiscoCheio
            : TFalhasDeArquivo::Efeito::Nenhum;
    });
    TArquivoPruv writer;
    const TResultadoGeracao resultado = writer.Gera(aberta, *colecao, c.Pedido(TVolumes::Lista().first()));
    TFalhasDeArquivo::Instala({});
    EXPECT_EQ(resultado.Codigo, ResultadoEntrega::FalhaCompactacao);
    EXPECT_FALSE(QFileInfo::exists(resultado.Arquivo));
    EXPECT_FALSE(QFileInfo::exists(TPastas::Dados() + QStringLiteral("/Recibo.ini")));
    for (const auto& declaracao : armazenadas) {
        TPruv lida;
        lida.SetErros(&erros);
        lida.GetDeclarante().SetNi(declaracao->GetDeclarante().GetNi());
        lida.SetAno(QStringLiteral("2002"));
        ASSERT_TRUE(colecao->Carrega(lida));
        EXPECT_EQ(lida.GetDataGeracao(), 0);
        EXPECT_EQ(lida.GetNrEstabelecimentos(), 0);
    }
    EXPECT_EQ(aberta.GetDataGeracao(), 0);
    EXPECT_EQ(aberta.GetNrEstabelecimentos(), 0);
    EXPECT_EQ(aberta.GetNiEstabResponsavel().GetNi(), estabelecimento);
}

// A failure of the database once the new delivery file is written (while the volumes are
// recorded, or at the commit) puts the earlier file back as it was, records nothing and gives
// the open declaration back what it had; a run that gets past the fault has the new file in
// place and recorded. Each of the database's writes, syncs and truncations fails in turn, once.
TEST_F(TFontePruvTest, ADatabaseFailureAfterTheFileIsWrittenKeepsTheEarlierOne)
{
    const Cenario c = EmpresaDoisEstabelecimentos();
    std::vector<std::unique_ptr<TPruv>> armazenadas;
    for (const auto& declaracao : c.Fonte.Declaracoes)
        armazenadas.push_back(Armazena(declaracao));
    TPruv& aberta = *armazenadas.front();
    // An earlier run on the 13th; the trials run on the 14th (the receipt data then differ).
    const TResultadoGeracao primeira = Gera(aberta, c, 13);
    ASSERT_EQ(primeira.Codigo, ResultadoEntrega::Ok);
    const QString dec = primeira.Arquivo;
    const QByteArray anterior = Le(dec);
    int falhas = 0;
    for (int k = 0;; ++k) {
        SCOPED_TRACE(k);
        Grava(dec, anterior);
        TResultadoGeracao resultado;
        bool disparou = false;
        {
            FalhasDeDisco::Armada armada({k, FalhasDeDisco::Todas, false, k % 2 == 1});
            resultado = Gera(aberta, c, 14);
            disparou = FalhasDeDisco::Disparou();
        }
        const bool ok = resultado.Codigo == ResultadoEntrega::Ok;
        if (ok) {
            EXPECT_TRUE(Le(dec) != anterior) << "the earlier delivery file is still there";
            EXPECT_TRUE(Le(dec).startsWith("PRUV    2003"));
        } else {
            ++falhas;
            EXPECT_TRUE(Le(dec) == anterior) << "the earlier delivery file is not as it was";
            EXPECT_FALSE(resultado.Texto.isEmpty()) << "a failure told by its code alone";
        }
        const double data = ok ? 37694.5 : 37693.5;
        for (const auto& declaracao : armazenadas)
            EXPECT_DOUBLE_EQ(Lida(*declaracao).GetDataGeracao(), data);
        EXPECT_DOUBLE_EQ(aberta.GetDataGeracao(), data);
        EXPECT_EQ(QDir(QFileInfo(dec).path()).entryList(QDir::Files | QDir::Hidden).join(QLatin1Char(' ')),
                  QFileInfo(dec).fileName());
        if (!disparou || ::testing::Test::HasFailure())
            break;
    }
    EXPECT_GT(falhas, 0);
}

// A database that keeps failing from one of its calls on, during the run and the taking back of
// what the run recorded: the failure is shown and the program goes on (each trial runs in a
// child process, which must end by itself).
TEST_F(TFontePruvTest, ADatabaseThatKeepsFailingIsShownAndTheProgramGoesOn)
{
    const Cenario c = EmpresaDoisEstabelecimentos();
    std::vector<std::unique_ptr<TPruv>> armazenadas;
    for (const auto& declaracao : c.Fonte.Declaracoes)
        armazenadas.push_back(Armazena(declaracao));
    TPruv& aberta = *armazenadas.front();
    const TResultadoGeracao primeira = Gera(aberta, c, 13);
    ASSERT_EQ(primeira.Codigo, ResultadoEntrega::Ok);
    const QByteArray anterior = Le(primeira.Arquivo);
    enum : int { Mostrou = 0, Calado = 1, NaoDisparou = 2, Anterior = 4 };
    for (int k = 0;; ++k) {
        SCOPED_TRACE(k);
        std::fflush(nullptr);
        const pid_t filho = ::fork();
        if (filho == 0) {
            FalhasDeDisco::Arma({k, FalhasDeDisco::Todas, true, k % 2 == 1});
            const TResultadoGeracao resultado = Gera(aberta, c, 14);
            const bool ok = resultado.Codigo == ResultadoEntrega::Ok;
            const int situacao = (FalhasDeDisco::Disparou() ? 0 : NaoDisparou)
                | (ok || !resultado.Texto.isEmpty() ? Mostrou : Calado)
                | (ok || Le(primeira.Arquivo) == anterior ? 0 : Anterior);
            ::_exit(situacao);
        }
        int situacao = 0;
        ASSERT_EQ(::waitpid(filho, &situacao, 0), filho);
        ASSERT_TRUE(WIFEXITED(situacao)) << "the run did not end by itself (signal "
                                         << (WIFSIGNALED(situacao) ? WTERMSIG(situacao) : 0) << ")";
        const int r = WEXITSTATUS(situacao);
        EXPECT_EQ(r & Calado, 0) << "a failure passed over in silence";
        EXPECT_EQ(r & Anterior, 0) << "the earlier delivery file is not as it was";
        if (r & NaoDisparou || ::testing::Test::HasFailure())
            break;
    }
}
