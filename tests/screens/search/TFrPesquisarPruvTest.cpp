#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>
#include <tuple>
#include <vector>

#include "components/controls/combos/TdvDBComboBox.h"
#include "components/controls/grid/TdvDBGrid.h"
#include "components/data/datasets/TdvTable.h"
#include "model/PruvDeTeste.h"
#include "platform/db/datasets/TDataSource.h"
#include "platform/db/datasets/TField.h"
#include "screens/search/TFoPesquisar.h"
#include "screens/search/TFrPesquisarPruv.h"

namespace {

using F = TFrPesquisarPruv;

// Every locate the search asks for, in order.
struct Posicoes {
    std::vector<std::tuple<QString, QString, int>> Chamadas;
    TPosicionaCampo Posiciona()
    {
        return [this](const QString& anexo, const QString& item, std::uint8_t objeto) {
            Chamadas.emplace_back(anexo, item, objeto);
        };
    }
};

class TFrPesquisarPruvTest : public PruvDeTeste {
protected:
    // A declaration of that nature with a person under 0561 and 0588 and a company under 3208;
    // with nature 3 a fund holds another person under 3208.
    std::unique_ptr<TPruv> Declaracao(int natureza = 0)
    {
        auto pruv = Armazenada(Matriz, "2002", natureza);
        Item(*pruv, *pruv, "0561", CpfBeneficiario);
        Item(*pruv, *pruv, "0588", CpfBeneficiario);
        Item(*pruv, *pruv, "3208", Outra);
        auto anexo = NovoAnexo(*pruv, Fundo, "", true);
        Item(*pruv, *anexo, "3208", CpfResponsavel);
        return pruv;
    }

    static QStringList Coluna(TdvTable& tabela, const char* campo)
    {
        QStringList valores;
        tabela.First();
        while (!tabela.Eof()) {
            valores << tabela.FieldByName(QLatin1String(campo))->AsString();
            tabela.Next();
        }
        tabela.First();
        return valores;
    }

    static void Digita(F& quadro, const QString& texto)
    {
        quadro.EdChave->setText(texto);
        quadro.RestringePruv();
    }

    // The search window over a main window of 700 x 500.
    TFoPesquisar* Pesquisa(TPruv& pruv, QWidget& principal)
    {
        principal.resize(700, 500);
        principal.show();
        MostraPesquisa(pruv, posicoes.Posiciona(), &principal);
        return FoPesquisar();
    }

    Posicoes posicoes;
};

}   // namespace

TEST(TFrPesquisarPruvFaixa, EachKeyGivesItsRange)
{
    const QString k = QStringLiteral("00001");
    const struct {
        F::TChave chave;
        const char* texto;
        QVariantList inicio, fim;
        bool exclusivo;
    } casos[] = {
        {F::ChaveCodigo, "0561", {k, "0561"}, {k, "0562"}, true},
        {F::ChaveCodigo, "05", {k, "05"}, {k, "05z"}, false},
        {F::ChaveCodigo, "", {k, ""}, {k, "z"}, false},
        {F::ChaveCodigo, "056199", {k, "0561"}, {k, "0562"}, true},
        {F::ChaveCpf, "111444777", {k, "1", "111444777"}, {k, "1", "111444778"}, true},
        {F::ChaveCpf, "1114", {k, "1", "1114"}, {k, "1", "1114z"}, false},
        {F::ChaveCnpj, "112223330001", {k, "2", "112223330001"}, {k, "2", "112223330002"}, true},
        {F::ChaveCnpj, "11222333000199", {k, "2", "112223330001"}, {k, "2", "112223330002"}, true},
        {F::ChaveCnpj, "1129", {k, "2", "1129"}, {k, "2", "1129z"}, false},
        {F::ChaveNome, "", {k, "0"}, {k, "{"}, false},
        {F::ChaveNome, "JOS", {k, "JOS"}, {k, "JOS{"}, false},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.texto);
        const F::TFaixa faixa = F::Faixa(c.chave, k, QLatin1String(c.texto));
        EXPECT_EQ(faixa.Itens, c.chave == F::ChaveCodigo);
        EXPECT_EQ(faixa.Inicio, c.inicio);
        EXPECT_EQ(faixa.Fim, c.fim);
        EXPECT_EQ(faixa.FimExclusivo, c.exclusivo);
    }
}

TEST(TFrPesquisarPruvFaixa, TheEditTakesDigitsAndForNamesTheirLetters)
{
    const struct {
        char16_t tecla;
        bool numero, nome;
    } casos[] = {
        {u'7', true, true},  {u'\b', true, true},  {u'A', false, true},  {u'z', false, true},
        {u'É', false, true}, {u'ü', false, true},  {u'&', false, true},  {u'\\', false, true},
        {u'-', false, true}, {u'*', false, false}, {u'ñ', false, false}, {u'{', false, false},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(static_cast<int>(c.tecla));
        EXPECT_EQ(F::TeclaAceita(QChar(c.tecla), F::ChaveCpf), c.numero);
        EXPECT_EQ(F::TeclaAceita(QChar(c.tecla), F::ChaveNome), c.nome);
    }
}

TEST_F(TFrPesquisarPruvTest, CodesRestrictTheItemsByPrefixOrWholeCode)
{
    auto pruv = Declaracao();
    F quadro;
    quadro.Abre(*pruv, posicoes.Posiciona());
    EXPECT_EQ(quadro.ChaveAtual(), F::ChaveCodigo);
    EXPECT_EQ(Coluna(quadro.TbPruvItem(), "TRIB_TRIBU"), (QStringList{"0561", "0588", "3208"}));   // no fund item
    EXPECT_EQ(Coluna(quadro.TbPruvItem(), "NM_NM_EMPRE").front(), QStringLiteral("JOSE DA SILVA"));
    Digita(quadro, QStringLiteral("0561"));
    EXPECT_EQ(Coluna(quadro.TbPruvItem(), "TRIB_TRIBU"), QStringList{"0561"});
    Digita(quadro, QStringLiteral("05"));
    EXPECT_EQ(Coluna(quadro.TbPruvItem(), "TRIB_TRIBU"), (QStringList{"0561", "0588"}));
    EXPECT_EQ(quadro.LbEntraChave->text(), QStringLiteral("Código de Retenção"));

    // Locating an item: the statement first, then the item's field on its page.
    Digita(quadro, QStringLiteral("3208"));
    quadro.Localiza();
    const QString item = quadro.TbPruvItem().FieldByName(QStringLiteral("PRUV_ITEM_DK"))->AsString();
    const QString anexo = quadro.TbPruvItem().FieldByName(QStringLiteral("E_PRUV/ANEXO_DK"))->AsString();
    ASSERT_EQ(posicoes.Chamadas.size(), 2u);
    QString cnpj = Outra;
    FormataNi(cnpj);
    EXPECT_EQ(posicoes.Chamadas[0], std::make_tuple(anexo, cnpj, 0));
    EXPECT_EQ(posicoes.Chamadas[1], std::make_tuple(anexo, item + QStringLiteral(";3208;") + Outra.left(12), 18));

    // An item saved meanwhile shows when the search is read again.
    Digita(quadro, QString());
    Item(*pruv, *pruv, "1708", CpfBeneficiario);
    quadro.Atualiza();
    EXPECT_EQ(Coluna(quadro.TbPruvItem(), "TRIB_TRIBU"), (QStringList{"0561", "0588", "1708", "3208"}));
}

TEST_F(TFrPesquisarPruvTest, NamesCompareWithoutCaseOrAccents)
{
    auto pruv = Declaracao(3);
    Executa(QStringLiteral("UPDATE Benef SET NM_NM_EMPR = 'josé pereira' WHERE NR_PF_PJ = '%1'")
                .arg(CpfBeneficiario.left(9)));
    Executa(QStringLiteral("UPDATE Benef SET NM_NM_EMPR = 'JOSEFA LIMA' WHERE NR_PF_PJ = '%1'")
                .arg(CpfResponsavel.left(9)));
    F quadro;
    quadro.Abre(*pruv, posicoes.Posiciona());
    quadro.SelecionaChave(F::ChaveNome);
    EXPECT_EQ(Coluna(quadro.TbBeneficiarios(), "NM_NM_EMPR").size(), 3);
    Digita(quadro, QStringLiteral("JOSE"));
    EXPECT_EQ(Coluna(quadro.TbBeneficiarios(), "NM_NM_EMPR"),
              (QStringList{"JOSE DA SILVA", "josé pereira", "JOSEFA LIMA"}));
    Digita(quadro, QStringLiteral("josé p"));
    EXPECT_EQ(Coluna(quadro.TbBeneficiarios(), "NM_NM_EMPR"), QStringList{"josé pereira"});
    // The codes of the beneficiary in the current row.
    EXPECT_EQ(Coluna(quadro.TbPruvItemBenef(), "TRIB_TRIBU"), (QStringList{"0561", "0588"}));
}

TEST_F(TFrPesquisarPruvTest, ABeneficiaryOnlyInFundsCannotBeLocatedOutsideNatureThree)
{
    auto pruv = Declaracao();
    F quadro;
    quadro.Abre(*pruv, posicoes.Posiciona());
    quadro.SelecionaChave(F::ChaveCpf);
    Digita(quadro, CpfResponsavel.left(9));
    EXPECT_EQ(quadro.TbBeneficiarios().RecordCount(), 1);   // listed by its CPF
    quadro.Localiza();
    EXPECT_EQ(dialogos.Codigos(), std::vector<int>{61});
    EXPECT_TRUE(posicoes.Chamadas.empty());

    // One with items of its own goes to its statement and its beneficiary page.
    Digita(quadro, CpfBeneficiario.left(9));
    quadro.DbgBeneficiarios->setFocus();
    QFocusEvent entrada(QEvent::FocusIn);
    QCoreApplication::sendEvent(quadro.DbgBeneficiarios, &entrada);
    quadro.Localiza();
    ASSERT_EQ(posicoes.Chamadas.size(), 2u);
    EXPECT_EQ(std::get<2>(posicoes.Chamadas[0]), 3);
    EXPECT_EQ(std::get<2>(posicoes.Chamadas[1]), 2);
    EXPECT_EQ(quadro.CpfCnpjSelecionado().size(), 14);
}

TEST_F(TFrPesquisarPruvTest, TypingRestrictsAfterAPauseOrWhenTheFocusLeaves)
{
    auto pruv = Declaracao();
    F quadro;
    quadro.show();
    quadro.Abre(*pruv, posicoes.Posiciona());
    EXPECT_TRUE(quadro.Timer1->isSingleShot());
    EXPECT_EQ(quadro.Timer1->interval(), F::EsperaDigitacao);

    QTest::keyClicks(quadro.EdChave, QStringLiteral("05x61"));   // the letter is refused
    EXPECT_EQ(quadro.EdChave->text(), QStringLiteral("0561"));
    EXPECT_EQ(quadro.TbPruvItem().RecordCount(), 3);   // not yet
    QElapsedTimer relogio;
    relogio.start();
    while (quadro.TbPruvItem().RecordCount() != 1 && relogio.elapsed() < 3000)
        QTest::qWait(20);
    EXPECT_EQ(quadro.TbPruvItem().RecordCount(), 1);
    EXPECT_GE(relogio.elapsed(), 300);

    quadro.EdChave->setText(QString());
    QTest::keyClicks(quadro.EdChave, QStringLiteral("32"));
    QFocusEvent saida(QEvent::FocusOut);
    QCoreApplication::sendEvent(quadro.EdChave, &saida);
    EXPECT_EQ(Coluna(quadro.TbPruvItem(), "TRIB_TRIBU"), QStringList{"3208"});
    EXPECT_FALSE(quadro.Timer1->isActive());
}

TEST_F(TFrPesquisarPruvTest, ChoosingABeneficiaryLeavesTheCodeKeyOutAndLocatesNothing)
{
    auto pruv = Declaracao();
    F quadro;
    quadro.SetSelBeneficiario(true);
    quadro.show();
    quadro.Abre(*pruv, posicoes.Posiciona());
    EXPECT_EQ(quadro.ChaveAtual(), F::ChaveCpf);
    EXPECT_FALSE(quadro.BbLocalizar->isVisible());
    EXPECT_TRUE(quadro.DbgBeneficiarios->isVisible());
    EXPECT_FALSE(quadro.DbgCodigosBenef->isVisible());
    int duplos = 0;
    quadro.OnGridDblClick = [&duplos](F*) { ++duplos; };
    quadro.Localiza();
    EXPECT_TRUE(posicoes.Chamadas.empty());
    quadro.SetSelBeneficiario(false);
    EXPECT_EQ(quadro.CbChave->Items().Strings().front(), F::TextoCodigo);
}

TEST_F(TFrPesquisarPruvTest, TheSearchWindowIsMadeOnceAndLetGoWhenClosed)
{
    auto pruv = Declaracao();
    QWidget principal;
    QPointer<TFoPesquisar> janela = Pesquisa(*pruv, principal);
    ASSERT_TRUE(janela);
    EXPECT_EQ(janela->windowTitle(), QStringLiteral("Pesquisar"));
    EXPECT_TRUE(janela->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(janela->isModal());
    janela->FrPesquisarPruv->SelecionaChave(F::ChaveCnpj);
    janela->showMinimized();
    MostraPesquisa(*pruv, posicoes.Posiciona(), &principal);   // only restored, its search kept
    EXPECT_EQ(FoPesquisar(), janela.data());
    EXPECT_FALSE(janela->isMinimized());
    EXPECT_EQ(janela->FrPesquisarPruv->ChaveAtual(), F::ChaveCnpj);

    EXPECT_TRUE(janela->close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(janela);
    EXPECT_EQ(FoPesquisar(), nullptr);
}

TEST_F(TFrPesquisarPruvTest, AfterLocatingTheSearchTakesTheKeyboardBackFromTheDeclaration)
{
    auto pruv = Declaracao();
    QWidget principal;
    auto* campo = new QLineEdit(&principal);
    principal.resize(700, 500);
    principal.show();
    principal.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&principal));
    // As the main window does: the declaration comes to the front with the item's field focused.
    const auto posiciona = [&](const QString&, const QString&, std::uint8_t) {
        principal.activateWindow();
        campo->setFocus();
        (void)QTest::qWaitFor([&] { return QApplication::activeWindow() == &principal; }, 500);
    };
    MostraPesquisa(*pruv, posiciona, &principal);
    QPointer<TFoPesquisar> janela = FoPesquisar();
    ASSERT_TRUE(janela);
    // A window over another counts as active with it: the application's active window tells.
    const auto ativa = [](QWidget* w) {
        return QTest::qWaitFor([w] { return QApplication::activeWindow() == w; }, 1000);
    };
    ASSERT_TRUE(ativa(janela));
    QLineEdit* chave = janela->FrPesquisarPruv->EdChave;
    ASSERT_TRUE(chave->hasFocus());
    QTest::keyClicks(chave, QStringLiteral("3208"));
    QTest::keyClick(chave, Qt::Key_Return);
    EXPECT_TRUE(ativa(janela));
    EXPECT_EQ(QApplication::focusWidget(), chave);
    EXPECT_EQ(principal.focusWidget(), campo);   // the declaration keeps its place
    janela->close();
}

// Down and Up choose the next and the previous search key, from the key's edit or its list,
// stopping at the ends; each choice empties the edit and gives it the keys.
TEST_F(TFrPesquisarPruvTest, DownAndUpChooseTheSearchKey)
{
    auto pruv = Declaracao();
    QWidget principal;
    QPointer<TFoPesquisar> janela = Pesquisa(*pruv, principal);
    ASSERT_TRUE(janela);
    F& quadro = *janela->FrPesquisarPruv;
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == quadro.EdChave; }, 1000));
    const struct {
        bool naLista;   // the key's list has the focus, else its edit
        Qt::Key tecla;
        F::TChave chave;
        bool muda;
    } passos[] = {
        {false, Qt::Key_Down, F::ChaveCpf, true},  {false, Qt::Key_Down, F::ChaveCnpj, true},
        {true, Qt::Key_Down, F::ChaveNome, true},  {false, Qt::Key_Down, F::ChaveNome, false},   // the last stays
        {false, Qt::Key_Up, F::ChaveCnpj, true},   {true, Qt::Key_Up, F::ChaveCpf, true},
        {false, Qt::Key_Up, F::ChaveCodigo, true}, {true, Qt::Key_Up, F::ChaveCodigo, false},   // the first stays
    };
    for (const auto& p : passos) {
        SCOPED_TRACE(testing::Message() << p.naLista << " " << p.tecla << " " << p.chave);
        QWidget* alvo = p.naLista ? static_cast<QWidget*>(quadro.CbChave) : quadro.EdChave;
        alvo->setFocus();
        quadro.EdChave->setText(QStringLiteral("1"));
        QTest::keyClick(alvo, p.tecla);
        QApplication::processEvents();
        EXPECT_EQ(quadro.ChaveAtual(), p.chave);
        EXPECT_EQ(QApplication::focusWidget(), p.muda ? quadro.EdChave : alvo);
        EXPECT_EQ(quadro.EdChave->text().isEmpty(), p.muda);
    }
    janela->close();
}

// Page Down and Page Up in the key's edit move the list shown a page, as in the list itself,
// and leave the keyboard in the edit; for the code and for the name key.
TEST_F(TFrPesquisarPruvTest, PageDownAndPageUpInTheSearchFieldMoveTheListAPage)
{
    auto pruv = Armazenada(Matriz);
    for (int i = 0; i < 40; ++i)
        Item(*pruv, *pruv, "0561",
             NumeroDe(QStringLiteral("2223334%1").arg(i, 2, 10, QLatin1Char('0')).toLatin1().constData()));
    QWidget principal;
    QPointer<TFoPesquisar> janela = Pesquisa(*pruv, principal);
    ASSERT_TRUE(janela);
    F& quadro = *janela->FrPesquisarPruv;
    for (F::TChave chave : {F::ChaveCodigo, F::ChaveNome}) {
        SCOPED_TRACE(static_cast<int>(chave));
        quadro.SelecionaChave(chave);
        QApplication::processEvents();
        TdvDBGrid* lista = chave == F::ChaveCodigo ? quadro.DbgPruvItem : quadro.DbgBeneficiarios;
        ASSERT_TRUE(lista->isVisible());
        TDataSet* linhas = lista->DataSource()->DataSet();
        // Where the list's own keys take it.
        const auto atual = [linhas] { return linhas->FieldByName(QStringLiteral("CPF_CNPJ"))->AsString(); };
        QStringList esperado;
        lista->setFocus();
        linhas->First();
        for (Qt::Key tecla : {Qt::Key_PageDown, Qt::Key_PageDown, Qt::Key_PageUp}) {
            QTest::keyClick(lista, tecla);
            esperado << atual();
        }
        ASSERT_NE(esperado[0], esperado[1]);
        quadro.EdChave->setFocus();
        QApplication::processEvents();
        linhas->First();
        QStringList obtido;
        for (Qt::Key tecla : {Qt::Key_PageDown, Qt::Key_PageDown, Qt::Key_PageUp}) {
            QTest::keyClick(quadro.EdChave, tecla);
            obtido << atual();
        }
        EXPECT_EQ(obtido, esperado);
        EXPECT_EQ(QApplication::focusWidget(), quadro.EdChave);
    }
    janela->close();
}
