#include "components/data/qbe/TdvQBE.h"

#include <sqlite3.h>

#include "components/data/datasets/dvAnswerTable.h"
#include "components/data/qbe/TdvQbeParser.h"
#include "components/data/qbe/dvRunQbe.h"
#include "components/data/settings/dvSettingLines.h"
#include "platform/db/sqlite/EDatabaseError.h"
#include "platform/db/cursors/TCursor.h"
#include "platform/db/sqlite/TDatabase.h"
#include "platform/ui/InterfaceUsuario.h"
#include "platform/ui/TCursorOcupado.h"

namespace {

constexpr qsizetype Limite = 255;

bool ConflitoDeBloqueio(int codigo)
{
    return (codigo & 0xff) == SQLITE_BUSY || (codigo & 0xff) == SQLITE_LOCKED;
}

bool EhCaractereDeVariavel(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('#');
}

void Substitui(QString& linha, qsizetype pos, qsizetype tamanho, const QString& valor)
{
    linha = linha.left(pos) + valor + linha.mid(pos + tamanho).left(Limite);
}

}   // namespace

TdvQBE::TdvQBE()
{
    // The query-by-example dataset does not check picture masks before posting.
    ValidateWithMask = false;
}

TdvQBE::~TdvQBE()
{
    CloseOnDestroy();
}

void TdvQBE::SetQBE(const QStringList& linhas)
{
    FQBE = linhas;
    if (Active()) {
        Close();
        Open();
    }
}

QStringList TdvQBE::ReplaceVariables(const QStringList& lines, const QStringList& names, const QStringList& values)
{
    QStringList resultado = lines;
    for (QString& linha : resultado) {
        for (qsizetype v = std::min(names.size(), values.size()) - 1; v >= 0; --v) {
            if (names[v].isEmpty())
                continue;
            const QString procurado = QLatin1Char('~') + names[v];
            const QString valor = QString::fromLatin1(values[v].left(Limite).toLatin1());
            qsizetype de = 0;
            for (qsizetype pos; (pos = linha.indexOf(procurado, de, Qt::CaseInsensitive)) >= 0;) {
                Substitui(linha, pos, procurado.size(), valor);
                de = pos + valor.size();
            }
        }
        qsizetype de = 0;
        for (qsizetype pos; (pos = linha.indexOf(QLatin1Char('~'), de)) >= 0;) {
            qsizetype fim = pos + 1;
            while (fim < linha.size() && EhCaractereDeVariavel(linha.at(fim)))
                ++fim;
            if (fim > pos + 1)
                Substitui(linha, pos, fim - pos, QStringLiteral(" "));
            de = pos + 1;
        }
    }
    return resultado;
}

bool TdvQBE::Repete(const EDBEngineError& erro)
{
    const QString motivo = erro.Motivo().isEmpty() ? erro.Mensagem() : erro.Motivo();
    const QString texto = motivo.left(1).toUpper() + motivo.mid(1) + QStringLiteral(". Tentar novamente?");
    return InterfaceUsuario::Mostra(texto, TipoDialogo::Aviso, Botao::Repete | Botao::Cancela) == Resposta::Repete;
}

std::unique_ptr<TCursor> TdvQBE::Executa()
{
    const auto banco = OpenDatabase();
    const QString texto = dvStringsToText(ReplaceVariables(FQBE, FVariaveis, FValores), false);
    const TdvQbeQuery consulta = [&] {
        try {
            return TdvQbeParser::Parse(texto);
        } catch (const EDBEngineError& erro) {
            if (OnError)
                OnError(this, erro.Codigo());
            throw;
        }
    }();
    std::unique_ptr<TCursor> resposta;
    for (;;) {
        try {
            TCursorOcupado ocupado;
            resposta = dvRunQbe(*banco, consulta, BlankAsZero);
            break;
        } catch (const EDBEngineError& erro) {
            if (OnError)
                OnError(this, erro.Codigo());
            if (!ConflitoDeBloqueio(erro.Codigo()))
                throw;
            if (!Repete(erro))
                return nullptr;
        }
    }
    // A text that changed data has no answer to copy.
    if (resposta)
        dvCreateQBEAnswerTable(*resposta, AnswerTable, *banco);
    return resposta;
}

void TdvQBE::Open()
{
    if (Active())
        return;
    FSemResposta = false;
    FAdiantado.reset();
    if (!FQBE.isEmpty() && !FQBE.front().isEmpty()) {
        FAdiantado = Executa();
        if (!FAdiantado) {
            FSemResposta = true;
            return;
        }
    }
    try {
        TdvDataSet<TDBDataSet>::Open();
    } catch (...) {
        FAdiantado.reset();
        throw;
    }
    FAdiantado.reset();
}

std::unique_ptr<TCursor> TdvQBE::CreateCursor()
{
    if (!FAdiantado)
        throw EDatabaseError(QStringLiteral("%1: no query-by-example text to run").arg(Name()));
    return std::move(FAdiantado);
}

QString TdvQBE::LocalFilterRefusedText() const
{
    return QStringLiteral("Local Filtering is not supported on this QBE.");
}
