#include "ConferenciaDados.h"

#include <QHash>
#include <QRegularExpression>
#include <algorithm>
#include <map>

namespace {

using TPalavra = TextoPdf::TPalavra;
using TValores = DadosEsperados::TValores;
using TItem = DadosEsperados::TItem;

// A value's right edge and its column title's may differ by this much (points).
constexpr qreal FolgaColuna = 4;

const QStringList Meses{QStringLiteral("Jan"), QStringLiteral("Fev"), QStringLiteral("Mar"), QStringLiteral("Abr"),
                        QStringLiteral("Mai"), QStringLiteral("Jun"), QStringLiteral("Jul"), QStringLiteral("Ago"),
                        QStringLiteral("Set"), QStringLiteral("Out"), QStringLiteral("Nov"), QStringLiteral("Dez"),
                        QStringLiteral("13º")};

using ConferenciaDados::Centavos;

QString Reais(qint64 centavos)
{
    QString inteiro = QString::number(centavos / 100);
    for (qsizetype i = inteiro.size() - 3; i > 0; i -= 3)
        inteiro.insert(i, QLatin1Char('.'));
    return inteiro + QLatin1Char(',') + QString::number(centavos % 100).rightJustified(2, QLatin1Char('0'));
}

bool EhNi(const QString& texto)
{
    static const QRegularExpression ni(
        QStringLiteral("^(\\d{3}\\.\\d{3}\\.\\d{3}-\\d{2}|\\d{2}\\.\\d{3}\\.\\d{3}/\\d{4}-\\d{2})$"));
    return ni.match(texto).hasMatch();
}

bool EhCodigo(const QString& texto)
{
    static const QRegularExpression codigo(QStringLiteral("^\\d{4}$"));
    return codigo.match(texto).hasMatch();
}

// A printed name is the stored one, or its beginning where the room ends.
bool MesmoNome(const QString& impresso, const QString& guardado)
{
    return !impresso.isEmpty() && guardado.simplified().startsWith(impresso.simplified());
}

struct TLinha {
    int Pagina;
    QList<TPalavra> Palavras;   // left to right
    QStringList W;
    [[nodiscard]] QString Texto(qsizetype de = 0, qsizetype ate = -1) const
    {
        return W.mid(de, ate < 0 ? -1 : ate - de).join(QLatin1Char(' '));
    }
    [[nodiscard]] bool Comeca(const QString& texto) const { return Texto().startsWith(texto); }
    [[nodiscard]] qsizetype Indice(const QString& palavra, qsizetype de = 0) const { return W.indexOf(palavra, de); }
};

// The words of a page by line (boxes that share a middle), left to right.
std::vector<TLinha> Linhas(int pagina, const QList<TPalavra>& palavras)
{
    QList<TPalavra> ordenadas = palavras;
    std::sort(ordenadas.begin(), ordenadas.end(), [](const TPalavra& a, const TPalavra& b) {
        return std::abs(a.Caixa.center().y() - b.Caixa.center().y()) > 2 ? a.Caixa.center().y() < b.Caixa.center().y()
                                                                         : a.Caixa.left() < b.Caixa.left();
    });
    std::vector<TLinha> linhas;
    qreal meio = -100;
    for (const TPalavra& p : ordenadas) {
        if (std::abs(p.Caixa.center().y() - meio) > 2) {
            linhas.push_back({pagina, {}, {}});
            meio = p.Caixa.center().y();
        }
        linhas.back().Palavras.append(p);
        linhas.back().W.append(p.Texto);
    }
    return linhas;
}

// The column a title names, by its last word; -1 for none.
int ColunaDoTitulo(const QString& palavra, bool judicial)
{
    using D = DadosEsperados;
    static const QHash<QString, std::pair<int, int>> colunas{
        {QStringLiteral("Rendimentos"), {D::Rend, D::SjRend}},    {QStringLiteral("Deduções"), {D::Ded, D::SjDed}},
        {QStringLiteral("Retido"), {D::Imp, D::SjImp}},           {QStringLiteral("Judicial"), {-1, D::SjDep}},
        {QStringLiteral("Calendário"), {D::CompAno, D::CompAno}}, {QStringLiteral("Atual"), {D::CompAno, D::CompAno}},
        {QStringLiteral("Anteriores"), {D::CompAnt, D::CompAnt}}};
    const auto it = colunas.constFind(palavra);
    if (it == colunas.constEnd())
        return -1;
    return judicial ? it->second : it->first;
}

TValores Soma(const std::vector<const TItem*>& itens, int mes)
{
    TValores soma{};
    for (const TItem* i : itens)
        for (std::size_t c = 0; c < soma.size(); ++c)
            soma[c] += i->Meses[std::size_t(mes)][c];
    return soma;
}

class TConferencia {
public:
    TConferencia(QString nome, ConferenciaDados::TDocumento documento, const DadosEsperados& dados)
        : FNome(std::move(nome))
        , FDocumento(documento)
        , FDados(dados)
    {}

    void Falha(const TLinha& l, const QString& palavra, const QString& texto) { Falha(l.Pagina, palavra, texto); }
    void Falha(int pagina, const QString& palavra, const QString& texto)
    {
        const QString f =
            QStringLiteral("%1, página %2, palavra \"%3\": %4").arg(FNome).arg(pagina).arg(palavra, texto);
        if (!FFalhas.contains(f))
            FFalhas << f;
    }

    void Pagina(const std::vector<TLinha>& linhas)
    {
        FTitulos.clear();
        FTitulosJudiciais.clear();
        for (const TLinha& l : linhas)
            Linha(l);
    }

    // What the whole document must have shown; ultima is its last page.
    QStringList Fim(const QStringList& beneficiarios, int ultima);

private:
    using TDoc = ConferenciaDados::TDocumento;

    void Linha(const TLinha& l);
    bool Fundo(const TLinha& l);
    void Titulos(const TLinha& l);
    // The amounts of the line, each under its column's title, against the expected.
    void Valores(const TLinha& l, const TValores& esperado, bool judicial, const QString& contexto);
    void CabecalhoCodigo(const TLinha& l);
    void Beneficiario(const TLinha& l, qsizetype ni, const QString& nome, const QString& codigo);
    void Comprovante(const TLinha& l);

    QString FNome;
    TDoc FDocumento;
    const DadosEsperados& FDados;
    QStringList FFalhas;

    std::vector<std::pair<QString, qreal>> FTitulos;            // last word and right edge of each title
    std::vector<std::pair<QString, qreal>> FTitulosJudiciais;   // over the court-decision lines
    bool FFundoNaProxima = false;
    QString FDono;
    QString FCodigo;
    std::vector<const TItem*> FGrupo;
    const TItem* FItem = nullptr;
    bool FSuspensa = false;
    TValores FUltimos{};   // of the last row, for its court-decision line
    bool FTemUltimos = false;
    std::map<const TItem*, int> FImpressos;
    QSet<QString> FTotaisDosGrupos;
    int FTotalBeneficiarios = -1;

    // Statements.
    QString FQuadro;
    QString FLinhaPendente;
    QString FNiComprovante;
    bool FNiNaProxima = false;
    bool FFonteNaProxima = false;
    QSet<QString> FImpressosComprovante;
    QSet<QString> FNaoImpressos;
    bool FListaNaoImpressos = false;
};

bool TConferencia::Fundo(const TLinha& l)
{
    qsizetype de = l.Indice(QStringLiteral("Investimento:"));
    if (de < 0 && !FFundoNaProxima)
        return false;
    FFundoNaProxima = false;
    if (de < 0)
        de = -1;
    if (de + 1 >= l.W.size()) {
        FFundoNaProxima = true;
        return true;
    }
    const qsizetype cnpj = l.Indice(QStringLiteral("CNPJ"), de + 1);
    const qsizetype nome = l.Indice(QStringLiteral("Empresarial"), de + 1);
    if (cnpj < 0 || cnpj + 1 >= l.W.size() || nome < 0) {
        Falha(l, l.Texto(), QStringLiteral("cabeçalho do fundo sem CNPJ e nome"));
        return true;
    }
    // The same fund's header again at the top of a page: its rows go on under the last code.
    if (FDono != l.W[cnpj + 1]) {
        FDono = l.W[cnpj + 1];
        FCodigo.clear();
        FItem = nullptr;
    }
    const QString impresso = l.Texto(nome + 1);
    if (!FDados.Fundos.contains(FDono))
        Falha(l, FDono, QStringLiteral("fundo que a declaração não tem"));
    else if (!MesmoNome(impresso, FDados.Fundos.value(FDono)))
        Falha(l, impresso, QStringLiteral("nome do fundo %1 é \"%2\"").arg(FDono, FDados.Fundos.value(FDono)));
    return true;
}

void TConferencia::Titulos(const TLinha& l)
{
    bool titulo = false;
    for (const QString& w : l.W) {
        if (Centavos(w) >= 0)
            return;
        titulo = titulo || w == QStringLiteral("Rendimentos") || w == QStringLiteral("Rendimento");
    }
    if (!titulo)
        return;
    // The titles over a court-decision line open with its first column; a table's, with the
    // column that names its rows.
    auto& titulos = l.W[0] == QStringLiteral("Rendimentos") ? FTitulosJudiciais : FTitulos;
    titulos.clear();
    for (const TPalavra& p : l.Palavras)
        if (ColunaDoTitulo(p.Texto, true) >= 0)
            titulos.emplace_back(p.Texto, p.Caixa.right());
}

void TConferencia::Valores(const TLinha& l, const TValores& esperado, bool judicial, const QString& contexto)
{
    const auto& titulos = judicial && !FTitulosJudiciais.empty() && !FSuspensa ? FTitulosJudiciais : FTitulos;
    for (const TPalavra& p : l.Palavras) {
        const qint64 impresso = Centavos(p.Texto);
        if (impresso < 0)
            continue;
        const auto titulo = std::min_element(titulos.begin(), titulos.end(), [&p](const auto& a, const auto& b) {
            return std::abs(a.second - p.Caixa.right()) < std::abs(b.second - p.Caixa.right());
        });
        if (titulo == titulos.end() || std::abs(titulo->second - p.Caixa.right()) > FolgaColuna) {
            Falha(l, p.Texto, QStringLiteral("valor sob nenhum título (%1)").arg(contexto));
            continue;
        }
        const int coluna = ColunaDoTitulo(titulo->first, judicial);
        if (coluna < 0) {
            Falha(l, p.Texto,
                  QStringLiteral("valor sob \"%1\", que esta linha não tem (%2)").arg(titulo->first, contexto));
            continue;
        }
        if (impresso != esperado[std::size_t(coluna)])
            Falha(l, p.Texto,
                  QStringLiteral("sob \"%1\" em %2, os dados dizem %3")
                      .arg(titulo->first, contexto, Reais(esperado[std::size_t(coluna)])));
    }
}

void TConferencia::CabecalhoCodigo(const TLinha& l)
{
    if (l.W.size() < 2) {
        Falha(l, l.Texto(), QStringLiteral("cabeçalho de código sem código"));
        return;
    }
    FCodigo = l.W[1];
    FGrupo = FDados.DoGrupo(FDono, FCodigo);
    if (FGrupo.empty())
        Falha(l, FCodigo, QStringLiteral("código sem item em %1").arg(FDono.isEmpty() ? FDados.Ni : FDono));
    const qsizetype de = l.W.size() > 2 && l.W[2] == QStringLiteral("**") ? 3 : 2;
    // A page that goes on with the code's rows may name it again, marked as a continuation.
    static const QRegularExpression continuacao(QStringLiteral("[-(]?\\s*\\b(cont\\.|continua\\w*)\\s*\\)?"),
                                                QRegularExpression::CaseInsensitiveOption
                                                    | QRegularExpression::UseUnicodePropertiesOption);
    QString descricao = l.Texto(de);
    const bool continua = descricao.contains(continuacao);
    descricao = descricao.replace(continuacao, QStringLiteral(" ")).simplified();
    if (continua && descricao.isEmpty())
        return;
    if (!MesmoNome(descricao, FDados.Descricoes.value(FCodigo)))
        Falha(l, descricao,
              QStringLiteral("a descrição do código %1 é \"%2\"").arg(FCodigo, FDados.Descricoes.value(FCodigo)));
}

void TConferencia::Beneficiario(const TLinha& l, qsizetype ni, const QString& nome, const QString& codigo)
{
    const QString numero = l.W[ni];
    FItem = FDados.Item(FDono, codigo, numero);
    FTemUltimos = false;
    if (FItem == nullptr) {
        Falha(l, numero,
              QStringLiteral("nenhum item do código %1 para este CPF/CNPJ em %2")
                  .arg(codigo, FDono.isEmpty() ? FDados.Ni : FDono));
        return;
    }
    if (!MesmoNome(nome, FItem->Nome))
        Falha(l, nome, QStringLiteral("o beneficiário %1 chama-se \"%2\"").arg(numero, FItem->Nome));
    ++FImpressos[FItem];
}

void TConferencia::Linha(const TLinha& l)
{
    if (l.W.isEmpty())
        return;
    if (FDocumento == TDoc::Comprovantes) {
        Comprovante(l);
        return;
    }
    if (Fundo(l))
        return;
    Titulos(l);
    const QString& w0 = l.W[0];
    const bool judicial = l.Comeca(QStringLiteral("Valores de Decisão Judicial"));
    if (judicial) {
        if (FTemUltimos)
            Valores(l, FUltimos, true, QStringLiteral("Valores de Decisão Judicial"));
        else
            Falha(l, QStringLiteral("Valores"), QStringLiteral("decisão judicial sem linha conferida acima"));
        return;
    }
    switch (FDocumento) {
    case TDoc::Declaracao: {
        if (w0 == QStringLiteral("Código") && l.W.size() > 3 && EhCodigo(l.W[1])) {
            const qsizetype nome = l.Indice(QStringLiteral("Nome"));
            qsizetype de = nome + 1;
            if (de < l.W.size() && l.W[de] == QStringLiteral("Empresarial"))
                ++de;
            const TItem* anterior = FItem;
            Beneficiario(l, 3, nome < 0 ? QString() : l.Texto(de), l.W[1]);
            // A header repeated at the top of a page that continues its rows counts once.
            if (FItem != nullptr && FItem == anterior && FImpressos[FItem] > 1)
                --FImpressos[FItem];
            else
                FSuspensa = false;
            FCodigo = l.W[1];
        } else if (l.Texto() == QStringLiteral("Tributação com Exigibilidade Suspensa")) {
            FSuspensa = true;
        } else if (Meses.contains(w0) || w0 == QStringLiteral("Total")) {
            if (FItem == nullptr) {
                Falha(l, w0, QStringLiteral("linha de mês sem beneficiário conferido acima"));
                return;
            }
            // The item's total is of its twelve months; the 13th salary stands apart.
            TValores esperado = FItem->Meses[std::size_t(Meses.indexOf(w0) + 1)];
            if (w0 == QStringLiteral("Total"))
                for (std::size_t c = 0; c < esperado.size(); ++c)
                    esperado[c] = FItem->Meses[0][c] - FItem->Meses[13][c];
            Valores(l, esperado, FSuspensa, QStringLiteral("%1 de %2, código %3").arg(w0, FItem->Ni, FItem->Codigo));
        }
        break;
    }
    case TDoc::Lista: {
        if (l.Comeca(QStringLiteral("Total de beneficiários"))) {
            FTotalBeneficiarios = l.W.constLast().toInt();
            if (FTotalBeneficiarios != int(FDados.Itens.size()))
                Falha(l, l.W.constLast(),
                      QStringLiteral("a declaração tem %1 linhas de beneficiário").arg(FDados.Itens.size()));
            return;
        }
        const auto ni = std::find_if(l.W.begin(), l.W.end(), EhNi);
        if (ni == l.W.end())
            return;
        const qsizetype i = ni - l.W.begin();
        // The page's header and foot name the declarant or the fund; a row names its code.
        if (i + 1 >= l.W.size() || !EhCodigo(l.W[i + 1]))
            return;
        Beneficiario(l, i, l.Texto(0, i), l.W[i + 1]);
        if (FItem != nullptr) {
            Valores(l, FItem->Meses[0], false, QStringLiteral("%1, código %2").arg(FItem->Ni, FItem->Codigo));
            FUltimos = FItem->Meses[0];
            FTemUltimos = true;
        }
        break;
    }
    case TDoc::Sintetico:
    case TDoc::Analitico:
    case TDoc::Mensal: {
        if (w0 == QStringLiteral("Código:")) {
            CabecalhoCodigo(l);
            FTemUltimos = false;
            return;
        }
        const bool total = FDocumento == TDoc::Mensal ? l.Comeca(QStringLiteral("Total Código"))
                                                      : w0 == QStringLiteral("Total:");
        const int mes = FDocumento == TDoc::Mensal ? int(Meses.indexOf(w0)) + 1 : 0;
        if (FDocumento == TDoc::Analitico && EhNi(w0)) {
            qsizetype fim = 1;
            while (fim < l.W.size() && Centavos(l.W[fim]) < 0)
                ++fim;
            Beneficiario(l, 0, l.Texto(1, fim), FCodigo);
            if (FItem != nullptr) {
                Valores(l, FItem->Meses[0], false, QStringLiteral("%1, código %2").arg(w0, FCodigo));
                FUltimos = FItem->Meses[0];
                FTemUltimos = true;
            }
        } else if (total || mes > 0) {
            if (FCodigo.isEmpty()) {
                Falha(l, w0, QStringLiteral("linha de valores sem código acima"));
                return;
            }
            if (total) {
                FTotaisDosGrupos.insert(FDono + QLatin1Char('|') + FCodigo);
                if (FDocumento != TDoc::Mensal && l.W.size() > 1 && l.W[1].toInt() != int(FGrupo.size()))
                    Falha(l, l.W[1], QStringLiteral("o código %1 tem %2 itens").arg(FCodigo).arg(FGrupo.size()));
            }
            FUltimos = Soma(FGrupo, mes);
            FTemUltimos = true;
            Valores(l, FUltimos, false, QStringLiteral("%1 do código %2").arg(w0, FCodigo));
        }
        break;
    }
    case TDoc::Comprovantes:
        break;
    }
}

void TConferencia::Comprovante(const TLinha& l)
{
    const QString texto = l.Texto();
    const QString& w0 = l.W[0];
    if (texto.startsWith(QStringLiteral("Comprovantes de Rendimentos Não Impressos"))) {
        FListaNaoImpressos = true;
        return;
    }
    if (FListaNaoImpressos) {
        if (EhNi(w0)) {
            FNaoImpressos.insert(w0);
            const auto it = FDados.Comprovantes.find(w0);
            if (it == FDados.Comprovantes.end() || it->second.Imprime)
                Falha(l, w0, QStringLiteral("na lista dos não impressos, mas o comprovante pode ser impresso"));
            else if (!MesmoNome(l.Texto(1), it->second.Nome))
                Falha(l, l.Texto(1), QStringLiteral("o beneficiário %1 chama-se \"%2\"").arg(w0, it->second.Nome));
        }
        return;
    }
    if (texto.startsWith(QStringLiteral("1. FONTE PAGADORA"))) {
        FFonteNaProxima = true;
        FNiComprovante.clear();
        FQuadro.clear();
        return;
    }
    if (texto.startsWith(QStringLiteral("2. PESSOA"))) {
        FNiNaProxima = true;
        return;
    }
    if (FFonteNaProxima && EhNi(l.W.constLast())) {
        FFonteNaProxima = false;
        if (l.W.constLast() != FDados.Ni)
            Falha(l, l.W.constLast(), QStringLiteral("a fonte pagadora é %1").arg(FDados.Ni));
        if (!MesmoNome(l.Texto(0, l.W.size() - 1), FDados.Nome))
            Falha(l, l.Texto(0, l.W.size() - 1), QStringLiteral("a fonte pagadora chama-se \"%1\"").arg(FDados.Nome));
        return;
    }
    if (FNiNaProxima && EhNi(w0)) {
        FNiNaProxima = false;
        FNiComprovante = w0;
        const auto it = FDados.Comprovantes.find(w0);
        if (it == FDados.Comprovantes.end()) {
            Falha(l, w0, QStringLiteral("comprovante de quem não é beneficiário da declaração"));
            FNiComprovante.clear();
            return;
        }
        FImpressosComprovante.insert(w0);
        if (!it->second.Imprime)
            Falha(l, w0, QStringLiteral("comprovante impresso que os dados recusam"));
        if (!MesmoNome(l.Texto(1), it->second.Nome))
            Falha(l, l.Texto(1), QStringLiteral("o beneficiário %1 chama-se \"%2\"").arg(w0, it->second.Nome));
        return;
    }
    if (FNiComprovante.isEmpty())
        return;
    const auto& quadros = FDados.Comprovantes.at(FNiComprovante).Quadros;
    const auto confere = [&](const QString& chave, const QString& palavra) {
        const auto it = quadros.find(chave);
        const qint64 esperado = it == quadros.end() ? 0 : it->second;
        if (Centavos(palavra) != esperado)
            Falha(l, palavra,
                  QStringLiteral("quadro %1 do comprovante de %2, os dados dizem %3")
                      .arg(chave, FNiComprovante, Reais(esperado)));
    };
    static const QRegularExpression quadro(QStringLiteral("^([3-9])\\.$"));
    static const QRegularExpression linha(QStringLiteral("^(0[1-9])\\.$"));
    if (const auto m = quadro.match(w0); m.hasMatch()) {
        FQuadro = m.captured(1);
        FLinhaPendente.clear();
        return;
    }
    if (const auto m = linha.match(w0); m.hasMatch())
        FLinhaPendente = FQuadro + QLatin1Char('.') + m.captured(1);
    if (!FLinhaPendente.isEmpty() && Centavos(l.W.constLast()) >= 0) {
        confere(FLinhaPendente, l.W.constLast());
        FLinhaPendente.clear();
        return;
    }
    // A company's line: month, code, nature, income and tax.
    const qsizetype mes = Meses.indexOf(w0);
    if (mes >= 0 && mes < 12 && l.W.size() > 3 && EhCodigo(l.W[1])) {
        const QString chave = QStringLiteral("%1 %2").arg(mes + 1, 2, 10, QLatin1Char('0')).arg(l.W[1]);
        confere(chave + QStringLiteral(" R"), l.W[l.W.size() - 2]);
        confere(chave + QStringLiteral(" I"), l.W.constLast());
    }
}

QStringList TConferencia::Fim(const QStringList& beneficiarios, int ultima)
{
    switch (FDocumento) {
    case TDoc::Declaracao:
    case TDoc::Lista:
    case TDoc::Analitico:
        for (const TItem& i : FDados.Itens) {
            const int vezes = FImpressos.count(&i) > 0 ? FImpressos.at(&i) : 0;
            if (vezes != 1)
                Falha(ultima, i.Ni,
                      QStringLiteral("o item do código %1 de %2 (%3) impresso %4 vezes")
                          .arg(i.Codigo, i.Dono.isEmpty() ? FDados.Ni : i.Dono, i.Nome)
                          .arg(vezes));
        }
        if (FDocumento == TDoc::Lista && FTotalBeneficiarios < 0 && !FDados.Itens.empty())
            Falha(ultima, QStringLiteral("Total de beneficiários"), QStringLiteral("a lista não tem o seu total"));
        break;
    case TDoc::Sintetico:
    case TDoc::Mensal:
        break;
    case TDoc::Comprovantes:
        for (const QString& ni : beneficiarios) {
            const auto it = FDados.Comprovantes.find(ni);
            if (it == FDados.Comprovantes.end())
                continue;
            if (it->second.Imprime && !FImpressosComprovante.contains(ni))
                Falha(ultima, ni, QStringLiteral("comprovante não impresso"));
            if (!it->second.Imprime && !FNaoImpressos.contains(ni))
                Falha(ultima, ni, QStringLiteral("comprovante recusado fora da lista dos não impressos"));
        }
        break;
    }
    if (FDocumento == TDoc::Sintetico || FDocumento == TDoc::Analitico || FDocumento == TDoc::Mensal)
        for (const TItem& i : FDados.Itens)
            if (!FTotaisDosGrupos.contains(i.Dono + QLatin1Char('|') + i.Codigo))
                Falha(ultima, i.Codigo,
                      QStringLiteral("o código de %1 sem o seu total").arg(i.Dono.isEmpty() ? FDados.Ni : i.Dono));
    return FFalhas;
}

}   // namespace

qint64 ConferenciaDados::Centavos(const QString& Texto)
{
    static const QRegularExpression valor(QStringLiteral("^-?[0-9]{1,3}(\\.[0-9]{3})*,[0-9]{2}$"));
    if (!valor.match(Texto).hasMatch())
        return -1;
    QString digitos = Texto;
    digitos.remove(QLatin1Char('.')).remove(QLatin1Char(','));
    return digitos.toLongLong();
}

QStringList ConferenciaDados::Confere(const QString& Nome, TDocumento Documento, const DadosEsperados& Dados,
                                      const std::vector<QList<TextoPdf::TPalavra>>& Paginas,
                                      const QStringList& Beneficiarios)
{
    TConferencia conferencia(Nome, Documento, Dados);
    for (std::size_t p = 0; p < Paginas.size(); ++p)
        conferencia.Pagina(Linhas(int(p) + 1, Paginas[p]));
    return conferencia.Fim(Beneficiarios, int(Paginas.size()));
}
