#pragma once
// What the tests of the reports read on the pages they print.
#include <QStringList>
#include <QtGlobal>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

#include "InspecaoPapel.h"
#include "TextoPdf.h"
#include "platform/report/pages/TDesenhoPagina.h"
#include "platform/report/pages/TFonte.h"
#include "platform/report/pages/TMedidaTexto.h"
#include "platform/report/pages/TUnidades.h"
#include "platform/report/printing/ImpressorasSimuladas.h"
#include "reports/forms/FormularioRelato.h"

// The size, in points, of the font a text was drawn in: its line's height against the height of
// a line of the reports' font at 100 units (sizes resolve to whole units on the device the pages
// are recorded on).
inline qreal PontosImpressos(const TTracoDesenhado& Texto)
{
    static const qreal porUnidade = TMedidaTexto::AlturaLinha(TFonte::Cria(QStringLiteral("Arial"), 100)) / 100;
    return TUnidades::ParaPontos(Texto.Caixa.height() / porUnidade);
}

// The texts one element drew on the pages, in order.
inline std::vector<const TTracoDesenhado*> TextosDe(const std::vector<TDesenhoPagina>& Paginas, const QString& Elemento)
{
    std::vector<const TTracoDesenhado*> textos;
    for (const TDesenhoPagina& p : Paginas)
        for (const TTracoDesenhado& t : p.Tracos)
            if (t.Tipo == TTracoDesenhado::TTipo::Texto && t.Elemento == Elemento)
                textos.push_back(&t);
    return textos;
}

// A listing's name column: the long name of ordinary letters printed whole, the widest one cut
// (where the column ends: the inspection of the page judges that), every name in a size still read.
// Largo empty: no name is cut.
inline void ConfereColunaDeNomes(const std::vector<TDesenhoPagina>& Paginas, const QString& Elemento,
                                 const QString& Longo, const QString& Largo)
{
    bool longo = false;
    bool largo = Largo.isEmpty();
    for (const TTracoDesenhado* t : TextosDe(Paginas, Elemento)) {
        EXPECT_GE(PontosImpressos(*t), PontosLegiveis) << t->Texto.toStdString();
        longo = longo || t->Texto == Longo;
        if (!Largo.isEmpty() && t->TextoInteiro == Largo) {
            largo = true;
            EXPECT_TRUE(t->Texto.size() < Largo.size() && Largo.startsWith(t->Texto)) << t->Texto.toStdString();
        }
        if (Largo.isEmpty()) {
            EXPECT_TRUE(t->TextoInteiro.isEmpty() || t->TextoInteiro == t->Texto) << t->Texto.toStdString();
        }
    }
    EXPECT_TRUE(longo) << "sem o nome inteiro: " << Longo.toStdString();
    EXPECT_TRUE(largo) << "sem o nome largo: " << Largo.toStdString();
}

// Prints one job (imprime) on A4 and then on Letter, the paper of the printers' stand-in; the pages
// of each are examined as a reader would (InspecaoPapel: nothing amiss) and handed to confere: the
// text of each page (its lines joined by "|") and what the report drew on it.
inline void EmA4ECarta(ImpressorasSimuladas& impressoras, const std::function<void()>& imprime, const QString& rotulo,
                       const std::function<void(const QStringList&, const std::vector<TDesenhoPagina>&)>& confere)
{
    InspecaoPapel inspecao;
    for (const int papel : {9, 1}) {
        SCOPED_TRACE(papel == 9 ? "A4" : "Letter");
        impressoras.CodigoPapel = papel;
        const qsizetype antes = impressoras.Arquivos().size();
        inspecao.Desenhadas();
        imprime();
        ASSERT_EQ(impressoras.Arquivos().size(), antes + 1);
        std::vector<TDesenhoPagina> desenhadas;
        const QString pdf = impressoras.Arquivos().at(antes);
        EXPECT_EQ(inspecao.Examina(pdf, rotulo, &desenhadas), QStringList());
        confere(TextoPdf::TextosJuntos(pdf), desenhadas);
    }
}
