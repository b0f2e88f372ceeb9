#include "model/codes/TColecaoCodigoRetencao.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include "components/data/datasets/TdvTable.h"
#include "model/codes/TArquivoCodigosRetencao.h"
#include "model/interfaces/IDeclaracao.h"
#include "model/interfaces/TNaturezas.h"
#include "model/values/TErro.h"
#include "platform/db/sqlite/EDatabaseError.h"
#include "platform/db/sqlite/TDatabase.h"
#include "platform/db/sqlite/TEsquemaTabela.h"
#include "platform/db/sqlite/TTransacao.h"

namespace {

const QString IndicePrimario;
const QString ICodAno = QStringLiteral("ICodAno");
const QString ICod = QStringLiteral("ICod");

// The columns of a search, as one hash key.
QString Chave(std::initializer_list<QString> Partes)
{
    QString chave;
    for (const QString& parte : Partes)
        chave += parte + QChar(0x1f);
    return chave;
}

// Empties the filter lines and applies that, then orders by the primary index.
void PreparaFiltro(TdvTable& tabela)
{
    tabela.dvFilter().clear();
    tabela.RefreshDvFilter();
    SelecionaIndiceTabela(tabela, IndicePrimario);
}

}   // namespace

QString TColecaoCodigoRetencao::NomeArquivo()
{
    return QStringLiteral("CodRet.db");
}

std::vector<TFieldDef> TColecaoCodigoRetencao::Campos()
{
    return {
        {QStringLiteral("ANO"), ftString, 4},         {QStringLiteral("COD_RETENCAO"), ftString, 4},
        {QStringLiteral("PF_PJ_AMBOS"), ftString, 1}, {QStringLiteral("RESUMO"), ftString, 100},
        {QStringLiteral("REGIME"), ftString, 1},      {QStringLiteral("COMPROVANTE"), ftString, 1},
        {QStringLiteral("ANEXO"), ftString, 1},       {QStringLiteral("DEDUCAO"), ftBoolean},
        {QStringLiteral("IN4"), ftBoolean},           {QStringLiteral("SUBJUDICE"), ftBoolean},
    };
}

std::vector<TIndexDef> TColecaoCodigoRetencao::Indices()
{
    return {
        {IndicePrimario, QStringLiteral("ANO;ANEXO;COD_RETENCAO"), TIndexOption::ixPrimary | TIndexOption::ixUnique},
        {ICodAno, QStringLiteral("COD_RETENCAO;ANO"), 0},
        {ICod, QStringLiteral("COD_RETENCAO"), 0},
    };
}

TColecaoCodigoRetencao::TColecaoCodigoRetencao(const QString& Ano, const QString& ArquivoCodigos)
    : FAno(Ano)
{
    CriaTabelaColecao(NomeArquivo());
    CriaEsquema(&Campos, &Indices);
    AbreTabelaColecao();
    Preenche(ArquivoCodigos);
}

TColecaoCodigoRetencao::~TColecaoCodigoRetencao() = default;

QString TColecaoCodigoRetencao::NomeTabelaVersao()
{
    return QStringLiteral("CodRetVer");
}

QString TColecaoCodigoRetencao::Versao(const QString& Caminho)
{
    // Every declaration opened or imported asks for the digest again: the last one is kept while
    // the file is the same one (path, size, and the times of its last change and of its entry's
    // last change, which a file put in its place or written over moves on), so it is read again
    // only when another file has taken its place.
    struct TLida {
        QString Caminho;
        qint64 Tamanho = -1;
        QDateTime Alterado;
        QDateTime EntradaAlterada;
        QString Versao;
    };
    static thread_local TLida ultima;
    const QFileInfo info(Caminho);
    if (Caminho.isEmpty() || !info.isFile())
        return {};
    const TLida agora{Caminho, info.size(), info.lastModified(), info.fileTime(QFileDevice::FileMetadataChangeTime),
                      QString()};
    if (!ultima.Versao.isEmpty() && ultima.Caminho == agora.Caminho && ultima.Tamanho == agora.Tamanho
        && ultima.Alterado == agora.Alterado && ultima.EntradaAlterada == agora.EntradaAlterada)
        return ultima.Versao;
    QFile arquivo(Caminho);
    if (!arquivo.open(QIODevice::ReadOnly))
        return {};
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!hash.addData(&arquivo) || arquivo.error() != QFileDevice::NoError)
        return {};
    ultima = agora;
    ultima.Versao = QString::fromLatin1(hash.result().toHex());
    return ultima.Versao;
}

QString TColecaoCodigoRetencao::VersaoArmazenada(TDatabase& Banco)
{
    if (Banco.NomeReal(NomeTabelaVersao()).isEmpty())
        return {};
    TComando& comando = Banco.Comando(QStringLiteral("SELECT VERSAO FROM ")
                                      + TEsquemaTabela::Aspas(NomeTabelaVersao()));
    const QString versao = comando.Passo() ? comando.Texto(0) : QString();
    comando.Reinicia();
    return versao;
}

void TColecaoCodigoRetencao::Preenche(const QString& ArquivoCodigos)
{
    // The table follows the file the program ships: filled when empty, and replaced as a whole
    // when the file is not the one it was filled from.
    const QString caminho = ArquivoCodigos.isEmpty() ? TArquivoCodigosRetencao::Localiza() : ArquivoCodigos;
    TdvTable& tabela = Tabela();
    const QString versao = Versao(caminho);
    QString armazenada;
    try {
        armazenada = VersaoArmazenada(*tabela.OpenDatabase());
    } catch (const EDatabaseError& e) {
        throw EDadosError(CodigoMensagem::TabelaNaoAberta, ParametroAbertura(NomeTabelaVersao(), e), TipoDialogo::Erro,
                          Botao::Ok, 0);
    }
    if (!tabela.IsEmpty() && (versao.isEmpty() || versao == armazenada)) {
        FVersaoTabela = armazenada;
        return;   // a file that cannot be read leaves a filled table as it is
    }
    const auto codigos = TArquivoCodigosRetencao::Le(caminho);
    try {
        const auto banco = tabela.OpenDatabase();
        TTransacao transacao(*banco);
        const QString versoes = TEsquemaTabela::Aspas(NomeTabelaVersao());
        banco->Escreve(QStringLiteral("CREATE TABLE IF NOT EXISTS ") + versoes + QStringLiteral(" (VERSAO TEXT)"));
        banco->Escreve(QStringLiteral("DELETE FROM ") + versoes);
        TComando& grava = banco->Comando(QStringLiteral("INSERT INTO ") + versoes
                                         + QStringLiteral(" (VERSAO) VALUES (?)"));
        grava.LigaTexto(1, versao);
        banco->Escreve(grava);
        tabela.EmptyTable();
        for (const TCodigoRetencao& c : codigos) {
            tabela.Append();
            tabela.FieldByName(QStringLiteral("ANO"))->SetAsString(c.GetAno());
            tabela.FieldByName(QStringLiteral("COD_RETENCAO"))->SetAsString(c.GetCodigo());
            tabela.FieldByName(QStringLiteral("PF_PJ_AMBOS"))->SetAsString(c.GetPfPjAmbos());
            tabela.FieldByName(QStringLiteral("RESUMO"))->SetAsString(c.GetResumo());
            tabela.FieldByName(QStringLiteral("REGIME"))->SetAsString(c.GetRegime());
            tabela.FieldByName(QStringLiteral("COMPROVANTE"))->SetAsString(c.GetComprovante());
            tabela.FieldByName(QStringLiteral("ANEXO"))->SetAsString(c.GetAnexo());
            tabela.FieldByName(QStringLiteral("DEDUCAO"))->SetAsBoolean(c.GetDeducao());
            tabela.FieldByName(QStringLiteral("IN4"))->SetAsBoolean(c.GetIn4());
            tabela.FieldByName(QStringLiteral("SUBJUDICE"))->SetAsBoolean(c.GetSubJudice());
            tabela.Post();
        }
        transacao.Confirma();
        // Within an outer transaction the rows may still be undone: known only once committed.
        FVersaoTabela = banco->ProfundidadeTransacao() == 0 ? versao : QString();
    } catch (const EDatabaseError& e) {
        if (tabela.State() == dsInsert)
            tabela.Cancel();
        tabela.Refresh();
        throw EDadosError(CodigoMensagem::TabelaNaoAberta, ParametroAbertura(tabela.TableName(), e), TipoDialogo::Erro,
                          Botao::Ok, 0);
    }
    tabela.First();
}

void TColecaoCodigoRetencao::LeRegistro(TCodigoRetencao& Codigo)
{
    const TdvTable& tabela = Tabela();
    Codigo.SetCodigo(tabela.FieldByName(QStringLiteral("COD_RETENCAO"))->AsString());
    Codigo.SetAno(tabela.FieldByName(QStringLiteral("ANO"))->AsString());
    Codigo.SetPfPjAmbos(tabela.FieldByName(QStringLiteral("PF_PJ_AMBOS"))->AsString());
    Codigo.SetResumo(tabela.FieldByName(QStringLiteral("RESUMO"))->AsString());
    Codigo.SetRegime(tabela.FieldByName(QStringLiteral("REGIME"))->AsString());
    Codigo.SetComprovante(tabela.FieldByName(QStringLiteral("COMPROVANTE"))->AsString());
    Codigo.SetAnexo(tabela.FieldByName(QStringLiteral("ANEXO"))->AsString());
    Codigo.SetDeducao(tabela.FieldByName(QStringLiteral("DEDUCAO"))->AsBoolean());
    Codigo.SetIn4(tabela.FieldByName(QStringLiteral("IN4"))->AsBoolean());
    Codigo.SetSubJudice(tabela.FieldByName(QStringLiteral("SUBJUDICE"))->AsBoolean());
}

void TColecaoCodigoRetencao::Indice(const QString& Nome)
{
    // Every item check looks codes up; the order is changed only when it differs.
    const TdvTable& tabela = Tabela();
    if (tabela.IndexFieldNames().isEmpty() && tabela.IndexName().compare(Nome, Qt::CaseInsensitive) == 0)
        return;
    SelecionaIndice(Nome);
}

bool TColecaoCodigoRetencao::Existe(const QString& Ano, const QString& Codigo, const QString& Anexo)
{
    TdvTable& tabela = Tabela();
    Indice(IndicePrimario);
    if (tabela.FindKey({Ano, Anexo, Codigo}))
        return true;
    Indice(ICodAno);
    if (tabela.FindKey({Codigo, Ano}))
        return true;
    Indice(ICod);
    return tabela.FindKey({Codigo});
}

std::shared_ptr<const TColecaoCodigoRetencao::TMemoria>
TColecaoCodigoRetencao::MemoriaGuardada(const std::shared_ptr<TDatabase>& Banco, const QString& Versao,
                                        std::shared_ptr<const TMemoria> Nova)
{
    // One database at a time: the program opens one data folder.
    struct TGuardada {
        std::weak_ptr<TDatabase> Banco;
        QString Versao;
        std::shared_ptr<const TMemoria> Memoria;
    };
    static TGuardada guardada;
    if (Versao.isEmpty())
        return nullptr;
    if (Nova) {
        guardada = {Banco, Versao, std::move(Nova)};
        return guardada.Memoria;
    }
    if (guardada.Versao != Versao || guardada.Banco.lock() != Banco)
        return nullptr;
    return guardada.Memoria;
}

void TColecaoCodigoRetencao::CarregaMemoria()
{
    TdvTable& tabela = Tabela();
    Esquece();
    const std::shared_ptr<TDatabase> banco = tabela.OpenDatabase();
    if (auto guardada = MemoriaGuardada(banco, FVersaoTabela)) {
        FMemoria = std::move(guardada);
        return;
    }
    Indice(IndicePrimario);
    auto memoria = std::make_shared<TMemoria>();
    try {
        for (tabela.First(); !tabela.Eof(); tabela.Next()) {
            TCodigoRetencao linha;
            LeRegistro(linha);
            const int i = static_cast<int>(memoria->Linhas.size());
            const QString& codigo = linha.GetCodigo();
            memoria->PorChave.insert(Chave({linha.GetAno(), linha.GetAnexo(), codigo}), i);
            // The first row of each search's key is the one Existe finds.
            const QString codigoAno = Chave({codigo, linha.GetAno()});
            if (!memoria->PorCodigoAno.contains(codigoAno))
                memoria->PorCodigoAno.insert(codigoAno, i);
            if (!memoria->PorCodigo.contains(codigo))
                memoria->PorCodigo.insert(codigo, i);
            memoria->Linhas.push_back(std::move(linha));
        }
    } catch (const EDatabaseError& e) {
        throw EDadosError(CodigoMensagem::TabelaNaoAberta, ParametroAbertura(tabela.TableName(), e), TipoDialogo::Erro,
                          Botao::Ok, 0);
    }
    FMemoria = std::move(memoria);
    MemoriaGuardada(banco, FVersaoTabela, FMemoria);
}

namespace {

char16_t Letra(QChar Letra)
{
    return Letra.unicode();
}

char16_t Letra(char Byte)
{
    return static_cast<unsigned char>(Byte);
}

// The number of a code of exactly four digits; -1 for any other text (UTF-16 or UTF-8).
template <typename Texto> int NumeroDoCodigo(const Texto& Codigo)
{
    if (Codigo.size() != 4)
        return -1;
    int numero = 0;
    for (const auto c : Codigo) {
        const char16_t letra = Letra(c);
        if (letra < u'0' || letra > u'9')
            return -1;
        numero = numero * 10 + (letra - u'0');
    }
    return numero;
}

}   // namespace

void TColecaoCodigoRetencao::Esquece()
{
    ++FGeracao;   // every code found by number, at once
    FAchados.clear();
}

bool TColecaoCodigoRetencao::BuscaCodigo(TCodigoRetencao& Codigo, const QString& Anexo)
{
    if (!FMemoria)
        CarregaMemoria();
    const QString& codigo = Codigo.GetCodigo();
    if (Anexo != FUltimoAnexo || FAno != FUltimoAno) {
        Esquece();
        FUltimoAnexo = Anexo;
        FUltimoAno = FAno;
    }
    const auto procura = [&] {
        int linha = FMemoria->PorChave.value(Chave({FAno, Anexo, codigo}), -1);
        if (linha < 0)
            linha = FMemoria->PorCodigoAno.value(Chave({codigo, FAno}), -1);
        if (linha < 0)
            linha = FMemoria->PorCodigo.value(codigo, -1);
        return linha;
    };
    // A code of four digits, the table's own form, is known by its number, without hashing a
    // text; any other text by itself, and codes not in the table count too: a file full of
    // them must not grow that list without end.
    int achado = -1;
    if (const int numero = NumeroDoCodigo(codigo); numero >= 0) {
        if (FPorNumero.empty())
            FPorNumero.resize(10000);
        TAchado& entrada = FPorNumero[static_cast<std::size_t>(numero)];
        if (entrada.Geracao != FGeracao)
            entrada = {FGeracao, procura()};
        achado = entrada.Linha;
    } else {
        if (FAchados.size() > 1024)
            FAchados.clear();
        auto entrada = FAchados.constFind(codigo);
        if (entrada == FAchados.cend())
            entrada = FAchados.insert(codigo, procura());
        achado = *entrada;
    }
    if (achado < 0)
        return false;
    // An item checked twice, or the next of the same code, holds the row already: comparing
    // costs less than copying its texts.
    const TCodigoRetencao& linha = FMemoria->Linhas[static_cast<std::size_t>(achado)];
    if (!(Codigo == linha))
        Codigo = linha;
    return true;
}

bool TColecaoCodigoRetencao::BuscaCodigoLido(TCodigoRetencao& Codigo, QByteArrayView Texto, const QString& Anexo)
{
    const int numero = NumeroDoCodigo(Texto);
    if (numero < 0 || !FMemoria || FPorNumero.empty() || Anexo != FUltimoAnexo || FAno != FUltimoAno)
        return ICodigosRetencao::BuscaCodigoLido(Codigo, Texto, Anexo);
    const TAchado& entrada = FPorNumero[static_cast<std::size_t>(numero)];
    if (entrada.Geracao != FGeracao || entrada.Linha < 0)
        return ICodigosRetencao::BuscaCodigoLido(Codigo, Texto, Anexo);
    // As BuscaCodigo after Limpa: the row found replaces every field, the annex flag too.
    const TCodigoRetencao& linha = FMemoria->Linhas[static_cast<std::size_t>(entrada.Linha)];
    if (!(Codigo == linha))
        Codigo = linha;
    return true;
}

void TColecaoCodigoRetencao::Filtra(const IDeclaracao& Pruv, TdvTable& Tabela, const QString& Anexo)
{
    const QString ano = Pruv.GetAno();
    QStringList linhas{QStringLiteral("ANO = ") + ano, QStringLiteral("ANEXO = ") + Anexo};
    if (Pruv.GetNatureza().GetCodigo() != 1)
        linhas << QStringLiteral("IN4 = False");
    RestringeTabela(Tabela, IndicePrimario, {ano, Anexo, QStringLiteral("0000")}, {ano, Anexo, QStringLiteral("9999")},
                    linhas);
}

void TColecaoCodigoRetencao::FiltraAnexo(const IDeclaracao& Pruv, TdvTable& Tabela)
{
    const QString ano = Pruv.GetAno();
    PreparaFiltro(Tabela);
    Tabela.SetRange({ano, QStringLiteral("0"), QStringLiteral("0000")},
                    {ano, QStringLiteral("1"), QStringLiteral("9999")});
}
