#include "platform/db/cursors/TCursorTabela.h"

#include <QScopeGuard>
#include <algorithm>
#include <cmath>
#include <limits>
#include <sqlite3.h>
#include <utility>

#include "platform/db/sqlite/EDatabaseError.h"
#include "platform/db/sqlite/TTransacao.h"

namespace {

QString Aspas(const QString& nome)
{
    return TEsquemaTabela::Aspas(nome);
}

// NULL sorts before every value; in keys it is replaced by the lowest number so that row
// values still compare.
const QString MenorValor = QStringLiteral("-1e999");

// Statements a cursor keeps for reuse, beyond which its cache starts again.
constexpr qsizetype MaximoComandos = 64;

// Sets of texts kept by the form they were written for, beyond which the keeping starts again.
constexpr qsizetype MaximoTextosGuardados = 1024;

// A lent statement is reset on every way out of its search, so that it holds no read open.
class TReiniciaAoSair {
public:
    explicit TReiniciaAoSair(TComando& comando)
        : FComando(comando)
    {}
    ~TReiniciaAoSair() { FComando.Reinicia(); }
    TReiniciaAoSair(const TReiniciaAoSair&) = delete;
    TReiniciaAoSair& operator=(const TReiniciaAoSair&) = delete;

private:
    TComando& FComando;
};

}   // namespace

TCursorTabela::TCursorTabela(std::shared_ptr<TDatabase> banco, const QString& tabela, bool somenteLeitura)
    : FBanco(std::move(banco))
    , FEsquema(TEsquemaTabela::Le(*FBanco, tabela))
    , FSomenteLeitura(somenteLeitura)
{
    MontaTextosEsquema();
    DefineIndice(QString());
    FBanco->RegistraLeitor(this);
}

void TCursorTabela::MontaTextosEsquema()
{
    FPrimeiraColuna = FEsquema.ChavePrimaria.isEmpty() ? 1 : 0;   // the rowid first
    FColunasChave.clear();
    for (const QString& campo : FEsquema.ChavePrimaria)
        FColunasChave.push_back(FEsquema.IndiceCampo(campo));
    // Written once per definition read, shared by every cursor over the table.
    FSelecao = FEsquema.Selecao.isEmpty() ? TEsquemaTabela::MontaSelecao(FEsquema) : FEsquema.Selecao;
    // Written when first needed: most cursors only walk.
    FSqlLinha.clear();
    FSqlInsere.clear();
    FSqlAltera.clear();
    FSqlApaga.clear();
    MontaColunasFiltro();
}

const QString& TCursorTabela::SqlPorChave(QString TCursorTabela::*texto)
{
    if (FSqlLinha.isEmpty()) {
        QStringList gravadas;
        QStringList atribuicoes;
        for (std::size_t i = 0; i < FEsquema.Campos.size(); ++i) {
            gravadas << (static_cast<qsizetype>(i) < FEsquema.NomesAspas.size()
                             ? FEsquema.NomesAspas[static_cast<qsizetype>(i)]
                             : Aspas(FEsquema.Campos[i].Name));
            atribuicoes << gravadas.back() + QStringLiteral(" = ?");
        }
        const QString tabela = Aspas(FEsquema.Nome);
        const QString chave = OndeChavePrimaria();
        FSqlInsere = QStringLiteral("INSERT INTO %1 (%2) VALUES %3")
                         .arg(tabela, gravadas.join(QLatin1Char(',')),
                              TEsquemaTabela::Marcadores(static_cast<int>(gravadas.size())));
        FSqlAltera = QStringLiteral("UPDATE %1 SET %2 WHERE %3").arg(tabela, atribuicoes.join(QLatin1Char(',')), chave);
        FSqlApaga = QStringLiteral("DELETE FROM %1 WHERE %2").arg(tabela, chave);
        FSqlLinha = FSelecao + QStringLiteral(" WHERE ") + chave;
    }
    return this->*texto;
}

void TCursorTabela::MontaColunasFiltro()
{
    // None at first: a column is handed over once a filter has read it.
    FColunasFiltro.clear();
    FTexto.clear();
    for (const auto& campo : FEsquema.Campos)
        FTexto.push_back(IsTextType(campo.DataType) ? 1 : 0);
    FAprender.clear();
    FSondado = false;
}

void TCursorTabela::MontaSqlFiltro()
{
    // The columns the filters read come first; a walk that finds its rows again by key hands the
    // key after them.
    FArgumento.assign(FEsquema.Campos.size(), -1);
    QStringList argumentos{QStringLiteral("?")};
    for (const int coluna : FColunasFiltro) {
        FArgumento[static_cast<std::size_t>(coluna)] = static_cast<int>(argumentos.size());
        argumentos << Aspas(FEsquema.Campos[static_cast<std::size_t>(coluna)].Name);
    }
    FArgumentosChave.clear();
    QStringList chave;
    if (FEsquema.ChavePrimaria.isEmpty()) {
        FArgumentosChave.push_back(static_cast<int>(argumentos.size()));
        chave << QStringLiteral("rowid");
    }
    for (const int coluna : FColunasChave) {
        FArgumentosChave.push_back(static_cast<int>(argumentos.size() + chave.size()));
        chave << Aspas(FEsquema.Campos[static_cast<std::size_t>(coluna)].Name);
    }
    // Last in the WHERE, so that SQLite asks the filters only about rows within the range and
    // the expressions; its pointer is the statement's last parameter.
    auto chamada = [&](const QStringList& lista) {
        return QStringLiteral(" AND %1(%2)").arg(QLatin1String(TFuncaoFiltro::Nome), lista.join(QLatin1Char(',')));
    };
    const QString porPosicao = chamada(argumentos);
    const QString porChave = chamada(argumentos + chave);
    // Each is the plain walk's text (first, last, after, before) with the call before its ORDER
    // BY: a first walk that learns a column writes no WHERE again.
    const QString crescente = QStringLiteral(" ORDER BY ") + FOrdemCrescente;
    const QString decrescente = QStringLiteral(" ORDER BY ") + FOrdemDecrescente;
    const std::array<std::pair<const QString*, const QString*>, 4> simples{{{&FSqlPrimeiro, &crescente},
                                                                            {&FSqlUltimo, &decrescente},
                                                                            {&FSqlProximo, &crescente},
                                                                            {&FSqlAnterior, &decrescente}}};
    for (const bool posicao : {false, true}) {
        auto& textos = posicao ? FSqlFiltroPosicao : FSqlFiltroChave;
        const QString& f = posicao ? porPosicao : porChave;
        for (std::size_t i = 0; i < textos.size(); ++i) {
            const auto& [texto, ordem] = simples[i];
            QString sql;
            sql.reserve(texto->size() + f.size());
            sql.append(QStringView(*texto).chopped(ordem->size())).append(f).append(*ordem);
            textos[i] = std::move(sql);
        }
    }
    EsqueceFiltradas();
}

void TCursorTabela::EsqueceFiltradas()
{
    FModoFiltro.fill(-1);
    if (FFrenteFiltro.Comando && FFrenteFiltro.Comando != FRodando)
        FFrenteFiltro.Comando->Reinicia();
    if (FTrasFiltro.Comando && FTrasFiltro.Comando != FRodando)
        FTrasFiltro.Comando->Reinicia();
    FFrenteFiltro = {};
    FTrasFiltro = {};
}

void TCursorTabela::AprendeColunas()
{
    bool mudou = false;
    for (const int coluna : FAprender) {
        if (coluna >= 0 && coluna < static_cast<int>(FArgumento.size())
            && FArgumento[static_cast<std::size_t>(coluna)] < 0
            && std::find(FColunasFiltro.begin(), FColunasFiltro.end(), coluna) == FColunasFiltro.end()) {
            FColunasFiltro.push_back(coluna);
            mudou = true;
        }
    }
    FAprender.clear();
    if (!mudou) {
        GaranteTextos();
        return;
    }
    // Only the filter texts hand over the new columns: the others, when made, stay as they are.
    const bool soFiltros = std::exchange(FTextosProntos, false);
    // The columns handed to the filters choose no index: SQLite's plan of each walk stays.
    const auto modo = FModoFiltro;
    const auto geracao = FGeracaoPlano;
    GaranteTextos(soFiltros);
    FModoFiltro = modo;
    FGeracaoPlano = geracao;
}

TCursorTabela::~TCursorTabela()
{
    FBanco->RemoveLeitor(this);
    // The next cursor over the same table, range and filters prepares them no more.
    QHash<QString, std::shared_ptr<TComando>> comandos;
    comandos.swap(FComandos);
    EsqueceComandos();
    for (auto& comando : comandos)
        FBanco->DevolveComando(std::move(comando));
    for (auto& comando : FBuscas)
        FBanco->DevolveComando(std::move(comando));
    FBuscas.clear();
}

void TCursorTabela::EsqueceComandos()
{
    // A statement stepping the filters lives on with its step (TFluxo::Dono of the caller).
    FFrente = {};
    FTras = {};
    FFrenteFiltro = {};
    FTrasFiltro = {};
    FComandos.clear();
}

const TIndexDef* TCursorTabela::IndiceAtual() const
{
    return FIndice;
}

void TCursorTabela::DefineIndice(const QString& nome)
{
    const TIndexDef* indice = FEsquema.Indice(nome);
    if (!indice && !nome.isEmpty())
        throw EDatabaseError(QStringLiteral("Index does not exist. Index: %1").arg(nome));
    FIndice = indice;
    FNomeIndice = indice ? indice->Name : QString();
    DefineOrdem(indice ? FEsquema.CamposDoIndice(*indice) : QStringList(), indice && indice->IsCaseInsensitive());
}

void TCursorTabela::RecarregaEsquema()
{
    SoltaLeituras();
    EsqueceComandos();
    FBuscas.clear();
    FTraduzida.reset();
    const bool porIndice = FIndice != nullptr || FCamposOrdem.isEmpty();
    const QString nome = FNomeIndice;
    const QStringList campos = FCamposOrdem;
    FEsquema = TEsquemaTabela::Le(*FBanco, FEsquema.Nome);
    MontaTextosEsquema();
    if (porIndice && (nome.isEmpty() || FEsquema.Indice(nome)))
        DefineIndice(nome);
    else if (porIndice)
        DefineIndice(QString());
    else
        DefineCamposOrdem(campos);
}

void TCursorTabela::DefineCamposOrdem(const QStringList& campos)
{
    for (const QString& campo : campos) {
        if (FEsquema.IndiceCampo(campo) < 0)
            throw EDatabaseError(QStringLiteral("Field '%1' not found").arg(campo));
    }
    FIndice = nullptr;
    DefineOrdem(campos, false);
}

void TCursorTabela::DefineOrdem(const QStringList& campos, bool semCaixa)
{
    FOrdem.clear();
    FCamposOrdem.clear();
    auto adiciona = [&](int coluna, bool comCaixa) {
        const TFieldDef& def = FEsquema.Campos[static_cast<std::size_t>(coluna)];
        const bool nulavel = !FEsquema.NaoNulo[static_cast<std::size_t>(coluna)];
        const bool semCaixaColuna = !comCaixa && IsTextType(def.DataType);
        const QStringList& aspas = semCaixaColuna ? FEsquema.NomesSemCaixaAspas : FEsquema.NomesAspas;
        QString expressao = coluna < aspas.size()
            ? aspas[coluna]
            : Aspas(semCaixaColuna ? TEsquemaTabela::ColunaSemCaixa(def.Name) : def.Name);
        if (nulavel)
            expressao = QStringLiteral("IFNULL(%1,%2)").arg(expressao, MenorValor);
        QString comparada;
        if (IsTextType(def.DataType) && FCamposNome.contains(def.Name, Qt::CaseInsensitive)) {
            comparada = expressao;
            expressao += QStringLiteral(" COLLATE ") + QLatin1String(TDatabase::ColacaoNomes);
        }
        for (const auto& existente : FOrdem) {
            if (existente.Expressao == expressao)
                return;
        }
        FOrdem.push_back({expressao, coluna, nulavel, comparada});
    };
    for (const QString& campo : campos) {
        const int coluna = FEsquema.IndiceCampo(campo);
        if (coluna < 0)
            throw EDatabaseError(QStringLiteral("Field '%1' not found").arg(campo));
        FCamposOrdem << FEsquema.Campos[static_cast<std::size_t>(coluna)].Name;
        adiciona(coluna, !semCaixa);
    }
    if (FEsquema.ChavePrimaria.isEmpty()) {
        FOrdem.push_back({QStringLiteral("rowid"), -1, false});
    } else {
        for (const QString& campo : FEsquema.ChavePrimaria)
            adiciona(FEsquema.IndiceCampo(campo), true);
    }
    const QString indice = IndiceDaOrdem();
    FSelecaoOrdenada = indice.isEmpty() ? FSelecao : FSelecao + QLatin1Char(' ') + indice;
    FInicio.reset();
    FFim.reset();
    Reconstroi();
}

QString TCursorTabela::IndiceDaOrdem() const
{
    // Without statistics SQLite weighs an equality on the primary key's first fields (the owner
    // filter) above a seek on every field of another index, and then scans all the owner's rows
    // for each key. The walks in index order are therefore told which b-tree to use, when that
    // b-tree holds exactly the order's columns (no NULL stand-ins, no descending fields).
    if (!FCamposOrdem.isEmpty() && !FIndice)
        return {};
    for (const auto& coluna : FOrdem) {
        if (coluna.Nulavel)
            return {};
    }
    if (!FIndice || FIndice->IsPrimary())
        return FEsquema.SemRowid || FEsquema.ChavePrimaria.isEmpty() ? QStringLiteral("NOT INDEXED") : QString();
    if ((FIndice->Options & TIndexOption::ixDescending) != 0)
        return {};
    const auto posicao = static_cast<qsizetype>(FIndice - FEsquema.Indices.data());
    if (posicao < 0 || posicao >= FEsquema.NomesSqlite.size() || FEsquema.NomesSqlite[posicao].isEmpty())
        return {};
    return QStringLiteral("INDEXED BY ") + Aspas(FEsquema.NomesSqlite[posicao]);
}

void TCursorTabela::DefineFaixa(std::optional<TLimite> inicio, std::optional<TLimite> fim)
{
    auto limita = [&](std::optional<TLimite>& limite) {
        if (limite && limite->Valores.size() > static_cast<std::size_t>(FCamposOrdem.size()))
            limite->Valores.resize(static_cast<std::size_t>(FCamposOrdem.size()));
        if (limite && limite->Valores.empty())
            limite.reset();
    };
    limita(inicio);
    limita(fim);
    FInicio = std::move(inicio);
    FFim = std::move(fim);
    Reconstroi();
}

bool TCursorTabela::AceitaExpressao(const QByteArray& expressao, QString& erro)
{
    try {
        // Kept: the dataset applies the expression it was told is good right after.
        FTraduzida = {expressao, TFiltroSql::Traduz(expressao, FEsquema)};
        return true;
    } catch (const EDatabaseError& e) {
        erro = e.Mensagem();
        return false;
    }
}

void TCursorTabela::DefineExpressoes(const std::vector<QByteArray>& expressoes)
{
    FExpressoes.clear();
    for (const QByteArray& expressao : expressoes)
        FExpressoes.push_back(FTraduzida && FTraduzida->first == expressao ? FTraduzida->second
                                                                           : TFiltroSql::Traduz(expressao, FEsquema));
    FTraduzida.reset();
    Reconstroi();
}

QString TCursorTabela::Comparacao(int quantidade, const char* operador) const
{
    // A name column is compared by the names' collation given on its value: SQLite seeks an
    // index by a row value only over plain columns, and the value's explicit collation still
    // decides the comparison.
    QString vetor(QLatin1Char('('));
    QString valores(QLatin1Char('('));
    for (int i = 0; i < quantidade; ++i) {
        if (i > 0) {
            vetor += QLatin1Char(',');
            valores += QLatin1Char(',');
        }
        valores += QLatin1Char('?');
        if (i >= static_cast<int>(FOrdem.size()))
            continue;
        const TColunaOrdem& coluna = FOrdem[static_cast<std::size_t>(i)];
        if (coluna.Comparada.isEmpty()) {
            vetor += coluna.Expressao;
        } else {
            vetor += coluna.Comparada;
            valores += QStringLiteral(" COLLATE ") + QLatin1String(TDatabase::ColacaoNomes);
        }
    }
    return vetor + QStringLiteral(") ") + QLatin1String(operador) + QLatin1Char(' ') + valores + QLatin1Char(')');
}

void TCursorTabela::Reconstroi()
{
    // Opening a table changes its order, range and filters a few times before the first read:
    // the statements' texts are made once, when a read needs them.
    SoltaLeituras();
    ++FVersaoOnde;
    FFrente = {};
    FTras = {};
    for (auto& textos : FSqlChave)
        textos.clear();
    EsqueceFiltradas();
    FTextosProntos = false;
}

QString TCursorTabela::FormaAtual() const
{
    // Everything the texts are written from: the columns and key of the table, the order, the
    // size and kind of the range, the filters' SQL and the columns handed to the record filters.
    const QChar separador(0x1f);
    QString forma = FSelecaoOrdenada;
    forma += separador;
    forma += FEsquema.ChavePrimaria.join(QLatin1Char(','));
    for (const auto& coluna : FOrdem) {
        forma += separador;
        forma += coluna.Expressao;
    }
    forma += separador;
    forma += QString::number(FInicio ? static_cast<int>(FInicio->Valores.size()) * 2 + (FInicio->Exclusivo ? 1 : 0)
                                     : -1);
    forma += QLatin1Char(':');
    forma += QString::number(FFim ? static_cast<int>(FFim->Valores.size()) * 2 + (FFim->Exclusivo ? 1 : 0) : -1);
    for (const auto& clausula : FExpressoes) {
        forma += separador;
        forma += clausula.Sql;
    }
    forma += separador;
    for (const int coluna : FColunasFiltro) {
        forma += QString::number(coluna);
        forma += QLatin1Char(',');
    }
    return forma;
}

void TCursorTabela::TrocaTextos(TTextosGuardados& guardados, bool guarda)
{
    auto troca = [guarda](auto& campo, auto& guardado) {
        if (guarda)
            guardado = campo;
        else
            campo = guardado;
    };
    troca(FOnde, guardados.Onde);
    troca(FOrdemCrescente, guardados.OrdemCrescente);
    troca(FOrdemDecrescente, guardados.OrdemDecrescente);
    troca(FSqlPrimeiro, guardados.Primeiro);
    troca(FSqlUltimo, guardados.Ultimo);
    troca(FSqlProximo, guardados.Proximo);
    troca(FSqlAnterior, guardados.Anterior);
    troca(FSqlBookmark, guardados.Bookmark);
    troca(FSqlCompara, guardados.Compara);
    troca(FSqlConta, guardados.Conta);
    troca(FSqlNumero, guardados.Numero);
    troca(FSqlPosicao, guardados.Posicao);
    troca(FSqlFiltroChave, guardados.FiltroChave);
    troca(FSqlFiltroPosicao, guardados.FiltroPosicao);
    troca(FArgumento, guardados.Argumento);
    troca(FArgumentosChave, guardados.ArgumentosChave);
}

void TCursorTabela::GaranteTextos(bool soFiltros)
{
    if (FTextosProntos)
        return;
    FTextosProntos = true;
    // The texts depend on nothing but their form: a collection that walks within a range, then
    // without it, then within it again, and every table of the same kind opened again, take back
    // texts written before; only the values are taken afresh.
    // Never destroyed: cursors of objects destroyed at exit still write texts. The program
    // reads its database from the main thread alone.
    static auto& guardados = *new QHash<QString, std::shared_ptr<TTextosGuardados>>();
    const QString forma = FormaAtual();
    if (const auto it = guardados.constFind(forma); it != guardados.cend()) {
        TrocaTextos(**it, false);
        MontaValoresOnde();
        EsqueceFiltradas();
        return;
    }
    if (soFiltros)
        MontaSqlFiltro();
    else
        MontaTextos();
    if (guardados.size() >= MaximoTextosGuardados)
        guardados.clear();
    auto novos = std::make_shared<TTextosGuardados>();
    TrocaTextos(*novos, true);
    guardados.insert(forma, std::move(novos));
}

void TCursorTabela::MontaValoresOnde()
{
    FValoresOnde.clear();
    auto limite = [&](const TLimite& l) {
        const int n = static_cast<int>(l.Valores.size());
        for (int i = 0; i < n; ++i) {
            QVariant valor = l.Valores[static_cast<std::size_t>(i)];
            const TColunaOrdem& coluna = FOrdem[static_cast<std::size_t>(i)];
            if (coluna.Nulavel && (!valor.isValid() || valor.isNull()))
                valor = -std::numeric_limits<double>::infinity();
            else if (coluna.Coluna >= 0 && IsTextType(FEsquema.Campos[static_cast<std::size_t>(coluna.Coluna)].DataType)
                     && !valor.isValid())
                valor = QString();
            FValoresOnde.push_back(valor);
        }
    };
    if (FInicio)
        limite(*FInicio);
    if (FFim)
        limite(*FFim);
    for (const auto& clausula : FExpressoes)
        FValoresOnde.insert(FValoresOnde.end(), clausula.Valores.begin(), clausula.Valores.end());
}

QString TCursorTabela::Onde(std::optional<TGetMode> apos) const
{
    // A walk that goes on from a key must seek that key. Without statistics SQLite rather seeks
    // the range's bound on the same side, or an equality an expression sets on the order's
    // first fields, and then reads every row up to the key: those are only tested (a unary
    // plus), never sought. The expressions so only within a range whose far bound ends the walk;
    // and only where the walk follows a b-tree of the order's columns, which can seek the key
    // (an order of other fields is sorted, and the bounds then narrow what is sorted).
    const bool porIndice = FSelecaoOrdenada != FSelecao;
    const bool chaveAdiante = porIndice && apos && *apos == gmNext;
    const bool chaveAtras = porIndice && apos && *apos == gmPrior;
    QStringList partes;
    auto limite = [&](const TLimite& l, const char* inclusivo, const char* exclusivo, bool soTestado) {
        const QString sql = Comparacao(static_cast<int>(l.Valores.size()), l.Exclusivo ? exclusivo : inclusivo);
        partes << (soTestado ? QStringLiteral("+(%1)").arg(sql) : sql);
    };
    if (FInicio)
        limite(*FInicio, ">=", ">", chaveAdiante);
    if (FFim)
        limite(*FFim, "<=", "<", chaveAtras);
    // Where the walk follows a b-tree, an expression is only tested too within a range, which
    // seeks, and wherever it does not name the b-tree's first column, so that it could not seek:
    // an equality it sets on a column of the key that the b-tree ends with makes SQLite take that
    // column for a constant and sort the rest of the order.
    const bool soTestadas = porIndice && (FInicio || FFim);
    const QString primeira = FOrdem.empty() || FOrdem.front().Coluna < 0
        ? QStringLiteral("rowid")
        : Aspas(FEsquema.Campos[static_cast<std::size_t>(FOrdem.front().Coluna)].Name);
    for (const auto& clausula : FExpressoes) {
        const bool testada = soTestadas || (porIndice && !clausula.Sql.contains(primeira, Qt::CaseInsensitive));
        partes << (testada ? QStringLiteral("+(%1)").arg(clausula.Sql) : clausula.Sql);
    }
    return partes.isEmpty() ? QStringLiteral("1") : partes.join(QStringLiteral(" AND "));
}

void TCursorTabela::MontaTextos()
{
    MontaValoresOnde();
    FOnde = Onde(std::nullopt);

    QStringList crescente, decrescente;
    for (const auto& coluna : FOrdem) {
        crescente << coluna.Expressao;
        decrescente << coluna.Expressao + QStringLiteral(" DESC");
    }
    FOrdemCrescente = crescente.join(QLatin1Char(','));
    FOrdemDecrescente = decrescente.join(QLatin1Char(','));
    const int n = static_cast<int>(FOrdem.size());
    const QString base = FSelecaoOrdenada + QStringLiteral(" WHERE ") + FOnde;
    FSqlPrimeiro = base + QStringLiteral(" ORDER BY ") + FOrdemCrescente;
    FSqlUltimo = base + QStringLiteral(" ORDER BY ") + decrescente.join(QLatin1Char(','));
    FSqlProximo = FSelecaoOrdenada + QStringLiteral(" WHERE ") + Onde(gmNext)
        + QStringLiteral(" AND %1 ORDER BY %2").arg(Comparacao(n, ">"), FOrdemCrescente);
    FSqlAnterior = FSelecaoOrdenada + QStringLiteral(" WHERE ") + Onde(gmPrior)
        + QStringLiteral(" AND %1 ORDER BY %2").arg(Comparacao(n, "<"), decrescente.join(QLatin1Char(',')));
    const QString tabela = Aspas(FEsquema.Nome);
    FSqlBookmark = FSelecao + QStringLiteral(" WHERE ") + FOnde + QStringLiteral(" AND ") + OndeChavePrimaria();
    FSqlCompara = QStringLiteral("SELECT %1 FROM %2 WHERE %3").arg(Comparacao(n, "<"), tabela, OndeChavePrimaria());
    FSqlConta = QStringLiteral("SELECT COUNT(*) FROM %1 WHERE %2").arg(tabela, FOnde);
    FSqlNumero = QStringLiteral("SELECT COUNT(*) FROM %1 WHERE %2 AND %3").arg(tabela, FOnde, Comparacao(n, "<"));
    FSqlPosicao = FSqlPrimeiro + QStringLiteral(" LIMIT 1 OFFSET ?");
    MontaSqlFiltro();
}

const QString& TCursorTabela::SqlChave(int campos, TModoChave modo)
{
    GaranteTextos();
    auto& textos = FSqlChave[static_cast<std::size_t>(modo)];
    const auto n = static_cast<std::size_t>(campos);
    if (textos.size() <= n)
        textos.resize(n + 1);
    QString& sql = textos[n];
    if (sql.isEmpty()) {
        const char* operador = modo == TModoChave::Igual ? "=" : (modo == TModoChave::Maior ? ">" : ">=");
        sql = FSelecaoOrdenada
            + QStringLiteral(" WHERE %1 AND %2 ORDER BY %3").arg(FOnde, Comparacao(campos, operador), FOrdemCrescente);
    }
    return sql;
}

TComando& TCursorTabela::Prepara(const QString& sql)
{
    return *PreparaCompartilhado(sql);
}

std::shared_ptr<TComando> TCursorTabela::PreparaCompartilhado(const QString& sql)
{
    auto it = FComandos.find(sql);
    if (it == FComandos.end()) {
        // Not while the filters run inside a step: the walk goes on from the statements it holds.
        if (FComandos.size() > MaximoComandos && !FRodando) {
            SoltaLeituras();
            EsqueceComandos();
        }
        it = FComandos.insert(sql, FBanco->ComandoDevolvido(sql));
    }
    return it.value();
}

std::shared_ptr<TComando> TCursorTabela::Empresta(const QString& sql)
{
    auto it = FBuscas.constFind(sql);
    if (it != FBuscas.constEnd()) {
        // Held by the cache alone: no search is stepping it.
        if (it.value().use_count() == 1)
            return it.value();
        return std::make_shared<TComando>(FBanco->Conexao(), sql);
    }
    if (FBuscas.size() > MaximoComandos)
        FBuscas.clear();   // a statement lent out lives on with its search
    std::shared_ptr<TComando> comando = FBanco->ComandoDevolvido(sql);
    FBuscas.insert(sql, comando);
    return comando;
}

void TCursorTabela::LigaOnde(TComando& comando, int& posicao) const
{
    // A reset keeps the bindings: the range and filter values are bound again only when they
    // changed since this statement last ran.
    if (comando.Marca() == FVersaoOnde) {
        posicao += static_cast<int>(FValoresOnde.size());
        return;
    }
    for (const QVariant& valor : FValoresOnde)
        comando.Liga(posicao++, valor);
    comando.SetMarca(FVersaoOnde);
}

void TCursorTabela::LigaChave(TComando& comando, int& posicao, const std::vector<QVariant>& chave) const
{
    for (const QVariant& valor : chave)
        comando.Liga(posicao++, valor);
}

std::vector<QVariant> TCursorTabela::Chave(const TRegistro& registro) const
{
    std::vector<QVariant> chave;
    chave.reserve(FOrdem.size());
    for (const auto& coluna : FOrdem) {
        if (coluna.Coluna < 0) {
            chave.emplace_back(registro.RowId);
            continue;
        }
        const auto indice = static_cast<std::size_t>(coluna.Coluna);
        QVariant valor = indice < registro.Valores.size() ? registro.Valores[indice] : QVariant();
        if (!valor.isValid() || valor.isNull())
            valor = coluna.Nulavel ? QVariant(-std::numeric_limits<double>::infinity())
                                   : (IsTextType(FEsquema.Campos[indice].DataType) ? QVariant(QString()) : QVariant());
        chave.push_back(std::move(valor));
    }
    return chave;
}

QString TCursorTabela::OndeChavePrimaria() const
{
    if (FEsquema.ChavePrimaria.isEmpty())
        return QStringLiteral("rowid = ?");
    QStringList colunas;
    for (const QString& campo : FEsquema.ChavePrimaria)
        colunas << Aspas(campo);
    return QStringLiteral("(%1) = %2")
        .arg(colunas.join(QLatin1Char(',')), TEsquemaTabela::Marcadores(static_cast<int>(colunas.size())));
}

void TCursorTabela::LigaBookmark(TComando& comando, int& posicao, const TBookmark& marca) const
{
    for (const QVariant& valor : marca.Chave())
        comando.Liga(posicao++, valor);
}

void TCursorTabela::Le(const TComando& comando, TRegistro& registro)
{
    registro.Leitura = ++FLeituras;
    const std::size_t total = FEsquema.Campos.size();
    registro.Valores.resize(total);
    registro.RowId = FPrimeiraColuna ? comando.Inteiro(0) : 0;
    for (std::size_t i = 0; i < total; ++i)
        comando.LeValor(static_cast<int>(i) + FPrimeiraColuna, FTexto[i] != 0, registro.Valores[i]);
}

void TCursorTabela::SoltaLeituras()
{
    // The statement whose step runs the filters cannot be reset from inside them: it is stopped
    // when the filter returns.
    // Called before every write of the connection: a walk that is not under way holds no read
    // (it was reset when it ended), so only one under way is reset.
    for (TFluxo* fluxo : {&FFrente, &FTras, &FFrenteFiltro, &FTrasFiltro}) {
        if (!fluxo->Ativo)
            continue;
        if (fluxo->Comando && fluxo->Comando != FRodando)
            fluxo->Comando->Reinicia();
        fluxo->Ativo = false;
    }
    if (FRodando)
        FInterrompido = true;
}

bool TCursorTabela::InterrompeFiltrada()
{
    if (!FRodando)
        return false;
    FInterrompido = true;
    return true;
}

int TCursorTabela::TipoFiltrada(bool continua, bool frente)
{
    return (continua ? 2 : 0) + (frente ? 0 : 1);
}

bool TCursorTabela::PlanoNaTabela(int tipo)
{
    // A row is found again by its place in the walk only when SQLite walks the table's own
    // b-tree (or the rowid) in the order asked: the filters are then asked, last, about every row
    // that the rest of the WHERE lets through, in that order. Through another index it may ask
    // them before a condition on a column that the index lacks; the walk then hands the key.
    const auto t = static_cast<std::size_t>(tipo);
    if (FModoFiltro[t] >= 0 && FGeracaoPlano[t] == FBanco->Geracao())
        return FModoFiltro[t] == 1;
    bool naTabela = true;
    bool ordena = false;
    for (const QString& passo : FBanco->Plano(TextoDoPlano(FSqlFiltroPosicao[t]))) {
        if (passo.contains(QLatin1String("INDEX"), Qt::CaseInsensitive)
            || passo.contains(QLatin1String("B-TREE"), Qt::CaseInsensitive)
            || passo.contains(QLatin1String("AUTOMATIC"), Qt::CaseInsensitive))
            naTabela = false;
        if (passo.contains(QLatin1String("TEMP B-TREE"), Qt::CaseInsensitive))
            ordena = true;
    }
    FModoFiltro[t] = naTabela ? 1 : (ordena ? 2 : 0);
    FGeracaoPlano[t] = FBanco->Geracao();
    return naTabela;
}

bool TCursorTabela::OrdenaAoFiltrar(int tipo)
{
    PlanoNaTabela(tipo);
    return FModoFiltro[static_cast<std::size_t>(tipo)] == 2;
}

QString TCursorTabela::TextoDoPlano(const QString& sql) const
{
    // Where the FROM names the b-tree to walk (NOT INDEXED, INDEXED BY), the columns selected
    // choose nothing, and the plan of the same walk selecting one value is compiled for a
    // fraction of the work; otherwise a covering index could be chosen for the columns.
    const QString de = QStringLiteral(" FROM ") + Aspas(FEsquema.Nome);
    if (FSelecaoOrdenada == FSelecao || !FSelecao.endsWith(de) || !sql.startsWith(FSelecaoOrdenada))
        return sql;
    return QStringLiteral("SELECT 1") + de + FSelecaoOrdenada.mid(FSelecao.size()) + sql.mid(FSelecaoOrdenada.size());
}

qint64 TCursorTabela::Retomavel(const TFluxo& fluxo) const
{
    return fluxo.Ativo && !fluxo.TemDesde && fluxo.PorPosicao && fluxo.Geracao == FBanco->Geracao()
        ? static_cast<qint64>(fluxo.Avaliadas)
        : -1;
}

int TCursorTabela::BuscaFiltrada(const TRegistro* de, TGetMode modo, const TAceita& aceita, TRegistro& registro)
{
    const bool frente = modo == gmNext;
    const TFluxo& fluxo = frente ? FFrenteFiltro : FTrasFiltro;
    // A walk from the start that learns a column at a row it gave begins again below.
    return BuscaFiltrada(de, modo, aceita, registro, !FAprender.empty() && Continua(fluxo, de) ? Retomavel(fluxo) : -1);
}

int TCursorTabela::BuscaFiltrada(const TRegistro* de, TGetMode modo, const TAceita& aceita, TRegistro& registro,
                                 qint64 retomada)
{
    GaranteTextos();
    if (FRodando)
        return -1;
    if (!FAprender.empty())
        AprendeColunas();
    const bool frente = modo == gmNext;
    TFluxo& fluxo = frente ? FFrenteFiltro : FTrasFiltro;
    TRegistro primeira;
    auto sondagem = TSondagem::SemLinha;
    if (!Continua(fluxo, de)) {
        // Once per walk: a walk that steps on was begun on this connection, which has it still.
        TFuncaoFiltro::Registra(FBanco->Conexao());
        if (fluxo.Comando)
            fluxo.Comando->Reinicia();
        // The first walk of the filters asks them about its first row outside the engine, read
        // whole: the columns they read are handed over from the walk's one statement, which
        // refuses that row unasked, rather than from a second one that begins again.
        if (!de && retomada < 0 && !FSondado && PlanoNaTabela(TipoFiltrada(false, frente))) {
            FSondado = true;
            sondagem = SondaPrimeira(frente, aceita, primeira);
            if (sondagem == TSondagem::Perturbada)
                return -1;   // the filters used the database: this walk is done outside the engine
            if (sondagem != TSondagem::SemLinha) {
                if (!FAprender.empty())
                    AprendeColunas();
                retomada = 1;
            }
        }
        // A walk from the start that must begin again with a column more handed over begins
        // from the start again and refuses the rows it has asked about unasked, when the new
        // walk also goes by place: after the key of its last row, every row of the walk would
        // be compared with that key.
        const bool doInicio = retomada >= 0 && PlanoNaTabela(TipoFiltrada(false, frente));
        if (doInicio)
            de = nullptr;
        const int tipo = TipoFiltrada(de != nullptr, frente);
        // A walk that SQLite sorts asks the filters about every row while it sorts, in the
        // b-tree's order, not the walk's: a row refused there is no place to go on from, and the
        // filters would be asked about rows the walk has not reached. They are asked outside.
        if (OrdenaAoFiltrar(tipo))
            return -1;
        fluxo.PorPosicao = PlanoNaTabela(tipo);
        fluxo.Dono = PreparaCompartilhado(fluxo.PorPosicao ? FSqlFiltroPosicao[tipo] : FSqlFiltroChave[tipo]);
        TComando& comando = *fluxo.Dono;
        comando.Reinicia();
        int posicao = 1;
        LigaOnde(comando, posicao);
        fluxo.Desde = de ? Chave(*de) : std::vector<QVariant>();
        fluxo.TemDesde = de != nullptr;
        fluxo.Avaliadas = 0;
        fluxo.Pular = doInicio ? static_cast<quint64>(retomada) : 0;
        if (de)
            LigaChave(comando, posicao, fluxo.Desde);
        comando.LigaPonteiro(posicao, static_cast<TFuncaoFiltro::IAvaliador*>(this), TFuncaoFiltro::TipoPonteiro);
        fluxo.Comando = &comando;
        fluxo.Geracao = FBanco->Geracao();
        fluxo.Ativo = true;
        if (sondagem == TSondagem::Aceita) {
            registro = std::move(primeira);
            fluxo.UltimaLeitura = registro.Leitura;
            return 1;
        }
    }
    const std::shared_ptr<TComando> comando = fluxo.Dono;
    FRodando = comando.get();
    FFluxoRodando = &fluxo;
    FAceita = &aceita;
    FInterrompido = false;
    bool achou = false;
    try {
        achou = comando->Passo();
    } catch (const EDBEngineError&) {
        // The step was reset by its failure; `fluxo` may have been cleared by the filter.
        const qint64 retomavel = Retomavel(fluxo);
        FRodando = nullptr;
        FAceita = nullptr;
        FFrenteFiltro.Ativo = false;
        FTrasFiltro.Ativo = false;
        if (FExcecao)
            std::rethrow_exception(std::exchange(FExcecao, nullptr));
        if (FInterrompido)
            return -1;
        if (std::exchange(FReaprender, false)) {
            // A refused row read a column with the whole row: the walk goes on after it with
            // that column handed over, rather than read every following row so.
            const TRegistro recusado{FLinha.Valores, FLinha.RowId, 0, nullptr};
            return BuscaFiltrada(&recusado, modo, aceita, registro, retomavel);
        }
        throw;
    } catch (...) {
        FRodando = nullptr;
        FAceita = nullptr;
        throw;
    }
    FRodando = nullptr;
    FAceita = nullptr;
    if (achou) {
        Le(*comando, registro);
        fluxo.UltimaLeitura = registro.Leitura;
        return 1;
    }
    comando->Reinicia();
    fluxo.Ativo = false;
    return 0;
}

int TCursorTabela::Avalia(int argumentos, sqlite3_value** valores) noexcept
{
    if (!FAceita || FInterrompido)
        return -1;
    FArgumentos = valores;
    FQuantosArgumentos = argumentos;
    ++FNumeroLinha;
    const std::size_t total = FEsquema.Campos.size();
    if (FLinha.Valores.size() != total) {
        FLinha.Valores.resize(total);
        FLidaEm.resize(total, 0);
    }
    FLinha.RowId = 0;
    ++FFluxoRodando->Avaliadas;
    if (FFluxoRodando->Pular > 0) {
        --FFluxoRodando->Pular;
        return 0;
    }
    FLinha.Leitura = 0;
    FLinha.Fonte = &FFonte;
    FAtividadePropria = 0;
    const quint64 antes = TComando::Atividade();
    bool aceito = false;
    try {
        aceito = (*FAceita)(FLinha);
    } catch (...) {
        FExcecao = std::current_exception();
    }
    FLinha.Fonte = nullptr;
    FArgumentos = nullptr;
    // A filter that used the database (another table, a write, a move of this one) may have
    // disturbed the statement it is called from: the walk stops and is done outside the engine.
    if (TComando::Atividade() - antes != FAtividadePropria)
        FInterrompido = true;
    if (FExcecao || FInterrompido)
        return -1;
    if (!aceito && !FAprender.empty()) {
        FReaprender = true;
        return -1;
    }
    return aceito ? 1 : 0;
}

TCursorTabela::TSondagem TCursorTabela::SondaPrimeira(bool frente, const TAceita& aceita, TRegistro& registro)
{
    TComando& le = Prepara(frente ? FSqlPrimeiro : FSqlUltimo);
    for (TFluxo* outro : {&FFrente, &FTras})
        if (outro->Comando == &le)
            outro->Ativo = false;   // begins again by the key of its row
    le.Reinicia();
    int posicao = 1;
    LigaOnde(le, posicao);
    const bool achou = le.Passo();
    if (achou)
        Le(le, registro);
    le.Reinicia();
    if (!achou)
        return TSondagem::SemLinha;
    // As a row under test inside the engine: read by no walk yet, its columns noted as read.
    const quint64 leitura = std::exchange(registro.Leitura, 0);
    registro.Fonte = &FFonte;
    FSondando = true;
    const quint64 antes = TComando::Atividade();
    const quint64 versao = FVersaoOnde;
    const auto ao = qScopeGuard([&] {
        registro.Fonte = nullptr;
        FSondando = false;
    });
    const bool aceito = aceita(registro);
    registro.Leitura = leitura;
    if (TComando::Atividade() != antes || FVersaoOnde != versao || !FTextosProntos)
        return TSondagem::Perturbada;
    return aceito ? TSondagem::Aceita : TSondagem::Recusada;
}

void TCursorTabela::TLinhaFiltrada::Le(int coluna)
{
    FCursor.LeColunaFiltrada(coluna);
}

void TCursorTabela::LeColunaFiltrada(int coluna)
{
    const auto indice = static_cast<std::size_t>(coluna);
    if (!FArgumentos) {
        // Outside the engine the row was read whole: a column not handed over is noted.
        if (FSondando && coluna >= 0 && indice < FArgumento.size() && FArgumento[indice] < 0)
            FAprender.push_back(coluna);
        return;
    }
    if (indice >= FLidaEm.size() || indice >= FLinha.Valores.size() || FLidaEm[indice] == FNumeroLinha)
        return;
    const int argumento = indice < FArgumento.size() ? FArgumento[indice] : -1;
    if (argumento > 0 && argumento < FQuantosArgumentos) {
        TComando::LeValorDe(FArgumentos[argumento], FTexto[indice] != 0, FLinha.Valores[indice]);
        FLidaEm[indice] = FNumeroLinha;
        return;
    }
    FAprender.push_back(coluna);
    LeLinhaFiltradaInteira();
}

void TCursorTabela::LeLinhaFiltradaInteira()
{
    const quint64 antes = TComando::Atividade();
    TComando* le = nullptr;
    const TFluxo& fluxo = *FFluxoRodando;
    if (fluxo.PorPosicao) {
        // The row that the same walk without the filters gives at the same place.
        const bool frente = FFluxoRodando == &FFrenteFiltro;
        const QString& sql = fluxo.TemDesde ? (frente ? FSqlProximo : FSqlAnterior)
                                            : (frente ? FSqlPrimeiro : FSqlUltimo);
        // The first row of a walk from an end is the first of the walk without the filters,
        // whose statement the cursor has at hand from its opening: no statement with an offset
        // is prepared for the row a first walk learns its columns at.
        const bool primeira = !fluxo.TemDesde && fluxo.Avaliadas == 1;
        le = &Prepara(primeira ? sql : sql + QStringLiteral(" LIMIT 1 OFFSET ?"));
        for (TFluxo* outro : {&FFrente, &FTras})
            if (outro->Comando == le)
                outro->Ativo = false;   // begins again by the key of its row
        le->Reinicia();
        int posicao = 1;
        LigaOnde(*le, posicao);
        if (fluxo.TemDesde)
            LigaChave(*le, posicao, fluxo.Desde);
        if (!primeira)
            le->LigaInteiro(posicao, static_cast<qint64>(fluxo.Avaliadas) - 1);
    } else {
        std::vector<QVariant> chave;
        for (std::size_t i = 0; i < FArgumentosChave.size(); ++i) {
            const int argumento = FArgumentosChave[i];
            if (argumento >= FQuantosArgumentos)
                break;
            if (FEsquema.ChavePrimaria.isEmpty())
                chave.emplace_back(static_cast<qint64>(sqlite3_value_int64(FArgumentos[argumento])));
            else if (i < FColunasChave.size())
                chave.push_back(
                    TComando::ValorDe(FArgumentos[argumento], FTexto[static_cast<std::size_t>(FColunasChave[i])] != 0));
        }
        le = &Prepara(SqlPorChave(&TCursorTabela::FSqlLinha));
        le->Reinicia();
        int posicao = 1;
        LigaBookmark(*le, posicao, TBookmark(std::move(chave)));
    }
    TRegistro inteira;
    const bool achou = le->Passo();
    if (achou)
        Le(*le, inteira);
    le->Reinicia();
    FAtividadePropria += TComando::Atividade() - antes;
    FLinha.RowId = inteira.RowId;
    for (std::size_t i = 0; i < FLinha.Valores.size(); ++i) {
        if (FLidaEm[i] == FNumeroLinha)
            continue;
        FLinha.Valores[i] = achou && i < inteira.Valores.size() ? inteira.Valores[i] : QVariant();
        FLidaEm[i] = FNumeroLinha;
    }
}

bool TCursorTabela::Continua(const TFluxo& fluxo, const TRegistro* de) const
{
    // The statement steps on while it stands just after `de`, the row it gave last.
    return de && de->Leitura != 0 && fluxo.Ativo && fluxo.UltimaLeitura == de->Leitura
        && fluxo.Geracao == FBanco->Geracao();
}

bool TCursorTabela::Busca(const TRegistro* de, TGetMode modo, TRegistro& registro)
{
    GaranteTextos();
    const bool frente = modo == gmNext;
    TFluxo& fluxo = frente ? FFrente : FTras;
    if (!Continua(fluxo, de)) {
        if (fluxo.Comando)
            fluxo.Comando->Reinicia();
        TComando& comando = Prepara(de ? (frente ? FSqlProximo : FSqlAnterior) : (frente ? FSqlPrimeiro : FSqlUltimo));
        comando.Reinicia();
        int posicao = 1;
        LigaOnde(comando, posicao);
        if (de)
            LigaChave(comando, posicao, Chave(*de));
        fluxo.Comando = &comando;
        fluxo.Geracao = FBanco->Geracao();
        fluxo.Ativo = true;
    }
    if (fluxo.Comando->Passo()) {
        Le(*fluxo.Comando, registro);
        fluxo.UltimaLeitura = registro.Leitura;
        return true;
    }
    fluxo.Comando->Reinicia();
    fluxo.Ativo = false;
    return false;
}

bool TCursorTabela::BuscaBookmark(const TBookmark& marca, TRegistro& registro)
{
    GaranteTextos();
    if (marca.IsNull())
        return false;
    TComando& comando = Prepara(FSqlBookmark);
    comando.Reinicia();
    int posicao = 1;
    LigaOnde(comando, posicao);
    LigaBookmark(comando, posicao, marca);
    const bool achou = comando.Passo();
    if (achou)
        Le(comando, registro);
    comando.Reinicia();
    return achou;
}

TBookmark TCursorTabela::Bookmark(const TRegistro& registro) const
{
    std::vector<QVariant> chave;
    if (FEsquema.ChavePrimaria.isEmpty()) {
        chave.emplace_back(registro.RowId);
    } else {
        chave.reserve(FColunasChave.size());
        for (const int coluna : FColunasChave) {
            const auto indice = static_cast<std::size_t>(coluna);
            QVariant valor = indice < registro.Valores.size() ? registro.Valores[indice] : QVariant();
            if (!valor.isValid() && IsTextType(FEsquema.Campos[indice].DataType))
                valor = QString();
            chave.push_back(std::move(valor));
        }
    }
    return TBookmark(std::move(chave));
}

int TCursorTabela::Compara(const TBookmark& a, const TBookmark& b)
{
    GaranteTextos();
    // The order of the rows themselves, whatever the ranges and filters.
    TComando& le = Prepara(SqlPorChave(&TCursorTabela::FSqlLinha));
    le.Reinicia();
    int posicao = 1;
    LigaBookmark(le, posicao, b);
    TRegistro registroB;
    const bool temB = le.Passo();
    if (temB)
        Le(le, registroB);
    le.Reinicia();
    if (!temB)
        return -1;
    TComando& compara = Prepara(FSqlCompara);
    compara.Reinicia();
    posicao = 1;
    LigaChave(compara, posicao, Chave(registroB));
    LigaBookmark(compara, posicao, a);
    int resultado = 1;
    if (compara.Passo())
        resultado = compara.Inteiro(0) != 0 ? -1 : 1;
    compara.Reinicia();
    return resultado;
}

int TCursorTabela::Conta()
{
    GaranteTextos();
    TComando& comando = Prepara(FSqlConta);
    comando.Reinicia();
    int posicao = 1;
    LigaOnde(comando, posicao);
    const int total = comando.Passo() ? static_cast<int>(comando.Inteiro(0)) : 0;
    comando.Reinicia();
    return total;
}

int TCursorTabela::Numero(const TRegistro& registro)
{
    GaranteTextos();
    TComando& comando = Prepara(FSqlNumero);
    comando.Reinicia();
    int posicao = 1;
    LigaOnde(comando, posicao);
    LigaChave(comando, posicao, Chave(registro));
    const int antes = comando.Passo() ? static_cast<int>(comando.Inteiro(0)) : 0;
    comando.Reinicia();
    return antes + 1;
}

bool TCursorTabela::BuscaNumero(int numero, TRegistro& registro)
{
    GaranteTextos();
    if (numero < 1)
        return false;
    TComando& comando = Prepara(FSqlPosicao);
    comando.Reinicia();
    int posicao = 1;
    LigaOnde(comando, posicao);
    comando.LigaInteiro(posicao, numero - 1);
    const bool achou = comando.Passo();
    if (achou)
        Le(comando, registro);
    comando.Reinicia();
    return achou;
}

bool TCursorTabela::PrimeiroAceito(TComando& comando, const TAceita& aceita, TRegistro& registro)
{
    while (comando.Passo()) {
        Le(comando, registro);
        if (aceita(registro))
            return true;
    }
    return false;
}

bool TCursorTabela::BuscaChave(const std::vector<QVariant>& valores, TModoChave modo, const TAceita& aceita,
                               TRegistro& registro)
{
    const int n = std::min(static_cast<int>(valores.size()), static_cast<int>(FCamposOrdem.size()));
    if (n == 0)
        return false;
    const std::shared_ptr<TComando> emprestado = Empresta(SqlChave(n, modo));
    TComando& comando = *emprestado;
    const TReiniciaAoSair reinicia(comando);
    comando.Reinicia();
    int posicao = 1;
    LigaOnde(comando, posicao);
    for (int i = 0; i < n; ++i) {
        QVariant valor = valores[static_cast<std::size_t>(i)];
        const TColunaOrdem& coluna = FOrdem[static_cast<std::size_t>(i)];
        if (coluna.Nulavel && (!valor.isValid() || valor.isNull()))
            valor = -std::numeric_limits<double>::infinity();
        else if (!valor.isValid() && coluna.Coluna >= 0
                 && IsTextType(FEsquema.Campos[static_cast<std::size_t>(coluna.Coluna)].DataType))
            valor = QString();
        comando.Liga(posicao++, valor);
    }
    return PrimeiroAceito(comando, aceita, registro);
}

bool TCursorTabela::Localiza(const std::vector<int>& colunas, const QVariantList& valores, TLocateOptions opcoes,
                             const TAceita& aceita, TRegistro& registro, bool& tratado)
{
    GaranteTextos();
    tratado = false;
    const bool semCaixa = (opcoes & TLocateOption::loCaseInsensitive) != 0;
    const bool parcial = (opcoes & TLocateOption::loPartialKey) != 0;
    QStringList condicoes;
    std::vector<QVariant> ligacoes;
    for (std::size_t i = 0; i < colunas.size(); ++i) {
        if (colunas[i] < 0 || colunas[i] >= static_cast<int>(FEsquema.Campos.size()))
            return false;
        const TFieldDef& def = FEsquema.Campos[static_cast<std::size_t>(colunas[i])];
        const QString coluna = Aspas(def.Name);
        const QVariant& valor = valores[static_cast<int>(i)];
        if (IsBlobType(def.DataType) && !IsTextType(def.DataType))
            return false;
        const bool vazio = !valor.isValid() || valor.isNull();
        if (IsTextType(def.DataType)) {
            const QString texto = vazio ? QString() : valor.toString();
            const QString colacao = semCaixa ? QStringLiteral(" COLLATE NOCASE") : QString();
            if (parcial) {
                condicoes << QStringLiteral("substr(IFNULL(%1,''), 1, ?) = ?%2").arg(coluna, colacao);
                ligacoes.emplace_back(static_cast<qint64>(texto.size()));
            } else if (FEsquema.NaoNulo[static_cast<std::size_t>(colunas[i])]) {
                // Holds no NULL: compared as it stands, so that an index on it serves.
                condicoes << QStringLiteral("%1 = ?%2").arg(coluna, colacao);
            } else {
                condicoes << QStringLiteral("IFNULL(%1,'') = ?%2").arg(coluna, colacao);
            }
            ligacoes.emplace_back(texto);
            continue;
        }
        if (vazio) {
            condicoes << QStringLiteral("%1 IS NULL").arg(coluna);
            continue;
        }
        QVariant numero = valor;
        if (valor.typeId() == QMetaType::QString)
            return false;   // text for a number: the generic search converts it by the field
        if (def.DataType == ftCurrency && (valor.typeId() == QMetaType::Double || valor.typeId() == QMetaType::Float))
            numero = static_cast<qint64>(std::llround(valor.toDouble() * 10000.0));
        else if (valor.typeId() == QMetaType::Bool)
            numero = static_cast<qint64>(valor.toBool() ? 1 : 0);
        condicoes << QStringLiteral("%1 = ?").arg(coluna);
        ligacoes.push_back(numero);
    }
    tratado = true;
    const std::shared_ptr<TComando> emprestado = Empresta(
        FSelecao
        + QStringLiteral(" WHERE %1 AND %2 ORDER BY %3")
              .arg(FOnde, condicoes.join(QStringLiteral(" AND ")), FOrdemCrescente));
    TComando& comando = *emprestado;
    const TReiniciaAoSair reinicia(comando);
    comando.Reinicia();
    int posicao = 1;
    LigaOnde(comando, posicao);
    for (const QVariant& valor : ligacoes)
        comando.Liga(posicao++, valor);
    return PrimeiroAceito(comando, aceita, registro);
}

QVariant TCursorTabela::ValorParaGravar(const TRegistro& registro, int coluna) const
{
    const auto indice = static_cast<std::size_t>(coluna);
    const QVariant valor = indice < registro.Valores.size() ? registro.Valores[indice] : QVariant();
    if (IsTextType(FEsquema.Campos[indice].DataType) && (!valor.isValid() || valor.isNull()))
        return QString();
    return valor;
}

bool TCursorTabela::MesmosValores(const TRegistro& registro, const TRegistro& original) const
{
    const int total = static_cast<int>(FEsquema.Campos.size());
    for (int i = 0; i < total; ++i) {
        const QVariant novo = ValorParaGravar(registro, i);
        const QVariant antigo = ValorParaGravar(original, i);
        // Of one type and equal: 1 and 1.0 are not the same text in a text column.
        if (novo.isValid() != antigo.isValid() || novo.isNull() != antigo.isNull()
            || (novo.isValid() && (novo.typeId() != antigo.typeId() || novo != antigo)))
            return false;
    }
    return true;
}

void TCursorTabela::Grava(TRegistro& registro, const TRegistro* original)
{
    ExigeModificavel(!FSomenteLeitura);
    const int total = static_cast<int>(FEsquema.Campos.size());
    registro.Valores.resize(std::max(registro.Valores.size(), static_cast<std::size_t>(total)));
    // A record edited back to what was read writes nothing: saving what the user did not change
    // neither costs a write nor fails on data that take none.
    if (original && MesmosValores(registro, *original)) {
        registro.RowId = original->RowId;
        return;
    }
    TTransacao transacao(*FBanco);
    for (int i = 0; i < total; ++i) {
        const auto indice = static_cast<std::size_t>(i);
        if (FEsquema.Campos[indice].DataType != ftAutoInc
            || (registro.Valores[indice].isValid() && !registro.Valores[indice].isNull()))
            continue;
        TComando& maximo = FBanco->Comando(QStringLiteral("SELECT IFNULL(MAX(%1),0)+1 FROM %2")
                                               .arg(Aspas(FEsquema.Campos[indice].Name), Aspas(FEsquema.Nome)));
        if (maximo.Passo())
            registro.Valores[indice] = maximo.Inteiro(0);
        maximo.Reinicia();
    }
    if (!original) {
        TComando& insere = Prepara(SqlPorChave(&TCursorTabela::FSqlInsere));
        insere.Reinicia();
        for (int i = 0; i < total; ++i)
            insere.Liga(i + 1, ValorParaGravar(registro, i));
        FBanco->Escreve(insere);
        if (FEsquema.ChavePrimaria.isEmpty())
            registro.RowId = FBanco->UltimoRowId();
    } else {
        TComando& altera = Prepara(SqlPorChave(&TCursorTabela::FSqlAltera));
        altera.Reinicia();
        int posicao = 1;
        for (int i = 0; i < total; ++i)
            altera.Liga(posicao++, ValorParaGravar(registro, i));
        LigaBookmark(altera, posicao, Bookmark(*original));
        FBanco->Escreve(altera);
        if (FBanco->Alteracoes() == 0)
            throw EDatabaseError(QStringLiteral("Record/key deleted."));
        registro.RowId = original->RowId;
    }
    transacao.Confirma();
}

void TCursorTabela::Apaga(const TRegistro& registro)
{
    ExigeModificavel(!FSomenteLeitura);
    TTransacao transacao(*FBanco);
    TComando& apaga = Prepara(SqlPorChave(&TCursorTabela::FSqlApaga));
    apaga.Reinicia();
    int posicao = 1;
    LigaBookmark(apaga, posicao, Bookmark(registro));
    FBanco->Escreve(apaga);
    if (FBanco->Alteracoes() == 0)
        throw EDatabaseError(QStringLiteral("Record/key deleted."));
    transacao.Confirma();
}

void TCursorTabela::Esvazia()
{
    ExigeModificavel(!FSomenteLeitura);
    TTransacao transacao(*FBanco);
    FBanco->Escreve(QStringLiteral("DELETE FROM %1").arg(Aspas(FEsquema.Nome)));
    transacao.Confirma();
}
