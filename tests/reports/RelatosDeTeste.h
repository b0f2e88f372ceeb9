#pragma once
#include <QDir>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

#include "TextoPdf.h"
#include "reports/ConferePaginas.h"
#include "model/PruvDeTeste.h"
#include "model/people/TNi.h"
#include "platform/report/printing/ImpressorasSimuladas.h"
#include "support/ProgramaDeTeste.h"

// One item to store: amounts in ten-thousandths (TMonetario::Escala is 1,00).
struct TItemDeTeste {
    const char* codigo;
    QString ni;
    const char* nome;
    qint64 rendimentoMensal = 0;   // months 1 to 12
    qint64 deducaoMensal = 0;
    qint64 impostoMensal = 0;
    qint64 decimoTerceiro = 0;       // income of month 13
    qint64 compensacaoJaneiro = 0;   // of the calendar year
    qint64 subJudiceJaneiro = 0;     // income under suspended liability
};

constexpr qint64 Reais = TMonetario::Escala;

// Stored declarations on the test's database, their reports printed to PDF files through the
// printer double, and the text of each page read back.
class RelatosDeTeste : public PruvDeTeste {
protected:
    void SetUp() override
    {
        PruvDeTeste::SetUp();
        ASSERT_TRUE(QDir().mkpath(pdfs));
    }

    void Guarda(TPruv& pruv, TPruvAnexo& dono, const TItemDeTeste& d)
    {
        TPruvItem item(pruv, dono);
        item.GetCodigoRetencao().SetCodigo(QLatin1String(d.codigo));
        pruv.GetColecaoCodigoRetencao().BuscaCodigo(item.GetCodigoRetencao(), item.GetInAnexo());
        item.GetBeneficiario().SetNi(d.ni);
        item.GetBeneficiario().Nome().SetTexto(QString::fromUtf8(d.nome));
        TRendimentosTributaveis& v = item.GetValores();
        for (int m = 1; m <= 12; ++m) {
            v.GetRendimento(m).SetValor(d.rendimentoMensal);
            v.GetDeducao(m).SetValor(d.deducaoMensal);
            v.GetImposto(m).SetValor(d.impostoMensal);
        }
        v.GetRendimento(13).SetValor(d.decimoTerceiro);
        item.GetCompensacao().GetCompensacaoAno(1).SetValor(d.compensacaoJaneiro);
        item.GetSubJudice().GetRendimento(1).SetValor(d.subJudiceJaneiro);
        ASSERT_EQ(dono.GetItens().Salva(item), TColecaoPruvItem::Inserido) << d.nome;
    }

    // A declaration of an administrator of funds, with an item of its own or none, and the annex
    // of "FUNDO BETA" with two items.
    std::unique_ptr<TPruv> ComFundo(bool itensProprios)
    {
        auto pruv = Armazenada(Matriz, "2002", 3);
        if (itensProprios)
            Guarda(*pruv, *pruv, {"0561", CpfAna, "ANA PAULA SOUZA", 100 * Reais});
        auto anexo = NovoAnexo(*pruv, Fundo, "", true);
        Guarda(*pruv, *anexo, {"6800", CpfBruno, "BRUNO COSTA LIMA", 10 * Reais});
        Guarda(*pruv, *anexo, {"6813", CnpjGama, "EMPRESA GAMA SA", 20 * Reais});
        return pruv;
    }

    void EmA4ECarta(const std::function<void()>& imprime, const QString& rotulo,
                    const std::function<void(const QStringList&, const std::vector<TDesenhoPagina>&)>& confere)
    {
        ::EmA4ECarta(impressoras, imprime, rotulo, confere);
    }

    // The pages of the i-th PDF printed, each page's lines joined by "|".
    [[nodiscard]] QStringList Paginas(int i = 0) const { return TextoPdf::TextosJuntos(impressoras.Arquivos().at(i)); }
    // The lines of one page.
    [[nodiscard]] static QStringList Linhas(const QString& pagina) { return pagina.split(QLatin1Char('|')); }
    // The first line of the page that holds the text; empty when none does.
    [[nodiscard]] static QString LinhaCom(const QString& pagina, const QString& texto)
    {
        for (const QString& l : Linhas(pagina))
            if (l.contains(texto))
                return l;
        return {};
    }

    QString pdfs = ProgramaDeTeste::Pasta() + QStringLiteral("/pdf");
    ImpressorasSimuladas impressoras{pdfs};

    const QString CpfAna = NumeroDe("100200300");
    const QString CpfBruno = NumeroDe("200300400");
    const QString CnpjGama = NumeroDe("334445550001");
};

// The masked number, as the reports print it.
inline QString Mascara(const QString& ni)
{
    return ni.size() == 11 ? FormataCpf(ni) : FormataCnpj(ni);
}
