#include <QTabWidget>
#include <QToolButton>
#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <vector>

#include "exchange/delivery/TFontePruv.h"
#include "exchange/delivery/TItemEntrega.h"
#include "components/controls/combos/TdvComboDlgButton.h"
#include "components/controls/lookup/TdvDBLookupCombo.h"
#include "components/controls/lookup/TdvPopupGrid.h"
#include "model/declaration/TColecaoResumo.h"
#include "platform/db/datasets/TDataSet.h"
#include "platform/db/datasets/TField.h"
#include "model/statements/TColecaoComprovante.h"
#include "model/statements/TComprovantePF.h"
#include "model/statements/TComprovantePJ.h"
#include "model/people/TNi.h"
#include "model/people/TNiContribuinte.h"
#include "model/values/CodigoMensagem.h"
#include "screens/DeclaracaoAbertaDeTeste.h"
#include "screens/pages/TFrBeneficiarios.h"
#include "screens/grids/TPruvGridMeses.h"

namespace {

using P = TPaginaDeclaracao;
using S = TItemEntrega::TSerie;

// A month's amount typed into a column of a grid of the item page.
struct TCelula {
    const char* Grade;
    const char* Titulo;
    S Serie;   // where the delivery file carries it
};

// Income and tax of a fund's item, then every judicial value its code (3223) admits.
const TCelula CelulasFundo[] = {
    {"DgrRendimentos", "Rendimento Tributável", S::Rendimento},
    {"DgrRendimentos", "Imposto Retido", S::Imposto},
    {"DgcCompensacao", "Ano Calendário", S::CompensacaoAno},
    {"DgcCompensacao", "Anos Anteriores", S::CompensacaoAnosAnteriores},
    {"DgsSubJudice", "Rendimento Tributável", S::RendimentoSubJudice},
    {"DgsSubJudice", "IRRF", S::ImpostoSubJudice},
    {"DgsSubJudice", "Depósito Judicial", S::Deposito},
};
// A company's establishment (code 1708) has income and tax only.
const TCelula CelulasEmpresa[] = {
    {"DgrRendimentos", "Rendimento Tributável", S::Rendimento},
    {"DgrRendimentos", "Imposto Retido", S::Imposto},
};
constexpr int Mes = 2;

// The item's amounts in whole reais, one per cell of its list.
using TValores = std::vector<qint64>;

// Each cell its own amount from base on; the income, first, well above the month's taxes, which
// would be warned of otherwise. 0 clears them all.
TValores Valores(std::size_t celulas, qint64 base)
{
    TValores v;
    for (std::size_t i = 0; i < celulas; ++i)
        v.push_back(i == 0 ? 100 * base : base == 0 ? 0 : base + qint64(i));
    return v;
}

// The edit cycle on the second instance of every owner, typed on the real pages: the item of an
// owner other than the first one the page worked on, with every value typed, saved, changed,
// saved, cleared, saved, deleted, and a new one after it; then the screen, the stored rows, the
// summary, the income statement and the delivery file agree value by value.
class SegundoDonoTest : public DeclaracaoAbertaDeTeste {
protected:
    const QString Fundo2 = NumeroDe("889991110001");   // listed after the first
    const QString Estabelecimento1 = NumeroDe("778889990001");
    const QString Estabelecimento2 = NumeroDe("778889990002");

    TFrBeneficiarios* pagina = nullptr;
    const TCelula* celulas = CelulasFundo;
    std::size_t quantas = std::size(CelulasFundo);
    const char* codigo = "3223";

    void Pagina(P qual)
    {
        quadro->AtivaPagina(qual);
        QApplication::processEvents();
        ASSERT_EQ(quadro->PaginaAtiva(), qual);
        pagina = qual == P::Fundos ? &quadro->BeneficiariosAnexo() : &quadro->Beneficiarios();
    }
    template <class W = QWidget> W* Em(const char* nome) const { return pagina->findChild<W*>(QLatin1String(nome)); }
    void Clica(const char* botao) const
    {
        Em<QToolButton>(botao)->click();
        QApplication::processEvents();
    }
    // The grid of the cell, its tab opened, and the column of its title.
    std::pair<TPruvGridMeses*, int> Onde(const TCelula& c) const
    {
        auto* grade = Em<TPruvGridMeses>(c.Grade);
        Em<QTabWidget>("PCPruvItem")->setCurrentWidget(grade->parentWidget());
        QApplication::processEvents();
        for (int coluna = 1; coluna < grade->ColCount(); ++coluna)
            if (grade->GetTexto(coluna, 0) == QString::fromUtf8(c.Titulo))
                return {grade, coluna};
        ADD_FAILURE() << "no column " << c.Titulo << " in " << c.Grade;
        return {grade, 1};
    }
    // Cleared with the income last, as a user does: the taxes are never left above it.
    void Digita(const TValores& v) const
    {
        for (std::size_t n = 0; n < quantas; ++n) {
            const std::size_t i = v[0] == 0 ? quantas - 1 - n : n;
            const auto [grade, coluna] = Onde(celulas[i]);
            grade->setFocus();
            QApplication::processEvents();
            grade->SelecionaCelula(coluna, Mes);
            QTest::keyClicks(grade, QString::number(v[i]));
            QTest::keyClick(grade, Qt::Key_Down);
            QApplication::processEvents();
        }
    }
    [[nodiscard]] TValores NaTela() const
    {
        TValores v;
        for (std::size_t i = 0; i < quantas; ++i) {
            const auto [grade, coluna] = Onde(celulas[i]);
            QString texto = grade->GetTexto(coluna, Mes);
            texto.remove(QLatin1Char('.'));
            v.push_back(texto.isEmpty() ? 0 : texto.section(QLatin1Char(','), 0, 0).toLongLong());
        }
        return v;
    }
    [[nodiscard]] QString Ni() const { return pagina->Item()->GetBeneficiario().GetNi(); }
    // The stored item of the beneficiary, shown.
    void Mostra(const QString& ni)
    {
        Clica("BbFirst");
        for (int i = 0; i < 20 && Ni() != ni && Em("BbNext")->isEnabled(); ++i)
            Clica("BbNext");
        ASSERT_EQ(Ni(), ni);
    }
    // A new item of the beneficiary typed by its key and name, stored by them.
    void Novo(const QString& ni)
    {
        if (!pagina->Item()->GetChave().isEmpty())
            Clica("BbAdd");
        DeclaracaoAbertaDeTeste::Digita(Em("DblcCodRet"), QLatin1String(codigo));
        Tab(Em("DblcCodRet"));
        DeclaracaoAbertaDeTeste::Digita(Em("DeCpfCnpjBenef"), ni);
        Tab(Em("DeCpfCnpjBenef"));
        DeclaracaoAbertaDeTeste::Digita(Em("DeNomeBenef"), QStringLiteral("ANA MARIA SOUZA"));
        Tab(Em("DeNomeBenef"));
        ASSERT_EQ(Ni(), ni);
        ASSERT_FALSE(pagina->Item()->GetChave().isEmpty());
        EXPECT_EQ(dialogos.Textos(), QStringList{});
    }
    // Typed, saved by the next new item, shown again from the store.
    void Grava(const QString& ni, const TValores& v)
    {
        Digita(v);
        Clica("BbAdd");
        Mostra(ni);
        EXPECT_EQ(NaTela(), v);
        EXPECT_EQ(Armazenado(pagina->Item()->GetDono().GetChave(), pagina->Item()->GetChave()), v);
        EXPECT_EQ(dialogos.Codigos(), std::vector<int>{});
    }
    // The rows of the table for the item of that owner and key.
    [[nodiscard]] static qint64 Existe(const char* tabela, const QString& dono, const QString& chave)
    {
        auto banco = TDatabase::DaPasta(DiretorioDados());
        TComando c(banco->Conexao(),
                   QStringLiteral("SELECT COUNT(*) FROM \"%1\" WHERE \"E_PRUV/ANEXO_DK\" = '%2' AND "
                                  "PRUV_ITEM_DK = '%3'")
                       .arg(banco->NomeReal(QLatin1String(tabela)), dono, chave));
        return c.Passo() ? c.Inteiro(0) : -1;
    }
    // The stored amounts of the item of that owner and key, from its rows: none without them.
    [[nodiscard]] TValores Armazenado(const QString& dono, const QString& chave) const
    {
        auto banco = TDatabase::DaPasta(DiretorioDados());
        const auto le = [&](const char* tabela, const char* coluna) -> qint64 {
            TComando c(banco->Conexao(),
                       QStringLiteral("SELECT \"%1\" FROM \"%2\" WHERE \"E_PRUV/ANEXO_DK\" = '%3' "
                                      "AND PRUV_ITEM_DK = '%4'")
                           .arg(QLatin1String(coluna), banco->NomeReal(QLatin1String(tabela)), dono, chave));
            return c.Passo() ? c.Inteiro(0) / TMonetario::Escala : 0;
        };
        static const std::map<S, std::pair<const char*, const char*>> colunas{
            {S::Rendimento, {"PruvItem", "REND_02"}},
            {S::Imposto, {"PruvItem", "IRRF_02"}},
            {S::CompensacaoAno, {"Judicial", "COMP_ANO_ATU_02"}},
            {S::CompensacaoAnosAnteriores, {"Judicial", "COMP_ANO_ANT_02"}},
            {S::RendimentoSubJudice, {"Judicial", "REND_SUBJUD_02"}},
            {S::ImpostoSubJudice, {"Judicial", "IRRF_SUBJUD_02"}},
            {S::Deposito, {"Judicial", "DEP_SUBJUD_02"}},
        };
        TValores v;
        for (std::size_t i = 0; i < quantas; ++i) {
            const auto& [tabela, coluna] = colunas.at(celulas[i].Serie);
            v.push_back(le(tabela, coluna));
        }
        return v;
    }
    // The cycle on the item of ni, the page on its owner; a new item of depois after it, with the
    // amounts from 70 on. Gives the owner's key.
    QString Ciclo(const QString& ni, const QString& depois)
    {
        Novo(ni);
        const QString dono = pagina->Item()->GetDono().GetChave();
        Grava(ni, Valores(quantas, 10));
        Grava(ni, Valores(quantas, 20));   // changed
        Grava(ni, Valores(quantas, 0));    // cleared
        Grava(ni, Valores(quantas, 30));
        const QString chave = pagina->Item()->GetChave();
        dialogos.Responde(Resposta::Sim);
        Clica("BbDelete");
        EXPECT_EQ(dialogos.Codigos(), std::vector<int>{CodigoMensagem::ConfirmaExclusaoBeneficiario});
        dialogos.Limpa();
        EXPECT_EQ(Existe("PruvItem", dono, chave), 0);
        EXPECT_EQ(Existe("Judicial", dono, chave), 0);
        Novo(depois);
        Grava(depois, Valores(quantas, 70));
        return dono;
    }

    // What every road out of the program gives of the owner's items, against what was typed:
    // the screen (the page on the owner), the summary, the income statements and the delivery
    // file. Esperado: the beneficiaries and their amounts, the owner's only items.
    void Confere(const QString& declarante, const QString& fundo,
                 const std::vector<std::pair<QString, TValores>>& esperado)
    {
        for (const auto& [ni, v] : esperado) {
            SCOPED_TRACE(ni.toStdString());
            Mostra(ni);
            EXPECT_EQ(NaTela(), v);
        }
        auto lida = Lida(declarante);
        // The owner's summary, up to date: each kind the sum of the month typed.
        TAnexoFC anexo(*lida);
        TPruvAnexo* dono = lida.get();
        if (!fundo.isEmpty()) {
            anexo.GetDeclarante().SetNi(fundo);
            ASSERT_TRUE(lida->GetColecaoAnexo().Carrega(anexo));
            dono = &anexo;
        } else {
            lida->GetColecaoResumo().Carrega(dono->GetResumo());
        }
        TResumo& resumo = dono->GetResumo();
        EXPECT_TRUE(resumo.GetOK());
        std::map<S, TMonetario*> noResumo{
            {S::Rendimento, &resumo.TOT_REND()},
            {S::Imposto, &resumo.TOT_IRRF()},
            {S::CompensacaoAno, &resumo.TOT_ANO_ATU()},
            {S::CompensacaoAnosAnteriores, &resumo.TOT_ANO_ANT()},
            {S::RendimentoSubJudice, &resumo.TOT_REND_SUBJUD()},
            {S::ImpostoSubJudice, &resumo.TOT_IRRF_SUBJUD()},
            {S::Deposito, &resumo.TOT_DEP_SUBJUD()},
        };
        for (std::size_t i = 0; i < quantas; ++i) {
            qint64 soma = 0;
            for (const auto& e : esperado)
                soma += e.second[i];
            EXPECT_EQ(noResumo.at(celulas[i].Serie)->GetValor(), soma * TMonetario::Escala) << celulas[i].Titulo;
        }
        EXPECT_EQ(resumo.TOT_BENEF().GetValor(), qint64(esperado.size()) * TMonetario::Escala);

        // The statements: box 3's income and tax lines of a person, the monthly line of a company.
        for (const auto& [ni, v] : esperado) {
            SCOPED_TRACE(ni.toStdString());
            TBeneficiarioPruv beneficiario(lida.get());
            beneficiario.SetNi(ni);
            if (ni.size() == 11) {
                TComprovantePF comprovante(beneficiario);
                lida->GetColecaoComprovante().Carrega(comprovante);
                EXPECT_EQ(comprovante.GetQuadro3().GetLinha1().GetValor(), (v[0] + v[4]) * TMonetario::Escala);
                // The tax line takes the compensations and the deposits too.
                EXPECT_EQ(comprovante.GetQuadro3().GetTotal().GetValor(),
                          (v[1] + v[2] + v[3] + v[6]) * TMonetario::Escala);
            } else {
                TComprovantePJ comprovante(beneficiario);
                lida->GetColecaoComprovante().Carrega(comprovante);
                const int linha = comprovante.LocalizaLinha(QLatin1String(codigo), Mes);
                ASSERT_GE(linha, 0);
                EXPECT_EQ(comprovante.GetLinha(linha).GetRendimento().GetValor(), v[0] * TMonetario::Escala);
                EXPECT_EQ(comprovante.GetLinha(linha).GetImposto().GetValor(), v[1] * TMonetario::Escala);
            }
        }

        // The delivery file's value records of the owner.
        TPruv aberta;
        TFontePruv fonte(aberta, *colecao);
        TDeclaracaoEntrega d;
        ASSERT_TRUE(fonte.Carrega(QStringLiteral("2002"), declarante, d));
        std::optional<TAnexoEntrega> doFundo;
        for (const TAnexoEntrega& a : fonte.Anexos(d))
            if (a.Ni == fundo)
                doFundo = a;
        ASSERT_EQ(doFundo.has_value(), !fundo.isEmpty());
        fonte.AbreItens(d, doFundo ? &*doFundo : nullptr);
        std::map<QString, TValores> noArquivo;
        for (TItemEntrega item; fonte.ProximoItem(item);) {
            TValores v;
            for (std::size_t i = 0; i < quantas; ++i)
                v.push_back(item.Valor(celulas[i].Serie, Mes) / TMonetario::Escala);
            noArquivo[item.NiBeneficiario] = v;
        }
        fonte.FechaItens();
        for (const auto& [ni, v] : esperado)
            EXPECT_EQ(noArquivo[ni], v) << ni.toStdString();
    }

    void Reabre(const QString& ni)
    {
        ASSERT_TRUE(janela->FecharDeclaracao());
        Abre(ni);
    }
    // Goes to the fund of that number as the search window does, by its key.
    void VaiAoFundo(const QString& cnpj)
    {
        auto banco = TDatabase::DaPasta(DiretorioDados());
        TComando c(banco->Conexao(),
                   QStringLiteral("SELECT ANEXO_DK FROM \"%1\" WHERE NR_PF_PJ = '%2'")
                       .arg(banco->NomeReal(QStringLiteral("Anexo")), cnpj.left(12)));
        ASSERT_TRUE(c.Passo());
        pagina->LocalizaFundo(c.Texto(0));
        QApplication::processEvents();
        ASSERT_EQ(RemoveMascara(Em<TdvDBLookupCombo>("DblcFundos")->Text()), cnpj);
        ASSERT_EQ(pagina->Item()->GetDono().GetDeclarante().GetNi(), cnpj);
    }
    // An item of the owner stored with 1000,00 of income and 100,00 of tax in the month.
    static void Armazena(TPruv& pruv, TPruvAnexo& dono, const char* codigo, const QString& ni)
    {
        TPruvItem item(pruv, dono);
        item.GetCodigoRetencao().SetCodigo(QLatin1String(codigo));
        pruv.GetColecaoCodigoRetencao().BuscaCodigo(item.GetCodigoRetencao(), item.GetInAnexo());
        item.GetBeneficiario().SetNi(ni);
        item.GetBeneficiario().Nome().SetTexto(QStringLiteral("JOSE DA SILVA"));
        item.GetValores().GetRendimento(Mes).SetValor(1000 * TMonetario::Escala);
        item.GetValores().GetImposto(Mes).SetValor(100 * TMonetario::Escala);
        ASSERT_EQ(dono.GetItens().Salva(item), TColecaoPruvItem::Inserido);
    }
    // A fund administrator's declaration with a fund of one item, stored.
    void Administrador(const QString& ni, const QString& fundo)
    {
        auto pruv = Armazenada(ni, "2002", 3);
        auto anexo = NovoAnexo(*pruv, fundo, "", true);
        Armazena(*pruv, *anexo, "3223", NumeroDe("123456789"));
    }
};

}   // namespace

// A fund typed since the declaration was opened, then the second fund of the declaration opened
// again: the page's items were first those of the other fund.
TEST_F(SegundoDonoTest, TheSecondFundKeepsEveryJudicialValueTypedInIt)
{
    Administrador(Outra, Fundo);
    Inicia();
    Abre(Outra);
    Pagina(P::Fundos);
    Clica("BbAddFundo");
    DeclaracaoAbertaDeTeste::Digita(Em("DblcFundos"), Fundo2);
    Tab(Em("DblcFundos"));
    DeclaracaoAbertaDeTeste::Digita(Em("DeNomeFundo"), QStringLiteral("FUNDO GAMA DE INVESTIMENTO"));
    Tab(Em("DeNomeFundo"));
    ASSERT_EQ(Linhas("Anexo"), 2);
    const QString cpf1 = NumeroDe("222333444");
    const QString cpf2 = NumeroDe("333444555");
    const QString cpf3 = NumeroDe("444555666");
    const QString cpf4 = NumeroDe("555666777");
    Ciclo(cpf1, cpf2);

    Reabre(Outra);
    Pagina(P::Fundos);
    VaiAoFundo(Fundo2);
    Mostra(cpf2);
    EXPECT_EQ(NaTela(), Valores(quantas, 70));
    Ciclo(cpf3, cpf4);

    Reabre(Outra);
    Pagina(P::Fundos);
    VaiAoFundo(Fundo2);
    Confere(Outra, Fundo2, {{cpf2, Valores(quantas, 70)}, {cpf4, Valores(quantas, 70)}});
    VaiAoFundo(Fundo);
    Confere(Outra, Fundo, {{NumeroDe("123456789"), {1000, 100, 0, 0, 0, 0, 0}}});
}

// The first declaration's pages were opened first: the second one's fund works on its own rows.
TEST_F(SegundoDonoTest, ASecondDeclarationOpenedInTheSameSessionKeepsItsFundsJudicialValues)
{
    const QString segunda = NumeroDe("667778880001");
    Administrador(Outra, Fundo);
    Administrador(segunda, Fundo2);
    Inicia();
    Abre(Outra);
    Pagina(P::Fundos);
    Reabre(segunda);
    Pagina(P::Fundos);
    const QString cpf1 = NumeroDe("222333444");
    const QString cpf2 = NumeroDe("333444555");
    Ciclo(cpf1, cpf2);
    Reabre(segunda);
    Pagina(P::Fundos);
    Confere(segunda, Fundo2, {{NumeroDe("123456789"), {1000, 100, 0, 0, 0, 0, 0}}, {cpf2, Valores(quantas, 70)}});
}

// The company's first establishment was stored first; the second one's item goes through the
// same cycle on the beneficiaries page.
TEST_F(SegundoDonoTest, ACompanysSecondEstablishmentKeepsWhatWasTypedForIt)
{
    celulas = CelulasEmpresa;
    quantas = std::size(CelulasEmpresa);
    codigo = "1708";
    auto pruv = Armazenada(Matriz);
    Armazena(*pruv, *pruv, "1708", Estabelecimento1);
    pruv.reset();
    Inicia();
    Abre(Matriz);
    Pagina(P::Beneficiarios);
    const QString terceiro = NumeroDe("778889990003");
    Ciclo(Estabelecimento2, terceiro);
    Reabre(Matriz);
    Pagina(P::Beneficiarios);
    Confere(Matriz, QString(), {{Estabelecimento1, {1000, 100}}, {terceiro, Valores(quantas, 70)}});
}

// The second fund of a reopened declaration chosen from the fund bar's list, as a person does it:
// by keys (Alt+Down, Down to the row, Return) and by the mouse (the button, a click on the row),
// each straight after opening, with the caret still in the fund's CNPJ. The page then works on
// that fund's items; a list left with Esc changes nothing.
TEST_F(SegundoDonoTest, TheFundBarsListSwitchesThePageToTheFundChosenByKeysOrByMouse)
{
    const QString cpf1 = NumeroDe("123456789");
    const QString cpf2 = NumeroDe("333444555");
    {
        auto pruv = Armazenada(Outra, "2002", 3);
        auto primeiro = NovoAnexo(*pruv, Fundo, "", true);
        Armazena(*pruv, *primeiro, "3223", cpf1);
        auto segundo = NovoAnexo(*pruv, Fundo2, "", true);
        Armazena(*pruv, *segundo, "3223", cpf2);
    }
    Inicia();
    Abre(Outra);
    TdvDBLookupCombo* combo = nullptr;
    const auto abre = [&] {
        Reabre(Outra);
        Pagina(P::Fundos);
        combo = Em<TdvDBLookupCombo>("DblcFundos");
        ASSERT_EQ(Foco(), QStringLiteral("DblcFundos"));
        ASSERT_EQ(pagina->Item()->GetDono().GetDeclarante().GetNi(), Fundo);
    };
    const auto naPagina = [&](const QString& cnpj, const QString& cpf) {
        EXPECT_FALSE(combo->DroppedDown());
        EXPECT_EQ(RemoveMascara(combo->Text()), cnpj);
        EXPECT_EQ(pagina->Item()->GetDono().GetDeclarante().GetNi(), cnpj);
        Clica("BbFirst");
        EXPECT_EQ(Ni(), cpf);
    };
    // The keys go where the window system sends them: to the list while it shows.
    const auto tecla = [&combo](Qt::Key k, Qt::KeyboardModifiers m = {}) {
        QWidget* alvo = QApplication::activePopupWidget();
        QTest::keyClick(alvo ? alvo : combo, k, m);
        QApplication::processEvents();
    };

    abre();
    tecla(Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(combo->DroppedDown());
    tecla(Qt::Key_Down);   // the first fund, the one shown
    tecla(Qt::Key_Down);   // the second
    tecla(Qt::Key_Return);
    naPagina(Fundo2, cpf2);
    combo->setFocus();
    tecla(Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(combo->DroppedDown());
    tecla(Qt::Key_Up);
    tecla(Qt::Key_Escape);
    naPagina(Fundo2, cpf2);

    abre();
    QTest::mouseClick(combo->Button(), Qt::LeftButton);
    QApplication::processEvents();
    ASSERT_TRUE(combo->DroppedDown());
    TdvPopupGrid& lista = combo->Grid();
    const QPoint segunda = lista.CellRect(0, 1).ToQRect().center();
    QTest::mousePress(lista.viewport(), Qt::LeftButton, {}, segunda);
    QTest::mouseRelease(lista.viewport(), Qt::LeftButton, {}, segunda);
    QApplication::processEvents();
    naPagina(Fundo2, cpf2);
}
