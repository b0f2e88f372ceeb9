#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

#include "InspecaoPapel.h"
#include "reports/RelatosDeTeste.h"
#include "reports/ConferePaginas.h"
#include "platform/report/pages/TDocumentoRelatorio.h"
#include "platform/report/bands/TRelatorio.h"
#include "platform/report/printing/TSaidaRelatorio.h"
#include "reports/listings/TFoRelatoDeclaracao.h"
#include "shell/printing/TFoPreview.h"
#include "shell/printing/TPreviewRelatorio.h"

namespace {

class TFoRelatoDeclaracaoTest : public RelatosDeTeste {
protected:
    // The pages of one generation's document, through a PDF file.
    QStringList PaginasDoDocumento(TFoRelatoDeclaracao& relato, int lote)
    {
        const QString arquivo = pdfs + QStringLiteral("/lote%1.pdf").arg(lote);
        EXPECT_TRUE(TSaidaRelatorio::ExportaPdf(*relato.QRRelatoDeclaracao().Documento(), arquivo));
        return TextoPdf::TextosJuntos(arquivo);
    }

    // Six items, each a block of its own.
    std::unique_ptr<TPruv> SeisItens()
    {
        auto pruv = Armazenada(Matriz);
        for (int i = 0; i < 6; ++i) {
            const QByteArray nome =
                QStringLiteral("JOSE %1").arg(QString(2, QChar(u'A' + i)) + QLatin1Char('X')).toUtf8();
            Guarda(*pruv, *pruv,
                   {"0588", NumeroDe(QByteArray::number(300000000 + i).constData()), nome.constData(), 10 * Reais});
        }
        return pruv;
    }
};

bool Espera(const std::function<bool()>& condicao)
{
    QElapsedTimer relogio;
    relogio.start();
    while (!condicao()) {
        if (relogio.elapsed() > 20000)
            return false;
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

}   // namespace

TEST_F(TFoRelatoDeclaracaoTest, FirstPageCarriesTheDeclarantAndThePersonsResponsible)
{
    const struct {
        const char* ni;
        const char* ano;
        bool especial;
        const char* esperado;
        bool respCnpj;
    } casos[] = {
        {"112223330001", "2002", false, "Ano-Calendário: 2002 Tipo: Original", true},
        {"111444777", "2003", true, "Ano-Calendário: 2003 Tipo: Original Espólio / Saída definitiva do país", false},
    };
    int arquivo = 0;
    for (const auto& c : casos) {
        SCOPED_TRACE(c.ni);
        const QString ni = NumeroDe(c.ni);
        auto pruv = Nova(ni, c.ano, 0, "EMPRESA ALFA LTDA");
        pruv->SetSituacaoEspecial(c.especial);
        colecao->Inclui(*pruv);
        Guarda(*pruv, *pruv, {"0561", CpfAna, "ANA PAULA SOUZA", 100 * Reais});
        ImprimeRelatoDeclaracao(*pruv, *colecao, false);

        const QStringList paginas = Paginas(arquivo++);
        ASSERT_EQ(paginas.size(), 1);
        const QString& p = paginas[0];
        const QString titulos = ni.size() == 11 ? QStringLiteral("CPF %1 Nome EMPRESA ALFA LTDA")
                                                : QStringLiteral("CNPJ %1 Nome Empresarial EMPRESA ALFA LTDA");
        for (const QString& texto :
             {QString::fromUtf8(c.esperado), titulos.arg(Mascara(ni)),
              QStringLiteral("|Declarante|CNPJ/CPF: ") + Mascara(ni)
                  + QStringLiteral(" Nome / Nome Empresarial EMPRESA ALFA LTDA|Responsável pelo Preenchimento|CPF ")
                  + Mascara(CpfResponsavel)
                  + QStringLiteral(" Nome MARIA DA SILVA|DDD (11) Telefone 3222-1234 Ramal Fax 3222-1235 E-Mail|"),
              QStringLiteral("Declarante: ") + Mascara(ni), QStringLiteral("Página 1 de 1")})
            EXPECT_TRUE(p.contains(texto)) << texto.toStdString() << "\n" << p.toStdString();
        EXPECT_EQ(p.contains(QStringLiteral("Responsável perante o CNPJ|CPF ") + Mascara(CpfResponsavel)), c.respCnpj);
    }
}

// The responsible person's longest name and e-mail, in wide letters, end their lines whole
// inside the printable area of A4 and of Letter.
TEST_F(TFoRelatoDeclaracaoTest, LongestResponsibleNameAndEmailPrintWholeInsideThePage)
{
    const QString nome = QStringLiteral("MÔNICA WANDA WOLFF MÜLLER DOMINGOS GUIMARÃES MOURÃO WAGNER W");
    const QString email = QStringLiteral("mwanda.mourao.wolff@wwmm-maquinas-de-moagem.com.br");
    ASSERT_EQ(nome.size(), 60);
    ASSERT_EQ(email.size(), 50);
    auto pruv = Nova(Matriz);
    pruv->GetResponsavel().Nome().SetTexto(nome);
    pruv->GetResponsavel().Email().SetTexto(email);
    colecao->Inclui(*pruv);
    Guarda(*pruv, *pruv, {"0561", CpfAna, "ANA PAULA SOUZA", 100 * Reais});
    EmA4ECarta([&] { ImprimeRelatoDeclaracao(*pruv, *colecao, false); }, QStringLiteral("Declaração Completa"),
               [&](const QStringList& paginas, const std::vector<TDesenhoPagina>& desenhadas) {
                   ASSERT_EQ(paginas.size(), 1);
                   EXPECT_TRUE(paginas[0].contains(QStringLiteral(" Nome ") + nome + QLatin1Char('|')))
                       << paginas[0].toStdString();
                   // The e-mail on its line, or going on at the start of the next; above the
                   // floor's own size (a line shrunk down to it takes a second line).
                   const QString depois = paginas[0].section(QStringLiteral(" E-Mail "), 1);
                   const QStringList linhas = depois.split(QLatin1Char('|'));
                   EXPECT_TRUE(linhas.value(0) == email || linhas.value(0) + linhas.value(1) == email)
                       << paginas[0].toStdString();
                   for (const char* elemento : {"QRLEmailResp", "QRLEmailResp2"})
                       for (const TTracoDesenhado* l : TextosDe(desenhadas, QLatin1String(elemento)))
                           EXPECT_GT(PontosImpressos(*l), PontosLegiveis + 0.1) << l->Texto.toStdString();
               });
}

// Texts of the widest letters at their longest would print too small to read on one line: they
// take a second line in their room, each line in a size still read, nothing over what follows
// them, on A4 and on Letter. The declarant's name (page header and title), the fund's name, a
// company beneficiary's name and the responsible person's e-mail.
TEST_F(TFoRelatoDeclaracaoTest, TextsTooWideForALegibleSizeTakeASecondLineInTheirRoom)
{
    // The widest a name can be: sixty characters, words of twenty at most, no letter thrice in a row.
    const QString declarante = QStringLiteral("WWMWWMWWMWWMWWMWWMWW WWMWWMWWMWWMWWMWWMWW WWMWWMWWMWWMWWMWWM");
    const QString empresa = QStringLiteral("WWMWWMWWMWWMWWMWWMWW WWMWWMWWMWWMWWMWWMWW MWWMWWMWWMWWMWWMWW");
    const QString fundo = QStringLiteral("MWWMWWMWWMWWMWWMWWMW WWMWWMWWMWWMWWMWWMWW WWMWWMWWMWWMWWMWWM");
    const QString email = QStringLiteral("wwmmw.mmwwm@wwmmwmmwwm-wwmmw.mmwwmwwmmw-mmw.com.br");
    ASSERT_EQ(declarante.size(), 60);
    ASSERT_EQ(empresa.size(), 60);
    ASSERT_EQ(fundo.size(), 60);
    ASSERT_EQ(email.size(), 50);
    auto pruv = Nova(Matriz);
    pruv->GetDeclarante().Nome().SetTexto(declarante);
    pruv->GetResponsavel().Email().SetTexto(email);
    colecao->Inclui(*pruv);
    Guarda(*pruv, *pruv, {"1708", CnpjGama, empresa.toUtf8().constData(), 100 * Reais});
    auto anexo = NovoAnexo(*pruv, Fundo, "", false);
    anexo->GetDeclarante().Nome().SetTexto(fundo);
    pruv->GetColecaoAnexo().Salva(*anexo);
    Guarda(*pruv, *anexo, {"0561", CpfBruno, "BRUNO COSTA LIMA", 10 * Reais});
    const struct {
        const char* elemento;
        QString texto;
    } textos[] = {
        {"QRLNome", declarante},   {"QRLNomeDeclarante", declarante}, {"QRLNomeFundo", fundo},
        {"QRLNomeBenef", empresa}, {"QRLEmailResp", email},
    };
    EmA4ECarta([&] { ImprimeRelatoDeclaracao(*pruv, *colecao, false); }, QStringLiteral("Declaração Completa"),
               [&](const QStringList&, const std::vector<TDesenhoPagina>& desenhadas) {
                   for (const auto& t : textos) {
                       SCOPED_TRACE(t.elemento);
                       const QString elemento = QLatin1String(t.elemento);
                       const auto primeiras = TextosDe(desenhadas, elemento);
                       const auto segundas = TextosDe(desenhadas, elemento + QLatin1Char('2'));
                       ASSERT_FALSE(primeiras.empty());
                       for (const auto* linhas : {&primeiras, &segundas})
                           for (const TTracoDesenhado* l : *linhas)
                               EXPECT_GE(PontosImpressos(*l), PontosLegiveis) << l->Texto.toStdString();
                       // Whole: the first line, and the second under it where there is one.
                       const TTracoDesenhado* primeira = primeiras.front();
                       QString inteiro = primeira->Texto;
                       for (const TTracoDesenhado* l : segundas)
                           if (l->Banda == primeira->Banda) {
                               EXPECT_GT(l->Caixa.top(), primeira->Caixa.top());
                               EXPECT_EQ(l->Caixa.left(), primeira->Caixa.left());
                               inteiro += QLatin1Char(' ') + l->Texto;
                               break;
                           }
                       EXPECT_EQ(inteiro.remove(QLatin1Char(' ')), QString(t.texto).remove(QLatin1Char(' ')));
                   }
                   // A second line stands clear of whatever else its page holds, rules included.
                   for (const TDesenhoPagina& p : desenhadas)
                       for (const TTracoDesenhado& l : p.Tracos)
                           if (l.Tipo == TTracoDesenhado::TTipo::Texto && l.Elemento.endsWith(QLatin1Char('2')))
                               for (const TTracoDesenhado& o : p.Tracos) {
                                   const QRectF c = o.Caixa;
                                   const bool vertical = c.bottom() > l.Caixa.top() + 0.01
                                       && c.top() < l.Caixa.bottom() - 0.01;
                                   const bool horizontal = c.right() > l.Caixa.left() && c.left() < l.Caixa.right();
                                   EXPECT_TRUE(&o == &l || !vertical || !horizontal)
                                       << l.Elemento.toStdString() << " sobre " << o.Elemento.toStdString();
                               }
               });
}

TEST_F(TFoRelatoDeclaracaoTest, EachItemsRowsAndColumnsFollowItsCodeYearAndAmounts)
{
    enum Extra { Nada, Compensacao, SubJudice };
    const struct {
        const char* codigo;
        const char* ano;
        bool cnpj;
        Extra extra;
        bool decimo;
        bool deducoes;
        bool compensacao;
        bool subJudice;
    } casos[] = {
        {"0588", "2001", false, Nada, false, true, false, false},
        {"0588", "2002", false, Nada, true, true, false, false},
        {"0561", "2001", false, Nada, true, true, false, false},
        {"1708", "2002", true, Nada, false, false, false, false},
        {"3208", "2002", false, Compensacao, false, true, true, false},
        {"3208", "2002", false, SubJudice, false, true, false, true},
    };
    int arquivo = 0;
    for (const auto& c : casos) {
        SCOPED_TRACE(::testing::Message() << c.codigo << " " << c.ano << " " << c.extra);
        auto pruv = Armazenada(Matriz, c.ano);
        TItemDeTeste item{c.codigo,     c.cnpj ? CnpjGama : CpfAna, c.cnpj ? "EMPRESA GAMA SA" : "ANA PAULA SOUZA",
                          1000 * Reais, c.cnpj ? 0 : 50 * Reais,    100 * Reais,
                          700 * Reais};
        item.compensacaoJaneiro = c.extra == Compensacao ? 30 * Reais : 0;
        item.subJudiceJaneiro = c.extra == SubJudice ? 200 * Reais : 0;
        Guarda(*pruv, *pruv, item);
        ImprimeRelatoDeclaracao(*pruv, *colecao, false);

        const QString p = Paginas(arquivo++).join(QLatin1Char('#'));
        EXPECT_TRUE(
            p.contains(QStringLiteral("Código %1 %2 %3 %4 %5")
                           .arg(QLatin1String(c.codigo), c.cnpj ? QStringLiteral("CNPJ") : QStringLiteral("CPF"),
                                Mascara(item.ni), c.cnpj ? QStringLiteral("Nome Empresarial") : QStringLiteral("Nome"),
                                QString::fromUtf8(item.nome))))
            << p.toStdString();
        const QString deducao = c.deducoes ? QStringLiteral(" 50,00") : QString();
        const QString compensacao = c.compensacao ? QStringLiteral(" 30,00 0,00") : QString();
        EXPECT_TRUE(p.contains(QStringLiteral("|Jan 1.000,00") + deducao + QStringLiteral(" 100,00") + compensacao
                               + QLatin1Char('|')))
            << p.toStdString();
        EXPECT_TRUE(p.contains(QStringLiteral("|Total 12.000,00") + (c.deducoes ? QStringLiteral(" 600,00") : QString())
                               + QStringLiteral(" 1.200,00")
                               + (c.compensacao ? QStringLiteral(" 30,00 0,00") : QString()) + QLatin1Char('|')))
            << p.toStdString();
        EXPECT_EQ(p.contains(QStringLiteral("|13º 700,00")), c.decimo);
        EXPECT_EQ(p.contains(QStringLiteral("Deduções")), c.deducoes);
        EXPECT_EQ(p.contains(QStringLiteral("Comp. Ano Calendário")), c.compensacao);
        EXPECT_EQ(p.contains(QStringLiteral("Comp. Anos Anteriores")), c.compensacao);
        EXPECT_EQ(p.contains(QStringLiteral("Tributação com Exigibilidade Suspensa")), c.subJudice);
        if (c.subJudice) {
            EXPECT_TRUE(p.contains(QStringLiteral(
                "Mês Rendimentos Deduções Imposto Retido Depósito Judicial|Jan 200,00 0,00 0,00 0,00|")));
            EXPECT_TRUE(p.contains(QStringLiteral("|Total 200,00 0,00 0,00 0,00|")));
        }
        colecao->Exclui(*pruv);
    }
}

TEST_F(TFoRelatoDeclaracaoTest, EachFundStartsAPageThatItsHeaderAndFooterName)
{
    for (const bool itensProprios : {true, false}) {
        SCOPED_TRACE(itensProprios ? "with items of its own" : "annex items only");
        auto pruv = ComFundo(itensProprios);
        ImprimeRelatoDeclaracao(*pruv, *colecao, false);

        const QStringList paginas = Paginas(int(impressoras.Arquivos().size()) - 1);
        // The declarant's page with the persons responsible, then the fund's page.
        ASSERT_EQ(paginas.size(), 2);
        EXPECT_TRUE(paginas[0].contains(QStringLiteral("Responsável pelo Preenchimento")));
        EXPECT_EQ(paginas[0].contains(QStringLiteral("ANA PAULA")), itensProprios);
        EXPECT_FALSE(paginas[0].contains(QStringLiteral("Fundo ou Clube")));
        EXPECT_TRUE(paginas[0].contains(QStringLiteral("Declarante: ") + Mascara(Matriz)));
        // The fund's first item prints, under the fund's header.
        EXPECT_TRUE(paginas[1].contains(QStringLiteral("|Fundo ou Clube de Investimento:|CNPJ ") + Mascara(Fundo)
                                        + QStringLiteral(" Nome Empresarial FUNDO BETA|")));
        EXPECT_TRUE(paginas[1].contains(QStringLiteral("Código 6800 CPF ") + Mascara(CpfBruno)));
        EXPECT_TRUE(paginas[1].contains(Mascara(Fundo) + QStringLiteral(" Página 2 de 2")));
        EXPECT_FALSE(paginas[1].contains(QStringLiteral("Declarante: ")));
        colecao->Exclui(*pruv);
    }
}

TEST_F(TFoRelatoDeclaracaoTest, BatchesGoOnWhereTheLastStoppedAndNumberTheirPagesOn)
{
    auto pruv = SeisItens();
    TFoRelatoDeclaracao relato(*pruv, *colecao);
    relato.LimiteLote = 1;
    const int total = relato.Prepara(true);

    QStringList todas;
    bool mais = true;
    for (int lote = 0; mais && lote < 10; ++lote) {
        mais = relato.GeraLote();
        todas << PaginasDoDocumento(relato, lote);
    }
    EXPECT_FALSE(mais);
    ASSERT_EQ(todas.size(), total);
    EXPECT_EQ(total, 4);   // 1, 2, 2 and 1 items: each batch stops past the middle of its page
    for (int i = 0; i < total; ++i)
        EXPECT_TRUE(todas[i].contains(QStringLiteral("Página %1 de %2").arg(i + 1).arg(total))) << i;
    const QString tudo = todas.join(QLatin1Char('#'));
    EXPECT_EQ(tudo.count(QStringLiteral("Responsável pelo Preenchimento")), 1);
    EXPECT_TRUE(todas[0].contains(QStringLiteral("Responsável pelo Preenchimento")));
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(tudo.count(QStringLiteral("JOSE %1X").arg(QString(2, QChar(u'A' + i)))), 1) << i;

    // Printed, the declaration goes in one generation, the pages filled to their foot.
    EXPECT_EQ(relato.Prepara(false), 3);
    EXPECT_FALSE(relato.GeraLote());
    EXPECT_EQ(relato.QRRelatoDeclaracao().Documento()->Quantidade(), 3);
}

TEST_F(TFoRelatoDeclaracaoTest, PrintedItGoesOutWholeBatchAfterBatchEachItsOwnJob)
{
    auto pruv = SeisItens();
    TFoRelatoDeclaracao relato(*pruv, *colecao);
    relato.LimiteLote = 1;
    EXPECT_TRUE(relato.Imprime());

    ASSERT_EQ(impressoras.Arquivos().size(), 4);
    QStringList todas;
    for (int lote = 0; lote < 4; ++lote)
        todas << Paginas(lote);
    ASSERT_EQ(todas.size(), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(todas[i].contains(QStringLiteral("Página %1 de 4").arg(i + 1))) << i;
    const QString tudo = todas.join(QLatin1Char('#'));
    EXPECT_EQ(tudo.count(QStringLiteral("Responsável pelo Preenchimento")), 1);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(tudo.count(QStringLiteral("JOSE %1X").arg(QString(2, QChar(u'A' + i)))), 1) << i;

    // A printer that fails stops the job with its message: no further batch.
    impressoras.Existe = false;
    TFoRelatoDeclaracao outro(*pruv, *colecao);
    outro.LimiteLote = 1;
    EXPECT_FALSE(outro.Imprime());
    EXPECT_EQ(dialogos.Codigos(), std::vector<int>{161});
}

TEST_F(TFoRelatoDeclaracaoTest, ThePreviewsNextPagesButtonGeneratesTheNextBatch)
{
    auto pruv = SeisItens();
    TFoRelatoDeclaracao relato(*pruv, *colecao);
    relato.LimiteLote = 1;
    std::vector<bool> mais;
    std::vector<int> paginas;
    QTimer::singleShot(0, [&] {
        TFoPreview* janela = FoPreview();
        ASSERT_NE(janela, nullptr);
        for (int lote = 0; lote < 4; ++lote) {
            ASSERT_TRUE(Espera([&] { return janela->Print->isEnabled() && !janela->Gerando(); }));
            paginas.push_back(janela->QRPreview->TotalPaginas());
            mais.push_back(janela->ProximasPaginas->isEnabled());
            janela->ProximasPaginas->click();
        }
        janela->close();
    });
    relato.Visualiza();

    EXPECT_EQ(paginas, (std::vector<int>{1, 1, 1, 1}));
    EXPECT_EQ(mais, (std::vector<bool>{true, true, true, false}));
    EXPECT_EQ(FoPreview(), nullptr);
}
