#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QMap>
#include <QSet>

#include "model/ImprimeQString.h"
#include "model/codes/TArquivoCodigosRetencao.h"
#include "model/values/TErro.h"
#include "support/ProgramaDeTeste.h"

namespace {

QString Grava(const QByteArray& conteudo)
{
    const QString caminho = QDir(ProgramaDeTeste::Pasta()).filePath(QStringLiteral("codigos.txt"));
    QFile arquivo(caminho);
    if (!arquivo.open(QIODevice::WriteOnly) || arquivo.write(conteudo) != conteudo.size())
        throw std::runtime_error("cannot write the fixture");
    return caminho;
}

QString MensagemDe(const QByteArray& conteudo)
{
    const QString caminho = Grava(conteudo);
    try {
        TArquivoCodigosRetencao::Le(caminho);
    } catch (const EDadosError& e) {
        EXPECT_EQ(e.Codigo(), 139);
        return e.GetMensagem().mid(caminho.size() + QStringLiteral("Não foi possivel abrir arquivo ").size());
    }
    return QStringLiteral("no error");
}

}   // namespace

TEST(TArquivoCodigosRetencao, ALineStandsForEachYearOfItsRange)
{
    const QString caminho = Grava("# comment\r\n"
                                  "\r\n"
                                  "2001-2002|0588|0|F|C|F|S|N|S|Trabalho sem vínculo empregatício\r\n"
                                  "1999|6800|1|A|F|N|N|N|N|Fundos de renda fixa\n");
    const auto codigos = TArquivoCodigosRetencao::Le(caminho);
    ASSERT_EQ(codigos.size(), 3u);
    EXPECT_EQ(codigos[0].GetAno(), QStringLiteral("2001"));
    EXPECT_EQ(codigos[1].GetAno(), QStringLiteral("2002"));
    const TCodigoRetencao& c = codigos[1];
    EXPECT_EQ(c.GetCodigo(), QStringLiteral("0588"));
    EXPECT_EQ(c.GetAnexo(), QStringLiteral("0"));
    EXPECT_EQ(c.GetPfPjAmbos(), QStringLiteral("F"));
    EXPECT_EQ(c.GetRegime(), QStringLiteral("C"));
    EXPECT_EQ(c.GetComprovante(), QStringLiteral("F"));
    EXPECT_TRUE(c.GetDeducao());
    EXPECT_FALSE(c.GetIn4());
    EXPECT_TRUE(c.GetSubJudice());
    EXPECT_EQ(c.GetResumo(), QStringLiteral("Trabalho sem vínculo empregatício"));
    EXPECT_EQ(codigos[2].GetAnexo(), QStringLiteral("1"));
    EXPECT_FALSE(codigos[2].GetDeducao());
}

TEST(TArquivoCodigosRetencao, RefusesAMalformedLineNamingIt)
{
    const struct {
        const char* linha;
        const char* fim;
    } casos[] = {
        {"2002|0561|0|F|C|F|S|N|S", "linha 2, 9 campos em vez de 10."},
        {"2003-2002|0561|0|F|C|F|S|N|S|x", "linha 2, anos inválidos."},
        {"02|0561|0|F|C|F|S|N|S|x", "linha 2, anos inválidos."},
        {"2002|561|0|F|C|F|S|N|S|x", "linha 2, código inválido."},
        {"2002|0561|2|F|C|F|S|N|S|x", "linha 2, ANEXO inválido."},
        {"2002|0561|0|X|C|F|S|N|S|x", "linha 2, PF_PJ_AMBOS inválido."},
        {"2002|0561|0|F|X|F|S|N|S|x", "linha 2, REGIME inválido."},
        {"2002|0561|0|F|C|X|S|N|S|x", "linha 2, COMPROVANTE inválido."},
        {"2002|0561|0|F|C|F|T|N|S|x", "linha 2, indicador diferente de S e de N."},
        {"2002|0561|0|F|C|F|S|N|S| ", "linha 2, RESUMO vazio ou com mais de 100 caracteres."},
        {"2001-2002|0561|0|F|C|F|S|N|S|x", "linha 2, código repetido no ano 2002."},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.linha);
        const QByteArray conteudo = QByteArray("2002|0561|0|F|C|F|S|N|S|Trabalho\n") + c.linha + "\n";
        EXPECT_EQ(MensagemDe(conteudo), QString::fromUtf8(c.fim).prepend(QStringLiteral(": ")));
    }
}

TEST(TArquivoCodigosRetencao, RefusesAMissingFileAndTextOutsideUtf8)
{
    try {
        TArquivoCodigosRetencao::Le(QDir(ProgramaDeTeste::Pasta()).filePath(QStringLiteral("nada.txt")));
        FAIL() << "no error";
    } catch (const EDadosError& e) {
        EXPECT_EQ(e.Codigo(), 139);
        EXPECT_TRUE(e.GetMensagem().endsWith(QStringLiteral("nada.txt: arquivo não encontrado.")));
    }
    EXPECT_EQ(MensagemDe("2002|0561|0|F|C|F|S|N|S|Trabalho n\xe3o\n"), QStringLiteral(": texto fora do UTF-8."));
}

// The file the program ships: it must load, and hold what the item rules and screens take for granted.
class CodigosDoPrograma : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (TCodigoRetencao& c : TArquivoCodigosRetencao::Le(QStringLiteral(PRUV_PASTA_RECURSOS "/CodRet.txt")))
            codigos.insert(c.GetAno() + c.GetAnexo() + c.GetCodigo(), c);
    }
    const TCodigoRetencao* Busca(int ano, const char* anexo, const char* codigo) const
    {
        const auto i = codigos.find(QString::number(ano) + QLatin1String(anexo) + QLatin1String(codigo));
        return i == codigos.end() ? nullptr : &*i;
    }
    QMap<QString, TCodigoRetencao> codigos;
};

TEST_F(CodigosDoPrograma, EveryYearHasTheCodesTheRulesName)
{
    for (int ano = 1997; ano <= 2003; ++ano) {
        SCOPED_TRACE(ano);
        for (const char* codigo : {"0561", "0588"}) {
            const TCodigoRetencao* c = Busca(ano, "0", codigo);
            ASSERT_NE(c, nullptr) << codigo;
            EXPECT_EQ(c->GetPfPjAmbos(), QStringLiteral("F")) << codigo;   // the 13th salary is for persons
            EXPECT_TRUE(c->GetDeducao()) << codigo;
            EXPECT_TRUE(c->GetSubJudice()) << codigo;
        }
        ASSERT_NE(Busca(ano, "0", "8045"), nullptr);
    }
    // Until 16/01/2002 these took any beneficiary; the values rules refuse the later months.
    for (const char* codigo : {"8045", "3249", "3251"})
        EXPECT_EQ(Busca(2002, "0", codigo)->GetPfPjAmbos(), QStringLiteral("A")) << codigo;
    EXPECT_EQ(Busca(2002, "1", "6799")->GetPfPjAmbos(), QStringLiteral("A"));
    EXPECT_EQ(Busca(2003, "0", "8045")->GetPfPjAmbos(), QStringLiteral("J"));
    for (const char* codigo : {"3249", "3251"})
        EXPECT_EQ(Busca(2003, "0", codigo), nullptr) << codigo;
    EXPECT_EQ(Busca(2003, "1", "6799"), nullptr);
}

TEST_F(CodigosDoPrograma, OnlyTheCodesTheSummaryGridHidesHaveBothAnnexVariants)
{
    // The summary's code grid drops the annex row of exactly these codes, so any other code with
    // both rows in a year would be listed twice.
    const QMap<int, QSet<QString>> esperados = {
        {1997, {}},
        {1998, {}},
        {1999, {"0490", "5286", "0924", "5232", "6799", "6800", "6813"}},
        {2000, {"0924"}},
        {2001, {"0924"}},
        {2002, {"0924", "3223"}},
        {2003, {"0924", "3223"}},
    };
    for (auto i = esperados.begin(); i != esperados.end(); ++i) {
        SCOPED_TRACE(i.key());
        QSet<QString> ambos;
        for (const TCodigoRetencao& c : codigos)
            if (c.GetAno().toInt() == i.key() && c.GetAnexo() == QLatin1String("1")
                && Busca(i.key(), "0", qPrintable(c.GetCodigo())))
                ambos.insert(c.GetCodigo());
        EXPECT_EQ(ambos, i.value());
    }
}

TEST_F(CodigosDoPrograma, FundCodesAndFederalBodyCodesKeepToTheirDeclarants)
{
    for (const TCodigoRetencao& c : codigos) {
        SCOPED_TRACE(qPrintable(c.GetAno() + QLatin1Char(' ') + c.GetCodigo()));
        // Annexes begin in 1999, federal public bodies are a nature from 1998.
        if (c.GetAnexo() == QLatin1String("1")) {
            EXPECT_GE(c.GetAno().toInt(), 1999);
        }
        if (c.GetIn4()) {
            EXPECT_GE(c.GetAno().toInt(), 1998);
            EXPECT_EQ(c.GetPfPjAmbos(), QStringLiteral("J"));
        }
        // Deductions and judicial suspension are for persons.
        if (c.GetDeducao() || c.GetSubJudice()) {
            EXPECT_NE(c.GetPfPjAmbos(), QStringLiteral("J"));
        }
    }
}
