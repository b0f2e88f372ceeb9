#include <QAction>
#include <functional>
#include <QDir>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>
#include <gtest/gtest.h>

#include "assistants/generation/TFoAssistGeracao.h"
#include "assistants/verification/TFoPendencias.h"
#include "assistants/verification/TFrPruvVerifica.h"
#include "components/controls/combos/TdvDBComboBox.h"
#include "components/controls/grid/TdvDBGrid.h"
#include "components/data/datasets/TdvTable.h"
#include "components/controls/lookup/TdvDBLookupCombo.h"
#include "exchange/import/TImportacaoPruv.h"
#include "model/codes/TColecaoCodigoRetencao.h"
#include "model/declaration/TAnexoFC.h"
#include "model/values/CodigoMensagem.h"
#include "model/items/TColecaoPruvItem.h"
#include "platform/compress/Compressao.h"
#include "platform/db/datasets/TField.h"
#include "platform/db/sqlite/TComando.h"
#include "platform/db/sqlite/TDatabase.h"
#include "platform/files/TPastas.h"
#include "platform/files/TVolumes.h"
#include "platform/transmit/TransmissaoRoteirizada.h"
#include "screens/DeclaracaoAbertaDeTeste.h"
#include "screens/pages/TFoNovaDeclaracao.h"
#include "screens/pages/TFrBeneficiarios.h"
#include "screens/pages/TFrComprovante.h"
#include "screens/search/TFoPesquisar.h"
#include "screens/search/TFrPesquisarPruv.h"
#include "screens/edits/TPruvEdit.h"
#include "screens/grids/TPruvGridMeses.h"
#include "shell/Espera.h"
#include "support/ProgramaDeTeste.h"

namespace {

using P = TPaginaDeclaracao;

// What an item holds, as the delivery file carries it.
struct TItemLido {
    QString Codigo, Ni, Nome;
    std::vector<qint64> Valores;
    bool operator==(const TItemLido&) const = default;
};

std::vector<TItemLido> Itens(TPruv& pruv)
{
    std::vector<TItemLido> itens;
    TColecaoPruvItem& colecao = pruv.GetItens();
    TPruvItem item(pruv, pruv);
    TErros erros;
    item.SetErros(&erros);
    colecao.SetOrdem(TColecaoPruvItem::OrdemCodigo);
    colecao.Primeiro();
    while (!colecao.Eof()) {
        colecao.LeRegistro(item);
        TItemLido lido{item.GetCodigoRetencao().GetCodigo(),
                       item.GetBeneficiario().GetNi(),
                       item.GetBeneficiario().Nome().GetTexto(),
                       {}};
        for (int mes = 1; mes <= 13; ++mes)
            for (TMonetario* v : {&item.GetValores().GetRendimento(mes), &item.GetValores().GetDeducao(mes),
                                  &item.GetValores().GetImposto(mes), &item.GetSubJudice().GetRendimento(mes)})
                lido.Valores.push_back(v->GetValor());
        itens.push_back(lido);
        colecao.Proximo();
    }
    return itens;
}

// The whole main road of a working day, through the program's own main window and dialogs.
class CaminhoPrincipalTest : public DeclaracaoAbertaDeTeste {
protected:
    QString base = ProgramaDeTeste::Pasta() + QStringLiteral("/base");
    TransmissaoRoteirizada transmissao;

    void SetUp() override
    {
        DeclaracaoAbertaDeTeste::SetUp();
        QDir().mkpath(base);
        TVolumes::DefinePastaBase(base);
        transmissao.DefinePastaSistema(ProgramaDeTeste::Pasta() + QStringLiteral("/sistema"));
    }
    void TearDown() override
    {
        // The windows beside the declaration go first: their references outlive no window.
        LiberaPesquisa();
        LiberaPendencias();
        DeclaracaoAbertaDeTeste::TearDown();
        TVolumes::DefinePastaBase(QString());
    }
    void IniciaPrograma()
    {
        janela = std::make_unique<TPruv2003>();
        TRotinasPrincipal rotinas;
        DefineRotinasDeclaracao(rotinas, janela.get());
        rotinas.ExibePendencias = ExibePendencias;
        rotinas.MostraPesquisa = MostraPesquisa;
        rotinas.ExecutaAssistGeracao = ExecutaAssistGeracao;
        rotinas.Impressao.ImprimeRecibo = [](const QStringList&, bool, const QString&) {};
        janela->DefineRotinas(std::move(rotinas));
        quadro = janela->findChild<TFrDeclaracao*>(QStringLiteral("FrDeclaracao"));
        janela->show();
        janela->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(janela.get()));
    }
    void Reativa()
    {
        janela->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(janela.get()));
    }
    template <class W = QWidget> W* Na(QWidget& pagina, const char* nome) const
    {
        return pagina.findChild<W*>(QLatin1String(nome));
    }
    TFrBeneficiarios& Beneficiarios() const { return quadro->Beneficiarios(); }
    // The key of an item: code, number, name, each left with Tab.
    void Chave(const char* codigo, const QString& ni, const char* nome) const
    {
        QWidget& p = Beneficiarios();
        Digita(Na(p, "DblcCodRet"), QLatin1String(codigo));
        Tab(Na(p, "DblcCodRet"));
        Digita(Na(p, "DeCpfCnpjBenef"), ni);
        Tab(Na(p, "DeCpfCnpjBenef"));
        Digita(Na(p, "DeNomeBenef"), QLatin1String(nome));
        Tab(Na(p, "DeNomeBenef"));
    }
    void Celula(const char* grade, int coluna, int linha, const char* texto) const
    {
        auto* g = Na<TPruvGridMeses>(Beneficiarios(), grade);
        g->setFocus();
        QApplication::processEvents();
        g->SelecionaCelula(coluna, linha);
        QTest::keyClicks(g, QLatin1String(texto));
        QTest::keyClick(g, Qt::Key_Down);
        QApplication::processEvents();
    }
    void Botao(QWidget& pagina, const char* nome) const
    {
        Na<QToolButton>(pagina, nome)->click();
        QApplication::processEvents();
    }
    // The key to the popup shown, else to the widget with the focus.
    static void Tecla(Qt::Key k, Qt::KeyboardModifiers m = {})
    {
        QWidget* alvo = QApplication::activePopupWidget();
        QTest::keyClick(alvo ? alvo : QApplication::focusWidget(), k, m);
        QApplication::processEvents();
    }
    static void Clica(QWidget* w)
    {
        QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(5, 5));
        QApplication::processEvents();
    }
    static QString DoCampo(TDataSet& t, const char* nome) { return t.FieldByName(QLatin1String(nome))->AsString(); }
    // The pending-items window open and its verification ended.
    [[nodiscard]] static bool PendenciasProntas()
    {
        return Espera([] {
            return FoPendencias() && FoPendencias()->FrPruvVerifica->Concluida() && !FoPendencias()->Timer1->isActive();
        });
    }
    // In the pending-items window, the arrows to the first row that NaLinha picks, then Localizar
    // clicked. False when no row is picked.
    [[nodiscard]] bool LocalizaPendencia(const std::function<bool(TDataSet&)>& NaLinha) const
    {
        TFrPruvVerifica& frame = *FoPendencias()->FrPruvVerifica;
        auto* grade = frame.findChild<QWidget*>(QStringLiteral("DbgErrosEncontrados"));
        auto* localizar = frame.findChild<QPushButton*>(QStringLiteral("BbLocalizar"));
        FoPendencias()->showNormal();
        FoPendencias()->activateWindow();
        if (!QTest::qWaitForWindowActive(FoPendencias()))
            return false;
        grade->setFocus();
        QTest::keyClick(grade, Qt::Key_Home, Qt::ControlModifier);
        for (int i = 0; i < 40 && !NaLinha(frame.Tabela()); ++i)
            QTest::keyClick(grade, Qt::Key_Down);
        if (!NaLinha(frame.Tabela()))
            return false;
        QTest::mouseClick(localizar, Qt::LeftButton, {}, localizar->rect().center());
        QApplication::processEvents();
        return true;
    }
    [[nodiscard]] QString Total(const char* nome) const
    {
        return Na<TPruvEdit>(quadro->Pagina(P::Resumo), nome)->text();
    }
};

}   // namespace

TEST_F(CaminhoPrincipalTest, ADeclarationTypedCheckedAndWrittenReadsBackWithTheSameItemsAndTotals)
{
    IniciaPrograma();

    // A new declaration of a head office for 2002.
    AoAbrir<TFoNovaDeclaracao>("FoNovaDeclaracao", [this](TFoNovaDeclaracao& d) {
        Digita(d.DeCpfCnpj, Matriz);
        Tab(d.DeCpfCnpj);
        Digita(d.DeNome, QStringLiteral("EMPRESA GAMA LTDA"));
        d.BbOk->click();
        QApplication::processEvents();
    });
    janela->Comando(QStringLiteral("MiNova"))->trigger();
    Reativa();
    ASSERT_TRUE(janela->GetDeclaracaoAberta());

    // The nature, the person responsible and the one before the CNPJ.
    QWidget& informacoes = quadro->Pagina(P::Informacoes);
    Na<TdvDBComboBox>(informacoes, "CbTipoDeclarante")->SetItemIndex(0);
    Digita(Na(informacoes, "DeRespNoCnpj"), CpfResponsavel);
    Tab(Na(informacoes, "DeRespNoCnpj"));
    auto* responsavel = Na<TdvDBLookupCombo>(informacoes, "DblcResponsavel");
    Digita(responsavel, CpfResponsavel);
    Tab(responsavel);
    for (const auto& [campo, texto] :
         {std::pair{"DeNomeResp", "MARIA DA SILVA"}, std::pair{"DeDDD", "11"}, std::pair{"DeTelefone", "32221234"}}) {
        Digita(Na(informacoes, campo), QLatin1String(texto));
        Tab(Na(informacoes, campo));
    }

    // A person on 0561: twelve months, a deduction in January, the 13th salary and a value under
    // suspended enforceability; then a company on 1708.
    quadro->AtivaPagina(P::Beneficiarios);
    QApplication::processEvents();
    Chave("0561", CpfBeneficiario, "JOAO DE SOUZA");
    for (int mes = 1; mes <= 12; ++mes) {
        Celula("DgrRendimentos", 1, mes, "1000");
        Celula("DgrRendimentos", 3, mes, "100");
    }
    Celula("DgrRendimentos", 2, 1, "50");
    Celula("DgrRendimentos", 1, 14, "1000");   // the 13th salary, shown after the totals
    Celula("DgrRendimentos", 3, 14, "100");
    auto* fichas = Na<QTabWidget>(Beneficiarios(), "PCPruvItem");
    ASSERT_TRUE(fichas->isTabVisible(2));
    fichas->setCurrentIndex(2);
    Celula("DgsSubJudice", 1, 1, "500");
    Botao(Beneficiarios(), "BbAdd");
    Chave("1708", Outra, "SERVICOS BETA LTDA");
    Celula("DgrRendimentos", 1, 1, "2000");
    Celula("DgrRendimentos", 2, 1, "30");   // no deduction column for a company
    Botao(Beneficiarios(), "BbAdd");
    EXPECT_EQ(Linhas("PruvItem"), 2);

    // The summary: the sums typed.
    janela->Comando(QStringLiteral("MiResumo"))->trigger();
    QApplication::processEvents();
    Reativa();   // after the computation's window, as the window system does
    ASSERT_EQ(quadro->PaginaAtiva(), P::Resumo);
    EXPECT_EQ(Total("DeTotBen"), QStringLiteral("2"));
    EXPECT_EQ(Total("DeTotRend"), QStringLiteral("15.000,00"));
    EXPECT_EQ(Total("DeTotDed"), QStringLiteral("50,00"));
    EXPECT_EQ(Total("DeTotIrrf"), QStringLiteral("1.330,00"));
    EXPECT_EQ(Total("DeTotRendSubJud"), QStringLiteral("500,00"));

    // The person's income statement, with its deduction.
    quadro->AtivaPagina(P::Comprovante);
    QApplication::processEvents();
    TFrComprovante& comprovante = quadro->Comprovante();
    ASSERT_EQ(RemoveMascara(Na<TPruvEdit>(comprovante, "edtNiBenef")->Text()), CpfBeneficiario);
    Digita(Na(comprovante, "edtPrevOficial"), QStringLiteral("50"));
    Botao(comprovante, "BbNext");
    EXPECT_EQ(Linhas("ComprPf"), 1);

    // The pending items: none is an error.
    janela->Comando(QStringLiteral("MiVerificarPendencias"))->trigger();
    ASSERT_TRUE(PendenciasProntas());
    EXPECT_EQ(FoPendencias()->FrPruvVerifica->NumErros(), 0);
    FoPendencias()->close();
    QApplication::processEvents();
    Reativa();

    // The delivery file.
    QString arquivo;
    QTimer::singleShot(0, [&] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* a = qobject_cast<TFoAssistGeracao*>(w);
            if (!a || !a->isVisible())
                continue;
            QTest::keyClicks(a->DBLCUF, QStringLiteral("sp"));
            QTest::keyClick(a->DBLCUF, Qt::Key_Return);
            a->findChild<QPushButton*>(QStringLiteral("BtnOK"))->click();
            if (a->Atual() == 8) {
                a->RBNao->setChecked(true);
                a->findChild<QPushButton*>(QStringLiteral("BtnAvancar"))->click();
            }
            EXPECT_EQ(a->Atual(), 5);
            a->findChild<QPushButton*>(QStringLiteral("BtnOK"))->click();
            return;
        }
        ADD_FAILURE() << "no assistant shown";
    });
    janela->Comando(QStringLiteral("MiGravarXeq"))->trigger();
    const QString entrega = base + QStringLiteral("/Declaracoes Gravadas XEQ/Pruv2003/") + Matriz
        + QStringLiteral("/2002/") + Matriz + QStringLiteral("-PRUV-2003-2002-ORIGI-NORMAL.dec");
    ASSERT_TRUE(QFileInfo::exists(entrega));
    EXPECT_TRUE(dialogos.Mensagens().empty()) << dialogos.Textos().join(QLatin1Char('\n')).toStdString();

    // As typed, read from the program's own tables.
    std::vector<TItemLido> digitados;
    TResumo totalDigitado(nullptr);
    {
        auto lida = Lida(Matriz);
        digitados = Itens(*lida);
        lida->CalculaResumo();
        lida->GetResumo().Copia(totalDigitado);
    }
    ASSERT_EQ(digitados.size(), 2u);
    ASSERT_TRUE(janela->FecharDeclaracao());
    janela.reset();

    // The file, read back through the importer into a fresh program folder.
    const QByteArray pastaAntes = qgetenv("PRUV2003_HOME");
    const QString fresca = ProgramaDeTeste::Pasta() + QStringLiteral("/fresca");
    qputenv("PRUV2003_HOME", fresca.toLocal8Bit());
    ASSERT_TRUE(TPastas::Cria());
    TColecaoCodigoRetencao(QStringLiteral("2002"), QStringLiteral(PRUV_PASTA_RECURSOS "/CodRet.txt"));
    ASSERT_EQ(DescomprimirPruv(entrega, TPastas::Temporaria(), {}), 1);
    {
        TColecaoPruv nova;
        TPruv alvo;
        alvo.SetErros(&erros);
        alvo.GetDeclarante().SetNi(Matriz);
        alvo.GetDeclarante().Nome().SetTexto(QStringLiteral("EMPRESA GAMA LTDA"));
        alvo.SetAno(QStringLiteral("2002"));
        TImportacaoPruv importacao;
        TPedidoImportacao pedido(TPastas::Temporaria() + QStringLiteral("/declar.txt"), alvo);
        pedido.ArquivoCompactado = true;
        const TResultadoImportacao resultado = importacao.Importa(nova, pedido);
        EXPECT_EQ(resultado.Codigo, 0);
        EXPECT_EQ(resultado.Contadores.BeneficiariosAdicionados, 2);
        TPruv lida;
        lida.SetErros(&erros);
        lida.GetDeclarante().SetNi(Matriz);
        lida.SetAno(QStringLiteral("2002"));
        ASSERT_TRUE(nova.Carrega(lida));
        EXPECT_EQ(Itens(lida), digitados);
        lida.CalculaResumo();
        for (int i = 0; i < TResumo::QuantidadeValores; ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(lida.GetResumo().Valor(i).GetValor(), totalDigitado.Valor(i).GetValor());
        }
    }
    qputenv("PRUV2003_HOME", pastaAntes);
}

// The pending-items window beside the declaration: Esc closes it and the focus goes back to the
// field it left; a command's shortcut typed in it (Ctrl+G) is the main window's command, and the
// delivery assistant opens with the focus on the place of transmission.
TEST_F(CaminhoPrincipalTest, ThePendingItemsWindowClosesWithEscAndPassesTheCommandsOn)
{
    Armazenada(Matriz);
    IniciaPrograma();
    Abre(Matriz);
    QWidget* nome = janela->findChild<QWidget*>(QStringLiteral("DeNome"));
    const auto verifica = [this] {
        janela->Comando(QStringLiteral("MiVerificarPendencias"))->trigger();
        EXPECT_TRUE(PendenciasProntas());
        FoPendencias()->activateWindow();   // as the window system does: the platform's focus too
        EXPECT_TRUE(QTest::qWaitForWindowActive(FoPendencias()));
    };
    nome->setFocus();
    verifica();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_TRUE(Espera([] { return FoPendencias() == nullptr; }));
    // The window system activates a window a moment after it is asked.
    EXPECT_TRUE(Espera([this] { return QApplication::activeWindow() == janela.get(); }));
    EXPECT_EQ(QApplication::focusWidget(), nome);

    verifica();
    QString foco;
    QTimer espera;   // until the assistant shows: the commands pump events before it does
    espera.setInterval(10);
    QObject::connect(&espera, &QTimer::timeout, [&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* a = qobject_cast<TFoAssistGeracao*>(w); a && a->isVisible()) {
                espera.stop();
                EXPECT_TRUE(QTest::qWaitForWindowActive(a));
                foco = QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
                QTest::keyClick(a, Qt::Key_Escape);
                return;
            }
    });
    espera.start();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_G, Qt::ControlModifier);
    espera.stop();
    EXPECT_EQ(foco, QStringLiteral("DBLCUF"));
    EXPECT_EQ(FoPendencias(), nullptr);   // the gatekeeper closed it first
    EXPECT_TRUE(Espera([this] { return QApplication::activeWindow() == janela.get(); }));
}

// A fund deleted while the pending-items window and the search window list it, and an item a
// folder holds under a fund no longer stored: each located from those windows, by keys and mouse,
// is told (55) and moves nothing on the fund page; undone and typed on, no row is stored under a
// fund that is not stored.
TEST_F(CaminhoPrincipalTest, AFundDeletedWhileTheOtherWindowsListItIsToldAndTakesNoRow)
{
    const QString apagado = NumeroDe("778889990001");
    const QString cpfApagado = NumeroDe("333444555");
    const QString cpfOrfao = NumeroDe("444555666");
    QString chaveApagada;
    QString chaveOrfa;
    {
        auto pruv = Armazenada(Outra, "2002", 3);
        // An item whose tax reaches its income: the pending items list it under its fund.
        const auto item = [&pruv](TAnexoFC& fundo, const QString& ni, qint64 imposto) {
            TPruvItem i(*pruv, fundo);
            i.GetCodigoRetencao().SetCodigo(QStringLiteral("6800"));
            pruv->GetColecaoCodigoRetencao().BuscaCodigo(i.GetCodigoRetencao(), i.GetInAnexo());
            i.GetBeneficiario().SetNi(ni);
            i.GetBeneficiario().Nome().SetTexto(QStringLiteral("JOSE DA SILVA"));
            i.GetValores().GetRendimento(1).SetValor(1000 * TMonetario::Escala);
            i.GetValores().GetImposto(1).SetValor(imposto * TMonetario::Escala);
            ASSERT_EQ(fundo.GetItens().Salva(i), TColecaoPruvItem::Inserido);
        };
        auto mostrado = NovoAnexo(*pruv, Fundo, "", true);
        item(*mostrado, CpfBeneficiario, 100);
        auto fundo = NovoAnexo(*pruv, apagado, "", true);
        item(*fundo, cpfApagado, 1000);
        chaveApagada = fundo->GetChave();
        auto orfao = NovoAnexo(*pruv, NumeroDe("889991110001"), "", true);
        item(*orfao, cpfOrfao, 100);
        chaveOrfa = orfao->GetChave();
    }
    Executa(QStringLiteral("DELETE FROM Anexo WHERE ANEXO_DK = '%1'").arg(chaveOrfa));
    IniciaPrograma();
    Abre(Outra);
    Tecla(Qt::Key_U, Qt::AltModifier);
    QWidget& fundos = quadro->Pagina(P::Fundos);
    TFrBeneficiarios& pagina = quadro->BeneficiariosAnexo();
    ASSERT_EQ(pagina.Item()->GetDono().GetDeclarante().GetNi(), Fundo);

    // The pending items open beside the declaration, listing the fund's item. (Opening one of
    // the windows beside the declaration closes the other.)
    Tecla(Qt::Key_E, Qt::ControlModifier);
    ASSERT_TRUE(PendenciasProntas());
    Reativa();

    // The fund deleted on its page: chosen in the list, then its delete button, Yes.
    auto* lista = Na<TdvDBLookupCombo>(fundos, "DblcFundos");
    lista->setFocus();
    QApplication::processEvents();
    ASSERT_EQ(QApplication::focusWidget(), lista);
    Tecla(Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(lista->DroppedDown());
    for (int i = 0; i < 3 && RemoveMascara(DoCampo(*lista->LookupTable(), "CPF_CNPJ")) != apagado; ++i)
        Tecla(Qt::Key_Down);
    Tecla(Qt::Key_Return);
    ASSERT_EQ(pagina.Item()->GetDono().GetDeclarante().GetNi(), apagado);
    dialogos.Responde(Resposta::Sim);
    Clica(Na(fundos, "BbDeleteFundo"));
    ASSERT_EQ(dialogos.Codigos(), std::vector<int>{CodigoMensagem::ConfirmaExclusaoFundo});
    dialogos.Limpa();
    const QString fundoMostrado = pagina.Item()->GetDono().GetChave();
    const QString itemMostrado = pagina.Item()->GetChave();
    ASSERT_NE(fundoMostrado, chaveApagada);
    const auto nadaMudou = [&](const char* como) {
        EXPECT_EQ(dialogos.Codigos(), std::vector<int>{CodigoMensagem::FundoInexistente}) << como;
        dialogos.Limpa();
        EXPECT_EQ(pagina.Item()->GetDono().GetChave(), fundoMostrado) << como;
        EXPECT_EQ(pagina.Item()->GetChave(), itemMostrado) << como;
        EXPECT_EQ(quadro->PaginaAtiva(), P::Fundos) << como;
    };

    // The pending items: the arrows to each row of a fund not stored, then Localizar clicked.
    for (const QString& chave : {chaveApagada, chaveOrfa}) {
        SCOPED_TRACE(chave.toStdString());
        ASSERT_TRUE(LocalizaPendencia([&](TDataSet& linha) {
            return DoCampo(linha, "A_QUEM_PERTENCE") == chave && DoCampo(linha, "GRAVIDADE").toInt() <= 1;
        }));
        nadaMudou("pending items");
    }

    // The search lists the item under the fund no longer stored, and none of the deleted fund;
    // Enter on that item's row.
    Reativa();
    Tecla(Qt::Key_S, Qt::ControlModifier);
    ASSERT_NE(FoPesquisar(), nullptr);
    EXPECT_EQ(FoPendencias(), nullptr);
    TFrPesquisarPruv& pesquisa = *FoPesquisar()->FrPesquisarPruv;
    ASSERT_TRUE(QTest::qWaitForWindowActive(FoPesquisar()));
    QTest::keyClicks(pesquisa.EdChave, QStringLiteral("6800"));
    QTest::qWait(TFrPesquisarPruv::EsperaDigitacao + 100);
    TdvTable& itens = pesquisa.TbPruvItem();
    QStringList listados;
    for (itens.First(); !itens.Eof(); itens.Next())
        listados << DoCampo(itens, "E_PRUV/ANEXO_DK");
    EXPECT_FALSE(listados.contains(chaveApagada)) << listados.join(QLatin1Char(' ')).toStdString();
    ASSERT_TRUE(listados.contains(chaveOrfa)) << listados.join(QLatin1Char(' ')).toStdString();
    QTest::mouseClick(pesquisa.DbgPruvItem->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    QApplication::processEvents();
    for (int i = 0; i < 5 && DoCampo(itens, "E_PRUV/ANEXO_DK") != chaveOrfa; ++i)
        QTest::keyClick(pesquisa.DbgPruvItem, Qt::Key_Down);
    ASSERT_EQ(DoCampo(itens, "E_PRUV/ANEXO_DK"), chaveOrfa);
    QTest::keyClick(pesquisa.DbgPruvItem, Qt::Key_Return);
    QApplication::processEvents();
    nadaMudou("search");

    // The fund bar's undo, then an item typed and stored: under the fund shown.
    Reativa();
    Clica(Na(fundos, "BbDesfazerFundo"));
    EXPECT_EQ(pagina.Item()->GetDono().GetChave(), fundoMostrado);
    Botao(fundos, "BbAdd");
    for (const auto& [campo, texto] :
         {std::pair{"DblcCodRet", QStringLiteral("6800")}, std::pair{"DeCpfCnpjBenef", NumeroDe("555666777")},
          std::pair{"DeNomeBenef", QStringLiteral("ANA MARIA")}}) {
        Digita(Na(fundos, campo), texto);
        Tab(Na(fundos, campo));
    }
    auto* meses = Na<TPruvGridMeses>(fundos, "DgrRendimentos");
    meses->setFocus();
    QApplication::processEvents();
    meses->SelecionaCelula(1, 1);
    QTest::keyClicks(meses, QStringLiteral("500"));
    Botao(fundos, "BbAdd");
    EXPECT_TRUE(dialogos.Mensagens().empty()) << dialogos.Textos().join(QLatin1Char('|')).toStdString();
    const auto linhas = [](const char* tabela, const QString& condicao) {
        auto banco = TDatabase::DaPasta(TPastas::Dados());
        TComando c(banco->Conexao(),
                   QStringLiteral("SELECT COUNT(*) FROM \"%1\" WHERE IN_ANEXO = '1' AND %2")
                       .arg(banco->NomeReal(QLatin1String(tabela)),
                            QString(condicao).replace(QLatin1String("Anexo"),
                                                      QLatin1Char('"') + banco->NomeReal(QStringLiteral("Anexo"))
                                                          + QLatin1Char('"'))));
        return c.Passo() ? c.Inteiro(0) : -1;
    };
    const QString semFundo = QStringLiteral("\"E_PRUV/ANEXO_DK\" NOT IN (SELECT ANEXO_DK FROM Anexo)");
    const QString doFundo = QStringLiteral("\"E_PRUV/ANEXO_DK\" = '%1'");
    EXPECT_EQ(linhas("PruvItem", semFundo), 1) << "only the item the folder held";
    EXPECT_EQ(linhas("PruvItem", doFundo.arg(chaveApagada)), 0);
    EXPECT_EQ(linhas("Resumo", doFundo.arg(chaveApagada)), 0);
    EXPECT_EQ(linhas("PruvItem", doFundo.arg(fundoMostrado)), 2);
}

// A row of the pending items proves itself: after the fund it names was deleted and another fund
// made, and after the own item it names was deleted and another typed in its place, Localizar
// on it says the item is gone and moves nothing, on whichever page is shown.
TEST_F(CaminhoPrincipalTest, AStaleRowOfThePendingItemsLocatesNothingElse)
{
    const QString apagado = NumeroDe("778889990001");
    const QString cpfFundo = NumeroDe("333444555");
    const QString cpfProprio = NumeroDe("444555666");
    QString chaveFundo;
    {
        auto pruv = Armazenada(Outra, "2002", 3);
        Item(*pruv, *NovoAnexo(*pruv, Fundo, "", true), "6800", CpfBeneficiario);
        auto fundo = NovoAnexo(*pruv, apagado, "", true);   // the highest key
        Item(*pruv, *fundo, "6800", cpfFundo, 200000);      // above 100.000: a pending item
        Item(*pruv, *pruv, "0561", CpfBeneficiario);
        Item(*pruv, *pruv, "0561", cpfProprio, 200000);   // the own item of the highest key
        chaveFundo = fundo->GetChave();
    }
    IniciaPrograma();
    Abre(Outra);
    janela->Comando(QStringLiteral("MiVerificarPendencias"))->trigger();
    ASSERT_TRUE(PendenciasProntas());
    Reativa();

    // Both made stale: the fund deleted on its page and another fund made with an item of its
    // own; the own item deleted and another beneficiary's stored after it.
    QWidget& fundos = quadro->Pagina(P::Fundos);
    TFrBeneficiarios& pagina = quadro->BeneficiariosAnexo();
    quadro->AtivaPagina(P::Fundos);
    QApplication::processEvents();
    ASSERT_TRUE(pagina.LocalizaFundo(chaveFundo));
    dialogos.Responde(Resposta::Sim);
    Botao(fundos, "BbDeleteFundo");
    ASSERT_EQ(dialogos.Codigos(), std::vector<int>{CodigoMensagem::ConfirmaExclusaoFundo});
    {
        auto pruv = Lida(Outra);
        auto novo = NovoAnexo(*pruv, NumeroDe("889991110001"), "", true);
        Item(*pruv, *novo, "6800", NumeroDe("555666777"));
        TPruvItem proprio(*pruv, *pruv);
        proprio.SetErros(&erros);
        proprio.GetCodigoRetencao().SetCodigo(QStringLiteral("0561"));
        proprio.GetBeneficiario().SetNi(cpfProprio);
        ASSERT_TRUE(pruv->GetItens().Carrega(proprio));
        pruv->GetItens().Exclui(proprio);
        Item(*pruv, *pruv, "0561", NumeroDe("666777888"));
    }
    dialogos.Limpa();

    const struct {
        const char* caso;
        QString dono;
        P pagina;
        int mensagem;
    } casos[] = {
        {"the deleted fund's item", chaveFundo, P::Fundos, CodigoMensagem::FundoInexistente},
        {"the deleted own item", janela->ObtemDeclaracao().GetChave(), P::Beneficiarios,
         CodigoMensagem::ItemDeOutraPruv},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        quadro->AtivaPagina(c.pagina);
        QApplication::processEvents();
        TFrBeneficiarios& mostrada = c.pagina == P::Fundos ? quadro->BeneficiariosAnexo() : quadro->Beneficiarios();
        const QString dono = mostrada.Item()->GetDono().GetChave();
        const QString item = mostrada.Item()->GetChave();
        const int objeto = c.pagina == P::Fundos ? 26 : 18;   // the item's fields
        ASSERT_TRUE(LocalizaPendencia([&](TDataSet& linha) {
            const int o = DoCampo(linha, "OBJETO").toInt();
            return DoCampo(linha, "A_QUEM_PERTENCE") == c.dono && o >= objeto && o < objeto + 6;
        }));
        EXPECT_EQ(dialogos.Codigos(), std::vector<int>{c.mensagem});
        dialogos.Limpa();
        EXPECT_EQ(quadro->PaginaAtiva(), c.pagina);
        EXPECT_EQ(mostrada.Item()->GetDono().GetChave(), dono);
        EXPECT_EQ(mostrada.Item()->GetChave(), item);
    }
}

// A new fund not stored has no items: after the fund bar's "+", the item's code and number
// clicked and typed take nothing, and every road out of the new fund is open, the last one
// closing the program.
TEST_F(CaminhoPrincipalTest, ANewFundKeepsNoItemAndEveryRoadOutOfItIsOpen)
{
    {
        auto pruv = Armazenada(Outra, "2002", 3);
        auto fundo = NovoAnexo(*pruv, Fundo, "", true);
        Item(*pruv, *fundo, "6800", CpfBeneficiario);
    }
    IniciaPrograma();
    Abre(Outra);
    QWidget& fundos = quadro->Pagina(P::Fundos);
    TFrBeneficiarios& pagina = quadro->BeneficiariosAnexo();
    auto* lista = Na<TdvDBLookupCombo>(fundos, "DblcFundos");
    const struct {
        const char* caso;
        std::function<void()> Sai;
        P pagina;
    } casos[] = {
        {"the fund bar's undo", [&] { Clica(Na(fundos, "BbDesfazerFundo")); }, P::Fundos},
        {"the fund list",
         [&] {
             Clica(lista);
             Tecla(Qt::Key_Down, Qt::AltModifier);
             Tecla(Qt::Key_Return);
         },
         P::Fundos},
        {"another page", [&] { Tecla(Qt::Key_I, Qt::AltModifier); }, P::Informacoes},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        Tecla(Qt::Key_U, Qt::AltModifier);
        ASSERT_EQ(quadro->PaginaAtiva(), P::Fundos);
        Clica(Na(fundos, "BbAddFundo"));
        ASSERT_TRUE(pagina.Item()->GetDono().GetChave().isEmpty());
        // The item's code and number chosen by the mouse: the caret goes to the fund's CNPJ, and
        // what the user meant for a field is typed only where that field took the caret.
        for (const auto& [campo, texto] :
             {std::pair{"DblcCodRet", QStringLiteral("3223")}, std::pair{"DeCpfCnpjBenef", CpfBeneficiario}}) {
            QWidget* w = Na(fundos, campo);
            Clica(w);
            if (QApplication::focusWidget() == w)
                QTest::keyClicks(w, texto);
            EXPECT_EQ(QApplication::focusWidget(), lista) << campo;
        }
        EXPECT_TRUE(pagina.Item()->GetCodigoRetencao().GetCodigo().isEmpty());
        EXPECT_TRUE(pagina.Item()->GetBeneficiario().GetNi().isEmpty());
        c.Sai();
        EXPECT_TRUE(dialogos.Mensagens().empty()) << dialogos.Textos().join(QLatin1Char('|')).toStdString();
        dialogos.Limpa();
        EXPECT_EQ(quadro->PaginaAtiva(), c.pagina);
        if (c.pagina == P::Fundos) {
            EXPECT_EQ(pagina.Item()->GetDono().GetDeclarante().GetNi(), Fundo);
        }
    }

    // Closing answered Sim: the program closes.
    Tecla(Qt::Key_U, Qt::AltModifier);
    Clica(Na(fundos, "BbAddFundo"));
    Clica(Na(fundos, "DblcCodRet"));
    if (QApplication::focusWidget() == Na(fundos, "DblcCodRet"))
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("3223"));
    dialogos.Responde(Resposta::Sim);
    janela->close();   // Alt+F4: the window system asks the window to close
    QApplication::processEvents();
    EXPECT_EQ(dialogos.Codigos(), std::vector<int>{CodigoMensagem::ConfirmaSaida});
    EXPECT_FALSE(janela->isVisible());
}
