#include "platform/db/sqlite/TComando.h"

#include <sqlite3.h>
#include <utility>

#include "platform/db/sqlite/EDatabaseError.h"

namespace {

// Reads a column of a statement's row or a function's argument alike.
struct TColunaDeComando {
    sqlite3_stmt* Comando;
    int Coluna;
    [[nodiscard]] int Tipo() const { return sqlite3_column_type(Comando, Coluna); }
    [[nodiscard]] const unsigned char* Texto() const { return sqlite3_column_text(Comando, Coluna); }
    [[nodiscard]] int Bytes() const { return sqlite3_column_bytes(Comando, Coluna); }
    [[nodiscard]] sqlite3_int64 Inteiro() const { return sqlite3_column_int64(Comando, Coluna); }
    [[nodiscard]] double Real() const { return sqlite3_column_double(Comando, Coluna); }
    [[nodiscard]] const void* Blob() const { return sqlite3_column_blob(Comando, Coluna); }
};

struct TArgumento {
    sqlite3_value* Valor;
    [[nodiscard]] int Tipo() const { return sqlite3_value_type(Valor); }
    [[nodiscard]] const unsigned char* Texto() const { return sqlite3_value_text(Valor); }
    [[nodiscard]] int Bytes() const { return sqlite3_value_bytes(Valor); }
    [[nodiscard]] sqlite3_int64 Inteiro() const { return sqlite3_value_int64(Valor); }
    [[nodiscard]] double Real() const { return sqlite3_value_double(Valor); }
    [[nodiscard]] const void* Blob() const { return sqlite3_value_blob(Valor); }
};

// Hands the value to `recebe` in its own type: nothing for NULL, QString (also for any other
// type when `texto`), qint64, double or QByteArray.
template <typename TOrigem, typename F> auto ComValor(const TOrigem& origem, bool texto, F&& recebe)
{
    if (texto) {
        // Only NULL, or a failed conversion, gives no letters: the type is asked then only.
        const auto* letras = reinterpret_cast<const char*>(origem.Texto());
        if (letras)
            return recebe(QString::fromUtf8(letras, origem.Bytes()));
        return origem.Tipo() == SQLITE_NULL ? recebe() : recebe(QString());
    }
    const int tipo = origem.Tipo();
    if (tipo == SQLITE_NULL)
        return recebe();
    if (tipo == SQLITE_TEXT) {
        const auto* letras = reinterpret_cast<const char*>(origem.Texto());
        return recebe(letras ? QString::fromUtf8(letras, origem.Bytes()) : QString());
    }
    if (tipo == SQLITE_INTEGER)
        return recebe(static_cast<qint64>(origem.Inteiro()));
    if (tipo == SQLITE_FLOAT)
        return recebe(origem.Real());
    const auto* dados = static_cast<const char*>(origem.Blob());
    return recebe(QByteArray(dados, origem.Bytes()));
}

// Writes ASCII `letras` over `alvo`'s own letters; false, leaving `alvo` to be replaced, when
// another string shares them or a letter is not ASCII.
bool EscreveAscii(QString& alvo, const unsigned char* letras, int bytes)
{
    if (!letras || !alvo.isDetached())
        return false;
    if (alvo.size() != bytes)
        alvo.resize(bytes);
    QChar* p = alvo.data();
    int i = 0;
    for (; i < bytes && letras[i] < 0x80; ++i)
        p[i] = QLatin1Char(static_cast<char>(letras[i]));
    return i == bytes;
}

// Writes the value into `destino` as ComValor gives it. Walks and filters read the same columns
// row after row into the same records: an ASCII text is written over the string the record held
// when nobody else holds it, and a number over the number, without allocating.
template <typename TOrigem> void LeEm(const TOrigem& origem, bool texto, QVariant& destino)
{
    // QString and qint64 live inside the QVariant itself (never in a shared block), so writing
    // through constData touches no other variant; the string's own sharing is checked.
    const int tipo = origem.Tipo();
    if (tipo == SQLITE_TEXT && destino.metaType() == QMetaType::fromType<QString>()) {
        auto* alvo = static_cast<QString*>(const_cast<void*>(destino.constData()));
        const auto* letras = reinterpret_cast<const unsigned char*>(origem.Texto());
        if (EscreveAscii(*alvo, letras, origem.Bytes()))
            return;
    } else if (tipo == SQLITE_INTEGER && !texto && destino.metaType() == QMetaType::fromType<qint64>()) {
        *static_cast<qint64*>(const_cast<void*>(destino.constData())) = static_cast<qint64>(origem.Inteiro());
        return;
    }
    destino = ComValor(origem, texto,
                       [](auto&&... valor) { return QVariant(std::forward<decltype(valor)>(valor)...); });
}

// The UTF-8 of a text of the basic plane (three bytes a character at most) into `saida`; -1,
// writing nothing useful, when it holds a surrogate: QString::toUtf8 then converts it.
qsizetype Utf8SemPares(QStringView texto, char* saida)
{
    char* p = saida;
    for (const QChar letra : texto) {
        const char16_t c = letra.unicode();
        if (c < 0x80) {
            *p++ = static_cast<char>(c);
        } else if (c < 0x800) {
            *p++ = static_cast<char>(0xC0 | (c >> 6));
            *p++ = static_cast<char>(0x80 | (c & 0x3F));
        } else if (letra.isSurrogate()) {
            return -1;
        } else {
            *p++ = static_cast<char>(0xE0 | (c >> 12));
            *p++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            *p++ = static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return p - saida;
}

}   // namespace

TComando::TComando(sqlite3* conexao, const QString& sql)
    : FConexao(conexao)
    , FSql(sql)
{
    ++FAtividade;
    ++FPreparados;
    const QByteArray texto = sql.toUtf8();
    const int rc = sqlite3_prepare_v3(conexao, texto.constData(), static_cast<int>(texto.size()),
                                      SQLITE_PREPARE_PERSISTENT, &FComando, nullptr);
    if (rc != SQLITE_OK)
        Falha(rc);
    // Sized once: the buffers must not move while SQLite reads them.
    FGuardas.resize(static_cast<std::size_t>(sqlite3_bind_parameter_count(FComando)));
}

QString TComando::Instrucao() const
{
    return QString::fromUtf8(sqlite3_sql(FComando));
}

TComando::~TComando()
{
    ++FAtividade;
    sqlite3_finalize(FComando);
}

void TComando::Falha(int codigo) const
{
    throw EDBEngineError(QString::fromUtf8(sqlite3_errmsg(FConexao)), codigo);
}

void TComando::Liga(int posicao, const QVariant& valor)
{
    int rc = SQLITE_OK;
    if (!valor.isValid() || valor.isNull()) {
        rc = sqlite3_bind_null(FComando, posicao);
    } else {
        switch (valor.typeId()) {
        case QMetaType::Bool:
            rc = sqlite3_bind_int64(FComando, posicao, valor.toBool() ? 1 : 0);
            break;
        case QMetaType::Int:
        case QMetaType::LongLong:
        case QMetaType::UInt:
        case QMetaType::ULongLong:
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::Long:
            rc = sqlite3_bind_int64(FComando, posicao, valor.toLongLong());
            break;
        case QMetaType::Double:
        case QMetaType::Float:
            rc = sqlite3_bind_double(FComando, posicao, valor.toDouble());
            break;
        case QMetaType::QByteArray: {
            const QByteArray bytes = valor.toByteArray();
            rc = sqlite3_bind_blob64(FComando, posicao, bytes.constData(), static_cast<sqlite3_uint64>(bytes.size()),
                                     SQLITE_TRANSIENT);
            break;
        }
        default:
            LigaTexto(posicao, valor.toString());
            return;
        }
    }
    if (rc != SQLITE_OK)
        Falha(rc);
}

void TComando::LigaTexto(int posicao, const QString& texto)
{
    // Read in place from the statement's own buffer for the position: SQLite would otherwise
    // allocate a copy of its own at every bind, and cursors bind keys at every search.
    if (posicao >= 1 && posicao <= static_cast<int>(FGuardas.size())) {
        LigaTexto(posicao, texto, FGuardas[static_cast<std::size_t>(posicao - 1)]);
        return;
    }
    LigaTextoCopiado(posicao, texto);
}

void TComando::LigaTextoCopiado(int posicao, const QString& texto)
{
    // Keys, codes and names are short: converted on the stack, SQLite keeps its own copy.
    char curto[256];
    qsizetype tamanho = -1;
    if (texto.size() * 3 <= static_cast<qsizetype>(sizeof curto))
        tamanho = Utf8SemPares(texto, curto);
    int rc = SQLITE_OK;
    if (tamanho >= 0) {
        rc = sqlite3_bind_text64(FComando, posicao, curto, static_cast<sqlite3_uint64>(tamanho), SQLITE_TRANSIENT,
                                 SQLITE_UTF8);
    } else {
        const QByteArray utf8 = texto.toUtf8();
        rc = sqlite3_bind_text64(FComando, posicao, utf8.constData(), static_cast<sqlite3_uint64>(utf8.size()),
                                 SQLITE_TRANSIENT, SQLITE_UTF8);
    }
    if (rc != SQLITE_OK)
        Falha(rc);
}

void TComando::LigaTexto(int posicao, const QString& texto, std::string& Guarda)
{
    Guarda.resize(static_cast<std::size_t>(texto.size()) * 3);
    const qsizetype tamanho = Utf8SemPares(texto, Guarda.data());
    if (tamanho < 0) {
        LigaTextoCopiado(posicao, texto);
        return;
    }
    // A failed bind leaves the position NULL, never pointing at bytes that may change.
    const int rc = sqlite3_bind_text64(FComando, posicao, Guarda.data(), static_cast<sqlite3_uint64>(tamanho),
                                       SQLITE_STATIC, SQLITE_UTF8);
    if (rc != SQLITE_OK)
        Falha(rc);
}

void TComando::LigaPonteiro(int posicao, void* ponteiro, const char* tipo)
{
    const int rc = sqlite3_bind_pointer(FComando, posicao, ponteiro, tipo, nullptr);
    if (rc != SQLITE_OK)
        Falha(rc);
}

void TComando::LigaInteiro(int posicao, qint64 valor)
{
    const int rc = sqlite3_bind_int64(FComando, posicao, valor);
    if (rc != SQLITE_OK)
        Falha(rc);
}

bool TComando::Passo()
{
    ++FAtividade;
    const int rc = sqlite3_step(FComando);
    FPassosMotor += static_cast<quint64>(sqlite3_stmt_status(FComando, SQLITE_STMTSTATUS_VM_STEP, 1));
    if (FAnotadas)
        FAnotadas->insert(FSql);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    const QString texto = QString::fromUtf8(sqlite3_errmsg(FConexao));
    sqlite3_reset(FComando);
    throw EDBEngineError(texto, rc);
}

void TComando::Executa()
{
    while (Passo()) {}
    sqlite3_reset(FComando);
}

void TComando::Reinicia()
{
    ++FAtividade;
    sqlite3_reset(FComando);
}

void TComando::SoltaLigacoes()
{
    sqlite3_clear_bindings(FComando);
}

int TComando::Colunas() const
{
    return sqlite3_column_count(FComando);
}

QVariant TComando::Valor(int coluna) const
{
    return ComValor(TColunaDeComando{FComando, coluna}, false,
                    [](auto&&... valor) { return QVariant(std::forward<decltype(valor)>(valor)...); });
}

qint64 TComando::Inteiro(int coluna) const
{
    return sqlite3_column_int64(FComando, coluna);
}

QString TComando::Texto(int coluna) const
{
    const auto* texto = reinterpret_cast<const char*>(sqlite3_column_text(FComando, coluna));
    return texto ? QString::fromUtf8(texto, sqlite3_column_bytes(FComando, coluna)) : QString();
}

void TComando::Texto(int coluna, QString& Destino) const
{
    const auto* letras = sqlite3_column_text(FComando, coluna);
    if (!EscreveAscii(Destino, letras, sqlite3_column_bytes(FComando, coluna)))
        Destino = Texto(coluna);
}

QByteArrayView TComando::Bytes(int coluna) const
{
    const auto* texto = reinterpret_cast<const char*>(sqlite3_column_text(FComando, coluna));
    return texto ? QByteArrayView(texto, sqlite3_column_bytes(FComando, coluna)) : QByteArrayView();
}

void TComando::LeValor(int coluna, bool texto, QVariant& destino) const
{
    // The column's value fetched once, then its type, letters and length read from it: each
    // sqlite3_column_* call would find the column and check the connection again.
    LeEm(TArgumento{sqlite3_column_value(FComando, coluna)}, texto, destino);
}

QVariant TComando::ValorDe(sqlite3_value* valor, bool texto)
{
    return ComValor(TArgumento{valor}, texto, [](auto&&... v) { return QVariant(std::forward<decltype(v)>(v)...); });
}

void TComando::LeValorDe(sqlite3_value* valor, bool texto, QVariant& destino)
{
    LeEm(TArgumento{valor}, texto, destino);
}

bool TComando::Nulo(int coluna) const
{
    return sqlite3_column_type(FComando, coluna) == SQLITE_NULL;
}

QString TComando::NomeColuna(int coluna) const
{
    return QString::fromUtf8(sqlite3_column_name(FComando, coluna));
}

QString TComando::TipoDeclarado(int coluna) const
{
    const char* tipo = sqlite3_column_decltype(FComando, coluna);
    return tipo ? QString::fromUtf8(tipo) : QString();
}

bool TComando::SomenteLeitura() const
{
    return sqlite3_stmt_readonly(FComando) != 0;
}

int TComando::IndiceParametro(const QString& nome) const
{
    return sqlite3_bind_parameter_index(FComando, nome.toUtf8().constData());
}

int TComando::Parametros() const
{
    return sqlite3_bind_parameter_count(FComando);
}
