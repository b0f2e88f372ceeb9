#include <gtest/gtest.h>

#include "reports/RelatosDeTeste.h"
#include "reports/ConferePaginas.h"
#include "reports/listings/TFoRelatoGerencial.h"

namespace {

class TFoRelatoGerencialTest : public RelatosDeTeste {};

}   // namespace

TEST_F(TFoRelatoGerencialTest, ListsEveryStoredDeclarationByItsOwnDeclarantsKind)
{
    auto pf = Nova(CpfDeclarante, "2003", 0, "CARLOS DIAS");
    pf->SetSituacaoEspecial(true);
    colecao->Inclui(*pf);
    auto pj = Armazenada(Matriz, "2002", 3);
    pj->SetTipoDeclaracao(QStringLiteral("R"));
    pj->SetDataGeracao(37622);   // 01/01/2003
    pj->SetNrDisquetes(2);
    colecao->Atualiza(*pj);
    NovoAnexo(*pj, Fundo, "", true);
    NovoAnexo(*pj, NumeroDe("667778880001"), "", true);
    ImprimeRelatoGerencial(*colecao, false);

    const QStringList paginas = Paginas();
    ASSERT_EQ(paginas.size(), 1);
    const QString& p = paginas[0];
    EXPECT_TRUE(p.startsWith(QStringLiteral("Relatório Gerencial|")));
    const QString blocoPf = QStringLiteral("Declarante: ") + Mascara(CpfDeclarante)
        + QStringLiteral("|Nome: CARLOS DIAS|Ano-Calendário: 2003|Espólio/Saída definitiva do país: SIM"
                         "|Tipo: Original|CPF do responsável perante o CNPJ:|CPF do Responsável pelo "
                         "Preenchimento: ")
        + Mascara(CpfResponsavel)
        + QStringLiteral("|Nome do Responsável pelo Preenchimento: MARIA DA SILVA|Data de Gravação:"
                         "|Nº de disquetes: 0|Nº de Fundo/Clube: 0|");
    const QString blocoPj = QStringLiteral("Declarante: ") + Mascara(Matriz)
        + QStringLiteral("|Nome Empresarial: EMPRESA ALFA LTDA|Ano-Calendário: 2002|Extinção: NÃO"
                         "|Tipo: Retificadora|CPF do responsável perante o CNPJ: ")
        + Mascara(CpfResponsavel) + QStringLiteral("|CPF do Responsável pelo Preenchimento: ") + Mascara(CpfResponsavel)
        + QStringLiteral("|Nome do Responsável pelo Preenchimento: MARIA DA SILVA|Data de Gravação: "
                         "01/01/2003|Nº de disquetes: 2|Nº de Fundo/Clube: 2|");
    EXPECT_TRUE(p.contains(blocoPf)) << p.toStdString();
    EXPECT_TRUE(p.contains(blocoPj)) << p.toStdString();
    EXPECT_TRUE(p.contains(QStringLiteral("Página 1 de 1")));
}

// The declarant's and the responsible person's longest names, in the widest letters, end their
// lines whole inside the printable area of A4 and of Letter, in a size still read.
TEST_F(TFoRelatoGerencialTest, WidestNamesPrintWholeInsideThePageInALegibleSize)
{
    const QString declarante = QStringLiteral("WWMMW MMWWM WWMMW MMWWM WWMMW MMWWM WWMMW MMWWM WWMMW MMWWMW");
    const QString responsavel = QStringLiteral("MÔNICA WANDA WOLFF MÜLLER DOMINGOS GUIMARÃES MOURÃO WAGNER W");
    ASSERT_EQ(declarante.size(), 60);
    ASSERT_EQ(responsavel.size(), 60);
    auto pruv = Nova(Matriz);
    pruv->GetDeclarante().Nome().SetTexto(declarante);
    pruv->GetResponsavel().Nome().SetTexto(responsavel);
    colecao->Inclui(*pruv);
    EmA4ECarta(
        [&] { ImprimeRelatoGerencial(*colecao, false); }, QStringLiteral("Relatório Gerencial"),
        [&](const QStringList& paginas, const std::vector<TDesenhoPagina>& desenhadas) {
            ASSERT_EQ(paginas.size(), 1);
            EXPECT_TRUE(paginas[0].contains(QStringLiteral("|Nome Empresarial: ") + declarante + QLatin1Char('|')))
                << paginas[0].toStdString();
            EXPECT_TRUE(paginas[0].contains(QStringLiteral("|Nome do Responsável pelo Preenchimento: ") + responsavel
                                            + QLatin1Char('|')))
                << paginas[0].toStdString();
            for (const QString& elemento : {QStringLiteral("QRLNome"), QStringLiteral("QRLNomeResp")})
                for (const TTracoDesenhado* t : TextosDe(desenhadas, elemento))
                    EXPECT_GE(PontosImpressos(*t), PontosLegiveis) << elemento.toStdString();
        });
}
