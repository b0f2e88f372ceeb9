#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <functional>
#include <optional>
#include <vector>

#include "assistants/AjudaDeTeste.h"
#include "assistants/VerificacaoDeTeste.h"
#include "assistants/AssistenteModal.h"
#include "assistants/generation/TFoAssistGeracao.h"
#include "components/controls/lookup/TdvDBLookupCombo.h"
#include "exchange/delivery/ResultadoEntrega.h"
#include "exchange/delivery/TRecuperacaoEntrega.h"
#include "exchange/layout/TNumeroRecibo.h"
#include "model/values/TArquivoIni.h"
#include "model/values/PastasPrograma.h"
#include "platform/files/TEspacoEmDisco.h"
#include "platform/files/TPastas.h"
#include "platform/files/TSubstituicao.h"
#include "platform/files/TVolumes.h"
#include "platform/report/printing/ImpressorasSimuladas.h"
#include "platform/report/printing/TImpressorasSistema.h"
#include "platform/transmit/TransmissaoRoteirizada.h"
#include "shell/common/EstadoPrograma.h"
#include "shell/backup/TFormCopSegAuto.h"
#include "shell/window/TPruv2003.h"
#include "shell/common/TRegistroPruv.h"
#include "support/FalhasDeDisco.h"
#include "support/ProgramaDeTeste.h"

namespace {

namespace R = ResultadoEntrega;

QString Ini(const char* secao, const char* chave)
{
    return TArquivoIni::LeString(QLatin1String(secao), QLatin1String(chave), QStringLiteral("-"));
}

void Grava(const QString& caminho, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(caminho).path());
    QFile arquivo(caminho);
    ASSERT_TRUE(arquivo.open(QIODevice::WriteOnly));
    arquivo.write(bytes);
}

QByteArray Le(const QString& caminho)
{
    QFile arquivo(caminho);
    return arquivo.open(QIODevice::ReadOnly) ? arquivo.readAll() : QByteArray();
}

void AoAbrir(const std::function<void(TFoAssistGeracao&)>& Acao)
{
    AoAbrirAssistente<TFoAssistGeracao>(Acao);
}

// Stored declarations that pass or fail the verification, written to volumes of the case's own.
class TFoAssistGeracaoTest : public VerificacaoDeTeste {
protected:
    TFoAssistGeracaoTest()
    {
        QDir().mkpath(base);
        TVolumes::DefinePastaBase(base);
        transmissao.DefinePastaSistema(ProgramaDeTeste::Pasta() + QStringLiteral("/sistema"));
    }
    ~TFoAssistGeracaoTest() override { TVolumes::DefinePastaBase(QString()); }

    // A stored head-office declaration with one item that passes the checks.
    std::unique_ptr<TPruv> Declaracao(const char* ano = "2002", const char* tipo = "O")
    {
        auto pruv = Nova(Matriz, ano);
        pruv->SetTipoDeclaracao(QLatin1String(tipo));
        colecao->Inclui(*pruv);
        Limpo(*pruv);
        return pruv;
    }
    std::unique_ptr<TFoAssistGeracao> Assistente(TPruv& pruv)
    {
        auto assistente = std::make_unique<TFoAssistGeracao>(pruv, *colecao);
        assistente->show();
        return assistente;
    }
    // Typed as the user does: the list drops down on the first letter and completes the code;
    // Enter takes it (and goes no further than the combo).
    static void Uf(TFoAssistGeracao& a, const char* sigla = "SP")
    {
        QTest::keyClicks(a.DBLCUF, QString::fromLatin1(sigla).toLower());
        QTest::keyClick(a.DBLCUF, Qt::Key_Return);
        ASSERT_FALSE(a.DBLCUF->DroppedDown());
        ASSERT_EQ(a.Uf(), QLatin1String(sigla));
    }
    static void Clica(TFoAssistGeracao& a, const char* botao)
    {
        a.findChild<QPushButton*>(QLatin1String(botao))->click();
    }
    // From page 1 through the verification to the volume page.
    static void AteOVolume(TFoAssistGeracao& a)
    {
        Uf(a);
        Clica(a, "BtnAvancar");
        Clica(a, "BtnAvancar");
        ASSERT_EQ(a.Atual(), 3);
    }
    QString PastaEntrega() const
    {
        return base + QStringLiteral("/Declaracoes Gravadas XEQ/Pruv2003/") + Matriz + QStringLiteral("/2002");
    }
    QString Entrega() const
    {
        return PastaEntrega() + QLatin1Char('/') + Matriz + QStringLiteral("-PRUV-2003-2002-ORIGI-NORMAL.dec");
    }
    QString ReciboDaEntrega() const { return Entrega().chopped(3) + QStringLiteral("REC"); }
    bool NadaGravado() const { return !QFileInfo::exists(base + QStringLiteral("/Declaracoes Gravadas XEQ")); }
    void Instala()
    {
        const QString pasta = ProgramaDeTeste::Pasta() + QStringLiteral("/ulvaro");
        transmissao.EscreveIni(QStringLiteral("200301"), pasta);
        transmissao.DisponibilizaEnvio(pasta);
    }

    QString base = ProgramaDeTeste::Pasta() + QStringLiteral("/base");
    TransmissaoRoteirizada transmissao;
};

}   // namespace

TEST_F(TFoAssistGeracaoTest, TheCommandWritesTheOpenDeclarationAndPrintsTheReceiptOnlyAfterATransmission)
{
    EstadoPrograma::BaseIndisponivel = false;
    EstadoPrograma::EmProcessamento = false;
    auto armazenada = Declaracao();
    Instala();
    ImpressorasSimuladas impressoras(ProgramaDeTeste::Pasta());

    struct TImpressao {
        QStringList Arquivos;
        bool JaGerado;
        QString Nome;
        bool ReciboIni;
    };
    std::vector<TImpressao> impressos;
    TPruv2003 principal;
    TRotinasPrincipal rotinas;
    rotinas.ExecutaAssistGeracao = ExecutaAssistGeracao;
    rotinas.Impressao.ImprimeRecibo = [&impressos](const QStringList& arquivos, bool jaGerado, const QString& nome) {
        impressos.push_back(
            {arquivos, jaGerado, nome, QFileInfo::exists(TPastas::Dados() + QStringLiteral("/Recibo.ini"))});
    };
    principal.DefineRotinas(rotinas);
    QAction* comando = principal.Comando(QStringLiteral("MiGravarXeq"));
    EXPECT_FALSE(comando->isEnabled());   // nothing open, and no dialog to open one
    // Without a declaration open, the command asks for one first.
    QStringList legendas;
    rotinas.AbreDeclaracao = [&](TPruv& pruv, TColecaoPruv& colecaoPruv, const QString& legenda) {
        legendas << legenda;
        pruv.GetDeclarante().SetNi(Matriz);
        pruv.SetAno(QStringLiteral("2002"));
        return colecaoPruv.Carrega(pruv);
    };
    principal.DefineRotinas(std::move(rotinas));
    ASSERT_TRUE(comando->isEnabled());

    const struct {
        const char* caso;
        bool transmite, impressora, imprime;
    } casos[] = {
        {"transmitted, a receipt came back", true, true, true},
        {"not transmitted", false, true, false},
        {"transmitted, no printer", true, false, false},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        QDir(base + QStringLiteral("/Declaracoes Gravadas XEQ")).removeRecursively();
        impressos.clear();
        dialogos.Limpa();
        impressoras.Existe = c.impressora;
        if (c.transmite)
            transmissao.RespondeEnvio({0, QStringLiteral("Recebida"), {}, [this] { Grava(ReciboDaEntrega(), "HC"); }});
        QString memo;
        AoAbrir([&](TFoAssistGeracao& a) {
            Uf(a);
            Clica(a, "BtnOK");   // verified, written on the volume preselected
            ASSERT_EQ(a.Atual(), 8);
            (c.transmite ? a.RBSim : a.RBNao)->setChecked(true);
            Clica(a, "BtnAvancar");
            if (c.transmite) {
                EXPECT_EQ(a.Atual(), 7);
                Clica(a, "BtnAvancar");
            }
            ASSERT_EQ(a.Atual(), 5);
            EXPECT_EQ(a.CBRecibo->isChecked(), c.transmite);
            EXPECT_EQ(a.CBRecibo->isHidden(), !c.transmite);
            EXPECT_FALSE(a.Label7->isHidden());   // an original declaration may be late
            memo = a.Memo2->toPlainText();
            Clica(a, "BtnOK");   // Fechar
        });
        comando->trigger();

        EXPECT_TRUE(QFileInfo::exists(Entrega()));
        EXPECT_EQ(memo.split(QLatin1Char('\n')),
                  (QStringList{QStringLiteral("Você gravou sua declaração com sucesso."),
                               QStringLiteral("      Pruv 2003   Ano-Calendário: 2002"),
                               QStringLiteral("      ") + armazenada->GetNiEstabResponsavel().GetNiFormatado(),
                               QStringLiteral("      EMPRESA ALFA LTDA"), QStringLiteral("    "),
                               QStringLiteral("A declaração foi gravada em: "),
                               QStringLiteral("      ") + QDir::toNativeSeparators(PastaEntrega())}));
        if (c.imprime) {
            ASSERT_EQ(impressos.size(), 1u);
            EXPECT_EQ(impressos[0].Arquivos, QStringList{TPastas::Dados() + QStringLiteral("/Recibo.ini")});
            EXPECT_TRUE(impressos[0].JaGerado);
            EXPECT_EQ(impressos[0].Nome, Entrega());
            EXPECT_TRUE(impressos[0].ReciboIni);
        } else {
            EXPECT_TRUE(impressos.empty());
        }
        EXPECT_EQ(dialogos.Codigos(), c.impressora ? std::vector<int>{} : std::vector<int>{161});
        // The exchange files of the writing go with it.
        EXPECT_FALSE(QFileInfo::exists(TPastas::Dados() + QStringLiteral("/Recibo.ini")));
        EXPECT_FALSE(QFileInfo::exists(TPastas::Dados() + QStringLiteral("/Declar.txt")));
        EXPECT_FALSE(EstadoPrograma::EmProcessamento);
        EXPECT_TRUE(principal.GetDeclaracaoAberta());
    }
    EXPECT_EQ(legendas, QStringList{QStringLiteral("Abrir Declaração para Gravação")});
    EXPECT_EQ(transmissao.Enviados(), (QStringList{Entrega(), Entrega()}));
    EXPECT_EQ(Ini("AssistG", "unidade"), base);
    EXPECT_EQ(Ini("Geracao", "Disco"), TVolumes::Lista().front().Nome);
}

TEST_F(TFoAssistGeracaoTest, APendingErrorStopsTheAssistantBeforeTheVolume)
{
    auto pruv = Declaracao();
    Erro(*pruv);
    for (const bool concluir : {false, true}) {
        SCOPED_TRACE(concluir ? "Concluir" : "Avançar");
        auto a = Assistente(*pruv);
        Uf(*a);
        if (concluir) {
            Clica(*a, "BtnOK");   // passes the failure page and ends at once
        } else {
            Clica(*a, "BtnAvancar");
            EXPECT_EQ(a->Atual(), 2);
            EXPECT_EQ(a->FrPruvVerifica->NumErros(), 1);
            Clica(*a, "BtnAvancar");
            EXPECT_EQ(a->Atual(), 6);
            EXPECT_EQ(a->findChild<QPushButton*>(QStringLiteral("BtnOK"))->text(), QStringLiteral("&Fechar"));
            Clica(*a, "BtnOK");
        }
        EXPECT_EQ(a->PaginaAtual(), 6);
        EXPECT_TRUE(a->LbPrimeiraParteErro->isHidden());
        EXPECT_EQ(a->LErro->text(), TFoAssistGeracao::TextoErroVerificacao);
        EXPECT_EQ(a->ModalResult(), mrOk);
        EXPECT_EQ(a->Resultado(), TFoAssistGeracao::SemResultado);
        EXPECT_TRUE(a->NomeArquivo().isEmpty());
        EXPECT_TRUE(NadaGravado());
    }
}

TEST_F(TFoAssistGeracaoTest, AFailedWritingShowsTheMessageOfItsResultAndKeepsTheEarlierFile)
{
    auto pruv = Declaracao();
    const struct {
        const char* caso;
        std::uint8_t resultado;
    } casos[] = {
        {"overwriting refused", R::Recusado},
        {"no free space", R::SemEspaco},
        {"a receipt file beside the target", R::ReciboExiste},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        QDir(base + QStringLiteral("/Declaracoes Gravadas XEQ")).removeRecursively();
        dialogos.Limpa();
        auto a = Assistente(*pruv);
        AteOVolume(*a);
        std::optional<TEspacoEmDisco::Simulacao> espaco;
        if (c.resultado == R::Recusado) {
            Grava(Entrega(), "an earlier delivery");
            dialogos.Responde(Resposta::Nao);
        } else if (c.resultado == R::SemEspaco) {
            espaco.emplace(0);
        } else {
            Grava(ReciboDaEntrega(), "HC");
        }
        Clica(*a, "BtnAvancar");   // writes at once
        EXPECT_EQ(a->Resultado(), c.resultado);
        EXPECT_EQ(a->Atual(), 6);
        if (c.resultado == R::ReciboExiste) {
            EXPECT_FALSE(a->LbPrimeiraParteErro->isHidden());
            EXPECT_TRUE(a->LErro->text().startsWith(QStringLiteral("Se deseja realmente gravar esta declaração")));
        } else {
            EXPECT_TRUE(a->LbPrimeiraParteErro->isHidden());
            EXPECT_EQ(a->LErro->text(), TErro::Mensagem(c.resultado));
        }
        if (c.resultado == R::Recusado)
            EXPECT_EQ(Le(Entrega()), "an earlier delivery");
        else
            EXPECT_FALSE(QFileInfo::exists(Entrega()));
        EXPECT_EQ(dialogos.RespostasPendentes(), 0u);
    }
}

// What the writer tells reaches the user once: a failure on page 6 alone, in the words of its own
// cause (a database journal that cannot be removed is a table not updated, not a failed packing),
// and what the run found of an earlier one cut short in one message before it goes on.
TEST_F(TFoAssistGeracaoTest, WhatTheWriterTellsIsShownOnceAFailureOnPage6Alone)
{
    auto pruv = Declaracao();
    {
        SCOPED_TRACE("the journal of the commit cannot be removed");
        dialogos.Limpa();
        auto a = Assistente(*pruv);
        AteOVolume(*a);
        {
            FalhasDeDisco::Armada armada({0, FalhasDeDisco::Remocao, true, false});
            Clica(*a, "BtnAvancar");   // writes at once
        }
        EXPECT_EQ(a->Atual(), 6);
        EXPECT_EQ(a->Resultado(), CodigoMensagem::TabelaNaoAtualizada);
        EXPECT_TRUE(a->LbPrimeiraParteErro->isHidden());
        EXPECT_TRUE(a->LErro->text().startsWith(QStringLiteral("Não foi possivel atualizar a tabela Pruv")))
            << a->LErro->text().toStdString();
        EXPECT_TRUE(dialogos.Mensagens().empty());
        EXPECT_FALSE(QFileInfo::exists(Entrega()));
    }
    {
        SCOPED_TRACE("a first delivery killed before its commit left its file");
        Grava(Entrega(), "a delivery never recorded");
        Grava(TSubstituicao::NomeMarca(Entrega()),
              TRecuperacaoEntrega::Marca(QStringLiteral("2002"), QString(Matriz), 37694.5,
                                         TRecuperacaoEntrega::Hash(Entrega()), pruv->GetDataGeracao(), QByteArray()));
        Grava(TSubstituicao::NomePendente(Entrega()), QByteArray());
        dialogos.Limpa();
        auto a = Assistente(*pruv);
        AteOVolume(*a);
        Clica(*a, "BtnAvancar");
        EXPECT_EQ(a->Resultado(), R::Ok);
        EXPECT_EQ(a->Atual(), 8);
        ASSERT_EQ(dialogos.Mensagens().size(), 1u);
        EXPECT_EQ(dialogos.Mensagens()[0].Tipo, TipoDialogo::Aviso);
        EXPECT_TRUE(dialogos.Mensagens()[0].Texto.contains(QLatin1String("foi removido")));
        EXPECT_TRUE(Le(Entrega()).startsWith("PRUV    2003"));
        EXPECT_EQ(QDir(PastaEntrega()).entryList(QDir::Files | QDir::Hidden),
                  QStringList{QFileInfo(Entrega()).fileName()});
    }
}

TEST_F(TFoAssistGeracaoTest, ThePlaceAndTheReceiptNumberOfARectifyingDeclarationAreAskedFirst)
{
    auto pruv = Declaracao("2002", "R");
    auto a = Assistente(*pruv);
    for (const char* botao : {"BtnAvancar", "BtnOK"}) {   // no place of transmission: said, and no further
        dialogos.Limpa();
        Clica(*a, botao);
        EXPECT_EQ(a->Atual(), 1);
        EXPECT_EQ(dialogos.Codigos(), std::vector<int>{115});
    }
    dialogos.Limpa();
    Uf(*a, "RJ");
    Clica(*a, "BtnOK");
    ASSERT_EQ(a->Atual(), 9);

    const QString valido = QStringLiteral("1234567890") + TNumeroRecibo::CalculaDV(QStringLiteral("1234567890"));
    QString errado = valido;
    errado[11] = errado[11] == QLatin1Char('0') ? QLatin1Char('1') : QLatin1Char('0');
    const struct {
        QString numero;
        const QString& mensagem;
    } recusados[] = {
        {QString(), TFoAssistGeracao::TextoReciboVazio},
        {QStringLiteral("12345"), TFoAssistGeracao::TextoReciboInvalido},
        {errado, TFoAssistGeracao::TextoReciboInvalido},
        {QStringLiteral("000000000000"), TFoAssistGeracao::TextoReciboInvalido},
    };
    a->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(a.get()));
    a->MENumRec->setFocus();
    for (const auto& r : recusados) {
        SCOPED_TRACE(r.numero.toStdString());
        dialogos.Limpa();
        // Typed over what the number showed, which the refusal left selected.
        if (r.numero.isEmpty())
            QTest::keyClick(a->MENumRec, Qt::Key_Delete);
        else
            QTest::keyClicks(a->MENumRec, r.numero);
        Clica(*a, "BtnOK");
        EXPECT_EQ(a->Atual(), 9);
        EXPECT_EQ(dialogos.Textos(), QStringList{r.mensagem});
        EXPECT_EQ(QApplication::focusWidget(), a->MENumRec);
        EXPECT_EQ(a->MENumRec->selectedText(), a->MENumRec->displayText());
    }
    QTest::keyClicks(a->MENumRec, valido);
    EXPECT_EQ(a->NumeroRecibo(), valido);
    Clica(*a, "BtnOK");   // verified and written
    ASSERT_EQ(a->Atual(), 8);
    const QByteArray texto = Le(TPastas::Dados() + QStringLiteral("/Declar.txt"));
    EXPECT_EQ(texto.mid(99, 2), "RJ");                // the place, in the header
    EXPECT_TRUE(texto.contains(valido.toLatin1()));   // the receipt number
    a->RBNao->setChecked(true);
    Clica(*a, "BtnAvancar");
    EXPECT_EQ(a->Atual(), 5);
    EXPECT_TRUE(a->Label7->isHidden());   // no late-delivery warning for a rectifying declaration

    // Before 2002 a rectifying declaration gives no receipt number.
    auto antiga = Declaracao("2001", "R");
    auto b = Assistente(*antiga);
    Uf(*b);
    Clica(*b, "BtnAvancar");
    EXPECT_EQ(b->Atual(), 2);
    EXPECT_TRUE(b->NumeroRecibo().isEmpty());
}

// Without a two-letter place Avançar and Concluir stay on the page and say why, each time.
TEST_F(TFoAssistGeracaoTest, WithoutATwoLetterPlaceAvancarAndConcluirSaySoAndStay)
{
    auto pruv = Declaracao();
    auto a = Assistente(*pruv);
    const char* lugares[] = {"", "  ", " S ", "SPX"};   // one letter once trimmed; three
    for (const char* lugar : lugares) {
        SCOPED_TRACE(lugar);
        a->DBLCUF->setText(QLatin1String(lugar));
        for (const char* botao : {"BtnAvancar", "BtnOK"}) {
            dialogos.Limpa();
            Clica(*a, botao);
            EXPECT_EQ(a->Atual(), 1);
            EXPECT_EQ(dialogos.Codigos(), std::vector<int>{115}) << botao;
        }
    }
    EXPECT_TRUE(NadaGravado());
    dialogos.Limpa();
    a->DBLCUF->setText(QStringLiteral(" SP "));   // the place is read trimmed
    Clica(*a, "BtnAvancar");
    EXPECT_EQ(a->Atual(), 2);
}

// A button's letter while the state list is open closes it, the state found taken as Tab takes
// it, and the button acts: the letter is not lost in the list.
TEST_F(TFoAssistGeracaoTest, AButtonsLetterWhileTheStateListIsOpenTakesTheStateAndActs)
{
    auto pruv = Declaracao();
    auto a = Assistente(*pruv);
    a->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(a.get()));
    a->DBLCUF->setFocus();
    QTest::keyClicks(a->DBLCUF, QStringLiteral("sp"));
    ASSERT_TRUE(a->DBLCUF->DroppedDown());
    QWidget* lista = QApplication::activePopupWidget();
    ASSERT_NE(lista, nullptr);
    QTest::keyClick(lista, Qt::Key_A, Qt::AltModifier);   // Avançar
    QApplication::processEvents();
    EXPECT_FALSE(a->DBLCUF->DroppedDown());
    EXPECT_EQ(a->Uf(), QStringLiteral("SP"));
    // A button's click runs a moment after its letter.
    EXPECT_TRUE(QTest::qWaitFor([&a] { return a->Atual() == 2; }, 2000)) << a->Atual();
    EXPECT_TRUE(dialogos.Mensagens().empty());
}

TEST_F(TFoAssistGeracaoTest, TheVolumeIsRememberedACdIsRefusedAndARemovableMediumTakesTheFileAtItsRoot)
{
    const QString pen = ProgramaDeTeste::Pasta() + QStringLiteral("/PEN");
    const QString cd = ProgramaDeTeste::Pasta() + QStringLiteral("/ZCD");
    QDir().mkpath(pen);
    QDir().mkpath(cd);
    TVolumes::Simulacao midias(
        {{pen, QStringLiteral("PEN"), TVolume::TTipo::Removivel}, {cd, QStringLiteral("CD"), TVolume::TTipo::CdRom}});
    const QString nomeBase = TVolumes::Lista().front().Nome;
    auto pruv = Declaracao();

    // A CD remembered gives way to the data folder's volume; chosen, it is refused.
    TArquivoIni::GravaString(QStringLiteral("AssistG"), QStringLiteral("unidade"), cd);
    auto a = Assistente(*pruv);
    AteOVolume(*a);
    EXPECT_EQ(a->DCBDisco->currentText(), nomeBase);
    EXPECT_EQ(Ini("AssistG", "unidade"), base);
    a->DCBDisco->setCurrentIndex(a->DCBDisco->findText(QStringLiteral("CD")));
    EXPECT_EQ(Ini("AssistG", "unidade"), cd);
    Clica(*a, "BtnAvancar");
    EXPECT_EQ(a->Atual(), 3);
    EXPECT_EQ(dialogos.Textos(), QStringList{TFoAssistGeracao::TextoCdRom});

    // The removable medium gets the file at its root.
    a->DCBDisco->setCurrentIndex(a->DCBDisco->findText(QStringLiteral("PEN")));
    EXPECT_EQ(Ini("AssistG", "unidade"), pen);
    EXPECT_EQ(Ini("AssistG", "diretorio"), pen);
    Clica(*a, "BtnAvancar");
    ASSERT_EQ(a->Atual(), 8);
    EXPECT_EQ(a->NomeArquivo(), pen + QLatin1Char('/') + QFileInfo(Entrega()).fileName());
    EXPECT_TRUE(QFileInfo::exists(a->NomeArquivo()));
    a->RBNao->setChecked(true);
    Clica(*a, "BtnAvancar");
    EXPECT_EQ(a->Memo2->toPlainText().split(QLatin1Char('\n')).mid(5),
              (QStringList{QStringLiteral(" No disquete gravado, cole uma etiqueta com as informações"),
                           QStringLiteral(" acima.")}));
    a->GravaDadosIni();
    EXPECT_EQ(Ini("Geracao", "Disco"), QStringLiteral("PEN"));

    // A removable medium remembered is not offered again by itself: the volume list's last text is.
    TArquivoIni::GravaString(QStringLiteral("Geracao"), QStringLiteral("Disco"), nomeBase);
    auto b = Assistente(*pruv);
    EXPECT_EQ(Ini("AssistG", "unidade"), base);
    AteOVolume(*b);
    EXPECT_EQ(b->DCBDisco->currentText(), nomeBase);
}

TEST_F(TFoAssistGeracaoTest, CancelStopsARunningVerificationFirstAndEndsTheAssistantWithNothingWritten)
{
    auto pruv = Declaracao();
    auto a = Assistente(*pruv);
    Uf(*a);
    Clica(*a, "BtnAvancar");
    ASSERT_EQ(a->Atual(), 2);
    a->FrPruvVerifica->SetaConcluida(false);   // as while its checks run
    Clica(*a, "CancelBtn");
    EXPECT_EQ(a->ModalResult(), 0);
    EXPECT_TRUE(a->FrPruvVerifica->Interrompida());
    a->FrPruvVerifica->SetaConcluida(true);
    Clica(*a, "BtnAvancar");
    EXPECT_EQ(a->Atual(), 6);
    EXPECT_EQ(a->LErro->text(), TFoAssistGeracao::TextoVerificacaoCancelada);

    // Through the entry routine: cancelled on page 1, no file; a second assistant is refused.
    QString nome = QStringLiteral("x");
    bool segundo = true;
    AoAbrir([&](TFoAssistGeracao& b) {
        QString outro;
        segundo = ExecutaAssistGeracao(outro, *pruv, *colecao, nullptr);
        Uf(b);
        Clica(b, "CancelBtn");
        EXPECT_EQ(b.ModalResult(), mrCancel);
    });
    EXPECT_FALSE(ExecutaAssistGeracao(nome, *pruv, *colecao, nullptr));
    EXPECT_FALSE(segundo);
    EXPECT_TRUE(nome.isEmpty());
    EXPECT_TRUE(NadaGravado());
    EXPECT_EQ(Ini("Geracao", "Disco"), TVolumes::Lista().front().Nome);
    EXPECT_EQ(QDir::currentPath(), QDir(DiretorioPrograma()).absolutePath());
}

TEST_F(TFoAssistGeracaoTest, F1OpensTheAssistantsHelp)
{
    auto armazenada = Declaracao();
    auto assistente = Assistente(*armazenada);
    EXPECT_EQ(ContextoDoF1(*assistente), TFoAssistGeracao::HelpContext);
}

namespace {

// The user's home for its lifetime: HOME points at the given folder, the system's temporary
// folder is one inside it, and the XDG variables that would place files elsewhere are cleared,
// so that anything written "for the user" lands there.
class CasaDoUsuario {
public:
    explicit CasaDoUsuario(const QString& pasta)
    {
        for (const char* nome : Variaveis)
            FAntes.push_back({nome, qEnvironmentVariableIsSet(nome), qgetenv(nome)});
        for (const char* nome : Variaveis)
            qunsetenv(nome);
        qputenv("HOME", QFile::encodeName(pasta));
        QDir().mkpath(pasta + QStringLiteral("/tmp"));
        qputenv("TMPDIR", QFile::encodeName(pasta + QStringLiteral("/tmp")));
    }
    ~CasaDoUsuario()
    {
        for (const auto& v : FAntes) {
            if (v.Havia)
                qputenv(v.Nome, v.Valor);
            else
                qunsetenv(v.Nome);
        }
    }
    CasaDoUsuario(const CasaDoUsuario&) = delete;
    CasaDoUsuario& operator=(const CasaDoUsuario&) = delete;

private:
    static constexpr const char* Variaveis[] = {"HOME",          "TMPDIR",         "XDG_CONFIG_HOME",
                                                "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_DOCUMENTS_DIR"};
    struct TValor {
        const char* Nome;
        bool Havia;
        QByteArray Valor;
    };
    std::vector<TValor> FAntes;
};

QStringList ArquivosEm(const QString& pasta)
{
    QStringList arquivos;
    QDirIterator it(pasta, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext())
        arquivos << it.next();
    return arquivos;
}

}   // namespace

// Whoever sets PRUV2003_HOME finds in it everything the program writes: the delivery file on the
// fixed volume, the automatic backup, the setting in place of the registry, Qt's own dialog
// settings and the printouts of a machine without a printer. The user's home stays untouched.
TEST_F(TFoAssistGeracaoTest, WithTheProgramFolderSetNothingIsWrittenOutsideIt)
{
    QTemporaryDir fora;
    ASSERT_TRUE(fora.isValid());
    const QString programa = TPastas::Programa();
    {
        CasaDoUsuario casa(fora.path());
        TVolumes::DefinePastaBase(QString());   // the fixed volume the program picks by itself
        TPastas::DirecionaConfiguracoesQt();    // as the application does at start

        EXPECT_EQ(TVolumes::Lista().front().Raiz, programa);
        auto pruv = Declaracao();
        {
            auto a = Assistente(*pruv);
            AteOVolume(*a);
            Clica(*a, "BtnAvancar");
            EXPECT_EQ(a->Resultado(), R::Ok);
        }
        EXPECT_TRUE(QFileInfo::exists(programa + QStringLiteral("/Declaracoes Gravadas XEQ/Pruv2003/") + Matriz
                                      + QStringLiteral("/2002/") + Matriz
                                      + QStringLiteral("-PRUV-2003-2002-ORIGI-NORMAL.dec")));

        pruv.reset();
        colecao.reset();   // the main window closes every table before the backup at exit
        TFormCopSegAuto::Executa(nullptr);
        EXPECT_TRUE(QFileInfo::exists(programa + QStringLiteral("/CopSeg/copsegauto.cmp")));
        EXPECT_EQ(TRegistroPruv::LeString(QLatin1String(TRegistroPruv::DirCsDefault)),
                  programa + QStringLiteral("/CopSeg"));
        EXPECT_TRUE(TRegistroPruv::Caminho().startsWith(programa + QLatin1Char('/')));

        if (const TImpressorasSistema sistema; sistema.Instaladas().isEmpty()) {
            const auto impressora = sistema.CriaImpressora(QStringLiteral("Relatório"));
            ASSERT_TRUE(impressora);
            QPainter pintor(impressora.get());
            pintor.drawText(100, 100, QStringLiteral("Pruv 2003"));
            pintor.end();
            EXPECT_TRUE(impressora->outputFileName().startsWith(programa + QStringLiteral("/PDF/")));
        }
        {
            QFileDialog dialogo;   // Qt keeps its own settings when a file dialog goes
            dialogo.setOption(QFileDialog::DontUseNativeDialog);
        }
        const QStringList escritos = ArquivosEm(fora.path());
        EXPECT_TRUE(escritos.isEmpty()) << escritos.join(QStringLiteral(", ")).toStdString();
    }
}
