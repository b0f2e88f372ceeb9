#include "shell/common/Navegador.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

#include "model/values/PastasPrograma.h"
#include "platform/files/PermissoesNovas.h"
#include "platform/ui/TCursorOcupado.h"

QString ProgramaNavegador()
{
    const QStringList escolhidos = qEnvironmentVariable("BROWSER").split(QLatin1Char(':'), Qt::SkipEmptyParts);
    for (const QString& escolhido : escolhidos) {
        const QString programa = QStandardPaths::findExecutable(escolhido.trimmed());
        if (!programa.isEmpty())
            return programa;
    }
    return QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
}

bool ExisteNavegador(bool Abrir)
{
    // Made as every file of the program is (a fifo under the name is refused, never waited on).
    QFile pagina(DiretorioPrograma() + QStringLiteral("/PRUV.HTM"));
    if (!CriaArquivoVazio(QFile::encodeName(pagina.fileName())))
        return false;
    const QString programa = ProgramaNavegador();
    bool existe = !programa.isEmpty();
    if (existe && Abrir) {
        TCursorOcupado ocupado;
        existe = QProcess::startDetached(programa, {QString::fromLatin1(EnderecoSitio)});
    }
    pagina.remove();
    return existe;
}
