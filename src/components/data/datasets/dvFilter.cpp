#include "components/data/datasets/dvFilter.h"

#include <QHash>
#include <QtEndian>
#include <cmath>
#include <cstring>
#include <optional>
#include <vector>

#include "components/data/common/dvCommon.h"
#include "components/data/datasets/TNode.h"
#include "components/data/datasets/dvStacks.h"
#include "platform/db/cursors/CanExpr.h"
#include "platform/db/sqlite/EDatabaseError.h"
#include "platform/db/datasets/TTable.h"
#include "platform/files/TFormatSettings.h"
#include "platform/ui/InterfaceUsuario.h"

namespace {

// Constant kinds of operands.
enum TTipoConstante : std::uint8_t {
    ckCampo = 0,
    ckTexto = 1,
    ckFloat = 2,
    ckDataHora = 3,
    ckData = 4,
    ckHora = 5,
    ckBooleano = 6,
    ckInteiro32 = 7,
    ckBcd = 8,
    ckInteiro16 = 9,
};

constexpr int MaximoLiterais = 1000;
constexpr int MaximoOperando = 64;

std::uint8_t TipoConstanteDoCampo(TFieldType tipo)
{
    switch (tipo) {
    case ftString:
        return ckTexto;
    case ftSmallint:
    case ftWord:
        return ckInteiro16;
    case ftInteger:
    case ftAutoInc:
        return ckInteiro32;
    case ftBoolean:
        return ckBooleano;
    case ftFloat:
    case ftCurrency:
        return ckFloat;
    case ftBCD:
        return ckBcd;
    case ftDate:
        return ckData;
    case ftTime:
        return ckHora;
    case ftDateTime:
        return ckDataHora;
    default:
        return ckCampo;
    }
}

bool InicioDeNome(QChar c)
{
    const ushort u = c.unicode();
    return u == '!' || u == '#' || u == '$' || u == '*' || u == '+' || u == '-' || u == '/' || u == '@'
        || (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || u == '_' || u == '`' || (u >= 146 && u <= 255);
}

bool ContinuaNome(QChar c)
{
    return InicioDeNome(c) || dvIsDigit(c) || c == QLatin1Char(' ');
}

bool EhComparacao(const QString& t)
{
    return t == QLatin1String("<") || t == QLatin1String("<>") || t == QLatin1String("<=") || t == QLatin1String(">=")
        || t == QLatin1String("=") || t == QLatin1String(">");
}

QString SemBrancosFinais(QString texto)
{
    while (!texto.isEmpty() && texto.back() == QLatin1Char(' '))
        texto.chop(1);
    return texto;
}

// The text between double quotes when it begins with one, else the text without trailing blanks.
QString SemAspas(const QString& texto)
{
    if (texto.startsWith(QLatin1Char('"'))) {
        const qsizetype fim = texto.indexOf(QLatin1Char('"'), 1);
        return fim < 0 ? texto.mid(1) : texto.mid(1, fim - 1);
    }
    return SemBrancosFinais(texto);
}

std::optional<qint64> ParaInteiro(const QString& texto)
{
    bool ok = false;
    const qint64 valor = texto.trimmed().toLongLong(&ok, 10);
    if (!ok)
        return std::nullopt;
    return valor;
}

// A field an expression compared with, as it was when the expression was compiled.
struct TCampoDoFiltro {
    QString Nome;
    TFieldType Tipo;
    int Tamanho;
};

// The parser of one expression: not shared between calls.
class TAnalisador {
public:
    TAnalisador(const QString& texto, TDataSet* dataSet)
        : FResto(texto)
        , FDataSet(dataSet)
    {}
    ~TAnalisador()
    {
        while (void* no = FNos.Pop())
            delete static_cast<TNode*>(no);
    }
    TAnalisador(const TAnalisador&) = delete;
    TAnalisador& operator=(const TAnalisador&) = delete;

    std::unique_ptr<TNode> Analisa()
    {
        if (!Logico() || FNos.Count() != 1)
            return nullptr;
        return std::unique_ptr<TNode>(static_cast<TNode*>(FNos.Pop()));
    }

    // The fields compared with, each as found.
    [[nodiscard]] const std::vector<TCampoDoFiltro>& Campos() const { return FCampos; }
    // False when a constant was read by the program's number or date format, which may change.
    [[nodiscard]] bool SoFormasFixas() const { return FSoFormasFixas; }

private:
    void RegistraCampo(const QString& Nome, const TField& Campo, std::uint8_t Constante)
    {
        FCampos.push_back({Nome, Campo.DataType(), Campo.Size()});
        if (Constante != ckTexto && Constante != ckBooleano && Constante != ckInteiro16 && Constante != ckInteiro32)
            FSoFormasFixas = false;
    }

private:
    QString Token()
    {
        qsizetype i = 0;
        while (i < FResto.size() && (FResto[i] == QLatin1Char(' ') || FResto[i] == QLatin1Char('\t')))
            ++i;
        FResto.remove(0, i);
        if (FResto.isEmpty())
            return {};
        const QChar c = FResto[0];
        if (c == QLatin1Char('(') || c == QLatin1Char(')'))
            return QString(c);
        auto comparacao = [](QChar x) {
            return x == QLatin1Char('<') || x == QLatin1Char('=') || x == QLatin1Char('>');
        };
        if (comparacao(c))
            return FResto.left(FResto.size() > 1 && comparacao(FResto[1]) ? 2 : 1);
        if (FEsperaLogico) {
            if (FResto.left(3).toUpper() == QLatin1String("AND"))
                return FResto.left(3);
            if (FResto.left(2).toUpper() == QLatin1String("OR"))
                return FResto.left(2);
        }
        if (InicioDeNome(c)) {
            qsizetype fim = 1;
            while (fim < FResto.size() && ContinuaNome(FResto[fim]))
                ++fim;
            return SemBrancosFinais(FResto.left(fim));
        }
        if (c.isDigit() && c.unicode() < 128) {
            qsizetype fim = 0;
            auto digito = [&](qsizetype p) { return p < FResto.size() && dvIsDigit(FResto[p]); };
            while (digito(fim))
                ++fim;
            if (fim < FResto.size() && FResto[fim] == TFormatSettings::Programa().DecimalSeparator && digito(fim + 1)) {
                ++fim;
                while (digito(fim))
                    ++fim;
            }
            return FResto.left(fim);
        }
        if (c == QLatin1Char('"')) {
            const qsizetype fim = FResto.indexOf(QLatin1Char('"'), 1);
            return fim < 0 ? QString() : FResto.left(fim + 1);
        }
        return {};
    }

    void Consome(const QString& token)
    {
        if (FResto.startsWith(token))
            FResto.remove(0, token.size());
    }

    bool Logico()
    {
        FSimbolos.Push(QStringLiteral("Logical"));
        if (!Relacao())
            return false;
        for (;;) {
            const QString token = Token();
            const QString maiusculo = token.toUpper();
            if (maiusculo != QLatin1String("AND") && maiusculo != QLatin1String("OR"))
                break;
            Consome(token);
            FEsperaLogico = false;
            if (!Relacao() || !Binario(TNode::nkLogical, maiusculo))
                return false;
        }
        FSimbolos.Pop();
        return true;
    }

    bool Relacao()
    {
        FSimbolos.Push(QStringLiteral("Relation"));
        if (!Expressao())
            return false;
        const QString token = Token();
        if (EhComparacao(token)) {
            Consome(token);
            FEsperaLogico = false;
            if (Token().isEmpty() && FResto.isEmpty()) {
                // Nothing after the comparison: it compares with the empty text.
                FNos.Push(new TNode(TNode::nkOperand, QString()));
            } else if (!Expressao()) {
                return false;
            }
            if (!Binario(TNode::nkRelation, token))
                return false;
        }
        FEsperaLogico = true;
        FSimbolos.Pop();
        return true;
    }

    bool Expressao()
    {
        FSimbolos.Push(QStringLiteral("Expr"));
        if (!Termo())
            return false;
        const QString token = Token();
        if (token == QLatin1String("+") || token == QLatin1String("-")) {
            Consome(token);
            if (!Expressao() || !Binario(TNode::nkArithmetic, token))
                return false;
        }
        FSimbolos.Pop();
        return true;
    }

    bool Termo()
    {
        FSimbolos.Push(QStringLiteral("Term"));
        if (!Primario())
            return false;
        const QString token = Token();
        if (token == QLatin1String("*") || token == QLatin1String("/")) {
            Consome(token);
            if (!Termo() || !Binario(TNode::nkArithmetic, token))
                return false;
        }
        FSimbolos.Pop();
        return true;
    }

    bool Primario()
    {
        const QString token = Token();
        if (token == QLatin1String("(")) {
            Consome(token);
            if (!Logico() || Token() != QLatin1String(")"))
                return false;
            Consome(QStringLiteral(")"));
            return true;
        }
        if (token.isEmpty() || token == QLatin1String(")") || EhComparacao(token) || token.size() > MaximoOperando)
            return false;
        Consome(token);
        FNos.Push(new TNode(TNode::nkOperand, token));
        return true;
    }

    bool Binario(TNode::TKind tipo, const QString& operador)
    {
        if (FNos.Count() < 2)
            return false;
        std::unique_ptr<TNode> direito(static_cast<TNode*>(FNos.Pop()));
        std::unique_ptr<TNode> esquerdo(static_cast<TNode*>(FNos.Pop()));
        if (esquerdo->Kind == TNode::nkOperand) {
            TField* campo = FDataSet ? FDataSet->FindField(esquerdo->Text) : nullptr;
            if (!campo) {
                InterfaceUsuario::Mostra(esquerdo->Text + QLatin1Char('\r')
                                             + QStringLiteral("Field not found in Table. "),
                                         TipoDialogo::Aviso, Botao::Ok);
                return false;
            }
            RegistraCampo(esquerdo->Text, *campo,
                          direito->Kind == TNode::nkOperand ? TipoConstanteDoCampo(campo->DataType())
                                                            : std::uint8_t{ckTexto});
            if (direito->Kind == TNode::nkOperand) {
                direito->ConstantKind = TipoConstanteDoCampo(campo->DataType());
                direito->FieldType = campo->DataType();
                if (campo->DataType() == ftBCD)
                    direito->DecimalPlaces = static_cast<std::int16_t>(campo->Size());
            }
        }
        auto no = std::make_unique<TNode>(tipo, operador);
        no->Left = std::move(esquerdo);
        no->Right = std::move(direito);
        FNos.Push(no.release());
        return true;
    }

    QString FResto;
    TDataSet* FDataSet;
    std::vector<TCampoDoFiltro> FCampos;
    bool FSoFormasFixas = true;
    TStackStr FSimbolos;
    TStackPtr FNos;
    bool FEsperaLogico = false;
};

// Writes the tree into the engine's format: children first, each node in the next lower slot.
class TSerializador {
public:
    explicit TSerializador(int nos)
        : FNos(nos)
        , FProximoSlot(nos)
    {
        FArea.resize(static_cast<qsizetype>(CanExpr::TamanhoNo) * nos, '\0');
    }

    bool Escreve(TNode& no)
    {
        if (no.Left && !Escreve(*no.Left))
            return false;
        if (no.Right && !Escreve(*no.Right))
            return false;
        no.SlotOffset = --FProximoSlot * CanExpr::TamanhoNo;
        if (no.Kind != TNode::nkOperand) {
            Slot(no.SlotOffset, CanExpr::nodeBINARY, CodigoOperador(no.Text), no.Left ? no.Left->SlotOffset : 0,
                 no.Right ? no.Right->SlotOffset : 0, 0);
            return true;
        }
        if (no.ConstantKind == ckCampo) {
            const int deslocamento = static_cast<int>(FLiterais.size());
            if (!Literal(no.Text.toLatin1() + '\0'))
                return false;
            Slot(no.SlotOffset, CanExpr::nodeFIELD, CanExpr::canFIELD2, ++FCampos, deslocamento, 0);
            return true;
        }
        std::uint16_t tipo = 0;
        QByteArray valor;
        if (!Constante(no, tipo, valor))
            return false;
        const int deslocamento = static_cast<int>(FLiterais.size());
        if (!Literal(valor))
            return false;
        Slot(no.SlotOffset, CanExpr::nodeCONST, CanExpr::canCONST2, tipo, static_cast<int>(valor.size()), deslocamento);
        return true;
    }

    [[nodiscard]] QByteArray Resultado() const
    {
        const int inicioLiterais = CanExpr::TamanhoCabecalho + CanExpr::TamanhoNo * FNos;
        QByteArray cabecalho(CanExpr::TamanhoCabecalho, '\0');
        Palavra(cabecalho, 0, CanExpr::Versao);
        Palavra(cabecalho, 2, inicioLiterais + static_cast<int>(FLiterais.size()));
        Palavra(cabecalho, 4, FNos);
        Palavra(cabecalho, 6, CanExpr::TamanhoCabecalho);
        Palavra(cabecalho, 8, inicioLiterais);
        return cabecalho + FArea + FLiterais;
    }

private:
    static void Palavra(QByteArray& destino, int posicao, int valor)
    {
        qToLittleEndian<quint16>(static_cast<quint16>(valor), destino.data() + posicao);
    }

    void Slot(int deslocamento, std::uint32_t classe, std::uint32_t operador, int w1, int w2, int w3)
    {
        char* p = FArea.data() + deslocamento;
        qToLittleEndian<quint32>(classe, p);
        qToLittleEndian<quint32>(operador, p + 4);
        qToLittleEndian<quint16>(static_cast<quint16>(w1), p + 8);
        qToLittleEndian<quint16>(static_cast<quint16>(w2), p + 10);
        qToLittleEndian<quint16>(static_cast<quint16>(w3), p + 12);
    }

    bool Literal(const QByteArray& bytes)
    {
        if (FLiterais.size() + bytes.size() > MaximoLiterais)
            return false;
        FLiterais += bytes;
        return true;
    }

    static std::uint32_t CodigoOperador(const QString& operador)
    {
        static const struct {
            const char* Texto;
            std::uint32_t Codigo;
        } codigos[] = {{"=", CanExpr::canEQ},    {"<>", CanExpr::canNE}, {">", CanExpr::canGT},
                       {"<", CanExpr::canLT},    {">=", CanExpr::canGE}, {"<=", CanExpr::canLE},
                       {"AND", CanExpr::canAND}, {"OR", CanExpr::canOR}, {"+", CanExpr::canADD},
                       {"-", CanExpr::canSUB},   {"*", CanExpr::canMUL}, {"/", CanExpr::canDIV}};
        for (const auto& c : codigos) {
            if (operador == QLatin1String(c.Texto))
                return c.Codigo;
        }
        return 0;
    }

    static QByteArray Bytes16(qint64 valor)
    {
        QByteArray b(2, '\0');
        qToLittleEndian<qint16>(static_cast<qint16>(valor), b.data());
        return b;
    }
    static QByteArray Bytes32(qint64 valor)
    {
        QByteArray b(4, '\0');
        qToLittleEndian<qint32>(static_cast<qint32>(valor), b.data());
        return b;
    }
    static QByteArray BytesDouble(double valor)
    {
        quint64 bits = 0;
        std::memcpy(&bits, &valor, sizeof bits);
        QByteArray b(8, '\0');
        qToLittleEndian<quint64>(bits, b.data());
        return b;
    }

    // BCD of precision 32 with the given decimal places: sign and places in the second byte,
    // the digits packed two to a byte from the first.
    static bool Bcd(double valor, int casas, QByteArray& saida)
    {
        constexpr int Precisao = 32;
        if (casas < 0 || casas > Precisao)
            return false;
        const double escalado = std::round(std::fabs(valor) * std::pow(10.0, casas));
        if (!std::isfinite(escalado) || escalado >= 1e31)
            return false;
        const QString digitos = QStringLiteral("%1").arg(static_cast<double>(escalado), Precisao, 'f', 0,
                                                         QLatin1Char('0'));
        if (digitos.size() != Precisao)
            return false;
        saida = QByteArray(CanExpr::TamanhoBcd, '\0');
        saida[0] = static_cast<char>(Precisao);
        saida[1] = static_cast<char>((valor < 0 ? 0x80 : 0) | (casas & 0x3F));
        for (int i = 0; i < Precisao; ++i) {
            const int d = digitos[i].digitValue();
            auto& byte = saida[2 + i / 2];
            byte = static_cast<char>(static_cast<unsigned char>(byte) | (i % 2 == 0 ? d << 4 : d));
        }
        return true;
    }

    static bool Constante(const TNode& no, std::uint16_t& tipo, QByteArray& valor)
    {
        const QString& texto = no.Text;
        switch (no.ConstantKind) {
        case ckTexto:
            tipo = CanExpr::fldZSTRING;
            valor = SemAspas(texto).left(255).toLatin1() + '\0';
            return true;
        case ckInteiro16:
        case ckInteiro32: {
            const auto numero = ParaInteiro(texto);
            const bool curto = no.ConstantKind == ckInteiro16;
            const qint64 minimo = curto ? (no.FieldType == ftWord ? 0 : -32768) : INT32_MIN;
            const qint64 maximo = curto ? (no.FieldType == ftWord ? 65535 : 32767) : INT32_MAX;
            // A value that does not fit would be cut to another number.
            if (!numero || *numero < minimo || *numero > maximo)
                return false;
            tipo = curto ? CanExpr::fldINT16 : CanExpr::fldINT32;
            valor = curto ? Bytes16(*numero) : Bytes32(*numero);
            return true;
        }
        case ckBooleano: {
            const QString limpo = SemAspas(texto);
            const bool verdade = limpo.startsWith(QLatin1Char('T')) || limpo.startsWith(QLatin1Char('t'));
            tipo = CanExpr::fldBOOL;
            valor = Bytes16(verdade ? -1 : 0);
            return true;
        }
        case ckFloat:
        case ckBcd: {
            double numero = 0;
            if (!TField::LeFloat(SemBrancosFinais(texto), numero))
                return false;
            if (no.ConstantKind == ckFloat) {
                tipo = CanExpr::fldFLOAT;
                valor = BytesDouble(numero);
                return true;
            }
            tipo = CanExpr::fldBCD;
            return Bcd(numero, no.DecimalPlaces, valor);
        }
        case ckData:
        case ckHora:
        case ckDataHora: {
            const QString limpo = SemAspas(texto);
            double dias = 0;
            const TFieldType tipoTexto = no.ConstantKind == ckHora                    ? ftTime
                : (no.ConstantKind == ckDataHora && limpo.contains(QLatin1Char(' '))) ? ftDateTime
                                                                                      : ftDate;
            if ((tipoTexto == ftDate && limpo.trimmed().contains(QLatin1Char(' ')))
                || !TField::LeData(limpo, tipoTexto, dias))
                return false;
            const auto dia = static_cast<qint64>(std::floor(dias));
            const auto milissegundos = static_cast<qint64>(
                std::llround((dias - std::floor(dias)) * CanExpr::MilissegundosPorDia));
            if (no.ConstantKind == ckData) {
                tipo = CanExpr::fldDATE;
                valor = Bytes32(dia + CanExpr::DiaZeroMotor);
            } else if (no.ConstantKind == ckHora) {
                tipo = CanExpr::fldTIME;
                valor = Bytes32(milissegundos);
            } else {
                tipo = CanExpr::fldTIMESTAMP;
                valor = BytesDouble(static_cast<double>(dia + CanExpr::DiaZeroMotor) * CanExpr::MilissegundosPorDia
                                    + static_cast<double>(milissegundos));
            }
            return true;
        }
        default:
            return false;
        }
    }

    int FNos;
    int FProximoSlot;
    int FCampos = 0;
    QByteArray FArea;
    QByteArray FLiterais;
};

void AtualizaSeAberto(TDataSet* dataSet)
{
    if (dataSet->State() != dsInactive && dataSet->State() != dsOpening)
        dataSet->Refresh();
}

// A compiled expression with the fields it was compiled against.
struct TFiltroGuardado {
    std::vector<TCampoDoFiltro> Campos;
    QByteArray Compilada;
};

// Compiled expressions by their text: every opening of a collection restricts its tables with
// the same few texts. One is taken again only while the dataset's fields it names are as they
// were; a text that did not compile is never kept, so its warning comes again each time.
QHash<QString, TFiltroGuardado>& FiltrosGuardados()
{
    static QHash<QString, TFiltroGuardado> guardados;
    return guardados;
}

constexpr qsizetype MaximoFiltrosGuardados = 256;

bool MesmosCampos(const std::vector<TCampoDoFiltro>& Campos, const TDataSet& DataSet)
{
    for (const TCampoDoFiltro& c : Campos) {
        const TField* campo = DataSet.FindField(c.Nome);
        if (!campo || campo->DataType() != c.Tipo || campo->Size() != c.Tamanho)
            return false;
    }
    return true;
}

}   // namespace

QByteArray dvParseFilterExpression(const QString& expressao, TDataSet* dataSet)
{
    auto& guardados = FiltrosGuardados();
    if (dataSet) {
        const auto guardado = guardados.constFind(expressao);
        if (guardado != guardados.cend() && MesmosCampos(guardado->Campos, *dataSet))
            return guardado->Compilada;
    }
    TAnalisador analisador(expressao, dataSet);
    std::unique_ptr<TNode> raiz = analisador.Analisa();
    if (!raiz)
        return {};
    TSerializador serializador(raiz->NodeCount());
    if (!serializador.Escreve(*raiz))
        return {};
    QByteArray compilada = serializador.Resultado();
    if (dataSet && analisador.SoFormasFixas() && !compilada.isEmpty()) {
        if (guardados.size() >= MaximoFiltrosGuardados)
            guardados.clear();
        guardados.insert(expressao, {analisador.Campos(), compilada});
    }
    return compilada;
}

bool dvSetFilterExpression(const QString& expressao, TTable* tabela, int& handle, bool abrindo)
{
    if (tabela->State() == dsInactive && !abrindo) {
        handle = 0;
        return true;
    }
    auto removeAnterior = [&] {
        if (handle != 0) {
            tabela->DeactivateFilter(handle);
            tabela->DropFilter(handle);
            handle = 0;
        }
    };
    if (expressao.trimmed().isEmpty()) {
        removeAnterior();
        AtualizaSeAberto(tabela);
        return true;
    }
    const QByteArray compilada = dvParseFilterExpression(expressao, tabela);
    // A text that does not compile also takes the previous filter away: the table is then
    // without an expression filter, never with a stale one.
    removeAnterior();
    if (compilada.isEmpty()) {
        AtualizaSeAberto(tabela);
        return false;
    }
    try {
        handle = tabela->AddFilterExpression(compilada);
    } catch (const EDatabaseError& e) {
        qInfo("filter refused by the engine: %s", e.what());
        handle = 0;
        AtualizaSeAberto(tabela);
        return false;
    }
    tabela->ActivateFilter(handle);
    AtualizaSeAberto(tabela);
    return true;
}

bool dvSetFilterCallback(std::function<bool()> callback, TDataSet* dataSet, int& handle)
{
    if (handle != 0) {
        dataSet->DropFilter(handle);
        handle = 0;
    }
    if (callback && dataSet->State() != dsInactive) {
        handle = dataSet->AddFilterCallback(std::move(callback));
        dataSet->ActivateFilter(handle);
    }
    AtualizaSeAberto(dataSet);
    return true;
}
