// A stored declaration of 10,000, 100,000 and 1,000,000 items (10 codes per beneficiary, one
// beneficiary in ten with sub judice values on its first code), built before anything is timed:
//   opening it on the beneficiaries page, to its first beneficiary on screen
//       vs reading, on an open connection with the program's settings, the declaration's row, its
//          last item and its first item, each joined with its beneficiary and judicial values
//   moving to the next beneficiary
//       vs one prepared SELECT of the next item by key, joined the same way
//   moving from the first beneficiary to the last (Último)
//       vs one prepared SELECT of the last item, joined the same way
//   one keystroke in the search window (a digit of the CPF typed, the lists restricted to it and
//   redrawn)
//       vs one SELECT of the first screenful of beneficiaries in the typed range, and of the
//          first one's items
// and, at 1,000, 100,000 and 1,000,000 items, each action of the search window (Ctrl+S):
//   opening it, on the list of codes
//       vs one SELECT of the first screenful of items in code order, with their names
//   for each key (code, CPF, CNPJ, name): choosing it, a keystroke, Backspace, a move down its
//   list, a page down its list
//       vs one SELECT of the first screenful of the list the key shows (for the name, as many
//          beneficiaries read by their primary key: what a seek in an index of the names costs),
//          and, for the beneficiaries' keys, of the first one's items
//   coming back to the window, when it reads its tables again
//       vs the same SELECTs of the list in use
// and, at 1,000, 100,000 and 1,000,000 items of a fund administrator's declaration:
//   opening the summary page, whose grid of codes asks the items whether each code has any
//       without a floor: "passos" counts SQLite's steps of its machine, which tell a seek from a
//       walk over the declaration whatever the computer
// Each reports projeto_s, piso_s, razao and the peak resident memory of the project's step alone
// (the declaration is built before it, unmeasured).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTemporaryDir>
#include <functional>
#include <string>
#include <map>
#include <memory>
#include <sqlite3.h>
#include <vector>

#include "MedidaBench.h"
#include "model/codes/TColecaoCodigoRetencao.h"
#include "model/declaration/TColecaoPruv.h"
#include "model/declaration/TPruv.h"
#include "model/items/TColecaoPruvItem.h"
#include "model/people/TNi.h"
#include "model/values/PastasPrograma.h"
#include "platform/db/sqlite/TDatabase.h"
#include "platform/db/sqlite/TTransacao.h"
#include "platform/files/TPastas.h"
#include "screens/search/TFoPesquisar.h"
#include "platform/db/sqlite/TComando.h"
#include "screens/pages/TFrBeneficiarios.h"
#include "screens/pages/TFrResumo.h"
#include "screens/search/TFrPesquisarPruv.h"
#include "components/controls/grid/TdvDBGrid.h"
#include "components/data/datasets/TdvTable.h"

using namespace MedidaBench;

namespace {

constexpr int CodigosPorBeneficiario = 10;
const char* const Codigos[CodigosPorBeneficiario] = {"0561", "0588", "3208", "3223", "3277",
                                                     "3533", "3562", "5204", "5706", "5936"};

QString Cnpj(const char* raiz)
{
    const QString r = QLatin1String(raiz);
    return r + CalculaDV(r);
}

constexpr int Administradora = 3;   // the position of the fund administrators' nature

// A program folder per item count (and nature), holding one stored declaration with that many
// items.
class TProgramaArmazenado {
public:
    TProgramaArmazenado(int itens, int natureza)
    {
        qputenv("PRUV2003_HOME", FPasta.path().toUtf8());
        TPastas::Cria();
        TColecaoCodigoRetencao(QStringLiteral("2002"), QStringLiteral(PRUV_PASTA_RECURSOS "/CodRet.txt"));
        TPruv pruv;
        pruv.SetErros(&FErros);
        pruv.GetDeclarante().SetNi(Cnpj("112223330001"));
        pruv.GetDeclarante().Nome().SetTexto(QStringLiteral("EMPRESA ALFA LTDA"));
        pruv.SetAno(QStringLiteral("2002"));
        pruv.SetNaturezaSemExcecao(pruv.GetNaturezas().GetTodas()[natureza]);
        TColecaoPruv().Inclui(pruv);
        Chave = pruv.GetChave();
        const auto banco = TDatabase::DaPasta(DiretorioDados());   // held until the commit
        TTransacao transacao(*banco);
        TColecaoPruvItem& colecao = pruv.GetItens();
        colecao.SetGravarEmDisco(false);
        colecao.SetNaoAtualizaAux(true);
        TPruvItem item(pruv, pruv);
        for (int b = 0; b < itens / CodigosPorBeneficiario; ++b) {
            const QString raiz = QStringLiteral("%1").arg(100000000 + b * 7919, 9, 10, QLatin1Char('0'));
            const QString cpf = raiz + CalculaDV(raiz);
            const QString nome = QStringLiteral("BENEFICIARIO ") + Letras(b);
            for (int c = 0; c < CodigosPorBeneficiario; ++c) {
                item.Limpa();
                item.GetCodigoRetencao().SetCodigo(QLatin1String(Codigos[c]));
                pruv.GetColecaoCodigoRetencao().BuscaCodigo(item.GetCodigoRetencao(), QStringLiteral("0"));
                item.GetBeneficiario().SetNi(cpf);
                item.GetBeneficiario().Nome().SetTexto(nome);
                for (int m = 1; m <= 12; ++m) {
                    item.GetValores().GetRendimento(m).SetValor((b + m) * TMonetario::Escala);
                    item.GetValores().GetImposto(m).SetValor(m * TMonetario::Escala);
                }
                if (c == 0 && b % 10 == 0)
                    item.GetSubJudice().GetRendimento(3).SetValor(5 * TMonetario::Escala);
                colecao.Salva(item);
            }
        }
        colecao.SetGravarEmDisco(true);
        pruv.LiberaItens();
        transacao.Confirma();
    }
    // Points the program at this folder.
    void Usa() const { qputenv("PRUV2003_HOME", FPasta.path().toUtf8()); }
    [[nodiscard]] QString Banco() const { return DiretorioDados() + QLatin1Char('/') + TDatabase::NomeArquivo(); }

    QString Chave;   // the declaration's

private:
    QTemporaryDir FPasta;
    TErros FErros;
};

TProgramaArmazenado& Programa(int itens, int natureza = 0)
{
    static std::map<std::pair<int, int>, std::unique_ptr<TProgramaArmazenado>> programas;
    auto& programa = programas[{itens, natureza}];
    if (!programa)
        programa = std::make_unique<TProgramaArmazenado>(itens, natureza);
    programa->Usa();
    return *programa;
}

// The stored declaration loaded as the open dialog loads it.
std::unique_ptr<TPruv> Carrega(TErros& erros)
{
    auto pruv = std::make_unique<TPruv>();
    pruv->SetErros(&erros);
    pruv->GetDeclarante().SetNi(Cnpj("112223330001"));
    pruv->SetAno(QStringLiteral("2002"));
    TColecaoPruv().Carrega(*pruv);
    return pruv;
}

// The page opened on the declaration and moved to its first beneficiary.
void AbreNoPrimeiro(TFrBeneficiarios& pagina, TPruv& pruv)
{
    pagina.SetPruv(pruv);
    pagina.show();
    pagina.Abre(false, {});
    pagina.BbFirstClick();
    QCoreApplication::processEvents();
}

// ---- the floors: raw SQLite on a connection of their own, opened before the clock starts ----

class TPiso {
public:
    explicit TPiso(const TProgramaArmazenado& Programa)
        : FChave(Programa.Chave.toUtf8())
    {
        sqlite3_open_v2(QFile::encodeName(Programa.Banco()).constData(), &FConexao,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
        sqlite3_exec(FConexao, "PRAGMA journal_mode=DELETE; PRAGMA synchronous=FULL", nullptr, nullptr, nullptr);
        RegistraColacaoPiso(FConexao);
    }
    ~TPiso()
    {
        for (sqlite3_stmt* c : FComandos)
            sqlite3_finalize(c);
        sqlite3_close(FConexao);
    }
    TPiso(const TPiso&) = delete;
    TPiso& operator=(const TPiso&) = delete;

    // Prepared once, as the program keeps its statements.
    sqlite3_stmt* Comando(const char* Sql)
    {
        sqlite3_stmt* c = nullptr;
        sqlite3_prepare_v2(FConexao, Sql, -1, &c, nullptr);
        FComandos.push_back(c);
        return c;
    }
    // Steps it with the declaration's key as ?1 and Texto (when given) as ?2, reading every
    // column; the rows read.
    int Le(sqlite3_stmt* Comando, const QByteArray& Texto = {})
    {
        sqlite3_reset(Comando);
        sqlite3_bind_text(Comando, 1, FChave.constData(), -1, SQLITE_STATIC);
        if (!Texto.isNull())
            sqlite3_bind_text(Comando, 2, Texto.constData(), -1, SQLITE_TRANSIENT);
        int linhas = 0;
        qint64 soma = 0;
        while (sqlite3_step(Comando) == SQLITE_ROW) {
            ++linhas;
            for (int c = 0; c < sqlite3_column_count(Comando); ++c)
                soma += sqlite3_column_type(Comando, c) == SQLITE_INTEGER ? sqlite3_column_int64(Comando, c)
                                                                          : sqlite3_column_bytes(Comando, c);
        }
        benchmark::DoNotOptimize(soma);
        return linhas;
    }
    // The key of the first item, for the next-item floor.
    QByteArray PrimeiraChave()
    {
        sqlite3_stmt* c = Comando("SELECT PRUV_ITEM_DK FROM PruvItem WHERE IN_ANEXO = '0' AND \"E_PRUV/ANEXO_DK\" = ?1 "
                                  "ORDER BY PRUV_ITEM_DK LIMIT 1");
        sqlite3_bind_text(c, 1, FChave.constData(), -1, SQLITE_STATIC);
        QByteArray chave;
        if (sqlite3_step(c) == SQLITE_ROW)
            chave = reinterpret_cast<const char*>(sqlite3_column_text(c, 0));
        sqlite3_reset(c);
        return chave;
    }

private:
    sqlite3* FConexao = nullptr;
    QByteArray FChave;
    std::vector<sqlite3_stmt*> FComandos;
};

#define ITEM_JUNTO                                                                                                     \
    "SELECT i.*, j.*, b.* FROM PruvItem i LEFT JOIN Judicial j ON j.IN_ANEXO = i.IN_ANEXO "                            \
    "AND j.\"E_PRUV/ANEXO_DK\" = i.\"E_PRUV/ANEXO_DK\" AND j.PRUV_ITEM_DK = i.PRUV_ITEM_DK "                           \
    "LEFT JOIN Benef b ON b.E_PRUV_DK = ?1 AND b.IN_PF_PJ = i.E_IN_PF_PJ AND b.NR_PF_PJ = i.E_NR_PF_PJ "               \
    "WHERE i.IN_ANEXO = '0' AND i.\"E_PRUV/ANEXO_DK\" = ?1 "

// ---- opening ----

void BM_AbrePrimeiroBeneficiario(benchmark::State& Estado)
{
    const int itens = static_cast<int>(Estado.range(0));
    TProgramaArmazenado& programa = Programa(itens);
    TErros erros;
    TPiso piso(programa);
    sqlite3_stmt* declaracao = piso.Comando("SELECT * FROM Pruv WHERE PRUV_DK = ?1");
    sqlite3_stmt* ultimo = piso.Comando(ITEM_JUNTO "ORDER BY i.PRUV_ITEM_DK DESC LIMIT 1");
    sqlite3_stmt* primeiro = piso.Comando(ITEM_JUNTO "ORDER BY i.PRUV_ITEM_DK LIMIT 1");
    for (auto _ : Estado) {
        const qint64 antes = MemoriaKiB("VmRSS");
        ZeraPico();
        const TCronometro cronometro;
        auto pruv = Carrega(erros);
        TFrBeneficiarios pagina;
        AbreNoPrimeiro(pagina, *pruv);
        const double projeto = cronometro.Segundos();
        const qint64 pico = MemoriaKiB("VmHWM") - antes;
        if (pagina.Item()->GetChave().isEmpty())
            Estado.SkipWithError("no beneficiary on screen");
        pagina.Fecha();
        const TCronometro cronometroPiso;
        const int linhas = piso.Le(declaracao) + piso.Le(ultimo) + piso.Le(primeiro);
        const double tempoPiso = cronometroPiso.Segundos();
        if (linhas != 3)
            Estado.SkipWithError("the floor read other rows");
        Estado.SetIterationTime(projeto);
        Relata(Estado, itens, projeto, tempoPiso, pico);
    }
}

// ---- next beneficiary ----

void BM_ProximoBeneficiario(benchmark::State& Estado)
{
    const int itens = static_cast<int>(Estado.range(0));
    TProgramaArmazenado& programa = Programa(itens);
    TErros erros;
    auto pruv = Carrega(erros);
    TFrBeneficiarios pagina;
    AbreNoPrimeiro(pagina, *pruv);
    TPiso piso(programa);
    sqlite3_stmt* proximo = piso.Comando(ITEM_JUNTO "AND i.PRUV_ITEM_DK > ?2 ORDER BY i.PRUV_ITEM_DK LIMIT 1");
    QByteArray chavePiso = piso.PrimeiraChave();
    double projeto = 0;
    double tempoPiso = 0;
    qint64 pico = 0;
    int passos = 0;
    for (auto _ : Estado) {
        const qint64 antes = MemoriaKiB("VmRSS");
        ZeraPico();
        const TCronometro cronometro;
        pagina.BbNextClick();
        QCoreApplication::processEvents();
        const double segundos = cronometro.Segundos();
        projeto += segundos;
        pico = std::max(pico, MemoriaKiB("VmHWM") - antes);
        if (pagina.Item()->GetChave().isEmpty())
            Estado.SkipWithError("no beneficiary on screen");
        const TCronometro cronometroPiso;
        if (piso.Le(proximo, chavePiso) != 1)
            Estado.SkipWithError("the floor read other rows");
        tempoPiso += cronometroPiso.Segundos();
        chavePiso = pagina.Item()->GetChave().toUtf8();
        ++passos;
        Estado.SetIterationTime(segundos);
    }
    Relata(Estado, passos, projeto / passos, tempoPiso / passos, pico);
    pagina.Fecha();
}

// ---- last beneficiary ----

void BM_UltimoBeneficiario(benchmark::State& Estado)
{
    const int itens = static_cast<int>(Estado.range(0));
    TProgramaArmazenado& programa = Programa(itens);
    TErros erros;
    auto pruv = Carrega(erros);
    TFrBeneficiarios pagina;
    AbreNoPrimeiro(pagina, *pruv);
    TPiso piso(programa);
    sqlite3_stmt* ultimo = piso.Comando(ITEM_JUNTO "ORDER BY i.PRUV_ITEM_DK DESC LIMIT 1");
    double projeto = 0;
    double tempoPiso = 0;
    qint64 pico = 0;
    int passos = 0;
    for (auto _ : Estado) {
        pagina.BbFirstClick();   // from the first, unmeasured
        QCoreApplication::processEvents();
        const qint64 antes = MemoriaKiB("VmRSS");
        ZeraPico();
        const TCronometro cronometro;
        pagina.BbLastClick();
        QCoreApplication::processEvents();
        const double segundos = cronometro.Segundos();
        projeto += segundos;
        pico = std::max(pico, MemoriaKiB("VmHWM") - antes);
        if (pagina.Item()->GetChave().isEmpty())
            Estado.SkipWithError("no beneficiary on screen");
        const TCronometro cronometroPiso;
        if (piso.Le(ultimo) != 1)
            Estado.SkipWithError("the floor read other rows");
        tempoPiso += cronometroPiso.Segundos();
        ++passos;
        Estado.SetIterationTime(segundos);
    }
    Relata(Estado, passos, projeto / passos, tempoPiso / passos, pico);
    pagina.Fecha();
}

// ---- one keystroke in the search window ----

void TeclaEm(QWidget* Campo, Qt::Key Tecla, const QString& Texto)
{
    QKeyEvent pressiona(QEvent::KeyPress, Tecla, Qt::NoModifier, Texto);
    QKeyEvent solta(QEvent::KeyRelease, Tecla, Qt::NoModifier, Texto);
    QCoreApplication::sendEvent(Campo, &pressiona);
    QCoreApplication::sendEvent(Campo, &solta);
}

void BM_TeclaPesquisa(benchmark::State& Estado)
{
    const int itens = static_cast<int>(Estado.range(0));
    TProgramaArmazenado& programa = Programa(itens);
    TErros erros;
    auto pruv = Carrega(erros);
    TFoPesquisar janela;
    janela.show();
    TFrPesquisarPruv& pesquisa = *janela.FrPesquisarPruv;
    pesquisa.Abre(*pruv, {});
    pesquisa.SelecionaChave(TFrPesquisarPruv::ChaveCpf);
    QCoreApplication::processEvents();
    TPiso piso(programa);
    sqlite3_stmt* beneficiarios = piso.Comando(
        "SELECT * FROM Benef WHERE E_PRUV_DK = ?1 AND IN_PF_PJ = '1' AND NR_PF_PJ >= ?2 AND NR_PF_PJ < ?2 || 'z' "
        "ORDER BY E_PRUV_DK, IN_PF_PJ, NR_PF_PJ LIMIT 20");
    sqlite3_stmt* itensDoPrimeiro = piso.Comando(
        "SELECT * FROM PruvItem WHERE \"E_PRUV/ANEXO_DK\" = ?1 AND IN_ANEXO = '0' AND E_IN_PF_PJ = '1' "
        "AND E_NR_PF_PJ = (SELECT min(NR_PF_PJ) FROM Benef WHERE E_PRUV_DK = ?1 AND IN_PF_PJ = '1' AND NR_PF_PJ >= ?2) "
        "ORDER BY TRIB_TRIBU");
    // Typing "1", "12", "123", then back to empty: each keystroke a pair.
    const QString digitos = QStringLiteral("123");
    double projeto = 0;
    double tempoPiso = 0;
    qint64 pico = 0;
    int teclas = 0;
    for (auto _ : Estado) {
        const int n = teclas % (digitos.size() + 1);
        const bool apaga = n == digitos.size();
        const qint64 antes = MemoriaKiB("VmRSS");
        ZeraPico();
        const TCronometro cronometro;
        if (apaga)
            pesquisa.EdChave->clear();
        else
            TeclaEm(pesquisa.EdChave, static_cast<Qt::Key>(Qt::Key_0 + digitos.at(n).digitValue()), digitos.mid(n, 1));
        pesquisa.RestringePruv();   // what the typing timer does once the user pauses
        QCoreApplication::processEvents();
        const double segundos = cronometro.Segundos();
        projeto += segundos;
        pico = std::max(pico, MemoriaKiB("VmHWM") - antes);
        const QByteArray digitado = pesquisa.EdChave->text().toLatin1();
        const TCronometro cronometroPiso;
        piso.Le(beneficiarios, digitado);
        piso.Le(itensDoPrimeiro, digitado);
        tempoPiso += cronometroPiso.Segundos();
        ++teclas;
        Estado.SetIterationTime(segundos);
    }
    Relata(Estado, teclas, projeto / teclas, tempoPiso / teclas, pico);
    pesquisa.Fecha();
}

// ---- every action of the search window ----

using TChave = TFrPesquisarPruv::TChave;

constexpr int TelaCheia = 20;   // rows a list shows at once, read by the floors

// What a floor reads for the list of a key, given the text typed; the rows read.
class TPisoPesquisa {
public:
    explicit TPisoPesquisa(const TProgramaArmazenado& Programa)
        : FPiso(Programa)
    {
        FItens = FPiso.Comando(
            "SELECT i.*, b.NM_NM_EMPR FROM PruvItem i LEFT JOIN Benef b ON b.E_PRUV_DK = i.E_PRUV_DK "
            "AND b.IN_PF_PJ = i.E_IN_PF_PJ AND b.NR_PF_PJ = i.E_NR_PF_PJ "
            "WHERE i.IN_ANEXO = '0' AND i.\"E_PRUV/ANEXO_DK\" = ?1 AND i.TRIB_TRIBU >= ?2 "
            "ORDER BY i.TRIB_TRIBU, i.E_IN_PF_PJ, i.E_NR_PF_PJ LIMIT 20");
        for (const char* tipo : {"1", "2"}) {
            const QByteArray t(tipo);
            FNumeros.push_back(
                FPiso.Comando(QByteArray("SELECT * FROM Benef WHERE E_PRUV_DK = ?1 AND IN_PF_PJ = '" + t
                                         + "' AND NR_PF_PJ >= ?2 ORDER BY E_PRUV_DK, IN_PF_PJ, NR_PF_PJ LIMIT 20")
                                  .constData()));
            FItensDoPrimeiro.push_back(
                FPiso.Comando(QByteArray("SELECT * FROM PruvItem WHERE E_PRUV_DK = ?1 AND E_IN_PF_PJ = '" + t
                                         + "' AND E_NR_PF_PJ = (SELECT min(NR_PF_PJ) FROM Benef WHERE E_PRUV_DK = ?1 "
                                           "AND IN_PF_PJ = '"
                                         + t + "' AND NR_PF_PJ >= ?2) ORDER BY TRIB_TRIBU")
                                  .constData()));
        }
        FNomes = FPiso.Comando("SELECT * FROM Benef WHERE E_PRUV_DK = ?1 ORDER BY E_PRUV_DK, IN_PF_PJ, NR_PF_PJ "
                               "LIMIT 20");
        FItensDoNome = FPiso.Comando(
            "SELECT * FROM PruvItem WHERE E_PRUV_DK = ?1 AND E_IN_PF_PJ = '1' AND E_NR_PF_PJ = (SELECT "
            "min(NR_PF_PJ) FROM Benef WHERE E_PRUV_DK = ?1 AND IN_PF_PJ = '1') ORDER BY TRIB_TRIBU");
    }
    int Le(TChave Chave, const QByteArray& Digitado)
    {
        const QByteArray Texto = Digitado.isNull() ? QByteArray("") : Digitado;   // bound, never NULL
        switch (Chave) {
        case TChave::ChaveCodigo:
            return FPiso.Le(FItens, Texto);
        case TChave::ChaveCpf:
        case TChave::ChaveCnpj: {
            const auto tipo = static_cast<std::size_t>(Chave == TChave::ChaveCpf ? 0 : 1);
            return FPiso.Le(FNumeros[tipo], Texto) + FPiso.Le(FItensDoPrimeiro[tipo], Texto);
        }
        case TChave::ChaveNome:
            return FPiso.Le(FNomes) + FPiso.Le(FItensDoNome);
        }
        return 0;
    }

private:
    TPiso FPiso;
    sqlite3_stmt* FItens = nullptr;
    std::vector<sqlite3_stmt*> FNumeros;
    std::vector<sqlite3_stmt*> FItensDoPrimeiro;
    sqlite3_stmt* FNomes = nullptr;
    sqlite3_stmt* FItensDoNome = nullptr;
};

// One action of the search window: what comes before it (unmeasured), the action, and the list
// whose screenful the floor reads.
struct TAcaoPesquisa {
    std::function<void(TFrPesquisarPruv&)> Prepara;
    std::function<void(TFrPesquisarPruv&)> Acao;
};

QString TextoDaTecla(TChave Chave)
{
    // Codes that begin with it, every name, every CPF; no CNPJ.
    return Chave == TChave::ChaveNome ? QStringLiteral("B")
                                      : (Chave == TChave::ChaveCodigo ? QStringLiteral("5") : QStringLiteral("1"));
}

void Digita(TFrPesquisarPruv& Pesquisa, Qt::Key Tecla, const QString& Texto)
{
    TeclaEm(Pesquisa.EdChave, Tecla, Texto);
    Pesquisa.RestringePruv();   // what the typing timer does once the user pauses
}

Qt::Key TeclaDe(const QString& Texto)
{
    return static_cast<Qt::Key>(Texto.at(0).toUpper().unicode());
}

QWidget* ListaDe(TFrPesquisarPruv& Pesquisa, TChave Chave)
{
    return Chave == TChave::ChaveCodigo ? static_cast<QWidget*>(Pesquisa.DbgPruvItem)
                                        : static_cast<QWidget*>(Pesquisa.DbgBeneficiarios);
}

TAcaoPesquisa AcaoPesquisa(const std::string& Nome, TChave Chave)
{
    const TChave outra = Chave == TChave::ChaveCodigo ? TChave::ChaveCpf : TChave::ChaveCodigo;
    const QString texto = TextoDaTecla(Chave);
    if (Nome == "escolhe")
        return {[outra](TFrPesquisarPruv& p) { p.SelecionaChave(outra); },
                [Chave](TFrPesquisarPruv& p) { p.SelecionaChave(Chave); }};
    if (Nome == "tecla")
        return {[](TFrPesquisarPruv& p) {
                    p.EdChave->clear();
                    p.RestringePruv();
                },
                [texto](TFrPesquisarPruv& p) { Digita(p, TeclaDe(texto), texto); }};
    if (Nome == "backspace")
        return {[texto](TFrPesquisarPruv& p) {
                    p.EdChave->setText(texto);
                    p.RestringePruv();
                },
                [](TFrPesquisarPruv& p) { Digita(p, Qt::Key_Backspace, QString(QChar(u'\b'))); }};
    if (Nome == "desce" || Nome == "pagina")
        return {[Chave](TFrPesquisarPruv& p) {
                    (Chave == TChave::ChaveCodigo ? p.TbPruvItem() : p.TbBeneficiarios()).First();
                },
                [Chave, Nome](TFrPesquisarPruv& p) {
                    TeclaEm(ListaDe(p, Chave), Nome == "desce" ? Qt::Key_Down : Qt::Key_PageDown, QString());
                }};
    // "reativa": coming back to the window, which reads its tables again.
    return {[](TFrPesquisarPruv&) {}, [](TFrPesquisarPruv& p) { p.Atualiza(); }};
}

void BM_Pesquisa(benchmark::State& Estado, const std::string& Nome, TChave Chave)
{
    const int itens = static_cast<int>(Estado.range(0));
    TProgramaArmazenado& programa = Programa(itens);
    TErros erros;
    auto pruv = Carrega(erros);
    TPisoPesquisa piso(programa);
    const bool abre = Nome == "abre";
    std::unique_ptr<TFoPesquisar> janela;
    if (!abre) {
        janela = std::make_unique<TFoPesquisar>();
        janela->show();
        janela->FrPesquisarPruv->Abre(*pruv, {});
        janela->FrPesquisarPruv->SelecionaChave(Chave);
        QCoreApplication::processEvents();
    }
    const TAcaoPesquisa acao = abre ? TAcaoPesquisa{} : AcaoPesquisa(Nome, Chave);
    double projeto = 0;
    double tempoPiso = 0;
    qint64 pico = 0;
    int vezes = 0;
    for (auto _ : Estado) {
        if (abre) {
            janela = std::make_unique<TFoPesquisar>();
        } else {
            acao.Prepara(*janela->FrPesquisarPruv);
            QCoreApplication::processEvents();
        }
        TFrPesquisarPruv& pesquisa = *janela->FrPesquisarPruv;
        const qint64 antes = MemoriaKiB("VmRSS");
        ZeraPico();
        const TCronometro cronometro;
        if (abre) {
            janela->show();
            pesquisa.Abre(*pruv, {});
        } else {
            acao.Acao(pesquisa);
        }
        QCoreApplication::processEvents();
        const double segundos = cronometro.Segundos();
        projeto += segundos;
        pico = std::max(pico, MemoriaKiB("VmHWM") - antes);
        if (ListaDe(pesquisa, pesquisa.ChaveAtual())->isHidden())
            Estado.SkipWithError("the list of the key is not shown");
        const QByteArray digitado = pesquisa.EdChave->text().toLatin1();
        const TCronometro cronometroPiso;
        piso.Le(pesquisa.ChaveAtual(), digitado);
        tempoPiso += cronometroPiso.Segundos();
        if (abre) {
            pesquisa.Fecha();
            janela.reset();
        }
        ++vezes;
        Estado.SetIterationTime(segundos);
    }
    Relata(Estado, vezes, projeto / vezes, tempoPiso / vezes, pico);
    if (janela)
        janela->FrPesquisarPruv->Fecha();
}

// ---- the summary's codes ----

void BM_ResumoAdministradora(benchmark::State& Estado)
{
    const int itens = static_cast<int>(Estado.range(0));
    Programa(itens, Administradora);
    TErros erros;
    auto pruv = Carrega(erros);
    double projeto = 0;
    qint64 pico = 0;
    quint64 passos = 0;
    int vezes = 0;
    for (auto _ : Estado) {
        TFrResumo pagina;
        pagina.resize(640, 480);
        pagina.SetPruv(*pruv);
        const qint64 antes = MemoriaKiB("VmRSS");
        ZeraPico();
        const quint64 passosAntes = TComando::PassosMotor();
        const TCronometro cronometro;
        pagina.show();
        pagina.Abre();
        QCoreApplication::processEvents();
        const double segundos = cronometro.Segundos();
        passos += TComando::PassosMotor() - passosAntes;
        projeto += segundos;
        pico = std::max(pico, MemoriaKiB("VmHWM") - antes);
        pagina.Fecha();
        ++vezes;
        Estado.SetIterationTime(segundos);
    }
    Relata(Estado, vezes, projeto / vezes, 0, pico);
    Estado.counters["passos"] = static_cast<double>(passos) / vezes;
}

void RegistraPesquisa()
{
    const struct {
        const char* Nome;
        TChave Chave;
    } chaves[] = {{"codigo", TChave::ChaveCodigo},
                  {"cpf", TChave::ChaveCpf},
                  {"cnpj", TChave::ChaveCnpj},
                  {"nome", TChave::ChaveNome}};
    std::vector<std::pair<std::string, TChave>> acoes = {{"abre", TChave::ChaveCodigo}};
    for (const auto& c : chaves)
        for (const char* acao : {"escolhe", "tecla", "backspace", "desce", "pagina"})
            acoes.emplace_back(std::string(acao) + "/" + c.Nome, c.Chave);
    acoes.emplace_back("reativa", TChave::ChaveCodigo);
    for (const auto& [nome, chave] : acoes) {
        const std::string acao = nome.substr(0, nome.find('/'));
        benchmark::RegisterBenchmark(("BM_Pesquisa/" + nome).c_str(),
                                     [acao, chave = chave](benchmark::State& e) { BM_Pesquisa(e, acao, chave); })
            ->Arg(1000)
            ->Arg(100000)
            ->Arg(1000000)
            ->Unit(benchmark::kMillisecond)
            ->UseManualTime()
            ->Iterations(acao == "abre" ? 3 : 8);
    }
}

}   // namespace

BENCHMARK(BM_AbrePrimeiroBeneficiario)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(5);
BENCHMARK(BM_ProximoBeneficiario)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMicrosecond)
    ->UseManualTime()
    ->Iterations(500);
BENCHMARK(BM_UltimoBeneficiario)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMicrosecond)
    ->UseManualTime()
    ->Iterations(100);
BENCHMARK(BM_ResumoAdministradora)
    ->Arg(1000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(3);
BENCHMARK(BM_TeclaPesquisa)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(40);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    RegistraPesquisa();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
