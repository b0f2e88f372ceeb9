// The survey of the paper: every choice of the print assistant and every kind of statement,
// printed to PDF from the declarations of tests/data/papel, each page looked at as a reader
// would (InspecaoPapel) and every printed total checked against the rows it totals.

#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QVBoxLayout>
#include <QWidget>
#include <functional>
#include <iostream>
#include <map>
#include <optional>

#include "ConferenciaDados.h"
#include "DadosEsperados.h"
#include "InspecaoPapel.h"
#include "TextoPdf.h"
#include "assistants/import/TFoErrosImportCompr.h"
#include "assistants/import/TFoRelatoErrosImp.h"
#include "assistants/verification/TFrPruvVerifica.h"
#include "assistants/verification/TabelaVerifica.h"
#include "components/data/datasets/TdvTable.h"
#include "model/PruvDeTeste.h"
#include "shell/common/PapelRelatorio.h"
#include "model/items/RegrasDoItem.h"
#include "model/items/TPruvItem.h"
#include "model/people/TBeneficiarioPruv.h"
#include "model/people/TResponsavel.h"
#include "model/people/TColecaoBeneficiario.h"
#include "model/statements/TColecaoComprovante.h"
#include "model/statements/TComprovantePF.h"
#include "platform/files/TPastas.h"
#include "platform/report/printing/ImpressorasSimuladas.h"
#include "platform/report/pages/TUnidades.h"
#include "reports/receipt/ImprimeRecibo.h"
#include "reports/forms/FormularioRelato.h"
#include "reports/statements/TFoImprComprovante.h"
#include "reports/listings/TFoRelatoBenefPorCodigo.h"
#include "reports/listings/TFoRelatoDeclaracao.h"
#include "reports/listings/TFoRelatoGerencial.h"
#include "reports/listings/TFoRelatoListaBenef.h"
#include "reports/listings/TFoRelatoTotalMensalCodigo.h"
#include "support/ProgramaDeTeste.h"

namespace {

const QString PastaPapel = QStringLiteral(PRUV_PASTA_PAPEL);

using ConferenciaDados::Centavos;

// Ten-thousandths of an amount typed in a fixture ("1.234,56").
qint64 Valor(const QString& texto)
{
    return Centavos(texto) * (TMonetario::Escala / 100);
}

// A band as it was printed: its page, its print on the page and its texts by element.
struct TImpressaoBanda {
    int Pagina;
    QString Banda;
    std::map<QString, QString> Textos;
    [[nodiscard]] QString Texto(const QString& elemento) const
    {
        const auto it = Textos.find(elemento);
        return it == Textos.end() ? QString() : it->second;
    }
    [[nodiscard]] bool Tem(const QString& elemento) const { return Textos.count(elemento) > 0; }
};

std::vector<TImpressaoBanda> Impressoes(const std::vector<TDesenhoPagina>& paginas)
{
    std::vector<TImpressaoBanda> impressoes;
    for (const TDesenhoPagina& p : paginas) {
        int atual = -1;
        for (const TTracoDesenhado& t : p.Tracos) {
            if (t.Impressao != atual) {
                atual = t.Impressao;
                impressoes.push_back({p.Pagina, t.Banda, {}});
            }
            if (t.Tipo == TTracoDesenhado::TTipo::Texto)
                impressoes.back().Textos[t.Elemento] += t.Texto;
        }
    }
    return impressoes;
}

// An item typed in a fixture, as the paper must show it.
struct TItemPapel {
    QString Arquivo;   // the fixture's base name
    QString Dono;      // the fund's formatted CNPJ; empty for the declaration's own items
    QString Codigo;
    QString Ni;   // formatted
    QString Nome;
    bool SubJudice;                  // suspended amounts or a judicial deposit
    bool Decisao;                    // suspended amounts, deposit or compensations
    std::vector<int> MesesDecisao;   // the months 1 to 13 with any of them
};

// The words of a PDF page by line (boxes that share a middle), left to right.
QList<QStringList> LinhasDePalavras(const QList<TextoPdf::TPalavra>& palavras)
{
    QList<TextoPdf::TPalavra> ordenadas = palavras;
    std::sort(ordenadas.begin(), ordenadas.end(), [](const auto& a, const auto& b) {
        return std::abs(a.Caixa.center().y() - b.Caixa.center().y()) > 2 ? a.Caixa.center().y() < b.Caixa.center().y()
                                                                         : a.Caixa.left() < b.Caixa.left();
    });
    QList<QStringList> linhas;
    qreal meio = -100;
    for (const auto& p : ordenadas) {
        if (std::abs(p.Caixa.center().y() - meio) > 2) {
            linhas.append(QStringList());
            meio = p.Caixa.center().y();
        }
        linhas.last().append(p.Texto);
    }
    return linhas;
}

class LevantamentoPapelTest : public PruvDeTeste {
protected:
    void SetUp() override
    {
        PruvDeTeste::SetUp();
        ASSERT_TRUE(QDir().mkpath(pdfs));
    }

    // Reads a declaration of tests/data/papel and stores it; with preenchimento, that many
    // items of its own come first (PreenchimentoDe), moving what follows down the pages.
    std::unique_ptr<TPruv> Carrega(const QString& nome, int preenchimento = 0)
    {
        QFile arquivo(PastaPapel + QLatin1Char('/') + nome);
        EXPECT_TRUE(arquivo.open(QIODevice::ReadOnly)) << nome.toStdString();
        std::unique_ptr<TPruv> pruv;
        TPruvAnexo* dono = nullptr;
        std::unique_ptr<TAnexoFC> anexo;
        arquivoAtual = QFileInfo(nome).completeBaseName();
        fundo.clear();
        for (const QString& linha : QString::fromUtf8(arquivo.readAll()).split(QLatin1Char('\n'))) {
            if (linha.startsWith(QLatin1Char('#')) || linha.trimmed().isEmpty())
                continue;
            const QStringList c = linha.trimmed().split(QLatin1Char(';'));
            if (c[0] == QLatin1String("declaracao")) {
                const QByteArray ano = c[2].toLatin1();
                pruv = Nova(NumeroDe(c[1].toLatin1().constData()), ano.constData(), c[4].toInt());
                pruv->GetDeclarante().Nome().SetTexto(c[5]);
                pruv->SetTipoDeclaracao(c[3]);
                pruv->SetSituacaoEspecial(c.mid(6).contains(QLatin1String("especial")));
                if (c.mid(6).contains(QLatin1String("sem-responsavel")))
                    pruv->GetResponsavel().Limpa();
                colecao->Inclui(*pruv);
                dono = pruv.get();
                for (const QStringList& p : PreenchimentoDe(preenchimento))
                    Itens(*pruv, *dono, p);
            } else if (c[0] == QLatin1String("responsavel")) {
                TResponsavel& r = pruv->GetResponsavel();
                r.SetNi(NumeroDe(c[1].toLatin1().constData()));
                r.Nome().SetTexto(c[2]);
                r.Fone().DDD().SetTexto(c[3]);
                r.Fone().Numero().SetTexto(c[4]);
                r.Fone().Ramal().SetTexto(c[5]);
                r.Fax().Numero().SetTexto(c[6]);
                r.Email().SetTexto(c[7]);
                colecao->Atualiza(*pruv);
            } else if (c[0] == QLatin1String("anexo")) {
                anexo = NovoAnexo(*pruv, NumeroDe(c[1].toLatin1().constData()));
                fundo = anexo->GetDeclarante().GetNiFormatado();
                anexo->GetDeclarante().Nome().SetTexto(c[2]);
                pruv->GetColecaoAnexo().Salva(*anexo);
                anexosDe[arquivoAtual].push_back(anexo.get());
                anexos.push_back(std::move(anexo));
                dono = anexos.back().get();
            } else if (c[0] == QLatin1String("item")) {
                Itens(*pruv, *dono, c);
            } else if (c[0] == QLatin1String("comprovante")) {
                Comprovante(*pruv, c);
            }
        }
        return pruv;
    }

    // n people under 0561, first in the order of the beneficiaries and of the codes (a row each
    // in the list and the analytic totals), and one under 0588 with amounts under a court
    // decision in n % 13 months (a taller row, and as many taller months in the monthly totals).
    static QList<QStringList> PreenchimentoDe(int n)
    {
        QList<QStringList> linhas;
        if (n > 0)
            linhas << QStringLiteral("item;0561;000100200;PESSOA DE PREENCHIMENTO;rend=100,00;imp=10,00;repete=%1")
                          .arg(n)
                          .split(QLatin1Char(';'));
        if (n % 13 > 0)
            linhas << QStringLiteral("item;0588;000100100;PESSOA COM DECISÃO;rend=100,00;sjrend=1,00;meses=%1")
                          .arg(n % 13)
                          .split(QLatin1Char(';'));
        return linhas;
    }

    static QHash<QString, QString> Chaves(const QStringList& campos, int de)
    {
        QHash<QString, QString> chaves;
        for (int i = de; i < campos.size(); ++i)
            chaves.insert(campos[i].section(QLatin1Char('='), 0, 0), campos[i].section(QLatin1Char('='), 1));
        return chaves;
    }

    void Itens(TPruv& pruv, TPruvAnexo& dono, const QStringList& c)
    {
        const auto v = Chaves(c, 4);
        const int repete = v.value(QStringLiteral("repete"), QStringLiteral("1")).toInt();
        const int meses = v.value(QStringLiteral("meses"), QStringLiteral("12")).toInt();
        // "1.000,00/1.100,00": month 1, month 2, and the last for the months after.
        int mesAtual = 1;
        const auto valor = [&v, &mesAtual](const char* chave) {
            const QStringList porMes = v.value(QLatin1String(chave), QStringLiteral("0,00")).split(QLatin1Char('/'));
            return Valor(porMes[std::min<qsizetype>(mesAtual, porMes.size()) - 1]);
        };
        for (int n = 0; n < repete; ++n) {
            TPruvItem item(pruv, dono);
            item.GetCodigoRetencao().SetCodigo(c[1]);
            pruv.GetColecaoCodigoRetencao().BuscaCodigo(item.GetCodigoRetencao(), item.GetInAnexo());
            const qint64 raiz = c[2].toLongLong() + n;
            const QByteArray texto = QByteArray::number(raiz).rightJustified(c[2].size(), '0');
            item.GetBeneficiario().SetNi(NumeroDe(texto.constData()));
            // Names take no digits: the copies are told apart by letters.
            const QString sufixo = QString(QChar(u'A' + n / 26)) + QChar(u'A' + n % 26);
            item.GetBeneficiario().Nome().SetTexto(repete == 1 ? c[3] : c[3] + QLatin1Char(' ') + sufixo);
            TRendimentosTributaveis& r = item.GetValores();
            for (int m = 1; m <= meses; ++m) {
                mesAtual = m;
                r.GetRendimento(m).SetValor(valor("rend"));
                r.GetDeducao(m).SetValor(valor("ded"));
                r.GetImposto(m).SetValor(valor("imp"));
                item.GetCompensacao().GetCompensacaoAno(m).SetValor(valor("compano"));
                item.GetCompensacao().GetCompensacaoAnosAnteriores(m).SetValor(valor("compant"));
                TSubJudice& sj = item.GetSubJudice();
                sj.GetRendimento(m).SetValor(valor("sjrend"));
                sj.GetDeducao(m).SetValor(valor("sjded"));
                sj.GetImposto(m).SetValor(valor("sjimp"));
                sj.GetDeposito(m).SetValor(valor("sjdep"));
            }
            mesAtual = 1;
            r.GetRendimento(13).SetValor(valor("r13"));
            r.GetDeducao(13).SetValor(valor("d13"));
            r.GetImposto(13).SetValor(valor("i13"));
            TSubJudice& sj13 = item.GetSubJudice();
            sj13.GetRendimento(13).SetValor(valor("sjr13"));
            sj13.GetDeducao(13).SetValor(valor("sjd13"));
            sj13.GetImposto(13).SetValor(valor("sji13"));
            sj13.GetDeposito(13).SetValor(valor("sjdep13"));
            // What the paper must show of the court: read from the values set, month by month.
            TItemPapel papel{arquivoAtual, fundo, c[1], QString(), item.GetBeneficiario().Nome().GetTexto(),
                             false,        false, {}};
            for (int m = 1; m <= 13; ++m) {
                const TSubJudice& sj = item.GetSubJudice();
                const bool suspenso = sj.GetRendimento(m).GetValor() != 0 || sj.GetDeducao(m).GetValor() != 0
                    || sj.GetImposto(m).GetValor() != 0 || sj.GetDeposito(m).GetValor() != 0;
                const bool decisao = suspenso || item.GetCompensacao().GetCompensacaoAno(m).GetValor() != 0
                    || item.GetCompensacao().GetCompensacaoAnosAnteriores(m).GetValor() != 0;
                papel.SubJudice = papel.SubJudice || suspenso;
                papel.Decisao = papel.Decisao || decisao;
                // The monthly totals print the 13th month only for a code that keeps it.
                if (decisao && (m < 13 || RegrasDoItem::MantemDecimoTerceiro(item)))
                    papel.MesesDecisao.push_back(m);
            }
            ASSERT_EQ(dono.GetItens().Salva(item), TColecaoPruvItem::Inserido)
                << c.join(QLatin1Char(';')).toStdString();
            papel.Ni = item.GetBeneficiario().GetNiFormatado();
            itensPapel.push_back(papel);
        }
    }

    void Comprovante(TPruv& pruv, const QStringList& c)
    {
        const auto v = Chaves(c, 2);
        TBeneficiarioPruv beneficiario(&pruv);
        beneficiario.SetNi(NumeroDe(c[1].toLatin1().constData()));
        if (v.contains(QStringLiteral("recusado")))
            recusados.insert(arquivoAtual + QLatin1Char('|') + beneficiario.GetNiFormatado());
        TComprovantePF pf(beneficiario);
        pruv.GetColecaoComprovante().Carrega(pf);
        pf.GetNatureza().SetTexto(v.value(QStringLiteral("natureza")));
        const auto valor = [&v](const char* chave) {
            return Valor(v.value(QLatin1String(chave), QStringLiteral("0,00")));
        };
        // The lines the user types, by box and line as kept ("q4l8" prints as line 07).
        for (const auto& [chave, linha] :
             std::initializer_list<std::pair<const char*, TMonetario*>>{{"q3l2", &pf.GetQuadro3().GetLinha2()},
                                                                        {"q3l3", &pf.GetQuadro3().GetLinha3()},
                                                                        {"q3l4", &pf.GetQuadro3().GetLinha4()},
                                                                        {"q4l1", &pf.GetQuadro4().GetLinha1()},
                                                                        {"q4l2", &pf.GetQuadro4().GetLinha2()},
                                                                        {"q4l3", &pf.GetQuadro4().GetLinha3()},
                                                                        {"q4l4", &pf.GetQuadro4().GetLinha4()},
                                                                        {"q4l5", &pf.GetQuadro4().GetLinha5()},
                                                                        {"q4l7", &pf.GetQuadro4().GetLinha7()},
                                                                        {"q4l8", &pf.GetQuadro4().GetLinha8()}})
            linha->SetValor(valor(chave));
        pf.GetQuadro4().GetDescricaoLinha8().SetTexto(v.value(QStringLiteral("desc8")));
        // "\n" in the fixture is a line break the user typed.
        pf.GetInformacoesComplementares().SetTexto(
            v.value(QStringLiteral("info")).replace(QStringLiteral("\\n"), QStringLiteral("\n")));
        pruv.GetColecaoComprovante().Salva(pf);
    }

    // Runs one print choice and examines every file it printed; rotulo names the document.
    // guarda, when given, reads the words of the whole print against what it reports.
    using TGuarda = std::function<QStringList(const std::vector<QList<TextoPdf::TPalavra>>&)>;
    void Imprime(const QString& rotulo, const std::function<void()>& imprime, const TGuarda& guarda = {})
    {
        const qsizetype antes = impressoras.Arquivos().size();
        const qsizetype mensagens = dialogos.Textos().size();
        inspecao.Desenhadas();
        try {
            imprime();
        } catch (const std::exception& e) {
            // The main window would show it, and the paper would stay blank.
            falhas << rotulo + QStringLiteral(": a impressão parou: ") + QString::fromUtf8(e.what());
        }
        const qsizetype depois = impressoras.Arquivos().size();
        if (depois == antes)
            falhas << rotulo + QStringLiteral(": nada impresso");
        for (const QString& m : dialogos.Textos().mid(mensagens))
            falhas << rotulo + QStringLiteral(": mensagem ao imprimir: ") + m;
        std::vector<TDesenhoPagina> todas = inspecao.Desenhadas();
        std::vector<QList<TextoPdf::TPalavra>> palavrasDoTrabalho;
        std::size_t usadas = 0;
        for (qsizetype i = antes; i < depois; ++i) {
            const QString arquivo = impressoras.Arquivos()[i];
            if (!QFile::exists(arquivo))
                continue;   // a job that received no page (its statement was listed as not printed)
            const int n = TextoPdf::QuantidadePaginas(arquivo);
            std::vector<TDesenhoPagina> paginas;
            for (int p = 0; p < n && usadas < todas.size(); ++p)
                paginas.push_back(std::move(todas[usadas++]));
            const QString nome = rotulo + QStringLiteral(" [%1]").arg(QFileInfo(arquivo).completeBaseName());
            const QList<TextoPdf::TPalavra> palavras = TextoPdf::Palavras(arquivo);
            QHash<int, QList<TextoPdf::TPalavra>> porPagina;
            for (const auto& p : palavras)
                porPagina[p.Pagina].append(p);
            if (int(paginas.size()) != n)
                falhas << nome
                        + QStringLiteral(": o PDF tem %1 páginas, o relatório desenhou %2").arg(n).arg(paginas.size());
            for (std::size_t p = 0; p < paginas.size(); ++p)
                falhas << InspecaoPapel::ExaminaPagina(nome, int(p) + 1, porPagina.value(int(p) + 1), paginas[p],
                                                       p > 0 ? &paginas[p - 1] : nullptr,
                                                       p + 1 < paginas.size() ? &paginas[p + 1] : nullptr);
            for (int p = 1; p <= n; ++p)
                palavrasDoTrabalho.push_back(porPagina.value(p));
            falhas << Totais(nome, paginas);
            falhas << Documento(nome, rotulo, paginas, porPagina);
            ++documentos;
            paginasExaminadas += n;
            if (DocumentoDe(rotulo) != ConferenciaDados::TDocumento::Comprovantes)
                maisPaginas = std::max(maisPaginas, std::pair{n, rotulo});
        }
        if (const auto documento = DocumentoDe(rotulo); documento && esperados)
            falhas << ConferenciaDados::Confere(rotulo, *documento, *esperados, palavrasDoTrabalho, pedidos);
        if (guarda)
            falhas << guarda(palavrasDoTrabalho);
    }

    // The kind of document a print choice gives, for the guard that reads it against the data.
    static std::optional<ConferenciaDados::TDocumento> DocumentoDe(const QString& rotulo)
    {
        using D = ConferenciaDados::TDocumento;
        static const std::pair<const char*, D> tipos[] = {{"Declaração Completa", D::Declaracao},
                                                          {"Lista de Beneficiários", D::Lista},
                                                          {"sintético", D::Sintetico},
                                                          {"analítico", D::Analitico},
                                                          {"Total Mensal por Código", D::Mensal},
                                                          {"/ Comprovante", D::Comprovantes}};
        for (const auto& [final, tipo] : tipos)
            if (tipo == D::Comprovantes ? rotulo.contains(QString::fromUtf8(final))
                                        : rotulo.endsWith(QString::fromUtf8(final)))
                return tipo;
        return std::nullopt;
    }

    // The totals printed against the rows they total.
    static QStringList Totais(const QString& nome, const std::vector<TDesenhoPagina>& paginas)
    {
        QStringList erros;
        const auto impressoes = Impressoes(paginas);
        const auto confere = [&](const TImpressaoBanda& b, const QString& elemento, qint64 soma, qint64 linhas) {
            const qint64 impresso = Centavos(b.Texto(elemento));
            if (linhas > 0 && impresso != soma)
                erros << QStringLiteral("%1, página %2, palavra \"%3\": total %4 difere da soma das linhas %5")
                             .arg(nome)
                             .arg(b.Pagina)
                             .arg(b.Texto(elemento), elemento)
                             .arg(soma);
        };
        // The declaration: each column's total under its twelve months, in the band itself.
        for (const TImpressaoBanda& b : impressoes) {
            const bool detalhe = b.Banda == QLatin1String("QRBDetalhe") && b.Tem(QStringLiteral("QRLMes1"));
            const bool sj = b.Banda == QLatin1String("QRCBSubJudice");
            if (!detalhe && !sj)
                continue;
            const QString prefixo = detalhe ? QStringLiteral("QRLValor") : QStringLiteral("QRLValorSJ");
            for (int coluna = 0; coluna < 5; ++coluna) {
                const QString total = prefixo + QStringLiteral("%1_14").arg(coluna);
                if (!b.Tem(total))
                    continue;
                qint64 soma = 0;
                for (int mes = 1; mes <= 12; ++mes)
                    soma += std::max<qint64>(0,
                                             Centavos(b.Texto(prefixo + QStringLiteral("%1_%2").arg(coluna).arg(mes))));
                confere(b, total, soma, 1);
            }
        }
        // Group footers of the totals by code and of the monthly totals: the rows since the last
        // footer (the court-decision part of a month in its child band).
        static const char* const colunas[] = {"Rendimentos", "Deducoes", "Imposto"};
        std::map<QString, qint64> somas;
        qint64 linhas = 0;
        for (const TImpressaoBanda& b : impressoes) {
            if (b.Banda == QLatin1String("QRSubDetail") || b.Banda == QLatin1String("QRSubDetail1")) {
                ++linhas;
                for (const char* c : colunas)
                    somas[QLatin1String(c)] += std::max<qint64>(
                        0, Centavos(b.Texto(QStringLiteral("QRL") + QLatin1String(c))));
            }
            if (b.Banda == QLatin1String("QRSubDetail") || b.Banda == QLatin1String("ChildBand1"))
                for (int i = 0; i < 6; ++i)
                    somas[QStringLiteral("J%1").arg(i)] += std::max<qint64>(
                        0, Centavos(b.Texto(QStringLiteral("QRLJudicialValor%1").arg(i))));
            if (b.Banda == QLatin1String("QRBRodapeGrupo")) {
                for (const char* c : colunas)
                    confere(b, QStringLiteral("QRLTotal") + QLatin1String(c), somas[QLatin1String(c)], linhas);
                for (int i = 0; i < 6; ++i)
                    if (b.Tem(QStringLiteral("QRLTotalJudicialValor%1").arg(i)))
                        confere(b, QStringLiteral("QRLTotalJudicialValor%1").arg(i),
                                somas[QStringLiteral("J%1").arg(i)], linhas);
                if (b.Tem(QStringLiteral("QRLQuantidade")) && linhas > 0
                    && b.Texto(QStringLiteral("QRLQuantidade")).toLongLong() != linhas)
                    erros << QStringLiteral("%1, página %2, palavra \"%3\": %4 linhas no grupo")
                                 .arg(nome)
                                 .arg(b.Pagina)
                                 .arg(b.Texto(QStringLiteral("QRLQuantidade")))
                                 .arg(linhas);
                somas.clear();
                linhas = 0;
            }
        }
        // The pending items: the totals of errors and warnings count the rows printed.
        int erros_ = 0;
        int avisos = 0;
        for (const TImpressaoBanda& b : impressoes) {
            erros_ += b.Texto(QStringLiteral("QrdbErros")).startsWith(QLatin1String("ERRO :"));
            avisos += b.Texto(QStringLiteral("QrdbErros")).startsWith(QLatin1String("AVISO:"));
            for (const auto& [elemento, contagem] :
                 {std::pair{QStringLiteral("QrlNumErros"), erros_}, std::pair{QStringLiteral("QrlNumAvisos"), avisos}})
                if (b.Tem(elemento) && b.Texto(elemento).toInt() != contagem)
                    erros << QStringLiteral("%1, página %2, palavra \"%3\": %4 linhas impressas")
                                 .arg(nome)
                                 .arg(b.Pagina)
                                 .arg(b.Texto(elemento))
                                 .arg(contagem);
        }
        return erros;
    }

    // What a reader checks across a document: each value under its column's title, page numbers
    // right and in Portuguese, numbers in their masks, the bands the data call for, each fund's
    // items under its own header, and no group header or total alone at a page break.
    QStringList Documento(const QString& nome, const QString& rotulo, const std::vector<TDesenhoPagina>& paginas,
                          const QHash<int, QList<TextoPdf::TPalavra>>& porPagina) const
    {
        QStringList achados;
        const auto falha = [&](int pagina, const QString& palavra, const QString& texto) {
            achados << QStringLiteral("%1, página %2, palavra \"%3\": %4").arg(nome).arg(pagina).arg(palavra, texto);
        };
        const int total = int(paginas.size());
        const bool declaracao = rotulo.endsWith(QStringLiteral("Declaração Completa"));
        const bool lista = rotulo.endsWith(QStringLiteral("Lista de Beneficiários"));
        const bool analitico = rotulo.endsWith(QStringLiteral("analítico"));
        const bool sintetico = rotulo.endsWith(QStringLiteral("sintético"));
        const bool mensal = rotulo.endsWith(QStringLiteral("Total Mensal por Código"));

        // Each value under its column's title: its right edge where the title's ends.
        static const std::pair<QRegularExpression, QString> colunas[] = {
            {QRegularExpression(QStringLiteral("^QRL(?:Total)?(Rendimentos|Deducoes|Imposto)$")),
             QStringLiteral("QRLTitulo\\1")},
            {QRegularExpression(QStringLiteral("^QRLValor(\\d)_\\d+$")), QStringLiteral("QRLTitulo\\1")},
            {QRegularExpression(QStringLiteral("^QRLValorSJ(\\d)_\\d+$")), QStringLiteral("QRLTituloSJ\\1")},
            {QRegularExpression(QStringLiteral("^QRL(Total)?JudicialValor(\\d)$")),
             QStringLiteral("QRL\\1JudicialTitulo\\2")},
        };
        for (const TDesenhoPagina& p : paginas) {
            for (const TTracoDesenhado& v : p.Tracos) {
                if (v.Tipo != TTracoDesenhado::TTipo::Texto
                    || !(declaracao || lista || analitico || sintetico || mensal))
                    continue;
                for (const auto& [padrao, titulo] : colunas) {
                    const auto m = padrao.match(v.Elemento);
                    if (!m.hasMatch())
                        continue;
                    QString nomeTitulo = titulo;
                    for (int g = 1; g <= padrao.captureCount(); ++g)
                        nomeTitulo.replace(QStringLiteral("\\%1").arg(g), m.captured(g));
                    const TTracoDesenhado* achado = nullptr;
                    for (const TTracoDesenhado& t : p.Tracos)
                        if (t.Elemento == nomeTitulo && (achado == nullptr || t.Impressao == v.Impressao))
                            achado = &t;
                    if (achado == nullptr)
                        falha(p.Pagina, v.Texto, QStringLiteral("valor sem o título %1 da sua coluna").arg(nomeTitulo));
                    else if (std::abs(TUnidades::ParaPontos(achado->Caixa.right() - v.Caixa.right())) > 3)
                        falha(p.Pagina, v.Texto,
                              QStringLiteral("fora da coluna de \"%1\" (%2 pt)")
                                  .arg(achado->Texto)
                                  .arg(TUnidades::ParaPontos(v.Caixa.right() - achado->Caixa.right()), 0, 'f', 1));
                    break;
                }
            }
        }

        // A name prints whole wherever it stands (a header, a title, a box): only the name column
        // of a listing's rows stops short of the column after it.
        for (const TDesenhoPagina& p : paginas)
            for (const TTracoDesenhado& t : p.Tracos) {
                if (t.Tipo != TTracoDesenhado::TTipo::Texto || t.TextoInteiro.isEmpty()
                    || t.TextoInteiro.trimmed() == t.Texto.trimmed() || !t.Elemento.contains(QStringLiteral("Nome")))
                    continue;
                if ((lista || analitico) && t.Elemento == QStringLiteral("QRLNomeBenef"))
                    continue;
                falha(p.Pagina, t.Texto.simplified(),
                      QStringLiteral("nome cortado, de \"%1\" (%2)").arg(t.TextoInteiro.simplified(), t.Elemento));
            }

        // A text shrunk to be held whole in its room (it fills it, smaller than the texts beside it
        // on its line) stands on their baseline, as a reader follows a line.
        for (const TDesenhoPagina& p : paginas)
            for (const TTracoDesenhado& t : p.Tracos) {
                if (t.Tipo != TTracoDesenhado::TTipo::Texto || t.Recorte.isNull()
                    || t.TextoInteiro.simplified() != t.Texto.simplified() || t.Caixa.width() < t.Recorte.width() * 0.9)
                    continue;
                const auto linhas = std::count_if(p.Tracos.begin(), p.Tracos.end(), [&t](const TTracoDesenhado& o) {
                    return o.Impressao == t.Impressao && o.Elemento == t.Elemento;
                });
                if (linhas != 1)
                    continue;   // a text of several lines (a memo) has no one baseline
                for (const TTracoDesenhado& o : p.Tracos) {
                    if (o.Tipo != TTracoDesenhado::TTipo::Texto || o.Impressao != t.Impressao
                        || o.Nucleo.height() < t.Nucleo.height() * 1.05 || o.Caixa.top() > t.Nucleo.bottom()
                        || o.Caixa.bottom() < t.Nucleo.top())
                        continue;
                    const qreal diferenca = TUnidades::ParaPontos(t.Nucleo.bottom() - o.Nucleo.bottom());
                    if (std::abs(diferenca) > 0.6)
                        falha(p.Pagina, t.Texto.simplified(),
                              QStringLiteral("fora da linha de base de \"%1\" (%2 pt, %3)")
                                  .arg(o.Texto.simplified())
                                  .arg(diferenca, 0, 'f', 1)
                                  .arg(t.Elemento));
                }
            }

        // Each part of a company's monthly line in its own column: inside the cell, between the
        // rules of its row, that holds its column's title in the table's header.
        if (rotulo.contains(QStringLiteral("/ Comprovante"))) {
            static const std::map<QString, QString> colunaDe{
                {QStringLiteral("PJMes"), QStringLiteral("Coluna1")},
                {QStringLiteral("PJCodigo"), QStringLiteral("Coluna2")},
                {QStringLiteral("PJDescricao"), QStringLiteral("Coluna3")},
                {QStringLiteral("PJRendimento"), QStringLiteral("Coluna4")},
                {QStringLiteral("PJImposto"), QStringLiteral("Coluna5")}};
            static const QSet<QString> cabecalhos{QStringLiteral("PJQuadro03"), QStringLiteral("IN4Quadro03"),
                                                  QStringLiteral("headerPJ"), QStringLiteral("headerIN4")};
            std::map<QString, std::pair<QString, QRectF>> titulos;   // of the last table header, by column
            int impressaoTitulos = -1;
            for (const TDesenhoPagina& p : paginas) {
                // Each page's lines under the titles printed on that page.
                titulos.clear();
                impressaoTitulos = -1;
                for (const TTracoDesenhado& t : p.Tracos) {
                    if (cabecalhos.contains(t.Banda) && t.Tipo == TTracoDesenhado::TTipo::Texto
                        && t.Elemento.startsWith(QStringLiteral("Coluna"))) {
                        if (t.Impressao != impressaoTitulos)
                            titulos.clear();
                        impressaoTitulos = t.Impressao;
                        auto& [texto, caixa] = titulos[t.Elemento];
                        texto = (texto + QLatin1Char(' ') + t.Texto).simplified();
                        caixa = caixa.united(t.Caixa);
                    }
                    const auto coluna = colunaDe.find(t.Elemento);
                    if (t.Banda != QStringLiteral("PJRendimentos") || t.Tipo != TTracoDesenhado::TTipo::Texto
                        || coluna == colunaDe.end())
                        continue;
                    const auto titulo = titulos.find(coluna->second);
                    if (titulo == titulos.end()) {
                        falha(p.Pagina, t.Texto, QStringLiteral("linha sem o título da sua coluna acima"));
                        continue;
                    }
                    // The cell: the row's rules on either side of the title.
                    qreal esquerda = -1e9;
                    qreal direita = 1e9;
                    for (const TTracoDesenhado& r : p.Tracos)
                        if (r.Impressao == t.Impressao && r.Tipo == TTracoDesenhado::TTipo::Linha
                            && r.Caixa.width() == 0) {
                            if (r.Caixa.left() <= titulo->second.second.center().x())
                                esquerda = std::max(esquerda, r.Caixa.left());
                            else
                                direita = std::min(direita, r.Caixa.left());
                        }
                    if (t.Caixa.left() < esquerda || t.Caixa.right() > direita)
                        falha(p.Pagina, t.Texto,
                              QStringLiteral("fora da coluna de \"%1\" (%2)").arg(titulo->second.first, t.Elemento));
                }
            }
        }

        // Page numbers: "Página N" of this page, "de M" of this document; no English.
        const bool proprios = rotulo.contains(QStringLiteral("/ Comprovante"));   // numbered inside each statement
        bool numerado = false;
        for (int pg = 1; pg <= total; ++pg) {
            bool achou = false;
            for (const QStringList& linha : LinhasDePalavras(porPagina.value(pg))) {
                for (qsizetype i = 0; i < linha.size(); ++i) {
                    const QString& w = linha[i];
                    if (w == QStringLiteral("Page") || w == QStringLiteral("of") || w == QStringLiteral("Date:"))
                        falha(pg, w, QStringLiteral("em inglês"));
                    if ((w != QStringLiteral("Página") && w != QStringLiteral("Página:")) || i + 1 >= linha.size())
                        continue;
                    bool ok = false;
                    const int n = linha[i + 1].toInt(&ok);
                    if (!ok)
                        continue;
                    achou = true;
                    if (!proprios && n != pg)
                        falha(pg, linha[i + 1], QStringLiteral("número de página %1 na página %2").arg(n).arg(pg));
                    if (i + 3 < linha.size() && linha[i + 2] == QStringLiteral("de") && linha[i + 3].toInt() != total)
                        falha(pg, linha[i + 3],
                              QStringLiteral("total de páginas %1 num documento de %2").arg(linha[i + 3]).arg(total));
                }
            }
            if (numerado && !achou && !proprios)
                falha(pg, QString(), QStringLiteral("página sem o seu número"));
            numerado = numerado || achou;
        }

        // A CPF or a CNPJ is printed in its mask (the import errors echo the lines they read).
        if (!rotulo.startsWith(QStringLiteral("Erros de Importação"))) {
            static const QRegularExpression semMascara(QStringLiteral("^\\d{11}$|^\\d{14}$"));
            for (const auto& palavras : porPagina)
                for (const auto& w : palavras)
                    if (semMascara.match(w.Texto).hasMatch())
                        falha(w.Pagina, w.Texto, QStringLiteral("CPF ou CNPJ sem a máscara"));
        }

        // The person responsible signs under the statement's last information, never alone on a page.
        if (proprios)
            for (const TDesenhoPagina& p : paginas) {
                bool outra = false;
                bool quadro7 = false;
                for (const TTracoDesenhado& t : p.Tracos)
                    if (t.NoCorpo && !t.NoTopo) {
                        quadro7 = quadro7 || t.Banda == QStringLiteral("Quadro07");
                        outra = outra || t.Banda != QStringLiteral("Quadro07");
                    }
                if (quadro7 && !outra)
                    falha(p.Pagina, QStringLiteral("RESPONSÁVEL"),
                          QStringLiteral("o quadro do responsável sozinho na página"));
            }

        // The bands each item calls for, and each fund's items under its own header.
        const QString arquivo = rotulo.section(QStringLiteral(" / "), 0, 0);
        std::vector<const TItemPapel*> itens;
        QHash<QString, QString> donos;   // NI -> fund CNPJ, when one owner only
        QSet<QString> ambiguos;
        for (const TItemPapel& i : itensPapel)
            if (i.Arquivo == arquivo) {
                itens.push_back(&i);
                if (donos.contains(i.Ni) && donos.value(i.Ni) != i.Dono)
                    ambiguos.insert(i.Ni);
                donos.insert(i.Ni, i.Dono);
            }
        if (itens.empty())
            return achados;
        const auto conta = [&](const QString& banda, const QString& elemento) {
            int n = 0;
            for (const auto& b : Impressoes(paginas))
                n += b.Banda == banda && (elemento.isEmpty() || b.Tem(elemento));
            return n;
        };
        const auto espera = [&](const QString& oque, int impressas, int esperadas) {
            if (impressas != esperadas)
                falha(total, oque, QStringLiteral("%1 impressões, os dados pedem %2").arg(impressas).arg(esperadas));
        };
        const auto quantos = [&](auto condicao) { return int(std::count_if(itens.begin(), itens.end(), condicao)); };
        if (declaracao) {
            espera(QStringLiteral("QRBDetalhe"), conta(QStringLiteral("QRBDetalhe"), QStringLiteral("QRLCodigo")),
                   int(itens.size()));
            espera(QStringLiteral("QRCBSubJudice"), conta(QStringLiteral("QRCBSubJudice"), QString()),
                   quantos([](const TItemPapel* i) { return i->SubJudice; }));
        }
        if (lista) {
            espera(QStringLiteral("QRBDetalhe"), conta(QStringLiteral("QRBDetalhe"), QStringLiteral("QRLCPFBenef")),
                   int(itens.size()));
            espera(QStringLiteral("Valores de Decisão Judicial"),
                   conta(QStringLiteral("QRBDetalhe"), QStringLiteral("QRLJudicialTituloJudicial")),
                   quantos([](const TItemPapel* i) { return i->Decisao; }));
        }
        if (analitico)
            espera(QStringLiteral("QRSubDetail"), conta(QStringLiteral("QRSubDetail"), QStringLiteral("QRLCPFBenef")),
                   int(itens.size()));
        if (mensal) {
            // A month with court-decision values of any item of its code and section.
            QSet<QString> meses;
            for (const TItemPapel* i : itens)
                for (int m : i->MesesDecisao)
                    meses.insert(i->Dono + QLatin1Char('|') + i->Codigo + QLatin1Char('|') + QString::number(m));
            espera(QStringLiteral("ChildBand1"), conta(QStringLiteral("ChildBand1"), QString()), int(meses.size()));
        }
        for (const TDesenhoPagina& p : paginas) {
            QString fundoDaPagina;
            for (const TTracoDesenhado& t : p.Tracos)
                if (t.Elemento == QStringLiteral("QRLCnpjFundo"))
                    fundoDaPagina = t.Texto;
            if (declaracao || lista || analitico)
                for (const TTracoDesenhado& t : p.Tracos)
                    if (t.Elemento == QStringLiteral("QRLCPFBenef") && donos.contains(t.Texto)
                        && !ambiguos.contains(t.Texto) && donos.value(t.Texto) != fundoDaPagina)
                        falha(p.Pagina, t.Texto,
                              QStringLiteral("item de \"%1\" sob o cabeçalho de \"%2\"")
                                  .arg(donos.value(t.Texto), fundoDaPagina));
        }

        // A code's header goes with its first row, its total with its last.
        if (analitico || sintetico || mensal) {
            const QString cabecalho = mensal ? QStringLiteral("QRBDetalhe") : QStringLiteral("QRGrupoCodigo");
            for (const TDesenhoPagina& p : paginas) {
                QString primeira;
                QString ultima;
                for (const TTracoDesenhado& t : p.Tracos) {
                    if (!t.NoCorpo || t.NoTopo)
                        continue;
                    if (primeira.isEmpty())
                        primeira = t.Banda;
                    ultima = t.Banda;
                }
                if (ultima == cabecalho && p.Pagina < total)
                    falha(p.Pagina, QStringLiteral("Código:"),
                          QStringLiteral("cabeçalho do código sozinho no pé da página"));
                if (primeira == QStringLiteral("QRBRodapeGrupo"))
                    falha(p.Pagina, QStringLiteral("Total"),
                          QStringLiteral("total do código abre a página sem linha do seu código"));
            }
        }

        // A page that holds a code's rows names that code above them, on the page itself.
        if (analitico || mensal) {
            const QString cabecalho = mensal ? QStringLiteral("QRBDetalhe") : QStringLiteral("QRGrupoCodigo");
            const QString linha = mensal ? QStringLiteral("QRSubDetail1") : QStringLiteral("QRSubDetail");
            QString codigo;   // of the rows that follow: the last header printed in the body
            for (const TDesenhoPagina& p : paginas) {
                QString nomeado;   // the last code named on this page
                bool linhaVista = false;
                for (const TTracoDesenhado& t : p.Tracos) {
                    if (t.Banda == cabecalho && t.Elemento == QStringLiteral("QRLCodigo")) {
                        if (!t.NoTopo)
                            codigo = t.Texto;
                        nomeado = t.Texto;
                    } else if (t.Banda == linha && !linhaVista) {
                        linhaVista = true;
                        if (nomeado != codigo)
                            falha(p.Pagina, codigo,
                                  nomeado.isEmpty()
                                      ? QStringLiteral("linhas do código sem o seu cabeçalho na página")
                                      : QStringLiteral("linhas do código sob o cabeçalho do código %1").arg(nomeado));
                    }
                }
            }
        }

        // The list's closing total keeps the list's last row on its page.
        if (lista) {
            int paginaTotal = 0;
            QSet<int> comLinhas;
            for (const TDesenhoPagina& p : paginas)
                for (const TTracoDesenhado& t : p.Tracos) {
                    if (t.Banda == QStringLiteral("QRBSumario"))
                        paginaTotal = p.Pagina;
                    if (t.Banda == QStringLiteral("QRBDetalhe") && !t.NoTopo)
                        comLinhas.insert(p.Pagina);
                }
            if (paginaTotal > 0 && !comLinhas.isEmpty() && !comLinhas.contains(paginaTotal))
                falha(paginaTotal, QStringLiteral("Total de beneficiários"),
                      QStringLiteral("total da lista sozinho na página, sem a última linha"));
        }
        return achados;
    }

    // Every choice of the print assistant for one stored declaration; without declaracao, all but
    // the declaration report.
    void ImprimeTudo(const QString& arquivo, TPruv& pruv, bool declaracao = true)
    {
        const QString d = QFileInfo(arquivo).completeBaseName();
        esperados = DadosEsperados::Le(pruv, anexosDe[d]);
        for (const auto& [ni, comprovante] : esperados->Comprovantes) {
            pedidos << ni;
            // A statement goes to the not-printed list only where its fixture says it must.
            if (comprovante.Imprime == recusados.contains(d + QLatin1Char('|') + ni))
                falhas << QStringLiteral("%1 / Comprovantes: o comprovante de %2 %3")
                              .arg(d, ni,
                                   comprovante.Imprime
                                       ? QStringLiteral("pode ser impresso, mas o seu arquivo o dá por recusado")
                                       : QStringLiteral("não pode ser impresso (as deduções digitadas "
                                                        "passam as da declaração), e o seu arquivo "
                                                        "não o dá por recusado"));
        }
        Imprime(d + QStringLiteral(" / Totais por Código, sintético"),
                [&] { ImprimeRelatoBenefPorCodigo(pruv, *colecao, false, false); });
        Imprime(d + QStringLiteral(" / Totais por Código, analítico"),
                [&] { ImprimeRelatoBenefPorCodigo(pruv, *colecao, false, true); });
        Imprime(d + QStringLiteral(" / Lista de Beneficiários"),
                [&] { ImprimeRelatoListaBenef(pruv, *colecao, false); });
        Imprime(d + QStringLiteral(" / Total Mensal por Código"),
                [&] { ImprimeRelatoTotalMensalCodigo(pruv, *colecao, false); });
        if (declaracao)
            Imprime(d + QStringLiteral(" / Declaração Completa"),
                    [&] { ImprimeRelatoDeclaracao(pruv, *colecao, false); });
        if (pruv.GetAno() >= QLatin1String("2001")) {
            Imprime(d + QStringLiteral(" / Comprovantes"),
                    [&] { TFoImprComprovante::ImprimeComprovantes(pruv, QString(), false); });
            TBeneficiarioPruv primeiro(&pruv);
            pruv.GetColecaoBeneficiario().PrimeiroRegistro(primeiro);
            pedidos = QStringList{primeiro.GetNiFormatado()};
            Imprime(d + QStringLiteral(" / Comprovante de um beneficiário"),
                    [&] { TFoImprComprovante::ImprimeComprovantes(pruv, primeiro.GetNi(), false); });
        }
        // The pending items against the verification table the frame filled and its counters.
        std::vector<ConferenciaDados::TPendencia> pendencias;
        int numErros = 0;
        int numAvisos = 0;
        Imprime(
            d + QStringLiteral(" / Verificação de Pendências"),
            [&] {
                QWidget janela;
                auto* frame = new TFrPruvVerifica(&janela);
                (new QVBoxLayout(&janela))->addWidget(frame);
                frame->Chaves = {pruv.GetAno() + pruv.GetDeclarante().GetRaiz()};
                int quantidade = 0;
                frame->Verifica(quantidade);
                frame->Imprime(false);
                TdvTable& tabela = frame->Tabela();
                for (tabela.First(); !tabela.Eof(); tabela.Next())
                    pendencias.push_back({tabela.FieldByName(QLatin1String(TabelaVerifica::DESCRICAO))->AsString(),
                                          tabela.FieldByName(QLatin1String(TabelaVerifica::GRAVIDADE))->AsInteger()});
                numErros = frame->NumErros();
                numAvisos = frame->NumAvisos();
            },
            [&](const auto& paginas) {
                return ConferenciaDados::ConferePendencias(d + QStringLiteral(" / Verificação de Pendências"),
                                                           pendencias, numErros, numAvisos, paginas);
            });
        todasEsperadas.push_back(*esperados);
        esperados.reset();
        pedidos.clear();
    }

    // The file's name as the error report shows it, deep in a folder as long as a path may be
    // (260 characters), of wide and accented letters.
    static QString CaminhoLongo(const QString& arquivo)
    {
        QString pasta = QStringLiteral("/home/contabilidade/Área de Trabalho/Declarações do Exercício/WWMM Comércio "
                                       "e Máquinas de Moagem do Mawé/");
        while (pasta.size() + arquivo.size() < 260)
            pasta += QStringLiteral("Importação MWMW/");
        return (pasta + QFileInfo(arquivo).fileName()).right(260);
    }

    // A pair of error files in ErroImp: the lines (".txt") and their messages (".dsc").
    static void GravaErros(const QString& nome, const QStringList& linhas, const QStringList& mensagens)
    {
        const QString pasta = DiretorioDados() + QStringLiteral("/ErroImp/");
        ASSERT_TRUE(QDir().mkpath(pasta));
        for (const auto& [extensao, conteudo] :
             {std::pair{QStringLiteral(".txt"), linhas}, std::pair{QStringLiteral(".dsc"), mensagens}}) {
            QFile arquivo(pasta + nome + extensao);
            ASSERT_TRUE(arquivo.open(QIODevice::WriteOnly));
            arquivo.write((conteudo.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toLatin1());
        }
    }

    QString arquivoAtual;
    QString fundo;
    QSet<QString> recusados;   // "fixture|NI" of the statements a fixture says cannot be printed
    std::vector<TItemPapel> itensPapel;
    InspecaoPapel inspecao;
    QString pdfs = ProgramaDeTeste::Pasta() + QStringLiteral("/pdf");
    ImpressorasSimuladas impressoras{pdfs};
    std::vector<std::unique_ptr<TAnexoFC>> anexos;
    std::map<QString, std::vector<TAnexoFC*>> anexosDe;   // by fixture
    std::optional<DadosEsperados> esperados;              // of the declaration being printed
    std::vector<DadosEsperados> todasEsperadas;           // of every declaration printed
    QStringList pedidos;                                  // the beneficiaries whose statements are asked for
    QStringList falhas;
    int documentos = 0;
    int paginasExaminadas = 0;
    std::pair<int, QString> maisPaginas{0, QString()};   // the longest document but the statements
};

}   // namespace

// The list and the code reports of two declarations, moved down the pages by items put before
// theirs, one position after another: no code header or total stands alone at a page break, each
// page that holds a code's rows names the code, and the list's total keeps its last row. A sample
// of the positions by default, on A4 and Letter by turns; PRUV2003_POSICOES_TODAS=1 runs them all
// on both papers.
TEST_F(LevantamentoPapelTest, NoPagePositionLeavesAHeaderOrATotalAloneOrRowsWithoutTheirCode)
{
    const bool todas = qEnvironmentVariableIsSet("PRUV2003_POSICOES_TODAS");
    std::vector<std::pair<int, int>> amostra;   // position, paper
    for (int posicao = 0; posicao < 100; posicao += todas ? 1 : 21)
        for (const int papel : {9, 1})
            if (todas || (posicao / 21) % 2 == (papel == 9 ? 0 : 1))
                amostra.emplace_back(posicao, papel);
    for (const auto& [posicao, papel] : amostra) {
        impressoras.CodigoPapel = papel;
        for (const QString& arquivo : {QStringLiteral("empresa.txt"), QStringLiteral("administradora.txt")}) {
            const qsizetype antes = falhas.size();
            std::unique_ptr<TPruv> pruv = Carrega(arquivo, posicao);
            ASSERT_FALSE(HasFailure());
            const QString d = QFileInfo(arquivo).completeBaseName();
            Imprime(d + QStringLiteral(" / Totais por Código, sintético"),
                    [&] { ImprimeRelatoBenefPorCodigo(*pruv, *colecao, false, false); });
            Imprime(d + QStringLiteral(" / Totais por Código, analítico"),
                    [&] { ImprimeRelatoBenefPorCodigo(*pruv, *colecao, false, true); });
            Imprime(d + QStringLiteral(" / Lista de Beneficiários"),
                    [&] { ImprimeRelatoListaBenef(*pruv, *colecao, false); });
            Imprime(d + QStringLiteral(" / Total Mensal por Código"),
                    [&] { ImprimeRelatoTotalMensalCodigo(*pruv, *colecao, false); });
            for (qsizetype i = antes; i < falhas.size(); ++i)
                falhas[i].prepend(QStringLiteral("posição %1, %2: ").arg(posicao).arg(papel == 1 ? "Carta" : "A4"));
            // The next position stores the same declaration again.
            itensPapel.clear();
            anexos.clear();
            colecao->Exclui(*pruv);
        }
    }
    EXPECT_EQ(falhas, QStringList()) << falhas.size() << " falhas em " << documentos << " documentos, "
                                     << paginasExaminadas << " páginas:\n"
                                     << falhas.join(QLatin1Char('\n')).toStdString();
}

TEST_F(LevantamentoPapelTest, EveryPrintedPageReadsRight)
{
    std::vector<std::unique_ptr<TPruv>> declaracoes;
    const QStringList arquivos{QStringLiteral("empresa.txt"),        QStringLiteral("orgao-federal.txt"),
                               QStringLiteral("administradora.txt"), QStringLiteral("espolio.txt"),
                               QStringLiteral("muitos.txt"),         QStringLiteral("orgao-com-fundo.txt"),
                               QStringLiteral("pessoa.txt")};
    for (const QString& arquivo : arquivos)
        declaracoes.push_back(Carrega(arquivo));
    ASSERT_FALSE(HasFailure());
    // A4 (the stand-in printer's paper), then Letter: every document in the long run, else those
    // of the declaration with every text at its longest and of the one with every kind of
    // statement, the receipts and the import errors. The declaration of many beneficiaries prints
    // its listings past twenty pages; its declaration report (some seventy pages) only in the long run.
    const bool todas = qEnvironmentVariableIsSet("PRUV2003_POSICOES_TODAS");
    for (const int papel : {9, 1}) {
        impressoras.CodigoPapel = papel;
        todasEsperadas.clear();
        const qsizetype antes = falhas.size();
        const int documentosAntes = documentos;
        const int paginasAntes = paginasExaminadas;
        const bool amostra = papel == 1 && !todas;
        for (std::size_t i = 0; i < declaracoes.size(); ++i)
            if (!amostra || arquivos[int(i)] == QStringLiteral("empresa.txt")
                || arquivos[int(i)] == QStringLiteral("orgao-federal.txt"))
                ImprimeTudo(arquivos[int(i)], *declaracoes[i],
                            todas || arquivos[int(i)] != QStringLiteral("muitos.txt"));
        if (!amostra)
            Imprime(
                QStringLiteral("Gerencial"), [&] { ImprimeRelatoGerencial(*colecao, false); },
                [&](const auto& paginas) {
                    return ConferenciaDados::ConfereGerencial(QStringLiteral("Gerencial"), todasEsperadas, paginas);
                });

        // Receipts of delivered declarations.
        for (const QString& recibo :
             {QStringLiteral(PRUV_PASTA_RECIBO "/pj-fundos.ini"), QStringLiteral(PRUV_PASTA_RECIBO "/pf-2001.ini"),
              PastaPapel + QStringLiteral("/recibo-maximos.ini"),
              PastaPapel + QStringLiteral("/recibo-retificadora.ini")}) {
            const QString dados = DiretorioDados() + QStringLiteral("/Recibo.ini");
            QFile::remove(dados);
            ASSERT_TRUE(QFile::copy(recibo, dados));
            QFile ini(dados);
            ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
            const QString texto = QString::fromLatin1(ini.readAll());
            const QString rotulo = QStringLiteral("Recibo ") + QFileInfo(recibo).fileName();
            Imprime(
                rotulo,
                [&] { ImprimeRecibo({dados}, true, ProgramaDeTeste::Pasta() + QStringLiteral("/Entrega.dec")); },
                [&](const auto& paginas) { return ConferenciaDados::ConfereRecibo(rotulo, texto, paginas); });
        }

        // Error reports of imports: one record per pair of lines, some with messages long enough to
        // need several lines.
        QStringList linhasDeclaracao;
        QStringList linhasComprovante;
        QStringList mensagens;
        for (int i = 1; i <= 14; ++i) {
            const QString tipo = QString::number(i % 3 == 0 ? 1 : i % 3 == 1 ? 2 : 4);
            QString linha = QString::number(i).rightJustified(8, QLatin1Char('0')) + tipo + NumeroDe("112223330001")
                + QStringLiteral("05611") + NumeroDe("100200300").leftJustified(14, QLatin1Char(' '))
                + QStringLiteral("JOSE ANTONIO DA CONCEICAO ASSUNCAO DE ALBUQUERQUE MAGALHAES X").left(60);
            for (int v = 0; v < 39; ++v)
                linha += QString::number(99999999999999LL - v).rightJustified(15, QLatin1Char('0'));
            linhasDeclaracao << linha;
            QString comprovante = NumeroDe("100200300");
            for (int v = 0; v < 9; ++v)
                comprovante += QString::number(99999999999999LL - v).rightJustified(15, QLatin1Char('0'));
            comprovante += QStringLiteral("OUTROS RENDIMENTOS ISENTOS DESCRITOS EM SESSENTA CARACTERES X").left(60);
            comprovante += QStringLiteral("000000000012345");
            comprovante += QStringLiteral("PLANO DE SAUDE PAGO A OPERADORA SAUDE ANIMA SA E PREVIDENCIA COMPLEMENTAR ")
                               .repeated(3)
                               .left(200);
            linhasComprovante << comprovante;
            QString mensagem = QStringLiteral("Linha: %1 - Valor inválido no campo %1").arg(i);
            if (i % 4 == 0)
                mensagem += QStringLiteral(" - a soma dos rendimentos tributáveis informados nos meses difere do total "
                                           "informado para o ano-calendário e a dedução excede o rendimento")
                                .repeated(3);
            mensagens << mensagem;
        }
        GravaErros(QStringLiteral("Erros"), linhasDeclaracao, mensagens);
        QString arquivoErros;
        Imprime(
            QStringLiteral("Erros de Importação"),
            [&] {
                TFoRelatoErrosImp form(QString::fromLatin1(TFoRelatoErrosImp::ModoImportacao));
                ASSERT_TRUE(form.Abre(QStringLiteral("Erros")));
                arquivoErros = CaminhoLongo(form.Log().NomeArquivoTxt());
                form.DefineArquivo(arquivoErros);
                AjustaPapel(form.Relatorio());
                ImprimeRelatorio(form.Relatorio());
            },
            [&](const auto& paginas) {
                return ConferenciaDados::ConfereErrosImportacao(QStringLiteral("Erros de Importação"), false,
                                                                arquivoErros, linhasDeclaracao, mensagens, paginas);
            });
        GravaErros(QStringLiteral("ErrosCompr"), linhasComprovante, mensagens);
        Imprime(
            QStringLiteral("Erros de Importação de Comprovantes"),
            [&] {
                TFoErrosImportCompr form;
                ASSERT_TRUE(form.Abre(QStringLiteral("ErrosCompr")));
                arquivoErros = CaminhoLongo(form.Log().NomeArquivoDsc());
                form.DefineArquivo(arquivoErros);
                AjustaPapel(form.Relatorio());
                ImprimeRelatorio(form.Relatorio());
            },
            [&](const auto& paginas) {
                return ConferenciaDados::ConfereErrosImportacao(QStringLiteral("Erros de Importação de Comprovantes"),
                                                                true, arquivoErros, linhasComprovante, mensagens,
                                                                paginas);
            });
        const QString nomePapel = papel == 1 ? QStringLiteral("Carta") : QStringLiteral("A4");
        for (qsizetype i = antes; i < falhas.size(); ++i)
            falhas[i].prepend(nomePapel + QStringLiteral(": "));
        std::cout << nomePapel.toStdString() << ": " << documentos - documentosAntes << " documentos, "
                  << paginasExaminadas - paginasAntes << " páginas\n";
    }

    // For a person to look at the pages: PRUV_LEVANTAMENTO_PDF names a folder that gets the files.
    const QString guarda = qEnvironmentVariable("PRUV_LEVANTAMENTO_PDF");
    if (!guarda.isEmpty() && QDir().mkpath(guarda))
        for (const QString& arquivo : impressoras.Arquivos())
            QFile::copy(arquivo, guarda + QLatin1Char('/') + QFileInfo(arquivo).fileName());

    EXPECT_EQ(falhas, QStringList()) << falhas.size() << " falhas em " << documentos << " documentos, "
                                     << paginasExaminadas << " páginas:\n"
                                     << falhas.join(QLatin1Char('\n')).toStdString();
    EXPECT_GE(documentos, 30);
    // The page numbers were read on a long run too.
    EXPECT_GT(maisPaginas.first, 20) << maisPaginas.second.toStdString();
}
