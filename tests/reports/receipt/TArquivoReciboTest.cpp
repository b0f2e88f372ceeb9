#include <QDir>
#include <gtest/gtest.h>

#include "reports/ReciboDeTeste.h"
#include "model/values/PastasPrograma.h"
#include "platform/transmit/TransmissaoRoteirizada.h"
#include "reports/receipt/CarregaBibliotecaAssinatura.h"
#include "reports/receipt/TArquivoRecibo.h"
#include "support/ProgramaDeTeste.h"

using namespace ReciboDeTeste;

namespace {

// A receipt file of the fixtures (by default the certified one of pj-fundos.ini), as it is or
// with one character of a line changed.
QString Recibo(int linha = 0, int posicao = 0, char troca = 0, const char* fixture = "pj-fundos.rec")
{
    if (linha == 0)
        return Fixture(QString::fromLatin1(fixture));
    QByteArray texto = Le(Fixture(QString::fromLatin1(fixture)));
    qsizetype inicio = 0;
    for (int i = 1; i < linha; ++i)
        inicio = texto.indexOf('\n', inicio) + 1;
    texto[inicio + posicao - 1] = troca;
    return Grava(ProgramaDeTeste::Pasta() + QStringLiteral("/r.rec"), texto);
}

// Asks the loader in use, as the print does.
TSituacaoRecibo Verifica(TArquivoRecibo& recibo)
{
    TAssinaturaSobDemanda assinatura;
    return recibo.Verifica(QStringLiteral("0792648928"), [&assinatura] { return assinatura.Obtem(); });
}

}   // namespace

TEST(TArquivoRecibo, CheckGoesByTheMarksTheSignatureAndTheCodes)
{
    using S = TSituacaoRecibo;
    const struct {
        const char* caso;
        int linha, posicao;
        char troca;
        int biblioteca;
        S esperada;
        int chamadas;
        const char* fixture = "pj-fundos.rec";
    } casos[] = {
        {"authentic", 0, 0, 0, 1, S::Certificado, 1},
        {"not authentic", 0, 0, 0, 0, S::Invalido, 1},
        {"no library", 0, 0, 0, -1, S::SemAssinatura, 0},
        {"second mark", 2, 1, 'X', 1, S::Invalido, 0},
        {"third mark", 3, 2, 'X', 1, S::Invalido, 0},
        {"line 2 altered before its code", 2, 50, '9', 1, S::Invalido, 1},
        {"line 1 code", 1, 20, 'X', 1, S::Invalido, 1},
        {"line 3 covered part", 3, 10, 'Z', 1, S::Invalido, 1},
        {"signed, codes right, received on 31 February", 0, 0, 0, 1, S::Invalido, 1, "data-invalida.rec"},
        {"no file", 0, 0, 0, 1, S::Invalido, 0, "nenhum.rec"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        TransmissaoRoteirizada transmissao;
        if (c.biblioteca >= 0)
            transmissao.DisponibilizaAssinatura(DiretorioPrograma(), c.biblioteca == 1);
        TArquivoRecibo recibo(Recibo(c.linha, c.posicao, c.troca, c.fixture));
        EXPECT_EQ(Verifica(recibo), c.esperada);
        ASSERT_EQ(transmissao.ChamadasVA5().size(), static_cast<std::size_t>(c.chamadas));
        if (c.esperada == S::Certificado) {
            const auto& v = transmissao.ChamadasVA5()[0];
            EXPECT_EQ(v.NumeroRecibo, QStringLiteral("0792648928"));
            EXPECT_EQ(v.Ni, QStringLiteral("11222333000181"));
            EXPECT_EQ(v.Crc, QStringLiteral("0792648928"));
            EXPECT_EQ(std::vector<int>({v.Dia, v.Mes, v.Ano, v.Hora, v.Minuto, v.Segundo}),
                      std::vector<int>({14, 3, 2003, 15, 30, 5}));
            EXPECT_EQ(recibo.Recepcao().Data(), QDate(2003, 3, 14));
        }
    }
}

TEST(TArquivoRecibo, DatePartsStopAtTheFirstThatIsNotANumber)
{
    const struct {
        int posicao;
        std::vector<int> partes;
    } casos[] = {
        {17, {0, 0, 0, 0, 0, 0}},
        {20, {14, 0, 0, 0, 0, 0}},
        {26, {14, 3, 2003, 0, 0, 0}},
        {30, {14, 3, 2003, 15, 30, 0}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.posicao);
        TArquivoRecibo recibo(Recibo(2, c.posicao, ' '));
        recibo.Verifica(QStringLiteral("0792648928"), [] { return nullptr; });
        const TRecepcao& r = recibo.Recepcao();
        EXPECT_EQ(std::vector<int>({r.Dia, r.Mes, r.Ano, r.Hora, r.Minuto, r.Segundo}), c.partes);
    }
    TRecepcao r{QString(), QString(), 5, 3, 2003, 9, 8, 7};
    EXPECT_EQ(r.Texto(), QStringLiteral("em 5/3/2003 às 09:08:07"));
}

TEST(CarregaBibliotecaAssinatura, InstallationsUpTo2002LendTheirFolderOthersOnlyThisProgramsOwn)
{
    const QString instalada = ProgramaDeTeste::Pasta() + QStringLiteral("/Ulvaro");
    const struct {
        const char* versao;
        bool naInstalacao;
        bool naPastaPrograma;
        bool carrega;
    } casos[] = {
        {"2002", true, false, true},    {"200201", true, false, true},
        {"1999", true, false, true},    {"0", true, false, true},
        {"200301", true, false, false},   // a current transmission program: only this program's folder
        {"200301", false, true, true},  {"20a1", true, false, false},
        {nullptr, false, true, true},   // nothing installed
        {nullptr, false, false, false},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.versao ? c.versao : "no installation");
        TransmissaoRoteirizada transmissao;
        if (c.versao != nullptr) {
            transmissao.DefinePastaSistema(ProgramaDeTeste::Pasta() + QStringLiteral("/sistema"));
            transmissao.EscreveIni(QString::fromLatin1(c.versao), instalada);
        }
        if (c.naInstalacao)
            transmissao.DisponibilizaAssinatura(instalada, true);
        if (c.naPastaPrograma)
            transmissao.DisponibilizaAssinatura(DiretorioPrograma(), true);
        EXPECT_EQ(CarregaBibliotecaAssinatura() != nullptr, c.carrega);
    }
}
