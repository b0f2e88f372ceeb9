#include "platform/db/cursors/TFiltroSql.h"

#include <QtEndian>
#include <cmath>
#include <cstring>

#include "platform/db/cursors/CanExpr.h"
#include "platform/db/sqlite/EDatabaseError.h"
#include "platform/db/sqlite/TEsquemaTabela.h"

namespace {

// Little-endian numbers, byte by byte.
template <typename T> T LeNumero(const char* dados)
{
    quint64 valor = 0;
    for (std::size_t i = sizeof(T); i-- > 0;)
        valor = (valor << 8) | static_cast<unsigned char>(dados[i]);
    return static_cast<T>(valor);
}

[[noreturn]] void Recusa(const QString& motivo)
{
    throw EDatabaseError(QStringLiteral("Filter expression refused: %1").arg(motivo));
}

enum class TTipoTermo { Campo, Constante, Condicao, Valor };

struct TTermo {
    TTipoTermo Tipo = TTipoTermo::Valor;
    QString Sql;
    std::vector<QVariant> Valores;
    TFieldType TipoCampo = ftUnknown;   // of a field
    QVariant Constante;                 // of a constant, as read
    std::uint16_t TipoConstante = 0;
    QString Coluna;   // of a field: the quoted column
};

class TLeitor {
public:
    TLeitor(const QByteArray& dados, const TEsquemaTabela& esquema)
        : FDados(dados)
        , FEsquema(esquema)
    {
        if (dados.size() < CanExpr::TamanhoCabecalho)
            Recusa(QStringLiteral("too short"));
        if (Palavra(0) != CanExpr::Versao)
            Recusa(QStringLiteral("unknown version"));
        FTotal = Palavra(2);
        FNos = Palavra(4);
        FInicioNos = Palavra(6);
        FInicioLiterais = Palavra(8);
        if (FTotal > dados.size() || FNos == 0 || FInicioNos != CanExpr::TamanhoCabecalho
            || FInicioLiterais != FInicioNos + CanExpr::TamanhoNo * FNos || FInicioLiterais > FTotal)
            Recusa(QStringLiteral("malformed header"));
    }

    TTermo Raiz() { return No(0, 0); }

private:
    [[nodiscard]] std::uint16_t Palavra(int posicao) const
    {
        if (posicao < 0 || posicao + 2 > FDados.size())
            Recusa(QStringLiteral("reference outside the expression"));
        return LeNumero<quint16>(FDados.constData() + posicao);
    }
    [[nodiscard]] std::uint32_t Dupla(int posicao) const
    {
        if (posicao < 0 || posicao + 4 > FDados.size())
            Recusa(QStringLiteral("reference outside the expression"));
        return LeNumero<quint32>(FDados.constData() + posicao);
    }
    [[nodiscard]] const char* Literal(int deslocamento, int tamanho) const
    {
        const int inicio = FInicioLiterais + deslocamento;
        if (deslocamento < 0 || tamanho < 0 || inicio + tamanho > FTotal)
            Recusa(QStringLiteral("literal outside the pool"));
        return FDados.constData() + inicio;
    }

    QString NomeLiteral(int deslocamento) const
    {
        const int inicio = FInicioLiterais + deslocamento;
        int fim = inicio;
        while (fim < FTotal && FDados[fim] != '\0')
            ++fim;
        if (deslocamento < 0 || fim >= FTotal)
            Recusa(QStringLiteral("unterminated name"));
        return QString::fromLatin1(FDados.constData() + inicio, fim - inicio);
    }

    TTermo No(int deslocamento, int profundidade)
    {
        if (profundidade > 200)
            Recusa(QStringLiteral("too deep"));
        if (deslocamento % CanExpr::TamanhoNo != 0 || deslocamento / CanExpr::TamanhoNo >= FNos)
            Recusa(QStringLiteral("reference to a missing node"));
        const int base = FInicioNos + deslocamento;
        const std::uint32_t classe = Dupla(base);
        const std::uint32_t operador = Dupla(base + 4);
        const int w1 = Palavra(base + 8);
        const int w2 = Palavra(base + 10);
        const int w3 = Palavra(base + 12);
        switch (classe) {
        case CanExpr::nodeFIELD:
            return Campo(NomeLiteral(w2));
        case CanExpr::nodeCONST:
            return Constante(static_cast<std::uint16_t>(w1), w2, w3);
        case CanExpr::nodeBINARY:
            return Binario(operador, No(w1, profundidade + 1), No(w2, profundidade + 1));
        default:
            Recusa(QStringLiteral("node class %1").arg(classe));
        }
    }

    TTermo Campo(const QString& nome) const
    {
        const int indice = FEsquema.IndiceCampo(nome);
        if (indice < 0)
            Recusa(QStringLiteral("no such field: %1").arg(nome));
        const TFieldDef& def = FEsquema.Campos[static_cast<std::size_t>(indice)];
        TTermo termo;
        termo.Tipo = TTipoTermo::Campo;
        termo.TipoCampo = def.DataType;
        termo.Coluna = indice < FEsquema.NomesAspas.size() ? FEsquema.NomesAspas[indice]
                                                           : TEsquemaTabela::Aspas(def.Name);
        termo.Sql = def.DataType == ftCurrency ? QStringLiteral("(%1 / 10000.0)").arg(termo.Coluna) : termo.Coluna;
        return termo;
    }

    TTermo Constante(std::uint16_t tipo, int tamanho, int deslocamento) const
    {
        const char* dados = Literal(deslocamento, tamanho);
        TTermo termo;
        termo.Tipo = TTipoTermo::Constante;
        termo.TipoConstante = tipo;
        switch (tipo) {
        case CanExpr::fldZSTRING:
            termo.Constante = QString::fromLatin1(
                dados, static_cast<qsizetype>(strnlen(dados, static_cast<std::size_t>(tamanho))));
            break;
        case CanExpr::fldINT16:
            if (tamanho != 2)
                Recusa(QStringLiteral("bad constant size"));
            termo.Constante = static_cast<qint64>(LeNumero<qint16>(dados));
            break;
        case CanExpr::fldBOOL:
            if (tamanho != 2)
                Recusa(QStringLiteral("bad constant size"));
            termo.Constante = static_cast<qint64>(LeNumero<qint16>(dados) != 0 ? 1 : 0);
            break;
        case CanExpr::fldINT32:
            if (tamanho != 4)
                Recusa(QStringLiteral("bad constant size"));
            termo.Constante = static_cast<qint64>(LeNumero<qint32>(dados));
            break;
        case CanExpr::fldDATE:
            if (tamanho != 4)
                Recusa(QStringLiteral("bad constant size"));
            termo.Constante = static_cast<double>(LeNumero<qint32>(dados) - CanExpr::DiaZeroMotor);
            break;
        case CanExpr::fldTIME:
            if (tamanho != 4)
                Recusa(QStringLiteral("bad constant size"));
            termo.Constante = LeNumero<qint32>(dados) / CanExpr::MilissegundosPorDia;
            break;
        case CanExpr::fldFLOAT:
        case CanExpr::fldTIMESTAMP: {
            if (tamanho != 8)
                Recusa(QStringLiteral("bad constant size"));
            quint64 bits = LeNumero<quint64>(dados);
            double valor = 0;
            std::memcpy(&valor, &bits, sizeof valor);
            if (tipo == CanExpr::fldTIMESTAMP)
                valor = valor / CanExpr::MilissegundosPorDia - CanExpr::DiaZeroMotor;
            termo.Constante = valor;
            break;
        }
        case CanExpr::fldBCD: {
            if (tamanho != CanExpr::TamanhoBcd)
                Recusa(QStringLiteral("bad constant size"));
            const int precisao = static_cast<unsigned char>(dados[0]);
            const int sinalCasas = static_cast<unsigned char>(dados[1]);
            double valor = 0;
            for (int i = 0; i < precisao && i < 64; ++i) {
                const auto byte = static_cast<unsigned char>(dados[2 + i / 2]);
                valor = valor * 10 + ((i % 2 == 0) ? (byte >> 4) : (byte & 0x0F));
            }
            valor /= std::pow(10.0, sinalCasas & 0x3F);
            termo.Constante = (sinalCasas & 0x80) ? -valor : valor;
            break;
        }
        default:
            Recusa(QStringLiteral("constant type %1").arg(tipo));
        }
        termo.Sql = QStringLiteral("?");
        termo.Valores.push_back(termo.Constante);
        return termo;
    }

    static TTermo Binario(std::uint32_t operador, TTermo esquerdo, TTermo direito)
    {
        QString simbolo;
        TTipoTermo resultado = TTipoTermo::Condicao;
        switch (operador) {
        case CanExpr::canEQ:
            simbolo = QStringLiteral("=");
            break;
        case CanExpr::canNE:
            simbolo = QStringLiteral("<>");
            break;
        case CanExpr::canGT:
            simbolo = QStringLiteral(">");
            break;
        case CanExpr::canLT:
            simbolo = QStringLiteral("<");
            break;
        case CanExpr::canGE:
            simbolo = QStringLiteral(">=");
            break;
        case CanExpr::canLE:
            simbolo = QStringLiteral("<=");
            break;
        case CanExpr::canAND:
            simbolo = QStringLiteral("AND");
            break;
        case CanExpr::canOR:
            simbolo = QStringLiteral("OR");
            break;
        case CanExpr::canADD:
            simbolo = QStringLiteral("+");
            resultado = TTipoTermo::Valor;
            break;
        case CanExpr::canSUB:
            simbolo = QStringLiteral("-");
            resultado = TTipoTermo::Valor;
            break;
        case CanExpr::canMUL:
            simbolo = QStringLiteral("*");
            resultado = TTipoTermo::Valor;
            break;
        case CanExpr::canDIV:
            simbolo = QStringLiteral("/");
            resultado = TTipoTermo::Valor;
            break;
        default:
            Recusa(QStringLiteral("operator %1").arg(operador));
        }
        const bool logico = operador == CanExpr::canAND || operador == CanExpr::canOR;
        if (logico) {
            esquerdo = ComoCondicao(std::move(esquerdo));
            direito = ComoCondicao(std::move(direito));
        } else if (esquerdo.Tipo == TTipoTermo::Condicao || direito.Tipo == TTipoTermo::Condicao) {
            Recusa(QStringLiteral("a condition used as a value"));
        } else {
            AjustaConstante(esquerdo, direito);
            AjustaConstante(direito, esquerdo);
        }
        TTermo termo;
        termo.Tipo = resultado;
        termo.Sql = QStringLiteral("(%1 %2 %3)").arg(esquerdo.Sql, simbolo, direito.Sql);
        termo.Valores = std::move(esquerdo.Valores);
        termo.Valores.insert(termo.Valores.end(), direito.Valores.begin(), direito.Valores.end());
        return termo;
    }

    // A money column compared with a number compares its exact count of ten-thousandths.
    static void AjustaConstante(TTermo& campo, TTermo& constante)
    {
        if (campo.Tipo != TTipoTermo::Campo || constante.Tipo != TTipoTermo::Constante)
            return;
        if (campo.TipoCampo == ftCurrency && constante.Constante.typeId() != QMetaType::QString) {
            campo.Sql = campo.Coluna;
            constante.Valores.front() = static_cast<qint64>(std::llround(constante.Constante.toDouble() * 10000.0));
        }
    }

    static TTermo ComoCondicao(TTermo termo)
    {
        if (termo.Tipo == TTipoTermo::Condicao)
            return termo;
        if (termo.Tipo == TTipoTermo::Campo && termo.TipoCampo == ftBoolean) {
            termo.Sql = QStringLiteral("(%1 <> 0)").arg(termo.Coluna);
            termo.Tipo = TTipoTermo::Condicao;
            return termo;
        }
        Recusa(QStringLiteral("a value used as a condition"));
    }

public:
    static TTermo Condicao(TTermo termo) { return ComoCondicao(std::move(termo)); }

private:
    const QByteArray& FDados;
    const TEsquemaTabela& FEsquema;
    int FTotal = 0;
    int FNos = 0;
    int FInicioNos = 0;
    int FInicioLiterais = 0;
};

}   // namespace

TClausulaSql TFiltroSql::Traduz(const QByteArray& expressao, const TEsquemaTabela& esquema)
{
    TLeitor leitor(expressao, esquema);
    TTermo raiz = TLeitor::Condicao(leitor.Raiz());
    return {raiz.Sql, std::move(raiz.Valores)};
}
