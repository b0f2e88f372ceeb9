#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWheelEvent>
#include <gtest/gtest.h>
#include <functional>
#include <memory>

#include "assistants/AssistenteModal.h"
#include "assistants/import/TAmostraDeclaracao.h"
#include "assistants/import/TFoAssistImportacao.h"
#include "assistants/import/TPruvGridImpCompr.h"
#include "assistants/import/TPruvGridImpDecl.h"
#include "components/controls/grid/TdvCustomDBGrid.h"
#include "components/controls/combos/TdvDBComboBox.h"
#include "platform/db/datasets/TDataSet.h"
#include "platform/db/datasets/TDataSource.h"
#include "exchange/ImportacaoDeTeste.h"
#include "exchange/delivery/TArquivoPruv.h"
#include "exchange/delivery/TDeclaracaoEntrega.h"
#include "exchange/delivery/TItemEntrega.h"
#include "exchange/delivery/TRegistroTipo1.h"
#include "exchange/delivery/TRegistroTipo2.h"
#include "model/PruvDeTeste.h"
#include "model/values/TArquivoIni.h"
#include "platform/files/TEspacoEmDisco.h"
#include "platform/files/TVolumes.h"
#include "platform/report/printing/ImpressorasSimuladas.h"
#include "shell/common/EstadoPrograma.h"
#include "shell/printing/TFoPreview.h"
#include "shell/window/TPruv2003.h"
#include "support/ProgramaDeTeste.h"

namespace {

using namespace ImportacaoDeTeste;
using S = TItemEntrega::TSerie;

const QString Luis = QStringLiteral("32165498791");
const QString Bruno = QStringLiteral("98765432100");

TDeclaracaoEntrega Declarante(const QString& ni, const char* ano = "2002", int natureza = 0)
{
    TDeclaracaoEntrega d;
    d.Ano = QLatin1String(ano);
    d.Ni = ni;
    d.PessoaFisica = ni.size() == 11;
    d.Nome = QStringLiteral("COMERCIO E FILHOS LTDA");
    d.Natureza = natureza;
    return d;
}

// A person under code 0561 with income and tax in every month.
TItemEntrega ItemEntrega(const QString& ni, const char* nome)
{
    TItemEntrega item;
    item.Codigo = QStringLiteral("0561");
    item.BeneficiarioPf = true;
    item.NiBeneficiario = ni;
    item.NomeBeneficiario = QLatin1String(nome);
    for (int mes = 1; mes <= 12; ++mes) {
        item.Valor(S::Rendimento, mes) = 30000000;
        item.Valor(S::Imposto, mes) = 2500000;
    }
    return item;
}

// A statement line: the CPF, the official pension in cents and every other field empty.
QByteArray Comprovante(const QString& cpf, const char* previdencia)
{
    QByteArray linha = cpf.toLatin1() + QByteArray(previdencia).rightJustified(15, '0');
    for (int campo = 3; campo <= 10; ++campo)
        linha += QByteArray(15, '0');
    return linha + QByteArray(60, ' ') + QByteArray(15, '0');
}

void AoAbrir(const std::function<void(TFoAssistImportacao&)>& Acao)
{
    AoAbrirAssistente<TFoAssistImportacao>(Acao);
}

// Closes the preview window as soon as one shows its pages (within five seconds), noting that it
// did.
void FechaPreview(bool& Visto)
{
    auto* espera = new QTimer;
    auto tentativas = std::make_shared<int>(250);
    QObject::connect(espera, &QTimer::timeout, [espera, tentativas, &Visto] {
        // It closes once its pages are made.
        if (TFoPreview* janela = FoPreview(); janela && janela->Print->isEnabled() && !janela->Gerando()) {
            Visto = true;
            janela->close();
        } else if (--*tentativas > 0) {
            return;
        }
        espera->stop();
        espera->deleteLater();
    });
    espera->start(20);
}

void Clica(TFoAssistImportacao& a, const char* botao)
{
    a.findChild<QPushButton*>(QLatin1String(botao))->click();
}

class TFoAssistImportacaoTest : public PruvDeTeste {
protected:
    void SetUp() override
    {
        PruvDeTeste::SetUp();
        EstadoPrograma::BaseIndisponivel = false;
        EstadoPrograma::EmProcessamento = false;
    }

    // The declarant's line, two beneficiaries and a value line with an unknown identifier.
    QString ArquivoDeclaracao(const TDeclaracaoEntrega& d)
    {
        const QByteArray ruim = Troca(Valores('2', 4, d.Ni, ItemEntrega(Bruno, "BRUNO"), 0), 688, "9");
        return Arquivo({Tipo1(1, d), Valores('2', 2, d.Ni, ItemEntrega(Luis, "LUIS GONCALVES"), 0),
                        Valores('2', 3, d.Ni, ItemEntrega(NumeroDe("123456789"), "ANA"), 0), ruim});
    }

    std::unique_ptr<TFoAssistImportacao> Assistente()
    {
        auto assistente = std::make_unique<TFoAssistImportacao>(*colecao, QString());
        assistente->show();
        return assistente;
    }

    // Page 2 with the file, then to page 4.
    static void AteODeclarante(TFoAssistImportacao& a, const QString& arquivo)
    {
        Clica(a, "BtnAvancar");
        a.EdArquivo->setText(arquivo);
        Clica(a, "BtnAvancar");
    }
};

}   // namespace

TEST(TPruvGridImpDecl, TitlesAlignmentsAndTextsOfItsRows)
{
    TPruvGridImpDecl grade;
    EXPECT_EQ(grade.ColCount(), 46);
    EXPECT_EQ(grade.RowCount(), 20);
    const struct {
        int coluna;
        const char* titulo;
        int alinhamento;
    } casos[] = {
        {0, "Ordem", 2},        {1, "Tipo", 2},        {2, "CPF/CNPJ", 0},
        {3, "Cód.", 2},         {4, "T.Ben.", 2},      {6, "Nome/Nome Empresarial", 0},
        {7, "Rend. Jan", 1},    {8, "Dedução Jan", 1}, {9, "Imposto Jan", 1},
        {45, "Imposto 13°", 1},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.coluna);
        EXPECT_EQ(grade.GetTexto(c.coluna, 0), QString::fromUtf8(c.titulo));
        EXPECT_EQ(grade.Alinhamento(c.coluna), c.alinhamento);
    }
    EXPECT_EQ(grade.ColWidths(6), 180);
    grade.SetTexto(3, 20, QStringLiteral("0561"));
    grade.SetTexto(3, 21, QStringLiteral("kept"));
    grade.Limpa();
    EXPECT_EQ(grade.GetTexto(3, 20), QString());
    EXPECT_EQ(grade.GetTexto(3, 21), QStringLiteral("kept"));   // beyond the rows it empties
    EXPECT_EQ(grade.GetTexto(3, 0), QStringLiteral("Cód."));
}

TEST(TPruvGridImpDecl, AColumnKeepsItsWidthAsAMinimumAndWidensToItsWidestText)
{
    const struct {
        int minima, texto, largura;
    } casos[] = {
        {86, 60, 86},                // narrower text: the minimum
        {86, 79, 86},                // text and margins fill it exactly
        {86, 80, 87},                // one pixel more widens it
        {50, 120, 127}, {0, 0, 7},   // an empty column still keeps its margins
    };
    for (const auto& c : casos)
        EXPECT_EQ(TPruvGridAmostra::LarguraColuna(c.minima, c.texto), c.largura) << c.minima << " " << c.texto;

    // In the grid's own font, whatever it is here: the masked number and the titles fit whole.
    TPruvGridImpDecl grade;
    const auto cabe = [&](int coluna, const QString& texto, bool titulo) {
        QFont fonte = grade.font();
        if (titulo) {
            fonte.setBold(true);
            fonte.setPointSize(9);
        }
        return QFontMetrics(fonte).horizontalAdvance(texto) + 6 <= grade.ColWidths(coluna);
    };
    const QString cnpj = QStringLiteral("12.345.678/0001-95");
    grade.SetTexto(5, 1, cnpj);
    grade.SetTexto(6, 1, QStringLiteral("LUIS"));
    for (int c = 0; c < TPruvGridImpDecl::Colunas; ++c)
        EXPECT_TRUE(cabe(c, grade.GetTexto(c, 0), true)) << c;
    EXPECT_TRUE(cabe(5, cnpj, false));
    EXPECT_GE(grade.ColWidths(2), 86);
    EXPECT_EQ(grade.ColWidths(6), 180);   // a short name leaves the width given
    const int larga = grade.ColWidths(5);
    grade.SetTexto(5, 2, QStringLiteral("123.456.789-01"));
    EXPECT_EQ(grade.ColWidths(5), larga);   // never narrower while a wider text stays
    grade.Limpa();
    EXPECT_EQ(grade.ColWidths(5), grade.ColWidths(2));   // back to the minimum and the title
}

TEST(TPruvGridImpCompr, ALineShowsItsFieldsAndTheGridGrowsTo21RowsAtMost)
{
    TPruvGridImpCompr grade;
    EXPECT_EQ(grade.RowCount(), 2);
    EXPECT_TRUE(grade.ReadOnly());
    const QString linha = QString::fromLatin1(Comprovante(Luis, "123456")) + QStringLiteral("ALUGUEL");
    const struct {
        int linha;
        int linhas;
    } casos[] = {{1, 2}, {5, 6}, {3, 6}, {20, 21}, {21, 21}};
    for (const auto& c : casos) {
        SCOPED_TRACE(c.linha);
        grade.AdicionaLinha(c.linha, linha);
        EXPECT_EQ(grade.RowCount(), c.linhas);
        EXPECT_EQ(grade.GetTexto(0, c.linha), Luis);
    }
    EXPECT_EQ(grade.GetTexto(1, 1), QStringLiteral("1.234,56"));
    EXPECT_EQ(grade.GetTexto(2, 1), QStringLiteral("0,00"));
    EXPECT_EQ(grade.GetTexto(12, 1), QStringLiteral("ALUGUEL"));
    EXPECT_EQ(grade.Alinhamento(0), 0);
    EXPECT_EQ(grade.Alinhamento(1), 1);
    EXPECT_EQ(grade.Alinhamento(10), 0);
    EXPECT_EQ(grade.GetTexto(10, 0), QStringLiteral("Desc. Outros Rend. Isentos"));
}

TEST_F(TFoAssistImportacaoTest, TheFileTellsTheDeclarantAndItsFirstValueLines)
{
    const QByteArray cabecalho = "PRUV    2003" + QByteArray(236, ' ');
    const QByteArray tipo1 = Tipo1(1, Declarante(Matriz, "2002", 1));
    const QByteArray valores = Valores('2', 2, Matriz, ItemEntrega(Luis, "LUIS"), 0);
    QList<QByteArray> muitas{cabecalho, tipo1};
    for (int i = 0; i < 25; ++i)
        muitas << valores;
    const struct {
        const char* caso;
        QList<QByteArray> linhas;
        std::uint8_t formato;
        char tipo;
        const char* ano;
        char natureza;
        QString ni;
        std::size_t amostras;
    } casos[] = {
        {"header and declarant", {cabecalho, tipo1, valores}, 0, '1', "2002", '1', Matriz, 1},
        {"a two-digit year, fields two places back", {Troca(tipo1, 28, "99O121")}, 2, '1', "1999", '1', Matriz, 0},
        {"values first: the declarant of positions 10-23", {valores, valores}, 0, '2', "", '\0', Matriz, 2},
        {"a person's values",
         {Valores('2', 1, CpfDeclarante, ItemEntrega(Luis, "LUIS"), 0)},
         0,
         '2',
         "",
         '\0',
         CpfDeclarante,
         1},
        {"no more than 19 samples", muitas, 0, '1', "2002", '1', Matriz, 19},
        {"nothing of a declaration", {"lixo", Troca(QByteArray(730, ' '), 9, "7")}, 0, '\0', "", '\0', QString(), 0},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        TAmostraDeclaracao amostra;
        ASSERT_TRUE(amostra.Le(Arquivo(c.linhas), c.formato));
        EXPECT_EQ(amostra.Tipo, QLatin1Char(c.tipo));
        EXPECT_EQ(amostra.Ano, QLatin1String(c.ano));
        EXPECT_EQ(amostra.Natureza, c.natureza ? QChar(QLatin1Char(c.natureza)) : QChar());
        EXPECT_EQ(amostra.Ni, c.ni);
        ASSERT_EQ(amostra.Amostras.size(), c.amostras);
        if (c.amostras > 0) {
            EXPECT_EQ(amostra.Amostras[0].size(), TAmostraDeclaracao::ColunasAmostra);
            EXPECT_EQ(amostra.Amostras[0][3], QStringLiteral("0561"));
            EXPECT_EQ(amostra.Amostras[0][7], QStringLiteral("000000000300000"));   // January's income
        }
    }
    TAmostraDeclaracao amostra;
    EXPECT_FALSE(amostra.Le(TPastas::Programa() + QStringLiteral("/nao-existe.txt"), 0));
}

TEST_F(TFoAssistImportacaoTest, TheCommandImportsADeclarationFileShowsItsReportAndStoresTheDeclaration)
{
    ImpressorasSimuladas impressoras(ProgramaDeTeste::Pasta());
    struct TRelatorioImpresso {
        int Total;
        QString Nome;
        QString Modo;
    };
    std::vector<TRelatorioImpresso> relatorios;
    TPruv2003 janela;
    QAction* comando = janela.Comando(QStringLiteral("MiImportar"));
    EXPECT_FALSE(comando->isEnabled());   // no assistant to run
    TRotinasPrincipal rotinas;
    rotinas.ExecutaAssistImportacao = ExecutaAssistImportacao;
    rotinas.ExibeRelatorioErrosImp = [&](int total, const QString& nome, const QString& modo) {
        relatorios.push_back({total, nome, modo});
    };
    janela.DefineRotinas(std::move(rotinas));
    ASSERT_TRUE(comando->isEnabled());
    const QString arquivo = ArquivoDeclaracao(Declarante(Matriz));

    const struct {
        const char* caso;
        bool impressora;
        bool marcado;   // "Mostrar Relatório de Erros / Avisos"
        bool existente;
    } casos[] = {
        {"a new declaration, report shown", true, true, false},
        {"stored already, report not wanted", true, false, true},
        {"no printer", false, true, true},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        relatorios.clear();
        dialogos.Limpa();
        if (c.existente)
            dialogos.Responde(Resposta::Sim);   // the stored beneficiaries are overwritten
        impressoras.Existe = c.impressora;
        AoAbrir([&](TFoAssistImportacao& a) {
            EXPECT_FALSE(a.RBComprovante->isEnabled() && !c.existente);
            AteODeclarante(a, arquivo);
            ASSERT_EQ(a.Atual(), 4);
            EXPECT_EQ(a.DENome->text(), QStringLiteral("COMERCIO E FILHOS LTDA"));
            EXPECT_EQ(a.CbAnoRet->currentText(), QStringLiteral("2002"));
            EXPECT_EQ(a.PanelNome->isEnabled(), !c.existente);
            EXPECT_EQ(a.CbTipoDeclar->ItemIndex(), 0);
            Clica(a, "BtnAvancar");
            ASSERT_EQ(a.Atual(), 5);
            EXPECT_EQ(a.grdImpDecl->GetTexto(5, 1), QStringLiteral("000") + Luis);
            EXPECT_EQ(a.grdImpDecl->GetTexto(6, 2), QStringLiteral("ANA"));
            EXPECT_EQ(a.grdImpDecl->GetTexto(6, 4), QString());
            Clica(a, "BtnAvancar");   // imports at once
            ASSERT_EQ(a.Atual(), 7);
            EXPECT_EQ(a.LbTotDecImp->text(), QStringLiteral("1"));
            EXPECT_EQ(a.LbTotBenefAdic->text(), c.existente ? QStringLiteral("0") : QStringLiteral("2"));
            EXPECT_EQ(a.LbTotBenefSubs->text(), c.existente ? QStringLiteral("2") : QStringLiteral("0"));
            EXPECT_EQ(a.LbTotRej->text(), QStringLiteral("1"));
            EXPECT_FALSE(a.CheckMostrRel->isHidden());
            EXPECT_FALSE(a.findChild<QPushButton*>(QStringLiteral("CancelBtn"))->isEnabled());
            a.CheckMostrRel->setChecked(c.marcado);
            Clica(a, "BtnOK");   // Fechar
        });
        comando->trigger();

        const QString raiz = Matriz.left(8);
        if (c.marcado && c.impressora) {
            ASSERT_EQ(relatorios.size(), 1u);
            EXPECT_EQ(relatorios[0].Total, 1);
            EXPECT_EQ(relatorios[0].Nome, raiz);
            EXPECT_EQ(relatorios[0].Modo, QStringLiteral("I"));
        } else {
            EXPECT_TRUE(relatorios.empty());
        }
        std::vector<int> codigos;
        if (c.existente)
            codigos.push_back(-1);   // the question whether to overwrite
        if (!c.impressora)
            codigos.push_back(161);
        EXPECT_EQ(dialogos.Codigos(), codigos);
        EXPECT_EQ(Mensagens(raiz).size(), 1);
        EXPECT_FALSE(EstadoPrograma::EmProcessamento);
        // The imported declaration is stored; the command opens none.
        EXPECT_FALSE(janela.GetDeclaracaoAberta());
        EXPECT_FALSE(janela.ObtemColecao().EstaVazia());
        EXPECT_EQ(Linhas("PruvItem"), 2);
    }
    EXPECT_EQ(TArquivoIni::LeString(QStringLiteral("Importacao"), QStringLiteral("ArqImporta"), QString()), arquivo);
}

TEST_F(TFoAssistImportacaoTest, TheCommandImportsStatementsIntoTheChosenDeclarationAndShowsTheirReport)
{
    ImpressorasSimuladas impressoras(ProgramaDeTeste::Pasta());
    auto antiga = Armazenada(Outra, "2000");   // not offered: before 2001
    TPruv2003 janela;
    TRotinasPrincipal rotinas;
    rotinas.ExecutaAssistImportacao = ExecutaAssistImportacao;
    janela.DefineRotinas(std::move(rotinas));
    AoAbrir([&](TFoAssistImportacao& a) {
        a.EdArquivo->setText(ArquivoDeclaracao(Declarante(Matriz)));
        Clica(a, "BtnOK");   // Concluir: the whole import with what is proposed
        EXPECT_EQ(a.Atual(), 7);
        Clica(a, "BtnOK");
    });
    janela.Comando(QStringLiteral("MiImportar"))->trigger();
    ASSERT_FALSE(janela.ObtemColecao().EstaVazia());

    const QString comprovantes = Arquivo(
        {Comprovante(Luis, "10600"), "", Comprovante(Bruno, "500"), QByteArray(50, '1')}, "\r\n",
        QStringLiteral("comprovantes.txt"));
    for (const bool impressora : {true, false}) {
        SCOPED_TRACE(impressora);
        impressoras.Existe = impressora;
        dialogos.Limpa();
        bool previsto = false;
        AoAbrir([&](TFoAssistImportacao& a) {
            ASSERT_TRUE(a.RBComprovante->isEnabled());
            Clica(a, "BtnAvancar");
            a.RBComprovante->click();
            EXPECT_EQ(a.LDescrImportacao->text(),
                      QStringLiteral("\rVocê somente poderá importar dados de arquivo texto."));
            a.EdArquivo->setText(comprovantes);
            Clica(a, "BtnAvancar");
            ASSERT_EQ(a.Atual(), 8);
            EXPECT_EQ(a.DBGrDeclaracao->DataSource()->DataSet()->RecordCount(), 1);   // the one of 2002
            Clica(a, "BtnAvancar");
            ASSERT_EQ(a.Atual(), 9);
            EXPECT_EQ(a.grdImpCompr->GetTexto(0, 1), Luis);
            EXPECT_EQ(a.grdImpCompr->GetTexto(1, 1), QStringLiteral("106,00"));
            EXPECT_EQ(a.grdImpCompr->GetTexto(0, 2), Bruno);   // the empty line takes no row
            Clica(a, "BtnAvancar");
            ASSERT_EQ(a.Atual(), 11);
            EXPECT_EQ(a.lblComprImportados->text(), QStringLiteral("1"));
            EXPECT_EQ(a.lblComprRejeitados->text(), QStringLiteral("2"));
            EXPECT_FALSE(a.MostraRelErroCompr->isHidden());
            if (impressora)
                FechaPreview(previsto);
            Clica(a, "BtnOK");
        });
        janela.Comando(QStringLiteral("MiImportar"))->trigger();
        EXPECT_EQ(previsto, impressora);
        EXPECT_EQ(dialogos.Codigos(), impressora ? std::vector<int>{} : std::vector<int>{161});
    }
    static_cast<void>(antiga);
}

// The error log the help sends the clerk to: each declaration import's own, named for its
// declarant, kept by the imports that follow.
TEST_F(TFoAssistImportacaoTest, EachImportKeepsItsOwnErrorLogUnderTheNameOfWhatItImported)
{
    ImpressorasSimuladas impressoras(ProgramaDeTeste::Pasta());
    QStringList relatados;
    TPruv2003 janela;
    TRotinasPrincipal rotinas;
    rotinas.ExecutaAssistImportacao = ExecutaAssistImportacao;
    rotinas.ExibeRelatorioErrosImp = [&](int, const QString& nome, const QString&) { relatados << nome; };
    janela.DefineRotinas(std::move(rotinas));
    const auto importaDeclaracao = [&](const QString& ni) {
        AoAbrir([&](TFoAssistImportacao& a) {
            a.EdArquivo->setText(ArquivoDeclaracao(Declarante(ni)));
            Clica(a, "BtnOK");   // Concluir: the whole import with what is proposed
            EXPECT_EQ(a.Atual(), 7);
            Clica(a, "BtnOK");
        });
        janela.Comando(QStringLiteral("MiImportar"))->trigger();
    };

    // Another company first, then the one the statements go to: each log its own.
    importaDeclaracao(Outra);
    importaDeclaracao(Matriz);
    EXPECT_EQ(relatados, (QStringList{Outra.left(8), Matriz.left(8)}))
        << relatados.join(QLatin1Char(' ')).toStdString();
    const auto logMatriz = Log(Matriz.left(8));
    ASSERT_EQ(logMatriz.size(), 1u);
    EXPECT_TRUE(logMatriz[0].second.contains(Matriz)) << logMatriz[0].second.toStdString();
    const auto logOutra = Log(Outra.left(8));
    ASSERT_EQ(logOutra.size(), 1u);
    EXPECT_TRUE(logOutra[0].second.contains(Outra)) << logOutra[0].second.toStdString();

    // Statements of the same company, with refused lines and their report shown: the
    // declaration's log stays as it was.
    const QString comprovantes = Arquivo({Comprovante(Luis, "10600"), Comprovante(Bruno, "500"), QByteArray(50, '1')},
                                         "\r\n", QStringLiteral("comprovantes.txt"));
    bool previsto = false;
    AoAbrir([&](TFoAssistImportacao& a) {
        Clica(a, "BtnAvancar");
        a.RBComprovante->click();
        a.EdArquivo->setText(comprovantes);
        Clica(a, "BtnAvancar");
        ASSERT_EQ(a.Atual(), 8);
        ASSERT_TRUE(
            a.DBGrDeclaracao->DataSource()->DataSet()->Locate(QStringLiteral("NR_PF_PJ"), {Matriz.left(12)}, {}));
        Clica(a, "BtnAvancar");
        Clica(a, "BtnAvancar");
        ASSERT_EQ(a.Atual(), 11);
        EXPECT_EQ(a.lblComprRejeitados->text(), QStringLiteral("2"));
        FechaPreview(previsto);
        Clica(a, "BtnOK");
    });
    janela.Comando(QStringLiteral("MiImportar"))->trigger();
    EXPECT_TRUE(previsto);
    EXPECT_EQ(Log(Matriz.left(8)), logMatriz);
    EXPECT_EQ(Log(Outra.left(8)), logOutra);
}

// The wheel over the page's combos changes neither the year nor the nature: a choice is made with
// a click or the keys, never by the wheel on its way down the page.
TEST_F(TFoAssistImportacaoTest, TheWheelOverThePageOfTheDeclarantChoosesNothing)
{
    Armazenada(Matriz, "2001", 1);
    auto a = Assistente();
    AteODeclarante(*a, ArquivoDeclaracao(Declarante(Matriz)));
    ASSERT_EQ(a->Atual(), 4);
    const QString nome = a->DENome->text();
    const int natureza = a->CbTipoDeclar->ItemIndex();
    for (QWidget* combo : {static_cast<QWidget*>(a->CbAnoRet), static_cast<QWidget*>(a->CbTipoDeclar)}) {
        for (const int graus : {-120, -120, 120}) {
            SCOPED_TRACE(testing::Message() << combo->objectName().toStdString() << " " << graus);
            const QPointF centro = QRectF(combo->rect()).center();
            QWheelEvent roda(centro, combo->mapToGlobal(centro), {}, {0, graus}, Qt::NoButton, Qt::NoModifier,
                             Qt::NoScrollPhase, false);
            QApplication::sendEvent(combo, &roda);
            QApplication::processEvents();
            EXPECT_EQ(a->CbAnoRet->currentText(), QStringLiteral("2002"));
            EXPECT_EQ(a->CbTipoDeclar->ItemIndex(), natureza);
            EXPECT_EQ(a->DENome->text(), nome);
        }
    }
}

TEST_F(TFoAssistImportacaoTest, ThePageOfTheDeclarantRefusesWhatCannotBeImportedAndLocksAStoredOne)
{
    Armazenada(Matriz, "2001", 1);
    auto a = Assistente();
    AteODeclarante(*a, ArquivoDeclaracao(Declarante(Matriz)));
    ASSERT_EQ(a->Atual(), 4);
    EXPECT_TRUE(a->PanelNome->isEnabled());   // none of 2002 stored

    a->CbAnoRet->setCurrentText(QStringLiteral("2001"));
    a->CbAnoRetChange();
    EXPECT_FALSE(a->PanelNome->isEnabled());
    EXPECT_FALSE(a->PanelNatureza->isEnabled());
    EXPECT_EQ(a->DENome->text(), QStringLiteral("EMPRESA ALFA LTDA"));
    EXPECT_EQ(a->CbTipoDeclar->ItemIndex(), 1);   // the stored federal body
    // Descriptions wider than the page: the hint holds the whole one, the list opens wide enough.
    const QStringList& descricoes = a->CbTipoDeclar->Items().Strings();
    EXPECT_EQ(a->CbTipoDeclar->toolTip(), descricoes[1]);
    for (const QString& descricao : descricoes)
        EXPECT_LT(QFontMetrics(a->CbTipoDeclar->font()).horizontalAdvance(descricao), a->CbTipoDeclar->DropDownWidth);
    a->CbAnoRet->setCurrentText(QStringLiteral("2002"));
    a->CbAnoRetChange();
    EXPECT_TRUE(a->PanelNome->isEnabled());
    EXPECT_EQ(a->DENome->text(), QStringLiteral("COMERCIO E FILHOS LTDA"));

    const struct {
        const char* caso;
        const char* nome;
        int natureza;
        std::vector<int> codigos;
    } casos[] = {
        {"no name", "   ", 0, {77}},
        {"no nature", "COMERCIO E FILHOS LTDA", -1, {49}},
        {"a name too short for a company", "AB", 0, {78}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        dialogos.Limpa();
        a->DENome->setText(QLatin1String(c.nome));
        a->CbTipoDeclar->SetItemIndex(c.natureza);
        EXPECT_EQ(a->CbTipoDeclar->toolTip(), c.natureza < 0 ? QString() : a->CbTipoDeclar->Items()[c.natureza]);
        Clica(*a, "BtnAvancar");
        EXPECT_EQ(a->Atual(), 4);
        ASSERT_EQ(dialogos.Mensagens().size(), 1u);
        EXPECT_EQ(dialogos.Mensagens()[0].Tipo, TipoDialogo::Informacao);
        EXPECT_EQ(dialogos.Codigos(), c.codigos);
    }
    EXPECT_EQ(Linhas("PruvItem"), 0);   // nothing imported yet
}

TEST_F(TFoAssistImportacaoTest, EveryNatureFitsWholeInTheBoxOnThePage)
{
    auto a = Assistente();
    AteODeclarante(*a, ArquivoDeclaracao(Declarante(Matriz)));
    ASSERT_EQ(a->Atual(), 4);
    a->show();
    QCoreApplication::processEvents();
    const QRect texto = a->CbTipoDeclar->EditRect().ToQRect().adjusted(3, 0, -3, 0);
    EXPECT_LE(a->CbTipoDeclar->geometry().right(), a->PanelNatureza->width());
    const QFontMetrics medidas(a->CbTipoDeclar->font());
    const QStringList& descricoes = a->CbTipoDeclar->Items().Strings();
    ASSERT_FALSE(descricoes.isEmpty());
    for (const QString& descricao : descricoes) {
        SCOPED_TRACE(descricao.toStdString());
        EXPECT_LE(medidas.boundingRect(texto, Qt::TextWordWrap, descricao).height(), texto.height());
    }
}

TEST_F(TFoAssistImportacaoTest, ADeliveryFileIsUnpackedAndImportedAndAnUnknownPackingEndsOnTheErrorPage)
{
    // A delivery file written by this program, of a declaration deleted since.
    auto pruv = Armazenada(Matriz);
    Item(*pruv, *pruv, "0561", CpfBeneficiario);
    const QString base = ProgramaDeTeste::Pasta() + QStringLiteral("/base");
    QDir().mkpath(base);
    const TVolume volume{base, base, TVolume::TTipo::Fixo};
    QString entrega;
    {
        TArquivoPruv writer;
        TPedidoGeracao pedido;
        pedido.Chaves = QStringList{QStringLiteral("2002") + pruv->GetDeclarante().GetRaiz()};
        pedido.Volume = volume;
        pedido.Uf = QStringLiteral("SP");
        pedido.Registros = 10;
        const TResultadoGeracao resultado = writer.Gera(*pruv, *colecao, pedido);
        ASSERT_EQ(resultado.Codigo, 0);
        entrega = resultado.Arquivo;
    }
    pruv->LiberaItens();
    colecao->Exclui(*pruv);
    ASSERT_EQ(Linhas("Pruv"), 0);

    const QString antiga = ProgramaDeTeste::Pasta() + QStringLiteral("/antiga.D00");
    {
        QFile arquivo(antiga);
        ASSERT_TRUE(arquivo.open(QIODevice::WriteOnly));
        arquivo.write("a packing of an earlier version\r\n");
    }
    const struct {
        const char* caso;
        QString arquivo;
        int pagina;
        QString erro;
    } casos[] = {
        {"a packing of an earlier version", antiga, 12, TFoAssistImportacao::TextoFormatoAntigo},
        {"this program's delivery file", entrega, 4, QString()},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        auto a = Assistente();
        AteODeclarante(*a, c.arquivo);
        ASSERT_EQ(a->Atual(), c.pagina);
        if (c.pagina == 12) {
            EXPECT_EQ(a->LErro->text(), c.erro);
            EXPECT_EQ(a->findChild<QPushButton*>(QStringLiteral("BtnOK"))->text(), QStringLiteral("&Fechar"));
            Clica(*a, "BtnOK");
            EXPECT_EQ(a->ModalResult(), mrOk);
            EXPECT_EQ(Linhas("Pruv"), 0);
            continue;
        }
        EXPECT_EQ(a->DENome->text(), QStringLiteral("EMPRESA ALFA LTDA"));
        Clica(*a, "BtnAvancar");
        Clica(*a, "BtnAvancar");
        ASSERT_EQ(a->Atual(), 7);
        EXPECT_EQ(a->Contadores(), (TResultadoImportacao::TContadores{1, 1, 0, 0, 0, 0, 0}));
        EXPECT_EQ(Linhas("PruvItem"), 1);
        // The text unpacked for the import is not kept.
        EXPECT_FALSE(QFileInfo::exists(TPastas::Dados() + QStringLiteral("/declar.txt")));
    }
}

// The file page reads top down: Tab goes from the kind of import to the file's name and its
// browse button, then to the buttons; Backtab comes back the same way.
TEST_F(TFoAssistImportacaoTest, TabWalksTheFilePageAsItReads)
{
    auto a = Assistente();
    a->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(a.get()));
    Clica(*a, "BtnAvancar");
    ASSERT_EQ(a->Atual(), 2);
    const auto foco = [] {
        return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
    };
    ASSERT_EQ(foco(), QStringLiteral("RBDeclaracao"));
    const QStringList adiante{QStringLiteral("EdArquivo"), QStringLiteral("BitBtn1"), QStringLiteral("CancelBtn")};
    for (const QString& esperado : adiante) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(foco(), esperado);
    }
    for (const char* esperado : {"BitBtn1", "EdArquivo", "RBDeclaracao"}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        EXPECT_EQ(foco(), QLatin1String(esperado));
    }
    // From the other kind too.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    ASSERT_EQ(foco(), QStringLiteral("RBComprovante"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(foco(), QStringLiteral("EdArquivo"));
}

TEST_F(TFoAssistImportacaoTest, NothingIsStoredBeforeTheImportAndACleanImportOffersNoReport)
{
    const TDeclaracaoEntrega d = Declarante(Matriz);
    const QString arquivo = Arquivo({Tipo1(1, d), Valores('2', 2, d.Ni, ItemEntrega(Luis, "LUIS GONCALVES"), 0)});
    {
        auto a = Assistente();
        AteODeclarante(*a, arquivo);
        Clica(*a, "BtnAvancar");
        ASSERT_EQ(a->Atual(), 5);
        Clica(*a, "CancelBtn");
        EXPECT_EQ(a->ModalResult(), mrCancel);
    }
    EXPECT_EQ(Linhas("Pruv"), 0);

    auto a = Assistente();
    AteODeclarante(*a, arquivo);
    Clica(*a, "BtnAvancar");
    Clica(*a, "BtnAvancar");
    ASSERT_EQ(a->Atual(), 7);
    EXPECT_EQ(a->Contadores(), (TResultadoImportacao::TContadores{1, 1, 0, 0, 0, 0, 0}));
    EXPECT_TRUE(a->CheckMostrRel->isHidden());
    EXPECT_EQ(Linhas("PruvItem"), 1);
}

TEST_F(TFoAssistImportacaoTest, AnImportThatCannotRunEndsOnTheErrorPageWithItsMessage)
{
    auto a = Assistente();
    AteODeclarante(*a, ArquivoDeclaracao(Declarante(Matriz)));
    Clica(*a, "BtnAvancar");
    {
        TEspacoEmDisco::Simulacao espaco(0);
        Clica(*a, "BtnAvancar");
    }
    ASSERT_EQ(a->Atual(), 12);
    EXPECT_EQ(a->ResultadoImportacao(), 151);
    EXPECT_EQ(a->LErro->text(), TErro::Mensagem(151));
    EXPECT_EQ(Linhas("Pruv"), 0);
}
