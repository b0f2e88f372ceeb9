#include <gtest/gtest.h>

#include <QDir>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include "components/data/datasets/TdvTable.h"
#include "model/DeclaracaoDeTeste.h"
#include "model/ImprimeQString.h"
#include "model/codes/TColecaoCodigoRetencao.h"
#include "model/values/TErro.h"
#include "platform/files/TPastas.h"
#include "support/ProgramaDeTeste.h"

namespace {

const char* const Codigos = "# ANOS|COD_RETENCAO|ANEXO|PF_PJ_AMBOS|REGIME|COMPROVANTE|DEDUCAO|IN4|SUBJUDICE|RESUMO\n"
                            "2001-2002|0561|0|F|C|F|S|N|S|Trabalho assalariado\n"
                            "2003|0561|0|F|C|F|S|N|S|Trabalho assalariado\n"
                            "2002|0588|0|F|C|F|S|N|S|Trabalho sem vínculo empregatício\n"
                            "2002|6800|1|A|F|N|N|N|N|Fundos de renda fixa\n"
                            "2002|0924|0|A|E|A|N|N|N|Demais rendimentos de capital\n"
                            "2002|0924|1|A|F|N|N|N|N|Demais rendimentos de capital\n"
                            "2002|6190|0|J|C|J|N|S|N|Órgão público federal: demais serviços\n"
                            "2001|3249|0|A|C|A|N|N|N|Código extinto\n";

class TColecaoCodigoRetencaoTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(TPastas::Cria()); }

    static QString Arquivo(const QByteArray& conteudo = Codigos)
    {
        const QString caminho = QDir(ProgramaDeTeste::Pasta()).filePath(QStringLiteral("codigos.txt"));
        QFile arquivo(caminho);
        if (!arquivo.open(QIODevice::WriteOnly | QIODevice::Truncate) || arquivo.write(conteudo) != conteudo.size())
            throw std::runtime_error("cannot write the fixture");
        return caminho;
    }

    // "ANEXO:CODE" of every row the table shows, in its order.
    static QStringList Linhas(TdvTable& tabela)
    {
        QStringList linhas;
        for (tabela.First(); !tabela.Eof(); tabela.Next())
            linhas << tabela.FieldByName(QStringLiteral("ANEXO"))->AsString() + QLatin1Char(':')
                    + tabela.FieldByName(QStringLiteral("COD_RETENCAO"))->AsString();
        return linhas;
    }
};

}   // namespace

TEST_F(TColecaoCodigoRetencaoTest, TheTableFollowsTheCodeFileItWasFilledFrom)
{
    {
        TColecaoCodigoRetencao codigos(QStringLiteral("2002"), Arquivo());
        EXPECT_EQ(codigos.Quantidade(), 9);
        TCodigoRetencao primeiro;
        codigos.PrimeiroRegistro(primeiro);
        EXPECT_EQ(primeiro.GetAno() + primeiro.GetCodigo(), QStringLiteral("20010561"));
    }
    const QByteArray corrigido = "2002|0561|0|F|C|F|S|N|S|Outro\n";
    const struct {
        const char* caso;
        QByteArray conteudo;
        bool erro;
        int quantidade;
    } casos[] = {
        {"the same file: read once", Codigos, false, 9},
        {"a corrected file replaces every row", corrigido, false, 1},
        {"the same again", corrigido, false, 1},
        {"a file with a bad line leaves the rows as they were", "2002|0561|0|F|C|F|S|N|S|\n", true, 1},
        {"back to the first one", Codigos, false, 9},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        const QString arquivo = Arquivo(c.conteudo);
        if (c.erro) {
            EXPECT_THROW(TColecaoCodigoRetencao(QStringLiteral("2002"), arquivo), EDadosError);
        }
        TColecaoCodigoRetencao codigos(QStringLiteral("2002"), c.erro ? Arquivo(corrigido) : arquivo);
        EXPECT_EQ(codigos.Quantidade(), c.quantidade);
    }
}

TEST_F(TColecaoCodigoRetencaoTest, AFileWrittenOverWithTextOfTheSameSizeIsReadAgain)
{
    // The file's digest is kept between collections; a file written over, even to the same size,
    // is told apart by its time of change.
    const QString arquivo = Arquivo("2002|0561|0|F|C|F|S|N|S|Primeiro\n");
    const QDateTime escrito = QFileInfo(arquivo).lastModified();
    {
        TColecaoCodigoRetencao codigos(QStringLiteral("2002"), arquivo);
        TCodigoRetencao codigo;
        codigos.PrimeiroRegistro(codigo);
        EXPECT_EQ(codigo.GetResumo(), QStringLiteral("Primeiro"));
    }
    Arquivo("2002|0561|0|F|C|F|S|N|S|Segundo\n");
    QFile depois(arquivo);
    ASSERT_TRUE(depois.open(QIODevice::ReadWrite));
    ASSERT_TRUE(depois.setFileTime(escrito.addSecs(2), QFileDevice::FileModificationTime));
    depois.close();
    TColecaoCodigoRetencao codigos(QStringLiteral("2002"), arquivo);
    TCodigoRetencao codigo;
    codigos.PrimeiroRegistro(codigo);
    EXPECT_EQ(codigo.GetResumo(), QStringLiteral("Segundo"));
}

TEST_F(TColecaoCodigoRetencaoTest, AnUnreadableCodeFileLeavesTheTableEmptyForTheNextTry)
{
    const QString ausente = QDir(ProgramaDeTeste::Pasta()).filePath(QStringLiteral("nada.txt"));
    try {
        TColecaoCodigoRetencao codigos(QStringLiteral("2002"), ausente);
        FAIL() << "no error";
    } catch (const EDadosError& e) {
        EXPECT_EQ(e.Codigo(), 139);
    }
    EXPECT_THROW(TColecaoCodigoRetencao(QStringLiteral("2002"), Arquivo("2002|0561|0|F|C|F|S|N|S|\n")), EDadosError);
    TColecaoCodigoRetencao codigos(QStringLiteral("2002"), Arquivo());
    EXPECT_EQ(codigos.Quantidade(), 9);
}

TEST_F(TColecaoCodigoRetencaoTest, ACodeIsFoundInTheYearThenOnEitherSideThenInAnyYear)
{
    TColecaoCodigoRetencao codigos(QStringLiteral("2002"), Arquivo());
    const struct {
        const char* ano;
        const char* codigo;
        const char* anexo;
        bool achado;
        const char* anoLido;
        const char* anexoLido;
    } casos[] = {
        {"2002", "0561", "0", true, "2002", "0"}, {"2002", "0924", "1", true, "2002", "1"},
        {"2002", "6800", "0", true, "2002", "1"},   // only on the annex side in the year
        {"2002", "3249", "0", true, "2001", "0"},   // only in an earlier year
        {"2003", "0588", "0", true, "2002", "0"}, {"2000", "0561", "0", true, "2001", "0"},   // any year: the earliest
        {"2002", "9999", "0", false, "", ""},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(std::string(c.ano) + " " + c.codigo + " " + c.anexo);
        codigos.SetAno(QLatin1String(c.ano));
        TCodigoRetencao codigo;
        codigo.SetCodigo(QLatin1String(c.codigo));
        codigo.SetResumo(QStringLiteral("antes"));
        EXPECT_EQ(codigos.BuscaCodigo(codigo, QLatin1String(c.anexo)), c.achado);
        if (!c.achado) {
            EXPECT_EQ(codigo.GetResumo(), QStringLiteral("antes"));
            continue;
        }
        EXPECT_EQ(codigo.GetCodigo(), QLatin1String(c.codigo));
        EXPECT_EQ(codigo.GetAno(), QLatin1String(c.anoLido));
        EXPECT_EQ(codigo.GetAnexo(), QLatin1String(c.anexoLido));
    }
}

// A save or an import asks for a few codes item after item, under one annex flag or the other:
// each answer is the row of that code and flag, whatever was asked before.
TEST_F(TColecaoCodigoRetencaoTest, SearchesOneAfterAnotherEachFindTheirOwnRow)
{
    TColecaoCodigoRetencao codigos(QStringLiteral("2002"), Arquivo());
    TCodigoRetencao item;
    const auto busca = [&](const char* codigo, const char* anexo) {
        item.SetCodigo(QLatin1String(codigo));
        return codigos.BuscaCodigo(item, QLatin1String(anexo));
    };
    const struct {
        const char* codigo;
        const char* anexo;
        bool achado;
        const char* anexoLido;
        const char* pfPj;
    } casos[] = {
        {"0924", "0", true, "0", "A"},  {"0924", "1", true, "1", "A"}, {"0924", "0", true, "0", "A"},
        {"6190", "0", true, "0", "J"},  {"6190", "0", true, "0", "J"}, {"0561", "0", true, "0", "F"},
        {"9999", "0", false, "0", "F"},   // not found: the item keeps what it held
        {"0924", "1", true, "1", "A"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(std::string(c.codigo) + " " + c.anexo);
        EXPECT_EQ(busca(c.codigo, c.anexo), c.achado);
        if (c.achado) {
            EXPECT_EQ(item.GetCodigo(), QLatin1String(c.codigo));
        }
        EXPECT_EQ(item.GetAnexo(), QLatin1String(c.anexoLido));
        EXPECT_EQ(item.GetPfPjAmbos(), QLatin1String(c.pfPj));
    }
    // Thousands of codes not in the table, as a bad file may hold, change nothing of the answers.
    for (int i = 0; i < 3000; ++i)
        EXPECT_FALSE(busca(qPrintable(QStringLiteral("X%1").arg(i)), "0"));
    EXPECT_TRUE(busca("0588", "0"));
    EXPECT_EQ(item.GetResumo(), QStringLiteral("Trabalho sem vínculo empregatício"));
    // Another year: the same code is that year's row.
    for (const auto& [ano, anoLido] :
         {std::pair{"2002", "2002"}, std::pair{"2003", "2003"}, std::pair{"2000", "2001"}}) {
        SCOPED_TRACE(ano);
        codigos.SetAno(QLatin1String(ano));
        EXPECT_TRUE(busca("0561", "0"));
        EXPECT_EQ(item.GetAno(), QLatin1String(anoLido));
    }
}

TEST_F(TColecaoCodigoRetencaoTest, ARowIsReadWithEveryColumn)
{
    TColecaoCodigoRetencao codigos(QStringLiteral("2002"), Arquivo());
    ICodigosRetencao& tabela = codigos;
    TCodigoRetencao codigo;
    codigo.SetCodigo(QStringLiteral("6190"));
    ASSERT_TRUE(tabela.BuscaCodigo(codigo, QStringLiteral("0")));
    EXPECT_EQ(codigo.GetPfPjAmbos(), QStringLiteral("J"));
    EXPECT_EQ(codigo.GetResumo(), QStringLiteral("Órgão público federal: demais serviços"));
    EXPECT_EQ(codigo.GetRegime(), QStringLiteral("C"));
    EXPECT_EQ(codigo.GetComprovante(), QStringLiteral("J"));
    EXPECT_FALSE(codigo.GetDeducao());
    EXPECT_TRUE(codigo.GetIn4());
    EXPECT_FALSE(codigo.GetSubJudice());
    codigo.SetCodigo(QStringLiteral("0588"));
    ASSERT_TRUE(tabela.BuscaCodigo(codigo, QStringLiteral("0")));
    EXPECT_EQ(codigo.GetResumo(), QStringLiteral("Trabalho sem vínculo empregatício"));
    EXPECT_TRUE(codigo.GetDeducao());
    EXPECT_FALSE(codigo.GetIn4());
    EXPECT_TRUE(codigo.GetSubJudice());
}

TEST_F(TColecaoCodigoRetencaoTest, ChoiceListsShowTheCodesOfTheDeclarationsYear)
{
    TColecaoCodigoRetencao codigos(QStringLiteral("2002"), Arquivo());
    DeclaracaoDeTeste pruv;
    pruv.SetAno(QStringLiteral("2002"));
    auto tabela = CriaTabela(TColecaoCodigoRetencao::NomeArquivo());
    ASSERT_TRUE(AbreTabela(*tabela));

    TColecaoCodigoRetencao::Filtra(pruv, *tabela, QStringLiteral("0"));
    EXPECT_EQ(Linhas(*tabela), QStringList({"0:0561", "0:0588", "0:0924"}));
    pruv.Natureza = &pruv.Naturezas.GetTodas()[1];   // a federal public body
    TColecaoCodigoRetencao::Filtra(pruv, *tabela, QStringLiteral("0"));
    EXPECT_EQ(Linhas(*tabela), QStringList({"0:0561", "0:0588", "0:0924", "0:6190"}));
    TColecaoCodigoRetencao::Filtra(pruv, *tabela, QStringLiteral("1"));
    EXPECT_EQ(Linhas(*tabela), QStringList({"1:0924", "1:6800"}));

    TColecaoCodigoRetencao::FiltraAnexo(pruv, *tabela);
    EXPECT_EQ(Linhas(*tabela), QStringList({"0:0561", "0:0588", "0:0924", "0:6190", "1:0924", "1:6800"}));
    pruv.SetAno(QStringLiteral("2001"));
    TColecaoCodigoRetencao::FiltraAnexo(pruv, *tabela);
    EXPECT_EQ(Linhas(*tabela), QStringList({"0:0561", "0:3249"}));
}

TEST_F(TColecaoCodigoRetencaoTest, CodesKeptInMemoryFollowTheFileAndTheDatabase)
{
    // The rows read into memory serve every collection of the same database and code file; a
    // replaced file or another data folder is read afresh.
    auto resumo = [](TColecaoCodigoRetencao& codigos) {
        TCodigoRetencao codigo;
        codigo.SetCodigo(QStringLiteral("0561"));
        return codigos.BuscaCodigo(codigo, QStringLiteral("0")) ? codigo.GetResumo() : QStringLiteral("(none)");
    };
    {
        TColecaoCodigoRetencao codigos(QStringLiteral("2002"), Arquivo());
        EXPECT_EQ(resumo(codigos), QStringLiteral("Trabalho assalariado"));
    }
    {
        TColecaoCodigoRetencao codigos(QStringLiteral("2002"), Arquivo("2002|0561|0|F|C|F|S|N|S|Outro\n"));
        EXPECT_EQ(resumo(codigos), QStringLiteral("Outro"));
    }
    {
        TColecaoCodigoRetencao codigos(QStringLiteral("2002"), Arquivo("2002|0588|0|F|C|F|S|N|S|Sem vinculo\n"));
        EXPECT_EQ(resumo(codigos), QStringLiteral("(none)"));
    }
    const QString arquivo = Arquivo("2002|0561|0|F|C|F|S|N|S|Outro\n");
    {
        TColecaoCodigoRetencao codigos(QStringLiteral("2002"), arquivo);
        EXPECT_EQ(resumo(codigos), QStringLiteral("Outro"));
    }
    // Another data folder, filled from the same file but with a row changed since.
    ProgramaDeTeste::Termina();
    ProgramaDeTeste::Inicia();
    ASSERT_TRUE(TPastas::Cria());
    const QString outroArquivo = Arquivo("2002|0561|0|F|C|F|S|N|S|Outro\n");
    {
        TColecaoCodigoRetencao codigos(QStringLiteral("2002"), outroArquivo);
    }
    {
        auto tabela = CriaTabela(TColecaoCodigoRetencao::NomeArquivo());
        tabela->Open();
        tabela->Edit();
        tabela->FieldByName(QStringLiteral("RESUMO"))->SetAsString(QStringLiteral("Deste banco"));
        tabela->Post();
    }
    TColecaoCodigoRetencao codigos(QStringLiteral("2002"), outroArquivo);
    EXPECT_EQ(resumo(codigos), QStringLiteral("Deste banco"));
}

// A walk finds each row's code from the row's bytes, into the record of the row before: the
// answer and every field are those of a search by the code's text into an emptied record, as the
// year and the annex flag change and codes already found come again.
TEST_F(TColecaoCodigoRetencaoTest, ACodeFoundFromARowsBytesIsTheOneFoundFromItsText)
{
    TColecaoCodigoRetencao codigos(QStringLiteral("2002"), Arquivo());
    TCodigoRetencao lido;   // keeps the previous row's fields, as a walk's record does
    lido.SetResumo(QStringLiteral("linha anterior"));
    const struct {
        const char* ano;
        const char* codigo;   // nullptr: a NULL column
        const char* anexo;
    } casos[] = {
        {"2002", "0561", "0"}, {"2002", "0561", "0"}, {"2002", "0924", "1"},  {"2002", "0924", "0"},
        {"2002", "0561", "1"}, {"2001", "0561", "0"},   // the year changes after the code was found
        {"2001", "3249", "0"}, {"2002", "3249", "0"}, {"2002", "9999", "0"},  {"2002", "9999", "0"},
        {"2002", "561", "0"},  {"2002", "05a1", "0"}, {"2002", nullptr, "0"}, {"2002", "0561", "0"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(std::string(c.ano) + " " + (c.codigo ? c.codigo : "NULL") + " " + c.anexo);
        codigos.SetAno(QLatin1String(c.ano));
        const QString anexo = QLatin1String(c.anexo);
        TCodigoRetencao esperado = lido;
        esperado.Limpa();
        esperado.SetCodigo(c.codigo ? QString::fromLatin1(c.codigo) : QString());
        const QByteArrayView bytes = c.codigo ? QByteArrayView(c.codigo) : QByteArrayView();
        const bool achadoLido = codigos.BuscaCodigoLido(lido, bytes, anexo);   // first: what it found before counts
        EXPECT_EQ(achadoLido, codigos.BuscaCodigo(esperado, anexo));
        EXPECT_TRUE(lido == esperado) << qPrintable(lido.GetCodigo() + u' ' + lido.GetAno() + u' ' + lido.GetAnexo());
        EXPECT_EQ(lido.GetCodigo().isNull(), esperado.GetCodigo().isNull());
    }
}
