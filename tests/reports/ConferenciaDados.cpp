#include "ConferenciaDados.h"

#include "exchange/layout/TNumeroRecibo.h"

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

using ConferenciaDados::Reais;

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

    void Pagina(int pagina, const std::vector<TLinha>& linhas)
    {
        FTitulos.clear();
        FTitulosJudiciais.clear();
        FCabecalhoComprovante = FDocumento == TDoc::Comprovantes;
        for (const TLinha& l : linhas) {
            Forma(l);
            Linha(l);
        }
        if (FDocumento != TDoc::Comprovantes)
            CabecalhoERodape(pagina, linhas);
        else if (!FAnoVisto && !FListaNaoImpressos && !linhas.empty())
            Falha(pagina, QStringLiteral("ANO-CALENDÁRIO"), QStringLiteral("página de comprovante sem o ano"));
        FAnoVisto = false;
        FTabelaNaPagina = false;
    }

    // What the whole document must have shown; ultima is its last page.
    QStringList Fim(const QStringList& beneficiarios, int ultima);

private:
    using TDoc = ConferenciaDados::TDocumento;

    void Linha(const TLinha& l);
    // A word in the shape of a number with separators is a well-formed amount.
    void Forma(const TLinha& l);
    // The page's header (year, type, declarant) and foot (date, declarant or fund).
    void CabecalhoERodape(int pagina, const std::vector<TLinha>& linhas);
    // The declaration report's declarant and responsible persons; true when the line was theirs.
    bool BlocoTitulo(const TLinha& l);
    void Caixa6Fim(const TLinha& l);
    void FimComprovante(int pagina);
    bool Fundo(const TLinha& l);
    void Titulos(const TLinha& l);
    // The amounts of the line, each under its column's title, against the expected.
    void Valores(const TLinha& l, const TValores& esperado, bool judicial, const QString& contexto);
    void CabecalhoCodigo(const TLinha& l);
    void Beneficiario(const TLinha& l, qsizetype ni, const QString& nome, const QString& codigo);
    void Comprovante(const TLinha& l);
    // The header and column titles of a company's table of lines; true when the line was theirs.
    bool Tabela(const TLinha& l);
    // The rows of a grid of months (an item's, its suspended part's, a code's monthly totals),
    // read by their titles: when the grid closes, its months are 1 to 12, in order, and the 13th
    // salary only where the code has one.
    void AbreGrade(int pagina, const QString& grade, bool decimoTerceiro);
    void FechaGrade();
    // A code's header that opens its group (not its continuation on a new page), in the order
    // read, for the order of the groups within their declarant or fund.
    void GrupoAberto();

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
    struct TGrade {
        bool Aberta = false;
        int Pagina = 0;
        QString Nome;
        bool DecimoTerceiro = false;
        QList<int> Meses;
        int Totais = 0;
    } FGrade;
    std::map<QString, QStringList> FOrdemDosGrupos;   // owner -> codes as their groups opened
    QString FGrupoAberto;                             // "owner|code" of the group without its total yet

    // Statements.
    QString FQuadro;
    QString FLinhaPendente;
    QString FNiComprovante;
    bool FNiNaProxima = false;
    bool FFonteNaProxima = false;
    QSet<QString> FImpressosComprovante;
    QSet<QString> FNaoImpressos;
    bool FListaNaoImpressos = false;
    bool FCabecalhoComprovante = false;   // the page's header lines, up to the year, still to come
    bool FAnoNaProxima = false;
    bool FAnoVisto = false;
    qreal FColunaAno = 0;
    enum class TLeiaute { PF, PJ, IN4 } FLeiaute = TLeiaute::PF;
    bool FCaixa6 = false;
    bool FCaixa6Vista = false;
    QStringList FTextoCaixa6;
    int FCaixa7 = 0;   // lines of box 7 read: its title, its captions, the name and date
    bool FCaixa7Vista = false;
    QString FDescricaoEsperada;   // of a company's line whose description goes on below it
    QString FDescricaoImpressa;
    QSet<QString> FLinhasVistas;   // NI and "MM code" of the company lines printed
    // A company's table of lines: its header and column titles on every page that holds its lines,
    // marked as a continuation on every page but the first.
    bool FTabelaNaPagina = false;    // the table's header was read on this page
    bool FTabelaComLinhas = false;   // the statement's table printed lines on an earlier page
    bool FLendoTitulos = false;      // the column titles under the header are being read
    QStringList FTitulosTabela;
    bool FNaturezaAberta = false;   // box 2's nature is being read, line by line
    bool FNaturezaVista = false;
    QString FNatureza;

    // The declaration report's title band.
    enum class TBloco { Nenhum, Responsavel, Fone, Email, RespCnpj } FBloco = TBloco::Nenhum;
    QString FEmail;   // the e-mail's first line
    int FDeclaranteVisto = 0;
    int FResponsavelVisto = 0;
    int FRespCnpjVisto = 0;
};

void TConferencia::Forma(const TLinha& l)
{
    static const QRegularExpression numero(QStringLiteral("^-?[0-9.,]*[0-9][.,][0-9][0-9.,]*$"));
    if (FCaixa6)
        return;   // the complementary information is free text ("linhas 3.01 e/ou 5.02")
    for (const QString& w : l.W)
        if (numero.match(w).hasMatch() && Centavos(w) < 0)
            Falha(l, w, QStringLiteral("número fora do formato de valor (1.234,56)"));
}

void TConferencia::CabecalhoERodape(int pagina, const std::vector<TLinha>& linhas)
{
    const auto linha = [&](const QString& comeco) -> const TLinha* {
        for (const TLinha& l : linhas)
            if (!l.W.isEmpty() && l.W[0] == comeco)
                return &l;
        return nullptr;
    };
    if (linhas.empty())
        return;
    if (const TLinha* ano = linha(QStringLiteral("Ano-Calendário:")); ano == nullptr)
        Falha(pagina, QStringLiteral("Ano-Calendário:"), QStringLiteral("página sem o ano no cabeçalho"));
    else {
        if (ano->W.size() < 2 || ano->W[1] != FDados.Ano)
            Falha(*ano, ano->Texto(), QStringLiteral("o ano-calendário é %1").arg(FDados.Ano));
        const qsizetype tipo = ano->Indice(QStringLiteral("Tipo:"));
        const QString esperado = FDados.Retificadora ? QStringLiteral("Retificadora") : QStringLiteral("Original");
        if (tipo < 0 || tipo + 1 >= ano->W.size() || ano->W[tipo + 1] != esperado)
            Falha(*ano, ano->Texto(), QStringLiteral("o tipo da declaração é %1").arg(esperado));
        const QString situacao = FDados.Pessoa() ? QStringLiteral("Espólio / Saída definitiva do país")
                                                 : QStringLiteral("Extinção");
        // The special situation is the declaration report's alone.
        if (FDocumento == TDoc::Declaracao && ano->Texto().contains(situacao) != FDados.Especial)
            Falha(*ano, ano->Texto(),
                  FDados.Especial ? QStringLiteral("sem \"%1\", a situação especial da declaração").arg(situacao)
                                  : QStringLiteral("situação especial que a declaração não tem"));
    }
    // The declarant under the year: the first line that opens with its number's caption.
    const TLinha* declarante = nullptr;
    for (const TLinha& l : linhas)
        if (l.W.size() > 2 && (l.W[0] == QStringLiteral("CPF") || l.W[0] == QStringLiteral("CNPJ")) && EhNi(l.W[1])) {
            declarante = &l;
            break;
        }
    if (declarante == nullptr)
        Falha(pagina, FDados.Ni, QStringLiteral("página sem o declarante no cabeçalho"));
    else {
        const QString titulo = FDados.Pessoa() ? QStringLiteral("CPF") : QStringLiteral("CNPJ");
        const QString tituloNome = FDados.Pessoa() ? QStringLiteral("Nome") : QStringLiteral("Nome Empresarial");
        const qsizetype nome = declarante->Texto().indexOf(QLatin1Char(' ') + tituloNome + QLatin1Char(' '));
        if (declarante->W[0] != titulo || declarante->W[1] != FDados.Ni)
            Falha(*declarante, declarante->Texto(0, 2), QStringLiteral("o declarante é %1 %2").arg(titulo, FDados.Ni));
        if (nome < 0 || !MesmoNome(declarante->Texto().mid(nome + tituloNome.size() + 2), FDados.Nome))
            Falha(*declarante, declarante->Texto(2),
                  QStringLiteral("o declarante chama-se %1 \"%2\"").arg(tituloNome, FDados.Nome));
    }
    const TLinha* rodape = linha(QStringLiteral("Data:"));
    if (rodape == nullptr) {
        Falha(pagina, QStringLiteral("Data:"), QStringLiteral("página sem a data no rodapé"));
        return;
    }
    if (rodape->W.size() < 2 || !FDados.Datas.contains(rodape->W[1]))
        Falha(*rodape, rodape->W.value(1), QStringLiteral("a data de hoje é %1").arg(FDados.Datas.value(0)));
    // The foot names the declarant, or the fund whose items the page holds.
    const auto ni = std::find_if(rodape->W.begin() + 1, rodape->W.end(), EhNi);
    const QString esperado = FDono.isEmpty() ? FDados.Ni : FDono;
    if (ni == rodape->W.end() || *ni != esperado)
        Falha(*rodape, rodape->Texto(), QStringLiteral("o rodapé desta página é de %1").arg(esperado));
    else if (rodape->Indice(QStringLiteral("Declarante:")) >= 0 && !FDono.isEmpty())
        Falha(*rodape, rodape->Texto(), QStringLiteral("página do fundo %1 com o rodapé do declarante").arg(FDono));
}

bool TConferencia::BlocoTitulo(const TLinha& l)
{
    const QString texto = l.Texto();
    const auto valor = [&l](const QString& depois, const QString& antes) {
        const qsizetype de = l.Indice(depois);
        if (de < 0)
            return QStringLiteral("?");
        const qsizetype ate = antes.isEmpty() ? -1 : l.Indice(antes, de + 1);
        return l.Texto(de + 1, ate);
    };
    const auto digitos = [](QString t) { return t.remove(QRegularExpression(QStringLiteral("\\D"))); };
    const TBloco bloco = FBloco;
    FBloco = TBloco::Nenhum;
    if (l.W[0] == QStringLiteral("CNPJ/CPF:")) {
        ++FDeclaranteVisto;
        const qsizetype nome = texto.indexOf(QStringLiteral("Nome / Nome Empresarial "));
        if (l.W.size() < 2 || l.W[1] != FDados.Ni)
            Falha(l, l.W.value(1), QStringLiteral("o declarante é %1").arg(FDados.Ni));
        if (nome < 0 || !MesmoNome(texto.mid(nome + 24), FDados.Nome))
            Falha(l, texto, QStringLiteral("o declarante chama-se \"%1\"").arg(FDados.Nome));
        return true;
    }
    if (texto == QStringLiteral("Responsável pelo Preenchimento")) {
        FBloco = TBloco::Responsavel;
        return true;
    }
    if (texto == QStringLiteral("Responsável perante o CNPJ")) {
        FBloco = TBloco::RespCnpj;
        ++FRespCnpjVisto;
        return true;
    }
    const auto& r = FDados.Responsavel;
    switch (bloco) {
    case TBloco::Responsavel:
        ++FResponsavelVisto;
        if (valor(QStringLiteral("CPF"), QStringLiteral("Nome")) != r.Cpf)
            Falha(l, texto, QStringLiteral("o CPF do responsável é %1").arg(r.Cpf));
        if (valor(QStringLiteral("Nome"), QString()) != r.Nome.simplified())
            Falha(l, texto, QStringLiteral("o responsável chama-se \"%1\"").arg(r.Nome));
        FBloco = TBloco::Fone;
        return true;
    case TBloco::Fone:
        for (const auto& [titulo, seguinte, esperado] :
             {std::tuple{QStringLiteral("DDD"), QStringLiteral("Telefone"), r.Ddd},
              std::tuple{QStringLiteral("Telefone"), QStringLiteral("Ramal"), r.Fone},
              std::tuple{QStringLiteral("Ramal"), QStringLiteral("Fax"), r.Ramal},
              std::tuple{QStringLiteral("Fax"), QStringLiteral("E-Mail"), r.Fax}})
            if (digitos(valor(titulo, seguinte)) != esperado)
                Falha(l, valor(titulo, seguinte), QStringLiteral("%1 do responsável é \"%2\"").arg(titulo, esperado));
        FEmail = valor(QStringLiteral("E-Mail"), QString());
        // Too long for its line, it goes on at the start of the next.
        if (FEmail != r.Email && !FEmail.isEmpty() && r.Email.startsWith(FEmail))
            FBloco = TBloco::Email;
        else if (FEmail != r.Email)
            Falha(l, texto, QStringLiteral("o e-mail do responsável é \"%1\"").arg(r.Email));
        return true;
    case TBloco::Email:
        if (FEmail + texto != r.Email)
            Falha(l, FEmail + texto, QStringLiteral("o e-mail do responsável é \"%1\"").arg(r.Email));
        return true;
    case TBloco::RespCnpj:
        if (valor(QStringLiteral("CPF"), QString()) != FDados.RespCnpj)
            Falha(l, texto, QStringLiteral("o responsável perante o CNPJ é %1").arg(FDados.RespCnpj));
        return true;
    case TBloco::Nenhum:
        break;
    }
    return false;
}

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
    // A code's header names its description, which may hold the titles' words.
    if (l.W[0] == QStringLiteral("Código:") || l.W[0] == QStringLiteral("Código"))
        return;
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
    // The columns such a line shows: an amount the data hold there is on the paper.
    using D = DadosEsperados;
    std::vector<int> colunas = judicial ? std::vector<int>{D::SjRend, D::SjDed, D::SjImp, D::SjDep}
                                        : std::vector<int>{D::Rend, D::Ded, D::Imp};
    if (judicial ? !FSuspensa : FDocumento == TDoc::Declaracao)
        colunas.insert(colunas.end(), {D::CompAno, D::CompAnt});
    QSet<int> impressas;
    for (const TPalavra& p : l.Palavras) {
        const qint64 impresso = Centavos(p.Texto);
        if (impresso < 0) {
            // What stands under an amount's title is an amount, in its shape.
            for (const auto& [palavra, direita] : titulos)
                if (std::abs(direita - p.Caixa.right()) <= FolgaColuna && ColunaDoTitulo(palavra, judicial) >= 0)
                    Falha(l, p.Texto, QStringLiteral("sob \"%1\", mas não é um valor (%2)").arg(palavra, contexto));
            continue;
        }
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
        impressas.insert(coluna);
        if (impresso != esperado[std::size_t(coluna)])
            Falha(l, p.Texto,
                  QStringLiteral("sob \"%1\" em %2, os dados dizem %3")
                      .arg(titulo->first, contexto, Reais(esperado[std::size_t(coluna)])));
    }
    static const char* const nomes[] = {"rendimentos",
                                        "deduções",
                                        "imposto",
                                        "compensação do ano",
                                        "compensação de anos anteriores",
                                        "rendimentos suspensos",
                                        "deduções suspensas",
                                        "imposto suspenso",
                                        "depósito judicial"};
    for (const int coluna : colunas)
        if (esperado[std::size_t(coluna)] != 0 && !impressas.contains(coluna))
            Falha(l, l.W[0],
                  QStringLiteral("sem %1 (%2) em %3, que os dados têm")
                      .arg(QString::fromUtf8(nomes[coluna]), Reais(esperado[std::size_t(coluna)]), contexto));
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
    // The header of the group still open, again at the top of a page, goes on with its rows too.
    const bool mesmoGrupo = FGrupoAberto == FDono + QLatin1Char('|') + FCodigo;
    FGrupoAberto = FDono + QLatin1Char('|') + FCodigo;
    if (!continua && !mesmoGrupo) {
        GrupoAberto();
        if (FDocumento == TDoc::Mensal && !FGrupo.empty())
            AbreGrade(l.Pagina, QStringLiteral("código %1 de %2").arg(FCodigo, FDono.isEmpty() ? FDados.Ni : FDono),
                      FGrupo.front()->DecimoTerceiro);
    }
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

void TConferencia::AbreGrade(int pagina, const QString& grade, bool decimoTerceiro)
{
    FechaGrade();
    FGrade = {true, pagina, grade, decimoTerceiro, {}, 0};
}

void TConferencia::FechaGrade()
{
    if (!FGrade.Aberta)
        return;
    FGrade.Aberta = false;
    QList<int> esperados;
    for (int m = 1; m <= (FGrade.DecimoTerceiro ? 13 : 12); ++m)
        esperados << m;
    const auto nomes = [](const QList<int>& meses) {
        QStringList n;
        for (const int m : meses)
            n << Meses[m - 1];
        return n.join(QLatin1Char(' '));
    };
    if (FGrade.Meses != esperados)
        Falha(FGrade.Pagina, FGrade.Nome,
              QStringLiteral("linhas impressas \"%1\", os dados pedem \"%2\"")
                  .arg(nomes(FGrade.Meses), nomes(esperados)));
    if (FGrade.Totais != 1)
        Falha(FGrade.Pagina, FGrade.Nome, QStringLiteral("%1 linhas de total na grade").arg(FGrade.Totais));
}

void TConferencia::GrupoAberto()
{
    FOrdemDosGrupos[FDono] << FCodigo;
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
        if (BlocoTitulo(l))
            return;
        if (w0 == QStringLiteral("Código") && l.W.size() > 3 && EhCodigo(l.W[1])) {
            const qsizetype nome = l.Indice(QStringLiteral("Nome"));
            qsizetype de = nome + 1;
            if (de < l.W.size() && l.W[de] == QStringLiteral("Empresarial"))
                ++de;
            const TItem* anterior = FItem;
            Beneficiario(l, 3, nome < 0 ? QString() : l.Texto(de), l.W[1]);
            // A header repeated at the top of a page that continues its rows counts once.
            if (FItem != nullptr && FItem == anterior && FImpressos[FItem] > 1) {
                --FImpressos[FItem];
            } else {
                FSuspensa = false;
                if (FItem != nullptr)
                    AbreGrade(l.Pagina, QStringLiteral("%1, código %2").arg(FItem->Ni, FItem->Codigo),
                              FItem->DecimoTerceiro);
                else
                    FechaGrade();
            }
            FCodigo = l.W[1];
        } else if (l.Texto() == QStringLiteral("Tributação com Exigibilidade Suspensa")) {
            FSuspensa = true;
            if (FItem != nullptr)
                AbreGrade(l.Pagina,
                          QStringLiteral("%1, código %2, exigibilidade suspensa").arg(FItem->Ni, FItem->Codigo),
                          FItem->DecimoTerceiro);
        } else if (Meses.contains(w0) || w0 == QStringLiteral("Total")) {
            if (FItem == nullptr) {
                Falha(l, w0, QStringLiteral("linha de mês sem beneficiário conferido acima"));
                return;
            }
            if (w0 == QStringLiteral("Total"))
                ++FGrade.Totais;
            else
                FGrade.Meses << int(Meses.indexOf(w0)) + 1;
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
            if (FDocumento == TDoc::Mensal) {
                if (total)
                    ++FGrade.Totais;
                else
                    FGrade.Meses << mes;
            }
            if (total) {
                FGrupoAberto.clear();
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
    // The page's header: the year stands under "ANO-CALENDÁRIO"; the lines above it are the header's.
    if (const qsizetype ano = l.Indice(QStringLiteral("ANO-CALENDÁRIO")); ano >= 0) {
        FAnoNaProxima = true;
        FColunaAno = l.Palavras[ano].Caixa.center().x();
        return;
    }
    if (FAnoNaProxima) {
        for (const TPalavra& p : l.Palavras)
            if (std::abs(p.Caixa.center().x() - FColunaAno) < 30) {
                FAnoNaProxima = false;
                FAnoVisto = true;
                FCabecalhoComprovante = false;
                if (p.Texto != FDados.Ano)
                    Falha(l, p.Texto, QStringLiteral("o ano-calendário é %1").arg(FDados.Ano));
            }
        return;
    }
    if (FCabecalhoComprovante)
        return;
    if (w0 == QStringLiteral("Página") && l.W.size() == 2)
        return;   // the foot: numbered inside each statement, read elsewhere
    static const QRegularExpression caixa6(QStringLiteral("^[46]\\. INFORMAÇÕES COMPLEMENTARES"));
    static const QRegularExpression caixa7(QStringLiteral("^[57]\\. RESPONSÁVEL PELAS INFORMAÇÕES"));
    if (caixa6.match(texto).hasMatch()) {
        if (!FDescricaoEsperada.isEmpty())
            Falha(l, FDescricaoImpressa,
                  QStringLiteral("descrição cortada, os dados dizem \"%1\"").arg(FDescricaoEsperada));
        FDescricaoEsperada.clear();
        // A box that goes on onto the next page may name itself again there.
        if (!FCaixa6)
            FTextoCaixa6.clear();
        FCaixa6 = true;
        FCaixa6Vista = true;
        return;
    }
    if (caixa7.match(texto).hasMatch()) {
        Caixa6Fim(l);
        FCaixa7 = 1;
        FCaixa7Vista = true;
        return;
    }
    if (FCaixa6) {
        FTextoCaixa6 << texto;
        return;
    }
    if (FCaixa7 == 1) {   // its captions
        FCaixa7 = 2;
        return;
    }
    if (FCaixa7 == 2) {   // the responsible person's name and the date
        FCaixa7 = 0;
        const QString& nome = FDados.Responsavel.Nome;
        if (l.Texto(0, l.W.size() - 1) != nome.simplified())
            Falha(l, l.Texto(0, l.W.size() - 1), QStringLiteral("o responsável chama-se \"%1\"").arg(nome));
        if (!FDados.Datas.contains(l.W.constLast()))
            Falha(l, l.W.constLast(), QStringLiteral("a data de hoje é %1").arg(FDados.Datas.value(0)));
        return;
    }
    if (texto.startsWith(QStringLiteral("1. FONTE PAGADORA"))) {
        FimComprovante(l.Pagina);
        FTabelaComLinhas = false;
        FFonteNaProxima = true;
        FNiComprovante.clear();
        FQuadro.clear();
        return;
    }
    if (texto.startsWith(QStringLiteral("2. PESSOA"))) {
        FNiNaProxima = true;
        FTabelaComLinhas = false;
        FLeiaute = texto.startsWith(QStringLiteral("2. PESSOA FÍSICA"))          ? TLeiaute::PF
            : texto.startsWith(QStringLiteral("2. PESSOA JURÍDICA FORNECEDORA")) ? TLeiaute::IN4
                                                                                 : TLeiaute::PJ;
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
    const DadosEsperados::TComprovante& esperado = FDados.Comprovantes.at(FNiComprovante);
    // Box 2's nature of the income: every line under its caption, up to box 3, is the whole text.
    if (texto == QStringLiteral("Natureza do Rendimento")) {
        FNatureza = QString();
        FNaturezaAberta = true;
        return;
    }
    if (FNaturezaAberta && !quadro.match(w0).hasMatch()) {
        FNatureza = (FNatureza + QLatin1Char(' ') + texto).simplified();
        return;
    }
    if (FNaturezaAberta) {
        FNaturezaAberta = false;
        FNaturezaVista = true;
        if (FNatureza != esperado.Natureza.simplified())
            Falha(l, FNatureza,
                  QStringLiteral("a natureza do rendimento de %1 é \"%2\"").arg(FNiComprovante, esperado.Natureza));
    }
    if (Tabela(l))
        return;
    if (const auto m = quadro.match(w0); m.hasMatch()) {
        FQuadro = m.captured(1);
        FLinhaPendente.clear();
        return;
    }
    if (const auto m = linha.match(w0); m.hasMatch())
        FLinhaPendente = FQuadro + QLatin1Char('.') + m.captured(1);
    // Line 07 of box 4 states what the other exempt income is, whole, between its caption and
    // its amount.
    if (const qsizetype de = l.Indice(QStringLiteral("(especificar):"));
        FLinhaPendente == QStringLiteral("4.07") && de >= 0) {
        const qsizetype ate = Centavos(l.W.constLast()) >= 0 ? l.W.size() - 1 : l.W.size();
        if (l.Texto(de + 1, ate) != esperado.Outros.simplified())
            Falha(
                l, l.Texto(de + 1, ate),
                QStringLiteral("a linha 07 do quadro 4 de %1 especifica \"%2\"").arg(FNiComprovante, esperado.Outros));
    }
    if (!FLinhaPendente.isEmpty() && Centavos(l.W.constLast()) >= 0) {
        confere(FLinhaPendente, l.W.constLast());
        FLinhaPendente.clear();
        return;
    }
    // A company's line: month, code, nature, income and tax.
    const qsizetype mes = Meses.indexOf(w0);
    if (mes >= 0 && mes < 12 && l.W.size() > 3 && EhCodigo(l.W[1])) {
        if (!FDescricaoEsperada.isEmpty())
            Falha(l, FDescricaoImpressa,
                  QStringLiteral("descrição cortada, os dados dizem \"%1\"").arg(FDescricaoEsperada));
        FDescricaoEsperada.clear();
        const QString chave = QStringLiteral("%1 %2").arg(mes + 1, 2, 10, QLatin1Char('0')).arg(l.W[1]);
        confere(chave + QStringLiteral(" R"), l.W[l.W.size() - 2]);
        confere(chave + QStringLiteral(" I"), l.W.constLast());
        FLinhasVistas.insert(FNiComprovante + QLatin1Char('|') + chave);
        if (FLeiaute != TLeiaute::PJ)
            return;   // the statement of payments for goods and services shows no description
        // The description column: the code's, or the one the user gave the line; it may wrap.
        const auto& descricoes = FDados.Comprovantes.at(FNiComprovante).Descricoes;
        const auto it = descricoes.find(chave);
        FDescricaoEsperada = it == descricoes.end() ? QString() : it->second.simplified();
        FDescricaoImpressa = l.Texto(2, l.W.size() - 2);
    } else if (!FDescricaoEsperada.isEmpty()) {
        FDescricaoImpressa += QLatin1Char(' ') + texto;
    } else {
        return;
    }
    if (FDescricaoImpressa == FDescricaoEsperada)
        FDescricaoEsperada.clear();
    else if (!FDescricaoEsperada.startsWith(FDescricaoImpressa + QLatin1Char(' '))) {
        Falha(l, FDescricaoImpressa,
              QStringLiteral("na coluna da descrição, os dados dizem \"%1\"").arg(FDescricaoEsperada));
        FDescricaoEsperada.clear();
    }
}

bool TConferencia::Tabela(const TLinha& l)
{
    const bool in4 = FLeiaute == TLeiaute::IN4;
    const QString titulo = in4 ? QStringLiteral("3. RELAÇÃO DE PAGAMENTOS E RETENÇÕES")
                               : QStringLiteral("3. RENDIMENTO E IMPOSTO RETIDO NA FONTE");
    const QString texto = l.Texto();
    if (FLeiaute != TLeiaute::PF && texto.startsWith(QStringLiteral("3. "))) {
        const QString esperado = FTabelaComLinhas ? titulo + QStringLiteral(" (Continuação)") : titulo;
        if (texto != esperado)
            Falha(l, texto, QStringLiteral("o cabeçalho da tabela é \"%1\"").arg(esperado));
        FTabelaNaPagina = true;
        FLendoTitulos = true;
        FTitulosTabela.clear();
        return true;
    }
    const qsizetype mes = Meses.indexOf(l.W[0]);
    const bool linha = mes >= 0 && mes < 12 && l.W.size() > 3 && EhCodigo(l.W[1]);
    if (FLendoTitulos && !linha) {
        FTitulosTabela << l.W;
        return true;
    }
    if (!linha || FLeiaute == TLeiaute::PF)
        return false;
    if (!FTabelaNaPagina)
        Falha(l, texto, QStringLiteral("linha do comprovante sem o cabeçalho da tabela na página"));
    if (FLendoTitulos) {
        QStringList esperados = (in4 ? QStringLiteral("MÊS DO PAGAMENTO CÓDIGO DA RETENÇÃO VALOR PAGO (R$) VALOR "
                                                      "RETIDO (R$)")
                                     : QStringLiteral("Mês Código de Retenção Descrição do Rendimento Rendimento "
                                                      "(R$) Imposto Retido (R$)"))
                                    .split(QLatin1Char(' '));
        QStringList lidos = FTitulosTabela;
        esperados.sort();
        lidos.sort();
        if (lidos != esperados)
            Falha(l, FTitulosTabela.join(QLatin1Char(' ')),
                  QStringLiteral("os títulos das colunas são \"%1\"").arg(esperados.join(QLatin1Char(' '))));
        FLendoTitulos = false;
    }
    FTabelaComLinhas = true;
    return false;
}

void TConferencia::Caixa6Fim(const TLinha& l)
{
    if (!FCaixa6)
        return;
    FCaixa6 = false;
    if (FNiComprovante.isEmpty())
        return;
    const auto& c = FDados.Comprovantes.at(FNiComprovante);
    const QStringList esperadas = (FLeiaute == TLeiaute::IN4 ? c.Caixa6IN4 : c.Caixa6)
                                      .join(QLatin1Char(' '))
                                      .simplified()
                                      .split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QStringList impressas;
    for (const QString& linha : FTextoCaixa6) {
        QStringList palavras = linha.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
        // A word too long for a line goes on at the start of the next one.
        const qsizetype k = impressas.size() - 1;
        if (!palavras.isEmpty() && k >= 0 && k < esperadas.size() && impressas[k] != esperadas[k]
            && esperadas[k].startsWith(impressas[k] + palavras.front()))
            impressas[k] += palavras.takeFirst();
        impressas << palavras;
    }
    if (impressas == esperadas)
        return;
    qsizetype i = 0;
    while (i < impressas.size() && i < esperadas.size() && impressas[i] == esperadas[i])
        ++i;
    Falha(l, impressas.mid(i, 6).join(QLatin1Char(' ')),
          QStringLiteral("informações complementares de %1 diferem na palavra %2: os dados dizem \"%3\"")
              .arg(FNiComprovante)
              .arg(i + 1)
              .arg(esperadas.mid(i, 6).join(QLatin1Char(' '))));
}

void TConferencia::FimComprovante(int pagina)
{
    if (!FNiComprovante.isEmpty()) {
        if (!FCaixa6Vista)
            Falha(pagina, FNiComprovante, QStringLiteral("comprovante sem o quadro de informações complementares"));
        if (!FCaixa7Vista)
            Falha(pagina, FNiComprovante, QStringLiteral("comprovante sem o quadro do responsável"));
        if (FLeiaute == TLeiaute::PF && !FNaturezaVista)
            Falha(pagina, FNiComprovante, QStringLiteral("comprovante sem a natureza do rendimento"));
    }
    FNaturezaVista = false;
    FNaturezaAberta = false;
    FCaixa6Vista = false;
    FCaixa7Vista = false;
    FCaixa6 = false;
    FCaixa7 = 0;
}

QStringList TConferencia::Fim(const QStringList& beneficiarios, int ultima)
{
    FechaGrade();
    if (FDocumento == TDoc::Sintetico || FDocumento == TDoc::Analitico || FDocumento == TDoc::Mensal) {
        // Within a declarant or fund, one group per stored code, in the codes' order.
        std::map<QString, QStringList> codigos;
        for (const TItem& i : FDados.Itens)
            if (!codigos[i.Dono].contains(i.Codigo))
                codigos[i.Dono] << i.Codigo;
        for (auto& [dono, esperados] : codigos) {
            esperados.sort();
            const QStringList impressos = FOrdemDosGrupos[dono];
            if (impressos != esperados)
                Falha(ultima, dono.isEmpty() ? FDados.Ni : dono,
                      QStringLiteral("grupos de código na ordem \"%1\", os códigos guardados pedem \"%2\"")
                          .arg(impressos.join(QLatin1Char(' ')), esperados.join(QLatin1Char(' '))));
        }
    }
    switch (FDocumento) {
    case TDoc::Declaracao:
    case TDoc::Lista:
    case TDoc::Analitico:
        if (FDocumento == TDoc::Declaracao) {
            const int respCnpj = FDados.Pessoa() ? 0 : 1;
            for (const auto& [vistos, esperados, oque] :
                 {std::tuple{FDeclaranteVisto, 1, QStringLiteral("bloco do declarante")},
                  std::tuple{FResponsavelVisto, 1, QStringLiteral("bloco do responsável pelo preenchimento")},
                  std::tuple{FRespCnpjVisto, respCnpj, QStringLiteral("bloco do responsável perante o CNPJ")}})
                if (vistos != esperados)
                    Falha(1, oque, QStringLiteral("impresso %1 vezes, os dados pedem %2").arg(vistos).arg(esperados));
        }
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
        FimComprovante(ultima);
        // Every line of a company's statement printed.
        for (const QString& ni : FImpressosComprovante)
            for (const auto& [chave, valor] : FDados.Comprovantes.at(ni).Quadros)
                if (chave.endsWith(QStringLiteral(" R"))
                    && !FLinhasVistas.contains(ni + QLatin1Char('|') + chave.chopped(2)))
                    Falha(ultima, ni,
                          QStringLiteral("a linha %1 do comprovante não foi impressa").arg(chave.chopped(2)));
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

QString ConferenciaDados::Reais(qint64 Centavos)
{
    const qint64 absoluto = Centavos < 0 ? -Centavos : Centavos;
    QString inteiro = QString::number(absoluto / 100);
    for (qsizetype i = inteiro.size() - 3; i > 0; i -= 3)
        inteiro.insert(i, QLatin1Char('.'));
    return (Centavos < 0 ? QStringLiteral("-") : QString()) + inteiro + QLatin1Char(',')
        + QString::number(absoluto % 100).rightJustified(2, QLatin1Char('0'));
}

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
        conferencia.Pagina(int(p) + 1, Linhas(int(p) + 1, Paginas[p]));
    return conferencia.Fim(Beneficiarios, int(Paginas.size()));
}

namespace {

// Every line of every page, in order.
std::vector<TLinha> TodasAsLinhas(const std::vector<QList<TPalavra>>& paginas)
{
    std::vector<TLinha> linhas;
    for (std::size_t p = 0; p < paginas.size(); ++p)
        for (TLinha& l : Linhas(int(p) + 1, paginas[p]))
            linhas.push_back(std::move(l));
    return linhas;
}

QString Falha(const QString& nome, int pagina, const QString& palavra, const QString& texto)
{
    return QStringLiteral("%1, página %2, palavra \"%3\": %4").arg(nome).arg(pagina).arg(palavra, texto);
}

// The value after a caption that opens the text ("Tipo: Original" -> "Original"); null when the
// text does not open with it.
QString Apos(const QString& texto, const QString& titulo)
{
    if (texto == titulo)
        return QStringLiteral("");
    if (!texto.startsWith(titulo + QLatin1Char(' ')))
        return {};
    return texto.mid(titulo.size() + 1);
}

// The words of a text, as the paper shows them.
QStringList Palavras(const QString& texto)
{
    return texto.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

// Where two word lists part, for the fault's text.
QString Diferenca(const QStringList& impressas, const QStringList& esperadas)
{
    qsizetype i = 0;
    while (i < impressas.size() && i < esperadas.size() && impressas[i] == esperadas[i])
        ++i;
    return QStringLiteral("na palavra %1 o papel diz \"%2\", os dados \"%3\"")
        .arg(i + 1)
        .arg(impressas.mid(i, 8).join(QLatin1Char(' ')), esperadas.mid(i, 8).join(QLatin1Char(' ')));
}

}   // namespace

QStringList ConferenciaDados::ConfereGerencial(const QString& Nome, const std::vector<DadosEsperados>& Declaracoes,
                                               const std::vector<QList<TPalavra>>& Paginas)
{
    QStringList falhas;
    std::map<QString, int> vistas;
    const DadosEsperados* atual = nullptr;
    int titulos = 0;
    constexpr int Titulos = 11;   // the captions of one declaration
    const auto fecha = [&](int pagina) {
        if (atual != nullptr && titulos != Titulos)
            falhas << Falha(Nome, pagina, atual->Ni,
                            QStringLiteral("%1 dados impressos de %2").arg(titulos).arg(Titulos));
    };
    int pagina = 1;
    for (const TLinha& l : TodasAsLinhas(Paginas)) {
        pagina = l.Pagina;
        const QString texto = l.Texto();
        const auto confere = [&](const QString& impresso, const QString& esperado, const QString& oque) {
            // A name may stop where its room ends; none is none.
            const bool nome = oque.startsWith(QStringLiteral("\"Nome")) && !esperado.isEmpty();
            if (nome ? !MesmoNome(impresso, esperado) : impresso != esperado.simplified())
                falhas << Falha(Nome, l.Pagina, impresso, QStringLiteral("%1 é \"%2\"").arg(oque, esperado));
        };
        // The page's header, on every page of a list that runs over more than one.
        if (texto == QStringLiteral("Relatório Gerencial"))
            continue;
        if (const QString ni = Apos(texto, QStringLiteral("Declarante:")); !ni.isNull()) {
            fecha(l.Pagina);
            atual = nullptr;
            titulos = 1;
            for (const DadosEsperados& d : Declaracoes)
                if (d.Ni == ni)
                    atual = &d;
            if (atual == nullptr)
                falhas << Falha(Nome, l.Pagina, ni, QStringLiteral("declarante que nenhuma declaração tem"));
            ++vistas[ni];
            continue;
        }
        if (const QString data = Apos(texto, QStringLiteral("Data:")); !data.isNull()) {
            if (!Declaracoes.empty() && !Declaracoes.front().Datas.contains(l.W.value(1)))
                falhas << Falha(Nome, l.Pagina, l.W.value(1),
                                QStringLiteral("a data de hoje é %1").arg(Declaracoes.front().Datas.value(0)));
            continue;
        }
        if (atual == nullptr)
            continue;
        const DadosEsperados& d = *atual;
        const std::pair<QString, QString> dados[] = {
            {d.Pessoa() ? QStringLiteral("Nome:") : QStringLiteral("Nome Empresarial:"), d.Nome},
            {QStringLiteral("Ano-Calendário:"), d.Ano},
            {d.Pessoa() ? QStringLiteral("Espólio/Saída definitiva do país:") : QStringLiteral("Extinção:"),
             d.Especial ? QStringLiteral("SIM") : QStringLiteral("NÃO")},
            {QStringLiteral("Tipo:"), d.Retificadora ? QStringLiteral("Retificadora") : QStringLiteral("Original")},
            {QStringLiteral("CPF do responsável perante o CNPJ:"), d.RespCnpj},
            {QStringLiteral("CPF do Responsável pelo Preenchimento:"), d.Responsavel.Cpf},
            {QStringLiteral("Nome do Responsável pelo Preenchimento:"), d.Responsavel.Nome},
            {QStringLiteral("Data de Gravação:"), d.Gravacao},
            {QStringLiteral("Nº de disquetes:"), QString::number(d.Disquetes)},
            {QStringLiteral("Nº de Fundo/Clube:"), QString::number(d.Fundos.size())},
        };
        bool achou = false;
        for (const auto& [titulo, esperado] : dados)
            if (const QString valor = Apos(texto, titulo); !valor.isNull()) {
                achou = true;
                ++titulos;
                confere(valor, esperado, QStringLiteral("\"%1\" de %2").arg(titulo, d.Ni));
            }
        if (!achou)
            falhas << Falha(Nome, l.Pagina, texto, QStringLiteral("linha que a declaração %1 não tem").arg(d.Ni));
    }
    fecha(pagina);
    for (const DadosEsperados& d : Declaracoes)
        if (vistas[d.Ni] != 1)
            falhas << Falha(Nome, pagina, d.Ni, QStringLiteral("declaração impressa %1 vezes").arg(vistas[d.Ni]));
    return falhas;
}

namespace {

// A money text of the receipt data ("1234567,8", "2275.08") in cents, rounded.
qint64 CentavosDoRecibo(QString texto)
{
    texto.replace(QLatin1Char('.'), QLatin1Char(','));
    const QString inteiro = texto.section(QLatin1Char(','), 0, 0);
    const QString decimais = texto.section(QLatin1Char(','), 1).leftJustified(3, QLatin1Char('0'));
    qint64 centavos = inteiro.toLongLong() * 100 + decimais.left(2).toLongLong();
    if (decimais[2] >= QLatin1Char('5'))
        ++centavos;
    return centavos;
}

}   // namespace

QStringList ConferenciaDados::ConfereRecibo(const QString& Nome, const QString& Ini,
                                            const std::vector<QList<TPalavra>>& Paginas)
{
    // The receipt data: sections of name=value lines, in order.
    std::map<QString, std::vector<std::pair<QString, QString>>> secoes;
    QString secao;
    for (const QString& linha : Ini.split(QLatin1Char('\n'))) {
        const QString t = linha.trimmed();
        if (t.startsWith(QLatin1Char('[')))
            secao = t.mid(1, t.size() - 2);
        else if (t.contains(QLatin1Char('=')))
            secoes[secao].emplace_back(t.section(QLatin1Char('='), 0, 0), t.section(QLatin1Char('='), 1));
    }
    const auto valor = [&](const QString& s, const QString& chave, const QString& padrao = QString()) {
        for (const auto& [k, v] : secoes[s])
            if (k == chave)
                return v;
        return padrao;
    };
    const bool pessoa = valor(QStringLiteral("Declarante"), QStringLiteral("IN_PF_PJ"), QStringLiteral("2"))
        == QStringLiteral("1");
    const QString ni = valor(QStringLiteral("Declarante"), QStringLiteral("NR_DECLAR"));
    const QString ano = valor(QStringLiteral("Declaracao"), QStringLiteral("AN_RETENCAO"));
    const bool encerra = valor(QStringLiteral("Declaracao"), QStringLiteral("ENCERRA"), QStringLiteral("NAO"))
        != QStringLiteral("NAO");
    const QString crc = valor(QStringLiteral("Declaracao"), QStringLiteral("CRC"), QStringLiteral("0"));
    QString controle;
    for (int i = 0; i < 10 && i < crc.size(); i += 2)
        controle += (i > 0 ? QStringLiteral(".") : QString()) + crc.mid(i, 2);
    QString recibo = crc + TNumeroRecibo::CalculaDV(crc);
    TNumeroRecibo::Formata(recibo);
    const auto reais = [&](const char* s, const char* chave) {
        return Reais(CentavosDoRecibo(valor(QLatin1String(s), QLatin1String(chave), QStringLiteral("0"))));
    };
    // What each line opening with a caption must say after it.
    const std::vector<std::pair<QString, QString>> esperados = {
        {QStringLiteral("Exercício:"), QString::number(ano.toInt() + (encerra ? 0 : 1))},
        {pessoa ? QStringLiteral("CPF do Declarante:") : QStringLiteral("CNPJ do Declarante:"), ni},
        {pessoa ? QStringLiteral("Nome:") : QStringLiteral("Nome Empresarial:"),
         valor(QStringLiteral("Declarante"), QStringLiteral("NM_DECLAR"))},
        {QStringLiteral("01. Beneficiários PF"),
         valor(QStringLiteral("Declaracao"), QStringLiteral("NR_BENEF_PF"), QStringLiteral("0"))},
        {QStringLiteral("02. Beneficiários PJ"),
         valor(QStringLiteral("Declaracao"), QStringLiteral("NR_BENEF_PJ"), QStringLiteral("0"))},
        {QStringLiteral("03. Rendimentos Tributáveis"), reais("Valores", "VL_REND")},
        {QStringLiteral("04. Deduções"), reais("Valores", "VL_DEDUC")},
        {QStringLiteral("05. Imposto Retido"), reais("Valores", "VL_IMPOSTO")},
        {QStringLiteral("06. Compensação Ano Atual por Decisão Judicial"), reais("ValoresSJ", "VL_COMP_AT")},
        {QStringLiteral("07. Compensação Anos Anteriores por Decisão Judicial"), reais("ValoresSJ", "VL_COMP_ANT")},
        {QStringLiteral("08. Rendimentos Tributáveis"), reais("ValoresSJ", "VL_REND")},
        {QStringLiteral("09. Deduções"), reais("ValoresSJ", "VL_DEDUC")},
        {QStringLiteral("10. IRRF"), reais("ValoresSJ", "VL_IMPOSTO")},
        {QStringLiteral("11. Depósito Judicial"), reais("ValoresSJ", "VL_DEPOSITO")},
        {QStringLiteral("Correio Eletrônico:"), valor(QStringLiteral("Responsavel"), QStringLiteral("EMAIL_RESP"))},
        {pessoa ? QStringLiteral("CPF:") : QStringLiteral("CNPJ:"), ni},
        {QStringLiteral("Nº do Recibo:"), recibo},
    };
    // Captions that share a line with others: what follows each up to the next.
    const std::vector<std::tuple<QString, QString, QString>> juntos = {
        {QStringLiteral("Ano-calendário:"), QStringLiteral("Tipo:"), ano},
        {QStringLiteral("Tipo:"), QString(),
         valor(QStringLiteral("Declaracao"), QStringLiteral("TP_Arquivo")) == QStringLiteral("R")
             ? QStringLiteral("Retificadora")
             : QStringLiteral("Original")},
        {QStringLiteral("DDD:"), QStringLiteral("Telefone:"),
         valor(QStringLiteral("Responsavel"), QStringLiteral("DDD_RESP"))},
        {QStringLiteral("Telefone:"), QStringLiteral("Fax:"),
         valor(QStringLiteral("Responsavel"), QStringLiteral("TEL_RESP"))},
        {QStringLiteral("Fax:"), QString(), valor(QStringLiteral("Responsavel"), QStringLiteral("FAX_RESP"))},
    };
    QStringList falhas;
    QSet<QString> vistos;
    bool responsavel = false;
    bool estabelecimentos = false;
    QStringList impressos;
    int pagina = 1;
    for (const TLinha& l : TodasAsLinhas(Paginas)) {
        pagina = l.Pagina;
        const QString texto = l.Texto();
        const auto confere = [&](const QString& titulo, const QString& impresso, const QString& esperado) {
            vistos.insert(titulo);
            if (impresso != esperado.simplified())
                falhas << Falha(Nome, l.Pagina, impresso.isEmpty() ? titulo : impresso,
                                QStringLiteral("\"%1\" é \"%2\" nos dados do recibo").arg(titulo, esperado));
        };
        if (texto.startsWith(QStringLiteral("Dados da pessoa responsável")))
            responsavel = true;
        if (texto == QStringLiteral("Extrato da Declaração"))
            estabelecimentos = false;
        if (estabelecimentos && texto != QStringLiteral("Fundos ou Clubes de Investimentos informados"))
            impressos << l.W;
        // The responsible person's name and CPF, each on its line.
        if (responsavel && l.W[0] == QStringLiteral("Nome:")) {
            confere(QStringLiteral("Nome do responsável"), l.Texto(1),
                    valor(QStringLiteral("Responsavel"), QStringLiteral("NM_RESP")));
            continue;
        }
        if (responsavel && l.W[0] == QStringLiteral("CPF:")) {
            confere(QStringLiteral("CPF do responsável"), l.Texto(1),
                    valor(QStringLiteral("Responsavel"), QStringLiteral("CPF_RESP")));
            responsavel = false;   // a later "CPF:" is the access block's
            continue;
        }
        for (const auto& [titulo, esperado] : esperados)
            if (const QString v = Apos(texto, titulo); !v.isNull() && !vistos.contains(titulo)) {
                // The year of the exercise shares its line with the calendar year and the type.
                confere(titulo, titulo == QStringLiteral("Exercício:") ? v.section(QLatin1Char(' '), 0, 0) : v,
                        esperado);
                if (titulo.endsWith(QStringLiteral("Nome:")) || titulo.endsWith(QStringLiteral("Empresarial:")))
                    estabelecimentos = true;
            }
        for (const auto& [titulo, seguinte, esperado] : juntos) {
            const qsizetype de = l.Indice(titulo);
            if (de < 0)
                continue;
            const qsizetype ate = seguinte.isEmpty() ? -1 : l.Indice(seguinte, de + 1);
            confere(titulo, l.Texto(de + 1, ate), esperado);
        }
        // The foot: the control number and the page.
        if (const qsizetype p = l.Indice(QStringLiteral("Página:")); p > 0)
            confere(QStringLiteral("número de controle"), l.W[0], controle);
    }
    for (const auto& [titulo, esperado] : esperados)
        if (!vistos.contains(titulo))
            falhas << Falha(Nome, pagina, titulo, QStringLiteral("o recibo não mostra \"%1\"").arg(esperado));
    // The establishments and the funds, five a line.
    QStringList esperadosEstab;
    if (secoes[QStringLiteral("Original")].size() + secoes[QStringLiteral("Retificadora")].size() > 1 && !pessoa)
        for (const char* s : {"Original", "Retificadora"})
            for (const auto& [k, v] : secoes[QLatin1String(s)])
                esperadosEstab << v.left(4);
    if (!pessoa)
        for (const auto& [k, v] : secoes[QStringLiteral("Anexos")])
            esperadosEstab << v.left(18);
    if (impressos != esperadosEstab)
        falhas << Falha(Nome, pagina, impressos.join(QLatin1Char(' ')),
                        QStringLiteral("estabelecimentos e fundos: %1").arg(Diferenca(impressos, esperadosEstab)));
    return falhas;
}

QStringList ConferenciaDados::ConferePendencias(const QString& Nome, const std::vector<TPendencia>& Linhas_,
                                                int NumErros, int NumAvisos,
                                                const std::vector<QList<TPalavra>>& Paginas)
{
    // Each row prints its text without the code, at most 120 characters; errors and warnings
    // marked by their gravity.
    QStringList esperadas;
    int erros = 0;
    int avisos = 0;
    for (const TPendencia& p : Linhas_) {
        const QString codigo = p.Descricao.left(2);
        if (p.Descricao.isEmpty())
            continue;
        QString texto = p.Descricao.mid(2, 120);
        if (codigo == QStringLiteral("00") || codigo == QStringLiteral("01")) {
            texto.prepend(p.Gravidade != 0 ? QStringLiteral("ERRO : ") : QStringLiteral("AVISO: "));
            ++(p.Gravidade != 0 ? erros : avisos);
        }
        esperadas << Palavras(texto);
    }
    QStringList falhas;
    QStringList impressas;
    bool total = false;
    int pagina = 1;
    for (const TLinha& l : TodasAsLinhas(Paginas)) {
        pagina = l.Pagina;
        const QString texto = l.Texto();
        if (texto == QStringLiteral("Verificação de Pendências"))
            continue;
        if (l.W[0] == QStringLiteral("Data:")) {
            continue;
        }
        if (texto.startsWith(QStringLiteral("Total de Erros:"))) {
            total = true;
            const QString esperado = QStringLiteral("Total de Erros: %1 Total de Avisos: %2")
                                         .arg(NumErros, 4, 10, QLatin1Char('0'))
                                         .arg(NumAvisos, 4, 10, QLatin1Char('0'));
            if (texto != esperado)
                falhas << Falha(Nome, l.Pagina, texto, QStringLiteral("a verificação conta \"%1\"").arg(esperado));
            continue;
        }
        impressas << l.W;
    }
    if (impressas != esperadas)
        falhas << Falha(Nome, pagina, QString(),
                        QStringLiteral("as pendências da tabela: %1").arg(Diferenca(impressas, esperadas)));
    if (!total)
        falhas << Falha(Nome, pagina, QStringLiteral("Total de Erros:"), QStringLiteral("sem os totais"));
    if (erros != NumErros || avisos != NumAvisos)
        falhas << Falha(Nome, pagina, QString(),
                        QStringLiteral("a tabela tem %1 erros e %2 avisos, a verificação conta %3 e %4")
                            .arg(erros)
                            .arg(avisos)
                            .arg(NumErros)
                            .arg(NumAvisos));
    return falhas;
}

QStringList ConferenciaDados::ConfereErrosImportacao(const QString& Nome, bool Comprovantes, const QString& Arquivo,
                                                     const QStringList& Linhas_, const QStringList& Mensagens,
                                                     const std::vector<QList<TPalavra>>& Paginas)
{
    // The words each pair must print, in the order of the page.
    QStringList esperadas;
    const auto campo = [&esperadas](const QString& titulo, const QString& valor) {
        esperadas << Palavras(titulo) << Palavras(valor);
    };
    static const QStringList meses{QStringLiteral("Jan"), QStringLiteral("Fev"), QStringLiteral("Mar"),
                                   QStringLiteral("Abr"), QStringLiteral("Mai"), QStringLiteral("Jun"),
                                   QStringLiteral("Jul"), QStringLiteral("Ago"), QStringLiteral("Set"),
                                   QStringLiteral("Out"), QStringLiteral("Nov"), QStringLiteral("Dez"),
                                   QStringLiteral("13º")};
    for (qsizetype i = 0; i < std::min(Linhas_.size(), Mensagens.size()); ++i) {
        const QString& l = Linhas_[i];
        const auto pos = [&l](int de, int ate) { return l.mid(de - 1, ate - de + 1); };
        campo(QStringLiteral("Descrição do erro:"), Mensagens[i]);
        if (Comprovantes) {
            // The beneficiary (11), nine amounts of 15, a description of 60, an amount, the memo.
            static const char* const titulos[] = {
                "Beneficiário", "Previdência Oficial", "Previdência Privada", "Pensão Alimentícia", "Aposentadoria",
                "Diárias",      "Invalidez",           "Lucro de PJ",         "Titular Microempr.", "Indenizações"};
            int de = 0;
            for (int c = 0; c < 10; ++c) {
                const int largura = c == 0 ? 11 : 15;
                campo(QString::fromUtf8(titulos[c]), l.mid(de, largura));
                de += largura;
            }
            campo(QStringLiteral("Descrição de Outros Rendimentos Isentos"), l.mid(de, 60));
            campo(QStringLiteral("Outros Rend. Isent."), l.mid(de + 60, 15));
            campo(QStringLiteral("Informações Complementares:"), l.mid(de + 75, 200));
            continue;
        }
        const QString tipo = pos(9, 9);
        campo(QStringLiteral("Número do Registro:"), pos(1, 8));
        campo(QStringLiteral("Tipo do Registro:"), tipo);
        if (tipo == QStringLiteral("1")) {
            campo(QStringLiteral("Declarante (CPF ou CNPJ):"), pos(10, 23));
            campo(QStringLiteral("Nome do Declarante:"), pos(43, 102));
        } else if (tipo == QStringLiteral("4")) {
            campo(QStringLiteral("CNPJ do Fundo ou Clube:"), pos(10, 23));
            campo(QStringLiteral("Nome do Fundo ou Clube:"), pos(43, 102));
            campo(QStringLiteral("CNPJ do Declarante(Administrador):"), pos(151, 164));
        } else {
            campo(tipo == QStringLiteral("5") ? QStringLiteral("CNPJ do Fundo ou Clube:")
                                              : QStringLiteral("Declarante (CPF ou CNPJ):"),
                  pos(10, 23));
            campo(QStringLiteral("Código (somente números):"), pos(24, 27));
            campo(QStringLiteral("Tipo de beneficiário (1 ou 2):"), pos(28, 28));
            campo(QStringLiteral("CPF ou CNPJ do Beneficiário:"), pos(29, 42));
            campo(QStringLiteral("Nome do Beneficiário:"), pos(43, 102));
            esperadas << Palavras(QStringLiteral("Valor 1ª Coluna Valor 2ª Coluna Valor 3ª Coluna"));
            for (int m = 1; m <= 13; ++m) {
                esperadas << meses[m - 1];
                for (int c = 0; c < 3; ++c)
                    esperadas << Palavras(pos(103 + 15 * c + 45 * (m - 1), 117 + 15 * c + 45 * (m - 1)));
            }
        }
    }
    QStringList falhas;
    QStringList impressas;
    bool arquivo = false;
    int pagina = 1;
    // The file's name after "Arquivo:", over as many lines as it takes, up to the first record
    // of the page.
    QString nomeArquivo;
    int paginaDoNome = 0;
    const auto fechaNome = [&] {
        if (paginaDoNome > 0 && nomeArquivo != Arquivo)
            falhas << Falha(Nome, paginaDoNome, nomeArquivo, QStringLiteral("o arquivo é %1").arg(Arquivo));
        paginaDoNome = 0;
    };
    for (const TLinha& l : TodasAsLinhas(Paginas)) {
        if (l.Pagina != pagina)
            fechaNome();
        pagina = l.Pagina;
        const QString texto = l.Texto();
        if (texto.startsWith(QStringLiteral("Relatório de Erros")) || l.W[0] == QStringLiteral("Página:")
            || l.W[0] == QStringLiteral("Data:"))
            continue;
        if (texto.startsWith(QStringLiteral("Acima estão")))
            break;   // the instructions close the report
        if (const QString v = Apos(texto, QStringLiteral("Arquivo:")); !v.isNull()) {
            fechaNome();
            arquivo = true;
            nomeArquivo = v;
            paginaDoNome = l.Pagina;
            continue;
        }
        if (paginaDoNome > 0) {
            // A line that goes on with the name: broken at a blank, or inside a word too long
            // for a line.
            const QString comBranco = nomeArquivo + (nomeArquivo.isEmpty() ? QString() : QStringLiteral(" ")) + texto;
            if (Arquivo.startsWith(comBranco) || Arquivo.startsWith(nomeArquivo + texto)) {
                nomeArquivo = Arquivo.startsWith(comBranco) ? comBranco : nomeArquivo + texto;
                continue;
            }
        }
        fechaNome();
        impressas << l.W;
    }
    fechaNome();
    if (!arquivo)
        falhas << Falha(Nome, pagina, QStringLiteral("Arquivo:"), QStringLiteral("sem o nome do arquivo"));
    if (impressas != esperadas)
        falhas << Falha(Nome, pagina, QString(),
                        QStringLiteral("as linhas com erro: %1").arg(Diferenca(impressas, esperadas)));
    return falhas;
}
