#include <QCheckBox>
#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "assistants/VerificacaoDeTeste.h"
#include "assistants/verification/TGradeVerificacao.h"
#include "shell/CopiasDeTeste.h"

namespace {

class TFrPruvVerificaTest : public VerificacaoDeTeste {
protected:
    template <typename T> T* Filho(const char* nome) const { return frame->findChild<T*>(QLatin1String(nome)); }
    QString Texto(const char* nome) const { return Filho<QLabel>(nome)->text(); }
};

}   // namespace

TEST_F(TFrPruvVerificaTest, RunWritesHeadingsSectionsErrorsAndWarningsInOrder)
{
    auto pruv = Armazenada(Matriz);
    Limpo(*pruv);
    Aviso(*pruv);
    Erro(*pruv);

    EXPECT_EQ(Verifica({Chave(*pruv)}), 3);
    EXPECT_EQ(Codigos(),
              (QStringList{"08", "20", "", "20", "", "20", "", "10", "00", "01"}));   // no blank row at the end
    const auto linhas = Linhas();
    EXPECT_EQ(linhas[0].Descricao,
              QStringLiteral("08") + pruv->GetDeclarante().GetNiFormatado()
                  + QStringLiteral("     EMPRESA ALFA LTDA     Ano-calendário: 2002"));
    EXPECT_EQ(linhas[1].Descricao, QStringLiteral("20Identificação do declarante"));
    EXPECT_EQ(linhas[7].Descricao, QStringLiteral("10Beneficiários"));
    for (const std::size_t i : {0u, 1u, 2u, 7u}) {
        SCOPED_TRACE(i);
        EXPECT_EQ(linhas[i].Objeto, 255);
        EXPECT_EQ(linhas[i].Gravidade, 255);
        EXPECT_TRUE(linhas[i].AQuemPertence.isEmpty() && linhas[i].QuemEh.isEmpty());
    }
    EXPECT_TRUE(linhas[8].Descricao.startsWith(QStringLiteral("00") + TErro::Mensagem(84)));
    EXPECT_TRUE(linhas[9].Descricao.startsWith(QStringLiteral("01") + TErro::Mensagem(90)));
    EXPECT_EQ(linhas[8].Gravidade, 0);
    EXPECT_EQ(linhas[9].Gravidade, 1);
    for (const std::size_t i : {8u, 9u}) {
        EXPECT_EQ(linhas[i].AQuemPertence, pruv->GetChave());
        EXPECT_FALSE(linhas[i].QuemEh.isEmpty());
        EXPECT_LE(linhas[i].Objeto, 32);
    }

    EXPECT_EQ(frame->NumErros(), 1);
    EXPECT_EQ(frame->NumAvisos(), 1);
    EXPECT_EQ(Texto("PanelNumErros"), QStringLiteral("1"));
    EXPECT_EQ(Texto("PanelNumAvisos"), QStringLiteral("1"));
    EXPECT_EQ(Texto("PnVerificados"), QStringLiteral("3"));
    EXPECT_TRUE(frame->Concluida());
    EXPECT_FALSE(frame->PodeGravar());
    EXPECT_TRUE(Filho<QPushButton>("BbImprimir")->isEnabled());
    EXPECT_FALSE(Filho<QPushButton>("BbStop")->isEnabled());

    // A new run starts from an empty table.
    EXPECT_EQ(Verifica({Chave(*pruv)}), 3);
    EXPECT_EQ(Linhas().size(), 10u);
    EXPECT_EQ(frame->NumErros(), 1);
}

TEST_F(TFrPruvVerificaTest, HiddenWarningsAreCountedButNotListed)
{
    auto pruv = Armazenada(Matriz);
    Aviso(*pruv);
    Erro(*pruv);
    Aviso(*pruv);
    Erro(*pruv);
    Filho<QCheckBox>("CkbAvisos")->setChecked(false);

    Verifica({Chave(*pruv)});
    EXPECT_EQ(Codigos().mid(7), (QStringList{"10", "01", "01"}));
    EXPECT_EQ(frame->NumAvisos(), 2);
    EXPECT_EQ(frame->NumErros(), 2);
    EXPECT_EQ(Texto("PanelNumAvisos"), QStringLiteral("2"));
}

TEST_F(TFrPruvVerificaTest, WhatAllowsWriting)
{
    auto pruv = Armazenada(Matriz);
    Limpo(*pruv);
    Aviso(*pruv);
    Verifica({Chave(*pruv)});
    EXPECT_TRUE(frame->PodeGravar());   // warnings do not block

    // No key: an empty list, nothing counted.
    EXPECT_EQ(Verifica({}), 0);
    EXPECT_TRUE(Linhas().empty());
    EXPECT_EQ(frame->NumErros() + frame->NumAvisos(), 0);
    EXPECT_TRUE(frame->PodeGravar());

    // A declaration that is not stored is passed over.
    EXPECT_EQ(Verifica({QStringLiteral("2002") + Outra.left(12)}), 0);
    EXPECT_TRUE(Linhas().empty());
}

TEST_F(TFrPruvVerificaTest, StopEndsTheRunAndNeverAllowsWriting)
{
    auto pruv = Armazenada(Matriz);
    for (int i = 0; i < 5; ++i)
        Limpo(*pruv);
    int quantidade = 0;
    {
        // The stop button is pressed while the second beneficiary is checked.
        AtividadeComAcao parada([this] {
            if (frame->NumVerificados() == 2)
                Filho<QPushButton>("BbStop")->click();   // nothing once it is disabled
        });
        quantidade = Verifica({Chave(*pruv)});
    }
    EXPECT_EQ(quantidade, 2);
    EXPECT_TRUE(frame->Interrompida());
    EXPECT_TRUE(frame->Concluida());
    EXPECT_EQ(frame->NumErros(), 0);
    EXPECT_FALSE(frame->PodeGravar());
    EXPECT_FALSE(Filho<QLabel>("LabelStop")->isHidden());
    EXPECT_TRUE(Filho<QLabel>("LabelMens")->isHidden());
}

TEST_F(TFrPruvVerificaTest, EstablishmentsOfOneCompanyWithAnotherNatureGive138)
{
    auto matriz = Armazenada(Matriz, "2002", 0);
    Limpo(*matriz);
    auto filial = Armazenada(Filial, "2002", 1);
    Limpo(*filial);

    Verifica({Chave(*matriz), Chave(*filial)});
    const auto linhas = Linhas();
    const QString titulo = QStringLiteral("08") + filial->GetDeclarante().GetNiFormatado();
    const auto segundo = std::find_if(linhas.begin(), linhas.end(),
                                      [&](const TLinha& l) { return l.Descricao.startsWith(titulo); });
    ASSERT_NE(segundo, linhas.end());
    EXPECT_EQ((segundo + 1)->Descricao, QStringLiteral("10Identificação do declarante"));
    const TLinha& divergencia = *(segundo + 2);
    EXPECT_EQ(divergencia.Descricao, QStringLiteral("01") + TErro::FormataMensagem(138, QString()));
    EXPECT_EQ(divergencia.Objeto, 7);
    EXPECT_EQ(divergencia.AQuemPertence, filial->GetChave());
    EXPECT_EQ(divergencia.QuemEh, filial->GetDeclarante().GetNiFormatado());
    EXPECT_EQ(frame->NumErros(), 1);
}

TEST_F(TFrPruvVerificaTest, AFailedRunEndsFinishedAndRefusesWriting)
{
    // Stored for 2003 without the special situation: loading it raises 46.
    auto pruv = Armazenada(Matriz, "2003");
    Executa(QStringLiteral("UPDATE Pruv SET IN_ENCERRA = 0"));
    EXPECT_THROW(Verifica({Chave(*pruv)}), EPruvError);
    EXPECT_TRUE(frame->Concluida());
    EXPECT_FALSE(frame->PodeGravar());
}

TEST_F(TFrPruvVerificaTest, LocatingAnItemMinimisesTheWindowAndHandsOverItsKeys)
{
    auto pruv = Armazenada(Matriz);
    Erro(*pruv);
    QStringList pedidos;
    frame->AoLocalizar = [&](const QString& dono, const QString& item, std::uint8_t objeto) {
        pedidos << QStringLiteral("%1|%2|%3").arg(dono, item).arg(objeto);
    };
    janela.resize(610, 400);
    janela.show();
    janela.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&janela));
    Verifica({Chave(*pruv)});
    const auto linhas = Linhas();
    ASSERT_EQ(linhas.back().Gravidade, 1);

    auto* grade = Filho<TGradeVerificacao>("DbgErrosEncontrados");
    // What the system sends for a double click: a click, then the second press as a double click.
    const auto duploClique = [&](int linha) {
        const QPoint ponto = grade->CellRect(0, linha).ToQRect().center();
        QTest::mouseClick(grade->viewport(), Qt::LeftButton, Qt::NoModifier, ponto);
        QMouseEvent duplo(QEvent::MouseButtonDblClick, ponto, grade->viewport()->mapToGlobal(ponto), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(grade->viewport(), &duplo);
        QTest::mouseRelease(grade->viewport(), Qt::LeftButton, Qt::NoModifier, ponto);
    };
    duploClique(1);   // a section heading
    EXPECT_TRUE(pedidos.isEmpty());
    EXPECT_FALSE(Filho<QPushButton>("BbLocalizar")->isEnabled());
    EXPECT_FALSE(janela.isMinimized());

    duploClique(static_cast<int>(linhas.size()) - 1);
    ASSERT_EQ(pedidos.size(), 1);
    EXPECT_EQ(pedidos[0],
              QStringLiteral("%1|%2|%3").arg(pruv->GetChave(), linhas.back().QuemEh).arg(linhas.back().Objeto));
    EXPECT_TRUE(janela.isMinimized());

    // Enter on a row does what the double click does, for who works with the keys.
    janela.showNormal();
    QApplication::processEvents();
    const auto enter = [&](int linha) {
        QTest::mouseClick(grade->viewport(), Qt::LeftButton, Qt::NoModifier,
                          grade->CellRect(0, linha).ToQRect().center());
        QTest::keyClick(grade, Qt::Key_Return);
        QApplication::processEvents();
    };
    enter(1);
    EXPECT_EQ(pedidos.size(), 1);
    EXPECT_FALSE(janela.isMinimized());
    enter(static_cast<int>(linhas.size()) - 1);
    ASSERT_EQ(pedidos.size(), 2);
    EXPECT_EQ(pedidos[1], pedidos[0]);
    EXPECT_TRUE(janela.isMinimized());
}

TEST_F(TFrPruvVerificaTest, TheNoticeIsNeverCutWhereTheFrameIsNarrow)
{
    auto* aviso = Filho<QLabel>("LabelMens");
    frame->PermiteLocalizar = false;   // as inside the delivery-file assistant
    frame->PermiteInterromper = false;
    auto pruv = Armazenada(Matriz);
    Verifica({Chave(*pruv)});
    for (const int largura : {760, 510, 457}) {
        SCOPED_TRACE(largura);
        janela.resize(largura, 260);
        janela.show();
        QApplication::processEvents();
        EXPECT_GE(aviso->height(), aviso->heightForWidth(aviso->width()));
        EXPECT_GE(Filho<QWidget>("Panel3")->height(), 54);
    }
}

// An error or a warning is read as easily as the headings above it: its lines are as tall.
TEST_F(TFrPruvVerificaTest, ItemsAreWrittenAsLargeAsTheirHeadings)
{
    const QFont lista = Filho<TGradeVerificacao>("DbgErrosEncontrados")->font();
    for (const char* pendencia : {"01", "00"}) {
        const QFontMetrics item(TEstiloLinhaVerificacao::DoCodigo(QLatin1String(pendencia)).Fonte(lista));
        for (const char* titulo : {"08", "10", "20"}) {
            SCOPED_TRACE(std::string(pendencia) + " under " + titulo);
            const QFontMetrics cabecalho(TEstiloLinhaVerificacao::DoCodigo(QLatin1String(titulo)).Fonte(lista));
            EXPECT_GE(item.height(), cabecalho.height());
        }
    }
}
