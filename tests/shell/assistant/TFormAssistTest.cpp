#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <stdexcept>
#include <vector>

#include "platform/ui/DialogosRoteirizados.h"
#include "shell/common/ExcecaoAplicacao.h"
#include "shell/assistant/TFormAssist.h"
#include "shell/Espera.h"

namespace {

class FormDeTeste;

class EstadoDeTeste final : public TEstado {
public:
    EstadoDeTeste(FormDeTeste& form, int numero, int proximo, bool repetir);
    void Processa() override;
    bool Evento(int codigo) override;

private:
    int FProximoRoteiro;
    bool FRepetir;
};

// A concrete assistant as the later ones are built: pages, steps, step 1 run by the constructor.
class FormDeTeste final : public TFormAssist {
public:
    struct Passo {
        int proximo;
        bool repetir;
    };

    FormDeTeste(std::initializer_list<Passo> roteiro, std::map<int, std::function<void()>> trabalhos = {})
        : Trabalhos(std::move(trabalhos))
    {
        setWindowTitle(QStringLiteral("Assistente de teste"));
        int numero = 0;
        for (const Passo& p : roteiro) {
            ++numero;
            DefinePagina(numero, new QLabel(QStringLiteral("Página %1").arg(numero)));
            AdicionaEstado(std::make_unique<EstadoDeTeste>(*this, numero, p.proximo, p.repetir));
        }
        Processa();
    }

    void MostraPagina(int n) override
    {
        ExibePagina(n);
        BtnRetornar->setEnabled(n > 1);
    }
    bool ExecutaEtapa(int n) override
    {
        Etapas.push_back(n);
        if (auto trabalho = Trabalhos.find(n); trabalho != Trabalhos.end())
            trabalho->second();
        return true;
    }
    QPushButton* Botao(const char* nome) const { return findChild<QPushButton*>(QLatin1String(nome)); }

    std::map<int, std::function<void()>> Trabalhos;
    std::vector<int> Etapas;
};

EstadoDeTeste::EstadoDeTeste(FormDeTeste& form, int numero, int proximo, bool repetir)
    : TEstado(form, numero)
    , FProximoRoteiro(proximo)
    , FRepetir(repetir)
{}

void EstadoDeTeste::Processa()
{
    Form().ExecutaEtapa(Pagina());
}

bool EstadoDeTeste::Evento(int /*codigo*/)
{
    if (FProximoRoteiro == 99)
        throw std::runtime_error("falha no evento");
    SetProximo(FProximoRoteiro);
    return FRepetir;
}

// Clicks the named buttons one after the other once the modal loop runs.
void ClicaDepois(FormDeTeste& form, std::vector<const char*> nomes)
{
    QTimer::singleShot(0, &form, [&form, nomes] {
        for (const char* nome : nomes)
            form.Botao(nome)->click();
    });
}

}   // namespace

TEST(TFormAssist, HasTheFourButtonsAndTheirSize)
{
    FormDeTeste form({{0, false}});
    EXPECT_EQ(form.size(), QSize(524, 240));
    const struct {
        const char* nome;
        const char* texto;
        bool habilitado;
    } casos[] = {
        {"BtnRetornar", "&Voltar", false},
        {"BtnAvancar", "&Avançar", true},
        {"BtnOK", "C&oncluir", true},
        {"CancelBtn", "&Cancelar", true},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nome);
        QPushButton* botao = form.Botao(c.nome);
        ASSERT_NE(botao, nullptr);
        EXPECT_EQ(botao->text(), QString::fromUtf8(c.texto));
        EXPECT_EQ(botao->isEnabled(), c.habilitado);
    }
    EXPECT_TRUE(form.Botao("BtnAvancar")->isDefault());
    auto* imagem = form.findChild<QLabel*>(QStringLiteral("ImgFechar"));
    ASSERT_NE(imagem, nullptr);
    EXPECT_EQ(imagem->pixmap().size(), QSize(44, 18));
}

TEST(TFormAssist, ClicksWalkThePagesAndConcluirEndsWithOk)
{
    FormDeTeste form({{2, false}, {0, false}});
    ClicaDepois(form, {"BtnAvancar", "BtnRetornar", "BtnAvancar", "BtnOK"});
    EXPECT_EQ(form.ExibeModal(), mrOk);
    EXPECT_EQ(form.Etapas, (std::vector<int>{1, 2, 2}));
    EXPECT_FALSE(form.isVisible());
}

TEST(TFormAssist, OnlyTheCurrentPageIsShown)
{
    FormDeTeste form({{2, false}, {0, false}});
    form.show();
    form.Botao("BtnAvancar")->click();
    EXPECT_FALSE(form.Pagina(1)->isVisible());
    EXPECT_TRUE(form.Pagina(2)->isVisible());
    EXPECT_TRUE(form.Botao("BtnRetornar")->isEnabled());
    form.Botao("BtnRetornar")->click();
    EXPECT_TRUE(form.Pagina(1)->isVisible());
    EXPECT_FALSE(form.Pagina(2)->isVisible());
}

TEST(TFormAssist, EscapeAndClosingTheWindowCancel)
{
    const std::function<void(FormDeTeste&)> maneiras[] = {
        [](FormDeTeste& f) {
            QKeyEvent tecla(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(&f, &tecla);
        },
        [](FormDeTeste& f) { f.close(); },
    };
    for (const auto& maneira : maneiras) {
        FormDeTeste form({{2, false}, {0, false}});
        QTimer::singleShot(0, &form, [&form, &maneira] { maneira(form); });
        EXPECT_EQ(form.ExibeModal(), mrCancel);
        EXPECT_TRUE(form.Cancelado());
    }
}

TEST(TFormAssist, CancelarPumpedDuringAStepKeepsTheFormUntilTheStepEnds)
{
    bool passoTerminou = false;
    bool formVivo = false;
    auto form = std::make_unique<FormDeTeste>(
        std::initializer_list<FormDeTeste::Passo>{{2, true}, {3, false}, {0, false}});
    FormDeTeste* f = form.get();
    f->Trabalhos[2] = [f, &passoTerminou, &formVivo] {
        QPointer<FormDeTeste> guarda(f);
        QTimer::singleShot(0, f->Botao("CancelBtn"), &QPushButton::click);
        QTimer::singleShot(0, f->Botao("BtnAvancar"), &QPushButton::click);   // ignored: busy
        EXPECT_TRUE(Espera([f] { return f->Cancelado(); }));
        QCoreApplication::processEvents();
        formVivo = !guarda.isNull();
        passoTerminou = true;
    };
    ClicaDepois(*f, {"BtnAvancar"});
    EXPECT_EQ(f->ExibeModal(), mrCancel);
    EXPECT_TRUE(passoTerminou);
    EXPECT_TRUE(formVivo);
    EXPECT_EQ(f->Etapas, (std::vector<int>{1, 2}));   // the repeat stopped at the cancel
    form.reset();                                     // freed by its caller, after the loop
}

TEST(TFormAssist, AnAssistantCancelledWhileStepOneRanIsNotShown)
{
    bool mostrado = false;
    FormDeTeste form({{2, false}, {0, false}}, {{1, [&form] { form.Cancelar(); }}});
    QTimer::singleShot(0, &form, [&form, &mostrado] {
        mostrado = form.isVisible();
        if (mostrado)
            form.done(mrOk);
    });
    EXPECT_EQ(form.ExibeModal(), mrCancel);
    QCoreApplication::processEvents();
    EXPECT_FALSE(mostrado);
}

TEST(TFormAssist, AnErrorInAStepGoesToTheApplicationHandlerAndTheFormGoesOn)
{
    std::vector<std::string> erros;
    auto anterior = ExcecaoAplicacao::Instala([&erros](std::exception_ptr e) {
        try {
            std::rethrow_exception(e);
        } catch (const std::exception& x) {
            erros.emplace_back(x.what());
        }
    });
    FormDeTeste form({{99, false}, {0, false}});
    form.show();
    form.Botao("BtnAvancar")->click();
    ExcecaoAplicacao::Instala(std::move(anterior));
    EXPECT_EQ(erros, std::vector<std::string>{"falha no evento"});
    EXPECT_FALSE(form.Ocupado());
    form.Botao("CancelBtn")->click();
    EXPECT_EQ(form.ModalResult(), mrCancel);
}

TEST(ExcecaoAplicacao, WithoutAHandlerTheTextIsShownAsAnError)
{
    DialogosRoteirizados dialogos;
    ExcecaoAplicacao::Protege([] { throw std::runtime_error("Falha ao gravar o arquivo."); });
    ASSERT_EQ(dialogos.Mensagens().size(), 1u);
    EXPECT_EQ(dialogos.Mensagens()[0].Texto, QStringLiteral("Falha ao gravar o arquivo."));
    EXPECT_EQ(dialogos.Mensagens()[0].Tipo, TipoDialogo::Erro);
    EXPECT_EQ(dialogos.Mensagens()[0].Botoes, Botao::Ok);
}

TEST(ExcecaoAplicacao, AnErrorThatNobodyCanShowStaysInsideTheHandler)
{
    // No dialogs installed: showing raises, and the handler keeps that from the event loop.
    const auto erro = std::make_exception_ptr(std::runtime_error("Falha ao gravar o arquivo."));
    EXPECT_NO_THROW(ExcecaoAplicacao::Trata(erro));
    auto anterior = ExcecaoAplicacao::Instala([](std::exception_ptr) { throw std::logic_error("falhou"); });
    EXPECT_NO_THROW(ExcecaoAplicacao::Trata(erro));
    ExcecaoAplicacao::Instala(std::move(anterior));
}

namespace {

// Two pages: a choice between two options (the second checked) above a field, then a last page
// with a check box, where Avançar is off.
class FormComOpcoes final : public TFormAssist {
public:
    // desativaMarcada: entering page 1 greys its checked option and checks the other, as a step
    // that leaves one way only.
    explicit FormComOpcoes(bool desativaMarcada = false)
        : FDesativaMarcada(desativaMarcada)
    {
        auto* escolha = new QWidget;
        auto* coluna = new QVBoxLayout(escolha);
        coluna->addWidget(new QLabel(QStringLiteral("Escolha:")));
        for (const char* nome : {"Primeira", "Segunda"}) {
            auto* opcao = new QRadioButton(QLatin1String(nome));
            opcao->setObjectName(QLatin1String(nome));
            coluna->addWidget(opcao);
        }
        escolha->findChild<QRadioButton*>(QStringLiteral("Segunda"))->setChecked(true);
        auto* campo = new QLineEdit;
        campo->setObjectName(QStringLiteral("Campo"));
        coluna->addWidget(campo);
        DefinePagina(1, escolha);
        auto* fim = new QWidget;
        auto* linhas = new QVBoxLayout(fim);
        linhas->addWidget(new QLabel(QStringLiteral("Pronto.")));
        auto* mostrar = new QCheckBox(QStringLiteral("&Mostrar"));
        mostrar->setObjectName(QStringLiteral("Mostrar"));
        linhas->addWidget(mostrar);
        DefinePagina(2, fim);
        AdicionaEstado(std::make_unique<EstadoDeTeste2>(*this, 1, 2));
        AdicionaEstado(std::make_unique<EstadoDeTeste2>(*this, 2, 0));
        Processa();
    }
    void MostraPagina(int n) override
    {
        ExibePagina(n);
        BtnRetornar->setEnabled(n > 1);
        BtnAvancar->setEnabled(n < 2);
        FocaBotoes();
    }
    bool ExecutaEtapa(int n) override
    {
        if (n == 1 && FDesativaMarcada) {
            findChild<QRadioButton*>(QStringLiteral("Segunda"))->setEnabled(false);
            findChild<QRadioButton*>(QStringLiteral("Primeira"))->setChecked(true);
        }
        return true;
    }

private:
    bool FDesativaMarcada;
    class EstadoDeTeste2 final : public TEstado {
    public:
        EstadoDeTeste2(FormComOpcoes& form, int numero, int proximo)
            : TEstado(form, numero)
            , FProximoRoteiro(proximo)
        {}
        void Processa() override { Form().ExecutaEtapa(Pagina()); }
        bool Evento(int) override
        {
            SetProximo(FProximoRoteiro);
            return false;
        }

    private:
        int FProximoRoteiro;
    };
};

QString NomeDoFoco(const QWidget& janela)
{
    const QWidget* foco = janela.focusWidget();
    return foco ? foco->objectName() : QString();
}

}   // namespace

// Each page opens on its first option (the checked one of its group): the keys choose at once,
// and Return goes on as it did from the buttons, to Concluir where Avançar is off.
TEST(TFormAssist, APageOpensOnItsFirstOptionAndReturnThereGoesOn)
{
    FormComOpcoes form;
    QTimer::singleShot(0, &form, [&form] {
        EXPECT_EQ(NomeDoFoco(form), QStringLiteral("Segunda"));
        QTest::keyClick(form.focusWidget(), Qt::Key_Return);
        EXPECT_EQ(form.PaginaAtual(), 2);
        EXPECT_EQ(NomeDoFoco(form), QStringLiteral("Mostrar"));
        QTest::keyClick(form.focusWidget(), Qt::Key_Return);
        if (form.isVisible())
            form.reject();
    });
    EXPECT_EQ(form.ExibeModal(), mrOk);
}

// A step that greys the checked option as its page opens leaves the focus on the page, on the
// option it checked, and Return there still goes on; Tab walks the page before the buttons.
TEST(TFormAssist, APageWhoseStepGreysTheCheckedOptionOpensOnItsFirstEnabledOne)
{
    FormComOpcoes form(true);
    QTimer::singleShot(0, &form, [&form] {
        EXPECT_EQ(NomeDoFoco(form), QStringLiteral("Primeira"));
        QTest::keyClick(form.focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(NomeDoFoco(form), QStringLiteral("Campo"));
        QTest::keyClick(form.focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(NomeDoFoco(form), QStringLiteral("CancelBtn"));
        QTest::keyClick(form.focusWidget(), Qt::Key_Backtab);
        QTest::keyClick(form.focusWidget(), Qt::Key_Backtab);
        EXPECT_EQ(NomeDoFoco(form), QStringLiteral("Primeira"));
        QTest::keyClick(form.focusWidget(), Qt::Key_Return);
        EXPECT_EQ(form.PaginaAtual(), 2);
        if (form.isVisible())
            form.reject();
    });
    EXPECT_EQ(form.ExibeModal(), mrCancel);
}
