#include <QFile>
#include <functional>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include "exchange/FonteSimulada.h"
#include "exchange/ImportacaoDeTeste.h"
#include "exchange/delivery/ResultadoEntrega.h"
#include "exchange/delivery/TArquivoPruv.h"
#include "exchange/delivery/TFontePruv.h"
#include "exchange/import/TImportacaoPruv.h"
#include "exchange/import/TLeitorLinhas.h"
#include "model/ImprimeQString.h"
#include "model/codes/TColecaoCodigoRetencao.h"
#include "model/declaration/TAnexoFC.h"
#include "model/declaration/TColecaoAnexo.h"
#include "model/declaration/TColecaoPruv.h"
#include "model/declaration/TPruv.h"
#include "model/declaration/TResumo.h"
#include "model/people/TNi.h"
#include "platform/db/sqlite/TComando.h"
#include "platform/db/sqlite/TDatabase.h"
#include "platform/files/TEspacoEmDisco.h"
#include "platform/files/TPastas.h"
#include "platform/files/TVolumes.h"
#include "platform/ui/DialogosRoteirizados.h"
#include "platform/ui/ProgressoRegistrado.h"
#include "support/FalhasDeDisco.h"
#include "support/ProgramaDeTeste.h"

void PrintTo(const TResultadoImportacao::TContadores& c, std::ostream* saida)
{
    *saida << "{decl " << c.Declaracoes << ", adic " << c.BeneficiariosAdicionados << ", subst "
           << c.BeneficiariosSubstituidos << ", benef rej " << c.BeneficiariosRejeitados << ", reg rej "
           << c.RegistrosRejeitados << ", fundos " << c.Fundos << ", avisos " << c.Avisos << "}";
}

#define EXPECT_MENSAGENS(obtidas, esperadas) EXPECT_EQ(Linhas(obtidas), Linhas(esperadas))

namespace {

using namespace ImportacaoDeTeste;
using S = TItemEntrega::TSerie;
using TContadores = TResultadoImportacao::TContadores;

// Lists are compared as their lines, so that a failure shows the texts.
std::string Linhas(const QStringList& lista)
{
    return lista.join(QLatin1Char('\n')).toStdString();
}

QByteArray Le(const QString& caminho)
{
    QFile arquivo(caminho);
    return arquivo.open(QIODevice::ReadOnly) ? arquivo.readAll() : QByteArray();
}

QString Ouro(const char* nome)
{
    return QStringLiteral(PRUV_PASTA_OURO "/") + QLatin1String(nome);
}

// A company declarant and two beneficiaries of code 0561 (persons, deductions and sub judice
// values admitted) and one of code 1708 (no sub judice values).
const QString Empresa = QStringLiteral("11222333000181");
const QString Filial = QStringLiteral("11222333000262");

TDeclaracaoEntrega Declarante(const QString& ni = Empresa, const char* nome = "COMERCIO E FILHOS LTDA",
                              int natureza = 0)
{
    TDeclaracaoEntrega d;
    d.Ano = QStringLiteral("2002");
    d.Ni = ni;
    d.PessoaFisica = ni.size() == 11;
    d.Nome = QString::fromUtf8(nome);
    d.Natureza = natureza;
    return d;
}

ItemSimulado Luis()
{
    return std::move(ItemSimulado("0561", "32165498791", "LUIS GONCALVES")
                         .Em(S::Rendimento, 1, 12, 30000000)
                         .Em(S::Imposto, 1, 12, 2500000));
}

// The texts of every value from that period and column on: a line cut there reads them as blanks.
QString ValoresAusentes(int periodo, int coluna)
{
    static const char* const periodos[] = {"Jan", "Fev", "Mar", "Abr", "Mai", "Jun", "Jul",
                                           "Ago", "Set", "Out", "Nov", "Dez", "13º"};
    QString texto;
    for (int p = periodo; p <= 13; ++p)
        for (int c = p == periodo ? coluna : 1; c <= 3; ++c)
            texto += QStringLiteral(" %1(%2ª Coluna) /%3 %4 ou excede o máximo permitido.")
                         .arg(c == 1       ? QStringLiteral("Rendimento")
                                  : c == 2 ? QStringLiteral("Dedução")
                                           : QStringLiteral("Imposto"))
                         .arg(c)
                         .arg(QString::fromUtf8(periodos[p - 1]))
                         .arg(c == 2 ? QStringLiteral("inválida") : QStringLiteral("inválido"));
    return texto;
}

class TImportacaoPruvTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(TPastas::Cria());
        TColecaoCodigoRetencao(QStringLiteral("2002"), QStringLiteral(PRUV_PASTA_RECURSOS "/CodRet.txt"));
        colecao = std::make_unique<TColecaoPruv>();
        alvo.SetErros(&erros);
    }

    // The choices of the import: a declarant (number may be empty), its name, year and nature.
    void Escolhe(const QString& ni, const char* nome, const QString& ano = QStringLiteral("2002"), int natureza = 0)
    {
        alvo.Limpa();
        if (!ni.isEmpty())
            alvo.GetDeclarante().SetNi(ni);
        else
            alvo.GetDeclarante().SetTipo(TNiContribuinte::Cnpj);
        alvo.GetDeclarante().Nome().SetTexto(QString::fromUtf8(nome));
        alvo.SetAnoSemExcecao(ano);
        alvo.SetNaturezaSemExcecao(alvo.GetNaturezas().GetTodas()[natureza]);
    }

    // The import of arquivo for alvo under the log nomeLog.
    TPedidoImportacao Pedido(const QString& arquivo, bool gravado = false, std::uint8_t leiaute = 0)
    {
        TPedidoImportacao pedido(arquivo, alvo);
        pedido.ArquivoCompactado = gravado;
        pedido.Leiaute = leiaute;
        pedido.NomeLog = nomeLog;
        return pedido;
    }
    // The log's name and the counts of the run go to nomeLog and n.
    std::uint8_t Importa(const TPedidoImportacao& pedido)
    {
        TImportacaoPruv importacao;
        const TResultadoImportacao resultado = importacao.Importa(*colecao, pedido);
        nomeLog = resultado.NomeLog;
        n = resultado.Contadores;
        return resultado.Codigo;
    }
    std::uint8_t Importa(const QString& arquivo, bool gravado = false, std::uint8_t leiaute = 0)
    {
        return Importa(Pedido(arquivo, gravado, leiaute));
    }

    // The stored items of a declaration (or of its annex Fundo) in code order.
    std::vector<TItemEntrega> Itens(const QString& ni, const QString& ano = QStringLiteral("2002"),
                                    const QString& fundo = QString())
    {
        TPruv aberta;
        TFontePruv fonte(aberta, *colecao);
        TDeclaracaoEntrega d;
        std::vector<TItemEntrega> itens;
        if (!fonte.Carrega(ano, ni, d))
            return itens;
        std::optional<TAnexoEntrega> anexo;
        for (const TAnexoEntrega& a : fonte.Anexos(d))
            if (a.Ni == fundo)
                anexo = a;
        if (!fundo.isEmpty() && !anexo)
            return itens;
        fonte.AbreItens(d, anexo ? &*anexo : nullptr);
        TItemEntrega item;
        while (fonte.ProximoItem(item))
            itens.push_back(item);
        fonte.FechaItens();
        return itens;
    }

    // A case of a table starts without the company's declaration, choosing it for the import.
    void Recomeca()
    {
        TPruv existente;
        if (Armazenada(Empresa, QStringLiteral("2002"), existente))
            colecao->Exclui(existente);
        Escolhe(Empresa, "COMERCIO E FILHOS LTDA");
        nomeLog.clear();
    }

    // An administrator, the fund of number f, and a quota holder of a fund.
    static TDeclaracaoEntrega Gestora() { return Declarante(Empresa, "GESTORA", 3); }
    static TAnexoEntrega Fundo(int f)
    {
        const QString raiz = QStringLiteral("%1").arg(556677880001LL + f * 10000LL, 12, 10, QLatin1Char('0'));
        return {QString(), raiz + CalculaDV(raiz), QString(), false, QStringLiteral("FUNDO %1").arg(f)};
    }
    static ItemSimulado Cotista()
    {
        return std::move(ItemSimulado("6800", "12345678909", "ANA").Em(S::Rendimento, 1, 500000));
    }

    // SQLite's steps of each of the lines Mais(n) adds after the administrator's declarant line
    // and that many funds with a value line each: the runs with n = Repeticoes + 1 and n = 1, into
    // a folder without the declaration, counted Muitas and Uma.
    quint64 PassosPorLinha(int Fundos, const std::function<QList<QByteArray>(int)>& Mais, int Repeticoes,
                           TContadores& Uma, TContadores& Muitas)
    {
        QList<QByteArray> linhas{Tipo1(1, Gestora())};
        for (int f = 0; f < Fundos; ++f)
            linhas << Tipo4(2, Fundo(f), Gestora()) << Valores('5', 3, Fundo(f).Ni, Cotista(), 0);
        const auto passos = [&](int vezes, TContadores& contadores) {
            Recomeca();
            Escolhe(Empresa, "GESTORA", QStringLiteral("2002"), 3);
            const QString arquivo = Arquivo(linhas + Mais(vezes));
            const quint64 antes = TComando::PassosMotor();
            EXPECT_EQ(Importa(arquivo), 0);
            const quint64 feitos = TComando::PassosMotor() - antes;
            contadores = n;
            return feitos;
        };
        // The longer run first: the first import of the process makes the tables.
        const quint64 longa = passos(Repeticoes + 1, Muitas);
        return (longa - passos(1, Uma)) / static_cast<quint64>(Repeticoes);
    }

    bool Armazenada(const QString& ni, const QString& ano, TPruv& destino)
    {
        destino.Limpa();
        destino.SetErros(&erros);
        destino.GetDeclarante().SetNi(ni);
        destino.SetAnoSemExcecao(ano);
        return colecao->Carrega(destino);
    }

    TErros erros;
    DialogosRoteirizados dialogos;
    std::unique_ptr<TColecaoPruv> colecao;
    TPruv alvo;
    QString nomeLog;
    TContadores n;
};

}   // namespace

TEST_F(TImportacaoPruvTest, RecordedDeclarationsComeBackAsTheyWereWritten)
{
    TVolumes::DefinePastaBase(ProgramaDeTeste::Pasta());
    const struct {
        const char* ouro;
        Cenario (*cenario)();
        int natureza;
        int declaracoes;
        int itens;
        int fundos;
    } casos[] = {
        {"pf-original.txt", PessoaFisica, 8, 1, 3, 0},
        {"retificadora.txt", Retificadora, 1, 1, 1, 0},
        {"administradora-fundos.txt", AdministradoraDeFundos, 3, 1, 5, 2},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.ouro);
        const Cenario c = caso.cenario();
        const TDeclaracaoEntrega& d = c.Fonte.Declaracoes.front().Dados;
        Escolhe(d.Ni, LayoutDeclar::NomeDaLinha(d.Nome, d.PessoaFisica).toUtf8().constData(), d.Ano, caso.natureza);
        nomeLog.clear();
        ASSERT_EQ(Importa(Ouro(caso.ouro), true), 0);
        // The second establishment takes the name chosen for the import: one warning.
        const int avisos = c.Chaves.size() - 1;
        EXPECT_EQ(n, (TContadores{caso.declaracoes, caso.itens, 0, 0, 0, caso.fundos, avisos}));
        EXPECT_EQ(nomeLog, d.Ni.left(d.PessoaFisica ? 9 : 8));
        EXPECT_EQ(Log(nomeLog).size(), static_cast<std::size_t>(avisos));

        TPruv aberta;
        ASSERT_TRUE(Armazenada(d.Ni, d.Ano, aberta));
        TArquivoPruv writer;
        ASSERT_EQ(writer.Gera(aberta, *colecao, c.Pedido(TVolumes::Lista().first())).Codigo, ResultadoEntrega::Ok);
        QList<QByteArray> esperadas = Le(Ouro(caso.ouro)).split('\n');
        const QList<QByteArray> obtidas = Le(TPastas::Dados() + QStringLiteral("/Declar.txt")).split('\n');
        for (qsizetype i = 1; i < esperadas.size() && avisos > 0; ++i)
            if (esperadas[i].size() > 9 && esperadas[i][8] == '1' && i > 1)
                esperadas[i] = Troca(esperadas[i], 43,
                                     LayoutDeclar::NomeDaLinha(d.Nome, false).toLatin1().leftJustified(60, ' '));
        ASSERT_EQ(obtidas.size(), esperadas.size());
        for (qsizetype i = 0; i < esperadas.size(); ++i)
            ASSERT_EQ(obtidas[i].toStdString(), esperadas[i].toStdString()) << "line " << i + 1;

        TPruv armazenada;
        for (const QString& chave : c.Chaves)
            if (Armazenada(chave.mid(4) + CalculaDV(chave.mid(4)), d.Ano, armazenada))
                colecao->Exclui(armazenada);
    }
    TVolumes::DefinePastaBase(QString());
}

TEST_F(TImportacaoPruvTest, EachLineOfAGroupIsCheckedByItsSituationIdentifier)
{
    Escolhe(Empresa, "COMERCIO E FILHOS LTDA");
    const ItemSimulado luis = Luis();
    const QByteArray l0 = Valores('2', 2, Empresa, luis, 0);
    const QByteArray l1 = Valores('2', 3, Empresa, ItemSimulado(luis).Em(S::CompensacaoAno, 2, 10000), 1);
    const QByteArray l2 = Valores('2', 4, Empresa, ItemSimulado(luis).Em(S::RendimentoSubJudice, 3, 10000), 2);
    const QByteArray l3 = Valores('2', 5, Empresa, ItemSimulado(luis).Em(S::Deposito, 4, 10000), 3);
    const QByteArray pj = Valores('2', 2, Empresa,
                                  ItemSimulado("1708", "44556677000186", "SERVICOS SA").Em(S::Rendimento, 6, 10000), 0);
    const QString rejeitada = QStringLiteral(
        " - Registro rejeitado por erro em outro registro deste beneficiário / código");
    const struct {
        const char* caso;
        QList<QByteArray> linhas;
        QStringList log;
        int adicionados;
    } casos[] = {
        {"all four identifiers are one item", {l0, l1, l2, l3}, {}, 1},
        {"a blank identifier is 0", {Troca(l0, 688, " ")}, {}, 1},
        {"identifier 0 twice",
         {l0, l0},
         {QStringLiteral("Linha: 1") + rejeitada,
          QStringLiteral("Linha: 2 - Código/beneficiário duplicado no arquivo.")},
         0},
        {"identifier 9",
         {Troca(l0, 688, "9")},
         {QStringLiteral("Linha: 1 - Identificador de situação do rendimento / imposto (posição 688) inválido.")},
         0},
        {"a letter in an amount",
         {Troca(l0, 103 + 45 * 2 + 14, "x")},
         {QStringLiteral("Linha: 1 - Rendimento(1ª Coluna) /Mar inválido ou excede o máximo permitido.")},
         0},
        {"compensations with a third column",
         {l0, Troca(l1, 103 + 30, "000000000000001")},
         {QStringLiteral("Linha: 1") + rejeitada,
          QStringLiteral("Linha: 2 - Compensação(3ª Coluna) /Jan esta coluna deve ser preenchida com zeros.")},
         0},
        {"deposits with a second column",
         {Troca(l3, 103 + 45 * 12 + 15, "000000000000009")},
         {QStringLiteral("Linha: 1 - Depósito(2ª Coluna) /13º esta coluna deve ser preenchida com zeros.")},
         0},
        {"sub judice values under a code without them",
         {pj, Troca(Troca(l2, 24, "1708"), 28, "244556677000186")},
         {QStringLiteral("Linha: 1") + rejeitada,
          QStringLiteral(
              "Linha: 2 - 00000004  O Código de Retenção 1708 não admite valores com exigibilidade suspensa.")},
         0},
        {"a second group of the same beneficiary and code",
         {l0, pj, l0},
         {QStringLiteral("Linha: 3 - Código/beneficiário duplicado no arquivo.")},
         2},
        {"a fifth line starts a group of its own",
         {l0, l1, l2, l3, l3},
         {QStringLiteral("Linha: 5 - Código/beneficiário duplicado no arquivo.")},
         1},
        {"a line of another company is refused alone",
         {l0, Troca(l1, 10, "44556677000186")},
         {QStringLiteral("Linha: 2 - Um arquivo de importação somente poderá conter declarações de uma mesma pessoa "
                         "jurídica.")},
         1},
        {"a line cut in December's income", {l0.left(600)}, {QStringLiteral("Linha: 1 -") + ValoresAusentes(12, 1)}, 0},
        {"a second line cut inside the declarant's number",
         {l0, l1.left(15)},
         {QStringLiteral("Linha: 2 - Número de Inscrição no CNPJ inválido: 11.222.3  /    -  .")},
         1},
        {"a second line cut inside the beneficiary's name joins the group",
         {l0, l1.left(60)},
         {QStringLiteral("Linha: 1") + rejeitada,
          QStringLiteral("Linha: 2 - Código/beneficiário duplicado no arquivo.")},
         0},
        {"two lines cut alike",
         {l0.left(30), l0.left(30)},
         {QStringLiteral("Linha: 1 - Número de Inscrição no CPF inválido:    .   .   -  .; O primeiro nome deve ter no "
                         "mínimo duas letras.")
              + ValoresAusentes(1, 1),
          QStringLiteral("Linha: 2 - Código/beneficiário duplicado no arquivo.")},
         0},
        {"the name of a later line of the group is not read", {l0, Troca(l1, 43, "outro nome")}, {}, 1},
        {"a code of legal entities for a person",
         {Troca(l0, 24, "1708")},
         {QStringLiteral("Linha: 1 - O Código de Retenção 1708 é exclusivo para Pessoa Jurídica.")},
         0},
        {"the item's own check: deductions of a legal entity",
         {Troca(pj, 103 + 15, "000000000000100")},
         {QStringLiteral("Linha: 1 - Deducão indevida para código/beneficiário: 1708;Jan.")},
         0},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        Recomeca();
        ASSERT_EQ(Importa(Arquivo(c.linhas)), 0);
        EXPECT_MENSAGENS(Mensagens(nomeLog), c.log);
        EXPECT_EQ(n.BeneficiariosAdicionados, c.adicionados);
        EXPECT_EQ(n.RegistrosRejeitados, c.log.size());
    }
}

TEST_F(TImportacaoPruvTest, TotalsAndUnknownLinesAreReportedOnlyInFilesOfOtherSystems)
{
    const QByteArray tipo3 = Troca(QByteArray(730, ' '), 1, "000000033" + Empresa.toLatin1() + "0561");
    const QList<QByteArray> linhas = {"PRUV    2003" + QByteArray(236, ' '),
                                      Tipo1(1, Declarante()),
                                      Valores('2', 2, Empresa, Luis(), 0),
                                      tipo3,
                                      Troca(tipo3, 9, "6"),
                                      Troca(tipo3, 9, "X"),
                                      QByteArray(730, ' ')};
    Escolhe(Empresa, "COMERCIO E FILHOS LTDA");
    ASSERT_EQ(Importa(Arquivo(linhas), false), 0);
    EXPECT_EQ(n, (TContadores{1, 1, 0, 0, 1, 0, 2}));
    const QString aviso = QStringLiteral(" -  AVISO: Registro com identificação de tipo de registro igual a 3 ou 6 "
                                         "(totalização de código) será descartado na importação.");
    EXPECT_MENSAGENS(Mensagens(nomeLog),
                     (QStringList{QStringLiteral("Linha: 4") + aviso, QStringLiteral("Linha: 5") + aviso,
                                  QStringLiteral("Linha: 6 - Identificador de tipo de registro inválido.")}));
    EXPECT_EQ(Log(nomeLog).at(2).second, QString::fromLatin1(linhas.at(5)));

    TPruv pruv;
    ASSERT_TRUE(Armazenada(Empresa, QStringLiteral("2002"), pruv));
    colecao->Exclui(pruv);
    // Whatever their length: the totals of earlier versions were not all of today's.
    ASSERT_EQ(Importa(Arquivo(linhas + QList<QByteArray>{tipo3 + "0000000037"}), true), 0);
    EXPECT_EQ(n, (TContadores{1, 1, 0, 0, 0, 0, 0}));
    EXPECT_TRUE(Log(nomeLog).empty());
}

TEST_F(TImportacaoPruvTest, DeclarantLineFindingsWarnOrRefuseAsTheirRuleSays)
{
    const QByteArray base = Tipo1(1, Declarante());
    const QByteArray item = Valores('2', 2, Empresa, Luis(), 0);
    const struct {
        const char* caso;
        QByteArray linha;
        QStringList log;
        TContadores contadores;
        const char* tipo;
    } casos[] = {
        {"accepted", base, {}, {1, 1, 0, 0, 0, 0, 0}, "O"},
        {"another name: kept as chosen",
         Troca(base, 43, "OUTRO NOME"),
         {QStringLiteral("Linha: 1 - Nome informado no tipo 1 (dados do declarante) diferente do nome selecionado para "
                         "importação.")},
         {1, 1, 0, 0, 0, 0, 1},
         "O"},
        {"type X: original",
         Troca(base, 32, "X"),
         {QStringLiteral(
             "Linha: 1 - Indicador de tipo de declaração diferente de \"O\" (original) ou \"R\" (retificadora).")},
         {1, 1, 0, 0, 0, 0, 1},
         "O"},
        {"rectifying", Troca(base, 32, "R"), {}, {1, 1, 0, 0, 0, 0, 0}, "R"},
        {"another year",
         Troca(base, 28, "2001"),
         {QStringLiteral(
             "Linha: 1 - Ano informado no tipo 1 (dados do declarante) diferente do ano selecionado para importação.")},
         {1, 1, 0, 0, 0, 0, 1},
         "O"},
        {"another nature",
         Troca(base, 35, "1"),
         {QStringLiteral(
             "Linha: 1 -  AVISO: Natureza do declarante no tipo 1 (dados do declarante) diferente da natureza "
             "selecionada para importação.")},
         {1, 1, 0, 0, 0, 0, 1},
         "O"},
        {"a nature that is no digit",
         Troca(base, 35, "A"),
         {QStringLiteral("Linha: 1 - Indicador de natureza do declarante inválido.")},
         {1, 1, 0, 0, 0, 0, 1},
         "O"},
        {"an invalid CNPJ",
         Troca(base, 10, "11222333000100"),
         {QStringLiteral("Linha: 1 - Número de Inscrição no CNPJ inválido: 11.222.333/0001-00.")},
         {1, 1, 0, 0, 1, 0, 0},
         "O"},
        {"another company",
         Troca(base, 10, "44556677000186"),
         {QStringLiteral(
             "Linha: 1 - Um arquivo de importação somente poderá conter declarações de uma mesma pessoa jurídica.")},
         {1, 1, 0, 0, 1, 0, 0},
         "O"},
        {"a bad responsible person",
         Troca(base, 406, "12345678900"),
         {QStringLiteral(
             "Linha: 1 - Número de Inscrição no CPF inválido: 123.456.789-00; O primeiro nome deve ter no "
             "mínimo duas letras; DDD inválido. Informe com no mínimo 2 dígitos numéricos; Telefone inválido. "
             "Informe com no mínimo 4 dígitos numéricos.")},
         {1, 1, 0, 0, 1, 0, 0},
         "O"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        Recomeca();
        ASSERT_EQ(Importa(Arquivo({c.linha, item})), 0);
        EXPECT_MENSAGENS(Mensagens(nomeLog), c.log);
        EXPECT_EQ(n, c.contadores);
        TPruv pruv;
        ASSERT_TRUE(Armazenada(Empresa, QStringLiteral("2002"), pruv));
        EXPECT_EQ(pruv.GetTipoDeclaracao(), QLatin1String(c.tipo));
        EXPECT_EQ(pruv.GetDeclarante().Nome().GetTexto(), QStringLiteral("COMERCIO E FILHOS LTDA"));
    }
}

TEST_F(TImportacaoPruvTest, EarlierLayoutsCarryTwoDigitYearsAndFieldsTwoPlacesBack)
{
    // Year "99" at 28-29, then type, situation, kind and nature at 30 to 33.
    QByteArray tipo1 = Tipo1(1, Declarante());
    tipo1 = Troca(tipo1, 28,
                  "99R1"
                  "20"
                  "      ");
    Escolhe(Empresa, "COMERCIO E FILHOS LTDA", QStringLiteral("1999"));
    ItemSimulado item = Luis();
    ASSERT_EQ(
        Importa(Arquivo({tipo1, Valores('2', 2, Empresa, item, 0)}), true, TPedidoImportacao::LeiauteAnoDoisDigitos),
        0);
    EXPECT_TRUE(Mensagens(nomeLog).isEmpty()) << Mensagens(nomeLog).join(QLatin1Char('\n')).toStdString();
    TPruv pruv;
    ASSERT_TRUE(Armazenada(Empresa, QStringLiteral("1999"), pruv));
    EXPECT_EQ(pruv.GetTipoDeclaracao(), QStringLiteral("R"));
    EXPECT_EQ(Itens(Empresa, QStringLiteral("1999")).size(), 1u);
}

TEST_F(TImportacaoPruvTest, FundLinesNeedAnAdministratorsHeadOfficeAndTheirFund)
{
    const TDeclaracaoEntrega matriz = Declarante(Empresa, "GESTORA", 3);
    const TDeclaracaoEntrega filial = Declarante(Filial, "GESTORA", 3);
    const TAnexoEntrega fundo{QString(), QStringLiteral("55667788000186"), QString(), false,
                              QStringLiteral("FUNDO ALFA")};
    const ItemSimulado cotista = std::move(ItemSimulado("6800", "12345678909", "ANA").Em(S::Rendimento, 1, 500000));
    const QByteArray item = Valores('2', 2, Filial, Luis(), 0);
    const QByteArray tipo4 = Tipo4(3, fundo, matriz);
    const QByteArray tipo5 = Valores('5', 4, fundo.Ni, cotista, 0);

    Escolhe(Filial, "GESTORA", QStringLiteral("2002"), 3);
    // The branch chosen: its own lines cannot be an administrator's, but the fund makes the head
    // office the working declaration, counted once.
    ASSERT_EQ(Importa(Arquivo({item, tipo4, tipo5})), 0);
    EXPECT_EQ(n, (TContadores{1, 1, 0, 0, 1, 1, 0}));
    EXPECT_MENSAGENS(Mensagens(nomeLog),
                     QStringList{QStringLiteral("Linha: 1 - Declarante não pode ter a natureza "
                                                "selecionada para a importação.")});
    EXPECT_EQ(Itens(Empresa, QStringLiteral("2002"), fundo.Ni).size(), 1u);
    EXPECT_TRUE(Itens(Filial).empty());

    // A fund of a branch is refused, and leaves no fund for the lines after it.
    Escolhe(Empresa, "GESTORA", QStringLiteral("2002"), 3);
    dialogos.Responde(Resposta::Sim);
    nomeLog.clear();
    ASSERT_EQ(Importa(Arquivo({Tipo4(1, fundo, filial), tipo5, Troca(tipo5, 10, "99887766000105")})), 0);
    EXPECT_EQ(
        Mensagens(nomeLog),
        (QStringList{
            QStringLiteral("Linha: 1 - CNPJ diferente de matriz \"0001\". CNPJ do declarante não pode ser filial."),
            QStringLiteral("Linha: 2 - Beneficiário sem Fundo ou Clube de Investimentos correspondente."),
            QStringLiteral("Linha: 3 - Beneficiário sem Fundo ou Clube de Investimentos correspondente.")}));
    // A value line of another fund than the current one.
    nomeLog.clear();
    ASSERT_EQ(Importa(Arquivo({tipo4, Troca(tipo5, 10, "99887766000105")})), 0);
    EXPECT_EQ(Mensagens(nomeLog),
              QStringList{QStringLiteral("Linha: 2 - Beneficiário não pertence ao Fundo ou Clube de Investimentos.")});
    // Funds are for administrators only.
    Escolhe(Empresa, "GESTORA");
    ASSERT_EQ(Importa(Arquivo({tipo4})), 0);
    EXPECT_MENSAGENS(Mensagens(nomeLog),
                     QStringList{QStringLiteral("Linha: 1 - Fundo para declarante que não é Administrador "
                                                "de Fundo ou Clube de Investimentos.")});
}

TEST_F(TImportacaoPruvTest, LinesOfADeclarantThatCannotHaveTheChosenNatureAreRefused)
{
    const QString recusa = QStringLiteral("Declarante não pode ter a natureza selecionada para a importação.");
    const QByteArray daFilial = Valores('2', 2, Filial, Luis(), 0);
    const struct {
        const char* caso;
        QString ni;   // chosen for the import
        int natureza;
        QList<QByteArray> linhas;
        QStringList log;
        int adicionados;
    } casos[] = {
        {"a branch under a company's own nature",
         QString(),
         0,
         {daFilial},
         {QStringLiteral("Linha: 1 - ") + recusa},
         0},
        {"the branch chosen for the import", Filial, 0, {daFilial}, {QStringLiteral("Linha: 1 - ") + recusa}, 0},
        {"a branch's declarant line and its values",
         QString(),
         0,
         {Tipo1(1, Declarante(Filial)), daFilial},
         {QStringLiteral("Linha: 1 - ") + recusa, QStringLiteral("Linha: 2 - ") + recusa},
         0},
        {"a branch as a federal body", QString(), 1, {daFilial}, {}, 1},
        {"the head office as an administrator", QString(), 3, {Valores('2', 2, Empresa, Luis(), 0)}, {}, 1},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        TPruv existente;
        for (const QString& ni : {Empresa, Filial})
            if (Armazenada(ni, QStringLiteral("2002"), existente))
                colecao->Exclui(existente);
        Escolhe(c.ni, "COMERCIO E FILHOS LTDA", QStringLiteral("2002"), c.natureza);
        nomeLog.clear();
        ASSERT_EQ(Importa(Arquivo(c.linhas)), 0);
        EXPECT_MENSAGENS(Mensagens(nomeLog), c.log);
        EXPECT_EQ(n.BeneficiariosAdicionados, c.adicionados);
        EXPECT_EQ(n.Declaracoes, c.adicionados);
    }
}

// Value lines of one declarant follow each other by the thousand; whatever comes between two of
// them, each line is still checked against the declarant it names.
TEST_F(TImportacaoPruvTest, EveryValueLineIsCheckedAgainstItsOwnDeclarant)
{
    // Beneficiaries of their own, one a line: only the declarant's number tells the lines apart.
    std::vector<QByteArray> cpfs;
    for (int i = 1; i <= 16; ++i) {
        const QString raiz = QStringLiteral("%1").arg(100000000 + i * 7919, 9, 10, QLatin1Char('0'));
        cpfs.push_back((raiz + CalculaDVCpf(raiz)).toLatin1());
    }
    int proxima = 0;
    const auto linha = [&](const QString& ni) {
        const ItemSimulado item = std::move(
            ItemSimulado("0561", cpfs.at(proxima).constData(), "BENEFICIARIO").Em(S::Rendimento, 1, 10000));
        ++proxima;
        return Valores('2', proxima, ni, item, 0);
    };
    const QByteArray luis = Valores('2', 1, Empresa, Luis(), 0);
    const QString invalido = QStringLiteral("Número de Inscrição no CNPJ inválido: ");
    const QString outraEmpresa = QStringLiteral(
        "Um arquivo de importação somente poderá conter declarações de uma mesma pessoa jurídica.");
    const QList<QByteArray> linhas = {
        luis,
        linha(Empresa),
        linha(QStringLiteral("11222333000100")),   // 3: a wrong check digit
        linha(Empresa),
        linha(Filial),   // 5: another establishment
        linha(Filial),
        linha(Empresa),                            // 7: back to the head office
        linha(QStringLiteral("44556677000186")),   // 8: another company
        linha(Empresa),
        luis.left(20),   // 10: cut inside the declarant's number
        linha(Empresa),
        luis,           // 12: met before
        QByteArray(),   // 13: blank
        linha(Empresa),
        Tipo1(15, Declarante(Filial)),   // 15: the branch's declarant line
        linha(Empresa),
        linha(QStringLiteral("1122233300018a")),   // 17: a letter
        Troca(linha(Empresa), 23, " "),            // 18: its last digit blank
        linha(Empresa),
        Troca(linha(Empresa), 9, "5"),   // 20: a fund's line without a fund
        linha(Empresa),
    };
    Escolhe(Empresa, "COMERCIO E FILHOS LTDA", QStringLiteral("2002"), 1);
    ASSERT_EQ(Importa(Arquivo(linhas)), 0);
    EXPECT_MENSAGENS(
        Mensagens(nomeLog),
        (QStringList{
            QStringLiteral("Linha: 3 - ") + invalido + QStringLiteral("11.222.333/0001-00."),
            QStringLiteral("Linha: 8 - ") + outraEmpresa,
            QStringLiteral("Linha: 10 - ") + invalido + QStringLiteral("11.222.333/000 -  ."),
            QStringLiteral("Linha: 12 - Código/beneficiário duplicado no arquivo."),
            QStringLiteral("Linha: 15 -  AVISO: Natureza do declarante no tipo 1 (dados do declarante) diferente da "
                           "natureza selecionada para importação."),
            QStringLiteral("Linha: 17 - ") + invalido + QStringLiteral("11.222.333/0001-8a."),
            QStringLiteral("Linha: 18 - ") + invalido + QStringLiteral("11.222.333/0001-8 ."),
            QStringLiteral("Linha: 20 - Beneficiário sem Fundo ou Clube de Investimentos correspondente."),
        }));
    EXPECT_EQ(n, (TContadores{2, 12, 0, 1, 7, 0, 1}));
    EXPECT_EQ(Itens(Empresa).size(), 10u);
    EXPECT_EQ(Itens(Filial).size(), 2u);
}

TEST_F(TImportacaoPruvTest, ARecordedPrivateCompanyKeepsItsHeadOfficeAndRefusesItsBranch)
{
    // A private company declares at its head office: a branch's lines cannot take its nature.
    const Cenario c = EmpresaDoisEstabelecimentos();
    const TDeclaracaoEntrega& d = c.Fonte.Declaracoes.front().Dados;
    Escolhe(d.Ni, LayoutDeclar::NomeDaLinha(d.Nome, false).toUtf8().constData(), d.Ano, 0);
    ASSERT_EQ(Importa(Ouro("pj-dois-estab.txt"), true), 0);
    EXPECT_EQ(n, (TContadores{1, 2, 0, 0, 2, 0, 0}));
    const QString recusa = QStringLiteral(" - Declarante não pode ter a natureza selecionada para a importação.");
    EXPECT_MENSAGENS(Mensagens(nomeLog),
                     (QStringList{QStringLiteral("Linha: 7") + recusa, QStringLiteral("Linha: 8") + recusa}));
    EXPECT_EQ(Itens(d.Ni).size(), 2u);
    EXPECT_TRUE(Itens(c.Fonte.Declaracoes.back().Dados.Ni).empty());
}

TEST_F(TImportacaoPruvTest, AStoredDeclarationIsAskedAboutOnceAndCancelStopsAfterTheCurrentLine)
{
    Escolhe(Empresa, "COMERCIO E FILHOS LTDA");
    const ItemSimulado luis = Luis();
    const ItemSimulado bruno = std::move(ItemSimulado("0561", "98765432100", "BRUNO").Em(S::Rendimento, 3, 10000));
    ASSERT_EQ(Importa(Arquivo({Tipo1(1, Declarante()), Valores('2', 2, Empresa, luis, 0)})), 0);
    const QByteArray outroLuis = Valores('2', 2, Empresa, ItemSimulado(luis).Em(S::Rendimento, 1, 99990000), 0);
    const QList<QByteArray> linhas = {Tipo1(1, Declarante()), outroLuis, Valores('2', 3, Empresa, bruno, 0)};

    // No: the existing item stays as it was and is not counted as replaced.
    dialogos.Responde(Resposta::Nao);
    ASSERT_EQ(Importa(Arquivo(linhas)), 0);
    EXPECT_EQ(dialogos.Textos(), QStringList{TImportacaoPruv::PerguntaTipo1()});
    EXPECT_EQ(n, (TContadores{1, 1, 0, 0, 0, 0, 0}));
    ASSERT_EQ(Itens(Empresa).size(), 2u);
    EXPECT_EQ(Itens(Empresa).front().Valor(S::Rendimento, 1), 30000000);

    // Yes: replaced. Only one question for the run.
    dialogos.Limpa();
    dialogos.Responde(Resposta::Sim);
    ASSERT_EQ(Importa(Arquivo({outroLuis, Valores('2', 3, Empresa, bruno, 0)})), 0);
    EXPECT_EQ(dialogos.Textos(), QStringList{TImportacaoPruv::PerguntaExistente()});
    EXPECT_EQ(n, (TContadores{1, 0, 2, 0, 0, 0, 0}));
    EXPECT_EQ(Itens(Empresa).front().Valor(S::Rendimento, 1), 99990000);

    // Cancel: nothing counted, the run stops; what was stored stays.
    dialogos.Limpa();
    dialogos.Responde(Resposta::Cancela);
    ASSERT_EQ(Importa(Arquivo(linhas)), 0);
    EXPECT_EQ(n, TContadores{});
    EXPECT_EQ(Itens(Empresa).size(), 2u);
}

// The caller that asks in its own way gets each question the run asks, and nothing reaches the
// dialogs: whether a stored declaration's beneficiaries are replaced, whether to try again to
// open a file that is not there.
TEST_F(TImportacaoPruvTest, TheQuestionsOfTheRunGoToTheRequestsOwnWayOfAsking)
{
    Escolhe(Empresa, "COMERCIO E FILHOS LTDA");
    const QList<QByteArray> linhas = {Tipo1(1, Declarante()), Valores('2', 2, Empresa, Luis(), 0)};
    ASSERT_EQ(Importa(Arquivo(linhas)), 0);
    const QString ausente = TPastas::Programa() + QStringLiteral("/nao-existe.txt");
    const struct {
        QString arquivo;
        Resposta resposta;
        QString pergunta;
        TipoDialogo tipo;
        std::uint16_t botoes;
        int rejeitados;
    } casos[] = {
        {Arquivo(linhas), Resposta::Cancela, TImportacaoPruv::PerguntaTipo1(), TipoDialogo::Confirmacao,
         Botao::Sim | Botao::Nao | Botao::Cancela, 0},
        {ausente, Resposta::Nao,
         QStringLiteral("Não foi possível abrir o arquivo ") + ausente + QStringLiteral(". Tentar Novamente?"),
         TipoDialogo::Erro, Botao::Sim | Botao::Nao, 1},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.pergunta.toStdString());
        std::vector<TMensagemDialogo> perguntas;
        TPedidoImportacao pedido = Pedido(caso.arquivo);
        pedido.Pergunta = [&](const QString& texto, TipoDialogo tipo, std::uint16_t botoes) {
            perguntas.push_back({texto, tipo, botoes});
            return caso.resposta;
        };
        ASSERT_EQ(Importa(pedido), 0);
        ASSERT_EQ(perguntas.size(), 1u);
        EXPECT_EQ(perguntas[0].Texto, caso.pergunta);
        EXPECT_EQ(perguntas[0].Tipo, caso.tipo);
        EXPECT_EQ(perguntas[0].Botoes, caso.botoes);
        EXPECT_EQ(n, (TContadores{0, 0, 0, 0, caso.rejeitados, 0, 0}));
    }
    EXPECT_TRUE(dialogos.Mensagens().empty());
}

TEST_F(TImportacaoPruvTest, AFileWhoseValueLinesAreAllRefusedChangesNoStoredRow)
{
    Escolhe(Empresa, "COMERCIO E FILHOS LTDA");
    const QByteArray luis = Valores('2', 2, Empresa, Luis(), 0);
    ASSERT_EQ(Importa(Arquivo({Tipo1(1, Declarante()), luis})), 0);
    const auto banco = TDatabase::DaPasta(TPastas::Dados());
    const qint64 antes = sqlite3_total_changes64(banco->Conexao());

    dialogos.Responde(Resposta::Sim);
    ASSERT_EQ(Importa(Arquivo({Tipo1(1, Declarante()), Troca(luis, 688, "9"), Troca(luis, 688, "8")})), 0);
    EXPECT_EQ(n, (TContadores{1, 0, 0, 1, 2, 0, 0}));
    EXPECT_EQ(sqlite3_total_changes64(banco->Conexao()), antes) << "not even the summary is written again";
    ASSERT_EQ(Itens(Empresa).size(), 1u);
    EXPECT_EQ(Itens(Empresa).front().Valor(S::Rendimento, 1), 30000000);
}

TEST_F(TImportacaoPruvTest, WithoutADeclarantNumberTheLogIsErroNoNi)
{
    Escolhe(QString(), "COMERCIO E FILHOS LTDA");
    ASSERT_EQ(Importa(Arquivo({"lixo", Troca(QByteArray(730, ' '), 9, "7")})), 0);
    EXPECT_EQ(nomeLog, QStringLiteral("ErroNoNi"));
    EXPECT_EQ(Mensagens(QStringLiteral("ErroNoNi")).size(), 2);
    EXPECT_EQ(n.RegistrosRejeitados, 2);
}

// Whatever the bytes, each bad line gets its message and nothing stops the run.
TEST_F(TImportacaoPruvTest, BadInputOfAnyShapeGetsItsMessageLineByLine)
{
    const QByteArray bom = Valores('2', 1, Empresa, Luis(), 0);
    const QByteArray outro = Valores('2', 2, Empresa,
                                     ItemSimulado("0561", "98765432100", "BRUNO").Em(S::Rendimento, 3, 10000), 0);
    const QString semFimDeLinha = QStringLiteral(
        "Arquivo com tamanho inválido, verifique se possui CRLF(enter) no final de cada linha.");
    QByteArray binario(900, '\0');
    for (int i = 0; i < binario.size(); ++i)
        binario[i] = static_cast<char>((i * 37 + 11) % 256);
    const struct {
        const char* caso;
        QByteArray conteudo;
        QString ultima;   // the last message of the log; empty: any
        int adicionados;
    } casos[] = {
        {"a file of LF lines", bom + "\n" + Troca(outro, 688, "9") + "\n",
         QStringLiteral("Linha: 2 - Identificador de situação do rendimento / imposto (posição 688) inválido."), 1},
        {"a last line without its line end", bom + "\r\n" + Troca(outro, 688, "9"),
         QStringLiteral("Linha: 2 - Identificador de situação do rendimento / imposto (posição 688) inválido."), 1},
        {"lines ended by CR alone", bom + "\r" + outro + "\r", QStringLiteral("Linha: 1 - ") + semFimDeLinha, 0},
        {"two records on one line", Tipo1(1, Declarante()) + bom + "\r\n" + outro,
         QStringLiteral("Linha: 1 - ") + semFimDeLinha, 1},
        {"a line of three megabytes", QByteArray(3 * 1024 * 1024, 'x') + "\r\n" + bom,
         QStringLiteral("Linha: 1 - ") + semFimDeLinha, 1},
        {"a short line", bom.left(120) + "\r\n", QStringLiteral("Linha: 1 -") + ValoresAusentes(1, 2), 0},
        {"a beneficiary of no kind", Troca(bom, 28, "7") + "\r\n",
         QStringLiteral("Linha: 1 - Identificador de tipo de beneficiário inválido.; Número de Inscrição no CNPJ "
                        "inválido: 00.032.165/4987-91.; O Código de Retenção 0561 é exclusivo para Pessoa Física."),
         0},
        {"binary garbage", binario, QString(), 0},
        {"nothing at all", QByteArray(), QString(), 0},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        Recomeca();
        QFile arquivo(TPastas::Programa() + QStringLiteral("/ruim.txt"));
        ASSERT_TRUE(arquivo.open(QIODevice::WriteOnly));
        arquivo.write(c.conteudo);
        arquivo.close();
        ASSERT_EQ(Importa(arquivo.fileName()), 0);
        const QStringList log = Mensagens(nomeLog);
        if (!c.ultima.isEmpty()) {
            ASSERT_FALSE(log.isEmpty());
            EXPECT_EQ(log.back().toStdString(), c.ultima.toStdString());
        }
        EXPECT_EQ(n.BeneficiariosAdicionados, c.adicionados);
        EXPECT_EQ(log.size(), n.RegistrosRejeitados + n.Avisos);
    }
}

TEST_F(TImportacaoPruvTest, AFailureOfTheDatabaseLeavesTheStoredDeclarationsAsTheyWere)
{
    // A federal body, whose branch declares on its own.
    const TDeclaracaoEntrega orgao = Declarante(Empresa, "COMERCIO E FILHOS LTDA", 1);
    Escolhe(Empresa, "COMERCIO E FILHOS LTDA", QStringLiteral("2002"), 1);
    ASSERT_EQ(Importa(Arquivo({Tipo1(1, orgao), Valores('2', 2, Empresa, Luis(), 0)})), 0);
    const ItemSimulado bruno = std::move(ItemSimulado("0561", "98765432100", "BRUNO").Em(S::Rendimento, 3, 10000));
    const QList<QByteArray> linhas = {Tipo1(1, orgao), Valores('2', 2, Empresa, bruno, 0),
                                      Valores('2', 3, Filial, bruno, 0)};
    // A failure at each write in turn, until the import runs past its last write.
    const auto banco = TDatabase::DaPasta(TPastas::Dados());
    for (int escritas = 0;; ++escritas) {
        SCOPED_TRACE(escritas);
        ASSERT_LT(escritas, 100);
        dialogos.Limpa();
        dialogos.Responde(Resposta::Sim);
        banco->FalhaNaProximaEscrita(escritas);
        const std::uint8_t resultado = Importa(Arquivo(linhas));
        if (resultado == 0) {
            banco->FalhaNaProximaEscrita(-1);
            EXPECT_GE(escritas, 3);   // the branch's declaration and both items
            EXPECT_EQ(Itens(Filial).size(), 1u);
            break;
        }
        EXPECT_EQ(resultado, 141);
        EXPECT_EQ(n, TContadores{});
        EXPECT_EQ(dialogos.Mensagens().back().Tipo, TipoDialogo::Erro);
        ASSERT_EQ(Itens(Empresa).size(), 1u);
        EXPECT_TRUE(Itens(Filial).empty());
        EXPECT_FALSE(Mensagens(nomeLog).isEmpty());
    }
}

TEST_F(TImportacaoPruvTest, AFailureOfTheDiskAtAnyOperationLeavesEveryTableAsItWas)
{
    Escolhe(Empresa, "COMERCIO E FILHOS LTDA");
    ASSERT_EQ(Importa(Arquivo({Tipo1(1, Declarante()), Valores('2', 2, Empresa, Luis(), 0)})), 0);
    const ItemSimulado bruno = std::move(ItemSimulado("0561", "98765432100", "BRUNO").Em(S::Rendimento, 3, 10000));
    const QString arquivo = Arquivo({Tipo1(1, Declarante()), Valores('2', 2, Empresa, bruno, 0),
                                     Valores('2', 3, Filial, bruno, 0), Valores('2', 4, Filial, Luis(), 0)});
    const QString banco = TDatabase::DaPasta(TPastas::Dados())->Arquivo();
    const QString antes = FalhasDeDisco::Conteudo(banco);
    // A transient fault in the middle of the import must not let any of its writes commit alone.
    const int falhas = FalhasDeDisco::PorCadaOperacao(
        FalhasDeDisco::Escrita | FalhasDeDisco::Sincronia | FalhasDeDisco::Truncagem,
        [&] {
            dialogos.Limpa();
            dialogos.Responde(Resposta::Sim);
            if (const std::uint8_t r = Importa(arquivo); r != 0)
                throw std::runtime_error("import result " + std::to_string(r));
        },
        [&](int) {
            EXPECT_EQ(FalhasDeDisco::Conteudo(banco), antes);
            EXPECT_EQ(dialogos.Mensagens().back().Tipo, TipoDialogo::Erro);
        });
    EXPECT_GE(falhas, 3);
    EXPECT_NE(FalhasDeDisco::Conteudo(banco), antes);   // the run past every fault stored it
}

TEST_F(TImportacaoPruvTest, AFileThatCannotBeReadIsToldAndLogged)
{
    Escolhe(Empresa, "COMERCIO E FILHOS LTDA");
    const QString ausente = TPastas::Programa() + QStringLiteral("/nao-existe.txt");
    dialogos.Responde(Resposta::Nao);   // no second try
    ASSERT_EQ(Importa(ausente), 0);
    EXPECT_EQ(dialogos.Textos().front(),
              QStringLiteral("Não foi possível abrir o arquivo ") + ausente + QStringLiteral(". Tentar Novamente?"));
    EXPECT_EQ(Mensagens(nomeLog),
              QStringList{QStringLiteral("Linha: 0 - Não foi possivel abrir arquivo ") + ausente + QLatin1Char('.')});

    // A read failure on the third line: the import is undone and fails, the user told, the log
    // says where.
    const ItemSimulado bruno = std::move(ItemSimulado("0561", "98765432100", "BRUNO").Em(S::Rendimento, 3, 10000));
    dialogos.Limpa();
    TLeitorLinhas::FalhaSimulada falha(3);
    ASSERT_EQ(Importa(Arquivo(
                  {Tipo1(1, Declarante()), Valores('2', 2, Empresa, Luis(), 0), Valores('2', 3, Empresa, bruno, 0)})),
              139);
    EXPECT_EQ(dialogos.Textos(), QStringList{QStringLiteral("Erro de acesso ao arquivo.")});
    EXPECT_MENSAGENS(Mensagens(nomeLog), QStringList{QStringLiteral("Linha: 3 - Erro de acesso ao arquivo.")});
    EXPECT_EQ(n, (TContadores{0, 0, 0, 0, 1, 0, 0}));
}

TEST_F(TImportacaoPruvTest, AFileNeeds1400FreeBytesForEach728OfItsOwn)
{
    Escolhe(Empresa, "COMERCIO E FILHOS LTDA");
    const QString arquivo = Arquivo({QByteArray(728 * 1000 - 2, ' ')});
    {
        TEspacoEmDisco::Simulacao espaco(1400000 - 1);
        EXPECT_EQ(Importa(arquivo), 151);
    }
    TEspacoEmDisco::Simulacao espaco(1400000);
    EXPECT_EQ(Importa(arquivo), 0);
}

TEST_F(TImportacaoPruvTest, EveryWayOutRemovesTheTextUnpackedIntoTheDataFolder)
{
    Escolhe(Empresa, "COMERCIO E FILHOS LTDA");
    const QString desempacotado = TPastas::Dados() + QStringLiteral("/declar.txt");
    const QList<QByteArray> linhas{Tipo1(1, Declarante()), Valores('2', 2, Empresa, Luis(), 0)};
    auto desempacota = [&] { return Arquivo(linhas, "\r\n", QStringLiteral("DADOS/declar.txt")); };
    {
        TEspacoEmDisco::Simulacao espaco(0);
        EXPECT_EQ(Importa(desempacota(), true), 151);
    }
    EXPECT_FALSE(QFile::exists(desempacotado));

    // The log cannot be written where its folder should be.
    ASSERT_TRUE(QDir(TPastas::ErroImp()).removeRecursively());
    ASSERT_TRUE(QFile(TPastas::ErroImp()).open(QIODevice::WriteOnly));
    dialogos.Responde(Resposta::Nao);   // no second try
    EXPECT_EQ(Importa(desempacota(), true), 159);
    EXPECT_FALSE(QFile::exists(desempacotado));
}

TEST_F(TImportacaoPruvTest, TheLogOfAHostileFileStopsAfterItsBoundWithOneClosingLine)
{
    Escolhe(Empresa, "COMERCIO E FILHOS LTDA");
    const int alem = 7;
    const QList<QByteArray> lixo(TLogErros::MaximoRegistros + alem, QByteArray("00000001X lixo"));
    ASSERT_EQ(Importa(Arquivo(lixo)), 0);
    EXPECT_EQ(n.RegistrosRejeitados, TLogErros::MaximoRegistros + alem);
    const auto log = Log(nomeLog);
    ASSERT_EQ(log.size(), static_cast<std::size_t>(TLogErros::MaximoRegistros + 1));
    EXPECT_EQ(log.back().first, QStringLiteral("Mais 7 linhas rejeitadas ou com aviso não foram listadas."));
    EXPECT_EQ(log.back().second, QString());
    EXPECT_EQ(log[TLogErros::MaximoRegistros - 1].second, QStringLiteral("00000001X lixo"));
}

// The gauge follows the lines read in small steps, not at every line, and ends full.
TEST_F(TImportacaoPruvTest, TheGaugeMovesInSmallStepsAndEndsFull)
{
    Escolhe(Empresa, "COMERCIO E FILHOS LTDA");
    QList<QByteArray> linhas;
    for (int i = 0; i < 2000; ++i)
        linhas << QByteArray(726, ' ');   // 728 bytes with the line end: one line of the gauge's range
    ProgressoRegistrado gauge;
    TPedidoImportacao pedido = Pedido(Arquivo(linhas));
    pedido.Gauge = &gauge;
    ASSERT_EQ(Importa(pedido), 0);
    const std::vector<int>& posicoes = gauge.Posicoes();
    EXPECT_EQ(gauge.Maximo(), 2000);
    ASSERT_FALSE(posicoes.empty());
    EXPECT_EQ(posicoes.front(), 1);
    EXPECT_EQ(posicoes.back(), 2000);
    EXPECT_LE(posicoes.size(), 202u);
    for (std::size_t i = 1; i < posicoes.size(); ++i) {
        EXPECT_GT(posicoes[i], posicoes[i - 1]);
        EXPECT_LE(posicoes[i] - posicoes[i - 1], 10);
    }
}

TEST_F(TImportacaoPruvTest, EveryMessageOfTheLogIsPairedWithItsLine)
{
    Escolhe(Empresa, "COMERCIO E FILHOS LTDA");
    const QByteArray bom = Valores('2', 2, Empresa, Luis(), 0);
    const QList<QByteArray> linhas = {
        Tipo1(1, Declarante()), Troca(bom, 28, "9"), bom, bom, Troca(QByteArray(730, ' '), 9, "3"), "Z",
        Troca(bom, 688, "1")};
    ASSERT_EQ(Importa(Arquivo(linhas)), 0);
    const auto pares = Log(nomeLog);
    ASSERT_EQ(pares.size(), 6u);
    for (const auto& [mensagem, linha] : pares) {
        const int numero = mensagem.section(QLatin1Char(' '), 1, 1).toInt();
        ASSERT_GE(numero, 1);
        EXPECT_EQ(linha, QString::fromLatin1(linhas.at(numero - 1))) << mensagem.toStdString();
    }
}

// Lines in a row of one beneficiary whose name is refused, around a line of another one: each
// line is refused with its own message, as the first one is.
TEST_F(TImportacaoPruvTest, EachLineOfARepeatedBeneficiaryWithAFaultyNameIsReported)
{
    Recomeca();
    const auto ana = [](const char* codigo) {
        return std::move(ItemSimulado(codigo, "98765432100", "ANA 9").Em(S::Rendimento, 1, 12, 30000000));
    };
    const QByteArray conteudo = Valores('2', 1, Empresa, ana("0561"), 0) + "\r\n"
        + Valores('2', 2, Empresa, ana("0588"), 0) + "\r\n" + Valores('2', 3, Empresa, Luis(), 0) + "\r\n"
        + Valores('2', 4, Empresa, ana("3208"), 0) + "\r\n";
    QFile arquivo(TPastas::Programa() + QStringLiteral("/repetido.txt"));
    ASSERT_TRUE(arquivo.open(QIODevice::WriteOnly));
    arquivo.write(conteudo);
    arquivo.close();
    ASSERT_EQ(Importa(arquivo.fileName()), 0);
    const QStringList log = Mensagens(nomeLog);
    ASSERT_EQ(log.size(), 3) << Linhas(log);
    const QString motivo = log[0].mid(log[0].indexOf(QLatin1String(" - ")));
    EXPECT_TRUE(motivo.contains(QLatin1String("ANA 9"))) << motivo.toStdString();
    EXPECT_EQ(log[0], QStringLiteral("Linha: 1") + motivo);
    EXPECT_EQ(log[1], QStringLiteral("Linha: 2") + motivo);
    EXPECT_EQ(log[2], QStringLiteral("Linha: 4") + motivo);
    EXPECT_EQ(n.BeneficiariosAdicionados, 1);
    EXPECT_EQ(n.RegistrosRejeitados, 3);
}

// A hostile file may repeat its declarant's line any number of times: each repetition reads the
// declarant's row again and no more, however much the declaration holds (here its funds, whose
// summaries a whole load of the declaration adds up).
TEST_F(TImportacaoPruvTest, ARepeatedDeclarantLineDoesTheSameWorkWhateverTheDeclarationHolds)
{
    const int repeticoes = 100;
    for (const int fundos : {1, 15}) {
        SCOPED_TRACE(fundos);
        TContadores uma;
        TContadores muitas;
        const auto repete = [](int vezes) { return QList<QByteArray>(vezes, Tipo1(1, Gestora())); };
        const quint64 porLinha = PassosPorLinha(fundos, repete, repeticoes, uma, muitas);
        EXPECT_EQ(muitas, uma);
        EXPECT_EQ(uma, (TContadores{1, fundos, 0, 0, 0, fundos, 0}));
        EXPECT_EQ(Mensagens(nomeLog), QStringList{});
        // The declarant's row and its responsible person, each found by its key.
        EXPECT_LE(porLinha, 200u);
    }
}

// Nor does a fund's line, repeated or one of thousands of an honest administrator, nor a line that
// makes another declaration the working one and back: each costs the same work however many funds
// the declaration holds (a whole load adds up their summaries, a scan of the annexes' table
// weighs every key for the next one).
TEST_F(TImportacaoPruvTest, FundLinesAndChangesOfDeclarantDoTheSameWorkWhateverTheDeclarationHolds)
{
    const int repeticoes = 100;
    TContadores uma;
    TContadores muitas;
    for (const int fundos : {1, 15}) {
        SCOPED_TRACE(fundos);
        // The last fund's line again: the declarant's row read and written, the fund's row read
        // with its summary and written, the fund's items and summary let go.
        const TAnexoEntrega ultimo = Fundo(fundos - 1);
        const auto repete = [&](int vezes) { return QList<QByteArray>(vezes, Tipo4(1, ultimo, Gestora())); };
        EXPECT_LE(PassosPorLinha(fundos, repete, repeticoes, uma, muitas), 600u);
        EXPECT_EQ(uma, (TContadores{1, fundos, 0, 0, 0, fundos + 1, 0}));
        EXPECT_EQ(muitas.Fundos, fundos + repeticoes + 1);
        EXPECT_EQ(Mensagens(nomeLog), QStringList{});
        EXPECT_EQ(Itens(Empresa, QStringLiteral("2002"), ultimo.Ni).size(), 1u);

        // A branch's line, refused, then the head office's: the declaration is loaded again.
        const auto alterna = [](int vezes) {
            QList<QByteArray> linhas;
            for (int v = 0; v < vezes; ++v)
                linhas << Valores('2', 1, Filial, Luis(), 0) << Valores('2', 2, Empresa, Luis(), 0);
            return linhas;
        };
        EXPECT_LE(PassosPorLinha(fundos, alterna, repeticoes, uma, muitas), 300u);
        EXPECT_EQ(uma, (TContadores{1, fundos + 1, 0, 0, 1, fundos, 0}));
        // Each branch's line refused for its nature, each head office's line after the first as
        // a beneficiary the file gave already.
        EXPECT_EQ(muitas, (TContadores{1, fundos + 1, 0, repeticoes, 1 + 2 * repeticoes, fundos, 0}));
    }

    // Fund after fund, each with a value line: the hundredth costs what the tenth did.
    const auto novos = [](int primeiro) {
        return [primeiro](int quantos) {
            QList<QByteArray> linhas;
            for (int f = primeiro; f < primeiro + quantos; ++f)
                linhas << Tipo4(1, Fundo(f), Gestora()) << Valores('5', 2, Fundo(f).Ni, Cotista(), 0);
            return linhas;
        };
    };
    const quint64 decimo = PassosPorLinha(10, novos(10), repeticoes, uma, muitas);
    EXPECT_EQ(muitas, (TContadores{1, 10 + repeticoes + 1, 0, 0, 0, 10 + repeticoes + 1, 0}));
    const quint64 centesimo = PassosPorLinha(100, novos(100), repeticoes, uma, muitas);
    EXPECT_EQ(muitas, (TContadores{1, 100 + repeticoes + 1, 0, 0, 0, 100 + repeticoes + 1, 0}));
    EXPECT_EQ(Mensagens(nomeLog), QStringList{});
    EXPECT_LE(centesimo, decimo + decimo / 10) << decimo;
}

// The declaration's lines, its funds' lines, a fund's line again with more values, a branch's line
// between: each summary stored is up to date and adds up the items stored under its owner.
TEST_F(TImportacaoPruvTest, EverySummaryOfAnAdministratorsFileAddsUpItsItems)
{
    int proximo = 0;
    const auto item = [&](char tipo, const QString& ni, const char* codigo) {
        const QString raiz = QStringLiteral("%1").arg(100000000 + ++proximo * 7919, 9, 10, QLatin1Char('0'));
        const QByteArray cpf = (raiz + CalculaDVCpf(raiz)).toLatin1();
        return Valores(tipo, 1, ni,
                       std::move(ItemSimulado(codigo, cpf.constData(), "COTISTA")
                                     .Em(S::Rendimento, 1, 1000 * proximo)
                                     .Em(S::Imposto, 1, 10 * proximo)),
                       0);
    };
    QList<QByteArray> linhas{Tipo1(1, Gestora()), item('2', Empresa, "0561")};
    for (int f = 0; f < 3; ++f)
        linhas << Tipo4(1, Fundo(f), Gestora()) << item('5', Fundo(f).Ni, "6800") << item('5', Fundo(f).Ni, "6800")
               << item('2', Empresa, "0588");
    linhas << Tipo4(1, Fundo(1), Gestora()) << item('5', Fundo(1).Ni, "6800") << Valores('2', 1, Filial, Luis(), 0)
           << item('2', Empresa, "0561") << Tipo4(1, Fundo(0), Gestora()) << Tipo1(1, Gestora())
           << item('5', Fundo(0).Ni, "6800");
    Escolhe(Empresa, "GESTORA", QStringLiteral("2002"), 3);
    ASSERT_EQ(Importa(Arquivo(linhas)), 0);
    EXPECT_EQ(n, (TContadores{1, 13, 0, 0, 1, 5, 0}));

    // Income and tax over every month, and the count, of the items stored under an owner.
    const auto somas = [&](const QString& fundo) {
        std::array<qint64, 3> soma{};
        for (const TItemEntrega& i : Itens(Empresa, QStringLiteral("2002"), fundo)) {
            ++soma[0];
            for (int mes = 1; mes <= 13; ++mes) {
                soma[1] += i.Valor(S::Rendimento, mes);
                soma[2] += i.Valor(S::Imposto, mes);
            }
        }
        return soma;
    };
    const auto resumo = [](TResumo& r) {
        return std::array<qint64, 3>{r.TOT_BENEF().GetTexto().toLongLong(), r.TOT_REND().GetValorPositivo(),
                                     r.TOT_IRRF().GetValorPositivo()};
    };
    TPruv gravada;
    ASSERT_TRUE(Armazenada(Empresa, QStringLiteral("2002"), gravada));
    EXPECT_TRUE(gravada.TPruvAnexo::GetResumo().GetOK());
    EXPECT_EQ(resumo(gravada.TPruvAnexo::GetResumo()), somas(QString()));
    std::array<qint64, 3> total = somas(QString());
    TColecaoAnexo& anexos = gravada.GetColecaoAnexo();
    TAnexoFC anexo(gravada);
    QStringList fundos;
    for (anexos.PrimeiroRegistro(anexo); !anexos.Eof(); anexos.ProximoRegistro(anexo)) {
        const QString ni = anexo.GetDeclarante().GetNi();
        SCOPED_TRACE(ni.toStdString());
        fundos << ni;
        EXPECT_TRUE(anexo.GetResumo().GetOK());
        const std::array<qint64, 3> doFundo = somas(ni);
        EXPECT_EQ(resumo(anexo.GetResumo()), doFundo);
        for (std::size_t i = 0; i < total.size(); ++i)
            total[i] += doFundo[i];
    }
    EXPECT_EQ(fundos, (QStringList{Fundo(0).Ni, Fundo(1).Ni, Fundo(2).Ni}));
    EXPECT_TRUE(gravada.GetResumoTotal().GetOK());
    EXPECT_EQ(resumo(gravada.GetResumoTotal()), total);
}
