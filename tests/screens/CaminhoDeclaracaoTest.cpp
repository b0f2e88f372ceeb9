#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include "components/controls/combos/TdvDBComboBox.h"
#include "components/controls/grid/TdvDBGrid.h"
#include "components/controls/lookup/TdvDBLookupCombo.h"
#include "components/data/datasets/TdvTable.h"
#include "model/people/TColecaoResponsavel.h"
#include "model/values/TDadoBasico.h"
#include "platform/db/datasets/TField.h"
#include "platform/widgets/controls/TSelecaoDoSistema.h"
#include "screens/DeclaracaoAbertaDeTeste.h"
#include "screens/pages/TFoNovaDeclaracao.h"
#include "screens/edits/TPruvEdit.h"
#include "shell/declarations/TFoAbreDeclaracao.h"
#include "shell/declarations/TFoExcluiDeclaracao.h"

namespace {

using P = TPaginaDeclaracao;

// The user's road through the program: new declaration, the declarant and the responsible person
// typed, closed, opened again, deleted.
class CaminhoDeclaracaoTest : public DeclaracaoAbertaDeTeste {
protected:
    // The new-declaration dialog filled and confirmed; Depois runs with it still shown (or not).
    void NovaPeloComando(const QString& ni, const char* nome, int ano = 1,
                         const std::function<void(TFoNovaDeclaracao&)>& Depois = {})
    {
        AoAbrir<TFoNovaDeclaracao>("FoNovaDeclaracao", [=](TFoNovaDeclaracao& d) {
            EXPECT_EQ(d.CbAnoRet->Text(), QStringLiteral("2002"));
            Digita(d.DeCpfCnpj, ni);
            Tab(d.DeCpfCnpj);
            if (ano != 1)
                d.CbAnoRet->SetItemIndex(ano);
            Digita(d.DeNome, QLatin1String(nome));
            d.BbOk->click();
            QApplication::processEvents();
            if (Depois)
                Depois(d);
        });
        janela->Comando(QStringLiteral("MiNova"))->trigger();
        Reativa();
    }
    // The main window active again after a modal dialog, as the window system makes it.
    void Reativa()
    {
        janela->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(janela.get()));
    }
    [[nodiscard]] TPruvEdit* Edit(const char* nome) const { return Campo<TPruvEdit>(nome); }
};

}   // namespace

TEST_F(CaminhoDeclaracaoTest, ANewDeclarationIsTypedClosedOpenedAgainAndDeleted)
{
    Inicia();
    EXPECT_TRUE(janela->Comando(QStringLiteral("MiNova"))->isEnabled());
    EXPECT_FALSE(janela->Comando(QStringLiteral("MiAbrir"))->isEnabled());   // nothing stored
    EXPECT_FALSE(janela->Comando(QStringLiteral("MiExcluir"))->isEnabled());

    NovaPeloComando(Matriz, "EMPRESA GAMA LTDA");
    ASSERT_TRUE(janela->GetDeclaracaoAberta());
    EXPECT_EQ(janela->windowTitle(), QStringLiteral("Pruv 2003 - EMPRESA GAMA LTDA   Matriz"));
    EXPECT_EQ(Foco(), QStringLiteral("DeNome"));
    EXPECT_TRUE(janela->Comando(QStringLiteral("MiAbrir"))->isEnabled());

    // The declarant's name, the person responsible and its phone.
    Digita(Edit("DeNome"), QStringLiteral("EMPRESA GAMA DE ALIMENTOS LTDA"));
    Tab(Edit("DeNome"));
    EXPECT_EQ(janela->windowTitle(), QStringLiteral("Pruv 2003 - EMPRESA GAMA DE ALIMENTOS LTDA   Matriz"));
    auto* responsavel = Campo<TdvDBLookupCombo>("DblcResponsavel");
    // The person's data wait for its CPF.
    Edit("DeNomeResp")->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(Foco(), QStringLiteral("DblcResponsavel"));
    Digita(responsavel, CpfResponsavel);
    Tab(responsavel);
    Digita(Edit("DeNomeResp"), QStringLiteral("MARIA DA SILVA"));
    Tab(Edit("DeNomeResp"));
    Digita(Edit("DeDDD"), QStringLiteral("11"));
    Tab(Edit("DeDDD"));
    Digita(Edit("DeTelefone"), QStringLiteral("32221234"));
    Tab(Edit("DeTelefone"));
    EXPECT_TRUE(dialogos.Mensagens().empty()) << dialogos.Textos().join(QLatin1Char('\n')).toStdString();

    janela->Comando(QStringLiteral("MiFecharDeclaracao"))->trigger();
    ASSERT_FALSE(janela->GetDeclaracaoAberta());

    AoAbrir<TFoAbreDeclaracao>("FoAbreDeclaracao", [](TFoAbreDeclaracao& d) { d.OKBtn->click(); });
    janela->Comando(QStringLiteral("MiAbrir"))->trigger();
    Reativa();
    ASSERT_TRUE(janela->GetDeclaracaoAberta());
    EXPECT_EQ(Edit("DeNome")->Text(), QStringLiteral("EMPRESA GAMA DE ALIMENTOS LTDA"));
    EXPECT_EQ(RemoveMascara(responsavel->Text()), CpfResponsavel);
    EXPECT_EQ(Edit("DeNomeResp")->Text(), QStringLiteral("MARIA DA SILVA"));
    const TResponsavel& pessoa = janela->ObtemDeclaracao().GetResponsavel();
    EXPECT_EQ(pessoa.Fone().DDD().GetTexto(), QStringLiteral("11"));
    EXPECT_EQ(pessoa.Fone().Numero().GetTexto(), QStringLiteral("32221234"));
    EXPECT_EQ(Edit("DeTelefone")->Text(), pessoa.Fone().Numero().GetTextoFormatado());   // shown whole
    EXPECT_EQ(Linhas("Respons"), 1);

    AoAbrir<TFoExcluiDeclaracao>("FoExcluiDeclaracao", [](TFoExcluiDeclaracao& d) {
        d.DBGrContribu->SelectCurrentRecord();
        d.OKBtn->click();
    });
    dialogos.Responde(Resposta::Sim);
    janela->Comando(QStringLiteral("MiExcluir"))->trigger();
    EXPECT_EQ(dialogos.Textos(),
              QStringList{QStringLiteral("Tem certeza que deseja excluir a declaração selecionada ?")});
    EXPECT_FALSE(janela->GetDeclaracaoAberta());
    EXPECT_EQ(Linhas("Pruv"), 0);
    EXPECT_FALSE(janela->Comando(QStringLiteral("MiAbrir"))->isEnabled());
    EXPECT_FALSE(EstadoPrograma::EmProcessamento);
}

TEST_F(CaminhoDeclaracaoTest, TheNewDeclarationDialogRefusesWhatCannotBeStored)
{
    Armazenada(Matriz);
    Armazenada(CpfDeclarante);
    Inicia();
    const struct {
        const char* caso;
        QString ni;
        const char* nome;
        int ano;   // item of the year list; 1 is "2002"
        std::vector<Resposta> respostas;
        std::vector<int> codigos;
        bool criada;
        const char* foco;   // where the focus stays when refused
    } casos[] = {
        {"an empty name only moves the focus", Filial, "", 1, {}, {}, false, "DeNome"},
        {"a branch that is not private law", Filial, "EMPRESA FILIAL", 1, {Resposta::Nao}, {30}, true, ""},
        {"a branch of a private-law company",
         NumeroDe("112223330003"),
         "EMPRESA FILIAL",
         1,
         {Resposta::Sim},
         {30, 54},
         false,
         "DeCpfCnpj"},
        {"a branch before 1999 is not asked", NumeroDe("112223330004"), "EMPRESA FILIAL", 5, {}, {}, true, ""},
        {"the CNPJ's declaration exists", Matriz, "EMPRESA ALFA LTDA", 1, {}, {74}, false, "DeCpfCnpj"},
        {"the CPF's declaration exists", CpfDeclarante, "JOSE DA SILVA", 1, {}, {75}, false, "DeCpfCnpj"},
        // With its warning, which follows the year however it was chosen.
        {"2003 is allowed", NumeroDe("333444555"), "JOSE DA SILVA", 0, {}, {46}, true, ""},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        dialogos.Limpa();
        for (Resposta r : c.respostas)
            dialogos.Responde(r);
        bool ficou = false;
        QString foco;
        NovaPeloComando(c.ni, c.nome, c.ano, [&](TFoNovaDeclaracao& d) {
            ficou = d.isVisible();
            foco = Foco();
        });
        EXPECT_EQ(dialogos.Codigos(), c.codigos);
        EXPECT_EQ(ficou, !c.criada);
        EXPECT_EQ(janela->GetDeclaracaoAberta(), c.criada);
        if (!c.criada) {
            EXPECT_EQ(foco, QLatin1String(c.foco));
        }
        if (c.criada)
            janela->FecharDeclaracao();
    }
    // The year 2003 is of a special situation from the start.
    auto lida = Lida(NumeroDe("333444555"), "2003");
    EXPECT_TRUE(lida->GetSituacaoEspecial());
}

TEST_F(CaminhoDeclaracaoTest, TheNumberOfADeclarantAlreadyStoredBringsItsName)
{
    Armazenada(Matriz);
    Inicia();
    QString nome;
    AoAbrir<TFoNovaDeclaracao>("FoNovaDeclaracao", [&nome](TFoNovaDeclaracao& d) {
        d.CbAnoRet->SetItemIndex(2);   // "2001": none of that year
        Digita(d.DeCpfCnpj, NumeroDe("112223330001"));
        Tab(d.DeCpfCnpj);
        nome = d.DeNome->Text();
    });
    janela->Comando(QStringLiteral("MiNova"))->trigger();
    EXPECT_EQ(nome, QStringLiteral("EMPRESA ALFA LTDA"));
}

TEST_F(CaminhoDeclaracaoTest, Choosing2003FromTheListWarnsWithMessage46)
{
    Inicia();
    AoAbrir<TFoNovaDeclaracao>("FoNovaDeclaracao", [](TFoNovaDeclaracao& d) {
        d.CbAnoRet->SetItemIndex(0);
        d.CbAnoRet->DropDown();
        d.CbAnoRet->CloseUp(true);
        EXPECT_EQ(d.CbAnoRet->Text(), QStringLiteral("2003"));   // the choice stays
    });
    janela->Comando(QStringLiteral("MiNova"))->trigger();
    EXPECT_EQ(dialogos.Codigos(), std::vector<int>{46});
    EXPECT_EQ(dialogos.Mensagens().front().Tipo, TipoDialogo::Informacao);
}

TEST_F(CaminhoDeclaracaoTest, AnInvalidValueKeepsTheUserOnTheDeclaration)
{
    Armazenada(Matriz);
    Inicia();
    Abre(Matriz);
    Digita(Edit("DeNome"), QStringLiteral("A"));
    janela->Comando(QStringLiteral("MiFecharDeclaracao"))->trigger();
    QApplication::processEvents();
    EXPECT_TRUE(janela->GetDeclaracaoAberta());
    ASSERT_EQ(dialogos.Mensagens().size(), 1u);
    EXPECT_EQ(Foco(), QStringLiteral("DeNome"));
    EXPECT_EQ(Edit("DeNome")->Text(), QStringLiteral("A"));   // nothing typed is lost
    EXPECT_EQ(Lida(Matriz)->GetDeclarante().Nome().GetTexto(), QStringLiteral("EMPRESA ALFA LTDA"));

    Digita(Edit("DeNome"), QStringLiteral("EMPRESA ALFA COMERCIO LTDA"));
    janela->Comando(QStringLiteral("MiFecharDeclaracao"))->trigger();
    EXPECT_FALSE(janela->GetDeclaracaoAberta());
    EXPECT_EQ(Lida(Matriz)->GetDeclarante().Nome().GetTexto(), QStringLiteral("EMPRESA ALFA COMERCIO LTDA"));
}

TEST_F(CaminhoDeclaracaoTest, PosicionaCampoFocusesEveryDeclarantField)
{
    Armazenada(Matriz);
    Inicia();
    Abre(Matriz);
    const char* campos[] = {
        "DeCpfCnpj",         "DeNome",          "CbTipoDeclarante", "DeRespNoCnpj", "RbSimRetificadora",
        "RbSimEncerramento", "DblcResponsavel", "DeNomeResp",       "DeDDD",        "DeTelefone",
        "DeRamal",           "DeFax",           "DeEmail"};
    for (std::uint8_t codigo = 5; codigo <= 17; ++codigo) {
        SCOPED_TRACE(campos[codigo - 5]);
        quadro->AtivaPagina(P::Resumo);
        janela->PosicionaCampo(QString(), QString(), codigo);
        EXPECT_EQ(quadro->PaginaAtiva(), P::Informacoes);
        EXPECT_EQ(Foco(), QLatin1String(campos[codigo - 5]));
    }
}

TEST_F(CaminhoDeclaracaoTest, DeletingAsksOnceForEverySelectedDeclaration)
{
    const struct {
        int selecionadas;
        Resposta resposta;
        const char* pergunta;
        qint64 restam;
    } casos[] = {
        {0, Resposta::Nenhuma, nullptr, 3},
        {3, Resposta::Nao, "Tem certeza que deseja excluir as 3 declarações ?", 3},
        {3, Resposta::Sim, "Tem certeza que deseja excluir as 3 declarações ?", 0},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.selecionadas);
        for (const QString& ni : {Matriz, Filial, CpfDeclarante})
            if (!colecao->Localiza(*Nova(ni))) {
                auto pruv = Armazenada(ni);
                Item(*pruv, *pruv, "0561", CpfBeneficiario);
            }
        dialogos.Limpa();
        if (c.resposta != Resposta::Nenhuma)
            dialogos.Responde(c.resposta);
        Inicia();
        AoAbrir<TFoExcluiDeclaracao>("FoExcluiDeclaracao", [&c](TFoExcluiDeclaracao& d) {
            TdvTable& tabela = d.TbPruv();
            tabela.First();
            for (int i = 0; i < c.selecionadas; ++i, tabela.Next())
                d.DBGrContribu->SelectCurrentRecord();
            d.OKBtn->click();
        });
        janela->Comando(QStringLiteral("MiExcluir"))->trigger();
        EXPECT_EQ(dialogos.Textos(), c.pergunta ? QStringList{QString::fromUtf8(c.pergunta)} : QStringList{});
        EXPECT_EQ(Linhas("Pruv"), c.restam);
        if (c.restam == 0) {
            EXPECT_EQ(Linhas("PruvItem"), 0);   // with everything each owned
            EXPECT_EQ(Linhas("Benef"), 0);
            EXPECT_FALSE(janela->Comando(QStringLiteral("MiExcluir"))->isEnabled());
        }
    }
}

namespace {

// Dialogs that take the activation from the main window while they show, as a real message box
// does: the window then asks its declaration whether it may be left.
class DialogosQueDesativam final : public IDialogos {
public:
    explicit DialogosQueDesativam(TPruv2003& janela)
        : FJanela(janela)
        , FAnterior(InterfaceUsuario::Instala(this))
    {}
    ~DialogosQueDesativam() override { InterfaceUsuario::Instala(FAnterior); }
    Resposta Mostra(const TMensagemDialogo& mensagem) override
    {
        Textos << mensagem.Texto;
        // The message box takes the focus to its button...
        QPushButton ok(QStringLiteral("OK"));
        ok.show();
        QApplication::setActiveWindow(&ok);
        ok.setFocus();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&ok));
        FJanela.PodeAbrirForm(QString());   // ...and the window asks whether it may be left
        ok.close();
        FJanela.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&FJanela));
        return Resposta::Ok;
    }
    QStringList Textos;

private:
    TPruv2003& FJanela;
    IDialogos* FAnterior;
};

}   // namespace

TEST_F(CaminhoDeclaracaoTest, ARefusedValueIsToldOnceWhenItsMessageTakesTheActivation)
{
    Armazenada(Matriz);
    Inicia();
    Abre(Matriz);
    DialogosQueDesativam mensagens(*janela);
    Digita(Edit("DeNome"), QStringLiteral("A"));
    janela->Comando(QStringLiteral("MiFecharDeclaracao"))->trigger();
    EXPECT_TRUE(janela->GetDeclaracaoAberta());
    EXPECT_EQ(mensagens.Textos.size(), 1);

    // Leaving the field: its message comes once the focus has moved.
    mensagens.Textos.clear();
    Tab(Edit("DeNome"));
    QApplication::processEvents();
    EXPECT_EQ(mensagens.Textos.size(), 1);
    EXPECT_EQ(Foco(), QStringLiteral("DeNome"));
    EXPECT_EQ(Edit("DeNome")->Text(), QStringLiteral("A"));
}

TEST_F(CaminhoDeclaracaoTest, AStoredPersonsCpfBringsItsData)
{
    Armazenada(Matriz);   // with its responsible person, now stored
    ASSERT_EQ(Linhas("Respons"), 1);
    Inicia();
    NovaPeloComando(CpfDeclarante, "JOSE DA SILVA");
    ASSERT_TRUE(janela->GetDeclaracaoAberta());
    auto* responsavel = Campo<TdvDBLookupCombo>("DblcResponsavel");
    EXPECT_TRUE(responsavel->ShowButton());   // there are persons to choose from
    EXPECT_TRUE(Edit("DeNomeResp")->Text().isEmpty());

    Digita(responsavel, CpfResponsavel);
    Tab(responsavel);
    EXPECT_EQ(Edit("DeNomeResp")->Text(), QStringLiteral("MARIA DA SILVA"));
    EXPECT_EQ(janela->ObtemDeclaracao().GetResponsavel().Fone().Numero().GetTexto(), QStringLiteral("32221234"));
    EXPECT_EQ(responsavel->Text(), FormataCpf(CpfResponsavel));
    ASSERT_TRUE(janela->FecharDeclaracao());
    EXPECT_EQ(Lida(CpfDeclarante)->GetResponsavel().GetNi(), CpfResponsavel);
    EXPECT_TRUE(dialogos.Mensagens().empty());
}

TEST_F(CaminhoDeclaracaoTest, AnInvalidResponsibleCpfKeepsTheUserOnIt)
{
    Armazenada(Matriz);
    Inicia();
    Abre(Matriz);
    auto* responsavel = Campo<TdvDBLookupCombo>("DblcResponsavel");
    Digita(responsavel, QStringLiteral("12345678900"));
    Tab(responsavel);
    QApplication::processEvents();
    EXPECT_EQ(dialogos.Codigos(), std::vector<int>{66});
    EXPECT_EQ(Foco(), QStringLiteral("DblcResponsavel"));
    EXPECT_EQ(responsavel->Text(), QStringLiteral("12345678900"));
    EXPECT_EQ(janela->ObtemDeclaracao().GetResponsavel().GetNi(), CpfResponsavel);   // as it was
}

// The e-mail is the group's last field: Tab leaves the group, which rewrites the person's fields.
TEST_F(CaminhoDeclaracaoTest, ARefusedResponsibleFieldKeepsWhatWasTyped)
{
    Armazenada(Matriz);
    Inicia();
    Abre(Matriz);
    struct Caso {
        const char* campo;
        const char* texto;
        int codigo;
    };
    for (const Caso& c : {Caso{"DeDDD", "1", 82}, Caso{"DeTelefone", "12", 130}, Caso{"DeEmail", "fulano@", 81}}) {
        SCOPED_TRACE(c.campo);
        dialogos.Limpa();
        Digita(Edit(c.campo), QLatin1String(c.texto));
        Tab(Edit(c.campo));
        QApplication::processEvents();
        EXPECT_EQ(dialogos.Codigos(), std::vector<int>{c.codigo});
        EXPECT_EQ(Foco(), QLatin1String(c.campo));
        EXPECT_EQ(Edit(c.campo)->Text(), QLatin1String(c.texto));
        QTest::keyClick(Edit(c.campo), Qt::Key_Escape);
    }
}

TEST_F(CaminhoDeclaracaoTest, ARefusedResponsibleFieldKeepsItsTextWhileItsMessageShows)
{
    Armazenada(Matriz);
    Inicia();
    Abre(Matriz);
    DialogosQueDesativam mensagens(*janela);
    Digita(Edit("DeEmail"), QStringLiteral("@x"));
    janela->Comando(QStringLiteral("MiFecharDeclaracao"))->trigger();
    QApplication::processEvents();
    EXPECT_TRUE(janela->GetDeclaracaoAberta());
    EXPECT_EQ(mensagens.Textos.size(), 1);
    EXPECT_EQ(Foco(), QStringLiteral("DeEmail"));
    EXPECT_EQ(Edit("DeEmail")->Text(), QStringLiteral("@x"));
}

namespace {

// A field that claims every Ctrl key for itself, as a line edit does with Ctrl+E on some desktops.
class CampoGuloso final : public QLineEdit {
public:
    using QLineEdit::QLineEdit;

protected:
    bool event(QEvent* e) override
    {
        if (e->type() == QEvent::ShortcutOverride) {
            e->accept();
            return true;
        }
        return QLineEdit::event(e);
    }
};

}   // namespace

// The menu's shortcuts come before a field's own keys, Ctrl+A (Abrir) included: a field keeps only
// the editing keys that no command takes.
TEST_F(CaminhoDeclaracaoTest, TheMenuShortcutsWorkWhileAFieldHasTheFocus)
{
    Armazenada(Matriz);
    Inicia();
    Abre(Matriz);
    auto* campo = new CampoGuloso(Edit("DeNome")->parentWidget());
    campo->show();
    campo->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), campo);
    int comandos = 0;
    for (const QAction* acao : janela->findChildren<QAction*>()) {
        if (acao->shortcut().isEmpty())
            continue;
        SCOPED_TRACE(acao->shortcut().toString().toStdString());
        ++comandos;
        const QKeyCombination tecla = acao->shortcut()[0];
        QKeyEvent sobrepoe(QEvent::ShortcutOverride, tecla.key(), tecla.keyboardModifiers());
        sobrepoe.ignore();
        QApplication::sendEvent(campo, &sobrepoe);
        EXPECT_FALSE(sobrepoe.isAccepted());   // the field is not asked
    }
    EXPECT_GE(comandos, 8);

    // Ctrl+A in a field opens the open dialog; the field's text is not selected.
    bool abriu = false;
    AoAbrir<QDialog>("FoAbreDeclaracao", [&](QDialog&) { abriu = true; });
    Edit("DeNome")->setFocus();
    Edit("DeNome")->deselect();
    QTest::keyClick(Edit("DeNome"), Qt::Key_A, Qt::ControlModifier);
    EXPECT_TRUE(abriu);
    EXPECT_TRUE(Edit("DeNome")->selectedText().isEmpty());
    // Ctrl+C stays the field's: no command takes it.
    QKeyEvent copia(QEvent::ShortcutOverride, Qt::Key_C, Qt::ControlModifier);
    copia.ignore();
    QApplication::sendEvent(Edit("DeNome"), &copia);
    EXPECT_TRUE(copia.isAccepted());
    Abre(Matriz);
    QTest::keyClick(campo, Qt::Key_F, Qt::ControlModifier);
    EXPECT_FALSE(janela->GetDeclaracaoAberta());
}

// A second declaration in the same session, reached by Ctrl+N and typed as the clerk types: the
// number, then the name field, the name, Return. A number of the company just stored brings its
// name into the field as the focus arrives there; the first input of any kind replaces it,
// however the field was reached: typed after Tab or a click, pasted by Ctrl+V or by the middle
// button (choosing the field, or after Tab), typed after a double-click or Shift+click that chose
// the field. Another number typed instead takes the lent name away. The declaration stores and
// shows what the field showed.
TEST_F(CaminhoDeclaracaoTest, ASecondNewDeclarationStoresTheNameTypedInItsDialog)
{
    enum TGesto { PorTab, Clique, Duplo, ShiftClique, Meio, TabCtrlV, TabMeio, OutroNumero };
    const struct {
        const char* caso;
        QString ni;
        TGesto gesto;
    } casos[] = {
        {"another company, by Tab", Outra, PorTab},
        {"another company, by a click", Outra, Clique},
        {"a branch of the company stored, by Tab", Filial, PorTab},
        {"a branch of the company stored, by a click", Filial, Clique},
        {"a branch, by a double-click", Filial, Duplo},
        {"a branch, by Shift and a click", Filial, ShiftClique},
        {"a branch, pasted by the middle button that chose the field", Filial, Meio},
        {"a branch, by Tab, pasted by Ctrl+V", Filial, TabCtrlV},
        {"a branch, by Tab, pasted by the middle button", Filial, TabMeio},
        {"a branch, then another company's number", Filial, OutroNumero},
        {"a person, by a click", CpfDeclarante, Clique},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        Executa(QStringLiteral("DELETE FROM Pruv"));
        dialogos.Limpa();
        Inicia();
        NovaPeloComando(Matriz, "EMPRESA TESTE LTDA");
        const QString ni = c.gesto == OutroNumero ? Outra : c.ni;
        if (ni == Filial)
            dialogos.Responde(Resposta::Nao);   // not of private law: a branch may declare
        ASSERT_TRUE(janela->GetDeclaracaoAberta());
        const QString nome = ni == CpfDeclarante ? QStringLiteral("JOSE DA SILVA") : QStringLiteral("NOVA EMPRESA SA");
        QGuiApplication::clipboard()->setText(nome);
        TSelecaoDoSistema::SetTexto(nome);
        QString aoAbrir[2];   // the name shown and the name held as the dialog opens
        QString aoChegar;     // the name field as the focus got there
        QString digitado;
        AoAbrir<TFoNovaDeclaracao>("FoNovaDeclaracao", [&](TFoNovaDeclaracao& d) {
            aoAbrir[0] = d.DeNome->Text();
            aoAbrir[1] = d.DeNome->Dado() ? d.DeNome->Dado()->GetTexto() : QStringLiteral("(unbound)");
            QTest::keyClicks(QApplication::focusWidget(), c.ni);
            const QPoint fim(d.DeNome->width() - 10, d.DeNome->height() / 2);
            const QPoint meio(d.DeNome->width() / 4, d.DeNome->height() / 2);
            switch (c.gesto) {
            case Clique:
                QTest::mouseClick(d.DeNome, Qt::LeftButton, {}, fim);
                break;
            case Duplo:
                QTest::mouseDClick(d.DeNome, Qt::LeftButton, {}, meio);
                break;
            case ShiftClique:
                QTest::mouseClick(d.DeNome, Qt::LeftButton, Qt::ShiftModifier, meio);
                break;
            case Meio:
                QTest::mouseClick(d.DeNome, Qt::MiddleButton, {}, meio);
                break;
            case OutroNumero:
                Tab(QApplication::focusWidget());
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
                QTest::keyClick(d.DeCpfCnpj, Qt::Key_End);
                QTest::keyClick(d.DeCpfCnpj, Qt::Key_Home, Qt::ShiftModifier);
                QTest::keyClicks(d.DeCpfCnpj, ni);
                [[fallthrough]];
            default:
                Tab(QApplication::focusWidget());
                Tab(QApplication::focusWidget());
                break;
            }
            QApplication::processEvents();
            ASSERT_EQ(Foco(), QStringLiteral("DeNome"));
            aoChegar = d.DeNome->Text();
            if (c.gesto == TabCtrlV)
                QTest::keyClick(d.DeNome, Qt::Key_V, Qt::ControlModifier);
            else if (c.gesto == TabMeio)
                QTest::mouseClick(d.DeNome, Qt::MiddleButton, {}, meio);
            else if (c.gesto != Meio)
                QTest::keyClicks(d.DeNome, nome);
            digitado = d.DeNome->Text();
            QTest::keyClick(d.DeNome, Qt::Key_Return);
            QApplication::processEvents();
        });
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_N, Qt::ControlModifier);
        Reativa();
        EXPECT_EQ(aoAbrir[0], QString());
        EXPECT_EQ(aoAbrir[1], QString());
        EXPECT_EQ(aoChegar, c.gesto == Meio ? nome : ni == Filial ? QStringLiteral("EMPRESA TESTE LTDA") : QString());
        EXPECT_EQ(digitado, nome);
        ASSERT_TRUE(janela->GetDeclaracaoAberta());
        EXPECT_EQ(janela->ObtemDeclaracao().GetDeclarante().GetNi(), ni);
        EXPECT_EQ(janela->ObtemDeclaracao().GetDeclarante().Nome().GetTexto(), nome);
        EXPECT_EQ(Edit("DeNome")->Text(), nome);
        EXPECT_EQ(janela->windowTitle().section(QLatin1String(" - "), 1).section(QLatin1String("   "), 0, 0), nome);
        EXPECT_EQ(Lida(ni)->GetDeclarante().Nome().GetTexto(), nome);
        EXPECT_EQ(dialogos.Codigos(), ni == Filial ? std::vector<int>{30} : std::vector<int>{});
    }
}
